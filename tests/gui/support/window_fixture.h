#pragma once
// A main window for one test: started against a scratch settings folder
// (its own Kestrel.INI and a tessel.ini naming the demo installation), shown
// on the offscreen platform, and driven by real key and mouse events on the
// widgets found by their names.
#include "core/app/session.h"
#include "gui/common/message_box_sink.h"
#include "gui/document/document.h"
#include "gui/grid/spec_grid.h"
#include "gui/main/main_window.h"
#include "support/modal_answerer.h"
#include "support/test_scratch_dir.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

class QComboBox;
class QLineEdit;

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) { *out << list.join(" | ").toStdString(); }

namespace kestrel::test {

class WindowTest : public ::testing::Test {
public:
    // Processes pending events (queued commits, deferred focus).
    static void settle();

protected:
    void TearDown() override;

    // Writes Kestrel.INI (when `ini` is not empty) and starts the window.
    void start(const std::string& ini = {}, int lcid = 1033, const std::string& commandLine = {});
    // Closes the window as the user does; the answer goes to the question
    // about unsaved changes, if one is asked.
    void closeWindow(QMessageBox::StandardButton answer = QMessageBox::No);

    // A control or menu entry by its name. A missing one ends the test
    // with a failure that names it, where the test would crash on using it.
    template <class T = QWidget> T* find(const char* name) const
    {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            throw std::runtime_error(std::string("no control named ") + name);
        return widget;
    }

    // The grid and its cells.
    void clickCell(int row, int column);
    // Types into the cell as a user does: the first key opens the editor,
    // the rest go to it, Enter commits. Returns the editor if it is still
    // open afterwards (a refused commit), else nullptr.
    QLineEdit* typeInCell(int row, int column, const QString& text);
    // The same without Enter: the editor stays open with the text.
    QLineEdit* startTyping(int row, int column, const QString& text);
    QString cell(int row, int column) const;
    // Keys typed ahead: the whole script is queued before the first key is
    // handled, as keys arrive while the window is busy, and each goes to
    // the control that has the focus when its turn comes. Words separated
    // by blanks: Enter, Tab, Backtab (Shift+Tab), Up, Down, Left, Right,
    // Escape, or a text typed character by character.
    void typeAhead(const QString& script);
    // The same without handling them: more may be queued behind.
    void queueKeys(const QString& script);
    // A click on a cell queued the same way, behind the keys before it.
    void queueClick(int row, int column);
    void selectFunction(MeterFunction f);
    // Chooses an entry of a list with the keyboard, as a user would.
    static void choose(QComboBox* box, const QString& text);
    void click(const char* name);
    // A window shortcut (Ctrl+Z, Ctrl+S …) typed while the window is active.
    void shortcut(QKeyCombination keys);
    std::string iniValue(const std::string& key) const;
    const ProcedureInputs& inputs() const { return document->inputs(); }

    ScratchDir dir;
    ModalAnswerer answerer;
    gui::MessageBoxSink sink;
    std::unique_ptr<gui::Document> document;
    std::unique_ptr<gui::MainWindow> window;
};

} // namespace kestrel::test
