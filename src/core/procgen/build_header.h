#pragma once
// Build_Header of the meter procedures: puts the header block, the column
// header and the preamble in front of the generated body and appends the
// closing steps.
#include "core/i18n/text_lookup.h"
#include "core/procgen/procedure_writer.h"
#include "core/spec/meter_inputs.h"

namespace kestrel {

// What stands between the comments line and "System Flags".
enum class PreambleGap {
    TwoBlankLines, // 73xx and 64xx
    AmplifierNote, // 3XXX and 76xx: the amplifier note when it applies, then one blank line
};

// Completes the procedure in writer.text(), which holds the body. An empty
// body is left empty (nothing to create). `amplifierConfigured` decides the
// note of PreambleGap::AmplifierNote.
void buildHeader(ProcedureWriter& writer, const CommonInputs& inputs, const TextLookup& texts, PreambleGap gap,
    bool amplifierConfigured);

} // namespace kestrel
