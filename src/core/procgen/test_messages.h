#pragma once
// The instruction block in front of each meter test: the wizard's DISP and
// PIC lines when exactly one instruction record belongs to the function and
// column, otherwise the automatic "Set UUT mode to" / "Set UUT range to"
// messages the options ask for.
#include "core/i18n/text_lookup.h"
#include "core/procgen/procedure_writer.h"
#include "core/spec/connection_store.h"
#include "core/spec/procedure_options.h"

#include <string>
#include <string_view>

namespace kestrel {

// Add_Test_Messages for test column `column` (0-based) of `function`,
// whose UUT range cell reads `currentRange`.
void addTestMessages(ProcedureWriter& writer, const ConnectionStore& instructions, const ProcedureOptions& options,
    const TextLookup& texts, MeterFunction function, std::string_view currentRange, int column);

} // namespace kestrel
