#include "ClaimForm.h"
#include "common/AppError.h"
#include "common/Limits.h"
#include "common/db/Database.h"

namespace wel::claims {

namespace {

constexpr double kCaption = 16, kData = 14, kSmall = 12, kNumber = 10;

ReportItem cap(const QString& name, QRectF r, const QString& text)
{
    return ReportItem::caption(name, r, text).size(kCaption);
}

ReportItem label(const QString& name, QRectF r)
{
    return ReportItem::caption(name, r, QString()).size(kData);
}

ReportItem field(const QString& name, QRectF r, const QString& column)
{
    return ReportItem::field(name, r, column).size(kData);
}

const QString kBaht = QStringLiteral("บาท");

} // namespace

ReportLayout claimFormLayout(const ClaimKind& kind)
{
    ReportLayout l;
    l.documentName = QStringLiteral("ใบเบิก");
    l.page.marginsMm = {10, 10, 10, 10};
    const double w = l.page.bodyWidthMm(); // 190

    // Empty after saving; a reprint says so and when it was printed.
    l.pageHeader.heightMm = 8;
    l.pageHeader.add(ReportItem::caption(QStringLiteral("QRLabelRePrint"), {0, 0, 40, 7}, QStringLiteral("Re-Print"))
                         .size(kData).bold());
    l.pageHeader.add(ReportItem::printDateTime(QStringLiteral("QRSysData1"), {100, 0, w - 100, 7},
                                               QStringLiteral("Date Print : %1 %2"))
                         .size(kSmall).align(Align::Right));

    Band& t = l.title;
    t.heightMm = 58;
    t.add(ReportItem::caption(QStringLiteral("QRLabelTitle"), {0, 0, 128, 13}, QString())
              .size(kCaption).bold().align(Align::Centre).withFrame());
    t.add(ReportItem::frame(QStringLiteral("QRShape2"), {132, 0, w - 132, 13}));
    t.add(ReportItem::caption(QStringLiteral("QRLabel2"), {134, 0, 24, 13}, QStringLiteral("เลขที่ใบเบิก"))
              .size(kData).bold());
    t.add(ReportItem::field(QStringLiteral("QRDBText1"), {158, 0, w - 159, 13}, QStringLiteral("Berg_Doc_ID"))
              .size(kNumber).bold().align(Align::Right));

    double y = 16;
    t.add(cap("QRLabel3", {0, y, 18, 8}, QStringLiteral("ข้าพเจ้า")));
    t.add(ReportItem::expression(QStringLiteral("QRExpr1"), {18, y, 82, 8},
                                 QStringLiteral("[Emp_Surname][Emp_F_Name]  [Emp_L_Name]"))
              .size(kData));
    t.add(cap("QRLabel4", {100, y, 17, 8}, QStringLiteral("ตำแหน่ง")));
    t.add(field("QRDBText2", {117, y, w - 117, 8}, "Emp_Position"));
    y += 8;
    t.add(cap("QRLabel5", {0, y, 14, 8}, QStringLiteral("สังกัด")));
    t.add(field("QRDBText3", {14, y, w - 14, 8}, "Fact_Name"));
    y += 8;
    t.add(cap("QRLabel6", {0, y, 42, 8}, QStringLiteral("รหัสประจำตัวพนักงาน")));
    t.add(field("QRDBText4", {42, y, 48, 8}, "EMP_ID"));
    t.add(cap("QRLabel7", {100, y, 44, 8}, QStringLiteral("รหัสประจำตัวประชาชน")));
    t.add(field("QRDBText5", {144, y, w - 144, 8}, "Emp_SSN"));
    y += 8;
    t.add(cap("QRLabel8", {0, y, 62, 8}, QStringLiteral("เลือกสวัสดิการรักษาพยาบาลแบบ")));
    t.add(label("QRLabelHType", {62, y, 28, 8}));
    t.add(cap("QRLabel9", {100, y, 44, 8}, QStringLiteral("สิทธิในการเบิกวงเงิน")));
    t.add(label("QRLabelMPay", {144, y, 34, 8}).align(Align::Right));
    t.add(cap("QRLabel10", {180, y, w - 180, 8}, kBaht));
    y += 8;
    t.add(cap("QRLabel11", {0, y, 28, 8}, QStringLiteral("ประเภทคนไข้")));
    t.add(label("QRLabelInOut", {28, y, 62, 8}));
    t.add(cap("QRLabel12", {100, y, 44, 8}, QStringLiteral("Flexible Benefit")));
    t.add(label("QRLabelFlex", {144, y, 34, 8}).align(Align::Right));
    t.add(cap("QRLabel13", {180, y, w - 180, 8}, kBaht));

    // Columns: order, patient, relationship, receipt date, amount.
    const double cx[] = {0, 16, 92, 122, 152, w};
    ReportGroup& g = l.addGroup(QStringLiteral("[Berg_Doc_ID]"));
    g.header.heightMm = 9;
    g.header.framed = true;
    for (int i = 0; i < 5; ++i)
        g.header.add(ReportItem::caption(QStringLiteral("QRLabelHead%1").arg(i), {cx[i] + 1, 1, cx[i + 1] - cx[i] - 2, 7},
                                         kind.form.columnHeadings.value(i))
                         .size(kCaption).bold().align(i == 4 ? Align::Right : i == 0 ? Align::Centre : Align::Left));

    l.detail.heightMm = 7;
    l.detail.add(field("QRDBText6", {cx[0] + 1, 0, cx[1] - cx[0] - 2, 7}, "Order_Doc").align(Align::Centre));
    l.detail.add(ReportItem::expression(QStringLiteral("QRExpr2"), {cx[1] + 1, 0, cx[2] - cx[1] - 2, 7},
                                        QStringLiteral("[EF_Surname][EF_F_Name]  [EF_L_Name]"))
                     .size(kData));
    l.detail.add(field("QRDBText7", {cx[2] + 1, 0, cx[3] - cx[2] - 2, 7}, "Folk_name"));
    l.detail.add(field("QRDBText8", {cx[3] + 1, 0, cx[4] - cx[3] - 2, 7}, "Date_Doc"));
    l.detail.add(field("QRDBText9", {cx[4] + 1, 0, cx[5] - cx[4] - 2, 7}, "P_money")
                     .withMask(QStringLiteral("#,###.00")).align(Align::Right));

    // The footer: the total, then how the claim was charged.
    Band& f = g.footer;
    f.heightMm = 76;
    f.framed = true;
    f.add(cap("QRLabel14", {cx[3] + 1, 1, cx[4] - cx[3] - 2, 8}, QStringLiteral("รวมจำนวนเงิน")).bold());
    f.add(ReportItem::sum(QStringLiteral("QRExpr3"), {cx[4] + 1, 1, cx[5] - cx[4] - 2, 8}, QStringLiteral("P_money"))
              .size(kData).bold().withMask(QStringLiteral("#,###.00")).align(Align::Right));
    f.add(ReportItem::line(QStringLiteral("QRShape3"), 0, 10, w, 10));
    f.add(ReportItem::caption(QStringLiteral("QRLabelFootHead"), {4, 12, w - 8, 8}, QString()).size(kCaption).bold());
    for (int i = 0; i < 4; ++i) {
        const double ly = 21 + i * 8;
        f.add(ReportItem::caption(QStringLiteral("QRLabelCap%1").arg(i + 1), {12, ly, 90, 8},
                                  kind.form.lineCaptions.value(i))
                  .size(kCaption));
        f.add(ReportItem::caption(QStringLiteral("QRLabelLine%1").arg(i + 1), {104, ly, 50, 8}, QString())
                  .size(kData).align(Align::Right));
        f.add(cap(QStringLiteral("QRLabelBaht%1").arg(i + 1), {158, ly, 20, 8}, kBaht));
    }
    f.add(ReportItem::expression(QStringLiteral("QRExpr4"), {4, 55, w - 8, 7},
                                 QStringLiteral("วันที่ประมวลผล [Date_Ent] :  เวลา [Time_Ent] น."))
              .size(kSmall));
    f.add(ReportItem::caption(QStringLiteral("QRLabel15"), {4, 64, w - 8, 9},
                              QStringLiteral("ส่วนที่เกินวงเงิน ผู้ป่วยชำระเงินเอง"))
              .size(kCaption).bold());
    return l;
}

QStringList footerLines(Money before, Money claimed, bool unlimited)
{
    const Money after = before - claimed;
    const bool within = after > Money();
    QStringList lines{before.toDisplay(), claimed.toDisplay(), within ? after.toDisplay() : QStringLiteral("0.00"),
                      within ? QStringLiteral("0.00") : (claimed - before).toDisplay()};
    if (unlimited) {
        lines[0] = kNoLimitText;
        lines[2] = kNoLimitText;
        lines[3] = QStringLiteral("0.00");
    }
    return lines;
}

Report claimForm(Database& db, const QString& claimNo, FormOccasion occasion, const QDateTime& printedAt)
{
    const QString no = claimNo.trimmed();
    const Rows h = db.select(QStringLiteral("SELECT h.Berg_Type_Code, h.Berg_Doc_Status, h.Vong_M_Befor, h.T_M_Berg, "
                                            "h.Health_In_Out_t, h.Pay_Year, h.KV_ID, e.Emp_H_Type, y.M_Flexben "
                                            "FROM T_PAY_Health h "
                                            "LEFT JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                                            "LEFT JOIN T_Year_Cur_Health y ON h.KV_ID = y.KV_ID AND h.Pay_Year = y.Pay_Year "
                                            "WHERE h.Berg_Doc_ID = ?"),
                             {no});
    if (h.isEmpty())
        throw AppError(QStringLiteral("ไม่พบใบเบิกเลขที่ ") + no);
    if (h.text(0, QStringLiteral("Berg_Doc_Status")).trimmed().toUpper() == QLatin1String("NO"))
        throw AppError(QStringLiteral("ใบเบิกเลขที่ %1 ถูกยกเลิกแล้ว").arg(no));
    const QString type = h.text(0, QStringLiteral("Berg_Type_Code")).trimmed().toUpper();
    const ClaimKind* kind = kindOfType(type);
    if (!kind)
        throw AppError(QStringLiteral("ใบเบิกเลขที่ %1 เป็นประเภท %2 ซึ่งพิมพ์จากหน้าจอนี้ไม่ได้").arg(no, type));

    ReportLayout l = claimFormLayout(*kind);
    const bool reprint = occasion == FormOccasion::Reprint;
    l.setVisible(QStringLiteral("QRLabelRePrint"), reprint);
    l.setVisible(QStringLiteral("QRSysData1"), reprint);
    l.setCaption(QStringLiteral("QRLabelTitle"),
                 !reprint ? kind->form.titleAfterSave
                          : type == QLatin1String("HPE") ? kind->form.titleReprintHospital : kind->form.titleReprint);
    const QString hType = h.text(0, QStringLiteral("Emp_H_Type")).trimmed();
    const RightTypeLimit* limit = rightTypeLimit(hType);
    l.setCaption(QStringLiteral("QRLabelHType"), hType);
    l.setCaption(QStringLiteral("QRLabelMPay"), limit ? limit->formText : QString());
    l.setCaption(QStringLiteral("QRLabelFlex"), h.money(0, QStringLiteral("M_Flexben")).toDisplay());
    l.setCaption(QStringLiteral("QRLabelInOut"), h.integer(0, QStringLiteral("Health_In_Out_t")) != 0
                                                     ? QStringLiteral("คนไข้ใน")
                                                     : QStringLiteral("คนไข้นอก"));
    l.setCaption(QStringLiteral("QRLabelFootHead"),
                 kind->form.footerHeading
                     + (kind->form.footerHeadingHasYear ? h.text(0, QStringLiteral("Pay_Year")) : QString()));
    const QStringList lines = footerLines(h.money(0, QStringLiteral("Vong_M_Befor")), h.money(0, QStringLiteral("T_M_Berg")),
                                          limit && limit->unlimited);
    for (int i = 0; i < 4; ++i)
        l.setCaption(QStringLiteral("QRLabelLine%1").arg(i + 1), lines[i]);

    const Rows data = db.select(
        QStringLiteral("SELECT h.Berg_Doc_ID, h.Date_Ent, h.Time_Ent, e.Emp_Surname, e.Emp_F_Name, e.Emp_L_Name, "
                       "e.Emp_Position, e.EMP_ID, e.Emp_SSN, f.Fact_Name, r.Order_Doc, r.EF_Surname, r.EF_F_Name, "
                       "r.EF_L_Name, r.Date_Doc, r.P_money, k.Folk_name "
                       "FROM T_PAY_Health h "
                       "LEFT JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                       "LEFT JOIN T_Fact f ON e.Fact_code = f.Fact_Code "
                       "LEFT JOIN T_Reciept r ON h.Berg_Doc_ID = r.Berg_Doc_ID "
                       "LEFT JOIN Tr_Folk k ON r.Emp_Folk = k.Emp_Folk "
                       "WHERE h.Berg_Doc_ID = ? ORDER BY r.Order_Doc"),
        {no});
    return Report(l, data, printedAt);
}

} // namespace wel::claims
