#pragma once
#include "claims/widgets/ClaimCancelScreen.h"

namespace wel::claims {

// 4.2 Cancels an open co-pay claim and gives its payable amount back to the co-pay limit.
class TfrmCancel_Berg_COP : public ClaimCancelScreen {
    Q_OBJECT
public:
    explicit TfrmCancel_Berg_COP(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimCancelScreen(context, copay(), parent)
    {
    }
};

} // namespace wel::claims
