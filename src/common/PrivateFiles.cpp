#include "PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace wel {

bool makePrivateFolder(const QString& dir)
{
    QStringList missing;
    for (QFileInfo at(QDir::cleanPath(QFileInfo(dir).absoluteFilePath())); !at.exists();
         at = QFileInfo(at.absolutePath())) {
        if (at.isRoot())
            return false;
        missing.prepend(at.absoluteFilePath());
    }
    for (const QString& d : missing)
        if (!QDir().mkdir(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) && !QFileInfo(d).isDir())
            return false;
    return QFileInfo(dir).isDir();
}

bool createPrivateFile(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    if (!makePrivateFolder(QFileInfo(path).absolutePath()))
        return false;
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner)
        || QFileInfo::exists(path);
}

} // namespace wel
