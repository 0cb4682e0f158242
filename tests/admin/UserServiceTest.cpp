#include "PasswordChecks.h"
#include "TestDb.h"
#include "admin/UserLetter.h"
#include "admin/UserService.h"
#include "shell/LoginService.h"

using namespace wel;
using wel::test::TestDb;

namespace {
void addUser(Database& db, int id, const char* name, const char* fact, int section)
{
    db.exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, Fact_Code, section, U_F_Name, U_L_Name) "
                           "VALUES (?, ?, 'pw', ?, ?, 'ชื่อ', 'สกุล')"),
            {id, QString::fromLatin1(name), QString::fromLatin1(fact), section});
}
QList<qint64> ids(const Rows& r)
{
    QList<qint64> l;
    for (int i = 0; i < r.count(); ++i)
        l << r.integer(i, QStringLiteral("ID"));
    return l;
}
} // namespace

TEST(Users, SystemAccountsAreNeverListedNorPrinted)
{
    WELMORA_NEED_DB();
    TestDb t;
    addUser(t.db(), 980, "system", "OP", 9);
    addUser(t.db(), 999, "system2", "OP", 9);
    EXPECT_EQ(ids(UserService::listUsers(t.db())), (QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(ids(UserService::usersInRange(t.db(), 9, 1000)), QList<qint64>{9});
}

TEST(Users, UserWithoutReferenceRowsIsListedWithEmptyTexts)
{
    WELMORA_NEED_DB();
    TestDb t;
    addUser(t.db(), 20, "orphan", "QQ", 42);
    const Rows r = UserService::listUsers(t.db());
    const int last = r.count() - 1;
    EXPECT_EQ(r.integer(last, QStringLiteral("ID")), 20);
    EXPECT_EQ(r.text(last, QStringLiteral("Fact_Name")), QString());
    EXPECT_EQ(r.text(last, QStringLiteral("Section_Name")), QString());
}

// The password a letter tells.
static QString passwordOn(const ReportPage& page)
{
    const QString lead = QStringLiteral("รหัสผ่าน (Password) คือ  ");
    for (const QString& text : page.texts())
        if (text.startsWith(lead))
            return text.mid(lead.size());
    return {};
}

// Only hashes are stored, so each letter carries a fresh password, which
// works at once and must be replaced at the first log-in.
TEST(Users, LettersGiveEachUserInTheRangeAFreshPasswordToChange)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.db().exec(QStringLiteral("DELETE FROM T_USER WHERE ID = 3"));
    const Report letters = userLetters(t.db(), 1, 5, QStringLiteral("10/12/2569"), QStringLiteral("admin"));
    ASSERT_EQ(letters.pageCount(), 4);
    const QStringList first = letters.pages()[0].texts();
    EXPECT_TRUE(first.contains(QStringLiteral("ลำดับ  1")));
    EXPECT_TRUE(first.contains(QStringLiteral("10/12/2569")));
    EXPECT_TRUE(first.contains(QStringLiteral("รหัสผู้ใช้ (User Name) สำหรับเข้าระบบ คือ  admin")));
    EXPECT_TRUE(first.contains(QStringLiteral("เรียน  คุณสมชาย  ผู้ดูแล")));
    EXPECT_TRUE(letters.pages()[1].texts().contains(QStringLiteral("ลำดับ  2")));
    EXPECT_TRUE(letters.pages()[2].texts().contains(QStringLiteral("ลำดับ  4")));

    const auto start = LoginService::start(t.db());
    const char* const names[] = {"admin", "clerk", "medfac", "engfac"};
    for (int page = 0; page < 4; ++page) {
        const QString name = QString::fromLatin1(names[page]);
        const QString issued = passwordOn(letters.pages()[page]);
        EXPECT_EQ(issued.size(), 10) << names[page];
        EXPECT_FALSE(LoginService::login(t.db(), start, name, name)) << names[page] << ": the old password is gone";
        const auto ctx = LoginService::login(t.db(), start, name, issued);
        ASSERT_TRUE(ctx) << names[page];
        EXPECT_TRUE(ctx->mustChangePassword) << names[page];
    }
    // outside the range nothing changed
    const auto hr = LoginService::login(t.db(), start, QStringLiteral("hr"), QStringLiteral("hr"));
    ASSERT_TRUE(hr);
    EXPECT_FALSE(hr->mustChangePassword);

    const QString again = passwordOn(userLetters(t.db(), 1, 1, QStringLiteral("10/12/2569"), QStringLiteral("admin")).pages()[0]);
    EXPECT_NE(again, passwordOn(letters.pages()[0]));
    EXPECT_TRUE(LoginService::login(t.db(), start, QStringLiteral("admin"), again));
    EXPECT_TRUE(test::usersWithPlainPasswords(t.db()).isEmpty());
    EXPECT_THROW(userLetters(t.db(), 100, 200, QStringLiteral("10/12/2569"), QStringLiteral("admin")), AppError);
}

TEST(Users, RangeMustBeWholeNumbers)
{
    EXPECT_EQ(UserService::parseRange(QStringLiteral(" 1"), QStringLiteral("5 ")), std::make_pair(1, 5));
    for (const char* bad : {"", "1.5", "1)", "1 OR 1=1", "abc"})
        EXPECT_THROW(UserService::parseRange(QString::fromLatin1(bad), QStringLiteral("5")), AppError) << bad;
}

TEST(Users, SaveChecksNamesAndPasswords)
{
    WELMORA_NEED_DB();
    TestDb t;
    UserService::UserRecord u;
    u.userName = QStringLiteral("newclerk");
    u.password = u.passwordAgain = QStringLiteral("s3cret");
    u.firstName = QStringLiteral("ใหม่");
    u.lastName = QStringLiteral("เสมอ");
    u.factCode = QStringLiteral("SC");
    u.section = 4;
    const int id = UserService::save(t.db(), u);
    EXPECT_EQ(id, 10);
    EXPECT_EQ(UserService::load(t.db(), id).userName, QStringLiteral("newclerk"));
    EXPECT_TRUE(UserService::load(t.db(), id).password.isEmpty()) << "only its hash is stored";

    struct Case { std::function<void(UserService::UserRecord&)> change; };
    const Case refused[] = {
        {[](auto& r) { r.userName = QStringLiteral("CLERK"); }},      // taken, whatever the case
        {[](auto& r) { r.passwordAgain = QStringLiteral("other"); }}, // typed twice differently
        {[](auto& r) { r.password = r.passwordAgain = QString(); }},
        {[](auto& r) { r.userName = QStringLiteral("  "); }},
        {[](auto& r) { r.factCode = QStringLiteral("ZZ"); }},
        {[](auto& r) { r.section = 77; }},
    };
    for (const Case& c : refused) {
        UserService::UserRecord r = u;
        r.id = 0;
        r.userName = QStringLiteral("another");
        c.change(r);
        EXPECT_THROW(UserService::save(t.db(), r), AppError);
    }
    EXPECT_EQ(UserService::listUsers(t.db()).count(), 10);

    // editing keeps the number, may keep its own name, and keeps the
    // password while its fields are left empty
    UserService::UserRecord edit = UserService::load(t.db(), id);
    edit.position = QStringLiteral("นักวิชาการ");
    EXPECT_EQ(UserService::save(t.db(), edit), id);
    EXPECT_EQ(UserService::load(t.db(), id).position, QStringLiteral("นักวิชาการ"));
    const auto start = LoginService::start(t.db());
    EXPECT_TRUE(LoginService::login(t.db(), start, QStringLiteral("newclerk"), QStringLiteral("s3cret")));
    EXPECT_TRUE(test::usersWithPlainPasswords(t.db()).isEmpty());
}
