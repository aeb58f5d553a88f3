#pragma once
// The localization entries of the main window's menu and the display mode
// they choose: local texts (entry 1 of mnu_Use_English checked), English
// texts (entry 0 checked) or text numbers (mnu_Disp_Ctrl_Num checked, the
// language entries disabled). The mode changes only what the main window
// shows; Gettext and every procedure keep using the local texts.
//
// Each handler is a function from the menu's state to the next state and
// what the window must do (which walk to run, whether to rebuild Local_RS
// first); the window only applies it.
#include "core/i18n/text_walks.h"

#include <optional>

namespace kestrel {

struct LocalizationMenu {
    // LocalizedMode: the entries and the separators mun_Text_sep and
    // OnTop_seperator are shown.
    bool shown = true;
    bool englishChecked = true;   // mnu_Use_English entry 0, "Display English Text"
    bool localChecked = false;    // entry 1, "Display Local Text"
    bool languagesEnabled = true; // both entries
    bool clearEnabled = true;     // mnuClear_Localization
    bool editEnabled = true;      // mnuEditLocalization
    bool numbersChecked = false;  // mnu_Disp_Ctrl_Num

    bool operator==(const LocalizationMenu&) const = default;
};

struct MenuStep {
    LocalizationMenu menu;
    std::optional<TextWalk> walk{}; // the walk to run over the main window
    bool rebuildTexts = false;      // Populate_Local_Recordset before the walk
    // Leaving numbers mode: the buttons and check boxes whose number is
    // their tooltip's get back their own captions (the grid commands none,
    // the column-delete button "X"), which no text walk sets.
    bool restoreOwnCaptions = false;
    bool operator==(const MenuStep&) const = default;
};

// Start-up: the entries are hidden unless in localized mode, the window is
// walked with local texts (English while no file exists), and the language
// entries are usable only when the texts come from a localization file
// (whichever locale the command line chose: the menu tells what is shown).
MenuStep startUpMenu(bool localizedMode, bool localFilePresent);

// mnu_Use_English click: entry 0 shows English texts, entry 1 rebuilds
// Local_RS and shows local texts.
MenuStep useEnglishClicked(const LocalizationMenu& menu, int entry);

// mnu_Disp_Ctrl_Num click: numbers mode starts, or ends in the language the
// localization file allows.
MenuStep displayNumbersClicked(const LocalizationMenu& menu, bool localFilePresent);

// After the editor saved the localization file (Local_RS already rebuilt):
// both language entries and the clear entry become usable, and the window
// shows local texts unless it shows numbers.
MenuStep localizationSaved(const LocalizationMenu& menu);

// When the editor closes: the language entries as the file allows.
LocalizationMenu editorClosed(const LocalizationMenu& menu, bool localFilePresent);

// After the clear command deleted the file (Local_RS already rebuilt with
// English texts): English checked, nothing to switch to or clear, and the
// window walked with local texts unless it shows numbers.
MenuStep localizationCleared(const LocalizationMenu& menu);

} // namespace kestrel
