#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// 4.3.1 Prints the summary of a co-pay control number again.
class TfrmRe_Print_Doc_Cop : public ControlReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Doc_Cop(const ScreenContext& context, QWidget* parent = nullptr)
        : ControlReprintScreen(context, copay(), parent)
    {
    }
};

} // namespace wel::claims
