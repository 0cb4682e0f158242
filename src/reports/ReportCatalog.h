#pragma once
#include "reports/CodeLists.h"
#include "reports/ReportTypes.h"

#include "common/LoginContext.h"
#include "common/excel/GridExport.h"
#include "common/report/Report.h"

#include <functional>
#include <memory>

namespace wel {
class Database;
}

namespace wel::reports {

// One choice of a filter group: a radio button, with a field when the
// choice takes a typed value (maxLength > 0), which starts with initialText.
struct FilterOption {
    QString value;   // "date", "all", "one", "normal", ...
    QString caption; // the button's caption
    int maxLength = 0;
    QString initialText;
    QString inputMask; // "99/99/0000" for a date field
    // A second field the choice opens, under its own caption, whose text goes
    // to the filter extraKey as "extraKey:text" (a family name beside the
    // given name).
    QString extraKey = {};
    QString extraCaption = {};
    int extraMaxLength = 0;
    // A choice of a code from a list ("code name") instead of a typed code;
    // initialText is then the code shown at start.
    CodeList list = CodeList::None;
};

// Whether the faculty group is fixed to the clerk's faculty by the mode.
enum class FacultyLock { None, InFC, UnlessKV };

// A group of choices on the report screen and its key in Filters.
struct FilterSpec {
    QString key;
    QString title;
    QVector<FilterOption> options;
    QString initial; // value of the option chosen at start
    FacultyLock lock = FacultyLock::None;
};

// A report: its rows (a service), its filters, and how its grid is written
// to a workbook. The screens, the export command and the export button all
// work from this one table.
struct ReportDescriptor {
    QString id;        // the export command's name: "claim-register"
    QString screen;    // the screen class that shows it: "TfrmRep_Berg_Doc_ID"
    QString title;     // the screen's title, or its tab's caption
    std::function<QVector<FilterSpec>(const LoginContext&)> filters;
    std::function<ReportResult(Database&, const Filters&)> run;
    // Empty when the report is not exported.
    std::function<excel::GridExportParams(const Filters&, const LoginContext&)> exportParams;
    // Grid columns written as numbers ("A", "C:L"); every other cell stays
    // text, so identifiers keep their leading zeros.
    QStringList numericColumns;
    // Blocks merged in the heading rows, centred both ways ("A4:A5").
    QStringList headingMerges;
    QVector<int> widths; // on screen, in pixels; empty: from the headings
    // The total field beside the grid ("รวมจำนวนเงิน"); empty for none.
    QString totalCaption = {};
    // The members of the selected row's control number, for the detail panel.
    std::function<ReportResult(Database&, const QString&)> details = {};
    // Shown by an enquiry screen of its own (an employee's history), not by
    // the report shape; the catalog still gives it its export.
    bool enquiry = false;
    // The document printed from the detail panel ("พิมพ์"), for the number
    // the panel shows; empty for none.
    std::function<Report(Database&, const QString&)> printDetails = {};
    // The note under the grid that says how the rows are ordered.
    QString orderNote = {};
    // The same rows one at a time, for the reports whose export can be as
    // large as the database; empty for the others.
    std::function<Money(Database&, const Filters&, const RowSink&)> rows = {};
};

const QVector<ReportDescriptor>& reportCatalog();
const ReportDescriptor* findReport(const QString& id);
// The reports a screen shows, in tab order.
QVector<const ReportDescriptor*> reportsOfScreen(const QString& screen);

// A filter value given as text (the export command's "key=value"): throws
// AppError naming the value and listing the allowed ones when the key takes
// no such choice, or when the choice's field holds what its mask does not
// allow (a month 13, a day that is no calendar date, a year that is not a
// Buddhist-Era year).
void checkFilterValue(const ReportDescriptor& report, const LoginContext& login, const QString& key,
                      const QString& value);
// The choices of a filter as the export command lists them: "date:VALUE|all".
QString allowedValues(const FilterSpec& spec);

// The filters as the screen starts, with the faculty fixed by the mode.
Filters initialFilters(const ReportDescriptor& report, const LoginContext& login);
// A faculty filter fixed to the clerk's faculty when the mode asks for it.
bool facultyLocked(FacultyLock lock, const LoginContext& login);

// The grid as the workbook receives it: text cells marked to stay text.
excel::GridTable exportTable(const ReportDescriptor& report, const ReportResult& result);
// The one export procedure: the descriptor's layout over the report's rows,
// written to path (a new file in the export folder when empty). Returns the
// path written. Throws AppError.
QString exportReport(const ReportDescriptor& report, const ReportResult& result, const Filters& filters,
                     const LoginContext& login, const QString& path = {});

// The export of a report that hands its rows one at a time (rows), read
// from the database straight into the workbook in flat memory. Returns the
// rows written; 0 when nothing matched, and then no file is written.
int exportReportRows(const ReportDescriptor& report, Database& db, const Filters& filters, const LoginContext& login,
                     const QString& path);

// "5 มกราคม พ.ศ.2551" of a "dd/mm/yyyy" Buddhist-Era date, as titles print it.
QString titleDate(const QString& beDate);

} // namespace wel::reports
