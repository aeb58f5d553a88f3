#include "core/i18n/localization_menu.h"

namespace kestrel {
namespace {

// Without a file there is nothing local to show or to clear.
void showEnglishOnly(LocalizationMenu& menu)
{
    menu.englishChecked = true;
    menu.localChecked = false;
    menu.languagesEnabled = false;
    menu.clearEnabled = false;
}

void showLocal(LocalizationMenu& menu)
{
    menu.englishChecked = false;
    menu.localChecked = true;
}

} // namespace

MenuStep startUpMenu(bool localizedMode, bool localFilePresent)
{
    MenuStep step;
    step.menu.shown = localizedMode;
    step.walk = TextWalk::Local;
    if (localFilePresent)
        showLocal(step.menu);
    else
        showEnglishOnly(step.menu);
    return step;
}

MenuStep useEnglishClicked(const LocalizationMenu& menu, int entry)
{
    MenuStep step{menu};
    if (entry == 0) {
        step.menu.englishChecked = true;
        step.menu.localChecked = false;
        step.walk = TextWalk::English;
    } else {
        showLocal(step.menu);
        step.rebuildTexts = true;
        step.walk = TextWalk::Local;
    }
    return step;
}

MenuStep displayNumbersClicked(const LocalizationMenu& menu, bool localFilePresent)
{
    MenuStep step{menu};
    step.menu.editEnabled = true;
    if (menu.numbersChecked) {
        step.menu.numbersChecked = false;
        step.restoreOwnCaptions = true;
        if (localFilePresent) {
            showLocal(step.menu);
            step.menu.languagesEnabled = true;
            step.menu.clearEnabled = true;
        } else {
            showEnglishOnly(step.menu);
        }
        step.walk = step.menu.englishChecked ? TextWalk::English : TextWalk::Local;
    } else {
        step.menu.numbersChecked = true;
        step.menu.languagesEnabled = false;
        step.menu.clearEnabled = false;
        step.walk = TextWalk::Numbers;
    }
    return step;
}

MenuStep localizationSaved(const LocalizationMenu& menu)
{
    MenuStep step{menu};
    // Numbers mode keeps the language entries and the clear entry disabled;
    // leaving it enables them, as the file now exists.
    if (menu.numbersChecked)
        return step;
    step.menu.languagesEnabled = true;
    step.menu.clearEnabled = true;
    step.walk = TextWalk::Local;
    return step;
}

LocalizationMenu editorClosed(const LocalizationMenu& menu, bool localFilePresent)
{
    LocalizationMenu next = menu;
    if (localFilePresent)
        showLocal(next);
    else
        showEnglishOnly(next);
    return next;
}

MenuStep localizationCleared(const LocalizationMenu& menu)
{
    MenuStep step{menu};
    showEnglishOnly(step.menu);
    if (!menu.numbersChecked)
        step.walk = TextWalk::Local;
    return step;
}

} // namespace kestrel
