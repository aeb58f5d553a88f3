#pragma once
// What the window shows of a specification besides its tables: the function
// on show and the sample loaded last. The commands that empty or replace the
// whole specification decide both.
#include "core/spec/meter_function.h"

namespace kestrel {

struct SpecView {
    MeterFunction function = MeterFunction::Dcv;
    int sample = -1; // index into samples() of the sample loaded last; -1 for none

    bool operator==(const SpecView&) const = default;
};

} // namespace kestrel
