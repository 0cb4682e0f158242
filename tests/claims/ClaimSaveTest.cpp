#include "ClaimsFixture.h"

#include <optional>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

struct LineWant {
    int folk;
    Money claimed, payable;
};

// One row of the limit table: the yearly row before (none: no row), the
// receipts in grid order, and what the claim and the row must hold after.
struct LimitCase {
    const char* name;
    QString hType;
    std::optional<YearFigures> row;
    QVector<std::pair<int, Money>> receipts;
    Money before, payable, excess, usedAfter;
    QVector<LineWant> lines;
};

const QString kUsedUp = kUsedUpMessage;

} // namespace

TEST(ClaimSave, LimitArithmeticAsATable)
{
    WELMORA_NEED_DB();
    const QVector<LimitCase> cases = {
        // The worked example: the father's receipt came last and bears the excess.
        {"worked example", "2", YearFigures{baht(20000), baht(18000), {}}, {{0, baht(1500)}, {1, baht(1000)}},
         baht(2000), baht(2000), baht(500), baht(20000), {{0, baht(1500), baht(1500)}, {1, baht(1000), baht(500)}}},
        {"within the remainder", "1", YearFigures{baht(200000), baht(1000), baht(5000)}, {{0, baht(300.25)}},
         baht(194000), baht(300.25), {}, baht(1300.25), {{0, baht(300.25), baht(300.25)}}},
        {"equal to the remainder", "2", YearFigures{baht(20000), baht(15000), {}}, {{0, baht(2000)}, {0, baht(3000)}},
         baht(5000), baht(5000), {}, baht(20000), {{0, baht(5000), baht(5000)}}},
        {"above, with a flexible benefit", "2", YearFigures{baht(20000), baht(10000), baht(5000)}, {{1, baht(7000.50)}},
         baht(5000), baht(5000), baht(2000.50), baht(15000), {{1, baht(7000.50), baht(5000)}}},
        // The excess is larger than the last patient's own amount: his line
        // goes down to zero and the rest comes off the patient before him.
        {"excess above the last patient's amount", "2", YearFigures{baht(20000), baht(19000), {}},
         {{0, baht(3000)}, {1, baht(100)}}, baht(1000), baht(1000), baht(2100), baht(20000),
         {{0, baht(3000), baht(1000)}, {1, baht(100), Money()}}},
        {"a negative receipt", "1", YearFigures{baht(200000), {}, {}}, {{0, baht(500)}, {0, baht(-200)}},
         baht(200000), baht(300), {}, baht(300), {{0, baht(300), baht(300)}}},
        // Exact to the satang, where a binary double would round either way.
        {"one satang left", "2", YearFigures{baht(20000), baht(19999.99), {}}, {{0, baht(0.02)}},
         baht(0.01), baht(0.01), baht(0.01), baht(20000), {{0, baht(0.02), baht(0.01)}}},
        {"no row, right type 1", "1", std::nullopt, {{0, baht(1000)}}, baht(200000), baht(1000), {}, baht(1000),
         {{0, baht(1000), baht(1000)}}},
        {"no row, right type 2 above its limit", "2", std::nullopt, {{1, baht(5000)}, {0, baht(20000)}},
         baht(20000), baht(20000), baht(5000), baht(20000), {{0, baht(20000), baht(15000)}, {1, baht(5000), baht(5000)}}},
        {"no row, right type 3", "3", std::nullopt, {{0, baht(90000)}}, baht(2000000000), baht(90000), {},
         baht(90000), {{0, baht(90000), baht(90000)}}},
    };
    int n = 0;
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClaimsDb f;
        const QString kv = f.addEmployee(++n, QStringLiteral("SC"), c.hType);
        if (c.row)
            f.addYear(kv, QStringLiteral("2568"), c.row->limit, c.row->used, c.row->flex);
        QVector<ClaimReceipt> receipts;
        for (const auto& [folk, amount] : c.receipts)
            receipts << receipt(folk, amount);
        const SavedClaim s = ClaimEntry::save(f.db, f.login(), outpatient(), draft(kv, receipts));

        Money total;
        for (const ClaimReceipt& r : receipts)
            total += r.amount;
        EXPECT_EQ(Money::fromVariant(f.claimValue(s.claimNo, QStringLiteral("T_M_Berg"))), total);
        EXPECT_EQ(Money::fromVariant(f.claimValue(s.claimNo, QStringLiteral("Vong_M_Befor"))), c.before);
        EXPECT_EQ(Money::fromVariant(f.claimValue(s.claimNo, QStringLiteral("M_Can_Berg"))), c.payable);
        EXPECT_EQ(s.excess, c.excess);
        EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), c.usedAfter);

        const Rows lines = f.db.select(QStringLiteral("SELECT Emp_Folk, M_Berg, HM_Can_Berg FROM T_Pay_Health_Detail "
                                                      "WHERE Berg_Doc_ID = ? ORDER BY Emp_Folk"),
                                       {s.claimNo});
        ASSERT_EQ(lines.count(), c.lines.size());
        Money payableSum;
        for (int i = 0; i < lines.count(); ++i) {
            EXPECT_EQ(lines.integer(i, QStringLiteral("Emp_Folk")), c.lines[i].folk);
            EXPECT_EQ(lines.money(i, QStringLiteral("M_Berg")), c.lines[i].claimed);
            EXPECT_EQ(lines.money(i, QStringLiteral("HM_Can_Berg")), c.lines[i].payable);
            payableSum += lines.money(i, QStringLiteral("HM_Can_Berg"));
        }
        EXPECT_EQ(payableSum, c.payable) << "the lines add up to the payable amount";
        const Rows receiptRows = f.db.select(
            QStringLiteral("SELECT Order_Doc, P_money FROM T_Reciept WHERE Berg_Doc_ID = ? ORDER BY Order_Doc"), {s.claimNo});
        ASSERT_EQ(receiptRows.count(), receipts.size());
        for (int i = 0; i < receiptRows.count(); ++i) {
            EXPECT_EQ(receiptRows.integer(i, QStringLiteral("Order_Doc")), i + 1);
            EXPECT_EQ(receiptRows.money(i, QStringLiteral("P_money")), receipts[i].amount);
        }
        // The limits of the right type, written out: "1" 200,000, "2" 20,000
        // and a co-pay limit of 25,000, "3" no limit held as 2,000,000,000.
        const Money medical = c.hType == QLatin1String("1") ? baht(200000)
                              : c.hType == QLatin1String("2") ? baht(20000)
                                                              : baht(2000000000);
        if (!c.row) {
            const Money copayLimit = c.hType == QLatin1String("2") ? baht(25000) : Money();
            EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_H_Money")), medical);
            EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("KV_T_H_Money")), medical);
            EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_Copay")), copayLimit);
            EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("M_Flexben")), Money());
        }
        // A year used up to H - F refuses the next opening of the entry and the next save.
        const Money usable = c.row ? c.row->limit - c.row->flex : medical;
        if (c.usedAfter == usable) {
            EXPECT_EQ(errorOf([&] { ClaimEntry::openEntry(f.db, outpatient(), kv, QStringLiteral("2568")); }), kUsedUp);
            EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, f.login(), outpatient(), draft(kv, {receipt(0, baht(1))})); }),
                      kUsedUp);
        } else {
            EXPECT_EQ(ClaimEntry::openEntry(f.db, outpatient(), kv, QStringLiteral("2568")),
                      c.row ? c.row->flex : Money());
        }
    }
}

