#pragma once
#include "common/Money.h"
#include "common/report/Report.h"

#include <QMap>
#include <QStringList>

namespace wel {
class Database;
} // namespace wel

namespace wel::finance {

// The figures of one line of the payment voucher.
struct VoucherLineFigure {
    int count = 0;
    Money amount;
};

// What the payment voucher prints of a summary's claims: one line per claim
// kind that has a line of its own, and the total of every claim.
struct VoucherFigures {
    QMap<QString, VoucherLineFigure> lines; // by Health_In_Out_t
    Money total;
};

// The claim kinds with a line on the voucher, in printing order.
const QStringList& voucherLineKinds();

VoucherFigures voucherFigures(Database& db, const QString& pvrNo);

// The payment voucher as a fixed A4 form. Its figures are captions that
// fillVoucher sets; the summary's own values (number, faculty, payee) are
// fields of the one-row query of voucherReport, so the form prints once.
ReportLayout voucherLayout();
void fillVoucher(ReportLayout& layout, const VoucherFigures& figures);

// A cancelled summary's voucher carries a large "ยกเลิก" above the form.
void markCancelled(ReportLayout& layout);

// The voucher of a summary, in every status. Throws AppError
// "ไม่พบข้อมูลที่ต้องการ" followed by the number for an unknown number.
Report voucherReport(Database& db, const QString& pvrNo);

} // namespace wel::finance
