// The 3XXX, 76xx and 64xx procedures: where they differ from the 73xx.
#include "core/procgen/meter_generator.h"

#include "core/procgen/meter_test_support.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::bodyLines;
using test::setColumn;
using test::stepLine;
using F = MeterFunction;
using Lines = std::vector<std::string>;

class MeterVariants : public ::testing::Test {
protected:
    Lines body(CalibratorFamily family, const std::string& reference)
    {
        inputs.selections.reference = reference;
        const GeneratedProcedure p = meterProcedure(family, inputs, texts, sink);
        EXPECT_FALSE(p.failed);
        text = p.text;
        return bodyLines(p.text);
    }

    ProcedureInputs inputs = [] {
        ProcedureInputs in = test::meterInputs("3300");
        in.options.functionMessages = false;
        return in;
    }();
    EnglishLookup texts;
    test::RecordingSink sink;
    std::string text;
};

TEST_F(MeterVariants, Family3xxxMeasuresSmallResistancesByHand)
{
    setColumn(inputs, F::Ohm, 0, {{RowRange, "0"}, {RowReadingPct, "0.1"}});
    setColumn(inputs, F::Ohm, 1, {{RowRange, "5"}, {RowReadingPct, "0.1"}});
    setColumn(inputs, F::Ohm, 2, {{RowRange, "1.5K"}, {RowReadingPct, "0.1"}});
    EXPECT_EQ(body(CalibratorFamily::Family3xxx, "3300"),
              (Lines{
                  "  1.007  Head   \\{Resistance Test\\}",
                  "#--------------------------------",
                  "  1.008  DISP         Apply a Short across the UUT input",
                  "  1.009  MEMI         Enter UUT Reading",
                  "  1.010  MEMCX" + std::string(8, ' ') + "0Z" + std::string(13, ' ') + "0.1% ",
                  "  2.001  DISP         Apply a 5 ohm resistor across the UUT input",
                  "  2.002  MEMI         Enter UUT Reading",
                  "  2.003  MEMCX        5Z             0.1% ",
                  // From 10 ohms the decade value at or below the nominal.
                  stepLine("3.001", {{1, "3300"}, {8, "1.5"}, {14, "1.000KZ"}, {29, "0.1% "}, {67, "2W"}}),
                  "",
                  "",
                  "",
              }));
}

TEST_F(MeterVariants, LongToleranceStepComesBeforeTheManualResistanceSteps)
{
    setColumn(inputs, F::Ohm, 0, {{RowRange, "5"}, {RowReadingPct, "0.05"}, {RowRangePct, "0.0035"}});
    const Lines lines = body(CalibratorFamily::Family3xxx, "3302");
    EXPECT_EQ(lines[2], "  1.008  TOL 0.05% 0.0035/ ");
    EXPECT_EQ(lines[3], "  1.009  DISP         Apply a 5 ohm resistor across the UUT input");
    EXPECT_EQ(lines[5], "  1.011  MEMCX        5Z             0.05% 0.0035/ ");
}

TEST_F(MeterVariants, Family3xxxCurrentWithAndWithoutThe3711)
{
    setColumn(inputs, F::Dci, 0, {{RowRange, "10"}, {RowLevel, "5"}});
    setColumn(inputs, F::Aci, 0, {{RowRange, "2"}, {RowLevel, "1.999"}});
    inputs.has3711 = true;
    EXPECT_EQ(body(CalibratorFamily::Family3xxx, "3300"),
              (Lines{
                  "  1.007  Head   \\{DC Current Test\\}",
                  "#-----------------------------",
                  stepLine("1.008", {{1, "3300"}, {8, "10"}, {14, "5A"}, {62, "BC"}, {67, "2W"}}),
                  "",
                  "",
                  "",
                  "  2.001  Head   \\{AC Current Test\\}",
                  "#-----------------------------",
                  stepLine("2.002", {{1, "3300"}, {8, "2"}, {14, "1.999A"}, {43, "1KH"}, {62, "BC"}, {67, "2W"}}),
                  "",
                  "",
                  "",
              }));
    inputs.has3711 = false;
    const Lines without = body(CalibratorFamily::Family3xxx, "3300");
    EXPECT_EQ(without[2], "");
    EXPECT_EQ(without[3], "# Current reduced from 5A to 1.99A due to 3300 limits");
    EXPECT_EQ(without[4], stepLine("1.008", {{1, "3300"}, {8, "10"}, {14, "1.99A"}, {67, "2W"}}));
}

