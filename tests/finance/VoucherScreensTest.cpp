#include "FinanceFixture.h"
#include "MessageLog.h"
#include "PreviewRecorder.h"
#include "ScreenFixture.h"
#include "common/widgets/ReportPreview.h"
#include "finance/CancelService.h"
#include "finance/DocNumberService.h"
#include "finance/UCancel_Sum_PV.h"
#include "finance/UEntry_Depart_DocNo.h"
#include "finance/URe_Print_Sum_PV.h"
#include "finance/VoucherService.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

namespace {

QStringList column(QWidget* screen, const char* grid, int col)
{
    QStringList l;
    for (int row = 0; row < test::rowsIn(screen, grid); ++row)
        l << test::cell(screen, grid, row, col);
    return l;
}

QString label(QWidget* screen, const char* name) { return test::control<QLabel>(screen, name)->text(); }

void choose(QWidget* screen, const char* radio) { test::control<QAbstractButton>(screen, radio)->click(); }

} // namespace

TEST(RePrintSumPVScreen, ListsTheFacultysVouchersInForceAndPrintsOneAgain)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString today = Vouchers::make(f.db(), test::facultyClerk(), {},
                                         {f.controlOf(QStringLiteral("0"), {100}), f.controlOf(QStringLiteral("1"), {50})},
                                         QStringLiteral("ร้านยาดี"));
    const QString cancelled = Vouchers::make(f.db(), test::facultyClerk(), {}, {f.controlOf(QStringLiteral("0"), {1})}, {});
    VoucherCancel::cancel(f.db(), test::financeClerk(), cancelled);
    const QString december = Vouchers::make(f.db(), test::facultyClerk(), {}, {f.controlOf(QStringLiteral("E"), {7}, QStringLiteral("EDU"))}, {});
    f.db().exec(QStringLiteral("UPDATE T_PV SET Sent_Date = '30/12/2567' WHERE PVR_NO = ?"), {december});
    Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("EN"),
                   {f.controlOf(QStringLiteral("0"), {5}, QStringLiteral("FAE"), QStringLiteral("EN"))}, {});
    test::MessageLog messages;
    QStringList printed;
    const test::PreviewRecorder recorder([&](const Report& r) {
        for (const char* name : {"dbPVR_NO", "dbPay_For_Per"})
            printed << test::placedTexts(r, name);
    });

    TfrmRe_Print_Sum_PV screen(ScreenContext{f.db(), test::facultyClerk()});
    screen.resize(1280, 760);
    screen.show();
    EXPECT_FALSE(test::control<QLineEdit>(&screen, "edtFact_Code")->isEnabled());
    EXPECT_EQ(test::textOf(&screen, "edtSel_date"), QStringLiteral("20/01/2568"));
    test::press(&screen, "btnShow_data");
    EXPECT_EQ(column(&screen, "StringGrid1", 1), QStringList{today});
    choose(&screen, "rdoSel_Year");
    test::press(&screen, "btnShow_data");
    EXPECT_EQ(column(&screen, "StringGrid1", 1), QStringList{today});
    choose(&screen, "rdoSel_month");
    test::type(&screen, "edtSel_month", QStringLiteral("122567"));
    test::press(&screen, "btnShow_data");
    EXPECT_EQ(column(&screen, "StringGrid1", 1), QStringList{december});
    test::type(&screen, "edtSel_month", QStringLiteral("112567"));
    test::press(&screen, "btnShow_data");
    EXPECT_EQ(messages.texts, QStringList{kNotFound});
    test::press(&screen, "btnDetail");
    EXPECT_EQ(messages.texts.size(), 2);
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());

    choose(&screen, "rdoSel_date");
    test::press(&screen, "btnShow_data");
    test::press(&screen, "btnDetail");
    ASSERT_TRUE(test::control<QWidget>(&screen, "Panel2")->isVisible());
    EXPECT_EQ(test::textOf(&screen, "edtSent_KV_Doc_ID"), today);
    EXPECT_EQ(test::textOf(&screen, "edtSent_Date"), QStringLiteral("20/01/2568"));
    EXPECT_EQ(column(&screen, "StringGrid2", 1), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(column(&screen, "StringGrid2", 4), (QStringList{QStringLiteral("ค่ารักษา"), QStringLiteral("ค่ารักษา")}));
    EXPECT_EQ(test::textOf(&screen, "edtSum_Select"), QStringLiteral("150.00"));
    test::press(&screen, "btnPrint");
    EXPECT_EQ(printed, (QStringList{today, QStringLiteral("ร้านยาดี")}));
    test::press(&screen, "btnClose");
    EXPECT_TRUE(test::control<QWidget>(&screen, "Panel1")->isVisible());
}

