#pragma once
#include "common/Money.h"

#include <QString>
#include <QVector>

#include <optional>

namespace wel {
class Database;
struct LoginContext;
} // namespace wel

namespace wel::claims {

// The children's education allowance ("EDU"): lines of tuition per child
// and term, saved as one claim charged against no limit.
namespace Education {

// Right types "1" and "3" have the allowance, "2" has not; a year row whose
// limit is exactly 20,000 baht means right type "2" whatever the record says.
// Refused with the message naming the right type.
void checkRight(const std::optional<Money>& yearLimit, const QString& hType);
// The same, on the employee's year row of the chosen budget year.
void checkRight(Database& db, const QString& kvId, const QString& payYear, const QString& hType);

// The grid's "สิทธิค่าเล่าเรียนบุตร": "ไม่มี" for right type "2", else "มี".
QString rightText(const QString& hType);

// A child's age: the calendar years between his birth date and today's
// date (Buddhist-Era texts), whatever the months; nullopt when the birth
// date is missing or no valid date.
std::optional<int> ageOf(const QString& birthday, const QString& today);

// The budget year of a claim date "dd/mm/yyyy": its year, plus one from
// October on. "" for an invalid date.
QString budgetYearOfClaim(const QString& claimDate);

struct Child {
    int folk = 4;                   // "4" first child ... "7" fourth
    QString title, given, family;
    QString birthday;               // "" when not stored as a valid date
    std::optional<int> age;
    QString displayName() const;    // title + given name + two blanks + family name
};
// The child of choice index 0..3 (code 4..7) as T_Emp_Folk holds him;
// refused with the missing-child message when he is not recorded.
Child findChild(Database& db, const QString& kvId, int index, const QString& today);

struct Line {
    Child child;
    QString amountText;
    Money amount;
    QString term, year, level, school;
};
// The checks of adding a line, in the order the clerk meets them; fills
// line.amount from line.amountText.
void checkLine(Line& line);

// Saves the claim in one transaction: a claim number of the clerk's
// faculty's series, a header of kind "E" for the budget year of the claim
// date, one line per child with the sum of his amounts and one receipt row
// per line. Returns the claim number.
QString save(Database& db, const LoginContext& login, const QString& kvId, const QString& claimDate,
             const QVector<Line>& lines);

} // namespace Education
} // namespace wel::claims
