#include "PersonnelCommon.h"
#include "common/AppError.h"
#include "common/Limits.h"
#include "common/ThaiDate.h"

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
    return toBEText(*date);
}

QString limitTextOf(const QString& hType)
{
    // Right type "3" has no limit; showing it 20,000 baht would mislead the clerk.
    return knownOrTypeTwo(hType).listText;
}

} // namespace wel::personnel
