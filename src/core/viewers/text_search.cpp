#include "core/viewers/text_search.h"

#include "core/base/text_util.h"

#include <algorithm>

namespace kestrel {

std::optional<std::size_t> findNoCase(std::string_view text, std::string_view needle, std::size_t fromCharacter)
{
    if (needle.empty())
        return std::nullopt;
    // Walk to the byte where the search starts, counting characters.
    std::size_t byte = 0;
    std::size_t character = 0;
    while (byte < text.size() && character < fromCharacter) {
        ++byte;
        while (byte < text.size() && isUtf8Continuation(text[byte]))
            ++byte;
        ++character;
    }
    if (character < fromCharacter)
        return std::nullopt;
    const auto equal = [](char a, char b) { return toLowerAscii(a) == toLowerAscii(b); };
    const auto hit =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(byte), text.end(), needle.begin(), needle.end(), equal);
    if (hit == text.end())
        return std::nullopt;
    const auto hitByte = static_cast<std::size_t>(hit - text.begin());
    return character + charCount(text.substr(byte, hitByte - byte));
}

} // namespace kestrel
