#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace wel {

// Dates are kept and shown as Buddhist-Era text "dd/mm/yyyy" (year + 543).
// Enquiries select months and years by character ranges of that text, so the
// form must stay exact: two-digit day and month, four-digit year.

// "30/09/2551" for 30 September 2008; "" for an invalid date.
QString toBEText(const QDate& date);

// The date of a "dd/mm/yyyy" Buddhist-Era text. Blanks around the whole text
// are ignored (fixed-width columns pad with them). nullopt for a blank text or
// an empty date mask ("  /  /    "), for any other shape, and for a text that
// is no calendar date ("29/02/2550", "31/04/2551").
std::optional<QDate> parseBEText(const QString& text);

// The Buddhist-Era years a date of this office can fall in: a year outside
// them was typed wrongly (9999) or in the Christian Era (2019).
inline constexpr int kFirstBEYear = 2400;
inline constexpr int kLastBEYear = 2700;

// True for an empty text or one of blanks and "/" only: a date field left empty.
bool isBlankDate(const QString& text);

// The budget year that holds the date, Buddhist Era: the year, plus one from
// October to December (1 October 2008 is in budget year 2552). "" when invalid.
QString budgetYearOf(const QDate& date);

// Today as the log-in context holds it, from the server's clock.
struct Today {
    QString Cur_Date;     // "dd/mm/yyyy" Buddhist Era
    QString Cur_Bud_Year; // 4 digits Buddhist Era
};
// Throws AppError when the server gave no valid date: nothing dated could be
// written without it.
Today todayFrom(const QDateTime& serverNow);

// "mm/yyyy" (characters 4 to 10) and "yyyy" (characters 7 to 10) of a
// Buddhist-Era text, as enquiries compare them; shorter texts give what is there.
QString monthYearOf(const QString& beText);
QString yearOf(const QString& beText);

// "HH:mm:ss", 24-hour, as times are stored beside dates.
QString nowTimeText(const QDateTime& now);

// "yyyymmdd" (Buddhist-Era year) of a date text, so that dates sort as text.
// Day and month are zero-filled first ("1/2/2551" gives "25510201"); a text
// that is not of the "dd/mm/yyyy" shape, a blank one included, gives "", which
// sorts first.
QString sortKeyOf(const QString& beText);

} // namespace wel
