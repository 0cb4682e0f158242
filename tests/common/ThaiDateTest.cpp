#include "common/AppError.h"
#include "common/ThaiDate.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wel;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
}

TEST(ThaiDate, WritesBuddhistEraText)
{
    struct Case { QDate date; const char* text; };
    const Case cases[] = {
        {QDate(2008, 9, 30), "30/09/2551"},
        {QDate(2008, 10, 1), "01/10/2551"},
        {QDate(2008, 11, 5), "05/11/2551"},
        {QDate(2008, 2, 29), "29/02/2551"},
        {QDate(2000, 1, 1), "01/01/2543"},
        {QDate(1999, 12, 31), "31/12/2542"},
        {QDate(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toBEText(c.date), u(c.text)) << c.text;
}

TEST(ThaiDate, ReadsBuddhistEraTextBack)
{
    struct Case { const char* text; QDate date; };
    const Case cases[] = {
        {"30/09/2551", QDate(2008, 9, 30)},
        {"01/10/2551", QDate(2008, 10, 1)},
        {"29/02/2551", QDate(2008, 2, 29)},
        {"29/02/2543", QDate(2000, 2, 29)},
        {"31/12/2542", QDate(1999, 12, 31)},
        {" 05/03/2550  ", QDate(2007, 3, 5)},
    };
    for (const Case& c : cases) {
        const std::optional<QDate> d = parseBEText(u(c.text));
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(*d, c.date) << c.text;
        EXPECT_EQ(toBEText(*d), u(c.text).trimmed()) << c.text;
    }
}

TEST(ThaiDate, RefusesBlankMisshapenAndImpossibleDates)
{
    const char* bad[] = {
        "", "          ", "  /  /    ",
        "29/02/2550",  // 2007 is no leap year
        "29/02/2643",  // nor is 2100
        "31/04/2551", "00/01/2551", "01/00/2551", "32/01/2551", "05/13/2551",
        "05/03/    ", "5/3/2551", "05-03-2551", "05/03/25510", "ab/cd/efgh",
        "05/03/0543",  // Gregorian year 0 does not exist
        "05/03/2551\t",
    };
    for (const char* text : bad)
        EXPECT_FALSE(parseBEText(u(text)).has_value()) << '[' << text << ']';
}

TEST(ThaiDate, RecognisesAnEmptyDateField)
{
    for (const char* blank : {"", " ", "  /  /    ", "//", "/"})
        EXPECT_TRUE(isBlankDate(u(blank))) << '[' << blank << ']';
    for (const char* filled : {"01/01/2551", "  /  /2551", "0", "\t/ /"})
        EXPECT_FALSE(isBlankDate(u(filled))) << '[' << filled << ']';
}

TEST(ThaiDate, BudgetYearTurnsOnFirstOfOctober)
{
    struct Case { QDate date; const char* year; };
    const Case cases[] = {
        {QDate(2008, 1, 1), "2551"},
        {QDate(2008, 9, 30), "2551"},
        {QDate(2008, 10, 1), "2552"},
        {QDate(2008, 12, 31), "2552"},
        {QDate(2009, 1, 1), "2552"},
        {QDate(2009, 9, 30), "2552"},
        {QDate(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(budgetYearOf(c.date), u(c.year)) << c.date.toString(Qt::ISODate).toStdString();
}

TEST(ThaiDate, TodayFromTheServerClock)
{
    struct Case { QDateTime now; const char* date; const char* budgetYear; };
    const Case cases[] = {
        {QDateTime(QDate(2008, 9, 30), QTime(23, 59, 59)), "30/09/2551", "2551"},
        {QDateTime(QDate(2008, 10, 1), QTime(0, 0, 0)), "01/10/2551", "2552"},
        {QDateTime(QDate(2008, 11, 5), QTime(9, 15)), "05/11/2551", "2552"},
        {QDateTime(QDate(2008, 2, 29), QTime(12, 0)), "29/02/2551", "2551"},
    };
    for (const Case& c : cases) {
        const Today t = todayFrom(c.now);
        EXPECT_EQ(t.Cur_Date, u(c.date)) << c.date;
        EXPECT_EQ(t.Cur_Bud_Year, u(c.budgetYear)) << c.date;
    }
    EXPECT_THROW(todayFrom(QDateTime()), AppError);
}

TEST(ThaiDate, SlicesMonthAndYearAsEnquiriesCompareThem)
{
    EXPECT_EQ(monthYearOf(u("05/11/2551")), u("11/2551"));
    EXPECT_EQ(yearOf(u("05/11/2551")), u("2551"));
    EXPECT_EQ(monthYearOf(u("05/11")), u("11"));
    EXPECT_EQ(yearOf(u("05/11")), QString());
}

TEST(ThaiDate, TimeIsTwentyFourHourWithLeadingZeros)
{
    EXPECT_EQ(nowTimeText(QDateTime(QDate(2008, 1, 1), QTime(7, 5, 9))), u("07:05:09"));
    EXPECT_EQ(nowTimeText(QDateTime(QDate(2008, 1, 1), QTime(13, 0, 0, 999))), u("13:00:00"));
    EXPECT_EQ(nowTimeText(QDateTime(QDate(2008, 1, 1), QTime(0, 0))), u("00:00:00"));
}

TEST(ThaiDate, SortKeyOrdersDatesAcrossMonthsAndYears)
{
    struct Case { const char* text; const char* key; };
    const Case cases[] = {
        {"05/11/2551", "25511105"},
        {"1/2/2551", "25510201"},
        {" 31/12/2550 ", "25501231"},
        {"", ""},
        {"  /  /    ", ""},
        {"05/11", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sortKeyOf(u(c.text)), u(c.key)) << '[' << c.text << ']';

    // As plain text "01/01/2551" sorts before "31/12/2550"; the keys must not.
    QStringList texts = {u("01/01/2551"), u("31/12/2550"), u("15/06/2551"), u("02/01/2551")};
    std::sort(texts.begin(), texts.end(),
              [](const QString& a, const QString& b) { return sortKeyOf(a) < sortKeyOf(b); });
    EXPECT_EQ(texts, (QStringList{u("31/12/2550"), u("01/01/2551"), u("02/01/2551"),
                                  u("15/06/2551")}));
}