TEST(ClaimSave, RefusalsWriteNothing)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString usedUp = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(usedUp, QStringLiteral("2568"), baht(20000), baht(15000), baht(5000));
    const QString oddType = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("4"));
    const QString ok = f.addEmployee(3, QStringLiteral("SC"), QStringLiteral("1"));
    const struct {
        const char* name;
        ClaimDraft draft;
        QString message;
    } cases[] = {
        {"limit used up", draft(usedUp, {receipt(0, baht(10))}), kUsedUp},
        {"right type 4 without a yearly row", draft(oddType, {receipt(0, baht(10))}),
         QStringLiteral("ไม่พบวงเงินประจำปี 2568 ของพนักงาน และประเภทสิทธิ \"4\" ไม่ใช่ 1, 2 หรือ 3\r"
                        "ไม่สามารถบันทึกได้ กรุณาแจ้งฝ่ายการเจ้าหน้าที่")},
        {"year not above 2550", draft(ok, {receipt(0, baht(10))}, QStringLiteral("2550")),
         QStringLiteral("กรุณาใส่ปีที่ตัดเงินให้ถูกต้อง")},
        {"self below a satang", draft(ok, {receipt(0, baht(10)), receipt(0, baht(-10)), receipt(2, baht(10))}),
         QStringLiteral("กรุณาใส่จำนวนเงินให้ถูกต้องด้วย")},
        {"father negative", draft(ok, {receipt(1, baht(-5)), receipt(2, baht(10))}),
         QStringLiteral("กรุณาใส่จำนวนเงินให้ถูกต้องด้วย")},
        {"total below a satang", draft(ok, {receipt(2, baht(10)), receipt(3, baht(-10))}),
         QStringLiteral("กรุณาใส่จำนวนเงินด้วย")},
        {"no receipts", draft(ok, {}), QStringLiteral("กรุณาใส่จำนวนเงินด้วย")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, f.login(), outpatient(), c.draft); }), c.message);
    }
    ClaimDraft noDate = draft(ok, {receipt(0, baht(10))});
    noDate.claimDate = QStringLiteral("  /  /    ");
    EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, f.login(), outpatient(), noDate); }),
              QStringLiteral("กรุณาใส่วันที่เบิกด้วย"));
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), 0);
    EXPECT_EQ(f.count(QStringLiteral("T_Reciept")), 0);
    EXPECT_EQ(f.yearValue(usedUp, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(15000));
    EXPECT_EQ(f.yearValue(oddType, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), Money::fromSatang(-1));
    EXPECT_EQ(f.count(QStringLiteral("T_Berg_Runno")), 0) << "no number was taken";
}

