#pragma once
#include "claims/widgets/ReprintScreens.h"

namespace wel::claims {

// 3.3.1 Prints the summary of an education control number again.
class TfrmRe_Print_Doc_Edu : public ControlReprintScreen {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Doc_Edu(const ScreenContext& context, QWidget* parent = nullptr)
        : ControlReprintScreen(context, education(), parent)
    {
    }
};

} // namespace wel::claims
