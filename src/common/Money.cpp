#include "Money.h"
#include "AppError.h"

#include <algorithm>
#include <cmath>

namespace wel {

bool Money::parse(const QString& text, Money* out)
{
    QString s = text.trimmed();
    s.remove(QLatin1Char(','));
    if (s.isEmpty())
        return false;
    bool negative = false;
    int i = 0;
    if (s[0] == QLatin1Char('-') || s[0] == QLatin1Char('+')) {
        negative = s[0] == QLatin1Char('-');
        i = 1;
    }
    qint64 whole = 0;
    int wholeDigits = 0;
    for (; i < s.size() && s[i].isDigit(); ++i, ++wholeDigits) {
        if (whole > 9'000'000'000'000'000LL / 10 / 100)
            return false; // would overflow once scaled to satang
        whole = whole * 10 + s[i].digitValue();
    }
    qint64 frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        for (; i < s.size() && s[i].isDigit(); ++i, ++fracDigits) {
            const int d = s[i].digitValue();
            if (fracDigits < 2)
                frac = frac * 10 + d;
            else if (fracDigits == 2)
                roundUp = d >= 5;
        }
    }
    if (i != s.size() || wholeDigits + fracDigits == 0)
        return false;
    if (fracDigits == 1)
        frac *= 10;
    qint64 satang = whole * 100 + frac + (roundUp ? 1 : 0);
    *out = fromSatang(negative ? -satang : satang);
    return true;
}

Money Money::fromTyped(const QString& text)
{
    QString s = text;
    s.remove(QLatin1Char(','));
    if (s.trimmed().isEmpty())
        return Money();
    Money m;
    if (!parse(s, &m))
        throw AppError(QStringLiteral("จำนวนเงิน \"%1\" ไม่ถูกต้อง").arg(text.trimmed()));
    // A typed satang fraction would be rounded away unseen: the clerk decides.
    const QString t = s.trimmed();
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    const QString beyond = dot >= 0 ? t.mid(dot + 3) : QString();
    if (std::any_of(beyond.cbegin(), beyond.cend(), [](QChar c) { return c.digitValue() > 0; }))
        throw AppError(QStringLiteral("จำนวนเงิน \"%1\" มีทศนิยมเกิน 2 ตำแหน่ง").arg(text.trimmed()));
    return m;
}

Money Money::fromVariant(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return Money();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return fromSatang(std::llround(v.toDouble() * 100.0));
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return fromBaht(v.toLongLong());
    default: {
        Money m;
        if (parse(v.toString(), &m))
            return m;
        return fromSatang(std::llround(v.toDouble() * 100.0));
    }
    }
}

QString Money::toPlain() const
{
    // The magnitude as unsigned, so that the smallest amount has one too.
    const quint64 a = m_satang < 0 ? 0 - quint64(m_satang) : quint64(m_satang);
    return QStringLiteral("%1%2.%3")
        .arg(m_satang < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

QString Money::toDisplay() const
{
    // The magnitude as unsigned, so that the smallest amount has one too.
    const quint64 a = m_satang < 0 ? 0 - quint64(m_satang) : quint64(m_satang);
    QString whole = QString::number(a / 100);
    for (int pos = whole.size() - 3; pos > 0; pos -= 3)
        whole.insert(pos, QLatin1Char(','));
    return QStringLiteral("%1%2.%3")
        .arg(m_satang < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

} // namespace wel
