// The secondary windows from the main window: Create's clipboard and
// viewer, the wizard behind a column header and the procedure it changes,
// and every help and accuracy-file opener.
#include "gui/main/secondary_windows.h"

#include "cli/run.h"
#include "core/base/local_date.h"
#include "gui/common/field_behaviour.h"
#include "gui/grid/spec_table_model.h"
#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"
#include "gui/viewer/procedure_viewer.h"
#include "gui/wizard/connection_wizard.h"
#include "support/accessibility_events.h"
#include "support/heard_name.h"
#include "support/window_fixture.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTimer>

#include <cstdio>
#include <sstream>

namespace kestrel::test {
namespace {

class SecondaryWindowsTest : public WindowTest {
protected:
    void startWithWindows()
    {
        start();
        new gui::SecondaryWindows(*window);
    }
    std::string cli(const std::vector<std::string>& args)
    {
        std::ostringstream out, err;
        EXPECT_EQ(cli::run(args, out, err), 0) << err.str();
        return out.str();
    }
    static std::string today()
    {
        const CalendarDate date = localToday();
        char text[11];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
        return text;
    }
    void ctrlCreate()
    {
        QTest::mouseClick(find<QPushButton>("Create"), Qt::LeftButton, Qt::ControlModifier);
        settle();
        QTest::mouseClick(window->grid()->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // Ctrl let go
        settle();
    }
    static QString selectedFile(QWidget& viewer)
    {
        auto* files = viewer.findChild<QListWidget*>("File1");
        EXPECT_NE(files, nullptr);
        const QListWidgetItem* item = files ? files->currentItem() : nullptr;
        return item ? item->text() : QString();
    }
    int headerPicture(int column) const
    {
        return window->grid()
            ->model()
            ->headerData(column, Qt::Horizontal, gui::SpecTableModel::HeaderPictureRole)
            .toInt();
    }
    void clickHeaderButton(int column)
    {
        auto* header = window->grid()->specHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->buttonRect(column).center());
        settle();
    }
};

TEST_F(SecondaryWindowsTest, CtrlCreatePutsTheCommandLinesBytesOnTheClipboard)
{
    startWithWindows();
    const std::string sample = std::string(KESTREL_SOURCE_DIR) + "/data/samples/orvik4919.kestrel.json";
    ASSERT_TRUE(window->openFile(QString::fromStdString(sample)));
    const std::string expected = cli({"generate", sample, "--date", today(), "--config-dir", dir.path().string()});
    QGuiApplication::clipboard()->clear();
    auto* create = find<QPushButton>("Create");
    const QString face = create->styleSheet();
    QString faceDuring;
    QTimer::singleShot(100, [&] { faceDuring = create->styleSheet(); });
    ctrlCreate();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
    EXPECT_TRUE(faceDuring.contains("rgb(0, 255, 0)")) << faceDuring.toStdString(); // green for 200 ms
    EXPECT_EQ(create->styleSheet(), face);

    // Without Ctrl: the viewer, above other windows like the main window.
    bool onTop = false;
    QString first;
    answerer.handleNext<gui::ProcedureViewer>([&](gui::ProcedureViewer& viewer) {
        onTop = viewer.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        first = viewer.textBox()->document()->firstBlock().text();
    });
    click("Create");
    EXPECT_TRUE(onTop);
    EXPECT_EQ(first.toStdString(), expected.substr(0, expected.find('\r')));
}

// Ctrl+Create shows nothing but a flash: the status line says what was
// copied, and a screen reader is told.
TEST_F(SecondaryWindowsTest, CtrlCreateSaysWhatItCopied)
{
    startWithWindows();
    const std::string sample = std::string(KESTREL_SOURCE_DIR) + "/data/samples/orvik4919.kestrel.json";
    ASSERT_TRUE(window->openFile(QString::fromStdString(sample)));
    const AccessibilityEvents heard;
    ctrlCreate();
    const QString copied = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(copied.endsWith(QStringLiteral("\r\n")));
    const QString said = QStringLiteral("Procedure copied to the clipboard, %1 lines").arg(copied.count(u'\n'));
    QWidget* line = find<QWidget>("StatusLine");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(line)->role(), QAccessible::StatusBar);
    EXPECT_EQ(heardName(line), "Status");
    EXPECT_EQ(heardName(find<QWidget>("StatusMessage")), said);
    // Screen readers speak a notification as it appears; the status bar's
    // own change they leave unsaid.
    QWidget* notification = find<QWidget>("StatusNotification");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notification)->role(), QAccessible::Notification);
    EXPECT_EQ(heardName(notification), said);
    EXPECT_EQ(heard.about(notification, QAccessible::ObjectShow).size(), 1u);

    // The viewer's text is heard as the procedure it is.
    QString textName;
    answerer.handleNext<gui::ProcedureViewer>(
        [&](gui::ProcedureViewer& viewer) { textName = heardName(viewer.textBox()); });
    click("Create");
    EXPECT_EQ(textName, "Procedure for the 7300");
}

