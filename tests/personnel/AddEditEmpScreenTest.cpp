#include "PersonnelFixture.h"
#include "ScreenFixture.h"
#include "common/widgets/BEDateEdit.h"
#include "personnel/UAdd_Edit_Emp_His.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

using namespace wel;
using namespace wel::test;

namespace {
int countWhere(Database& db, const QString& condition, const QVariantList& params)
{
    return int(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Emp_Gov_Histry WHERE ") + condition, params)
                   .integer(0, QStringLiteral("n")));
}
} // namespace

TEST(AddEditEmpScreen, ClerkAddsEditsAndDeletesAnEmployee)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    MessageLog log;
    TfrmAdd_Edit_Emp_His s(ScreenContext{db, loginAs(db, QStringLiteral("FC"))});
    s.resize(1100, 800);
    s.show();
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    EXPECT_FALSE(control(&s, "Panel3")->isVisible());

    // adding: right type "2" fixed, the clerk's own faculty, no bank account
    press(&s, "btnAdd_data");
    ASSERT_TRUE(control(&s, "Panel3")->isVisible());
    EXPECT_FALSE(control(&s, "RadioGroup1")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>(&s, "RadioGroup1_2")->isChecked());
    EXPECT_FALSE(control(&s, "cmbFact_Code3")->isEnabled());
    EXPECT_TRUE(control<QComboBox>(&s, "cmbFact_Code3")->currentText().startsWith(QStringLiteral("SC  ")));
    EXPECT_FALSE(control(&s, "grpBank")->isVisible());
    EXPECT_FALSE(control(&s, "grpBeg_Year_Bud")->isVisible());

    type(&s, "edtEMP_ID3", QStringLiteral("T900"));
    QTest::keyClick(control(&s, "edtEMP_ID3"), Qt::Key_Return);
    EXPECT_EQ(s.focusWidget(), control(&s, "edtEmp_SSN3")) << "Enter moves on like Tab";
    type(&s, "edtEmp_SSN3", QStringLiteral("1234567890123"));
    type(&s, "edtEmp_Surname3", QStringLiteral("นางสาว"));
    type(&s, "edtEmp_F_Name3", QStringLiteral("ใหม่ใจ"));
    type(&s, "edtEmp_L_Name3", QStringLiteral("ทดลองงาน"));
    type(&s, "edtEmp_Level3", QStringLiteral("123"));
    EXPECT_EQ(textOf(&s, "edtEmp_Level3"), QStringLiteral("12")) << "level takes two characters";
    type(&s, "edtEmp_In_date3", QStringLiteral("01062560"));
    press(&s, "btnSave3");
    EXPECT_EQ(log.seen, (QStringList{QStringLiteral("confirm: ยืนยันการบันทึกข้อมูล "),
                                     QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว")}));
    EXPECT_FALSE(control(&s, "Panel3")->isVisible());
    const Rows added = db.select(QStringLiteral("SELECT * FROM T_Emp_Gov_Histry WHERE EMP_ID = 'T900'"));
    ASSERT_EQ(added.count(), 1);
    const QString kvId = added.text(0, QStringLiteral("KV_ID"));
    EXPECT_EQ(added.text(0, QStringLiteral("Fact_code")), QStringLiteral("SC"));
    EXPECT_EQ(added.text(0, QStringLiteral("Emp_H_Type")), QStringLiteral("2"));
    EXPECT_EQ(added.text(0, QStringLiteral("Emp_In_date2")), QStringLiteral("01/06/2560"));
    EXPECT_EQ(added.text(0, QStringLiteral("Emp_F_Name")), QStringLiteral("ใหม่ใจ"));

    // editing: find by staff number, load, change, save
    log.seen.clear();
    press(&s, "btnEdit_Data");
    EXPECT_EQ(control<QAbstractButton>(&s, "btnOk2")->text(), QStringLiteral("3. แก้ไขข้อมูล"));
    EXPECT_FALSE(control(&s, "edtEMP_ID")->isEnabled());
    QTest::mouseClick(control(&s, "RadioButton2"), Qt::LeftButton);
    EXPECT_TRUE(control(&s, "edtEMP_ID")->isEnabled());
    EXPECT_FALSE(control(&s, "edtEmp_F_Name")->isEnabled());
    type(&s, "edtEMP_ID", QStringLiteral("t90"));
    press(&s, "btnSelect");
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 2), QStringLiteral("T900"));
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 7), kvId);
    EXPECT_TRUE(control<QTableView>(&s, "StringGrid1")->isColumnHidden(7));
    press(&s, "btnOk2");
    ASSERT_TRUE(control(&s, "Panel3")->isVisible());
    EXPECT_EQ(control<BEDateEdit>(&s, "edtEmp_In_date3")->text(), QStringLiteral("01/06/2560"));
    EXPECT_EQ(textOf(&s, "edtKv_ID3"), kvId);
    EXPECT_FALSE(control(&s, "grpBeg_Year_Bud")->isVisible());
    type(&s, "edtEmp_Position3", QStringLiteral("นักวิทยาศาสตร์"));
    press(&s, "btnSave3");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    EXPECT_EQ(employeeField(db, kvId, QStringLiteral("Emp_Position")), QStringLiteral("นักวิทยาศาสตร์"));

    // deleting with nothing chosen changes nothing
    press(&s, "btnDelete_data");
    EXPECT_EQ(control<QAbstractButton>(&s, "btnOk2")->text(), QStringLiteral("3. ลบข้อมูล"));
    press(&s, "btnOk2");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาเลือกชื่อพนักงานด้วย"));
    EXPECT_EQ(countWhere(db, QStringLiteral("Emp_Status <> 'A'"), {}), 0);

    QTest::mouseClick(control(&s, "RadioButton2"), Qt::LeftButton);
    type(&s, "edtEMP_ID", QStringLiteral("T900"));
    press(&s, "btnSelect");
    press(&s, "btnOk2");
    EXPECT_EQ(log.seen.mid(log.seen.size() - 2),
              (QStringList{QStringLiteral("confirm: ยืนยันการลบข้อมูล T900 นางสาวใหม่ใจ  ทดลองงาน"),
                           QStringLiteral("info: ทำการลบข้อมูลเรียบร้อยแล้ว")}));
    EXPECT_EQ(employeeField(db, kvId, QStringLiteral("Emp_Status")), QStringLiteral("D"));
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
}

