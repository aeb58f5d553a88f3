#include "core/app/spec_file_keys.h"

#include "core/app/spec_file_names.h"
#include "core/base/text_util.h"
#include "core/spec/standards.h"

namespace kestrel::specfile {
namespace {

using In = const ProcedureInputs&;

// An entry of a fixed list by index; an index outside it (which no reader
// makes) as the first entry, so that a written file still reads.
SpecValue entry(std::span<const std::string_view> list, int index)
{
    return std::string(
        index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)] : list[0]);
}

// The program's CR LF line breaks as the file's "\n".
SpecValue lfText(const std::string& text) { return replaceAll(text, "\r\n", "\n"); }

SpecValue scopeText(In in, ScopeField field) { return scopeFieldText(in.scope, field); }

long long channels(In in)
{
    const int index = in.scope.numChannels >= 0 && in.scope.numChannels < static_cast<int>(kChannelCounts.size())
        ? in.scope.numChannels
        : 0;
    return kChannelCounts[static_cast<std::size_t>(index)];
}

using K = KeyKind;

// The table, built on its first use (the scope fields take their names
// from scopeFieldKey, which the procedure checks name them by too).
const auto& keyTable()
{
    static const std::array kKeys{
        SpecKey{Key::Format, "format", std::nullopt, K::Text},
        SpecKey{Key::Version, "version", std::nullopt, K::WholeNumber},
        SpecKey{
            Key::Page, "page", std::nullopt, K::Choice, [](In in) { return entry(kPages, static_cast<int>(in.page)); }},
        SpecKey{Key::Procedure, "procedure", std::nullopt, K::Object},
        SpecKey{Key::Name, "name", Key::Procedure, K::Text, [](In in) { return SpecValue(in.identity.name); }},
        SpecKey{Key::Author, "author", Key::Procedure, K::Text, [](In in) { return SpecValue(in.identity.author); }},
        SpecKey{
            Key::Revision, "revision", Key::Procedure, K::Text, [](In in) { return SpecValue(in.identity.revision); }},
        SpecKey{Key::Comments, "comments", Key::Procedure, K::Text, [](In in) { return lfText(in.identity.comments); }},
        SpecKey{Key::Options, "options", std::nullopt, K::Object},
        SpecKey{Key::ToleranceStyle, "tolerance_style", Key::Options, K::Choice,
            [](In in) { return entry(kToleranceStyles, static_cast<int>(in.options.toleranceStyle)); }},
        SpecKey{Key::FunctionMessages, "function_messages", Key::Options, K::YesNo,
            [](In in) { return SpecValue(in.options.functionMessages); }},
        SpecKey{Key::Autoranging, "autoranging", Key::Options, K::YesNo,
            [](In in) { return SpecValue(in.options.autoranging); }},
        SpecKey{Key::PostTestWindow, "post_test_window", Key::Options, K::Choice,
            [](In in) { return entry(kPostTestWindows, static_cast<int>(in.options.postTestWindow)); }},
        SpecKey{Key::OperatorButtons, "operator_buttons", Key::Options, K::Object},
        SpecKey{Key::ButtonList, "list", Key::OperatorButtons, K::YesNo,
            [](In in) { return SpecValue(in.options.operatorButtons.list); }},
        SpecKey{Key::ButtonCancel, "cancel", Key::OperatorButtons, K::YesNo,
            [](In in) { return SpecValue(in.options.operatorButtons.cancel); }},
        SpecKey{Key::ButtonRepeat, "repeat", Key::OperatorButtons, K::YesNo,
            [](In in) { return SpecValue(in.options.operatorButtons.repeat); }},
        SpecKey{Key::DataEntry, "data_entry", Key::Options, K::Choice,
            [](In in) { return entry(kDataEntries, static_cast<int>(in.options.dataEntry)); }},
        SpecKey{Key::TurChecking, "tur_checking", Key::Options, K::YesNo,
            [](In in) { return SpecValue(in.options.turChecking); }},
        SpecKey{Key::Measurements, "measurements", Key::Options, K::WholeNumber,
            [](In in) { return SpecValue(static_cast<long long>(in.options.measurements)); }},
        SpecKey{Key::Meter, "meter", std::nullopt, K::Object},
        SpecKey{Key::Reference, "reference", Key::Meter, K::Choice,
            [](In in) { return SpecValue(in.selections.reference); }},
        SpecKey{Key::TcType, "tc_type", Key::Meter, K::Choice, [](In in) { return SpecValue(in.selections.tcType); }},
        SpecKey{
            Key::RtdType, "rtd_type", Key::Meter, K::Choice, [](In in) { return SpecValue(in.selections.rtdType); }},
        SpecKey{Key::TempScale, "temp_scale", Key::Meter, K::Choice,
            [](In in) { return SpecValue(in.selections.tempScale); }},
        SpecKey{Key::Functions, "functions", Key::Meter, K::Functions},
        SpecKey{Key::Scope, "scope", std::nullopt, K::Object},
        SpecKey{Key::ScopeReference, "reference", Key::Scope, K::Choice,
            [](In in) { return entry(kScopeReferences, in.scope.reference); }},
        SpecKey{Key::Channels, "channels", Key::Scope, K::WholeNumber, [](In in) { return SpecValue(channels(in)); }},
        SpecKey{Key::VertGainLow, "vert_gain_low", Key::Scope, K::Choice,
            [](In in) { return entry(kVertGain1, in.scope.vertGain1); }},
        SpecKey{Key::VertGainHigh, "vert_gain_high", Key::Scope, K::Choice,
            [](In in) { return entry(kVertGain2, in.scope.vertGain2); }},
        SpecKey{Key::VerticalAccuracy, scopeFieldKey(ScopeField::VerticalAccuracy), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::VerticalAccuracy); }},
        SpecKey{
            Key::SweepFast, "sweep_fast", Key::Scope, K::Choice, [](In in) { return entry(kSweep1, in.scope.sweep1); }},
        SpecKey{
            Key::SweepSlow, "sweep_slow", Key::Scope, K::Choice, [](In in) { return entry(kSweep2, in.scope.sweep2); }},
        SpecKey{Key::TimebaseAccuracy, scopeFieldKey(ScopeField::TimebaseAccuracy), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::TimebaseAccuracy); }},
        SpecKey{Key::Bandwidth, scopeFieldKey(ScopeField::Bandwidth), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::Bandwidth); }},
        SpecKey{Key::RisetimeTest, "risetime_test", Key::Scope, K::YesNo,
            [](In in) { return SpecValue(in.scope.risetimeTest); }},
        SpecKey{Key::Risetime, scopeFieldKey(ScopeField::Risetime), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::Risetime); }},
        SpecKey{Key::ImpedanceTest, "impedance_test", Key::Scope, K::YesNo,
            [](In in) { return SpecValue(in.scope.impedanceTest); }},
        SpecKey{Key::Accuracy1MOhm, scopeFieldKey(ScopeField::Accuracy1MOhm), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::Accuracy1MOhm); }},
        SpecKey{Key::Accuracy50Ohm, scopeFieldKey(ScopeField::Accuracy50Ohm), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::Accuracy50Ohm); }},
        SpecKey{Key::Capacitance, scopeFieldKey(ScopeField::Capacitance), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::Capacitance); }},
        SpecKey{Key::CapAccuracy, scopeFieldKey(ScopeField::CapAccuracy), Key::Scope, K::Text,
            [](In in) { return scopeText(in, ScopeField::CapAccuracy); }},
        SpecKey{Key::Connections, "connections", std::nullopt, K::Records},
        SpecKey{Key::RecordFunction, "function", Key::Connections, K::Text},
        SpecKey{Key::RecordColumn, "column", Key::Connections, K::WholeNumber},
        SpecKey{Key::RecordPicture, "picture", Key::Connections, K::Text},
        SpecKey{Key::RecordText, "text", Key::Connections, K::Text},
    };
    return kKeys;
}

} // namespace

std::span<const SpecKey> specKeys() { return keyTable(); }

const SpecKey& specKey(Key key)
{
    // The table lists the keys in the order of the enum (a test checks).
    return keyTable()[static_cast<std::size_t>(key)];
}

std::string keyName(Key key) { return std::string(specKey(key).name); }

std::string keyPath(Key key)
{
    const SpecKey& k = specKey(key);
    return k.parent ? keyPath(*k.parent) + "." + std::string(k.name) : std::string(k.name);
}

std::string recordKeyPath(std::size_t index, Key key)
{
    return keyPath(Key::Connections) + "[" + std::to_string(index) + "]." + keyName(key);
}

std::vector<Key> keysOf(std::optional<Key> parent)
{
    std::vector<Key> keys;
    for (const SpecKey& k : keyTable())
        if (k.parent == parent)
            keys.push_back(k.key);
    return keys;
}

std::optional<SpecValue> defaultValue(Key key)
{
    const SpecKey& k = specKey(key);
    if (!k.value)
        return std::nullopt;
    static const ProcedureInputs firstStart;
    return k.value(firstStart);
}

} // namespace kestrel::specfile
