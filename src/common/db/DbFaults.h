#pragma once
#include "Database.h"

// The Thai messages of the database faults a clerk can act on. The server's
// own text goes with them under "Show Details" and into the error log.
namespace wel::dbfault {

// A connection that could not be opened: refused, unknown host, no answer
// within the bound, user or password not accepted, no such database, cut
// by the server, or a file that cannot be opened. Names the server, never
// its password.
QString connectFailure(const DbUrl& url, const QString& serverText);

// Another workstation held the data longer than the lock-wait bound.
QString busy(const DbBounds& bounds);
// A statement ran longer than the statement bound.
QString statementTooLong(const DbBounds& bounds);
// The server ended this workstation's transaction, left open past the bound.
QString idleTransactionEnded(const DbBounds& bounds);
// An embedded file that is not an SQLite database at all.
QString notADatabase(const QString& path);

} // namespace wel::dbfault
