// Localization seen from the windows: the three walks and the localization
// menu bound to the main window, and the editor's save, close question,
// sort, print, search and spreadsheet files. What each walk, menu handler
// and save does by itself is tested on the core's functions.
#include "support/window_fixture.h"

#include "gui/localization_editor.h"
#include "gui/localization_table_model.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTableView>

#include <functional>

namespace kestrel::test {
namespace {

const std::string kHeader = "Kestrel localization 1\n";

class LocalizationTest : public WindowTest {
protected:
    // German machine: language and locale 1031, localized mode on.
    void startGerman(const std::string& localizationFile = {})
    {
        if (!localizationFile.empty())
            dir.write("Kestrel_1031.MDB", localizationFile);
        start({}, 1031);
    }
    std::filesystem::path file() const { return dir / "Kestrel_1031.MDB"; }

    QAction* entry(const char* name) const { return find<QAction>(name); }
    QString caption(const char* name) const
    {
        if (auto* label = window->findChild<QLabel*>(name))
            return label->text();
        if (auto* frame = window->findChild<QGroupBox*>(name))
            return frame->title();
        if (auto* button = window->findChild<QAbstractButton*>(name))
            return button->text();
        ADD_FAILURE() << name;
        return {};
    }

    // Opens the editor from the menu and runs `use` while it is open; `use`
    // closes it.
    void withEditor(const std::function<void(gui::LocalizationEditor&)>& use)
    {
        bool opened = false;
        answerer.handleNext<gui::LocalizationEditor>([&](gui::LocalizationEditor& editor) {
            opened = true;
            use(editor);
        });
        entry("mnuEditLocalization")->trigger();
        EXPECT_TRUE(opened);
        settle();
    }

