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

std::string instructionTextProblem(std::string_view text)
{
    if (std::string problem = multiLineTextProblem(text); !problem.empty())
        return problem;
    // Counted as it goes, so that a text of a million line breaks is
    // refused at its ninth line.
    std::size_t lines = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (++lines > kInstructionLines)
            return "has more than " + std::to_string(kInstructionLines) + " lines";
        if (charCount(line) > kInstructionLineLength)
            return "line " + std::to_string(lines) + " is longer than " + std::to_string(kInstructionLineLength) +
                " characters";
        start = end + 1;
    }
    return {};
}

void ConnectionStore::rebuildIndex()
{
    index_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        IndexEntry& entry = index_[{records_[i].function, records_[i].column}];
        if (entry.count++ == 0)
            entry.position = i;
    }
}

void ConnectionStore::append(ConnectionRecord record)
{
    IndexEntry& entry = index_[{record.function, record.column}];
    if (entry.count++ == 0)
        entry.position = records_.size();
    records_.push_back(std::move(record));
}

const ConnectionRecord* ConnectionStore::findUnique(MeterFunction function, int column) const
{
    const auto it = index_.find({function, column});
    return it != index_.end() && it->second.count == 1 ? &records_[it->second.position] : nullptr;
}

void ConnectionStore::put(ConnectionRecord record)
{
    const auto it = index_.find({record.function, record.column});
    if (it != index_.end() && it->second.count == 1) {
        records_[it->second.position] = std::move(record); // same function and column: the index holds
        return;
    }
    if (it != index_.end()) {
        // Several records of one column (a file written by hand): the one
        // put replaces them all, so that the procedure uses it.
        remove(record.function, record.column);
    }
    append(std::move(record));
}

void ConnectionStore::remove(MeterFunction function, int column)
{
    std::erase_if(records_, [&](const auto& r) { return r.function == function && r.column == column; });
    rebuildIndex();
}

void ConnectionStore::clearFunction(MeterFunction function)
{
    std::erase_if(records_, [&](const auto& r) { return r.function == function; });
    rebuildIndex();
}

void ConnectionStore::clear()
{
    records_.clear();
    index_.clear();
}

} // namespace kestrel