TEST_F(MeterVariants, Family3xxxAcWritesNoSenseFlagAndUsesItsOwnLimits)
{
    setColumn(inputs, F::Acv, 0, {{RowRange, "750"}, {RowLevel, "300"}, {RowFrequency, "200K"}});
    setColumn(inputs, F::Aci, 0, {{RowRange, "2"}, {RowLevel, "1500m"}, {RowFrequency, "10K"}});
    const Lines lines = body(CalibratorFamily::Family3xxx, "3406");
    EXPECT_EQ(lines, (Lines{
                         "  1.007  Head   \\{AC Volts Test\\}",
                         "#------------------------------",
                         "",
                         "# Voltage reduced from 300 volts to 200.0 volts due to 3406 limits",
                         stepLine("1.008", {{1, "3406"}, {8, "750"}, {14, "200.0V"}, {43, "200KH"}, {67, "2W"}}),
                         "",
                         "",
                         "",
                         "  2.001  Head   \\{AC Current Test\\}",
                         "#-----------------------------",
                         "",
                         "# Frequency changed from 10Khz to 5.0Khz due to 3406 limits",
                         stepLine("2.002", {{1, "3406"}, {8, "2"}, {14, "1500mA"}, {43, "5.0KH"}, {67, "2W"}}),
                         "",
                         "",
                         "",
                     }));
}

TEST_F(MeterVariants, FrequencyAboveOneMegahertzOn3xxxAnd76xx)
{
    setColumn(inputs, F::Freq, 0, {{RowRange, "2M"}});
    for (const auto& [family, reference] :
         {std::pair{CalibratorFamily::Family3xxx, "3300"}, std::pair{CalibratorFamily::Family76xx, "7620"}}) {
        EXPECT_EQ(body(family, reference),
                  (Lines{
                      "  1.007  Head   \\{Frequency Test\\}",
                      "#-------------------------------",
                      "",
                      std::string("# Frequency changed from 2Mhz to 1000000hz due to ") + reference + " limits",
                      stepLine("1.008", {{1, reference}, {8, "2"}, {14, "1.000MH"}, {43, "300mv"}, {67, "2W"}}),
                      "",
                      "",
                      "",
                  }));
    }
}

TEST_F(MeterVariants, Family76xxBoostsHighAcVoltsWithThe7625)
{
    setColumn(inputs, F::Acv, 0, {{RowRange, "1000"}, {RowLevel, "500"}});
    setColumn(inputs, F::Acv, 1, {{RowRange, "1000"}, {RowLevel, "219"}});
    inputs.has7625 = true;
    EXPECT_EQ(body(CalibratorFamily::Family76xx, "7600"),
              (Lines{
                  "  1.007  Head   \\{AC Volts Test\\}",
                  "#------------------------------",
                  stepLine("1.008", {{1, "7600"}, {8, "1000"}, {14, "500V"}, {43, "1KH"}, {62, "B1"}, {67, "2W"}}),
                  stepLine("2.001", {{1, "7600"}, {8, "1000"}, {14, "219V"}, {43, "1KH"}, {67, "2W"}}),
                  "",
                  "",
                  "",
              }));
    EXPECT_NE(text.find("# Procedure by Kestrel\r\n# \r\n# Procedure is written to use the configured 7625A.\r\n"
                        "\r\n# System Flags\r\n"),
              std::string::npos);
}

