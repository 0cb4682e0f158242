#include "ClaimsFixture.h"
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

void enterClaim(QWidget* s, int row, const QVector<std::tuple<const char*, const char*, const char*>>& receipts)
{
    control<QComboBox>(s, "cmbSel_Year_BudDate")->setCurrentText(QStringLiteral("2568"));
    chooseRow(s, "StringGrid1", row);
    press(s, "btnPost_Heal");
    for (const auto& [patient, amount, hospital] : receipts) {
        QTest::mouseClick(control<QRadioButton>(s, patient), Qt::LeftButton, {}, QPoint(5, 5));
        type(s, "cmbDate_folk00", QStringLiteral("01112567"));
        type(s, "edtTotal_M_Folk00", QString::fromLatin1(amount));
        type(s, "edtHospital_folk00", QString::fromUtf8(hospital));
        press(s, "btnAdd");
    }
    press(s, "btnSave");
}

} // namespace

TEST(ClaimLifeCycle, EnterPrintCancelSummariseAndReprintThroughTheScreens)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString a = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(a, QStringLiteral("2568"), baht(20000), baht(18000));
    const QString b = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(b, QStringLiteral("2568"), baht(200000), {});
    MessageLog log;
    test::PreviewTitles previews;
    const ScreenContext clerk{f.db, f.login()};

    // Entry: three claims, the first cut at the limit; its form is printed.
    {
        auto s = open("TfrmEntry_Health", clerk);
        type(s.get(), "edtEmp_F_Name", QStringLiteral("สมชาย"));
        press(s.get(), "btnSelect");
        enterClaim(s.get(), 0, {{"RadioGroup1_0", "1500", "โรงพยาบาลมหาวิทยาลัย"}, {"RadioGroup1_1", "1000", "คลินิก"}});
        EXPECT_EQ(control<QLabel>(s.get(), "L_Berg_Doc_ID")->text(), QStringLiteral("SC2568/0000001"));
        press(s.get(), "btnPrint");
        enterClaim(s.get(), 1, {{"RadioGroup1_0", "300", "คลินิก"}});
        enterClaim(s.get(), 1, {{"RadioGroup1_1", "200", "คลินิก"}});
        EXPECT_EQ(control<QLabel>(s.get(), "L_Berg_Doc_ID")->text(), QStringLiteral("SC2568/0000003"));
    }
    EXPECT_EQ(previews.titles, (QStringList{QStringLiteral("ใบเบิกสวัสดิการพนักงาน")}));
    EXPECT_EQ(f.yearValue(b, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(500));

    // Cancellation of the second claim.
    {
        auto s = open("TfrmCancel_Berg", clerk);
        EXPECT_FALSE(control(s.get(), "Panel2")->isVisible());
        press(s.get(), "btnSearch");
        EXPECT_FALSE(control(s.get(), "edtEmp_F_Name2")->isEnabled());
        type(s.get(), "edtBerg_Doc_ID2", QStringLiteral("SC2568/0000002"));
        press(s.get(), "btnSelect");
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 1), QStringLiteral("SC2568/0000002"));
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 9), QStringLiteral("200,000"));
        press(s.get(), "btnOK");
        ASSERT_TRUE(control(s.get(), "Panel3")->isVisible());
        EXPECT_EQ(textOf(s.get(), "edtM_Can_Berg"), QStringLiteral("300.00"));
        EXPECT_EQ(textOf(s.get(), "edtSum_Berg"), QStringLiteral("300.00"));
        EXPECT_TRUE(control<QCheckBox>(s.get(), "CheckBox0")->isChecked());
        EXPECT_TRUE(control<QRadioButton>(s.get(), "rbOut0")->isChecked());
        press(s.get(), "btnSave");
        EXPECT_EQ(log.texts.last(), QStringLiteral("ทำการยกเลิกใบเบิกเลขที่ SC2568/0000002  เรียบร้อยแล้วครับ"));
        EXPECT_TRUE(control(s.get(), "Panel1")->isVisible());
        EXPECT_FALSE(control(s.get(), "Panel3")->isVisible());
    }
    EXPECT_EQ(f.yearValue(b, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(200));

    // Summary: mark both open claims, leave one out again, send the other.
    {
        auto s = open("TfrmSum_Berg_FC", clerk);
        EXPECT_EQ(textOf(s.get(), "edtPay_Year"), QStringLiteral("2568"));
        EXPECT_FALSE(control(s.get(), "Panel2")->isVisible());
        press(s.get(), "btnShow");
        ASSERT_TRUE(control(s.get(), "Panel2")->isVisible());
        ASSERT_EQ(rowsIn(s.get(), "StringGrid1"), 2);
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 4), QStringLiteral("2,000.00")) << "the payable amount";
        EXPECT_EQ(textOf(s.get(), "edtSum_Shows"), QStringLiteral("2,700.00")) << "the amounts claimed";
        press(s.get(), "btnSent_KV");
        EXPECT_EQ(log.texts.last(), QStringLiteral("โปรดเลือกข้อมูลที่จะส่งด้วยครับ"));
        press(s.get(), "btnSelectAll");
        EXPECT_EQ(textOf(s.get(), "edtSum_Select"), QStringLiteral("2,200.00"));
        auto* grid = control<QTableView>(s.get(), "StringGrid1");
        emit grid->doubleClicked(grid->model()->index(1, 2));
        EXPECT_EQ(cell(s.get(), "StringGrid1", 1, 1), QString());
        EXPECT_EQ(textOf(s.get(), "edtSum_Select"), QStringLiteral("2,000.00"));
        grid->selectRow(0);
        press(s.get(), "btnSelect");
        EXPECT_EQ(textOf(s.get(), "edtSum_Select"), QStringLiteral("2,000.00")) << "a marked row is not added twice";
        press(s.get(), "btnSent_KV");
        EXPECT_EQ(log.texts.last(), QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
        EXPECT_FALSE(control(s.get(), "Panel2")->isVisible());
    }
    EXPECT_EQ(f.claimValue(QStringLiteral("SC2568/0000001"), QStringLiteral("Berg_Doc_Status")), QStringLiteral("KV"));
    EXPECT_EQ(f.claimValue(QStringLiteral("SC2568/0000003"), QStringLiteral("Berg_Doc_Status")), QStringLiteral("FC"));
    EXPECT_EQ(f.yearValue(a, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), baht(2000));
    EXPECT_EQ(previews.titles.last(), QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย-คนไข้นอก"));

    // Reprints of a claim form and of the summary.
    {
        auto s = open("TfrmRe_Print_Berg_HL", clerk);
        EXPECT_EQ(textOf(s.get(), "edtSel_date"), QStringLiteral("15/11/2567"));
        EXPECT_FALSE(control(s.get(), "edtSel_month")->isEnabled());
        press(s.get(), "btnShow");
        ASSERT_EQ(rowsIn(s.get(), "StringGrid1"), 2) << "the cancelled claim is not listed";
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 1), QStringLiteral("SC2568/0000001"));
        EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 4), QStringLiteral("2,000.00"));
        press(s.get(), "btnPrint");
        EXPECT_EQ(previews.titles.last(), QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย"));
        QTest::mouseClick(control<QRadioButton>(s.get(), "rbSel_Year"), Qt::LeftButton, {}, QPoint(5, 5));
        type(s.get(), "edtSel_Year", QStringLiteral("2566"));
        press(s.get(), "btnShow");
        EXPECT_EQ(log.texts.last(), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
    }
    {
        auto s = open("TfrmRe_Print_Docontrol", clerk);
        press(s.get(), "btnShow");
        ASSERT_EQ(cell(s.get(), "StringGrid1", 0, 1), QStringLiteral("KV2568/000001SC"));
        press(s.get(), "btnDetail");
        ASSERT_TRUE(control(s.get(), "Panel2")->isVisible());
        EXPECT_EQ(cell(s.get(), "StringGrid2", 0, 2), QStringLiteral("SC2568/0000001"));
        EXPECT_EQ(textOf(s.get(), "edtSum_Select"), QStringLiteral("2,000.00"));
        press(s.get(), "btnPrint");
        EXPECT_EQ(previews.titles.last(), QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย -คนไข้นอก"));
    }
}
