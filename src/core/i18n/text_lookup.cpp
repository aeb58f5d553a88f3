#include "core/i18n/text_lookup.h"

#include "core/base/text_util.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/text_numbers.h"

namespace kestrel {

std::string EnglishLookup::gettext(int number) const
{
    const auto text = englishText(number);
    return text ? trim(*text) : std::string{};
}

std::string errorReport(const TextLookup& texts, std::string_view label, std::string_view description)
{
    std::string report = texts.gettext(kTextError);
    report += label;
    report += description;
    return report;
}

} // namespace kestrel
