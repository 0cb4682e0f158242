#include "PersonnelFixture.h"
#include "ScreenFixture.h"
#include "personnel/UEmp_Exit.h"

using namespace wel;
using namespace wel::test;

TEST(EmpExitScreen, ClerkRecordsALeavingAndTheEmployeeIsGoneFromSearches)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    MessageLog log;
    const LoginContext fc = loginAs(db, QStringLiteral("FC"));
    const QString own = firstActiveOf(db, QStringLiteral("SC"));
    const QString ownEmp = employeeField(db, own, QStringLiteral("EMP_ID"));
    const QString otherEmp = employeeField(db, firstActiveOf(db, QStringLiteral("EN")), QStringLiteral("EMP_ID"));

    TfrmEmp_Exit s(ScreenContext{db, fc});
    s.resize(1100, 800);
    s.show();
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    EXPECT_EQ(textOf(&s, "edtT_U_H"), QStringLiteral("0"));

    QTest::mouseClick(control(&s, "RadioButton2"), Qt::LeftButton);
    type(&s, "edtEMP_ID", otherEmp);
    press(&s, "btnSelect");
    EXPECT_EQ(log.last(), QStringLiteral("warning: ไม่พบข้อมูลที่ต้องการ")) << "another faculty's staff are not listed";

    type(&s, "edtEMP_ID", ownEmp);
    press(&s, "btnSelect");
    EXPECT_EQ(cell(&s, "StringGrid2", 0, 2), ownEmp);
    for (int hidden : {1, 7, 8})
        EXPECT_TRUE(control<QTableView>(&s, "StringGrid2")->isColumnHidden(hidden)) << hidden;
    press(&s, "btnOk2");
    ASSERT_TRUE(control(&s, "Panel2")->isVisible());
    EXPECT_EQ(textOf(&s, "edtEmp_Name"),
              employeeField(db, own, QStringLiteral("Emp_Surname")) + employeeField(db, own, QStringLiteral("Emp_F_Name"))
                  + QLatin1Char(' ') + employeeField(db, own, QStringLiteral("Emp_L_Name")));
    EXPECT_EQ(textOf(&s, "edtKV_ID3"), own);
    EXPECT_EQ(textOf(&s, "edtFact_Code"), QStringLiteral("SC"));
    EXPECT_EQ(textOf(&s, "edtFact_Name"), QStringLiteral("คณะวิทยาศาสตร์"));
    const QMap<QString, QString> limits = {{QStringLiteral("1"), QStringLiteral("200,000")},
                                           {QStringLiteral("2"), QStringLiteral("20,000")},
                                           {QStringLiteral("3"), QStringLiteral("ไม่จำกัดวงเงิน")}};
    EXPECT_EQ(textOf(&s, "edtT_U_H"), limits.value(employeeField(db, own, QStringLiteral("Emp_H_Type"))));

    type(&s, "edtEmp_Out_date", QStringLiteral("31042568"));
    press(&s, "btnSave");
    EXPECT_EQ(log.last(), QStringLiteral("warning: วันที่ลาออก ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)"));
    type(&s, "edtEmp_Out_date", QStringLiteral("30092568"));
    type(&s, "edtExit_Reason", QStringLiteral("เกษียณอายุ"));
    type(&s, "edtExit_doc", QStringLiteral("123/2568"));
    press(&s, "btnSave");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    expectFields(db, own,
                 {{"Emp_Status", QStringLiteral("O")}, {"Emp_Out_date", QStringLiteral("30/09/2568")},
                  {"Exit_Reason", QStringLiteral("เกษียณอายุ")}, {"Exit_doc", QStringLiteral("123/2568")},
                  {"USER_E_Exit", QStringLiteral("clerk")}});
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    EXPECT_EQ(rowsIn(&s, "StringGrid2"), 1);
    EXPECT_EQ(cell(&s, "StringGrid2", 0, 2), QString());

    press(&s, "btnSelect");
    EXPECT_EQ(log.last(), QStringLiteral("warning: ไม่พบข้อมูลที่ต้องการ"));
}
