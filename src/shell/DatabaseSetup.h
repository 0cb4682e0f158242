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

// The bounds of the installation (DbBounds), in seconds, from the keys
// lock_timeout, statement_timeout, idle_in_transaction_timeout,
// connect_timeout and keepalive of the config file; a key not set (or not a
// positive number) keeps its default.
DbBounds installationBounds();

// What opening may do to the database.
enum class Opening {
    // A database of this program must be there (a missing or foreign file,
    // or a server database without its tables, is refused); an embedded
    // file is brought up to this version's tables and reference rows.
    Existing,
    // As Existing, but nothing at all is changed: a database of an older
    // version is refused, naming welmora-admin init as the upgrade.
    Unchanged,
    // An embedded file that does not exist is made, with the schema and the
    // reference rows; an existing one is treated as by Existing.
    Create,
    // As Create, and a new file also gets the demo users, employees and claims.
    CreateDemo,
};

// Opens the database for the given purpose. Only welmora-admin init, the
// desktop program's --demo and its first start on the default file create
// one: any other command refuses a mistyped path instead of making a new,
// empty database there. Throws AppError (DbError for the server's faults).
std::unique_ptr<Database> openDatabase(const QString& url, Opening how = Opening::Existing);

// Creates what is missing of the schema and the reference rows (and the demo
// data when asked); running it again changes nothing.
void initDatabase(Database& db, bool demo);

} // namespace wel
