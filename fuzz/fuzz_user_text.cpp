// Texts from untrusted hands as every reader checks them and every message
// quotes them: the check never reads past the text, a text it passes holds
// no refused character, and a message's escaped quote holds none either, so
// nothing quoted can work a terminal or forge a line.
#include "core/base/user_text.h"
#include "core/viewers/rich_text_form.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t at = kestrel::findRefusedCharacter(text);
    if (at != std::string_view::npos && (at >= text.size() || kestrel::refusedCharacterName(text, at).empty()))
        __builtin_trap();
    if (kestrel::oneLineTextProblem(text).empty() != (at == std::string_view::npos))
        __builtin_trap();
    if (kestrel::findRefusedCharacter(kestrel::escapeForMessage(text)) != std::string_view::npos)
        __builtin_trap();
    const std::string lines = kestrel::multiLineTextProblem(text);
    if (at == std::string_view::npos && !lines.empty())
        __builtin_trap();
    // The viewer's rich-text reader takes any text (a typed comment lands
    // in it): its numbers may be of any length.
    (void)kestrel::richTextToPlain(text);
    return 0;
}
