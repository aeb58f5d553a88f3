// The option controls, the standards lists and the Scopes page, driven as
// a user drives them: the data-entry rule, the Reference change refilling
// the sensor lists, the risetime and impedance rules and the field filters.
// The rules' every case is tested on the core's functions; these show the
// controls bound to them.
#include "gui/common/field_behaviour.h"
#include "support/window_fixture.h"

#include "gui/grid/spec_table_model.h"
#include "gui/main/command_line.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

namespace kestrel::test {
namespace {

using PagesTest = WindowTest;

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// Chooses an entry of a list with the keyboard, as a user would.
void choose(QComboBox* box, const QString& text)
{
    box->setFocus();
    const int target = box->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    while (box->currentIndex() < target)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > target)
        QTest::keyClick(box, Qt::Key_Up);
    WindowTest::settle();
}

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

// The Connection page lists the records attached while it was hidden once
// it is shown.
TEST_F(PagesTest, TheConnectionPageShowsTheRecordsAttachedWhileItWasHidden)
{
    start();
    ConnectionStore records;
    records.put({MeterFunction::Dcv, 0, std::string("leads.bmp"), std::string("Connect the leads\r\nto the UUT")});
    records.put({MeterFunction::Acv, 3, std::nullopt, std::string("Set AC volts")});
    document->setConnections(records);
    settle();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(1);
    settle();
    auto* table = find<QTableWidget>("ConnectionList");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 2)->text(), "leads.bmp");
    EXPECT_EQ(table->item(0, 3)->text(), "Connect the leads\nto the UUT");
    EXPECT_EQ(table->item(1, 1)->text(), "4"); // numbered as the grid shows it

    // While it is on show it follows at once.
    document->undoStack().undo();
    settle();
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(PagesTest, ReferenceChangeRefillsTheSensorLists)
{
    start();
    auto* reference = find<QComboBox>("Reference");
    auto* tc = find<QComboBox>("TCtypes");
    auto* rtd = find<QComboBox>("RTDtypes");
    EXPECT_EQ(items(tc).size(), 11);

    choose(tc, "K");
    choose(reference, "6400");
    EXPECT_EQ(items(tc).size(), 10);
    EXPECT_EQ(items(rtd), (QStringList{"100 ohm Pt 385", "100 ohm Pt 3926"}));
    EXPECT_EQ(tc->currentText(), "J");
    EXPECT_EQ(inputs().selections.reference, "6400");
    EXPECT_TRUE(reference->hasFocus()); // the arrows go on through the list
}

TEST_F(PagesTest, RisetimeAndImpedanceRules)
{
    start();
    find<QTabWidget>("Main_TabStrip")->setCurrentIndex(1);
    settle();
    auto* risetime = find<QLineEdit>("Risetime");
    EXPECT_FALSE(risetime->isEnabled());
    EXPECT_EQ(risetime->palette().color(QPalette::Disabled, QPalette::Base), QColor(57, 198, 222));

    click("chk_Risetime");
    EXPECT_TRUE(risetime->isEnabled());
    EXPECT_EQ(risetime->text(), "50");
    EXPECT_EQ(risetime->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    risetime->setFocus();
    risetime->selectAll();
    QTest::keyClicks(risetime, "3.5x"); // whole nanoseconds only
    EXPECT_EQ(risetime->text(), "35");
    click("chk_Risetime");
    EXPECT_EQ(risetime->text(), "");

    auto* impedance = find<QAbstractButton>("chk_Impedance");
    auto* standard = find<QComboBox>("ScopeReference");
    EXPECT_FALSE(impedance->isEnabled()); // 7300 - 300 Mhz
    choose(standard, "7320 - 600 Mhz");
    EXPECT_TRUE(impedance->isEnabled());
    click("chk_Impedance");
    EXPECT_EQ(find<QLineEdit>("Capacitance")->text(), "13");
    EXPECT_TRUE(find("CapAccuracy")->isEnabled());
    // The standard already chosen, chosen again from the opened list: that
    // choice removes the tick too.
    standard->showPopup();
    QTest::keyClick(standard->view(), Qt::Key_Return);
    WindowTest::settle();
    EXPECT_FALSE(impedance->isChecked());
    EXPECT_FALSE(inputs().scope.impedanceTest);
    click("chk_Impedance");
    EXPECT_TRUE(impedance->isChecked());

    choose(standard, "8240 - 1 Channel"); // a new standard removes the tick
    EXPECT_FALSE(impedance->isChecked());
    EXPECT_EQ(find<QLineEdit>("Capacitance")->text(), "");
    EXPECT_FALSE(find("CapAccuracy")->isEnabled());

    auto* vertical = find<QLineEdit>("VerticalAccuracy");
    vertical->setFocus();
    vertical->selectAll();
    QTest::keyClicks(vertical, "a1.5b");
    EXPECT_EQ(vertical->text(), "1.5");
    EXPECT_EQ(inputs().scope.verticalAccuracy, "1.5");
    QLineEdit* bandwidth = find<QComboBox>("Bandwidth")->lineEdit();
    bandwidth->setFocus();
    bandwidth->selectAll();
    QTest::keyClicks(bandwidth, "35.0");
    EXPECT_EQ(inputs().scope.bandwidth, "350");
}

TEST_F(PagesTest, SamplesReplaceEverythingAndMarkTheirButton)
{
    start();
    typeInCell(0, 0, "7");
    find<QLineEdit>("ProcName")->setText("mine");

    // Unsaved changes are asked about first; Cancel keeps them.
    answerer.answerMessageBoxes(QMessageBox::Cancel);
    click("Populate34401");
    EXPECT_EQ(answerer.texts(), QStringList{"Save changes to the current specification?"});
    EXPECT_EQ(cell(0, 0), "7");

    answerer.answerMessageBoxes(QMessageBox::No);
    click("Populate34401");
    EXPECT_EQ(cell(0, 0), "100.0000m");
    EXPECT_EQ(find<QLineEdit>("ProcName")->text(), "Agilent 34401 digital multimeter");
    EXPECT_EQ(find<QComboBox>("Reference")->currentText(), "7600");
    EXPECT_TRUE(find<QAbstractButton>("Populate34401")->font().bold());

    answerer.answerMessageBoxes(QMessageBox::No);
    click("Populate_28_7300");
    EXPECT_EQ(document->currentFunction(), MeterFunction::Tc);
    EXPECT_EQ(find<QComboBox>("TCtypes")->currentText(), "K");
    EXPECT_TRUE(inputs().meter.table(MeterFunction::Dcv).cell(0, 0).empty());
    EXPECT_TRUE(find<QAbstractButton>("Populate_28_7300")->font().bold());
    EXPECT_FALSE(find<QAbstractButton>("Populate34401")->font().bold());

    // Undo brings the 34401 back.
    shortcut(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(inputs().meter.table(MeterFunction::Dcv).cell(0, 0), "100.0000m");
    EXPECT_TRUE(find<QAbstractButton>("Populate34401")->font().bold());
}

TEST(CommandLine, SwitchesGoToStartUpAndTheFileIsKeptApart)
{
    const gui::CommandLine line = gui::parseCommandLine({"/lcid=1031", "-l", "/home/u/my-list.kestrel.json"});
    EXPECT_EQ(line.startUpLine, "/lcid=1031 -l");
    EXPECT_EQ(line.file, "/home/u/my-list.kestrel.json");
    EXPECT_EQ(gui::parseCommandLine({}).startUpLine, "");
}

} // namespace
} // namespace kestrel::test
