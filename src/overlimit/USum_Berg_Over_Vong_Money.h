#pragma once
#include "claims/widgets/ClaimSummaryScreen.h"

namespace wel::claims {

// 3 Sends a faculty's open above-limit claims under a control number.
class TfrmSum_Berg_Over_Vong_Money : public ClaimSummaryScreen {
    Q_OBJECT
public:
    explicit TfrmSum_Berg_Over_Vong_Money(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimSummaryScreen(context, overLimit(), parent)
    {
    }
};

} // namespace wel::claims
