#pragma once
#include "common/LoginContext.h"
#include "common/db/Rows.h"

#include <QString>
#include <QVector>

namespace wel {

class Database;

// The users of the system (T_USER): the list and letters of the
// administrator menu, and their upkeep.
namespace UserService {

// Users numbered 980 and above are the system's own accounts: never listed
// nor printed.
constexpr int kFirstHiddenId = 980;

// ID, Username, Password, names, position, telephone, Fact_Code, section,
// with Fact_Name and Section_Name (empty when their reference row is missing),
// ordered by ID.
Rows listUsers(Database& db);

// One user as the user lists show him.
struct UserLine {
    QString id, userName, position, telephone, sectionName;
    QString name; // given name, a blank, family name
    QString unit; // "(" + faculty code + ")" + faculty name
};
QVector<UserLine> userLines(Database& db);
Rows usersInRange(Database& db, int fromId, int toId);

// The two range fields as typed; throws AppError unless both are whole numbers.
std::pair<int, int> parseRange(const QString& from, const QString& to);

struct UserRecord {
    int id = 0; // 0 for a new user
    // As typed, twice; both empty when an edit keeps the current password.
    QString userName, password, passwordAgain;
    QString title, firstName, lastName, position, userType, telephone;
    QString factCode;
    int section = 0;
};

// Only a password's hash is stored: the password fields come back empty.
UserRecord load(Database& db, int id);
// The sections a user may belong to (TR_Section), ordered by number.
Rows sections(Database& db);
// Who typed the password that save() stores: the user himself, or an
// administrator for another user, who must then replace it at his first
// log-in.
enum class PasswordFrom { Owner, Administrator };
// Adds or updates one user; returns its ID. Throws AppError with the reason
// when a field is missing, the user name is taken or the passwords differ.
// actor is who does it, for the audit trail; empty: the user himself (the
// first administrator).
int save(Database& db, const UserRecord& user, PasswordFrom from = PasswordFrom::Owner, const QString& actor = {});

// Gives each user of fromId..toId (below 980) a fresh random password,
// stored as its hash and to be changed at his first log-in. Returns the users
// as usersInRange() reads them, with the new password as typed in the column
// Password, for the letters that tell them. Throws AppError when there is no
// such user.
Rows issueInitialPasswords(Database& db, int fromId, int toId, const QString& actor);

// The logged-in user replaces the password he was given with his own, typed
// twice; the given one is refused.
void changeOwnPassword(Database& db, const LoginContext& login, const QString& password,
                       const QString& passwordAgain);

// Replaces every password an older version kept as typed with its hash;
// returns how many were replaced.
int hashPlainPasswords(Database& db);

} // namespace UserService
} // namespace wel
