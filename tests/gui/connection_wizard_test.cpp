// The connection wizard against the demo pictures: what it opens with,
// the editor's limits, and what OK, Clear and Cancel leave in the records.
// Which option and text each record opens on, which record each option
// writes and the editor's every limit are the core rules' own tests.
#include "gui/connection_wizard.h"

#include "support/test_scratch_dir.h"
#include "support/viewer_fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace kestrel {
namespace {

class ConnectionWizardTest : public test::ViewerFixture {
protected:
    std::unique_ptr<gui::ConnectionWizard> open(const std::string& mode, int column,
                                                const QString& picDir = test::demoTessel("pics"))
    {
        auto wizard = std::make_unique<gui::ConnectionWizard>(texts, sink, picDir, records, mode, column, QString());
        wizard->show();
        settle();
        return wizard;
    }
    static QRadioButton* option(gui::ConnectionWizard& wizard, int index)
    {
        return child<QRadioButton>(wizard, ("opt_Which_" + std::to_string(index)).c_str());
    }
    static QPlainTextEdit* editor(gui::ConnectionWizard& wizard)
    {
        return child<QPlainTextEdit>(wizard, "ConnectionText");
    }
    static void click(gui::ConnectionWizard& wizard, const char* name)
    {
        QTest::mouseClick(child<QAbstractButton>(wizard, name), Qt::LeftButton);
    }

    ConnectionStore records;
};

TEST_F(ConnectionWizardTest, ARecordWithBothOpensOnBothAndDispDropsThePicture)
{
    records.append({"DCV", "2", std::string("DMM_DCV.BMP"), std::string("Connect\r\nthe leads")});
    const auto wizard = open("dcv", 2);
    EXPECT_TRUE(option(*wizard, 2)->isChecked());
    auto* list = child<QListWidget>(*wizard, "File1");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), "dmm_dcv.bmp"); // found without regard to case
    EXPECT_FALSE(child<QLabel>(*wizard, "Image1")->pixmap().isNull());
    EXPECT_EQ(editor(*wizard)->toPlainText(), "Connect\nthe leads");
    EXPECT_FALSE(editor(*wizard)->isReadOnly());
    EXPECT_EQ(records.records()[0].mode, "dcv"); // filed again under the function's code

    QTest::mouseClick(option(*wizard, 1), Qt::LeftButton);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_TRUE(child<QLabel>(*wizard, "Image1")->pixmap().isNull());
    click(*wizard, "cmd_OK");
    EXPECT_EQ(wizard->headerPicture(), HeaderPicture::Text);
    EXPECT_EQ(records.records(), (std::vector<ConnectionRecord>{{"dcv", "2", std::nullopt, "Connect\r\nthe leads"}}));
}

TEST_F(ConnectionWizardTest, EditorKeepsToFiftySixCharactersAndEightLines)
{
    const std::string line56(56, 'x');
    records.append({"acv", "0", std::nullopt, "Connect\r\n" + line56});
    const auto wizard = open("acv", 0);
    QPlainTextEdit* text = editor(*wizard);
    EXPECT_TRUE(text->textCursor().hasSelection()); // focused: all selected

    // The 57th character on a line is undone; the caret stays put.
    QTextCursor caret = text->textCursor();
    caret.movePosition(QTextCursor::End);
    caret.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, 3);
    text->setTextCursor(caret);
    const int before = caret.position();
    QTest::keyClick(text, Qt::Key_Y);
    EXPECT_EQ(text->toPlainText().toStdString(), "Connect\n" + line56);
    EXPECT_EQ(text->textCursor().position(), before);

    // Enter names the line it opens in the caption; on the eighth it is refused.
    caret.movePosition(QTextCursor::Start);
    text->setTextCursor(caret);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(wizard->windowTitle(), "3  8");
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(wizard->windowTitle(), "8  8");
    EXPECT_EQ(text->blockCount(), 8);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(text->blockCount(), 8);
    EXPECT_EQ(wizard->windowTitle(), "8  8");
}

