// The procedure viewer on its own: what it shows, highlighting switched on
// and off, Enter on a line, search, reference help, the accuracy file,
// copy, save and print.
#include "gui/viewer/procedure_viewer.h"

#include "core/app/create.h"
#include "core/procgen/rich_text_escapes.h"

#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"
#include "support/modal_answerer.h"
#include "support/test_scratch_dir.h"
#include "support/viewer_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolButton>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kestrel {
namespace {

// One letter a character: r red keyword, b blue instrument, g green
// comment, blank for black.
std::string colours(const QPlainTextEdit* text, int line)
{
    const QTextBlock block = text->document()->findBlockByNumber(line);
    std::string out;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QColor colour = fragment.charFormat().foreground().color();
        const char letter = colour == QColor(255, 0, 0) ? 'r'
            : colour == QColor(0, 0, 255)               ? 'b'
            : colour == QColor(0, 128, 0)               ? 'g'
                                                        : ' ';
        out += std::string(static_cast<std::size_t>(fragment.length()), letter);
    }
    return out.substr(0, out.find_last_not_of(' ') + 1);
}

// Body lines below a few example lines, so that most of the text is out of
// sight when the viewer opens.
std::string procedure(int fillerLines = 200)
{
    std::string text = "  1.007  HEAD   \\{DC Volts Test\\}\r\n"
                       "  1.008  DISP         Connect the leads  # front panel\r\n"
                       "  1.009  disp         lower case\r\n"
                       "  1.010  DISP# note\r\n"
                       "  1.011  MEM*         2\r\n"
                       "  2.001  7320      3300 3300V\r\n"
                       "# Procedure by Kestrel\r\n"
                       "\r\n";
    for (int i = 0; i < fillerLines; ++i)
        text += "  3.001  7300    2.0000V     0.1%   # line " + std::to_string(i) + "\r\n";
    return text;
}

class ProcedureViewerTest : public test::ViewerFixture {
protected:
    std::unique_ptr<gui::ProcedureViewer> open(const std::string& text = procedure(), bool topmost = false)
    {
        auto viewer = std::make_unique<gui::ProcedureViewer>(context(), text, "7320", topmost);
        viewer->resize(600, 400);
        viewer->show();
        settle();
        return viewer;
    }
    void setColorize(gui::ProcedureViewer& viewer, bool on)
    {
        child<QCheckBox>(viewer, "chk_Colorize")->setChecked(on);
    }
    void putCaret(gui::ProcedureViewer& viewer, int line, int column = 0)
    {
        QTextCursor caret(viewer.textBox()->document()->findBlockByNumber(line));
        caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        viewer.textBox()->setTextCursor(caret);
    }
    test::ModalAnswerer answerer;
};

