#pragma once
// The procedure's identity and the options of the "Options/Misc" page that
// shape the written procedure. Defaults are those of a first start.
#include "core/spec/first_start.h"
#include "core/spec/procedure_choices.h"

#include <string>

namespace kestrel {

struct OperatorButtons {
    bool list = firststart::kOperatorButton;
    bool cancel = firststart::kOperatorButton;
    bool repeat = firststart::kOperatorButton;
    bool operator==(const OperatorButtons&) const = default;
};

struct ProcedureIdentity {
    std::string name = std::string(firststart::kProcedureName);
    std::string author = std::string(firststart::kAuthor);
    std::string revision = std::string(firststart::kRevision);
    std::string comments; // line breaks as CR LF
    bool operator==(const ProcedureIdentity&) const = default;
};

struct ProcedureOptions {
    ToleranceStyle toleranceStyle = firststart::kToleranceStyle;
    bool functionMessages = firststart::kFunctionMessages; // "When necessary, add FUNCTION messages"
    bool autoranging = firststart::kAutoranging;           // "UUT has Autoranging": no range messages
    PostTestWindow postTestWindow = firststart::kPostTestWindow;
    OperatorButtons operatorButtons;
    DataEntry dataEntry = firststart::kDataEntry;
    bool turChecking = firststart::kTurChecking;
    int measurements = firststart::kMeasurements; // index (and text) of the "# Measurements" list, 0 to 10
    bool operator==(const ProcedureOptions&) const = default;
};

// The "# Measurements" list as a DataEntry choice leaves it: usable with
// keyboard entry (every method includes the keyboard), with at least one
// measurement; unusable and at zero for slew and go/no-go entry.
struct MeasurementsList {
    bool enabled = true;
    int measurements = 1;
    bool operator==(const MeasurementsList&) const = default;
};
MeasurementsList measurementsForDataEntry(DataEntry entry, int measurements);

} // namespace kestrel
