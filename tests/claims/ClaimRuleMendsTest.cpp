#include "ClaimsFixture.h"
#include "claims/ClaimSummaryService.h"
#include "inpatient/LimitEnquiry.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

QVector<ClaimLine> storedLines(ClaimsDb& f, const QString& claimNo)
{
    const Rows r = f.db.select(QStringLiteral("SELECT Emp_Folk, M_Berg, HM_Can_Berg FROM T_Pay_Health_Detail "
                                              "WHERE Berg_Doc_ID = ? ORDER BY Emp_Folk"),
                               {claimNo});
    QVector<ClaimLine> lines;
    for (int i = 0; i < r.count(); ++i)
        lines.push_back({int(r.integer(i, QStringLiteral("Emp_Folk"))), r.money(i, QStringLiteral("M_Berg")),
                         r.money(i, QStringLiteral("HM_Can_Berg"))});
    return lines;
}

void expectLines(const QVector<ClaimLine>& got, const QVector<ClaimLine>& want, const char* name)
{
    ASSERT_EQ(got.size(), want.size()) << name;
    for (int i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].folk, want[i].folk) << name;
        EXPECT_EQ(got[i].claimed, want[i].claimed) << name << " patient " << want[i].folk;
        EXPECT_EQ(got[i].payable, want[i].payable) << name << " patient " << want[i].folk;
    }
}

} // namespace

// The excess is taken from the last receipt's patient down to zero, then from
// the patients of the earlier receipts backwards; no line goes below zero.
TEST(ClaimLinesNeverNegative, TheExcessWalksBackOverThePatients)
{
    const struct {
        const char* name;
        QVector<ClaimReceipt> receipts;
        Money excess;
        QVector<ClaimLine> lines;
    } cases[] = {
        {"no excess", {receipt(0, baht(300)), receipt(1, baht(50))}, {}, {{0, baht(300), baht(300)}, {1, baht(50), baht(50)}}},
        {"the last patient bears it all", {receipt(0, baht(300)), receipt(1, baht(500))}, baht(200),
         {{0, baht(300), baht(300)}, {1, baht(500), baht(300)}}},
        {"self 1,000 then father 50 with 100 left", {receipt(0, baht(1000)), receipt(1, baht(50))}, baht(950),
         {{0, baht(1000), baht(100)}, {1, baht(50), Money()}}},
        {"a patient met again counts once, where he came last",
         {receipt(1, baht(20)), receipt(0, baht(1000)), receipt(3, baht(40)), receipt(1, baht(30))}, baht(1000),
         {{0, baht(1000), baht(90)}, {1, baht(50), Money()}, {3, baht(40), Money()}}},
        {"everything above the limit", {receipt(0, baht(10)), receipt(2, baht(5))}, baht(15),
         {{0, baht(10), Money()}, {2, baht(5), Money()}}},
    };
    for (const auto& c : cases)
        expectLines(linesOf(c.receipts, c.excess), c.lines, c.name);
}

// Every kind that cuts a claim to a limit stores the walked lines.
TEST(ClaimLinesNeverNegative, EveryKindCutToALimitStoresNoNegativeLine)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    for (const char* fact : {"SC", "HO"})
        f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES (?, '2568', 1)"),
                  {QString::fromLatin1(fact)});
    int n = 0;
    for (const ClaimKind* kind : {&outpatient(), &inpatient(), &copay()}) {
        const QString kv = f.addEmployee(++n, QStringLiteral("SC"), QStringLiteral("2"));
        // 100.00 left of the limit the kind charges.
        if (kind->limit.policy == LimitPolicy::Copay) {
            f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(20000));
            f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = ?, Fact_U_Copay = ? WHERE KV_ID = ?"),
                      {baht(25000).toSql(), baht(24900).toSql(), kv});
        } else {
            f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(19900));
        }
        const LoginContext clerk = f.login(QStringLiteral("FC"), kind == &inpatient() ? QStringLiteral("HO")
                                                                                     : QStringLiteral("SC"));
        const SavedClaim s = ClaimEntry::save(f.db, clerk, *kind, draft(kv, {receipt(0, baht(1000)), receipt(1, baht(50))}));
        EXPECT_EQ(s.payable, baht(100)) << kind->identity.typeCode.toStdString();
        expectLines(storedLines(f, s.claimNo), {{0, baht(1000), baht(100)}, {1, baht(50), Money()}},
                    kind->identity.typeCode.toLatin1().constData());
    }
}

