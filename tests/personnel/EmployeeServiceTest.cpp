#include "PersonnelFixture.h"
#include "common/AppError.h"

using namespace wel;
using namespace wel::test;
namespace ES = wel::EmployeeService;

namespace {

QString calendarYear(const LoginContext& c) { return c.Cur_Date.right(4); }

qint64 runNo(Database& db, const QString& year)
{
    const Rows r = db.select(QStringLiteral("SELECT Run_No FROM T_Emp_RunNo WHERE Emp_Year = ?"), {year});
    return r.isEmpty() ? -1 : r.integer(0, QStringLiteral("Run_No"));
}

} // namespace

TEST(EmployeeService, AddTakesCalendarYearKeyCreatingTheCounterRow)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString year = calendarYear(kv);
    ASSERT_EQ(runNo(db, year), -1) << "demo data must not have this year's counter yet";

    const QString first = ES::add(db, kv, newEmployee(QStringLiteral("t001"), QStringLiteral("1111111111111"), QStringLiteral("EN")));
    const QString second = ES::add(db, kv, newEmployee(QStringLiteral("T002"), QStringLiteral("2222222222222"), QStringLiteral("EN")));
    EXPECT_EQ(first, QStringLiteral("KV") + year + QStringLiteral("/000001"));
    EXPECT_EQ(second, QStringLiteral("KV") + year + QStringLiteral("/000002"));

    expectFields(db, first,
                 {{"EMP_ID", QStringLiteral("t001")}, {"Emp_SSN", QStringLiteral("1111111111111")},
                  {"Fact_code", QStringLiteral("EN")}, {"Emp_H_Type", QStringLiteral("3")}, {"Emp_Status", QStringLiteral("A")},
                  {"Emp_In_date2", QStringLiteral("01/06/2560")}, {"Bank_Account_No", QStringLiteral("123-4-56789")}});
    // adding makes no family row, not even the employee's own
    EXPECT_TRUE(db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Folk WHERE KV_ID = ?"), {first}).isEmpty());
}

TEST(EmployeeService, FacultyClerkAddsToOwnFacultyWithTypeTwoAndNoBankAccount)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const QString id = ES::add(db, loginAs(db, QStringLiteral("FC")),
                               newEmployee(QStringLiteral("T100"), QStringLiteral("3333333333333"), QStringLiteral("EN"),
                                           QStringLiteral("3")));
    expectFields(db, id, {{"Fact_code", QStringLiteral("SC")}, {"Emp_H_Type", QStringLiteral("2")}, {"Bank_Account_No", QString()}});
}

