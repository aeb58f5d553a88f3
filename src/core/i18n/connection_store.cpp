#include "core/i18n/connection_store.h"

#include "core/app/text_util.h"

#include <algorithm>

namespace kestrel {
namespace {

bool matches(const ConnectionRecord& r, std::string_view mode, const std::string& col)
{
    return toLower(r.mode) == toLower(mode) && r.col == col;
}

} // namespace

void ConnectionStore::append(ConnectionRecord record) { records_.push_back(std::move(record)); }

std::size_t ConnectionStore::count(std::string_view mode, int column) const
{
    const std::string col = std::to_string(column);
    return static_cast<std::size_t>(
        std::count_if(records_.begin(), records_.end(), [&](const auto& r) { return matches(r, mode, col); }));
}

const ConnectionRecord* ConnectionStore::findUnique(std::string_view mode, int column) const
{
    const std::string col = std::to_string(column);
    const ConnectionRecord* found = nullptr;
    for (const auto& r : records_) {
        if (!matches(r, mode, col))
            continue;
        if (found)
            return nullptr;
        found = &r;
    }
    return found;
}

void ConnectionStore::put(ConnectionRecord record)
{
    const auto it = std::find_if(records_.begin(), records_.end(),
                                 [&](const auto& r) { return matches(r, record.mode, record.col); });
    if (it == records_.end())
        records_.push_back(std::move(record));
    else
        *it = std::move(record);
}

void ConnectionStore::remove(std::string_view mode, int column)
{
    const std::string col = std::to_string(column);
    std::erase_if(records_, [&](const auto& r) { return matches(r, mode, col); });
}

void ConnectionStore::clearMode(std::string_view mode)
{
    if (toLower(mode) == "all") {
        records_.clear();
        return;
    }
    std::erase_if(records_, [&](const auto& r) { return toLower(r.mode) == toLower(mode); });
}

} // namespace kestrel
