#include "core/procgen/calibrator_limits.h"

#include "support/test_names.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kestrel {
namespace {

using Routine = std::function<LimitResult(std::string_view, std::string_view)>;

struct LimitCase {
    const char* routine;
    const char* frequency;
    const char* amplitude;
    const char* reduced;
    const char* changed;
};

Routine routineNamed(std::string_view name)
{
    if (name == "V7300")
        return limitsVoltHertz7300;
    if (name == "V7320")
        return limitsVoltHertz7320;
    if (name == "A7300")
        return limitsAmpHertz7300;
    if (name == "A7320")
        return limitsAmpHertz7320;
    if (name == "V7600")
        return [](auto f, auto x) { return limitsVoltHertz7600(f, x, false); };
    if (name == "V7600+7625")
        return [](auto f, auto x) { return limitsVoltHertz7600(f, x, true); };
    if (name == "A7600")
        return [](auto f, auto x) { return limitsAmpHertz7600(f, x, false); };
    if (name == "A7600+7625")
        return [](auto f, auto x) { return limitsAmpHertz7600(f, x, true); };
    if (name == "V6400")
        return limitsVoltHertz6400;
    if (name == "V3XXX")
        return limitsVoltHertz3xxx;
    if (name == "A3XXX")
        return [](auto f, auto x) { return limitsAmpHertz3xxx(f, x, false); };
    if (name == "A3XXX+3711")
        return [](auto f, auto x) { return limitsAmpHertz3xxx(f, x, true); };
    return {};
}

class CalibratorLimits : public ::testing::TestWithParam<LimitCase> { };

TEST_P(CalibratorLimits, ReduceAndChangeAsTabled)
{
    const LimitCase& c = GetParam();
    const Routine routine = routineNamed(c.routine);
    ASSERT_TRUE(routine) << c.routine;
    const LimitResult result = routine(c.frequency, c.amplitude);
    EXPECT_EQ(result.reducedValue, c.reduced) << c.routine << " " << c.amplitude << " at " << c.frequency;
    EXPECT_EQ(result.changedFrequency, c.changed) << c.routine << " " << c.amplitude << " at " << c.frequency;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, CalibratorLimits, ::testing::Values(
    // 7300 AC volts: the first band holding f wins, so 45 Hz is still the 3.2 V band.
    LimitCase{"V7300", "45", "1000", "3.20", ""},
    LimitCase{"V7300", "46", "1000", "", ""},
    LimitCase{"V7300", "1K", "1100", "1000", ""},
    LimitCase{"V7300", "15K", "400", "329.0", ""},
    LimitCase{"V7300", "50K", "700", "32.0", ""},
    LimitCase{"V7300", "20K", "329", "", ""},
    LimitCase{"V7300", "200K", "5", "3.20", ""},
    LimitCase{"V7300", "5", "700", "", "10"},          // below every band: only the frequency moves
    LimitCase{"V7300", "5", "1200", "1000", "10"},     // ... and the cap still applies
    LimitCase{"V7300", "600K", "2", "", "500K"},
    LimitCase{"V7300", "", "2", "", "10"},             // no frequency reads as 0
    LimitCase{"V7300", "1K", "abc", "", ""},           // no number reads as 0 and passes
    // 7320: the top band is tested before the middle ones.
    LimitCase{"V7320", "100K", "100", "3.20", ""},
    LimitCase{"V7320", "10K", "1000", "", ""},
    LimitCase{"V7320", "50K", "400", "329.0", ""},
    LimitCase{"V7320", "10", "3.3", "3.20", ""},
    LimitCase{"V7320", "1M", "1", "", "500K"},
    // 7300 AC current.
    LimitCase{"A7300", "5", "2", "", "10"},
    LimitCase{"A7300", "45", "3", "2.2", ""},
    LimitCase{"A7300", "1K", "12", "11", ""},
    LimitCase{"A7300", "1K", "11", "", ""},
    LimitCase{"A7300", "5K", "3", "2.1999", ""},       // 5 kHz belongs to the 1-5 kHz band
    LimitCase{"A7300", "6K", "500m", "330m", ""},
    LimitCase{"A7300", "20K", "100m", "", "10K"},
    // 7320 AC current.
    LimitCase{"A7320", "5K", "25", "20", ""},
    LimitCase{"A7320", "7K", "5", "2.9", ""},
    LimitCase{"A7320", "20K", "500m", "330m", ""},
    LimitCase{"A7320", "40K", "100m", "", "30K"},
    // 7600 AC volts without the amplifier; volt-hertz quotients as plain decimals.
    LimitCase{"V7600", "200K", "100", "", ""},
    LimitCase{"V7600", "200K", "150", "110", ""},
    LimitCase{"V7600", "300K", "100", "73.3333333333333", ""},
    LimitCase{"V7600", "50", "1100", "220.0", ""},
    LimitCase{"V7600", "51", "1100", "", ""},
    LimitCase{"V7600", "5K", "300", "220.0", ""},
    LimitCase{"V7600", "1K", "1200", "1100", ""},
    LimitCase{"V7600", "2M", "1", "", "1M"},
    // 7600 with the 7625.
    LimitCase{"V7600+7625", "35", "300", "220.0", ""},
    LimitCase{"V7600+7625", "20K", "1000", "", ""},
    LimitCase{"V7600+7625", "50K", "1000", "750", ""},
    LimitCase{"V7600+7625", "500K", "50", "44", ""},
    // 7600 AC current: a low frequency is raised, not the current lowered.
    LimitCase{"A7600", "20", "500m", "", "40"},
    LimitCase{"A7600", "20", "200m", "", ""},
    LimitCase{"A7600", "5", "100m", "", "10"},
    LimitCase{"A7600", "5", "500m", "", "40"},
    LimitCase{"A7600", "20K", "1", "", "10.0K"},
    LimitCase{"A7600", "1K", "3", "2.20", ""},
    LimitCase{"A7600", "1K", "3000m", "2200m", ""},
    LimitCase{"A7600+7625", "1K", "3", "", ""},
    LimitCase{"A7600+7625", "1K", "12", "11.0", ""},
    LimitCase{"A7600+7625", "1K", "12000m", "11000m", ""},
    // 6400 AC volts: nothing limits between 40 Hz and 10 kHz but the cap.
    LimitCase{"V6400", "20", "200", "105.0", ""},
    LimitCase{"V6400", "1K", "1000", "", ""},
    LimitCase{"V6400", "1K", "1100", "1050", ""},
    LimitCase{"V6400", "20K", "600", "525", ""},
    LimitCase{"V6400", "30K", "400", "350", ""},
    LimitCase{"V6400", "50K", "200", "105.0", ""},
    LimitCase{"V6400", "200K", "1", "", "100K"},
    // 3XXX AC volts: 100 kHz itself is not yet limited.
    LimitCase{"V3XXX", "100K", "300", "", ""},
    LimitCase{"V3XXX", "100.001K", "300", "200.0", ""},
    LimitCase{"V3XXX", "1K", "1200", "1100", ""},
    LimitCase{"V3XXX", "2M", "5", "", "1M"},
    // 3XXX AC current: only "11.0" has a milliampere form.
    LimitCase{"A3XXX", "1K", "5000m", "1.999", ""},
    LimitCase{"A3XXX", "10K", "1", "", "5.0K"},
    LimitCase{"A3XXX", "5", "1", "", "10"},
    LimitCase{"A3XXX+3711", "10K", "5", "", ""},
    LimitCase{"A3XXX+3711", "1K", "12000m", "11000m", ""},
    LimitCase{"A3XXX+3711", "1K", "12", "11.0", ""},
    LimitCase{"A3XXX+3711", "30K", "1", "", "20.0K"}),
    // "A7600+7625", "1K", "3000m" is A7600_7625_3000m_at_1KHz.
    [](const auto& info) {
        const LimitCase& c = info.param;
        return test::testName(std::string(c.routine) + " " + c.amplitude + " at " +
                              (*c.frequency ? std::string(c.frequency) + "Hz" : "no frequency"));
    });
// clang-format on

} // namespace
} // namespace kestrel
