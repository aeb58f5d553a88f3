#include "gui/common/picture_icon.h"

#include "gui/common/resources.h"

#include <QDir>
#include <QHash>
#include <QStringList>

namespace kestrel::gui {
namespace {

// The picture files by picture name, from one look at the resources:
// "help" -> ":/pictures/help_16.png", ":/pictures/help_20.png", ...
QHash<QString, QStringList> pictureFiles()
{
    registerResources();
    QHash<QString, QStringList> files;
    const QDir folder(QStringLiteral(":/pictures"));
    for (const QString& file : folder.entryList(QDir::Files)) {
        const qsizetype underscore = file.lastIndexOf(QLatin1Char('_'));
        if (underscore > 0)
            files[file.left(underscore)].append(folder.filePath(file));
    }
    return files;
}

} // namespace

QIcon pictureIcon(const QString& name)
{
    // Icons share their pixmaps: each file is read once, when first drawn.
    static const QHash<QString, QStringList> files = pictureFiles();
    static QHash<QString, QIcon> icons;
    if (const auto found = icons.constFind(name); found != icons.cend())
        return *found;
    QIcon icon;
    for (const QString& file : files.value(name))
        icon.addFile(file);
    icons.insert(name, icon);
    return icon;
}

} // namespace kestrel::gui
