#pragma once
#include <QString>
#include <QStringList>

namespace wel {

class Database;

// Identifiers made from the running-number rows. Each take() increments and
// reads the counter in one statement inside the caller's transaction, so two
// workstations never receive the same number; when the caller's operation
// fails later the increment rolls back with it.
namespace RunningNumbers {

// What to do when the counter row of the year is missing.
enum class WhenMissing {
    CreateRow, // insert it with 1 and take 1
    MessageA,  // employee key
    MessageB,  // claim number
    MessageC,  // control number
    MessageD,  // voucher summary number
};

extern const QString kMessageA;
extern const QString kMessageB;
extern const QString kMessageC;
extern const QString kMessageD;

// "KV" + calendar year (last 4 characters of Cur_Date) + "/" + 6 digits.
QString takeEmployeeKey(Database& db, const QString& curDate, WhenMissing whenMissing);
// count keys in a row, taken in one statement.
QStringList takeEmployeeKeys(Database& db, const QString& curDate, int count, WhenMissing whenMissing);
// Holds the employee counter row of the calendar year (made when missing)
// locked until the caller's transaction ends. Every operation that adds
// employees takes its keys from this row, so taking it before looking for
// an existing person makes them look one at a time: a second import of the
// same workbook waits for the first and then finds its people.
void lockEmployeeNumbers(Database& db, const QString& curDate);
// Faculty code + Cur_Bud_Year + "/" + 7 digits; one series per faculty and year.
QString takeClaimNumber(Database& db, const QString& factCode, const QString& budYear, WhenMissing whenMissing);
// "KV" + Cur_Bud_Year + "/" + 6 digits + faculty code; message C when missing.
QString takeControlNumber(Database& db, const QString& factCode, const QString& budYear);
// "PVR" + Cur_Bud_Year + "/" + 5 digits + faculty code upper-cased; message D when missing.
QString takeVoucherNumber(Database& db, const QString& factCode, const QString& budYear);

// The number part: n zero-filled to width digits. Throws AppError when n
// does not fit, instead of cutting it and repeating an identifier.
QString zeroFill(qint64 n, int width);

// Makes the counter rows of a budget year at log-in (the faculty-keyed ones
// for the user's faculty only); safe when two workstations do it at once.
void ensureYearRows(Database& db, const QString& budYear, const QString& factCode);

} // namespace RunningNumbers
} // namespace wel