TEST(AddEditEmpScreen, FinanceDivisionChoosesFacultyTypeAndBank)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    MessageLog log;
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    TfrmAdd_Edit_Emp_His s(ScreenContext{db, kv});
    s.resize(1100, 800);
    s.show();
    press(&s, "btnAdd_data");
    EXPECT_TRUE(control(&s, "RadioGroup1")->isEnabled());
    EXPECT_TRUE(control(&s, "grpBank")->isVisible());
    auto* fact = control<QComboBox>(&s, "cmbFact_Code3");
    EXPECT_TRUE(fact->isEnabled());
    EXPECT_EQ(fact->currentText(), QString());
    EXPECT_EQ(fact->itemText(0), QStringLiteral("AG  คณะเกษตรศาสตร์"));

    // required fields are checked before the confirmation
    press(&s, "btnSave3");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาใส่รหัสประจำตัวพนักงานด้วย"));

    const QString a = firstActiveOf(db, QStringLiteral("EN"));
    QTest::mouseClick(control(&s, "btnEdit_Data"), Qt::LeftButton);
    QTest::mouseClick(control(&s, "RadioButton3"), Qt::LeftButton);
    type(&s, "edtEmp_SSN", employeeField(db, a, QStringLiteral("Emp_SSN")));
    press(&s, "btnSelect");
    press(&s, "btnOk2");
    EXPECT_TRUE(control(&s, "grpBeg_Year_Bud")->isVisible());
    EXPECT_EQ(textOf(&s, "edtBeg_Year_Bud"), kv.Cur_Bud_Year);
    EXPECT_EQ(fact->currentText(), QStringLiteral("EN  คณะวิศวกรรมศาสตร์"));
    EXPECT_EQ(textOf(&s, "edtEmp_H_Type"), employeeField(db, a, QStringLiteral("Emp_H_Type")));
    EXPECT_EQ(textOf(&s, "edtBank_Account_No"), employeeField(db, a, QStringLiteral("Bank_Account_No")));
    fact->setCurrentIndex(fact->findText(QStringLiteral("MD"), Qt::MatchStartsWith));
    press(&s, "btnSave3");
    EXPECT_EQ(employeeField(db, a, QStringLiteral("Fact_code")), QStringLiteral("MD"));
}

// Showing a record changes nothing of it: a stored right type outside "1"
// to "3" shows no choice (not the previous employee's) and is kept; a value
// longer than its field's typing limit shows whole and is saved back; the
// staff number keeps its letters.
TEST(AddEditEmpScreen, SavingKeepsWhatWasOnlyShown)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    if (t.kind() == DbKind::PostgreSQL) // an installation whose column is wider than the screen's limit
        db.exec(QStringLiteral("ALTER TABLE T_Emp_Gov_Histry ALTER COLUMN Emp_Level TYPE VARCHAR(10)"));
    MessageLog log;
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString first = EmployeeService::add(db, kv, newEmployee(QStringLiteral("S601"), QStringLiteral("7600000000001"), QStringLiteral("EN"), QStringLiteral("3")));
    const QString odd = EmployeeService::add(db, kv, newEmployee(QStringLiteral("s602"), QStringLiteral("7600000000002"), QStringLiteral("EN")));
    db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_H_Type = '9', Emp_Level = 'C10' WHERE KV_ID = ?"), {odd});

    TfrmAdd_Edit_Emp_His s(ScreenContext{db, kv});
    s.show();
    auto load = [&](const QString& empId) {
        press(&s, "btnEdit_Data");
        QTest::mouseClick(control(&s, "RadioButton2"), Qt::LeftButton);
        type(&s, "edtEMP_ID", empId);
        press(&s, "btnSelect");
        press(&s, "btnOk2");
    };
    load(QStringLiteral("S601"));
    EXPECT_TRUE(control<QRadioButton>(&s, "RadioGroup1_3")->isChecked());
    load(QStringLiteral("S602"));
    EXPECT_EQ(textOf(&s, "edtKv_ID3"), odd);
    for (const char* type : {"RadioGroup1_1", "RadioGroup1_2", "RadioGroup1_3"})
        EXPECT_FALSE(control<QRadioButton>(&s, type)->isChecked()) << type;
    EXPECT_EQ(textOf(&s, "edtEmp_Level3"), QStringLiteral("C10"));
    EXPECT_EQ(textOf(&s, "edtEMP_ID3"), QStringLiteral("s602"));
    type(&s, "edtEmp_Position3", QStringLiteral("อาจารย์"));
    press(&s, "btnSave3");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    expectFields(db, odd,
                 {{"Emp_H_Type", QStringLiteral("9")}, {"Emp_Level", QStringLiteral("C10")}, {"EMP_ID", QStringLiteral("s602")},
                  {"Emp_Position", QStringLiteral("อาจารย์")}});
}
