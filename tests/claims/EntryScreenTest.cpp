#include "ClaimsFixture.h"
#include "ScreenFixture.h"
#include "claims/UEntry_Health.h"
#include "PreviewRecorder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

void choose(QWidget* s, const char* radio) { QTest::mouseClick(control<QRadioButton>(s, radio), Qt::LeftButton, {}, QPoint(5, 5)); }

} // namespace

TEST(EntryScreen, ClerkEntersAClaimPatientByPatientAndPrintsItsForm)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(18000));
    const QString usedUp = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(usedUp, QStringLiteral("2568"), baht(20000), baht(20000));
    f.addEmployee(3, QStringLiteral("EN"), QStringLiteral("1"));
    MessageLog log;
    test::PreviewTitles previews;

    TfrmEntry_Health s(ScreenContext{f.db, f.login()});
    s.resize(1280, 800);
    s.show();
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    EXPECT_FALSE(control(&s, "DT_Sel_Date")->isEnabled()) << "the claim date is the finance division's to change";
    EXPECT_TRUE(control<QLineEdit>(&s, "edtFact_Code")->isReadOnly());
    auto* years = control<QComboBox>(&s, "cmbSel_Year_BudDate");
    EXPECT_EQ(years->count(), 3);
    EXPECT_EQ(years->currentText(), QString());
    EXPECT_FALSE(years->isEditable()) << "only the years of TR_Select_Year_Bud";

    press(&s, "btnSelect");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาใส่ชื่อที่ต้องการค้นหาด้วย"));
    type(&s, "edtEmp_F_Name", QStringLiteral("สมชาย"));
    press(&s, "btnSelect");
    ASSERT_EQ(rowsIn(&s, "StringGrid1"), 2) << "the EN employee is not listed";
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 7), kv);

    press(&s, "btnPost_Heal");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาเลือกปีงบประมาณที่ตัดเงิน ด้วย"));
    years->setCurrentText(QStringLiteral("2568"));
    chooseRow(&s, "StringGrid1", 1);
    press(&s, "btnPost_Heal");
    EXPECT_EQ(log.last(), QStringLiteral("warning: วงเงินมีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก"));
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());

    // Sorted by a heading, the row chosen is the employee it shows, not the
    // one listed there before (the panel keeps the employees by row).
    control<QTableView>(&s, "StringGrid1")->sortByColumn(0, Qt::DescendingOrder);
    ASSERT_EQ(cell(&s, "StringGrid1", 1, 7), kv);
    chooseRow(&s, "StringGrid1", 1);
    press(&s, "btnPost_Heal");
    ASSERT_TRUE(control(&s, "Panel2")->isVisible());
    EXPECT_FALSE(control(&s, "Panel1")->isVisible()) << "the entry panel covers the search";
    EXPECT_EQ(textOf(&s, "edtKV_ID3"), kv);
    EXPECT_EQ(textOf(&s, "edtM_Pay3"), QStringLiteral("20,000.00"));
    EXPECT_EQ(textOf(&s, "edtDate_berg"), QStringLiteral("15/11/2567"));
    EXPECT_EQ(textOf(&s, "edtPay_Year"), QStringLiteral("2568"));

    press(&s, "btnShow_Vong");
    EXPECT_TRUE(control(&s, "Panel3")->isVisible());
    EXPECT_EQ(textOf(&s, "edtVong4"), QStringLiteral("2,000.00"));
    press(&s, "btnOK_Vong");
    EXPECT_FALSE(control(&s, "Panel3")->isVisible());

    // Self 1,500, a receipt refused for the spouse (no family row), father 1,000.
    type(&s, "cmbDate_folk00", QStringLiteral("01112567"));
    type(&s, "edtTotal_M_Folk00", QStringLiteral("1500"));
    type(&s, "edtHospital_folk00", QStringLiteral("โรงพยาบาลมหาวิทยาลัย"));
    press(&s, "btnAdd");
    EXPECT_EQ(cell(&s, "StringGrid_Folk0", 0, 1), QStringLiteral("ตนเอง(นายสมชาย1 ใจดี)"));
    EXPECT_EQ(cell(&s, "StringGrid_Folk0", 0, 3), QStringLiteral("1,500.00"));
    EXPECT_EQ(textOf(&s, "edtTotal_M_Folk00"), QStringLiteral("0"));
    choose(&s, "RadioGroup1_3");
    type(&s, "edtTotal_M_Folk00", QStringLiteral("10"));
    type(&s, "edtHospital_folk00", QStringLiteral("คลินิก"));
    press(&s, "btnAdd");
    EXPECT_EQ(log.last(), QStringLiteral("warning: ไม่พบข้อมูลคู่สมรส\rให้แจ้งฝ่ายการเจ้าหน้าที่คณะ บันทึกข้อมูลเพิ่มเติม"));
    type(&s, "cmbDate_folk00", QStringLiteral("30092567"));
    choose(&s, "RadioGroup1_1");
    press(&s, "btnAdd");
    EXPECT_EQ(log.last(), QStringLiteral("warning: วันที่ในใบเสร็จต้องอยู่ในปีงบประมาณ 2568 (01/10/2567 - 30/09/2568)"));
    type(&s, "cmbDate_folk00", QStringLiteral("02112567"));
    type(&s, "edtTotal_M_Folk00", QStringLiteral("1,000"));
    press(&s, "btnAdd");
    type(&s, "edtTotal_M_Folk00", QStringLiteral("5"));
    type(&s, "edtHospital_folk00", QStringLiteral("คลินิก"));
    press(&s, "btnAdd");
    ASSERT_EQ(rowsIn(&s, "StringGrid_Folk0"), 3);
    EXPECT_EQ(textOf(&s, "edtP_Money1"), QStringLiteral("1,005.00"));
    chooseRow(&s, "StringGrid_Folk0", 2);
    press(&s, "btnDel");
    EXPECT_EQ(rowsIn(&s, "StringGrid_Folk0"), 2);
    EXPECT_TRUE(control<QCheckBox>(&s, "CheckBox0")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(&s, "CheckBox1")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(&s, "CheckBox3")->isChecked());
    EXPECT_EQ(textOf(&s, "edtSum_Berg"), QStringLiteral("2,500.00"));

    press(&s, "btnSave");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    ASSERT_TRUE(control(&s, "Panel4")->isVisible());
    EXPECT_EQ(control<QLabel>(&s, "L_Berg_Doc_ID")->text(), QStringLiteral("SC2568/0000001"));
    // The worked example: the father, entered last, bears the 500 baht above the limit.
    EXPECT_EQ(f.claimValue(QStringLiteral("SC2568/0000001"), QStringLiteral("M_Can_Berg")).toDouble(), 2000.0);
    EXPECT_EQ(f.db.select(QStringLiteral("SELECT HM_Can_Berg FROM T_Pay_Health_Detail WHERE Emp_Folk = '1'"))
                  .money(0, QStringLiteral("HM_Can_Berg")),
              baht(500));

    press(&s, "btnPrint");
    EXPECT_EQ(previews.titles, (QStringList{QStringLiteral("ใบเบิกสวัสดิการพนักงาน")}));
    EXPECT_FALSE(control(&s, "Panel4")->isVisible());
    EXPECT_TRUE(control(&s, "Panel1")->isVisible());
}

