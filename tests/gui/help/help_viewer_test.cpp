// The help and accuracy-file viewers against the demo Tessel installation:
// preselection, the manual twin's pane, confedit.hlp handed to the desktop,
// search, the splitter's bounds and the window's place kept per user.
#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"

#include "support/heard_name.h"
#include "support/modal_answerer.h"
#include "support/test_scratch_dir.h"
#include "support/viewer_fixture.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>

namespace kestrel {
namespace {

class HelpViewersTest : public test::ViewerFixture {
protected:
    template <typename Viewer>
    std::unique_ptr<Viewer> open(const std::string& file, const QString& helpDir = test::demoTessel("help"))
    {
        state.viewerFile = file;
        gui::ViewerContext viewers{texts, sink, helpDir, test::demoTessel("acc"), state};
        // What the viewer hands to the desktop is recorded, taken or not.
        viewers.openOutside = [this](const QString& path) {
            handedToDesktop << path;
            return desktopTakesFiles;
        };
        auto viewer = std::make_unique<Viewer>(viewers);
        viewer->show();
        settle();
        return viewer;
    }
    QStringList handedToDesktop;
    bool desktopTakesFiles = true;

    static QString selected(QWidget& viewer)
    {
        const QListWidgetItem* item = child<QListWidget>(viewer, "File1")->currentItem();
        return item ? item->text() : QString();
    }
    void answerSearch(const QString& answer)
    {
        answerer.handleNext<QInputDialog>([answer](QInputDialog& input) {
            input.setTextValue(answer);
            input.accept();
        });
    }
    test::ModalAnswerer answerer;
};

TEST_F(HelpViewersTest, TheTwinsHelpShowsInTheLowerPane)
{
    test::ScratchDir help;
    help.write("vset.hlp", "VSET sets a variable.\n");
    help.write("mvset.hlp", "MVSET in manual mode.\n");
    help.write("ask.hlp", "ASK flags\n");
    const auto viewer = open<gui::HelpViewer>("VSET.HLP", QString::fromStdString(help.path().string()));
    EXPECT_EQ(selected(*viewer), "vset.hlp");
    EXPECT_EQ(child<QLabel>(*viewer, "FSC_HelpFilename")->text(), "vset Help");
    EXPECT_EQ(child<QLabel>(*viewer, "AUX_FSC_HelpFilename")->text(), "Mvset Help");
    EXPECT_EQ(child<QPlainTextEdit>(*viewer, "Text2")->toPlainText(), "MVSET in manual mode.\n");
    EXPECT_TRUE(child<QPlainTextEdit>(*viewer, "Text2")->isVisible());
    EXPECT_EQ(state.viewerFile, "VSET.HLP"); // kept for the next opening
    // Screen readers hear what the screen shows, not the controls' names.
    const auto heard = [&](const char* name) { return test::heardName(viewer->findChild<QWidget*>(name)); };
    EXPECT_EQ(heard("FSC_HelpFilename"), "vset Help");
    EXPECT_EQ(heard("Text1"), "vset Help");
    EXPECT_EQ(heard("Text2"), "Mvset Help");

    // A file without a twin hides the lower pane.
    child<QListWidget>(*viewer, "File1")->setCurrentRow(0); // ask.hlp
    EXPECT_EQ(child<QLabel>(*viewer, "FSC_HelpFilename")->text(), "ask Help");
    EXPECT_EQ(heard("FSC_HelpFilename"), "ask Help");
    EXPECT_FALSE(child<QPlainTextEdit>(*viewer, "Text2")->isVisible());
}

TEST_F(HelpViewersTest, PreselectionFallsBackToTheFirstFileOrNone)
{
    EXPECT_EQ(selected(*open<gui::HelpViewer>("")), "3300.hlp");
    const auto missing = open<gui::HelpViewer>("HEAD.hlp");
    EXPECT_EQ(selected(*missing), "");
    EXPECT_EQ(child<QPlainTextEdit>(*missing, "Text1")->toPlainText(), "");
}

TEST_F(HelpViewersTest, ConfeditGoesToTheDesktopAndLeavesThePanesEmpty)
{
    const auto viewer = open<gui::HelpViewer>("ask.hlp");
    EXPECT_FALSE(child<QPlainTextEdit>(*viewer, "Text1")->toPlainText().isEmpty());
    auto* list = child<QListWidget>(*viewer, "File1");
    list->setCurrentItem(list->findItems(QStringLiteral("confedit.hlp"), Qt::MatchExactly).value(0));
    ASSERT_EQ(handedToDesktop.size(), 1);
    // The desktop takes the file in the platform's own spelling: compared as
    // files, not as texts.
    EXPECT_EQ(QFileInfo(handedToDesktop[0]), QFileInfo(QDir(test::demoTessel("help")).filePath("confedit.hlp")));
    EXPECT_EQ(child<QPlainTextEdit>(*viewer, "Text1")->toPlainText(), "");
    EXPECT_EQ(child<QLabel>(*viewer, "FSC_HelpFilename")->text(), "");
}

TEST_F(HelpViewersTest, ConfeditWithoutAProgramSaysSoAndKeepsThePanes)
{
    desktopTakesFiles = false;
    const auto viewer = open<gui::HelpViewer>("ask.hlp");
    const QString shown = child<QPlainTextEdit>(*viewer, "Text1")->toPlainText();
    auto* list = child<QListWidget>(*viewer, "File1");
    list->setCurrentItem(list->findItems(QStringLiteral("confedit.hlp"), Qt::MatchExactly).value(0));
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0], "No program on this computer opens confedit.hlp.");
    EXPECT_EQ(child<QPlainTextEdit>(*viewer, "Text1")->toPlainText(), shown);
    EXPECT_EQ(child<QLabel>(*viewer, "FSC_HelpFilename")->text(), "ask Help");
}

