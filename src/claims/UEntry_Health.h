#pragma once
#include "claims/widgets/ClaimEntryScreen.h"

namespace wel::claims {

// 2.1 Records an outpatient medical claim against the yearly medical limit.
class TfrmEntry_Health : public ClaimEntryScreen {
    Q_OBJECT
public:
    explicit TfrmEntry_Health(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimEntryScreen(context, outpatient(), parent)
    {
    }
};

} // namespace wel::claims
