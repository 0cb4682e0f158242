#pragma once
#include "widgets/VoucherListing.h"

namespace wel {

// Prints the payment voucher of one of the faculty's voucher summaries again.
class TfrmRe_Print_Sum_PV : public VoucherListing {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Sum_PV(const ScreenContext& context, QWidget* parent = nullptr);

protected:
    void act(const QString& pvrNo) override;
};

} // namespace wel
