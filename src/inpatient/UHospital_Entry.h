#pragma once
#include "claims/widgets/ClaimEntryScreen.h"

namespace wel::claims {

// 2.1 Records a hospital's in-patient claim against the yearly medical limit of an employee of any faculty.
class TfrmHospital_Entry : public ClaimEntryScreen {
    Q_OBJECT
public:
    explicit TfrmHospital_Entry(const ScreenContext& context, QWidget* parent = nullptr)
        : ClaimEntryScreen(context, inpatient(), parent)
    {
    }
};

} // namespace wel::claims
