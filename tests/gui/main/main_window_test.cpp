// The main window's start-up and unload with Kestrel.INI, its menu and
// always-on-top, its texts by number and the names screen readers read.
#include "support/accessibility_events.h"
#include "support/heard_name.h"
#include "support/window_fixture.h"

#include "gui/common/control_texts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

namespace kestrel::test {
namespace {

using MainWindowTest = WindowTest;

bool onTop(const QWidget* w) { return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

TEST_F(MainWindowTest, FirstStartWithoutSettingsFile)
{
    start();
    EXPECT_TRUE(onTop(window.get()));
    EXPECT_TRUE(find<QAction>("mnuToggle_OnTop")->isChecked());
    EXPECT_EQ(find<QLineEdit>("ProcName")->text(), "Enter Name");
    EXPECT_EQ(find<QLineEdit>("AuthorName")->text(), "Enter your name");
    EXPECT_EQ(find<QLineEdit>("Revision")->text(), "1.0");
    EXPECT_TRUE(find<QAbstractButton>("chk_Add_FUNCTION_Message")->isChecked());
    EXPECT_TRUE(find<QAbstractButton>("chk_Add_RANGE_message")->isChecked());
    EXPECT_TRUE(find<QAbstractButton>("PauseBetweenTests_0")->isChecked());
    EXPECT_TRUE(find<QAbstractButton>("DataEntry_2")->isChecked());
    EXPECT_EQ(find<QComboBox>("Reference")->currentText(), "3302");
    EXPECT_EQ(find<QComboBox>("ScopeReference")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>("Meas_Unc_No_Readings")->currentText(), "1");
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->currentIndex(), 0);
    EXPECT_TRUE(window->grid()->hasFocus());
    EXPECT_FALSE(document->firstActivate());
    EXPECT_FALSE(document->isModified());
    // No localization on a US-English system started without "-l".
    EXPECT_FALSE(find<QAction>("mnu_Use_English_0")->isVisible());
    EXPECT_FALSE(find<QAction>("mnuEditLocalization")->isVisible());

    closeWindow();
    EXPECT_EQ(iniValue("AuthorName"), "Enter your name");
    EXPECT_EQ(iniValue("LastReference_Index"), "1");
}

// How each key is read and clamped is the settings' own rule; here the
// restored values reach the controls and go back on unload.
TEST_F(MainWindowTest, RestoredDefaultsTheToggleAndTheUnload)
{
    start("[Kestrel]\nTopMost=0\nProcName=Saved name\nComments=first~second\nLastReference_Index=25\n"
          "LastScopeReference_Index=12\nPauseBetweenTests=0\nchk_Add_RANGE_message=0\n");
    EXPECT_FALSE(onTop(window.get()));
    EXPECT_FALSE(find<QAction>("mnuToggle_OnTop")->isChecked());
    EXPECT_EQ(find<QLineEdit>("ProcName")->text(), "Enter Name");
    EXPECT_EQ(find<QPlainTextEdit>("Comments")->toPlainText(), "first\nsecond");
    EXPECT_EQ(find<QComboBox>("Reference")->currentText(), "6400");
    EXPECT_EQ(find<QComboBox>("ScopeReference")->currentIndex(), 9);
    EXPECT_FALSE(find<QAbstractButton>("chk_Add_RANGE_message")->isChecked());

    // The toggle writes TopMost at once.
    QAction* toggle = find<QAction>("mnuToggle_OnTop");
    toggle->trigger();
    EXPECT_TRUE(onTop(window.get()));
    EXPECT_EQ(iniValue("TopMost"), "1");
    toggle->trigger();
    EXPECT_FALSE(onTop(window.get()));
    EXPECT_EQ(iniValue("TopMost"), "0");

    // The comment goes back on one line; the name typed is saved.
    QLineEdit* name = find<QLineEdit>("ProcName");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Meter 12");
    closeWindow();
    EXPECT_EQ(iniValue("Comments"), "first~second");
    EXPECT_EQ(iniValue("ProcName"), "Meter 12");
    EXPECT_EQ(iniValue("LastScopeReference_Index"), "9");
    EXPECT_EQ(iniValue("chk_Add_RANGE_message"), "0");
}

TEST_F(MainWindowTest, TextsComeFromTheirNumbersAndNameEveryControl)
{
    start();
    EXPECT_EQ(find<QAbstractButton>("Create")->text(), "&Create");
    EXPECT_EQ(find<QAbstractButton>("Create")->accessibleName(), "Create");
    EXPECT_EQ(find("InsertColumn")->toolTip(), "Insert Column");
    EXPECT_EQ(find("InsertColumn")->accessibleName(), "Insert Column");
    EXPECT_EQ(find("Picture5")->toolTip(), "Click Me");
    EXPECT_EQ(find("MeterSpecGrid_Header")->toolTip(), "Instructions & Connection");
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->tabText(1), "&Scopes");
    EXPECT_EQ(find<QTabWidget>("Meter_TabStrip")->tabText(2), "Options/Misc");
    EXPECT_EQ(find<QLineEdit>("ProcName")->accessibleName(), "Procedure Name");
    EXPECT_EQ(find("chk_Add_FUNCTION_Message")->accessibleName(), "When necessary, add FUNCTION messages");
    EXPECT_EQ(find("Reference")->accessibleName(), "Cal Standard");
    // The risetime box by the test it turns on, not by its tooltip.
    EXPECT_EQ(heardName(find("chk_Risetime")), "Test risetime");
    EXPECT_EQ(find("chk_Risetime")->toolTip(), "Perform Test");
    EXPECT_EQ(find<QAction>("mnuAbout")->text(), "About &Kestrel");

