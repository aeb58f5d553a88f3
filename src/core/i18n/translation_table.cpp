#include "core/i18n/translation_table.h"

#include "core/base/text_util.h"
#include "core/i18n/edit_table.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/localization_file.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace kestrel {
namespace {

constexpr std::string_view kColumns = "Number\tEnglish\tLocal";

std::string field(std::string_view text)
{
    std::string escaped = escapeLocalText(text);
    if (escaped.find('"') == std::string::npos)
        return escaped;
    return '"' + replaceAll(std::move(escaped), "\"", "\"\"") + '"';
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// A field as written: in double quotes with doubled quotes inside, or as it
// stands.
bool unquote(std::string_view raw, std::string& out, std::string& error)
{
    if (raw.empty() || raw.front() != '"') {
        out = raw;
        return true;
    }
    if (raw.size() < 2 || raw.back() != '"') {
        error = "a text that opens a double quote and does not close it";
        return false;
    }
    out.clear();
    const std::string_view inner = raw.substr(1, raw.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '"') {
            if (i + 1 == inner.size() || inner[i + 1] != '"') {
                error = "a double quote inside a quoted text that is not doubled";
                return false;
            }
            ++i;
        }
        out += inner[i];
    }
    return true;
}

std::optional<int> textNumber(std::string_view raw)
{
    const std::string digits = trim(raw);
    int number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

} // namespace

std::string writeTranslationTable(const EditTable& table)
{
    std::vector<const EditRecord*> rows;
    for (const EditRecord& record : table.records())
        rows.push_back(&record);
    std::sort(rows.begin(), rows.end(), [](const EditRecord* a, const EditRecord* b) { return a->number < b->number; });

    std::string out(kColumns);
    out += '\n';
    for (const EditRecord* r : rows) {
        out += std::to_string(r->number);
        out += '\t';
        out += field(r->english);
        out += '\t';
        out += field(r->local.value_or(std::string()));
        out += '\n';
    }
    return out;
}

TranslationImport readTranslationTable(std::string_view content)
{
    TranslationImport result;
    std::size_t lineNumber = 0;
    const auto fail = [&](const std::string& why) {
        result.locals.clear();
        result.error = "line " + std::to_string(lineNumber) + ": " + why;
        return result;
    };
    for (const std::string_view line : splitLines(content)) {
        ++lineNumber;
        const std::vector<std::string_view> fields = splitFields(line);
        if (std::all_of(fields.begin(), fields.end(), isBlank))
            continue;
        const std::optional<int> number = textNumber(fields[0]);
        if (!number && lineNumber == 1)
            continue; // the column names
        if (fields.size() < 2 || fields.size() > 3)
            return fail("expected the text number, the English text and the local text, separated by TABs "
                        "(a TAB inside a text is written \\t)");
        if (!number)
            return fail("\"" + std::string(fields[0]) + "\" is not a text number");
        if (!englishText(*number))
            return fail("text number " + std::to_string(*number) + " has no built-in text");
        if (result.locals.count(*number))
            return fail("text number " + std::to_string(*number) + " appears twice");

        std::optional<std::string> local;
        if (fields.size() == 3 && !fields[2].empty()) {
            std::string quoted, text, why;
            if (!unquote(fields[2], quoted, why) || !unescapeLocalText(quoted, text, why))
                return fail("the local text of " + std::to_string(*number) + ": " + why);
            if (const std::string problem = localTextProblem(text); !problem.empty())
                return fail("the local text of " + std::to_string(*number) + " " + problem);
            if (!text.empty())
                local = std::move(text);
        }
        result.locals.emplace(*number, std::move(local));
    }
    return result;
}

} // namespace kestrel
