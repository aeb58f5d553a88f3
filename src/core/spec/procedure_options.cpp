#include "core/spec/procedure_options.h"

namespace kestrel {

MeasurementsList measurementsForDataEntry(DataEntry entry, int measurements)
{
    if (entry == DataEntry::Keyboard || entry == DataEntry::All)
        return {true, measurements < 1 ? 1 : measurements};
    return {false, 0};
}

} // namespace kestrel
