#pragma once
// Calibrator coverage: what the procedure for a meter standard does with
// each test point of the meter grid (tests it as specified, reduces it to
// the calibrator's limit, leaves it to the operator, or leaves it out), so
// that a technician sees it before choosing the standard. It is read from
// the generator's own line sources, never from a second model of the
// limits: coverage and procedure cannot disagree.
#include "core/app/procedure_inputs.h"
#include "core/procgen/line_sources.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class TextLookup;

struct CoverageCounts {
    int asSpecified = 0;
    int reduced = 0;
    int manual = 0;
    int leftOut = 0;
    int total() const { return asSpecified + reduced + manual + leftOut; }
    bool operator==(const CoverageCounts&) const = default;
};

struct Coverage {
    std::string standard; // an entry of kReferences
    // Every specified point of the meter page (a column whose UUT range is
    // not empty), once each, in grid order: by function, then by column.
    std::vector<TestPoint> points;
    CoverageCounts counts;
    bool generatorFailed = false; // the procedure ends in a failure; the points it never reached are left out

    // The point of a grid column, or null when the column's UUT range is empty.
    const TestPoint* pointAt(MeterFunction function, int column) const;
};

// The coverage of the meter page of `inputs` by the meter standard
// `standard`, with the thermocouple and RTD types adjusted as a change of
// standard by hand adjusts them (standard_override.h). nullopt when
// `standard` is not an entry of the meter standards list. The page the
// inputs show does not matter: coverage is of the meter grid.
std::optional<Coverage> coverage(const ProcedureInputs& inputs, std::string_view standard);

// The coverage by every meter standard, in the order of the standards list.
std::vector<Coverage> coverageForAll(const ProcedureInputs& inputs);

// What a point's outcome is called in the window ("Reduced"): a text number.
int outcomeTextNumber(PointOutcome outcome);
// What the standard's procedure does with a point and why, in the words of
// `texts`, for the grid's tooltip: one line per limit change of a reduced
// point, one line for a manual or left-out one, "" for a point tested as
// specified. The values are the ones the procedure's limit messages and
// steps carry, shown with `decimalSeparator` as the grid shows its cells.
std::string describePoint(const TestPoint& point, std::string_view standard, const TextLookup& texts,
    std::string_view decimalSeparator = ".");

// What the outcome is called in the JSON of `kestrel-cli coverage` and in
// reports: "asSpecified", "reduced", "manual", "leftOut".
std::string_view outcomeName(PointOutcome outcome);
// Why: "functionNotSourced", "belowTenOhms", "afterEmptyRange",
// "generationFailed"; "" for PointReason::None.
std::string_view reasonName(PointReason reason);

} // namespace kestrel