TEST_F(MeterVariants, Family76xxCurrentLimitsAndLowFrequency)
{
    setColumn(inputs, F::Dci, 0, {{RowRange, "10"}, {RowLevel, "5"}});
    setColumn(inputs, F::Aci, 0, {{RowRange, "1"}, {RowLevel, "500m"}, {RowFrequency, "20"}});
    const Lines lines = body(CalibratorFamily::Family76xx, "7600");
    EXPECT_EQ(lines, (Lines{
                         "  1.007  Head   \\{DC Current Test\\}",
                         "#-----------------------------",
                         "",
                         "# Current reduced from 5A to 1.99A due to 7600 limits",
                         stepLine("1.008", {{1, "7600"}, {8, "10"}, {14, "1.99A"}, {67, "2W"}}),
                         "",
                         "",
                         "",
                         "  2.001  Head   \\{AC Current Test\\}",
                         "#-----------------------------",
                         "",
                         "# Frequency changed from 20hz to 40hz due to 7600 limits",
                         stepLine("2.002", {{1, "7600"}, {8, "1"}, {14, "500mA"}, {43, "40H"}, {67, "2W"}}),
                         "",
                         "",
                         "",
                     }));
    EXPECT_NE(text.find("# Procedure by Kestrel\r\n# \r\n\r\n# System Flags\r\n"), std::string::npos);
}

TEST_F(MeterVariants, Family76xxResistanceUsesItsOwnFixedValues)
{
    setColumn(inputs, F::Ohm, 0, {{RowRange, "150"}});
    setColumn(inputs, F::Ohm, 1, {{RowRange, "2K"}, {RowLevel, "1.95K"}});
    setColumn(inputs, F::Ohm, 2, {{RowRange, "0.5"}});
    const Lines lines = body(CalibratorFamily::Family76xx, "7600");
    EXPECT_EQ(lines[2], stepLine("1.008", {{1, "7600"}, {8, "150"}, {14, "100Z"}, {67, "2W"}}));
    EXPECT_EQ(lines[3], stepLine("2.001", {{1, "7600"}, {8, "2"}, {14, "1.90KZ"}, {67, "2W"}}));
    EXPECT_EQ(lines[4], stepLine("3.001", {{1, "7600"}, {7, " .5"}, {14, "0Z"}, {67, "2W"}}));
}

TEST_F(MeterVariants, NegativeResistanceOn76xxEndsWithTheFailureMessage)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "2"}});
    setColumn(inputs, F::Ohm, 0, {{RowRange, "100"}});
    setColumn(inputs, F::Ohm, 1, {{RowRange, "-5"}});
    inputs.selections.reference = "7600";
    const GeneratedProcedure p = meterProcedure76xx(inputs, texts, sink);
    EXPECT_TRUE(p.failed);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Procedure Error: \r\n9\r\nSubscript out of range");
    // The text written so far stays, without header.
    EXPECT_EQ(p.text, "  1.007  HEAD   \\{DC Volts Test\\}\r\n"
                      "#------------------------------\r\n" +
                          stepLine("1.008", {{1, "7600"}, {8, "2"}, {14, "2V"}, {67, "2W"}}) +
                          "\r\n\r\n\r\n\r\n"
                          "  2.001  Head   \\{Resistance Test\\}\r\n"
                          "#--------------------------------\r\n" +
                          stepLine("2.002", {{1, "7600"}, {8, "100"}, {14, "100Z"}, {67, "2W"}}) + "\r\n");
}

