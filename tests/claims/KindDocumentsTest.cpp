#include "ClaimsFixture.h"
#include "ReportChecks.h"
#include "claims/ClaimForm.h"
#include "claims/ClaimSummaryService.h"
#include "claims/SummaryDocument.h"
#include "inpatient/LimitEnquiry.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

const QDateTime kPrinted(QDate(2024, 11, 20), QTime(9, 30, 0));

QVector<PlacedItem> items(const Report& r, const QString& name)
{
    QVector<PlacedItem> found;
    for (const ReportPage& p : r.pages())
        for (const PlacedItem& i : p.items)
            if (i.name == name)
                found << i;
    return found;
}

QString one(const Report& r, const QString& name)
{
    const auto found = items(r, name);
    return found.size() == 1 ? found.first().text : QStringLiteral("<%1 placed %2 times>").arg(name).arg(found.size());
}

QStringList footer(const Report& r)
{
    QStringList l;
    for (int i = 1; i <= 4; ++i)
        l << one(r, QStringLiteral("QRLabelCap%1").arg(i)) + QLatin1Char('=') + one(r, QStringLiteral("QRLabelLine%1").arg(i));
    return l;
}

} // namespace

TEST(CopayForm, CopayTextsAndNoLimitLines)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(20000));
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = 25000, Fact_U_Copay = 24000"));
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 1)"));
    const SavedClaim s = ClaimEntry::save(f.db, f.login(), copay(), draft(kv, {receipt(0, baht(1250))}));

    for (const FormOccasion occasion : {FormOccasion::AfterSave, FormOccasion::Reprint}) {
        const Report form = claimForm(f.db, s.claimNo, occasion, kPrinted);
        SCOPED_TRACE(occasion == FormOccasion::Reprint ? "reprint" : "after saving");
        EXPECT_EQ(one(form, QStringLiteral("QRLabelTitle")), QStringLiteral("ใบเบิกค่ารักษาแบบ CO-PAY พนักงานมหาวิทยาลัย"));
        EXPECT_EQ(items(form, QStringLiteral("QRLabelRePrint")).size(), occasion == FormOccasion::Reprint ? 1 : 0);
        EXPECT_TRUE(items(form, QStringLiteral("QRLabelMPay")).isEmpty()) << "no entitled-limit line";
        EXPECT_TRUE(items(form, QStringLiteral("QRLabelFlex")).isEmpty()) << "no flexible-benefit line";
        EXPECT_EQ(one(form, QStringLiteral("QRLabelHType")), QStringLiteral("2"));
        EXPECT_EQ(one(form, QStringLiteral("QRLabelInOut")), QStringLiteral("คนไข้นอก"));
        EXPECT_EQ(items(form, QStringLiteral("QRLabelInOut")).first().rectMm.top(),
                  items(form, QStringLiteral("QRLabelHType")).first().rectMm.top())
            << "right type and patient type on one line";
        EXPECT_TRUE(one(form, QStringLiteral("QRLabelShare")).startsWith(QStringLiteral("เป็นสัดส่วนร้อยละ 50")));
        EXPECT_EQ(one(form, QStringLiteral("QRLabelHead1")), QStringLiteral("ชื่อ-นามสกุล ผู้ป่วย"));
        EXPECT_EQ(one(form, QStringLiteral("QRLabelHead3")), QStringLiteral("วันที่ในใบเสร็จ"));
        EXPECT_EQ(one(form, QStringLiteral("QRLabelFootHead")),
                  QStringLiteral("สรุปการเบิกค่ารักษาพยาบาลสำหรับ CO-Pay เฉพาะส่วนมหาวิทยาลัยร่วมจ่าย ปีงบประมาณ 2568"));
        EXPECT_EQ(footer(form), (QStringList{"1. วงเงิน CO-Pay คงเหลือก่อนหักครั้งนี้=1,000.00", "2. หักเบิกครั้งนี้=1,250.00",
                                             "3. วงเงิน CO-Pay คงเหลือหลังหักครั้งนี้=0.00", "4. จำนวนที่เกินวงเงิน=250.00"}));
        EXPECT_LT(items(form, QStringLiteral("QRLabel15")).first().rectMm.top(),
                  items(form, QStringLiteral("QRExpr4")).first().rectMm.top())
            << "the note comes before the processing line";
        EXPECT_EQ(cutTexts(form).join(QLatin1Char('|')).toStdString(), "");
    }
}

