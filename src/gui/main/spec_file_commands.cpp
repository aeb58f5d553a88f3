#include "gui/main/spec_file_commands.h"

#include "core/base/file_lock.h"
#include "core/i18n/text_numbers.h"
#include "gui/common/file_paths.h"
#include "gui/common/window_texts.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QWidget>

namespace kestrel::gui {
namespace {

constexpr int kMaxRecentFiles = 8;
const QString kRecentKey = QStringLiteral("RecentFiles/files");

} // namespace

QString SpecFileCommands::fileFilter() const
{
    return document_.text(kTextSpecificationFiles) + QStringLiteral(";;") + document_.text(kTextAllFilesName) +
        QStringLiteral(" (*)");
}

QString SpecFileCommands::suffix() { return QStringLiteral(".kestrel.json"); }

SpecFileCommands::SpecFileCommands(Document& document, QWidget* window)
    : QObject(window), document_(document), window_(window)
{
    open_ = new QAction(window);
    open_->setObjectName(QStringLiteral("mnuOpen"));
    open_->setShortcut(QKeySequence::Open);
    save_ = new QAction(window);
    save_->setObjectName(QStringLiteral("mnuSave"));
    save_->setShortcut(QKeySequence::Save);
    saveAs_ = new QAction(window);
    saveAs_->setObjectName(QStringLiteral("mnuSaveAs"));
    saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    recent_ = new QMenu(window);
    recent_->menuAction()->setObjectName(QStringLiteral("mnuRecent"));
    for (QAction* action : {open_, save_, saveAs_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }

    connect(open_, &QAction::triggered, this, &SpecFileCommands::chooseAndOpen);
    connect(save_, &QAction::triggered, this, &SpecFileCommands::save);
    connect(saveAs_, &QAction::triggered, this, &SpecFileCommands::saveAs);
    rebuildRecentMenu();
}

QString SpecFileCommands::settingsPath() const
{
    return QDir(qtPath(document_.session().environment().configDir)).filePath(QStringLiteral("Kestrel-recent.ini"));
}

QStringList SpecFileCommands::recentFiles() const
{
    return QSettings(settingsPath(), QSettings::IniFormat).value(kRecentKey).toStringList();
}

void SpecFileCommands::addRecentFile(const QString& listFile, const QString& path)
{
    const QFileInfo list(listFile);
    const FileLock lock(filesystemPath(list.dir().filePath(list.completeBaseName() + QStringLiteral(".lock"))));
    QSettings settings(listFile, QSettings::IniFormat);
    QStringList files = settings.value(kRecentKey).toStringList(); // as it is now, not as it was at start
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    settings.setValue(kRecentKey, files);
    settings.sync(); // written before the lock is let go
}

void SpecFileCommands::remember(const QString& path)
{
    addRecentFile(settingsPath(), path);
    rebuildRecentMenu();
}

void SpecFileCommands::rebuildRecentMenu()
{
    recent_->clear();
    const QStringList files = recentFiles();
    int n = 0;
    for (const QString& path : files) {
        const std::string name = coreText(QFileInfo(path).fileName());
        QAction* entry =
            recent_->addAction(qtText(textWith(document_.texts(), kTextMenuRecentFile, {std::to_string(++n), name})));
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { openFile(path); });
    }
    if (!files.isEmpty()) {
        recent_->addSeparator();
        // Built anew with the list and after every walk of the main window,
        // in the words that walk showed.
        const TextWalk walk = document_.textWalk();
        const TextLookup& texts = document_.texts();
        const std::string caption =
            walkMenuEntry(walk, kTextMenuClearRecent, texts.gettext(kTextMenuClearRecent), walkTexts(walk, texts));
        QAction* clear = recent_->addAction(qtText(caption));
        clear->setObjectName(QStringLiteral("mnuClearRecent"));
        connect(clear, &QAction::triggered, this, [this] {
            QSettings(settingsPath(), QSettings::IniFormat).remove(kRecentKey);
            rebuildRecentMenu();
        });
    }
    recent_->menuAction()->setEnabled(!files.isEmpty());
}

bool SpecFileCommands::maybeSave(Reason reason)
{
    if (beforeCommand_ && !beforeCommand_())
        return false;
    if (!document_.isModified())
        return true;
    // Quitting asks in the program's own words; replacing the specification
    // by another one asks the same about what would be lost.
    const std::string question = reason == Reason::Exit ? document_.texts().gettext(kTextSaveChangesBeforeExiting)
                                                        : document_.texts().gettext(kTextSaveChangesToSpecification);
    switch (
        document_.sink().show({question, {}, MessageButtons::YesNoCancel, MessageIcon::Question, MessageAnswer::Yes})) {
    case MessageAnswer::Yes:
        return save();
    case MessageAnswer::No:
        return true;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
        return false;
    }
    return false;
}

void SpecFileCommands::chooseAndOpen()
{
    if (!maybeSave(Reason::Replace))
        return;
    const QString start = document_.filePath().isEmpty() ? QDir::homePath() : QFileInfo(document_.filePath()).path();
    const QString path =
        QFileDialog::getOpenFileName(window_, document_.text(kTextOpenSpecification), start, fileFilter());
    if (path.isEmpty())
        return;
    if (document_.open(path))
        remember(document_.filePath());
}

bool SpecFileCommands::openFile(const QString& path)
{
    if (!maybeSave(Reason::Replace))
        return false;
    if (!document_.open(path))
        return false;
    remember(document_.filePath());
    return true;
}

bool SpecFileCommands::save()
{
    if (beforeCommand_ && !beforeCommand_())
        return false;
    if (document_.filePath().isEmpty())
        return saveAs();
    if (!document_.saveAs(document_.filePath()))
        return false;
    remember(document_.filePath());
    return true;
}

bool SpecFileCommands::saveAs()
{
    if (beforeCommand_ && !beforeCommand_())
        return false;
    QString start = document_.filePath();
    if (start.isEmpty()) {
        // A new file is named after the procedure.
        QString name = QString::fromStdString(document_.inputs().identity.name).trimmed();
        name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
        start = QDir::home().filePath((name.isEmpty() ? QStringLiteral("specification") : name) + suffix());
    }
    QString path = QFileDialog::getSaveFileName(window_, document_.text(kTextSaveSpecificationAs), start, fileFilter());
    if (path.isEmpty())
        return false;
    if (!path.endsWith(suffix(), Qt::CaseInsensitive) && QFileInfo(path).suffix().isEmpty())
        path += suffix();
    if (!document_.saveAs(path))
        return false;
    remember(document_.filePath());
    return true;
}

} // namespace kestrel::gui
