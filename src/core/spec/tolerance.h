#pragma once
// The TOLERANCE text of a grid column and the small numeric routines the
// meter generators share. Each reads its cells with the decimal mark it is
// given (the held cells' "."), and every text returned here uses that mark.
#include "core/spec/decimal.h"
#include "core/spec/procedure_options.h"
#include "core/spec/spec_table.h"

#include <string>
#include <string_view>

namespace kestrel {

// Decimal::text with the locale's separator as decimal mark.
std::string localNumberText(const Decimal& value, std::string_view decSep);

// The power of ten that rescales a value in base units into the units of a
// range text, from the prefix letters the range holds (each tested on its
// own, case-sensitive: p n µ m K M G): 3 for "200m", -3 for "2K". A "k" or
// a "u" in a range text does not rescale.
int rangeUnitPower(std::string_view rangeText);

// Calc_Tolerance: As Written lists the non-zero accuracy terms as typed with
// Tessel's suffixes ("0.05% 0.01/ 0.002U"); ± Units gives calcAbsTolerance.
std::string calcTolerance(const SpecTable& a, int column, ToleranceStyle style, std::string_view decSep);

// Calc_Floor: the fixed term plus the digits term in the range's units,
// followed by "U"; "" when both are zero. Like calcAbsTolerance it sums the
// typed values exactly and rounds only the written number.
std::string calcFloor(const SpecTable& a, int column, std::string_view decSep);

// Calc_Abs_Tolerance: the whole tolerance in the range's units + "U";
// "0" when the range is empty or zero.
std::string calcAbsTolerance(const SpecTable& a, int column, std::string_view decSep);

// The number calcAbsTolerance writes (0 for an empty range), for EVAL limits.
Decimal absToleranceValue(const SpecTable& a, int column, std::string_view decSep);

// FormatNominal: "µ" becomes "u" and the locale's separator "."; the
// argument is changed as well as returned.
std::string formatNominal(std::string& s, std::string_view decSep);

// Get_Fixed_Ohms_Value: the label of the largest fixed resistance not above
// the value. The 76xx calibrators have their own decade-and-1.9 table; every
// other standard uses the decade box. Below the first entry there is no
// label: throws ProcedureFailure(kErrSubscript, "Subscript out of range").
std::string getFixedOhmsValue(std::string_view s, std::string_view referenceText, std::string_view decSep);

// MultGrid: an engineering-notation text times ten, written back in
// engineering notation with at least as many digits as it had
// ("300" -> "3.00K", "200m" -> "2.00"). Unreadable text counts as 0.
std::string multGrid(std::string_view s, std::string_view decSep);

} // namespace kestrel
