#pragma once
// Texts by number, as the generators and windows fetch them. The program's
// lookup answers from the local text store (local text where one was saved,
// English otherwise) and reports unknown numbers; EnglishLookup answers from
// the built-in table alone and suits tests and tools that need no localization.
#include "core/base/text_util.h"

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

// A failure as every routine reports it: "Error:" (text 268) followed
// directly by the routine's label, spelt with its own blanks
// (" save default values "), and then the description.
std::string errorReport(const TextLookup& texts, std::string_view label, std::string_view description);

} // namespace kestrel
