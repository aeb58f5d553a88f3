#pragma once
// The main window's secondary windows, wired to its controls: Create's
// delivery (the procedure viewer or the clipboard), the compare window
// behind "Compare with…", the connection wizard
// behind the column headers, and every opener of the help and
// accuracy-file viewers (the standard's buttons and the help labels of
// the DMM and options pages, the Scopes page's buttons). It owns what the
// viewers share between openings.
#include "core/spec/meter_function.h"
#include "core/viewers/viewer_state.h"
#include "gui/help/viewer_context.h"

#include <QObject>
#include <QString>

#include <string>

class QAbstractButton;

namespace kestrel::gui {

class Document;
class MainWindow;

class SecondaryWindows : public QObject {
    Q_OBJECT
public:
    explicit SecondaryWindows(MainWindow& window);

    // The compare window against the file at path, as mnuCompare opens it
    // once a file is chosen.
    void compareWith(const QString& path);

private:
    ViewerContext viewerContext();
    void create();
    void openWizard(MeterFunction function, int column);
    void chooseAndCompare();
    void connectHelpLabel(const char* name, const char* file);
    // The viewers open the way every modal window of the main window does:
    // not under a window that stays on top, with the grid disabled.
    void openHelp(const std::string& file, QAbstractButton* button, bool onTop = false);
    void openAccuracy(const std::string& file, QAbstractButton* button);

    MainWindow& window_;
    Document& document_;
    ViewerState viewerState_;
};

} // namespace kestrel::gui
