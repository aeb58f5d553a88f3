#pragma once
// Building blocks for the meter generator tests: inputs with a fixed date,
// cells set by row, and the procedure split into lines for exact checks.
#include "core/app/procedure_inputs.h"
#include "core/spec/meter_function.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kestrel::test {

inline ProcedureInputs meterInputs(std::string reference)
{
    ProcedureInputs in;
    in.selections.reference = std::move(reference);
    in.headerDate = "05-Dec-26";
    return in;
}

// One grid column: (row, text) pairs.
inline void setColumn(ProcedureInputs& in, MeterFunction f, int column,
                      std::initializer_list<std::pair<int, std::string>> cells)
{
    for (const auto& [row, text] : cells)
        in.meter.table(f).setCell(row, column, text);
}

// The text's lines without their CR LF.
inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The body of a procedure: the lines from the first section heading to the
// closing HEAD step, exclusive.
inline std::vector<std::string> bodyLines(const std::string& text)
{
    const auto all = linesOf(text);
    std::vector<std::string> body;
    bool inBody = false;
    for (const auto& line : all) {
        if (line.size() > 9 && line.substr(9) == "HEAD")
            break;
        if (!inBody && line.size() > 13 && (line.substr(9, 4) == "HEAD" || line.substr(9, 4) == "Head"))
            inBody = true;
        if (inBody)
            body.push_back(line);
    }
    return body;
}

// An expected step line: the number field, two blanks and a 68-column body
// with each value at its 1-based body column (the columns of the procedure
// language: FSC 1, RANGE 7, NOMINAL 14, TOLERANCE 29, MOD1 43, MOD2 to 60,
// 3 at 61, CON at 67).
inline std::string stepLine(const std::string& number,
                            std::initializer_list<std::pair<std::size_t, std::string>> fields)
{
    std::string body(68, ' ');
    for (const auto& [column, value] : fields)
        body.replace(column - 1, value.size(), value);
    return std::string(7 - number.size(), ' ') + number + "  " + body;
}

} // namespace kestrel::test
