#include "FinanceFixture.h"
#include "MessageLog.h"
#include "ScreenFixture.h"
#include "PreviewRecorder.h"
#include "finance/CancelService.h"
#include "finance/USum_PV.h"
#include "finance/VoucherService.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

namespace {

QString placed(const Report& r, const char* name) { return test::placedTexts(r, name).value(0); }

struct Previews {
    QStringList numbers; // the PVR_NO of each voucher shown
    QStringList totals;
    test::PreviewRecorder recorder{[this](const Report& r) {
        numbers << placed(r, "dbPVR_NO");
        totals << placed(r, "lblTotal");
    }};
};

void doubleClick(QTableView* grid, int row)
{
    QCoreApplication::processEvents(); // lays the grid out
    const QRect cell = grid->visualRect(grid->model()->index(row, 2));
    // A double click is a click followed by the second press, as the platform delivers it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

TEST(SumPVScreen, FacultyMarksItsControlNumbersAndPrintsTheVoucher)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QStringList controls{f.controlOf(QStringLiteral("0"), {1000}), f.controlOf(QStringLiteral("0"), {200, 50}),
                               f.controlOf(QStringLiteral("E"), {3000}, QStringLiteral("EDU"))};
    f.controlOf(QStringLiteral("0"), {77}, QStringLiteral("FAE"), QStringLiteral("EN"));
    test::MessageLog messages;
    Previews previews;

    TfrmSum_PV screen(ScreenContext{f.db(), test::facultyClerk()});
    screen.resize(1280, 760);
    screen.show();
    auto* fact = test::control<QLineEdit>(&screen, "edtFact_Code");
    EXPECT_EQ(fact->text(), QStringLiteral("SC"));
    EXPECT_FALSE(fact->isEnabled());
    EXPECT_EQ(test::textOf(&screen, "edtSent_Month"), QStringLiteral("01/2568"));
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());

    test::press(&screen, "btnShow");
    auto* grid = test::control<QTableView>(&screen, "StringGrid1");
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 2), controls[1]);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 4), QStringLiteral("คณะวิทยาศาสตร์"));
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 2, 5), QStringLiteral("ค่าเล่าเรียนบุตร"));
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 6), QStringLiteral("250.00"));
    EXPECT_EQ(test::textOf(&screen, "edtSum_Shows"), QStringLiteral("4,250.00"));
    EXPECT_EQ(test::textOf(&screen, "edtSum_Select"), QStringLiteral("0.00"));

    test::press(&screen, "btnSent_KV");
    EXPECT_EQ(messages.texts, QStringList{kSelectData});

    // The four marking buttons and the double-click.
    struct Step {
        std::function<void()> act;
        QString marks;  // the Mark column, row by row
        QString selected;
    };
    const Step steps[] = {
        {[&] { grid->selectRow(1); test::press(&screen, "btnSelect"); }, QStringLiteral(" X "), QStringLiteral("250.00")},
        {[&] { test::press(&screen, "btnSelect"); }, QStringLiteral(" X "), QStringLiteral("250.00")},
        {[&] { grid->selectRow(0); test::press(&screen, "btnUnselect"); }, QStringLiteral(" X "), QStringLiteral("250.00")},
        {[&] { doubleClick(grid, 2); }, QStringLiteral(" XX"), QStringLiteral("3,250.00")},
        {[&] { test::press(&screen, "btnSelect_All"); }, QStringLiteral("XXX"), QStringLiteral("4,250.00")},
        {[&] { test::press(&screen, "btnClear_All"); }, QStringLiteral("   "), QStringLiteral("0.00")},
        {[&] { doubleClick(grid, 0); doubleClick(grid, 2); doubleClick(grid, 1); doubleClick(grid, 1); },
         QStringLiteral("X X"), QStringLiteral("4,000.00")},
    };
    for (const Step& s : steps) {
        s.act();
        QString marks;
        for (int row = 0; row < 3; ++row)
            marks += test::cell(&screen, "StringGrid1", row, 1).isEmpty() ? QStringLiteral(" ") : test::cell(&screen, "StringGrid1", row, 1);
        EXPECT_EQ(marks, s.marks);
        EXPECT_EQ(test::textOf(&screen, "edtSum_Select"), s.selected);
    }

    test::type(&screen, "edtPay_For_Per", QStringLiteral("นางสาวมาลี ใจดี"));
    messages.ok = false;
    test::press(&screen, "btnSent_KV");
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV")), 0);
    messages.ok = true;
    test::press(&screen, "btnSent_KV");
    EXPECT_EQ(messages.texts.value(1), kConfirmVoucher);
    ASSERT_EQ(previews.numbers, QStringList{QStringLiteral("PVR2568/00001SC")});
    EXPECT_EQ(previews.totals, QStringList{QStringLiteral("4,000.00")});
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());
    EXPECT_EQ(f.controlStatus(controls[0]), QStringLiteral("P"));
    EXPECT_EQ(f.controlStatus(controls[1]), QStringLiteral("A"));
    EXPECT_EQ(f.controlStatus(controls[2]), QStringLiteral("P"));
    EXPECT_EQ(f.db().select(QStringLiteral("SELECT Pay_For_Per FROM T_PV")).text(0, QStringLiteral("Pay_For_Per")),
              QStringLiteral("นางสาวมาลี ใจดี"));

    // Listed again, only what is still open.
    test::press(&screen, "btnShow");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 0, 2), controls[1]);
}

