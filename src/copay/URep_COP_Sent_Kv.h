#pragma once
#include "claims/widgets/ClaimSummaryScreen.h"

namespace wel::claims {

// 4.3 Sends open co-pay claims to the finance division under a control number.
class TfrmRep_COP_Sent_Kv : public ClaimSummaryScreen {
    Q_OBJECT
public:
    explicit TfrmRep_COP_Sent_Kv(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimSummaryScreen(context, copay(), parent)
    {
    }
};

} // namespace wel::claims
