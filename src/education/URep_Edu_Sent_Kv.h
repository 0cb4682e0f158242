#pragma once
#include "claims/widgets/ClaimSummaryScreen.h"

namespace wel::claims {

// 3.3 Sends the faculty's open education-allowance claims under a control number.
class TfrmRep_Edu_Sent_Kv : public ClaimSummaryScreen {
    Q_OBJECT
public:
    explicit TfrmRep_Edu_Sent_Kv(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimSummaryScreen(context, education(), parent)
    {
    }
};

} // namespace wel::claims
