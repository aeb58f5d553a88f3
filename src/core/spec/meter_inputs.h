#pragma once
// What the generators read, below the whole snapshot of the window: the
// parts every procedure shares (identity, options, instruction records and
// the program-wide values), and the meter specification with the lists that
// qualify it. The oscilloscope inputs join them one layer up, in the
// snapshot Create reads.
#include "core/spec/connection_store.h"
#include "core/spec/first_start.h"
#include "core/spec/procedure_options.h"
#include "core/spec/spec_table.h"
#include "core/spec/standards.h"

#include <string>
#include <string_view>

namespace kestrel {

// What every procedure's header block and preamble read.
struct CommonInputs {
    ProcedureIdentity identity;
    ProcedureOptions options;
    ConnectionStore connections;

    // Program-wide values.
    std::string decimalSeparator = ".";
    bool has7625 = false; // amplifier accessories configured in Tessel
    bool has3711 = false;
    std::string headerDate; // the header's DATE value, already formatted

    bool operator==(const CommonInputs&) const = default;
};

// The selected texts of the DMM page's lists.
struct MeterSelections {
    std::string reference = std::string(kReferences[firststart::kReferenceIndex]); // `Reference` entry text
    std::string tcType = std::string(firststart::kTcType);                         // `TCtypes` entry text
    std::string rtdType = std::string(firststart::kRtdType);                       // `RTDtypes` entry text
    std::string tempScale = std::string(kTempScales[firststart::kTempScaleIndex]); // "°C" or "°F"
    bool operator==(const MeterSelections&) const = default;
};

// The `Reference` change: the new standard, and the thermocouple and RTD
// lists refilled for it with their first choices ("J", "100 ohm Pt 385"),
// so a type chosen for another calibrator never survives the change.
void selectReference(MeterSelections& selections, std::string_view referenceText);

// What the meter generators read.
struct MeterInputs : CommonInputs {
    MeterSpec meter;
    MeterSelections selections;
    bool operator==(const MeterInputs&) const = default;
};

} // namespace kestrel
