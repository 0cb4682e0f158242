#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// Prints the summary of an other-welfare control number again.
class TfrmRe_Print_Doc_Oth : public ControlReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Doc_Oth(const ScreenContext& context, QWidget* parent = nullptr)
        : ControlReprintScreen(context, otherWelfare(), parent)
    {
    }
};

} // namespace wel::claims
