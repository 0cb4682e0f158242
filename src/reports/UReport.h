#pragma once
#include "reports/ReportCatalog.h"

#include "common/widgets/Screen.h"

#include <functional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QTabWidget;

namespace wel {

class ResultGrid;

// The report shape: filter groups, "แสดงผล", a result grid, an optional
// total and detail panel, and the export, all drawn from the report
// descriptors of one screen (several descriptors become tabs). Every report
// screen of the enquiries-and-reports menu is this class under its own name.
// "พิมพ์ออกทาง MS Excel" of a report or an enquiry: asks where to save
// (TfrmReport::s_chooseSavePath, starting from the sheet name and today's
// date), writes the workbook through the report's export descriptor and
// opens it. Returns the path, empty when the clerk cancels. Throws AppError.
QString saveAndOpenReport(QWidget* parent, const reports::ReportDescriptor& report, const reports::ReportResult& result,
                          const reports::Filters& filters, const LoginContext& login);

// The grid columns (0-based) of a report's counts and amounts, which the
// screens align to the right.
QVector<int> amountColumnsOf(const reports::ReportDescriptor& report);

class TfrmReport : public Screen {
    Q_OBJECT
public:
    TfrmReport(const ScreenContext& context, const QString& screenName);

    // Where "พิมพ์ออกทาง MS Excel" writes: asks with a "save as" dialog,
    // starting from the suggested name; empty when the clerk cancels. Tests
    // and the screenshot command replace it.
    static std::function<QString(QWidget*, const QString& suggested)> s_chooseSavePath;
    // Opens the written workbook with the desktop's spreadsheet program.
    static std::function<void(const QString& path)> s_openWorkbook;

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

    // The filters as the controls of tab `tab` now say.
    reports::Filters filters(int tab = 0) const;
    // Every group on "ทั้งหมด" where it offers it, as a clerk widens a report.
    void chooseBroadest(int tab = 0);
    void showReport(int tab = 0);
    // Writes the shown result of the tab in the order its grid shows it;
    // returns the path, empty when cancelled.
    QString exportShown(int tab = 0);
    void showDetails();

private:
    struct Group {
        reports::FilterSpec spec;
        QButtonGroup* buttons = nullptr;
        QVector<QWidget*> fields; // per option: a field, a code list, or null
        QVector<QLineEdit*> extraFields; // per option, null without a second field
        bool locked = false;
    };
    struct Page {
        const reports::ReportDescriptor* report = nullptr;
        QVector<Group> groups;
        ResultGrid* grid = nullptr;
        QLineEdit* total = nullptr;
        reports::ReportResult result;
        reports::Filters shownWith;
    };

    QWidget* buildPage(Page& page);
    Group buildGroup(const reports::FilterSpec& spec, QGroupBox* box);
    void buildDetailPanel();
    static QString valueOf(const QWidget* field);
    static void setValue(QWidget* field, const QString& value);
    void fill(Page& page);
    int currentTab() const;

    QString m_screenName;
    QVector<Page> m_pages;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_main = nullptr;
    QWidget* m_detail = nullptr;
    ResultGrid* m_detailGrid = nullptr;
    QLineEdit* m_detailNumber = nullptr;
    QLineEdit* m_detailTotal = nullptr;
    QLineEdit* m_detailDate = nullptr; // with a printed document only
    void printDetails();
};

} // namespace wel
