// The compare window: chosen through "Compare with…", it shows both
// procedures side by side, aligned step by step with the changed lines
// marked, says which steps were only renumbered, lists the changed inputs,
// and a chosen cell or column change brings that cell up in the main window.
#include "support/heard_name.h"
#include "support/window_fixture.h"

#include "core/app/create.h"
#include "core/app/spec_file.h"
#include "core/spec/samples.h"
#include "gui/compare/compare_window.h"
#include "gui/compare/side_by_side_panes.h"
#include "gui/main/secondary_windows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>

namespace kestrel::test {
namespace {

class CompareWindowTest : public WindowTest {
protected:
    // The window on a file of the orvik28 sample, compared through the menu
    // with `other`.
    gui::CompareWindow* compareThroughMenu(const ProcedureInputs& other)
    {
        start();
        new gui::SecondaryWindows(*window);
        ProcedureInputs sample;
        loadSample(*findSample("orvik28"), sample, EnglishLookup{});
        mine = dir.write("mine.kestrel.json", writeSpecFile(sample));
        theirs = dir.write("theirs.kestrel.json", writeSpecFile(other));
        EXPECT_TRUE(window->openFile(QString::fromStdString(mine.string())));

        QString title, filter;
        answerer.handleNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            filter = dialog->nameFilters().join(";;");
            dialog->selectFile(QString::fromStdString(theirs.string()));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, which is protected
        });
        find<QAction>("mnuCompare")->trigger();
        settle();
        EXPECT_EQ(title, "Compare with Specification");
        EXPECT_TRUE(filter.contains("*.kestrel.json")) << filter.toStdString();
        return window->findChild<gui::CompareWindow*>("frm_Compare");
    }

    static ProcedureInputs orvik28()
    {
        ProcedureInputs in;
        loadSample(*findSample("orvik28"), in, EnglishLookup{});
        return in;
    }

    // The procedure Create makes of the file, as the panes show a text.
    QStringList procedureLines(const std::filesystem::path& file)
    {
        ProcedureInputs in = *readSpecFile(readFile(file), document->decimalSeparator()).inputs;
        in.headerDate = document->session().headerDateToday();
        in.decimalSeparator = document->decimalSeparator();
        const std::string text = clipboardForm(createProcedure(in, document->texts(), sink).text);
        QStringList lines = QString::fromStdString(text).remove(u'\r').split(u'\n');
        if (lines.back().isEmpty())
            lines.removeLast();
        return lines;
    }

    std::filesystem::path mine, theirs;
};

struct PaneLine {
    QString text;
    QBrush background;
};

std::vector<PaneLine> paneLines(QPlainTextEdit* pane)
{
    std::vector<PaneLine> lines;
    for (QTextBlock b = pane->document()->firstBlock(); b.isValid(); b = b.next())
        lines.push_back({b.text(), b.blockFormat().background()});
    return lines;
}

// A pane's own lines, the fillers left out.
QStringList ownLines(const std::vector<PaneLine>& lines)
{
    QStringList own;
    for (const PaneLine& line : lines)
        if (line.background.color() != gui::SideBySidePanes::fillerColour() || line.background.style() == Qt::NoBrush)
            own << line.text;
    return own;
}

void clickRow(QTableWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    WindowTest::settle();
}

