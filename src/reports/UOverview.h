#pragma once
#include "common/widgets/Screen.h"
#include "reports/Overview.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;

namespace wel {

// ภาพรวมการเบิกสวัสดิการ: the budget year in five charts. The finance
// division (mode "KV") chooses every faculty or one; anyone else sees his
// own faculty.
class TfrmOverview : public Screen {
    Q_OBJECT
public:
    explicit TfrmOverview(const ScreenContext& context, QWidget* parent = nullptr);

    // The figures the charts show (what "พิมพ์" prints).
    const reports::Overview& shown() const { return m_shown; }

private:
    QWidget* buildChoices();
    void btnShowClick();
    void btnPrintClick();
    void showCharts();

    QLineEdit* edtBud_Year = nullptr;
    QComboBox* cmbFact_Code = nullptr;  // mode "KV"
    QLineEdit* edtFact_Code = nullptr;  // any other mode: the clerk's faculty
    QVector<QChartView*> m_views;       // in the order of overviewCharts()
    QVector<QLabel*> m_noData;
    reports::Overview m_shown;
};

} // namespace wel
