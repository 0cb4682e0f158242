#include "FinanceFixture.h"
#include "common/report/Report.h"
#include "finance/VoucherDocument.h"
#include "finance/VoucherService.h"
#include "finance/CancelService.h"
#include "ReportChecks.h"

#include <QFont>
#include <QFontMetricsF>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

namespace {

QString textOf(const Report& r, const QString& name)
{
    for (const PlacedItem& it : r.pages().value(0).items)
        if (it.name == name)
            return it.text;
    ADD_FAILURE() << "no item " << name.toStdString();
    return {};
}

// Width of a text in mm as the document prints it.
double widthMm(const PlacedItem& it)
{
    QFont font(it.font.family);
    font.setPixelSize(qRound(it.font.pointSize * 10));
    font.setBold(it.font.bold);
    return QFontMetricsF(font).horizontalAdvance(it.text) / 10.0 * 25.4 / 72.0;
}

} // namespace

TEST(VoucherDocument, PrintsEachLineTheTotalAndTheAmountInWords)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    f.db().exec(QStringLiteral("INSERT INTO TR_Heal_Type (Health_In_Out_t, Health_Desc, Health_Other_Code) "
                               "VALUES ('P', 'ทุนการศึกษา', 'O')"));
    const QString edu = f.controlOf(QStringLiteral("E"), {4000, 3500}, QStringLiteral("EDU"));
    const QString medical = f.control({f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromSatang(123450))),
                                       f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("1"), Money::fromBaht(20000)))});
    const QString other = f.control({f.claim(FinanceFixture::of(QStringLiteral("OTH"), QStringLiteral("M"), Money::fromBaht(10000))),
                                     f.claim(FinanceFixture::of(QStringLiteral("OTH"), QStringLiteral("S"), Money::fromBaht(2000))),
                                     f.claim(FinanceFixture::of(QStringLiteral("OTH"), QStringLiteral("P"), Money::fromBaht(500)))},
                                    QStringLiteral("OTH"));
    const QString pvr = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("sc"), {edu, medical, other},
                                       QStringLiteral("นางสาวมาลี ใจดี"));
    const Report r = voucherReport(f.db(), pvr);
    ASSERT_EQ(r.pageCount(), 1);

    struct Expect {
        const char* name;
        const char* text;
    };
    // The kind "P" has no line of its own but counts in the total.
    const Expect expected[] = {
        {"dbPVR_NO", "PVR2568/00001SC"},  {"dbFact_Name", "คณะวิทยาศาสตร์"}, {"dbFact_Code", "SC"},
        {"dbPay_For_Per", "นางสาวมาลี ใจดี"},
        {"lblCount_E", "2"},    {"lblMoney_E", "7,500.00"},  {"lblCount_0", "1"},  {"lblMoney_0", "1,234.50"},
        {"lblCount_1", "1"},    {"lblMoney_1", "20,000.00"}, {"lblCount_M", "1"},  {"lblMoney_M", "10,000.00"},
        {"lblCount_N", "0"},    {"lblMoney_N", "0.00"},      {"lblCount_S", "1"},  {"lblMoney_S", "2,000.00"},
        {"lblCount_D", "0"},    {"lblMoney_D", "0.00"},
        {"lblTotal", "41,234.50"}, {"lblDebitTotal", "41,234.50"}, {"lblCreditTotal", "41,234.50"},
        {"lblBahtText", "[ สี่หมื่นหนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์ ]"},
        {"lblDebit1", "7,500.00"}, {"lblCredit1", ""}, {"lblDebit2", ""}, {"lblCredit2", "7,500.00"},
        {"lblDebit3", "1,234.50"}, {"lblCredit4", "1,234.50"}, {"lblDebit5", "20,000.00"}, {"lblCredit6", "20,000.00"},
        {"lblDebit7", "10,000.00"}, {"lblCredit8", "10,000.00"}, {"lblDebit9", "0.00"}, {"lblCredit10", "0.00"},
        {"lblDebit11", "2,000.00"}, {"lblCredit12", "2,000.00"}, {"lblDebit13", "0.00"}, {"lblCredit14", "0.00"},
        {"lblAccCode3", "5     1     5      1     6     0      3     0     1 "},
        {"lblAccCode4", "1     1     1      0     2     0      0     0     0 "},
        {"lblAccTitle4", "เงินฝากที่กองคลัง"},
        {"lblAccCode13", "-     -     -      -     -     -      -     -     - "},
        {"lblAccTitle13", "เงินชดเชย เมื่อพนักงานมหาวิทยาลัยพ้นสภาพ "},
        {"lblItem_E", "จ่ายค่าเล่าเรียนบุตร                  (972)"},
        {"lblItem_0", "จ่ายค่ารักษาพยาบาลคนใข้นอก  (973)"},
        {"lblItem_1", "จ่ายค่ารักษาพยาบาลคนใข้ใน    (974)"},
        {"lblItem_Other", "จ่ายสวัสดิการอื่น"},
        {"lblItem_D", "- เงินชดเชย เมื่อพนักงานมหาวิทยาลัยพ้นสภาพ "},
    };
    for (const Expect& e : expected)
        EXPECT_EQ(textOf(r, QString::fromLatin1(e.name)), QString::fromUtf8(e.text)) << e.name;
    const QStringList texts = r.pages()[0].texts();
    for (const char* fixed : {"มหาวิทยาลัยVelmarn", "ใบสำคัญจ่ายเงินกองทุนสวัสดิการพนักงานมหาวิทยาลัย", "312010205",
                              "กองทุนสวัสดิการพนักงานมหาวิทยาลัย", "สำหรับกองคลังกรอก", "เลขที่จ่าย(PV)",
                              "ใบสำคัญจ่าย (PV)", "ผู้ขอเบิก", "ผู้อนุมัติจ่าย", "ผู้รับเงิน", "ผู้จ่ายเงิน",
                              "เช็ค. ธนาคารไทยพาณิชย์ ", "ผู้ตรวจสอบการบันทึกบัญชี", "ผู้บันทึกข้อมูล"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(fixed))) << fixed;

    EXPECT_TRUE(test::errorOf([&] { voucherReport(f.db(), QStringLiteral("PVR2568/00099SC")); }).startsWith(kNotFound));
}