    // Types a local text as a translator does: the first key opens the
    // cell's editor, Enter stores it.
    static void typeLocal(gui::LocalizationEditor& editor, int number, const QString& text, bool enter = true)
    {
        QTableView* grid = editor.grid();
        const auto row = editor.model().table().rowOf(number);
        ASSERT_TRUE(row.has_value());
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(static_cast<int>(*row), 2));
        QTest::keyClick(grid, Qt::Key_X);
        auto* cellEditor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(cellEditor, nullptr);
        cellEditor->selectAll();
        QTest::keyClicks(cellEditor, text);
        if (enter)
            QTest::keyClick(cellEditor, Qt::Key_Return);
        settle();
    }
};

// One control of each kind in each walk shows that the window's table binds
// it to the walks; what every kind gets in every walk is the walks' own rule.
TEST_F(LocalizationTest, TheThreeWalksRelabelTheWindow)
{
    startGerman(kHeader + "1255\tPr\xC3\xBC" "fpegel\n1273\tToleranz zeigen\n1080\tKommentare...\n");
    EXPECT_TRUE(entry("mnu_Use_English_1")->isChecked());
    EXPECT_EQ(caption("SpecLabel_9"), "Pr\u00FCfpegel");
    EXPECT_EQ(caption("Spec_Frame"), "Toleranz zeigen");

    // English: labels, buttons and text boxes in English; frames keep what they show.
    entry("mnu_Use_English_0")->trigger();
    EXPECT_EQ(caption("SpecLabel_9"), "Test Level");
    EXPECT_EQ(find("DeleteColumn")->toolTip(), "Delete Current Column");
    EXPECT_EQ(caption("Spec_Frame"), "Toleranz zeigen");
    auto* comments = find<QPlainTextEdit>("Comments");
    EXPECT_EQ(comments->toPlainText(), "Comments...");
    EXPECT_EQ(inputs().identity.comments, "Comments...") << "what the box shows is what Create writes";
    EXPECT_EQ(document->text(1255), "Pr\u00FCfpegel") << "display modes never change Gettext";

    // Numbers.
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_FALSE(entry("mnu_Use_English_0")->isEnabled() || entry("mnuClear_Localization")->isEnabled());
    EXPECT_EQ(caption("SpecLabel_9"), " 1255");
    EXPECT_EQ(caption("Spec_Frame"), "1273");
    EXPECT_EQ(caption("DeleteColumn"), "X");
    EXPECT_EQ(find("DeleteColumn")->toolTip(), "1230");
    EXPECT_EQ(caption("chk_Risetime"), "1525T");
    EXPECT_EQ(find<QTabWidget>("Meter_TabStrip")->tabText(2), "202");
    EXPECT_EQ(entry("mnuToggle_OnTop")->text(), "1234 (Always On-Top)");
    EXPECT_EQ(find("MeterSpecGrid_Header")->toolTip(), "1260");
    EXPECT_EQ(find("Ask_HLP_0")->toolTip(), "1526");
    EXPECT_FALSE(find<QLabel>("Ask_HLP_0")->pixmap().isNull()) << "a help label keeps its picture";
    EXPECT_EQ(comments->toPlainText(), "Comments...") << "the numbers walk leaves text boxes";
    selectFunction(MeterFunction::Aci);
    EXPECT_EQ(caption("SpecLabel_5"), " 1246") << "the row labels follow the function on show";

    // Leaving numbers mode with a file shows local texts again, frames included.
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_TRUE(entry("mnu_Use_English_1")->isChecked() && entry("mnu_Use_English_0")->isEnabled());
    EXPECT_EQ(caption("Spec_Frame"), "Toleranz zeigen");
    EXPECT_EQ(caption("SpecLabel_5"), "\u00B1Amps");
    EXPECT_EQ(comments->toPlainText(), "Kommentare...");
    EXPECT_EQ(entry("mnuToggle_OnTop")->text(), "Always On-Top");

    // Typed comments are the user's: no walk replaces them.
    comments->setFocus();
    comments->selectAll();
    QTest::keyClicks(comments, "Keep me");
    settle();
    entry("mnu_Use_English_0")->trigger();
    entry("mnu_Disp_Ctrl_Num")->trigger();
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_EQ(comments->toPlainText(), "Keep me");
    EXPECT_EQ(inputs().identity.comments, "Keep me");
}

TEST_F(LocalizationTest, LeavingNumbersModeWithoutAFileEndsInEnglish)
{
    start({}, 1033, "-l");
    EXPECT_TRUE(entry("mnuEditLocalization")->isVisible());
    entry("mnu_Disp_Ctrl_Num")->trigger();
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_TRUE(entry("mnu_Use_English_0")->isChecked() && !entry("mnu_Use_English_0")->isEnabled());
    EXPECT_EQ(caption("SpecLabel_9"), "Test Level");
    EXPECT_EQ(caption("chk_Risetime"), "") << "the test boxes get back their own captions";
    EXPECT_EQ(caption("chk_Impedance"), "Check input impedance");
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->tabText(0), "&DMM's");
    EXPECT_EQ(entry("mnuToggle_OnTop")->text(), "Always On-Top");
    EXPECT_EQ(caption("Spec_Frame"), "1273") << "the English walk leaves frames";
}

