#pragma once
// The meter procedures: one section per meter function that has entries,
// one test per grid column, one calibrator step per test. The four
// calibrator families share one generator; they differ in output limits,
// modifiers and in the functions they cannot source (written as manual
// steps for the operator instead).
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/procgen/generated_procedure.h"
#include "core/procgen/line_sources.h"
#include "core/procgen/step_fields.h"
#include "core/spec/meter_inputs.h"
#include "core/spec/standards.h"

namespace kestrel {

// The procedure of `family` for inputs.selections.reference. A failure on
// the way is reported through the sink as "Procedure Error: " with its
// number and description on lines of their own; the text written before it
// is returned with `failed` set. Every field text that is longer than its
// field is added to `overflows` when it is given. `sources`, when given,
// receives where each line comes from and what became of every specified
// test point, each exactly once (a failure leaves the points it did not
// reach left out).
GeneratedProcedure meterProcedure(CalibratorFamily family, const MeterInputs& inputs, const TextLookup& texts,
    MessageSink& sink, FieldOverflows* overflows = nullptr, LineSources* sources = nullptr);

} // namespace kestrel
