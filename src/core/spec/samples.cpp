#include "core/spec/samples.h"

#include "core/base/text_util.h"
#include "core/spec/numbers.h"
#include "core/spec/standards.h"

#include <algorithm>

namespace kestrel {

const SampleDefinition* findSample(std::string_view name)
{
    const auto all = samples();
    const auto it = std::find_if(all.begin(), all.end(), [&](const auto& s) { return s.name == name; });
    return it == all.end() ? nullptr : &*it;
}

namespace {

void selectStandard(std::string_view standard, MeterInputs& inputs)
{
    if (standard.empty())
        return;
    for (const auto entry : kReferences) {
        if (!startsWith(entry, standard))
            continue;
        // Choosing the standard already chosen is no change: the lists keep their choices.
        if (inputs.selections.reference != entry)
            selectReference(inputs.selections, entry);
        return;
    }
}

void selectSensors(const SampleDefinition& sample, MeterSelections& selections)
{
    if (sample.tcTypeIndex >= 0) {
        const auto list = tcTypes(selections.reference);
        if (sample.tcTypeIndex < static_cast<int>(list.size()))
            selections.tcType = std::string(list[static_cast<std::size_t>(sample.tcTypeIndex)]);
    }
    if (sample.rtdTypeIndex >= 0) {
        const auto list = rtdTypes(selections.reference);
        if (sample.rtdTypeIndex < static_cast<int>(list.size()))
            selections.rtdType = std::string(list[static_cast<std::size_t>(sample.rtdTypeIndex)]);
    }
    if (sample.tempScaleIndex >= 0 && sample.tempScaleIndex < static_cast<int>(kTempScales.size()))
        selections.tempScale = std::string(kTempScales[static_cast<std::size_t>(sample.tempScaleIndex)]);
}

} // namespace

void loadSample(const SampleDefinition& sample, MeterInputs& inputs, const TextLookup& texts)
{
    inputs.connections.clear();
    inputs.identity.name = std::string(sample.procName);
    inputs.meter.clear();
    inputs.identity.comments = sample.commentText != 0 ? texts.gettext(sample.commentText) : std::string{};
    inputs.options.autoranging = sample.autoranging;

    std::array<int, kFunctionCount> nextColumn{};
    for (const auto& column : sample.columns) {
        SpecTable& table = inputs.meter.table(column.function);
        const int c = nextColumn[functionIndex(column.function)]++;
        for (int r = 0; r < table.rows(); ++r)
            table.setCell(r, c, std::string(column.cells[static_cast<std::size_t>(r)]));
    }

    for (const auto& instruction : sample.instructions)
        inputs.connections.append(
            {instruction.function, instruction.column, std::nullopt, std::string(instruction.text)});

    selectStandard(sample.reference, inputs);
    selectSensors(sample, inputs.selections);
}

bool loadSample(int index, MeterInputs& inputs, SpecView& view, const TextLookup& texts)
{
    const auto all = samples();
    if (index < 0 || index >= static_cast<int>(all.size()))
        return false;
    loadSample(all[static_cast<std::size_t>(index)], inputs, texts);
    view = {openingFunction(inputs.meter), index};
    return true;
}

} // namespace kestrel
