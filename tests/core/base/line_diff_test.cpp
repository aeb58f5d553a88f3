// Line diffs: over many random pairs the edit script is the shortest there
// is and the unified diff, applied back to the first text, gives the second.
#include "core/base/line_diff.h"

#include "support/apply_patch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kestrel {
namespace {

using test::applyPatch;

// The fewest edits, by the longest common subsequence.
std::size_t fewestEdits(const TextLines& a, const TextLines& b)
{
    const auto same = [&](std::size_t i, std::size_t j) {
        const bool endedA = i + 1 < a.lines.size() || a.lastEnded, endedB = j + 1 < b.lines.size() || b.lastEnded;
        return a.lines[i] == b.lines[j] && endedA == endedB;
    };
    std::vector<std::vector<std::size_t>> lcs(a.lines.size() + 1, std::vector<std::size_t>(b.lines.size() + 1));
    for (std::size_t i = a.lines.size(); i-- > 0;)
        for (std::size_t j = b.lines.size(); j-- > 0;)
            lcs[i][j] = same(i, j) ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    return a.lines.size() + b.lines.size() - 2 * lcs[0][0];
}

std::string randomText(std::mt19937& random, int lines, int alphabet)
{
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += std::string(1, static_cast<char>('a' + random() % static_cast<unsigned>(alphabet))) +
            (random() % 4 == 0 ? "\r\n" : "\n");
    if (!text.empty() && random() % 3 == 0)
        text.pop_back(); // no line end at the end (a CR may be left)
    return text;
}

TEST(LineDiff, RandomPairsGetTheShortestScriptAndAPatchThatGivesTheSecond)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        const int alphabet = 1 + round % 6;
        const std::string a = randomText(random, static_cast<int>(random() % 40), alphabet);
        std::string b = round % 5 == 0 ? randomText(random, static_cast<int>(random() % 40), alphabet) : a;
        // Mostly a few edits of a, as two revisions are.
        for (int edit = static_cast<int>(random() % 6); edit > 0 && round % 5 != 0; --edit) {
            const std::size_t at = b.empty() ? 0 : random() % b.size();
            if (random() % 2)
                b.insert(at, std::string(1, static_cast<char>('a' + random() % 6)) + "\n");
            else
                b.erase(at, std::min<std::size_t>(b.size() - at, random() % 5));
        }
        const TextLines linesA = diffableLines(a), linesB = diffableLines(b);
        const std::vector<LineEdit> edits = diffLines(linesA, linesB);
        EXPECT_EQ(static_cast<std::size_t>(
                      std::count_if(edits.begin(), edits.end(), [](LineEdit e) { return e != LineEdit::Same; })),
            fewestEdits(linesA, linesB))
            << "round " << round;
        const std::string patch = unifiedDiff(a, b, "a", "b");
        EXPECT_EQ(patch.empty(), a == b) << "round " << round;
        EXPECT_EQ(applyPatch(a, patch), b) << "round " << round << "\n" << patch;
        // With the search cut short the script is longer, but right.
        EXPECT_EQ(applyPatch(a, unifiedDiff(a, b, "a", "b", 3, 1)), b) << "round " << round;
        EXPECT_EQ(applyPatch(a, unifiedDiff(a, b, "a", "b", 0)), b) << "round " << round;
    }
}

TEST(LineDiff, UnifiedDiffAsPatchReadsIt)
{
    const std::string a = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16";
    const std::string b = "1\n2\n3\n4\nfive\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n";
    EXPECT_EQ(unifiedDiff(a, b, "A", "B"),
        "--- A\n+++ B\n"
        "@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n"
        "@@ -13,4 +13,5 @@\n 13\n 14\n 15\n-16\n\\ No newline at end of file\n+16\n+17\n");
    // Changes close together share a hunk; an empty side names the line before it.
    EXPECT_EQ(
        unifiedDiff("a\nb\nc\n", "a\nB\nc\nd\n", "A", "B"), "--- A\n+++ B\n@@ -1,3 +1,4 @@\n a\n-b\n+B\n c\n+d\n");
    EXPECT_EQ(unifiedDiff("", "x\r\n", "A", "B"), "--- A\n+++ B\n@@ -0,0 +1,1 @@\n+x\r\n");
    EXPECT_EQ(unifiedDiff("x\r\n", "", "A", "B"), "--- A\n+++ B\n@@ -1,1 +0,0 @@\n-x\r\n");
    EXPECT_EQ(unifiedDiff("same\r\n", "same\r\n", "A", "B"), "");
}

