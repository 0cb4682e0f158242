#include "MessageLog.h"
#include "ReportFixture.h"
#include "ScreenFixture.h"

#include "../excel/XlsxReadBack.h"
#include "PreviewRecorder.h"
#include "common/widgets/CodeListCombo.h"
#include "common/widgets/ReportPreview.h"
#include "common/widgets/ResultGrid.h"
#include "reports/UReport.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::test;

namespace {

class ReportScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        WELMORA_NEED_DB();
        db = std::make_unique<TestDb>(TestDb::Reference);
        loadReportFixture(db->db());
        TfrmReport::s_chooseSavePath = [this](QWidget*, const QString& suggested) {
            suggestions << suggested;
            return answer;
        };
        TfrmReport::s_openWorkbook = [this](const QString& path) { opened << path; };
    }
    std::unique_ptr<TfrmReport> open(const QString& name, const QString& mode)
    {
        return std::make_unique<TfrmReport>(ScreenContext{db->db(), fixtureLogin(mode)}, name);
    }
    std::unique_ptr<TestDb> db;
    MessageLog messages;
    QTemporaryDir dir;
    QString answer;
    QStringList suggestions, opened;
};

} // namespace

// A clerk of a faculty: the register is fixed to his faculty; he widens the
// dates, shows, saves the workbook under the suggested name and it opens.
TEST_F(ReportScreen, ClaimRegisterShowsSavesAndOpensTheWorkbook)
{
    auto s = open(QStringLiteral("TfrmRep_Berg_Doc_ID"), QStringLiteral("FC"));
    s->show();
    EXPECT_FALSE(control<QGroupBox>(s.get(), "grp_faculty")->isEnabled());
    EXPECT_EQ(control<CodeListCombo>(s.get(), "cmb_faculty_one")->code(), QStringLiteral("SC"));
    // At start the fields of the chosen date buttons alone are open.
    EXPECT_TRUE(control<QLineEdit>(s.get(), "edt_claimed_date")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(s.get(), "edt_claimed_month")->isEnabled());

    press(s.get(), "btnExcel");
    EXPECT_EQ(messages.texts.value(0), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));

    press(s.get(), "rb_entered_all");
    press(s.get(), "rb_claimed_month");
    EXPECT_TRUE(control<QLineEdit>(s.get(), "edt_claimed_month")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(s.get(), "edt_claimed_date")->isEnabled());
    press(s.get(), "btnShow");
    EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 1), QStringLiteral("SC2551/0000002"));
    EXPECT_EQ(cell(s.get(), "StringGrid1", 3, 6), QStringLiteral("รวมจำนวนเงิน"));
    EXPECT_EQ(cell(s.get(), "StringGrid1", 3, 7), QStringLiteral("3,000.00"));

    answer.clear(); // cancelled: nothing written, nothing opened
    press(s.get(), "btnExcel");
    EXPECT_TRUE(opened.isEmpty());
    answer = dir.filePath(QStringLiteral("register.xlsx"));
    press(s.get(), "btnExcel");
    ASSERT_EQ(opened, QStringList{answer});
    EXPECT_TRUE(suggestions.last().endsWith(QStringLiteral(".xlsx")));
    EXPECT_TRUE(suggestions.last().contains(QStringLiteral("พนักงาน_")));
    const XlsxReadBack file(answer);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.cell(QStringLiteral("B5")).value, QStringLiteral("SC2551/0000002"));
    EXPECT_EQ(file.cell(QStringLiteral("A3")).value, QStringLiteral("หน่วยงาน : SC"));
}

TEST_F(ReportScreen, ControlNumberSummaryOpensItsMembersOnlyForTheFinanceDivision)
{
    auto fc = open(QStringLiteral("TfrmRep_Sum_Doc_Con"), QStringLiteral("FC"));
    EXPECT_FALSE(control<QWidget>(fc.get(), "btnDetail")->isEnabled());

    auto s = open(QStringLiteral("TfrmRep_Sum_Doc_Con"), QStringLiteral("KV"));
    s->show();
    press(s.get(), "rb_sent_all");
    press(s.get(), "btnShow");
    EXPECT_EQ(textOf(s.get(), "edtTotal"), QStringLiteral("9,800.00"));
    control<QTableView>(s.get(), "StringGrid1")->selectRow(0);
    press(s.get(), "btnDetail");
    EXPECT_TRUE(control<QWidget>(s.get(), "pnlDetail")->isVisible());
    EXPECT_EQ(textOf(s.get(), "edtSent_KV_Doc_ID"), QStringLiteral("KV2551/000001SC"));
    EXPECT_EQ(textOf(s.get(), "edtDetail_Total"), QStringLiteral("2,300.00"));
    EXPECT_EQ(cell(s.get(), "StringGrid2", 1, 2), QStringLiteral("SC2552/0000001"));
    EXPECT_EQ(textOf(s.get(), "edtSent_Date"), QStringLiteral("16/11/2550"));
    press(s.get(), "btnClose");
    EXPECT_TRUE(control<QWidget>(s.get(), "pnlMain")->isVisible());

    // "พิมพ์": the control number's summary document, the list back under it.
    db->db().exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Type = 'FAE'"));
    QStringList printed;
    {
        const test::PreviewRecorder recorder([&](const Report& r) { printed = r.pages().first().texts(); });
        press(s.get(), "btnDetail");
        press(s.get(), "btnPrint");
    }
    EXPECT_TRUE(printed.contains(QStringLiteral("เลขที่ควบคุมใบเบิก : KV2551/000001SC")));
    EXPECT_TRUE(printed.contains(QStringLiteral("คณะวิทยาศาสตร์(SC)")));
    EXPECT_TRUE(printed.contains(QStringLiteral("SC2552/0000001")));
    EXPECT_TRUE(control<QWidget>(s.get(), "pnlMain")->isVisible());
}

