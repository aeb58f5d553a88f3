// MeterSpecGrid as a user types into it: the key filter under both decimal
// separators, the commit check keeping a refused edit open, the function
// tabs, the grid commands with their questions, paste and undo.
#include "core/app/create.h"
#include "core/app/spec_file.h"
#include "core/base/message_sink.h"
#include "gui/common/field_behaviour.h"
#include "support/qt_warnings.h"
#include "support/window_fixture.h"

#include "gui/grid/spec_grid.h"
#include "gui/grid/spec_table_model.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

#include <algorithm>
#include <map>
#include <utility>

namespace kestrel::test {
namespace {

class GridTest : public WindowTest {
protected:
    // Every cell of every table filled: the longest procedure there is, so
    // that storing a cell takes long enough for the next keys to queue up.
    void startOnAFullSpecification()
    {
        start();
        ProcedureInputs in;
        for (const MeterFunction f : kAllFunctions)
            for (int row = 0; row < functionInfo(f).rows; ++row)
                for (int column = 0; column < kColumnCount; ++column)
                    in.meter.table(f).setCell(row, column, row == 7 ? "25" : row == 8 ? "400" : "12.5");
        ASSERT_TRUE(
            window->openFile(QString::fromStdString(dir.write("full.kestrel.json", writeSpecFile(in)).string())));
        settle();
    }
};

// What each key does in each row is the key filter's own rule; here the
// keys typed into the cell editor go through it, for the function on show.
TEST_F(GridTest, KeysPassTheRowsFilterUnderADotLocale)
{
    start();
    typeInCell(0, 1, "2.0.0"); // a second separator is refused
    EXPECT_EQ(cell(0, 1), "2.00");
    typeInCell(6, 0, "2u");
    EXPECT_EQ(cell(6, 0), "2\u00B5");
    selectFunction(MeterFunction::Acv);
    typeInCell(0, 0, "-10"); // no "-" on acv
    EXPECT_EQ(cell(0, 0), "10");
}

// Under a comma locale the grid shows and takes commas; the cells are held
// with "." as files and procedures write them, converted once each way: a
// value converted twice (or not at all) shows a "." or reaches the file or
// the procedure with a ",".
TEST_F(GridTest, KeysPassTheRowsFilterUnderACommaLocale)
{
    start({}, 1031);
    const auto shown = [&](int row, int column) {
        return window->grid()->model()->index(row, column).data(Qt::DisplayRole).toString();
    };
    typeInCell(0, 0, "1.5m"); // the "." key types the locale's separator
    EXPECT_EQ(shown(0, 0), "1,5m");
    EXPECT_EQ(cell(0, 0), "1.5m");
    typeInCell(0, 1, "1,5,");
    EXPECT_EQ(shown(0, 1), "1,5");
    EXPECT_EQ(cell(0, 1), "1.5");
    // Editing starts from what is shown.
    EXPECT_EQ(window->grid()->model()->index(0, 1).data(Qt::EditRole).toString(), "1,5");

    // Copy gives the shown text; pasted back, it is held as before.
    clickCell(0, 0);
    QTest::keyClick(window->grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1,5m");
    clickCell(0, 2);
    QTest::keyClick(window->grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(0, 2), "1.5m");
    EXPECT_EQ(shown(0, 2), "1,5m");

    EXPECT_NE(writeSpecFile(document->inputs()).find("\"range\": \"1.5m\""), std::string::npos);
    SilentSink silent;
    const std::string procedure = createProcedure(document->inputsDatedToday(), document->texts(), silent).text;
    EXPECT_NE(procedure.find("1.5mV"), std::string::npos) << procedure;
    EXPECT_EQ(procedure.find("1,5"), std::string::npos) << procedure;
}

TEST_F(GridTest, AnInvalidTextKeepsTheEditorOpenWithItsText)
{
    start();
    answerer.answerMessageBoxes(QMessageBox::Ok);
    QLineEdit* editor = typeInCell(0, 2, "1m5");
    ASSERT_EQ(answerer.texts(), QStringList{"Invalid data format"});
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "1m5");
    EXPECT_EQ(cell(0, 2), "");
    EXPECT_EQ(window->grid()->currentIndex().column(), 2);

    // Put right, it is stored; "0" is stored as an empty cell.
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(cell(0, 2), "1m");
    typeInCell(1, 2, "0");
    EXPECT_EQ(cell(1, 2), "");
    EXPECT_EQ(answerer.texts().size(), 1);
}

// A test is typed down its column without the mouse: Enter (either key)
// stores the cell and moves to the one below, down to the last row, where it
// stays. A row Enter did not reach would stay empty and the row above would
// get its value instead.
TEST_F(GridTest, EnterMovesDownTheColumnToTheLastRow)
{
    start();
    gui::SpecGridView* grid = window->grid();
    for (const MeterFunction f : {MeterFunction::Dcv, MeterFunction::Acv}) { // 8 and 9 rows
        selectFunction(f);
        const int rows = grid->model()->rowCount();
        ASSERT_LE(rows, 9) << "one digit per row";
        clickCell(0, 2);
        QStringList typed, expected;
        for (int row = 0; row < rows; ++row) {
            QTest::keyClicks(grid, QString::number(row + 1)); // opens the editor
            QLineEdit* editor = grid->openEditor();
            ASSERT_NE(editor, nullptr) << functionInfo(f).code << " row " << row;
            QTest::keyClick(editor, row % 2 ? Qt::Key_Enter : Qt::Key_Return);
            settle();
            typed << QStringLiteral("%1 on row %2").arg(cell(row, 2)).arg(grid->currentIndex().row());
            expected << QStringLiteral("%1 on row %2").arg(row + 1).arg(std::min(row + 1, rows - 1));
        }
        EXPECT_EQ(typed, expected) << functionInfo(f).code;
        EXPECT_EQ(grid->currentIndex().column(), 2);
        EXPECT_EQ(grid->openEditor(), nullptr);
    }
}

// Keys typed ahead (a fast typist on a busy window, a barcode scanner) act
// where the keys before them leave the user: Enter, Tab, Shift+Tab and the
// arrows store the cell at once and move on, and the keys queued behind
// them go to the cell they reach, not to the cell being left. Each stored
// cell is one undo step, and no edit is stored by a route that has already
// ended (Qt warns of that).
TEST_F(GridTest, KeysTypedAheadActOnTheCellTheUserReached)
{
    startOnAFullSpecification();
    gui::SpecGridView* grid = window->grid();
    const int lastRow = grid->model()->rowCount() - 1;
    using Cell = std::pair<int, int>;
    struct Case {
        const char* keys;
        Cell start;
        std::map<Cell, QString> typed; // the cells that change, as they end
        int stores;                    // how often a cell is stored
        Cell end;
    };
    const Case cases[] = {
        {"2 Enter Down 3 Enter 300 Enter", {0, 2}, {{{0, 2}, "2"}, {{2, 2}, "3"}, {{3, 2}, "300"}}, 3, {4, 2}},
        {"0.005 Enter 1 Enter", {2, 3}, {{{2, 3}, "0.005"}, {{3, 3}, "1"}}, 2, {4, 3}},
        {"5 Enter Up 6 Enter", {3, 4}, {{{3, 4}, "6"}}, 2, {4, 4}},
        {"1 Enter Right 2 Enter", {0, 5}, {{{0, 5}, "1"}, {{1, 6}, "2"}}, 2, {2, 6}},
        {"1 Enter 2 Tab 3 Enter", {4, 7}, {{{4, 7}, "1"}, {{5, 7}, "2"}, {{5, 8}, "3"}}, 3, {6, 8}},
        {"7 Backtab 8 Backtab 9 Enter", {1, 11}, {{{1, 11}, "7"}, {{1, 10}, "8"}, {{1, 9}, "9"}}, 3, {2, 9}},
        {"1 Down 2 Up Up 3 Enter", {4, 12}, {{{4, 12}, "1"}, {{5, 12}, "2"}, {{3, 12}, "3"}}, 3, {4, 12}},
        {"8 Enter Escape 9 Tab Escape", {2, 14}, {{{2, 14}, "8"}, {{3, 14}, "9"}}, 2, {3, 15}},
        {"4 Enter 5 Enter", {lastRow, 13}, {{{lastRow, 13}, "5"}}, 2, {lastRow, 13}},
    };
    for (const Case& c : cases) {
        const SpecTable before = document->currentTable();
        // Every cell of the table against what it should hold.
        const auto wrongCells = [&](const std::map<Cell, QString>& changed) {
            QStringList wrong;
            for (int row = 0; row <= lastRow; ++row)
                for (int column = 0; column < kColumnCount; ++column) {
                    const auto typed = changed.find({row, column});
                    const QString expected =
                        typed != changed.end() ? typed->second : QString::fromStdString(before.cell(row, column));
                    if (cell(row, column) != expected)
                        wrong << QStringLiteral("(%1,%2) holds %3, not %4")
                                     .arg(row)
                                     .arg(column)
                                     .arg(cell(row, column), expected);
                }
            return wrong;
        };
        const int steps = document->undoStack().index();
        clickCell(c.start.first, c.start.second);
        QtWarnings warnings;
        typeAhead(QString::fromLatin1(c.keys));
        EXPECT_EQ(wrongCells(c.typed), QStringList()) << c.keys;
        EXPECT_EQ(std::make_pair(grid->currentIndex().row(), grid->currentIndex().column()), c.end) << c.keys;
        EXPECT_EQ(grid->openEditor(), nullptr) << c.keys;
        EXPECT_EQ(warnings.texts(), QStringList()) << c.keys;

        // One undo step for each cell stored: together they take it all back.
        EXPECT_EQ(document->undoStack().index() - steps, c.stores) << c.keys;
        const int stored = document->undoStack().index();
        for (int i = stored; i > steps; --i)
            shortcut(Qt::CTRL | Qt::Key_Z);
        EXPECT_EQ(wrongCells({}), QStringList()) << c.keys;
        for (int i = stored; i > steps; --i)
            shortcut(Qt::CTRL | Qt::Key_Y);
        EXPECT_EQ(wrongCells(c.typed), QStringList()) << c.keys;
    }
}

// A click on another cell queued behind Enter (a busy window) takes the
// typing there: the cell left is stored once, by Enter, and no later store
// looks for an editor the click has already closed (Qt warns of that).
TEST_F(GridTest, AClickQueuedBehindEnterTakesTheTypingToItsCell)
{
    startOnAFullSpecification();
    clickCell(1, 3);
    gui::SpecGridView* grid = window->grid();
    const int column = grid->columnAt(grid->viewport()->width() / 2); // one on show
    const int steps = document->undoStack().index();
    QtWarnings warnings;
    queueKeys("4 Enter");
    queueClick(5, column);
    queueKeys("7 Enter");
    settle();
    EXPECT_EQ(warnings.texts(), QStringList());
    EXPECT_EQ(cell(1, 3), "4");
    EXPECT_EQ(cell(2, 3), "12.5");
    EXPECT_EQ(cell(5, column), "7");
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(6, column));
    EXPECT_EQ(document->undoStack().index() - steps, 2);
}

// Tab walks the cells and leaves the grid past its last cell, from the cell
// editor too (storing it); Shift+Tab leaves it before the first cell, and
// Ctrl+Tab from any cell: the commands, the lists and the samples beyond the
// grid are reached by keyboard.
TEST_F(GridTest, TabLeavesTheGridAtItsEdges)
{
    start();
    gui::SpecGridView* grid = window->grid();
    const auto inGrid = [grid] {
        QWidget* focus = QApplication::focusWidget();
        return focus == grid || grid->isAncestorOf(focus);
    };
    const int lastRow = grid->model()->rowCount() - 1, lastColumn = grid->model()->columnCount() - 1;
    clickCell(lastRow, lastColumn - 1);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentIndex().column(), lastColumn);
    EXPECT_TRUE(inGrid());
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_FALSE(inGrid());

