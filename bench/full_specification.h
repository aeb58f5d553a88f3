#pragma once
// The largest specification Kestrel takes: all nine functions with every
// column filled, an instruction record on each column, and values above
// every calibrator's limits so that each limit comment is written.
#include "core/app/procedure_inputs.h"

#include <string>

namespace kestrel {

ProcedureInputs fullSpecification(const std::string& reference, int columns);

} // namespace kestrel
