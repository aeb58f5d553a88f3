#pragma once
// The texts of the main window's controls, by control name: each control
// carries the number of its caption or of its tooltip (the "T" mark), each
// tab of a tab strip its own number, each menu entry the number fixed for
// its name. A handful of controls show a fixed text that is not translated
// (units beside fields, the sample buttons' short names, the file entries
// of the menu); they are listed here too, so that this table is the one
// place a caption comes from.
//
// loadControlTexts() walks the table with a text source (Gettext for the
// local texts) and sets each control's text by the control's kind, then
// gives every control its accessible name from its caption or label.
#include <QString>

#include <functional>
#include <span>
#include <string_view>

class QWidget;

namespace kestrel::gui {

enum class TextRole {
    Caption,       // label, frame, button, check box, option button, text box (its placeholder)
    Tooltip,       // the "T" mark
    AccessibleName // only the name screen readers use (lists and fields without a label)
};

struct ControlText {
    std::string_view objectName;
    int number;             // text number; 0 when the text is fixed
    TextRole role = TextRole::Caption;
    std::string_view fixed; // the fixed text when number is 0
};

struct TabTexts {
    std::string_view tabStrip;
    std::span<const int> numbers; // one per tab, in tab order
};

struct MenuText {
    std::string_view entry;
    int number;             // 0 when fixed
    std::string_view fixed;
};

std::span<const ControlText> mainWindowControlTexts();
std::span<const TabTexts> mainWindowTabTexts();
std::span<const MenuText> mainWindowMenuTexts();

// A text number's text, as the walk asks for it.
using TextSource = std::function<QString(int)>;

// The local-texts walk (and, with another source, the English one): every
// control, tab and menu entry of the table found under `window` gets its
// text, then every named control its accessible name.
void loadControlTexts(QWidget* window, const TextSource& text);

// A caption as a screen reader reads it: without the access-key mark.
QString withoutAccessKey(const QString& caption);

// Accessible names from captions and labels: a control with a caption is
// named by it (without the access-key mark), a caption-less button by its
// tooltip, a field by the label whose buddy it is.
void nameControlsForAccessibility(QWidget* window);

} // namespace kestrel::gui
