#include "MessageLog.h"
#include "PreviewRecorder.h"
#include "ScreenFixture.h"
#include "TestDb.h"
#include "admin/UNew_User.h"
#include "admin/UPrint_User.h"
#include "common/widgets/Messages.h"
#include "common/widgets/ReportPreview.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
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
    auto* grid = test::control<QTableWidget>(&screen, "StringGrid1");
    ASSERT_EQ(grid->rowCount(), 9);
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("2"));
    EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("มาลี ใจดี"));
    EXPECT_EQ(grid->item(1, 5)->text(), QStringLiteral("(SC)คณะวิทยาศาสตร์"));

    test::press(&screen, "btnPrint_Preview");
    EXPECT_EQ(pages, 5);

    test::control<QLineEdit>(&screen, "edtU_ID2")->setText(QStringLiteral("5;"));
    pages = -1;
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
    auto* grid = search->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    ASSERT_NE(grid, nullptr);
    ASSERT_GT(grid->rowCount(), 0);
    grid->setCurrentCell(0, 3);
    const QString firstName = grid->item(0, 3)->text();
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
    EXPECT_EQ(r.text(0, QStringLiteral("Password")), QStringLiteral("pw1"));
}

TEST(NewUserScreen, EditsAnExistingUser)
{
    WELMORA_NEED_DB();
    TestDb t;
    test::MessageLog messages;
    TfrmNew_User screen(ScreenContext{t.db(), admin()});
    screen.show();
    test::press(&screen, "btnEdit");
    auto* users = test::control<QTableWidget>(&screen, "StringGrid2");
    ASSERT_EQ(users->rowCount(), 9);
    users->setCurrentCell(1, 0);
    test::press(&screen, "btnEdit_User");
    EXPECT_EQ(test::control<QLineEdit>(&screen, "edtUsername")->text(), QStringLiteral("clerk"));
    EXPECT_EQ(test::control<QComboBox>(&screen, "cmbFact")->currentData().toString(), QStringLiteral("SC"));
    test::control<QLineEdit>(&screen, "edtU_Tel_No")->setText(QStringLiteral("1234"));
    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts, QStringList{QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว")});
    EXPECT_EQ(t.db().select(QStringLiteral("SELECT U_Tel_No FROM T_USER WHERE ID = 2")).text(0, QStringLiteral("U_Tel_No")),
              QStringLiteral("1234"));
}
