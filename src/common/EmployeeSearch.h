#pragma once
#include <QString>
#include <QVector>

#include <optional>

namespace wel {

class Database;
struct LoginContext;

// One employee as the search grids list him.
struct EmployeeSummary {
    QString KV_ID;
    QString EMP_ID;
    QString Emp_SSN;
    QString Emp_Surname;
    QString Emp_F_Name;
    QString Emp_L_Name;
    QString Emp_H_Type;
    QString Emp_Position;
    QString Fact_code;
    QString Emp_Status;

    // Title and given name, the separator, family name ("นายสมชาย  ใจดี").
    QString fullName(const QString& separator = QStringLiteral("  ")) const;
};

enum class EmployeeSearchBy { Name, EmpId, Ssn };

struct EmployeeQuery {
    EmployeeSearchBy by = EmployeeSearchBy::Name;
    QString text;      // prefix of the given name, staff number or identity number
    QString lastName;  // by name only: prefix of the family name, empty matches all
    QString factCode;  // only this faculty; empty for all faculties
    bool orderByLastName = false; // given name, then family name
    bool anyStatus = false;       // employees who have left too (the claim histories)
};

// Employees a clerk may work on: in mode "KV" (the finance division) all,
// in any other mode, an empty one included, those of his own faculty.
// Returns the faculty to filter on, "" for all.
QString facultyScope(const LoginContext& login);

// Active employees (status "A") matching the query, ordered by given name;
// with anyStatus, employees of every status.
QVector<EmployeeSummary> searchActiveEmployees(Database& db, const EmployeeQuery& query);

// The employee with this key, of any status, if the clerk may work on him.
std::optional<EmployeeSummary> findEmployeeInScope(Database& db, const LoginContext& login, const QString& kvId);

} // namespace wel
