// The review report's HTML: every value escaped, every text a numbered
// text, and the library summary's counts.
#include "core/app/review_report.h"

#include "core/i18n/text_lookup.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace kestrel {
namespace {

TEST(HtmlEscaped, LeavesNoValueAbleToOpenATagOrHideItself)
{
    const struct {
        std::string raw;
        std::string escaped;
    } kCases[] = {
        {"plain Müller", "plain Müller"},
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"a & b", "a &amp; b"},
        {R"(" onload="x)", "&quot; onload=&quot;x"},
        {"it's", "it&#39;s"},
        {"&lt;", "&amp;lt;"},
        {"line\nbreak", "line\\u000abreak"},
        {"esc\x1b[31m", "esc\\u001b[31m"},
        {"zero\xe2\x80\x8bwidth", "zero\\u200bwidth"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(htmlEscaped(c.raw), c.escaped) << c.raw;
}

// Every text as its number, so that a word of English the table does not
// hold stands out.
class NumberLookup : public TextLookup {
public:
    std::string gettext(int number) const override { return "#" + std::to_string(number) + "#"; }
};

ReviewedPair pairOf(std::string key, bool before, bool after, bool identical, int reducedAfter = 0)
{
    ReviewedPair pair;
    pair.key = std::move(key);
    if (before)
        pair.before = ReviewedFile{"x.json", "old/x.json", std::string(64, 'a')};
    if (after)
        pair.after = ReviewedFile{"x.json", "new/x.json", std::string(64, 'b')};
    pair.identical = identical;
    if (before)
        pair.coverageBefore = ReviewCoverage{"7320", {3, 0, 0, 0}, false};
    if (after)
        pair.coverageAfter = ReviewCoverage{"7320", {3 - reducedAfter, reducedAfter, 0, 0}, false};
    return pair;
}

TEST(ReviewReport, EveryTextOfTheHtmlIsANumberedText)
{
    ReviewReport report;
    report.library = true;
    report.libraryBefore = "old";
    report.libraryAfter = "new";
    report.settings = {"1033", "", "2026-12-05", "7320"};
    report.files = {pairOf("a.json", true, true, false, 1), pairOf("b.json", false, true, false),
        pairOf("c.json", true, false, false), pairOf("d.json", true, true, true)};
    report.files[0].specChanges.push_back({"procedure.name", std::string("A"), std::string("B")});
    std::string html = reviewReportHtml(report, NumberLookup());
    html.erase(html.find("<style>"), html.find("</style>") - html.find("<style>"));
    std::string words = std::regex_replace(html, std::regex("<[^>]*>|#[0-9]+#|&#x2713;|[0-9]+"), " ");
    // What is left: the values the report was given, and punctuation.
    for (const char* value : {"old/x.json", "new/x.json", "x.json", "a.json", "b.json", "c.json", "7320",
             "procedure.name: &quot;A&quot; -&gt; &quot;B&quot;", "old", "new"})
        for (std::size_t at; (at = words.find(value)) != std::string::npos;)
            words.erase(at, std::string(value).size());
    words = std::regex_replace(words, std::regex("[a-f]{64}"), " ");
    EXPECT_TRUE(std::regex_match(words, std::regex("[\\s:\\-]*"))) << words;
}

TEST(ReviewReport, SummaryCountsFilesByWhatHappenedToThem)
{
    ReviewReport report;
    report.library = true;
    report.files = {pairOf("changed", true, true, false, 1), pairOf("changed too", true, true, false),
        pairOf("same", true, true, true), pairOf("added", false, true, false), pairOf("removed", true, false, false)};
    // Added and removed files count as that alone, not as coverage changes.
    EXPECT_EQ(reviewSummary(report), (ReviewSummary{2, 1, 1, 1, 1}));
}

} // namespace
} // namespace kestrel
