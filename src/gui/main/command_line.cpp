#include "gui/main/command_line.h"

namespace kestrel::gui {

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    QStringList switches;
    for (const QString& argument : arguments) {
        if (argument.startsWith(u'/') && argument.contains(QLatin1String("lcid"), Qt::CaseInsensitive))
            switches << argument;
        else if (argument.startsWith(u'-'))
            switches << argument;
        else
            line.file = argument;
    }
    line.startUpLine = switches.join(u' ');
    return line;
}

} // namespace kestrel::gui
