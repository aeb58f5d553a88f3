#include "core/i18n/translation_table.h"

#include "core/base/atomic_file.h"
#include "core/base/small_file.h"
#include "core/base/tab_separated.h"
#include "core/base/text_encoding.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"
#include "core/i18n/edit_table.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/localization_file.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace kestrel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kColumns = "Number\tEnglish\tLocal";
constexpr std::string_view kLineEnd = "\r\n";

std::optional<int> textNumber(std::string_view raw)
{
    const std::string digits = trim(raw);
    int number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

TranslationImport refused(std::string why) { return {{}, std::move(why)}; }

} // namespace

std::string writeTranslationTable(const EditTable& table)
{
    std::vector<const EditRecord*> rows;
    for (const EditRecord& record : table.records())
        rows.push_back(&record);
    std::sort(rows.begin(), rows.end(), [](const EditRecord* a, const EditRecord* b) { return a->number < b->number; });

    std::string out(kUtf8Bom);
    out += kColumns;
    out += kLineEnd;
    for (const EditRecord* r : rows) {
        out += std::to_string(r->number);
        out += '\t';
        out += tabSeparatedCell(r->english);
        out += '\t';
        out += tabSeparatedCell(r->local.value_or(std::string()));
        out += kLineEnd;
    }
    return out;
}

bool writeTranslationTableFile(const std::filesystem::path& path, const EditTable& table, std::string& error)
{
    return writeFileAtomically(path, writeTranslationTable(table), error);
}

TranslationImport readTranslationTable(std::string_view bytes)
{
    if (bytes.size() > kMaxTranslationTableSize)
        return refused("is larger than " + sizeText(kMaxTranslationTableSize) + ", too large for a translation table");
    const DecodedText text = decodeTextBytes(bytes);
    if (!text.error.empty())
        return refused(text.error);
    const TabSeparatedRead sheet = readTabSeparated(text.utf8, kMaxTranslationTableLines);
    if (!sheet.error.empty())
        return refused(sheet.error);

    TranslationImport result;
    for (const TabSeparatedRecord& record : sheet.records) {
        const std::vector<std::string>& cells = record.cells;
        const auto fail = [&](const std::string& why) {
            return refused("line " + std::to_string(record.line) + ": " + why);
        };
        if (std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return isBlank(cell); }))
            continue;
        const std::optional<int> number = textNumber(cells[0]);
        if (!number && record.line == 1)
            continue; // the column names
        if (cells.size() < 2 || cells.size() > 3)
            return fail("expected the text number, the English text and the local text, separated by TABs "
                        "(a text that holds a TAB goes in double quotes)");
        if (!number)
            return fail("\"" + escapeForMessage(cells[0]) + "\" is not a text number");
        if (!englishText(*number))
            return fail("text number " + std::to_string(*number) + " has no built-in text");
        if (result.locals.count(*number))
            return fail("text number " + std::to_string(*number) + " appears twice");

        std::optional<std::string> local;
        if (cells.size() == 3 && !cells[2].empty()) {
            if (const std::string problem = localTextProblem(cells[2]); !problem.empty())
                return fail("the local text of " + std::to_string(*number) + " " + problem);
            local = cells[2];
        }
        result.locals.emplace(*number, std::move(local));
    }
    return result;
}

TranslationImport readTranslationTableFile(const std::filesystem::path& path)
{
    // One byte past the limit is enough to tell a file that is too large.
    const SmallFile file = readSmallFile(path, kMaxTranslationTableSize);
    if (file.status == SmallFileStatus::TooLarge)
        return refused(file.problem + ", too large for a translation table");
    if (file.status != SmallFileStatus::Read)
        return refused(file.problem);
    return readTranslationTable(file.content);
}

} // namespace kestrel
