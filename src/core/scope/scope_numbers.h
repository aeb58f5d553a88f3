#pragma once
// Number texts particular to the scope procedures.
#include <string>

namespace kestrel {

// A value with at least minDecimals and at most maxDecimals decimals,
// rounded half away from zero on its 15-digit decimal form, "." as decimal
// mark and a "0" before the point of values below 1. The risetime limit
// uses one to four decimals: 350 / 300 gives "1.1667", 350 / 350 "1.0".
std::string decimalsText(double value, int minDecimals, int maxDecimals);

} // namespace kestrel
