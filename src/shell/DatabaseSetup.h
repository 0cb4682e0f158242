#pragma once
#include "common/db/Database.h"

namespace wel {

// Which database a program uses: the --db URL; else the "database" key of the
// user's config file (~/.config/welmora/welmora.ini); else the embedded file
// ~/.local/share/welmora/welmora.db.
QString chooseDatabaseUrl(const QString& commandLineUrl);
QString defaultDatabaseUrl();
QString configFilePath();

// The installation's time zone: the "timezone" key of the config file,
// Asia/Bangkok when it is not set.
QString installationTimeZone();

// Opens the database. An SQLite file that does not exist yet is created with
// the schema and the reference rows, and with the demo users and employees
// only when demoIfNew is set; an existing one gets the tables, columns and
// reference rows it lacks (never demo data).
std::unique_ptr<Database> openDatabase(const QString& url, bool demoIfNew = false);

// Creates what is missing of the schema and the reference rows (and the demo
// data when asked); running it again changes nothing.
void initDatabase(Database& db, bool demo);

} // namespace wel
