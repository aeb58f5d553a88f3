#pragma once
// Names of the cases of a table-driven test. gtest would otherwise number
// them, and ctest would list each by the bytes of its parameter, which
// change on every link and cannot be picked with `ctest -R`.
#include <string>
#include <string_view>

namespace kestrel::test {

// A text as a test name: ASCII letters and digits are kept and every run of
// anything else becomes one underscore, so "7300 - 300 Mhz" names
// "7300_300_Mhz".
inline std::string testName(std::string_view text)
{
    std::string name;
    bool gap = false;
    for (const char c : text) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!kept) {
            gap = true;
            continue;
        }
        if (gap && !name.empty())
            name += '_';
        gap = false;
        name += c;
    }
    return name;
}

} // namespace kestrel::test
