#pragma once
// Tab-separated text as spreadsheets write and read it: one record a line,
// cells separated by TABs; a cell that holds a TAB, a line break or a
// double quote is written in double quotes with its quotes doubled
// ("say ""hi"""), and such a cell may run over several lines.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct TabSeparatedRecord {
    std::size_t line = 0; // 1-based line the record starts on
    std::vector<std::string> cells;
};

struct TabSeparatedRead {
    std::vector<TabSeparatedRecord> records; // empty when error is set
    std::string error;                       // "line 12: ..."; empty when read
};

// The records of a UTF-8 text in one pass. Lines end with LF, CR LF or CR;
// an empty last line is no record. A cell that opens with a double quote is
// quoted; a double quote elsewhere is an ordinary character. Refused: a
// quote that never closes, text after a closing quote, more than maxRecords
// records.
TabSeparatedRead readTabSeparated(std::string_view text, std::size_t maxRecords);

// A cell as written: in double quotes when it holds a TAB, a line break or a
// double quote, as it stands otherwise.
std::string tabSeparatedCell(std::string_view text);

} // namespace kestrel
