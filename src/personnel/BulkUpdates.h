#pragma once
#include "ImportCommon.h"

namespace wel {

class Database;
struct LoginContext;

// The tools of "ปรับปรุง่ข้อมูล" that change many records at once.
namespace BulkUpdates {

// Name alignment: every employee's own family row (code "0") whose given or
// family name differs from the employee record gets the record's names.
// lines are what the list box shows, one per row changed.
struct Alignment {
    int count = 0;
    QStringList lines;
};
Alignment alignSelfNames(Database& db, const LoginContext& login, const imports::Progress& progress = {});

// The leaving workbook: from row 2, KV_ID, identity number, given name,
// family name, reason and date of leaving in columns A to F.
QStringList leavingHeadings();
QVector<int> leavingWidths();
imports::SheetRows leavingRows(const excel::SheetData& sheet, const QString& path);
imports::SheetRows readLeaving(const QString& path); // throws AppError

extern const QString kHasClaims; // the employee has a yearly row of the year

struct Applied {
    int updated = 0;      // employees changed
    int yearRows = 0;     // yearly rows changed (right types)
    QVector<imports::Refusal> refused;
};

// "Update ลงฐานข้อมูล": marks the listed active employees as left ("O") with
// the reason and date of the workbook, except those who have a yearly row of
// year. Every row is checked before anything is written; the rest are
// written in one transaction.
Applied applyLeaving(Database& db, const LoginContext& login, const imports::SheetRows& rows,
                     const QString& year, const imports::Progress& progress = {});

// The right-type workbook: from row 2, identity number, given name, family
// name, right type and faculty code in columns A to E.
QStringList rightTypeHeadings();
QVector<int> rightTypeWidths();
imports::SheetRows rightTypeRows(const excel::SheetData& sheet, const QString& path);
imports::SheetRows readRightTypes(const QString& path); // throws AppError

// "Update ข้อมูล": the employees of the faculty with that identity number
// (any status) get the right type, and their yearly rows of year the limits
// of that type; used amounts stay. Checked first, written in one transaction.
Applied applyRightTypes(Database& db, const LoginContext& login, const imports::SheetRows& rows, const QString& year,
                        const imports::Progress& progress = {});

} // namespace BulkUpdates
} // namespace wel
