#include "ReadSnapshot.h"

namespace wel {

ReadSnapshot::ReadSnapshot(Database& db) : m_db(db)
{
    if (db.inTransaction())
        return; // the caller's transaction already fixes the view
    switch (db.kind()) {
    case DbKind::SQLite:
        db.exec(QStringLiteral("BEGIN DEFERRED"));
        m_sqliteOpen = true;
        break;
    case DbKind::PostgreSQL:
        m_tx = std::make_unique<Transaction>(db);
        db.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
        break;
    case DbKind::SqlServer:
        break;
    }
}

ReadSnapshot::~ReadSnapshot()
{
    if (m_sqliteOpen) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
    }
    // m_tx rolls back: nothing was written.
}

} // namespace wel
