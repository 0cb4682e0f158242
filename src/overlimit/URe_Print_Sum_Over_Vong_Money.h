#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// 3.1 Prints the summary of an above-limit control number again.
class TfrmRe_Print_Sum_Over_Vong_Money : public ControlReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Sum_Over_Vong_Money(const ScreenContext& context, QWidget* parent = nullptr)
        : ControlReprintScreen(context, overLimit(), parent)
    {
    }
};

} // namespace wel::claims
