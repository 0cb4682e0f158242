#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// 1.1 Prints the claim form of an above-limit claim again.
class TfrmRe_Print_Over_Vong_Money : public ClaimReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Over_Vong_Money(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimReprintScreen(context, overLimit(), parent)
    {
    }
};

} // namespace wel::claims