TEST_F(CompareWindowTest, TwoChangedCellsAreMarkedListedAndSelectable)
{
    ProcedureInputs other = orvik28();
    other.meter.table(MeterFunction::Tc).setCell(0, 1, "100.0");
    other.meter.table(MeterFunction::Tc).setCell(2, 2, "0.08");
    gui::CompareWindow* compare = compareThroughMenu(other);
    ASSERT_NE(compare, nullptr);
    EXPECT_TRUE(compare->isVisible());
    EXPECT_EQ(compare->windowTitle(), "mine.kestrel.json compared with theirs.kestrel.json");

    // Both procedures whole, side by side row for row.
    const std::vector<PaneLine> left = paneLines(compare->panes()->left());
    const std::vector<PaneLine> right = paneLines(compare->panes()->right());
    ASSERT_EQ(left.size(), right.size());
    EXPECT_EQ(ownLines(left), procedureLines(mine));
    EXPECT_EQ(ownLines(right), procedureLines(theirs));
    // Fixed-pitch as drawn, whatever style hint the platform's font reports.
    EXPECT_TRUE(QFontInfo(compare->panes()->left()->font()).fixedPitch());
    EXPECT_TRUE(QFontInfo(compare->panes()->right()->font()).fixedPitch());

    // Equal rows unmarked; each marked row holds what differs, the new
    // values on the right only.
    int marked = 0;
    QString added;
    for (std::size_t i = 0; i < left.size(); ++i) {
        const bool same = left[i].text == right[i].text;
        EXPECT_EQ(left[i].background.style() == Qt::NoBrush, same) << i << ": " << left[i].text.toStdString();
        EXPECT_EQ(right[i].background.style() == Qt::NoBrush, same) << i << ": " << right[i].text.toStdString();
        if (same)
            continue;
        ++marked;
        EXPECT_TRUE(left[i].background.color() == gui::SideBySidePanes::removedColour() ||
            left[i].background.color() == gui::SideBySidePanes::fillerColour());
        EXPECT_TRUE(right[i].background.color() == gui::SideBySidePanes::addedColour() ||
            right[i].background.color() == gui::SideBySidePanes::fillerColour());
        added += right[i].text + "\n";
    }
    EXPECT_GE(marked, 2);
    EXPECT_TRUE(added.contains("100")) << added.toStdString();
    EXPECT_TRUE(added.contains("0.08")) << added.toStdString();

    // The changed inputs, with the values as the files write them.
    QTableWidget* list = compare->changeList();
    ASSERT_EQ(list->rowCount(), 2);
    const auto row = [&](int r) {
        return QStringList{
            list->item(r, 0)->text(), list->item(r, 1)->text(), list->item(r, 2)->text(), list->item(r, 3)->text()};
    };
    EXPECT_EQ(row(0), (QStringList{"meter.functions.tc[1].range", "Changed", "\"0.0\"", "\"100.0\""}));
    EXPECT_EQ(row(1), (QStringList{"meter.functions.tc[2].reading_pct", "Changed", "\"0.05\"", "\"0.08\""}));
    EXPECT_EQ(compare->findChild<QLabel*>("ChangeSummary")->text(), "Changed inputs: 2");

    // Choosing a change brings its cell up in the main window, from
    // another page and another function.
    selectFunction(MeterFunction::Dcv);
    find<QTabWidget>("Main_TabStrip")->setCurrentIndex(1);
    settle();
    clickRow(list, 1);
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->currentIndex(), 0);
    EXPECT_EQ(document->currentFunction(), MeterFunction::Tc);
    EXPECT_EQ(window->grid()->currentIndex().row(), 2);
    EXPECT_EQ(window->grid()->currentIndex().column(), 2);
    clickRow(list, 0);
    EXPECT_EQ(window->grid()->currentIndex().row(), 0);
    EXPECT_EQ(window->grid()->currentIndex().column(), 1);

    // Every control is named, for tests and for screen readers.
    for (QWidget* control : compare->findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QLabel*>(control) &&
            !qobject_cast<QPlainTextEdit*>(control) && !qobject_cast<QTableWidget*>(control))
            continue;
        if (compare->changeList()->isAncestorOf(control) && control != compare->changeList())
            continue; // the list's own corner button
        if (control->objectName() == "StatusMessage")
            continue; // an empty status line says nothing

        EXPECT_FALSE(control->objectName().isEmpty()) << control->metaObject()->className();
        EXPECT_FALSE(heardName(control).isEmpty()) << control->objectName().toStdString();
    }
    EXPECT_EQ(heardName(compare->panes()->right()), "Procedure of theirs.kestrel.json");

    QTest::mouseClick(compare->findChild<QAbstractButton*>("cmdClose"), Qt::LeftButton);
    settle();
    EXPECT_EQ(window->findChild<gui::CompareWindow*>("frm_Compare"), nullptr); // closed and gone
}

