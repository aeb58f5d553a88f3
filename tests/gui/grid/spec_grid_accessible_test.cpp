// MeterSpecGrid as a screen reader reads it, through the same accessible
// interfaces Qt's bridge hands to one: each cell named with its row and
// column, an empty cell heard as "blank", the cell editor named by its
// cell, and the column headers telling their instruction record and
// opening the wizard with a press.
#include "core/app/spec_file.h"
#include "support/window_fixture.h"

#include "gui/grid/spec_grid.h"

#include <QAccessible>
#include <QLineEdit>

#include <string>

namespace kestrel::test {
namespace {

class GridAccessibilityTest : public WindowTest {
protected:
    QAccessibleInterface* table() const { return QAccessible::queryAccessibleInterface(window->grid()); }

    // The cell the keyboard is on, as the screen reader is told of it.
    QAccessibleInterface* focusedCell() const { return table()->focusChild(); }

    // The header cells' names. Qt makes a table cell's header cells anew
    // for each asker and leaves them to it.
    static QStringList names(const QList<QAccessibleInterface*>& cells)
    {
        QStringList heard;
        for (QAccessibleInterface* cell : cells)
            heard << cell->text(QAccessible::Name);
        for (QAccessibleInterface* cell : cells)
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(cell));
        return heard;
    }

    // What is heard on a cell: its row's name, its column's, its own.
    static std::string heardCell(QAccessibleInterface* cell)
    {
        if (!cell || !cell->tableCellInterface())
            return "(no cell)";
        const QAccessibleTableCellInterface* where = cell->tableCellInterface();
        return (names(where->rowHeaderCells()).join(u'|') + " / " + names(where->columnHeaderCells()).join(u'|') +
            " / " + cell->text(QAccessible::Name))
            .toStdString();
    }

    // The column header a screen reader finds among the table's children.
    QAccessibleInterface* columnHeader(int column) const
    {
        QAccessibleInterface* grid = table();
        for (int i = 0; i < grid->childCount(); ++i) {
            QAccessibleInterface* child = grid->child(i);
            if (child && child->role() == QAccessible::ColumnHeader &&
                child->text(QAccessible::Name) == QString::number(column + 1))
                return child;
        }
        return nullptr;
    }

    void startWithAnInstruction()
    {
        start();
        ProcedureInputs in;
        in.meter.table(MeterFunction::Dcv).setCell(RowRange, 2, "10.00000");
        in.connections.append({MeterFunction::Dcv, 2, std::nullopt, std::string("Connect\r\nthe leads")});
        in.connections.append({MeterFunction::Acv, 3, std::string("DMM_ACV.BMP"), std::nullopt});
        ASSERT_TRUE(
            window->openFile(QString::fromStdString(dir.write("leads.kestrel.json", writeSpecFile(in)).string())));
        settle();
    }
};

// Moving by the arrow keys, each cell is heard with its row's name and its
// column's number; an empty cell says "blank" rather than nothing.
TEST_F(GridAccessibilityTest, CellsAreHeardWithTheirRowAndColumn)
{
    startWithAnInstruction();
    gui::SpecGridView* grid = window->grid();
    grid->setFocus();
    grid->moveTo(0, 1);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(heardCell(focusedCell()), "UUT Range / 3 / 10.00000");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(heardCell(focusedCell()), "Test Level / 3 / blank");
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(heardCell(focusedCell()), "\u00B1Volts / 3 / blank");

    // The rows follow the function on show, the table's description too.
    selectFunction(MeterFunction::Acv);
    EXPECT_EQ(heardCell(table()->tableInterface()->cellAt(8, 0)), "Frequency - Hz / 1 / blank");
    EXPECT_EQ(table()->tableInterface()->rowDescription(8).toStdString(), "Frequency - Hz");
}

// The editor a key opens is named by its cell, not heard as "text".
TEST_F(GridAccessibilityTest, TheCellEditorIsNamedByItsCell)
{
    start();
    QLineEdit* editor = startTyping(1, 2, "5");
    ASSERT_NE(editor, nullptr);
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(editor);
    EXPECT_EQ(heard->role(), QAccessible::EditableText);
    EXPECT_EQ(heard->text(QAccessible::Name).toStdString(), "Test Level, column 3");
    EXPECT_EQ(heard->text(QAccessible::Value), "5");
    QTest::keyClick(editor, Qt::Key_Escape);
}

// A column header tells what its instruction record holds, and its press
// action opens the wizard for that column as the mouse does.
TEST_F(GridAccessibilityTest, ColumnHeadersTellTheirRecordAndOpenTheWizard)
{
    startWithAnInstruction();
    QAccessibleInterface* third = columnHeader(2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->text(QAccessible::Description), "Column 3: DISP 'Connect the leads'");
    ASSERT_NE(columnHeader(3), nullptr);
    EXPECT_EQ(columnHeader(3)->text(QAccessible::Description), "Column 4: no instruction");
    EXPECT_FALSE(third->rect().isEmpty());
    EXPECT_EQ(table()->child(table()->indexOfChild(third)), third) << "the table finds its header again";
    EXPECT_EQ(third->parent(), table());

    QAccessibleActionInterface* actions = third->actionInterface();
    ASSERT_NE(actions, nullptr) << "the header offers no action";
    ASSERT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    int opened = -1;
    QObject::connect(window.get(), &gui::MainWindow::connectionWizardRequested, window.get(),
        [&](MeterFunction function, int column) {
            EXPECT_EQ(function, MeterFunction::Dcv);
            opened = column;
        });
    actions->doAction(QAccessibleActionInterface::pressAction());
    settle();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(document->currentColumn(), 2);
    EXPECT_EQ(window->grid()->currentIndex().column(), 2);

    // The headers follow the function on show and the records.
    selectFunction(MeterFunction::Acv);
    EXPECT_EQ(columnHeader(2)->text(QAccessible::Description), "Column 3: no instruction");
    EXPECT_EQ(columnHeader(3)->text(QAccessible::Description), "Column 4: PIC 'DMM_ACV.BMP'");
}

} // namespace
} // namespace kestrel::test
