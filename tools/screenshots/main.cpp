// Renders the procedure viewer (highlighting on), the connection wizard, the
// help viewer and the accuracy-file viewer against the demo Tessel
// installation, and the localization editor of a German translator, each
// to a PNG file; the compare window with two cells of a sample changed
// and a column put in; and the main window's pages as the user guide walks
// through them (guide-*.png).
//   kestrel-screenshots DEMO_TESSEL_DIR OUTPUT_DIR
#include "core/app/create.h"
#include "core/app/session.h"
#include "core/base/text_util.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/samples.h"
#include "gui/common/caption_fitting.h"
#include "gui/compare/compare_window.h"
#include "gui/compare/side_by_side_panes.h"
#include "gui/document/document.h"
#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"
#include "gui/localization/localization_editor.h"
#include "gui/main/main_window.h"
#include "gui/viewer/procedure_viewer.h"
#include "gui/wizard/connection_wizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

using namespace kestrel;

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget& window, const QString& file)
{
    settle();
    const bool saved = window.grab().save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    return saved;
}

// A translator's first German texts.
constexpr const char* kGermanTexts = "Kestrel localization 1\n"
                                     "100\t&Multimeter\n"
                                     "101\t&Oszilloskope\n"
                                     "200\tSpezifikationen\n"
                                     "201\tAnschluss\n"
                                     "202\tOptionen\n"
                                     "210\tBild\n"
                                     "211\tText\n"
                                     "212\tKalibrator\n"
                                     "213\tBeispiele\n"
                                     "214\tBei Bedarf FUNKTIONS-Meldungen einf\xC3\xBCgen\n"
                                     "216\t&Bild\n"
                                     "217\t&Text\n"
                                     "218\tPr\xC3\xBC"
                                     "fanweisung\n"
                                     "219\tAutor\n"
                                     "220\tRevision\n"
                                     "224\tFenster nach dem Test\n"
                                     "225\tBei &Fehler zeigen\n";

// A settings folder whose tessel.ini names the demo installation.
void writeTesselIni(const QDir& demo, const QTemporaryDir& config)
{
    std::ifstream in(demo.filePath(QStringLiteral("tessel.ini.in")).toStdString());
    std::stringstream tessel;
    tessel << in.rdbuf();
    std::ofstream(QDir(config.path()).filePath(QStringLiteral("tessel.ini")).toStdString())
        << replaceAll(tessel.str(), "@TESSEL_DIR@", demo.absolutePath().toStdString());
}

// The 4919 sample beside a copy with a range and an accuracy changed and
// a column of AC volts put in.
bool compareWindow(const QDir& demo, const QString& file)
{
    QTemporaryDir config;
    writeTesselIni(demo, config);
    SilentSink sink;
    gui::Document document(startUp(StartUpSwitches{}, {1033, 1033, config.path().toStdString(), {}}, sink));
    ProcedureInputs left;
    loadSample(*findSample("orvik4919"), left, document.texts());
    left.headerDate = "05-Dec-26";
    ProcedureInputs right = left;
    right.meter.table(MeterFunction::Dcv).setCell(0, 1, "400.00m");
    right.meter.table(MeterFunction::Dcv).setCell(2, 2, "0.015");
    SpecTable& acv = right.meter.table(MeterFunction::Acv);
    for (int c = kColumnCount - 1; c > 1; --c)
        for (int row = 0; row < acv.rows(); ++row)
            acv.setCell(row, c, acv.cell(row, c - 1));
    for (int row = 0; row < acv.rows(); ++row)
        acv.setCell(row, 1, row == 0 ? "2.0000" : row == 1 ? "1.5" : row == 2 ? "0.5" : row == 8 ? "1K" : "");
    gui::CompareWindow window(document, {QStringLiteral("orvik4919.kestrel.json"), left, {}},
        {QStringLiteral("orvik4919-new.kestrel.json"), right, {}}, nullptr);
    window.resize(1180, 680);
    window.show();
    settle();
    window.changeList()->selectRow(0);
    return save(window, file);
}

// The editor as a German translator sees it, over a window started under
// the German language with a few texts translated.
bool localizationEditor(const QDir& demo, const QString& file)
{
    QTemporaryDir config;
    writeTesselIni(demo, config);
    std::ofstream(QDir(config.path()).filePath(QStringLiteral("Kestrel_1031.MDB")).toStdString()) << kGermanTexts;

    SilentSink sink;
    gui::Document document(startUp(StartUpSwitches{}, {1031, 1031, config.path().toStdString(), {}}, sink));
    gui::MainWindow window(document);
    gui::LocalizationEditor editor(document, &window);
    editor.resize(720, 460);
    editor.show();
    settle();
    QTableView* grid = editor.grid();
    grid->setCurrentIndex(grid->model()->index(17, 2));
    return save(editor, file);
}

