#include "LimitEnquiry.h"
#include "common/AppError.h"
#include "common/Limits.h"
#include "common/Money.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/db/Rows.h"

namespace wel::hospital {

namespace {

const QString kChooseEmployee = QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย");
const QString kBaht = QStringLiteral("บาท");

// The old statement's Angsana sizes print far wider in our document face.
constexpr double kCaption = 13, kData = 12, kSmall = 10;

ReportFont font(double size, bool bold = false)
{
    ReportFont f;
    f.pointSize = size;
    f.bold = bold;
    return f;
}

// A caption and its value from x, the value where the caption ends.
// Returns where the printed value ends.
double pair(Band& band, const QString& name, double x, double y, double right, const QString& caption,
            const QString& value)
{
    const double w = printedWidthMm(caption, font(kCaption)) + 2;
    band.add(ReportItem::caption(name, {x, y, w, 7}, caption).size(kCaption));
    band.add(ReportItem::caption(name + QStringLiteral("V"), {x + w, y, right - x - w, 7}, value).size(kData).fitting());
    return qMin(right, x + w + printedWidthMm(value, font(kData)));
}

// A line of a figures block: caption, amount right-aligned, "บาท".
void amountLine(Band& band, const QString& name, double y, const QString& caption, const QString& amount)
{
    band.add(ReportItem::caption(name, {8, y, 100, 7}, caption).size(kCaption));
    band.add(ReportItem::caption(name + QStringLiteral("V"), {108, y, 50, 7}, amount).size(kData).align(Align::Right));
    band.add(ReportItem::caption(name + QStringLiteral("B"), {160, y, 20, 7}, kBaht).size(kCaption));
}

} // namespace

namespace LimitEnquiry {

RemainingLimits read(Database& db, const QString& kvId, const QString& payYear)
{
    const QString kv = kvId.trimmed();
    if (kv.isEmpty())
        throw AppError(kChooseEmployee);
    const Rows e = db.select(QStringLiteral("SELECT e.KV_ID, e.EMP_ID, e.Emp_SSN, e.Emp_Surname, e.Emp_F_Name, "
                                            "e.Emp_L_Name, e.Emp_Position, e.Emp_H_Type, e.Fact_code, f.Fact_Name "
                                            "FROM T_Emp_Gov_Histry e LEFT JOIN T_Fact f ON e.Fact_code = f.Fact_Code "
                                            "WHERE e.KV_ID = ?"),
                             {kv});
    if (e.isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ") + kv);
    auto t = [&](const char* c) { return e.text(0, QString::fromLatin1(c)); };
    RemainingLimits r;
    r.kvId = kv;
    r.empId = t("EMP_ID");
    r.ssn = t("Emp_SSN");
    r.name = t("Emp_Surname") + t("Emp_F_Name") + QLatin1Char(' ') + t("Emp_L_Name");
    r.position = t("Emp_Position");
    r.hType = t("Emp_H_Type").trimmed();
    r.factCode = t("Fact_code").trimmed();
    r.factName = t("Fact_Name");
    r.payYear = payYear.trimmed();
    const RightTypeLimit* type = rightTypeLimit(r.hType);
    r.entitlement = type ? type->formText : QStringLiteral("0");

    const Rows y = db.select(QStringLiteral("SELECT Fact_T_H_Money, Fact_T_U_H, M_Flexben, Fact_T_Copay, Fact_U_Copay "
                                            "FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?"),
                             {kv, r.payYear});
    r.hasRow = !y.isEmpty();
    if (!r.hasRow) {
        r.limit = r.remaining = r.entitlement;
        r.flex = r.used = r.copayLimit = r.copayUsed = r.copayRemaining = Money().toDisplay();
        return r;
    }
    const Money h = y.money(0, QStringLiteral("Fact_T_H_Money")), u = y.money(0, QStringLiteral("Fact_T_U_H")),
                f = y.money(0, QStringLiteral("M_Flexben")), t2 = y.money(0, QStringLiteral("Fact_T_Copay")),
                u2 = y.money(0, QStringLiteral("Fact_U_Copay"));
    // The row's own limit decides: a row made before the right type became
    // "3" keeps its finite limit, and the claims are cut to it.
    const bool unlimited = isUnlimitedAmount(h);
    r.limit = unlimited ? kNoLimitText : h.toDisplay();
    r.flex = f.toDisplay();
    r.used = u.toDisplay();
    r.remaining = unlimited ? kNoLimitText : (h - u - f).toDisplay();
    r.copayLimit = t2.toDisplay();
    r.copayUsed = u2.toDisplay();
    r.copayRemaining = (t2 - u2).toDisplay();
    return r;
}

Report statement(const RemainingLimits& r, const QDateTime& printedAt)
{
    ReportLayout l;
    l.documentName = QStringLiteral("ใบแสดงยอดคงเหลือ");
    l.page.marginsMm = {10, 10, 10, 10};
    const double w = l.page.bodyWidthMm(), half = 95;

    l.pageHeader.heightMm = 8;
    l.pageHeader.add(ReportItem::printDateTime(QStringLiteral("QRSysData1"), {100, 0, w - 100, 7},
                                               QStringLiteral("Date Print : %1 %2"))
                         .size(kSmall).align(Align::Right));

    Band& t = l.title;
    t.heightMm = 50;
    t.add(ReportItem::caption(QStringLiteral("QRLabelTitle"), {20, 0, w - 40, 12},
                              QStringLiteral("ใบแสดงยอดคงเหลือ สวัสดิการค่ารักษาพยาบาล"))
              .size(kCaption + 3).bold().align(Align::Centre).withFrame());
    double y = 16;
    pair(t, QStringLiteral("QRLabel1"), 0, y, half, QStringLiteral("ข้าพเจ้า"), r.name);
    pair(t, QStringLiteral("QRLabel2"), half + 2, y, w, QStringLiteral("ตำแหน่ง"), r.position);
    y += 7;
    pair(t, QStringLiteral("QRLabel3"), 0, y, half, QStringLiteral("รหัสประจำตัวพนักงาน"), r.empId);
    pair(t, QStringLiteral("QRLabel4"), half + 2, y, w, QStringLiteral("รหัสประจำตัวประชาชน"), r.ssn);
    y += 7;
    pair(t, QStringLiteral("QRLabel5"), 0, y, half, QStringLiteral("เลือกสวัสดิการรักษาพยาบาลแบบ"), r.hType);
    const double end = pair(t, QStringLiteral("QRLabel6"), half + 2, y, w - 12, QStringLiteral("สิทธิในการเบิกวงเงิน"),
                            r.entitlement);
    t.add(ReportItem::caption(QStringLiteral("QRLabel6B"), {qMin(end + 2, w - 10), y, 10, 7}, kBaht).size(kCaption));
    y += 7;
    pair(t, QStringLiteral("QRLabel7"), 0, y, w, QStringLiteral("สังกัด"), r.factName);

    // One employee, one detail: the medical block, the processing line and
    // the co-pay block.
    Band& d = l.detail;
    d.heightMm = 92;
    d.add(ReportItem::frame(QStringLiteral("QRShape1"), {0, 0, w, 40}));
    d.add(ReportItem::caption(QStringLiteral("QRLabelYear"), {4, 1, w - 8, 8},
                              QStringLiteral("ยอดวงเงินในปี : ") + r.payYear)
              .size(kCaption).bold());
    amountLine(d, QStringLiteral("QRLabelM1"), 10, QStringLiteral("ยอดวงเงิน"), r.limit);
    amountLine(d, QStringLiteral("QRLabelM2"), 17, QStringLiteral("Flexible Benefit"), r.flex);
    amountLine(d, QStringLiteral("QRLabelM3"), 24, QStringLiteral("ยอดเบิกค่ารักษา"), r.used);
    amountLine(d, QStringLiteral("QRLabelM4"), 31, QStringLiteral("วงเงินคงเหลือที่สามารถเบิกค่ารักษาพยาบาล"), r.remaining);
    d.add(ReportItem::caption(QStringLiteral("QRLabelProcessed"), {4, 42, w - 8, 7},
                              QStringLiteral("วันที่ประมวลผล :") + toBEText(printedAt.date())
                                  + QStringLiteral("    : เวลา ") + nowTimeText(printedAt) + QStringLiteral(" น."))
              .size(kSmall));
    d.add(ReportItem::frame(QStringLiteral("QRShape2"), {0, 52, w, 33}));
    d.add(ReportItem::caption(QStringLiteral("QRLabelCopayYear"), {4, 53, w - 8, 8},
                              QStringLiteral("ยอดวงเงิน CO-Pay ในปี : ") + r.payYear)
              .size(kCaption).bold());
    amountLine(d, QStringLiteral("QRLabelC1"), 62, QStringLiteral("ยอดวงเงิน CO-Pay"), r.copayLimit);
    amountLine(d, QStringLiteral("QRLabelC2"), 69, QStringLiteral("ยอดเบิกค่ารักษา  CO-Pay"), r.copayUsed);
    amountLine(d, QStringLiteral("QRLabelC3"), 76, QStringLiteral("วงเงินคงเหลือที่สามารถเบิกค่ารักษาพยาบาล"),
               r.copayRemaining);

    return Report(l, Rows({QStringLiteral("KV_ID")}, {{r.kvId}}), printedAt);
}

} // namespace LimitEnquiry
} // namespace wel::hospital
