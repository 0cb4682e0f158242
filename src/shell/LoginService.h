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
    bool demo = false;        // the database holds the demo users and employees
    bool noUserYet = false;   // T_USER is empty: the first administrator must be made
    bool versionMatches() const { return versionNo == kProgramVersion; }
    QString versionMessage() const; // the refusal text when it does not match
    QString caption() const;        // the main window's caption
};

extern const QString kDemoMark; // shown in the caption of a demo database

// Notices, required version and today's date from the server's clock.
Startup start(Database& db);

// Looks the user up and, on success, makes the counter rows of the budget
// year. The user name is compared without regard to letter case and
// surrounding blanks, the password exactly; a user whose stored password is
// empty cannot log in. A password an older version kept as typed is replaced
// by its hash here. nullopt when the name or password is wrong.
std::optional<LoginContext> login(Database& db, const Startup& startup, const QString& userName,
                                  const QString& password);

// The first administrator (section 9) of a database that has no user yet.
// A faculty code that T_Fact lacks is added with factName. Refused once any
// user exists, so it cannot be used to slip a second administrator in.
struct FirstAdministrator {
    QString userName, password, passwordAgain, firstName, lastName, factCode, factName;
};
int createFirstAdministrator(Database& db, const FirstAdministrator& admin);

} // namespace LoginService
} // namespace wel
