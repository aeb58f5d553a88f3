#include "core/procgen/calibrator_limits.h"

#include "core/base/text_util.h"
#include "core/spec/numbers.h"

#include <cmath>
#include <limits>
#include <span>

namespace kestrel {
namespace {

// One frequency band, both ends inclusive. A band with a volt-hertz product
// limits the amplitude to product / f and writes that quotient.
struct Band {
    double low;
    double high;
    double limit;
    std::string_view text;
    double voltHertz = 0.0;
};

struct LimitTable {
    double cap;
    std::string_view capText;
    double lowest;
    std::string_view lowestText;
    double highest;
    std::string_view highestText;
    std::span<const Band> bands; // in test order: the first band holding f decides
};

double readValue(std::string_view text) { return textToValue(text, "."); }

LimitResult applyTable(const LimitTable& table, std::string_view frequency, std::string_view amplitude)
{
    LimitResult result;
    const double f = readValue(frequency);
    const double x = readValue(amplitude);
    if (x > table.cap)
        result.reducedValue = table.capText;
    if (f < table.lowest)
        result.changedFrequency = table.lowestText;
    if (f > table.highest)
        result.changedFrequency = table.highestText;
    // Bands are tested on the frequency as given, not on a changed one.
    for (const Band& band : table.bands) {
        if (f < band.low || f > band.high)
            continue;
        if (band.voltHertz != 0.0) {
            const double limit = band.voltHertz / f;
            if (x > limit)
                result.reducedValue = numberText(limit);
        } else if (x > band.limit) {
            result.reducedValue = band.text;
        }
        break;
    }
    return result;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

constexpr Band kVoltBands7300[] = {
    {10, 45, 3.2, "3.20"},
    {45, 10000, 1000, "1000"},
    {10000, 20000, 329, "329.0"},
    {20000, 100000, 32, "32.0"},
    {100000, 500000, 3.2, "3.20"},
};
// The 7320 tests its top band before the middle ones, so 100 kHz itself
// falls into the 3.2 V band.
constexpr Band kVoltBands7320[] = {
    {10, 45, 3.2, "3.20"},
    {100000, 500000, 3.2, "3.20"},
    {45, 10000, 1000, "1000"},
    {10000, 100000, 329, "329.0"},
};
constexpr Band kAmpBands7300[] = {
    {10, 45, 2.2, "2.2"},
    {45, 1000, 11, "11"},
    {1000, 5000, 2.1999, "2.1999"},
    {5000, 10000, 0.33, "330m"},
};
constexpr Band kAmpBands7320[] = {
    {10, 45, 2.9, "2.9"},
    {45, 5000, 20, "20"},
    {5000, 10000, 2.9, "2.9"},
    {10000, 30000, 0.33, "330m"},
};
constexpr Band kVoltBands7600[] = {
    {10, 50, 220, "220.0"},
    {50, 1000, 1100, "1100"},
    {1000, 100000, 220, "220.0"},
    {100000, 1000000, 0, "", 2.2e7},
};
constexpr Band kVoltBands7600With7625[] = {
    {10, 40, 220, "220.0"},
    {40, 30000, 1100, "1100"},
    {30000, 100000, 750, "750"},
    {100000, 1000000, 0, "", 2.2e7},
};
constexpr Band kVoltBands6400[] = {
    {10, 40, 105, "105.0"},
    {10000, 30000, 0, "", 1.05e7},
    {30000, 100000, 105, "105.0"},
};
// Above 100 kHz only; 100 kHz itself is still in the full range.
const Band kVoltBands3xxx[] = {
    {std::nextafter(100000.0, kInfinity), kInfinity, 200, "200.0"},
};

// A current given in milliamperes gets its reduction in milliamperes too.
void toMilliamperes(
    LimitResult& result, std::string_view amplitude, std::string_view amperes, std::string_view milliamperes)
{
    if (contains(amplitude, "m") && result.reducedValue == amperes)
        result.reducedValue = milliamperes;
}

} // namespace

LimitResult limitsVoltHertz7300(std::string_view frequency, std::string_view amplitude)
{
    return applyTable({1000, "1000", 10, "10", 500000, "500K", kVoltBands7300}, frequency, amplitude);
}

LimitResult limitsVoltHertz7320(std::string_view frequency, std::string_view amplitude)
{
    return applyTable({1000, "1000", 10, "10", 500000, "500K", kVoltBands7320}, frequency, amplitude);
}

LimitResult limitsAmpHertz7300(std::string_view frequency, std::string_view amplitude)
{
    return applyTable({11, "11", 10, "10", 10000, "10K", kAmpBands7300}, frequency, amplitude);
}

LimitResult limitsAmpHertz7320(std::string_view frequency, std::string_view amplitude)
{
    return applyTable({20, "20", 10, "10", 30000, "30K", kAmpBands7320}, frequency, amplitude);
}

LimitResult limitsVoltHertz7600(std::string_view frequency, std::string_view amplitude, bool has7625)
{
    const std::span<const Band> bands =
        has7625 ? std::span<const Band>(kVoltBands7600With7625) : std::span<const Band>(kVoltBands7600);
    return applyTable({1100, "1100", 10, "10", 1000000, "1M", bands}, frequency, amplitude);
}

LimitResult limitsVoltHertz6400(std::string_view frequency, std::string_view amplitude)
{
    return applyTable({1050, "1050", 10, "10", 100000, "100K", kVoltBands6400}, frequency, amplitude);
}

LimitResult limitsVoltHertz3xxx(std::string_view frequency, std::string_view amplitude)
{
    return applyTable({1100, "1100", 10, "10", 1000000, "1M", kVoltBands3xxx}, frequency, amplitude);
}

LimitResult limitsAmpHertz7600(std::string_view frequency, std::string_view amplitude, bool has7625)
{
    LimitResult result;
    const double f = readValue(frequency);
    const double x = readValue(amplitude);
    const double cap = has7625 ? 11 : 2.2;
    if (x > cap)
        result.reducedValue = has7625 ? "11.0" : "2.20";
    if (f < 10)
        result.changedFrequency = "10";
    if (f > 10000)
        result.changedFrequency = "10.0K";
    // Below 40 Hz the 7600 sources no more than 220 mA: the frequency is
    // raised instead of the current lowered.
    if (f < 40 && x > 0.22)
        result.changedFrequency = "40";
    toMilliamperes(result, amplitude, "2.20", "2200m");
    toMilliamperes(result, amplitude, "11.0", "11000m");
    return result;
}

LimitResult limitsAmpHertz3xxx(std::string_view frequency, std::string_view amplitude, bool has3711)
{
    LimitResult result;
    const double f = readValue(frequency);
    const double x = readValue(amplitude);
    const double cap = has3711 ? 11 : 1.999;
    if (x > cap)
        result.reducedValue = has3711 ? "11.0" : "1.999";
    if (f < 10)
        result.changedFrequency = "10";
    const double highest = has3711 ? 20000 : 5000;
    if (f > highest)
        result.changedFrequency = has3711 ? "20.0K" : "5.0K";
    toMilliamperes(result, amplitude, "11.0", "11000m");
    return result;
}

} // namespace kestrel