TEST(ClaimSave, NumbersComeFromTheFacultyOfTheListAndTheLoginYear)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString sc = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    const QString en = f.addEmployee(2, QStringLiteral("EN"), QStringLiteral("1"));
    const ClaimKind& k = outpatient();

    const SavedClaim first = ClaimEntry::save(f.db, f.login(), k, draft(sc, {receipt(0, baht(100))}));
    EXPECT_EQ(first.claimNo, QStringLiteral("SC2568/0000001"));
    // Charged to last budget year: the number still carries the log-in year.
    const SavedClaim older =
        ClaimEntry::save(f.db, f.login(), k,
                         draft(sc, {receipt(0, baht(100), QStringLiteral("01/09/2567"))}, QStringLiteral("2567")));
    EXPECT_EQ(older.claimNo, QStringLiteral("SC2568/0000002"));
    EXPECT_EQ(f.claimValue(older.claimNo, QStringLiteral("Pay_Year")), QStringLiteral("2567"));

    // The finance division files under the faculty it searched, whose series
    // is created on its first claim.
    const SavedClaim kv = ClaimEntry::save(f.db, f.login(QStringLiteral("KV"), QStringLiteral("OP")), k,
                                           draft(en, {receipt(0, baht(100))}, QStringLiteral("2568"), QStringLiteral("en")));
    EXPECT_EQ(kv.claimNo, QStringLiteral("EN2568/0000001"));
    EXPECT_EQ(f.claimValue(kv.claimNo, QStringLiteral("Fact_Code")), QStringLiteral("EN"));
    EXPECT_EQ(f.claimValue(kv.claimNo, QStringLiteral("Berg_Doc_Status")), QStringLiteral("FC"));
    EXPECT_EQ(f.claimValue(kv.claimNo, QStringLiteral("Ent_User")), QStringLiteral("finance"));

    // A faculty clerk cannot file under another faculty, whatever the caller passes.
    const SavedClaim fc = ClaimEntry::save(f.db, f.login(), k,
                                           draft(sc, {receipt(0, baht(100))}, QStringLiteral("2568"), QStringLiteral("EN")));
    EXPECT_EQ(fc.claimNo, QStringLiteral("SC2568/0000003"));
    // A command that leaves the mode empty (the hospital menu) is no finance division either.
    const SavedClaim none = ClaimEntry::save(f.db, f.login(QString()), k,
                                             draft(sc, {receipt(0, baht(100))}, QStringLiteral("2568"), QStringLiteral("EN")));
    EXPECT_EQ(none.claimNo, QStringLiteral("SC2568/0000004"));

    const Rows h = f.db.select(QStringLiteral("SELECT * FROM T_PAY_Health WHERE Berg_Doc_ID = ?"), {first.claimNo});
    const QStringList want[] = {{"Berg_Type_Code", "FAE"}, {"Ent_From", "HRR"}, {"Date_Ent", "15/11/2567"},
                                {"Date_berg", "15/11/2567"}, {"Time_Ent", "12:00:00"}, {"User_Type", "U"},
                                {"Health_In_Out_t", "0"}, {"Fact_Code", "SC"}, {"KV_ID", sc}};
    for (const QStringList& w : want)
        EXPECT_EQ(h.text(0, w[0]), w[1]) << w[0].toStdString();
}

