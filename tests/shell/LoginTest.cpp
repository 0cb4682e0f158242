#include "PasswordChecks.h"
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
    EXPECT_TRUE(s.demo);
    EXPECT_EQ(s.caption(), QStringLiteral("ระบบสวัสดิการพนักงาน Version : 24.00  -  ฐานข้อมูลตัวอย่าง (demo)"));
    EXPECT_FALSE(s.notices[0].isEmpty());
    t.db().exec(QStringLiteral("DELETE FROM T_Setting"));
    s = LoginService::start(t.db());
    EXPECT_EQ(s.caption(), QStringLiteral("ระบบสวัสดิการพนักงาน Version : 24.00"));

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
        {"CLERK", "clerk", true},
        {"  Clerk ", "clerk", true},
        {"clerk", " clerk", false},
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

// A user whose password was never set cannot log in, whatever he types.
TEST(Login, EmptyOrMissingStoredPasswordNeverMatches)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.db().exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, Fact_Code, section) VALUES (?, ?, ?, ?, ?)"),
                {60, QStringLiteral("blank"), QStringLiteral(""), QStringLiteral("SC"), 4});
    t.db().exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, Fact_Code, section) VALUES (?, ?, ?, ?, ?)"),
                {61, QStringLiteral("unset"), QVariant(QMetaType(QMetaType::QString)), QStringLiteral("SC"), 4});
    const auto s = LoginService::start(t.db());
    for (const char* user : {"blank", "unset"})
        for (const char* password : {"", " ", "x"})
            EXPECT_FALSE(LoginService::login(t.db(), s, QString::fromLatin1(user), QString::fromLatin1(password)))
                << user << " / '" << password << "'";
}

// A password an older version kept as typed is hashed by the first log-in
// that proves it, and only by that one.
TEST(Login, APasswordKeptAsTypedIsHashedAtTheNextLogIn)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.db().exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, Fact_Code, section) VALUES (?, ?, ?, ?, ?)"),
                {50, QStringLiteral("old"), QStringLiteral("Old pw"), QStringLiteral("SC"), 4});
    const auto s = LoginService::start(t.db());
    auto stored = [&] {
        return t.db().select(QStringLiteral("SELECT Password FROM T_USER WHERE ID = 50")).text(0, QStringLiteral("Password"));
    };
    const struct { const char* typed; bool in; bool hashedAfter; } steps[] = {
        {"old pw", false, false}, // a wrong password changes nothing
        {"Old pw", true, true},
        {"Old pw", true, true},   // now checked against the hash
        {"old pw", false, true},
        {"", false, true},
    };
    for (const auto& step : steps) {
        const auto ctx = LoginService::login(t.db(), s, QStringLiteral("old"), QString::fromLatin1(step.typed));
        EXPECT_EQ(ctx.has_value(), step.in) << step.typed;
        EXPECT_EQ(Passwords::isHash(stored()), step.hashedAfter) << step.typed;
        if (ctx) {
            EXPECT_FALSE(ctx->mustChangePassword);
        }
    }
    EXPECT_TRUE(test::usersWithPlainPasswords(t.db()).isEmpty());
}

TEST(FirstAdministrator, MadeOnlyOnADatabaseWithoutUsers)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Reference);
    auto s = LoginService::start(t.db());
    EXPECT_TRUE(s.noUserYet);
    EXPECT_FALSE(s.demo);

    LoginService::FirstAdministrator a;
    a.userName = QStringLiteral(" Boss ");
    a.password = QStringLiteral("s3cret");
    a.passwordAgain = QStringLiteral("s3cret!");
    a.firstName = QStringLiteral("สมชาย");
    a.lastName = QStringLiteral("ใจดี");
    a.factCode = QStringLiteral("op");
    const struct { void (*change)(LoginService::FirstAdministrator&); const char* message; } refused[] = {
        {[](LoginService::FirstAdministrator&) {}, "กรุณาใส่ชื่อคณะ"},
        {[](LoginService::FirstAdministrator& x) { x.factCode = QStringLiteral("O"); }, "กรุณาใส่รหัสคณะ 2 ตัวอักษร"},
        {[](LoginService::FirstAdministrator& x) {
             x.factCode = QStringLiteral("op");
             x.factName = QStringLiteral("สำนักงานอธิการบดี");
         },
         "รหัสผ่านทั้งสองช่องไม่ตรงกัน กรุณาใส่ใหม่"},
    };
    for (const auto& r : refused) {
        r.change(a);
        try {
            LoginService::createFirstAdministrator(t.db(), a);
            ADD_FAILURE() << "accepted, expected: " << r.message;
        } catch (const AppError& e) {
            EXPECT_EQ(e.message().toStdString(), r.message);
        }
    }
    EXPECT_EQ(t.db().select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Fact")).integer(0, QStringLiteral("n")), 0);

    a.passwordAgain = a.password;
    LoginService::createFirstAdministrator(t.db(), a);
    s = LoginService::start(t.db());
    EXPECT_FALSE(s.noUserYet);
    const auto ctx = LoginService::login(t.db(), s, QStringLiteral("boss"), QStringLiteral("s3cret"));
    ASSERT_TRUE(ctx);
    EXPECT_FALSE(ctx->mustChangePassword) << "he chose it himself";
    EXPECT_TRUE(test::usersWithPlainPasswords(t.db()).isEmpty());
    EXPECT_EQ(ctx->section, 9);
    EXPECT_EQ(ctx->Cur_Fact_Code, QStringLiteral("OP"));
    EXPECT_EQ(ctx->factName, QStringLiteral("สำนักงานอธิการบดี"));

    a.userName = QStringLiteral("second");
    EXPECT_THROW(LoginService::createFirstAdministrator(t.db(), a), AppError);
    EXPECT_EQ(t.db().select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")), 1);
}
