#pragma once
#include "Database.h"

#include <memory>

namespace wel {

// A view of the database as of one moment while other workstations write:
// a deferred read transaction on SQLite (WAL keeps its snapshot and takes no
// write lock), a read-only repeatable-read transaction on PostgreSQL. On SQL
// Server the reads see committed data as they go. Nothing is written; the
// view ends when the object goes.
class ReadSnapshot {
public:
    explicit ReadSnapshot(Database& db);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    Database& m_db;
    bool m_sqliteOpen = false;
    std::unique_ptr<Transaction> m_tx;
};

} // namespace wel
