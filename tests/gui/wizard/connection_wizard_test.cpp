// The connection wizard against the demo pictures: what it opens with,
// the editor's limits, and what OK, Clear and Cancel leave in the records.
// Which option and text each record opens on, which record each option
// writes and the editor's every limit are the core rules' own tests.
#include "gui/wizard/connection_wizard.h"

#include "core/i18n/text_numbers.h"
#include "support/test_scratch_dir.h"
#include "support/translated_texts.h"
#include "support/viewer_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kestrel {
namespace {

class ConnectionWizardTest : public test::ViewerFixture {
protected:
    std::unique_ptr<gui::ConnectionWizard> open(
        MeterFunction function, int column, const QString& picDir = test::demoTessel("pics"))
    {
        auto wizard =
            std::make_unique<gui::ConnectionWizard>(texts, sink, picDir, records, function, column, QString());
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
    records.append({MeterFunction::Dcv, 2, std::string("DMM_DCV.BMP"), std::string("Connect\r\nthe leads")});
    const auto wizard = open(MeterFunction::Dcv, 2);
    EXPECT_TRUE(option(*wizard, 2)->isChecked());
    auto* list = child<QListWidget>(*wizard, "File1");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), "dmm_dcv.bmp"); // found without regard to case
    EXPECT_FALSE(child<QLabel>(*wizard, "Image1")->pixmap().isNull());
    EXPECT_EQ(editor(*wizard)->toPlainText(), "Connect\nthe leads");
    EXPECT_FALSE(editor(*wizard)->isReadOnly());

    QTest::mouseClick(option(*wizard, 1), Qt::LeftButton);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_TRUE(child<QLabel>(*wizard, "Image1")->pixmap().isNull());
    click(*wizard, "cmd_OK");
    EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 2), HeaderPicture::Text);
    EXPECT_EQ(records.records(),
        (std::vector<ConnectionRecord>{{MeterFunction::Dcv, 2, std::nullopt, "Connect\r\nthe leads"}}));
}

TEST_F(ConnectionWizardTest, EditorKeepsToFiftySixCharactersAndEightLines)
{
    const std::string line56(56, 'x');
    records.append({MeterFunction::Acv, 0, std::nullopt, "Connect\r\n" + line56});
    const auto wizard = open(MeterFunction::Acv, 0);
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

// PIC, DISP and Both are one choice: heard as option buttons, and the
// arrows move the choice between them.
TEST_F(ConnectionWizardTest, TheOptionsAreOneChoice)
{
    const auto wizard = open(MeterFunction::Dcv, 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(option(*wizard, i))->role(), QAccessible::RadioButton) << i;
    click(*wizard, "opt_Which_0");
    QTest::keyClick(option(*wizard, 0), Qt::Key_Right);
    EXPECT_TRUE(option(*wizard, 1)->isChecked());
    EXPECT_FALSE(option(*wizard, 0)->isChecked());
    EXPECT_TRUE(option(*wizard, 1)->hasFocus());
}

// Tab comes to the chosen option; with none chosen, to PIC, and the arrows
// choose from there, the focus staying on the options (DISP's text box
// is the next Tab stop).
TEST_F(ConnectionWizardTest, TabComesToTheChosenOptionAndArrowsChoose)
{
    records.append({MeterFunction::Dcv, 2, std::string("dmm_dcv.bmp"), std::string("Leads")});
    const auto wizard = open(MeterFunction::Dcv, 2);
    ASSERT_TRUE(option(*wizard, 2)->isChecked());
    QApplication::setActiveWindow(wizard.get());
    const auto tabUntilAnOption = [&](Qt::Key key) -> int {
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
            for (int o = 0; o < 3; ++o)
                if (option(*wizard, o)->hasFocus())
                    return o;
        }
        return -1;
    };
    child<QListWidget>(*wizard, "File1")->setFocus();
    EXPECT_EQ(tabUntilAnOption(Qt::Key_Backtab), 2);
    EXPECT_EQ(tabUntilAnOption(Qt::Key_Tab), 2) << "one Tab stop for the three";

    click(*wizard, "cmd_Clear");
    child<QListWidget>(*wizard, "File1")->setFocus();
    EXPECT_EQ(tabUntilAnOption(Qt::Key_Backtab), 0);
    QTest::keyClick(option(*wizard, 0), Qt::Key_Right);
    EXPECT_TRUE(option(*wizard, 1)->isChecked());
    EXPECT_TRUE(option(*wizard, 1)->hasFocus());
    EXPECT_TRUE(editor(*wizard)->isEnabled());
    QTest::keyClick(option(*wizard, 1), Qt::Key_Left);
    EXPECT_TRUE(option(*wizard, 0)->isChecked());
    QTest::keyClick(option(*wizard, 0), Qt::Key_Left);
    EXPECT_TRUE(option(*wizard, 2)->isChecked()) << "round from the first to the last";
}

