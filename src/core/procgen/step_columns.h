#pragma once
// Where each field of a calibrator step stands: 1-based columns of the step
// body, each under its title in the column header. Tessel reads these
// columns, so every generator writes through these names.
#include <cstddef>

namespace kestrel::column {

inline constexpr std::size_t kFsc = 1;
inline constexpr std::size_t kRange = 8;     // the meter steps put a blank at 7 and the number from 8
inline constexpr std::size_t kNominal = 14;
inline constexpr std::size_t kTolerance = 29;
inline constexpr std::size_t kMod1 = 43;
inline constexpr std::size_t kMod2 = 58;     // two letters end at its last column, 60
inline constexpr std::size_t kMod3 = 61;
inline constexpr std::size_t kMod4 = 64;
inline constexpr std::size_t kCon = 67;

inline constexpr std::size_t kMeterBodyWidth = 68; // a meter step body never grows past CON
inline constexpr std::size_t kScopeLineWidth = 78; // scope calibrator lines keep their trailing blanks

} // namespace kestrel::column
