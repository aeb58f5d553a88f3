// The procedure preview beside the pages: after every step a user takes it
// holds what Ctrl+Create copies at that moment; the cell being typed shows
// after a pause without being stored; F8 and the menu entry show and hide
// it and Kestrel.INI remembers the choice.
#include "gui/viewer/procedure_preview.h"

#include "gui/main/secondary_windows.h"
#include "gui/wizard/connection_wizard.h"
#include "support/heard_name.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>

#include <random>

namespace kestrel::test {
namespace {

class ProcedurePreviewTest : public WindowTest {
protected:
    void startShown(const std::string& ini = {})
    {
        start(ini);
        new gui::SecondaryWindows(*window);
        // The test screen is narrow: the pane starts hidden there.
        ASSERT_TRUE(preview()->isHidden());
        pressF8();
        ASSERT_FALSE(preview()->isHidden());
    }
    gui::ProcedurePreview* preview() const { return find<gui::ProcedurePreview>("dock_Preview"); }
    void pressF8() { shortcut(QKeyCombination(Qt::NoModifier, Qt::Key_F8)); }
    // The text box's own text, lines ended as the clipboard ends them.
    QString shownText() const { return preview()->textBox()->toPlainText().replace(u'\n', QStringLiteral("\r\n")); }
    QString ctrlCreate()
    {
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(find<QPushButton>("Create"), Qt::LeftButton, Qt::ControlModifier);
        settle();
        QTest::mouseClick(window->grid()->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // Ctrl let go
        settle();
        return QGuiApplication::clipboard()->text();
    }
    // Past the pause after the last key, and the procedure made.
    static void typingPause()
    {
        QTest::qWait(450);
        settle();
    }
    void choose(const char* name, int index)
    {
        auto* box = find<QComboBox>(name);
        box->setFocus();
        while (box->currentIndex() < index)
            QTest::keyClick(box, Qt::Key_Down);
        while (box->currentIndex() > index)
            QTest::keyClick(box, Qt::Key_Up);
        settle();
    }
    void showPage(const char* strip, int index)
    {
        find<QTabWidget>(strip)->setCurrentIndex(index);
        settle();
    }
    void attachText(int column, const QString& text)
    {
        answerer.handleNext<gui::ConnectionWizard>([text](gui::ConnectionWizard& wizard) {
            auto* textOption = wizard.findChild<QRadioButton*>("opt_Which_1");
            auto* box = wizard.findChild<QPlainTextEdit*>("ConnectionText");
            auto* ok = wizard.findChild<QPushButton*>("cmd_OK");
            ASSERT_TRUE(textOption && box && ok);
            QTest::mouseClick(textOption, Qt::LeftButton);
            box->selectAll();
            QTest::keyClicks(box, text);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        auto* header = window->grid()->specHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->buttonRect(column).center());
        settle();
    }
};

TEST_F(ProcedurePreviewTest, AfterEveryStepItHoldsWhatCtrlCreateCopies)
{
    startShown();
    typeInCell(0, 0, "10");
    typeInCell(1, 0, "0.01");
    const std::vector<std::string> values{"1", "2.5", "100m", "20", "0.5", "1K", "3", "0", "750"};
    std::mt19937 random(20240611);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 40; ++step) {
        const int action = pick(9);
        SCOPED_TRACE("step " + std::to_string(step) + ", action " + std::to_string(action));
        switch (action) {
        case 0:
        case 1:
        case 2: // a cell of the function on show
            showPage("Main_TabStrip", 0);
            typeInCell(pick(4), pick(5), QString::fromStdString(values[pick(static_cast<int>(values.size()))]));
            break;
        case 3: // another function
            showPage("Main_TabStrip", 0);
            selectFunction(static_cast<MeterFunction>(pick(3)));
            typeInCell(0, pick(3), QString::fromStdString(values[pick(4)]));
            break;
        case 4: // an option
            showPage("Main_TabStrip", 0);
            showPage("Meter_TabStrip", 2);
            click(pick(2) ? "chk_Add_FUNCTION_Message" : "chk_Add_RANGE_message");
            showPage("Meter_TabStrip", 0);
            break;
        case 5: // the calibration standard of the page on show
            if (find<QTabWidget>("Main_TabStrip")->currentIndex() == 1)
                choose("ScopeReference", pick(find<QComboBox>("ScopeReference")->count()));
            else
                choose("Reference", pick(find<QComboBox>("Reference")->count()));
            break;
        case 6: // an instruction record
            showPage("Main_TabStrip", 0);
            attachText(pick(5), QStringLiteral("Connect lead %1").arg(step));
            break;
        case 7: // undo or redo
            shortcut(pick(2) ? QKeyCombination(Qt::ControlModifier, Qt::Key_Z)
                             : QKeyCombination(Qt::ControlModifier, Qt::Key_Y));
            break;
        case 8: // the other page: nothing else changes
            showPage("Main_TabStrip", 1 - find<QTabWidget>("Main_TabStrip")->currentIndex());
            break;
        }
        settle();
        const QString preview = this->preview()->text();
        const QString copied = ctrlCreate();
        ASSERT_FALSE(copied.isEmpty());
        ASSERT_EQ(preview, copied);
        ASSERT_EQ(shownText(), preview);
    }
}

TEST_F(ProcedurePreviewTest, TypingShowsAfterAPauseWithoutStoringTheCell)
{
    startShown();
    typeInCell(0, 0, "10");
    settle();
    const QString committed = preview()->text();
    ASSERT_FALSE(committed.isEmpty());
    const int undoSteps = document->undoStack().count();

    ASSERT_NE(startTyping(0, 1, "20"), nullptr);
    typingPause();
    const QString typed = preview()->text();
    EXPECT_NE(typed, committed);
    EXPECT_EQ(shownText(), typed);
    EXPECT_EQ(inputs().meter.table(MeterFunction::Dcv).cell(0, 1), "");
    EXPECT_EQ(document->undoStack().count(), undoSteps);

    // Enter stores what the preview already shows: its text stays as it is.
    const int replacements = preview()->replacements();
    QTest::keyClick(window->grid()->openEditor(), Qt::Key_Return);
    settle();
    EXPECT_EQ(preview()->text(), typed);
    EXPECT_EQ(preview()->replacements(), replacements);
    EXPECT_EQ(ctrlCreate(), typed);

    // Escape drops the typing, and the preview follows.
    ASSERT_NE(startTyping(0, 2, "30"), nullptr);
    typingPause();
    EXPECT_NE(preview()->text(), typed);
    QTest::keyClick(window->grid()->openEditor(), Qt::Key_Escape);
    typingPause();
    EXPECT_EQ(preview()->text(), typed);
    EXPECT_EQ(inputs().meter.table(MeterFunction::Dcv).cell(0, 2), "");
}

TEST_F(ProcedurePreviewTest, TheScrollPositionStaysAcrossAChange)
{
    startShown();
    find<QPushButton>("Populate_62_7300")->click();
    settle();
    auto* box = preview()->textBox();
    ASSERT_GT(box->verticalScrollBar()->maximum(), 20);
    box->verticalScrollBar()->setValue(20);
    typeInCell(0, 0, "7");
    settle();
    EXPECT_EQ(box->verticalScrollBar()->value(), 20);
    EXPECT_EQ(preview()->text(), ctrlCreate());
}

// The lines the generators say a grid column made, by their line sources.
std::vector<int> linesOf(const LineSources& sources, MeterFunction function, int column)
{
    std::vector<int> lines;
    for (std::size_t i = 0; i < sources.lines.size(); ++i)
        if (sources.lines[i].function == function && sources.lines[i].column == column)
            lines.push_back(static_cast<int>(i));
    return lines;
}

TEST_F(ProcedurePreviewTest, TheCurrentCellMarksItsColumnsStepsInSight)
{
    startShown();
    find<QPushButton>("Populate_62_7300")->click();
    settle();
    selectFunction(MeterFunction::Acv);
    auto* down = preview()->textBox()->verticalScrollBar();
    for (const int column : {2, 0, 3}) {
        SCOPED_TRACE(column);
        clickCell(1, column);
        const std::vector<int> expected = linesOf(preview()->sources(), MeterFunction::Acv, column);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(preview()->markedLines(), expected);
        EXPECT_GE(expected.front(), down->value());
        EXPECT_LT(expected.front(), down->value() + down->pageStep());
    }
    // Another row of the same column leaves the pane where the user put it;
    // a change of the procedure moves the marks with the column's lines
    // (emptying column 1's range leaves out every later point).
    down->setValue(0);
    clickCell(4, 3);
    EXPECT_EQ(down->value(), 0);
    const std::vector<int> before = preview()->markedLines();
    clickCell(0, 1);
    QTest::keyClick(window->grid(), Qt::Key_Delete);
    clickCell(4, 3);
    QTest::qWait(100);
    settle();
    const std::vector<int> after = linesOf(preview()->sources(), MeterFunction::Acv, 3);
    EXPECT_NE(after, before);
    EXPECT_EQ(preview()->markedLines(), after);
}

TEST_F(ProcedurePreviewTest, ADoubleClickedStepBringsUpItsColumn)
{
    startShown();
    find<QPushButton>("Populate_62_7300")->click();
    settle();
    selectFunction(MeterFunction::Dcv);
    const std::vector<int> acvLines = linesOf(preview()->sources(), MeterFunction::Acv, 2);
    ASSERT_FALSE(acvLines.empty());
    QPlainTextEdit* box = preview()->textBox();
    box->verticalScrollBar()->setValue(acvLines.back());
    settle();
    QTextCursor at(box->document()->findBlockByNumber(acvLines.back()));
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, box->cursorRect(at).center() + QPoint(40, 0));
    settle();
    EXPECT_EQ(document->currentFunction(), MeterFunction::Acv);
    EXPECT_EQ(window->grid()->currentIndex().column(), 2);
    EXPECT_TRUE(window->grid()->hasFocus());
    EXPECT_EQ(preview()->markedLines(), acvLines);