TEST_F(ConnectionWizardTest, ClearThenOkRemovesTheColumnsMessageOnly)
{
    records.append({MeterFunction::Dcv, 2, std::string("dmm_dcv.bmp"), std::nullopt});
    records.append({MeterFunction::Acv, 2, std::nullopt, std::string("AC leads")});
    const auto wizard = open(MeterFunction::Dcv, 2);
    EXPECT_TRUE(option(*wizard, 0)->isChecked());
    EXPECT_FALSE(editor(*wizard)->isEnabled());
    click(*wizard, "cmd_Clear");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(option(*wizard, i)->isChecked());
    EXPECT_EQ(child<QListWidget>(*wizard, "File1")->currentItem(), nullptr);
    EXPECT_EQ(editor(*wizard)->toPlainText(), "");
    click(*wizard, "cmd_OK");
    EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 2), HeaderPicture::Nothing);
    EXPECT_EQ(records.records(), (std::vector<ConnectionRecord>{{MeterFunction::Acv, 2, std::nullopt, "AC leads"}}));
}

TEST_F(ConnectionWizardTest, TwoFunctionsWithTheSameColumnKeepSeparateRecords)
{
    {
        // A column without a record: no option, the prompt, nothing to type yet.
        const auto wizard = open(MeterFunction::Dcv, 2);
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
        EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 2), HeaderPicture::Text);
    }
    {
        const auto wizard = open(MeterFunction::Acv, 2);
        QTest::mouseClick(option(*wizard, 0), Qt::LeftButton);
        auto* list = child<QListWidget>(*wizard, "File1");
        EXPECT_TRUE(list->isEnabled());
        list->setCurrentRow(1);
        click(*wizard, "cmd_OK");
        EXPECT_EQ(headerPicture(records, MeterFunction::Acv, 2), HeaderPicture::Picture);
    }
    const ConnectionRecord* dcv = records.findUnique(MeterFunction::Dcv, 2);
    const ConnectionRecord* acv = records.findUnique(MeterFunction::Acv, 2);
    ASSERT_NE(dcv, nullptr);
    ASSERT_NE(acv, nullptr);
    EXPECT_EQ(*dcv, (ConnectionRecord{MeterFunction::Dcv, 2, std::nullopt, "Enter Connection Text"}));
    EXPECT_EQ(*acv, (ConnectionRecord{MeterFunction::Acv, 2, "dmm_acv.bmp", std::nullopt}));
    {
        const auto wizard = open(MeterFunction::Acv, 2);
        click(*wizard, "cmd_Cancel");
        EXPECT_EQ(wizard->result(), QDialog::Rejected);
    }
    EXPECT_EQ(records.size(), 2u);
}

// A translated prompt longer than a DISP line is only a hint over the
// empty editor: OK without typing keeps an empty instruction, never a text
// that a specification file cannot hold.
TEST_F(ConnectionWizardTest, APromptTooLongForALineIsOnlyAHint)
{
    const QString prompt = QStringLiteral("Geben Sie hier den Anschlusstext f\u00FCr diesen Messpunkt ein"); // 57
    const test::TranslatedTexts german({{kTextEnterConnectionText, prompt.toStdString()}});
    gui::ConnectionWizard wizard(german, sink, test::demoTessel("pics"), records, MeterFunction::Dcv, 2, QString());
    wizard.show();
    settle();
    EXPECT_EQ(editor(wizard)->toPlainText(), "");
    EXPECT_EQ(editor(wizard)->placeholderText(), prompt);
    QTest::mouseClick(option(wizard, 1), Qt::LeftButton);
    EXPECT_EQ(editor(wizard)->toPlainText(), "");
    click(wizard, "cmd_OK");
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(records.records(), (std::vector<ConnectionRecord>{{MeterFunction::Dcv, 2, std::nullopt, ""}}));
    EXPECT_TRUE(sink.messages.empty());
}

