#include "FinanceFixture.h"
#include "common/RunningNumbers.h"
#include "finance/DocNumberService.h"
#include "finance/VoucherService.h"

#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

namespace {

// The stored figures of a voucher summary, in the column order of T_PV.
struct Stored {
    int eduCount;
    qint64 edu;
    int inCount;
    qint64 in;
    int outCount;
    qint64 out;
    int othCount;
    qint64 oth;
    QStringList details;
};

Stored storedOf(Database& db, const QString& pvrNo)
{
    const Rows r = db.select(QStringLiteral("SELECT * FROM T_PV WHERE PVR_NO = ?"), {pvrNo});
    EXPECT_EQ(r.count(), 1);
    if (r.isEmpty())
        return {};
    auto n = [&](const char* c) { return int(r.integer(0, QString::fromLatin1(c))); };
    auto m = [&](const char* c) { return r.money(0, QString::fromLatin1(c)).satang(); };
    QStringList details;
    for (int i = 1; i <= 5; ++i)
        details << r.text(0, QStringLiteral("Oth_Detail%1").arg(i));
    return {n("EDU_Count"), m("EDU_Money"), n("He_In_Count"), m("He_In_Money"), n("He_Out_Count"), m("He_Out_Money"),
            n("Oth_Count"), m("Oth_Money"), details};
}

QString desc(Database& db, const char* kind)
{
    return db.select(QStringLiteral("SELECT Health_Desc FROM TR_Heal_Type WHERE Health_In_Out_t = ?"),
                     {QString::fromLatin1(kind)})
        .text(0, QStringLiteral("Health_Desc"));
}

} // namespace

// Every claim of every category counts, also when one control number holds
// claims of several categories (only the first category used to count).
TEST(VoucherSummary, AddsEveryCategoryOfEveryControlNumber)
{
    WELMORA_NEED_DB();
    struct Control {
        const char* kind;
        QList<qint64> baht;
        const char* type;
    };
    struct Case {
        const char* name;
        QVector<QVector<Control>> controls; // each inner list: the kinds of one control number
        Stored expected;
        QStringList otherKinds; // kinds of the expected details, in order
    };
    const QVector<Case> cases = {
        {"outpatient only", {{{"0", {1000, 250}, "FAE"}}, {{"0", {100}, "FAE"}}},
         {0, 0, 0, 0, 3, 135000, 0, 0, {}}, {}},
        {"outpatient and in-patient under one number",
         {{{"0", {1000, 2000}, "FAE"}, {"1", {30000}, "FAE"}}},
         {0, 0, 1, 3000000, 2, 300000, 0, 0, {}}, {}},
        {"education and co-pay", {{{"E", {4000, 3500}, "EDU"}}, {{"0", {700}, "COP"}}},
         {2, 750000, 0, 0, 1, 70000, 0, 0, {}}, {}},
        {"other welfare of two kinds", {{{"S", {2000}, "OTH"}, {"M", {10000, 5000}, "OTH"}}},
         {0, 0, 0, 0, 0, 0, 3, 1700000, {}}, {"M", "S"}},
        {"a kind without a voucher category", {{{"X", {999}, "OTH"}}, {{"0", {1}, "FAE"}}},
         {0, 0, 0, 0, 1, 100, 0, 0, {}}, {}},
    };
    for (const Case& c : cases) {
        FinanceFixture f;
        QStringList controls;
        for (const QVector<Control>& parts : c.controls) {
            QStringList claims;
            for (const Control& p : parts)
                for (qint64 b : p.baht) {
                    FinanceFixture::Claim cl;
                    cl.inOut = QString::fromLatin1(p.kind);
                    cl.type = QString::fromLatin1(p.type);
                    cl.payable = Money::fromBaht(b);
                    claims << f.claim(cl);
                }
            controls << f.control(claims, QString::fromLatin1(parts.first().type));
        }
        const QString pvr = Vouchers::make(f.db(), test::facultyClerk(), {}, controls, QStringLiteral("นายสมชาย ใจดี"));
        Stored expected = c.expected;
        // "desc (nราย ) จำนวนเงิน amount บาท", the amount in its plain exact form.
        QMap<QString, std::pair<int, qint64>> byKind;
        for (const auto& parts : c.controls)
            for (const Control& p : parts)
                for (qint64 b : p.baht)
                    if (c.otherKinds.contains(QString::fromLatin1(p.kind))) {
                        ++byKind[QString::fromLatin1(p.kind)].first;
                        byKind[QString::fromLatin1(p.kind)].second += b;
                    }
        for (const QString& k : c.otherKinds)
            expected.details << desc(f.db(), k.toLatin1().constData()) + QStringLiteral(" (%1ราย ) จำนวนเงิน %2.00 บาท")
                                                                             .arg(byKind[k].first)
                                                                             .arg(byKind[k].second);
        while (expected.details.size() < 5)
            expected.details << QString();
        const Stored s = storedOf(f.db(), pvr);
        EXPECT_EQ(std::tie(s.eduCount, s.edu, s.inCount, s.in, s.outCount, s.out, s.othCount, s.oth),
                  std::tie(expected.eduCount, expected.edu, expected.inCount, expected.in, expected.outCount,
                           expected.out, expected.othCount, expected.oth))
            << c.name;
        EXPECT_EQ(s.details, expected.details) << c.name;
        for (const QString& k : controls)
            EXPECT_EQ(f.controlStatus(k), QStringLiteral("P")) << c.name;
    }
}

