// Renders the procedure viewer (highlighting on), the connection wizard, the
// help viewer and the accuracy-file viewer against the demo Tessel
// installation, each to a PNG file.
//   kestrel-screenshots DEMO_TESSEL_DIR OUTPUT_DIR
#include "core/app/create.h"
#include "core/spec/samples.h"
#include "gui/accuracy_file_viewer.h"
#include "gui/connection_wizard.h"
#include "gui/help_viewer.h"
#include "gui/procedure_viewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>

#include <cstdio>

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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
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
    const gui::ViewerContext context{texts, sink, demo.filePath(QStringLiteral("help")),
                                     demo.filePath(QStringLiteral("acc")), state};
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
        records.append({"dcv", "0", std::string("dmm_dcv.bmp"),
                        std::string("Connect the calibrator output to the V-Ohm\r\n"
                                    "and COM inputs of the UUT.\r\nSelect DC volts, auto range.")});
        gui::ConnectionWizard wizard(texts, sink, demo.filePath(QStringLiteral("pics")), records, "dcv", 0,
                                     QStringLiteral("PIC & DISP Wizard 2.0000V range "));
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
    return ok ? 0 : 1;
}
