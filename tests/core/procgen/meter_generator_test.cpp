// The 7300/7320 procedure: sections, fields, fixed and AC limits, TOL steps.
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

class Meter73xx : public ::testing::Test {
protected:
    Lines body(const std::string& reference = "7300")
    {
        inputs.selections.reference = reference;
        const GeneratedProcedure p = meterProcedure73xx(inputs, texts, sink);
        EXPECT_FALSE(p.failed);
        text = p.text;
        return bodyLines(p.text);
    }

    ProcedureInputs inputs = test::meterInputs("7300");
    EnglishLookup texts;
    test::RecordingSink sink;
    std::string text;
};

TEST_F(Meter73xx, DcVoltsSectionWithModeMessageAndTwoTests)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "200.00m"}, {RowReadingPct, "0.05"}, {RowDigits, "2"}});
    setColumn(inputs, F::Dcv, 1, {{RowRange, "2.0000"}, {RowLevel, "1.9"}, {RowReadingPct, "0.05"}});
    EXPECT_EQ(body(), (Lines{
                          "  1.007  HEAD   \\{DC Volts Test\\}",
                          "#------------------------------",
                          "  1.008  DISP         Set UUT mode to dcv",
                          stepLine("1.009", {{1, "7300"}, {8, "200"}, {14, "200.00mV"}, {29, "0.05% 0.02U"}, {67, "2W"}}),
                          stepLine("2.001", {{1, "7300"}, {8, "2"}, {14, "1.9V"}, {29, "0.05% "}, {67, "2W"}}),
                          "",
                          "",
                          "",
                      }));
    EXPECT_NE(text.find("NUMBER OF TESTS:       3\r\nNUMBER OF LINES:       19\r\n"), std::string::npos);
}

TEST_F(Meter73xx, EmptyFirstRangeLeavesTheFunctionOutAndAGapEndsIt)
{
    setColumn(inputs, F::Dcv, 1, {{RowRange, "2"}});
    setColumn(inputs, F::Acv, 0, {{RowRange, "2"}});
    setColumn(inputs, F::Acv, 2, {{RowRange, "20"}});
    inputs.options.functionMessages = false;
    const Lines lines = body();
    EXPECT_EQ(lines, (Lines{
                         "  1.007  Head   \\{AC Volts Test\\}",
                         "#------------------------------",
                         stepLine("1.008", {{1, "7300"}, {8, "2"}, {14, "2V"}, {43, "1KH"}, {58, "SI"}, {67, "2W"}}),
                         "",
                         "",
                         "",
                     }));
}

TEST_F(Meter73xx, BlankTestLevelMeansTheRangeValue)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "20.000"}, {RowLevel, "   "}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body()[2], stepLine("1.008", {{1, "7300"}, {8, "20"}, {14, "20.000V"}, {67, "2W"}}));
}

TEST_F(Meter73xx, DcVoltsAboveTheLimitAreReducedWithAComment)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "1000"}, {RowLevel, "1200"}});
    inputs.options.functionMessages = false;
    const Lines lines = body();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "# Voltage reduced from 1200 volts to 1100 volts due to 7300 limits");
    EXPECT_EQ(lines[4], stepLine("1.008", {{1, "7300"}, {8, "1000"}, {14, "1100"}, {67, "2W"}}));
}

TEST_F(Meter73xx, NominalAtTheLimitIsNotReduced)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "1100"}});
    setColumn(inputs, F::Dcv, 1, {{RowRange, "1000"}, {RowLevel, "-1200"}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body()[2], stepLine("1.008", {{1, "7300"}, {8, "1100"}, {14, "1100V"}, {67, "2W"}}));
    EXPECT_EQ(body()[3], stepLine("2.001", {{1, "7300"}, {8, "1000"}, {14, "-1200V"}, {67, "2W"}}));
}

