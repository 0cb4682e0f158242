#pragma once
#include "claims/widgets/ClaimCancelScreen.h"

namespace wel::claims {

// 2 Cancels an open above-limit claim.
class TfrmCancel_Berg_Over_Vong_Money : public ClaimCancelScreen {
    Q_OBJECT
public:
    explicit TfrmCancel_Berg_Over_Vong_Money(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimCancelScreen(context, overLimit(), parent)
    {
    }
};

} // namespace wel::claims
