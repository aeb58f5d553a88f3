#include "gui/control_texts.h"

#include "core/base/message_sink.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <array>
#include <exception>

namespace kestrel::gui {
namespace {

using K = ControlKind;

constexpr ControlText label(std::string_view name, std::string_view tag) { return {name, K::Label, tag, {}, {}}; }
constexpr ControlText frame(std::string_view name, std::string_view tag) { return {name, K::Frame, tag, {}, {}}; }
constexpr ControlText check(std::string_view name, std::string_view tag) { return {name, K::CheckBox, tag, {}, {}}; }
constexpr ControlText option(std::string_view name, std::string_view tag) { return {name, K::OptionButton, tag, {}, {}}; }
constexpr ControlText textBox(std::string_view name, std::string_view tag) { return {name, K::TextBox, tag, {}, {}}; }
constexpr ControlText picture(std::string_view name, std::string_view tag) { return {name, K::PictureBox, tag, {}, {}}; }
constexpr ControlText button(std::string_view name, std::string_view tag, std::string_view fixedCaption = {},
                             std::string_view fixedTooltip = {})
{
    return {name, K::CommandButton, tag, fixedCaption, fixedTooltip};
}
// A unit or sign beside a field: the same in every language.
constexpr ControlText fixedLabel(std::string_view name, std::string_view caption)
{
    return {name, K::Label, {}, caption, {}};
}

constexpr std::array kControlTexts{
    // The window.
    button("Create", "1223"),
    picture("Picture5", "1570T"),

    // DMM page: the grid's row labels (the function on show relabels 5 and 7).
    label("SpecLabel_0", "1070"),
    label("SpecLabel_1", "1071"),
    label("SpecLabel_2", "1072"),
    label("SpecLabel_3", "1073"),
    label("SpecLabel_4", "1074"),
    label("SpecLabel_5", "1075"),
    label("SpecLabel_6", "1083"),
    label("SpecLabel_7", "1081"),
    label("SpecLabel_9", "1255"),

    // DMM page: grid commands. They show pictures; "X" is the column-delete
    // button's caption in every language.
    button("InsertColumn", "1229T"),
    button("DeleteColumn", "1230T", "X"),
    button("Copy_Column", "1227T"),
    button("dupRange", "1228T"),
    button("ClearSpec_0", "1261T"),
    button("ClearSpec_1", "1262T"),

    // DMM page: the calibration standard and the samples.
    label("Label7", "212"),
    button("cmd_ReferenceHelp", "1518T"),
    button("cmd_Acc_File", "1519T"),
    label("Label6", "213"),
    button("Populate_62_7300", "1508T", "62 / 7300"),
    button("Populate_62_6400", "1509T", "62 / 6400"),
    button("Populate_28_7300", "1510T", "28"),
    button("Populate4919", "1511T", "4919"),
    button("Populate34401", "1512T", "34401"),
    button("Populate2290", {}, "2290", "Specifications for Orvik 2290 Reference Multimeter"),
    button("Command3", {}, "Test", "Test values for trying the generators"),

    // Options/Misc.
    frame("Spec_Frame", "1273"),
    option("Proc_Tol_0", "1274"),
    option("Proc_Tol_1", "1275"),
    frame("MessageFrame", "1254"),
    label("lbl_FunctionMessage", "214"),
    label("lbl_RangeMessage", "1269"),
    frame("Frame3", "224"),
    option("PauseBetweenTests_0", "225"),
    option("PauseBetweenTests_1", "226"),
    option("PauseBetweenTests_2", "227"),
    frame("Frame4", "229"),
    check("OperatorControl_0", "230"),
    check("OperatorControl_1", "231"),
    check("OperatorControl_2", "232"),
    label("Label1_3", "218"),
    label("Author", "219"),
    label("Label1_1", "220"),
    textBox("Comments", "1080"),
    frame("DataEntryFrame", "233"),
    option("DataEntry_0", "234"),
    option("DataEntry_1", "236"),
    option("DataEntry_2", "235"),
    option("DataEntry_3", "1272"),
    frame("Frame5", "237"),
    check("TUR_Check_Off", "228"),
    label("Label2", "239"),
    label("lbl_Keyboard_Only", "1507"),
    label("Ask_HLP_0", "1526T"),
    label("Ask_HLP_1", "1526T"),
    label("Ask_HLP_2", "1526T"),
    label("Vset_HLP", "1526T"),
    label("Tessel_HLP", "1526T"),

    // Scopes page.
    label("Label5", "212"),
    button("ScopeHelp", {}, "Help"),
    button("cmd_Scope_Acc", {}, "Acc"),
    frame("Frame2", "1284"),
    label("Label10", "1212"),
    label("Label15", "257"),
    fixedLabel("lbl_VertPercent", "%"),
    frame("Frame6", "1286"),
    label("Label4", "1212"),
    label("Label18", "257"),
    fixedLabel("lbl_TimebasePercent", "%"),
    label("Label12", "1210"),
    fixedLabel("lbl_Mhz", "Mhz"),
    label("Label13", "1211"),
    check("chk_Risetime", "1525T"),
    fixedLabel("lbl_ns", "ns"),
    frame("Frame7", "1287"),
    label("Label26", "1505"),
    // The impedance box carries a caption of its own beside the tooltip
    // every test box has.
    check("chk_Impedance", "1525T"),
    check("chk_Impedance", "1239"),
    fixedLabel("lbl_1MOhm", "1 M\u03A9  \u00B1"),
    fixedLabel("lbl_1MOhmPercent", "%"),
    fixedLabel("lbl_50Ohm", "50 \u03A9  \u00B1"),
    fixedLabel("lbl_50OhmPercent", "%"),
    label("lbl_Capacitance", "1202"),
    fixedLabel("lbl_pF", "pF  \u00B1"),
    fixedLabel("lbl_CapPercent", "%"),
};

constexpr std::array kAccessibleTexts{
    AccessibleText{"Main_TabStrip", 0, "Unit under test"},
    AccessibleText{"Meter_TabStrip", 0, "DMM's"},
    AccessibleText{"Meter_Function_TabStrip", 0, "Meter function"},
    AccessibleText{"MeterSpecGrid", 0, "Meter specification"},
    AccessibleText{"TCtypes", 1240, {}},
    AccessibleText{"RTDtypes", 1241, {}},
    AccessibleText{"TempScale", 1242, {}},
    AccessibleText{"ConnectionList", 1260, {}},
    AccessibleText{"Scope_TabStrip_2", 0, "Scopes"},
    AccessibleText{"VertGain1", 1203, {}},
    AccessibleText{"VertGain2", 0, "Least sensitive"},
    AccessibleText{"VerticalAccuracy", 1204, {}},
    AccessibleText{"Sweep1", 1206, {}},
    AccessibleText{"Sweep2", 0, "Slowest sweep speed"},
    AccessibleText{"TimebaseAccuracy", 1205, {}},
    AccessibleText{"p_Scope_Connectors", 1287, {}},
    AccessibleText{"CapAccuracy", 0, "Input capacitance accuracy"},
};

// The Connection tab carries 201 too, so a translator reaches its caption.
constexpr std::array kMainTabs{100, 101};
constexpr std::array kMeterTabs{200, 201, 202};
constexpr std::array kFunctionTabs{1061, 1062, 1063, 1064, 1065, 1066, 1067, 1068, 1069};
constexpr std::array kScopeTabs{200, 202};

constexpr std::array kTabTexts{
    TabTexts{"Main_TabStrip", kMainTabs},
    TabTexts{"Meter_TabStrip", kMeterTabs},
    TabTexts{"Meter_Function_TabStrip", kFunctionTabs},
    TabTexts{"Scope_TabStrip_2", kScopeTabs},
};

constexpr std::array kMenuTexts{
    MenuText{"mnuOpen", 0, "&Open\u2026"},
    MenuText{"mnuRecent", 0, "Open &Recent"},
    MenuText{"mnuSave", 0, "&Save"},
    MenuText{"mnuSaveAs", 0, "Save &As\u2026"},
    MenuText{"mnuUndo", 0, "&Undo"},
    MenuText{"mnuRedo", 0, "&Redo"},
    MenuText{"mnu_Use_English_0", 1225, {}},
    MenuText{"mnu_Use_English_1", 1224, {}},
    MenuText{"mnuClear_Localization", 1263, {}},
    MenuText{"mnuEditLocalization", 1233, {}},
    MenuText{"mnu_Disp_Ctrl_Num", 1265, {}},
    MenuText{"mnuToggle_OnTop", 1234, {}},
    MenuText{"mnuAbout", 1226, {}},
    MenuText{"mnuQuit", 0, "&Quit"},
};

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString qName(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

// A caption goes where the control's kind shows it; Qt's texts are Unicode
// throughout, so every script shows without a code page of its own.
void setCaption(QObject* control, const QString& caption)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption); // command buttons, check boxes, option buttons
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(caption);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
        // The walk replaces what the box holds, as every text box's text
        // comes from its number; the hint stays for when it is emptied.
        text->setPlainText(caption);
        text->setPlaceholderText(caption);
    } else if (auto* list = qobject_cast<QComboBox*>(control); list && list->isEditable())
        list->setEditText(caption);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(caption);
}

