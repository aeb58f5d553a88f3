#pragma once
// The parts every procedure shares, meter and scope alike: the header block
// with the column header, the ASK- and ASK+ flag steps built from the
// options, the switches that turn off Tessel's automatic messages, and the
// measurement-uncertainty steps.
#include "core/i18n/text_lookup.h"
#include "core/procgen/procedure_writer.h"
#include "core/procgen/step_layout.h"
#include "core/spec/meter_inputs.h"

#include <string>

namespace kestrel {

// ASKminus: "ASK-" and the flags of the operator buttons and the post-test
// window at their columns, trimmed; never empty ("V" is always set).
std::string askMinus(const ProcedureOptions& options);
// ASKplus: data entry and "show always" flags; "" when none applies.
std::string askPlus(const ProcedureOptions& options);

// The seven header lines (values from column kHeaderValueColumn), joined by
// CR LF, without one after the last.
std::string headerLines(const CommonInputs& inputs, int numberOfTests, int numberOfLines);
// The header lines, the rule and the column header, each ended by CR LF.
std::string headerBlock(const CommonInputs& inputs, int numberOfTests, int numberOfLines);

// The ASK- and ASK+ steps, then, when any instruction record exists, the
// steps that turn off the automatic mode and range messages.
void writeFlagSteps(ProcedureWriter& writer, const CommonInputs& inputs, const TextLookup& texts);

// A blank line, then the "nmeas" and Welch-Satterthwaite steps when a number
// of measurements is chosen. Returns whether those steps were written.
bool writeMeasurementUncertainty(ProcedureWriter& writer, const CommonInputs& inputs, const TextLookup& texts);

// The last three steps: HEAD and the two-line "procedure completed" display.
// The scope procedures keep both display lines under one step number.
void writeClosingSteps(ProcedureWriter& writer, const TextLookup& texts, bool sharedDisplayNumber);

} // namespace kestrel
