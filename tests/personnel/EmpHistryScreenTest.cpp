#include "PersonnelFixture.h"
#include "ScreenFixture.h"
#include "common/widgets/BEDateEdit.h"
#include "personnel/FamilyService.h"
#include "personnel/UEmp_Histry.h"

#include <QCheckBox>

using namespace wel;
using namespace wel::test;

TEST(EmpHistryScreen, RecordsFamilyAndLoadsTheNextEmployeeClean)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    MessageLog log;
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    // one employee with a dated first child, one whose child has no stored date
    const QString withDate = EmployeeService::add(db, kv, newEmployee(QStringLiteral("H1"), QStringLiteral("8000000000001"), QStringLiteral("EN")));
    const QString noDate = EmployeeService::add(db, kv, newEmployee(QStringLiteral("H2"), QStringLiteral("8000000000002"), QStringLiteral("EN")));
    FamilyService::save(db, kv, withDate, {{4, {QStringLiteral("ด.ช."), QStringLiteral("ลูกชาย"), QStringLiteral("มีวัน"), QStringLiteral("05/01/2560"), {}, {}, {}}}});
    FamilyService::save(db, kv, noDate, {{4, {QStringLiteral("ด.ญ."), QStringLiteral("ลูกสาว"), QStringLiteral("ไม่มีวัน"), {}, {}, {}, {}}}});

    TfrmEmp_Histry s(ScreenContext{db, kv});
    s.resize(1300, 800);
    s.show();
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    press(&s, "btnSelect");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาใส่ชื่อที่ต้องการค้นหาด้วย"));

    type(&s, "edtEmp_F_Name", QStringLiteral("ทดสอบ"));
    type(&s, "edtEmp_L_Name", QStringLiteral("ระบบ"));
    press(&s, "btnSelect");
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 7), withDate) << "the key column is shown on this grid";
    EXPECT_EQ(cell(&s, "StringGrid1", 1, 7), noDate);
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 8), QStringLiteral("นักวิชาการศึกษา"));

    press(&s, "btnPost_Folk");
    ASSERT_TRUE(control(&s, "Panel2")->isVisible());
    EXPECT_FALSE(control(&s, "Panel1")->isVisible());
    EXPECT_EQ(textOf(&s, "edtKV_ID3"), withDate);
    EXPECT_EQ(textOf(&s, "edtEmp_F_Name3"), QStringLiteral("นายทดสอบ  ระบบงาน"));
    EXPECT_EQ(textOf(&s, "edtM_Pay3"), QStringLiteral("ไม่จำกัดวงเงิน")); // right type "3"
    EXPECT_EQ(control<BEDateEdit>(&s, "edtEF_Birthday4")->text(), QStringLiteral("05/01/2560"));
    EXPECT_FALSE(control<QCheckBox>(&s, "CheckBox4")->isChecked());
    EXPECT_FALSE(control(&s, "edtEF_F_Name4")->isEnabled());

    press(&s, "btnSave2");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาคลิกเลือกรายการที่ต้องการแก้ไขด้วย"));

    QTest::mouseClick(control(&s, "CheckBox3"), Qt::LeftButton);
    EXPECT_TRUE(control(&s, "edtEF_F_Name3")->isEnabled());
    type(&s, "edtEF_Surname3", QStringLiteral("นาง"));
    type(&s, "edtEF_F_Name3", QStringLiteral("คู่ชีวิต"));
    press(&s, "btnSave2");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาใส่นามสกุลด้วย"));
    type(&s, "edtEF_L_Name3", QStringLiteral("ระบบงาน"));
    type(&s, "edtEF_Base_Right13", QStringLiteral("ประกันสังคม"));
    press(&s, "btnSave2");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    EXPECT_TRUE(control(&s, "Panel1")->isVisible());
    const Rows spouse = db.select(QStringLiteral("SELECT * FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk = '3'"), {withDate});
    ASSERT_EQ(spouse.count(), 1);
    EXPECT_EQ(spouse.text(0, QStringLiteral("EF_F_Name")), QStringLiteral("คู่ชีวิต"));
    EXPECT_EQ(spouse.text(0, QStringLiteral("EF_Base_Right1")), QStringLiteral("ประกันสังคม"));

    // the second employee: nothing ticked, no spouse, and no birth date left over
    chooseRow(&s, "StringGrid1", 1);
    press(&s, "btnPost_Folk");
    EXPECT_EQ(textOf(&s, "edtKV_ID3"), noDate);
    EXPECT_FALSE(control<QCheckBox>(&s, "CheckBox3")->isChecked());
    EXPECT_EQ(textOf(&s, "edtEF_F_Name3"), QString());
    EXPECT_EQ(textOf(&s, "edtEF_F_Name4"), QStringLiteral("ลูกสาว"));
    EXPECT_EQ(control<BEDateEdit>(&s, "edtEF_Birthday4")->text(), QString());
    QTest::mouseClick(control(&s, "CheckBox4"), Qt::LeftButton);
    press(&s, "btnSave2");
    EXPECT_EQ(db.select(QStringLiteral("SELECT EF_Birthday FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk = '4'"), {noDate})
                  .text(0, QStringLiteral("EF_Birthday")),
              QString());
}
