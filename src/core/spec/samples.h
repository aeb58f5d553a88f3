#pragma once
// The built-in sample specifications: complete descriptions of real
// instruments that show how a specification is entered and give a
// procedure at once, plus a test set that drives the generators through
// their limits. Loading one replaces everything entered before.
#include "core/i18n/text_lookup.h"
#include "core/spec/meter_function.h"
#include "core/spec/meter_inputs.h"
#include "core/spec/spec_view.h"

#include <array>
#include <span>
#include <string_view>

namespace kestrel {

// One grid column of a sample, cells by row as a user types them with "."
// as decimal mark. A sample's columns of one function are consecutive from 0.
struct SampleColumn {
    MeterFunction function;
    std::array<std::string_view, 9> cells;
};

// An operator instruction attached to a column; lines joined by CR LF.
struct SampleInstruction {
    MeterFunction function;
    int column;
    std::string_view text;
};

struct SampleDefinition {
    std::string_view name; // stable name on the command line
    int descriptionText;   // what the sample describes, by text number: its button's
                           // tooltip and its line in listings
    std::string_view procName;
    int commentText;            // Comments by text number; 0 leaves them empty
    std::string_view reference; // standard selected; "" leaves the choice unchanged
    std::span<const SampleColumn> columns;
    std::span<const SampleInstruction> instructions;
    int tcTypeIndex = -1; // list selections made by the sample; -1 = none
    int rtdTypeIndex = -1;
    int tempScaleIndex = -1;
    bool autoranging = true; // "UUT has Autoranging"
};

std::span<const SampleDefinition> samples();
const SampleDefinition* findSample(std::string_view name);

// Replaces the inputs' specification by the sample: every table, every
// instruction record, the procedure name and comments; then the sample's
// cells, instructions,
// standard and list selections. A change of standard resets the sensor types
// to the list defaults, as choosing it by hand does, before the sample's own
// selections are made.
void loadSample(const SampleDefinition& sample, MeterInputs& inputs, const TextLookup& texts);

// A sample button: loads samples()[index] as above; the view then shows it
// from its first function with a range and names it as the sample loaded.
// Does nothing and returns false for an index with no sample.
bool loadSample(int index, MeterInputs& inputs, SpecView& view, const TextLookup& texts);

} // namespace kestrel