TEST_F(LocalizationTest, SavingRelabelsTheWindowAtOnceAndAtTheNextStartClearingInEnglish)
{
    startGerman();
    withEditor([&](gui::LocalizationEditor& editor) {
        EXPECT_EQ(editor.windowTitle(), "Kestrel Localizer");
        auto* print = editor.findChild<QWidget*>("PrintPreview");
        ASSERT_NE(print, nullptr);
        EXPECT_EQ(print->toolTip(), "Print Localization");
        EXPECT_EQ(editor.grid()->currentIndex().column(), 2) << "the local column is current";
        auto* save = editor.findChild<QAbstractButton*>("cmdSave");
        EXPECT_FALSE(save->isEnabled());
        typeLocal(editor, 1223, "&Erstellen");
        QTest::mouseClick(save, Qt::LeftButton);
        EXPECT_FALSE(save->isEnabled()) << "nothing left to save";
        EXPECT_EQ(test::readFile(file()), kHeader + "1223\t&Erstellen\n");
        EXPECT_EQ(caption("Create"), "&Erstellen") << "relabelled while the editor is open";
    });
    EXPECT_TRUE(answerer.texts().isEmpty());
    EXPECT_TRUE(entry("mnu_Use_English_1")->isChecked() && entry("mnuClear_Localization")->isEnabled());

    closeWindow();
    start({}, 1031);
    EXPECT_EQ(caption("Create"), "&Erstellen");

    // Clearing deletes the file and relabels the window in English.
    answerer.answerMessageBoxes(QMessageBox::Ok);
    entry("mnuClear_Localization")->trigger();
    EXPECT_EQ(answerer.lastText(), "Really Delete Localization file?");
    EXPECT_FALSE(std::filesystem::exists(file()));
    EXPECT_EQ(caption("Create"), "&Create");
    EXPECT_TRUE(entry("mnu_Use_English_0")->isChecked() && !entry("mnu_Use_English_1")->isChecked());
    EXPECT_FALSE(entry("mnu_Use_English_1")->isEnabled() || entry("mnuClear_Localization")->isEnabled());
}

TEST_F(LocalizationTest, SavingInNumbersModeKeepsTheNumbers)
{
    startGerman();
    entry("mnu_Disp_Ctrl_Num")->trigger();
    withEditor([&](gui::LocalizationEditor& editor) {
        typeLocal(editor, 1223, "Erstellen", false); // the save takes the text still being typed
        editor.saveChanges();
        EXPECT_EQ(caption("Create"), "1223");
    });
    EXPECT_EQ(document->text(1223), "Erstellen");
    EXPECT_FALSE(entry("mnu_Use_English_1")->isEnabled()) << "numbers mode keeps the language entries locked";
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_EQ(caption("Create"), "Erstellen");
}

