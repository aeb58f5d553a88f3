// Specification files in the window: open, change, save and quit with the
// question about unsaved changes; a file that cannot be read changes nothing.
#include "support/random_specification.h"
#include "support/window_fixture.h"

#include "core/app/spec_diff.h"
#include "core/app/spec_file.h"
#include "core/spec/samples.h"

#include "gui/common/file_paths.h"
#include "gui/main/spec_file_commands.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTabWidget>

#include <thread>

namespace kestrel::test {
namespace {

using SpecFilesTest = WindowTest;

std::string sampleFile(std::string_view name)
{
    ProcedureInputs in;
    const SampleDefinition* sample = findSample(name);
    EXPECT_NE(sample, nullptr) << name; // and the file holds no meter
    if (sample)
        loadSample(*sample, in, EnglishLookup{});
    return writeSpecFile(in);
}

TEST_F(SpecFilesTest, OpenModifySaveAndQuitAsking)
{
    start();
    const auto path = dir.write("orvik28.kestrel.json", sampleFile("orvik28"));
    ASSERT_TRUE(window->openFile(QString::fromStdString(path.string())));
    EXPECT_EQ(window->windowTitle(), "orvik28.kestrel.json[*] - Kestrel");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(find<QLineEdit>("ProcName")->text(), "Orvik model 28 Digital Thermometer");
    EXPECT_EQ(find<QComboBox>("TCtypes")->currentText(), "K");
    EXPECT_EQ(document->currentFunction(), MeterFunction::Tc); // the function the file specifies

    typeInCell(0, 4, "1300");
    EXPECT_TRUE(window->isWindowModified());

    // Cancel keeps the window open with the change.
    answerer.answerMessageBoxes(QMessageBox::Cancel);
    window->close();
    settle();
    ASSERT_EQ(answerer.texts(), QStringList{"Save changes before exiting?"});
    EXPECT_TRUE(window->isVisible());

    // Ctrl+S writes the file in place; the title loses its mark.
    shortcut(Qt::CTRL | Qt::Key_S);
    EXPECT_FALSE(window->isWindowModified());
    const SpecFileResult saved = readSpecFile(readFile(path), ".");
    ASSERT_TRUE(saved.inputs) << saved.error;
    EXPECT_EQ(saved.inputs->meter.table(MeterFunction::Tc).cell(0, 4), "1300");
    EXPECT_EQ(readFile(path), writeSpecFile(inputs()));
    // The recent-files menu names it first.
    const QList<QAction*> recent = find<QAction>("mnuRecent")->menu()->actions();
    ASSERT_FALSE(recent.isEmpty());
    EXPECT_EQ(gui::filesystemPath(QDir::fromNativeSeparators(recent.front()->toolTip())), path);

    // A change after saving: No quits without saving it, and the defaults are saved.
    typeInCell(0, 5, "1400");
    closeWindow(QMessageBox::No);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(iniValue("ProcName"), "Orvik model 28 Digital Thermometer");
    EXPECT_EQ(readSpecFile(readFile(path), ".").inputs->meter.table(MeterFunction::Tc).cell(0, 5), "");
}

TEST_F(SpecFilesTest, AnInvalidFileIsReportedWithItsKeyPathAndChangesNothing)
{
    start();
    typeInCell(0, 0, "2");
    std::string broken = sampleFile("agilent34401");
    broken.replace(broken.find("\"100.0000m\""), 11, "\"1m00\"");
    const auto path = dir.write("broken.kestrel.json", broken);

    answerer.answerMessageBoxes(QMessageBox::No); // do not save the "2" first
    answerer.answerMessageBoxes(QMessageBox::Ok);
    EXPECT_FALSE(window->openFile(QString::fromStdString(path.string())));
    ASSERT_EQ(answerer.texts().size(), 2);
    EXPECT_TRUE(answerer.texts()[1].contains("meter.functions.dcv[0].range")) << answerer.texts()[1].toStdString();
    EXPECT_EQ(cell(0, 0), "2");
    EXPECT_EQ(window->windowTitle(), "Kestrel[*]");
}

// Two instruction records for one column are both left out, as Create
// leaves them out; the file opens as it is and one box names them.
TEST_F(SpecFilesTest, ClashingInstructionRecordsAreNamedOnOpen)
{
    start();
    const auto path = dir.write("clash.kestrel.json", R"({"meter": {"reference": "7300",
        "functions": {"dcv": [{"range": "1"}], "acv": [{"range": "2"}]}}, "connections": [
        {"function": "dcv", "column": 0, "text": "red"}, {"function": "DCV", "column": 0, "text": "black"},
        {"function": "acv", "column": 0, "text": "a"}, {"function": "acv", "column": 0, "text": "b"}]})");
    answerer.answerMessageBoxes(QMessageBox::Ok);
    ASSERT_TRUE(window->openFile(QString::fromStdString(path.string())));
    ASSERT_EQ(answerer.texts().size(), 1) << answerer.texts().join(" | ").toStdString();
    EXPECT_EQ(answerer.texts()[0],
        "connections[0] and connections[1] are instructions for the same function and column (dcv column 0); none "
        "of them is used.\nconnections[2] and connections[3] are instructions for the same function and column "
        "(acv column 0); none of them is used.");
    EXPECT_EQ(inputs().connections.size(), 4u) << "the file is kept as it is";
    EXPECT_EQ(window->windowTitle(), "clash.kestrel.json[*] - Kestrel");
}