// A column put in before others: the procedures show the new test as the
// one change, the steps after it side by side unmarked and said to be
// renumbered; the list names the column, and choosing it selects it.
TEST_F(CompareWindowTest, AnInsertedColumnIsOneChangeAndTheRestRenumbered)
{
    ProcedureInputs other = orvik28();
    SpecTable& tc = other.meter.table(MeterFunction::Tc);
    for (int c = kColumnCount - 1; c > 1; --c)
        for (int r = 0; r < tc.rows(); ++r)
            tc.setCell(r, c, tc.cell(r, c - 1));
    for (int r = 0; r < tc.rows(); ++r)
        tc.setCell(r, 1, r == 0 ? "-100.0" : r == 2 ? "0.1" : "");
    gui::CompareWindow* compare = compareThroughMenu(other);
    ASSERT_NE(compare, nullptr);

    const std::vector<PaneLine> left = paneLines(compare->panes()->left());
    const std::vector<PaneLine> right = paneLines(compare->panes()->right());
    ASSERT_EQ(left.size(), right.size());
    EXPECT_EQ(ownLines(right), procedureLines(theirs));
    int renumbered = 0, added = 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        const bool marked = left[i].background.style() != Qt::NoBrush;
        EXPECT_EQ(right[i].background.style() != Qt::NoBrush, marked) << i;
        if (!marked && left[i].text != right[i].text) {
            // The same step under another number.
            EXPECT_EQ(left[i].text.mid(7), right[i].text.mid(7)) << i;
            ++renumbered;
        }
        if (marked && left[i].background.color() == gui::SideBySidePanes::fillerColour())
            ++added;
    }
    EXPECT_GT(renumbered, 5);
    EXPECT_GE(added, 1);

    // Counted and said under the panes, as text a screen reader reads.
    const gui::SideBySidePanes* panes = compare->panes();
    ASSERT_FALSE(panes->comparison().renumberings.empty());
    const QString summary = compare->procedureSummary()->text();
    EXPECT_TRUE(summary.startsWith("Changed in the procedure: ")) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QRegularExpression("\nSteps [0-9]+\\.[0-9]{3} to [0-9]+\\.[0-9]{3} renumbered \\+1")))
        << summary.toStdString();
    EXPECT_FALSE(heardName(compare->procedureSummary()).isEmpty());

    QTableWidget* list = compare->changeList();
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 0)->text(), "meter.functions.tc[1]");
    EXPECT_EQ(list->item(0, 1)->text(), "Column inserted");
    EXPECT_EQ(list->item(0, 2)->text(), "");
    EXPECT_EQ(list->item(0, 3)->text(), "{\"range\": \"-100.0\", \"reading_pct\": \"0.1\"}");
    clickCell(2, 3);
    clickRow(list, 0);
    EXPECT_EQ(window->grid()->currentIndex().row(), 0);
    EXPECT_EQ(window->grid()->currentIndex().column(), 1);
}

