#pragma once
#include "claims/widgets/ClaimSummaryScreen.h"

namespace wel::claims {

// Sends a faculty's open other-welfare payments under a control number.
class TfrmRep_Oth_Sent_Kv : public ClaimSummaryScreen {
    Q_OBJECT
public:
    explicit TfrmRep_Oth_Sent_Kv(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimSummaryScreen(context, otherWelfare(), parent)
    {
    }
};

} // namespace wel::claims
