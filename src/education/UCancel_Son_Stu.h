#pragma once
#include "claims/widgets/ClaimCancelScreen.h"

namespace wel::claims {

// 3.2 Cancels an open education-allowance claim.
class TfrmCancel_Son_Stu : public ClaimCancelScreen {
    Q_OBJECT
public:
    explicit TfrmCancel_Son_Stu(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimCancelScreen(context, education(), parent)
    {
    }
};

} // namespace wel::claims
