#include "core/scope/scope_inputs.h"

#include "core/app/text_util.h"

namespace kestrel {
namespace {

std::string_view entry(int index)
{
    return index >= 0 && index < static_cast<int>(kScopeReferences.size())
               ? kScopeReferences[static_cast<std::size_t>(index)]
               : std::string_view{};
}

} // namespace

std::string scopeFsc(int scopeReferenceIndex) { return std::string(entry(scopeReferenceIndex).substr(0, 4)); }

bool is300MHzOption(int scopeReferenceIndex) { return contains(toLower(entry(scopeReferenceIndex)), "300 mhz"); }

bool impedanceTestAvailable(int scopeReferenceIndex)
{
    const std::string fsc = scopeFsc(scopeReferenceIndex);
    return !(fsc == "7300" || fsc == "6400" || is300MHzOption(scopeReferenceIndex));
}

} // namespace kestrel