// A type-"3" employee whose yearly row was made with a finite limit (before
// his right type changed) is cut to that row, and every remaining-limit
// figure says so; "ไม่จำกัดวงเงิน" only for an unlimited row, or for no row.
TEST(RightTypeThreeLimit, AFiniteRowShowsItsFiguresEverywhere)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString finite = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("3"));
    f.addYear(finite, QStringLiteral("2568"), baht(20000), baht(15000));
    const QString unlimitedRow = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("3"));
    f.addYear(unlimitedRow, QStringLiteral("2568"), baht(2000000000), baht(15000));
    const QString noRow = f.addEmployee(3, QStringLiteral("SC"), QStringLiteral("3"));
    const QString y = QStringLiteral("2568"), t = QStringLiteral("3"), noLimit = QStringLiteral("ไม่จำกัดวงเงิน");

    const auto panel = ClaimEntry::remainingLimit(f.db, outpatient(), finite, y, t);
    EXPECT_EQ(panel.entitled, baht(20000));
    EXPECT_EQ(panel.remaining, baht(5000));
    EXPECT_EQ(errorOf([&] { ClaimEntry::remainingLimit(f.db, outpatient(), unlimitedRow, y, t); }), noLimit);
    EXPECT_EQ(errorOf([&] { ClaimEntry::remainingLimit(f.db, outpatient(), noRow, y, t); }), noLimit);

    const hospital::RemainingLimits shown = hospital::LimitEnquiry::read(f.db, finite, y);
    EXPECT_EQ(shown.limit, QStringLiteral("20,000.00"));
    EXPECT_EQ(shown.remaining, QStringLiteral("5,000.00"));
    const Report statement = hospital::LimitEnquiry::statement(shown, QDateTime(QDate(2024, 11, 15), QTime(9, 0)));
    QStringList printed;
    for (const PlacedItem& i : statement.pages().first().items)
        if (i.name == QLatin1String("QRLabelM1V") || i.name == QLatin1String("QRLabelM4V"))
            printed << i.text;
    EXPECT_EQ(printed, (QStringList{QStringLiteral("20,000.00"), QStringLiteral("5,000.00")}));
    EXPECT_EQ(hospital::LimitEnquiry::read(f.db, unlimitedRow, y).remaining, noLimit);
    EXPECT_EQ(hospital::LimitEnquiry::read(f.db, noRow, y).remaining, noLimit);

    const SavedClaim s = ClaimEntry::save(f.db, f.login(), outpatient(), draft(finite, {receipt(0, baht(6000))}));
    EXPECT_EQ(s.payable, baht(5000));
}

// The hospital's claim is refused only at U >= H; with U = H - F < H it is
// recorded with nothing payable, where the outpatient entry refuses.
TEST(InpatientGate, RecordsAtTheFlexibleBenefitsEdgeWithNothingPayable)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('HO', '2568', 1)"));
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(17000), baht(3000));
    const QString y = QStringLiteral("2568");
    const QString usedUp = QStringLiteral("วงเงินมีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก");

    EXPECT_EQ(errorOf([&] { ClaimEntry::openEntry(f.db, outpatient(), kv, y); }), usedUp);
    EXPECT_EQ(ClaimEntry::openEntry(f.db, inpatient(), kv, y), baht(3000));
    const SavedClaim s = ClaimEntry::save(f.db, f.login(QStringLiteral("FC"), QStringLiteral("HO")), inpatient(),
                                          draft(kv, {receipt(0, baht(2500)), receipt(1, baht(500))}));
    EXPECT_EQ(s.before, Money());
    EXPECT_EQ(s.payable, Money());
    EXPECT_EQ(s.excess, baht(3000));
    expectLines(storedLines(f, s.claimNo), {{0, baht(2500), Money()}, {1, baht(500), Money()}}, "payable 0");
    EXPECT_EQ(f.yearValue(kv, y, QStringLiteral("Fact_T_U_H")), baht(17000)) << "the used amount stays";

    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_U_H = 20000 WHERE KV_ID = ?"), {kv});
    EXPECT_EQ(errorOf([&] { ClaimEntry::openEntry(f.db, inpatient(), kv, y); }), usedUp);
}

