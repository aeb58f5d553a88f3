#pragma once
// Everything Create reads, in one snapshot: the window, the command line
// and the tests all fill one of these and hand it to the same generators.
#include "core/app/procedure_options.h"
#include "core/i18n/connection_store.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/spec_table.h"

#include <string>

namespace kestrel {

enum class Page { Meter, Scope }; // the DMM's and Scopes tabs

struct MeterSelections {
    std::string reference = "3302";         // `Reference` entry text
    std::string tcType = "J";               // `TCtypes` entry text
    std::string rtdType = "100 ohm Pt 385"; // `RTDtypes` entry text
    std::string tempScale = "\xC2\xB0" "C"; // "°C" or "°F"
    bool operator==(const MeterSelections&) const = default;
};

struct ProcedureInputs {
    Page page = Page::Meter;
    ProcedureIdentity identity;
    ProcedureOptions options;
    MeterSpec meter;
    MeterSelections selections;
    ScopeInputs scope;
    ConnectionStore connections;

    // Program-wide values the generators read.
    std::string decimalSeparator = ".";
    bool has7625 = false; // amplifier accessories configured in Tessel
    bool has3711 = false;
    std::string headerDate; // the header's DATE value, already formatted

    bool operator==(const ProcedureInputs&) const = default;
};

} // namespace kestrel
