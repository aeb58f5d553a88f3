#include "core/app/procedure_comparison_report.h"

#include "core/app/spec_diff.h"
#include "core/base/line_diff.h"
#include "core/base/user_text.h"

#include <algorithm>
#include <cstdlib>

namespace kestrel {
namespace {

std::string signedAmount(int amount) { return (amount < 0 ? "-" : "+") + std::to_string(std::abs(amount)); }

std::string stepRange(const StepNumber& first, const StepNumber& last)
{
    return first == last ? "step " + stepNumberText(first)
                         : "steps " + stepNumberText(first) + "-" + stepNumberText(last);
}

// "line 50", "lines 80-82", 1-based.
std::string lineRange(const ProcedureLines& lines)
{
    const std::size_t first = lines.first + 1;
    if (lines.count <= 1)
        return "line " + std::to_string(first);
    return "lines " + std::to_string(first) + "-" + std::to_string(first + lines.count - 1);
}

// A line as shown: without its CR, anything that could work a terminal
// escaped.
std::string shownLine(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return escapeForMessage(line);
}

std::string quoted(std::string_view text) { return specValueLiteral(SpecValue(std::string(text))); }

const char* kindName(ProcedureChangeKind kind)
{
    switch (kind) {
    case ProcedureChangeKind::Inserted:
        return "inserted";
    case ProcedureChangeKind::Removed:
        return "removed";
    case ProcedureChangeKind::Changed:
        break;
    }
    return "changed";
}

std::string jsonStep(const std::optional<StepNumber>& number)
{
    return number ? quoted(stepNumberText(*number)) : std::string("null");
}

std::string jsonLines(const std::optional<ProcedureLines>& lines, const TextLines& text)
{
    if (!lines)
        return "null";
    std::string out = "{\"line\": " + std::to_string(lines->first + 1) +
        ", \"count\": " + std::to_string(lines->count) + ", \"first_step\": " + jsonStep(lines->firstStep) +
        ", \"last_step\": " + jsonStep(lines->lastStep) + ", \"lines\": [";
    for (std::size_t i = 0; i < lines->count; ++i) {
        std::string_view line = text.lines[lines->first + i];
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        out += (i ? ", " : "") + quoted(line);
    }
    return out + "]}";
}

} // namespace

std::optional<std::string> renumberingAmount(const Renumbering& r)
{
    if (r.steps == 0)
        return signedAmount(r.tests);
    if (r.tests != 0)
        return std::nullopt;
    const std::string thousandths = std::to_string(std::abs(r.steps));
    return std::string(r.steps < 0 ? "-" : "+") + "0." +
        std::string(3 - std::min<std::size_t>(3, thousandths.size()), '0') + thousandths;
}

std::string renumberingText(const Renumbering& r)
{
    const std::string text = stepRange(r.firstBefore, r.lastBefore) + " renumbered ";
    if (const std::optional<std::string> amount = renumberingAmount(r))
        return text + *amount;
    return text +
        (r.firstAfter == r.lastAfter ? stepNumberText(r.firstAfter)
                                     : stepNumberText(r.firstAfter) + "-" + stepNumberText(r.lastAfter));
}

std::string procedureLinesName(const ProcedureLines& lines)
{
    if (lines.firstStep)
        return stepRange(*lines.firstStep, *lines.lastStep);
    return lineRange(lines);
}

std::string procedureComparisonText(const ProcedureComparison& comparison, std::string_view a, std::string_view b)
{
    const TextLines linesA = diffableLines(a), linesB = diffableLines(b);
    std::string out;
    for (const Renumbering& r : comparison.renumberings)
        out += renumberingText(r) + "\n";
    for (const ProcedureChange& change : comparison.changes) {
        out += kindName(change.kind);
        out += ' ';
        if (change.before) {
            out += procedureLinesName(*change.before);
            if (change.after && procedureLinesName(*change.after) != procedureLinesName(*change.before))
                out += ", now " + procedureLinesName(*change.after);
        } else {
            out += procedureLinesName(*change.after);
        }
        out += " (";
        if (change.before)
            out += "A " + lineRange(*change.before) + (change.after ? ", " : "");
        if (change.after)
            out += "B " + lineRange(*change.after);
        out += ")\n";
        for (const StepFieldChange& field : change.fields)
            out += "  " + field.field + ": " + quoted(field.before) + " -> " + quoted(field.after) + "\n";
        if (change.before)
            for (std::size_t i = 0; i < change.before->count; ++i)
                out += "- " + shownLine(linesA.lines[change.before->first + i]) + "\n";
        if (change.after)
            for (std::size_t i = 0; i < change.after->count; ++i)
                out += "+ " + shownLine(linesB.lines[change.after->first + i]) + "\n";
    }
    return out;
}

std::string procedureComparisonJson(const ProcedureComparison& comparison, std::string_view a, std::string_view b)
{
    const TextLines linesA = diffableLines(a), linesB = diffableLines(b);
    std::string out = std::string("{\"same\": ") + (comparison.same() ? "true" : "false") + ",\n \"renumbered\": [";
    for (std::size_t i = 0; i < comparison.renumberings.size(); ++i) {
        const Renumbering& r = comparison.renumberings[i];
        out += (i ? ",\n  " : "\n  ");
        out += "{\"before\": {\"first\": " + quoted(stepNumberText(r.firstBefore)) +
            ", \"last\": " + quoted(stepNumberText(r.lastBefore)) +
            "}, \"after\": {\"first\": " + quoted(stepNumberText(r.firstAfter)) +
            ", \"last\": " + quoted(stepNumberText(r.lastAfter)) + "}, \"tests\": " + std::to_string(r.tests) +
            ", \"steps\": " + std::to_string(r.steps) + "}";
    }
    out += comparison.renumberings.empty() ? "],\n \"changes\": [" : "\n ],\n \"changes\": [";
    for (std::size_t i = 0; i < comparison.changes.size(); ++i) {
        const ProcedureChange& change = comparison.changes[i];
        out += (i ? ",\n  " : "\n  ");
        out += std::string("{\"kind\": \"") + kindName(change.kind) +
            "\", \"before\": " + jsonLines(change.before, linesA) + ", \"after\": " + jsonLines(change.after, linesB) +
            ", \"fields\": [";
        for (std::size_t f = 0; f < change.fields.size(); ++f)
            out += (f ? ", " : "") + std::string("{\"field\": ") + quoted(change.fields[f].field) +
                ", \"before\": " + quoted(change.fields[f].before) + ", \"after\": " + quoted(change.fields[f].after) +
                "}";
        out += "]}";
    }
    out += comparison.changes.empty() ? "]}\n" : "\n ]}\n";
    return out;
}

} // namespace kestrel
