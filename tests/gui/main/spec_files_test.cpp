// Specification files in the window: open, change, save and quit with the
// question about unsaved changes; a file that cannot be read changes nothing.
#include "support/random_specification.h"
#include "support/window_fixture.h"

#include "core/app/spec_diff.h"
#include "core/app/spec_file.h"
#include "core/spec/samples.h"

#include "core/app/open_spec_file.h"
#include "core/base/text_util.h"
#include "gui/common/file_paths.h"
#include "gui/main/secondary_windows.h"
#include "gui/main/spec_file_commands.h"
#include "gui/wizard/connection_wizard.h"
#include "support/recording_sink.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>

#include <random>
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
    // Cells read under a comma locale are held as the file writes them.
    EXPECT_EQ(inputs().meter.table(MeterFunction::Dcv).cell(0, 0), "1.5");
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

void clickHeaderButton(gui::MainWindow& window, int column)
{
    auto* header = window.grid()->specHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->buttonRect(column).center());
    WindowTest::settle();
}

// A translation of the wizard's prompt longer than a DISP line: DISP and
// OK without typing, then Save, must give a file that opens again (the
// prompt once became the instruction, and Open refused the whole file).
TEST_F(SpecFilesTest, TheWizardsLongPromptNeverReachesTheFile)
{
    const std::string prompt = "Geben Sie hier den Text ein, den der Bediener bei diesem Schritt sieht";
    dir.write("Kestrel_1031.MDB", "Kestrel localization 1\n1243\t" + prompt + "\n");
    start({}, 1031);
    new gui::SecondaryWindows(*window);
    typeInCell(0, 0, "2");
    typeInCell(0, 1, "20");
    typeInCell(0, 2, "200");
    answerer.handleNext<gui::ConnectionWizard>([&](gui::ConnectionWizard& wizard) {
        auto* text = wizard.findChild<QPlainTextEdit*>("ConnectionText");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->placeholderText().toStdString(), prompt);
        QTest::mouseClick(wizard.findChild<QRadioButton*>("opt_Which_1"), Qt::LeftButton);
        QTest::mouseClick(wizard.findChild<QPushButton*>("cmd_OK"), Qt::LeftButton);
    });
    clickHeaderButton(*window, 2);
    ASSERT_EQ(inputs().connections.size(), 1u);

    const auto path = dir.path() / "prompt.kestrel.json";
    ASSERT_TRUE(document->saveAs(QString::fromStdString(path.string())));
    const OpenedSpecFile opened = readSpecFileAt(path, ",");
    ASSERT_TRUE(opened.inputs) << opened.reason;
    EXPECT_EQ(opened.inputs->connections.records(),
        (std::vector<ConnectionRecord>{{MeterFunction::Dcv, 2, std::nullopt, ""}}));
    EXPECT_EQ(answerer.texts(), QStringList{});
}

