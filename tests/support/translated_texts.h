#pragma once
// Texts for tests of translated windows and messages: the numbers given
// answer with the text given ("a translation"), every other number with
// its English text.
#include "core/i18n/text_lookup.h"

#include <map>
#include <string>

namespace kestrel::test {

class TranslatedTexts : public TextLookup {
public:
    explicit TranslatedTexts(std::map<int, std::string> local) : local_(std::move(local)) { }
    std::string gettext(int number) const override
    {
        const auto it = local_.find(number);
        return it != local_.end() ? it->second : englishLookup().gettext(number);
    }

private:
    std::map<int, std::string> local_;
};

} // namespace kestrel::test
