#pragma once
#include <QString>

namespace wel::personnel {

// Messages shared by the personnel screens.
inline const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
inline const QString kConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString kNotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");
inline const QString kNoneSelected = QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย");

// The date text to store for a date field: "dd/mm/yyyy" (Buddhist Era) or ""
// when the field was left empty and that is allowed. Anything else (a half
// filled mask, 31/02/2551) throws AppError naming the field by its caption,
// so that nothing is taken or written with a bad date.
QString checkedDate(const QString& text, const QString& caption, bool required);

// The limit shown beside a right type: "200,000" for type "1", "ไม่จำกัดวงเงิน"
// for type "3" (no limit), "20,000" for any other.
QString limitTextOf(const QString& hType);

} // namespace wel::personnel
