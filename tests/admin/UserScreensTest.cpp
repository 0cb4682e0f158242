#include "MessageLog.h"
#include "PreviewRecorder.h"
#include "PasswordChecks.h"
#include "ScreenFixture.h"
#include "TestDb.h"
#include "admin/UNew_User.h"
#include "admin/UPrint_User.h"
#include "common/widgets/Messages.h"
#include "common/widgets/ReportPreview.h"
#include "shell/LoginService.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace wel;
using wel::test::TestDb;

namespace {
LoginContext admin()
{
    LoginContext c;
    c.Cur_Date = QStringLiteral("10/12/2569");
    c.Cur_Bud_Year = QStringLiteral("2570");
    c.Cur_Fact_Code = QStringLiteral("OP");
    c.Cur_Username = QStringLiteral("admin");
    c.section = 9;
    c.userId = 1;
    return c;
}

} // namespace

TEST(PrintUserScreen, ListsUsersAndPreviewsTheLetters)
{
    WELMORA_NEED_DB();
    TestDb t;
    test::MessageLog messages;
    int pages = -1;
    const test::PreviewRecorder recorder([&](const Report& r) { pages = r.pageCount(); });

    TfrmPrint_User screen(ScreenContext{t.db(), admin()});
    screen.show();
    EXPECT_EQ(test::control<QLineEdit>(&screen, "edtU_ID1")->text(), QStringLiteral("1"));
    EXPECT_EQ(test::control<QLineEdit>(&screen, "edtU_ID2")->text(), QStringLiteral("5"));
    test::press(&screen, "btnShow_data");
    ASSERT_EQ(test::control<QTableView>(&screen, "StringGrid1")->model()->rowCount(), 9);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 1), QStringLiteral("2"));
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 2), QStringLiteral("มาลี ใจดี"));
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 5), QStringLiteral("(SC)คณะวิทยาศาสตร์"));

    // the letters give new passwords: the administrator is asked first, and
    // declining changes nothing
    const QString asked = QStringLiteral("หนังสือแจ้งจะกำหนดรหัสผ่านใหม่ให้ผู้ใช้งานลำดับที่ 1 ถึง 5 "
                                         "รหัสผ่านเดิมของผู้ใช้งานเหล่านี้จะใช้ไม่ได้อีก ต้องการพิมพ์หนังสือแจ้งหรือไม่");
    messages.ok = false;
    test::press(&screen, "btnPrint_Preview");
    EXPECT_EQ(pages, -1);
    EXPECT_EQ(messages.texts, QStringList{asked});
    EXPECT_FALSE(test::markedToChange(t.db(), QStringLiteral("clerk")));
    messages.ok = true;
    test::press(&screen, "btnPrint_Preview");
    EXPECT_EQ(pages, 5);
    EXPECT_TRUE(test::markedToChange(t.db(), QStringLiteral("clerk")));

    test::control<QLineEdit>(&screen, "edtU_ID2")->setText(QStringLiteral("5;"));
    pages = -1;
    messages.texts.clear();
    test::press(&screen, "btnPrint_Preview");
    EXPECT_EQ(pages, -1);
    EXPECT_EQ(messages.texts, QStringList{QStringLiteral("กรุณาใส่ลำดับที่เป็นตัวเลขจำนวนเต็ม")});
}