TEST_F(Meter73xx, The7320SwitchesToHighCurrentAbove2999mA)
{
    setColumn(inputs, F::Dci, 0, {{RowRange, "10"}, {RowLevel, "5"}});
    setColumn(inputs, F::Dci, 1, {{RowRange, "3"}, {RowLevel, "2.999"}});
    setColumn(inputs, F::Dci, 2, {{RowRange, "30"}, {RowLevel, "25"}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body("7320"), (Lines{
                                "  1.007  Head   \\{DC Current Test\\}",
                                "#-----------------------------",
                                stepLine("1.008", {{1, "7320"}, {8, "10"}, {14, "5A"}, {61, "HC"}, {67, "2W"}}),
                                stepLine("2.001", {{1, "7320"}, {8, "3"}, {14, "2.999A"}, {67, "2W"}}),
                                "",
                                "# Current reduced from 25A to 20.5A due to 7320 limits",
                                stepLine("3.001", {{1, "7320"}, {8, "30"}, {14, "20.5"}, {61, "HC"}, {67, "2W"}}),
                                "",
                                "",
                                "",
                            }));
}

TEST_F(Meter73xx, The7300NeverWritesHighCurrentAndReducesAbove10999mA)
{
    setColumn(inputs, F::Dci, 0, {{RowRange, "10"}, {RowLevel, "5"}});
    setColumn(inputs, F::Dci, 1, {{RowRange, "20"}, {RowLevel, "11"}});
    inputs.options.functionMessages = false;
    const Lines lines = body();
    EXPECT_EQ(lines[2], stepLine("1.008", {{1, "7300"}, {8, "10"}, {14, "5A"}, {67, "2W"}}));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "# Current reduced from 11A to 10.999A due to 7300 limits");
    EXPECT_EQ(lines[5], stepLine("2.001", {{1, "7300"}, {8, "20"}, {14, "10.999"}, {67, "2W"}}));
}

