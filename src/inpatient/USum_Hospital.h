#pragma once
#include "claims/widgets/ClaimSummaryScreen.h"

namespace wel::claims {

// 2.3 Sends the hospital's open in-patient claims to the finance division under a control number.
class TfrmSum_Hospital : public ClaimSummaryScreen {
    Q_OBJECT
public:
    explicit TfrmSum_Hospital(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimSummaryScreen(context, inpatient(), parent)
    {
    }
};

} // namespace wel::claims
