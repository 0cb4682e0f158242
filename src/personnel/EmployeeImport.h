#pragma once
#include "ImportCommon.h"

namespace wel {

class Database;
struct LoginContext;

// New employees and their families from the personnel office's workbook:
// first worksheet, one employee per row from row 5 down, the list ending
// before the first row whose column B (staff number) is empty.
namespace EmployeeImport {

// The 39 columns of the grid, and their widths (0: the grid's default).
QStringList gridHeadings();
QVector<int> gridWidths();

// Grid columns the import reads.
enum Column {
    RowNo = 0, EmpId = 1, Title = 2, FirstName = 3, LastName = 4, Position = 5, Level = 6,
    Affiliation = 7, Dept = 8, InDate = 9, Ssn = 10, RightType = 11,
};
// The first grid column of person n (1 father, 2 mother, 3 spouse, 4 to 6
// the children): identity number, title, given name, family name, and for
// a child the birth date.
int personColumn(int person);

struct Workbook {
    imports::SheetRows rows;
    QString factCode; // the first two characters of cell B5
};
// Reads the file (.xlsx, .xls or .ods). Throws AppError.
Workbook read(const QString& path);
Workbook fromSheet(const excel::SheetData& sheet, const QString& path);

// The rows that will be written (indexes into rows.grid) and the refused
// ones with their reasons: missing staff number, identity number or name,
// right type other than 1, 2 or 3, a date that is no date, a value longer
// than its column, a row repeating an earlier row's person.
struct Checked {
    QVector<int> accepted;
    QVector<imports::Refusal> refused;
};
Checked check(const imports::SheetRows& rows);

struct ImportedRow {
    int sheetRow = 0;
    QString EMP_ID;
    QString KV_ID;
    QString name;       // given name, a blank, family name
    bool added = false; // false: the employee was recorded already
    int familyAdded = 0;
    int familyKept = 0; // already recorded under the code: left as it is
    QString lastFolkCode, lastFolkName;
};
using RowDone = std::function<void(const ImportedRow& row, int done, int total)>;

struct Result {
    QVector<ImportedRow> rows;
    QVector<imports::Refusal> refused;
    int employeesAdded() const;
    int employeesFound() const;
    int familyAdded() const;
    int familyKept() const;
};

// "บันทึกลงฐานข้อมูล": checks every row first, then writes the accepted
// ones in one transaction, so that a failure leaves nothing written. An
// employee is recognised by characters 5 to 12 of the staff number and the
// identity number (letter case and surrounding blanks do not count); one
// not recorded yet gets a new KV_ID in faculty factCode. Family members
// are added under codes 1 to 6 that the employee has no row for. With
// dryRun the work is rolled back and only reported.
Result run(Database& db, const LoginContext& login, const imports::SheetRows& rows, const QString& factCode,
           const RowDone& rowDone = {}, bool dryRun = false);

// "Update เลขที่บัญชี": every employee whose identity number is a PersonId
// of PerHistry gets its Bank_Account_No, in one transaction.
struct BankCopy {
    int personnelRows = 0;
    int employeesUpdated = 0;
};
BankCopy copyBankAccounts(Database& db, const LoginContext& login, const imports::Progress& progress = {});

} // namespace EmployeeImport
} // namespace wel
