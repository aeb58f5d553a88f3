// What a user text may hold, and how messages show what it may not.
#include "core/base/user_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

TEST(UserText, RefusedCharactersAreFoundAndNamed)
{
    const struct {
        std::string text;
        std::size_t at;
        std::string name;
    } cases[] = {{"plain text, \xC2\xB5V and \xC2\xB0"
                  "C",
                     std::string::npos, ""},
        {"bell\x07", 4, "the control character U+0007"}, {"x\x7F", 1, "the control character U+007F"},
        {"next\xC2\x85line", 4, "the control character U+0085"},
        {"a\xE2\x80\x8B"
         "b",
            1, "the invisible character U+200B"},
        {"a\xE2\x80\x8D", 1, "the invisible character U+200D"}, {"\xEF\xBB\xBFx", 0, "the invisible character U+FEFF"},
        {"ab\xE2\x80\x8F", 2, "the direction-changing character U+200F"},
        {"ab\xE2\x80\xAA", 2, "the direction-changing character U+202A"},
        {"ab\xE2\x80\xAE", 2, "the direction-changing character U+202E"},
        {"ab\xE2\x81\xA6", 2, "the direction-changing character U+2066"},
        {"ab\xE2\x81\xA9", 2, "the direction-changing character U+2069"},
        {"a\xE2\x80\xA8", 1, "the line separator U+2028"}, {"a\xE2\x80\xA9", 1, "the paragraph separator U+2029"},
        // Their neighbours are ordinary characters: en dash, narrow no-break
        // space, hair space, word joiner's neighbour U+2065, Arabic
        // presentation form U+FEFC.
        {"\xE2\x80\x93\xE2\x80\xAF\xE2\x80\x8A\xE2\x81\xA5\xEF\xBB\xBC", std::string::npos, ""},
        // A sequence cut short at the end is no refused character.
        {"a\xE2\x80", std::string::npos, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(findRefusedCharacter(c.text), c.at) << c.text;
        if (c.at != std::string::npos) {
            EXPECT_EQ(refusedCharacterName(c.text, c.at), c.name) << c.text;
        }
    }
    EXPECT_EQ(findRefusedCharacter("a\tb\xE2\x80\xAE", "\t"), 3u);
    EXPECT_EQ(oneLineTextProblem("DMM 62"), "");
    EXPECT_EQ(oneLineTextProblem("DMM\r\n62"), "holds the control character U+000D");
}

TEST(UserText, TextsOfSeveralLines)
{
    const std::pair<std::string, std::string> cases[] = {{"one\ntwo\r\n\tthree\r\n", ""},
        {"one\rtwo", "line 1 holds a CR that is not followed by LF; line breaks are LF or CR LF"},
        {"one\ntwo\r", "line 2 holds a CR that is not followed by LF; line breaks are LF or CR LF"},
        {"one\r\ntwo\nthree\x1b[2J", "line 3 holds the control character U+001B"},
        {"one\ntwo\xE2\x80\xA8  7.001  VSET", "line 2 holds the line separator U+2028"}};
    for (const auto& [text, problem] : cases)
        EXPECT_EQ(multiLineTextProblem(text), problem) << text;
    // One pass: a million line breaks take no time.
    EXPECT_EQ(
        multiLineTextProblem(std::string(1000000, '\n') + "\x07"), "line 1000001 holds the control character U+0007");
}

TEST(UserText, MessagesShowRefusedCharactersEscaped)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\x1b]0;title\x07\x1b[2J", "\\u001b]0;title\\u0007\\u001b[2J"},
        {"page\nkestrel-cli: forged", "page\\u000akestrel-cli: forged"},
        {"C1 \xC2\x9B"
         "31m",
            "C1 \\u009b31m"},
        {"\xE2\x80\xAE"
         "fdp.exe",
            "\\u202efdp.exe"},
        {"\xEF\xBB\xBF"
         "bom",
            "\\ufeffbom"},
        {"\xC2\xB5V \xE2\x80\x93 ok \\u0041", "\xC2\xB5V \xE2\x80\x93 ok \\u0041"}};
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(escapeForMessage(text), shown);
    EXPECT_EQ(escapeForMessage("one\ntwo\r", "\n"), "one\ntwo\\u000d");
}

} // namespace
} // namespace kestrel
