#pragma once
#include "audit/AuditLog.h"
#include "common/widgets/Screen.h"

class QLineEdit;
class QPushButton;

namespace wel {

class ResultGrid;

class BEDateEdit;
class CodeListCombo;

// "ประวัติการทำรายการ": the audit trail for the administrator, filtered by
// date, user, operation and document or employee key, exported to Excel.
class TfrmAudit_Log : public Screen {
    Q_OBJECT
public:
    explicit TfrmAudit_Log(const ScreenContext& context, QWidget* parent = nullptr);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    AuditLog::Filter filter() const;
    void btnShowClick();
    void btnExcelClick();

    BEDateEdit* edtDate_From = nullptr;
    BEDateEdit* edtDate_To = nullptr;
    CodeListCombo* cmbUser = nullptr;
    CodeListCombo* cmbOperation = nullptr;
    QLineEdit* edtKey = nullptr;
    QPushButton* btnShow = nullptr;
    QPushButton* btnExcel = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    QVector<AuditLog::Entry> m_entries;
    AuditLog::Filter m_shownWith;
};

} // namespace wel
