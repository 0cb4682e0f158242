#include "SummaryDocument.h"
#include "common/AppError.h"
#include "common/Faculties.h"
#include "common/db/Database.h"

namespace wel::claims {

namespace {
// The height of a one-line item: enough for the face's marks above and
// below the line at the given size, never less than the old forms' rows.
double lineMm(double points) { return qMax(7.0, points * 0.6); }
} // namespace

ReportLayout summaryDocumentLayout() { return summaryDocumentLayout(outpatient()); }

ReportLayout summaryDocumentLayout(const ClaimKind& kind)
{
    const SummaryDocumentTexts& texts = kind.summaryDocument;
    const SummaryTextSizes& pt = texts.sizes;
    const QVector<double>& kCol = texts.columns;
    const double titleH = lineMm(pt.title), headingH = lineMm(pt.heading), textH = lineMm(pt.text),
                 detailH = lineMm(pt.detail);
    const bool medical = texts.fixedTitle.isEmpty();
    const QString claimAmount = medical ? QStringLiteral("M_Can_Berg") : QStringLiteral("T_M_Berg");
    const QString lineAmount = medical ? QStringLiteral("HM_Can_Berg") : QStringLiteral("M_Berg");
    ReportLayout l;
    l.documentName = QStringLiteral("สรุปใบเบิก");
    l.page.marginsMm = {10, 10, 10, 10};
    const double w = l.page.bodyWidthMm();

    // Every page says which control number it belongs to and where it stands.
    addPageHeading(l, ReportItem::caption(QStringLiteral("QRLabelPageDoc"), {}, QString()), QStringLiteral("QRSysData1"),
                   pt.pageNumber);

    Band& t = l.title;
    const double factY = 2 * titleH + 2;
    t.heightMm = factY + headingH + 1;
    t.add(ReportItem::caption(QStringLiteral("QRLabel1"), {0, 0, w, titleH}, QStringLiteral("มหาวิทยาลัยVelmarn"))
              .size(pt.title).bold().align(Align::Centre));
    t.add(ReportItem::caption(QStringLiteral("QRLabelTitle"), {0, titleH, w, titleH}, texts.fixedTitle)
              .size(pt.title).align(Align::Centre));
    // The control number keeps the room its longest form needs; the faculty
    // line has the rest of the row.
    ReportFont headingFont;
    headingFont.pointSize = pt.heading;
    headingFont.bold = true;
    const double factW = w - printedWidthMm(QStringLiteral("เลขที่ควบคุมใบเบิก : KV0000/000000XX"), headingFont) - 6;
    t.add(ReportItem::caption(QStringLiteral("QRLabelFact"), {0, factY, factW, headingH}, QString())
              .size(pt.heading).bold().fitting(pt.text));
    t.add(ReportItem::caption(QStringLiteral("QRLabelControl"), {factW, factY, w - factW, headingH}, QString())
              .size(pt.heading).bold().align(Align::Right));

    const QStringList headings = {QStringLiteral("ลำดับ"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("วันที่เบิก"),
                                  texts.idHeading, QStringLiteral("ชื่อ-นามสกุล"),
                                  QStringLiteral("จำนวนเงินที่เบิก")};
    l.columnHeader.heightMm = textH + 2;
    l.columnHeader.framed = true;
    // A heading wider than its column prints a little smaller rather than run into the frame.
    for (int i = 0; i < 6; ++i)
        l.columnHeader.add(ReportItem::caption(QStringLiteral("QRLabelHead%1").arg(i),
                                               {kCol[i] + 1, 1, kCol[i + 1] - kCol[i] - 2, textH}, headings[i])
                               .size(pt.text).bold().shrinking(0.85)
                               .align(i == 5 ? Align::Right : i == 0 ? Align::Centre : Align::Left));

    ReportGroup& g = l.addGroup(QStringLiteral("[Berg_Doc_ID]"));
    g.header.heightMm = textH;
    g.header.keepTogether = true; // a claim's patient lines never open a page without it
    // Names print whole: no smaller than the document's own lines, then wrapped.
    const double nameFloor = qMax(kNameFloorPt, qMin(pt.text, pt.detail));
    auto col = [&](int i, const QString& name, const QString& column) {
        return ReportItem::field(name, {kCol[i] + 1, 0, kCol[i + 1] - kCol[i] - 2, textH}, column).size(pt.text);
    };
    g.header.add(col(0, QStringLiteral("QRDBText1"), QStringLiteral("Order_No")).align(Align::Centre));
    g.header.add(col(1, QStringLiteral("QRDBText2"), QStringLiteral("Berg_Doc_ID")));
    g.header.add(col(2, QStringLiteral("QRDBText3"), QStringLiteral("Date_berg")));
    g.header.add(col(3, QStringLiteral("QRDBText4"), QStringLiteral("EMP_ID")));
    g.header.add(ReportItem::expression(QStringLiteral("QRExpr1"), {kCol[4] + 1, 0, kCol[5] - kCol[4] - 2, textH},
                                        QStringLiteral("[Emp_Surname][Emp_F_Name]  [Emp_L_Name]"))
                     .size(pt.text).fitting(nameFloor));
    g.header.add(col(5, QStringLiteral("QRDBText5"), claimAmount)
                     .withMask(QStringLiteral("#,###.00")).align(Align::Right));

    l.detail.heightMm = detailH;
    // Each patient, indented below his claim, with his amount set in from the
    // claim's own.
    // Other welfare names the kind of each payment before its beneficiary.
    const double nameX = texts.showsKindDescription ? kCol[4] + 1 : kCol[3] + 2;
    if (texts.showsKindDescription)
        l.detail.add(ReportItem::field(QStringLiteral("QRDBText7"), {kCol[1] + 1, 0, kCol[4] - kCol[1] - 2, detailH},
                                       QStringLiteral("Health_Desc"))
                         .size(pt.detail).fitting(nameFloor));
    const double lineAmountX = kCol[5] - 8;
    l.detail.add(ReportItem::expression(QStringLiteral("QRExpr2"), {nameX, 0, lineAmountX - nameX, detailH},
                                        medical ? QStringLiteral("[Folk_name]-[EF_Surname][EF_F_Name]  [EF_L_Name]")
                                                : QStringLiteral("[Folk_name] - [EF_Surname][EF_F_Name]  [EF_L_Name]"))
                     .size(pt.detail).fitting(nameFloor));
    l.detail.add(ReportItem::field(QStringLiteral("QRDBText6"), {lineAmountX, 0, 28, detailH}, lineAmount)
                     .size(pt.detail).withMask(QStringLiteral("#,###.00")).align(Align::Right));

    Band& s = l.summary;
    // The total, then the framed certification, then the signature lines
    // below it, each row as high as its text needs.
    const double rowH = textH + 1, frameY = rowH + 4;
    s.add(ReportItem::line(QStringLiteral("QRShape1"), 0, 1, w, 1));
    s.add(ReportItem::caption(QStringLiteral("QRLabel2"), {kCol[4] + 1, 2, 60, rowH}, QStringLiteral("รวมทั้งสิ้น"))
              .size(pt.total).bold());
    s.add(ReportItem::sum(QStringLiteral("QRExpr3"), {kCol[5] + 1, 2, kCol[6] - kCol[5] - 2, rowH},
                          lineAmount, SumScope::Report)
              .size(pt.text).bold().withMask(QStringLiteral("#,###.00")).align(Align::Right));
    s.add(ReportItem::caption(QStringLiteral("QRLabel3"), {3, frameY + 1, w - 6, rowH},
                              medical ? QStringLiteral("ข้าพเจ้าได้ตรวจสอบใบเบิกเงินสวัสดิการค่ารักษาพยาบาลข้างต้นแล้ว ขอรับรองว่า")
                                      : texts.certification)
              .size(pt.text).bold());
    s.add(ReportItem::caption(QStringLiteral("QRLabel4"), {10, frameY + 1 + rowH, w - 13, rowH},
                              QStringLiteral("1. ผู้เบิกมีสิทธิเบิกได้ตามข้อบังคับฯ /ประกาศและระเบียบที่กำหนด"))
              .size(pt.text));
    double frameH = 2 * rowH + 3;
    if (texts.secondCertificationItem) {
        s.add(ReportItem::caption(QStringLiteral("QRLabel5"), {10, frameY + 1 + 2 * rowH, w - 13, 2 * rowH},
                                  QStringLiteral("2. พนักงานมหาวิทยาลัยแต่ละราย มีวงเงินกองทุนสวัสดิการ ฯ คงเหลือเพียงพอที่จะเบิก"
                                                 "สวัสดิการ ค่ารักษาพยาบาล ข้างต้นได้"))
                  .size(pt.text).wrap());
        frameH += 2 * rowH;
    }
    s.add(ReportItem::frame(QStringLiteral("QRShape2"), {0, frameY, w, frameH}));
    const QStringList signature = {
        QStringLiteral("ลงชื่อผู้เบิก ....................................................... "),
        QStringLiteral("(.........................................................)"),
        QStringLiteral("ตำแหน่ง........................................................"),
        QStringLiteral("วันที่ ............../.............../............................."),
    };
    const double signY = frameY + frameH + 5, signStep = rowH + 1.5;
    for (int i = 0; i < signature.size(); ++i)
        s.add(ReportItem::caption(QStringLiteral("QRLabelSign%1").arg(i + 1), {95, signY + i * signStep, w - 95, rowH},
                                  signature[i])
                  .size(pt.text).align(Align::Centre));
    s.heightMm = signY + signature.size() * signStep + 2;

    const double printedH = lineMm(pt.printedAt);
    l.pageFooter.heightMm = printedH + 1;
    l.pageFooter.add(ReportItem::printDateTime(QStringLiteral("QRSysData2"), {0, 0, 100, printedH},
                                               QStringLiteral("วันที่พิมพ์  %1 %2"))
                         .size(pt.printedAt));
    return l;
}

Report summaryDocument(Database& db, const QString& controlNo, const std::optional<QString>& inOut,
                       const QDateTime& printedAt, const ClaimKind* titledAs)
{
    const QString no = controlNo.trimmed();
    const Rows head = db.select(QStringLiteral("SELECT Sent_Doc_Type, Fact_Code FROM T_Sent_KV_Detail "
                                               "WHERE Sent_KV_Doc_ID = ?"),
                                {no});
    if (head.isEmpty())
        throw AppError(QStringLiteral("ไม่พบเลขที่ควบคุมใบเบิก ") + no);
    const QString type = head.text(0, QStringLiteral("Sent_Doc_Type")).trimmed().toUpper();
    const ClaimKind* kind = titledAs ? titledAs : kindOfType(type);
    if (!kind)
        throw AppError(QStringLiteral("เลขที่ควบคุมใบเบิก %1 เป็นประเภท %2 ซึ่งพิมพ์จากหน้าจอนี้ไม่ได้").arg(no, type));
    const Rows data = db.select(
        QStringLiteral("SELECT s.Order_No, h.Berg_Doc_ID, h.Date_berg, h.M_Can_Berg, h.T_M_Berg, h.Health_In_Out_t, e.EMP_ID, "
                       "e.Emp_Surname, e.Emp_F_Name, e.Emp_L_Name, d.Emp_Folk, d.HM_Can_Berg, d.M_Berg, k.Folk_name, t.Health_Desc, "
                       "f.EF_Surname, f.EF_F_Name, f.EF_L_Name "
                       "FROM T_Sent_KV s "
                       "LEFT JOIN T_PAY_Health h ON s.Berg_Doc_ID = h.Berg_Doc_ID "
                       "LEFT JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                       "LEFT JOIN T_Pay_Health_Detail d ON h.Berg_Doc_ID = d.Berg_Doc_ID "
                       "LEFT JOIN Tr_Folk k ON d.Emp_Folk = k.Emp_Folk "
                       "LEFT JOIN TR_Heal_Type t ON d.Health_In_Out_t = t.Health_In_Out_t "
                       "LEFT JOIN T_Emp_Folk f ON d.KV_ID = f.KV_ID AND d.Emp_Folk = f.Emp_Folk "
                       "WHERE s.Sent_KV_Doc_ID = ? ORDER BY s.Berg_Doc_ID, d.Emp_Folk"),
        {no});

    ReportLayout l = summaryDocumentLayout(*kind);
    const SummaryDocumentTexts& titles = kind->summaryDocument;
    QString title = titles.fixedTitle;
    if (!title.isEmpty())
        ; // one title whatever the patients
    else if (inOut)
        title = inOut->trimmed() == QLatin1String("1") ? titles.inpatientTitle : titles.outpatientTitle;
    else
        title = !data.isEmpty() && data.integer(0, QStringLiteral("Health_In_Out_t")) != 0 ? titles.inpatientReprintTitle
                                                                                         : titles.outpatientReprintTitle;
    l.setCaption(QStringLiteral("QRLabelTitle"), title);
    const QString fact = head.text(0, QStringLiteral("Fact_Code")).trimmed();
    l.setCaption(QStringLiteral("QRLabelFact"), Faculties::nameOf(db, fact) + QLatin1Char('(') + fact + QLatin1Char(')'));
    l.setCaption(QStringLiteral("QRLabelControl"), QStringLiteral("เลขที่ควบคุมใบเบิก : ") + no);
    l.setCaption(QStringLiteral("QRLabelPageDoc"), QStringLiteral("เลขที่ควบคุมใบเบิก : ") + no);
    return Report(l, data, printedAt);
}

} // namespace wel::claims
