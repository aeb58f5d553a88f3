#pragma once
// Numbers as the program reads and writes them. Users type engineering
// notation with the locale's decimal separator and at most one prefix letter
// at the end (200m, 1,5K, 10µ); the grid's cells are held with "." as the
// decimal mark, as files and procedures write it, and turned to and from
// the locale's separator only where the grid shows and takes them.
#include "core/base/leading_number.h"
#include "core/spec/decimal.h"

#include <string>
#include <string_view>

namespace kestrel {

// The decimal mark of a held cell.
inline constexpr std::string_view kHeldDecimalMark = ".";

// A held cell as the grid shows it, and a cell as the grid took it (typed
// or pasted with the locale's separator) as it is held. The key filter lets
// no "." into a cell under a "," locale, so the two undo each other.
std::string shownCell(std::string_view held, std::string_view decimalSeparator);
std::string heldCell(std::string_view shown, std::string_view decimalSeparator);

// Rounds to 15 significant digits, the precision every number of a
// procedure is written with.
double round15(double value);

// Text_To_Value: engineering notation to base units. The locale's
// separator becomes "."; the last prefix letter found in the order
// p n u µ m k K M G decides the factor ("10mM" reads as 1e7).
double textToValue(std::string_view text, std::string_view decimalSeparator);

// The same reading with the value kept exact: the typed digits rounded to
// 15 significant digits, shifted by the prefix letter's power of ten.
Decimal exactTextToValue(std::string_view text, std::string_view decimalSeparator);

// leadingNumber exactly as typed ("0.1" is one tenth); 0 wherever
// leadingNumber gives 0, a number beyond a double's range included.
Decimal exactLeadingNumber(std::string_view text, std::string_view decimalSeparator);

// The shortest decimal text of a value with at most 15 significant digits
// and "." as decimal mark: no exponent, no trailing zeros or point, "0."
// before values below 1 ("0.5", "-0.25", "1100", "73.3333333333333").
std::string numberText(double value);

// As numberText, without the zero before the point of a value below 1
// (".2"), the form of a procedure's RANGE field.
std::string rangeNumberText(double value);

} // namespace kestrel
