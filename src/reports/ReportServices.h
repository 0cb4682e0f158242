#pragma once
#include "reports/ReportTypes.h"

namespace wel {
class Database;
}

namespace wel::reports {

// Every report's rows, produced without any window, from the filters a
// screen or `welmora-admin export` gives. Filter keys and their choices are
// listed with each report in ReportCatalog.cpp.

// Management summaries.
ReportResult claimsByMonth(Database& db, const Filters& f);         // year, status
ReportResult claimsByMonthFaculty(Database& db, const Filters& f);  // year, status
ReportResult claimsByYear(Database& db, const Filters& f);          // status
ReportResult sentByMonth(Database& db, const Filters& f);           // year, status
ReportResult employeesByRightType(Database& db, const Filters& f);

// Control-number reports.
ReportResult facultySent(Database& db, const Filters& f);           // sent, faculty
ReportResult facultySentMembers(Database& db, const QString& sentKvDocId);
ReportResult claimRegister(Database& db, const Filters& f);         // claimed, entered, faculty, status, kind, special
// The claim register's rows as the query reads them, its total row last;
// returns the total. claimRegister collects them.
Money claimRegisterRows(Database& db, const Filters& f, const RowSink& sink);
ReportResult controlNumberSummary(Database& db, const Filters& f);  // sent, faculty, status, kind
ReportResult controlNumberMembers(Database& db, const QString& sentKvDocId);
ReportResult claimLinesByPatient(Database& db, const Filters& f);   // year, faculty, type, folk, claimtype

// List reports.
ReportResult employeeRights(Database& db, const Filters& f);        // type, faculty
ReportResult employeeFamilies(Database& db, const Filters& f);      // faculty, name, order
ReportResult educationClaims(Database& db, const Filters& f);       // year, faculty, order
ReportResult flexibleBenefit(Database& db, const Filters& f);       // year, faculty
ReportResult claimsByWelfareKind(Database& db, const Filters& f);   // before, payyear, kind, faculty
ReportResult voucherSummaries(Database& db, const Filters& f);      // recorded, faculty, status
ReportResult voucherDetails(Database& db, const Filters& f);        // recorded, faculty, status

} // namespace wel::reports
