#pragma once
#include <QString>
#include <functional>

namespace wel {
class Database;
struct DbUrl;
} // namespace wel

namespace wel::maintenance {

// A consistent copy of a working database in a new embedded file, taken
// while workstations go on working: SQLite's online backup of the file as of
// one moment, or for a server the whole copy of DatabaseCopy.h. The copy is
// written under FILE.partial and renamed to FILE only when complete, so a
// backup stopped half way never looks like a backup. The file is private to
// its owner. An existing FILE is refused (AppError).
void backup(const DbUrl& source, const QString& file,
            const std::function<void(const QString& table, qint64 rows)>& progress = {});

} // namespace wel::maintenance
