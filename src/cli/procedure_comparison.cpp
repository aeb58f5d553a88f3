#include "cli/procedure_comparison.h"

#include "core/app/procedure_comparison_report.h"

namespace kestrel::cli {

std::string procedureChanges(std::string_view generated, std::string_view edited)
{
    // Step by step, as diff --procedure shows it: an edit is named in its
    // step and a renumbering is said as one line. The report escapes every
    // control character and drops the CRs.
    const std::string report = procedureComparisonText(compareProcedures(generated, edited), generated, edited);
    std::string shown;
    for (std::size_t start = 0; start < report.size();) {
        const std::size_t end = std::min(report.find('\n', start), report.size());
        shown.append("  ").append(report, start, end - start).append("\n");
        start = end + 1;
    }
    return shown;
}

} // namespace kestrel::cli
