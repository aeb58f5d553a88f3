#pragma once
// Texts by number, as the generators and windows fetch them. The program's
// lookup answers from the local text store (local text where one was saved,
// English otherwise) and reports unknown numbers; EnglishLookup answers from
// the built-in table alone and suits tests and tools that need no localization.
#include "core/base/text_util.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace kestrel {

class TextLookup {
public:
    virtual ~TextLookup() = default;
    // The text of a number with leading and trailing blanks removed;
    // "" for a number without text.
    virtual std::string gettext(int number) const = 0;
};

class EnglishLookup : public TextLookup {
public:
    std::string gettext(int number) const override;
};

// One EnglishLookup for whoever needs the built-in texts alone.
const TextLookup& englishLookup();

// A text with its placeholders "<1>" to "<9>" replaced by the values, the
// first value for "<1>". One pass: what a value holds is never taken for a
// placeholder (a file may be named "<2>.txt"). A placeholder without a value,
// and every other mark ("<fsc>", "<cr>"), stays as it stands.
std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values);
// Gettext(number) with its placeholders filled.
std::string textWith(const TextLookup& texts, int number, std::initializer_list<std::string_view> values);

// A failure as every routine reports it: "Error:" (text 268) followed
// directly by the routine's label, spelt with its own blanks
// (" save default values "), and then the description.
std::string errorReport(const TextLookup& texts, std::string_view label, std::string_view description);

} // namespace kestrel
