#include "Backup.h"
#include "DatabaseCopy.h"
#include "common/AppError.h"
#include "common/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace wel::maintenance {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

void removeWithCompanions(const QString& file)
{
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(file + suffix);
}

// SQLite's online backup: every page as of one read transaction, which in WAL
// mode does not hold up the writers.
void backupSqliteFile(const QString& sourcePath, const QString& target)
{
    sqlite3* src = nullptr;
    sqlite3* dst = nullptr;
    auto closeBoth = [&] {
        sqlite3_close(src);
        sqlite3_close(dst);
    };
    if (sqlite3_open_v2(sourcePath.toUtf8().constData(), &src, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK
        || sqlite3_open_v2(target.toUtf8().constData(), &dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
               != SQLITE_OK) {
        const QString why = QString::fromUtf8(sqlite3_errmsg(dst ? dst : src));
        closeBoth();
        throw AppError(QStringLiteral("เปิดแฟ้มฐานข้อมูลเพื่อสำรองไม่ได้: %1").arg(why));
    }
    sqlite3_busy_timeout(src, 30000);
    sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
    int rc = b ? sqlite3_backup_step(b, -1) : SQLITE_ERROR;
    const QString why = QString::fromUtf8(sqlite3_errmsg(dst));
    if (b)
        sqlite3_backup_finish(b);
    closeBoth();
    if (rc != SQLITE_DONE)
        throw AppError(QStringLiteral("สำรองฐานข้อมูลไม่สำเร็จ: %1").arg(why));
}

} // namespace

void backup(const DbUrl& source, const QString& file,
            const std::function<void(const QString& table, qint64 rows)>& progress)
{
    if (QFileInfo::exists(file))
        throw AppError(QStringLiteral("มีแฟ้ม %1 อยู่แล้ว กรุณาระบุชื่อแฟ้มใหม่สำหรับข้อมูลสำรอง").arg(file));
    const QString partial = file + QStringLiteral(".partial");
    removeWithCompanions(partial);
    {
        // Created empty and private before SQLite writes anything into it.
        QFile f(partial);
        if (!f.open(QIODevice::WriteOnly) || !f.setPermissions(kOwnerOnly))
            throw AppError(QStringLiteral("สร้างแฟ้ม %1 ไม่ได้: %2").arg(partial, f.errorString()));
    }
    try {
        if (source.kind == DbKind::SQLite) {
            if (!QFileInfo::exists(source.path))
                throw AppError(QStringLiteral("ไม่พบฐานข้อมูล %1").arg(source.path));
            backupSqliteFile(source.path, partial);
        } else {
            auto from = Database::open(source);
            DbUrl to;
            to.kind = DbKind::SQLite;
            to.path = partial;
            to.timeZone = source.timeZone;
            auto target = Database::open(to);
            CopyOptions o;
            o.progress = progress;
            const CopyResult r = copyDatabase(*from, *target, o);
            if (!r.equal())
                throw AppError(QStringLiteral("ข้อมูลสำรองไม่ตรงกับฐานข้อมูลต้นทาง\n") + format(r));
            // One self-contained file: nothing left in a -wal beside it.
            target->select(QStringLiteral("PRAGMA journal_mode=DELETE"));
        }
    } catch (...) {
        removeWithCompanions(partial);
        throw;
    }
    if (!QFile::rename(partial, file)) {
        removeWithCompanions(partial);
        throw AppError(QStringLiteral("ตั้งชื่อแฟ้มข้อมูลสำรองเป็น %1 ไม่ได้").arg(file));
    }
    QFile::setPermissions(file, kOwnerOnly);
}

} // namespace wel::maintenance