TEST(InpatientForm, HospitalTitlesAndTheUnlimitedRightType)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 1)"));
    const QString kv = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("3"));
    const SavedClaim s = ClaimEntry::save(f.db, f.login(), inpatient(), draft(kv, {receipt(0, baht(90000))}));

    const Report after = claimForm(f.db, s.claimNo, FormOccasion::AfterSave, kPrinted);
    EXPECT_EQ(one(after, QStringLiteral("QRLabelTitle")),
              QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย (โรงพยาบาลบันทึก)"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelFootHead")), QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelMPay")), QStringLiteral("ไม่จำกัดวงเงิน"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelInOut")), QStringLiteral("คนไข้ใน"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelLine1")), QStringLiteral("ไม่จำกัดวงเงิน"));
    EXPECT_EQ(one(after, QStringLiteral("QRLabelLine2")), QStringLiteral("90,000.00"));
    EXPECT_EQ(cutTexts(after).join(QLatin1Char('|')).toStdString(), "");

    const Report again = claimForm(f.db, s.claimNo, FormOccasion::Reprint, kPrinted);
    EXPECT_EQ(one(again, QStringLiteral("QRLabelTitle")),
              QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย(โรงพยาบาลบันทึก)"));
    EXPECT_EQ(one(again, QStringLiteral("QRLabelFootHead")), QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล ปีงบประมาณ 2568"));
}

TEST(KindSummaryDocuments, TitlesOfTheSummarisingKindAndOfTheReprint)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 1)"));
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(20000));
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = 25000"));
    const LoginContext sc = f.login();
    const QString cop = ClaimSummary::send(
        f.db, sc, copay(), {}, {ClaimEntry::save(f.db, sc, copay(), draft(kv, {receipt(0, baht(100))})).claimNo});
    const QString other = f.addEmployee(2, QStringLiteral("EN"), QStringLiteral("1"));
    const QString hpe = ClaimSummary::send(
        f.db, sc, inpatient(), {}, {ClaimEntry::save(f.db, sc, inpatient(), draft(other, {receipt(0, baht(100))})).claimNo});

    auto title = [&](const QString& no, const std::optional<QString>& inOut, const ClaimKind* kind) {
        return one(summaryDocument(f.db, no, inOut, kPrinted, kind), QStringLiteral("QRLabelTitle"));
    };
    const QString copTitle = QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย(CO-PAY)");
    EXPECT_EQ(title(cop, QStringLiteral("0"), &copay()), copTitle + QStringLiteral("-คนไข้นอก"));
    EXPECT_EQ(title(cop, std::nullopt, nullptr), copTitle + QStringLiteral(" -คนไข้นอก"));
    EXPECT_EQ(title(hpe, QStringLiteral("1"), &inpatient()), QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล-คนไข้ใน"));
    EXPECT_EQ(title(hpe, std::nullopt, nullptr),
              QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย -คนไข้ใน"))
        << "reprinted as the medical control number it is";
}

TEST(LimitStatement, FiguresOfTheYearReadAndTheirStatement)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    using namespace wel::hospital;
    const QString two = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(two, QStringLiteral("2568"), baht(20000), baht(5000), baht(3000));
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = 25000, Fact_U_Copay = 1200.5"));
    const QString three = f.addEmployee(2, QStringLiteral("EN"), QStringLiteral("3"));
    f.addYear(three, QStringLiteral("2568"), baht(2000000000), baht(80000));

    const struct {
        const char* name;
        QString kv, year;
        QStringList figures; // entitlement, limit, flex, used, remaining, co-pay limit, used, remaining
    } cases[] = {
        {"a row", two, "2568",
         {"20,000.00", "20,000.00", "3,000.00", "5,000.00", "12,000.00", "25,000.00", "1,200.50", "23,799.50"}},
        {"another year without a row", two, "2567",
         {"20,000.00", "20,000.00", "0.00", "0.00", "20,000.00", "0.00", "0.00", "0.00"}},
        {"right type 3", three, "2568",
         {"ไม่จำกัดวงเงิน", "ไม่จำกัดวงเงิน", "0.00", "80,000.00", "ไม่จำกัดวงเงิน", "0.00", "0.00", "0.00"}},
    };
    for (const auto& c : cases) {
        const RemainingLimits r = LimitEnquiry::read(f.db, c.kv, c.year);
        EXPECT_EQ((QStringList{r.entitlement, r.limit, r.flex, r.used, r.remaining, r.copayLimit, r.copayUsed,
                               r.copayRemaining}),
                  c.figures)
            << c.name;
    }

    const Report doc = LimitEnquiry::statement(LimitEnquiry::read(f.db, two, QStringLiteral("2567")), kPrinted);
    EXPECT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(one(doc, QStringLiteral("QRLabelYear")), QStringLiteral("ยอดวงเงินในปี : 2567")) << "the year read";
    EXPECT_EQ(one(doc, QStringLiteral("QRLabelCopayYear")), QStringLiteral("ยอดวงเงิน CO-Pay ในปี : 2567"));
    EXPECT_EQ(one(doc, QStringLiteral("QRLabel1V")), QStringLiteral("นายสมชาย1 ใจดี"));
    EXPECT_EQ(one(doc, QStringLiteral("QRLabel7V")), QStringLiteral("คณะวิทยาศาสตร์"));
    EXPECT_EQ(one(doc, QStringLiteral("QRLabelM4V")), QStringLiteral("20,000.00"));
    EXPECT_EQ(one(doc, QStringLiteral("QRLabelProcessed")), QStringLiteral("วันที่ประมวลผล :20/11/2567    : เวลา 09:30:00 น."));
    EXPECT_EQ(one(doc, QStringLiteral("QRSysData1")), QStringLiteral("Date Print : 20/11/2567 09:30:00"));
    EXPECT_EQ(cutTexts(doc).join(QLatin1Char('|')).toStdString(), "");
    EXPECT_EQ(one(LimitEnquiry::statement(LimitEnquiry::read(f.db, three, QStringLiteral("2568")), kPrinted),
                  QStringLiteral("QRLabel6V")),
              QStringLiteral("ไม่จำกัดวงเงิน"));

    EXPECT_EQ(errorOf([&] { LimitEnquiry::read(f.db, QString(), QStringLiteral("2568")); }),
              QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย"));
}
