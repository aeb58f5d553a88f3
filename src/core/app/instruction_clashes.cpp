#include "core/app/instruction_clashes.h"

#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"

#include <algorithm>
#include <map>
#include <utility>

namespace kestrel {

std::vector<InstructionClash> instructionClashes(const ConnectionStore& store)
{
    std::map<std::pair<MeterFunction, int>, std::vector<std::size_t>> byColumn;
    const std::vector<ConnectionRecord>& records = store.records();
    for (std::size_t i = 0; i < records.size(); ++i)
        byColumn[{records[i].function, records[i].column}].push_back(i);
    std::vector<InstructionClash> clashes;
    for (auto& [where, positions] : byColumn)
        if (positions.size() > 1)
            clashes.push_back({where.first, where.second, std::move(positions)});
    std::sort(clashes.begin(), clashes.end(),
        [](const InstructionClash& a, const InstructionClash& b) { return a.records.front() < b.records.front(); });
    return clashes;
}

std::string instructionClashText(const InstructionClash& clash, const TextLookup& texts)
{
    const auto keyPath = [](std::size_t i) { return "connections[" + std::to_string(i) + "]"; };
    // All but the last record for <1>, the last for <2>.
    std::string first;
    for (std::size_t i = 0; i + 1 < clash.records.size(); ++i)
        first += (i ? ", " : "") + keyPath(clash.records[i]);
    return textWith(texts, kTextInstructionClash,
        {first, keyPath(clash.records.back()), functionInfo(clash.function).code, std::to_string(clash.column)});
}

} // namespace kestrel