TEST_F(LocalizationTest, ClosingTheEditorAsksAboutUnsavedTexts)
{
    const std::string old = kHeader + "# by hand\n1223\tErstellen\n";
    startGerman(old);
    withEditor([&](gui::LocalizationEditor& editor) {
        typeLocal(editor, 100, "&Multimeter");
        // Cancel keeps the window, No drops the edits.
        answerer.answerMessageBoxes(QMessageBox::Cancel);
        editor.close();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(answerer.lastText(), "Save changes before exiting?");
        answerer.answerMessageBoxes(QMessageBox::No);
        editor.close();
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(test::readFile(file()), old);
    // Yes saves on the way out, after the overwrite question.
    withEditor([&](gui::LocalizationEditor& editor) {
        EXPECT_EQ(editor.model().table().at(0).local, std::nullopt) << "unsaved edits did not survive";
        typeLocal(editor, 100, "&Multimeter");
        answerer.answerMessageBoxes(QMessageBox::Yes);
        answerer.answerMessageBoxes(QMessageBox::Ok);
        editor.close();
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(answerer.lastText(), "Overwrite existing Localizing file?");
    EXPECT_EQ(test::readFile(file()), kHeader + "100\t&Multimeter\n1223\tErstellen\n");
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->tabText(0), "&Multimeter");
}

TEST_F(LocalizationTest, HeaderClicksSortAndTheTableGoesToASpreadsheetAndBack)
{
    startGerman(kHeader + "1223\tErstellen\n1260\tAnleitung \"Bild\"\\tund Text\n");
    gui::LocalizationEditor editor(*document, window.get());
    editor.show();
    settle();
    QHeaderView* header = editor.grid()->horizontalHeader();
    const auto clickHeader = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        settle();
    };
    const auto english = [&](int row) { return editor.grid()->model()->index(row, 1).data().toString(); };
    clickHeader(1);
    EXPECT_EQ(english(0), "\u00B1Volts");
    clickHeader(1);
    EXPECT_EQ(english(0), "# Channels");
    const QModelIndex first = editor.grid()->model()->index(0, 0);
    EXPECT_EQ(first.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(first.siblingAtColumn(2).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));

    // Export, then import into a fresh editor: the same table, the same file once saved.
    const QString sheet = QString::fromStdString((dir / "sheet.tsv").string());
    ASSERT_TRUE(editor.exportTo(sheet));
    editor.reject();
    const std::string saved = test::readFile(file());
    std::filesystem::remove(file());
    document->session().reloadTexts();
    gui::LocalizationEditor fresh(*document, window.get());
    EXPECT_FALSE(fresh.model().table().hasLocalText());
    auto* freshSave = fresh.findChild<QAbstractButton*>("cmdSave");
    ASSERT_TRUE(fresh.importFrom(sheet));
    EXPECT_TRUE(freshSave->isEnabled()) << "an import is a change to save";
    EXPECT_EQ(fresh.saveChanges(), SaveOutcome::Saved);
    EXPECT_EQ(test::readFile(file()), saved);

    // A bad line changes nothing and names its line.
    dir.write("bad.tsv", "Number\tEnglish\tLocal\n1223\t&Create\tNeu\n215\tnothing\tnichts\n");
    answerer.answerMessageBoxes(QMessageBox::Ok);
    EXPECT_FALSE(fresh.importFrom(QString::fromStdString((dir / "bad.tsv").string())));
    EXPECT_TRUE(answerer.lastText().endsWith("bad.tsv: line 3: text number 215 has no built-in text"));
    const auto create = fresh.model().table().rowOf(1223);
    ASSERT_TRUE(create);
    EXPECT_EQ(fresh.model().table().at(*create).local, "Erstellen");
    EXPECT_FALSE(freshSave->isEnabled());
}

TEST_F(LocalizationTest, PrintOutAndSearch)
{
    startGerman(kHeader + "1223\tErstellen\n");
    gui::LocalizationEditor editor(*document, window.get());
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir / "all.pdf").string()));
    const int pages = editor.paintPages(printer);
    EXPECT_GT(pages, 3);
    EXPECT_GT(std::filesystem::file_size(dir / "all.pdf"), 1000u);
    // A page range prints those pages only.
    printer.setOutputFileName(QString::fromStdString((dir / "two.pdf").string()));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    EXPECT_EQ(editor.paintPages(printer), pages);
    EXPECT_LT(std::filesystem::file_size(dir / "two.pdf"), std::filesystem::file_size(dir / "all.pdf"));

#ifndef _WIN32 // Windows shows its own print dialog, which no Qt test can answer
    // The button: the printer's choice, then the preview; cancelling the choice ends quietly.
    QString preview;
    auto* printButton = editor.findChild<QAbstractButton*>("PrintPreview");
    ASSERT_NE(printButton, nullptr);
    answerer.handleNext<QPrintDialog>([&](QPrintDialog& choice) {
        answerer.handleNext<QDialog>([&](QDialog& shown) { preview = shown.windowTitle(); });
        choice.accept();
    });
    printButton->click();
    EXPECT_EQ(preview, "Kestrel...");
    answerer.handleNext<QPrintDialog>([](QPrintDialog&) {});
    printButton->click();
    EXPECT_TRUE(answerer.texts().isEmpty());
#endif

    EXPECT_TRUE(editor.findNext("erstellen"));
    EXPECT_EQ(editor.grid()->currentIndex().data().toString(), "Erstellen");
    answerer.answerMessageBoxes(QMessageBox::Ok);
    EXPECT_FALSE(editor.findNext("nowhere to be found"));
    EXPECT_EQ(answerer.lastText(), "The Search Failed");
}

} // namespace
} // namespace kestrel::test