// A month of a large faculty: hundreds of claims in satang of every
// category under a few control numbers. The server's totals must equal the
// claims added one by one (SQLite adds REALs; each total is to the satang).
TEST(VoucherSummary, ManyClaimsOfSeveralKindsAddUpToTheSatang)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const char* kinds[] = {"0", "1", "E", "S", "M", "X"};
    QVector<VoucherClaim> oneByOne;
    QStringList controls;
    for (int control = 0; control < 4; ++control) {
        QStringList claims;
        for (int i = 0; i < 90; ++i) {
            const char* kind = kinds[(control + i) % 6];
            FinanceFixture::Claim c;
            c.inOut = QString::fromLatin1(kind);
            c.type = c.inOut == QLatin1String("E") ? QStringLiteral("EDU") : QStringLiteral("OTH");
            c.payable = Money::fromSatang(10 + 3 * i + 1001 * control + (i % 7) * 33); // .10, .43, ...
            claims << f.claim(c);
            const Rows t = f.db().select(QStringLiteral("SELECT Health_Other_Code, Health_Desc FROM TR_Heal_Type "
                                                        "WHERE Health_In_Out_t = ?"),
                                         {c.inOut});
            oneByOne.push_back({c.inOut, t.isEmpty() ? QString() : t.text(0, QStringLiteral("Health_Other_Code")),
                                t.isEmpty() ? QString() : t.text(0, QStringLiteral("Health_Desc")), c.payable});
        }
        controls << f.control(claims, QStringLiteral("OTH"));
    }
    const VoucherTally expected = Vouchers::tally(oneByOne);
    ASSERT_GT(expected.outCount, 0);
    ASSERT_GT(expected.inCount, 0);
    ASSERT_GT(expected.eduCount, 0);
    ASSERT_EQ(expected.othDetails.size(), 2);

    const QString pvr = Vouchers::make(f.db(), test::facultyClerk(), {}, controls, QStringLiteral("นายสมชาย ใจดี"));
    const Stored s = storedOf(f.db(), pvr);
    EXPECT_EQ(std::tie(s.eduCount, s.edu, s.inCount, s.in, s.outCount, s.out, s.othCount, s.oth),
              std::make_tuple(expected.eduCount, expected.edu.satang(), expected.inCount, expected.in.satang(),
                              expected.outCount, expected.out.satang(), expected.othCount, expected.oth.satang()));
    EXPECT_EQ(s.details.mid(0, 2), expected.othDetails);
}

