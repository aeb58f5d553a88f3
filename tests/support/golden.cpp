#include "support/golden.h"

#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kestrel::test {

namespace {

std::string lineAt(const std::string& text, std::size_t offset)
{
    const auto start = text.rfind('\n', offset == 0 ? 0 : offset - 1);
    const auto from = start == std::string::npos ? 0 : start + 1;
    const auto end = text.find('\n', offset);
    return text.substr(from, (end == std::string::npos ? text.size() : end) - from);
}

} // namespace

void expectMatchesGolden(const std::string& name, const std::string& actual)
{
    const std::string path = std::string(KESTREL_TEST_DATA_DIR) + "/golden/" + name;
    const char* update = std::getenv("KESTREL_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << "missing golden file " << path;
    const std::string expected = readFile(path);
    if (expected == actual)
        return;
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
        ++i;
    const auto lineNo = std::count(expected.begin(), expected.begin() + static_cast<long>(i), '\n') + 1;
    ADD_FAILURE() << "procedure differs from " << name << " at line " << lineNo << "\n expected: ["
                  << lineAt(expected, i) << "]"
                  << "\n actual:   [" << lineAt(actual, i) << "]";
}

} // namespace kestrel::test
