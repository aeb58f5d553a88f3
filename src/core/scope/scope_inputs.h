#pragma once
// The oscilloscope under test and its calibrator, as entered on the Scopes
// page. Lists are held by entry index; their entry texts are fixed here.
#include "core/spec/first_start.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrel {

// The generator that writes a scope standard's procedure: the multi-channel
// one routes the calibrator to every channel at once.
enum class ScopeGenerator { SingleChannel, MultiChannel };

// A scope calibration standard: its `ScopeReference` entry, whose first four
// characters are the calibrator's FSC, the generator that serves it, whether
// it is a 300 MHz option and whether it can measure input impedance.
struct ScopeStandard {
    std::string_view name;
    ScopeGenerator generator;
    bool is300MHz;
    bool measuresImpedance;
};

// The scope standards, in list order; every fact of a standard is here.
inline constexpr std::array<ScopeStandard, 10> kScopeStandards{{
    {"7300 - 300 Mhz", ScopeGenerator::SingleChannel, true, false},
    {"7300 - 600 Mhz", ScopeGenerator::SingleChannel, false, false},
    {"7320 - 300 Mhz", ScopeGenerator::SingleChannel, true, false},
    {"7320 - 600 Mhz", ScopeGenerator::SingleChannel, false, true},
    {"7320 - 1.1 Ghz", ScopeGenerator::SingleChannel, false, true},
    {"8240 - 1 Channel", ScopeGenerator::SingleChannel, false, true},
    {"8240 - 5 Channel", ScopeGenerator::MultiChannel, false, true},
    {"6400", ScopeGenerator::SingleChannel, false, false},
    {"8600 - 1 Channel", ScopeGenerator::SingleChannel, false, true},
    {"8600 - 4 Channel", ScopeGenerator::MultiChannel, false, true},
}};

// `ScopeReference`: the standards' entries, for the list and the files.
inline constexpr auto kScopeReferences = [] {
    std::array<std::string_view, kScopeStandards.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = kScopeStandards[i].name;
    return names;
}();

// The standard at a list index; nullopt outside the list.
std::optional<ScopeStandard> scopeStandard(int scopeReferenceIndex);
// The channel counts to test, and the list entries that show them ("2 "
// with a trailing blank).
inline constexpr std::array<int, 3> kChannelCounts{4, 2, 1};
inline constexpr std::array<std::string_view, kChannelCounts.size()> kNumChannels{"4", "2 ", "1"};
inline constexpr std::array<std::string_view, 6> kVertGain1{
    "50 mv/div", "20 mv/div", "10 mv/div", "5 mv/div", "2 mv/div", "1 mv/div"};
inline constexpr std::array<std::string_view, 6> kVertGain2{
    "5 v/div", "2 v/div", "1 v/div", "0.5 v/div", "200 mv/div", "100 mv/div"};
inline constexpr std::array<std::string_view, 17> kSweep1{"1 ns/div", "2 ns/div", "5 ns/div", "10 ns/div", "100 ns/div",
    "1 \xC2\xB5s/div", "10 \xC2\xB5s/div", "20 \xC2\xB5s/div", "50 \xC2\xB5s/div", "100 \xC2\xB5s/div",
    "200 \xC2\xB5s/div", "500 \xC2\xB5s/div", "1 ms/div", "2ms/div", "5ms/div", "10ms/div", "20ms/div"};
inline constexpr std::array<std::string_view, 7> kSweep2{
    "50 ms/div", "100 ms/div", "200 ms/div", "500 ms/div", "1 s/div", "2 s/div", "5 s/div"};
inline constexpr std::array<std::string_view, 7> kBandwidths{"2000", "1000", "500", "300", "200", "150", "100"};

struct ScopeInputs {
    int reference = firststart::kScopeReferenceIndex; // kScopeReferences
    int numChannels = firststart::kChannelsIndex;     // kNumChannels
    int vertGain1 = firststart::kVertGainLowIndex;    // kVertGain1
    int vertGain2 = firststart::kVertGainHighIndex;   // kVertGain2
    std::string verticalAccuracy = std::string(firststart::kVerticalAccuracy);
    int sweep1 = firststart::kSweepFastIndex; // kSweep1
    int sweep2 = firststart::kSweepSlowIndex; // kSweep2
    std::string timebaseAccuracy = std::string(firststart::kTimebaseAccuracy);
    std::string bandwidth = std::string(firststart::kBandwidth); // editable list: any digits
    bool risetimeTest = firststart::kRisetimeTest;
    std::string risetime;
    bool impedanceTest = firststart::kImpedanceTest;
    std::string accuracy1MOhm;
    std::string accuracy50Ohm;
    std::string capacitance;
    std::string capAccuracy;

    bool operator==(const ScopeInputs&) const = default;
};

// The text fields of the Scopes page and the keys each accepts (Backspace
// always passes). The accuracy fields take digits and "."; bandwidth and
// risetime whole numbers only.
enum class ScopeField {
    VerticalAccuracy,
    TimebaseAccuracy,
    Bandwidth,
    Risetime,
    Accuracy1MOhm,
    Accuracy50Ohm,
    Capacitance,
    CapAccuracy
};

// The name of a field in a specification file, which is also how the
// procedure's field-width check names the input a text came from.
std::string_view scopeFieldKey(ScopeField field);

inline bool scopeFieldAccepts(ScopeField field, char key)
{
    if (key == '\b' || (key >= '0' && key <= '9'))
        return true;
    return key == '.' && field != ScopeField::Bandwidth && field != ScopeField::Risetime;
}

// The impedance tests need a calibrator that can measure input impedance.
bool impedanceTestAvailable(int scopeReferenceIndex);

// A stored `ScopeReference` index never fails: it is pulled to the nearest
// end of the list.
int clampScopeReferenceIndex(int index);

// ScopeFSC: the first four characters of the entry, the calibrator's FSC
// and the base name of its help and accuracy files.
std::string scopeFsc(int scopeReferenceIndex);
bool is300MHzOption(int scopeReferenceIndex);

// The entry text at a list index; an index outside the list fails as
// "Subscript out of range" (ProcedureFailure kErrSubscript).
std::string_view scopeListEntry(std::span<const std::string_view> list, int index);

// The number of channels to test, by the `NumChannels` entry; an index
// outside the list fails as scopeListEntry does.
int channelCount(const ScopeInputs& inputs);

// chk_Risetime: ticking asks for the risetime test with a 50 ns limit;
// unticking clears the limit. A limit typed earlier is not kept.
void setRisetimeTest(ScopeInputs& inputs, bool on);

// chk_Impedance: ticking fills 13 pF and 0.1 % for the three accuracies,
// unticking clears all four. Ticking is refused (returns false, nothing
// changes) for a calibrator that cannot measure input impedance.
bool setImpedanceTest(ScopeInputs& inputs, bool on);

// A click on a scope standard: the impedance tick never survives a change
// of calibrator. An index outside the list is refused (returns false).
bool selectScopeReference(ScopeInputs& inputs, int index);

// Whether a field takes input: the risetime limit only with the risetime
// test, the four impedance fields only with the impedance test.
bool scopeFieldEnabled(const ScopeInputs& inputs, ScopeField field);
// The text of a field.
std::string& scopeFieldText(ScopeInputs& inputs, ScopeField field);
const std::string& scopeFieldText(const ScopeInputs& inputs, ScopeField field);

// The width in twips of the channel connector picture, wide enough for as
// many connectors as channels; nothing for a channel count it has no
// picture width for.
std::optional<int> connectorPictureWidth(const ScopeInputs& inputs);

} // namespace kestrel