TEST(VoucherSummary, WritesNumberMembersAndHeaderInOneGo)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    f.db().exec(QStringLiteral("UPDATE T_PVR_Runno SET Run_No = 123"));
    QStringList listed;
    for (int i = 0; i < 5; ++i)
        listed << f.controlOf(QStringLiteral("0"), {100 + i});
    // The finance division types the faculty in lower case; grid rows 2 and 5 are marked.
    const QString pvr = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("sc"), {listed[1], listed[4]},
                                       QStringLiteral("ร้านยาดี"));
    EXPECT_EQ(pvr, QStringLiteral("PVR2568/00123SC"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT Run_No FROM T_PVR_Runno WHERE Sent_Year = '2568'")), 124);
    const Rows pv = f.db().select(QStringLiteral("SELECT * FROM T_PV"));
    ASSERT_EQ(pv.count(), 1);
    EXPECT_EQ(pv.text(0, QStringLiteral("Fact_Code")), QStringLiteral("SC"));
    EXPECT_EQ(pv.text(0, QStringLiteral("Sent_Doc_Status")), QStringLiteral("A"));
    EXPECT_EQ(pv.text(0, QStringLiteral("Sent_Date")), QStringLiteral("20/01/2568"));
    EXPECT_EQ(pv.text(0, QStringLiteral("Sent_User")), QStringLiteral("finance"));
    EXPECT_EQ(pv.text(0, QStringLiteral("Pay_For_Per")), QStringLiteral("ร้านยาดี"));
    EXPECT_EQ(pv.text(0, QStringLiteral("Sent_Time")).size(), 8);
    EXPECT_EQ(pv.money(0, QStringLiteral("He_Out_Money")), Money::fromBaht(101 + 104));
    const Rows d = f.db().select(QStringLiteral("SELECT Sent_KV_Doc_ID, Order_No FROM T_PV_Detail ORDER BY Order_No"));
    ASSERT_EQ(d.count(), 2);
    EXPECT_EQ(d.text(0, QStringLiteral("Sent_KV_Doc_ID")), listed[1]);
    EXPECT_EQ(d.integer(0, QStringLiteral("Order_No")), 1);
    EXPECT_EQ(d.text(1, QStringLiteral("Sent_KV_Doc_ID")), listed[4]);
    EXPECT_EQ(d.integer(1, QStringLiteral("Order_No")), 2);
    EXPECT_EQ(f.controlStatus(listed[0]), QStringLiteral("A"));
    EXPECT_EQ(f.controlStatus(listed[1]), QStringLiteral("P"));

    // A faculty clerk works on his own faculty whatever the field says.
    const QString own = f.controlOf(QStringLiteral("0"), {5});
    EXPECT_EQ(Vouchers::make(f.db(), test::facultyClerk(), QStringLiteral("EN"), {own}, {}),
              QStringLiteral("PVR2568/00124SC"));
}

TEST(VoucherSummary, RefusalsLeaveEverythingAsItWas)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString open = f.controlOf(QStringLiteral("0"), {100});
    const QString cancelled = f.control({f.claim({})}, QStringLiteral("FAE"), QStringLiteral("SC"),
                                        QStringLiteral("15/01/2568"), QStringLiteral("C"));
    const QString engineering = f.controlOf(QStringLiteral("0"), {100}, QStringLiteral("FAE"), QStringLiteral("EN"));
    QStringList sixKinds;
    for (const char* kind : {"M", "N", "S", "D"})
        sixKinds << f.controlOf(QString::fromLatin1(kind), {10}, QStringLiteral("OTH"));
    f.db().exec(QStringLiteral("INSERT INTO TR_Heal_Type (Health_In_Out_t, Health_Desc, Health_Other_Code) "
                               "VALUES ('P', 'ทุนการศึกษา', 'O'), ('Q', 'ของขวัญ', 'O')"));
    sixKinds << f.controlOf(QStringLiteral("P"), {10}, QStringLiteral("OTH"))
             << f.controlOf(QStringLiteral("Q"), {10}, QStringLiteral("OTH"));

    struct Case {
        QStringList controls;
        QString message;
    };
    const QVector<Case> cases = {
        {{}, kSelectData},
        {{open, cancelled}, kListAgain.arg(cancelled)},
        {{open, engineering}, kListAgain.arg(engineering)},
        {{open, open}, kListAgain.arg(open)},
        {sixKinds, kTooManyOtherKinds},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::errorOf([&] { Vouchers::make(f.db(), test::facultyClerk(), {}, c.controls, {}); }), c.message);
        EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV")), 0);
        EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV_Detail")), 0);
        EXPECT_EQ(f.count(QStringLiteral("SELECT Run_No FROM T_PVR_Runno")), 1);
        EXPECT_EQ(f.controlStatus(open), QStringLiteral("A"));
        EXPECT_EQ(f.controlStatus(sixKinds[0]), QStringLiteral("A"));
    }

    // No numbering row for the budget year, and a number that outgrows five digits.
    f.db().exec(QStringLiteral("UPDATE T_PVR_Runno SET Sent_Year = '2567'"));
    EXPECT_EQ(test::errorOf([&] { Vouchers::make(f.db(), test::facultyClerk(), {}, {open}, {}); }),
              RunningNumbers::kMessageD);
    f.db().exec(QStringLiteral("UPDATE T_PVR_Runno SET Sent_Year = '2568', Run_No = 100000"));
    EXPECT_FALSE(test::errorOf([&] { Vouchers::make(f.db(), test::facultyClerk(), {}, {open}, {}); }).isEmpty());
    EXPECT_EQ(f.count(QStringLiteral("SELECT Run_No FROM T_PVR_Runno")), 100000);
    EXPECT_EQ(f.controlStatus(open), QStringLiteral("A"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV")), 0);
}

// Two workstations gather the same control number at the same moment: the
// second waits for the first and is then told to list again.
TEST(VoucherSummary, SecondStationOnTheSameControlNumberIsRefused)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString shared = f.controlOf(QStringLiteral("0"), {100});
    const QString other = f.controlOf(QStringLiteral("0"), {200});
    QString first;
    const QString failure = test::raceAgainst(
        f.t, [&](Database& db) { first = Vouchers::make(db, test::facultyClerk(), {}, {shared}, {}); },
        [&](Database& db) { Vouchers::make(db, test::facultyClerk(), {}, {other, shared}, {}); });
    EXPECT_EQ(failure, kListAgain.arg(shared));
    EXPECT_EQ(first, QStringLiteral("PVR2568/00001SC"));
    EXPECT_EQ(f.controlStatus(other), QStringLiteral("A"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV")), 1);
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV_Detail")), 1);
    EXPECT_EQ(f.count(QStringLiteral("SELECT Run_No FROM T_PVR_Runno")), 2);
}

TEST(VoucherListings, OpenControlNumbersByFacultyAndPeriod)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    // Ten satang is an amount SQLite holds only approximately.
    const QString jan = f.control({f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(1000))),
                                   f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(234))),
                                   f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("1"), Money::fromSatang(10)))});
    const QString dec = f.control({f.claim(FinanceFixture::of(QStringLiteral("COP"), QStringLiteral("0"), Money::fromSatang(20)))},
                                  QStringLiteral("COP"), QStringLiteral("SC"), QStringLiteral("03/12/2567"));
    f.control({f.claim({})}, QStringLiteral("FAE"), QStringLiteral("SC"), QStringLiteral("15/01/2568"),
              QStringLiteral("P"));
    f.controlOf(QStringLiteral("0"), {5}, QStringLiteral("FAE"), QStringLiteral("EN"));

    const auto all = Vouchers::listOpenControls(f.db(), QStringLiteral("sc"), Period::all());
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].controlNo, jan);
    EXPECT_EQ(all[0].amount, Money::fromSatang(123410));
    EXPECT_EQ(all[0].factName, QStringLiteral("คณะวิทยาศาสตร์"));
    EXPECT_EQ(all[1].controlNo, dec);
    EXPECT_EQ(all[1].amount, Money::fromSatang(20));
    EXPECT_EQ(voucherTypeLabel(all[1].docType), QStringLiteral("CO-PAY"));

    ASSERT_EQ(Vouchers::listOpenControls(f.db(), QStringLiteral("SC"), Period::month(QStringLiteral("12/2567"))).size(), 1);
    EXPECT_EQ(Vouchers::listOpenControls(f.db(), QStringLiteral("SC"), Period::year(QStringLiteral("2568"))).size(), 1);
    EXPECT_EQ(Vouchers::listOpenControls(f.db(), QStringLiteral("SC"), Period::day(QStringLiteral("03/12/2567"))).size(), 1);
    EXPECT_EQ(Vouchers::listOpenControls(f.db(), {}, Period::all()).size(), 3);

    struct Label {
        const char* type;
        const char* voucher;
        const char* cancel;
    };
    for (const Label& l : {Label{"FAE", "ค่ารักษา", "ค่ารักษา"}, Label{"EDU", "ค่าเล่าเรียนบุตร", "ค่าเล่าเรียนบุตร"},
                           Label{"COP", "CO-PAY", "CO-PAY"}, Label{"OTH", "สวัสดิการอื่น ๆ", "ค่ารักษา"},
                           Label{"OVM", "ค่ารักษาเกินวงเงิน", "ค่ารักษา"}, Label{"HPE", "ค่ารักษา", "ค่ารักษา"}}) {
        EXPECT_EQ(voucherTypeLabel(QString::fromLatin1(l.type)), QString::fromUtf8(l.voucher)) << l.type;
        EXPECT_EQ(cancelTypeLabel(QString::fromLatin1(l.type)), QString::fromUtf8(l.cancel)) << l.type;
    }
}