    // Enter on a step does the same from the keyboard.
    const std::vector<int> dcvLines = linesOf(preview()->sources(), MeterFunction::Dcv, 1);
    ASSERT_FALSE(dcvLines.empty());
    box->setFocus();
    box->setTextCursor(QTextCursor(box->document()->findBlockByNumber(dcvLines.front())));
    QTest::keyClick(box, Qt::Key_Return);
    settle();
    EXPECT_EQ(document->currentFunction(), MeterFunction::Dcv);
    EXPECT_EQ(window->grid()->currentIndex().column(), 1);

    // A header line came from no column: nothing moves.
    clickCell(2, 4);
    box->setFocus();
    box->setTextCursor(QTextCursor(box->document()->findBlockByNumber(0)));
    QTest::keyClick(box, Qt::Key_Return);
    settle();
    EXPECT_EQ(window->grid()->currentIndex().column(), 4);
    EXPECT_EQ(window->grid()->currentIndex().row(), 2);
}

TEST_F(ProcedurePreviewTest, F8TheMenuAndTheCloseButtonAreRemembered)
{
    startShown();
    auto* entry = find<QAction>("mnuPreview");
    EXPECT_TRUE(entry->isChecked());
    EXPECT_EQ(iniValue("PreviewShown"), "1");
    EXPECT_EQ(preview()->windowTitle(), "Procedure Preview");
    EXPECT_EQ(preview()->accessibleName(), "Procedure Preview");

    // The status line, as a screen reader reads it.
    const auto said = [this] { return heardName(find<QWidget>("StatusMessage")); };
    entry->trigger();
    EXPECT_TRUE(preview()->isHidden());
    EXPECT_EQ(iniValue("PreviewShown"), "0");
    // Showing and hiding are said: a screen reader hears nothing else of it.
    EXPECT_EQ(said(), "Procedure Preview hidden");
    pressF8();
    EXPECT_FALSE(preview()->isHidden());
    EXPECT_EQ(said(), "Procedure Preview shown");
    shortcut(QKeyCombination(Qt::NoModifier, Qt::Key_F9));
    EXPECT_EQ(said(), "Calibrator Coverage shown");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(find<QWidget>("StatusLine"))->role(), QAccessible::StatusBar);
    // The text inside the pane is heard by the pane's name.
    EXPECT_EQ(heardName(preview()->textBox()), "Procedure Preview");
    preview()->close();
    settle();
    EXPECT_TRUE(preview()->isHidden());
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(iniValue("PreviewShown"), "0");
}

} // namespace
} // namespace kestrel::test
