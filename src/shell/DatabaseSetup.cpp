#include "DatabaseSetup.h"
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

std::unique_ptr<Database> openDatabase(const QString& url, bool demoIfNew)
{
    DbUrl parsed = DbUrl::parse(url);
    parsed.timeZone = installationTimeZone();
    const bool fresh = parsed.kind == DbKind::SQLite && !QFileInfo::exists(parsed.path);
    if (fresh)
        QDir().mkpath(QFileInfo(parsed.path).absolutePath());
    auto db = Database::open(parsed);
    if (!fresh && parsed.kind == DbKind::SQLite) {
        // The embedded file belongs to this program: bring it up to the
        // tables and reference rows of this version. Servers are upgraded
        // by their administrator with welmora-admin init.
        initDatabase(*db, false);
    }
    if (fresh) {
        try {
            initDatabase(*db, demoIfNew);
        } catch (...) {
            db.reset();
            QFile::remove(parsed.path); // no half-made database left for the next start
            throw;
        }
    }
    return db;
}

} // namespace wel
