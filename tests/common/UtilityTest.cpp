#include "common/AppError.h"
#include "common/Money.h"
#include "common/Utility.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <limits>

using namespace wel;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
}

TEST(BahtText, WritesAmountsInThaiWords)
{
    struct Case { qint64 satang; const char* words; };
    const Case cases[] = {
        {0, "บาทถ้วน"},
        {2100, "ยี่สิบเอ็ดบาทถ้วน"},
        {1100, "สิบเอ็ดบาทถ้วน"},
        {1000, "สิบบาทถ้วน"},
        {2000, "ยี่สิบบาทถ้วน"},
        {3100, "สามสิบเอ็ดบาทถ้วน"},
        {100, "หนึ่งบาทถ้วน"},
        {10100, "หนึ่งร้อยหนึ่งบาทถ้วน"},
        {11100, "หนึ่งร้อยสิบเอ็ดบาทถ้วน"},
        {123456, "หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบหกสตางค์"},
        {9876500, "เก้าหมื่นแปดพันเจ็ดร้อยหกสิบห้าบาทถ้วน"},
        {20000000, "สองแสนบาทถ้วน"},
        {100000000, "หนึ่งล้านบาทถ้วน"},
        {100000100, "หนึ่งล้านหนึ่งบาทถ้วน"},
        {200002100, "สองล้านยี่สิบเอ็ดบาทถ้วน"},
        {999999900, "เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทถ้วน"},
        {1000000000, "สิบล้านบาทถ้วน"},
        {1000000100, "สิบล้านหนึ่งบาทถ้วน"},
        {2100000000, "ยี่สิบเอ็ดล้านบาทถ้วน"},
        {10000000000LL, "หนึ่งร้อยล้านบาทถ้วน"},
        {200000000000LL, "สองพันล้านบาทถ้วน"},
        {100000000000000LL, "หนึ่งล้านล้านบาทถ้วน"},
        {100000010, "หนึ่งล้านบาทสิบสตางค์"},
        {25, "บาทยี่สิบห้าสตางค์"},
        {1, "บาทหนึ่งสตางค์"},
        {21, "บาทยี่สิบเอ็ดสตางค์"},
        {11, "บาทสิบเอ็ดสตางค์"},
        {20, "บาทยี่สิบสตางค์"},
        {5, "บาทห้าสตางค์"},
        {99, "บาทเก้าสิบเก้าสตางค์"},
        {101, "หนึ่งบาทหนึ่งสตางค์"},
        {999999999999999LL,
         "เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าล้าน"
         "เก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทเก้าสิบเก้าสตางค์"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BahtText(Money::fromSatang(c.satang)), u(c.words)) << c.satang;
}

TEST(BahtText, SatangComeFromTheExactAmount)
{
    // Fractions that a binary double cannot hold: x.29, x.57, x.58 and so on.
    struct Case { const char* typed; const char* words; };
    const Case cases[] = {
        {"0.29", "บาทยี่สิบเก้าสตางค์"},
        {"1.15", "หนึ่งบาทสิบห้าสตางค์"},
        {"4.35", "สี่บาทสามสิบห้าสตางค์"},
        {"1,234.56", "หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบหกสตางค์"},
        {"1,000,000.10", "หนึ่งล้านบาทสิบสตางค์"},
        {"0.58", "บาทห้าสิบแปดสตางค์"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BahtText(Money::fromTyped(u(c.typed))), u(c.words)) << c.typed;
}

TEST(BahtText, NegativeAmountsAreMarkedAndTooLargeOnesRefused)
{
    EXPECT_EQ(BahtText(Money::fromSatang(-2100)), u("ลบยี่สิบเอ็ดบาทถ้วน"));
    EXPECT_EQ(BahtText(Money::fromSatang(-50)), u("ลบบาทห้าสิบสตางค์"));

    const qint64 limit = 10'000'000'000'000LL * 100;
    EXPECT_NO_THROW(BahtText(Money::fromSatang(limit - 1)));
    EXPECT_NO_THROW(BahtText(Money::fromSatang(-(limit - 1))));
    EXPECT_THROW(BahtText(Money::fromSatang(limit)), AppError);
    EXPECT_THROW(BahtText(Money::fromSatang(-limit)), AppError);
    EXPECT_THROW(BahtText(Money::fromSatang(std::numeric_limits<qint64>::min())), AppError);
}

TEST(ThaiMonthName, NamesTheTwelveMonthsAndNothingElse)
{
    const char* names[] = {"มกราคม", "กุมภาพันธ์", "มีนาคม", "เมษายน",
                           "พฤษภาคม", "มิถุนายน", "กรกฎาคม", "สิงหาคม",
                           "กันยายน", "ตุลาคม", "พฤศจิกายน", "ธันวาคม"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(ThaiMonthName(m), u(names[m - 1])) << m;
    for (int bad : {0, 13, -1, 255})
        EXPECT_EQ(ThaiMonthName(bad), u("ไม่พบเดือนที่ต้องการ")) << bad;
}

TEST(CleanAmount, DropsCommasAndReadsEmptyAsZero)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"", "0"},
        {",,,", "0"},
        {"1,234.50", "1234.50"},
        {" 1,000", " 1000"},
        {"1,000,000", "1000000"},
        {" ", " "},
        {"12", "12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanAmount(u(c.in)), u(c.out)) << c.in;
}

TEST(TrimBlanks, RemovesSpacesOnlyOnTheWantedSide)
{
    struct Case { const char* in; const char* left; const char* right; const char* both; };
    const Case cases[] = {
        {"", "", "", ""},
        {"    ", "", "", ""},
        {"  ab c  ", "ab c  ", "  ab c", "ab c"},
        {"abc", "abc", "abc", "abc"},
        {" \tx\t ", "\tx\t ", " \tx\t", "\tx\t"},
        {"\n", "\n", "\n", "\n"},
        {" สมชาย ", "สมชาย ", " สมชาย", "สมชาย"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrimLeftBlanks(u(c.in)), u(c.left)) << '[' << c.in << ']';
        EXPECT_EQ(TrimRightBlanks(u(c.in)), u(c.right)) << '[' << c.in << ']';
        EXPECT_EQ(TrimBlanks(u(c.in)), u(c.both)) << '[' << c.in << ']';
    }
}

TEST(RightChars, TakesTheTailAndZeroFills)
{
    struct Case { const char* in; int n; const char* out; };
    const Case cases[] = {
        {"000000012", 7, "0000012"},
        {"5", 2, "5"},
        {"05", 2, "05"},
        {"abc", 0, ""},
        {"abc", -3, ""},
        {"", 4, ""},
        {"สมชาย", 3, "ชาย"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RightChars(u(c.in), c.n), u(c.out)) << c.in << ' ' << c.n;
    EXPECT_EQ(RightChars(u("000000") + TrimBlanks(u(" 42 ")), 6), u("000042"));
}

TEST(NormalizeDate, ZeroFillsDayAndMonth)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"1/2/2551", "01/02/2551"},
        {" 5 / 3 /2550", "05/03/2550"},
        {"05/03/2550", "05/03/2550"},
        {"31/12/2551", "31/12/2551"},
        {"", ""},
        {"    ", ""},
        // Nothing is validated: the parts are only padded.
        {"45/13/2551", "45/13/2551"},
        {"/ /", "0/0/"},
        // Without "/" the day and month are "0" and the year the first ten characters.
        {"25510203xyz", "0/0/25510203xy"},
        // Month and year come from a ten-character window after the first "/".
        {"1/2/2551 12:30:00", "01/02/2551 12:"},
        {"7/12345678/2551", "07/78/2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeDate(u(c.in)), u(c.out)) << '[' << c.in << ']';
}

TEST(WorkstationIP, PrefersAnAddressOtherMachinesCanReach)
{
    using detail::chooseWorkstationAddress;
    struct Case { QStringList host; QStringList ifaces; const char* chosen; };
    const Case cases[] = {
        {{"10.1.2.3", "192.168.0.9"}, {"172.16.0.1"}, "10.1.2.3"},
        {{"127.0.1.1", "10.1.2.3"}, {"172.16.0.1"}, "10.1.2.3"},
        {{"127.0.1.1"}, {"127.0.0.1", "192.168.1.20", "10.0.0.5"}, "192.168.1.20"},
        {{}, {"127.0.0.1", "192.168.1.20"}, "192.168.1.20"},
        {{"127.0.1.1"}, {"127.0.0.1"}, "127.0.1.1"},
        {{}, {"127.0.0.1"}, ""},
        {{}, {}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseWorkstationAddress(c.host, c.ifaces), u(c.chosen))
            << c.host.join(',').toStdString() << " | " << c.ifaces.join(',').toStdString();
}

TEST(WorkstationIP, GivesDottedDecimalOrNothing)
{
    const QString ip = WorkstationIP();
    if (ip.isEmpty())
        GTEST_SKIP() << "this machine has no IPv4 address";
    in_addr parsed{};
    ASSERT_EQ(inet_pton(AF_INET, ip.toLatin1().constData(), &parsed), 1) << ip.toStdString();
    char back[INET_ADDRSTRLEN] = {};
    ASSERT_NE(inet_ntop(AF_INET, &parsed, back, sizeof back), nullptr);
    EXPECT_EQ(QString::fromLatin1(back), ip);
}