TEST_F(ProcedureViewerTest, ShowsTheProcedureTextUnderTheLegend)
{
    // A typed name holding rich-text syntax and characters beyond ASCII
    // stands as typed, in the box and in what Copy and Save As give.
    const std::string text = procedure(0) +
        "INSTRUMENT:            " + escapeTypedText("{\\b x}\\par \\u8364? \xC2\xB5\xE2\x82\xAC") + "\r\n";
    const auto viewer = open(text);
    EXPECT_EQ(viewer->textBox()->document()->findBlockByNumber(0).text(), "  1.007  HEAD   {DC Volts Test}");
    EXPECT_EQ(viewer->textBox()->document()->findBlockByNumber(8).text(),
        QString::fromUtf8("INSTRUMENT:            {\\b x}\\par \\u8364? \xC2\xB5\xE2\x82\xAC"));
    EXPECT_EQ(viewer->plainText().toStdString(), clipboardForm(text));
    EXPECT_TRUE(viewer->plainText().endsWith("\\u8364? \xC2\xB5\xE2\x82\xAC\r\n")); // nothing after the last line
    EXPECT_EQ(child<QLabel>(*viewer, "lbl_Legend")->text(),
        " STEP    FSC    RANGE NOMINAL        TOLERANCE     MOD1        MOD2  3  4 CON");
    const QFontInfo font(viewer->textBox()->font());
    EXPECT_TRUE(font.fixedPitch()) << font.family().toStdString();
    EXPECT_EQ(viewer->textBox()->textCursor().position(), 0);
    EXPECT_FALSE(viewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(open(procedure(0), true)->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_GE(viewer->minimumWidth(), 313);
}

// The legend keeps above its columns when the text scrolls sideways in a
// window too narrow for a whole line.
TEST_F(ProcedureViewerTest, TheLegendScrollsSidewaysWithTheText)
{
    const auto viewer = open(procedure(0));
    viewer->setMinimumSize(0, 0);
    viewer->resize(viewer->minimumSizeHint().width(), 400);
    settle();
    const auto* legend = child<QLabel>(*viewer, "lbl_Legend");
    QPlainTextEdit* text = viewer->textBox();
    const auto columnZeroOffset = [&] {
        const int legendX = legend->mapTo(viewer.get(), QPoint(legend->contentsMargins().left(), 0)).x();
        const int textX =
            text->viewport()->mapTo(viewer.get(), text->cursorRect(QTextCursor(text->document())).topLeft()).x();
        return legendX - textX;
    };
    const int atStart = columnZeroOffset();
    QScrollBar* sideways = text->horizontalScrollBar();
    ASSERT_GT(sideways->maximum(), 0);
    sideways->setValue(sideways->maximum());
    settle();
    EXPECT_EQ(columnZeroOffset(), atStart);
    EXPECT_LT(legend->x(), 0);
}

TEST_F(ProcedureViewerTest, HighlightingColoursTheVisibleLinesAndUncheckingBlackensAll)
{
    const auto viewer = open();
    QPlainTextEdit* text = viewer->textBox();
    const int lastVisible = viewer->visibleLineCount();
    // The word walk's every case is its own test's; here its spans are coloured.
    setColorize(*viewer, true);
    EXPECT_EQ(colours(text, 1), "         rrrr                            ggggggggggggg");
    EXPECT_EQ(colours(text, 5), "         bbbb      bbbb"); // 7320, and 3300 as a number
    EXPECT_NE(colours(text, lastVisible), "");
    EXPECT_EQ(colours(text, lastVisible + 1), ""); // out of sight: not coloured

    // Enter colours the caret's line and leaves the caret where it was.
    putCaret(*viewer, 150, 12);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(colours(text, 150), "         bbbb                       gggggggggg");
    EXPECT_EQ(text->textCursor().position(), text->document()->findBlockByNumber(150).position() + 12);
    EXPECT_FALSE(text->textCursor().hasSelection());

    // Unchecking blackens everything, the line coloured by Enter included;
    // the first visible line stays.
    viewer->setFirstVisibleLine(40);
    setColorize(*viewer, false);
    EXPECT_EQ(viewer->firstVisibleLine(), 40);
    for (int line : {0, 1, 5, 150})
        EXPECT_EQ(colours(text, line), "") << line;
    // Enter colours nothing while highlighting is off.
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(colours(text, 150), "");
    // Checking again colours what is in sight now.
    setColorize(*viewer, true);
    EXPECT_EQ(viewer->firstVisibleLine(), 40);
    EXPECT_EQ(colours(text, 41), "         bbbb                       ggggggggg");
    EXPECT_EQ(colours(text, 0), "");
}

TEST_F(ProcedureViewerTest, SearchFromAfterTheCaretAndSearchAgain)
{
    const auto viewer = open(procedure(3));
    QPlainTextEdit* text = viewer->textBox();
    auto* again = child<QToolButton>(*viewer, "cmd_SearchAgain");
    EXPECT_FALSE(again->isEnabled());
    QString prompt;
    answerer.handleNext<QInputDialog>([&](QInputDialog& input) {
        prompt = input.labelText();
        input.setTextValue(QStringLiteral("disp"));
        input.accept();
    });
    QTest::keyClick(viewer.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(prompt, "Enter Search String");
    EXPECT_EQ(text->textCursor().selectedText(), "DISP");
    const int first = text->textCursor().selectionStart();
    EXPECT_EQ(first, text->document()->findBlockByNumber(1).position() + 9);
    EXPECT_TRUE(again->isEnabled());
    EXPECT_EQ(state.searchString, "disp");

    activate(*viewer);
    QTest::keyClick(text, Qt::Key_F3);
    EXPECT_EQ(text->textCursor().selectionStart(), text->document()->findBlockByNumber(2).position() + 9);
    activate(*viewer);
    QTest::keyClick(text, Qt::Key_F3);
    activate(*viewer);
    QTest::keyClick(text, Qt::Key_F3); // no fourth
    EXPECT_EQ(sink.messages, std::vector<std::string>{"The Search Failed"});
    EXPECT_FALSE(again->isEnabled());
    EXPECT_EQ(text->textCursor().selectedText(), "DISP"); // the last hit stays selected

    // A selection is offered as the search text.
    QString offered;
    answerer.handleNext<QInputDialog>([&](QInputDialog& input) { offered = input.textValue(); });
    QTest::mouseClick(child<QToolButton>(*viewer, "cmdSearch"), Qt::LeftButton);
    EXPECT_EQ(offered, "DISP");
}

TEST_F(ProcedureViewerTest, ReferenceHelpAndAccuracyFileOpenTheirViewers)
{
    const auto viewer = open(procedure(3));
    QString helpFile;
    const auto openedHelp = [&] {
        helpFile.clear();
        answerer.handleNext<gui::HelpViewer>([&](gui::HelpViewer& help) {
            auto* files = help.findChild<QListWidget*>("File1");
            ASSERT_NE(files, nullptr);
            if (QListWidgetItem* item = files->currentItem())
                helpFile = item->text();
        });
    };
    // The file of each kind of line is the core's rule; F1 and the button ask it.
    state.viewerFile = "ask.hlp";
    putCaret(*viewer, 6); // "# Procedure by Kestrel": the file chosen before
    openedHelp();
    activate(*viewer);
    QTest::keyClick(viewer->textBox(), Qt::Key_F1);
    EXPECT_EQ(helpFile, "ask.hlp");
    putCaret(*viewer, 5, 3); // the 7320's step
    openedHelp();
    QTest::mouseClick(child<QToolButton>(*viewer, "cmd_ReferenceHelp"), Qt::LeftButton);
    EXPECT_EQ(helpFile, "7320.hlp");
    EXPECT_TRUE(child<QToolButton>(*viewer, "cmd_ReferenceHelp")->isEnabled());
    // An FSC without help of its own: the user is told, and Tessel's
    // general help opens instead of an empty window.
    putCaret(*viewer, 1); // DISP
    openedHelp();
    activate(*viewer);
    QTest::keyClick(viewer->textBox(), Qt::Key_F1);
    EXPECT_EQ(helpFile, "tessel.hlp");
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back(), "There is no help for DISP. Tessel's general help is shown.");

    QString accuracyText;
    bool onTop = false;
    answerer.handleNext<gui::AccuracyFileViewer>([&](gui::AccuracyFileViewer& accuracy) {
        onTop = accuracy.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        auto* text = accuracy.findChild<QPlainTextEdit*>("Text1");
        ASSERT_NE(text, nullptr);
        accuracyText = text->toPlainText();
    });
    QTest::mouseClick(child<QToolButton>(*viewer, "cmd_Acc_File"), Qt::LeftButton);
    EXPECT_TRUE(onTop);
    EXPECT_TRUE(accuracyText.contains("7320")) << accuracyText.toStdString();
    EXPECT_EQ(state.viewerFile, "");
}

TEST_F(ProcedureViewerTest, CopySaveAndPrint)
{
    test::ScratchDir dir;
    const auto viewer = open(procedure(2));
    const QString shown = viewer->plainText();
    EXPECT_TRUE(shown.contains("\r\n  1.008  DISP"));
    EXPECT_FALSE(shown.contains("\\{"));

    // Save As: UTF-8 with CR LF; a failed save leaves the old file whole.
    QString error;
    const QString path = QString::fromStdString((dir / "procedure.txt").string());
    ASSERT_TRUE(viewer->saveTo(path, error)) << error.toStdString();
    EXPECT_EQ(test::readFile(dir / "procedure.txt"), shown.toStdString());
#ifndef _WIN32 // folder permissions bind on POSIX only, and not root
    dir.write("locked/kept.txt", "old");
    std::filesystem::permissions(
        dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::geteuid() != 0) {
        EXPECT_FALSE(viewer->saveTo(QString::fromStdString((dir / "locked" / "kept.txt").string()), error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(test::readFile(dir / "locked" / "kept.txt"), "old");
    }
#endif
    error.clear();
    EXPECT_FALSE(viewer->saveTo(QString::fromStdString(dir.path().string()), error)); // a folder
    EXPECT_FALSE(error.isEmpty());

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir / "procedure.pdf").string()));
    viewer->print(&printer);
    EXPECT_GT(std::filesystem::file_size(dir / "procedure.pdf"), 1000u);

    QTest::mouseClick(child<QToolButton>(*viewer, "ProcToClip"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(viewer->result(), QDialog::Accepted);
}

} // namespace
} // namespace kestrel
