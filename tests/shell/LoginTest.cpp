#include "TestDb.h"
#include "shell/LoginService.h"

using namespace wel;
using wel::test::TestDb;

TEST(Startup, TodayAndBudgetYearFromTheServerClock)
{
    WELMORA_NEED_DB();
    TestDb t;
    const struct { int y, m, d; const char* date; const char* budget; } cases[] = {
        {2008, 9, 30, "30/09/2551", "2551"},
        {2008, 10, 1, "01/10/2551", "2552"},
        {2008, 12, 31, "31/12/2551", "2552"},
        {2009, 1, 1, "01/01/2552", "2552"},
    };
    for (const auto& c : cases) {
        t.setToday(c.y, c.m, c.d);
        const auto s = LoginService::start(t.db());
        EXPECT_EQ(s.Cur_Date, QString::fromLatin1(c.date));
        EXPECT_EQ(s.Cur_Bud_Year, QString::fromLatin1(c.budget));
    }
}

TEST(Startup, VersionMustMatchExactly)
{
    WELMORA_NEED_DB();
    TestDb t;
    auto s = LoginService::start(t.db());
    EXPECT_TRUE(s.versionMatches());
    EXPECT_EQ(s.caption(), QStringLiteral("ระบบสวัสดิการพนักงาน Version : 24.00"));
    EXPECT_FALSE(s.notices[0].isEmpty());

    t.db().exec(QStringLiteral("UPDATE T_Version SET Version_NO = ?"), {QStringLiteral("24.0")});
    s = LoginService::start(t.db());
    EXPECT_FALSE(s.versionMatches());
    EXPECT_EQ(s.versionMessage(),
              QStringLiteral("โปรแกรมมีการเปลี่ยนแปลง Version แล้ว \rVersion นี้ไม่สามารถใช้งานได้\r"
                             "Version โปรแกรมคือ  24.00\rVersion Data คือ24.0"));
}

TEST(Login, OnlyTheRightNameAndPasswordGetIn)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.setToday(2008, 11, 15);
    const auto s = LoginService::start(t.db());
    const struct { const char* user; const char* password; bool ok; } cases[] = {
        {"clerk", "clerk", true},
        {"clerk", "CLERK", false},
        {"CLERK", "clerk", false},
        {"clerk", "", false},
        {"", "", false},
        {"nobody", "clerk", false},
        {"' OR '1'='1", "' OR '1'='1", false},
        {"clerk' --", "x", false},
    };
    for (const auto& c : cases) {
        const auto ctx = LoginService::login(t.db(), s, QString::fromUtf8(c.user), QString::fromUtf8(c.password));
        EXPECT_EQ(ctx.has_value(), c.ok) << c.user << " / " << c.password;
    }
}

TEST(Login, FillsTheContextAndMakesTheYearsCounterRows)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.setToday(2030, 10, 2); // budget year 2574, no counter rows yet
    const auto s = LoginService::start(t.db());
    const auto ctx = LoginService::login(t.db(), s, QStringLiteral("clerk"), QStringLiteral("clerk"));
    ASSERT_TRUE(ctx);
    EXPECT_EQ(ctx->Cur_Fact_Code, QStringLiteral("SC"));
    EXPECT_EQ(ctx->Cur_Username, QStringLiteral("clerk"));
    EXPECT_EQ(ctx->Cur_Date, QStringLiteral("02/10/2573"));
    EXPECT_EQ(ctx->Cur_Bud_Year, QStringLiteral("2574"));
    EXPECT_EQ(ctx->section, 4);
    EXPECT_TRUE(ctx->Cur_Mode.isEmpty());
    EXPECT_EQ(ctx->displayName, QStringLiteral("นางสาวมาลี ใจดี"));
    EXPECT_EQ(ctx->factName, QStringLiteral("คณะวิทยาศาสตร์"));

    auto rows = [&](const char* sql) {
        return t.db().select(QString::fromLatin1(sql)).count();
    };
    EXPECT_EQ(rows("SELECT 1 FROM T_Emp_RunNo WHERE Emp_Year = '2574'"), 1);
    EXPECT_EQ(rows("SELECT 1 FROM T_Berg_Runno WHERE Berg_Year = '2574' AND Fact_Code = 'SC'"), 1);
    EXPECT_EQ(rows("SELECT 1 FROM T_Berg_Edu_Runno WHERE Berg_Year = '2574' AND Fact_Code = 'SC'"), 1);
    EXPECT_EQ(rows("SELECT 1 FROM T_Sent_KV_RunNo WHERE Sent_Year = '2574'"), 1);
    EXPECT_EQ(rows("SELECT 1 FROM T_PVR_Runno WHERE Sent_Year = '2574'"), 1);

    // another faculty's user adds only that faculty's rows
    ASSERT_TRUE(LoginService::login(t.db(), s, QStringLiteral("engfac"), QStringLiteral("engfac")));
    EXPECT_EQ(rows("SELECT 1 FROM T_Berg_Runno WHERE Berg_Year = '2574'"), 2);
    EXPECT_EQ(rows("SELECT 1 FROM T_Sent_KV_RunNo WHERE Sent_Year = '2574'"), 1);
}

TEST(Login, UserWithoutFacultyRowStillLogsIn)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.db().exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, Fact_Code, section) VALUES (50, 'x', 'y', 'QQ', 12)"));
    const auto s = LoginService::start(t.db());
    const auto ctx = LoginService::login(t.db(), s, QStringLiteral("x"), QStringLiteral("y"));
    ASSERT_TRUE(ctx);
    EXPECT_TRUE(ctx->factName.isEmpty());
    EXPECT_EQ(ctx->section, 12);
}
