#pragma once
#include "DocNumberService.h"
#include "common/widgets/Screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace wel {

class BEDateEdit;
class ChoiceBox;
class FactCodeEdit;
class ResultGrid;

// Records the document numbers of a voucher summary in the finance division,
// in two steps: the sub-unit and finance-division numbers with their date
// (TfrmEntry_Depart_DocNo), then the payment number and date
// (TfrmEntry_PV_Doc). One screen, configured by the step.
class TfrmEntry_Depart_DocNo : public Screen {
    Q_OBJECT
public:
    enum class Step { SubUnit, Payment };

    explicit TfrmEntry_Depart_DocNo(const ScreenContext& context, QWidget* parent = nullptr)
        : TfrmEntry_Depart_DocNo(context, Step::SubUnit, parent)
    {
    }

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

protected:
    TfrmEntry_Depart_DocNo(const ScreenContext& context, Step step, QWidget* parent);

private:
    // A faculty with voucher summaries, the field's own first; "" when none has any.
    QString facultyToList() const;
    QWidget* buildPanel();
    void btnShowClick();
    void btnOpenClick();
    void btnSaveClick();
    void backToList();

    const Step m_step;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    ChoiceBox* grpSelect = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    ResultGrid* StringGrid1 = nullptr;

    QLabel* lblFact_Name = nullptr;
    QLabel* lblFact_Code = nullptr;
    QLabel* lblPVR_NO = nullptr;
    QLineEdit* edtDep_Sub_Doc_No = nullptr;
    QLineEdit* edtFN_Doc_No = nullptr;
    BEDateEdit* edtFN_Doc_Date = nullptr;
    QWidget* grpFinance = nullptr;
    QLineEdit* edtPV_Doc_No = nullptr;
    BEDateEdit* edtPV_date = nullptr;
    QLabel* lblCount[4] = {};
    QLabel* lblMoney[4] = {};
    QLabel* lblTotal = nullptr;
};

// The payment step of the same screen.
class TfrmEntry_PV_Doc : public TfrmEntry_Depart_DocNo {
    Q_OBJECT
public:
    explicit TfrmEntry_PV_Doc(const ScreenContext& context, QWidget* parent = nullptr)
        : TfrmEntry_Depart_DocNo(context, Step::Payment, parent)
    {
    }
};

} // namespace wel
