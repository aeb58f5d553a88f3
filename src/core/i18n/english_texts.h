#pragma once
// The built-in English text table: 255 texts by number (100 to 2599 in use).
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
