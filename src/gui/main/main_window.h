#pragma once
// Kestrel's main window: Main_TabStrip with the DMM and Scopes pages, the
// Create button at the bottom right, and the pop-up menu behind Picture5
// (files, undo, localization, always-on-top, About), which F10 and the
// Menu key open from anywhere in the window. It binds controls to
// the document and holds no procedure logic.
//
// Seams for the windows built on top of it:
// - createRequested(): the Create button was clicked, after a cell being
//   typed was stored (Ctrl held or not is for the handler to ask the
//   keyboard). commitPendingEdit() does the same for any other command.
// - connectionWizardRequested(function, column): a column header's button
//   was clicked; CurrentColumn and WizardCaption are in the document. The
//   signal is emitted while the window is no longer on top and the grid is
//   disabled, so a handler shows the wizard modally right there.
// - runModal(show): the same care around any modal window (help and
//   accuracy-file viewers).
// - mnuCompare, the "Compare with…" menu entry, and showCell() to bring a
//   grid cell the compare window names to the front, showControl() for
//   any other input it names.
// - the help and accuracy controls (cmd_ReferenceHelp, cmd_Acc_File,
//   Ask_HLP_0..2, Vset_HLP, Tessel_HLP, ScopeHelp, cmd_Scope_Acc) and the
//   localization menu entries are found by their names (control());
//   ClickableLabel::clicked is the help labels' click.
// - the procedure preview (dock_Preview) follows the document and, after a
//   pause in typing, the cell being typed; mnuPreview and F8 show or hide it.
//   The grid's current column marks its lines there, and a step chosen
//   there brings its column up in the grid.
// - the calibrator coverage (dock_Coverage) below it; mnuCoverage and F9.
// - the status line (StatusLine) left of Create says what a command did
//   that shows nothing else: a pane shown or hidden, a procedure copied.
// - relabel(walk): one walk of the control text table (local texts,
//   English texts or text numbers); LocalizationCommands runs them.
// SecondaryWindows (secondary_windows.h) connects Create, the wizard and
// the help and accuracy controls.
#include "gui/document/document.h"
#include "gui/main/spec_file_commands.h"

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace kestrel::gui {

class LocalizationCommands;
class MeterPage;
class OptionsPanel;
class CoveragePane;
class ProcedurePreview;
class SidePane;
class ScopePage;
class SpecFrame;
class SpecGridView;
class StatusLine;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Document& document, QWidget* parent = nullptr);
    ~MainWindow() override;

    Document& document() { return document_; }
    SpecFrame* specFrame() const;
    SpecGridView* grid() const;

    // A control or menu entry by its name.
    template <class T = QObject> T* control(const QString& name) const { return findChild<T*>(name); }

    // Every caption, tooltip, tab and menu text as the walk gives it.
    void relabel(TextWalk walk);
    // Opens a specification file as Open does (asking about unsaved
    // changes first); used for the command line's file argument too.
    bool openFile(const QString& path);
    // The file filter of the dialogs that choose a specification file.
    QString specFileFilter() const;
    // Brings the DMM page's grid up on the function's tab with (row, column)
    // current, and the window to the front (after storing a cell being typed).
    void showCell(MeterFunction function, int row, int column);
    // Brings up the pages that hold a control of the window, outer tab strip
    // first, and gives it the focus (after storing a cell being typed).
    void showControl(QWidget* control);
    // Shows a modal window without the window staying on top of it: the
    // topmost state is dropped while `show` runs, the grid is disabled, and
    // afterwards both come back and the grid gets the focus.
    void runModal(const std::function<void()>& show);
    // Stores a cell being typed; false when its text was refused (the
    // message was shown and the cell stays in edit).
    bool commitPendingEdit();

signals:
    void createRequested();
    void connectionWizardRequested(kestrel::MeterFunction function, int column);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    // Opens the menu under its button with the first entry chosen.
    void openMenu();
    void firstActivation();
    void mainTabChanged(int index);
    // Before a tab change hides the grid: stores the cell being typed, or,
    // when the check refuses it, puts tabs back to gridTab and says false.
    bool keepCellOrStay(QTabWidget* tabs, int gridTab);
    void buildPreview();
    void buildCoverage();
    // Shows or hides a pane beside the pages and remembers the choice.
    void showPane(Pane pane, bool shown);
    // A pane's title bar, about.
    int titleBarHeight() const;
    SidePane* pane(Pane pane) const;
    QAction* paneEntry(Pane pane) const;
    void applyTopMost(bool on);
    void toggleTopMost();
    void loadSample(int index);
    void updateTitle();
    void showAbout();
    void documentChanged(Parts parts);

    Document& document_;
    QTabWidget* mainTabs_;
    MeterPage* meterPage_;
    ScopePage* scopePage_;
    OptionsPanel* options_;
    QPushButton* create_;
    StatusLine* statusLine_;
    QToolButton* picture5_;
    QMenu* popup_;
    QAction* onTop_;
    ProcedurePreview* preview_;
    CoveragePane* coverage_;
    // The menu entries that show the panes, by Pane.
    std::array<QAction*, kPaneCount> paneEntries_{};
    LocalizationCommands* localization_;
    SpecFileCommands* files_;
    bool closing_ = false;
};

} // namespace kestrel::gui
