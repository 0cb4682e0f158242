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

// Words a clerk might type, repeated to the full length of the column.
QString longest(int length, const QString& words)
{
    QString s;
    while (s.size() < length)
        s += words;
    return s.left(length).trimmed();
}

const QString kTitle = longest(35, QStringLiteral("ว่าที่ร้อยตรีหญิง"));
const QString kGiven = longest(40, QStringLiteral("ศรีสุดารัตน์วรรณประภา"));
const QString kFamily = longest(40, QStringLiteral("ประเสริฐวงศ์ษาสกุลไทย"));
const QString kPosition = longest(250, QStringLiteral("ผู้ช่วยศาสตราจารย์ชำนาญการพิเศษ "));
const QString kFaculty = longest(250, QStringLiteral("คณะวิทยาศาสตร์และเทคโนโลยีการเกษตร "));

// An employee whose name, position and faculty fill their columns.
QString longestEmployee(ClaimsDb& f, int n)
{
    const QString kv = f.addEmployee(n, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(kv, QStringLiteral("2568"), baht(200000), {});
    f.db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Surname = ?, Emp_F_Name = ?, Emp_L_Name = ?, "
                             "Emp_Position = ? WHERE KV_ID = ?"),
              {kTitle, kGiven, kFamily, kPosition, kv});
    f.db.exec(QStringLiteral("UPDATE T_Fact SET Fact_Name = ? WHERE Fact_Code = 'SC'"), {kFaculty});
    return kv;
}

QVector<ClaimReceipt> receipts(int n)
{
    QVector<ClaimReceipt> out;
    for (int i = 0; i < n; ++i) {
        ClaimReceipt r = receipt(i % 2, baht(100 + i));
        r.title = kTitle;
        r.given = kGiven;
        r.family = kFamily;
        out << r;
    }
    return out;
}

QStringList textsOn(const ReportPage& page, const QString& name)
{
    QStringList texts;
    for (const PlacedItem& i : page.items)
        if (i.name == name)
            texts << i.text;
    return texts;
}

QStringList texts(const Report& r, const QString& name)
{
    QStringList all;
    for (const ReportPage& p : r.pages())
        all << textsOn(p, name);
    return all;
}

} // namespace

// A loose page of a long claim form can be matched to its claim: every page
// carries the claim number, "หน้า n / m" and the column headings; every
// receipt prints once and every name prints whole.
TEST(LongDocuments, ClaimFormOf45ReceiptsAndTheLongestNames)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = longestEmployee(f, 1);
    const QString claim = ClaimEntry::save(f.db, f.login(), outpatient(), draft(kv, receipts(45))).claimNo;

    for (FormOccasion occasion : {FormOccasion::AfterSave, FormOccasion::Reprint}) {
        const Report form = claimForm(f.db, claim, occasion, kPrinted);
        ASSERT_GE(form.pageCount(), 2);
        const ReportPage& first = form.pages().first();
        QStringList headings;
        for (int c = 0; c < 5; ++c)
            headings << textsOn(first, QStringLiteral("QRLabelHead%1").arg(c));
        ASSERT_EQ(headings.size(), 5);
        EXPECT_FALSE(headings.contains(QString()));
        for (int p = 0; p < form.pageCount(); ++p) {
            SCOPED_TRACE(p + 1);
            const ReportPage& page = form.pages()[p];
            EXPECT_EQ(textsOn(page, QStringLiteral("QRExprPageDoc")), QStringList{QStringLiteral("ใบเบิกเลขที่ ") + claim});
            EXPECT_EQ(textsOn(page, QStringLiteral("QRSysPage")),
                      QStringList{QStringLiteral("หน้า %1 / %2").arg(p + 1).arg(form.pageCount())});
            for (int c = 0; c < 5; ++c)
                EXPECT_EQ(textsOn(page, QStringLiteral("QRLabelHead%1").arg(c)), QStringList{headings[c]});
        }
        QStringList orders;
        for (int i = 1; i <= 45; ++i)
            orders << QString::number(i);
        EXPECT_EQ(texts(form, QStringLiteral("QRDBText6")), orders);
        EXPECT_EQ(texts(form, QStringLiteral("QRExpr1")), QStringList{kTitle + kGiven + QStringLiteral("  ") + kFamily});
        EXPECT_EQ(texts(form, QStringLiteral("QRDBText2")), QStringList{kPosition});
        EXPECT_EQ(texts(form, QStringLiteral("QRDBText3")), QStringList{kFaculty});
        EXPECT_EQ(texts(form, QStringLiteral("QRExpr2")).first(), kTitle + kGiven + QStringLiteral("  ") + kFamily);
        EXPECT_EQ(cutTexts(form).join(u'|').toStdString(), "");
        EXPECT_EQ(overlappingTexts(form).join(u'|').toStdString(), "");
    }
}