TEST(VoucherListings, SummariesInForceAndTheirMembers)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    FinanceFixture::Claim in;
    in.inOut = QStringLiteral("1");
    in.payable = Money::fromBaht(5000);
    FinanceFixture::Claim out;
    out.payable = Money::fromSatang(12345);
    const QString mixed = f.control({f.claim(out), f.claim(in)});
    const QString edu = f.controlOf(QStringLiteral("E"), {3000}, QStringLiteral("EDU"));
    const QString first = Vouchers::make(f.db(), test::facultyClerk(), {}, {edu, mixed}, {});
    const QString second = Vouchers::make(f.db(), test::facultyClerk(), {}, {f.controlOf(QStringLiteral("M"), {1}, QStringLiteral("OTH"))}, {});
    f.db().exec(QStringLiteral("UPDATE T_PV SET Sent_Date = '02/12/2567', Sent_Doc_Status = 'C' WHERE PVR_NO = ?"),
                {second});

    const auto members = Vouchers::members(f.db(), first);
    ASSERT_EQ(members.size(), 3);
    EXPECT_EQ(members[0].controlNo, edu);
    EXPECT_EQ(members[0].orderNo, 1);
    EXPECT_EQ(categoryLabel(members[0].category), QStringLiteral("ค่าเล่าเรียนบุตร"));
    EXPECT_EQ(members[1].controlNo, mixed);
    EXPECT_EQ(members[1].amount, Money::fromSatang(12345));
    EXPECT_EQ(members[2].controlNo, mixed);
    EXPECT_EQ(members[2].amount, Money::fromBaht(5000));
    EXPECT_EQ(categoryLabel(members[1].category), QStringLiteral("ค่ารักษา"));
    EXPECT_EQ(categoryLabel(members[2].category), QStringLiteral("ค่ารักษา"));
    EXPECT_EQ(members[2].factCode, QStringLiteral("SC"));
    EXPECT_EQ(categoryLabel(QStringLiteral("O")), QStringLiteral("อื่น ๆ"));
    EXPECT_EQ(categoryLabel({}), QString());

    const auto listed = Vouchers::listInForce(f.db(), QStringLiteral("sc"), Period::day(QStringLiteral("20/01/2568")));
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].pvrNo, first);
    EXPECT_EQ(Vouchers::listInForce(f.db(), QStringLiteral("SC"), Period::month(QStringLiteral("01/2568"))).size(), 1);
    EXPECT_EQ(Vouchers::listInForce(f.db(), QStringLiteral("SC"), Period::year(QStringLiteral("2567"))).size(), 0);
    EXPECT_EQ(Vouchers::listInForce(f.db(), QStringLiteral("EN"), Period::year(QStringLiteral("2568"))).size(), 0);

    // The faculty the listings open on when the clerk's own has nothing.
    EXPECT_EQ(Vouchers::firstFacultyInForce(f.db(), Period::year(QStringLiteral("2568"))), QStringLiteral("SC"));
    EXPECT_EQ(Vouchers::firstFacultyInForce(f.db(), Period::year(QStringLiteral("2567"))), QString())
        << "that year's summary is cancelled";
    EXPECT_EQ(DocNumbers::firstFaculty(f.db()), QStringLiteral("SC"));
}
