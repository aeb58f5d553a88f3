#include "core/base/tab_separated.h"

namespace kestrel {

TabSeparatedRead readTabSeparated(std::string_view text, std::size_t maxRecords)
{
    TabSeparatedRead read;
    std::size_t line = 1;
    std::size_t at = 0;
    const auto fail = [&](std::size_t where, const std::string& why) {
        read.records.clear();
        read.error = "line " + std::to_string(where) + ": " + why;
        return read;
    };
    // Past the line end at `at` (CR LF, LF or CR), if one is there.
    const auto skipLineEnd = [&] {
        if (at < text.size() && text[at] == '\r') {
            ++at;
            if (at < text.size() && text[at] == '\n')
                ++at;
        } else if (at < text.size() && text[at] == '\n') {
            ++at;
        } else {
            return;
        }
        ++line;
    };

    while (at < text.size()) {
        if (read.records.size() == maxRecords)
            return fail(line, "more than " + std::to_string(maxRecords) + " lines");
        TabSeparatedRecord record{line, {}};
        for (;;) {
            std::string cell;
            if (at < text.size() && text[at] == '"') {
                const std::size_t opened = line;
                ++at;
                for (;;) {
                    if (at == text.size())
                        return fail(opened, "a double quote opens a text and never closes it");
                    const char ch = text[at++];
                    if (ch == '"') {
                        if (at < text.size() && text[at] == '"') {
                            cell += '"';
                            ++at;
                            continue;
                        }
                        break;
                    }
                    if (ch == '\n' || (ch == '\r' && (at == text.size() || text[at] != '\n')))
                        ++line;
                    cell += ch;
                }
                if (at < text.size() && text[at] != '\t' && text[at] != '\r' && text[at] != '\n')
                    return fail(line, "text after the double quote that closes a quoted text");
            } else {
                const std::size_t end = text.find_first_of("\t\r\n", at);
                const std::size_t stop = end == std::string_view::npos ? text.size() : end;
                cell.assign(text.substr(at, stop - at));
                at = stop;
            }
            record.cells.push_back(std::move(cell));
            if (at < text.size() && text[at] == '\t') {
                ++at;
                continue;
            }
            skipLineEnd();
            break;
        }
        read.records.push_back(std::move(record));
    }
    return read;
}

std::string tabSeparatedCell(std::string_view text)
{
    if (text.find_first_of("\t\r\n\"") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

} // namespace kestrel
