#include "ClaimForm.h"
#include "common/AppError.h"
#include "common/Limits.h"
#include "common/db/Database.h"

namespace wel::claims {

namespace {

// The old forms' Angsana sizes (16 captions, 14 data) print far wider in our
// document face; these keep the form's lines on the A4 width.
constexpr double kCaption = 13, kData = 12, kSmall = 10;

const QString kBaht = QStringLiteral("บาท");

ReportFont font(double size, bool bold = false)
{
    ReportFont f;
    f.pointSize = size;
    f.bold = bold;
    return f;
}

// A caption followed by its value, within [x, right): the value starts where
// the printed caption ends. Returns the value's item for refining.
ReportItem& pair(Band& band, const QString& name, double x, double y, double right, const QString& caption,
                 ReportItem value)
{
    const double w = printedWidthMm(caption, font(kCaption)) + 2;
    band.add(ReportItem::caption(name, {x, y, w, 7}, caption).size(kCaption));
    value.rectMm = {x + w, y, right - x - w, 7};
    value.size(kData).fitting();
    band.add(value);
    return band.items.last();
}

// The same, with "บาท" after a right-aligned amount.
void amountPair(Band& band, const QString& name, double x, double y, double right, const QString& caption,
                const QString& valueName)
{
    const double baht = printedWidthMm(kBaht, font(kCaption)) + 2;
    pair(band, name, x, y, right - baht, caption, ReportItem::caption(valueName, {}, QString())).align(Align::Right);
    band.add(ReportItem::caption(name + QStringLiteral("B"), {right - baht + 1, y, baht - 1, 7}, kBaht).size(kCaption));
}

} // namespace

ReportLayout claimFormLayout(const ClaimKind& kind)
{
    ReportLayout l;
    l.documentName = QStringLiteral("ใบเบิก");
    l.page.marginsMm = {10, 10, 10, 10};
    const double w = l.page.bodyWidthMm(); // 190
    const double half = 95, second = 97;

    // Empty after saving; a reprint says so and when it was printed.
    l.pageHeader.heightMm = 8;
    l.pageHeader.add(ReportItem::caption(QStringLiteral("QRLabelRePrint"), {0, 0, 40, 7}, QStringLiteral("Re-Print"))
                         .size(kData).bold());
    l.pageHeader.add(ReportItem::printDateTime(QStringLiteral("QRSysData1"), {100, 0, w - 100, 7},
                                               QStringLiteral("Date Print : %1 %2"))
                         .size(kSmall).align(Align::Right));
    // A loose page of a long claim still says whose it is.
    addPageHeading(l, ReportItem::expression(QStringLiteral("QRExprPageDoc"), {}, QStringLiteral("ใบเบิกเลขที่ [Berg_Doc_ID]")),
                   QStringLiteral("QRSysPage"), kData);

    Band& t = l.title;
    t.heightMm = 56;
    t.add(ReportItem::caption(QStringLiteral("QRLabelTitle"), {0, 0, 128, 16}, QString())
              .size(kCaption + 1).bold().align(Align::Centre).wrap().withFrame());
    t.add(ReportItem::frame(QStringLiteral("QRShape2"), {132, 0, w - 132, 16}));
    t.add(ReportItem::caption(QStringLiteral("QRLabel2"), {133, 0.5, w - 134, 7.5}, QStringLiteral("เลขที่ใบเบิก"))
              .size(kCaption).bold().align(Align::Centre));
    t.add(ReportItem::field(QStringLiteral("QRDBText1"), {133, 8, w - 134, 7.5}, QStringLiteral("Berg_Doc_ID"))
              .size(kCaption).bold().align(Align::Centre));

    double y = 19;
    pair(t, QStringLiteral("QRLabel3"), 0, y, half, QStringLiteral("ข้าพเจ้า"),
         ReportItem::expression(QStringLiteral("QRExpr1"), {}, QStringLiteral("[Emp_Surname][Emp_F_Name]  [Emp_L_Name]")));
    pair(t, QStringLiteral("QRLabel4"), second, y, w, QStringLiteral("ตำแหน่ง"),
         ReportItem::field(QStringLiteral("QRDBText2"), {}, QStringLiteral("Emp_Position")));
    y += 7;
    pair(t, QStringLiteral("QRLabel5"), 0, y, w, QStringLiteral("สังกัด"),
         ReportItem::field(QStringLiteral("QRDBText3"), {}, QStringLiteral("Fact_Name")));
    y += 7;
    pair(t, QStringLiteral("QRLabel6"), 0, y, half, QStringLiteral("รหัสประจำตัวพนักงาน"),
         ReportItem::field(QStringLiteral("QRDBText4"), {}, QStringLiteral("EMP_ID")));
    pair(t, QStringLiteral("QRLabel7"), second, y, w, QStringLiteral("รหัสประจำตัวประชาชน"),
         ReportItem::field(QStringLiteral("QRDBText5"), {}, QStringLiteral("Emp_SSN")));
    y += 7;
    pair(t, QStringLiteral("QRLabel8"), 0, y, half, QStringLiteral("เลือกสวัสดิการรักษาพยาบาลแบบ"),
         ReportItem::caption(QStringLiteral("QRLabelHType"), {}, QString()));
    if (kind.form.limitLines) {
        amountPair(t, QStringLiteral("QRLabel9"), second, y, w, QStringLiteral("สิทธิในการเบิกวงเงิน"),
                   QStringLiteral("QRLabelMPay"));
        y += 7;
        pair(t, QStringLiteral("QRLabel11"), 0, y, half, QStringLiteral("ประเภทคนไข้"),
             ReportItem::caption(QStringLiteral("QRLabelInOut"), {}, QString()));
        amountPair(t, QStringLiteral("QRLabel12"), second, y, w, QStringLiteral("Flexible Benefit"),
                   QStringLiteral("QRLabelFlex"));
    } else {
        // No limit of its own to show: the patient type beside the right type.
        pair(t, QStringLiteral("QRLabel11"), second, y, w, QStringLiteral("ประเภทคนไข้"),
             ReportItem::caption(QStringLiteral("QRLabelInOut"), {}, QString()));
    }
    if (!kind.form.shareText.isEmpty()) {
        y += 7;
        t.add(ReportItem::caption(QStringLiteral("QRLabelShare"), {0, y, w, 12}, kind.form.shareText).size(kData).wrap());
        t.heightMm = y + 14;
    }

    // Columns: order, patient, relationship, receipt date, amount.
    const double cx[] = {0, 14, 84, 112, 156, w};
    ReportGroup& g = l.addGroup(QStringLiteral("[Berg_Doc_ID]"));
    g.header.heightMm = 9;
    g.header.framed = true;
    g.header.repeatOnNewPage = true;
    for (int i = 0; i < 5; ++i)
        g.header.add(ReportItem::caption(QStringLiteral("QRLabelHead%1").arg(i), {cx[i] + 1, 1, cx[i + 1] - cx[i] - 2, 7},
                                         kind.form.columnHeadings.value(i))
                         .size(kCaption).bold().align(i == 4 ? Align::Right : i == 0 ? Align::Centre : Align::Left));

    auto column = [&](int i) { return QRectF(cx[i] + 1, 0, cx[i + 1] - cx[i] - 2, 7); };
    l.detail.heightMm = 7;
    l.detail.add(ReportItem::field(QStringLiteral("QRDBText6"), column(0), QStringLiteral("Order_Doc"))
                     .size(kData).align(Align::Centre));
    l.detail.add(ReportItem::expression(QStringLiteral("QRExpr2"), column(1),
                                        QStringLiteral("[EF_Surname][EF_F_Name]  [EF_L_Name]"))
                     .size(kData).fitting());
    l.detail.add(ReportItem::field(QStringLiteral("QRDBText7"), column(2), QStringLiteral("Folk_name")).size(kData).fitting());
    l.detail.add(ReportItem::field(QStringLiteral("QRDBText8"), column(3), QStringLiteral("Date_Doc")).size(kData));
    l.detail.add(ReportItem::field(QStringLiteral("QRDBText9"), column(4), QStringLiteral("P_money"))
                     .size(kData).withMask(QStringLiteral("#,###.00")).align(Align::Right));

    // The footer: the total, then how the claim was charged.
    Band& f = g.footer;
    f.heightMm = 68;
    f.framed = true;
    f.add(ReportItem::caption(QStringLiteral("QRLabel14"), {cx[3] + 1, 1, cx[4] - cx[3] - 2, 7},
                              QStringLiteral("รวมจำนวนเงิน"))
              .size(kCaption).bold());
    f.add(ReportItem::sum(QStringLiteral("QRExpr3"), {cx[4] + 1, 1, cx[5] - cx[4] - 2, 7}, QStringLiteral("P_money"))
              .size(kData).bold().withMask(QStringLiteral("#,###.00")).align(Align::Right));
    f.add(ReportItem::line(QStringLiteral("QRShape3"), 0, 9, w, 9));
    // A long heading (the co-pay one) steps down a size to stay on its line.
    double headingSize = kCaption;
    for (const QString& heading : {kind.form.footerHeading, kind.form.footerHeadingReprint})
        while (headingSize > kSmall && printedWidthMm(heading + QStringLiteral("0000"), font(headingSize, true)) > w - 8)
            headingSize -= 0.5;
    f.add(ReportItem::caption(QStringLiteral("QRLabelFootHead"), {4, 11, w - 8, 7}, QString()).size(headingSize).bold());
    for (int i = 0; i < 4; ++i) {
        const double ly = 19 + i * 7;
        f.add(ReportItem::caption(QStringLiteral("QRLabelCap%1").arg(i + 1), {12, ly, 88, 7},
                                  kind.form.lineCaptions.value(i))
                  .size(kCaption));
        f.add(ReportItem::caption(QStringLiteral("QRLabelLine%1").arg(i + 1), {100, ly, 50, 7}, QString())
                  .size(kData).align(Align::Right));
        f.add(ReportItem::caption(QStringLiteral("QRLabelBaht%1").arg(i + 1), {152, ly, 20, 7}, kBaht).size(kCaption));
    }
    // Most forms give the processing line first; the co-pay form its note.
    const bool noteFirst = kind.form.noteBeforeProcessing;
    f.add(ReportItem::expression(QStringLiteral("QRExpr4"), {4, noteFirst ? 58.0 : 48.0, w - 8, 6},
                                 QStringLiteral("วันที่ประมวลผล [Date_Ent] :  เวลา [Time_Ent] น."))
              .size(kSmall));
    f.add(ReportItem::caption(QStringLiteral("QRLabel15"), {4, noteFirst ? 48.0 : 56.0, w - 8, 8},
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
                                            "h.Health_In_Out_t, h.Pay_Year, h.KV_ID, e.Emp_H_Type, y.M_Flexben, y.KV_ID AS Row_KV, "
                                            "y.Fact_T_H_Money "
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
    if (!kind || kind->form.titleAfterSave.isEmpty()) // other welfare and education print no form
        throw AppError(QStringLiteral("ใบเบิกเลขที่ %1 เป็นประเภท %2 ซึ่งพิมพ์จากหน้าจอนี้ไม่ได้").arg(no, type));

    ReportLayout l = claimFormLayout(*kind);
    const bool reprint = occasion == FormOccasion::Reprint;
    l.setVisible(QStringLiteral("QRLabelRePrint"), reprint);
    l.setVisible(QStringLiteral("QRSysData1"), reprint);
    l.setCaption(QStringLiteral("QRLabelTitle"), reprint ? kind->form.titleReprint : kind->form.titleAfterSave);
    const QString hType = h.text(0, QStringLiteral("Emp_H_Type")).trimmed();
    const RightTypeLimit* limit = rightTypeLimit(hType);
    l.setCaption(QStringLiteral("QRLabelHType"), hType);
    if (kind->form.limitLines) {
        l.setCaption(QStringLiteral("QRLabelMPay"), kind->form.entitlementText ? kind->form.entitlementText(limit)
                                                    : limit                       ? limit->formText
                                                                                  : QString());
        l.setCaption(QStringLiteral("QRLabelFlex"), h.money(0, QStringLiteral("M_Flexben")).toDisplay());
        for (const char* item : {"QRLabel12", "QRLabelFlex", "QRLabel12B"})
            l.setVisible(QString::fromLatin1(item), kind->form.flexibleBenefitLine);
    }
    l.setCaption(QStringLiteral("QRLabelInOut"), h.integer(0, QStringLiteral("Health_In_Out_t")) != 0
                                                     ? QStringLiteral("คนไข้ใน")
                                                     : QStringLiteral("คนไข้นอก"));
    const bool ownReprintHeading = reprint && !kind->form.footerHeadingReprint.isEmpty();
    const QString heading = ownReprintHeading ? kind->form.footerHeadingReprint : kind->form.footerHeading;
    const bool withYear = ownReprintHeading ? kind->form.footerHeadingReprintHasYear : kind->form.footerHeadingHasYear;
    l.setCaption(QStringLiteral("QRLabelFootHead"), heading + (withYear ? h.text(0, QStringLiteral("Pay_Year")) : QString()));
    // The limit the claim was charged against: its yearly row's, which keeps
    // a finite limit made before the right type became unlimited.
    const bool hasRow = !h.text(0, QStringLiteral("Row_KV")).trimmed().isEmpty();
    const bool unlimited = hasRow ? isUnlimitedAmount(h.money(0, QStringLiteral("Fact_T_H_Money")))
                                  : limit && limit->unlimited;
    QStringList lines = footerLines(h.money(0, QStringLiteral("Vong_M_Befor")), h.money(0, QStringLiteral("T_M_Berg")),
                                    kind->form.unlimitedTexts && unlimited);
    if (kind->form.limitNotCharged)
        lines = {kNotChargedText, h.money(0, QStringLiteral("T_M_Berg")).toDisplay(), kNotChargedText,
                 QStringLiteral("0.00")};
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
