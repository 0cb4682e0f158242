#pragma once
#include "widgets/VoucherListing.h"

namespace wel {

// Cancels a voucher summary in force: its control numbers become open again.
class TfrmCancel_Sum_PV : public VoucherListing {
    Q_OBJECT
public:
    explicit TfrmCancel_Sum_PV(const ScreenContext& context, QWidget* parent = nullptr);

protected:
    void act(const QString& pvrNo) override;
};

} // namespace wel
