// The Options/Misc page, driven as a user drives it: the data-entry rule,
// the header texts and the comments refusing control characters, the name
// fields' selection, and the help icons reached by the keyboard. The rules'
// every case is tested on the core's functions; these show the controls
// bound to them.
#include "gui/common/field_behaviour.h"
#include "support/window_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

namespace kestrel::test {
namespace {

using PagesTest = WindowTest;

TEST_F(PagesTest, DataEntrySwitchesTheReadingsList)
{
    start();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    auto* readings = find<QComboBox>("Meas_Unc_No_Readings");
    click("DataEntry_1"); // Go-No-Go
    EXPECT_FALSE(readings->isEnabled());
    EXPECT_EQ(readings->currentText(), "0");
    click("DataEntry_3"); // All methods bring the list back at one measurement
    EXPECT_TRUE(readings->isEnabled());
    EXPECT_EQ(readings->currentText(), "1");
    EXPECT_EQ(inputs().options.measurements, 1);
    EXPECT_EQ(inputs().options.dataEntry, DataEntry::All);

    // Screen readers and UI automation toggle an option without a click:
    // its rule follows all the same.
    QAccessibleInterface* goNoGo = QAccessible::queryAccessibleInterface(find("DataEntry_1"));
    ASSERT_NE(goNoGo, nullptr);
    ASSERT_NE(goNoGo->actionInterface(), nullptr);
    goNoGo->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    settle();
    EXPECT_EQ(inputs().options.dataEntry, DataEntry::GoNoGo);
    EXPECT_FALSE(readings->isEnabled());
    EXPECT_EQ(readings->currentText(), "0");

    // The Scopes page shows the same panel on its second tab.
    find<QTabWidget>("Main_TabStrip")->setCurrentIndex(1);
    find<QTabWidget>("Scope_TabStrip_2")->setCurrentIndex(1);
    settle();
    EXPECT_TRUE(readings->isVisible());
}

// The header's one-line texts take no control character, typed or pasted:
// a line break there would put a line of its own into the procedure.
TEST_F(PagesTest, HeaderTextsRefuseControlCharacters)
{
    start();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    auto* name = find<QLineEdit>("ProcName");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "DMM 62");
    QApplication::clipboard()->setText("x\r\nNUMBER OF TESTS: 1");
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QApplication::clipboard()->setText("\tx");
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "DMM 62");
    EXPECT_EQ(inputs().identity.name, "DMM 62");
}

// A header value longer than the header's line is marked as a cell that
// overruns its field is, with the reason as tooltip, until it fits.
TEST_F(PagesTest, HeaderValuesTooLongForTheirLineAreMarked)
{
    start();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    auto* author = find<QLineEdit>("AuthorName");
    author->setFocus();
    author->selectAll();
    QTest::keyClicks(author, QString(56, QLatin1Char('a')));
    settle(); // the marks are made on their own thread
    EXPECT_TRUE(author->toolTip().contains("AUTHOR")) << author->toolTip().toStdString();
    EXPECT_TRUE(author->styleSheet().contains(gui::overflowColour().name()));
    QTest::keyClick(author, Qt::Key_Backspace);
    settle();
    EXPECT_EQ(author->toolTip(), "");
    EXPECT_EQ(author->styleSheet(), "");
}

// A click into a name field selects its whole text, so typing replaces the
// default. A press on text still selected from an earlier visit starts a
// drag, whose release would take the selection away again.
TEST_F(PagesTest, AClickIntoANameFieldSelectsItsText)
{
    start();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    auto* name = find<QLineEdit>("ProcName");
    name->selectAll();
    find("AuthorName")->setFocus();
    settle();
    ASSERT_FALSE(name->hasFocus());
    const QPoint inText = name->rect().center();
    QTest::mousePress(name, Qt::LeftButton, {}, inText);
    settle();
    QTest::mouseRelease(name, Qt::LeftButton, {}, inText);
    settle();
    QTest::keyClicks(name, "Bench 45");
    EXPECT_EQ(name->text(), "Bench 45");
}

// Switching to Options/Misc may leave the focus in the name already; the
// first click there still selects the default, so typing replaces it.
TEST_F(PagesTest, TheFirstClickIntoAFocusedNameSelectsItsDefault)
{
    start();
    auto* tabs = find<QTabWidget>("Meter_TabStrip");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(2).center());
    settle();
    auto* name = find<QLineEdit>("ProcName");
    name->setFocus();
    settle();
    ASSERT_TRUE(name->hasFocus());
    ASSERT_EQ(name->text(), "Enter Name");
    QTest::mouseClick(name, Qt::LeftButton, {}, name->rect().center());
    settle();
    QTest::keyClicks(name, "Fluxmeter 12");
    EXPECT_EQ(name->text(), "Fluxmeter 12");
    EXPECT_EQ(inputs().identity.name, "Fluxmeter 12");
    // Later clicks place the caret as usual.
    QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(name->width() - 4, name->height() / 2));
    settle();
    QTest::keyClicks(name, "b");
    EXPECT_EQ(name->text(), "Fluxmeter 12b");
}

