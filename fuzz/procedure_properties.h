#pragma once
// What every procedure Kestrel writes must be, whatever it was made from:
// lines that end in CR LF, no control character but TAB inside a line, and
// header counts that agree with the body, so no text typed into an input can
// add a line Tessel would read as a step or a header value. The generator
// fuzz target asserts it on every input the specification reader accepts;
// a test asserts it on the golden procedures.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::properties {

// The lines of a text that must end every line with CR LF; an error names
// the first line that does not.
inline std::string splitCrLfLines(std::string_view text, std::vector<std::string_view>& lines)
{
    lines.clear();
    if (!text.empty() && !text.ends_with("\r\n"))
        return "the text does not end with CR LF";
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        const std::string_view line = text.substr(start, end - start);
        if (const std::size_t bad = line.find_first_of("\r\n"); bad != std::string_view::npos)
            return "line " + std::to_string(lines.size() + 1) + " holds a lone " + (line[bad] == '\r' ? "CR" : "LF");
        lines.push_back(line);
        start = end + 2;
    }
    return {};
}

inline std::string controlCharacterProblem(const std::vector<std::string_view>& lines)
{
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line[i]);
            const bool c1 = c == 0xC2 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) >= 0x80 &&
                static_cast<unsigned char>(line[i + 1]) <= 0x9F;
            if ((c < 0x20 && c != '\t') || c == 0x7F || c1)
                return "line " + std::to_string(n + 1) + " holds a control character at byte " + std::to_string(i + 1);
        }
    }
    return {};
}

// The test number of a step line ("  1.007  HEAD" gives 1), or -1.
inline int stepTest(std::string_view line)
{
    if (line.size() < 9 || line[3] != '.' || line.substr(7, 2) != "  ")
        return -1;
    int test = 0;
    bool digits = false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (line[i] >= '0' && line[i] <= '9') {
            test = test * 10 + (line[i] - '0');
            digits = true;
        } else if (line[i] != ' ' || digits) {
            return -1;
        }
    }
    for (std::size_t i = 4; i < 7; ++i)
        if (line[i] < '0' || line[i] > '9')
            return -1;
    return digits ? test : -1;
}

inline bool headerValue(std::string_view line, std::string_view title, int& value)
{
    if (!line.starts_with(title) || line.size() == title.size() || line.size() > title.size() + 6)
        return false;
    value = 0;
    for (const char ch : line.substr(title.size())) {
        if (ch < '0' || ch > '9')
            return false;
        value = value * 10 + (ch - '0');
    }
    return true;
}

// The first property a complete procedure breaks, or "". A meter
// procedure's body starts with the step 1.007 and its LineCount counts the
// manual-test note (which starts with notePrefix) once for its two lines; a
// scope procedure counts everything before its closing steps.
inline std::string procedureProblem(std::string_view text, bool scope, std::string_view notePrefix)
{
    std::vector<std::string_view> lines;
    if (std::string problem = splitCrLfLines(text, lines); !problem.empty())
        return problem;
    if (std::string problem = controlCharacterProblem(lines); !problem.empty())
        return problem;
    if (scope && !lines.empty() && lines.back().empty())
        lines.pop_back(); // a scope procedure ends with an empty line
    int tests = 0, counted = 0;
    if (lines.size() < 14 || !headerValue(lines[5], "NUMBER OF TESTS:       ", tests) ||
        !headerValue(lines[6], "NUMBER OF LINES:       ", counted))
        return "no NUMBER OF TESTS and NUMBER OF LINES in header lines 6 and 7";
    const std::size_t closing = lines.size() - 3;
    for (std::size_t i = closing; i < lines.size(); ++i)
        if (stepTest(lines[i]) != tests)
            return "closing step " + std::to_string(i + 1) + " is not in test " + std::to_string(tests) +
                " that NUMBER OF TESTS names";
    std::size_t bodyStart = 0;
    if (!scope) {
        // The comments (whose later lines stand as typed, so they may even
        // repeat the flags' title) come before the system flags; the body
        // after the flags.
        for (std::size_t i = 0; i < closing; ++i)
            if (lines[i] == "# System Flags")
                bodyStart = i;
        while (bodyStart < closing && !lines[bodyStart].starts_with("  1.007  "))
            ++bodyStart;
        if (bodyStart == closing)
            return "no body step 1.007";
    }
    std::size_t physical = closing - bodyStart;
    for (std::size_t i = bodyStart; i < closing && !scope; ++i)
        if (lines[i].starts_with(notePrefix))
            --physical; // the note's second line is part of the same counted line
    const std::size_t expected = scope ? physical : physical + 11;
    if (static_cast<std::size_t>(counted) != expected)
        return "NUMBER OF LINES is " + std::to_string(counted) + ", the body makes it " + std::to_string(expected);
    return {};
}

} // namespace kestrel::properties
