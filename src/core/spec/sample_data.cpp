// The cell values of the built-in samples, exactly as a user types them
// (with "." as decimal mark; loading converts to the locale's separator).
#include "core/spec/samples.h"

#include "core/i18n/text_numbers.h"

namespace kestrel {
namespace {

using F = MeterFunction;
// Cells by row: range, level, % of reading, % of range, ppm of reading,
// ppm of range, fixed term, digits, frequency.

// Orvik 62: a 4000-count handheld meter, tested at a level below full scale.
constexpr SampleColumn kOrvik62[] = {
    {F::Dcv, {"400.0m", "350.0m", "0.1", "", "", "", "", "1"}},
    {F::Dcv, {"4.000", "3.500", "0.1", "", "", "", "", "1"}},
    {F::Dcv, {"40.00", "35.00", "0.1", "", "", "", "", "1"}},
    {F::Dcv, {"400.0", "350.0", "0.1", "", "", "", "", "1"}},
    {F::Dcv, {"1000", "900", "0.1", "", "", "", "", "1"}},
    {F::Acv, {"400.0m", "350.0m", "1.0", "", "", "", "", "3"}},
    {F::Acv, {"4.000", "3.500", "1.0", "", "", "", "", "3"}},
    {F::Acv, {"40.00", "35.00", "1.0", "", "", "", "", "3"}},
    {F::Acv, {"400.0", "350.0", "1.0", "", "", "", "", "3"}},
    {F::Acv, {"750", "700", "1.0", "", "", "", "", "3"}},
    {F::Dci, {"40.00m", "35.00m", "0.5", "", "", "", "", "1"}},
    {F::Dci, {"400.0m", "350.0m", "0.5", "", "", "", "", "1"}},
    {F::Dci, {"10.00", "9.00", "1.0", "", "", "", "", "2"}},
    {F::Aci, {"40.00m", "35.00m", "1.0", "", "", "", "", "3"}},
    {F::Aci, {"400.0m", "350.0m", "1.0", "", "", "", "", "3"}},
    {F::Aci, {"10.00", "9.00", "1.5", "", "", "", "", "3"}},
    {F::Ohm, {"400.0", "350.0", "0.2", "", "", "", "", "2"}},
    {F::Ohm, {"4.000K", "3.500K", "0.2", "", "", "", "", "1"}},
    {F::Ohm, {"40.00K", "35.00K", "0.2", "", "", "", "", "1"}},
    {F::Ohm, {"400.0K", "350.0K", "0.2", "", "", "", "", "1"}},
    {F::Ohm, {"4.000M", "3.500M", "0.4", "", "", "", "", "1"}},
    {F::Ohm, {"40.00M", "35.00M", "1.0", "", "", "", "", "3"}},
    {F::Cap, {"5.00n", "4.70n", "1.0", "", "", "", "", "3"}},
    {F::Cap, {"50.0n", "47.0n", "1.0", "", "", "", "", "3"}},
    {F::Cap, {"500n", "470n", "1.0", "", "", "", "", "3"}},
    {F::Cap, {"5.00\xC2\xB5", "4.70\xC2\xB5", "1.0", "", "", "", "", "3"}},
    {F::Cap, {"50.0\xC2\xB5", "47.0\xC2\xB5", "2.0", "", "", "", "", "3"}},
    {F::Freq, {"100.00", "60.00", "0.01", "", "", "", "", "1"}},
    {F::Freq, {"1.0000K", "0.5000K", "0.01", "", "", "", "", "1"}},
    {F::Freq, {"10.000K", "5.000K", "0.01", "", "", "", "", "1"}},
    {F::Freq, {"100.00K", "50.00K", "0.01", "", "", "", "", "1"}},
    {F::Freq, {"1.0000M", "0.5000M", "0.01", "", "", "", "", "1"}},
};

constexpr SampleInstruction kOrvik62Instructions[] = {
    {F::Dcv, 0, "Rotate the UUT function switch to dc Volts"},
    {F::Acv, 0, "Rotate the UUT function switch to ac Volts"},
    {F::Dci, 0, "Rotate the UUT function switch to dc mA and move the\r\nred test lead to the mA input"},
    {F::Dci, 2, "Move the red test lead to the 10 A input"},
    {F::Aci, 0, "Rotate the UUT function switch to ac mA and move the\r\nred test lead to the mA input"},
    {F::Aci, 2, "Move the red test lead to the 10 A input"},
    {F::Ohm, 0, "Rotate the UUT function switch to Ohms and move the\r\nred test lead to the V/Ohm input"},
    {F::Cap, 0, "Rotate the UUT function switch to Capacitance"},
    {F::Freq, 0, "Rotate the UUT function switch to Hz"},
};

// Orvik 28: a thermocouple thermometer.
constexpr SampleColumn kOrvik28[] = {
    {F::Tc, {"-200.0", "", "0.2", "", "", "", "0.3"}},
    {F::Tc, {"0.0", "", "", "", "", "", "0.3"}},
    {F::Tc, {"23.0", "", "0.05", "", "", "", "0.3"}},
    {F::Tc, {"1200", "", "0.05", "", "", "", "0.3"}},
};

constexpr SampleInstruction kOrvik28Instructions[] = {
    {F::Tc, 0, "Use thermocouple extension wire and connect the\r\nmodel 28 to the temperature reference"},
};

// Orvik 4919: a data logger with a floor in base units.
constexpr SampleColumn kOrvik4919[] = {
    {F::Dcv, {"90.000m", "", "0.024", "", "", "", "6\xC2\xB5"}},
    {F::Dcv, {"300.00m", "", "0.019", "", "", "", "20\xC2\xB5"}},
    {F::Dcv, {"3.0000", "", "0.019", "", "", "", "200\xC2\xB5"}},
    {F::Dcv, {"30.000", "", "0.019", "", "", "", "2m"}},
    {F::Dcv, {"150.00", "", "0.019", "", "", "", "20m"}},
    {F::Acv, {"300.00m", "", "0.19", "", "", "", "", "10"}},
    {F::Acv, {"3.0000", "", "0.19", "", "", "", "", "10"}},
    {F::Acv, {"30.000", "", "0.19", "", "", "", "", "10"}},
    {F::Acv, {"150.00", "", "0.19", "", "", "", "", "10"}},
    {F::Ohm, {"300.00", "", "0.015", "", "", "", "20m"}},
    {F::Ohm, {"3.0000K", "", "0.015", "", "", "", "200m"}},
    {F::Ohm, {"30.000K", "", "0.015", "", "", "", "2"}},
    {F::Ohm, {"300.00K", "", "0.015", "", "", "", "20"}},
    {F::Ohm, {"3.0000M", "", "0.06", "", "", "", "300"}},
    {F::Tc, {"-100.0", "", "", "", "", "", "0.6"}},
    {F::Tc, {"0.0", "", "", "", "", "", "0.5"}},
    {F::Tc, {"500.0", "", "", "", "", "", "0.6"}},
    {F::Tc, {"1000.0", "", "0.1", "", "", "", "0.6"}},
    {F::Rtd, {"-200.00", "", "", "", "", "", "0.15"}},
    {F::Rtd, {"0.00", "", "", "", "", "", "0.06"}},
    {F::Rtd, {"300.00", "", "0.02", "", "", "", "0.06"}},
    {F::Rtd, {"600.00", "", "0.02", "", "", "", "0.1"}},
    {F::Freq, {"1.0000K", "", "0.01", "", "", "", "", "3"}},
    {F::Freq, {"10.000K", "", "0.01", "", "", "", "", "3"}},
    {F::Freq, {"100.00K", "", "0.01", "", "", "", "", "3"}},
    {F::Freq, {"300.00K", "", "0.01", "", "", "", "", "3"}},
};

constexpr SampleInstruction kOrvik4919Instructions[] = {
    {F::Dcv, 0, "Connect the calibrator to channel 1 and set the\r\nchannel to dc Volts, auto range"},
    {F::Acv, 0, "Set channel 1 of the UUT to ac Volts, auto range"},
    {F::Ohm, 0, "Connect the calibrator to channel 1 with four wires\r\nand set the channel to 4-wire Ohms"},
    {F::Tc, 0, "Set channel 1 to thermocouple type K and connect it\r\nwith thermocouple extension wire"},
    {F::Rtd, 0, "Set channel 1 to RTD Pt 385 and connect it with\r\nfour wires"},
    {F::Freq, 0, "Set channel 1 of the UUT to Frequency"},
};

// Agilent 34401: a bench multimeter, % of reading plus % of range.
constexpr SampleColumn kAgilent34401[] = {
    {F::Dcv, {"100.0000m", "", "0.005", "0.0035"}},
    {F::Dcv, {"1.000000", "", "0.004", "0.0007"}},
    {F::Dcv, {"10.00000", "", "0.0035", "0.0005"}},
    {F::Dcv, {"100.0000", "", "0.0045", "0.0006"}},
    {F::Dcv, {"1000.000", "", "0.0045", "0.0010"}},
    {F::Acv, {"100.0000m", "", "0.6", "0.4", "", "", "", "", "20K"}},
    {F::Acv, {"1.000000", "", "0.6", "0.3"}},
    {F::Acv, {"10.00000", "", "0.6", "0.3"}},
    {F::Acv, {"100.0000", "", "0.6", "0.3"}},
    {F::Acv, {"750.000", "", "0.6", "0.3", "", "", "", "", "10K"}},
    {F::Dci, {"10.00000m", "", "0.5", "0.2"}},
    {F::Dci, {"100.0000m", "", "0.5", "0.5"}},
    {F::Dci, {"1.000000", "", "0.1", "0.1"}},
    {F::Dci, {"3.00000", "", "0.12", "0.2"}},
    {F::Aci, {"1.000000", "", "0.1", "0.4", "", "", "", "", "5K"}},
    {F::Aci, {"3.000000", "", "0.15", "0.6", "", "", "", "", "1K"}},
    {F::Ohm, {"100.0000", "", "0.1", "0.04"}},
    {F::Ohm, {"1000.000", "", "0.1", "0.01"}},
    {F::Ohm, {"10.00000K", "", "0.1", "0.01"}},
    {F::Ohm, {"100.0000K", "", "0.1", "0.01"}},
    {F::Ohm, {"1.000000M", "", "0.1", "0.01"}},
    {F::Ohm, {"10.00000M", "", "0.4", "0.01"}},
    {F::Ohm, {"100.0000M", "", "0.8", "0.1"}},
};

// Orvik 2290: an 8.5-digit reference multimeter, every term in ppm.
constexpr SampleColumn kOrvik2290[] = {
    {F::Dcv, {"100.000000m", "", "", "", "5", "0.5"}},
    {F::Dcv, {"1.00000000", "", "", "", "3", "0.2"}},
    {F::Dcv, {"10.0000000", "", "", "", "3", "0.1"}},
    {F::Dcv, {"100.000000", "", "", "", "4", "0.2"}},
    {F::Dcv, {"1000.00000", "", "", "", "4", "0.2"}},
    {F::Acv, {"100.000000m", "", "", "", "100", "20", "", "", "1K"}},
    {F::Acv, {"1.00000000", "", "", "", "100", "20"}},
    {F::Acv, {"10.0000000", "", "", "", "100", "20"}},
    {F::Acv, {"100.000000", "", "", "", "100", "20"}},
    {F::Acv, {"700.000000", "", "", "", "200", "40"}},
    {F::Dci, {"1.00000000m", "", "", "", "15", "2"}},
    {F::Dci, {"10.0000000m", "", "", "", "15", "2"}},
    {F::Dci, {"100.000000m", "", "", "", "25", "4"}},
    {F::Dci, {"1.00000000", "", "", "", "25", "5"}},
    {F::Aci, {"10.0000000m", "", "", "", "300", "80", "", "", "1K"}},
    {F::Aci, {"100.000000m", "", "", "", "300", "80"}},
    {F::Aci, {"1.00000000", "", "", "", "500", "100"}},
    {F::Ohm, {"10.0000000", "", "", "", "15", "5"}},
    {F::Ohm, {"100.000000", "", "", "", "10", "5"}},
    {F::Ohm, {"1.00000000K", "", "", "", "8", "0.5"}},
    {F::Ohm, {"10.0000000K", "", "", "", "8", "0.5"}},
    {F::Ohm, {"100.000000K", "", "", "", "8", "0.5"}},
    {F::Ohm, {"1.00000000M", "", "", "", "15", "1"}},
    {F::Ohm, {"10.0000000M", "", "", "", "50", "5"}},
    {F::Ohm, {"100.000000M", "", "", "", "500", "50"}},
};

// The test set: points above the calibrators' limits, tolerances too long
// for the TOLERANCE field, frequencies below, inside and above the bands,
// and every function filled.
constexpr SampleColumn kTestSet[] = {
    {F::Dcv, {"200.00m", "", "0.0035", "0.0005", "", "", "2\xC2\xB5", "2"}},
    {F::Dcv, {"2.0000", "1.9", "0.05", "0.01", "", "", "", "2"}},
    {F::Dcv, {"20.000", "-10", "0.05", "", "", "", "", "3"}},
    {F::Dcv, {"-200.00", "", "0.05", "", "", "", "", "3"}},
    {F::Dcv, {"2000.0", "1500", "0.1", "", "", "", "", "5"}},
    {F::Acv, {"20.000m", "", "1.0", "", "", "", "", "20", "5"}},
    {F::Acv, {"200.00m", "", "0.5", "0.1", "", "", "", "20", "1K"}},
    {F::Acv, {"2.0000", "", "0.5", "0.1", "", "", "", "20", "50K"}},
    {F::Acv, {"20.000", "", "0.5", "0.1", "", "", "", "20", "300K"}},
    {F::Acv, {"200.00", "", "0.5", "0.1", "", "", "", "20", "20K"}},
    {F::Acv, {"700.0", "", "0.5", "", "", "", "", "20"}},
    {F::Acv, {"1000.0", "", "0.5", "", "", "", "", "20", "1M"}},
    {F::Dci, {"2.0000m", "", "0.1", "0.02", "", "", "", "5"}},
    {F::Dci, {"200.00m", "", "0.1", "", "", "", "", "5"}},
    {F::Dci, {"2.0000", "", "0.2", "", "", "", "", "5"}},
    {F::Dci, {"30.000", "25", "0.5", "", "", "", "", "5"}},
    {F::Aci, {"200.00m", "", "1.0", "", "", "", "", "20", "5"}},
    {F::Aci, {"2.0000", "", "1.0", "", "", "", "", "20", "1K"}},
    {F::Aci, {"10.000", "", "1.5", "", "", "", "", "20", "5K"}},
    {F::Aci, {"20.000", "", "2.0", "", "", "", "", "20", "20K"}},
    {F::Ohm, {"10.000", "", "0.05", "", "", "", "10m", "3"}},
    {F::Ohm, {"1.0000K", "", "0.05", "", "", "", "", "3"}},
    {F::Ohm, {"100.00K", "", "0.05", "", "10", "5", "", "3"}},
    {F::Ohm, {"10.000M", "", "0.5", "", "", "", "", "3"}},
    {F::Ohm, {"1.0000G", "", "2.0", "", "", "", "", "3"}},
    {F::Tc, {"-200.0", "", "", "", "", "", "0.5"}},
    {F::Tc, {"0.0", "", "", "", "", "", "0.3"}},
    {F::Tc, {"1000.0", "", "0.1", "", "", "", "0.3"}},
    {F::Rtd, {"-100.00", "", "", "", "", "", "0.05"}},
    {F::Rtd, {"0.00", "", "", "", "", "", "0.05"}},
    {F::Rtd, {"400.00", "", "0.01", "", "", "", "0.05"}},
    {F::Cap, {"1.000n", "", "2.0", "", "", "", "", "5"}},
    {F::Cap, {"100.0n", "", "1.0", "", "", "", "", "5"}},
    {F::Cap, {"10.00\xC2\xB5", "", "1.0", "", "", "", "", "5"}},
    {F::Cap, {"2.000m", "", "3.0", "", "", "", "", "5"}},
    {F::Freq, {"100.00", "", "0.01", "", "", "", "", "2"}},
    {F::Freq, {"10.000K", "", "0.01", "", "", "", "", "2"}},
    {F::Freq, {"1.0000M", "", "0.01", "", "", "", "", "2"}},
    {F::Freq, {"5.0000M", "", "0.01", "", "", "", "", "2"}},
};

constexpr SampleInstruction kTestSetInstructions[] = {
    {F::Dcv, 0, "Set the UUT to dc Volts, 200 mV range"},
    {F::Acv, 1, "Set the UUT to ac Volts\r\nand select the 200 mV range\r\nwith the front panel keys"},
    {F::Ohm, 0, "Connect the UUT with four wires"},
};

constexpr std::string_view kOrvik62Name = "Orvik model 62 Multimeter";

constexpr SampleDefinition kSamples[] = {
    {"orvik62-7300", kTextSampleOrvik62With7300, kOrvik62Name, kTextBasedOnOrvik62, "7300", kOrvik62,
        kOrvik62Instructions},
    {"orvik62-6400", kTextSampleOrvik62With6400, kOrvik62Name, kTextBasedOnOrvik62, "6400", kOrvik62,
        kOrvik62Instructions},
    {"orvik28", kTextSampleOrvik28, "Orvik model 28 Digital Thermometer", kTextBasedOnOrvik28, "7300", kOrvik28,
        kOrvik28Instructions, 4, -1, 0},
    {"orvik4919", kTextSampleOrvik4919, "Orvik Model 4919 Tarvo Ledgerbox", kTextBasedOnOrvik4919, "7300", kOrvik4919,
        kOrvik4919Instructions, 4, 0, 0},
    {"agilent34401", kTextSampleAgilent34401, "Agilent 34401 digital multimeter", kTextBasedOnAgilent34401, "7600",
        kAgilent34401, {}},
    // A reference meter is ranged by hand, so its procedure carries range messages.
    {"orvik2290", kTextSampleOrvik2290, "Orvik model 2290 Reference Multimeter", 0, "", kOrvik2290, {}, -1, -1, -1,
        false},
    {"test", kTextSampleTestSet, "Kestrel generator test set", 0, "", kTestSet, kTestSetInstructions, -1, -1, -1,
        false},
};

} // namespace

std::span<const SampleDefinition> samples() { return kSamples; }

} // namespace kestrel
