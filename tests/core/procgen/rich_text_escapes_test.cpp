// The escapes that keep a typed "\", "{" or "}" a character in the
// procedure's rich text.
#include "core/procgen/rich_text_escapes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace kestrel {
namespace {

TEST(RichTextEscapes, UnescapingUndoesEscaping)
{
    for (const std::string_view typed : {"", "\\", "\\\\{", "a{b}c\\d", "}\\{\\}{", "\\x \\'0d"})
        EXPECT_EQ(unescapeProcedureText(escapeTypedText(typed)), typed) << typed;
    // A backslash before anything else is not an escape and stays.
    EXPECT_EQ(unescapeProcedureText("\\x \\\\\\{ \\"), "\\x \\{ \\");
}

} // namespace
} // namespace kestrel
