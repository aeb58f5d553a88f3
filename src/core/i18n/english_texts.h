#pragma once
// The built-in English text table. Its numbers are the program's text
// numbers: whatever walks every text (the local table, the localization
// editor, the text listing) walks this table.
#include <optional>
#include <span>
#include <string_view>

namespace kestrel {

struct EnglishText {
    int number;
    std::string_view text;
};

// All entries in ascending number order, blanks exactly as built in.
std::span<const EnglishText> englishTexts();
// The English text of a number, untrimmed; nullopt when the table has none.
std::optional<std::string_view> englishText(int number);

} // namespace kestrel
