// The calibrator coverage beside the pages: its rows count what the core's
// coverage counts for every meter standard, choosing a row chooses that
// standard as one undo step, and the grid marks exactly the cells whose
// point the chosen standard does not test as specified.
#include "gui/coverage/coverage_pane.h"

#include "core/app/spec_file.h"
#include "core/spec/standards.h"
#include "gui/coverage/coverage_table_model.h"
#include "gui/grid/spec_table_model.h"
#include "support/heard_name.h"
#include "support/random_specification.h"
#include "support/window_fixture.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

namespace kestrel::test {
namespace {

class CoveragePaneTest : public WindowTest {
protected:
    void startShown()
    {
        start();
        // The test screen is narrow: the pane starts hidden there.
        ASSERT_TRUE(pane()->isHidden());
        shortcut(QKeyCombination(Qt::NoModifier, Qt::Key_F9));
        ASSERT_FALSE(pane()->isHidden());
    }
    gui::CoveragePane* pane() const { return find<gui::CoveragePane>("dock_Coverage"); }
    QTableView* table() const { return pane()->table(); }
    int rowOf(std::string_view standard) const { return referenceIndex(standard); }
    void clickRow(int row, bool twice)
    {
        const QRect cell = table()->visualRect(table()->model()->index(row, 0));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
        if (twice)
            QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
        settle();
    }
    void key(Qt::Key which)
    {
        QTest::keyClick(table(), which);
        settle();
    }
    // A cell as a screen reader reads it.
    QString heardCell(int row, int column) const
    {
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(table());
        QAccessibleInterface* cell = heard->tableInterface()->cellAt(row, column);
        return cell ? cell->text(QAccessible::Name) : QString();
    }
    void openSpecification(const ProcedureInputs& in)
    {
        ASSERT_TRUE(
            window->openFile(QString::fromStdString(dir.write("random.kestrel.json", writeSpecFile(in)).string())));
        settle();
    }
    QVariant count(int row, int column) const { return table()->model()->index(row, column).data(); }
};

TEST_F(CoveragePaneTest, EveryRowCountsWhatItsStandardsProcedureDoes)
{
    startShown();
    EXPECT_EQ(iniValue("CoverageShown"), "1");
    EXPECT_EQ(pane()->windowTitle(), "Calibrator Coverage");
    EXPECT_EQ(table()->accessibleName(), "Calibrator Coverage");
    EXPECT_EQ(table()->model()->headerData(gui::CoverageTableModel::ManualColumn, Qt::Horizontal), "Manual");
    // A heading cut short by a long translation is read whole as a tooltip.
    EXPECT_EQ(
        table()->model()->headerData(gui::CoverageTableModel::ManualColumn, Qt::Horizontal, Qt::ToolTipRole), "Manual");

    find<QPushButton>("Populate_62_7300")->click();
    settle();
    pane()->recountNow();
    settle();
    const std::vector<Coverage> all = coverageForAll(inputs());
    ASSERT_EQ(table()->model()->rowCount(), static_cast<int>(all.size()));
    int notAsSpecified = 0;
    for (int row = 0; row < static_cast<int>(all.size()); ++row) {
        const CoverageCounts& counts = all[static_cast<std::size_t>(row)].counts;
        SCOPED_TRACE(all[static_cast<std::size_t>(row)].standard);
        EXPECT_EQ(count(row, 0).toString().toStdString(), all[static_cast<std::size_t>(row)].standard);
        EXPECT_EQ(count(row, gui::CoverageTableModel::AsSpecifiedColumn), counts.asSpecified);
        EXPECT_EQ(count(row, gui::CoverageTableModel::ReducedColumn), counts.reduced);
        EXPECT_EQ(count(row, gui::CoverageTableModel::ManualColumn), counts.manual);
        EXPECT_EQ(count(row, gui::CoverageTableModel::LeftOutColumn), counts.leftOut);
        notAsSpecified += counts.total() - counts.asSpecified;
    }
    EXPECT_GT(notAsSpecified, 0); // the sample reaches the limits of some standard

    // The chosen row is the current one, in bold, and says so when heard.
    const int chosen = rowOf("7300");
    EXPECT_EQ(table()->currentIndex().row(), chosen);
    EXPECT_TRUE(table()->model()->index(chosen, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(table()->model()->index(chosen, 0).data(Qt::AccessibleTextRole), "7300 (chosen)");
    EXPECT_FALSE(table()->model()->index(chosen + 1, 0).data(Qt::FontRole).isValid());

    // A committed cell is counted once its procedures are made (left out: the columns
    // before it are empty).
    const int before = count(chosen, gui::CoverageTableModel::LeftOutColumn).toInt();
    selectFunction(MeterFunction::Dcv);
    typeInCell(0, 25, "1");
    settle();
    EXPECT_EQ(count(chosen, gui::CoverageTableModel::LeftOutColumn).toInt(), before + 1);

    // F9 hides it again, and Kestrel.INI remembers.
    shortcut(QKeyCombination(Qt::NoModifier, Qt::Key_F9));
    EXPECT_TRUE(pane()->isHidden());
    EXPECT_FALSE(find<QAction>("mnuCoverage")->isChecked());
    EXPECT_EQ(iniValue("CoverageShown"), "0");
}

TEST_F(CoveragePaneTest, ChoosingARowChoosesItsStandardAsOneUndoStep)
{
    startShown();
    find<QPushButton>("Populate_62_7300")->click();
    settle();
    const QUndoStack& undo = document->undoStack();
    const int steps = undo.count();

    // One click only moves to the row; a double click chooses it.
    clickRow(rowOf("3300"), false);
    EXPECT_EQ(inputs().selections.reference, "7300");
    EXPECT_EQ(table()->currentIndex().row(), rowOf("3300"));
    EXPECT_EQ(undo.count(), steps);
    clickRow(rowOf("3300"), true);
    EXPECT_EQ(inputs().selections.reference, "3300");
    EXPECT_EQ(find<QComboBox>("Reference")->currentText(), "3300");
    EXPECT_EQ(undo.count(), steps + 1);
    EXPECT_EQ(undo.undoText(), "Choose standard");

    // The keyboard moves through the table without choosing; Enter chooses.
    table()->setFocus();
    const std::string below(kReferences[static_cast<std::size_t>(rowOf("3300") + 1)]);
    key(Qt::Key_Down);
    EXPECT_EQ(inputs().selections.reference, "3300");
    EXPECT_EQ(table()->currentIndex().row(), rowOf(below));
    EXPECT_EQ(undo.count(), steps + 1);
    key(Qt::Key_Return);
    EXPECT_EQ(inputs().selections.reference, below);
    EXPECT_EQ(undo.count(), steps + 2);

    // Undo puts back the standard and the table's mark with it.
    shortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
    shortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
    EXPECT_EQ(inputs().selections.reference, "7300");
    EXPECT_EQ(table()->currentIndex().row(), rowOf("7300"));
    EXPECT_EQ(find<QComboBox>("Reference")->currentText(), "7300");

    // A screen reader selects a row without moving the current one.
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(table());
    ASSERT_NE(heard, nullptr);
    ASSERT_NE(heard->tableInterface(), nullptr);
    heard->tableInterface()->selectRow(rowOf("3402"));
    settle();
    EXPECT_EQ(inputs().selections.reference, "3402");
    EXPECT_EQ(table()->currentIndex().row(), rowOf("3402"));
    shortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));

    // The list of standards below the grid moves the table's mark too.
    auto* reference = find<QComboBox>("Reference");
    reference->setCurrentIndex(rowOf("6400"));
    settle();
    EXPECT_EQ(table()->currentIndex().row(), rowOf("6400"));
}

// Down, Up, Home and End only read the table; the counts are heard with
// their headings; Space chooses, once.
TEST_F(CoveragePaneTest, MovingThroughTheTableReadsItAndSpaceChooses)
{
    startShown();
    find<QPushButton>("Populate_62_7300")->click();
    settle();
    pane()->recountNow();
    settle();
    const QUndoStack& undo = document->undoStack();
    const int steps = undo.count();
    table()->setFocus();
    for (const Qt::Key move : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Down})
        key(move);
    EXPECT_EQ(inputs().selections.reference, "7300");
    EXPECT_EQ(undo.count(), steps);
    const int row = table()->currentIndex().row();
    EXPECT_EQ(row, rowOf("7300") + 2);
    // The chosen standard stays the selected row, as a screen reader hears it.
    EXPECT_EQ(table()->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(table()->selectionModel()->selectedRows().front().row(), rowOf("7300"));

    key(Qt::Key_Home);
    const Coverage counted = coverageForAll(inputs())[static_cast<std::size_t>(row)];
    EXPECT_EQ(heardCell(row, 0).toStdString(), counted.standard);
    EXPECT_EQ(heardCell(row, gui::CoverageTableModel::AsSpecifiedColumn),
        QStringLiteral("As specified: %1").arg(counted.counts.asSpecified));
    EXPECT_EQ(heardCell(row, gui::CoverageTableModel::LeftOutColumn),
        QStringLiteral("Left out: %1").arg(counted.counts.leftOut));
    EXPECT_EQ(heardCell(rowOf("7300"), 0), "7300 (chosen)");

    key(Qt::Key_Space);
    EXPECT_EQ(inputs().selections.reference, counted.standard);
    EXPECT_EQ(undo.count(), steps + 1);
    EXPECT_EQ(heardCell(row, 0).toStdString(), counted.standard + " (chosen)");
    // Space again on the chosen row adds no step.
    key(Qt::Key_Space);
    EXPECT_EQ(undo.count(), steps + 1);
}

// On the Scopes page the pane says the coverage is the DMM page's, in
// place of the meter standards' table.
TEST_F(CoveragePaneTest, OnTheScopesPageThePaneSaysWhatItIsFor)
{
    startShown();
    auto* note = find<QLabel>("CoverageScopeNote");
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(table()->isVisible());
    QTabBar* tabs = find<QTabWidget>("Main_TabStrip")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    settle();
    ASSERT_EQ(inputs().page, Page::Scope);
    EXPECT_TRUE(note->isVisible());
    EXPECT_FALSE(table()->isVisible());
    EXPECT_TRUE(heardName(note).contains("does not apply to the Scopes page"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    settle();
    ASSERT_EQ(inputs().page, Page::Meter);
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(table()->isVisible());
}

// On random specifications, the table counts what the core counts for
// every standard, and a cell is marked exactly when it is filled and the
// chosen standard reduces, makes manual or leaves out its column's point;
// its tooltip says what the core says of the point.
TEST_F(CoveragePaneTest, TheTableAndTheGridMarksFollowEveryRandomSpecification)
{
    startShown();
    RandomSpecification random(7117);
    const QAbstractItemModel* grid = window->grid()->model();
    int marked = 0;
    for (int i = 0; i < 12; ++i) {
        ProcedureInputs in = random.make();
        in.page = Page::Meter;
        openSpecification(in);
        pane()->recountNow();
        settle();
        const std::vector<Coverage> all = coverageForAll(inputs());
        for (int row = 0; row < static_cast<int>(all.size()); ++row) {
            const CoverageCounts& counts = all[static_cast<std::size_t>(row)].counts;
            EXPECT_EQ(count(row, gui::CoverageTableModel::AsSpecifiedColumn), counts.asSpecified) << i << ", " << row;
            EXPECT_EQ(count(row, gui::CoverageTableModel::ReducedColumn), counts.reduced) << i << ", " << row;
            EXPECT_EQ(count(row, gui::CoverageTableModel::ManualColumn), counts.manual) << i << ", " << row;
            EXPECT_EQ(count(row, gui::CoverageTableModel::LeftOutColumn), counts.leftOut) << i << ", " << row;
        }
        const std::optional<Coverage> chosen = coverage(inputs(), inputs().selections.reference);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(table()->currentIndex().row(), rowOf(chosen->standard));
        for (const MeterFunction f : kAllFunctions) {
            selectFunction(f);
            for (int row = 0; row < grid->rowCount(); ++row)
                for (int column = 0; column < kColumnCount; ++column) {
                    SCOPED_TRACE(std::to_string(i) + ": " + std::string(functionInfo(f).code) + " " +
                        std::to_string(row) + "," + std::to_string(column));
                    const QModelIndex index = grid->index(row, column);
                    const TestPoint* point = chosen->pointAt(f, column);
                    const bool changed = point && point->outcome != PointOutcome::AsSpecified &&
                        !index.data().toString().trimmed().isEmpty();
                    const QVariant mark = index.data(gui::SpecTableModel::PointOutcomeRole);
                    ASSERT_EQ(mark.isValid(), changed);
                    if (!changed)
                        continue;
                    ++marked;
                    EXPECT_EQ(mark.toInt(), static_cast<int>(point->outcome));
                    const QString note =
                        QString::fromStdString(describePoint(*point, chosen->standard, englishLookup()));
                    EXPECT_TRUE(index.data(Qt::ToolTipRole).toString().contains(note));
                    EXPECT_EQ(index.data(Qt::AccessibleDescriptionRole).toString(), note);
                }
        }
    }
    EXPECT_GT(marked, 0);
}

} // namespace
} // namespace kestrel::test
