// The viewer shows what the rich-text form encodes: paragraphs for "\par",
// plain braces for the escaped ones, nothing for formatting and tables.
#include "core/viewers/rich_text_form.h"

#include "core/app/create.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(RichTextForm, CreatesViewerDocumentReadsBackAsTheProcedure)
{
    const std::string procedure = "  1.001  HEAD   \\{DC Volts Test\\}\r\n"
                                  "#------------------------------\r\n"
                                  "  1.002  7320    2.00000V    0.1% 2\xC2\xB5V\r\n";
    // The closing brace adds nothing after the last line end.
    EXPECT_EQ(richTextToPlain(viewerForm(procedure)),
        "  1.001  HEAD   {DC Volts Test}\n"
        "#------------------------------\n"
        "  1.002  7320    2.00000V    0.1% 2\xC2\xB5V\n");
}

TEST(RichTextForm, ControlWordsAndSymbols)
{
    const struct {
        const char* rtf;
        const char* text;
    } cases[] = {
        {"{\\rtf1{\\fonttbl{\\f0 Courier New;}}\\f0\\fs18 a\\par b}", "a\nb"},
        {"{a\\\\b\\{c\\}}", "a\\b{c}"},
        {"{\\b bold\\b0  text}", "bold text"}, // the first blank delimits the word
        {"{C:\\Tessel\\pics}", "C:"},          // what a rich-text reader makes of a path
        {"{\\'b5V \\u8364?}", "\xC2\xB5V \xE2\x82\xAC"},
        {"{a\\tab b\\line c}", "a\tb\nc"},
        {"{{\\*\\generator Kestrel;}x}", "x"},
        {"{line\r\nbreaks\nignored}", "linebreaksignored"},
        {"{\\u-1279?}", "\xEF\xAC\x81"}, // U+FB01: the upper half is written negative
        // Numbers no 16-bit parameter holds, however many digits, read as
        // no character: never a signed overflow, never invalid UTF-8.
        {"{\\u99999999999999999999?x}", "\xEF\xBF\xBDx"},
        {"{\\u-99999999999999999999?x}", "\xEF\xBF\xBDx"},
        {"{\\u70000?}", "\xEF\xBF\xBD"},
        {"{\\u55296?}", "\xEF\xBF\xBD"}, // a lone surrogate half
        {"{\\fs99999999999999999999 a}", "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(richTextToPlain(c.rtf), c.text) << c.rtf;
}

} // namespace
} // namespace kestrel
