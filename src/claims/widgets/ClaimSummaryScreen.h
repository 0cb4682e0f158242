#pragma once
#include "claims/ClaimSummaryService.h"
#include "common/widgets/Screen.h"

class QLineEdit;
class QRadioButton;

namespace wel {
class FactCodeEdit;
class MarkingGrid;
class ResultGrid;
} // namespace wel

namespace wel::claims {

// The 9-column claims grid of the summary and of the summary reprint:
// No, mark, claim number, claim date, payable amount, staff number, name,
// KV_ID, charged year.
ResultGrid* summaryGrid(QWidget* parent);
// Fills it (the mark column empty); an empty list leaves one empty row.
// The amount column shows what is payable, or with claimedAmounts what was
// claimed (kinds charged nowhere); without withYear the year column is
// empty, heading and all (kinds summarised whatever their year).
void fillSummaryGrid(ResultGrid* grid, const QVector<SummaryRow>& rows, bool claimedAmounts = false,
                     bool withYear = true);

// The summary component: list a faculty's open claims of the kind for a
// charged year and patient type, mark the claims to send, and send them
// under a new control number, printing the summary document.
class ClaimSummaryScreen : public Screen {
    Q_OBJECT
public:
    ClaimSummaryScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent = nullptr);

    // The faculty's open claims listed; all of them marked.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

    // The control number of the last summary ("" before the first).
    const QString& lastControlNo() const { return m_lastControlNo; }

private:
    QWidget* buildSearchPanel();
    QWidget* buildSelectionPanel();
    void btnShowClick();
    void btnSendClick();

    const ClaimKind& m_kind;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLineEdit* edtPay_Year = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    QRadioButton* m_outpatient = nullptr;
    QRadioButton* m_inpatient = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    MarkingGrid* m_marks = nullptr;
    QLineEdit* edtSum_Shows = nullptr;
    QLineEdit* edtSum_Select = nullptr;

    QVector<SummaryRow> m_rows;
    QString m_listedFaculty; // the listing's faculty and patient type
    QString m_listedInOut;
    QString m_lastControlNo;
};

} // namespace wel::claims
