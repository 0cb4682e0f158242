#include "PersonnelFixture.h"
#include "common/EmployeeSearch.h"
#include "personnel/ResignationService.h"

using namespace wel;
using namespace wel::test;
namespace RS = wel::ResignationService;

namespace {
QStringList keysOf(const QVector<EmployeeSummary>& list)
{
    QStringList keys;
    for (const EmployeeSummary& e : list)
        keys << e.KV_ID;
    return keys;
}

QVector<EmployeeSummary> byEmpId(Database& db, const QString& text, const QString& fact = QString())
{
    EmployeeQuery q;
    q.by = EmployeeSearchBy::EmpId;
    q.text = text;
    q.factCode = fact;
    return searchActiveEmployees(db, q);
}
} // namespace

TEST(Resignation, MarksTheEmployeeLeftWithDateReasonAndOrder)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString a = firstActiveOf(db, QStringLiteral("EN"));
    const QString b = db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE Fact_code = 'EN' AND KV_ID <> ? "
                                               "ORDER BY KV_ID"),
                                {a})
                          .text(0, QStringLiteral("KV_ID"));

    RS::record(db, kv, {a, QStringLiteral("30/09/2568"), QStringLiteral("ย้ายไปทำงานที่อื่น"), QStringLiteral("คส.123/2568")});
    expectFields(db, a,
                 {{"Emp_Status", QStringLiteral("O")}, {"Emp_Out_date", QStringLiteral("30/09/2568")},
                  {"Exit_Reason", QStringLiteral("ย้ายไปทำงานที่อื่น")}, {"Exit_doc", QStringLiteral("คส.123/2568")},
                  {"USER_E_Exit", QStringLiteral("admin")}});

    // nothing is required, but a date that is filled must be a date
    EXPECT_EQ(errorOf([&] { RS::record(db, kv, {b, QStringLiteral("31/04/2568"), {}, {}}); }),
              QStringLiteral("วันที่ลาออก ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)"));
    EXPECT_EQ(employeeField(db, b, QStringLiteral("Emp_Status")), QStringLiteral("A"));
    RS::record(db, kv, {b, QStringLiteral("  /  /    "), {}, {}});
    EXPECT_EQ(employeeField(db, b, QStringLiteral("Emp_Status")), QStringLiteral("O"));
    EXPECT_EQ(employeeField(db, b, QStringLiteral("Emp_Out_date")), QString());

    EXPECT_EQ(errorOf([&] { RS::record(db, kv, {a, {}, {}, {}}); }), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"))
        << "someone who has left cannot leave again";
    EXPECT_EQ(errorOf([&] { RS::record(db, kv, {QString(), {}, {}, {}}); }), QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย"));
}

TEST(Resignation, FacultyClerkRecordsOnlyOwnStaff)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext fc = loginAs(db, QStringLiteral("FC"));
    const QString other = firstActiveOf(db, QStringLiteral("EN"));
    EXPECT_EQ(errorOf([&] { RS::record(db, fc, {other, {}, {}, {}}); }), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
    EXPECT_EQ(employeeField(db, other, QStringLiteral("Emp_Status")), QStringLiteral("A"));
    const QString own = firstActiveOf(db, QStringLiteral("SC"));
    RS::record(db, fc, {own, {}, {}, {}});
    EXPECT_EQ(employeeField(db, own, QStringLiteral("Emp_Status")), QStringLiteral("O"));
}

TEST(EmployeeSearch, FindsActiveEmployeesByEachModeWithinTheScope)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext fc = loginAs(db, QStringLiteral("FC"));
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    EXPECT_EQ(facultyScope(fc), QStringLiteral("SC"));
    EXPECT_EQ(facultyScope(kv), QString());

    const QString a = firstActiveOf(db, QStringLiteral("SC"));
    const QString aEmp = employeeField(db, a, QStringLiteral("EMP_ID"));
    const QString first = employeeField(db, a, QStringLiteral("Emp_F_Name"));
    const QString last = employeeField(db, a, QStringLiteral("Emp_L_Name"));

    EmployeeQuery byName;
    byName.text = first.left(2);
    byName.lastName = last;
    EXPECT_TRUE(keysOf(searchActiveEmployees(db, byName)).contains(a));
    for (const EmployeeSummary& e : searchActiveEmployees(db, byName)) {
        EXPECT_TRUE(e.Emp_F_Name.startsWith(first.left(2)));
        EXPECT_TRUE(e.Emp_L_Name.startsWith(last));
    }
    EmployeeQuery bySsn;
    bySsn.by = EmployeeSearchBy::Ssn;
    bySsn.text = employeeField(db, a, QStringLiteral("Emp_SSN"));
    EXPECT_EQ(keysOf(searchActiveEmployees(db, bySsn)), QStringList{a});
    EXPECT_EQ(keysOf(byEmpId(db, aEmp)), QStringList{a});
    EXPECT_TRUE(byEmpId(db, aEmp.left(2) + QStringLiteral("%")).isEmpty()) << "typed text is matched literally";

    // the scope: every demo employee matches the empty prefix
    const auto all = byEmpId(db, QString());
    const auto sc = byEmpId(db, QString(), facultyScope(fc));
    EXPECT_GT(all.size(), sc.size());
    for (const EmployeeSummary& e : sc)
        EXPECT_EQ(e.Fact_code, QStringLiteral("SC"));
    EXPECT_FALSE(findEmployeeInScope(db, fc, firstActiveOf(db, QStringLiteral("EN"))));
    EXPECT_TRUE(findEmployeeInScope(db, kv, firstActiveOf(db, QStringLiteral("EN"))));
}

TEST(EmployeeSearch, DeletedAndResignedEmployeesAreNoLongerFound)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString left = firstActiveOf(db, QStringLiteral("SC"));
    const QString gone = firstActiveOf(db, QStringLiteral("EN"));
    const QString leftEmp = employeeField(db, left, QStringLiteral("EMP_ID"));
    const QString goneEmp = employeeField(db, gone, QStringLiteral("EMP_ID"));
    ASSERT_EQ(byEmpId(db, leftEmp).size(), 1);
    ASSERT_EQ(byEmpId(db, goneEmp).size(), 1);

    RS::record(db, kv, {left, QStringLiteral("01/10/2568"), {}, {}});
    EmployeeService::remove(db, kv, gone);
    EXPECT_TRUE(byEmpId(db, leftEmp).isEmpty());
    EXPECT_TRUE(byEmpId(db, goneEmp).isEmpty());
    EXPECT_EQ(byEmpId(db, QString()).size() + 2,
              db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Emp_Gov_Histry")).integer(0, QStringLiteral("n")));
}
