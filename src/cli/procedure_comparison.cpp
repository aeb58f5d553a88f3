#include "cli/procedure_comparison.h"

#include "core/base/line_diff.h"
#include "core/base/user_text.h"

namespace kestrel::cli {

std::string procedureChanges(std::string_view generated, std::string_view edited, std::string_view name)
{
    // One line of context: enough to place a change, short for many files.
    const std::string diff = unifiedDiff(generated, edited, "as generated", name, 1);
    std::string shown;
    std::size_t start = 0;
    while (start < diff.size()) {
        std::size_t end = diff.find('\n', start);
        if (end == std::string::npos)
            end = diff.size();
        std::string_view line(diff.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        shown += "  " + escapeForMessage(line) + "\n";
    }
    return shown;
}

} // namespace kestrel::cli
