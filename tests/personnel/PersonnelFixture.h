#pragma once
#include "ErrorOf.h"
#include "TestDb.h"
#include "common/ThaiDate.h"
#include "MessageLog.h"
#include "personnel/EmployeeService.h"
#include "common/LoginContext.h"

#include <QStringList>
#include <functional>

namespace wel::test {

// The demo clerk of faculty SC in mode "FC", or the finance user in mode "KV",
// on the database's today.
inline LoginContext loginAs(Database& db, const QString& mode)
{
    const Today today = todayFrom(db.serverNow());
    LoginContext c;
    c.Cur_Date = today.Cur_Date;
    c.Cur_Bud_Year = today.Cur_Bud_Year;
    c.Cur_Mode = mode;
    const bool fc = mode == QLatin1String("FC");
    c.Cur_Fact_Code = fc ? QStringLiteral("SC") : QStringLiteral("OP");
    c.Cur_Username = fc ? QStringLiteral("clerk") : QStringLiteral("admin");
    c.Cur_User_Type = QStringLiteral("U");
    return c;
}

inline EmployeeRecord newEmployee(const QString& empId, const QString& ssn, const QString& fact,
                                  const QString& type = QStringLiteral("3"))
{
    EmployeeRecord r;
    r.EMP_ID = empId;
    r.Emp_SSN = ssn;
    r.Emp_Surname = QStringLiteral("นาย");
    r.Emp_F_Name = QStringLiteral("ทดสอบ");
    r.Emp_L_Name = QStringLiteral("ระบบงาน");
    r.Emp_Position = QStringLiteral("นักวิชาการศึกษา");
    r.Emp_Level = QStringLiteral("5");
    r.Emp_Dept_Name = QStringLiteral("งานบริหารทั่วไป");
    r.Emp_In_date2 = QStringLiteral("01/06/2560");
    r.Emp_H_Type = type;
    r.Fact_code = fact;
    r.Bank_Account_No = QStringLiteral("123-4-56789");
    return r;
}

// One column of the employee's row.
inline QString employeeField(Database& db, const QString& kvId, const QString& column)
{
    const Rows rows = db.select(QStringLiteral("SELECT * FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {kvId});
    return rows.isEmpty() ? QStringLiteral("<no row>") : rows.text(0, column);
}

// Columns of the employee's row and the values they must hold.
inline void expectFields(Database& db, const QString& kvId, std::initializer_list<std::pair<const char*, QString>> fields)
{
    for (const auto& [column, value] : fields)
        EXPECT_EQ(employeeField(db, kvId, QString::fromLatin1(column)), value) << column;
}

// The first active demo employee of a faculty.
inline QString firstActiveOf(Database& db, const QString& fact)
{
    return db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE Fact_code = ? AND Emp_Status = 'A' "
                                    "ORDER BY KV_ID"),
                     {fact})
        .text(0, QStringLiteral("KV_ID"));
}

} // namespace wel::test
