#pragma once
#include "reports/Enquiries.h"
#include "reports/ReportCatalog.h"

#include "common/EmployeeSearch.h"
#include "common/widgets/Screen.h"

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace wel {

class EmployeeSearchPanel;
class ResultGrid;

// How one employee enquiry differs from the others.
struct EnquirySpec {
    QString screen;   // "TfrmQuery_Health"
    QString reportId; // its rows and export in the report catalog: "medical-history"
    QString title;
    QString yearCaption;       // "ปีที่ตัดเงิน"
    bool budgetYear = true;    // the year starts as Cur_Bud_Year, else the calendar year of Cur_Date
    bool activeOnly = true;    // the search lists active employees only
    bool facultyGroup = false; // "ทุกคณะ" / "เฉพาะคณะ" beside the search instead of edtFact_Code
    bool opensOnHistory = true; // opens on the (empty) history, "เลือกชื่อ" leads to the search
    bool familyPanel = false;
    std::optional<reports::LimitKind> limits; // the limit block under the history
    QString (*limitText)(const QString& hType) = nullptr;
    QString historyTitle; // followed by the year when yearInTitle
    bool yearInTitle = false;
    bool emptyStaysClosed = false; // nothing found: the message, and the history stays closed
};

const QVector<EnquirySpec>& enquirySpecs();

// The enquiry shape: find an employee, show what was claimed for him in a
// year with the limit block and closing rows, his family, and the export of
// the history. The three claim-history screens are this class under their
// own names.
class TfrmQuery : public Screen {
    Q_OBJECT
public:
    TfrmQuery(const ScreenContext& context, const EnquirySpec& spec);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

    // Shows the history of the employee selected in the search grid; an
    // empty one stays closed where the enquiry asks so, unless evenEmpty (the
    // panel as it looks before any receipt is filed, for the screenshots).
    void showHistory(bool evenEmpty = false);
    void showFamily();
    // Writes the shown history in the order its grid shows it; returns the
    // path, empty when cancelled.
    QString exportShown();

private:
    QWidget* buildSearchPanel();
    QWidget* buildHistoryPanel();
    QWidget* buildFamilyPanel();
    QString chosenFaculty() const;
    void toSearch();
    void toHistory();

    EnquirySpec m_spec;
    const reports::ReportDescriptor* m_report = nullptr;
    EmployeeSearchPanel* m_search = nullptr;
    QWidget* m_searchPanel = nullptr;
    QWidget* m_historyPanel = nullptr;
    QWidget* m_familyPanel = nullptr;
    QLineEdit* m_year = nullptr;
    QRadioButton* m_allFaculties = nullptr;
    QRadioButton* m_oneFaculty = nullptr;
    QLineEdit* m_factCode = nullptr;
    QLabel* m_historyTitle = nullptr;
    QMap<QString, QLineEdit*> m_header; // by objectName
    ResultGrid* m_grid = nullptr;
    QMap<QString, QLineEdit*> m_family; // by objectName
    std::optional<EmployeeSummary> m_employee;
    reports::ReportResult m_result;
    reports::Filters m_shownWith;
};

} // namespace wel
