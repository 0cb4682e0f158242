#include "DatabaseSetup.h"
#include "common/PrivateFiles.h"
#include "common/db/DbFaults.h"
#include "common/db/Schema.h"
#include "demo/DemoSetup.h"
#include "finance/DemoVouchers.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace wel {

QString configFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/welmora/welmora.ini");
}

QString defaultDatabaseUrl()
{
    return QStringLiteral("sqlite:")
        + QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/welmora/welmora.db");
}

QString chooseDatabaseUrl(const QString& commandLineUrl)
{
    if (!commandLineUrl.isEmpty())
        return commandLineUrl;
    const QSettings config(configFilePath(), QSettings::IniFormat);
    const QString configured = config.value(QStringLiteral("database")).toString();
    return configured.isEmpty() ? defaultDatabaseUrl() : configured;
}

QString installationTimeZone()
{
    const QSettings config(configFilePath(), QSettings::IniFormat);
    const QString zone = config.value(QStringLiteral("timezone")).toString().trimmed();
    return zone.isEmpty() ? QStringLiteral("Asia/Bangkok") : zone;
}

DbBounds installationBounds()
{
    const QSettings config(configFilePath(), QSettings::IniFormat);
    DbBounds b;
    const std::pair<const char*, int*> keys[] = {{"lock_timeout", &b.lockWait},
                                                 {"statement_timeout", &b.statement},
                                                 {"idle_in_transaction_timeout", &b.idleInTransaction},
                                                 {"connect_timeout", &b.connect},
                                                 {"keepalive", &b.keepalive}};
    for (const auto& [key, value] : keys) {
        bool ok = false;
        const int seconds = config.value(QLatin1String(key)).toString().trimmed().toInt(&ok);
        if (ok && seconds > 0)
            *value = seconds;
    }
    return b;
}

void initDatabase(Database& db, bool demo)
{
    createSchema(db);
    loadReferenceData(db);
    if (demo) {
        loadDemoData(db);
        demo::loadDemoClaimsOfEveryKind(db);
        finance::loadDemoVouchers(db);
    }
}

namespace {

const QString kUpgrade = QStringLiteral("welmora-admin init --db URL");

// The first bytes of every SQLite database file.
bool looksLikeSqliteFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// Refuses what this program would misread, or (unchanged) have to upgrade.
// An opening that creates (init) is the upgrade: it brings any database it
// is given up to this version's tables, however old.
void checkSchema(Database& db, const DbUrl& url, bool unchanged, bool creates)
{
    const QStringList missing = missingSchema(db);
    if (missing.isEmpty() || creates)
        return;
    if (missing.size() == schemaTables().size() || missing.contains(QStringLiteral("T_Version")))
        throw AppError(QStringLiteral("%1 ไม่ใช่ฐานข้อมูลของโปรแกรมนี้ (ยังไม่มีตารางของระบบ) "
                                      "ฐานข้อมูลใหม่สร้างด้วยคำสั่ง %2")
                           .arg(url.display(), kUpgrade));
    if (unchanged)
        throw AppError(QStringLiteral("ฐานข้อมูล %1 เป็นรุ่นเก่า (ขาด %2) คำสั่งนี้จะไม่เปลี่ยนแปลงฐานข้อมูล "
                                      "กรุณาปรับรุ่นด้วยคำสั่ง %3 ก่อน")
                           .arg(url.display(), missing.mid(0, 3).join(QStringLiteral(", ")), kUpgrade));
}

} // namespace

std::unique_ptr<Database> openDatabase(const QString& url, Opening how)
{
    DbUrl parsed = DbUrl::parse(url);
    parsed.timeZone = installationTimeZone();
    parsed.bounds = installationBounds();
    const bool creates = how == Opening::Create || how == Opening::CreateDemo;
    const bool embedded = parsed.kind == DbKind::SQLite;
    const QFileInfo file(parsed.path);
    const bool fresh = embedded && !file.exists();
    // An empty file is no database yet (unless all of it is still in the
    // -wal file of a workstation at work).
    const bool blank = embedded && file.exists() && file.size() == 0 && !QFileInfo::exists(parsed.path + "-wal");
    if (embedded && ((file.size() > 0 && !looksLikeSqliteFile(parsed.path)) || (blank && !creates)))
        throw AppError(dbfault::notADatabase(parsed.path));
    if (fresh && !creates)
        throw AppError(QStringLiteral("ไม่พบไฟล์ฐานข้อมูล %1 (คำสั่งนี้ไม่สร้างฐานข้อมูลใหม่ "
                                      "ฐานข้อมูลใหม่สร้างด้วยคำสั่ง %2)")
                           .arg(parsed.path, kUpgrade));
    // The claims and the people's data are the owner's alone; SQLite gives
    // its -wal and -shm files the mode of the database file.
    if (fresh && !createPrivateFile(parsed.path))
        throw AppError(QStringLiteral("สร้างไฟล์ฐานข้อมูล %1 ไม่ได้").arg(parsed.path));
    std::unique_ptr<Database> db;
    try {
        db = Database::open(parsed);
        if (how == Opening::Unchanged)
            db->keepFileUnchanged();
        // An SQLite database without any table (a new or an empty file) is
        // what the creating openings make a database of.
        const bool noTables = embedded
            && db->select(QStringLiteral("SELECT COUNT(*) AS n FROM sqlite_master")).integer(0, QStringLiteral("n")) == 0;
        if (noTables && creates) {
            initDatabase(*db, how == Opening::CreateDemo);
        } else if (!creates || embedded) {
            checkSchema(*db, parsed, how == Opening::Unchanged, creates);
            // The embedded file belongs to this program: bring it up to the
            // tables and reference rows of this version. Servers are upgraded
            // by their administrator with welmora-admin init.
            if (embedded && how != Opening::Unchanged)
                initDatabase(*db, false);
        }
    } catch (...) {
        db.reset();
        if (fresh) {
            // no half-made database left for the next start
            for (const char* suffix : {"", "-wal", "-shm", "-journal"})
                QFile::remove(parsed.path + QLatin1String(suffix));
        }
        throw;
    }
    return db;
}

} // namespace wel
