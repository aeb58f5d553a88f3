#include "core/app/review_report.h"

#include "core/app/procedure_comparison_report.h"
#include "core/base/user_text.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"

#include <array>

namespace kestrel {
namespace {

// Laid out for paper: the page's margins leave A4 and Letter alike their
// width, long lines of a procedure wrap, and no heading ends a page.
constexpr const char* kStyle = R"(@page { margin: 15mm 12mm; }
body { font-family: sans-serif; font-size: 10pt; color: #000; background: #fff; max-width: 190mm; margin: 0 auto; }
h1 { font-size: 16pt; margin: 0 0 6pt; }
h2 { font-size: 13pt; margin: 14pt 0 4pt; border-bottom: 1px solid #888; break-after: avoid; }
h3 { font-size: 11pt; margin: 10pt 0 3pt; break-after: avoid; }
table { border-collapse: collapse; width: 100%; margin: 3pt 0; }
th, td { border: 1px solid #888; padding: 2pt 4pt; text-align: left; vertical-align: top; overflow-wrap: anywhere; }
th { background: #eee; }
td.n { text-align: right; }
pre { font-size: 8.5pt; white-space: pre-wrap; overflow-wrap: anywhere; margin: 2pt 0; padding: 3pt; border: 1px solid #ccc; }
.sign td { height: 24pt; }
.sign, .summary { break-inside: avoid; }
@media screen { body { margin: 8mm auto; } }
)";

// A text of several lines, each escaped: the line ends stay line ends of
// the <pre>, and nothing else of the text can break out of it.
std::string htmlLines(std::string_view lines)
{
    std::string out;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        out += htmlEscaped(lines.substr(0, end)) + "\n";
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    }
    return out;
}

std::string text(const TextLookup& texts, int number) { return htmlEscaped(texts.gettext(number)); }

std::string cell(std::string_view tag, std::string_view escaped, std::string_view cls = {})
{
    std::string out = "<" + std::string(tag);
    if (!cls.empty())
        out += " class=\"" + std::string(cls) + "\"";
    return out + ">" + std::string(escaped) + "</" + std::string(tag) + ">";
}

std::string identityTable(const ReviewedPair& pair, const TextLookup& texts)
{
    const std::string none = text(texts, kTextReviewAbsent);
    const auto side = [&](const std::optional<ReviewedFile>& file, std::string ReviewedFile::*field) {
        return file ? htmlEscaped((*file).*field) : none;
    };
    std::string out = "<table>\n<tr>" + cell("th", "") + cell("th", text(texts, kTextReviewBefore)) +
        cell("th", text(texts, kTextReviewAfter)) + "</tr>\n";
    const std::array<std::pair<int, std::string ReviewedFile::*>, 3> rows = {{{kTextReviewName, &ReviewedFile::name},
        {kTextReviewPath, &ReviewedFile::path}, {kTextReviewSha256, &ReviewedFile::sha256}}};
    for (const auto& [number, field] : rows)
        out += "<tr>" + cell("th", text(texts, number)) + cell("td", side(pair.before, field)) +
            cell("td", side(pair.after, field)) + "</tr>\n";
    return out + "</table>\n";
}

std::string coverageRow(int label, const std::optional<ReviewCoverage>& coverage, const TextLookup& texts)
{
    std::string out = "<tr>" + cell("th", text(texts, label));
    if (!coverage)
        return out + "<td colspan=\"4\">" + text(texts, kTextReviewAbsent) + "</td></tr>\n";
    for (const int count :
        {coverage->counts.asSpecified, coverage->counts.reduced, coverage->counts.manual, coverage->counts.leftOut})
        out += cell("td", std::to_string(count), "n");
    return out + "</tr>\n";
}

std::string coverageTable(const ReviewedPair& pair, const ReviewSettings& settings, const TextLookup& texts)
{
    if (pair.scope)
        return "<p>" + text(texts, kTextReviewNoCoverage) + "</p>\n";
    const std::string standard = !settings.standard.empty() ? settings.standard
        : pair.coverageAfter                                ? pair.coverageAfter->standard
        : pair.coverageBefore                               ? pair.coverageBefore->standard
                                                            : std::string();
    std::string out = "<h3>" + htmlEscaped(textWith(texts, kTextReviewCoverageBy, {standard})) +
        "</h3>\n<table>\n<tr>" + cell("th", "");
    for (const PointOutcome outcome :
        {PointOutcome::AsSpecified, PointOutcome::Reduced, PointOutcome::Manual, PointOutcome::LeftOut})
        out += cell("th", text(texts, outcomeTextNumber(outcome)));
    out += "</tr>\n" + coverageRow(kTextReviewBefore, pair.coverageBefore, texts) +
        coverageRow(kTextReviewAfter, pair.coverageAfter, texts);
    return out + "</table>\n";
}

std::string pairSection(const ReviewedPair& pair, const ReviewSettings& settings, const TextLookup& texts)
{
    std::string out = "<section>\n";
    if (!pair.key.empty())
        out += "<h2>" + text(texts, kTextReviewFile) + ": " + htmlEscaped(pair.key) + "</h2>\n";
    out += identityTable(pair, texts);
    if (!pair.failure.empty())
        out += "<p>" + htmlEscaped(textWith(texts, kTextReviewUnreadable, {pair.failure})) + "</p>\n";
    if (pair.before && pair.after && pair.failure.empty()) {
        out += "<h3>" + text(texts, kTextReviewSpecChanges) + "</h3>\n";
        if (pair.specChanges.empty()) {
            out += "<p>" + text(texts, kTextReviewNoChanges) + "</p>\n";
        } else {
            out += "<pre>";
            for (const SpecChange& change : pair.specChanges)
                out += htmlEscaped(specChangeLine(change)) + "\n";
            out += "</pre>\n";
        }
        out += "<h3>" + text(texts, kTextReviewProcedureChanges) + "</h3>\n";
        if (pair.procedure.same())
            out += "<p>" + text(texts, kTextReviewNoChanges) + "</p>\n";
        else
            out += "<pre>" +
                htmlLines(procedureComparisonText(pair.procedure, pair.procedureBefore, pair.procedureAfter)) +
                "</pre>\n";
    }
    if (pair.failure.empty())
        out += coverageTable(pair, settings, texts);
    return out + "</section>\n";
}

std::string settingsTable(const ReviewReport& report, const TextLookup& texts)
{
    const std::string byDefault = text(texts, kTextReviewDefault);
    const auto value = [&](const std::string& v) { return v.empty() ? byDefault : htmlEscaped(v); };
    std::string out = "<h2>" + text(texts, kTextReviewSettings) + "</h2>\n<table>\n";
    if (report.library) {
        out += "<tr>" + cell("th", text(texts, kTextReviewLibraryBefore)) +
            cell("td", htmlEscaped(report.libraryBefore)) + "</tr>\n";
        out += "<tr>" + cell("th", text(texts, kTextReviewLibraryAfter)) +
            cell("td", htmlEscaped(report.libraryAfter)) + "</tr>\n";
    }
    out += "<tr>" + cell("th", text(texts, kTextReviewLocale)) + cell("td", value(report.settings.lcid)) + "</tr>\n";
    out += "<tr>" + cell("th", text(texts, kTextReviewConfigDir)) + cell("td", value(report.settings.configDir)) +
        "</tr>\n";
    out += "<tr>" + cell("th", text(texts, kTextReviewDate)) + cell("td", value(report.settings.date)) + "</tr>\n";
    out +=
        "<tr>" + cell("th", text(texts, kTextReviewStandard)) + cell("td", value(report.settings.standard)) + "</tr>\n";
    return out + "</table>\n";
}

std::string summaryTable(const ReviewReport& report, const TextLookup& texts)
{
    const ReviewSummary s = reviewSummary(report);
    std::string out = "<h2>" + text(texts, kTextReviewSummary) + "</h2>\n<table class=\"summary\">\n";
    for (const auto& [number, count] : std::array<std::pair<int, int>, 5>{
             {{kTextReviewChanged, s.changed}, {kTextReviewUnchanged, s.unchanged}, {kTextReviewAdded, s.added},
                 {kTextReviewRemoved, s.removed}, {kTextReviewCoverageChanges, s.coverageChanged}}})
        out += "<tr>" + cell("th", text(texts, number)) + cell("td", std::to_string(count), "n") + "</tr>\n";
    out += "</table>\n<table>\n<tr>" + cell("th", text(texts, kTextReviewFile)) +
        cell("th", text(texts, kTextReviewChange)) + cell("th", text(texts, kTextReviewCoverageChanges)) + "</tr>\n";
    for (const ReviewedPair& pair : report.files) {
        if (!pair.changed())
            continue;
        const int state = !pair.before ? kTextReviewFileAdded
            : !pair.after              ? kTextReviewFileRemoved
                                       : kTextReviewFileChanged;
        out += "<tr>" + cell("td", htmlEscaped(pair.key)) + cell("td", text(texts, state)) +
            cell("td", pair.coverageChanged() ? "&#x2713;" : "") + "</tr>\n";
    }
    return out + "</table>\n";
}

std::string signOffTable(const TextLookup& texts)
{
    std::string out = "<h2>" + text(texts, kTextReviewSignOff) + "</h2>\n<table class=\"sign\">\n<tr>" +
        cell("th", "") + cell("th", text(texts, kTextReviewName)) + cell("th", text(texts, kTextReviewSignDate)) +
        cell("th", text(texts, kTextReviewSignature)) + "</tr>\n";
    for (const int role : {kTextReviewPrepared, kTextReviewReviewed, kTextReviewApproved})
        out += "<tr>" + cell("th", text(texts, role)) + "<td></td><td></td><td></td></tr>\n";
    return out + "</table>\n";
}

std::string json(std::string_view value) { return specValueLiteral(SpecValue{std::string(value)}); }

std::string fileJson(const std::optional<ReviewedFile>& file)
{
    if (!file)
        return "null";
    return "{\"name\": " + json(file->name) + ", \"path\": " + json(file->path) +
        ", \"sha256\": " + json(file->sha256) + "}";
}

std::string coverageJson(const std::optional<ReviewCoverage>& coverage)
{
    if (!coverage)
        return "null";
    const CoverageCounts& n = coverage->counts;
    return "{\"standard\": " + json(coverage->standard) + ", \"asSpecified\": " + std::to_string(n.asSpecified) +
        ", \"reduced\": " + std::to_string(n.reduced) + ", \"manual\": " + std::to_string(n.manual) +
        ", \"leftOut\": " + std::to_string(n.leftOut) +
        ", \"generatorFailed\": " + (coverage->generatorFailed ? "true" : "false") + "}";
}

std::string pairJson(const ReviewedPair& pair)
{
    std::string out = "{";
    if (!pair.key.empty())
        out += "\"file\": " + json(pair.key) + ", ";
    out += "\"before\": " + fileJson(pair.before) + ", \"after\": " + fileJson(pair.after);
    if (!pair.failure.empty())
        out += ", \"error\": " + json(pair.failure);
    out += ", \"identical\": " + std::string(pair.identical ? "true" : "false");
    out += ", \"specChanges\": [";
    for (std::size_t i = 0; i < pair.specChanges.size(); ++i)
        out += (i ? ", " : "") + specChangeJson(pair.specChanges[i]);
    out += "], \"procedureChanges\": ";
    std::string procedure = procedureComparisonJson(pair.procedure, pair.procedureBefore, pair.procedureAfter);
    while (!procedure.empty() && procedure.back() == '\n')
        procedure.pop_back();
    out += procedure;
    out += ", \"coverageBefore\": " + coverageJson(pair.coverageBefore) +
        ", \"coverageAfter\": " + coverageJson(pair.coverageAfter) + "}";
    return out;
}

} // namespace

ReviewSummary reviewSummary(const ReviewReport& report)
{
    ReviewSummary s;
    for (const ReviewedPair& pair : report.files) {
        if (!pair.before)
            ++s.added;
        else if (!pair.after)
            ++s.removed;
        else if (pair.changed())
            ++s.changed;
        else
            ++s.unchanged;
        if (pair.coverageChanged())
            ++s.coverageChanged;
    }
    return s;
}

std::string htmlEscaped(std::string_view raw)
{
    const std::string safe = escapeForMessage(raw);
    std::string out;
    out.reserve(safe.size());
    for (const char c : safe) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string reviewReportHtml(const ReviewReport& report, const TextLookup& texts)
{
    std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        text(texts, kTextReviewTitle) + "</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n<h1>" +
        text(texts, kTextReviewTitle) + "</h1>\n";
    out += settingsTable(report, texts);
    if (report.library)
        out += summaryTable(report, texts);
    for (const ReviewedPair& pair : report.files)
        if (!report.library || pair.changed())
            out += pairSection(pair, report.settings, texts);
    out += signOffTable(texts);
    return out + "</body>\n</html>\n";
}

std::string reviewReportJson(const ReviewReport& report)
{
    const ReviewSettings& s = report.settings;
    std::string out = "{\"settings\": {\"lcid\": " + json(s.lcid) + ", \"configDir\": " + json(s.configDir) +
        ", \"date\": " + json(s.date) + ", \"standard\": " + json(s.standard) + "}";
    if (!report.library) {
        const std::string pair = report.files.empty() ? "{}" : pairJson(report.files.front());
        return out + ",\n \"file\": " + pair + "}\n";
    }
    const ReviewSummary sum = reviewSummary(report);
    out += ",\n \"libraryBefore\": " + json(report.libraryBefore) + ", \"libraryAfter\": " + json(report.libraryAfter);
    out += ",\n \"summary\": {\"changed\": " + std::to_string(sum.changed) +
        ", \"unchanged\": " + std::to_string(sum.unchanged) + ", \"added\": " + std::to_string(sum.added) +
        ", \"removed\": " + std::to_string(sum.removed) +
        ", \"coverageChanges\": " + std::to_string(sum.coverageChanged) + "},\n \"files\": [";
    for (std::size_t i = 0; i < report.files.size(); ++i)
        out += (i ? ",\n  " : "\n  ") + pairJson(report.files[i]);
    return out + "]}\n";
}

} // namespace kestrel
