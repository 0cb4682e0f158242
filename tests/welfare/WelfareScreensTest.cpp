#include "WelfareFixture.h"
#include "MessageLog.h"
#include "ScreenFixture.h"
#include "PreviewRecorder.h"
#include "common/widgets/ScreenRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <memory>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

std::unique_ptr<QWidget> open(const char* screen, const ScreenContext& context)
{
    registerAllScreens();
    std::unique_ptr<QWidget> w(ScreenRegistry::instance().create(QString::fromLatin1(screen), context));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->resize(1280, 800);
    w->show();
    return w;
}

void click(QWidget* s, const char* radio)
{
    QTest::mouseClick(control<QRadioButton>(s, radio), Qt::LeftButton, {}, QPoint(5, 5));
}

} // namespace

TEST(OverLimitScreens, FinanceEntersAClaimAboveTheLimitAndPrintsItsForm)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString left = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("1"));
    f.addYear(left, QStringLiteral("2568"), baht(200000), baht(199000));
    const QString full = f.addEmployee(2, QStringLiteral("EN"), QStringLiteral("1"));
    f.addYear(full, QStringLiteral("2568"), baht(200000), baht(200000));
    MessageLog log;
    test::PreviewTitles previews;
    const ScreenContext finance{f.db, f.login(QStringLiteral("KV"), QStringLiteral("OP"))};

    auto s = open("TfrmEntry_Health_Over_Vong_Money", finance);
    EXPECT_EQ(control<QComboBox>(s.get(), "cmbSel_Year_BudDate")->currentText(), QStringLiteral("2569"))
        << "the budget-year box opens on its last year";
    type(s.get(), "edtFact_Code", QStringLiteral("en"));
    type(s.get(), "edtEmp_F_Name", QStringLiteral("สมชาย"));
    press(s.get(), "btnSelect");
    control<QComboBox>(s.get(), "cmbSel_Year_BudDate")->setCurrentText(QStringLiteral("2568"));
    chooseRow(s.get(), "StringGrid1", 0);
    press(s.get(), "btnPost_Heal");
    EXPECT_TRUE(log.texts.last().startsWith(QStringLiteral("ต้องเบิกใช้วงเงินเต็มจำนวนก่อน"))) << log.last().toStdString();
    EXPECT_FALSE(control(s.get(), "Panel2")->isVisible());

    chooseRow(s.get(), "StringGrid1", 1);
    press(s.get(), "btnPost_Heal");
    ASSERT_TRUE(control(s.get(), "Panel2")->isVisible());
    EXPECT_EQ(textOf(s.get(), "edtM_Pay3"), QStringLiteral("200,000"));
    EXPECT_FALSE(control(s.get(), "edtM_Flexben")->isVisible());
    EXPECT_EQ(s->findChild<QWidget*>(QStringLiteral("CheckBox7")), nullptr) << "patients 0 to 6";
    click(s.get(), "RadioGroup1_1");
    type(s.get(), "cmbDate_folk00", QStringLiteral("01112567"));
    type(s.get(), "edtTotal_M_Folk00", QStringLiteral("2500.25"));
    type(s.get(), "edtHospital_folk00", QStringLiteral("โรงพยาบาลศูนย์"));
    press(s.get(), "btnAdd");
    EXPECT_EQ(textOf(s.get(), "edtSum_Berg"), QStringLiteral("2,500.25"));
    press(s.get(), "btnShow_Vong");
    EXPECT_EQ(textOf(s.get(), "edtVong4"), QStringLiteral("0.00"));
    press(s.get(), "btnSave");
    EXPECT_EQ(control<QLabel>(s.get(), "L_Berg_Doc_ID")->text(), QStringLiteral("EN2568/0000001"));
    press(s.get(), "btnPrint");
    EXPECT_EQ(previews.titles, (QStringList{QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลกรณีเกินวงเงิน (ไม่ตัดวงเงิน)")}));
    EXPECT_EQ(f.yearValue(full, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(200000));

    // "ออก" of the entry panel goes back to the search.
    press(s.get(), "btnPost_Heal");
    press(s.get(), "btnExit2");
    EXPECT_TRUE(control(s.get(), "Panel1")->isVisible());
    EXPECT_TRUE(s->isVisible());
}

TEST(OtherWelfareScreens, ClerkRecordsAPaymentForAnotherFacultyAndCancelsIt)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("3"));
    MessageLog log;
    const ScreenContext clerk{f.db, f.login()};
    {
        auto s = open("TfrmEntry_Other_Health", clerk);
        EXPECT_FALSE(control(s.get(), "cmbDate_Berg1")->isEnabled());
        EXPECT_EQ(control<QLabel>(s.get(), "lblFact_Code")->text(), QStringLiteral("รหัสคณะ"));
        type(s.get(), "edtFact_Code", QStringLiteral("en"));
        type(s.get(), "edtEmp_F_Name", QStringLiteral("สมชาย"));
        press(s.get(), "btnSelect");
        auto* kinds = control<QComboBox>(s.get(), "cmbHealth_In_Out_t");
        ASSERT_EQ(kinds->count(), 4) << "the welfare kinds of group O";
        kinds->setCurrentIndex(kinds->findData(QStringLiteral("S")));
        press(s.get(), "btnPost_Heal");
        ASSERT_TRUE(control(s.get(), "Panel2")->isVisible());
        EXPECT_EQ(control<QLabel>(s.get(), "L_Title")->text(),
                  QStringLiteral("บันทึกการเบิกเงินช่วยเหลือกรณีประสบอันตรายจากการทำงาน"));
        EXPECT_EQ(textOf(s.get(), "edtM_Pay3"), QStringLiteral("ไม่จำกัดวงเงิน"));
        press(s.get(), "btnSave");
        EXPECT_EQ(log.texts.last(), QStringLiteral("กรุณาใส่จำนวนเงินด้วย"));
        type(s.get(), "edtM_Berg", QStringLiteral("15000"));
        QTest::keyClick(control(s.get(), "edtM_Berg"), Qt::Key_Return);
        EXPECT_EQ(textOf(s.get(), "edtM_Berg"), QStringLiteral("15,000.00")) << "Enter rewrites the amount";
        type(s.get(), "edtMati_date", QStringLiteral("31042567"));
        press(s.get(), "btnSave");
        EXPECT_TRUE(log.texts.last().startsWith(QStringLiteral("กรุณาใส่วันที่อนุมัติให้ถูกต้อง")));
        type(s.get(), "edtMati_date", QStringLiteral("30042567"));
        press(s.get(), "btnSave");
        EXPECT_EQ(log.texts.last(), QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว\nเลขที่ใบเบิก SC2568/0000001"));
        EXPECT_TRUE(control(s.get(), "Panel1")->isVisible());
    }
    EXPECT_EQ(f.claimValue(QStringLiteral("SC2568/0000001"), QStringLiteral("Fact_Code")), QStringLiteral("EN"));
    EXPECT_EQ(f.claimValue(QStringLiteral("SC2568/0000001"), QStringLiteral("Mati_date")), QStringLiteral("30/04/2567"));
    {
        auto s = open("TfrmCancel_Other_Health", clerk);
        ASSERT_TRUE(control(s.get(), "Panel2")->isVisible()) << "no start panel";
        type(s.get(), "edtFact_Code", QStringLiteral("en"));
        press(s.get(), "btnSelect");
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 10), QStringLiteral("เงินช่วยเหลือกรณีประสบอันตรายจากการทำงาน"));
        press(s.get(), "btnOK");
        ASSERT_TRUE(control(s.get(), "Panel3")->isVisible());
        EXPECT_EQ(textOf(s.get(), "edtHealth_In_Out_t"), QStringLiteral("S"));
        EXPECT_TRUE(control<QCheckBox>(s.get(), "CheckBox0")->isChecked());
        EXPECT_EQ(textOf(s.get(), "edtM_Can_Berg"), QStringLiteral("15,000.00"));
        press(s.get(), "btnSave");
        EXPECT_EQ(log.texts.last(), QStringLiteral("ไม่พบข้อมูลที่ต้องการ")) << "the search ran again and found none left";
        EXPECT_TRUE(control(s.get(), "Panel2")->isVisible());
    }
    EXPECT_EQ(f.claimValue(QStringLiteral("SC2568/0000001"), QStringLiteral("Berg_Doc_Status")), QStringLiteral("NO"));
}

