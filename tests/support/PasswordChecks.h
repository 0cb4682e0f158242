#pragma once
#include "common/Passwords.h"
#include "common/db/Database.h"

#include <QStringList>

namespace wel::test {

// The users whose password is stored readable, as typed, rather than hashed.
inline QStringList usersWithPlainPasswords(Database& db)
{
    QStringList names;
    const Rows r = db.select(QStringLiteral("SELECT Username, Password FROM T_USER ORDER BY ID"));
    for (int i = 0; i < r.count(); ++i) {
        const QString stored = r.text(i, QStringLiteral("Password"));
        if (!stored.isEmpty() && !Passwords::isHash(stored))
            names << r.text(i, QStringLiteral("Username"));
    }
    return names;
}

// Whether the user must replace his password at his next log-in.
inline bool markedToChange(Database& db, const QString& userName)
{
    return db.select(QStringLiteral("SELECT Password_Change FROM T_USER WHERE Username = ?"), {userName})
               .integer(0, QStringLiteral("Password_Change"))
        != 0;
}

} // namespace wel::test
