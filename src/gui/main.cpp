// kestrel [/lcid=N] [-l] [FILE.kestrel.json]
//
// The arguments after the program's name, joined by blanks, are the
// command line start-up reads ("/lcid=1031" overrides the locale, "-l"
// shows the localization menus); an argument naming an existing file is
// opened as the Open command opens it.
#include "core/app/session.h"
#include "gui/document.h"
#include "gui/main_window.h"
#include "gui/message_box_sink.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QStringList>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    QApplication::setOrganizationName(QStringLiteral("Kestrel"));
    // Numbers the core formats with the C library use ".", whatever Qt
    // took from the environment; the locale's separators come from start-up.
    std::setlocale(LC_NUMERIC, "C");

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    QString file;
    for (const QString& argument : arguments)
        if (!argument.startsWith(u'/') && !argument.startsWith(u'-') && QFileInfo(argument).isFile())
            file = argument;

    // Busy from the load until the window is up.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    kestrel::gui::MessageBoxSink sink;
    auto session = kestrel::startUp(arguments.join(u' ').toStdString(), kestrel::StartUpEnvironment::current(), sink);
    kestrel::gui::Document document(std::move(session));
    kestrel::gui::MainWindow window(document);
    sink.setParent(&window);
    window.show();
    QApplication::restoreOverrideCursor();

    if (!file.isEmpty())
        window.openFile(file);
    return QApplication::exec();
}
