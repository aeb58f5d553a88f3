#include "core/spec/meter_inputs.h"

#include "core/spec/standards.h"

namespace kestrel {

void selectReference(MeterSelections& selections, std::string_view referenceText)
{
    selections.reference = std::string(referenceText);
    selections.tcType = std::string(tcTypes(referenceText)[kDefaultTcTypeIndex]);
    selections.rtdType = std::string(rtdTypes(referenceText)[kDefaultRtdTypeIndex]);
}

} // namespace kestrel
