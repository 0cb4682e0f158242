#pragma once
#include "common/EmployeeSearch.h"

#include <QString>

#include <optional>

namespace wel {

class Database;
struct LoginContext;

// The fields of an employee record that the add/edit screen shows.
struct EmployeeRecord {
    QString KV_ID;
    QString EMP_ID;
    QString Emp_SSN;
    QString Emp_Surname;
    QString Emp_F_Name;
    QString Emp_L_Name;
    QString Emp_Position;
    QString Emp_Level;
    QString Emp_Dept_Name;
    QString Emp_In_date2;
    QString Emp_H_Type = QStringLiteral("2");
    QString Fact_code;
    QString Bank_Account_No;
    QString Fact_Name;  // read only, from T_Fact
    QString Emp_Status; // read only
};

// Adding, correcting and deleting employees. In mode "FC" a clerk works on
// his own faculty only, the right type stays "2" for new employees and the
// right type and bank account of existing ones stay as stored; the finance
// division (mode "KV") may set them for any faculty.
namespace EmployeeService {

extern const QString kTypeRefused;   // right type "1" on adding
extern const QString kTypeInUse;     // right type changed while a yearly row exists
extern const QString kNotFoundForEdit;
extern const QString kHasClaims;
extern const QString kConfirmDelete; // followed by the staff number and name
extern const QString kDeleted;
extern const QString kApptDateCaption; // "วันที่บรรจุเป็นพนักงาน"

// Required fields in the screen's order, then the appointment date. Throws
// AppError with the message of the first failure.
void validate(const EmployeeRecord& r);

// The record with its faculty name, when the clerk may work on it.
std::optional<EmployeeRecord> load(Database& db, const LoginContext& login, const QString& kvId);

// Inserts an active employee with a new KV_ID and returns the key.
QString add(Database& db, const LoginContext& login, EmployeeRecord r);

// Rewrites the record r.KV_ID and the names of his own family row (code "0").
// An empty right type keeps the stored one. The employee must still be
// active (and in the clerk's faculty in mode "FC") when the record is
// written; otherwise "ไม่พบข้อมูลที่ต้องการ" and nothing is written.
void edit(Database& db, const LoginContext& login, EmployeeRecord r);

// Refusals that come before the delete confirmation: nothing selected, not
// found, or a claim of any status. Returns the employee to be deleted.
EmployeeSummary checkDeletable(Database& db, const LoginContext& login, const QString& kvId);
// The confirmation naming whom the clerk is about to delete.
QString deleteConfirmation(const EmployeeSummary& e);
// Marks the employee deleted ("D") by the clerk.
void remove(Database& db, const LoginContext& login, const QString& kvId);

} // namespace EmployeeService
} // namespace wel
