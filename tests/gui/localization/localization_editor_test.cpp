// Localization seen from the windows: the three walks and the localization
// menu bound to the main window, and the editor's save, close question,
// sort, print, search and spreadsheet files. What each walk, menu handler
// and save does by itself is tested on the core's functions.
#include "support/heard_name.h"
#include "support/window_fixture.h"

#include "gui/grid/spec_grid.h"
#include "gui/localization/localization_editor.h"
#include "gui/localization/localization_table_model.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <fstream>
#include <functional>
#include <sstream>

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
    // A grid row's name as its row header shows it, and as a screen reader
    // hears it on the row's first cell.
    QString rowName(int row) const { return window->grid()->model()->headerData(row, Qt::Vertical).toString(); }
    QString heardRowName(int row) const
    {
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(window->grid());
        QAccessibleInterface* cell = grid->tableInterface()->cellAt(row, 0);
        // Qt makes a cell's header cells anew for each asker and leaves them to it.
        const QList<QAccessibleInterface*> headers = cell->tableCellInterface()->rowHeaderCells();
        const QString name = headers.size() == 1 ? headers.front()->text(QAccessible::Name) : QString();
        for (QAccessibleInterface* header : headers)
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
        return name;
    }
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

    // Empties a local text as a translator does: F2 opens the cell with its
    // text, Ctrl+A and Delete remove it, Enter stores the empty cell.
    static void emptyLocal(gui::LocalizationEditor& editor, int number)
    {
        QTableView* grid = editor.grid();
        const auto row = editor.model().table().rowOf(number);
        ASSERT_TRUE(row.has_value());
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(static_cast<int>(*row), 2));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* cellEditor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(cellEditor, nullptr);
        QTest::keyClick(cellEditor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(cellEditor, Qt::Key_Delete);
        QTest::keyClick(cellEditor, Qt::Key_Return);
        settle();
    }

    static QString localOf(const gui::LocalizationEditor& editor, int number)
    {
        const auto row = editor.model().table().rowOf(number);
        return row ? editor.grid()->model()->index(static_cast<int>(*row), 2).data().toString() : QString();
    }
};

