#include "core/i18n/edit_table.h"

#include "core/base/text_collation.h"
#include "core/base/text_util.h"
#include "core/i18n/english_texts.h"

#include <algorithm>

namespace kestrel {
namespace {

// -1, 0 or 1 as a compares to b by the column's field.
int compareField(const EditRecord& a, const EditRecord& b, EditColumn column, const TextCollation& localOrder)
{
    switch (column) {
    case EditColumn::Number:
        return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
    case EditColumn::English: {
        const int c = toLower(a.english).compare(toLower(b.english));
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    case EditColumn::Local:
        if (!a.local || !b.local)
            return a.local ? 1 : b.local ? -1 : 0;
        return localOrder.compare(*a.local, *b.local);
    }
    return 0;
}

// What a save writes for a local text: nothing for none or a blank one.
std::optional<std::string_view> savedForm(const std::optional<std::string>& local)
{
    if (!local || isBlank(*local))
        return std::nullopt;
    return std::string_view(*local);
}

} // namespace

EditTable::EditTable(const std::vector<std::pair<int, std::string>>& fileTexts, int language)
    : localOrder_(std::make_shared<const TextCollation>(language))
{
    for (const EnglishText& entry : englishTexts())
        records_.push_back({entry.number, std::string(entry.text), std::nullopt});
    for (const auto& [number, text] : fileTexts)
        if (const auto row = rowOf(number))
            records_[*row].local = trim(text);
}

std::optional<std::size_t> EditTable::rowOf(int number) const
{
    for (std::size_t row = 0; row < records_.size(); ++row)
        if (records_[row].number == number)
            return row;
    return std::nullopt;
}

bool EditTable::setLocal(std::size_t row, std::optional<std::string> text)
{
    std::optional<std::string>& local = records_.at(row).local;
    const bool changesSave = savedForm(local) != savedForm(text);
    local = std::move(text);
    return changesSave;
}

void EditTable::sortByHeader(EditColumn column)
{
    sort_ = EditSort{column, !sort_.descending};
    applySort();
}

void EditTable::applySort()
{
    std::sort(records_.begin(), records_.end(), [this](const EditRecord& a, const EditRecord& b) {
        const int c = compareField(a, b, sort_.column, *localOrder_);
        if (c != 0)
            return sort_.descending ? c > 0 : c < 0;
        return a.number < b.number;
    });
}

std::map<int, std::string> EditTable::textsToSave() const
{
    std::map<int, std::string> texts;
    for (const EditRecord& record : records_)
        if (record.local && !isBlank(*record.local))
            texts.emplace(record.number, *record.local);
    return texts;
}

bool EditTable::setLocals(const std::map<int, std::optional<std::string>>& locals)
{
    bool changed = false;
    for (EditRecord& record : records_) {
        const auto it = locals.find(record.number);
        if (it == locals.end() || record.local == it->second)
            continue;
        record.local = it->second;
        changed = true;
    }
    return changed;
}

std::optional<std::size_t> EditTable::findRow(std::string_view needle, std::size_t from) const
{
    if (needle.empty() || records_.empty())
        return std::nullopt;
    for (std::size_t step = 1; step <= records_.size(); ++step) {
        const EditRecord& r = records_[(from + step) % records_.size()];
        if (containsNoCase(std::to_string(r.number), needle) || containsNoCase(r.english, needle) ||
            (r.local && containsNoCase(*r.local, needle)))
            return (from + step) % records_.size();
    }
    return std::nullopt;
}

} // namespace kestrel