    QLineEdit* editor = startTyping(lastRow, lastColumn, "5");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    settle();
    EXPECT_EQ(cell(lastRow, lastColumn), "5");
    EXPECT_EQ(grid->openEditor(), nullptr);
    EXPECT_FALSE(inGrid());

    clickCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(inGrid());
    clickCell(3, 4);
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(inGrid());
}

// A cell being typed is stored when the user leaves it by a tab: the
// function tabs, the page tabs, Scopes. A text the check refuses keeps its
// editor, with the tab it belongs to, and is announced once.
TEST_F(GridTest, LeavingACellByATabStoresItOrKeepsItInEdit)
{
    start();
    gui::SpecGridView* grid = window->grid();
    auto* functions = find<QTabBar>("Meter_Function_TabStrip");
    const auto clickTab = [](QTabBar* bar, int index) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        settle();
    };
    startTyping(2, 3, "33");
    clickTab(functions, 1);
    EXPECT_EQ(window->document().currentFunction(), MeterFunction::Acv);
    clickTab(functions, 0);
    EXPECT_EQ(cell(2, 3), "33");

    QTabBar* pages = find<QTabWidget>("Main_TabStrip")->tabBar();
    startTyping(4, 3, "44");
    clickTab(pages, 1);
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->currentIndex(), 1);
    clickTab(pages, 0);
    EXPECT_EQ(cell(4, 3), "44");

    for (QTabBar* bar : {functions, pages}) {
        // A second message, if one came, is answered too, and counted.
        answerer.answerMessageBoxes(QMessageBox::Ok, 2);
        const qsizetype told = answerer.texts().size();
        startTyping(0, 5, "1m5");
        clickTab(bar, 1);
        EXPECT_EQ(bar->currentIndex(), 0);
        EXPECT_EQ(window->document().currentFunction(), MeterFunction::Dcv);
        ASSERT_NE(grid->openEditor(), nullptr);
        EXPECT_EQ(grid->openEditor()->text(), "1m5");
        EXPECT_EQ(answerer.texts().size(), told + 1);
        EXPECT_EQ(answerer.lastText(), "Invalid data format");
        QTest::keyClick(grid->openEditor(), Qt::Key_Escape);
        settle();
        EXPECT_EQ(cell(0, 5), "");
    }
}

