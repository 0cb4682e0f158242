#pragma once
#include <QString>

namespace wel {

// How T_USER.Password is kept: a salted, deliberately slow hash (Argon2id
// through libsodium), never the password as typed. Older versions kept it as
// typed; such a value is still accepted until it is replaced by its hash (at
// the user's next log-in, or by welmora-admin init).
namespace Passwords {

// The hash to store; every call draws a new salt. Throws AppError when the
// machine lacks the memory the hash needs.
QString hash(const QString& password);

// The stored value is a hash, not a password kept as typed.
bool isHash(const QString& stored);

// Whether the typed password is the one stored. An empty stored value never
// matches, so a user whose password was never set cannot log in.
bool matches(const QString& stored, const QString& typed);

// The stored value should be replaced by hash(typed) once the user has
// proved the password: it is kept as typed, or hashed with other limits than
// this program's.
bool needsRehash(const QString& stored);

// A fresh password for a user letter: random, of letters and digits that
// cannot be mistaken for one another on paper.
QString randomInitial();

// The smallest work and memory libsodium allows, so that tests hash in
// microseconds instead of a tenth of a second. Only test programs call it.
void useMinimumLimitsForTests();

} // namespace Passwords
} // namespace wel