// The main window with the 34401 sample open, on the page and tab the
// user guide's step shows; `edit` fills in what the step has the user type.
bool mainWindowPage(
    const QDir& demo, int pageTab, int meterTab, const std::function<void(gui::Document&)>& edit, const QString& file)
{
    QTemporaryDir config;
    writeTesselIni(demo, config);
    SilentSink sink;
    gui::Document document(startUp(StartUpSwitches{}, {1033, 1033, config.path().toStdString(), {}}, sink));
    gui::MainWindow window(document);
    window.openFile(
        QDir(demo.filePath(QStringLiteral("../samples"))).filePath(QStringLiteral("agilent34401.kestrel.json")));
    edit(document);
    window.show();
    settle();
    window.findChild<QTabWidget*>(QStringLiteral("Main_TabStrip"))->setCurrentIndex(pageTab);
    window.findChild<QTabWidget*>(QStringLiteral("Meter_TabStrip"))->setCurrentIndex(meterTab);
    return save(window, file);
}

bool guidePages(const QDir& demo, const QDir& out)
{
    constexpr int kDmmPage = 0, kScopesPage = 1, kSpecificationsTab = 0, kConnectionTab = 1, kOptionsTab = 2;
    const auto nothing = [](gui::Document&) {};
    bool ok =
        mainWindowPage(demo, kDmmPage, kSpecificationsTab, nothing, out.filePath(QStringLiteral("guide-dmm.png")));
    ok &= mainWindowPage(
        demo, kDmmPage, kOptionsTab,
        [](gui::Document& document) {
            document.editIdentity([](ProcedureIdentity& identity) {
                identity.name = "Agilent 34401 with the 7600";
                identity.author = "J. Smith";
                identity.revision = "A";
            });
        },
        out.filePath(QStringLiteral("guide-options.png")));
    ok &= mainWindowPage(
        demo, kDmmPage, kConnectionTab,
        [](gui::Document& document) {
            ConnectionStore records;
            records.append({MeterFunction::Dcv, 0, std::string("dmm_dcv.bmp"),
                std::string("Connect the calibrator output to the V-Ohm\r\nand COM inputs of the UUT.")});
            document.setConnections(records);
        },
        out.filePath(QStringLiteral("guide-connection.png")));
    ok &= mainWindowPage(
        demo, kScopesPage, kSpecificationsTab,
        [](gui::Document& document) {
            // A calibrator that measures input impedance, with the risetime
            // and impedance tests ticked as a click ticks them.
            document.editScope([](ScopeInputs& scope) {
                selectScopeReference(scope, 4); // "7320 - 1.1 Ghz"
                setRisetimeTest(scope, true);
                scope.risetime = "2";
                setImpedanceTest(scope, true);
            });
        },
        out.filePath(QStringLiteral("guide-scopes.png")));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kestrel::gui::useFittingCaptions(app);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrel-screenshots DEMO_TESSEL_DIR OUTPUT_DIR\n");
        return 2;
    }
    const QDir demo(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    // The help viewer keeps its place in the user's settings: not here.
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());

    const EnglishLookup texts;
    SilentSink sink;
    ViewerState state;
    const gui::ViewerContext context{
        texts, sink, demo.filePath(QStringLiteral("help")), demo.filePath(QStringLiteral("acc")), state};
    bool ok = true;

    ProcedureInputs inputs;
    loadSample(*findSample("orvik4919"), inputs, texts);
    inputs.headerDate = "05-Dec-26";
    const CreateResult created = createProcedure(inputs, texts, sink);
    {
        gui::ProcedureViewer viewer(context, created.text, inputs.selections.reference, false);
        viewer.resize(viewer.width(), 560);
        viewer.show();
        settle();
        viewer.setFirstVisibleLine(14);
        QTextCursor caret(viewer.textBox()->document()->findBlockByNumber(22));
        viewer.textBox()->setTextCursor(caret);
        viewer.findChild<QCheckBox*>(QStringLiteral("chk_Colorize"))->setChecked(true);
        ok &= save(viewer, out.filePath(QStringLiteral("viewer.png")));
    }
    {
        ConnectionStore records;
        records.append({MeterFunction::Dcv, 0, std::string("dmm_dcv.bmp"),
            std::string("Connect the calibrator output to the V-Ohm\r\n"
                        "and COM inputs of the UUT.\r\nSelect DC volts, auto range.")});
        gui::ConnectionWizard wizard(texts, sink, demo.filePath(QStringLiteral("pics")), records, MeterFunction::Dcv, 0,
            QStringLiteral("PIC & DISP Wizard 2.0000V range"));
        wizard.show();
        ok &= save(wizard, out.filePath(QStringLiteral("wizard.png")));
    }
    {
        state.viewerFile = "7300.hlp";
        gui::HelpViewer help(context);
        help.resize(680, 460);
        help.show();
        ok &= save(help, out.filePath(QStringLiteral("help.png")));
    }
    {
        state.viewerFile = "7320.acc";
        gui::AccuracyFileViewer accuracy(context);
        accuracy.resize(680, 360);
        accuracy.show();
        ok &= save(accuracy, out.filePath(QStringLiteral("accuracy.png")));
    }
    ok &= localizationEditor(demo, out.filePath(QStringLiteral("localization-editor.png")));
    ok &= compareWindow(demo, out.filePath(QStringLiteral("compare.png")));
    ok &= guidePages(demo, out);
    return ok ? 0 : 1;
}
