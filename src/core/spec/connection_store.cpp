#include "core/spec/connection_store.h"

#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <algorithm>

namespace kestrel {

std::string pictureNameProblem(std::string_view name)
{
    if (std::string problem = oneLineTextProblem(name); !problem.empty())
        return problem;
    // Both separators and a drive's colon, whatever system reads the file.
    if (name.find_first_of("/\\:") != std::string_view::npos)
        return "names a folder; a picture is a file name in Tessel's picture folder";
    if (name == "." || name == "..")
        return "is not a file name";
    if (charCount(name) > kPictureNameLength)
        return "is longer than the " + std::to_string(kPictureNameLength) + " characters of a PIC step";
    return {};
}

std::string ConnectionStore::indexKey(std::string_view mode, std::string_view col)
{
    // A mode holds no control characters, so the separator cannot be part of one.
    std::string key = toLower(mode);
    key += '\x1f';
    key += col;
    return key;
}

void ConnectionStore::rebuildIndex()
{
    index_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        IndexEntry& entry = index_[indexKey(records_[i].mode, records_[i].col)];
        if (entry.count++ == 0)
            entry.position = i;
    }
}

void ConnectionStore::append(ConnectionRecord record)
{
    IndexEntry& entry = index_[indexKey(record.mode, record.col)];
    if (entry.count++ == 0)
        entry.position = records_.size();
    records_.push_back(std::move(record));
}

std::size_t ConnectionStore::count(std::string_view mode, int column) const
{
    const auto it = index_.find(indexKey(mode, std::to_string(column)));
    return it == index_.end() ? 0 : it->second.count;
}

const ConnectionRecord* ConnectionStore::findUnique(std::string_view mode, int column) const
{
    const auto it = index_.find(indexKey(mode, std::to_string(column)));
    return it != index_.end() && it->second.count == 1 ? &records_[it->second.position] : nullptr;
}

void ConnectionStore::put(ConnectionRecord record)
{
    const auto it = index_.find(indexKey(record.mode, record.col));
    if (it != index_.end() && it->second.count == 1) {
        records_[it->second.position] = std::move(record); // same mode and column: the index holds
        return;
    }
    if (it != index_.end()) {
        // Several records of one column (a file written by hand): the one
        // put replaces them all, so that the procedure uses it.
        std::erase_if(records_, [&](const auto& r) { return r.col == record.col && equalsNoCase(r.mode, record.mode); });
        rebuildIndex();
    }
    append(std::move(record));
}

void ConnectionStore::remove(std::string_view mode, int column)
{
    const std::string col = std::to_string(column);
    std::erase_if(records_, [&](const auto& r) { return r.col == col && equalsNoCase(r.mode, mode); });
    rebuildIndex();
}

void ConnectionStore::clearMode(std::string_view mode)
{
    if (equalsNoCase(mode, "all"))
        records_.clear();
    else
        std::erase_if(records_, [&](const auto& r) { return equalsNoCase(r.mode, mode); });
    rebuildIndex();
}

} // namespace kestrel
