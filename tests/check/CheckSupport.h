#pragma once
#include "common/db/Database.h"

namespace wel::test {

// The URL a command-line program is given for the database under test.
inline QString urlText(const DbUrl& u)
{
    if (u.kind == DbKind::SQLite)
        return QStringLiteral("sqlite:") + u.path;
    QString url = QStringLiteral("postgresql://%1:%2@%3:%4/%5").arg(u.user, u.password, u.host).arg(u.port).arg(u.dbName);
    if (!u.schema.isEmpty())
        url += QStringLiteral("?schema=") + u.schema;
    return url;
}

} // namespace wel::test