TEST(ClaimEntryRules, ReceiptDatesPatientsAndTheSelfRow)
{
    WELMORA_NEED_DB();
    const auto [first, last] = ClaimEntry::receiptRange(QStringLiteral("2551"));
    EXPECT_EQ(first, QDate(2007, 10, 1));
    EXPECT_EQ(last, QDate(2008, 9, 30));

    const QDate claim(2024, 11, 15);
    EXPECT_EQ(errorOf([&] { ClaimEntry::checkReceiptAge(QDate(2023, 11, 14), claim); }), QString())
        << "one year and one day before is still accepted";
    EXPECT_EQ(errorOf([&] { ClaimEntry::checkReceiptAge(QDate(2023, 11, 13), claim); }),
              QStringLiteral("วันที่ใบเสร็จ(13/11/2566)เกิน หนึ่งปี จากวันที่เบิก(15/11/2567)\rไม่สามารถนำมาเบิกได้"));
    EXPECT_EQ(errorOf([&] { ClaimEntry::checkReceiptAge(claim, claim); }), QString()) << "a receipt of the claim date";
    EXPECT_EQ(errorOf([&] { ClaimEntry::checkReceiptAge(QDate(2024, 11, 16), claim); }),
              QStringLiteral("วันที่ใบเสร็จ(16/11/2567)เลยวันที่เบิก(15/11/2567)\rไม่สามารถนำมาเบิกได้"));

    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"), false);
    f.db.exec(QStringLiteral("DELETE FROM T_Emp_Folk WHERE KV_ID = ?"), {kv});
    f.addFolk(kv, 4, QStringLiteral("เด็กหญิง"), QStringLiteral("มะลิ"), QStringLiteral("ใจดี"), QStringLiteral("02/03/2555"));
    const ClaimEntry::EmployeeNames me{QStringLiteral("นาย"), QStringLiteral("สมชาย1"), QStringLiteral("ใจดี")};

    EXPECT_EQ(errorOf([&] { ClaimEntry::findPatient(f.db, kv, 1, me); }),
              QStringLiteral("ไม่พบข้อมูลบิดา\rให้แจ้งฝ่ายการเจ้าหน้าที่คณะ บันทึกข้อมูลเพิ่มเติม"));
    EXPECT_EQ(errorOf([&] { ClaimEntry::findPatient(f.db, kv, 7, me); }),
              QStringLiteral("ไม่พบข้อมูลบุตรลำดับที่ 4\rให้แจ้งฝ่ายการเจ้าหน้าที่คณะ บันทึกข้อมูลเพิ่มเติม"));
    const auto child = ClaimEntry::findPatient(f.db, kv, 4, me);
    EXPECT_EQ(child.displayName, QStringLiteral("เด็กหญิงมะลิ ใจดี"));
    EXPECT_EQ(child.birthday, QStringLiteral("02/03/2555"));

    const auto self = ClaimEntry::findPatient(f.db, kv, 0, me);
    EXPECT_EQ(self.displayName, QStringLiteral("นายสมชาย1  ใจดี"));
    const Rows row = f.db.select(QStringLiteral("SELECT EF_Surname, EF_F_Name, EF_L_Name FROM T_Emp_Folk "
                                                "WHERE KV_ID = ? AND Emp_Folk = '0'"),
                                 {kv});
    ASSERT_EQ(row.count(), 1) << "the self row is made on the first self receipt";
    EXPECT_EQ(row.text(0, QStringLiteral("EF_F_Name")), QStringLiteral("สมชาย1"));
    EXPECT_EQ(ClaimEntry::findPatient(f.db, kv, 0, me).displayName, QStringLiteral("นายสมชาย1 ใจดี"));
}

