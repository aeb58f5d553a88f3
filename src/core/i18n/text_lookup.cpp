#include "core/i18n/text_lookup.h"

#include "core/app/text_util.h"
#include "core/i18n/english_texts.h"

namespace kestrel {

std::string EnglishLookup::gettext(int number) const
{
    const auto text = englishText(number);
    return text ? trim(*text) : std::string{};
}

std::string replaceAll(std::string text, std::string_view what, std::string_view with)
{
    if (what.empty())
        return text;
    std::size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::string::npos) {
        text.replace(pos, what.size(), with);
        pos += with.size();
    }
    return text;
}

} // namespace kestrel
