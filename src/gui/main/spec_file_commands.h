#pragma once
// Specification files in the window: Open, Save, Save As and the recent
// files, with the question asked before unsaved changes would be lost.
// The recent files are kept beside Kestrel.INI, so a test's scratch
// settings folder keeps them too.
#include "gui/document/document.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kestrel::gui {

class SpecFileCommands : public QObject {
    Q_OBJECT

public:
    // `window` parents the dialogs; the actions are added to it so that
    // their shortcuts work while the menu is closed.
    SpecFileCommands(Document& document, QWidget* window);

    // Runs before every command: stores what is being typed into the grid;
    // false (a refused cell) stops the command.
    void setBeforeCommand(std::function<bool()> beforeCommand) { beforeCommand_ = std::move(beforeCommand); }

    QAction* openAction() const { return open_; }
    QAction* saveAction() const { return save_; }
    QAction* saveAsAction() const { return saveAs_; }
    QMenu* recentMenu() const { return recent_; }

    enum class Reason { Exit, Replace };
    // Unsaved changes: asks whether to save them first (Yes saves, No goes
    // on without, Cancel stops). True when the caller may go on.
    bool maybeSave(Reason reason);

    // Opens a file as the Open command does, asking about unsaved changes first.
    bool openFile(const QString& path);
    bool save();
    bool saveAs();

    QStringList recentFiles() const;
    // The file filter of the dialogs.
    QString fileFilter() const;

    // Puts path at the top of the recent-files list kept in listFile.
    // Another instance may add its own file at the same moment: the list
    // is read, merged and written under a lock file beside it, so that
    // neither entry is lost.
    static void addRecentFile(const QString& listFile, const QString& path);

    // The suffix of a specification file.
    static QString suffix();

    // The recent files' entries anew, and the entry mnuClearRecent that
    // clears them in the words the main window's last walk shows.
    void rebuildRecentMenu();

private:
    void chooseAndOpen();
    void remember(const QString& path);
    QString settingsPath() const;

    Document& document_;
    QWidget* window_;
    QAction* open_;
    QAction* save_;
    QAction* saveAs_;
    QMenu* recent_;
    std::function<bool()> beforeCommand_;
};

} // namespace kestrel::gui
