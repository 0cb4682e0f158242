#pragma once
#include "ImportCommon.h"
#include "common/Money.h"
#include "common/excel/GridExport.h"

namespace wel {

class Database;
struct LoginContext;

// The flexible benefit: 5,000 baht of an applicant's yearly medical limit
// set aside (M_Flexben) for the budget year.
namespace FlexibleBenefit {

constexpr Money kAmount = Money::fromBaht(5000);
extern const QString kUniversityEmployee; // the personnel type taken from the workbook

// The applicants' workbook: from row 2, identity number, title, given name,
// family name, position, faculty code, department, appointment date, right
// type and personnel type in columns A to J; only university employees.
QStringList applicantHeadings();
QVector<int> applicantWidths();
imports::SheetRows applicantRows(const excel::SheetData& sheet, const QString& path);
imports::SheetRows readApplicants(const QString& path); // throws AppError

// What the test found for one applicant.
enum class Kind {
    NotEnough, // 1.1: the limit left is less than the benefit: blocks the save
    Claimed,   // 1.2: has a yearly row with room for the benefit
    NoYearRow, // 1.3: recorded, no yearly row of the year yet
    NotFound,  // 2:   no active employee with that identity number in the faculty
    Refused,   // 3:   the row itself is wrong: blocks the save
};

struct Tested {
    QStringList cells; // the result grid's row
    Kind kind = Kind::Refused;
    QString KV_ID;
    QString rightType; // the type the yearly row would get
    bool blocking() const { return kind == Kind::NotEnough || kind == Kind::Refused; }
};

struct TestResult {
    QVector<Tested> rows;
    int nameMatches = 0; // not found by identity number, but by name
    bool canSave() const;
};

QStringList resultHeadings();
QVector<int> resultWidths();

// "ทดสอบการ Update ข้อมูล": classifies every applicant; writes nothing.
TestResult test(Database& db, const imports::SheetRows& rows, const QString& year,
                const imports::Progress& progress = {});

struct Saved {
    int employeesAdded = 0;
    int yearRowsAdded = 0;
    int yearRowsUpdated = 0;
};

// "บันทึกลงฐานข้อมูล": in one transaction, tests every row again and stops
// with nothing written when one blocks; otherwise creates the employees not
// found (with a new KV_ID) and the missing yearly rows with the benefit,
// and sets the benefit in the existing ones, each only while its limit
// still has room for it.
Saved save(Database& db, const LoginContext& login, const imports::SheetRows& rows, const QString& year,
           const imports::Progress& progress = {});

// The "Export Excel" worksheet of the applicants' grid (results = false,
// columns A to K) or of the test result grid (columns A to N).
excel::Worksheet exportSheet(const excel::GridTable& grid, bool results);

} // namespace FlexibleBenefit
} // namespace wel
