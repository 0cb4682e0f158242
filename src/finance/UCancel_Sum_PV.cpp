#include "UCancel_Sum_PV.h"
#include "CancelService.h"
#include "common/widgets/Messages.h"

namespace wel {

using namespace finance;

TfrmCancel_Sum_PV::TfrmCancel_Sum_PV(const ScreenContext& context, QWidget* parent)
    : VoucherListing(context,
                     {QStringLiteral("frmCancel_Sum_PV"), QStringLiteral("การยกเลิกใบสำคัญจ่าย"),
                      QStringLiteral("การยกเลิกใบสำคัญจ่าย (PV)"), true, QStringLiteral("btnCancel_PV"),
                      QStringLiteral("ยกเลิกใบสำคัญ")},
                     parent)
{
}

void TfrmCancel_Sum_PV::act(const QString& pvrNo)
{
    if (!msg::confirm(this, kConfirmCancelVoucher + pvrNo))
        return;
    VoucherCancel::cancel(db(), login(), pvrNo);
    msg::info(this, voucherCancelledText(pvrNo));
    backToList();
}

} // namespace wel