void setTooltip(QObject* control, const QString& tip)
{
    if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setToolTip(tip);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setToolTip(tip);
}

void setTabCaption(QObject* strip, int index, const QString& caption)
{
    if (auto* tabs = qobject_cast<QTabWidget*>(strip); tabs && index < tabs->count())
        tabs->setTabText(index, caption);
    else if (auto* bar = qobject_cast<QTabBar*>(strip); bar && index < bar->count())
        bar->setTabText(index, caption);
}

bool hasExplicitAccessibleName(std::string_view objectName)
{
    for (const auto& entry : kAccessibleTexts)
        if (entry.objectName == objectName)
            return true;
    return false;
}

const char* walkLabel(TextWalk walk)
{
    switch (walk) {
    case TextWalk::Local: return "Load non-english strings";
    case TextWalk::English: return "  load english strings  ";
    case TextWalk::Numbers: return " show control numbers ";
    }
    return "";
}

void walkControls(QWidget* window, TextWalk walk, const TextLookup& texts)
{
    for (const auto& entry : kControlTexts) {
        QWidget* control = window->findChild<QWidget*>(qName(entry.objectName));
        if (!control)
            continue;
        const TextChange change = walkControl(walk, entry.kind, entry.objectName, entry.tag,
                                              control->toolTip().toStdString(), texts);
        if (change.caption)
            setCaption(control, QString::fromStdString(*change.caption));
        if (change.tooltip)
            setTooltip(control, QString::fromStdString(*change.tooltip));
        if (change.caption || change.tooltip)
            control->update();
        if (change.letEventsRun)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    for (const auto& tabs : kTabTexts) {
        QObject* strip = window->findChild<QObject*>(qName(tabs.tabStrip));
        if (!strip)
            continue;
        for (std::size_t i = 0; i < tabs.numbers.size(); ++i)
            if (const auto caption = walkTab(walk, std::to_string(tabs.numbers[i]), texts))
                setTabCaption(strip, static_cast<int>(i), QString::fromStdString(*caption));
    }
    for (const auto& entry : kMenuTexts) {
        auto* action = window->findChild<QAction*>(qName(entry.entry));
        if (action && entry.number != 0)
            action->setText(QString::fromStdString(
                walkMenuEntry(walk, entry.number, action->text().toStdString(), texts)));
    }
    if (walk != TextWalk::Numbers)
        for (const auto& entry : kAccessibleTexts)
            if (auto* widget = window->findChild<QWidget*>(qName(entry.objectName)); widget && entry.number != 0)
                widget->setAccessibleName(withoutAccessKey(QString::fromStdString(texts.gettext(entry.number))));
}

} // namespace

