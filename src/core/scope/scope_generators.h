#pragma once
// The oscilloscope procedures: one generator for the single-channel scope
// calibrators, one for the multi-channel ones (8240 five-channel, 8600
// four-channel). Both read the scope inputs of the snapshot and share the
// procedure writer and preamble routines with the meter generators.
#include "core/app/message_sink.h"
#include "core/app/procedure_inputs.h"
#include "core/i18n/text_lookup.h"
#include "core/procgen/generated_procedure.h"

namespace kestrel {

GeneratedProcedure scopeProcedureSingleChannel(const ProcedureInputs& inputs, const TextLookup& texts,
                                               MessageSink& sink);
GeneratedProcedure scopeProcedureMultiChannel(const ProcedureInputs& inputs, const TextLookup& texts,
                                              MessageSink& sink);

} // namespace kestrel
