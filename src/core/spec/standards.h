#pragma once
// The calibration standards and the option lists whose contents depend on
// the chosen standard. The lists are fixed data; the thermocouple and RTD
// lists are refilled whenever the meter standard changes, because the 6400
// sources fewer sensor types than the other calibrators.
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace kestrel {

// `Reference`: the meter calibration standards, in list order.
inline constexpr std::array<std::string_view, 12> kReferences{
    "3300", "3302", "3304", "3306", "3400", "3402", "3406", "7300", "7320", "7600", "7620", "6400"};

enum class CalibratorFamily { Family3xxx, Family73xx, Family76xx, Family64xx };

// The generator family of a `Reference` text, decided by its first four
// characters ("7300", "7320", "7600", "7620", "6400") or, for the 3XXX
// models, by its first character; nullopt for any other text.
std::optional<CalibratorFamily> familyOf(std::string_view referenceText);

// `TCtypes` as filled for a standard: "U" is an eleventh type except on the
// 6400. The selection after every fill is kDefaultTcTypeIndex ("J").
std::vector<std::string_view> tcTypes(std::string_view referenceText);
inline constexpr int kDefaultTcTypeIndex = 3;

// `RTDtypes` as filled for a standard: two types on the 6400, eight on the
// others ("10 ohm  Cu" keeps its two blanks). Selection after a fill: 0.
std::vector<std::string_view> rtdTypes(std::string_view referenceText);
inline constexpr int kDefaultRtdTypeIndex = 0;

// The list index of an RTD type for a standard; the generators write
// index + 1 as the sensor number. -1 when the type is not in the list.
int rtdTypeIndex(std::string_view referenceText, std::string_view rtdType);

inline constexpr std::array<std::string_view, 2> kTempScales{"\xC2\xB0"
                                                             "C",
    "\xC2\xB0"
    "F"};

// `Units` of the mechanical page.
inline constexpr std::array<std::string_view, 7> kUnits{"PSI", "Lbs", "In", "cm", "mm", "ft-lbs", "RPM"};

// `Meas_Unc_No_Readings`: "0" to "10"; the index is the number itself.
inline constexpr int kMeasurementChoices = 11;

// A stored list index never fails: an out-of-range value is pulled to the
// nearest end of the list.
int clampReferenceIndex(int index);
// The list index of a `Reference` text, -1 when the list has none.
int referenceIndex(std::string_view referenceText);

} // namespace kestrel
