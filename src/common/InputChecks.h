#pragma once
#include "common/Money.h"

#include <QString>
#include <initializer_list>

namespace wel {

class Database;

// Checks of typed values that the database would otherwise refuse with its
// own text (or, on SQLite, store unchecked), so the clerk gets a Thai message
// naming the field and nothing is written.
namespace InputChecks {

// The value fits the column's width in the schema; otherwise
// "ข้อความในช่อง <caption> ยาวเกิน N ตัวอักษร".
void checkLength(const QString& table, const QString& column, const QString& value, const QString& caption);

// A typed text of a form, the column it is stored in and the field's caption.
struct TypedText {
    QString value;
    const char* column;
    const char* caption; // UTF-8
};
// checkLength for each of the texts, in order.
void checkLengths(const QString& table, std::initializer_list<TypedText> texts);

// The faculty code is one of T_Fact's; otherwise "ไม่พบรหัสส่วนงาน <code>".
void checkFaculty(Database& db, const QString& factCode);

// The employee key is one of T_Emp_Gov_Histry's; otherwise
// "ไม่พบข้อมูลพนักงาน KV_ID <key>".
void checkEmployee(Database& db, const QString& kvId);

// The largest amount an amount column holds (NUMERIC(15,2)).
inline constexpr Money kLargestAmount = Money::fromSatang(999'999'999'999'999LL);
// The amount fits an amount column; otherwise "จำนวนเงิน <amount> เกินกว่าที่บันทึกได้".
void checkAmount(Money amount);

} // namespace InputChecks
} // namespace wel
