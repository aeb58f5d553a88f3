#include "gui/control_texts.h"

#include <QAbstractButton>
#include <QAction>
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

namespace kestrel::gui {
namespace {

constexpr ControlText caption(std::string_view name, int number) { return {name, number, TextRole::Caption, {}}; }
constexpr ControlText tooltip(std::string_view name, int number) { return {name, number, TextRole::Tooltip, {}}; }
constexpr ControlText accessible(std::string_view name, int number)
{
    return {name, number, TextRole::AccessibleName, {}};
}
constexpr ControlText fixedCaption(std::string_view name, std::string_view text)
{
    return {name, 0, TextRole::Caption, text};
}
constexpr ControlText fixedTooltip(std::string_view name, std::string_view text)
{
    return {name, 0, TextRole::Tooltip, text};
}
constexpr ControlText fixedAccessible(std::string_view name, std::string_view text)
{
    return {name, 0, TextRole::AccessibleName, text};
}

constexpr std::array kControlTexts{
    // The window.
    caption("Create", 1223),
    tooltip("Picture5", 1570),
    fixedAccessible("Main_TabStrip", "Unit under test"),

    // DMM page: the grid and its labels.
    fixedAccessible("Meter_TabStrip", "DMM's"),
    fixedAccessible("Meter_Function_TabStrip", "Meter function"),
    fixedAccessible("MeterSpecGrid", "Meter specification"),
    tooltip("MeterSpecGrid_Header", 1260),
    caption("SpecLabel_0", 1070),
    caption("SpecLabel_1", 1071),
    caption("SpecLabel_2", 1072),
    caption("SpecLabel_3", 1073),
    caption("SpecLabel_4", 1074),
    caption("SpecLabel_5", 1075),
    caption("SpecLabel_6", 1083),
    caption("SpecLabel_7", 1081),
    caption("SpecLabel_9", 1255),
    accessible("TCtypes", 1240),
    accessible("RTDtypes", 1241),
    accessible("TempScale", 1242),

    // DMM page: grid commands.
    tooltip("InsertColumn", 1229),
    fixedCaption("DeleteColumn", "X"),
    tooltip("DeleteColumn", 1230),
    tooltip("Copy_Column", 1227),
    tooltip("dupRange", 1228),
    tooltip("ClearSpec_0", 1261),
    tooltip("ClearSpec_1", 1262),

    // DMM page: the calibration standard and the samples.
    caption("Label7", 212),
    tooltip("cmd_ReferenceHelp", 1518),
    tooltip("cmd_Acc_File", 1519),
    caption("Label6", 213),
    fixedCaption("Populate_62_7300", "62 / 7300"),
    tooltip("Populate_62_7300", 1508),
    fixedCaption("Populate_62_6400", "62 / 6400"),
    tooltip("Populate_62_6400", 1509),
    fixedCaption("Populate_28_7300", "28"),
    tooltip("Populate_28_7300", 1510),
    fixedCaption("Populate4919", "4919"),
    tooltip("Populate4919", 1511),
    fixedCaption("Populate34401", "34401"),
    tooltip("Populate34401", 1512),
    fixedCaption("Populate2290", "2290"),
    fixedTooltip("Populate2290", "Specifications for Orvik 2290 Reference Multimeter"),
    fixedCaption("Command3", "Test"),
    fixedTooltip("Command3", "Test values for trying the generators"),

    // DMM page: the Connection tab.
    accessible("ConnectionList", 1260),

    // Options/Misc.
    caption("Spec_Frame", 1273),
    caption("Proc_Tol_0", 1274),
    caption("Proc_Tol_1", 1275),
    caption("MessageFrame", 1254),
    caption("lbl_FunctionMessage", 214),
    caption("lbl_RangeMessage", 1269),
    caption("Frame3", 224),
    caption("PauseBetweenTests_0", 225),
    caption("PauseBetweenTests_1", 226),
    caption("PauseBetweenTests_2", 227),
    caption("Frame4", 229),
    caption("OperatorControl_0", 230),
    caption("OperatorControl_1", 231),
    caption("OperatorControl_2", 232),
    caption("Label1_3", 218),
    caption("Author", 219),
    caption("Label1_1", 220),
    caption("Comments", 1080),
    caption("DataEntryFrame", 233),
    caption("DataEntry_0", 234),
    caption("DataEntry_1", 236),
    caption("DataEntry_2", 235),
    caption("DataEntry_3", 1272),
    caption("Frame5", 237),
    caption("TUR_Check_Off", 228),
    caption("Label2", 239),
    caption("lbl_Keyboard_Only", 1507),
    tooltip("Ask_HLP_0", 1526),
    tooltip("Ask_HLP_1", 1526),
    tooltip("Ask_HLP_2", 1526),
    tooltip("Vset_HLP", 1526),
    tooltip("Tessel_HLP", 1526),

    // Scopes page.
    fixedAccessible("Scope_TabStrip_2", "Scopes"),
    caption("Label5", 212),
    fixedCaption("ScopeHelp", "Help"),
    fixedCaption("cmd_Scope_Acc", "Acc"),
    caption("Frame2", 1284),
    accessible("VertGain1", 1203),
    caption("Label10", 1212),
    fixedAccessible("VertGain2", "Least sensitive"),
    caption("Label15", 257),
    accessible("VerticalAccuracy", 1204),
    fixedCaption("lbl_VertPercent", "%"),
    caption("Frame6", 1286),
    accessible("Sweep1", 1206),
    caption("Label4", 1212),
    fixedAccessible("Sweep2", "Slowest sweep speed"),
    caption("Label18", 257),
    accessible("TimebaseAccuracy", 1205),
    fixedCaption("lbl_TimebasePercent", "%"),
    caption("Label12", 1210),
    fixedCaption("lbl_Mhz", "Mhz"),
    caption("Label13", 1211),
    tooltip("chk_Risetime", 1525),
    fixedCaption("lbl_ns", "ns"),
    caption("Frame7", 1287),
    caption("Label26", 1505),
    accessible("p_Scope_Connectors", 1287),
    caption("chk_Impedance", 1239),
    tooltip("chk_Impedance", 1525),
    fixedCaption("lbl_1MOhm", "1 M\u03A9  \u00B1"),
    fixedCaption("lbl_1MOhmPercent", "%"),
    fixedCaption("lbl_50Ohm", "50 \u03A9  \u00B1"),
    fixedCaption("lbl_50OhmPercent", "%"),
    caption("lbl_Capacitance", 1202),
    fixedCaption("lbl_pF", "pF  \u00B1"),
    fixedCaption("lbl_CapPercent", "%"),
    fixedAccessible("CapAccuracy", "Input capacitance accuracy"),
};

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

QString resolve(int number, std::string_view fixed, const TextSource& text)
{
    return number != 0 ? text(number) : QString::fromUtf8(fixed.data(), static_cast<qsizetype>(fixed.size()));
}

QString qName(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

// A caption goes where the control's kind shows it.
void setCaption(QObject* control, const QString& caption)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption); // command buttons, check boxes, option buttons
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setPlaceholderText(caption);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        text->setPlaceholderText(caption);
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
    for (const auto& entry : kControlTexts)
        if (entry.objectName == objectName && entry.role == TextRole::AccessibleName)
            return true;
    return false;
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

void loadControlTexts(QWidget* window, const TextSource& text)
{
    for (const auto& entry : kControlTexts) {
        QObject* control = window->findChild<QObject*>(qName(entry.objectName));
        if (!control)
            continue;
        const QString value = resolve(entry.number, entry.fixed, text);
        switch (entry.role) {
        case TextRole::Caption: setCaption(control, value); break;
        case TextRole::Tooltip: setTooltip(control, value); break;
        case TextRole::AccessibleName:
            if (auto* widget = qobject_cast<QWidget*>(control))
                widget->setAccessibleName(withoutAccessKey(value));
            break;
        }
    }
    for (const auto& tabs : kTabTexts) {
        QObject* strip = window->findChild<QObject*>(qName(tabs.tabStrip));
        if (!strip)
            continue;
        for (std::size_t i = 0; i < tabs.numbers.size(); ++i)
            setTabCaption(strip, static_cast<int>(i), text(tabs.numbers[i]));
    }
    for (const auto& entry : kMenuTexts)
        if (auto* action = window->findChild<QAction*>(qName(entry.entry)))
            action->setText(resolve(entry.number, entry.fixed, text));
    nameControlsForAccessibility(window);
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
