#include "core/procgen/procedure_comparison.h"

#include "core/procgen/step_layout.h"

#include <algorithm>

namespace kestrel {
namespace {

// A line as the alignment sees it: a step line without its number, marked
// so that it cannot equal a line that has none.
std::string alignmentKey(std::string_view line)
{
    if (!stepNumberOfLine(line))
        return std::string(line);
    std::string key = "\x01";
    key += line.substr(kStepNumberWidth);
    return key;
}

std::string_view withoutCr(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t from = text.find_first_not_of(' ');
    if (from == std::string_view::npos)
        return {};
    return text.substr(from, text.find_last_not_of(' ') - from + 1);
}

// The body columns [from, to) of a step body, blank where it is shorter.
std::string_view columns(std::string_view body, std::size_t from, std::size_t to)
{
    if (from >= body.size())
        return {};
    return body.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from);
}

bool blankAt(std::string_view body, std::size_t at) { return at >= body.size() || body[at] == ' '; }

// The fields of two step lines that differ. A field reaches to the next
// field's first column (the last field to the end of the line), so that
// no character stands outside all fields; a text that runs on over a
// field's border in either line joins the two fields into one.
std::vector<StepFieldChange> fieldChanges(std::string_view lineA, std::string_view lineB)
{
    const std::string_view a = columns(withoutCr(lineA), kBodyOffset, std::string_view::npos);
    const std::string_view b = columns(withoutCr(lineB), kBodyOffset, std::string_view::npos);
    std::vector<StepFieldChange> changes;
    std::size_t first = 0; // the field the current run of fields starts with
    for (std::size_t i = 0; i < kStepFields.size(); ++i) {
        const bool last = i + 1 == kStepFields.size();
        if (!last) {
            // 0-based: the next field's first column and the one before it.
            const std::size_t border = kStepFields[i + 1].first - 1;
            const auto runsOn = [border](std::string_view body) {
                return !blankAt(body, border - 1) && !blankAt(body, border);
            };
            if (runsOn(a) || runsOn(b))
                continue;
        }
        const std::size_t from = kStepFields[first].first - 1;
        const std::size_t to = last ? std::string_view::npos : kStepFields[i + 1].first - 1;
        const std::string_view before = trimmed(columns(a, from, to)), after = trimmed(columns(b, from, to));
        if (before != after) {
            std::string title(kStepFields[first].title);
            if (first != i)
                title += "-" + std::string(kStepFields[i].title);
            changes.push_back({std::move(title), std::string(before), std::string(after)});
        }
        first = i + 1;
    }
    return changes;
}

// A line as the pairing within a run of edits sees it: a step line by its
// instruction (the FSC field), with its number or without, any other line
// whole.
std::string pairingKey(std::string_view line, bool withNumber)
{
    const std::optional<StepNumber> number = stepNumberOfLine(line);
    if (!number)
        return std::string(line);
    std::string key = "\x01";
    if (withNumber)
        key += stepNumberText(*number) + " ";
    const std::string_view body = columns(withoutCr(line), kBodyOffset, std::string_view::npos);
    key += trimmed(columns(body, field::kFsc.first - 1, field::kFsc.last));
    return key;
}

// alignSideBySide pairs a run's removed and added lines in order, which
// pairs a step put in with the step after it when that one changed too.
// Each run is aligned again by the lines' instructions, with their numbers
// first: lines that agree, and the lines between that the alignment
// pairs, stay pairs; the others stand alone. A run in which nothing
// agrees keeps its pairs in order.
std::vector<AlignedLine> pairedByInstruction(
    const std::vector<AlignedLine>& aligned, const TextLines& a, const TextLines& b, std::size_t maxSearch)
{
    std::vector<AlignedLine> rows;
    rows.reserve(aligned.size());
    for (std::size_t row = 0; row < aligned.size();) {
        std::size_t end = row;
        while (end < aligned.size() && aligned[end].kind != AlignedKind::Equal)
            ++end;
        if (end == row) {
            rows.push_back(aligned[row++]);
            continue;
        }
        std::vector<std::size_t> left, right;
        for (std::size_t r = row; r < end; ++r) {
            if (aligned[r].left)
                left.push_back(*aligned[r].left);
            if (aligned[r].right)
                right.push_back(*aligned[r].right);
        }
        std::vector<AlignedLine> inner;
        for (const bool withNumber : {true, false}) {
            if (left.empty() || right.empty())
                break;
            std::vector<std::string> keysA, keysB;
            for (const std::size_t i : left)
                keysA.push_back(pairingKey(a.lines[i], withNumber));
            for (const std::size_t i : right)
                keysB.push_back(pairingKey(b.lines[i], withNumber));
            inner =
                alignSideBySide({{keysA.begin(), keysA.end()}, true}, {{keysB.begin(), keysB.end()}, true}, maxSearch);
            if (std::any_of(inner.begin(), inner.end(),
                    [](const AlignedLine& line) { return line.kind == AlignedKind::Equal; }))
                break;
            inner.clear();
        }
        if (inner.empty()) {
            rows.insert(rows.end(), aligned.begin() + static_cast<std::ptrdiff_t>(row),
                aligned.begin() + static_cast<std::ptrdiff_t>(end));
        } else {
            for (const AlignedLine& line : inner) {
                const std::optional<std::size_t> l = line.left ? std::optional(left[*line.left]) : std::nullopt;
                const std::optional<std::size_t> r = line.right ? std::optional(right[*line.right]) : std::nullopt;
                rows.push_back({l, r, l && r ? AlignedKind::Changed : l ? AlignedKind::Removed : AlignedKind::Added});
            }
        }
        row = end;
    }
    return rows;
}

class Comparer {
public:
    Comparer(const TextLines& a, const TextLines& b) : a_(a), b_(b) { }

