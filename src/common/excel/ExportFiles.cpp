#include "common/excel/ExportFiles.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace wel::excel {

QString defaultExportFolder()
{
    QString folder = qEnvironmentVariable("WELMORA_EXPORT_DIR");
    if (folder.isEmpty()) {
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty())
            documents = QDir::homePath();
        folder = QDir(documents).filePath(QStringLiteral("Welmora"));
    }
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

QString uniqueExportPath(const QString& baseName, const QString& folder)
{
    const QDir dir(folder.isEmpty() ? defaultExportFolder() : folder);
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    QString base = baseName;
    base.replace(unsafe, QStringLiteral("_"));
    base = base.left(60);
    if (base.isEmpty())
        base = QStringLiteral("Welmora");
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = dir.filePath(QStringLiteral("%1_%2.xlsx").arg(base, stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1_%2_%3.xlsx").arg(base, stamp).arg(n));
    return path;
}

QString openWithDesktop(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    return path;
}

} // namespace wel::excel