// One control of each kind in each walk shows that the window's table binds
// it to the walks; what every kind gets in every walk is the walks' own rule.
TEST_F(LocalizationTest, TheThreeWalksRelabelTheWindow)
{
    startGerman(kHeader +
        "1255\tPr\xC3\xBC"
        "fpegel\n1273\tToleranz zeigen\n1080\tKommentare...\n");
    EXPECT_TRUE(entry("mnu_Use_English_1")->isChecked());
    EXPECT_EQ(rowName(1), "Pr\u00FCfpegel");
    EXPECT_EQ(caption("Spec_Frame"), "Toleranz zeigen");

    // English: labels, buttons and text boxes in English; frames keep what they show.
    entry("mnu_Use_English_0")->trigger();
    EXPECT_EQ(rowName(1), "Test Level");
    EXPECT_EQ(find("DeleteColumn")->toolTip(), "Delete Current Column");
    EXPECT_EQ(caption("Spec_Frame"), "Toleranz zeigen");
    auto* comments = find<QPlainTextEdit>("Comments");
    EXPECT_EQ(comments->toPlainText(), "Comments...");
    EXPECT_EQ(inputs().identity.comments, "Comments...") << "what the box shows is what Create writes";
    EXPECT_EQ(document->text(1255), "Pr\u00FCfpegel") << "display modes never change Gettext";

    // Numbers.
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_FALSE(entry("mnu_Use_English_0")->isEnabled() || entry("mnuClear_Localization")->isEnabled());
    EXPECT_EQ(rowName(1), " 1255");
    EXPECT_EQ(caption("Spec_Frame"), "1273");
    EXPECT_EQ(caption("DeleteColumn"), "X");
    EXPECT_EQ(find("DeleteColumn")->toolTip(), "1230");
    EXPECT_EQ(caption("chk_Risetime"), "1525T");
    EXPECT_EQ(find<QTabWidget>("Meter_TabStrip")->tabText(2), "202");
    EXPECT_EQ(entry("mnuToggle_OnTop")->text(), "1234 (Al&ways On-Top)");
    EXPECT_EQ(find("MeterSpecGrid_Header")->toolTip(), "1260");
    EXPECT_EQ(find("Ask_HLP_0")->toolTip(), "1526");
    EXPECT_FALSE(find<QLabel>("Ask_HLP_0")->pixmap().isNull()) << "a help label keeps its picture";
    EXPECT_EQ(comments->toPlainText(), "Comments...") << "the numbers walk leaves text boxes";
    selectFunction(MeterFunction::Aci);
    EXPECT_EQ(rowName(6), " 1246") << "the row labels follow the function on show";

    // Leaving numbers mode with a file shows local texts again, frames included.
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_TRUE(entry("mnu_Use_English_1")->isChecked() && entry("mnu_Use_English_0")->isEnabled());
    EXPECT_EQ(caption("Spec_Frame"), "Toleranz zeigen");
    EXPECT_EQ(rowName(6), "\u00B1Amps");
    EXPECT_EQ(comments->toPlainText(), "Kommentare...");
    EXPECT_EQ(entry("mnuToggle_OnTop")->text(), "Al&ways On-Top");

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

// Screen readers hear a row label as the screen shows it, after a walk
// and after the function changes the label's text.
TEST_F(LocalizationTest, RowLabelsAreHeardAsShown)
{
    startGerman(kHeader + "1245\t\u00B1Volt\n");
    const auto heard = [this](const char* name) { return heardName(find(name)); };
    entry("mnu_Use_English_0")->trigger();
    EXPECT_EQ(heardRowName(6), "\u00B1Volts");
    entry("mnu_Use_English_1")->trigger();
    EXPECT_EQ(rowName(6), "\u00B1Volt");
    EXPECT_EQ(heardRowName(6), "\u00B1Volt");
    selectFunction(MeterFunction::Tc);
    EXPECT_EQ(heardRowName(6), rowName(6));
    EXPECT_EQ(heardRowName(6), "\u00B1Degrees");
    EXPECT_EQ(heard("SpecLabel_7"), "TC Type");
}

TEST_F(LocalizationTest, LeavingNumbersModeWithoutAFileEndsInEnglish)
{
    start({}, 1033, "-l");
    EXPECT_TRUE(entry("mnuEditLocalization")->isVisible());
    entry("mnu_Disp_Ctrl_Num")->trigger();
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_TRUE(entry("mnu_Use_English_0")->isChecked() && !entry("mnu_Use_English_0")->isEnabled());
    EXPECT_EQ(rowName(1), "Test Level");
    EXPECT_EQ(caption("chk_Risetime"), "") << "the test boxes get back their own captions";
    EXPECT_EQ(caption("chk_Impedance"), "Check input impedance");
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->tabText(0), "&DMM's");
    EXPECT_EQ(entry("mnuToggle_OnTop")->text(), "Al&ways On-Top");
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
    EXPECT_EQ(english(0), "\"<1>\" cannot be entered in <2>. Nothing was pasted.");
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
    EXPECT_TRUE(fresh.model().table().textsToSave().empty());
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

// An emptied local text means the English text again: it can be saved, and
// with none left the file goes after a question.
TEST_F(LocalizationTest, EmptiedTextsAreSavedAndTheLastOneRemovesTheFile)
{
    startGerman(kHeader + "1223\t&Erstellen\n1224\tLokaler &Text\n");
    EXPECT_EQ(entry("mnu_Use_English_1")->text(), "Lokaler &Text");
    withEditor([&](gui::LocalizationEditor& editor) {
        auto* save = editor.findChild<QAbstractButton*>("cmdSave");
        emptyLocal(editor, 1224);
        EXPECT_EQ(localOf(editor, 1224), "");
        ASSERT_TRUE(save->isEnabled()) << "removing a translation is a change";
        answerer.answerMessageBoxes(QMessageBox::Ok); // overwrite
        QTest::mouseClick(save, Qt::LeftButton);
        EXPECT_EQ(test::readFile(file()), kHeader + "1223\t&Erstellen\n");
        EXPECT_EQ(entry("mnu_Use_English_1")->text(), "Display &Local Text");

        // The last one: No keeps the file, Yes deletes it.
        emptyLocal(editor, 1223);
        ASSERT_TRUE(save->isEnabled());
        answerer.answerMessageBoxes(QMessageBox::No);
        QTest::mouseClick(save, Qt::LeftButton);
        EXPECT_EQ(answerer.lastText(),
            "No local text is left. Delete the localization file and show the English "
            "texts again?");
        EXPECT_EQ(test::readFile(file()), kHeader + "1223\t&Erstellen\n");
        EXPECT_TRUE(save->isEnabled()) << "still a change to save";
        answerer.answerMessageBoxes(QMessageBox::Yes);
        QTest::mouseClick(save, Qt::LeftButton);
        EXPECT_FALSE(std::filesystem::exists(file()));
        EXPECT_FALSE(save->isEnabled());
        EXPECT_EQ(caption("Create"), "&Create") << "relabelled while the editor is open";
        editor.close();
    });
    EXPECT_EQ(answerer.pending(), 0);
    EXPECT_TRUE(entry("mnu_Use_English_0")->isChecked() && !entry("mnu_Use_English_1")->isChecked());
    EXPECT_FALSE(entry("mnu_Use_English_1")->isEnabled() || entry("mnuClear_Localization")->isEnabled());
    EXPECT_EQ(document->text(1223), "&Create");
}

// The local column sorts as German sorts; typing past the field's width
// says so.
TEST_F(LocalizationTest, LocalTextsSortAsTheLanguageDoesAndTheirLengthIsTold)
{
    startGerman(kHeader +
        "100\tZeit\n101\t\xC3\x9C"
        "bung\n200\tUhr\n201\tAbend\n");
    withEditor([&](gui::LocalizationEditor& editor) {
        QHeaderView* header = editor.grid()->horizontalHeader();
        for (int click = 0; click < 2; ++click) { // descending, then ascending
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
            settle();
        }
        QStringList last;
        const int rows = editor.grid()->model()->rowCount();
        for (int row = rows - 4; row < rows; ++row)
            last << editor.grid()->model()->index(row, 2).data().toString();
        EXPECT_EQ(last, (QStringList{"Abend", "\u00DCbung", "Uhr", "Zeit"}));

        auto* status = editor.findChild<QLabel*>("lbl_Status");
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->text(), "");
        // 127 letters and a character beyond the BMP (two UTF-16 units) fill the field.
        typeLocal(editor, 1223, QString(127, u'a'), false);
        auto* cellEditor = editor.grid()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(cellEditor, nullptr);
        const QString wrench = QString::fromUtf8("\xF0\x9F\x94\xA7");
        QTest::sendKeyEvent(QTest::Click, cellEditor, Qt::Key_unknown, wrench, Qt::NoModifier);
        EXPECT_EQ(status->text(), "");
        QTest::keyClicks(cellEditor, "bc");
        EXPECT_EQ(cellEditor->text(), QString(127, u'a') + wrench);
        EXPECT_EQ(status->text(), "A local text holds at most 128 characters.");
        QTest::keyClick(cellEditor, Qt::Key_Return);
        settle();
        EXPECT_EQ(localOf(editor, 1223), QString(127, u'a') + wrench);
        EXPECT_EQ(status->text(), "") << "the next edit clears the word";

        // A paste that would not fit is refused whole, with the same word.
        typeLocal(editor, 1224, "kurz", false);
        cellEditor = editor.grid()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(cellEditor, nullptr);
        QGuiApplication::clipboard()->setText(QString(200, u'y'));
        QTest::keyClick(cellEditor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(cellEditor->text(), "kurz");
        EXPECT_EQ(status->text(), "A local text holds at most 128 characters.");
        QTest::keyClick(cellEditor, Qt::Key_Escape);
        settle();
        answerer.answerMessageBoxes(QMessageBox::No);
        editor.close();
    });
}

// The menu tells which texts are shown, whichever locale the command line
// chose, and Clear removes the file they came from.
TEST_F(LocalizationTest, TheMenuFollowsTheFileTheTextsComeFrom)
{
    dir.write("Kestrel_1031.MDB", kHeader + "1223\t&Erstellen\n");
    start({}, 1031, "kestrel /lcid=1036");
    EXPECT_EQ(caption("Create"), "&Erstellen");
    EXPECT_TRUE(entry("mnu_Use_English_1")->isChecked() && !entry("mnu_Use_English_0")->isChecked());
    EXPECT_TRUE(entry("mnu_Use_English_0")->isEnabled() && entry("mnu_Use_English_1")->isEnabled());
    EXPECT_TRUE(entry("mnuClear_Localization")->isEnabled());
    entry("mnu_Use_English_0")->trigger();
    EXPECT_EQ(caption("Create"), "&Create");
    entry("mnu_Use_English_1")->trigger();
    EXPECT_EQ(caption("Create"), "&Erstellen");

    answerer.answerMessageBoxes(QMessageBox::Ok);
    entry("mnuClear_Localization")->trigger();
    EXPECT_FALSE(std::filesystem::exists(file()));
    EXPECT_EQ(caption("Create"), "&Create");
    EXPECT_TRUE(entry("mnu_Use_English_0")->isChecked() && !entry("mnuClear_Localization")->isEnabled());
    closeWindow();

    // A file of the command line's locale alone is not the one texts come from.
    dir.write("Kestrel_1036.MDB",
        kHeader +
            "1223\t&Cr\xC3\xA9"
            "er\n");
    start({}, 1031, "kestrel /lcid=1036");
    EXPECT_EQ(caption("Create"), "&Create");
    EXPECT_TRUE(entry("mnu_Use_English_0")->isChecked() && !entry("mnu_Use_English_1")->isEnabled());
}

// The editor's own texts have numbers, so they are translated like any other.
TEST_F(LocalizationTest, TheEditorsOwnTextsAreTranslated)
{
    startGerman(kHeader +
        "2500\tNummer\n2502\tDeutscher Text\n2503\tIn eine Tabelle exportieren\n"
        "2505\tLokalisierung exportieren\n2507\tTabulatorgetrennter Text\n");
    withEditor([&](gui::LocalizationEditor& editor) {
        const QAbstractItemModel* model = editor.grid()->model();
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Nummer");
        EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "English Text");
        EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Deutscher Text");
        auto* exportButton = editor.findChild<QAbstractButton*>("cmdExport");
        ASSERT_NE(exportButton, nullptr);
        EXPECT_EQ(exportButton->toolTip(), "In eine Tabelle exportieren");
        EXPECT_EQ(editor.findChild<QWidget*>("cmdImport")->toolTip(), "Import from a spreadsheet file (tab-separated)");

        QString title, filter;
        answerer.handleNext<QFileDialog>([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            filter = dialog.nameFilters().join(";;");
        });
        QTest::mouseClick(exportButton, Qt::LeftButton);
        EXPECT_EQ(title, "Lokalisierung exportieren");
        EXPECT_EQ(filter, "Tabulatorgetrennter Text (*.tsv *.txt);;All files (*)");
        editor.close();
    });
}