// A document holding what no file may hold (here put in by the undo
// step the wizard's OK makes, with no wizard to check it) is not saved:
// the message names the field in the reader's words and the old file stays.
TEST_F(SpecFilesTest, SaveRefusesWhatOpenWouldRefuseAndKeepsTheOldFile)
{
    start();
    const auto path = dir.write("kept.kestrel.json", sampleFile("orvik28"));
    ASSERT_TRUE(window->openFile(QString::fromStdString(path.string())));
    ConnectionStore records = inputs().connections;
    records.append({MeterFunction::Tc, 1, std::nullopt, "fits\r\n" + std::string(57, 'x')});
    document->setConnections(records);

    answerer.answerMessageBoxes(QMessageBox::Ok);
    shortcut(Qt::CTRL | Qt::Key_S);
    ASSERT_EQ(answerer.texts().size(), 1);
    const std::string message = answerer.texts()[0].toStdString();
    EXPECT_TRUE(message.starts_with("Could not save ")) << message;
    EXPECT_NE(message.find("The file would not open again, so the old file was kept."), std::string::npos) << message;
    const std::string field =
        "connections[" + std::to_string(records.size() - 1) + "].text: line 2 is longer than 56 characters";
    EXPECT_NE(message.find(field), std::string::npos) << message;
    EXPECT_EQ(readFile(path), sampleFile("orvik28"));
    EXPECT_TRUE(window->isWindowModified());
    // Once the record is undone the file is saved.
    shortcut(Qt::CTRL | Qt::Key_Z);
    shortcut(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(answerer.texts().size(), 1);
    EXPECT_FALSE(window->isWindowModified());
}

// A specification file named with the most bytes a name may have, in
// ASCII and in two-byte characters, is saved and opened again.
TEST_F(SpecFilesTest, TheLongestNamesAreSavedAndOpened)
{
    start();
    typeInCell(0, 0, "2");
    std::string wide = "ww"; // 242 bytes with the "ö"s
    while (wide.size() < 255 - std::string(".kestrel.json").size())
        wide += "\xC3\xB6"; // "ö"
    for (const std::string& stem : {std::string(242, 's'), wide}) {
        const std::string name = stem + ".kestrel.json";
        ASSERT_EQ(name.size(), 255u);
        const QString path = QString::fromStdString((dir.path() / name).string());
        if (beyondPathLimit(gui::filesystemPath(path)))
            GTEST_SKIP() << "the path is longer than this system's programs may reach";
        ASSERT_TRUE(document->saveAs(path));
        ASSERT_TRUE(window->openFile(path));
        EXPECT_EQ(cell(0, 0), "2");
    }
    EXPECT_EQ(answerer.texts(), QStringList{});
}

// Random documents built with the window's commands, with the wizard
// given hostile texts (a line too long, a control character, an invisible
// one, a translated prompt too long for a line): each saves, and opens
// again holding exactly what the window held.
TEST_F(SpecFilesTest, EveryDocumentTheWindowBuildsSavesAndOpensAgain)
{
    const std::string prompt(60, 'p');
    dir.write("Kestrel_1031.MDB", "Kestrel localization 1\n1243\t" + prompt + "\n");
    start({}, 1031);
    RandomSpecification random(3120);
    std::mt19937 pick(3120);
    const QString hostile[] = {QStringLiteral("Connect the leads"), QString(57, u'x'), QStringLiteral("a\u001Bb"),
        QStringLiteral("zero\u200Bwidth"), QStringLiteral("two\nlines"), QString()};
    const auto blank = dir.write("blank.kestrel.json", writeSpecFile(ProcedureInputs{}));
    const auto path = dir.path() / "random.kestrel.json";
    const std::string separator = document->decimalSeparator();
    int accepted = 0, refused = 0; // by the wizard's OK
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(document->open(QString::fromStdString(blank.string())));
        const ProcedureInputs in = random.make();
        document->setPage(in.page);
        document->editIdentity([&](ProcedureIdentity& id) { id = in.identity; });
        document->editOptions([&](ProcedureOptions& o) { o = in.options; });
        document->editScope([&](ScopeInputs& s) { s = in.scope; });
        document->selectReference(in.selections.reference);
        document->selectTcType(in.selections.tcType);
        document->selectRtdType(in.selections.rtdType);
        document->selectTempScale(in.selections.tempScale);
        for (const MeterFunction f : kAllFunctions) {
            document->setCurrentFunction(f);
            std::vector<gui::CellChange> cells;
            for (int r = 0; r < functionInfo(f).rows; ++r)
                for (int c = 0; c < kColumnCount; ++c)
                    if (const std::string& text = in.meter.table(f).cell(r, c); !text.empty())
                        cells.push_back({r, c, "", text});
            document->setCells("cells", cells);
        }
        document->setConnections(in.connections);

        // The wizard as the column header opens it, on a copy of the records.
        const MeterFunction function = kAllFunctions[pick() % kAllFunctions.size()];
        const int column = static_cast<int>(pick() % kColumnCount);
        ConnectionStore records = inputs().connections;
        RecordingSink wizardSink;
        gui::ConnectionWizard wizard(document->texts(), wizardSink, QString(), records, function, column, QString());
        wizard.show();
        settle();
        QTest::mouseClick(wizard.findChild<QRadioButton*>("opt_Which_1"), Qt::LeftButton);
        auto* text = wizard.findChild<QPlainTextEdit*>("ConnectionText");
        if (const QString& paste = hostile[pick() % std::size(hostile)]; !paste.isEmpty()) {
            text->selectAll();
            text->insertPlainText(paste);
        }
        QTest::mouseClick(wizard.findChild<QPushButton*>("cmd_OK"), Qt::LeftButton);
        if (wizard.result() == QDialog::Accepted) {
            document->setConnections(records);
            ++accepted;
        } else {
            EXPECT_EQ(wizardSink.messages.size(), 1u);
            ++refused;
        }

        const ProcedureInputs built = inputs();
        const std::string problem = writtenSpecFileProblem(writeSpecFile(built), separator);
        ASSERT_EQ(problem, ""); // else Save would refuse with a message box
        ASSERT_TRUE(document->saveAs(QString::fromStdString(path.string())));
        ASSERT_TRUE(document->open(QString::fromStdString(path.string())));
        for (const SpecChange& change : diffSpecifications(built, inputs()))
            ADD_FAILURE() << change.path << ": " << specValueLiteral(change.before) << " -> "
                          << specValueLiteral(change.after);
    }
    EXPECT_GT(accepted, 5);
    EXPECT_GT(refused, 2);
    EXPECT_EQ(answerer.texts(), QStringList{});
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