TEST_F(ReportScreen, SummaryTabsShowTheirOwnGridWithTheSecondHeadingRowFirst)
{
    auto s = open(QStringLiteral("TfrmRep_Berg_Heal_Type"), QString());
    s->show();
    auto* tabs = control<QTabWidget>(s.get(), "PageControl1");
    ASSERT_EQ(tabs->count(), 3);
    tabs->setCurrentIndex(1);
    QWidget* page = tabs->currentWidget();
    control<QRadioButton>(page, "rb_year_all")->setChecked(true);
    QTest::mouseClick(control<QAbstractButton>(page, "btnShow"), Qt::LeftButton);
    EXPECT_EQ(cell(page, "StringGrid1", 0, 4), QStringLiteral("จำนวนคน"));
    EXPECT_EQ(cell(page, "StringGrid1", 1, 2), QStringLiteral("SC"));
    EXPECT_EQ(cell(page, "StringGrid1", 2, 2), QStringLiteral("รวม "));
}

// Faculties, claim kinds and patients are chosen from lists of "code name"
// that accept typing; the filter keeps the code. The register says how its
// rows are ordered.
TEST_F(ReportScreen, CodeChoicesAreListsThatKeepTheCode)
{
    auto s = open(QStringLiteral("TfrmRep_BergDocID_Folk"), QStringLiteral("KV"));
    s->show();
    auto* folk = control<CodeListCombo>(s.get(), "cmb_folk_one");
    EXPECT_FALSE(folk->isEnabled());
    press(s.get(), "rb_folk_one");
    EXPECT_TRUE(folk->isEnabled());
    EXPECT_EQ(folk->currentText(), QStringLiteral("0 ตนเอง"));
    folk->setEditText(QStringLiteral("มารดา"));
    EXPECT_EQ(s->filters().value(QStringLiteral("folk")), QStringLiteral("one:2"));
    auto* faculty = control<CodeListCombo>(s.get(), "cmb_faculty_one");
    faculty->setEditText(QStringLiteral("en"));
    EXPECT_EQ(s->filters().value(QStringLiteral("faculty")), QStringLiteral("one:EN"));

    auto r = open(QStringLiteral("TfrmRep_Berg_Doc_ID"), QStringLiteral("KV"));
    r->show();
    auto* kinds = control<CodeListCombo>(r.get(), "cmb_kind_one");
    const Rows healTypes = db->db().select(QStringLiteral("SELECT Health_In_Out_t FROM TR_Heal_Type"));
    EXPECT_EQ(kinds->count(), healTypes.count());
    press(r.get(), "rb_kind_one");
    ASSERT_TRUE(kinds->setCode(QStringLiteral("1")));
    EXPECT_EQ(r->filters().value(QStringLiteral("kind")), QStringLiteral("one:1"));
    EXPECT_EQ(control<QLabel>(r.get(), "lblOrder")->text(), QStringLiteral("ข้อมูลเรียงตามวันที่บันทึกข้อมูล"));
}

// The register through its model: a heading click orders the claims by
// amount (as numbers, not as texts), the total row stays last with the sum,
// and the workbook takes the rows in the order shown.
TEST_F(ReportScreen, SortedRegisterExportsTheRowsInTheOrderShown)
{
    auto s = open(QStringLiteral("TfrmRep_Berg_Doc_ID"), QStringLiteral("KV"));
    s->show();
    s->chooseBroadest();
    press(s.get(), "btnShow");
    auto* grid = qobject_cast<ResultGrid*>(control<QTableView>(s.get(), "StringGrid1"));
    ASSERT_NE(grid, nullptr);
    const int rows = grid->rowCount();
    ASSERT_GE(rows, 3);
    EXPECT_EQ(cell(s.get(), "StringGrid1", rows - 1, 6), QStringLiteral("รวมจำนวนเงิน"));
    const QString total = cell(s.get(), "StringGrid1", rows - 1, 7);
    Money sum;
    for (int r = 0; r < rows - 1; ++r) {
        Money m;
        ASSERT_TRUE(Money::parse(cell(s.get(), "StringGrid1", r, 7), &m)) << r;
        sum += m;
    }
    EXPECT_EQ(total, sum.toDisplay());

    grid->horizontalHeader()->setSortIndicator(7, Qt::DescendingOrder);
    auto amount = [&](int r) {
        Money m;
        EXPECT_TRUE(Money::parse(cell(s.get(), "StringGrid1", r, 7), &m));
        return m.satang();
    };
    for (int r = 1; r < rows - 1; ++r)
        EXPECT_GE(amount(r - 1), amount(r)) << r;
    EXPECT_EQ(cell(s.get(), "StringGrid1", rows - 1, 6), QStringLiteral("รวมจำนวนเงิน"));
    EXPECT_EQ(cell(s.get(), "StringGrid1", rows - 1, 7), total);

    answer = dir.filePath(QStringLiteral("sorted.xlsx"));
    press(s.get(), "btnExcel");
    const XlsxReadBack file(answer);
    ASSERT_TRUE(file.ok());
    for (int r = 0; r < rows - 1; ++r)
        EXPECT_EQ(file.cell(QStringLiteral("B%1").arg(r + 5)).value, cell(s.get(), "StringGrid1", r, 1)) << r;
}
