#include "ClaimsFixture.h"
#include "ScreenFixture.h"
#include "copay/UCo_Pay_Entry.h"
#include "copay/URep_COP_Sent_Kv.h"
#include "inpatient/UHospital_Entry.h"
#include "inpatient/UQ_Hospital.h"
#include "inpatient/USum_Hospital.h"
#include "PreviewRecorder.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

void addReceipt(QWidget* s, const char* date, const char* amount)
{
    type(s, "cmbDate_folk00", QString::fromLatin1(date));
    type(s, "edtTotal_M_Folk00", QString::fromLatin1(amount));
    type(s, "edtHospital_folk00", QStringLiteral("โรงพยาบาลมหาวิทยาลัย"));
    press(s, "btnAdd");
}

} // namespace

TEST(KindScreens, CopayClerkPassesTheGatesSavesAndSummarises)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString left = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(left, QStringLiteral("2568"), baht(20000), baht(12000));
    const QString typeOne = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"));
    const QString usedUp = f.addEmployee(3, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(usedUp, QStringLiteral("2568"), baht(20000), baht(20000));
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = 25000, Fact_U_Copay = 3000"));
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 1)"));
    MessageLog log;
    test::PreviewTitles previews;

    TfrmCo_Pay_Entry s(ScreenContext{f.db, f.login()});
    s.resize(1280, 800);
    s.show();
    press(&s, "btnSelect"); // an empty given name lists everyone
    ASSERT_EQ(rowsIn(&s, "StringGrid1"), 3);
    EXPECT_EQ(cell(&s, "StringGrid1", 1, 8), QStringLiteral("ไม่มี"));
    EXPECT_EQ(cell(&s, "StringGrid1", 2, 8), QStringLiteral("มี"));
    EXPECT_EQ(cell(&s, "StringGrid1", 2, 9), QStringLiteral("นักวิชาการศึกษา")) << "position moved to column 9";
    control<QComboBox>(&s, "cmbSel_Year_BudDate")->setCurrentText(QStringLiteral("2568"));
    const struct {
        int row;
        QString message;
    } refused[] = {{0, copayMessages::medicalNotUsedUp}, {1, copayMessages::typeRefused}};
    for (const auto& r : refused) {
        chooseRow(&s, "StringGrid1", r.row);
        press(&s, "btnPost_Heal");
        EXPECT_EQ(log.texts.last(), r.message);
        EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    }
    chooseRow(&s, "StringGrid1", 2);
    press(&s, "btnPost_Heal");
    ASSERT_TRUE(control(&s, "Panel2")->isVisible());
    EXPECT_EQ(textOf(&s, "edtM_Pay3"), QStringLiteral("20,000"));
    EXPECT_FALSE(control(&s, "edtM_Flexben")->isVisible());
    EXPECT_EQ(s.findChildren<QRadioButton*>(QRegularExpression(QStringLiteral("^RadioGroup1_"))).size(), 7);
    press(&s, "btnShow_Vong");
    EXPECT_EQ(textOf(&s, "edtVong1"), QStringLiteral("25,000.00"));
    EXPECT_EQ(textOf(&s, "edtVong3"), QStringLiteral("3,000.00"));
    EXPECT_EQ(textOf(&s, "edtVong4"), QStringLiteral("22,000.00"));
    addReceipt(&s, "01112567", "1500");
    press(&s, "btnSave");
    EXPECT_EQ(control<QLabel>(&s, "L_Berg_Doc_ID")->text(), QStringLiteral("SC2568/0000001"));
    press(&s, "btnPrint");
    EXPECT_EQ(previews.titles.last(), QStringLiteral("ใบเบิกค่ารักษาแบบ CO-PAY พนักงานมหาวิทยาลัย"));
    EXPECT_EQ(f.yearValue(usedUp, QStringLiteral("2568"), QStringLiteral("Fact_U_Copay")), baht(4500));

    TfrmRep_COP_Sent_Kv sum(ScreenContext{f.db, f.login()});
    sum.resize(1280, 800);
    sum.show();
    EXPECT_EQ(textOf(&sum, "edtPay_Year"), QStringLiteral("2568"));
    press(&sum, "btnShow");
    ASSERT_TRUE(control(&sum, "Panel2")->isVisible());
    press(&sum, "btnSelectAll");
    press(&sum, "btnSent_KV");
    EXPECT_EQ(sum.lastControlNo(), QStringLiteral("KV2568/000001SC"));
    EXPECT_EQ(previews.titles.last(), QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย(CO-PAY)-คนไข้นอก"));
    EXPECT_EQ(f.yearValue(usedUp, QStringLiteral("2568"), QStringLiteral("Kv_U_Copay")), baht(1500));
}