// Texts that differ everywhere are shown as replaced once the search gives
// up, within a bounded time, and the patch still gives the second text.
TEST(LineDiff, TheSearchIsBounded)
{
    std::string a, b;
    for (int i = 0; i < 20000; ++i) {
        a += "a" + std::to_string(i) + "\n";
        b += "b" + std::to_string(i) + "\n";
    }
    const std::vector<LineEdit> edits = diffLines(diffableLines(a), diffableLines(b), 64);
    EXPECT_EQ(edits.size(), 40000u);
    EXPECT_EQ(applyPatch(a, unifiedDiff(a, b, "a", "b", 3, 64)), b);
}

// Side by side, each row written "left|right" with its kind's sign
// (= equal, ~ changed, - removed, + added) and "." for a filler.
std::string sideBySide(std::string_view a, std::string_view b)
{
    const TextLines linesA = diffableLines(a), linesB = diffableLines(b);
    std::string out;
    for (const AlignedLine& row : alignSideBySide(linesA, linesB)) {
        const char sign[] = {'=', '~', '-', '+'};
        out += sign[static_cast<int>(row.kind)];
        out += row.left ? std::string(linesA.lines[*row.left]) : ".";
        out += "|";
        out += row.right ? std::string(linesB.lines[*row.right]) : ".";
        out += " ";
    }
    return out;
}

TEST(LineDiff, SideBySideRowsPairChangesAndFillTheShorterSide)
{
    const struct {
        const char* a;
        const char* b;
        const char* rows;
    } cases[] = {
        {"", "", ""},
        {"x\n", "", "-x|. "},
        {"", "x\n", "+.|x "},
        {"a\nb\nc\n", "a\nb\nc\n", "=a|a =b|b =c|c "},
        {"a\nb\nc\n", "a\nB\nc\n", "=a|a ~b|B =c|c "},
        // Two removed, one added: the first pair is a change, the rest removed.
        {"a\nb\nc\nd\n", "a\nX\nd\n", "=a|a ~b|X -c|. =d|d "},
        {"a\nd\n", "a\nX\nY\nd\n", "=a|a +.|X +.|Y =d|d "},
        {"a\nb\nd\n", "a\nX\nY\nd\n", "=a|a ~b|X +.|Y =d|d "},
        // Separate runs are paired each on its own.
        {"a\nb\nc\nd\ne\n", "A\nb\nc\nd\n", "~a|A =b|b =c|c =d|d -e|. "},
        {"a\nb\n", "c\nd\n", "~a|c ~b|d "},
        // A last line without its end is another line than with it.
        {"a\nb", "a\nb\n", "=a|a ~b|b "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sideBySide(c.a, c.b), c.rows) << c.a << " / " << c.b;
}

// Every line of both texts comes once, in order, and equal rows hold equal lines.
TEST(LineDiff, SideBySideKeepsEveryLineInOrder)
{
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        const std::string a = randomText(random, static_cast<int>(random() % 30), 1 + round % 5);
        const std::string b = randomText(random, static_cast<int>(random() % 30), 1 + round % 5);
        const TextLines linesA = diffableLines(a), linesB = diffableLines(b);
        std::size_t left = 0, right = 0;
        for (const AlignedLine& row : alignSideBySide(linesA, linesB)) {
            EXPECT_EQ(row.left.has_value(), row.kind != AlignedKind::Added);
            EXPECT_EQ(row.right.has_value(), row.kind != AlignedKind::Removed);
            if (row.left) {
                EXPECT_EQ(*row.left, left++);
            }
            if (row.right) {
                EXPECT_EQ(*row.right, right++);
            }
            if (row.kind == AlignedKind::Equal) {
                EXPECT_EQ(linesA.lines[*row.left], linesB.lines[*row.right]);
            }
        }
        EXPECT_EQ(left, linesA.lines.size());
        EXPECT_EQ(right, linesB.lines.size());
    }
}

} // namespace
} // namespace kestrel
