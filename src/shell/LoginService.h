#pragma once
#include "common/LoginContext.h"

#include <QDateTime>
#include <optional>

namespace wel {

class Database;

// Start-up and log-in without any window: what the main window shows and
// decides, so that it can be tested headless.
namespace LoginService {

extern const QString kProgramVersion;      // "24.00"
extern const QString kWrongLoginMessage;   // wrong name or password
extern const QString kConnectFailMessage;  // cannot connect

struct Startup {
    QString notices[3];
    QString versionNo;    // T_Version.Version_NO as stored
    QString Cur_Date;
    QString Cur_Bud_Year;
    bool versionMatches() const { return versionNo == kProgramVersion; }
    QString versionMessage() const; // the refusal text when it does not match
    QString caption() const;        // the main window's caption
};

// Notices, required version and today's date from the server's clock.
Startup start(Database& db);

// Looks the user up (bound parameters; the password compared exactly) and,
// on success, makes the counter rows of the budget year. nullopt when the
// name or password is wrong.
std::optional<LoginContext> login(Database& db, const Startup& startup, const QString& userName,
                                  const QString& password);

} // namespace LoginService
} // namespace wel