// A table shown anew fits its longest values; a column the user widens
// keeps its width for every function, and for the next start.
TEST_F(GridTest, ColumnsFitTheirValuesAndKeepTheUsersWidth)
{
    start();
    click("Populate2290");
    settle();
    gui::SpecGridView* grid = window->grid();
    int widest = 0;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        widest = std::max(widest, grid->fontMetrics().horizontalAdvance(cell(row, 0)));
    ASSERT_GT(widest, 0);
    EXPECT_GT(grid->columnWidth(0), widest);

    grid->horizontalHeader()->resizeSection(3, 211);
    selectFunction(MeterFunction::Acv);
    selectFunction(MeterFunction::Dcv);
    EXPECT_EQ(grid->columnWidth(3), 211);
    const QVariantList kept = QSettings().value(QLatin1String(gui::SpecGridView::kColumnWidthsKey)).toList();
    ASSERT_GT(kept.size(), 3);
    EXPECT_EQ(kept[3].toInt(), 211);
}

TEST_F(GridTest, FunctionTabsKeepTheirDataAndLabels)
{
    start();
    auto* frequencyLabel = find<QLabel>("SpecLabel_7");
    auto* fixedLabel = find<QLabel>("SpecLabel_5");
    EXPECT_FALSE(frequencyLabel->isVisible());

    selectFunction(MeterFunction::Acv);
    EXPECT_TRUE(frequencyLabel->isVisible());
    EXPECT_EQ(frequencyLabel->text(), "Frequency - Hz");
    EXPECT_EQ(window->grid()->model()->rowCount(), 9);
    typeInCell(0, 0, "2");
    typeInCell(8, 0, "1K");

    selectFunction(MeterFunction::Dcv);
    EXPECT_FALSE(frequencyLabel->isVisible());
    EXPECT_EQ(window->grid()->model()->rowCount(), 8);
    EXPECT_EQ(cell(0, 0), "");

    selectFunction(MeterFunction::Tc);
    EXPECT_EQ(frequencyLabel->text(), "TC Type");
    EXPECT_EQ(fixedLabel->text(), "\u00B1Degrees");
    EXPECT_TRUE(find("TCtypes")->isVisible());
    EXPECT_TRUE(find("TempScale")->isVisible());
    EXPECT_FALSE(find("RTDtypes")->isVisible());

    selectFunction(MeterFunction::Acv);
    EXPECT_EQ(cell(0, 0), "2");
    EXPECT_EQ(cell(8, 0), "1K");
    EXPECT_EQ(fixedLabel->text(), "\u00B1Volts");
}