TEST_F(Meter73xx, ToleranceOfFourteenCharactersGetsItsOwnStep)
{
    // "0.05% 0.0035/ " is 14 characters; "0.05% 0.035/ " is 13.
    setColumn(inputs, F::Dcv, 0, {{RowRange, "10"}, {RowReadingPct, "0.05"}, {RowRangePct, "0.0035"}});
    setColumn(inputs, F::Dcv, 1, {{RowRange, "10"}, {RowReadingPct, "0.05"}, {RowRangePct, "0.035"}});
    setColumn(inputs, F::Dci, 0, {{RowRange, "1"}, {RowReadingPct, "0.05"}, {RowRangePct, "0.0035"}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body(), (Lines{
                          "  1.007  HEAD   \\{DC Volts Test\\}",
                          "#------------------------------",
                          "",
                          "  1.008  TOL 0.05% 0.0035/ ",
                          stepLine("1.009", {{1, "7300"}, {8, "10"}, {14, "10V"}, {29, "TOL"}, {67, "2W"}}),
                          stepLine("2.001", {{1, "7300"}, {8, "10"}, {14, "10V"}, {29, "0.05% 0.035/ "}, {67, "2W"}}),
                          "",
                          "",
                          "",
                          "  3.001  Head   \\{DC Current Test\\}",
                          "#-----------------------------",
                          "  3.002  TOL 0.05% 0.0035/ ", // no blank line before it outside the volts sections
                          stepLine("3.003", {{1, "7300"}, {8, "1"}, {14, "1A"}, {29, "TOL"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                      }));
}

TEST_F(Meter73xx, AcVoltsReducedAtHighFrequencyAndFrequencyRaisedBelow10Hz)
{
    setColumn(inputs, F::Acv, 0, {{RowRange, "750"}, {RowLevel, "700"}, {RowReadingPct, "0.6"}, {RowFrequency, "50K"}});
    setColumn(inputs, F::Acv, 1, {{RowRange, "750"}, {RowLevel, "700"}, {RowFrequency, "5"}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body(), (Lines{
                          "  1.007  Head   \\{AC Volts Test\\}",
                          "#------------------------------",
                          "",
                          "# Voltage reduced from 700 volts to 32.0 volts due to 7300 limits",
                          stepLine("1.008", {{1, "7300"}, {8, "750"}, {14, "32.0V"}, {29, "0.6% "}, {43, "50KH"}, {58, "SI"}, {67, "2W"}}),
                          "",
                          "# Frequency changed from 5hz to 10hz due to 7300 limits",
                          stepLine("2.001", {{1, "7300"}, {8, "750"}, {14, "700V"}, {43, "10H"}, {58, "SI"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                      }));
}

TEST_F(Meter73xx, AcFrequencyRunsOnFromColumnToColumn)
{
    setColumn(inputs, F::Aci, 0, {{RowRange, "100m"}});
    setColumn(inputs, F::Aci, 1, {{RowRange, "1"}, {RowFrequency, "5K"}});
    setColumn(inputs, F::Aci, 2, {{RowRange, "2"}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body("7320"), (Lines{
                                "  1.007  Head   \\{AC Current Test\\}",
                                "#-----------------------------",
                                stepLine("1.008", {{1, "7320"}, {8, "100"}, {14, "100mA"}, {43, "1KH"}, {58, "SI"}, {67, "2W"}}),
                                stepLine("2.001", {{1, "7320"}, {8, "1"}, {14, "1A"}, {43, "5KH"}, {58, "SI"}, {67, "2W"}}),
                                stepLine("3.001", {{1, "7320"}, {8, "2"}, {14, "2A"}, {43, "5KH"}, {58, "SI"}, {67, "2W"}}),
                                "",
                                "",
                                "",
                            }));
}

TEST_F(Meter73xx, AcCurrentOn7320GetsHighCurrentAndItsLimits)
{
    setColumn(inputs, F::Aci, 0, {{RowRange, "10"}, {RowLevel, "5"}, {RowFrequency, "7K"}});
    inputs.options.functionMessages = false;
    const Lines lines = body("7320");
    EXPECT_EQ(lines[3], "# Current reduced from 5A to 2.9A due to 7320 limits");
    EXPECT_EQ(lines[4], stepLine("1.008", {{1, "7320"}, {8, "10"}, {14, "2.9A"}, {43, "7KH"}, {58, "SI"}, {61, "HC"}, {67, "2W"}}));
}

TEST_F(Meter73xx, ResistanceComparedByFullValueRangeShowsTheNumberOnly)
{
    setColumn(inputs, F::Ohm, 0, {{RowRange, "1.5K"}, {RowReadingPct, "0.1"}});
    setColumn(inputs, F::Ohm, 1, {{RowRange, "400M"}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body(), (Lines{
                          "  1.007  Head   \\{Resistance Test\\}",
                          "#--------------------------------",
                          stepLine("1.008", {{1, "7300"}, {8, "1.5"}, {14, "1.5KZ"}, {29, "0.1% "}, {67, "2W"}}),
                          "",
                          "# Resistance reduced from 400MZ to 330000000Z due to 7300 limits",
                          stepLine("2.001", {{1, "7300"}, {8, "400"}, {14, "329.999MZ"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                      }));
}

TEST_F(Meter73xx, ThermocoupleAndRtdFields)
{
    setColumn(inputs, F::Tc, 0, {{RowRange, "-200.0"}, {RowReadingPct, "0.2"}, {RowFixed, "0.3"}});
    setColumn(inputs, F::Rtd, 0, {{RowRange, "100"}, {RowLevel, "0.5"}});
    inputs.selections.tcType = "K";
    inputs.selections.rtdType = "100 ohm Pt 3926";
    inputs.selections.tempScale = "\xC2\xB0" "F";
    inputs.options.functionMessages = false;
    EXPECT_EQ(body(), (Lines{
                          "  1.007  Head   \\{Temperature TC Test\\}",
                          "#----------------------------------",
                          stepLine("1.008", {{1, "7300"}, {8, "200"}, {14, "-200.0degF"}, {29, "0.2% 0.3U"}, {58, "_K TC"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                          "  2.001  Head   \\{Temperature RTD Test\\}",
                          "#-------------------------",
                          stepLine("2.002", {{1, "7300"}, {8, "100"}, {14, "0.5degF"}, {43, "R2"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                      }));
}

TEST_F(Meter73xx, CapacitanceAndFrequencyLimitsPerModel)
{
    setColumn(inputs, F::Cap, 0, {{RowRange, "10m"}, {RowLevel, "5m"}});
    setColumn(inputs, F::Freq, 0, {{RowRange, "1.000M"}});
    setColumn(inputs, F::Freq, 1, {{RowRange, "3M"}});
    inputs.options.functionMessages = false;
    const Lines on7300 = body("7300");
    EXPECT_EQ(on7300, (Lines{
                          "  1.007  Head   \\{Capacitance Test\\}",
                          "#---------------------------------",
                          "",
                          "# Capacitance reduced from 5mf to 0.0011f due to 7300 limits",
                          stepLine("1.008", {{1, "7300"}, {8, "10"}, {14, "1100uf"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                          "  2.001  Head   \\{Frequency Test\\}",
                          "#-------------------------------",
                          stepLine("2.002", {{1, "7300"}, {8, "1"}, {14, "1.000MH"}, {43, "300mv"}, {58, "SI"}, {67, "2W"}}),
                          "",
                          "# Frequency changed from 3Mhz to 2000000hz due to 7300 limits",
                          stepLine("3.001", {{1, "7300"}, {8, "3"}, {14, "2.000MH"}, {43, "300mv"}, {58, "SI"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                      }));
    EXPECT_EQ(body("7320")[4], stepLine("1.008", {{1, "7320"}, {8, "10"}, {14, "1.10mf"}, {67, "2W"}}));
}

TEST_F(Meter73xx, MicroAndLocaleSeparatorBecomeProcedureNotation)
{
    inputs.decimalSeparator = ",";
    setColumn(inputs, F::Dci, 0, {{RowRange, "200,0\xC2\xB5"}, {RowReadingPct, "0,05"}, {RowDigits, "3"}});
    inputs.options.functionMessages = false;
    const Lines lines = body();
    EXPECT_EQ(lines[2], stepLine("1.008", {{1, "7300"}, {8, "200"}, {14, "200.0uA"}, {29, "0.05% 0.3U"}, {67, "2W"}}));
}

TEST_F(Meter73xx, RangeBelowOneHasNoLeadingZero)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "0.2"}});
    inputs.options.functionMessages = false;
    EXPECT_EQ(body()[2], stepLine("1.008", {{1, "7300"}, {7, " .2"}, {14, "0.2V"}, {67, "2W"}}));
}

TEST_F(Meter73xx, InstructionRecordReplacesTheModeMessage)
{
    setColumn(inputs, F::Dcv, 0, {{RowRange, "2"}});
    setColumn(inputs, F::Dcv, 1, {{RowRange, "20"}});
    inputs.connections.append({"dcv", "0", "leads.bmp", "Connect the leads"});
    inputs.options.autoranging = false;
    EXPECT_EQ(body(), (Lines{
                          "  1.007  HEAD   \\{DC Volts Test\\}",
                          "#------------------------------",
                          "  1.008  DISP         Connect the leads",
                          "  1.009  PIC          leads.bmp",
                          "",
                          stepLine("1.010", {{1, "7300"}, {8, "2"}, {14, "2V"}, {67, "2W"}}),
                          "  2.001  DISP         Set UUT range to 20",
                          stepLine("2.002", {{1, "7300"}, {8, "20"}, {14, "20V"}, {67, "2W"}}),
                          "",
                          "",
                          "",
                      }));
}

TEST_F(Meter73xx, NothingEnteredGivesNoText)
{
    const GeneratedProcedure p = meterProcedure73xx(inputs, texts, sink);
    EXPECT_EQ(p.text, "");
    EXPECT_FALSE(p.failed);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(Meter73xx, PreambleStepsFollowTheLastTestAndCountIt)
{
    for (int c = 0; c < 4; ++c)
        setColumn(inputs, F::Dcv, c, {{RowRange, "2"}});
    body();
    EXPECT_NE(text.find("NUMBER OF TESTS:       5\r\n"), std::string::npos);
    EXPECT_NE(text.find("  5.001  ASK-"), std::string::npos);
    EXPECT_NE(text.find("  5.005  HEAD\r\n  5.006  DISP         !               P R O C E D U R E\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("# Procedure is written"), std::string::npos);
    EXPECT_NE(text.find("# Procedure by Kestrel\r\n# \r\n\r\n\r\n# System Flags\r\n"), std::string::npos);
}

} // namespace
} // namespace kestrel