TEST(SumPVScreen, FinanceDivisionWorksOnTheFacultyItListed)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString en = f.controlOf(QStringLiteral("0"), {77}, QStringLiteral("FAE"), QStringLiteral("EN"));
    const QString sc = f.controlOf(QStringLiteral("0"), {100});
    test::MessageLog messages;
    Previews previews;

    TfrmSum_PV screen(ScreenContext{f.db(), test::financeClerk()});
    screen.resize(1280, 760);
    screen.show();
    auto* fact = test::control<QLineEdit>(&screen, "edtFact_Code");
    EXPECT_EQ(fact->text(), QStringLiteral("OP"));
    EXPECT_TRUE(fact->isEnabled());
    test::press(&screen, "btnShow");
    EXPECT_EQ(messages.texts, QStringList{kNotFound});
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());

    test::type(&screen, "edtFact_Code", QStringLiteral("en"));
    EXPECT_EQ(fact->text(), QStringLiteral("EN"));
    test::press(&screen, "btnShow");
    ASSERT_EQ(test::rowsIn(&screen, "StringGrid1"), 1);
    // Frozen while the listing is shown: the voucher is for the faculty listed.
    EXPECT_FALSE(fact->isEnabled());
    test::press(&screen, "btnSelect_All");

    // Meanwhile another workstation cancels the control number.
    auto other = f.t.connectAgain();
    ControlCancel::cancel(*other, test::financeClerk(), en);
    test::press(&screen, "btnSent_KV");
    EXPECT_EQ(messages.texts.last(), kListAgain.arg(en));
    EXPECT_TRUE(previews.numbers.isEmpty());
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV")), 0);

    test::press(&screen, "btnClose");
    EXPECT_TRUE(fact->isEnabled());
    test::type(&screen, "edtFact_Code", QStringLiteral("sc"));
    test::press(&screen, "btnShow");
    test::press(&screen, "btnSelect_All");
    test::press(&screen, "btnSent_KV");
    EXPECT_EQ(previews.numbers, QStringList{QStringLiteral("PVR2568/00001SC")});
    EXPECT_EQ(f.controlStatus(sc), QStringLiteral("P"));
    EXPECT_EQ(f.db().select(QStringLiteral("SELECT Fact_Code, Sent_User FROM T_PV")).text(0, QStringLiteral("Sent_User")),
              QStringLiteral("finance"));
}

// The clerk sorts the listing by a heading while marking: the marks and the
// chosen total stay with their control numbers, and the voucher gathers the
// ones that show "X", not the ones listed in their places before.
TEST(SumPVScreen, MarksAndTotalFollowTheirRowsWhenSortedByAHeading)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QStringList controls{f.controlOf(QStringLiteral("0"), {1000}), f.controlOf(QStringLiteral("0"), {200, 50}),
                               f.controlOf(QStringLiteral("E"), {3000}, QStringLiteral("EDU"))};
    test::MessageLog messages;
    Previews previews;
    TfrmSum_PV screen(ScreenContext{f.db(), test::facultyClerk()});
    screen.resize(1280, 760);
    screen.show();
    test::press(&screen, "btnShow");
    auto* grid = test::control<QTableView>(&screen, "StringGrid1");
    ASSERT_EQ(grid->model()->rowCount(), 3);
    doubleClick(grid, 0); // the first control number, 1,000.00

    grid->sortByColumn(6, Qt::DescendingOrder); // by amount, the largest first
    ASSERT_EQ(test::cell(&screen, "StringGrid1", 0, 2), controls[2]);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 2), controls[0]);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 1), QStringLiteral("X"));
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 0, 1), QString());
    EXPECT_EQ(test::textOf(&screen, "edtSum_Select"), QStringLiteral("1,000.00"));
    test::chooseRow(&screen, "StringGrid1", 2); // the second, 250.00
    test::press(&screen, "btnSelect");
    EXPECT_EQ(test::textOf(&screen, "edtSum_Select"), QStringLiteral("1,250.00"));

    test::type(&screen, "edtPay_For_Per", QStringLiteral("นางสาวมาลี ใจดี"));
    test::press(&screen, "btnSent_KV");
    ASSERT_EQ(previews.totals, QStringList{QStringLiteral("1,250.00")});
    EXPECT_EQ(f.controlStatus(controls[0]), QStringLiteral("P"));
    EXPECT_EQ(f.controlStatus(controls[1]), QStringLiteral("P"));
    EXPECT_EQ(f.controlStatus(controls[2]), QStringLiteral("A"));
}