// A change outside the grid brings up its field on its page, the grid's
// current cell left as it was; F7 and Shift+F7 go from difference to
// difference of the procedures and the status line says which.
TEST_F(CompareWindowTest, AChangeOutsideTheGridBringsUpItsFieldAndEqualFilesAreSaidToBe)
{
    ProcedureInputs other = orvik28();
    other.identity.name = "Another name";
    other.options.dataEntry = other.options.dataEntry == DataEntry::Keyboard ? DataEntry::Slew : DataEntry::Keyboard;
    gui::CompareWindow* compare = compareThroughMenu(other);
    ASSERT_NE(compare, nullptr);
    ASSERT_EQ(compare->changeList()->rowCount(), 2);
    EXPECT_EQ(compare->changeList()->item(0, 0)->text(), "procedure.name");
    EXPECT_EQ(compare->changeList()->item(1, 0)->text(), "options.data_entry");
    clickCell(1, 3);
    clickRow(compare->changeList(), 0);
    EXPECT_EQ(window->grid()->currentIndex().row(), 1);
    EXPECT_EQ(window->grid()->currentIndex().column(), 3);
    auto* name = find<QWidget>("ProcName");
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), name);
    // Of option buttons, the chosen one.
    compare->activateWindow();
    clickRow(compare->changeList(), 1);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->objectName().startsWith("DataEntry_")) << focused->objectName().toStdString();
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(focused)->isChecked());

    const auto said = [compare] { return heardName(compare->findChild<QWidget*>("StatusMessage")); };
    const std::vector<int> differences = compare->panes()->differences();
    ASSERT_GE(differences.size(), 1u);
    QApplication::setActiveWindow(compare);
    compare->panes()->left()->setFocus();
    compare->panes()->left()->moveCursor(QTextCursor::Start);
    QTest::keyClick(compare->panes()->left(), Qt::Key_F7);
    EXPECT_EQ(compare->panes()->left()->textCursor().blockNumber(), differences[0]);
    EXPECT_EQ(compare->panes()->right()->textCursor().blockNumber(), differences[0]);
    EXPECT_TRUE(said().startsWith(QStringLiteral("Difference 1 of %1: ").arg(differences.size())))
        << said().toStdString();
    // Past the last one, the status line says there is no further one.
    for (std::size_t i = 1; i < differences.size(); ++i)
        QTest::keyClick(compare->panes()->left(), Qt::Key_F7);
    QTest::keyClick(compare->panes()->left(), Qt::Key_F7);
    EXPECT_EQ(said(), "No further difference");
    EXPECT_EQ(compare->panes()->left()->textCursor().blockNumber(), differences.back());
    QTest::keyClick(compare->panes()->left(), Qt::Key_F7, Qt::ShiftModifier);
    if (differences.size() > 1)
        EXPECT_EQ(compare->panes()->left()->textCursor().blockNumber(), differences[differences.size() - 2]);
    else
        EXPECT_EQ(said(), "No further difference");
    // The buttons do the same.
    compare->panes()->left()->moveCursor(QTextCursor::End);
    QTest::mouseClick(compare->findChild<QAbstractButton*>("cmdPreviousDifference"), Qt::LeftButton);
    EXPECT_EQ(compare->panes()->left()->textCursor().blockNumber(), differences.back());
    QTest::mouseClick(compare->findChild<QAbstractButton*>("cmdNextDifference"), Qt::LeftButton);
    EXPECT_EQ(said(), "No further difference");
    compare->close();
    settle();

    // The window's own file: nothing differs, nothing is marked.
    auto* same = gui::openCompareWindow(*document, QString::fromStdString(mine.string()), window.get());
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->changeList()->rowCount(), 0);
    EXPECT_EQ(same->findChild<QLabel*>("ChangeSummary")->text(), "The two specifications are the same.");
    EXPECT_EQ(same->procedureSummary()->text(), "The two procedures are the same.");
    for (const PaneLine& line : paneLines(same->panes()->left()))
        EXPECT_EQ(line.background.style(), Qt::NoBrush) << line.text.toStdString();
    same->close();
}

TEST_F(CompareWindowTest, AFileThatCannotBeReadIsReportedAndOpensNothing)
{
    start();
    answerer.answerMessageBoxes(QMessageBox::Ok);
    const QString missing = QString::fromStdString((dir.path() / "missing.kestrel.json").string());
    EXPECT_EQ(gui::openCompareWindow(*document, missing, window.get()), nullptr);
    settle();
    EXPECT_TRUE(answerer.lastText().startsWith("Could not open ")) << answerer.lastText().toStdString();
    EXPECT_EQ(window->findChild<gui::CompareWindow*>("frm_Compare"), nullptr);
}

} // namespace
} // namespace kestrel::test
