#pragma once
// The procedure's identity and the options of the "Options/Misc" page that
// shape the written procedure. Defaults are those of a first start.
#include <string>

namespace kestrel {

enum class ToleranceStyle { AsWritten, Units };         // "As Written", "± Units"
enum class PostTestWindow { OnFailure, Always, Never }; // when the post-test window shows
enum class DataEntry { Slew, GoNoGo, Keyboard, All };   // how the operator enters readings

struct OperatorButtons {
    bool list = true;
    bool cancel = true;
    bool repeat = true;
    bool operator==(const OperatorButtons&) const = default;
};

struct ProcedureIdentity {
    std::string name = "Enter Name";
    std::string author = "Enter your name";
    std::string revision = "1.0";
    std::string comments; // line breaks as CR LF
    bool operator==(const ProcedureIdentity&) const = default;
};

struct ProcedureOptions {
    ToleranceStyle toleranceStyle = ToleranceStyle::AsWritten;
    bool functionMessages = true; // "When necessary, add FUNCTION messages"
    bool autoranging = true;      // "UUT has Autoranging": no range messages
    PostTestWindow postTestWindow = PostTestWindow::OnFailure;
    OperatorButtons operatorButtons;
    DataEntry dataEntry = DataEntry::Keyboard;
    bool turChecking = true;
    int measurements = 1; // index (and text) of the "# Measurements" list, 0 to 10
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
