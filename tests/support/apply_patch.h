#pragma once
// A small patch program for tests of unified diffs: applies one to a text,
// checking every context and removed line against it, and fails the test on
// a mismatch.
#include "core/base/line_diff.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel::test {

inline std::string applyPatch(const std::string& text, const std::string& patch)
{
    if (patch.empty())
        return text;
    struct Line {
        std::string text;
        bool ended;
    };
    std::vector<Line> in, out;
    const TextLines split = diffableLines(text);
    for (std::size_t i = 0; i < split.lines.size(); ++i)
        in.push_back({std::string(split.lines[i]), i + 1 < split.lines.size() || split.lastEnded});

    std::size_t at = 0; // lines of `in` used
    std::istringstream lines(patch);
    std::string line;
    std::getline(lines, line);
    EXPECT_TRUE(line.starts_with("--- ")) << line;
    std::getline(lines, line);
    EXPECT_TRUE(line.starts_with("+++ ")) << line;
    std::vector<Line>* last = nullptr; // the list the previous line went to
    while (std::getline(lines, line)) {
        if (line.starts_with("@@ -")) {
            std::size_t start = 0, count = 0;
            EXPECT_EQ(std::sscanf(line.c_str(), "@@ -%zu,%zu +", &start, &count), 2) << line;
            const std::size_t first = count == 0 ? start : start - 1; // lines before the hunk
            EXPECT_GE(first, at) << "hunks out of order: " << line;
            while (at < first && at < in.size())
                out.push_back(in[at++]);
            continue;
        }
        if (line == "\\ No newline at end of file") {
            if (last == &out)
                out.back().ended = false;
            continue;
        }
        const std::string body = line.substr(1);
        if (line[0] == '+') {
            out.push_back({body, true});
            last = &out;
            continue;
        }
        EXPECT_LT(at, in.size()) << "the patch reads past the text: " << line;
        if (at >= in.size())
            return {};
        EXPECT_EQ(in[at].text, body) << line;
        if (line[0] == ' ') {
            out.push_back(in[at]);
            last = &out;
        } else {
            EXPECT_EQ(line[0], '-') << line;
            last = &in;
        }
        ++at;
    }
    while (at < in.size())
        out.push_back(in[at++]);
    std::string result;
    for (const Line& l : out)
        result += l.text + (l.ended ? "\n" : "");
    return result;
}

} // namespace kestrel::test
