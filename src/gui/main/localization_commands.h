#pragma once
// The localization entries of the main window's menu, bound to the core's
// menu rules: the start-up steps, mnu_Use_English (both entries),
// mnu_Disp_Ctrl_Num, mnuEditLocalization (the editor) and
// mnuClear_Localization. Each handler reads the entries' state, asks the
// core for the next state and the walk to run, and applies both.
#include "core/i18n/localization_menu.h"
#include "core/i18n/text_walks.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kestrel::gui {

class Document;

// What the entries need of the window they belong to: the window itself
// (parent of the editor), one walk of its control texts, and the care the
// window takes around a modal window.
struct LocalizationWindow {
    QWidget* widget;
    std::function<void(TextWalk)> relabel;
    std::function<void(const std::function<void()>&)> runModal;
};

class LocalizationCommands : public QObject {
    Q_OBJECT

public:
    // Adds the entries, in their order, to `menu`, up to the separator
    // before the always-on-top entry.
    LocalizationCommands(LocalizationWindow window, Document& document, QMenu* menu);

    // The start-up steps: entries hidden or shown, the local walk, the
    // language entries as the localization file allows.
    void startUp();

    LocalizationMenu state() const;

    void useEnglish(int entry);
    void displayNumbers();
    void editLocalization();
    void clearLocalization();

private:
    void apply(const LocalizationMenu& menu);
    void run(const MenuStep& step);

    LocalizationWindow window_;
    Document& document_;
    QAction* english_;
    QAction* local_;
    QAction* textSeparator_;
    QAction* clear_;
    QAction* edit_;
    QAction* numbers_;
    QAction* onTopSeparator_;
};

} // namespace kestrel::gui
