#include "ThaiDate.h"
#include "AppError.h"
#include "Utility.h"

namespace wel {

namespace {

constexpr int kBuddhistOffset = 543;

// "dd/mm/yyyy": digits with "/" at the third and sixth place.
bool hasDateShape(const QString& s)
{
    if (s.size() != 10)
        return false;
    for (int i = 0; i < 10; ++i) {
        const bool slashPlace = i == 2 || i == 5;
        if (slashPlace ? s[i] != QLatin1Char('/')
                       : (s[i] < QLatin1Char('0') || s[i] > QLatin1Char('9')))
            return false;
    }
    return true;
}

} // namespace

QString toBEText(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year() + kBuddhistOffset, 4, 10, QLatin1Char('0'));
}

std::optional<QDate> parseBEText(const QString& text)
{
    const QString s = TrimBlanks(text);
    if (!hasDateShape(s))
        return std::nullopt;
    const int day = s.mid(0, 2).toInt();
    const int month = s.mid(3, 2).toInt();
    const int year = s.mid(6, 4).toInt() - kBuddhistOffset;
    // QDate has no year 0; a Buddhist year of 543 is no date either.
    if (year == 0)
        return std::nullopt;
    const QDate d(year, month, day);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

bool isBlankDate(const QString& text)
{
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('/'))
            return false;
    return true;
}

QString budgetYearOf(const QDate& date)
{
    if (!date.isValid())
        return QString();
    const int year = date.year() + kBuddhistOffset + (date.month() >= 10 ? 1 : 0);
    return QString::number(year);
}

Today todayFrom(const QDateTime& serverNow)
{
    const QDate date = serverNow.date();
    if (!serverNow.isValid() || !date.isValid())
        throw AppError(QStringLiteral("ไม่สามารถอ่านวันที่ปัจจุบันจากฐานข้อมูลได้"));
    return Today{toBEText(date), budgetYearOf(date)};
}

QString monthYearOf(const QString& beText)
{
    return beText.mid(3, 7);
}

QString yearOf(const QString& beText)
{
    return beText.mid(6, 4);
}

QString nowTimeText(const QDateTime& now)
{
    return now.toString(QStringLiteral("HH:mm:ss"));
}

QString sortKeyOf(const QString& beText)
{
    const QString s = TrimBlanks(NormalizeDate(TrimBlanks(beText)));
    if (!hasDateShape(s))
        return QString();
    return s.mid(6, 4) + s.mid(3, 2) + s.mid(0, 2);
}

} // namespace wel
