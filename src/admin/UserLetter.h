#pragma once
#include "common/report/Report.h"

namespace wel {

class Database;

// The letter that tells each user his log-in name, password and section:
// one A4 page per user of T_USER.
ReportLayout userLetterLayout(const QString& curDate);
// The letters of users fromId..toId (both included, below 980). Only a
// password's hash is stored, so each of them is first given a fresh initial
// password (UserService::issueInitialPasswords), which his letter tells him.
// Throws AppError when no such user exists.
Report userLetters(Database& db, int fromId, int toId, const QString& curDate, const QString& actor);

} // namespace wel