TEST_F(GridTest, ColumnCommandsShiftColumnsWhileCaptionsStay)
{
    start();
    auto captions = [this] {
        QStringList out;
        for (int c = 0; c < kColumnCount; ++c)
            out << window->grid()->model()->headerData(c, Qt::Horizontal).toString();
        return out;
    };
    const QStringList numbered = captions();
    EXPECT_EQ(numbered.front(), "1");
    EXPECT_EQ(numbered.back(), "26");

    typeInCell(0, 0, "2");
    clickCell(0, 0);
    click("InsertColumn");
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(cell(0, 1), "2");
    click("DeleteColumn"); // an empty column goes without a question
    EXPECT_EQ(cell(0, 0), "2");

    answerer.answerMessageBoxes(QMessageBox::Cancel);
    clickCell(0, 0);
    click("DeleteColumn");
    ASSERT_EQ(answerer.texts(), QStringList{"Really delete the 2 v range?"});
    EXPECT_EQ(cell(0, 0), "2");

    // Multiply X 10 writes the next column one decade up and moves there.
    typeInCell(1, 0, "1.9");
    clickCell(0, 0);
    click("dupRange");
    EXPECT_EQ(cell(0, 1), "20");
    EXPECT_EQ(cell(1, 1), "19");
    EXPECT_EQ(window->grid()->currentIndex(), window->grid()->model()->index(0, 1));
    EXPECT_EQ(captions(), numbered);
}

