#pragma once
#include "claims/widgets/ClaimCancelScreen.h"

namespace wel::claims {

// Cancels an open other-welfare payment.
class TfrmCancel_Other_Health : public ClaimCancelScreen {
    Q_OBJECT
public:
    explicit TfrmCancel_Other_Health(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimCancelScreen(context, otherWelfare(), parent)
    {
    }
};

} // namespace wel::claims
