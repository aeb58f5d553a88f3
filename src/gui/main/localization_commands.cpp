#include "gui/main/localization_commands.h"

#include "core/i18n/localization_save.h"
#include "gui/common/control_texts.h"
#include "gui/common/menu_entries.h"
#include "gui/document/document.h"
#include "gui/localization/localization_editor.h"

#include <QAction>
#include <QMenu>

#include <exception>

namespace kestrel::gui {

LocalizationCommands::LocalizationCommands(LocalizationWindow window, Document& document, QMenu* menu)
    : QObject(window.widget), window_(std::move(window)), document_(document)
{
    english_ = addMenuEntry(menu, "mnu_Use_English_0", true);
    local_ = addMenuEntry(menu, "mnu_Use_English_1", true);
    textSeparator_ = addMenuSeparator(menu, "mun_Text_sep");
    clear_ = addMenuEntry(menu, "mnuClear_Localization");
    edit_ = addMenuEntry(menu, "mnuEditLocalization");
    numbers_ = addMenuEntry(menu, "mnu_Disp_Ctrl_Num", true);
    onTopSeparator_ = addMenuSeparator(menu, "OnTop_seperator");

    // The entries' checks are the menu's state, which the handlers set: the
    // check a click flips by itself is put back first.
    const auto unflip = [](QAction* action, auto handler) {
        return [action, handler](bool checked) {
            action->setChecked(!checked);
            handler();
        };
    };
    connect(english_, &QAction::triggered, this, unflip(english_, [this] { useEnglish(0); }));
    connect(local_, &QAction::triggered, this, unflip(local_, [this] { useEnglish(1); }));
    connect(numbers_, &QAction::triggered, this, unflip(numbers_, [this] { displayNumbers(); }));
    connect(edit_, &QAction::triggered, this, &LocalizationCommands::editLocalization);
    connect(clear_, &QAction::triggered, this, &LocalizationCommands::clearLocalization);
}

void LocalizationCommands::startUp()
{
    const Session& s = document_.session();
    run(startUpMenu(s.locale.localizedMode, s.texts.localFilePresent()));
}

LocalizationMenu LocalizationCommands::state() const
{
    return {textSeparator_->isVisible(), english_->isChecked(), local_->isChecked(), english_->isEnabled(),
        clear_->isEnabled(), edit_->isEnabled(), numbers_->isChecked()};
}

void LocalizationCommands::apply(const LocalizationMenu& menu)
{
    for (QAction* a : {english_, local_, textSeparator_, clear_, edit_, numbers_, onTopSeparator_})
        a->setVisible(menu.shown);
    english_->setChecked(menu.englishChecked);
    local_->setChecked(menu.localChecked);
    english_->setEnabled(menu.languagesEnabled);
    local_->setEnabled(menu.languagesEnabled);
    clear_->setEnabled(menu.clearEnabled);
    edit_->setEnabled(menu.editEnabled);
    numbers_->setChecked(menu.numbersChecked);
}

void LocalizationCommands::run(const MenuStep& step)
{
    apply(step.menu);
    if (step.rebuildTexts)
        document_.session().reloadTexts();
    if (step.restoreOwnCaptions)
        restoreOwnCaptions(window_.widget);
    if (step.walk)
        window_.relabel(*step.walk);
}

void LocalizationCommands::useEnglish(int entry)
{
    try {
        run(useEnglishClicked(state(), entry));
    } catch (const std::exception& e) {
        document_.sink().inform(errorReport(document_.texts(), "  use english  ", e.what()));
    }
}

void LocalizationCommands::displayNumbers()
{
    try {
        run(displayNumbersClicked(state(), document_.session().texts.localFilePresent()));
    } catch (const std::exception& e) {
        document_.sink().inform(errorReport(document_.texts(), "  display control numbers  ", e.what()));
    }
}

void LocalizationCommands::editLocalization()
{
    LocalizationEditor editor(document_, window_.widget);
    connect(&editor, &LocalizationEditor::saved, this, [this] { run(localizationSaved(state())); });
    connect(&editor, &LocalizationEditor::removed, this, [this] { run(localizationCleared(state())); });
    window_.runModal([&] { editor.exec(); });
    apply(editorClosed(state(), document_.session().texts.localFilePresent()));
}

void LocalizationCommands::clearLocalization()
{
    Session& s = document_.session();
    if (!kestrel::clearLocalization(s.texts, s.localizationFiles(), document_.sink()))
        return;
    run(localizationCleared(state()));
}

} // namespace kestrel::gui