TEST_F(GridTest, CommandsStoreTheCellBeingTypedFirst)
{
    start();
    startTyping(0, 0, "2");
    click("Copy_Column"); // the button takes no focus: the edit is stored all the same
    EXPECT_EQ(cell(0, 0), "2");
    EXPECT_EQ(cell(0, 1), "2");

    // A refused text stops the command and stays in edit.
    answerer.answerMessageBoxes(QMessageBox::Ok);
    startTyping(0, 3, "1m5");
    click("InsertColumn");
    EXPECT_EQ(answerer.texts(), QStringList{"Invalid data format"});
    EXPECT_EQ(cell(0, 1), "2");
    auto* editor = window->findChild<QLineEdit*>("MeterSpecGrid_Editor");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "1m5");
}

TEST_F(GridTest, ClearAsksAndEmptiesTheCurrentModeOrAll)
{
    start();
    typeInCell(0, 0, "2");
    selectFunction(MeterFunction::Acv);
    typeInCell(0, 0, "3");

    answerer.answerMessageBoxes(QMessageBox::Ok);
    click("ClearSpec_0");
    EXPECT_EQ(answerer.texts(), QStringList{"Really Clear specification?"});
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(inputs().meter.table(MeterFunction::Dcv).cell(0, 0), "2");

    answerer.answerMessageBoxes(QMessageBox::Ok);
    click("ClearSpec_1");
    EXPECT_EQ(document->currentFunction(), MeterFunction::Dcv);
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(inputs().identity.name, "");
}

