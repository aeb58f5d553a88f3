// The wizard editor's limits: 56 characters a line, 8 lines, the last
// accepted content put back with its caret.
#include "core/viewers/instruction_editor.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

const std::string k56(56, 'x');

TEST(InstructionEditor, AnOverlongKeystrokeIsUndoneCaretIncluded)
{
    InstructionEditorRule rule({"Connect\n" + k56, 10, 0});
    // The 57th character on the second line: back to the content before it.
    const auto restored = rule.afterChange({"Connect\n" + k56 + "y", 65, 0});
    ASSERT_TRUE(restored);
    EXPECT_EQ(*restored, (EditorContent{"Connect\n" + k56, 10, 0}));
    // A character on the short line is accepted and becomes the content to restore.
    EXPECT_FALSE(rule.afterChange({"Connect!\n" + k56, 8, 0}));
    const auto undone = rule.afterChange({"Connect!\n" + k56 + "y", 66, 0});
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->text, "Connect!\n" + k56);
    // Joining two lines that together are too long is a change like any other.
    EXPECT_TRUE(rule.afterChange({"Connect!" + k56, 8, 0}));
    // "µ" is one character.
    InstructionEditorRule micro({std::string(55, 'x'), 55, 0});
    EXPECT_FALSE(micro.afterChange({std::string(55, 'x') + "\xC2\xB5", 56, 0}));
}

TEST(InstructionEditor, PastesAndLoadedTextsKeepToTheLimits)
{
    InstructionEditorRule rule({"", 0, 0});
    EXPECT_TRUE(rule.afterChange({"1\n2\n3\n4\n5\n6\n7\n8\n9", 17, 0})); // nine lines pasted
    EXPECT_FALSE(rule.afterChange({"1\n2\n3\n4\n5\n6\n7\n8", 15, 0}));
    EXPECT_TRUE(rule.afterChange({k56 + "zz\n2\n3\n4\n5\n6\n7\n8", 0, 0}));
    // A text loaded over the limit may still be shortened.
    InstructionEditorRule loaded({k56 + "zz\n1\n2\n3\n4\n5\n6\n7\n8", 0, 0});
    EXPECT_FALSE(loaded.afterChange({k56 + "z\n1\n2\n3\n4\n5\n6\n7\n8", 57, 0}));
    EXPECT_FALSE(loaded.afterChange({k56 + "z\n1\n2\n3\n4\n5\n6\n78", 70, 0}));
    EXPECT_TRUE(loaded.afterChange({k56 + "zq\n1\n2\n3\n4\n5\n6\n78", 58, 0}));
}

TEST(InstructionEditor, EnterOpensAtMostTheEighthLine)
{
    EXPECT_EQ(enterCaption(""), "2  8");
    EXPECT_EQ(enterCaption("one\ntwo"), "3  8");
    EXPECT_EQ(enterCaption("1\n2\n3\n4\n5\n6\n7"), "8  8");
    EXPECT_EQ(enterCaption("1\n2\n3\n4\n5\n6\n7\n8"), std::nullopt);
}

TEST(InstructionEditor, RecordsKeepCrLfBetweenLines)
{
    EXPECT_EQ(recordTextFromEditor("Connect\nthe leads\n"), "Connect\r\nthe leads\r\n");
    EXPECT_EQ(editorTextFromRecord("Connect\r\nthe leads\rnow\n"), "Connect\nthe leads\nnow\n");
}

} // namespace
} // namespace kestrel