// The summary of many claims of long-named employees: names whole, the
// control number on every page, and no claim's patient lines opening a page
// without their claim line.
TEST(LongDocuments, SummaryOfLongNamesKeepsEachClaimWithItsPatients)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    QStringList claims;
    for (int n = 1; n <= 12; ++n) {
        const QString kv = longestEmployee(f, n);
        claims << ClaimEntry::save(f.db, f.login(), outpatient(), draft(kv, receipts(2))).claimNo;
    }
    const QString control = ClaimSummary::send(f.db, f.login(), outpatient(), {}, claims);
    const Report doc = summaryDocument(f.db, control, QStringLiteral("0"), kPrinted);
    ASSERT_GE(doc.pageCount(), 2);
    for (int p = 0; p < doc.pageCount(); ++p) {
        SCOPED_TRACE(p + 1);
        const ReportPage& page = doc.pages()[p];
        EXPECT_EQ(textsOn(page, QStringLiteral("QRLabelPageDoc")),
                  QStringList{QStringLiteral("เลขที่ควบคุมใบเบิก : ") + control});
        EXPECT_EQ(textsOn(page, QStringLiteral("QRSysData1")),
                  QStringList{QStringLiteral("หน้า %1 / %2").arg(p + 1).arg(doc.pageCount())});
        for (const PlacedBand& b : page.bands) {
            if (b.kind == BandKind::PageHeader || b.kind == BandKind::Title || b.kind == BandKind::ColumnHeader)
                continue;
            EXPECT_NE(b.kind, BandKind::Detail) << "a page opens with a claim's patient line";
            break;
        }
    }
    // Names were shrunk to about 8 points and still cut: now never below the floor.
    for (const ReportPage& page : doc.pages())
        for (const PlacedItem& i : page.items)
            if (i.name == QLatin1String("QRExpr1") || i.name == QLatin1String("QRExpr2"))
                EXPECT_GE(i.font.pointSize, kNameFloorPt) << i.text.toStdString();
    EXPECT_EQ(texts(doc, QStringLiteral("QRDBText2")), claims);
    EXPECT_EQ(texts(doc, QStringLiteral("QRExpr1")).first(), kTitle + kGiven + QStringLiteral("  ") + kFamily);
    EXPECT_EQ(cutTexts(doc).join(u'|').toStdString(), "");
    EXPECT_EQ(overlappingTexts(doc).join(u'|').toStdString(), "");
}

TEST(LongDocuments, LimitStatementOfTheLongestNames)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = longestEmployee(f, 1);
    const Report doc = hospital::LimitEnquiry::statement(hospital::LimitEnquiry::read(f.db, kv, QStringLiteral("2568")),
                                                         kPrinted);
    EXPECT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(texts(doc, QStringLiteral("QRLabel2V")), QStringList{kPosition});
    EXPECT_EQ(texts(doc, QStringLiteral("QRLabel7V")), QStringList{kFaculty});
    EXPECT_EQ(cutTexts(doc).join(u'|').toStdString(), "");
    EXPECT_EQ(overlappingTexts(doc).join(u'|').toStdString(), "");
}