// Money typed by a clerk is never changed without a word, and a receipt
// dated after the claim date (today's) is refused like one too old.
TEST(EntryScreen, AnAmountWithThreeDecimalsAndAReceiptOfTomorrowAreRefused)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(0));
    MessageLog log;
    TfrmEntry_Health s(ScreenContext{f.db, f.login()});
    s.show();
    QApplication::setActiveWindow(&s);
    type(&s, "edtEmp_F_Name", QStringLiteral("สมชาย"));
    press(&s, "btnSelect");
    control<QComboBox>(&s, "cmbSel_Year_BudDate")->setCurrentText(QStringLiteral("2568"));
    chooseRow(&s, "StringGrid1", 0);
    press(&s, "btnPost_Heal");
    ASSERT_TRUE(control(&s, "Panel2")->isVisible());
    log.seen.clear();

    const QString threeDecimals = QStringLiteral("warning: จำนวนเงิน \"100.125\" มีทศนิยมเกิน 2 ตำแหน่ง");
    type(&s, "edtTotal_M_Folk00", QStringLiteral("100.125"));
    type(&s, "edtHospital_folk00", QStringLiteral("คลินิก")); // leaves the amount
    EXPECT_EQ(log.seen, QStringList{threeDecimals}) << "told as the field is left";
    EXPECT_EQ(textOf(&s, "edtTotal_M_Folk00"), QStringLiteral("100.125")) << "not rounded to 100.13";
    press(&s, "btnAdd");
    EXPECT_EQ(log.last(), threeDecimals);
    EXPECT_EQ(cell(&s, "StringGrid_Folk0", 0, 3), QString()) << "no receipt listed";

    type(&s, "edtTotal_M_Folk00", QStringLiteral("100.1"));
    QTest::keyClick(control(&s, "edtTotal_M_Folk00"), Qt::Key_Return);
    EXPECT_EQ(textOf(&s, "edtTotal_M_Folk00"), QStringLiteral("100.10"));

    // The claim date is the log-in date, 15/11/2567.
    type(&s, "cmbDate_folk00", QStringLiteral("16112567"));
    press(&s, "btnAdd");
    EXPECT_EQ(log.last(), QStringLiteral("warning: วันที่ใบเสร็จ(16/11/2567)เลยวันที่เบิก(15/11/2567)\rไม่สามารถนำมาเบิกได้"));
    EXPECT_EQ(cell(&s, "StringGrid_Folk0", 0, 3), QString());
    type(&s, "cmbDate_folk00", QStringLiteral("15112567"));
    press(&s, "btnAdd");
    EXPECT_EQ(cell(&s, "StringGrid_Folk0", 0, 3), QStringLiteral("100.10")) << "a receipt of the claim date itself is taken";
}

