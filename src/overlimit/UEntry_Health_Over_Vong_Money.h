#pragma once
#include "claims/widgets/ClaimEntryScreen.h"

namespace wel::claims {

// 1. Records medical expenses above the limit, charged against no limit.
class TfrmEntry_Health_Over_Vong_Money : public ClaimEntryScreen {
    Q_OBJECT
public:
    explicit TfrmEntry_Health_Over_Vong_Money(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimEntryScreen(context, overLimit(), parent)
    {
    }
};

} // namespace wel::claims