TEST_F(GridTest, DeleteEmptiesTheSelectedCellsAndUndoBringsThemBack)
{
    start();
    typeInCell(0, 0, "2");
    typeInCell(0, 1, "20");
    typeInCell(0, 2, "200");
    clickCell(0, 0);
    QTest::keyClick(window->grid(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(window->grid(), Qt::Key_Delete);
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(cell(0, 2), "200");

    shortcut(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(cell(0, 0), "2");
    EXPECT_EQ(cell(0, 1), "20");
}

TEST_F(GridTest, UndoAndRedoStepOverAColumnCommand)
{
    start();
    typeInCell(0, 0, "2");
    typeInCell(0, 1, "20");
    answerer.answerMessageBoxes(QMessageBox::Ok);
    clickCell(0, 0);
    click("DeleteColumn");
    EXPECT_EQ(cell(0, 0), "20");
    EXPECT_TRUE(document->isModified());

    shortcut(Qt::CTRL | Qt::Key_Z); // the deletion
    EXPECT_EQ(cell(0, 0), "2");
    EXPECT_EQ(cell(0, 1), "20");
    shortcut(Qt::CTRL | Qt::Key_Z); // the second cell
    EXPECT_EQ(cell(0, 1), "");
    shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    shortcut(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(cell(0, 0), "20");
    EXPECT_EQ(cell(0, 1), "");
}

TEST_F(GridTest, PasteTakesABlockWholeOrNotAtAll)
{
    start();
    QApplication::clipboard()->setText("2.000\t20.00\r\n0.1\t0.2\r\n");
    clickCell(0, 1);
    QTest::keyClick(window->grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(0, 1), "2.000");
    EXPECT_EQ(cell(0, 2), "20.00");
    EXPECT_EQ(cell(1, 1), "0.1");
    EXPECT_EQ(cell(1, 2), "0.2");

    // One step of undo takes the whole block back.
    shortcut(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(cell(1, 2), "");

    // A refused cell refuses the block and names the cell.
    answerer.answerMessageBoxes(QMessageBox::Ok);
    QApplication::clipboard()->setText("2\t20\n0.1\t1m5");
    clickCell(0, 0);
    QTest::keyClick(window->grid(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(answerer.texts().size(), 1);
    EXPECT_EQ(answerer.texts()[0], "\"1m5\" cannot be entered in Test Level, column 2. Nothing was pasted.");
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_EQ(cell(0, 1), "");

    // Copy gives the block back as a spreadsheet reads it.
    typeInCell(0, 0, "1");
    typeInCell(1, 0, "2");
    clickCell(0, 0);
    QTest::keyClick(window->grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(window->grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1\n2");
}

// A pasted cell longer than any field is refused before it is typed key by
// key, on the grid and into an open cell editor: a pasted megabyte neither
// freezes the window nor fills the message box.
TEST_F(GridTest, APasteLongerThanAnyFieldIsRefusedAtOnce)
{
    start();
    const QString huge(4 << 20, u'1');
    for (const bool inEditor : {false, true}) {
        answerer.answerMessageBoxes(QMessageBox::Ok);
        QApplication::clipboard()->setText(huge);
        QWidget* target = window->grid();
        if (inEditor)
            target = startTyping(0, 0, "2");
        else
            clickCell(0, 0);
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        settle();
        EXPECT_LT(clock.elapsed(), 2000) << inEditor;
        ASSERT_EQ(answerer.texts().size(), inEditor ? 2 : 1);
        EXPECT_TRUE(answerer.lastText().contains("is 4194304 characters long")) << answerer.lastText().toStdString();
        EXPECT_LT(answerer.lastText().size(), 200);
        if (inEditor) {
            ASSERT_NE(window->grid()->openEditor(), nullptr);
            EXPECT_EQ(window->grid()->openEditor()->text(), "2");
            QTest::keyClick(window->grid()->openEditor(), Qt::Key_Escape);
            settle();
        } else {
            EXPECT_EQ(cell(0, 0), "");
        }
    }
}

TEST_F(GridTest, HeaderButtonRecordsTheColumnForTheWizard)
{
    start();
    typeInCell(0, 3, "2.000");
    int opened = -1;
    QObject::connect(
        window.get(), &gui::MainWindow::connectionWizardRequested, window.get(), [&](MeterFunction, int column) {
            opened = column;
            EXPECT_FALSE(window->grid()->isEnabled());
        });
    auto* header = window->grid()->specHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->buttonRect(3).center());
    settle();
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(document->currentColumn(), 3);
    EXPECT_EQ(document->wizardCaption(), "PIC & DISP Wizard 2.000V range");
    EXPECT_TRUE(window->grid()->isEnabled());
    EXPECT_EQ(window->grid()->currentIndex().column(), 3);
}

// A range too long for its NOMINAL field would overwrite the TOLERANCE in
// the procedure: the cell says so in its colour and tooltip until it fits,
// and the Scopes page marks its fields the same way.
TEST_F(GridTest, TextsTooLongForTheirFieldAreMarked)
{
    start();
    typeInCell(0, 0, "1.23456789012345");
    typeInCell(0, 1, "2.000");
    const QAbstractItemModel* model = find<QTableView>("MeterSpecGrid")->model();
    EXPECT_EQ(model->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), gui::overflowColour());
    EXPECT_EQ(model->index(0, 0).data(Qt::ToolTipRole).toString(),
        "RANGE \"1.23456789012345\" is 16 characters long, its field holds 6\n"
        "NOMINAL \"1.23456789012345V\" is 17 characters long, its field holds 15\n"
        "The procedure's next field would be overwritten.");
    EXPECT_EQ(model->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), gui::SpecTableModel::columnColour(1));
    EXPECT_TRUE(model->index(0, 1).data(Qt::ToolTipRole).isNull());

    typeInCell(0, 0, "1.2345");
    EXPECT_EQ(model->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), gui::SpecTableModel::columnColour(0));

    auto* vertical = find<QLineEdit>("VerticalAccuracy");
    vertical->setFocus();
    vertical->selectAll();
    QTest::keyClicks(vertical, "1.23456789012345");
    settle(); // the marks are made on their own thread
    EXPECT_TRUE(vertical->toolTip().startsWith("TOLERANCE"));
    vertical->selectAll();
    QTest::keyClicks(vertical, "2.0");
    settle();
    EXPECT_EQ(vertical->toolTip(), "");
}

} // namespace
} // namespace kestrel::test
