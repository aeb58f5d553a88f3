#pragma once
// Create in the window: the wait pointer while the generator runs, then
// the procedure in the viewer, or with Ctrl held at the click straight to
// the clipboard as plain text while the button flashes green and the
// status line says so. "Could not
// create the procedure." and a generator's own failure message come from
// the core through the message sink; a generator that failed midway still
// delivers what it wrote.
#include "core/app/procedure_inputs.h"
#include "gui/help/viewer_context.h"

class QAbstractButton;
class QWidget;

namespace kestrel::gui {

struct CreateTargets {
    QAbstractButton* createButton = nullptr; // flashes green for the clipboard
    QWidget* grid = nullptr;                 // takes the focus afterwards
    QWidget* parent = nullptr;               // owns the viewer
    bool topmost = false;                    // the main window's "Always On-Top"
};

// Reads the keyboard when called: call it from the button's click.
void createAndDeliver(const ProcedureInputs& inputs, const ViewerContext& viewers, const CreateTargets& targets);

// The two deliveries on their own.
void showProcedure(const std::string& procedureText, const ProcedureInputs& inputs, const ViewerContext& viewers,
    const CreateTargets& targets);
// The lines of a text, the last one counted whether or not a line break
// ends it.
int lineCount(const std::string& text);
// Says on the window's status line how many lines were copied.
void copyProcedure(const std::string& procedureText, QAbstractButton* createButton, const TextLookup& texts);

} // namespace kestrel::gui
