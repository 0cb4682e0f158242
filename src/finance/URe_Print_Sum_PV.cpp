#include "URe_Print_Sum_PV.h"
#include "VoucherDocument.h"
#include "common/widgets/ReportPreview.h"

namespace wel {

TfrmRe_Print_Sum_PV::TfrmRe_Print_Sum_PV(const ScreenContext& context, QWidget* parent)
    : VoucherListing(context,
                     {QStringLiteral("frmRe_Print_Sum_PV"), QStringLiteral("ขอพิมพ์ใบสำคัญจ่ายอีกครั้ง"),
                      QStringLiteral("ขอพิมพ์ใบสำคัญจ่ายอีกครั้ง"), false,
                      QStringLiteral("btnPrint"), QStringLiteral("พิมพ์")},
                     parent)
{
}

void TfrmRe_Print_Sum_PV::act(const QString& pvrNo)
{
    const Report voucher = finance::voucherReport(db(), pvrNo);
    previewReport(voucher, this);
}

} // namespace wel
