#pragma once
// Everything Create reads, in one snapshot: the window, the command line
// and the tests all fill one of these and hand it to the same generators.
#include "core/scope/scope_inputs.h"
#include "core/spec/meter_inputs.h"
#include "core/spec/page.h"

namespace kestrel {

struct ProcedureInputs : MeterInputs {
    Page page = Page::Meter;
    ScopeInputs scope;
    bool operator==(const ProcedureInputs&) const = default;
};

} // namespace kestrel