std::span<const ControlText> mainWindowControlTexts() { return kControlTexts; }
std::span<const TabTexts> mainWindowTabTexts() { return kTabTexts; }
std::span<const MenuText> mainWindowMenuTexts() { return kMenuTexts; }

QString withoutAccessKey(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                out += u'&';
            else
                continue;
            ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

void applyDesignTexts(QWidget* window)
{
    for (const auto& entry : kControlTexts) {
        QWidget* control = window->findChild<QWidget*>(qName(entry.objectName));
        if (!control)
            continue;
        if (!entry.fixedCaption.empty())
            setCaption(control, qText(entry.fixedCaption));
        if (!entry.fixedTooltip.empty())
            setTooltip(control, qText(entry.fixedTooltip));
    }
    for (const auto& entry : kAccessibleTexts)
        if (auto* widget = window->findChild<QWidget*>(qName(entry.objectName)); widget && entry.number == 0)
            widget->setAccessibleName(qText(entry.fixed));
    for (const auto& entry : kMenuTexts)
        if (auto* action = window->findChild<QAction*>(qName(entry.entry)); action && entry.number == 0)
            action->setText(qText(entry.fixed));
}

void walkControlTexts(QWidget* window, TextWalk walk, const TextLookup& local, MessageSink& sink)
{
    // Every control that shows text has a font that covers every script
    // Qt can find a font for, so no font of the locale's character set is
    // chosen before the local walk.
    try {
        walkControls(window, walk, walkTexts(walk, local));
    } catch (const std::exception& e) {
        sink.inform(errorReport(local, walkLabel(walk), e.what()));
    }
    // After the walk the window repaints and pending window events run.
    window->update();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    nameControlsForAccessibility(window);
}

void restoreOwnCaptions(QWidget* window)
{
    for (const auto& entry : kControlTexts) {
        if ((entry.kind != K::CommandButton && entry.kind != K::CheckBox) || !parseTextTag(entry.tag).tooltip)
            continue;
        if (QWidget* control = window->findChild<QWidget*>(qName(entry.objectName)))
            setCaption(control, qText(entry.fixedCaption));
    }
}

void nameControlsForAccessibility(QWidget* window)
{
    const auto widgets = window->findChildren<QWidget*>();
    QHash<QWidget*, QString> labelOf;
    for (QWidget* widget : widgets)
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
            labelOf.insert(label->buddy(), withoutAccessKey(label->text()));

    // Its own caption first, then the label whose buddy it is, then (for a
    // picture button) its tooltip.
    for (QWidget* widget : widgets) {
        const std::string name = widget->objectName().toStdString();
        if (name.empty() || hasExplicitAccessibleName(name))
            continue;
        QString caption;
        if (auto* label = qobject_cast<QLabel*>(widget))
            caption = withoutAccessKey(label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            caption = withoutAccessKey(button->text());
        else if (auto* frame = qobject_cast<QGroupBox*>(widget))
            caption = withoutAccessKey(frame->title());
        else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
            caption = withoutAccessKey(text->placeholderText());
        else if (auto* line = qobject_cast<QLineEdit*>(widget))
            caption = withoutAccessKey(line->placeholderText());
        // A button's one letter ("X") names nothing.
        if (caption.isEmpty() || (caption.size() == 1 && qobject_cast<QAbstractButton*>(widget)))
            caption = labelOf.value(widget);
        if (caption.isEmpty())
            caption = widget->toolTip();
        if (!caption.isEmpty())
            widget->setAccessibleName(caption);
    }
}

} // namespace kestrel::gui
