#pragma once
#include "claims/widgets/ClaimEntryScreen.h"

namespace wel::claims {

// 4.1 Records a co-pay claim against the yearly co-pay limit of an employee whose medical limit is used up.
class TfrmCo_Pay_Entry : public ClaimEntryScreen {
    Q_OBJECT
public:
    explicit TfrmCo_Pay_Entry(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimEntryScreen(context, copay(), parent)
    {
    }
};

} // namespace wel::claims