TEST_F(MeterVariants, ManualTemperatureSection)
{
    setColumn(inputs, F::Tc, 0, {{RowRange, "100"}, {RowReadingPct, "0.5"}});
    setColumn(inputs, F::Tc, 1, {{RowRange, "0.0"}, {RowFixed, "0.3"}});
    setColumn(inputs, F::Tc, 2, {{RowRange, "-200.0"}, {RowReadingPct, "0.2"}, {RowFixed, "0.3"}});
    inputs.selections.tempScale = "\xC2\xB0" "F";
    EXPECT_EQ(body(CalibratorFamily::Family76xx, "7620"),
              (Lines{
                  "  1.007  Head   \\{Temperature TC Test\\}",
                  "#----------------------------------",
                  "# Note: The following tests are performed manually ",
                  "# as the 7620 does not have that function",
                  "",
                  "",
                  "  1.008  MESS",
                  "  1.008  MESS         Set The Temperature Standards To 100\xC2\xB0" "f",
                  "  1.008  MESS",
                  "  1.008  EVAL         Does UUT read  between 99.5 \xC2\xB0" "F and 100.5 \xC2\xB0" "F",
                  "",
                  "  2.001  MESS         Set The Temperature Standards To 0.0\xC2\xB0" "f",
                  "  2.001  MESS",
                  "  2.001  EVAL         Does UUT read 0", // a range that reads as 0 has no limits
                  "",
                  "  3.001  MESS         Set The Temperature Standards To -200.0\xC2\xB0" "f",
                  "  3.001  MESS",
                  // 0.2 % of 200 plus 0.3
                  "  3.001  EVAL         Does UUT read  between -200.7 \xC2\xB0" "F and -199.3 \xC2\xB0" "F",
                  "",
                  "",
                  "",
                  "",
              }));
}

TEST_F(MeterVariants, ManualCapacitanceAndRtdUnderACommaLocale)
{
    inputs.decimalSeparator = ",";
    setColumn(inputs, F::Rtd, 0, {{RowRange, "100,0"}, {RowReadingPct, "0,05"}});
    setColumn(inputs, F::Cap, 0, {{RowRange, "5,00n"}, {RowLevel, "4,70n"}, {RowReadingPct, "1,0"}, {RowDigits, "3"}});
    EXPECT_EQ(body(CalibratorFamily::Family3xxx, "3302"),
              (Lines{
                  "  1.007  Head   \\{Temperature RTD Test\\}",
                  "#-------------------------",
                  "# Note: The following tests are performed manually ",
                  "# as the 3302 does not have that function",
                  "",
                  "",
                  "  1.008  MESS",
                  "  1.008  MESS         Set The Temperature Standards To 100,0\xC2\xB0" "c",
                  "  1.008  MESS",
                  "  1.008  EVAL         Does UUT read  between 99,95 \xC2\xB0" "C and 100,05 \xC2\xB0" "C",
                  "",
                  "",
                  "",
                  "",
                  "  2.001  Head   \\{Capacitance Test\\}",
                  "#---------------------------------",
                  "# Note: The following tests are performed manually ",
                  "# as the 3302 does not have that function",
                  "",
                  "",
                  "  2.002  MESS",
                  "  2.002  MESS         Set The Capacitance Standards To 5,00nf",
                  "  2.002  MESS",
                  // 1 % of 4.70n plus 3 counts of 0.01n, in nanofarads
                  "  2.002  EVAL         Does UUT read between 4,623nf and 4,777nf",
                  "",
                  "",
                  "",
                  "",
              }));
}

