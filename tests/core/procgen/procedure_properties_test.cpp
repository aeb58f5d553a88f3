// The properties the generator fuzz target asserts hold for every reviewed
// procedure, and catch the injected lines they are there to catch.
#include "fuzz/procedure_properties.h"

#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrel {
namespace {

constexpr std::string_view kNotePrefix = "# Note: The following tests are performed manually";

TEST(ProcedureProperties, HoldForEveryGoldenAndCatchInjectedLines)
{
    int goldens = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KESTREL_TEST_DATA_DIR "/golden")) {
        const std::string name = entry.path().filename().string();
        const bool scope = name.starts_with("scope_");
        const std::string text = test::readFile(entry.path());
        ++goldens;
        EXPECT_EQ(properties::procedureProblem(text, scope, kNotePrefix), "") << name;

        // A step line after the header's seventh line, as a name with CR LF or
        // an instruction text would have made it.
        std::string injected = text;
        injected.insert(injected.find("\r\n", injected.find("  2.00")) + 2, "  2.099  DISP         injected\r\n");
        EXPECT_NE(
            properties::procedureProblem(injected, scope, kNotePrefix).find("NUMBER OF LINES is"), std::string::npos)
            << name;
        std::string loneCr = text;
        loneCr.insert(loneCr.find("\r\n"), "\r");
        EXPECT_EQ(properties::procedureProblem(loneCr, scope, kNotePrefix), "line 1 holds a lone CR") << name;
        std::string nul = text;
        nul[nul.find("\r\n") - 1] = '\0';
        EXPECT_EQ(
            properties::procedureProblem(nul, scope, kNotePrefix).rfind("line 1 holds a control character", 0), 0u)
            << name;
    }
    EXPECT_GE(goldens, 12);
}

} // namespace
} // namespace kestrel
