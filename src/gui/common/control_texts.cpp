#include "gui/common/control_texts.h"

#include "gui/common/caption_fitting.h"

#include "core/base/message_sink.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/samples.h"
#include "gui/common/window_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <array>
#include <exception>
#include <vector>

namespace kestrel::gui {
namespace {

using K = ControlKind;

constexpr ControlText label(std::string_view name, int number) { return {name, K::Label, number}; }
constexpr ControlText labelTip(std::string_view name, int number) { return {name, K::Label, number, true}; }
constexpr ControlText frame(std::string_view name, int number) { return {name, K::Frame, number}; }
constexpr ControlText pane(std::string_view name, int number) { return {name, K::Pane, number}; }
constexpr ControlText check(std::string_view name, int number) { return {name, K::CheckBox, number}; }
constexpr ControlText checkTip(std::string_view name, int number) { return {name, K::CheckBox, number, true}; }
constexpr ControlText option(std::string_view name, int number) { return {name, K::OptionButton, number}; }
constexpr ControlText textBox(std::string_view name, int number) { return {name, K::TextBox, number}; }
// A picture's number is always its tooltip's.
constexpr ControlText picture(std::string_view name, int number) { return {name, K::PictureBox, number, true}; }
constexpr ControlText button(std::string_view name, int number) { return {name, K::CommandButton, number}; }
constexpr ControlText buttonTip(std::string_view name, int number, std::string_view fixedCaption = {})
{
    return {name, K::CommandButton, number, true, fixedCaption};
}

constexpr std::array kControlTexts{
    // The window.
    button("Create", kTextCreate),
    picture("Picture5", kTextClickMe),
    // The pane's title bar shows its caption.
    pane("dock_Preview", kTextProcedurePreview),
    pane("dock_Coverage", kTextCalibratorCoverage),
    // Tooltips only, as a picture's.
    picture("PreviewText", kTextPreviewStepTip),
    picture("CoverageTable", kTextCoverageTableTip),
    label("CoverageScopeNote", kTextCoverageScopeNote),

    // DMM page: the grid's row labels (the function on show relabels 5 and 7).
    label("SpecLabel_0", kTextUutRange),
    label("SpecLabel_1", kTextPercentOfReading),
    label("SpecLabel_2", kTextPercentOfRange),
    label("SpecLabel_3", kTextPpmOfReading),
    label("SpecLabel_4", kTextPpmOfRange),
    label("SpecLabel_5", kTextFixedTerm),
    label("SpecLabel_6", kTextDigits),
    label("SpecLabel_7", kTextFrequencyHz),
    label("SpecLabel_9", kTextTestLevel),

    // DMM page: grid commands. They show pictures; "X" is the column-delete
    // button's caption in every language.
    buttonTip("InsertColumn", kTextInsertColumn),
    buttonTip("DeleteColumn", kTextDeleteColumn, "X"),
    buttonTip("Copy_Column", kTextCopyColumn),
    buttonTip("dupRange", kTextMultiplyBy10),
    buttonTip("ClearSpec_0", kTextClearCurrentMode),
    buttonTip("ClearSpec_1", kTextClearAll),

    // DMM page: the calibration standard and the samples (whose buttons
    // follow from kSampleButtons).
    label("Label7", kTextCalStandard),
    buttonTip("cmd_ReferenceHelp", kTextReferenceHelp),
    buttonTip("cmd_Acc_File", kTextAccuracyFile),
    label("Label6", kTextExamples),

    // Options/Misc.
    frame("Spec_Frame", kTextShowTolerance),
    option("Proc_Tol_0", kTextToleranceAsWritten),
    option("Proc_Tol_1", kTextTolerancePlusMinusUnits),
    frame("MessageFrame", kTextPromptsAndMessages),
    label("lbl_FunctionMessage", kTextAddFunctionMessages),
    label("lbl_RangeMessage", kTextUutHasAutoranging),
    frame("Frame3", kTextPostTestWindow),
    option("PauseBetweenTests_0", kTextShowOnFailure),
    option("PauseBetweenTests_1", kTextShowAlways),
    option("PauseBetweenTests_2", kTextShowNever),
    frame("Frame4", kTextEnableButtons),
    check("OperatorControl_0", kTextOperatorList),
    check("OperatorControl_1", kTextOperatorCancel),
    check("OperatorControl_2", kTextOperatorRepeat),
    label("Label1_3", kTextProcedureName),
    label("Author", kTextAuthor),
    label("Label1_1", kTextRevision),
    textBox("Comments", kTextComments),
    // Its keys, as a tooltip only.
    picture("Comments", kTextCommentsKeysTip),
    frame("DataEntryFrame", kTextDataEntry),
    option("DataEntry_0", kTextDataEntrySlew),
    option("DataEntry_1", kTextDataEntryGoNoGo),
    option("DataEntry_2", kTextDataEntryKeyboard),
    option("DataEntry_3", kTextDataEntryAllMethods),
    frame("Frame5", kTextMeasurementUncertainty),
    check("TUR_Check_Off", kTextTurCheckingOn),
    label("Label2", kTextNumberOfMeasurements),
    label("lbl_Keyboard_Only", kTextKeyboardOnlyAboveZero),
    labelTip("Ask_HLP_0", kTextClickForHelp),
    labelTip("Ask_HLP_1", kTextClickForHelp),
    labelTip("Ask_HLP_2", kTextClickForHelp),
    labelTip("Vset_HLP", kTextClickForHelp),
    labelTip("Tessel_HLP", kTextClickForHelp),

    // Scopes page.
    label("Label5", kTextCalStandard),
    button("ScopeHelp", kTextScopeHelp),
    button("cmd_Scope_Acc", kTextScopeAccuracy),
    frame("Frame2", kTextVertical),
    label("Label10", kTextTo),
    label("Label15", kTextPlusMinus),
    label("lbl_VertPercent", kTextPercentUnit),
    frame("Frame6", kTextHorizontal),
    label("Label4", kTextTo),
    label("Label18", kTextPlusMinus),
    label("lbl_TimebasePercent", kTextPercentUnit),
    label("Label12", kTextBandwidth),
    label("lbl_Mhz", kTextMegahertzUnit),
    label("Label13", kTextRisetimeLabel),
    checkTip("chk_Risetime", kTextPerformTest),
    label("lbl_ns", kTextNanosecondUnit),
    frame("Frame7", kTextInputChannels),
    label("Label26", kTextNumberOfChannels),
    // The impedance box carries a caption of its own beside the tooltip
    // every test box has.
    checkTip("chk_Impedance", kTextPerformTest),
    check("chk_Impedance", kTextCheckInputImpedance),
    label("lbl_1MOhm", kTextOneMegohmAccuracy),
    label("lbl_1MOhmPercent", kTextPercentUnit),
    label("lbl_50Ohm", kTextFiftyOhmAccuracy),
    label("lbl_50OhmPercent", kTextPercentUnit),
    label("lbl_Capacitance", kTextInputCap),
    label("lbl_pF", kTextPicofaradAccuracy),
    label("lbl_CapPercent", kTextPercentUnit),
};

// The tab strips are named after the tabs they hold (the DMM's and Scopes
// tabs, without the access-key mark).
constexpr std::array kAccessibleTexts{
    AccessibleText{"Main_TabStrip", kTextUnitUnderTest},
    // The menu button is heard as what it opens, with the key that opens
    // it from anywhere; the risetime box as the test it turns on.
    AccessibleText{"Picture5", kTextMenuButtonName},
    AccessibleText{"chk_Risetime", kTextRisetimeTestName},
    AccessibleText{"Meter_TabStrip", kTextTabDmms},
    AccessibleText{"Meter_Function_TabStrip", kTextMeterFunction},
    AccessibleText{"MeterSpecGrid", kTextMeterSpecification},
    AccessibleText{"PreviewText", kTextProcedurePreview},
    AccessibleText{"CoverageTable", kTextCalibratorCoverage},
    AccessibleText{"StatusLine", kTextStatusLine},
    AccessibleText{"Comments", kTextComments},
    AccessibleText{"TCtypes", kTextTcType},
    AccessibleText{"RTDtypes", kTextRtdType},
    AccessibleText{"TempScale", kTextTempScale},
    AccessibleText{"ConnectionList", kTextInstructionsAndConnection},
    AccessibleText{"Scope_TabStrip_2", kTextTabScopes},
    AccessibleText{"Meas_Unc_No_Readings", kTextNumberOfMeasurements},
    AccessibleText{"VertGain1", kTextSensitivity},
    AccessibleText{"VertGain2", kTextLeastSensitive},
    AccessibleText{"VerticalAccuracy", kTextGainAccuracy},
    AccessibleText{"Sweep1", kTextSweepSpeed},
    AccessibleText{"Sweep2", kTextSlowestSweepSpeed},
    AccessibleText{"TimebaseAccuracy", kTextTimebaseAccuracy},
    AccessibleText{"p_Scope_Connectors", kTextInputChannels},
    AccessibleText{"CapAccuracy", kTextCapacitanceAccuracy},
};

constexpr std::array kSampleButtons{
    SampleButton{"orvik62-7300", "Populate_62_7300", kTextSampleButton62With7300},
    SampleButton{"orvik62-6400", "Populate_62_6400", kTextSampleButton62With6400},
    SampleButton{"orvik28", "Populate_28_7300", kTextSampleButton28},
    SampleButton{"orvik4919", "Populate4919", kTextSampleButton4919},
    SampleButton{"agilent34401", "Populate34401", kTextSampleButton34401},
    SampleButton{"orvik2290", "Populate2290", kTextSampleButton2290},
    SampleButton{"test", "Command3", kTextSampleButtonTest},
};

// The table above with each sample button's two numbers: its caption's,
// and its tooltip's, which is the sample's description.
std::vector<ControlText> withSampleButtons()
{
    std::vector<ControlText> all(kControlTexts.begin(), kControlTexts.end());
    for (const SampleButton& b : kSampleButtons) {
        const SampleDefinition* sample = findSample(b.sample);
        if (!sample)
            continue;
        all.push_back(buttonTip(b.objectName, sample->descriptionText));
        all.push_back(button(b.objectName, b.captionNumber));
    }
    return all;
}

// The Connection tab carries 201 too, so a translator reaches its caption.
constexpr std::array kMainTabs{kTextTabDmms, kTextTabScopes};
constexpr std::array kMeterTabs{kTextTabSpecifications, kTextTabConnection, kTextTabOptions};
constexpr std::array kFunctionTabs{kTextFunctionDcv, kTextFunctionAcv, kTextFunctionDci, kTextFunctionAci,
    kTextFunctionOhms, kTextFunctionTc, kTextFunctionRtd, kTextFunctionCapacitance, kTextFunctionFrequency};
constexpr std::array kScopeTabs{kTextTabSpecifications, kTextTabOptions};

constexpr std::array kTabTexts{
    TabTexts{"Main_TabStrip", kMainTabs},
    TabTexts{"Meter_TabStrip", kMeterTabs},
    TabTexts{"Meter_Function_TabStrip", kFunctionTabs},
    TabTexts{"Scope_TabStrip_2", kScopeTabs},
};

constexpr std::array kMenuTexts{
    MenuText{"mnuOpen", kTextMenuOpen},
    MenuText{"mnuRecent", kTextMenuOpenRecent},
    MenuText{"mnuSave", kTextMenuSave},
    MenuText{"mnuSaveAs", kTextMenuSaveAs},
    MenuText{"mnuCompare", kTextMenuCompare},
    MenuText{"mnuUndo", kTextMenuUndo},
    MenuText{"mnuRedo", kTextMenuRedo},
    MenuText{"mnu_Use_English_0", kTextDisplayEnglishText},
    MenuText{"mnu_Use_English_1", kTextDisplayLocalText},
    MenuText{"mnuClear_Localization", kTextClearLocalization},
    MenuText{"mnuEditLocalization", kTextEditLocalization},
    MenuText{"mnu_Disp_Ctrl_Num", kTextDisplayStringNumbers},
    MenuText{"mnuPreview", kTextMenuPreview},
    MenuText{"mnuCoverage", kTextMenuCoverage},
    MenuText{"mnuToggle_OnTop", kTextAlwaysOnTop},
    MenuText{"mnuAbout", kTextAboutKestrel},
    MenuText{"mnuQuit", kTextMenuQuit},
};

} // namespace

std::span<const ControlText> mainWindowControlTexts()
{
    static const std::vector<ControlText> all = withSampleButtons();
    return all;
}

std::span<const SampleButton> sampleButtons() { return kSampleButtons; }
std::span<const MenuText> mainWindowMenuTexts() { return kMenuTexts; }

namespace {

QString qName(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

// The window's objects by name, found as findChild finds them (the first
// of that name and type, children before grandchildren, as Qt searches)
// from one walk of the window instead of one walk for each name: a walk
// through the texts asks for well over a hundred names.
class ControlIndex {
public:
    explicit ControlIndex(const QObject* window) { add(window); }

    template <typename T> T find(std::string_view name) const
    {
        for (const QPointer<QObject>& object : byName_.value(qName(name)))
            if (auto* found = qobject_cast<T>(object.data()))
                return found;
        return nullptr;
    }

private:
    void add(const QObject* parent)
    {
        for (QObject* child : parent->children())
            if (!child->objectName().isEmpty())
                byName_[child->objectName()].push_back(child);
        for (QObject* child : parent->children())
            add(child);
    }

    // Guarded: a walk lets window events run between controls.
    QHash<QString, QList<QPointer<QObject>>> byName_;
};

// A caption goes where the control's kind shows it; Qt's texts are Unicode
// throughout, so every script shows without a code page of its own.
void setCaption(QObject* control, const QString& caption)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
    else if (auto* pane = qobject_cast<QDockWidget*>(control))
        pane->setWindowTitle(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption); // command buttons, check boxes, option buttons
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(caption);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
        // A box still holding its default text (the caption of the walk
        // before, or nothing, as a new start shows it) takes the new
        // language's; what the user typed or opened is never replaced. The
        // hint stays for when it is emptied.
        const QString shown = text->toPlainText();
        if (shown.isEmpty() || shown == text->placeholderText())
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
    case TextWalk::Local:
        return "Load non-english strings";
    case TextWalk::English:
        return "  load english strings  ";
    case TextWalk::Numbers:
        return " show control numbers ";
    }
    return "";
}

void walkControls(QWidget* window, TextWalk walk, const TextLookup& texts)
{
    const ControlIndex controls(window);
    for (const auto& entry : mainWindowControlTexts()) {
        QWidget* control = controls.find<QWidget*>(entry.objectName);
        if (!control)
            continue;
        const TextChange change = walkControl(walk, entry.kind, entry.objectName,
            TextTag{entry.number, entry.tooltipMark}, control->toolTip().toStdString(), texts);
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
        QObject* strip = controls.find<QObject*>(tabs.tabStrip);
        if (!strip)
            continue;
        for (std::size_t i = 0; i < tabs.numbers.size(); ++i)
            if (const auto caption = walkTab(walk, tabs.numbers[i], texts))
                setTabCaption(strip, static_cast<int>(i), QString::fromStdString(*caption));
    }
    for (const auto& entry : mainWindowMenuTexts())
        if (auto* action = controls.find<QAction*>(entry.entry))
            action->setText(
                QString::fromStdString(walkMenuEntry(walk, entry.number, action->text().toStdString(), texts)));
    // The numbers walk names them by number too, so a translator hears
    // which text names a list or field.
    for (const auto& entry : kAccessibleTexts)
        if (auto* widget = controls.find<QWidget*>(entry.objectName))
            widget->setAccessibleName(walk == TextWalk::Numbers
                    ? QString::number(entry.number)
                    : withoutAccessKey(QString::fromStdString(texts.gettext(entry.number))));
}

} // namespace

void applyDesignTexts(QWidget* window)
{
    const ControlIndex controls(window);
    for (const auto& entry : mainWindowControlTexts())
        if (!entry.fixedCaption.empty())
            if (QWidget* control = controls.find<QWidget*>(entry.objectName))
                setCaption(control, qtText(entry.fixedCaption));
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
    fitCaptions(window);
}

void restoreOwnCaptions(QWidget* window)
{
    const ControlIndex controls(window);
    for (const auto& entry : mainWindowControlTexts()) {
        if ((entry.kind != K::CommandButton && entry.kind != K::CheckBox) || !entry.tooltipMark)
            continue;
        if (QWidget* control = controls.find<QWidget*>(entry.objectName))
            setCaption(control, qtText(entry.fixedCaption));
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
        // A label is heard as the text it shows, whatever later changes
        // that text (a function's row labels, a help pane's title).
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setAccessibleName(QString());
            continue;
        }
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            caption = withoutAccessKey(button->text());
        else if (auto* frame = qobject_cast<QGroupBox*>(widget))
            caption = withoutAccessKey(frame->title());
        else if (auto* pane = qobject_cast<QDockWidget*>(widget))
            caption = pane->windowTitle();
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