TEST_F(MeterVariants, Family64xxLimitsAndUnits)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "1000"}, {RowLevel, "1200"}});
    setColumn(inputs, F::Dci, 0, {{RowRange, "30"}, {RowLevel, "25"}});
    setColumn(inputs, F::Aci, 0, {{RowRange, "30"}, {RowLevel, "25"}, {RowFrequency, "60"}});
    setColumn(inputs, F::Cap, 0, {{RowRange, "10n"}});
    setColumn(inputs, F::Freq, 0, {{RowRange, "200K"}});
    EXPECT_EQ(body(CalibratorFamily::Family64xx, "6400"),
              (Lines{
                  "  1.007  HEAD   \\{DC Volts Test\\}",
                  "#------------------------------",
                  "",
                  "# Voltage reduced from 1200 volts to 1050 volts due to 6400 limits",
                  stepLine("1.008", {{1, "6400"}, {8, "1000"}, {14, "1050"}, {67, "2W"}}),
                  "",
                  "",
                  "",
                  "  2.001  Head   \\{DC Current Test\\}",
                  "#-----------------------------",
                  "",
                  "# Current reduced from 25A to 20A due to 6400 limits",
                  stepLine("2.002", {{1, "6400"}, {8, "30"}, {14, "20.000"}, {67, "2W"}}),
                  "",
                  "",
                  "",
                  "  3.001  Head   \\{AC Current Test\\}",
                  "#-----------------------------",
                  "",
                  "# Current reduced from 25A to 20A due to 6400 limits",
                  stepLine("3.002", {{1, "6400"}, {8, "30"}, {14, "20.000"}, {43, "60H"}, {58, "SI"}, {67, "2W"}}),
                  "",
                  "",
                  "",
                  "  4.001  Head   \\{Capacitance Test\\}",
                  "#---------------------------------",
                  stepLine("4.002", {{1, "6400"}, {8, "10"}, {14, "10nF"}, {67, "2W"}}),
                  "",
                  "",
                  "",
                  "  5.001  Head   \\{Frequency Test\\}",
                  "#-------------------------------",
                  "",
                  "# Frequency changed from 200Khz to 100Khz due to 6400 limits",
                  stepLine("5.002", {{1, "6400"}, {8, "200"}, {14, "100.00KH"}, {43, "300mv"}, {58, "SI"}, {67, "2W"}}),
                  "",
                  "",
                  "",
              }));
    EXPECT_NE(text.find("# Procedure by Kestrel\r\n# \r\n\r\n\r\n# System Flags\r\n"), std::string::npos);
}

TEST_F(MeterVariants, Family64xxResistanceAndCapacitanceLimits)
{
    setColumn(inputs, F::Ohm, 0, {{RowRange, "1G"}});
    setColumn(inputs, F::Cap, 0, {{RowRange, "100m"}, {RowLevel, "50m"}});
    const Lines lines = body(CalibratorFamily::Family64xx, "6400");
    EXPECT_EQ(lines[3], "# Resistance reduced from 1GZ to 400000000Z due to 6400 limits");
    EXPECT_EQ(lines[4], stepLine("1.008", {{1, "6400"}, {8, "1"}, {14, "400.000MZ"}, {67, "2W"}}));
    EXPECT_EQ(lines[11], "# Capacitance reduced from 50mf to 0.04f due to 6400 limits");
    EXPECT_EQ(lines[12], stepLine("2.002", {{1, "6400"}, {8, "100"}, {14, "40.000mF"}, {67, "2W"}}));
}

TEST_F(MeterVariants, Family64xxAcVoltsAndThermocouple)
{
    setColumn(inputs, F::Acv, 0, {{RowRange, "1000"}, {RowLevel, "600"}, {RowFrequency, "20K"}});
    setColumn(inputs, F::Tc, 0, {{RowRange, "100"}});
    inputs.selections.tcType = "T";
    const Lines lines = body(CalibratorFamily::Family64xx, "6400");
    EXPECT_EQ(lines[3], "# Voltage reduced from 600 volts to 525 volts due to 6400 limits");
    EXPECT_EQ(lines[4], stepLine("1.008", {{1, "6400"}, {8, "1000"}, {14, "525V"}, {43, "20KH"}, {58, "SI"}, {67, "2W"}}));
    EXPECT_EQ(lines[10], stepLine("2.002", {{1, "6400"}, {8, "100"}, {14, "100degC"}, {58, "_T TC"}, {67, "2W"}}));
}

} // namespace
} // namespace kestrel