TEST(EducationScreens, ClerkEntersTuitionForTwoChildrenAndSendsTheClaim)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    const QString kv = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"), false);
    f.addFolk(kv, 4, QStringLiteral("เด็กชาย"), QStringLiteral("หนึ่ง"), QStringLiteral("ใจดี"), QStringLiteral("01/06/2560"));
    f.addFolk(kv, 5, QStringLiteral("เด็กหญิง"), QStringLiteral("สอง"), QStringLiteral("ใจดี"));
    MessageLog log;
    test::PreviewTitles previews;
    const ScreenContext clerk{f.db, f.login()};
    {
        auto s = open("TfrmEntry_Son_Stu", clerk);
        press(s.get(), "btnSelect"); // an empty name lists the faculty's staff
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 8), QStringLiteral("ไม่มี"));
        EXPECT_EQ(cell(s.get(), "StringGrid1", 1, 8), QStringLiteral("มี"));
        EXPECT_EQ(control<QComboBox>(s.get(), "cmbSel_Year_BudDate")->currentText(), QStringLiteral("2568"))
            << "the right is read for the current budget year, not the last one listed";
        press(s.get(), "btnPost_Heal");
        EXPECT_EQ(log.texts.last(),
                  QStringLiteral("พนักงานคนนี้ ไม่มีสิทธิในการเบิกค่าเล่าเรียนบุตร\nเนื่องจากเลือกสิทธิประเภท : 2"));
        chooseRow(s.get(), "StringGrid1", 1);
        press(s.get(), "btnPost_Heal");
        ASSERT_TRUE(control(s.get(), "Panel2")->isVisible());
        EXPECT_EQ(textOf(s.get(), "edtBud_Year_Berg"), QStringLiteral("2568"));
        press(s.get(), "btnShow_Name");
        EXPECT_EQ(textOf(s.get(), "edtFolk_F_Name"), QStringLiteral("เด็กชายหนึ่ง  ใจดี"));
        EXPECT_EQ(textOf(s.get(), "edtYear_old"), QStringLiteral("7"));
        press(s.get(), "btnAdd");
        EXPECT_EQ(log.texts.last(), QStringLiteral("กรุณาใส่ข้อมูลภาคเรียนด้วย"));
        const struct {
            const char* child;
            const char* amount;
        } lines[] = {{"RadioGroup1_0", "4500"}, {"RadioGroup1_1", "3000.50"}};
        for (const auto& l : lines) {
            click(s.get(), l.child);
            type(s.get(), "edtEdu_Term", QStringLiteral("1"));
            type(s.get(), "edtEdu_Level", QStringLiteral("ประถมศึกษาปีที่ 1"));
            type(s.get(), "edtSchool_Name", QStringLiteral("โรงเรียนสาธิต"));
            type(s.get(), "edtM_Berg", QString::fromLatin1(l.amount));
            press(s.get(), "btnAdd");
        }
        EXPECT_EQ(cell(s.get(), "StringGrid_Edu", 1, 2), QStringLiteral("สอง"));
        EXPECT_EQ(cell(s.get(), "StringGrid_Edu", 1, 10), QString()) << "no birth date, no age";
        EXPECT_TRUE(control<QCheckBox>(s.get(), "CheckBox5")->isChecked());
        EXPECT_EQ(textOf(s.get(), "edtSum_Berg"), QStringLiteral("7,500.50"));
        press(s.get(), "btnSave");
        EXPECT_EQ(log.texts.last(), QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว\nเลขที่ใบเบิก SC2568/0000001"));
    }
    {
        // Two workstations list the claim; the second sends it.
        auto first = open("TfrmRep_Edu_Sent_Kv", clerk);
        press(first.get(), "btnShow");
        ASSERT_TRUE(control(first.get(), "Panel2")->isVisible());
        auto s = open("TfrmRep_Edu_Sent_Kv", clerk);
        EXPECT_FALSE(control(s.get(), "edtPay_Year")->isVisible());
        EXPECT_FALSE(control(s.get(), "edtFact_Code")->isVisible());
        press(s.get(), "btnShow");
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 4), QStringLiteral("7,500.50"));
        press(s.get(), "btnSelectAll");
        press(s.get(), "btnSent_KV");
        EXPECT_EQ(previews.titles.last(), QStringLiteral("สรุปใบเบิกสวัสดิการการศึกษาบุตรพนักงานมหาวิทยาลัย"));
        EXPECT_FALSE(control(s.get(), "Panel2")->isVisible());
        press(s.get(), "btnShow");
        EXPECT_EQ(log.texts.last(), kNotFound);
        EXPECT_FALSE(control(s.get(), "Panel2")->isVisible()) << "a hidden result panel stays hidden";
        // The first one, asked again, finds nothing: its result panel stays
        // open with the grid and both totals emptied.
        press(first.get(), "btnShow");
        EXPECT_EQ(log.texts.last(), kNotFound);
        EXPECT_TRUE(control(first.get(), "Panel2")->isVisible());
        EXPECT_EQ(cell(first.get(), "StringGrid1", 0, 2), QString());
        EXPECT_EQ(textOf(first.get(), "edtSum_Shows"), QStringLiteral("0"));
        EXPECT_EQ(textOf(first.get(), "edtSum_Select"), QStringLiteral("0"));
    }
    EXPECT_EQ(f.claimValue(QStringLiteral("SC2568/0000001"), QStringLiteral("Berg_Doc_Status")), QStringLiteral("KV"));
    {
        auto s = open("TfrmRe_Print_Doc_Edu", clerk);
        EXPECT_FALSE(control(s.get(), "edtFact_Code")->isEnabled());
        press(s.get(), "btnShow");
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 1), QStringLiteral("KV2568/000001SC"));
    }
}
