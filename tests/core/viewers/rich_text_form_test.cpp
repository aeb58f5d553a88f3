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
    // The closing " }" leaves a last paragraph holding one blank.
    EXPECT_EQ(richTextToPlain(viewerForm(procedure)), "  1.001  HEAD   {DC Volts Test}\n"
                                                       "#------------------------------\n"
                                                       "  1.002  7320    2.00000V    0.1% 2\xC2\xB5V\n"
                                                       " ");
}

TEST(RichTextForm, ControlWordsAndSymbols)
{
    const struct {
        const char* rtf;
        const char* text;
    } cases[] = {
        {"{\\rtf1{\\fonttbl{\\f0 Courier New;}}\\f0\\fs18 a\\par b}", "a\nb"},
        {"{a\\\\b\\{c\\}}", "a\\b{c}"},
        {"{\\b bold\\b0  text}", "bold text"},    // the first blank delimits the word
        {"{C:\\Tessel\\pics}", "C:"},             // what a rich-text reader makes of a path
        {"{\\'b5V \\u8364?}", "\xC2\xB5V \xE2\x82\xAC"},
        {"{a\\tab b\\line c}", "a\tb\nc"},
        {"{{\\*\\generator Kestrel;}x}", "x"},
        {"{line\r\nbreaks\nignored}", "linebreaksignored"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(richTextToPlain(c.rtf), c.text) << c.rtf;
}

} // namespace
} // namespace kestrel
