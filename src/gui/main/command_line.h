#pragma once
// The window's command line: kestrel [/lcid=N] [-l] [FILE.kestrel.json].
// Start-up reads the switches as one line (split at "/" for the locale
// override, searched for "-l"); a file argument is kept out of that line,
// as its path may hold both a "/" and a "-l" of its own.
#include <QString>
#include <QStringList>

namespace kestrel::gui {

struct CommandLine {
    QString startUpLine; // the switches joined by blanks
    QString file;        // the specification to open, or empty
};

// The arguments after the program's name. The last argument that is not a
// switch names the file.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace kestrel::gui