TEST(EntryScreen, FinanceDivisionFilesUnderTheFacultyItSearched)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString en = f.addEmployee(3, QStringLiteral("EN"), QStringLiteral("1"));
    MessageLog log;
    TfrmEntry_Health s(ScreenContext{f.db, f.login(QStringLiteral("KV"), QStringLiteral("OP"))});
    s.resize(1280, 800);
    s.show();
    EXPECT_TRUE(control(&s, "DT_Sel_Date")->isEnabled());
    type(&s, "edtFact_Code", QStringLiteral("en"));
    choose(&s, "RadioButton2");
    press(&s, "btnSelect");
    ASSERT_EQ(cell(&s, "StringGrid1", 0, 7), en);
    // Editing the faculty after the search does not move the claim.
    type(&s, "edtFact_Code", QStringLiteral("SC"));
    control<QComboBox>(&s, "cmbSel_Year_BudDate")->setCurrentText(QStringLiteral("2568"));
    type(&s, "DT_Sel_Date", QStringLiteral("20112567"));
    press(&s, "btnPost_Heal");
    EXPECT_EQ(textOf(&s, "edtDate_berg"), QStringLiteral("20/11/2567"));
    type(&s, "cmbDate_folk00", QStringLiteral("01112567"));
    type(&s, "edtTotal_M_Folk00", QStringLiteral("300"));
    type(&s, "edtHospital_folk00", QStringLiteral("คลินิก"));
    press(&s, "btnAdd");
    press(&s, "btnSave");
    EXPECT_EQ(control<QLabel>(&s, "L_Berg_Doc_ID")->text(), QStringLiteral("EN2568/0000001"));
    EXPECT_EQ(f.claimValue(QStringLiteral("EN2568/0000001"), QStringLiteral("Date_berg")), QStringLiteral("20/11/2567"));
}