TEST(KindScreens, HospitalClerkEntersAnyFacultysPatientAndSummarises)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString en = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("2"));
    f.addYear(en, QStringLiteral("2568"), baht(20000), baht(10000), baht(2000));
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('HO', '2568', 1)"));
    const LoginContext clerk = f.login(QString(), QStringLiteral("HO"));
    MessageLog log;
    test::PreviewTitles previews;

    TfrmHospital_Entry s(ScreenContext{f.db, clerk});
    s.resize(1280, 800);
    s.show();
    EXPECT_FALSE(control(&s, "DT_Sel_Date")->isEnabled());
    EXPECT_FALSE(control(&s, "RadioGroup5")->isEnabled());
    type(&s, "edtEmp_F_Name", QStringLiteral("สมชาย"));
    press(&s, "btnSelect");
    ASSERT_EQ(cell(&s, "StringGrid1", 0, 7), en) << "an EN employee found by the HO clerk";
    control<QComboBox>(&s, "cmbSel_Year_BudDate")->setCurrentText(QStringLiteral("2568"));
    press(&s, "btnPost_Heal");
    ASSERT_TRUE(control(&s, "Panel2")->isVisible());
    EXPECT_EQ(textOf(&s, "edtM_Flexben"), QStringLiteral("2,000.00"));
    press(&s, "btnExit2");
    EXPECT_TRUE(control(&s, "Panel1")->isVisible()) << "ออก goes back to the search";
    press(&s, "btnPost_Heal");
    addReceipt(&s, "03112567", "9500");
    press(&s, "btnSave");
    EXPECT_EQ(control<QLabel>(&s, "L_Berg_Doc_ID")->text(), QStringLiteral("HO2568/0000001"));
    EXPECT_EQ(f.claimValue(QStringLiteral("HO2568/0000001"), QStringLiteral("M_Can_Berg")).toDouble(), 8000.0);
    press(&s, "btnPrint");
    EXPECT_EQ(previews.titles.last(), QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย (โรงพยาบาลบันทึก)"));

    TfrmSum_Hospital sum(ScreenContext{f.db, clerk});
    sum.resize(1280, 800);
    sum.show();
    EXPECT_FALSE(control(&sum, "edtFact_Code")->isVisible());
    EXPECT_FALSE(control(&sum, "RadioGroup1")->isEnabled());
    press(&sum, "btnShow");
    EXPECT_EQ(cell(&sum, "StringGrid1", 0, 4), QStringLiteral("9,500.00")) << "the amount claimed";
    press(&sum, "btnSelectAll");
    EXPECT_EQ(textOf(&sum, "edtSum_Select"), QStringLiteral("9,500.00"));
    press(&sum, "btnSent_KV");
    EXPECT_EQ(previews.titles.last(), QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล-คนไข้ใน"));
    EXPECT_EQ(f.yearValue(en, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), baht(9500));

    hospital::TfrmQ_Hospital q(ScreenContext{f.db, clerk});
    q.resize(1280, 800);
    q.show();
    press(&q, "btnShow");
    EXPECT_EQ(log.last(), QStringLiteral("warning: กรุณาเลือกชื่อพนักงานด้วย"));
    EXPECT_FALSE(control(&q, "Panel2")->isVisible());
    press(&q, "btnSelect");
    press(&q, "btnShow");
    ASSERT_TRUE(control(&q, "Panel2")->isVisible());
    EXPECT_EQ(textOf(&q, "edtM3"), QStringLiteral("0.00"));
    EXPECT_EQ(textOf(&q, "edtM2"), QStringLiteral("18,000.00"));
    EXPECT_EQ(textOf(&q, "edtFact_Code"), QStringLiteral("EN"));
    press(&q, "btnPrint");
    EXPECT_EQ(previews.titles.last(), QStringLiteral("ใบแสดงยอดคงเหลือ สวัสดิการค่ารักษาพยาบาล"));
}
