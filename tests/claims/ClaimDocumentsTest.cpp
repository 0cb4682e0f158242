#include "ClaimsFixture.h"
#include "ReportChecks.h"
#include "claims/ClaimForm.h"
#include "claims/ClaimSummaryService.h"
#include "claims/SummaryDocument.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

const QDateTime kPrinted(QDate(2024, 11, 20), QTime(9, 30, 0));

// The texts the report placed for an item name, over all pages.
QStringList placed(const Report& r, const QString& name)
{
    QStringList texts;
    for (const ReportPage& p : r.pages())
        for (const PlacedItem& i : p.items)
            if (i.name == name)
                texts << i.text;
    return texts;
}

QString one(const Report& r, const QString& name)
{
    const QStringList t = placed(r, name);
    return t.size() == 1 ? t.first() : QStringLiteral("<%1 placed %2 times>").arg(name).arg(t.size());
}

QStringList footer(const Report& r)
{
    QStringList l;
    for (int i = 1; i <= 4; ++i)
        l << one(r, QStringLiteral("QRLabelLine%1").arg(i));
    return l;
}

} // namespace

TEST(ClaimForm, FooterLinesWithinEqualAndAboveTheLimit)
{
    WELMORA_NEED_DB();
    const struct {
        const char* name;
        QString hType;
        Money used, claimed;
        QStringList lines;
    } cases[] = {
        {"within", "2", baht(15000), baht(1234.5), {"5,000.00", "1,234.50", "3,765.50", "0.00"}},
        {"equal", "2", baht(15000), baht(5000), {"5,000.00", "5,000.00", "0.00", "0.00"}},
        {"above", "2", baht(18000), baht(2500), {"2,000.00", "2,500.00", "0.00", "500.00"}},
        {"right type 3", "3", baht(0), baht(2500), {"ไม่จำกัดวงเงิน", "2,500.00", "ไม่จำกัดวงเงิน", "0.00"}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClaimsDb f;
        const QString kv = f.addEmployee(++n, QStringLiteral("SC"), c.hType);
        const Money limit = c.hType == QLatin1String("3") ? baht(2000000000) : baht(20000);
        f.addYear(kv, QStringLiteral("2568"), limit, c.used, c.hType == QLatin1String("3") ? Money() : baht(0));
        const SavedClaim s = ClaimEntry::save(f.db, f.login(), outpatient(),
                                              draft(kv, {receipt(1, c.claimed - baht(1)), receipt(0, baht(1))}));
        const Report form = claimForm(f.db, s.claimNo, FormOccasion::AfterSave, kPrinted);
        EXPECT_EQ(footer(form), c.lines);
        EXPECT_EQ(one(form, QStringLiteral("QRLabelFootHead")), QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล ปีงบประมาณ 2568"));
        EXPECT_EQ(one(form, QStringLiteral("QRLabelMPay")),
                  c.hType == QLatin1String("3") ? QStringLiteral("ไม่จำกัดวงเงิน") : QStringLiteral("20,000.00"));
        EXPECT_EQ(one(form, QStringLiteral("QRExpr3")), c.claimed.toDisplay()) << "the receipts' total";
    }
}

TEST(ClaimForm, AfterSavingAndOnReprint)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(kv, QStringLiteral("2568"), baht(200000), {}, baht(5000));
    ClaimDraft d = draft(kv, {receipt(0, baht(300)), receipt(1, baht(450.5))});
    d.inOut = QStringLiteral("1");
    const SavedClaim s = ClaimEntry::save(f.db, f.login(), outpatient(), d);

    const Report after = claimForm(f.db, s.claimNo, FormOccasion::AfterSave, kPrinted);
    EXPECT_EQ(one(after, QStringLiteral("QRLabelTitle")), QStringLiteral("ใบเบิกสวัสดิการพนักงาน"));
    EXPECT_TRUE(placed(after, QStringLiteral("QRLabelRePrint")).isEmpty()) << "the page header is empty after saving";
    EXPECT_TRUE(placed(after, QStringLiteral("QRSysData1")).isEmpty());
    EXPECT_EQ(one(after, QStringLiteral("QRDBText1")), s.claimNo);
    EXPECT_EQ(one(after, QStringLiteral("QRExpr1")), QStringLiteral("นายสมชาย1  ใจดี"));
    EXPECT_EQ(one(after, QStringLiteral("QRDBText3")), QStringLiteral("คณะวิทยาศาสตร์"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelHType")), QStringLiteral("1"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelMPay")), QStringLiteral("200,000.00"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelFlex")), QStringLiteral("5,000.00"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelInOut")), QStringLiteral("คนไข้ใน"));
    EXPECT_EQ(placed(after, QStringLiteral("QRDBText9")), (QStringList{"300.00", "450.50"}));
    EXPECT_EQ(placed(after, QStringLiteral("QRDBText7")), (QStringList{"ตนเอง", "บิดา"}));
    EXPECT_EQ(placed(after, QStringLiteral("QRExpr2")), (QStringList{"นายผู้ป่วย0  ใจดี", "นายผู้ป่วย1  ใจดี"}));
    EXPECT_EQ(one(after, QStringLiteral("QRExpr4")), QStringLiteral("วันที่ประมวลผล 15/11/2567 :  เวลา 12:00:00 น."));
    EXPECT_EQ(cutTexts(after).join(QLatin1Char('|')).toStdString(), "");

    // Reprinted later: the flexible benefit as the yearly row holds it now.
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET M_Flexben = 6000 WHERE KV_ID = ?"), {kv});
    const Report again = claimForm(f.db, s.claimNo, FormOccasion::Reprint, kPrinted);
    EXPECT_EQ(one(again, QStringLiteral("QRLabelTitle")), QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย"));
    EXPECT_EQ(one(again, QStringLiteral("QRLabelRePrint")), QStringLiteral("Re-Print"));
    EXPECT_EQ(one(again, QStringLiteral("QRSysData1")), QStringLiteral("Date Print : 20/11/2567 09:30:00"));
    EXPECT_EQ(one(again, QStringLiteral("QRLabelFlex")), QStringLiteral("6,000.00"));
    EXPECT_EQ(footer(again), footer(after));
    EXPECT_EQ(cutTexts(again).join(QLatin1Char('|')).toStdString(), "");

    // A claim the hospital entered reprints with its own title.
    f.db.exec(QStringLiteral("UPDATE T_PAY_Health SET Berg_Type_Code = 'HPE' WHERE Berg_Doc_ID = ?"), {s.claimNo});
    EXPECT_EQ(one(claimForm(f.db, s.claimNo, FormOccasion::Reprint, kPrinted), QStringLiteral("QRLabelTitle")),
              QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย(โรงพยาบาลบันทึก)"));

    EXPECT_EQ(errorOf([&] { claimForm(f.db, QStringLiteral("SC2568/9999999"), FormOccasion::Reprint, kPrinted); }),
              QStringLiteral("ไม่พบใบเบิกเลขที่ SC2568/9999999"));
    f.db.exec(QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'NO' WHERE Berg_Doc_ID = ?"), {s.claimNo});
    EXPECT_EQ(errorOf([&] { claimForm(f.db, s.claimNo, FormOccasion::Reprint, kPrinted); }),
              QStringLiteral("ใบเบิกเลขที่ SC2568/0000001 ถูกยกเลิกแล้ว"));
}

TEST(SummaryDocument, ListsTheClaimsWithTheirPatientsAndTotal)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString cut = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(cut, QStringLiteral("2568"), baht(20000), baht(18000));
    const QString ok = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(ok, QStringLiteral("2568"), baht(200000), {});
    const LoginContext fc = f.login();
    const QString a = ClaimEntry::save(f.db, fc, outpatient(), draft(cut, {receipt(0, baht(1500)), receipt(1, baht(1000))}))
                          .claimNo;
    const QString b = ClaimEntry::save(f.db, fc, outpatient(), draft(ok, {receipt(1, baht(99.99))})).claimNo;
    const QString no = ClaimSummary::send(f.db, fc, outpatient(), {}, {a, b});

    const Report doc = summaryDocument(f.db, no, QStringLiteral("0"), kPrinted);
    EXPECT_EQ(one(doc, QStringLiteral("QRLabelTitle")),
              QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย-คนไข้นอก"));
    EXPECT_EQ(one(doc, QStringLiteral("QRLabelFact")), QStringLiteral("คณะวิทยาศาสตร์(SC)"));
    EXPECT_EQ(one(doc, QStringLiteral("QRLabelControl")), QStringLiteral("เลขที่ควบคุมใบเบิก : KV2568/000001SC"));
    EXPECT_EQ(placed(doc, QStringLiteral("QRDBText2")), (QStringList{a, b})) << "one group per claim";
    EXPECT_EQ(placed(doc, QStringLiteral("QRDBText1")), (QStringList{"1", "2"}));
    EXPECT_EQ(placed(doc, QStringLiteral("QRDBText5")), (QStringList{"2,000.00", "99.99"}));
    EXPECT_EQ(placed(doc, QStringLiteral("QRDBText6")), (QStringList{"1,500.00", "500.00", "99.99"}));
    EXPECT_EQ(placed(doc, QStringLiteral("QRExpr2")).first(), QStringLiteral("ตนเอง-นายสมชาย1  ใจดี"));
    EXPECT_EQ(one(doc, QStringLiteral("QRExpr3")), QStringLiteral("2,099.99")) << "the sum of the payable amounts";
    EXPECT_EQ(one(doc, QStringLiteral("QRSysData1")), QStringLiteral("หน้า 1 / 1"));
    EXPECT_EQ(one(doc, QStringLiteral("QRSysData2")), QStringLiteral("วันที่พิมพ์  20/11/2567 09:30:00"));
    EXPECT_EQ(cutTexts(doc).join(QLatin1Char('|')).toStdString(), "");

    EXPECT_EQ(one(summaryDocument(f.db, no, QStringLiteral("1"), kPrinted), QStringLiteral("QRLabelTitle")),
              QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย-คนไข้ใน"));
    EXPECT_EQ(one(summaryDocument(f.db, no, std::nullopt, kPrinted), QStringLiteral("QRLabelTitle")),
              QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย -คนไข้นอก"));
    f.db.exec(QStringLiteral("UPDATE T_PAY_Health SET Health_In_Out_t = '1'"));
    EXPECT_EQ(one(summaryDocument(f.db, no, std::nullopt, kPrinted), QStringLiteral("QRLabelTitle")),
              QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย -คนไข้ใน"));
    EXPECT_EQ(errorOf([&] { summaryDocument(f.db, QStringLiteral("KV2568/999999SC"), std::nullopt, kPrinted); }),
              QStringLiteral("ไม่พบเลขที่ควบคุมใบเบิก KV2568/999999SC"));
}