    ProcedureComparison run(std::vector<AlignedLine> aligned)
    {
        for (const AlignedLine& line : aligned) {
            const std::optional<StepNumber> before = line.left ? numberA(*line.left) : std::nullopt;
            const std::optional<StepNumber> after = line.right ? numberB(*line.right) : std::nullopt;
            const bool renumbered = line.kind == AlignedKind::Equal && before && after && *before != *after;
            result_.rows.push_back({line, renumbered});
            if (line.kind == AlignedKind::Equal)
                noteRenumbering(before, after);
        }
        for (std::size_t row = 0; row < aligned.size();) {
            if (aligned[row].kind == AlignedKind::Equal) {
                ++row;
                continue;
            }
            std::size_t end = row;
            while (end < aligned.size() && aligned[end].kind != AlignedKind::Equal)
                ++end;
            addRun(aligned, row, end);
            row = end;
        }
        return std::move(result_);
    }

private:
    std::optional<StepNumber> numberA(std::size_t line) const { return stepNumberOfLine(a_.lines[line]); }
    std::optional<StepNumber> numberB(std::size_t line) const { return stepNumberOfLine(b_.lines[line]); }

    // Equal step lines whose numbers moved by the amount the ones before
    // them moved by belong to one renumbering; lines that kept their numbers
    // end it, inserted and removed lines do not.
    void noteRenumbering(const std::optional<StepNumber>& before, const std::optional<StepNumber>& after)
    {
        if (!before || !after)
            return;
        const int tests = after->test - before->test, steps = after->step - before->step;
        if (tests == 0 && steps == 0) {
            open_ = false;
            return;
        }
        if (open_ && result_.renumberings.back().tests == tests && result_.renumberings.back().steps == steps) {
            result_.renumberings.back().lastBefore = *before;
            result_.renumberings.back().lastAfter = *after;
            return;
        }
        result_.renumberings.push_back({*before, *before, *after, *after, tests, steps});
        open_ = true;
    }

    static ProcedureLines linesOf(const TextLines& text, std::size_t first, std::size_t count)
    {
        ProcedureLines lines{first, count, std::nullopt, std::nullopt};
        for (std::size_t i = first; i < first + count; ++i)
            if (const std::optional<StepNumber> number = stepNumberOfLine(text.lines[i])) {
                if (!lines.firstStep)
                    lines.firstStep = number;
                lines.lastStep = number;
            }
        return lines;
    }

    // The rows [row, end) are one run of edits: its paired lines step by
    // step, each stretch of lines of one side (or of both, unpaired) as one
    // change.
    void addRun(const std::vector<AlignedLine>& aligned, std::size_t row, std::size_t end)
    {
        for (std::size_t from = row; from < end;) {
            const bool paired = aligned[from].kind == AlignedKind::Changed;
            std::size_t to = from;
            while (to < end && (aligned[to].kind == AlignedKind::Changed) == paired)
                ++to;
            if (paired)
                addStepsOfPairs(aligned, from, to);
            else
                addLoneLines(aligned, from, to);
            from = to;
        }
    }

