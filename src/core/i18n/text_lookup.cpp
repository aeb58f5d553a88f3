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

const TextLookup& englishLookup()
{
    static const EnglishLookup english;
    return english;
}

std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool mark =
            text[i] == '<' && i + 2 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9' && text[i + 2] == '>';
        const std::size_t index = mark ? static_cast<std::size_t>(text[i + 1] - '1') : values.size();
        if (index < values.size()) {
            out += *(values.begin() + index);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string textWith(const TextLookup& texts, int number, std::initializer_list<std::string_view> values)
{
    return fillPlaceholders(texts.gettext(number), values);
}

std::string errorReport(const TextLookup& texts, std::string_view label, std::string_view description)
{
    std::string report = texts.gettext(kTextError);
    report += label;
    report += description;
    return report;
}

} // namespace kestrel
