#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// 2.1.1 Prints the claim form of an outpatient or in-patient claim again.
class TfrmRe_Print_Berg_HL : public ClaimReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Berg_HL(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimReprintScreen(context, outpatient(), parent)
    {
    }
};

} // namespace wel::claims