// What a user types reaches Tessel as typed by every path: the viewer's
// text (what its Copy and Save As give) is the clipboard's of Ctrl+Create,
// though the name ends in "\\" and the comments hold rich-text syntax.
TEST_F(SecondaryWindowsTest, TheViewerShowsTheBytesCtrlCreateCopies)
{
    startWithWindows();
    typeInCell(0, 0, "2");
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
    settle();
    auto* name = find<QLineEdit>("ProcName");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Bench DMM\\");
    auto* comments = find<QPlainTextEdit>("Comments");
    comments->setFocus();
    QTest::keyClicks(comments, "{\\*\\x hidden} C:\\Tessel\\tab\\x \\'0d\\'0a \\{kept\\}");
    settle();
    QGuiApplication::clipboard()->clear();
    ctrlCreate();
    const QString copied = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(copied.contains("INSTRUMENT:            Bench DMM\\\r\nDATE:")) << copied.toStdString();
    ASSERT_TRUE(copied.contains("# {\\*\\x hidden} C:\\Tessel\\tab\\x \\'0d\\'0a \\{kept\\}\r\n"));
    QString shown;
    answerer.handleNext<gui::ProcedureViewer>([&](gui::ProcedureViewer& viewer) { shown = viewer.plainText(); });
    click("Create");
    EXPECT_EQ(shown, copied);
}

TEST_F(SecondaryWindowsTest, TheWizardsRecordsReachTheNextProcedure)
{
    startWithWindows();
    typeInCell(0, 0, "2");
    typeInCell(0, 1, "20");
    typeInCell(0, 2, "200");
    EXPECT_EQ(headerPicture(2), 1);

    answerer.handleNext<gui::ConnectionWizard>([&](gui::ConnectionWizard& wizard) {
        auto* textOption = wizard.findChild<QRadioButton*>("opt_Which_1");
        auto* text = wizard.findChild<QPlainTextEdit*>("ConnectionText");
        auto* ok = wizard.findChild<QPushButton*>("cmd_OK");
        ASSERT_TRUE(textOption && text && ok);
        QTest::mouseClick(textOption, Qt::LeftButton);
        text->selectAll();
        QTest::keyClicks(text, "Connect the 200 V leads");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    clickHeaderButton(2);
    EXPECT_EQ(document->wizardCaption(), "");
    EXPECT_TRUE(window->grid()->isEnabled());
    EXPECT_EQ(headerPicture(2), 3);
    // The same column of another function keeps its own (no) record.
    selectFunction(MeterFunction::Acv);
    EXPECT_EQ(headerPicture(2), 1);
    selectFunction(MeterFunction::Dcv);

    QGuiApplication::clipboard()->clear();
    ctrlCreate();
    const QString procedure = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(procedure.contains("DISP         Connect the 200 V leads\r\n")) << procedure.toStdString();

    // Cancel writes nothing; the wizard's OK is one undo step.
    answerer.handleNext<gui::ConnectionWizard>([](gui::ConnectionWizard& wizard) {
        auto* clear = wizard.findChild<QAbstractButton*>("cmd_Clear");
        ASSERT_NE(clear, nullptr);
        QTest::mouseClick(clear, Qt::LeftButton);
    });
    clickHeaderButton(2);
    EXPECT_EQ(headerPicture(2), 3);
    shortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
    EXPECT_EQ(headerPicture(2), 1);
}

TEST_F(SecondaryWindowsTest, EveryHelpAndAccuracyOpener)
{
    startWithWindows();
    QString file;
    bool onTop = false;
    bool buttonEnabled = true;
    auto* referenceHelp = find<QAbstractButton>("cmd_ReferenceHelp");
    answerer.handleNext<gui::HelpViewer>([&](gui::HelpViewer& help) {
        file = selectedFile(help);
        buttonEnabled = referenceHelp->isEnabled();
    });
    click("cmd_ReferenceHelp");
    EXPECT_EQ(file, "3302.hlp"); // the first start's standard
    EXPECT_FALSE(buttonEnabled);
    EXPECT_TRUE(referenceHelp->isEnabled());

    answerer.handleNext<gui::AccuracyFileViewer>([&](gui::AccuracyFileViewer& accuracy) {
        file = selectedFile(accuracy);
        onTop = accuracy.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    });
    click("cmd_Acc_File");
    EXPECT_EQ(file, "3302.acc");
    EXPECT_TRUE(onTop);

    const struct {
        const char* label;
        const char* file;
    } labels[] = {
        {"Ask_HLP_0", "ask.hlp"}, {"Ask_HLP_2", "ask.hlp"}, {"Vset_HLP", "vset.hlp"}, {"Tessel_HLP", "tessel.hlp"}};
    for (const auto& l : labels) {
        answerer.handleNext<gui::HelpViewer>([&](gui::HelpViewer& help) { file = selectedFile(help); });
        emit find<gui::ClickableLabel>(l.label)->clicked();
        EXPECT_EQ(file, l.file) << l.label;
    }
    EXPECT_EQ(window->focusWidget(), find<QWidget>("Create")); // after Tessel's help

    // The Scopes page: the first scope standard, the 7300, with its twin's help.
    find<QTabWidget>("Main_TabStrip")->setCurrentIndex(1);
    settle();
    QString twin;
    answerer.handleNext<gui::HelpViewer>([&](gui::HelpViewer& help) {
        file = selectedFile(help);
        auto* twinLabel = help.findChild<QLabel*>("AUX_FSC_HelpFilename");
        ASSERT_NE(twinLabel, nullptr);
        twin = twinLabel->text();
        onTop = help.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    });
    click("ScopeHelp");
    EXPECT_EQ(file, "7300.hlp");
    EXPECT_EQ(twin, "M730 Help");
    EXPECT_TRUE(onTop);
    answerer.handleNext<gui::AccuracyFileViewer>(
        [&](gui::AccuracyFileViewer& accuracy) { file = selectedFile(accuracy); });
    click("cmd_Scope_Acc");
    EXPECT_EQ(file, "7300.acc");
}

} // namespace
} // namespace kestrel::test