    void addLoneLines(const std::vector<AlignedLine>& aligned, std::size_t row, std::size_t end)
    {
        std::size_t removed = 0, added = 0;
        for (std::size_t r = row; r < end; ++r)
            ++(aligned[r].left ? removed : added);
        const std::size_t firstA = firstLine(aligned, row, end, &AlignedLine::left);
        const std::size_t firstB = firstLine(aligned, row, end, &AlignedLine::right);
        if (added == 0)
            result_.changes.push_back({ProcedureChangeKind::Removed, linesOf(a_, firstA, removed), {}, {}});
        else if (removed == 0)
            result_.changes.push_back({ProcedureChangeKind::Inserted, {}, linesOf(b_, firstB, added), {}});
        else
            result_.changes.push_back(
                {ProcedureChangeKind::Changed, linesOf(a_, firstA, removed), linesOf(b_, firstB, added), {}});
    }

    static std::size_t firstLine(const std::vector<AlignedLine>& aligned, std::size_t row, std::size_t end,
        std::optional<std::size_t> AlignedLine::*side)
    {
        for (std::size_t r = row; r < end; ++r)
            if (aligned[r].*side)
                return *(aligned[r].*side);
        // No line of that side: where its lines would stand.
        for (std::size_t r = row; r-- > 0;)
            if (aligned[r].*side)
                return *(aligned[r].*side) + 1;
        return 0;
    }

    // Pairs of replaced lines, step by step: a step's lines with the
    // comment lines that lead up to them are one change.
    void addStepsOfPairs(const std::vector<AlignedLine>& aligned, std::size_t row, std::size_t end)
    {
        std::size_t groupStart = row;
        std::optional<std::pair<StepNumber, StepNumber>> groupStep;
        const auto close = [&](std::size_t groupEnd) {
            if (groupEnd == groupStart)
                return;
            const std::size_t firstA = *aligned[groupStart].left, firstB = *aligned[groupStart].right;
            const std::size_t count = groupEnd - groupStart;
            ProcedureChange change{
                ProcedureChangeKind::Changed, linesOf(a_, firstA, count), linesOf(b_, firstB, count), {}};
            for (std::size_t r = groupStart; r < groupEnd; ++r) {
                const std::size_t left = *aligned[r].left, right = *aligned[r].right;
                if (numberA(left) && numberB(right))
                    for (StepFieldChange& field : fieldChanges(a_.lines[left], b_.lines[right]))
                        change.fields.push_back(std::move(field));
            }
            result_.changes.push_back(std::move(change));
            groupStart = groupEnd;
        };
        for (std::size_t r = row; r < end; ++r) {
            const std::optional<StepNumber> before = numberA(*aligned[r].left), after = numberB(*aligned[r].right);
            if (!before && !after)
                continue; // a comment line joins the step after it
            const std::pair<StepNumber, StepNumber> step{before.value_or(StepNumber{}), after.value_or(StepNumber{})};
            if (groupStep && *groupStep != step) {
                // The comment lines since the last step line go with this step.
                std::size_t split = r;
                while (split > groupStart && !numberA(*aligned[split - 1].left) && !numberB(*aligned[split - 1].right))
                    --split;
                close(split);
            }
            groupStep = step;
        }
        close(end);
    }

    const TextLines& a_;
    const TextLines& b_;
    ProcedureComparison result_;
    bool open_ = false; // the last renumbering may grow
};

} // namespace

ProcedureComparison compareProcedures(std::string_view a, std::string_view b, std::size_t maxSearch)
{
    const TextLines linesA = diffableLines(a), linesB = diffableLines(b);
    std::vector<std::string> keysA, keysB;
    keysA.reserve(linesA.lines.size());
    keysB.reserve(linesB.lines.size());
    for (const std::string_view line : linesA.lines)
        keysA.push_back(alignmentKey(line));
    for (const std::string_view line : linesB.lines)
        keysB.push_back(alignmentKey(line));
    TextLines alignA{{keysA.begin(), keysA.end()}, linesA.lastEnded};
    TextLines alignB{{keysB.begin(), keysB.end()}, linesB.lastEnded};
    return Comparer(linesA, linesB)
        .run(pairedByInstruction(alignSideBySide(alignA, alignB, maxSearch), linesA, linesB, maxSearch));
}

} // namespace kestrel