    for (const auto& entry : gui::mainWindowControlTexts()) {
        const QString name = QString::fromLatin1(entry.objectName.data(), entry.objectName.size());
        QWidget* control = window->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << entry.objectName;
        EXPECT_FALSE(heardName(control).isEmpty()) << entry.objectName;
    }
    for (const auto& entry : gui::mainWindowMenuTexts())
        EXPECT_NE(window->findChild<QAction*>(QString::fromLatin1(entry.entry.data(), entry.entry.size())), nullptr)
            << entry.entry;
    // Every field, list and button of the window can be told apart by name.
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool field = qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
            qobject_cast<QComboBox*>(control);
        if (field && !control->objectName().isEmpty() && !control->objectName().startsWith("qt_")) {
            EXPECT_FALSE(heardName(control).isEmpty()) << control->objectName().toStdString();
        }
    }
}

// The access key an entry's caption marks, lower-cased, or "" for none.
QString accessKey(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&' && caption[i + 1] == u'&')
            ++i;
        else if (caption[i] == u'&')
            return caption[i + 1].toLower();
    }
    return {};
}

// The name a screen reader says for the menu entry it is on.
QString heardMenuEntry(QMenu* menu)
{
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; i < shown->childCount(); ++i)
        if (shown->child(i)->state().focused)
            return shown->child(i)->text(QAccessible::Name);
    return {};
}

TEST_F(MainWindowTest, F10AndTheMenuKeyOpenTheMenuFromAnywhere)
{
    start();
    auto* menu = find<QMenu>("mnuPopup");
    EXPECT_EQ(heardName(find("Picture5")), "Menu (F10)");
    // From the grid: the first entry is chosen, and heard, at once.
    QTest::keyClick(window->grid(), Qt::Key_F10);
    settle();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->activeAction(), find<QAction>("mnuOpen"));
    EXPECT_EQ(heardMenuEntry(menu), "Open…");
    QTest::keyClick(menu, Qt::Key_Down);
    EXPECT_EQ(heardMenuEntry(menu), "Save"); // Open Recent is empty and off
    QTest::keyClick(menu, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(menu->isVisible());

    // From a field of Options/Misc, with the Menu key.
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    auto* name = find<QLineEdit>("ProcName");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Menu);
    settle();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(heardMenuEntry(menu), "Open…");
    QTest::keyClick(menu, Qt::Key_Escape);
    settle();
    EXPECT_EQ(name->text(), "Enter Name");

    // The button opens it the same way from the keyboard.
    find("Picture5")->setFocus();
    QTest::keyClick(find("Picture5"), Qt::Key_Space);
    settle();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(heardMenuEntry(menu), "Open…");
    QTest::keyClick(menu, Qt::Key_Escape);
}

