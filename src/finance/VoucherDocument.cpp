#include "VoucherDocument.h"
#include "VoucherService.h"
#include "common/AppError.h"
#include "common/Utility.h"
#include "common/db/Database.h"

namespace wel::finance {

namespace {

struct Line {
    const char* kind; // Health_In_Out_t; empty for the other-welfare heading
    const char* text;
};

// The item texts as the form has always printed them, blanks included.
const Line kLines[] = {
    {"E", "จ่ายค่าเล่าเรียนบุตร                  (972)"},
    {"0", "จ่ายค่ารักษาพยาบาลคนใข้นอก  (973)"},
    {"1", "จ่ายค่ารักษาพยาบาลคนใข้ใน    (974)"},
    {"", "จ่ายสวัสดิการอื่น"},
    {"M", "- เงินช่วยพิเศษกรณีพนักงานมหาวิทยาลัยถึงแก่กรรม"},
    {"N", "- เงินสงเคราะห์กรณีพนักงานมหาวิทยาลัยถึงแก่กรรม"},
    {"S", "- เงินช่วยเหลือกรณีที่ได้รับอุบัติเหตุเนื่องจากการทำงาน"},
    {"D", "- เงินชดเชย เมื่อพนักงานมหาวิทยาลัยพ้นสภาพ "},
};

struct Account {
    const char* kind;
    const char* code;
    const char* title;
};

const char* const kDepositCode = "1     1     1      0     2     0      0     0     0 ";
const char* const kDepositTitle = "เงินฝากที่กองคลัง";

// Each expense account is debited and the deposit account credited below it.
const Account kAccounts[] = {
    {"E", "5     1     5      1     5     0      3     0     0 ", "ค่าเล่าเรียนบุตร"},
    {"0", "5     1     5      1     6     0      3     0     1 ", "ค่ารักษาพยาบาลคนไข้นอก"},
    {"1", "5     1     5      1     6     0      3     0     2 ", "ค่ารักษาพยาบาลคนไข้ใน"},
    {"M", "5     1     5      1     8     0      0     0     0 ", "เงินช่วยพิเศษกรณีพนักงานมหาวิทยาลัยถึงแก่กรรม"},
    {"N", "5     1     5      1     7     0      0     0     0 ", "เงินสงเคราะห์กรณีพนักงานมหาวิทยาลัยถึงแก่กรรม"},
    {"S", "5     1     6      4     1     0      2     0     0 ", "เงินช่วยเหลือกรณีที่ได้รับอุบัติเหตุเนื่องจากการทำงาน"},
    {"D", "-     -     -      -     -     -      -     -     - ", "เงินชดเชย เมื่อพนักงานมหาวิทยาลัยพ้นสภาพ "},
};

QString u(const char* s) { return QString::fromUtf8(s); }
QString k(const char* kind) { return QString::fromLatin1(kind); }

constexpr double kBody = 11;  // points
constexpr double kSmall = 10;
constexpr double kTable = 9;
constexpr double kRow = 6.5;  // mm

ReportItem text(const QString& name, QRectF r, const QString& t, double pt = kBody)
{
    return ReportItem::caption(name, r, t).size(pt);
}

// The box beside the faculty rows keeps its place when a long faculty name wraps.
void rightBox(Band& d)
{
    const double x = 124, labelW = 30, w = 66;
    const char* const cells[] = {"เลขที่หน่วยงานย่อย", "เลขที่กองคลัง", "วัน/เดือน/ปี"};
    double y = 0;
    for (const char* c : cells) {
        d.add(text({}, {x, y, labelW, kRow}, u(c), kSmall).withFrame().stayingPut());
        d.add(ReportItem::frame({}, {x + labelW, y, w - labelW, kRow}).stayingPut());
        y += kRow;
    }
    y += 1;
    d.add(text({}, {x, y, w, kRow}, u("สำหรับกองคลังกรอก")).bold().align(Align::Centre).withFrame().stayingPut());
    y += kRow;
    for (const char* c : {"เลขที่จ่าย(PV)", "วันที่"}) {
        d.add(text({}, {x, y, labelW, kRow}, u(c), kSmall).withFrame().stayingPut());
        d.add(ReportItem::frame({}, {x + labelW, y, w - labelW, kRow}).stayingPut());
        y += kRow;
    }
}

// The items with their counts and amounts, and the signatures beside them.
double itemsTable(Band& d, double y)
{
    const double w = 130, amountX = 100, row = 6;
    d.add(text({}, {0, y, amountX, 7}, u("รายการ")).bold().align(Align::Centre).withFrame());
    d.add(text({}, {amountX, y, w - amountX, 7}, u("จำนวนเงิน")).bold().align(Align::Centre).withFrame());
    const double top = y + 7;
    y = top;
    for (const Line& l : kLines) {
        const QString kind = k(l.kind);
        d.add(text(QStringLiteral("lblItem_") + (kind.isEmpty() ? QStringLiteral("Other") : kind), {1, y, 81, row},
                   u(l.text), kSmall));
        if (!kind.isEmpty()) {
            d.add(text(QStringLiteral("lblCount_") + kind, {82, y, 11, row}, QStringLiteral("0"), kSmall)
                      .align(Align::Right));
            d.add(text({}, {94, y, 6, row}, u("ราย"), kSmall));
            d.add(text(QStringLiteral("lblMoney_") + kind, {amountX, y, w - amountX - 1, row}, QStringLiteral("0.00"),
                       kSmall)
                      .align(Align::Right));
        }
        y += row;
    }
    d.add(ReportItem::frame({}, {0, top, w, y - top}));
    d.add(ReportItem::line({}, amountX, top, amountX, y));
    d.add(text({}, {66, y, amountX - 67, 7}, u("รวมเงิน")).bold().align(Align::Right));
    d.add(text(QStringLiteral("lblTotal"), {amountX, y, w - amountX, 7}, QStringLiteral("0.00"))
              .bold().align(Align::Right).withFrame());

    // Signatures in the column beside the items.
    const double sx = 133, sw = 57;
    double sy = top - 6;
    for (const char* who : {"ผู้ขอเบิก", "ผู้อนุมัติจ่าย", "ผู้รับเงิน"}) {
        sy += 10;
        d.add(ReportItem::line({}, sx, sy + 3, sx + 34, sy + 3).pen(0.1));
        d.add(text({}, {sx + 35, sy - 2, sw - 35, kRow}, u(who)));
        d.add(text({}, {sx + 4, sy + 4, sw - 4, kRow}, u("วันที่........................")));
        sy += 6;
    }
    return y + 7;
}

// The accounting entries: fourteen rows, each expense with its deposit row.
double accountingTable(Band& d, double y)
{
    const double codeW = 62, titleW = 72, debitX = codeW + titleW, colW = 28, w = debitX + 2 * colW, row = 5;
    d.add(text({}, {0, y, debitX, 7}, u("รหัสบัญชี")).bold().align(Align::Centre).withFrame());
    d.add(text({}, {debitX, y, colW, 7}, u("เดบิต")).bold().align(Align::Centre).withFrame());
    d.add(text({}, {debitX + colW, y, colW, 7}, u("เครดิต")).bold().align(Align::Centre).withFrame());
    const double top = y + 7;
    y = top;
    int n = 0;
    for (const Account& a : kAccounts) {
        for (bool deposit : {false, true}) {
            const QString no = QString::number(++n);
            d.add(text(QStringLiteral("lblAccCode") + no, {1, y, codeW - 1, row}, u(deposit ? kDepositCode : a.code),
                       kTable));
            d.add(text(QStringLiteral("lblAccTitle") + no, {codeW + 1, y, titleW - 1, row},
                       u(deposit ? kDepositTitle : a.title), kTable));
            d.add(text(QStringLiteral("lblDebit") + no, {debitX, y, colW - 1, row}, {}, kTable).align(Align::Right));
            d.add(text(QStringLiteral("lblCredit") + no, {debitX + colW, y, colW - 1, row}, {}, kTable)
                      .align(Align::Right));
            y += row;
        }
    }
    d.add(ReportItem::frame({}, {0, top, w, y - top}));
    for (double x : {codeW, debitX, debitX + colW})
        d.add(ReportItem::line({}, x, top, x, y));
    d.add(text({}, {0, y, debitX, 7}, u("รวมเงิน")).bold().align(Align::Right).withFrame());
    d.add(text(QStringLiteral("lblDebitTotal"), {debitX, y, colW, 7}, QStringLiteral("0.00"), kSmall)
              .bold().align(Align::Right).withFrame());
    d.add(text(QStringLiteral("lblCreditTotal"), {debitX + colW, y, colW, 7}, QStringLiteral("0.00"), kSmall)
              .bold().align(Align::Right).withFrame());
    return y + 7;
}

} // namespace

const QStringList& voucherLineKinds()
{
    static const QStringList kinds = [] {
        QStringList l;
        for (const Line& line : kLines)
            if (*line.kind)
                l << k(line.kind);
        return l;
    }();
    return kinds;
}

VoucherFigures voucherFigures(Database& db, const QString& pvrNo)
{
    const Rows r = db.select(QStringLiteral("SELECT h.Health_In_Out_t, h.M_Can_Berg "
                                            "FROM T_PV_Detail d "
                                            "INNER JOIN T_Sent_KV m ON d.Sent_KV_Doc_ID = m.Sent_KV_Doc_ID "
                                            "INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
                                            "WHERE d.PVR_NO = ?"),
                             {pvrNo.trimmed()});
    VoucherFigures f;
    for (int i = 0; i < r.count(); ++i) {
        const Money amount = r.money(i, QStringLiteral("M_Can_Berg"));
        const QString kind = r.text(i, QStringLiteral("Health_In_Out_t")).trimmed().toUpper();
        // Every claim counts in the total, also a kind without a line of its own.
        f.total += amount;
        if (voucherLineKinds().contains(kind)) {
            VoucherLineFigure& line = f.lines[kind];
            ++line.count;
            line.amount += amount;
        }
    }
    return f;
}

ReportLayout voucherLayout()
{
    ReportLayout l;
    l.documentName = QStringLiteral("ใบสำคัญจ่าย");
    // The form fills the page: narrow top and bottom margins leave room for
    // a long faculty name to wrap before the accounting part needs a page of its own.
    l.page.marginsMm = {10, 6, 10, 6};
    Band& d = l.detail;
    const double w = l.page.bodyWidthMm(); // 190

    d.add(text(QStringLiteral("lblUniversity"), {0, 0, 115, 9}, u("มหาวิทยาลัยVelmarn"), 16).bold());
    d.add(text(QStringLiteral("lblFormTitle"), {0, 9, 118, 8}, u("ใบสำคัญจ่ายเงินกองทุนสวัสดิการพนักงานมหาวิทยาลัย"), 13)
              .bold());
    rightBox(d);

    d.add(text({}, {0, 20, 21, kRow}, u("ชื่อหน่วยงาน")));
    d.add(ReportItem::field(QStringLiteral("dbFact_Name"), {21, 20, 71, kRow}, QStringLiteral("Fact_Name"))
              .size(kBody)
              .fitting());
    d.add(text({}, {93, 20, 8, kRow}, u("รหัส")));
    d.add(ReportItem::field(QStringLiteral("dbFact_Code"), {102, 20, 21, kRow}, QStringLiteral("Fact_Code")).size(kBody));
    d.add(text({}, {0, 27, 21, kRow}, u("บัญชีเงินทุน")));
    d.add(text({}, {21, 27, 71, kRow}, u("กองทุนสวัสดิการพนักงานมหาวิทยาลัย")).bold());
    d.add(text({}, {93, 27, 8, kRow}, u("รหัส")));
    d.add(text({}, {102, 27, 21, kRow}, QStringLiteral("312010205")).bold());

    d.add(text({}, {0, 40, w, kRow},
               u("ข้าพเจ้าขอเบิกเงินสวัสดิการพนักงานมหาวิทยาลัย ตามใบสำคัญเบิกค่าใช้จ่าย เลขที่ ..............................")));
    d.add(text({}, {0, 45.5, w, kRow}, QString(200, QLatin1Char('.'))));

    double y = itemsTable(d, 53);

    d.add(text({}, {0, y + 1, 15, kRow}, u("ตัวอักษร ")));
    d.add(text(QStringLiteral("lblBahtText"), {15, y + 1, w - 15, kRow}, u("[ บาทถ้วน ]")));
    y += 9;

    d.add(text({}, {0, y, 14, kRow}, u("จ่ายให้")).bold());
    d.add(ReportItem::field(QStringLiteral("dbPay_For_Per"), {14, y + 0.5, w - 14, 11}, QStringLiteral("Pay_For_Per"))
              .size(kBody)
              .wrap());
    y += 12;
    d.add(text({}, {0, y, 14, kRow}, u("จ่ายโดย")).bold());
    d.add(ReportItem::frame({}, {15, y + 1.5, 3.5, 3.5}));
    d.add(text({}, {19.5, y, 13, kRow}, u("เงินสด")));
    d.add(ReportItem::frame({}, {34, y + 1.5, 3.5, 3.5}));
    d.add(text({}, {38.5, y, 48, kRow}, u("เช็ค. ธนาคารไทยพาณิชย์ ")));
    d.add(text({}, {86, y, 52, kRow}, u("เลขที่ ....................................")));
    d.add(text({}, {138, y, 17, kRow}, u("จำนวนเงิน")));
    d.add(ReportItem::line({}, 155, y + 5, 182, y + 5).pen(0.1));
    d.add(text({}, {182, y, 8, kRow}, u("บาท")));
    y += kRow + 2;
    d.add(ReportItem::line({}, 70, y + 4, 108, y + 4).pen(0.1));
    d.add(text({}, {109, y, 20, kRow}, u("ผู้จ่ายเงิน")));
    d.add(text({}, {135, y, 40, kRow}, u("วันที่........................")));
    y += kRow + 1;

    d.add(text({}, {0, y, w, kRow},
               u("คำอธิบายรายการโดยสรุป  [...........เบิกเงินสวัสดิการค่ารักษาพยาบาลและค่าเล่าเรียนบุตร............]")));
    y += kRow + 1;

    // The accounting part follows the claim part; a faculty name long enough
    // to push it off the page moves it whole to a second page.
    d.heightMm = y;
    Band& a = l.summary;
    y = accountingTable(a, 0);

    y += 1;
    a.add(ReportItem::line({}, 0, y + 6, 40, y + 6).pen(0.1));
    a.add(text({}, {41, y + 1, 45, kRow}, u("ผู้ตรวจสอบการบันทึกบัญชี")));
    a.add(ReportItem::line({}, 0, y + 14, 40, y + 14).pen(0.1));
    a.add(text({}, {41, y + 9, 45, kRow}, u("ผู้บันทึกข้อมูล")));
    a.add(ReportItem::field(QStringLiteral("dbPVR_NO"), {110, y, w - 110, 8}, QStringLiteral("PVR_NO"))
              .size(14)
              .bold()
              .align(Align::Right));
    a.add(text(QStringLiteral("lblPV"), {110, y + 8, w - 110, 8}, u("ใบสำคัญจ่าย (PV)"), 14).bold().align(Align::Right));
    a.heightMm = y + 18;
    return l;
}

void markCancelled(ReportLayout& layout)
{
    // At the head of the form, between the university's name and the box, so
    // that no copy of a cancelled voucher can pass for a valid one; the form
    // fills its page and has no room for a line of its own.
    ReportFont university;
    university.pointSize = 16;
    university.bold = true;
    const double x = printedWidthMm(u("มหาวิทยาลัยVelmarn"), university) + 6;
    layout.detail.add(text(QStringLiteral("lblCancelled"), {x, 0, 122 - x, 9.5}, u("ยกเลิก"), 18)
                          .bold()
                          .align(Align::Centre)
                          .withFrame()
                          .pen(0.8));
}

void fillVoucher(ReportLayout& layout, const VoucherFigures& figures)
{
    int row = 0;
    for (const Account& a : kAccounts) {
        const VoucherLineFigure f = figures.lines.value(k(a.kind));
        const QString amount = f.amount.toDisplay();
        layout.setCaption(QStringLiteral("lblCount_") + k(a.kind), QString::number(f.count));
        layout.setCaption(QStringLiteral("lblMoney_") + k(a.kind), amount);
        layout.setCaption(QStringLiteral("lblDebit%1").arg(++row), amount);
        layout.setCaption(QStringLiteral("lblCredit%1").arg(row), {});
        layout.setCaption(QStringLiteral("lblDebit%1").arg(++row), {});
        layout.setCaption(QStringLiteral("lblCredit%1").arg(row), amount);
    }
    const QString total = figures.total.toDisplay();
    layout.setCaption(QStringLiteral("lblTotal"), total);
    layout.setCaption(QStringLiteral("lblDebitTotal"), total);
    layout.setCaption(QStringLiteral("lblCreditTotal"), total);
    layout.setCaption(QStringLiteral("lblBahtText"), QStringLiteral("[ ") + BahtText(figures.total) + QStringLiteral(" ]"));
}

Report voucherReport(Database& db, const QString& pvrNo)
{
    const Rows head = db.select(QStringLiteral("SELECT p.PVR_NO, p.Fact_Code, f.Fact_Name, p.Pay_For_Per, p.Sent_Doc_Status "
                                               "FROM T_PV p LEFT JOIN T_Fact f ON f.Fact_Code = UPPER(p.Fact_Code) "
                                               "WHERE p.PVR_NO = ?"),
                                {pvrNo.trimmed()});
    if (head.isEmpty())
        throw AppError(kNotFound + QStringLiteral(" : ใบสำคัญจ่ายเลขที่ ") + pvrNo.trimmed());
    ReportLayout layout = voucherLayout();
    if (head.text(0, QStringLiteral("Sent_Doc_Status")).trimmed().toUpper() == QLatin1String("C"))
        markCancelled(layout);
    fillVoucher(layout, voucherFigures(db, pvrNo));
    return Report(layout, head, db.serverNow());
}

} // namespace wel::finance
