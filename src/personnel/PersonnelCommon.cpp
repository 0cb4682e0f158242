#include "PersonnelCommon.h"
#include "common/AppError.h"
#include "common/Limits.h"
#include "common/ThaiDate.h"

#include <algorithm>

namespace wel::personnel {

QString checkedDate(const QString& text, const QString& caption, bool required)
{
    if (isBlankDate(text)) {
        if (required)
            throw AppError(QStringLiteral("กรุณาใส่") + caption + QStringLiteral("ด้วย"));
        return {};
    }
    const auto date = parseBEText(text);
    if (!date)
        throw AppError(caption + QStringLiteral(" ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)"));
    if (!plausibleDate(*date))
        throw AppError(implausibleDate(caption, text.trimmed()));
    return toBEText(*date);
}

bool plausibleDate(const QDate& date)
{
    const int year = date.year() + 543;
    return year >= kFirstBEYear && year <= std::min(kLastBEYear, QDate::currentDate().year() + 543 + 1);
}

QString implausibleDate(const QString& caption, const QString& text)
{
    return caption
        + QStringLiteral(" ไม่ถูกต้อง (\"%1\") ปี พ.ศ. ต้องอยู่ระหว่าง %2 ถึง %3")
              .arg(text)
              .arg(kFirstBEYear)
              .arg(std::min(kLastBEYear, QDate::currentDate().year() + 543 + 1));
}

QString limitTextOf(const QString& hType)
{
    // Right type "3" has no limit; showing it 20,000 baht would mislead the clerk.
    return knownOrTypeTwo(hType).listText;
}

} // namespace wel::personnel