TEST_F(HelpViewersTest, SearchIgnoresCaseAndSearchAgainMovesOn)
{
    const auto viewer = open<gui::HelpViewer>("vset.hlp");
    auto* text = child<QPlainTextEdit>(*viewer, "Text1");
    auto* again = child<QToolButton>(*viewer, "cmd_SearchAgain");
    answerSearch(QStringLiteral("VARIABLE"));
    QTest::mouseClick(child<QToolButton>(*viewer, "cmdSearch"), Qt::LeftButton);
    EXPECT_EQ(text->textCursor().selectedText(), "variable");
    const int first = text->textCursor().selectionStart();
    EXPECT_TRUE(again->isEnabled());
    QTest::mouseClick(again, Qt::LeftButton);
    EXPECT_GT(text->textCursor().selectionStart(), first);
    EXPECT_EQ(text->textCursor().selectedText().toLower(), "variable");
    while (again->isEnabled())
        QTest::mouseClick(again, Qt::LeftButton);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back(), "The search failed");

    answerSearch(QStringLiteral("no such words"));
    QTest::mouseClick(child<QToolButton>(*viewer, "cmdSearch"), Qt::LeftButton);
    EXPECT_EQ(sink.messages.size(), 2u);
    EXPECT_FALSE(again->isEnabled());
}

TEST_F(HelpViewersTest, TheSplitterKeeps1500TwipsFromTheEdges)
{
    const auto viewer = open<gui::HelpViewer>("7300.hlp");
    viewer->resize(500, 500);
    settle();
    auto* splitter = child<QSplitter>(*viewer, "picSplitter");
    QWidget* bar = splitter->handle(1);
    EXPECT_EQ(bar->objectName(), "imgSplitter");
    const auto barTop = [&] { return bar->mapTo(viewer.get(), QPoint(0, 0)).y(); };
    EXPECT_NEAR(barTop(), 250, 10); // half the window's height

    // Dragged far up, the bar stops 100 pixels (1500 twips) below the top.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 2));
    QTest::mouseMove(bar, QPoint(5, -400));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, -400));
    settle();
    EXPECT_EQ(barTop(), 100);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 2));
    QTest::mouseMove(bar, QPoint(5, 900));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, 900));
    settle();
    EXPECT_EQ(barTop(), 500 - 100);
}

TEST_F(HelpViewersTest, BothViewersKeepTheirPlaceUnderHelpSettings)
{
    {
        QSettings settings;
        EXPECT_FALSE(settings.contains("HelpSettings/MainLeft"));
    }
    {
        // The first time: 6500 twips high, and wide enough for a whole line
        // of the file beside the list.
        const auto help = open<gui::HelpViewer>("ask.hlp");
        EXPECT_EQ(help->height(), 433);
        auto* text = child<QPlainTextEdit>(*help, "Text1");
        const QString line(80, QLatin1Char('M'));
        EXPECT_GE(text->viewport()->width(), QFontMetrics(text->font()).horizontalAdvance(line));
        EXPECT_LE(help->width(), help->screen()->availableGeometry().width());
        help->move(150, 120);
        help->resize(480, 450);
        help->reject();
    }
    QSettings settings;
    EXPECT_EQ(settings.value("HelpSettings/MainWidth").toInt(), 480 * 15);
    EXPECT_EQ(settings.value("HelpSettings/MainHeight").toInt(), 450 * 15);
    const auto accuracy = open<gui::AccuracyFileViewer>("");
    EXPECT_EQ(accuracy->size(), QSize(480, 450));
    EXPECT_EQ(selected(*accuracy), ""); // nothing named, nothing opened
}

TEST_F(HelpViewersTest, AccuracyViewerOpensViewerFileThenForgetsIt)
{
    const auto viewer = open<gui::AccuracyFileViewer>("7320.acc");
    EXPECT_EQ(selected(*viewer), "7320.acc");
    EXPECT_TRUE(child<QPlainTextEdit>(*viewer, "Text1")->toPlainText().contains("7320"));
    EXPECT_EQ(state.viewerFile, "");
    EXPECT_TRUE(child<QToolButton>(*viewer, "cmdSearch")->isEnabled());
    EXPECT_EQ(viewer->windowTitle(), "Accuracy File");

    answerSearch(QStringLiteral("7320"));
    QTest::keyClick(viewer.get(), Qt::Key_F3); // no search text yet: F3 asks
    EXPECT_EQ(child<QPlainTextEdit>(*viewer, "Text1")->textCursor().selectedText(), "7320");
}

} // namespace
} // namespace kestrel
