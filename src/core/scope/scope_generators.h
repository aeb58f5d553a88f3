#pragma once
// The oscilloscope procedures: one generator for the single-channel scope
// calibrators, one for the multi-channel ones (8240 five-channel, 8600
// four-channel). Both read the scope inputs of the snapshot and share the
// procedure writer and preamble routines with the meter generators.
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/procgen/generated_procedure.h"
#include "core/procgen/line_sources.h"
#include "core/procgen/step_fields.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/meter_inputs.h"

namespace kestrel {

// Every field text that is longer than its field is added to `overflows`
// when it is given. `sources`, when given, receives one scope line source
// for each line: a scope procedure is made of no grid column, and makes no
// choice of limits a meter test point would show (its points stay empty).
GeneratedProcedure scopeProcedureSingleChannel(const CommonInputs& inputs, const ScopeInputs& scope,
    const TextLookup& texts, MessageSink& sink, FieldOverflows* overflows = nullptr, LineSources* sources = nullptr);
GeneratedProcedure scopeProcedureMultiChannel(const CommonInputs& inputs, const ScopeInputs& scope,
    const TextLookup& texts, MessageSink& sink, FieldOverflows* overflows = nullptr, LineSources* sources = nullptr);

} // namespace kestrel
