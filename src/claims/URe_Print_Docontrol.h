#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// 2.3.1 Prints the summary document of a medical control number again.
class TfrmRe_Print_Docontrol : public ControlReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Docontrol(const ScreenContext& context, QWidget* parent = nullptr)
        : ControlReprintScreen(context, outpatient(), parent)
    {
    }
};

} // namespace wel::claims