TEST(EmployeeService, RefusalsBeforeAnyKeyIsTaken)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    auto with = [](auto change) {
        EmployeeRecord r = newEmployee(QStringLiteral("T200"), QStringLiteral("4444444444444"), QStringLiteral("EN"));
        change(r);
        return r;
    };
    struct Case {
        EmployeeRecord record;
        QString message;
    };
    const Case cases[] = {
        {with([](EmployeeRecord& r) { r.EMP_ID = QStringLiteral("  "); }), QStringLiteral("กรุณาใส่รหัสประจำตัวพนักงานด้วย")},
        {with([](EmployeeRecord& r) { r.Emp_SSN.clear(); }), QStringLiteral("กรุณาใส่เลขบัตรประจำตัวประชาชนด้วย")},
        {with([](EmployeeRecord& r) { r.Emp_Surname.clear(); r.Emp_F_Name.clear(); }),
         QStringLiteral("กรุณาใส่คำนำหน้าชื่อพนักงานด้วย")},
        {with([](EmployeeRecord& r) { r.Emp_F_Name.clear(); }), QStringLiteral("กรุณาใส่ชื่อพนักงานด้วย")},
        {with([](EmployeeRecord& r) { r.Emp_L_Name.clear(); }), QStringLiteral("กรุณาใส่นามสกุลพนักงานด้วย")},
        {with([](EmployeeRecord& r) { r.Fact_code = QStringLiteral("  "); }), QStringLiteral("กรุณาใส่ข้อมูลคณะด้วย")},
        {with([](EmployeeRecord& r) { r.Emp_In_date2.clear(); }), QStringLiteral("กรุณาใส่วันที่บรรจุเป็นพนักงานด้วย")},
        {with([](EmployeeRecord& r) { r.Emp_In_date2 = QStringLiteral("  /  /    "); }),
         QStringLiteral("กรุณาใส่วันที่บรรจุเป็นพนักงานด้วย")},
        {with([](EmployeeRecord& r) { r.Emp_In_date2 = QStringLiteral("31/02/2551"); }),
         QStringLiteral("วันที่บรรจุเป็นพนักงาน ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)")},
        {with([](EmployeeRecord& r) { r.Emp_In_date2 = QStringLiteral("12/  /2551"); }),
         QStringLiteral("วันที่บรรจุเป็นพนักงาน ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)")},
        {with([](EmployeeRecord& r) { r.Emp_H_Type = QStringLiteral("1"); }), ES::kTypeRefused},
        {with([](EmployeeRecord& r) { r.Emp_In_date2 = QStringLiteral("31/12/9999"); }),
         QStringLiteral("วันที่บรรจุเป็นพนักงาน ไม่ถูกต้อง (\"31/12/9999\") ปี พ.ศ. ต้องอยู่ระหว่าง 2400 ถึง %1")
             .arg(QDate::currentDate().year() + 544)},
        {with([](EmployeeRecord& r) { r.Emp_In_date2 = QStringLiteral("15/01/2019"); }),
         QStringLiteral("วันที่บรรจุเป็นพนักงาน ไม่ถูกต้อง (\"15/01/2019\") ปี พ.ศ. ต้องอยู่ระหว่าง 2400 ถึง %1")
             .arg(QDate::currentDate().year() + 544)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf([&] { ES::add(db, kv, c.record); }), c.message);
    EXPECT_EQ(errorOf([&] { ES::validate(cases[8].record); }), cases[8].message);
    EXPECT_TRUE(db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE EMP_ID = 'T200'")).isEmpty());
    EXPECT_EQ(ES::add(db, kv, with([](EmployeeRecord&) {})), QStringLiteral("KV") + calendarYear(kv) + QStringLiteral("/000001"))
        << "a refused save must not use up an employee number";
}

TEST(EmployeeService, DuplicateRulesOnAddAndEdit)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString a = firstActiveOf(db, QStringLiteral("SC"));
    const QString aEmp = employeeField(db, a, QStringLiteral("EMP_ID"));
    const QString aSsn = employeeField(db, a, QStringLiteral("Emp_SSN"));
    const QString aName = employeeField(db, a, QStringLiteral("Emp_Surname")) + employeeField(db, a, QStringLiteral("Emp_F_Name"))
        + QStringLiteral("  ") + employeeField(db, a, QStringLiteral("Emp_L_Name"));
    const QString head = QStringLiteral("ข้อมูลพนักงาน ชื่อ : ") + aName + QLatin1Char('\r');
    const QString empLine = QStringLiteral("รหัสประจำตัวพนักงาน : ") + aEmp + QLatin1Char('\r');
    const QString ssnLine = QStringLiteral("รหัสประจำประชาชน : ") + aSsn + QLatin1Char('\r');
    const QString both = head + empLine + ssnLine + QStringLiteral("นี้มีในระบบแล้ว ไม่สามารถเพิ่มในระบบได้ กรุณาตรวจสอบ");
    const QString empOnly = head + empLine
        + QStringLiteral("รหัสประจำตัวพนักงานนี้ มีในระบบแล้ว ไม่สามารถเพิ่มในระบบได้ กรุณาตรวจสอบ");
    const QString ssnOnly = head + ssnLine
        + QStringLiteral("รหัสประจำตัวประชาชน นี้มีในระบบแล้ว ไม่สามารถเพิ่มในระบบได้ กรุณาตรวจสอบ");
    const QString newSsn = QStringLiteral("5555555555555");

    struct Case {
        QString empId, ssn, fact, message;
    };
    const Case adds[] = {
        {aEmp, aSsn, QStringLiteral("SC"), both},
        {aEmp.toLower(), newSsn, QStringLiteral("EN"), empOnly}, // staff numbers are unique everywhere
        // the finance user (faculty OP) adding to SC is checked against SC
        {QStringLiteral("T300"), aSsn, QStringLiteral("sc"), ssnOnly},
    };
    for (const Case& c : adds)
        EXPECT_EQ(errorOf([&] { ES::add(db, kv, newEmployee(c.empId, c.ssn, c.fact)); }), c.message)
            << c.empId.toStdString() << " " << c.fact.toStdString();
    // An identity number is one person's in every faculty: a second active
    // record of him would split his yearly limit.
    EXPECT_EQ(errorOf([&] { ES::add(db, kv, newEmployee(QStringLiteral("T301"), aSsn, QStringLiteral("EN"))); }), ssnOnly);
    const QString b = ES::add(db, kv, newEmployee(QStringLiteral("T301"), newSsn, QStringLiteral("EN")));

    auto editB = [&](const QString& empId, const QString& ssn, const QString& fact) {
        auto r = ES::load(db, kv, b);
        r->EMP_ID = empId;
        r->Emp_SSN = ssn;
        r->Fact_code = fact;
        return errorOf([&] { ES::edit(db, kv, *r); });
    };
    EXPECT_EQ(editB(aEmp, newSsn, QStringLiteral("EN")), empOnly);
    EXPECT_EQ(editB(QStringLiteral("T301"), aSsn, QStringLiteral("EN")), ssnOnly);
    EXPECT_EQ(editB(QStringLiteral("T302"), newSsn, QStringLiteral("SC")), QString()) << "the record never clashes with itself";
    EXPECT_EQ(employeeField(db, b, QStringLiteral("EMP_ID")), QStringLiteral("T302"));

    // a staff number of an employee who has left may be given again
    db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Status = 'O' WHERE KV_ID = ?"), {a});
    EXPECT_EQ(errorOf([&] { ES::add(db, kv, newEmployee(aEmp, aSsn, QStringLiteral("SC"))); }), QString());
}

