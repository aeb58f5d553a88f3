#pragma once
// The texts that make a procedure line longer than Tessel shows, beside the
// step fields FieldPlacer measures: a header value (name, author, revision)
// that runs past the header's width, and a DISP step whose text is longer
// than an instruction line, as a long local text makes it. The lines stay as
// they are written; the user is told, as for a field that overflows.
#include "core/procgen/step_fields.h"
#include "core/spec/meter_inputs.h"

#include <string_view>

namespace kestrel {

// The header lines are as wide as the procedure: a value from
// kHeaderValueColumn has the rest of kProcedureWidth.
std::size_t headerValueRoom();

// Adds the header values of inputs and the DISP texts of the procedure text
// that are too long to overflows: header values as function "procedure"
// with their key ("name"), DISP texts with the input "step 3.002".
void noteLineOverflows(const CommonInputs& inputs, std::string_view procedure, FieldOverflows& overflows);

} // namespace kestrel
