#pragma once
#include <QDate>
#include <QString>

namespace wel::personnel {

// Messages shared by the personnel screens.
inline const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
inline const QString kConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString kNotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");
inline const QString kNoneSelected = QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย");

// The date text to store for a date field: "dd/mm/yyyy" (Buddhist Era) or ""
// when the field was left empty and that is allowed. Anything else (a half
// filled mask, 31/02/2551, a year outside plausibleDate) throws AppError
// naming the field by its caption and showing the text, so that nothing is
// taken or written with a bad date.
QString checkedDate(const QString& text, const QString& caption, bool required);

// A date a personnel record can hold: its Buddhist-Era year from
// kFirstBEYear up to next year (by the workstation's clock; a bound for
// typing slips, never a date stored). A year such as 9999, or a Christian
// year such as 2019 read as Buddhist Era, is no such date.
bool plausibleDate(const QDate& date);
// "<caption> ไม่ถูกต้อง ("<text>") ..." for a date outside plausibleDate.
QString implausibleDate(const QString& caption, const QString& text);

// The limit shown beside a right type: "200,000" for type "1", "ไม่จำกัดวงเงิน"
// for type "3" (no limit), "20,000" for any other.
QString limitTextOf(const QString& hType);

} // namespace wel::personnel
