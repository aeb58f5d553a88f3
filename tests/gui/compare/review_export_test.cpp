// Export review in the compare window: the report it writes for the two
// files on show is the one kestrel-cli report writes for them, as HTML or
// as a PDF of a few A4 pages, and a target that cannot be written is said
// in a message box with the window left as it was.
#include "support/window_fixture.h"

#include "cli/run.h"
#include "core/app/spec_file.h"
#include "core/base/locale_database.h"
#include "core/spec/samples.h"
#include "gui/common/status_line.h"
#include "gui/compare/compare_window.h"
#include "gui/compare/review_export.h"
#include "gui/main/secondary_windows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLocale>
#include <QRegularExpression>
#include <QTableWidget>

#include <fstream>
#include <sstream>

namespace kestrel::test {
namespace {

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ReviewExportTest : public WindowTest {
protected:
    // The window on a file of the orvik28 sample compared through the menu
    // with the same sample changed in two cells. The user's own locale, so
    // that the command line, which reads it, makes the same procedures.
    gui::CompareWindow* compare()
    {
        start({}, platformUserDefaultLcid());
        new gui::SecondaryWindows(*window);
        ProcedureInputs sample;
        loadSample(*findSample("orvik28"), sample, EnglishLookup{});
        mine = dir.write("mine.kestrel.json", writeSpecFile(sample));
        sample.meter.table(MeterFunction::Tc).setCell(0, 1, "100.0");
        sample.meter.table(MeterFunction::Tc).setCell(2, 2, "0.08");
        theirs = dir.write("theirs.kestrel.json", writeSpecFile(sample));
        EXPECT_TRUE(window->openFile(QString::fromStdString(mine.string())));
        answerer.handleNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(theirs.string()));
            static_cast<QDialog*>(dialog)->accept();
        });
        find<QAction>("mnuCompare")->trigger();
        settle();
        return window->findChild<gui::CompareWindow*>("frm_Compare");
    }

    // Arranges the answer of the save dialog Export review opens: the
    // filter and the file chosen there. Records the filters offered.
    void chooseInSaveDialog(const QString& filter, const std::filesystem::path& file)
    {
        answerer.handleNextModal([this, filter, file](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            offered = dialog->nameFilters();
            dialogTitle = dialog->windowTitle();
            dialog->selectNameFilter(filter);
            dialog->selectFile(QString::fromStdString(file.string()));
            static_cast<QDialog*>(dialog)->accept();
        });
    }

    // What kestrel-cli report writes as HTML for the two files.
    std::string commandLineReport()
    {
        const std::filesystem::path out = dir.path() / "cli.html";
        std::ostringstream stdOut, stdErr;
        const int status = cli::run(
            {"report", mine.string(), theirs.string(), "--html", out.string(), "--config-dir", dir.path().string()},
            stdOut, stdErr);
        EXPECT_EQ(status, 0) << stdErr.str();
        return fileText(out);
    }

    std::filesystem::path mine, theirs;
    QStringList offered;
    QString dialogTitle;
};

// The pages of a PDF, counted by their page objects.
int pdfPages(const std::string& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size())).count(page));
}

TEST_F(ReviewExportTest, WritesTheCommandLinesReportAsHtmlAndAsPdf)
{
    gui::CompareWindow* shown = compare();
    ASSERT_NE(shown, nullptr);
    auto* button = shown->findChild<QAbstractButton*>("cmd_ExportReview");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "&Export review…");
    EXPECT_EQ(button->accessibleName(), "Export review…");

    // HTML through the button: the same bytes as the command line's.
    const std::filesystem::path html = dir.path() / "review.html";
    chooseInSaveDialog("HTML page (*.html)", html);
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    EXPECT_EQ(dialogTitle, "Export Review Report");
    EXPECT_EQ(offered, (QStringList{"HTML page (*.html)", "PDF document (*.pdf)"}));
    ASSERT_TRUE(std::filesystem::exists(html));
    const std::string written = fileText(html);
    EXPECT_EQ(written, commandLineReport());
    EXPECT_NE(written.find("meter.functions.tc[1].range"), std::string::npos);

    // PDF through Ctrl+E, the name given without its ending: a PDF of a
    // few pages.
    chooseInSaveDialog("PDF document (*.pdf)", dir.path() / "review");
    QApplication::setActiveWindow(shown);
    shown->changeList()->setFocus();
    QTest::keyClick(shown->changeList(), Qt::Key_E, Qt::ControlModifier);
    settle();
    const std::string pdf = fileText(dir.path() / "review.pdf");
    ASSERT_GE(pdf.size(), 5u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_GE(pdfPages(pdf), 1);
    EXPECT_LE(pdfPages(pdf), 3);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(answerer.texts().isEmpty()) << answerer.lastText().toStdString();
}

TEST_F(ReviewExportTest, AnUnwritableTargetIsSaidAndNothingIsLost)
{
    gui::CompareWindow* shown = compare();
    ASSERT_NE(shown, nullptr);
    // A folder in the way of the file, for the HTML and for the PDF.
    const std::filesystem::path folder = dir.path() / "taken.html";
    std::filesystem::create_directories(folder / "inside");
    for (const std::filesystem::path& target : {folder, dir.path() / "taken.pdf"}) {
        std::filesystem::create_directories(dir.path() / "taken.pdf" / "inside");
        answerer.answerMessageBoxes(QMessageBox::Ok);
        EXPECT_FALSE(shown->exportReviewTo(QString::fromStdString(target.string())));
        EXPECT_TRUE(answerer.lastText().startsWith(
            QStringLiteral("The review report was not written to ") + QString::fromStdString(target.string())))
            << answerer.lastText().toStdString();
        EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    }
    EXPECT_EQ(answerer.texts().size(), 2);
    EXPECT_TRUE(shown->isVisible());

    // The window goes on: the next export writes.
    chooseInSaveDialog("HTML page (*.html)", dir.path() / "after.html");
    QTest::mouseClick(shown->findChild<QAbstractButton*>("cmd_ExportReview"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "after.html"));
}

TEST_F(ReviewExportTest, UnsavedChangesAreNoFileToReport)
{
    start({}, platformUserDefaultLcid());
    ProcedureInputs sample;
    loadSample(*findSample("orvik28"), sample, EnglishLookup{});
    const QString other = QString::fromStdString(dir.write("other.kestrel.json", writeSpecFile(sample)).string());
    // The document was never saved: no file on the left (and, empty, no
    // procedure, which Create says).
    answerer.answerMessageBoxes(QMessageBox::Ok);
    gui::CompareWindow* shown = gui::openCompareWindow(*document, other, window.get());
    ASSERT_NE(shown, nullptr);
    answerer.answerMessageBoxes(QMessageBox::Ok);
    QTest::mouseClick(shown->findChild<QAbstractButton*>("cmd_ExportReview"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(answerer.lastText().startsWith("Save the specification first")) << answerer.lastText().toStdString();
    EXPECT_EQ(answerer.pending(), 0);
}

// The paper: Letter for the United States, A4 elsewhere.
TEST(ReviewPaper, IsLetterOnlyWhereTheLocaleMeasuresInUsUnits)
{
    EXPECT_EQ(gui::reviewPageSize(QLocale(QLocale::English, QLocale::UnitedStates)).id(), QPageSize::Letter);
    EXPECT_EQ(gui::reviewPageSize(QLocale(QLocale::English, QLocale::UnitedKingdom)).id(), QPageSize::A4);
    EXPECT_EQ(gui::reviewPageSize(QLocale(QLocale::German, QLocale::Germany)).id(), QPageSize::A4);
}

} // namespace
} // namespace kestrel::test
