#include "UserLetter.h"
#include "common/db/Database.h"
#include "UserService.h"

#include <QFontMetricsF>

namespace wel {

namespace {
const QString kBodyLead = QStringLiteral(
    "               กองคลัง  มหาวิทยาลัยVelmarn  ได้พิจารณาอนุมัติการขอเปิดรหัสส่งงานของท่าน  เพื่อใช้");
const QString kSystemName = QStringLiteral("ระบบสวัสดิการพนักงานมหาวิทยาลัย");
const QString kWarning = QStringLiteral(
    "                   อนึ่งโปรดอย่าให้รหัสผู้ใช้และรหัสผ่านแก่ผู้อื่น เนื่องจากหากเกิดความเสียหาย "
    "อันเนื่องมาจากรหัสส่งงานของท่าน เจ้าของรหัสต้องรับผิดชอบ");
const QString kSigningUnit = QStringLiteral("งานสวัสดิการ กองคลัง สำนักงานอธิการบดี");

// Width of a text in mm as printed (leading blanks included).
double textWidthMm(const QString& text, const ReportFont& f)
{
    // Measured at ten pixels per point, so the screen's resolution plays no part.
    QFont font(documentFamily(f.family));
    font.setPixelSize(qRound(f.pointSize * 10));
    font.setBold(f.bold);
    const double points = QFontMetricsF(font).horizontalAdvance(text) / 10.0;
    return points * 25.4 / 72.0;
}
} // namespace

ReportLayout userLetterLayout(const QString& curDate)
{
    ReportLayout l;
    l.documentName = QStringLiteral("หนังสือแจ้งรหัสผู้ใช้งานระบบ");
    l.page.marginsMm = {10, 10, 10, 10};
    Band& d = l.detail;
    d.heightMm = 277;
    const double w = l.page.bodyWidthMm(); // 190

    d.add(ReportItem::expression(QStringLiteral("QRDBText1"), {130, 0, w - 130, 8}, QStringLiteral("ลำดับ  [ID]"))
              .bold().size(14).align(Align::Right));
    d.add(ReportItem::caption(QStringLiteral("QRLabel1"), {0, 0, 80, 9}, QStringLiteral("กองคลัง")).bold().size(16));
    d.add(ReportItem::caption(QStringLiteral("QRLabel2"), {0, 12, w, 10}, kSystemName)
              .bold().underline().size(18).align(Align::Centre));
    d.add(ReportItem::caption(QStringLiteral("QRLabel3"), {0, 23, 120, 9},
                              QStringLiteral("สำนักงานอธิการบดี ม.Velmarn"))
              .bold().size(16));
    d.add(ReportItem::caption(QStringLiteral("QRLabel4"), {0, 35, 20, 8}, QStringLiteral("เรียน")).size(16));
    d.add(ReportItem::expression(QStringLiteral("QRDBText2"), {20, 35, 150, 8},
                                 QStringLiteral("คุณ[U_F_Name]  [U_L_Name]"))
              .size(16));
    d.add(ReportItem::field(QStringLiteral("QRDBText3"), {20, 43, 150, 8}, QStringLiteral("Fact_Name")).size(16));
    d.add(ReportItem::caption(QStringLiteral("QRLabel5"), {20, 51, 150, 8}, QStringLiteral("มหาวิทยาลัยVelmarn"))
              .size(16));
    d.add(ReportItem::line(QStringLiteral("QRShape1"), 0, 62, w, 62).pen(0.4));
    d.add(ReportItem::frame(QStringLiteral("QRShape2"), {0, 66, w, 200}));

    d.add(ReportItem::caption(QStringLiteral("QRLabelDate"), {110, 70, w - 115, 8}, curDate)
              .size(14).align(Align::Right));
    d.add(ReportItem::caption(QStringLiteral("QRLabel6"), {5, 80, w - 10, 8}, QStringLiteral("เรื่อง ขอเปิดรหัสส่งงาน"))
              .size(14));
    d.add(ReportItem::expression(QStringLiteral("QRDBText4"), {5, 89, w - 10, 8},
                                 QStringLiteral("เรียน  คุณ[U_F_Name]  [U_L_Name]"))
              .size(14));

    // The body runs on into the system's name in bold on the same line when
    // the printed face leaves room for it; otherwise the body wraps and the
    // name starts the line after it.
    const double lineMm = 8, textWidth = w - 10;
    ReportItem lead = ReportItem::caption(QStringLiteral("QRLabel7"), {5, 99, textWidth, lineMm}, kBodyLead).size(14);
    ReportItem name = ReportItem::caption(QStringLiteral("QRLabel8"), {5, 99, textWidth, lineMm}, kSystemName).size(14).bold();
    const double leadWidth = textWidthMm(kBodyLead, lead.font) + 1.5;
    const double nameWidth = textWidthMm(kSystemName, name.font) + 1.5;
    double nextLine = 99 + lineMm;
    if (leadWidth + nameWidth <= textWidth) {
        lead.rectMm.setWidth(leadWidth);
        name.rectMm = {5 + leadWidth, 99, nameWidth, lineMm};
    } else {
        const int leadLines = leadWidth <= textWidth ? 1 : 2;
        lead.rectMm.setHeight(leadLines * lineMm);
        lead.wrap();
        name.rectMm = {5, 99 + leadLines * lineMm, textWidth, lineMm};
        nextLine = 99 + (leadLines + 1) * lineMm;
    }
    d.add(lead);
    d.add(name);
    d.add(ReportItem::caption(QStringLiteral("QRLabel9"), {5, nextLine, w - 10, 8},
                              QStringLiteral("โดยบันทึกลงฐานข้อมูล ดังนี้"))
              .size(14));

    const double box = nextLine + 12;
    d.add(ReportItem::frame(QStringLiteral("QRShape3"), {20, box, w - 40, 34}));
    d.add(ReportItem::expression(QStringLiteral("QRDBText5"), {25, box + 2, w - 50, 9},
                                 QStringLiteral("รหัสผู้ใช้ (User Name) สำหรับเข้าระบบ คือ  [Username]"))
              .size(16));
    d.add(ReportItem::expression(QStringLiteral("QRDBText6"), {25, box + 11, w - 50, 9},
                                 QStringLiteral("รหัสผ่าน (Password) คือ  [Password]"))
              .size(16));
    d.add(ReportItem::field(QStringLiteral("QRDBText7"), {25, box + 21, w - 50, 10}, QStringLiteral("Section_Name"))
              .size(18).bold());

    const double after = box + 42;
    d.add(ReportItem::caption(QStringLiteral("QRLabel10"), {5, after, w - 10, 20}, kWarning).size(14).wrap());
    d.add(ReportItem::caption(QStringLiteral("QRLabel11"), {30, after + 26, w - 35, 8},
                              QStringLiteral("จึงเรียนมาเพื่อทราบ"))
              .size(14));
    d.add(ReportItem::caption(QStringLiteral("QRLabel12"), {80, 250, w - 85, 8}, kSigningUnit)
              .size(14).align(Align::Right));
    return l;
}

Report userLetters(Database& db, int fromId, int toId, const QString& curDate, const QString& actor)
{
    const Rows users = UserService::issueInitialPasswords(db, fromId, toId, actor);
    return Report(userLetterLayout(curDate), users, db.serverNow());
}

} // namespace wel
