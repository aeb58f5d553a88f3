// Comparing procedures step by step, on the golden procedures edited at
// random: steps renumbered are no change, a test put in or taken out is one
// change, and an edited field is found in its step.
#include "core/procgen/procedure_comparison.h"

#include "core/procgen/step_layout.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>

namespace kestrel {

void PrintTo(const StepFieldChange& change, std::ostream* out)
{
    *out << change.field << ": \"" << change.before << "\" -> \"" << change.after << "\"";
}

namespace {

// A procedure's lines, without their CR LF.
using Lines = std::vector<std::string>;

Lines splitProcedure(const std::string& text)
{
    Lines lines;
    std::size_t from = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    EXPECT_EQ(from, text.size()) << "a procedure ends with CR LF";
    return lines;
}

std::string joined(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::pair<std::string, Lines>> goldens()
{
    std::vector<std::pair<std::string, Lines>> all;
    for (const auto& entry : std::filesystem::directory_iterator(KESTREL_TEST_DATA_DIR "/golden"))
        all.emplace_back(entry.path().filename().string(), splitProcedure(test::readFile(entry.path())));
    std::sort(all.begin(), all.end());
    return all;
}

// The step field as the writer fills it: "%3d.%03d" right-aligned in 7.
std::string numberField(StepNumber number)
{
    char field[16];
    std::snprintf(field, sizeof field, "%3d.%03d", number.test, number.step);
    return field;
}

void renumber(std::string& line, StepNumber number) { line.replace(0, kStepNumberWidth, numberField(number)); }

// Adds `by` to the test number of every step line of a test from `from` on.
void shiftTests(Lines& lines, int from, int by)
{
    for (std::string& line : lines)
        if (std::optional<StepNumber> number = stepNumberOfLine(line); number && number->test >= from)
            renumber(line, {number->test + by, number->step});
}

// The tests whose step lines stand together, with no other test's step
// line between them, and where they stand (first and last line).
std::map<int, std::pair<std::size_t, std::size_t>> wholeTests(const Lines& lines)
{
    std::map<int, std::pair<std::size_t, std::size_t>> spans;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (const std::optional<StepNumber> number = stepNumberOfLine(lines[i])) {
            auto [at, fresh] = spans.try_emplace(number->test, i, i);
            at->second.second = i;
        }
    std::map<int, std::pair<std::size_t, std::size_t>> whole;
    for (const auto& [test, span] : spans) {
        bool alone = true;
        for (std::size_t i = span.first; i <= span.second && alone; ++i)
            if (const std::optional<StepNumber> number = stepNumberOfLine(lines[i]))
                alone = number->test == test;
        if (alone)
            whole.emplace(test, span);
    }
    return whole;
}

template <typename Map> auto pickKey(const Map& map, std::mt19937& random)
{
    auto at = map.begin();
    std::advance(at, std::uniform_int_distribution<std::size_t>(0, map.size() - 1)(random));
    return at->first;
}

TEST(ProcedureComparison, RenumberedStepsAreNoChange)
{
    int compared = 0;
    for (const auto& [name, lines] : goldens()) {
        for (unsigned seed = 0; seed < 8; ++seed) {
            std::mt19937 random(seed);
            const auto tests = wholeTests(lines);
            const int from = pickKey(tests, random);
            const int by = std::uniform_int_distribution<int>(1, 5)(random);
            Lines after = lines;
            shiftTests(after, from, by);
            std::size_t moved = 0;
            for (const std::string& line : lines)
                moved += stepNumberOfLine(line) && stepNumberOfLine(line)->test >= from;

            const ProcedureComparison comparison = compareProcedures(joined(lines), joined(after));
            EXPECT_TRUE(comparison.changes.empty()) << name << " seed " << seed;
            ASSERT_FALSE(comparison.renumberings.empty()) << name << " seed " << seed;
            for (const Renumbering& r : comparison.renumberings) {
                EXPECT_EQ(r.tests, by) << name;
                EXPECT_EQ(r.steps, 0) << name;
                EXPECT_GE(r.firstBefore.test, from) << name;
                EXPECT_EQ(r.firstAfter.test, r.firstBefore.test + by) << name;
            }
            std::size_t marked = 0;
            for (const ProcedureRow& row : comparison.rows) {
                EXPECT_EQ(row.line.kind, AlignedKind::Equal) << name;
                marked += row.renumbered;
            }
            EXPECT_EQ(marked, moved) << name << " seed " << seed;
            ++compared;
        }
        // A step put in within a test moves the steps after it by one.
        Lines within = lines;
        const auto [test, span] = *wholeTests(lines).rbegin();
        for (std::size_t i = span.first; i <= span.second; ++i)
            if (const std::optional<StepNumber> number = stepNumberOfLine(within[i]))
                renumber(within[i], {number->test, number->step + 1});
        const ProcedureComparison steps = compareProcedures(joined(lines), joined(within));
        EXPECT_TRUE(steps.changes.empty()) << name;
        ASSERT_EQ(steps.renumberings.size(), 1u) << name;
        EXPECT_EQ(steps.renumberings[0].tests, 0);
        EXPECT_EQ(steps.renumberings[0].steps, 1);
        EXPECT_EQ(steps.renumberings[0].firstBefore, stepNumberOfLine(lines[span.first]));
        EXPECT_EQ(steps.renumberings[0].lastBefore, stepNumberOfLine(lines[span.second]));
    }
    EXPECT_GT(compared, 80);
}

// Whether the field of that title is the field named, or one of those from
// the first to the last title of a joined name ("FSC-NOMINAL").
bool withinFields(const std::string& named, std::string_view title)
{
    const auto index = [](std::string_view t) {
        return std::find_if(kStepFields.begin(), kStepFields.end(), [t](const StepField& f) { return f.title == t; }) -
            kStepFields.begin();
    };
    const std::size_t dash = named.find('-');
    const std::string_view first = std::string_view(named).substr(0, dash);
    const std::string_view last = dash == std::string::npos ? first : std::string_view(named).substr(dash + 1);
    return index(first) <= index(title) && index(title) <= index(last);
}

// A test of two steps, unlike any of the procedures'.
Lines newTest(int test, unsigned seed)
{
    std::string disp = numberField({test, 1}) + "  DISP         Check " + std::to_string(seed) + " put in";
    std::string step =
        numberField({test, 2}) + "  7600   10    " + std::to_string(seed % 10) + ".5" + std::to_string(seed) + "V";
    return {disp, step};
}

TEST(ProcedureComparison, EachTestInsertedOrRemovedIsOneChange)
{
    int inserted = 0, removed = 0;
    for (const auto& [name, lines] : goldens()) {
        const auto tests = wholeTests(lines);
        for (unsigned seed = 0; seed < 8; ++seed) {
            std::mt19937 random(seed);
            // One or two tests put in before whole tests, highest first so
            // that the lines of the lower one still stand where they did.
            std::set<int> before{pickKey(tests, random), pickKey(tests, random)};
            Lines after = lines;
            std::vector<std::pair<int, std::size_t>> places;
            for (auto test = before.rbegin(); test != before.rend(); ++test)
                places.emplace_back(*test, tests.at(*test).first);
            for (const auto& [test, line] : places) {
                shiftTests(after, test, 1);
                const Lines block = newTest(test, seed);
                after.insert(after.begin() + static_cast<std::ptrdiff_t>(line), block.begin(), block.end());
            }
            const ProcedureComparison comparison = compareProcedures(joined(lines), joined(after));
            ASSERT_EQ(comparison.changes.size(), before.size()) << name << " seed " << seed;
            auto test = before.begin();
            for (const ProcedureChange& change : comparison.changes) {
                // The later insertion put the earlier's test one further on.
                const int number = *test + static_cast<int>(std::distance(before.begin(), test));
                EXPECT_EQ(change.kind, ProcedureChangeKind::Inserted) << name;
                EXPECT_FALSE(change.before);
                ASSERT_TRUE(change.after);
                EXPECT_EQ(change.after->count, 2u) << name;
                EXPECT_EQ(change.after->firstStep, (StepNumber{number, 1})) << name << " seed " << seed;
                EXPECT_EQ(change.after->lastStep, (StepNumber{number, 2})) << name;
                ++test;
                ++inserted;
            }
            for (const Renumbering& r : comparison.renumberings)
                EXPECT_GT(r.tests, 0) << name;

            // Taken out: the test's lines from its first step line to its last.
            const int gone = pickKey(tests, random);
            const auto [first, last] = tests.at(gone);
            Lines shorter = lines;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(first),
                shorter.begin() + static_cast<std::ptrdiff_t>(last + 1));
            shiftTests(shorter, gone + 1, -1);
            const ProcedureComparison less = compareProcedures(joined(lines), joined(shorter));
            ASSERT_EQ(less.changes.size(), 1u) << name << " seed " << seed << " test " << gone;
            EXPECT_EQ(less.changes[0].kind, ProcedureChangeKind::Removed);
            ASSERT_TRUE(less.changes[0].before);
            EXPECT_EQ(less.changes[0].before->count, last + 1 - first) << name << " test " << gone;
            for (const Renumbering& r : less.renumberings)
                EXPECT_EQ(r.tests, -1) << name;
            ++removed;
        }
    }
    EXPECT_GT(inserted, 100);
    EXPECT_GT(removed, 80);
}

TEST(ProcedureComparison, EditedFieldsAreFoundInTheirSteps)
{
    int edits = 0;
    for (const auto& [name, lines] : goldens()) {
        std::vector<std::size_t> stepLines;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (stepNumberOfLine(lines[i]))
                stepLines.push_back(i);
        for (unsigned seed = 0; seed < 10; ++seed) {
            std::mt19937 random(seed);
            Lines after = lines;
            // Up to three lines of other steps, each with one field
            // rewritten; by line, the order the changes come in.
            std::map<std::size_t, std::pair<StepNumber, std::string_view>> edited;
            std::set<StepNumber> steps;
            for (int k = 0; k < 3; ++k) {
                const std::size_t line =
                    stepLines[std::uniform_int_distribution<std::size_t>(0, stepLines.size() - 1)(random)];
                const StepNumber number = *stepNumberOfLine(lines[line]);
                if (steps.contains(number))
                    continue;
                const std::size_t f = std::uniform_int_distribution<std::size_t>(0, kStepFields.size() - 1)(random);
                const StepField& field = kStepFields[f];
                const std::size_t from = kBodyOffset + field.first - 1;
                const std::size_t to =
                    f + 1 < kStepFields.size() ? kBodyOffset + kStepFields[f + 1].first - 1 : from + field.room();
                std::string& text = after[line];
                if (text.size() < to)
                    text.resize(to, ' ');
                std::string value = "Q" + std::to_string(k);
                value.resize(to - from, ' ');
                if (text.substr(from, to - from) == value)
                    continue;
                text.replace(from, to - from, value);
                edited.emplace(line, std::pair(number, field.title));
                steps.insert(number);
            }
            const ProcedureComparison comparison = compareProcedures(joined(lines), joined(after));
            ASSERT_EQ(comparison.changes.size(), edited.size()) << name << " seed " << seed;
            EXPECT_TRUE(comparison.renumberings.empty());
            auto expected = edited.begin();
            for (const ProcedureChange& change : comparison.changes) {
                EXPECT_EQ(change.kind, ProcedureChangeKind::Changed);
                ASSERT_TRUE(change.before && change.after);
                const auto& [number, title] = expected->second;
                EXPECT_EQ(change.before->firstStep, number) << name << " seed " << seed;
                EXPECT_EQ(change.after->lastStep, number) << name << " seed " << seed;
                // The field by its title, or joined with a neighbour its
                // text runs on into.
                bool named = false;
                for (const StepFieldChange& field : change.fields) {
                    named = named || withinFields(field.field, title);
                    EXPECT_NE(field.before, field.after);
                }
                EXPECT_TRUE(named) << name << " seed " << seed << " " << title << ": "
                                   << testing::PrintToString(change.fields) << "\n"
                                   << lines[change.before->first] << "\n"
                                   << after[change.after->first];
                ++expected;
                ++edits;
            }
        }
    }
    EXPECT_GT(edits, 200);
}

// Fields by the column header's titles; a text over a field's border is
// one field; a line of no step is compared whole.
TEST(ProcedureComparison, ChangedFieldsByTheirTitles)
{
    const std::string a = "NUMBER OF TESTS:       2\r\n"
                          "=====\r\n"
                          "  1.001  DISP         Set UUT range to 2.0000\r\n"
                          "  1.002  7600   2     1.9V           0.05% 0.01U   1KH                     2W\r\n";
    const std::string b = "NUMBER OF TESTS:       3\r\n"
                          "=====\r\n"
                          "  1.001  DISP         Set UUT range to 20.000\r\n"
                          "  1.002  7600   2     1.8V           0.05% 0.01U   1KH                     4W\r\n";
    const ProcedureComparison comparison = compareProcedures(a, b);
    ASSERT_EQ(comparison.changes.size(), 3u);
    EXPECT_EQ(comparison.changes[0].before, (ProcedureLines{0, 1, std::nullopt, std::nullopt}));
    EXPECT_TRUE(comparison.changes[0].fields.empty());
    EXPECT_EQ(comparison.changes[1].fields,
        (std::vector<StepFieldChange>{{"NOMINAL-TOLERANCE", "Set UUT range to 2.0000", "Set UUT range to 20.000"}}));
    EXPECT_EQ(
        comparison.changes[2].fields, (std::vector<StepFieldChange>{{"NOMINAL", "1.9V", "1.8V"}, {"CON", "2W", "4W"}}));
    EXPECT_TRUE(compareProcedures(a, a).same());
}

} // namespace
} // namespace kestrel
