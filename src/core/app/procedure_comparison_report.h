#pragma once
// A comparison of two procedures written out for a reader: as lines of text
// (kestrel-cli diff --procedure, the compare window) or as JSON for a
// script. Both name steps and lines as docs/command-line.md shows them.
#include "core/procgen/procedure_comparison.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// How far a renumbering moved its steps when only the test or only the
// step within the test moved: "+1", "-2", "+0.001"; nothing when both did.
std::optional<std::string> renumberingAmount(const Renumbering& renumbering);

// "steps 12.001-42.008 renumbered +1", "steps 1.008-1.010 renumbered
// +0.001", "step 3.004 renumbered 4.001": the amount when only the test
// or only the step within the test moved, else the new numbers.
std::string renumberingText(const Renumbering& renumbering);

// "step 5.002", "steps 12.001-12.003", "lines 6-7" when the lines hold no
// step line: what a change's lines of one side are.
std::string procedureLinesName(const ProcedureLines& lines);

// The whole comparison as text: a line per renumbering, then each change
// ("inserted steps 12.001-12.002 (B lines 80-81)"), its changed fields
// ("  NOMINAL: \"1100\" -> \"1000\"") and its lines marked "-" and "+"
// without their CR. a and b are the texts compared; empty when they are
// the same.
std::string procedureComparisonText(const ProcedureComparison& comparison, std::string_view a, std::string_view b);

// The same as a JSON object: {"same", "renumbered": [...], "changes": [...]}.
std::string procedureComparisonJson(const ProcedureComparison& comparison, std::string_view a, std::string_view b);

} // namespace kestrel
