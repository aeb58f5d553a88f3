#pragma once
// Between Qt's file names and the core's std::filesystem paths, without
// losing characters outside ASCII on either platform.
#include <QFile>
#include <QString>

#include <filesystem>

namespace kestrel::gui {

inline std::filesystem::path filesystemPath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

inline QString qtPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

} // namespace kestrel::gui
