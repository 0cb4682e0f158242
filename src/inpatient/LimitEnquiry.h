#pragma once
#include "common/report/Report.h"

#include <QDateTime>
#include <QString>

namespace wel {
class Database;
}

namespace wel::hospital {

// An employee's remaining medical and co-pay limits of one budget year, as
// the enquiry shows them and its statement prints them.
struct RemainingLimits {
    QString kvId, empId, ssn, name, position, hType;
    QString factCode, factName;
    QString payYear;          // the year the figures were read for
    bool hasRow = false;
    QString entitlement;      // "ยอดวงเงิน" of the right type: "200,000.00", "20,000.00", "ไม่จำกัดวงเงิน"
    QString limit, flex, used, remaining;            // the medical limit
    QString copayLimit, copayUsed, copayRemaining;   // the co-pay limit
};

namespace LimitEnquiry {

// Reads the yearly row of the employee for the year. Without a row the
// entitlement stands for the limit and what remains, and nothing is used.
// A row holding the unlimited amount, or no row for right type "3", shows
// "ไม่จำกัดวงเงิน" for the limit and remainder; a finite row its figures,
// whatever the right type is now. Throws "กรุณาเลือกชื่อพนักงานด้วย" without
// an employee and "ไม่พบข้อมูลพนักงาน KV_ID <key>" for an unknown one.
RemainingLimits read(Database& db, const QString& kvId, const QString& payYear);

// The one-page statement "ใบแสดงยอดคงเหลือ สวัสดิการค่ารักษาพยาบาล" of the
// figures read, headed with the year they were read for.
Report statement(const RemainingLimits& figures, const QDateTime& printedAt);

} // namespace LimitEnquiry
} // namespace wel::hospital