// Every entry of the menu, shown or not, has an access key of its own.
TEST_F(MainWindowTest, EveryMenuEntryHasItsOwnAccessKey)
{
    start();
    QStringList keys;
    for (QAction* entry : find<QMenu>("mnuPopup")->actions()) {
        if (entry->isSeparator())
            continue;
        const QString key = accessKey(entry->text());
        EXPECT_FALSE(key.isEmpty()) << entry->text().toStdString();
        EXPECT_FALSE(keys.contains(key)) << entry->text().toStdString();
        keys << key;
    }
    EXPECT_EQ(keys.size(), 17);
}

TEST_F(MainWindowTest, PopupMenuHasTheEntriesInOrder)
{
    start();
    QStringList names;
    for (QAction* action : find<QMenu>("mnuPopup")->actions())
        names << action->objectName();
    const QStringList wanted{"mnu_Use_English_0", "mnu_Use_English_1", "mun_Text_sep", "mnuClear_Localization",
        "mnuEditLocalization", "mnu_Disp_Ctrl_Num", "OnTop_seperator", "mnuToggle_OnTop", "mnuHelp_sep", "mnuAbout"};
    const qsizetype first = names.indexOf(wanted.front());
    ASSERT_GE(first, 0);
    EXPECT_EQ(names.mid(first, wanted.size()), wanted);
    for (const char* file : {"mnuOpen", "mnuSave", "mnuSaveAs", "mnuRecent", "mnuUndo", "mnuRedo"})
        EXPECT_GE(names.indexOf(file), 0) << file;

    // About: the version line with the locale and language.
    bool shown = false;
    answerer.handleNextModal([&](QWidget* about) {
        shown = about->objectName() == "frm_About";
        auto* version = about->findChild<QLabel*>("Version");
        EXPECT_TRUE(version && version->text().startsWith("Version\n") && version->text().endsWith("-1033-1033"));
        auto* ok = about->findChild<QAbstractButton*>("cmdOK");
        EXPECT_NE(ok, nullptr);
        ok ? ok->click() : (void)about->close(); // closed either way, so the test goes on
    });
    find<QAction>("mnuAbout")->trigger();
    EXPECT_TRUE(shown);
}

// The arrows on a tab strip go from tab to tab with the focus staying on
// the strip, and each new tab is heard; a click on a tab still goes on
// into the page.
TEST_F(MainWindowTest, ArrowsOnTheTabStripsKeepTheFocusAndAreHeard)
{
    start();
    AccessibilityEvents heard;
    auto* functions = find<QTabBar>("Meter_Function_TabStrip");
    functions->setFocus();
    settle();
    QTest::keyClick(functions, Qt::Key_Right);
    settle();
    EXPECT_EQ(document->currentFunction(), MeterFunction::Acv);
    EXPECT_TRUE(functions->hasFocus());
    const auto focusOnTab = heard.about(functions, QAccessible::Focus);
    ASSERT_FALSE(focusOnTab.empty());
    EXPECT_EQ(focusOnTab.back().child, 1);
    EXPECT_EQ(heardName(functions), functions->tabText(1));

    auto* pages = find<QTabWidget>("Main_TabStrip")->tabBar();
    pages->setFocus();
    settle();
    QTest::keyClick(pages, Qt::Key_Right);
    settle();
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->currentIndex(), 1);
    EXPECT_TRUE(pages->hasFocus());
    QTest::keyClick(pages, Qt::Key_Left);
    settle();
    EXPECT_TRUE(pages->hasFocus());

    const QRect third = functions->tabRect(2);
    QTest::mouseClick(functions, Qt::LeftButton, {}, third.center());
    settle();
    EXPECT_EQ(document->currentFunction(), kAllFunctions[2]);
    EXPECT_TRUE(window->grid()->hasFocus());
}

// Down on the calibrator list chooses the next standard, as a list does;
// the focus stays on the list.
TEST_F(MainWindowTest, DownOnTheCalibratorListStaysOnTheList)
{
    start();
    auto* reference = find<QComboBox>("Reference");
    reference->setFocus();
    settle();
    const QString first = reference->currentText();
    QTest::keyClick(reference, Qt::Key_Down);
    settle();
    EXPECT_NE(reference->currentText(), first);
    EXPECT_EQ(inputs().selections.reference, reference->currentText().toStdString());
    EXPECT_TRUE(reference->hasFocus());
}

} // namespace
} // namespace kestrel::test