// The panes beside the pages are no frames: Display English Text relabels
// their titles, and their names with them.
TEST_F(LocalizationTest, EnglishTextRelabelsThePanes)
{
    startGerman(kHeader + "2650\tProzedurvorschau\n2750\tKalibratorabdeckung\n");
    auto* preview = find<QDockWidget>("dock_Preview");
    auto* coverage = find<QDockWidget>("dock_Coverage");
    EXPECT_EQ(preview->windowTitle(), "Prozedurvorschau");
    entry("mnu_Use_English_0")->trigger();
    EXPECT_EQ(preview->windowTitle(), "Procedure Preview");
    EXPECT_EQ(coverage->windowTitle(), "Calibrator Coverage");
    EXPECT_EQ(heardName(coverage), "Calibrator Coverage");
    entry("mnu_Use_English_1")->trigger();
    EXPECT_EQ(coverage->windowTitle(), "Kalibratorabdeckung");
}

// Display String Numbers leaves no word of either language in a tooltip or
// an accessible name: a translator finds every text by number.
TEST_F(LocalizationTest, StringNumbersReachEveryTooltipAndAccessibleName)
{
    startGerman(kHeader + "1570\tKlick mich\n2651\tDoppelklick\n2650\tProzedurvorschau\n");
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_EQ(find("Picture5")->toolTip(), "1570");
    EXPECT_EQ(find("PreviewText")->toolTip(), "2651");
    EXPECT_EQ(heardName(find("PreviewText")), "2650");
    EXPECT_EQ(find<QDockWidget>("dock_Preview")->windowTitle(), "2650");
    // A number, with the tooltip mark of a check box's own number.
    const QRegularExpression number(QStringLiteral("^ ?[0-9]+T?$"));
    for (QWidget* control : window->findChildren<QWidget*>()) {
        // Qt's own parts (a tab bar's scroll arrows) carry Qt's texts.
        if (control->objectName().isEmpty() || control->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<QTabBar*>(control->parentWidget()))
            continue;
        const QString tip = control->toolTip();
        const QString named = control->accessibleName();
        EXPECT_TRUE(tip.isEmpty() || number.match(tip).hasMatch())
            << control->objectName().toStdString() << " tooltip \"" << tip.toStdString() << "\"";
        EXPECT_TRUE(named.isEmpty() || number.match(named).hasMatch())
            << control->objectName().toStdString() << " named \"" << named.toStdString() << "\"";
    }
    entry("mnu_Disp_Ctrl_Num")->trigger();
    EXPECT_EQ(find("Picture5")->toolTip(), "Klick mich");
    EXPECT_EQ(heardName(find("PreviewText")), "Prozedurvorschau");
}

