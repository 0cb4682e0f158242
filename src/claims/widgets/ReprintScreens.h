#pragma once
#include "claims/ClaimSummaryService.h"
#include "common/widgets/Screen.h"

class QLineEdit;

namespace wel {
class DateFilterBox;
class FactCodeEdit;
class ResultGrid;
} // namespace wel

namespace wel::claims {

// The claim-form reprint: a faculty's claims of the kind entered on a day,
// in a month or in a year, and the form of the chosen one again.
class ClaimReprintScreen : public Screen {
    Q_OBJECT
public:
    ClaimReprintScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent = nullptr);

    // The claims of this year listed.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    void btnShowClick();
    void btnPrintClick();

    const ClaimKind& m_kind;
    DateFilterBox* m_when = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    QVector<ReprintRow> m_rows;
};

// The summary reprint: a faculty's control numbers of the kind sent on a
// day, in a month or in a year, the claims of the chosen one, and its
// summary document again.
class ControlReprintScreen : public Screen {
    Q_OBJECT
public:
    ControlReprintScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent = nullptr);

    // The control numbers of this year listed; the claims of the first.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    void btnShowClick();
    void btnDetailClick();
    void btnPrintClick();

    const ClaimKind& m_kind;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    DateFilterBox* m_when = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    ResultGrid* StringGrid2 = nullptr;
    QLineEdit* edtSent_KV_Doc_ID = nullptr;
    QLineEdit* edtSent_Date = nullptr;
    QLineEdit* edtSum_Select = nullptr;
    QVector<ControlRow> m_controls;
};

} // namespace wel::claims