TEST(EntryDepartDocNoScreen, RecordsTheSubUnitNumbersOfTheSummaryListed)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString first = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"),
                                         {f.controlOf(QStringLiteral("0"), {1000, 500}),
                                          f.controlOf(QStringLiteral("E"), {250}, QStringLiteral("EDU"))},
                                         {});
    const QString second = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"),
                                          {f.controlOf(QStringLiteral("0"), {1})}, {});
    test::MessageLog messages;

    TfrmEntry_Depart_DocNo screen(ScreenContext{f.db(), test::financeClerk()});
    screen.resize(1280, 760);
    screen.show();
    for (const char* field : {"edtSent_Month", "edtSent_Year", "edtSel_PVR_NO"})
        EXPECT_FALSE(test::control<QLineEdit>(&screen, field)->isEnabled()) << field;
    EXPECT_EQ(test::control<QTableView>(&screen, "StringGrid1")->model()->columnCount(), 7);
    test::press(&screen, "btnShow");
    EXPECT_EQ(messages.texts, QStringList{kNotFound});
    test::press(&screen, "btnSub_Unit");
    EXPECT_EQ(messages.texts.last(), kChooseProperRow);

    test::type(&screen, "edtFact_Code", QStringLiteral("sc"));
    choose(&screen, "rdoPVR_NO");
    EXPECT_TRUE(test::control<QLineEdit>(&screen, "edtSel_PVR_NO")->isEnabled());
    test::type(&screen, "edtSel_PVR_NO", QStringLiteral("PVR2568/000"));
    test::press(&screen, "btnShow");
    EXPECT_EQ(column(&screen, "StringGrid1", 1), (QStringList{first, second}));

    // The panel shows the summary's own faculty, even after the field changed.
    test::type(&screen, "edtFact_Code", QStringLiteral("EN"));
    test::chooseRow(&screen, "StringGrid1", 0);
    test::press(&screen, "btnSub_Unit");
    ASSERT_TRUE(test::control<QWidget>(&screen, "Panel2")->isVisible());
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel1")->isVisible());
    EXPECT_FALSE(test::control<QWidget>(&screen, "grpFinance")->isVisible());
    EXPECT_EQ(label(&screen, "lblFact_Name"), QStringLiteral("คณะวิทยาศาสตร์"));
    EXPECT_EQ(label(&screen, "lblFact_Code"), QStringLiteral("SC"));
    EXPECT_EQ(label(&screen, "lblPVR_NO"), first);
    EXPECT_EQ(label(&screen, "lblCount1"), QStringLiteral("1"));
    EXPECT_EQ(label(&screen, "lblMoney1"), QStringLiteral("250.00"));
    EXPECT_EQ(label(&screen, "lblCount2"), QStringLiteral("2"));
    EXPECT_EQ(label(&screen, "lblMoney2"), QStringLiteral("1,500.00"));
    EXPECT_EQ(label(&screen, "lblMoney4"), QStringLiteral("0.00"));
    EXPECT_EQ(label(&screen, "lblTotal"), QStringLiteral("1,750.00"));

    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts.last(), kNeedSubUnitNo);
    test::type(&screen, "edtDep_Sub_Doc_No", QStringLiteral("วท 0012/2568"));
    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts.last(), kNeedFinanceNo);
    test::type(&screen, "edtFN_Doc_No", QStringLiteral("กค 77"));
    test::type(&screen, "edtFN_Doc_Date", QStringLiteral("22012568"));
    messages.ok = false;
    test::press(&screen, "btnSave");
    EXPECT_EQ(DocNumbers::read(f.db(), first).subUnitNo, QString());
    messages.ok = true;
    test::press(&screen, "btnSave");
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());
    // Listed again as chosen: the faculty field says EN by now.
    EXPECT_EQ(messages.texts.mid(6), (QStringList{kSaved, kNotFound}));
    const VoucherDocs d = DocNumbers::read(f.db(), first);
    EXPECT_EQ(d.subUnitNo, QStringLiteral("วท 0012/2568"));
    EXPECT_EQ(d.financeNo, QStringLiteral("กค 77"));
    EXPECT_EQ(d.financeDate, QStringLiteral("22/01/2568"));
}

