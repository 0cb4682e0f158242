#pragma once
#include "claims/ClaimCancelService.h"
#include "common/widgets/Screen.h"

#include <QVector>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace wel {
class FactCodeEdit;
class ResultGrid;
}

namespace wel::claims {

// The cancellation component: find an open claim of the kind by number,
// given name or staff number, look at it, and cancel it.
class ClaimCancelScreen : public Screen {
    Q_OBJECT
public:
    ClaimCancelScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent = nullptr);

    // The faculty's open claims listed; the first of them opened.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildStartPanel();
    QWidget* buildSearchPanel();
    QWidget* buildClaimPanel();
    void btnSearchClick();
    void searchModeChanged();
    void btnSelectClick();
    void btnOKClick();
    void btnSaveClick();

    const ClaimKind& m_kind;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QRadioButton* m_byNumber = nullptr;
    QRadioButton* m_byName = nullptr;
    QRadioButton* m_byEmpId = nullptr;
    QLineEdit* edtBerg_Doc_ID2 = nullptr;
    QLineEdit* edtEmp_F_Name2 = nullptr;
    QLineEdit* edtEMP_ID2 = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    QLineEdit* edtBerg_Doc_ID1 = nullptr;
    QLineEdit* edtEmp_Name3 = nullptr;
    QLineEdit* edtEMP_ID3 = nullptr;
    QLineEdit* edtEmp_SSN3 = nullptr;
    QLineEdit* edtEmp_H_Type3 = nullptr;
    QLineEdit* edtM_Pay3 = nullptr;
    QLineEdit* edtKV_ID3 = nullptr;
    QLineEdit* edtDate_berg = nullptr;
    QLineEdit* edtPay_Year = nullptr;
    QVector<QCheckBox*> m_checks;
    QVector<QRadioButton*> m_outpatient;
    QVector<QRadioButton*> m_inpatient;
    QVector<QLineEdit*> m_amounts;
    QLineEdit* edtSum_Berg = nullptr;
    QLineEdit* edtM_Can_Berg = nullptr;
    QLineEdit* edtHealth_In_Out_t = nullptr; // the welfare kind of other-welfare claims
    QLineEdit* edtHealth_Desc = nullptr;
    QStringList m_headings;
    void searchAgain();

    QVector<OpenClaimRow> m_rows;
    QString m_listedFaculty; // the faculty the grid was searched under
};

} // namespace wel::claims
