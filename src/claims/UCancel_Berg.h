#pragma once
#include "claims/widgets/ClaimCancelScreen.h"

namespace wel::claims {

// 2.2 Cancels an open outpatient or in-patient claim and gives its payable amount back.
class TfrmCancel_Berg : public ClaimCancelScreen {
    Q_OBJECT
public:
    explicit TfrmCancel_Berg(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimCancelScreen(context, outpatient(), parent)
    {
    }
};

} // namespace wel::claims