// With the widest figures a voucher can hold every text stays whole inside
// its box and the form on its one A4 page.
TEST(VoucherDocument, WidestValuesFitTheForm)
{
    ReportLayout layout = voucherLayout();
    VoucherFigures widest;
    for (const QString& kind : voucherLineKinds())
        widest.lines[kind] = {99999, Money::fromSatang(9999999999)};
    widest.total = Money::fromSatang(99999999999);
    fillVoucher(layout, widest);
    const Rows row({QStringLiteral("PVR_NO"), QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name"),
                    QStringLiteral("Pay_For_Per")},
                   {{QStringLiteral("PVR2568/99999MM"), QStringLiteral("MM"),
                     QStringLiteral("คณะเทคโนโลยีสารสนเทศและการสื่อสาร"),
                     QString(50, QChar(0x0E21)) + QStringLiteral(" ") + QString(45, QChar(0x0E14))}});
    const Report r(layout, row, QDateTime(QDate(2025, 1, 20), QTime(10, 0)));
    ASSERT_EQ(r.pageCount(), 1);
    const QRectF body(10, 6, 190, 285);
    for (const PlacedItem& it : r.pages()[0].items) {
        const QRectF r = it.rectMm.normalized();
        EXPECT_TRUE(r.left() >= body.left() - 0.01 && r.right() <= body.right() + 0.01 && r.top() >= body.top() - 0.01
                    && r.bottom() <= body.bottom() + 0.01)
            << it.name.toStdString() << " " << it.text.toStdString() << " at " << r.x() << "," << r.y();
        if (it.shape != PlacedItem::Shape::Text || it.text.isEmpty())
            continue;
        const double room = it.rectMm.width() - (it.framed ? 2.0 : 0.0);
        const double lines = it.wordWrap ? 2 : 1;
        EXPECT_LE(widthMm(it), room * lines + 0.2) << it.name.toStdString() << " " << it.text.toStdString();
    }
    EXPECT_EQ(textOf(r, QStringLiteral("lblBahtText")),
              QStringLiteral("[ เก้าร้อยเก้าสิบเก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทเก้าสิบเก้าสตางค์ ]"));
}

// A cancelled voucher can never pass for a valid one: it carries "ยกเลิก"
// above the form; one in force does not.
TEST(VoucherDocument, ACancelledVoucherIsMarked)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString pvr = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"),
                                       {f.controlOf(QStringLiteral("0"), {100})}, {});
    auto marks = [&] {
        QStringList found;
        for (const PlacedItem& it : voucherReport(f.db(), pvr).pages().value(0).items)
            if (it.name == QLatin1String("lblCancelled"))
                found << it.text;
        return found;
    };
    EXPECT_EQ(marks(), QStringList());
    VoucherCancel::cancel(f.db(), test::financeClerk(), pvr);
    EXPECT_EQ(marks(), QStringList{QStringLiteral("ยกเลิก")});
    const Report cancelled = voucherReport(f.db(), pvr);
    ASSERT_EQ(cancelled.pageCount(), 1);
    EXPECT_EQ(test::cutTexts(cancelled).join(u'|').toStdString(), "");

    EXPECT_EQ(test::errorOf([&] { voucherReport(f.db(), QStringLiteral("PVR2568/00099SC")); }),
              kNotFound + QStringLiteral(" : ใบสำคัญจ่ายเลขที่ PVR2568/00099SC"));
}

// The longest faculty name the column holds prints whole: below it the form
// moves down, its accounting part onto a second page when it must.
TEST(VoucherDocument, TheLongestFacultyNamePrintsWhole)
{
    QString faculty;
    while (faculty.size() < 250)
        faculty += QStringLiteral("คณะเทคโนโลยีสารสนเทศและการสื่อสาร ");
    faculty = faculty.left(250).trimmed();
    for (bool cancelled : {false, true}) {
        ReportLayout layout = voucherLayout();
        if (cancelled)
            markCancelled(layout);
        fillVoucher(layout, {});
        const Rows row({QStringLiteral("PVR_NO"), QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name"),
                        QStringLiteral("Pay_For_Per")},
                       {{QStringLiteral("PVR2568/99999MM"), QStringLiteral("MM"), faculty, QStringLiteral("นายก")}});
        const Report r(layout, row, QDateTime(QDate(2025, 1, 20), QTime(10, 0)));
        ASSERT_LE(r.pageCount(), 2) << "at most the accounting part on a page of its own";
        EXPECT_EQ(textOf(r, QStringLiteral("dbFact_Name")), faculty);
        EXPECT_EQ(test::cutTexts(r).join(u'|').toStdString(), "");
        EXPECT_EQ(test::overlappingTexts(r).join(u'|').toStdString(), "");
        QStringList numbers;
        for (const ReportPage& page : r.pages())
            for (const PlacedItem& it : page.items) {
                EXPECT_LE(it.rectMm.normalized().bottom(), 291.01) << it.name.toStdString();
                if (it.name == QLatin1String("dbPVR_NO"))
                    numbers << it.text;
            }
        EXPECT_EQ(numbers, QStringList{QStringLiteral("PVR2568/99999MM")});
    }
}
