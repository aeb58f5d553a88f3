#pragma once
// Where each line of a generated procedure comes from, and what became of
// each test point of the meter grid: written as typed, reduced to the
// calibrator's limit, turned into a manual step, or left out. The
// generators record it as they write, beside the text, so that it can never
// disagree with the procedure; nothing here is read back from the text.
#include "core/spec/meter_function.h"
#include "core/spec/page.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

enum class PointOutcome {
    AsSpecified, // one calibrator step at the value and frequency the grid gives
    Reduced,     // a calibrator step, with the nominal or the frequency changed to the calibrator's limit
    Manual,      // steps for the operator: the calibrator cannot source the point
    LeftOut,     // no step at all
};

// Why a point is manual or left out.
enum class PointReason {
    None,
    FunctionNotSourced, // manual: the calibrator has no such function (temperature, capacitance)
    BelowTenOhms,       // manual: the 3XXX sources no resistance below 10 ohms
    AfterEmptyRange,    // left out: an earlier column of the function has an empty UUT range
    GenerationFailed,   // left out: the generator stopped at a failure before the point
};

// One change the calibrator's limits made to a point.
struct LimitChange {
    enum class Quantity { Nominal, Frequency };
    Quantity quantity = Quantity::Nominal;
    // The three as the procedure writes them: the limit message's "from"
    // and "to" values, and the text of the step's NOMINAL or MOD1 field.
    std::string specified; // the grid's value ("1200", "5")
    std::string limit;     // the limit ("1100", "330000000", "10")
    std::string tested;    // what the step tests ("1100", "329.999MZ", "10H")
    bool operator==(const LimitChange&) const = default;
};

// A specified test point: a meter function's grid column whose UUT range
// is not empty.
struct TestPoint {
    MeterFunction function = MeterFunction::Dcv;
    int column = 0; // 0-based grid column
    PointOutcome outcome = PointOutcome::AsSpecified;
    PointReason reason = PointReason::None;
    std::vector<LimitChange> changes; // one or two when Reduced, else none
    bool operator==(const TestPoint&) const = default;
};

// Line i of the text: the i-th piece of it ended by CR LF.
struct LineSource {
    Page page = Page::Meter;
    std::optional<MeterFunction> function; // none: header, preamble, closing steps, every scope line
    int column = -1;                       // 0-based grid column; -1: a section's heading, note and gaps
    int point = -1;                        // index into LineSources::points of the column's point, -1 none
    bool operator==(const LineSource&) const = default;
};

struct LineSources {
    std::vector<LineSource> lines;
    // The meter page's points in the order the generator meets them; the
    // points left out behind an empty UUT range follow their function's
    // last test. A generator that fails records no point after the failure.
    std::vector<TestPoint> points;

    // The point line `line` was written for, or null.
    const TestPoint* pointOf(std::size_t line) const
    {
        if (line >= lines.size() || lines[line].point < 0)
            return nullptr;
        return &points[static_cast<std::size_t>(lines[line].point)];
    }
};

} // namespace kestrel