// With the German texts that ship, each access key of the main window and of
// its menu is given once.
TEST_F(LocalizationTest, TheShippedGermanGivesEachAccessKeyOnce)
{
    std::ifstream in(KESTREL_SOURCE_DIR "/data/localization/Kestrel_1031.MDB", std::ios::binary);
    std::ostringstream german;
    german << in.rdbuf();
    startGerman(german.str());
    const auto keyOf = [](const QString& caption) {
        for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != u'&')
                continue;
            if (caption[i + 1] != u'&')
                return caption[i + 1].toLower();
            ++i;
        }
        return QChar();
    };
    const auto expectOnce = [&](const QStringList& captions, const char* where) {
        QHash<QChar, QString> seen;
        for (const QString& caption : captions) {
            const QChar key = keyOf(caption);
            if (key.isNull())
                continue;
            EXPECT_FALSE(seen.contains(key))
                << where << ": \"" << caption.toStdString() << "\" and \"" << seen.value(key).toStdString() << "\"";
            seen.insert(key, caption);
        }
    };
    QStringList window;
    for (QAbstractButton* button : this->window->findChildren<QAbstractButton*>())
        window << button->text();
    for (QTabWidget* tabs : this->window->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            window << tabs->tabText(i);
    expectOnce(window, "the main window");
    QStringList menu;
    for (QAction* action : find<QMenu>("mnuPopup")->actions())
        if (action->isVisible())
            menu << action->text();
    expectOnce(menu, "the menu");
}

} // namespace
} // namespace kestrel::test
