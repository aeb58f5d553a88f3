// Keyword highlighting of single procedure lines: which words turn red or
// blue, where comments start, and offsets counted in characters.
#include "core/viewers/line_highlighting.h"

#include "core/scope/scope_inputs.h"
#include "core/spec/standards.h"
#include "core/viewers/fsc_vocabulary.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr auto K = HighlightColour::Keyword;
constexpr auto I = HighlightColour::Instrument;
constexpr auto C = HighlightColour::Comment;

TEST(LineHighlighting, ColoursKeywordsInstrumentsAndComments)
{
    const struct {
        const char* line;
        std::vector<HighlightSpan> spans;
    } cases[] = {
        // A step with a keyword FSC and a trailing comment: the rest stays black.
        {"  1.007  DISP         Connect the leads  # front panel", {{9, 4, K}, {41, 13, C}}},
        // Words are upper-cased before the lookup.
        {"  1.007  disp         Set UUT mode to dcv", {{9, 4, K}}},
        // The walk stops at "#" before the word is ended: only the comment.
        {"  1.007  DISP# note", {{13, 6, C}}},
        // "*" and "/" are passed over, so the word read is "MEM".
        {"  4.002  MEM*         2", {}},
        {"  4.002  MEM/         2", {}},
        // Instruments, their manual twins, and a value equal to a model name.
        {"  2.001  7320    20.000V  3300V", {{9, 4, I}}},
        {"  2.001  7320    20.000V  3300  V", {{9, 4, I}, {26, 4, I}}},
        {"  2.001  M7300 ", {{9, 5, I}}},
        // Word characters include the sign and the quote: "ASK-" is a keyword,
        // '"DISP' is not.
        {"  1.001  ASK-                  P    X V", {{9, 4, K}}},
        {"  1.001  \"DISP\" ", {}},
        // Tabs, CR and LF end words like blanks; the last word needs no blank.
        {"VSET\tnmeas = 5\rTOL", {{0, 4, K}, {15, 3, K}}},
        // Offsets count characters, not bytes.
        {"  3.001  7300  \xC2\xB1"
         "1.000  \xC2\xB5V # \xC2\xB0"
         "C",
            {{9, 4, I}, {26, 4, C}}},
        // A character that is neither a word character nor a separator does not
        // end the word: the span is the word's length ending at the separator.
        {"x \xC2\xB1VSET y", {{3, 4, K}}},
        {"DI*SP ", {{1, 4, K}}},
        {"", {}},
        {"#", {{0, 1, C}}},
        {"# HEAD 7300", {{0, 11, C}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(highlightLine(c.line), c.spans) << c.line;
}

TEST(FscVocabulary, HoldsEveryStandardWithItsManualTwin)
{
    auto expectPair = [](std::string_view standard) {
        const std::string model(standard.substr(0, 4));
        EXPECT_TRUE(isInstrumentFsc(model)) << model;
        EXPECT_TRUE(isInstrumentFsc("M" + model)) << model;
    };
    for (std::string_view reference : kReferences)
        expectPair(reference);
    for (std::string_view reference : kScopeReferences)
        expectPair(reference);
    EXPECT_TRUE(isInstrumentFsc("M730"));
    for (const char* keyword : {"DISP", "HEAD", "PIC", "VSET", "MEMCX", "ASK+", "ASK-", "TARGET", "LABEL"})
        EXPECT_TRUE(isProcedureKeyword(keyword)) << keyword;
    for (const char* word : {"MEM", "disp", "DISPLAY", "M", "HEA"})
        EXPECT_FALSE(isProcedureKeyword(word)) << word;
    EXPECT_FALSE(isInstrumentFsc("m7300")); // looked up upper case only
}

} // namespace
} // namespace kestrel