TEST_F(ConnectionWizardTest, ClearThenOkRemovesTheColumnsMessageOnly)
{
    records.append({"dcv", "2", std::string("dmm_dcv.bmp"), std::nullopt});
    records.append({"acv", "2", std::nullopt, std::string("AC leads")});
    const auto wizard = open("dcv", 2);
    EXPECT_TRUE(option(*wizard, 0)->isChecked());
    EXPECT_FALSE(editor(*wizard)->isEnabled());
    click(*wizard, "cmd_Clear");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(option(*wizard, i)->isChecked());
    EXPECT_EQ(child<QListWidget>(*wizard, "File1")->currentItem(), nullptr);
    EXPECT_EQ(editor(*wizard)->toPlainText(), "");
    click(*wizard, "cmd_OK");
    EXPECT_EQ(wizard->headerPicture(), HeaderPicture::Nothing);
    EXPECT_EQ(records.records(), (std::vector<ConnectionRecord>{{"acv", "2", std::nullopt, "AC leads"}}));
}

TEST_F(ConnectionWizardTest, TwoFunctionsWithTheSameColumnKeepSeparateRecords)
{
    {
        // A column without a record: no option, the prompt, nothing to type yet.
        const auto wizard = open("dcv", 2);
        EXPECT_EQ(wizard->windowTitle(), "PIC & DISP Wizard");
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(option(*wizard, i)->isChecked());
        EXPECT_TRUE(editor(*wizard)->isReadOnly());
        EXPECT_FALSE(child<QLabel>(*wizard, "lbl_corrupted_File")->isVisible());
        QTest::mouseClick(option(*wizard, 1), Qt::LeftButton);
        // DISP on an empty editor: the prompt itself becomes the message.
        EXPECT_EQ(editor(*wizard)->toPlainText(), "Enter Connection Text");
        EXPECT_FALSE(editor(*wizard)->isReadOnly());
        click(*wizard, "cmd_OK");
        EXPECT_EQ(wizard->headerPicture(), HeaderPicture::Text);
    }
    {
        const auto wizard = open("acv", 2);
        QTest::mouseClick(option(*wizard, 0), Qt::LeftButton);
        auto* list = child<QListWidget>(*wizard, "File1");
        EXPECT_TRUE(list->isEnabled());
        list->setCurrentRow(1);
        click(*wizard, "cmd_OK");
        EXPECT_EQ(wizard->headerPicture(), HeaderPicture::Picture);
    }
    EXPECT_EQ(*records.findUnique("dcv", 2), (ConnectionRecord{"dcv", "2", std::nullopt, "Enter Connection Text"}));
    EXPECT_EQ(*records.findUnique("acv", 2), (ConnectionRecord{"acv", "2", "dmm_acv.bmp", std::nullopt}));
    {
        const auto wizard = open("acv", 2);
        click(*wizard, "cmd_Cancel");
        EXPECT_EQ(wizard->result(), QDialog::Rejected);
    }
    EXPECT_EQ(records.size(), 2u);
}

TEST_F(ConnectionWizardTest, APictureThatCannotBeShownCanStillBeSaved)
{
    test::ScratchDir pics;
    pics.write("broken.bmp", "BM not really a bitmap");
    pics.write("notes.txt", "not a picture");
    const auto wizard = open("ohm", 0, QString::fromStdString(pics.path().string()));
    auto* list = child<QListWidget>(*wizard, "File1");
    ASSERT_EQ(list->count(), 1);
    QTest::mouseClick(option(*wizard, 2), Qt::LeftButton);
    list->setCurrentRow(0);
    EXPECT_TRUE(child<QLabel>(*wizard, "lbl_corrupted_File")->isVisible());
    EXPECT_EQ(child<QLabel>(*wizard, "lbl_corrupted_File")->text(), "Unable to display picture");
    click(*wizard, "cmd_OK");
    EXPECT_EQ(*records.findUnique("ohm", 0), (ConnectionRecord{"ohm", "0", "broken.bmp", "Enter Connection Text"}));
}

} // namespace
} // namespace kestrel
