#include "gui/control_texts.h"

#include "core/i18n/text_numbers.h"

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
    caption("Create", kTextCreate),
    tooltip("Picture5", kTextClickMe),
    fixedAccessible("Main_TabStrip", "Unit under test"),

    // DMM page: the grid and its labels.
    fixedAccessible("Meter_TabStrip", "DMM's"),
    fixedAccessible("Meter_Function_TabStrip", "Meter function"),
    fixedAccessible("MeterSpecGrid", "Meter specification"),
    tooltip("MeterSpecGrid_Header", kTextInstructionsAndConnection),
    caption("SpecLabel_0", kTextUutRange),
    caption("SpecLabel_1", kTextPercentOfReading),
    caption("SpecLabel_2", kTextPercentOfRange),
    caption("SpecLabel_3", kTextPpmOfReading),
    caption("SpecLabel_4", kTextPpmOfRange),
    caption("SpecLabel_5", kTextFixedTerm),
    caption("SpecLabel_6", kTextDigits),
    caption("SpecLabel_7", kTextFrequencyHz),
    caption("SpecLabel_9", kTextTestLevel),
    accessible("TCtypes", kTextTcType),
    accessible("RTDtypes", kTextRtdType),
    accessible("TempScale", kTextTempScale),

    // DMM page: grid commands.
    tooltip("InsertColumn", kTextInsertColumn),
    fixedCaption("DeleteColumn", "X"),
    tooltip("DeleteColumn", kTextDeleteColumn),
    tooltip("Copy_Column", kTextCopyColumn),
    tooltip("dupRange", kTextMultiplyBy10),
    tooltip("ClearSpec_0", kTextClearCurrentMode),
    tooltip("ClearSpec_1", kTextClearAll),

    // DMM page: the calibration standard and the samples.
    caption("Label7", kTextCalStandard),
    tooltip("cmd_ReferenceHelp", kTextReferenceHelp),
    tooltip("cmd_Acc_File", kTextAccuracyFile),
    caption("Label6", kTextExamples),
    fixedCaption("Populate_62_7300", "62 / 7300"),
    tooltip("Populate_62_7300", kTextSampleOrvik62With7300),
    fixedCaption("Populate_62_6400", "62 / 6400"),
    tooltip("Populate_62_6400", kTextSampleOrvik62With6400),
    fixedCaption("Populate_28_7300", "28"),
    tooltip("Populate_28_7300", kTextSampleOrvik28),
    fixedCaption("Populate4919", "4919"),
    tooltip("Populate4919", kTextSampleOrvik4919),
    fixedCaption("Populate34401", "34401"),
    tooltip("Populate34401", kTextSampleAgilent34401),
    fixedCaption("Populate2290", "2290"),
    fixedTooltip("Populate2290", "Specifications for Orvik 2290 Reference Multimeter"),
    fixedCaption("Command3", "Test"),
    fixedTooltip("Command3", "Test values for trying the generators"),

    // DMM page: the Connection tab.
    accessible("ConnectionList", kTextInstructionsAndConnection),

    // Options/Misc.
    caption("Spec_Frame", kTextShowTolerance),
    caption("Proc_Tol_0", kTextToleranceAsWritten),
    caption("Proc_Tol_1", kTextTolerancePlusMinusUnits),
    caption("MessageFrame", kTextPromptsAndMessages),
    caption("lbl_FunctionMessage", kTextAddFunctionMessages),
    caption("lbl_RangeMessage", kTextUutHasAutoranging),
    caption("Frame3", kTextPostTestWindow),
    caption("PauseBetweenTests_0", kTextShowOnFailure),
    caption("PauseBetweenTests_1", kTextShowAlways),
    caption("PauseBetweenTests_2", kTextShowNever),
    caption("Frame4", kTextEnableButtons),
    caption("OperatorControl_0", kTextOperatorList),
    caption("OperatorControl_1", kTextOperatorCancel),
    caption("OperatorControl_2", kTextOperatorRepeat),
    caption("Label1_3", kTextProcedureName),
    caption("Author", kTextAuthor),
    caption("Label1_1", kTextRevision),
    caption("Comments", kTextComments),
    caption("DataEntryFrame", kTextDataEntry),
    caption("DataEntry_0", kTextDataEntrySlew),
    caption("DataEntry_1", kTextDataEntryGoNoGo),
    caption("DataEntry_2", kTextDataEntryKeyboard),
    caption("DataEntry_3", kTextDataEntryAllMethods),
    caption("Frame5", kTextMeasurementUncertainty),
    caption("TUR_Check_Off", kTextTurCheckingOn),
    caption("Label2", kTextNumberOfMeasurements),
    caption("lbl_Keyboard_Only", kTextKeyboardOnlyAboveZero),
    tooltip("Ask_HLP_0", kTextClickForHelp),
    tooltip("Ask_HLP_1", kTextClickForHelp),
    tooltip("Ask_HLP_2", kTextClickForHelp),
    tooltip("Vset_HLP", kTextClickForHelp),
    tooltip("Tessel_HLP", kTextClickForHelp),

    // Scopes page.
    fixedAccessible("Scope_TabStrip_2", "Scopes"),
    caption("Label5", kTextCalStandard),
    fixedCaption("ScopeHelp", "Help"),
    fixedCaption("cmd_Scope_Acc", "Acc"),
    caption("Frame2", kTextVertical),
    accessible("VertGain1", kTextSensitivity),
    caption("Label10", kTextTo),
    fixedAccessible("VertGain2", "Least sensitive"),
    caption("Label15", kTextPlusMinus),
    accessible("VerticalAccuracy", kTextGainAccuracy),
    fixedCaption("lbl_VertPercent", "%"),
    caption("Frame6", kTextHorizontal),
    accessible("Sweep1", kTextSweepSpeed),
    caption("Label4", kTextTo),
    fixedAccessible("Sweep2", "Slowest sweep speed"),
    caption("Label18", kTextPlusMinus),
    accessible("TimebaseAccuracy", kTextTimebaseAccuracy),
    fixedCaption("lbl_TimebasePercent", "%"),
    caption("Label12", kTextBandwidth),
    fixedCaption("lbl_Mhz", "Mhz"),
    caption("Label13", kTextRisetimeLabel),
    tooltip("chk_Risetime", kTextPerformTest),
    fixedCaption("lbl_ns", "ns"),
    caption("Frame7", kTextInputChannels),
    caption("Label26", kTextNumberOfChannels),
    accessible("p_Scope_Connectors", kTextInputChannels),
    caption("chk_Impedance", kTextCheckInputImpedance),
    tooltip("chk_Impedance", kTextPerformTest),
    fixedCaption("lbl_1MOhm", "1 M\u03A9  \u00B1"),
    fixedCaption("lbl_1MOhmPercent", "%"),
    fixedCaption("lbl_50Ohm", "50 \u03A9  \u00B1"),
    fixedCaption("lbl_50OhmPercent", "%"),
    caption("lbl_Capacitance", kTextInputCap),
    fixedCaption("lbl_pF", "pF  \u00B1"),
    fixedCaption("lbl_CapPercent", "%"),
    fixedAccessible("CapAccuracy", "Input capacitance accuracy"),
};

constexpr std::array kMainTabs{kTextTabDmms, kTextTabScopes};
constexpr std::array kMeterTabs{kTextTabSpecifications, kTextTabConnection, kTextTabOptions};
constexpr std::array kFunctionTabs{kTextFunctionDcv, kTextFunctionAcv, kTextFunctionDci, kTextFunctionAci, kTextFunctionOhms, kTextFunctionTc, kTextFunctionRtd, kTextFunctionCapacitance, kTextFunctionFrequency};
constexpr std::array kScopeTabs{kTextTabSpecifications, kTextTabOptions};

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
    MenuText{"mnu_Use_English_0", kTextDisplayEnglishText, {}},
    MenuText{"mnu_Use_English_1", kTextDisplayLocalText, {}},
    MenuText{"mnuClear_Localization", kTextClearLocalization, {}},
    MenuText{"mnuEditLocalization", kTextEditLocalization, {}},
    MenuText{"mnu_Disp_Ctrl_Num", kTextDisplayStringNumbers, {}},
    MenuText{"mnuToggle_OnTop", kTextAlwaysOnTop, {}},
    MenuText{"mnuAbout", kTextAboutKestrel, {}},
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