TEST(ClaimEntryRules, RemainingLimitPanel)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString withRow = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(withRow, QStringLiteral("2568"), baht(200000), baht(1234.5), baht(5000));
    const auto r = ClaimEntry::remainingLimit(f.db, outpatient(), withRow, QStringLiteral("2568"), QStringLiteral("1"));
    EXPECT_TRUE(r.hasRow);
    EXPECT_EQ(r.remaining, baht(193765.5));
    const QString noRow = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("2"));
    const auto n = ClaimEntry::remainingLimit(f.db, outpatient(), noRow, QStringLiteral("2568"), QStringLiteral("2"));
    EXPECT_FALSE(n.hasRow);
    EXPECT_EQ(n.entitled, baht(20000));
    EXPECT_EQ(n.remaining, baht(20000));
    EXPECT_EQ(errorOf([&] {
                  ClaimEntry::remainingLimit(f.db, outpatient(), noRow, QStringLiteral("2568"), QStringLiteral("3"));
              }),
              QStringLiteral("ไม่จำกัดวงเงิน"));
}

// On a server every statement is an exchange the clerk waits for. A save
// needs five whatever its receipts: begin, the yearly row locked (the
// faculty check and the right type read by the same statement), the number,
// the writes in one batch, commit. The faculty is still checked before any
// limit, with a yearly row or without one, and the entry time is the clock's.
TEST(ClaimSave, FiveExchangesForAnyReceiptsAndTheFacultyStillChecked)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString withRow = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("2"));
    f.addYear(withRow, QStringLiteral("2568"), baht(200000), Money());
    const QString withoutRow = f.addEmployee(2, QStringLiteral("EN"), QStringLiteral("4"));
    const LoginContext finance = f.login(QStringLiteral("KV"), QStringLiteral("OP"));
    for (const QString& kv : {withRow, withoutRow})
        EXPECT_EQ(errorOf([&] {
                      ClaimEntry::save(f.db, finance, outpatient(),
                                       draft(kv, {receipt(0, baht(10))}, QStringLiteral("2568"), QStringLiteral("ZZ")));
                  }),
                  QStringLiteral("ไม่พบรหัสส่วนงาน ZZ กรุณาใส่รหัสส่วนงานให้ถูกต้อง"))
            << kv.toStdString();
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), 0);
    EXPECT_EQ(f.yearValue(withRow, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), Money());

    for (const int receipts : {1, 150}) {
        QVector<ClaimReceipt> list;
        for (int i = 0; i < receipts; ++i)
            list << receipt(i % 2, baht(10.25));
        const ClaimDraft d = draft(withRow, list, QStringLiteral("2568"), QStringLiteral("EN"));
        ClaimEntry::save(f.db, finance, outpatient(), d); // statements of this shape prepared
        const quint64 before = f.db.roundTrips();
        ClaimEntry::save(f.db, finance, outpatient(), d);
        if (f.db.kind() != DbKind::SQLite) // SQLite: no server, each statement a call
            EXPECT_EQ(f.db.roundTrips() - before, 5u) << receipts << " receipts";
    }

    // Without a test clock the entry time is the server's (the workstation's on SQLite).
    f.db.setClock(nullptr);
    const QTime now = f.db.serverNow().time();
    const SavedClaim s =
        ClaimEntry::save(f.db, finance, outpatient(), draft(withRow, {receipt(0, baht(1))}, QStringLiteral("2568"), QStringLiteral("EN")));
    const QTime stored = QTime::fromString(f.claimValue(s.claimNo, QStringLiteral("Time_Ent")), QStringLiteral("HH:mm:ss"));
    ASSERT_TRUE(stored.isValid()) << f.claimValue(s.claimNo, QStringLiteral("Time_Ent")).toStdString();
    EXPECT_LE(std::abs(now.secsTo(stored)), 60);
}
