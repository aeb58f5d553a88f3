#pragma once
// Texts by number, as the generators and windows fetch them. The program's
// lookup answers from the local text store (local text where one was saved,
// English otherwise) and reports unknown numbers; EnglishLookup answers from
// the built-in table alone and suits tests and tools that need no localization.
#include "core/app/text_util.h"

#include <string>

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

} // namespace kestrel