TEST(EmployeeService, EditRewritesRecordAndOwnFamilyRow)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString a = firstActiveOf(db, QStringLiteral("EN"));
    auto r = ES::load(db, kv, a);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Fact_Name, QStringLiteral("คณะวิศวกรรมศาสตร์"));
    r->Emp_F_Name = QStringLiteral("แก้ไข");
    r->Emp_Position = QStringLiteral("ศาสตราจารย์");
    r->Emp_In_date2 = QStringLiteral("02/03/2555");
    r->Fact_code = QStringLiteral("MD");
    r->Bank_Account_No = QStringLiteral("999");
    ES::edit(db, kv, *r);
    expectFields(db, a,
                 {{"Emp_F_Name", QStringLiteral("แก้ไข")}, {"Emp_Position", QStringLiteral("ศาสตราจารย์")},
                  {"Emp_In_date2", QStringLiteral("02/03/2555")}, {"Fact_code", QStringLiteral("MD")},
                  {"Bank_Account_No", QStringLiteral("999")}});
    EXPECT_EQ(db.select(QStringLiteral("SELECT EF_F_Name FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk = '0'"), {a})
                  .text(0, QStringLiteral("EF_F_Name")),
              QStringLiteral("แก้ไข"));
    // other family rows keep their names
    EXPECT_EQ(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Emp_Folk WHERE KV_ID = ? AND EF_F_Name = ?"),
                        {a, QStringLiteral("แก้ไข")})
                  .integer(0, QStringLiteral("n")),
              1);
}

TEST(EmployeeService, RightTypeChangeRefusedOnceTheYearHasALimitRow)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString demo = firstActiveOf(db, QStringLiteral("EN")); // demo staff have this budget year's row
    auto r = ES::load(db, kv, demo);
    const QString stored = r->Emp_H_Type;
    r->Emp_H_Type = stored == QLatin1String("3") ? QStringLiteral("2") : QStringLiteral("3");
    EXPECT_EQ(errorOf([&] { ES::edit(db, kv, *r); }), ES::kTypeInUse);
    EXPECT_EQ(employeeField(db, demo, QStringLiteral("Emp_H_Type")), stored);

    const QString fresh = ES::add(db, kv, newEmployee(QStringLiteral("T400"), QStringLiteral("6666666666666"), QStringLiteral("EN")));
    auto f = ES::load(db, kv, fresh);
    f->Emp_H_Type = QStringLiteral("1");
    ES::edit(db, kv, *f);
    EXPECT_EQ(employeeField(db, fresh, QStringLiteral("Emp_H_Type")), QStringLiteral("1"));
}

TEST(EmployeeService, FacultyClerkEditsOnlyOwnStaffAndKeepsTypeAndBank)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext fc = loginAs(db, QStringLiteral("FC"));
    const QString other = firstActiveOf(db, QStringLiteral("EN"));
    EXPECT_FALSE(ES::load(db, fc, other));
    EmployeeRecord foreign = *ES::load(db, loginAs(db, QStringLiteral("KV")), other);
    foreign.Emp_F_Name = QStringLiteral("ห้ามแก้");
    EXPECT_EQ(errorOf([&] { ES::edit(db, fc, foreign); }), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));

    const QString own = firstActiveOf(db, QStringLiteral("SC"));
    auto r = ES::load(db, fc, own);
    const QString type = r->Emp_H_Type, bank = r->Bank_Account_No;
    r->Emp_H_Type = QStringLiteral("3");
    r->Bank_Account_No = QStringLiteral("000");
    r->Fact_code = QStringLiteral("EN");
    r->Emp_Level = QStringLiteral("7");
    ES::edit(db, fc, *r);
    expectFields(db, own,
                 {{"Emp_Level", QStringLiteral("7")}, {"Emp_H_Type", type}, {"Bank_Account_No", bank},
                  {"Fact_code", QStringLiteral("SC")}});
}

