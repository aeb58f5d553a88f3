#pragma once
// The leading number of a text, the way every number Kestrel reads is taken
// from what a user typed or a file holds.
#include <string_view>

namespace kestrel {

// The value of the leading number of a text with "." as decimal mark:
// leading blanks, an optional sign, digits, one ".", digits and an optional
// exponent ("1e3"); reading stops at the first character that cannot
// continue the number. A text without a leading number gives 0, and so does
// a number too large for a double.
double leadingNumber(std::string_view text);
// The characters of that number ("-1.50e3", "+2."), empty when the text
// has none; for reading it exactly rather than as a double.
std::string_view leadingNumberText(std::string_view text);
// The same for a text typed with the locale's decimal separator (a cell of
// the grid read as a plain number, its prefix letter ignored).
double leadingNumber(std::string_view text, std::string_view decimalSeparator);

} // namespace kestrel
