// kestrel [/lcid=N] [-l] [FILE.kestrel.json]
//
// The switches are the command line start-up reads ("/lcid=1031"
// overrides the locale, "-l" shows the localization menus); a file
// argument is opened as the Open command opens it.
#include "core/app/session.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/first_paint.h"
#include "gui/common/message_box_sink.h"
#include "gui/common/picture_icon.h"
#include "gui/common/wait_cursor.h"
#include "gui/document/document.h"
#include "gui/main/command_line.h"
#include "gui/main/main_window.h"
#include "gui/main/secondary_windows.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kestrel::gui::useFittingCaptions(app);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    QApplication::setOrganizationName(QStringLiteral("Kestrel"));
    // Numbers the core formats with the C library use ".", whatever Qt
    // took from the environment; the locale's separators come from start-up.
    std::setlocale(LC_NUMERIC, "C");

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const kestrel::gui::CommandLine line = kestrel::gui::parseCommandLine(arguments);

    // Busy from the load until the window is up.
    kestrel::gui::WaitCursor busy;
    kestrel::gui::MessageBoxSink sink;
    auto session = kestrel::startUp(line.startUpLine.toStdString(), kestrel::StartUpEnvironment::current(), sink);
    sink.setTexts(session->texts);
    kestrel::gui::Document document(std::move(session));
    kestrel::gui::MainWindow window(document);
    // Create's viewer, the connection wizard, the help and accuracy-file viewers.
    new kestrel::gui::SecondaryWindows(window);
    sink.setParent(&window);
    window.show();
    // The task bar's picture need not hold up the window's first paint.
    kestrel::gui::afterFirstPaint(
        window, [] { QApplication::setWindowIcon(kestrel::gui::pictureIcon(QStringLiteral("kestrel"))); });
    kestrel::gui::reportFirstPaintIfAsked(window);
    busy.restore();

    if (!line.file.isEmpty())
        window.openFile(line.file);
    return QApplication::exec();
}