TEST(EmployeeService, DeleteOnlyWithoutClaims)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext fc = loginAs(db, QStringLiteral("FC"));
    const QString free = firstActiveOf(db, QStringLiteral("SC"));
    const QString claimed = db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE Fact_code = 'SC' "
                                                     "AND KV_ID <> ? ORDER BY KV_ID"),
                                      {free})
                                .text(0, QStringLiteral("KV_ID"));
    // even a cancelled claim keeps the record
    db.exec(QStringLiteral("INSERT INTO T_PAY_Health (Berg_Doc_ID, KV_ID, Berg_Doc_Status) VALUES ('SC2570/0000001', ?, 'NO')"),
            {claimed});
    const QString other = firstActiveOf(db, QStringLiteral("EN"));

    EXPECT_EQ(errorOf([&] { ES::remove(db, fc, QString()); }), QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย"));
    EXPECT_EQ(errorOf([&] { ES::checkDeletable(db, fc, claimed); }), ES::kHasClaims);
    EXPECT_EQ(errorOf([&] { ES::remove(db, fc, claimed); }), ES::kHasClaims);
    EXPECT_EQ(errorOf([&] { ES::remove(db, fc, other); }), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
    EXPECT_EQ(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Emp_Gov_Histry WHERE Emp_Status <> 'A'"))
                  .integer(0, QStringLiteral("n")),
              0);

    ES::remove(db, fc, free);
    EXPECT_EQ(employeeField(db, free, QStringLiteral("Emp_Status")), QStringLiteral("D"));
    EXPECT_EQ(employeeField(db, free, QStringLiteral("USER_E_Del")), QStringLiteral("clerk"));
    EXPECT_EQ(errorOf([&] { ES::remove(db, fc, free); }), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"))
        << "a record already deleted is not deleted again";
}

// Saving a record writes back what was only shown: the staff number keeps
// its letters, an empty right type (a stored one outside "1" to "3" shows no
// choice) keeps the stored type, and the faculty keeps its stored spelling.
TEST(EmployeeService, EditKeepsWhatWasOnlyShown)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString id = ES::add(db, kv, newEmployee(QStringLiteral("t500"), QStringLiteral("7500000000001"), QStringLiteral("EN")));
    db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_H_Type = '9', Fact_code = 'en' WHERE KV_ID = ?"), {id});
    auto r = ES::load(db, kv, id);
    r->Emp_H_Type.clear();
    r->Fact_code = QStringLiteral("EN");
    r->Emp_Position = QStringLiteral("อาจารย์");
    ES::edit(db, kv, *r);
    expectFields(db, id,
                 {{"EMP_ID", QStringLiteral("t500")}, {"Emp_H_Type", QStringLiteral("9")}, {"Fact_code", QStringLiteral("en")},
                  {"Emp_Position", QStringLiteral("อาจารย์")}});
}

// Another workstation marked the employee left or deleted, or moved him out
// of the clerk's faculty, after he was loaded: nothing is written.
TEST(EmployeeService, EditWritesOnlyAnActiveEmployeeInTheClerksScope)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const auto other = t.connectAgain();
    const QString id = firstActiveOf(db, QStringLiteral("SC"));
    const QString name = employeeField(db, id, QStringLiteral("Emp_F_Name"));
    struct Case {
        const char* mode;
        const char* change;
    };
    const Case cases[] = {
        {"FC", "Emp_Status = 'O'"}, {"KV", "Emp_Status = 'O'"}, {"KV", "Emp_Status = 'D'"}, {"FC", "Fact_code = 'EN'"},
    };
    for (const Case& c : cases) {
        const LoginContext login = loginAs(db, QString::fromLatin1(c.mode));
        auto r = ES::load(db, login, id);
        ASSERT_TRUE(r) << c.change;
        r->Emp_F_Name = QStringLiteral("ห้ามเขียน");
        other->exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET %1 WHERE KV_ID = ?").arg(QString::fromLatin1(c.change)), {id});
        EXPECT_EQ(errorOf([&] { ES::edit(db, login, *r); }), QStringLiteral("ไม่พบข้อมูลที่ต้องการ")) << c.mode << " " << c.change;
        EXPECT_EQ(employeeField(db, id, QStringLiteral("Emp_F_Name")), name) << c.change;
        EXPECT_EQ(db.select(QStringLiteral("SELECT EF_F_Name FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk = '0'"), {id})
                      .text(0, QStringLiteral("EF_F_Name")),
                  name)
            << c.change;
        other->exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Status = 'A', Fact_code = 'SC' WHERE KV_ID = ?"), {id});
    }
}
