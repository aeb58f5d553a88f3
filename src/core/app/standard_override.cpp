#include "core/app/standard_override.h"

#include "core/spec/standards.h"

#include <algorithm>
#include <span>

namespace kestrel {
namespace {

template <typename List> bool listHolds(const List& list, std::string_view name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The chosen entry when the list holds it, else the list's default.
template <typename List> std::string keptOrDefault(const List& list, const std::string& chosen, int defaultIndex)
{
    return listHolds(list, chosen) ? chosen : std::string(list[static_cast<std::size_t>(defaultIndex)]);
}

} // namespace

bool isStandardName(std::string_view name) { return listHolds(kReferences, name) || listHolds(kScopeReferences, name); }

std::string standardNamesForMessage()
{
    std::string names;
    using List = std::span<const std::string_view>;
    for (const List list : {List(kReferences), List(kScopeReferences)})
        for (const std::string_view name : list)
            names += (names.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    return names;
}

bool overrideStandard(ProcedureInputs& inputs, std::string_view name)
{
    if (inputs.page == Page::Scope) {
        const auto entry = std::find(kScopeReferences.begin(), kScopeReferences.end(), name);
        if (entry == kScopeReferences.end())
            return false;
        inputs.scope.reference = static_cast<int>(entry - kScopeReferences.begin());
        if (!impedanceTestAvailable(inputs.scope.reference))
            inputs.scope.impedanceTest = false;
        return true;
    }
    return overrideMeterStandard(inputs.selections, name);
}

bool overrideMeterStandard(MeterSelections& s, std::string_view name)
{
    if (!listHolds(kReferences, name))
        return false;
    s.reference = std::string(name);
    s.tcType = keptOrDefault(tcTypes(name), s.tcType, kDefaultTcTypeIndex);
    s.rtdType = keptOrDefault(rtdTypes(name), s.rtdType, kDefaultRtdTypeIndex);
    return true;
}

} // namespace kestrel
