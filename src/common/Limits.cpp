#include "Limits.h"

namespace wel {

namespace {
const RightTypeLimit kLimits[] = {
    {QStringLiteral("1"), Money::fromBaht(200000), Money(), false, QStringLiteral("200,000.00"),
     QStringLiteral("200,000.00"), QStringLiteral("200,000")},
    {QStringLiteral("2"), Money::fromBaht(20000), Money::fromBaht(25000), false, QStringLiteral("20,000.00"),
     QStringLiteral("20,000.00"), QStringLiteral("20,000")},
    // No practical limit: held as two thousand million baht so that the
    // arithmetic of the other types applies unchanged.
    {QStringLiteral("3"), Money::fromBaht(2000000000), Money(), true, QStringLiteral("0"), kNoLimitText,
     kNoLimitText},
};
} // namespace

const RightTypeLimit* rightTypeLimit(const QString& hType)
{
    const QString t = hType.trimmed();
    for (const RightTypeLimit& l : kLimits)
        if (l.hType == t)
            return &l;
    return nullptr;
}

const RightTypeLimit& typeOneOrTwo(const QString& hType)
{
    return hType.trimmed() == kLimits[0].hType ? kLimits[0] : kLimits[1];
}

const RightTypeLimit& knownOrTypeTwo(const QString& hType)
{
    const RightTypeLimit* l = rightTypeLimit(hType);
    return l ? *l : kLimits[1];
}

const RightTypeLimit& typeTwo() { return kLimits[1]; }

QString wholeBahtText(Money amount)
{
    const QString text = amount.toDisplay();
    return text.endsWith(QLatin1String(".00")) ? text.chopped(3) : text;
}

bool isUnlimitedAmount(Money limit)
{
    for (const RightTypeLimit& l : kLimits)
        if (l.unlimited && limit >= l.medical)
            return true;
    return false;
}

} // namespace wel