// What is not a regular file is refused before anything is read, with the
// reader's own words (every kind it refuses: spec_file_test).
TEST_F(SpecFilesTest, AFolderIsNotOpened)
{
    start();
    answerer.answerMessageBoxes(QMessageBox::Ok);
    EXPECT_FALSE(window->openFile(QString::fromStdString(dir.path().string())));
    ASSERT_EQ(answerer.texts().size(), 1);
    EXPECT_TRUE(answerer.texts()[0].contains("is a folder, not a file")) << answerer.texts()[0].toStdString();
    EXPECT_EQ(window->windowTitle(), "Kestrel[*]");
}

TEST_F(SpecFilesTest, AScopeFileOpensOnTheScopesPage)
{
    start({}, 1031);
    ProcedureInputs scope;
    scope.page = Page::Scope;
    scope.scope.reference = 3;
    scope.meter.table(MeterFunction::Dcv).setCell(0, 0, "1.5");
    const auto path = dir.write("scope.kestrel.json", writeSpecFile(scope));
    ASSERT_TRUE(window->openFile(QString::fromStdString(path.string())));
    EXPECT_EQ(find<QTabWidget>("Main_TabStrip")->currentIndex(), 1);
    EXPECT_EQ(find<QComboBox>("ScopeReference")->currentText(), "7320 - 600 Mhz");
    // Cells read under a comma locale use its separator.
    EXPECT_EQ(inputs().meter.table(MeterFunction::Dcv).cell(0, 0), "1,5");
}

// Showing a file must not change it: every random file opens unmodified,
// holding exactly what it was written with (a Go-No-Go file keeps its
// readings count, which the data-entry rule would otherwise clear).
TEST_F(SpecFilesTest, EveryFileOpensAsItWasWritten)
{
    start();
    RandomSpecification random(2417);
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        ProcedureInputs in = random.make();
        if (i == 0) {
            in.options.dataEntry = DataEntry::GoNoGo;
            in.options.measurements = 5;
        }
        const auto path = dir.write("random.kestrel.json", writeSpecFile(in));
        ASSERT_TRUE(window->openFile(QString::fromStdString(path.string())));
        settle();
        for (const SpecChange& change : diffSpecifications(in, inputs()))
            ADD_FAILURE() << change.path << ": " << specValueLiteral(change.before) << " -> "
                          << specValueLiteral(change.after);
        ASSERT_FALSE(document->isModified()) << document->undoStack().undoText().toStdString();
    }
}

// Two instances opening files at the same moment: each reads the list,
// adds its file and writes the list back, and neither entry is lost.
TEST(RecentFiles, TwoInstancesAddingAtOnceKeepBothEntries)
{
    ScratchDir dir;
    const QString list = QString::fromStdString((dir / "Kestrel-recent.ini").string());
    for (int round = 0; round < 20; ++round) {
        const QString a = QStringLiteral("/a/%1.kestrel.json").arg(round);
        const QString b = QStringLiteral("/b/%1.kestrel.json").arg(round);
        std::thread first([&] { gui::SpecFileCommands::addRecentFile(list, a); });
        std::thread second([&] { gui::SpecFileCommands::addRecentFile(list, b); });
        first.join();
        second.join();
        const QStringList files = QSettings(list, QSettings::IniFormat).value("RecentFiles/files").toStringList();
        EXPECT_TRUE(files.contains(a) && files.contains(b))
            << "round " << round << ": " << files.join(", ").toStdString();
    }
}

} // namespace
} // namespace kestrel::test