// The above-limit entry's remaining-limit panel shows H - U: the flexible
// benefit is not shown there, nor taken off.
TEST(OverLimitRemaining, IsTheLimitLessTheUsedAmount)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(18500), baht(1500));
    const auto r = ClaimEntry::remainingLimit(f.db, overLimit(), kv, QStringLiteral("2568"), QStringLiteral("2"));
    EXPECT_EQ(r.entitled, baht(20000));
    EXPECT_EQ(r.used, baht(18500));
    EXPECT_EQ(r.remaining, baht(1500));
}

// The hospital's summary numbers a member by its row in the grid; the
// outpatient summary counts the marked rows.
TEST(SummaryOrderNo, HospitalSummaryKeepsTheGridRow)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('HO', '2568', 1)"));
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    const LoginContext hospital = f.login(QStringLiteral("FC"), QStringLiteral("HO"));
    const LoginContext clerk = f.login();
    for (const auto& [kind, login, want] :
         {std::tuple{&inpatient(), hospital, QVector<int>{1, 3}}, std::tuple{&outpatient(), clerk, QVector<int>{1, 2}}}) {
        QStringList grid;
        for (int i = 0; i < 3; ++i)
            grid << ClaimEntry::save(f.db, login, *kind, draft(kv, {receipt(0, baht(100 + i))})).claimNo;
        const QString control = ClaimSummary::send(f.db, login, *kind, QString(), {grid[0], grid[2]}, {1, 3});
        const Rows m = f.db.select(QStringLiteral("SELECT Berg_Doc_ID, Order_No FROM T_Sent_KV WHERE Sent_KV_Doc_ID = ? "
                                                  "ORDER BY Order_No"),
                                   {control});
        ASSERT_EQ(m.count(), 2);
        EXPECT_EQ(m.text(1, QStringLiteral("Berg_Doc_ID")), grid[2]);
        EXPECT_EQ((QVector<int>{int(m.integer(0, QStringLiteral("Order_No"))), int(m.integer(1, QStringLiteral("Order_No")))}),
                  want)
            << kind->identity.typeCode.toStdString();
    }
}

// The receipt rules hold for a save from anywhere, not only from the screen.
TEST(ReceiptRules, TheServiceRefusesWhatTheScreenRefuses)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    const struct {
        const char* name;
        const char* claimDate;
        const char* receiptDate;
        QString message;
    } cases[] = {
        {"a day before the budget year", "15/11/2567", "30/09/2567",
         QStringLiteral("วันที่ในใบเสร็จต้องอยู่ในปีงบประมาณ 2568 (01/10/2567 - 30/09/2568)")},
        {"a day after the budget year", "15/11/2567", "01/10/2568",
         QStringLiteral("วันที่ในใบเสร็จต้องอยู่ในปีงบประมาณ 2568 (01/10/2567 - 30/09/2568)")},
        {"a year and two days before the claim", "03/10/2568", "01/10/2567",
         QStringLiteral("วันที่ใบเสร็จ(01/10/2567)เกิน หนึ่งปี จากวันที่เบิก(03/10/2568)\rไม่สามารถนำมาเบิกได้")},
        {"a year and a day before the claim", "03/10/2568", "02/10/2567", QString()},
        {"a day after the claim date", "15/11/2567", "16/11/2567",
         QStringLiteral("วันที่ใบเสร็จ(16/11/2567)เลยวันที่เบิก(15/11/2567)\rไม่สามารถนำมาเบิกได้")},
        {"the budget year's last day", "03/10/2568", "30/09/2568", QString()},
    };
    for (const auto& c : cases) {
        ClaimDraft d = draft(kv, {receipt(0, baht(100), QString::fromLatin1(c.receiptDate))});
        d.claimDate = QString::fromLatin1(c.claimDate);
        const qint64 claims = f.count(QStringLiteral("T_PAY_Health"));
        EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, f.login(), outpatient(), d); }), c.message) << c.name;
        EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), claims + (c.message.isEmpty() ? 1 : 0)) << c.name;
    }
}
