#include "core/scope/scope_inputs.h"

#include "core/base/failure.h"
#include "core/base/text_util.h"
#include "core/spec/numbers.h"

#include <algorithm>

namespace kestrel {
std::optional<ScopeStandard> scopeStandard(int scopeReferenceIndex)
{
    if (scopeReferenceIndex < 0 || scopeReferenceIndex >= static_cast<int>(kScopeStandards.size()))
        return std::nullopt;
    return kScopeStandards[static_cast<std::size_t>(scopeReferenceIndex)];
}

std::string scopeFsc(int scopeReferenceIndex)
{
    const auto standard = scopeStandard(scopeReferenceIndex);
    return standard ? std::string(standard->name.substr(0, 4)) : std::string();
}

bool is300MHzOption(int scopeReferenceIndex)
{
    const auto standard = scopeStandard(scopeReferenceIndex);
    return standard && standard->is300MHz;
}

bool impedanceTestAvailable(int scopeReferenceIndex)
{
    const auto standard = scopeStandard(scopeReferenceIndex);
    return standard && standard->measuresImpedance;
}

std::string_view scopeListEntry(std::span<const std::string_view> list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        throw ProcedureFailure(kErrSubscript, "Subscript out of range");
    return list[static_cast<std::size_t>(index)];
}

std::string_view scopeFieldKey(ScopeField field)
{
    switch (field) {
    case ScopeField::VerticalAccuracy:
        return "vertical_accuracy";
    case ScopeField::TimebaseAccuracy:
        return "timebase_accuracy";
    case ScopeField::Bandwidth:
        return "bandwidth";
    case ScopeField::Risetime:
        return "risetime";
    case ScopeField::Accuracy1MOhm:
        return "accuracy_1m_ohm";
    case ScopeField::Accuracy50Ohm:
        return "accuracy_50_ohm";
    case ScopeField::Capacitance:
        return "capacitance";
    case ScopeField::CapAccuracy:
        return "cap_accuracy";
    }
    return {};
}

int clampScopeReferenceIndex(int index) { return std::clamp(index, 0, static_cast<int>(kScopeReferences.size()) - 1); }

int channelCount(const ScopeInputs& inputs)
{
    if (inputs.numChannels < 0 || inputs.numChannels >= static_cast<int>(kChannelCounts.size()))
        throw ProcedureFailure(kErrSubscript, "Subscript out of range");
    return kChannelCounts[static_cast<std::size_t>(inputs.numChannels)];
}

void setRisetimeTest(ScopeInputs& inputs, bool on)
{
    inputs.risetimeTest = on;
    inputs.risetime = on ? "50" : "";
}

bool setImpedanceTest(ScopeInputs& inputs, bool on)
{
    if (on && !impedanceTestAvailable(inputs.reference))
        return false;
    inputs.impedanceTest = on;
    inputs.accuracy1MOhm = on ? "0.1" : "";
    inputs.accuracy50Ohm = on ? "0.1" : "";
    inputs.capacitance = on ? "13" : "";
    inputs.capAccuracy = on ? "0.1" : "";
    return true;
}

bool selectScopeReference(ScopeInputs& inputs, int index)
{
    if (index < 0 || index >= static_cast<int>(kScopeReferences.size()))
        return false;
    inputs.reference = index;
    setImpedanceTest(inputs, false);
    return true;
}

bool scopeFieldEnabled(const ScopeInputs& inputs, ScopeField field)
{
    switch (field) {
    case ScopeField::Risetime:
        return inputs.risetimeTest;
    case ScopeField::Accuracy1MOhm:
    case ScopeField::Accuracy50Ohm:
    case ScopeField::Capacitance:
    case ScopeField::CapAccuracy:
        return inputs.impedanceTest;
    case ScopeField::VerticalAccuracy:
    case ScopeField::TimebaseAccuracy:
    case ScopeField::Bandwidth:
        break;
    }
    return true;
}

std::string& scopeFieldText(ScopeInputs& inputs, ScopeField field)
{
    switch (field) {
    case ScopeField::VerticalAccuracy:
        return inputs.verticalAccuracy;
    case ScopeField::TimebaseAccuracy:
        return inputs.timebaseAccuracy;
    case ScopeField::Bandwidth:
        return inputs.bandwidth;
    case ScopeField::Risetime:
        return inputs.risetime;
    case ScopeField::Accuracy1MOhm:
        return inputs.accuracy1MOhm;
    case ScopeField::Accuracy50Ohm:
        return inputs.accuracy50Ohm;
    case ScopeField::Capacitance:
        return inputs.capacitance;
    case ScopeField::CapAccuracy:
        break;
    }
    return inputs.capAccuracy;
}

const std::string& scopeFieldText(const ScopeInputs& inputs, ScopeField field)
{
    return scopeFieldText(const_cast<ScopeInputs&>(inputs), field);
}

std::optional<int> connectorPictureWidth(const ScopeInputs& inputs)
{
    if (inputs.numChannels < 0 || inputs.numChannels >= static_cast<int>(kChannelCounts.size()))
        return std::nullopt;
    switch (channelCount(inputs)) {
    case 1:
        return 525;
    case 2:
        return 1125;
    case 4:
        return 2200;
    default:
        return std::nullopt;
    }
}

} // namespace kestrel