TEST(EntryPVDocScreen, RecordsThePaymentNumberOfASummaryFoundByItsSubUnitNumber)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString first = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"),
                                         {f.controlOf(QStringLiteral("0"), {1000})}, {});
    const QString second = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"),
                                          {f.controlOf(QStringLiteral("0"), {1})}, {});
    DocNumbers::saveSubUnit(f.db(), test::financeClerk(), first, QStringLiteral("A-1"), QStringLiteral("F-1"), QStringLiteral("21/01/2568"));
    DocNumbers::saveSubUnit(f.db(), test::financeClerk(), second, QStringLiteral("A-2"), QStringLiteral("F-2"), {});
    test::MessageLog messages;

    TfrmEntry_PV_Doc screen(ScreenContext{f.db(), test::financeClerk()});
    screen.resize(1280, 760);
    screen.show();
    EXPECT_EQ(screen.objectName(), QStringLiteral("frmEntry_PV_Doc"));
    EXPECT_EQ(test::control<QTableView>(&screen, "StringGrid1")->model()->columnCount(), 9);
    test::type(&screen, "edtFact_Code", QStringLiteral("SC"));
    choose(&screen, "rdoDep_Sub_Doc_No");
    test::type(&screen, "edtSel_Dep_Sub_Doc_No", QStringLiteral("A-2"));
    test::press(&screen, "btnShow");
    EXPECT_EQ(column(&screen, "StringGrid1", 1), QStringList{second});
    choose(&screen, "rdoFN_Doc_No");
    EXPECT_FALSE(test::control<QLineEdit>(&screen, "edtSel_Dep_Sub_Doc_No")->isEnabled());
    test::type(&screen, "edtSel_FN_Doc_No", QStringLiteral("F-1"));
    test::press(&screen, "btnShow");
    EXPECT_EQ(column(&screen, "StringGrid1", 1), QStringList{first});
    EXPECT_EQ(column(&screen, "StringGrid1", 4), QStringList{QStringLiteral("A-1")});

    test::press(&screen, "btnPV_Doc");
    ASSERT_TRUE(test::control<QWidget>(&screen, "grpFinance")->isVisible());
    EXPECT_TRUE(test::control<QLineEdit>(&screen, "edtDep_Sub_Doc_No")->isReadOnly());
    EXPECT_EQ(test::textOf(&screen, "edtDep_Sub_Doc_No"), QStringLiteral("A-1"));
    EXPECT_EQ(test::textOf(&screen, "edtFN_Doc_Date"), QStringLiteral("21/01/2568"));
    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts.last(), kNeedPaymentNo);
    test::type(&screen, "edtPV_Doc_No", QStringLiteral("PV 3/2568"));
    test::type(&screen, "edtPV_date", QStringLiteral("3102"));
    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts.last(), kBadDate);
    test::type(&screen, "edtPV_date", QStringLiteral("31012568"));
    test::press(&screen, "btnSave");
    EXPECT_EQ(messages.texts.last(), kSaved);
    EXPECT_EQ(column(&screen, "StringGrid1", 7), QStringList{QStringLiteral("PV 3/2568")});
    EXPECT_EQ(column(&screen, "StringGrid1", 8), QStringList{QStringLiteral("31/01/2568")});
    EXPECT_EQ(DocNumbers::read(f.db(), first).subUnitNo, QStringLiteral("A-1"));
}

TEST(CancelSumPVScreen, CancelsAVoucherAndFreesItsControlNumbers)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString a = f.controlOf(QStringLiteral("0"), {100});
    const QString b = f.control({f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(30))),
                                 f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("1"), Money::fromBaht(70)))});
    const QString pvr = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"), {a, b}, {});
    test::MessageLog messages;

    TfrmCancel_Sum_PV screen(ScreenContext{f.db(), test::financeClerk()});
    screen.resize(1280, 760);
    screen.show();
    auto* fact = test::control<QLineEdit>(&screen, "edtFact_Code");
    EXPECT_TRUE(fact->isEnabled());
    test::type(&screen, "edtFact_Code", QStringLiteral("sc"));
    test::press(&screen, "btnShow_data");
    EXPECT_EQ(column(&screen, "StringGrid1", 1), QStringList{pvr});
    test::press(&screen, "btnDetail");
    // One row per control number and category: b holds outpatient and in-patient claims.
    EXPECT_EQ(column(&screen, "StringGrid2", 2), (QStringList{a, b, b}));
    EXPECT_EQ(column(&screen, "StringGrid2", 5),
              (QStringList{QStringLiteral("100.00"), QStringLiteral("30.00"), QStringLiteral("70.00")}));
    EXPECT_EQ(test::textOf(&screen, "edtSum_Select"), QStringLiteral("200.00"));

    messages.ok = false;
    test::press(&screen, "btnCancel_PV");
    EXPECT_EQ(messages.texts, QStringList{kConfirmCancelVoucher + pvr});
    EXPECT_EQ(f.controlStatus(a), QStringLiteral("P"));
    messages.ok = true;
    test::press(&screen, "btnCancel_PV");
    EXPECT_EQ(messages.texts.value(2), voucherCancelledText(pvr));
    // Listed again: nothing is left in force.
    EXPECT_EQ(messages.texts.value(3), kNotFound);
    EXPECT_TRUE(test::control<QWidget>(&screen, "Panel1")->isVisible());
    EXPECT_EQ(f.controlStatus(a), QStringLiteral("A"));
    EXPECT_EQ(f.controlStatus(b), QStringLiteral("A"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV WHERE Sent_Doc_Status = 'C'")), 1);
}