TEST(NewUserScreen, AddsAUserForAnEmployee)
{
    WELMORA_NEED_DB();
    TestDb t;
    test::MessageLog messages;
    TfrmNew_User screen(ScreenContext{t.db(), admin()});
    screen.show();
    EXPECT_FALSE(test::control<QWidget>(&screen, "pnlUser")->isVisible());

    test::press(&screen, "btnAdd");
    ASSERT_TRUE(test::control<QWidget>(&screen, "pnlSearch")->isVisible());
    auto* search = test::control<QWidget>(&screen, "pnlSearch");
    QPushButton* find = nullptr;
    for (QPushButton* b : search->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("ค้นหา"))
            find = b;
    ASSERT_NE(find, nullptr);
    QTest::mouseClick(find, Qt::LeftButton);
    ASSERT_GT(test::rowsIn(search, "StringGrid1"), 0);
    test::chooseRow(search, "StringGrid1", 0);
    const QString firstName = test::cell(search, "StringGrid1", 0, 3);
    test::press(&screen, "btnEdit_Data");
    ASSERT_TRUE(test::control<QWidget>(&screen, "pnlUser")->isVisible());
    EXPECT_EQ(test::control<QLineEdit>(&screen, "edtU_F_Name")->text(), firstName);

    test::control<QLineEdit>(&screen, "edtUsername")->setText(QStringLiteral("newuser"));
    test::control<QLineEdit>(&screen, "edtPassword")->setText(QStringLiteral("pw1"));
    test::control<QLineEdit>(&screen, "edtPassword2")->setText(QStringLiteral("pw2"));
    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts.value(0), QStringLiteral("รหัสผ่านทั้งสองช่องไม่ตรงกัน กรุณาใส่ใหม่"));
    EXPECT_TRUE(t.db().select(QStringLiteral("SELECT 1 FROM T_USER WHERE Username = 'newuser'")).isEmpty());

    test::control<QLineEdit>(&screen, "edtPassword2")->setText(QStringLiteral("pw1"));
    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts.value(1), QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    const Rows r = t.db().select(QStringLiteral("SELECT ID, U_F_Name, Password FROM T_USER WHERE Username = 'newuser'"));
    ASSERT_EQ(r.count(), 1);
    EXPECT_EQ(r.integer(0, QStringLiteral("ID")), 10);
    EXPECT_EQ(r.text(0, QStringLiteral("U_F_Name")), firstName);
    EXPECT_TRUE(Passwords::matches(r.text(0, QStringLiteral("Password")), QStringLiteral("pw1")));
    EXPECT_TRUE(test::usersWithPlainPasswords(t.db()).isEmpty());
    EXPECT_TRUE(test::markedToChange(t.db(), QStringLiteral("newuser"))) << "the administrator knows it";
}

// Only a hash is stored: the password fields open empty, and stay empty to
// keep the password. A password typed for another user is his to replace;
// the administrator's own is not.
TEST(NewUserScreen, EditsAnExistingUser)
{
    WELMORA_NEED_DB();
    TestDb t;
    test::MessageLog messages;
    TfrmNew_User screen(ScreenContext{t.db(), admin()});
    screen.show();
    auto edit = [&](int row, const QString& password) {
        test::press(&screen, "btnEdit");
        EXPECT_EQ(test::rowsIn(&screen, "StringGrid2"), 9);
        test::chooseRow(&screen, "StringGrid2", row);
        test::press(&screen, "btnEdit_User");
        EXPECT_TRUE(test::textOf(&screen, "edtPassword").isEmpty());
        EXPECT_TRUE(test::textOf(&screen, "edtPassword2").isEmpty());
        test::control<QLineEdit>(&screen, "edtU_Tel_No")->setText(QStringLiteral("1234"));
        test::control<QLineEdit>(&screen, "edtPassword")->setText(password);
        test::control<QLineEdit>(&screen, "edtPassword2")->setText(password);
        test::press(&screen, "btnSave");
    };
    edit(1, QString());
    EXPECT_EQ(test::textOf(&screen, "edtUsername"), QStringLiteral("clerk"));
    EXPECT_EQ(test::control<QComboBox>(&screen, "cmbFact")->currentData().toString(), QStringLiteral("SC"));
    EXPECT_EQ(t.db().select(QStringLiteral("SELECT U_Tel_No FROM T_USER WHERE ID = 2")).text(0, QStringLiteral("U_Tel_No")),
              QStringLiteral("1234"));

    const auto start = LoginService::start(t.db());
    auto logsIn = [&](const char* user, const char* password) {
        return LoginService::login(t.db(), start, QString::fromLatin1(user), QString::fromLatin1(password));
    };
    EXPECT_TRUE(logsIn("clerk", "clerk")) << "kept";
    edit(1, QStringLiteral("given1"));
    edit(0, QStringLiteral("mine1"));
    const struct { const char* user; const char* old; const char* now; bool toChange; } after[] = {
        {"clerk", "clerk", "given1", true},
        {"admin", "admin", "mine1", false},
    };
    for (const auto& a : after) {
        EXPECT_FALSE(logsIn(a.user, a.old)) << a.user;
        const auto ctx = logsIn(a.user, a.now);
        ASSERT_TRUE(ctx) << a.user;
        EXPECT_EQ(ctx->mustChangePassword, a.toChange) << a.user;
    }
    EXPECT_EQ(messages.texts, QStringList(3, QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว")));
    EXPECT_TRUE(test::usersWithPlainPasswords(t.db()).isEmpty());
}
