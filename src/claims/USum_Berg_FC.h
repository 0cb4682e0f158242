#pragma once
#include "claims/widgets/ClaimSummaryScreen.h"

namespace wel::claims {

// 2.3 Sends a faculty's open outpatient claims to the finance division under a control number.
class TfrmSum_Berg_FC : public ClaimSummaryScreen {
    Q_OBJECT
public:
    explicit TfrmSum_Berg_FC(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimSummaryScreen(context, outpatient(), parent)
    {
    }
};

} // namespace wel::claims
