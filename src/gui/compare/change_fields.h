#pragma once
// Where the main window shows an input that a change of the compare
// window names by its key path: the objectName of the control that holds
// it ("options.data_entry" is the DataEntry_ option buttons, a connection
// record the Connection page's list). A grid cell is not among them: the
// grid shows it (meterCellOfPath).
#include <QString>

#include <string_view>

namespace kestrel::gui {

struct ChangeField {
    QString control; // an objectName, or for option buttons their prefix
    bool optionButtons = false;
};

// The control of a key path; an empty control when none shows it.
ChangeField controlOfPath(std::string_view path);

} // namespace kestrel::gui
