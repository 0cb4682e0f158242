#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// 4.1.1 Prints the form of a co-pay claim again.
class TfrmRe_Print_Berg_Cop : public ClaimReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Berg_Cop(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimReprintScreen(context, copay(), parent)
    {
    }
};

} // namespace wel::claims