// A paste the line rule lets through but no record may hold (a control
// character that would start a line of its own in Tessel) is refused at OK
// with the reason; the wizard stays open to change it.
TEST_F(ConnectionWizardTest, OkRefusesAPastedControlCharacter)
{
    const auto wizard = open(MeterFunction::Acv, 1);
    QTest::mouseClick(option(*wizard, 1), Qt::LeftButton);
    QPlainTextEdit* text = editor(*wizard);
    text->selectAll();
    text->insertPlainText(QStringLiteral("Connect\u001B[2J the leads"));
    click(*wizard, "cmd_OK");
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(sink.messages,
        (std::vector<std::string>{"This text cannot be an instruction: line 1 holds the control "
                                  "character U+001B. Change it, then press OK again."}));
    EXPECT_EQ(records.size(), 0u);

    text->selectAll();
    QTest::keyClicks(text, "Connect the leads");
    click(*wizard, "cmd_OK");
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(
        records.records(), (std::vector<ConnectionRecord>{{MeterFunction::Acv, 1, std::nullopt, "Connect the leads"}}));
}

TEST_F(ConnectionWizardTest, APictureThatCannotBeShownCanStillBeSaved)
{
    test::ScratchDir pics;
    pics.write("broken.bmp", "BM not really a bitmap");
    pics.write("notes.txt", "not a picture");
    const auto wizard = open(MeterFunction::Ohm, 0, QString::fromStdString(pics.path().string()));
    auto* list = child<QListWidget>(*wizard, "File1");
    ASSERT_EQ(list->count(), 1);
    QTest::mouseClick(option(*wizard, 2), Qt::LeftButton);
    list->setCurrentRow(0);
    EXPECT_TRUE(child<QLabel>(*wizard, "lbl_corrupted_File")->isVisible());
    EXPECT_EQ(child<QLabel>(*wizard, "lbl_corrupted_File")->text(), "Unable to display picture");
    click(*wizard, "cmd_OK");
    const ConnectionRecord* saved = records.findUnique(MeterFunction::Ohm, 0);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(*saved, (ConnectionRecord{MeterFunction::Ohm, 0, "broken.bmp", "Enter Connection Text"}));
}

// A record names a file in the picture folder and nothing else: a path out
// of it is not shown, and a pipe under a picture's name is not opened (the
// window would wait for a writer), while a real picture beside it shows.
TEST_F(ConnectionWizardTest, OnlyRegularFilesInThePictureFolderAreShown)
{
    test::ScratchDir pics;
    const std::string picture = test::readFile(test::demoTessel("pics").toStdString() + "/dmm_dcv.bmp");
    pics.write("inside.bmp", picture);
    pics.write("outside/escaped.bmp", picture);
    const QString folder = QString::fromStdString((pics.path() / "pics").string());
    pics.write("pics/good.bmp", picture);
#ifndef _WIN32
    ASSERT_EQ(mkfifo((pics.path() / "pics" / "pipe.bmp").c_str(), 0600), 0);
#endif
    const struct {
        const char* name;
        bool shown;
    } cases[] = {{"good.bmp", true}, {"../inside.bmp", false}, {"../outside/escaped.bmp", false}, {"pipe.bmp", false}};
    for (const auto& c : cases) {
        records = {};
        records.append({MeterFunction::Ohm, 0, std::string(c.name), std::nullopt});
        const auto wizard = open(MeterFunction::Ohm, 0, folder);
        EXPECT_EQ(!child<QLabel>(*wizard, "Image1")->pixmap().isNull(), c.shown) << c.name;
        EXPECT_EQ(child<QLabel>(*wizard, "lbl_corrupted_File")->isVisible(), !c.shown) << c.name;
    }
    records = {};
    records.append({MeterFunction::Ohm, 0, (pics.path() / "inside.bmp").string(), std::nullopt});
    EXPECT_TRUE(child<QLabel>(*open(MeterFunction::Ohm, 0, folder), "Image1")->pixmap().isNull()) << "an absolute path";

    // A name longer than the PIC step holds is not offered: the record
    // would make a file that Open refuses.
    const std::string longName = std::string(53, 'p') + ".bmp";
    pics.write("pics/" + longName, picture);
    const auto wizard = open(MeterFunction::Ohm, 1, folder);
    auto* list = child<QListWidget>(*wizard, "File1");
    EXPECT_TRUE(list->findItems(QString::fromStdString(longName), Qt::MatchFixedString).isEmpty());
    EXPECT_FALSE(list->findItems("good.bmp", Qt::MatchFixedString).isEmpty());
}

} // namespace
} // namespace kestrel