// Tab and Shift+Tab leave the comments as they leave every field; Ctrl+Tab
// types the TAB the comments may hold, and the tooltip says so.
TEST_F(PagesTest, CtrlTabTypesATabIntoTheComments)
{
    start();
    auto* tabs = find<QTabWidget>("Meter_TabStrip");
    tabs->setCurrentIndex(2);
    settle();
    auto* comments = find<QPlainTextEdit>("Comments");
    comments->setFocus();
    comments->selectAll();
    QTest::keyClicks(comments, "Range");
    QTest::keyClick(comments, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(comments, "10 V");
    settle();
    EXPECT_EQ(comments->toPlainText(), "Range\t10 V");
    EXPECT_EQ(inputs().identity.comments, "Range\t10 V");
    EXPECT_TRUE(comments->hasFocus());
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_TRUE(comments->toolTip().contains("Ctrl+Tab types a TAB")) << comments->toolTip().toStdString();
    QTest::keyClick(comments, Qt::Key_Tab);
    EXPECT_FALSE(comments->hasFocus());
    EXPECT_EQ(inputs().identity.comments, "Range\t10 V");
}

// The "Click for Help" icons are reached by Tab, heard as buttons, and
// opened by Space.
TEST_F(PagesTest, HelpIconsAreReachedByTheKeyboard)
{
    start();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    QStringList reached;
    find("ProcName")->setFocus();
    for (int i = 0; i < 60; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    for (const char* help : {"Tessel_HLP", "Ask_HLP_0", "Ask_HLP_1", "Ask_HLP_2", "Vset_HLP"}) {
        EXPECT_TRUE(reached.contains(help)) << help << ": " << reached.join(' ').toStdString();
        QWidget* icon = find(help);
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(icon);
        EXPECT_EQ(heard->role(), QAccessible::Button) << help;
        EXPECT_EQ(heard->text(QAccessible::Name), "Click for Help") << help;
        ASSERT_NE(heard->actionInterface(), nullptr) << help;
        EXPECT_TRUE(heard->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
    int clicks = 0;
    QObject::connect(find<gui::ClickableLabel>("Vset_HLP"), &gui::ClickableLabel::clicked, [&] { ++clicks; });
    find("Vset_HLP")->setFocus();
    QTest::keyClick(find("Vset_HLP"), Qt::Key_Space);
    QTest::keyClick(find("Vset_HLP"), Qt::Key_Return);
    EXPECT_EQ(clicks, 2);
}

// The comments take what a specification file takes (line breaks and TABs,
// no other control character), so Save writes what Open reads back.
TEST_F(PagesTest, CommentsRefuseAPasteWithControlCharacters)
{
    start();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    auto* comments = find<QPlainTextEdit>("Comments");
    comments->setFocus();
    comments->selectAll();
    QTest::keyClicks(comments, "Kept");
    settle();
    int refused = 0;
    for (const char* pasted : {"Cal note\vsecond\fthird\x1b[31mred\a\x7f", "a\x7f",
             "a\xe2\x80\xae"
             "b"}) {
        answerer.answerMessageBoxes(QMessageBox::Ok);
        QApplication::clipboard()->setText(QString::fromUtf8(pasted));
        QTest::keyClick(comments, Qt::Key_V, Qt::ControlModifier);
        settle();
        EXPECT_EQ(answerer.texts().size(), ++refused) << pasted;
        EXPECT_TRUE(answerer.lastText().startsWith("The comments cannot take this text: line 1 holds")) << pasted;
        EXPECT_EQ(comments->toPlainText(), "Kept") << pasted;
        EXPECT_EQ(inputs().identity.comments, "Kept") << pasted;
    }
    QApplication::clipboard()->setText("\n\tsecond\r\nthird");
    QTest::keyClick(comments, Qt::Key_V, Qt::ControlModifier);
    settle();
    EXPECT_EQ(answerer.texts().size(), refused);
    EXPECT_EQ(inputs().identity.comments, "Kept\r\n\tsecond\r\nthird");

    // No more lines, nor longer ones, than a specification file takes.
    const QString kept = comments->toPlainText();
    for (const auto& [pasted, said] : {std::pair{QString(1000, u'\n'), "has more than 1000 lines"},
             std::pair{QString(251, u'x'), "line 3 is longer than 250 characters"}}) {
        answerer.answerMessageBoxes(QMessageBox::Ok);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(comments, Qt::Key_V, Qt::ControlModifier);
        settle();
        EXPECT_EQ(answerer.texts().size(), ++refused) << said;
        EXPECT_EQ(answerer.lastText(), QStringLiteral("The comments cannot take this text: ") + said + ".");
        EXPECT_EQ(comments->toPlainText(), kept);
    }
}

} // namespace
} // namespace kestrel::test
