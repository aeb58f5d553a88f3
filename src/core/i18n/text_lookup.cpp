#include "core/i18n/text_lookup.h"

#include "core/app/text_util.h"
#include "core/i18n/english_texts.h"

namespace kestrel {

std::string EnglishLookup::gettext(int number) const
{
    const auto text = englishText(number);
    return text ? trim(*text) : std::string{};
}

} // namespace kestrel
