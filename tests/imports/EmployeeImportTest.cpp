#include "ImportFixture.h"
#include "personnel/EmployeeImport.h"
#include "personnel/ImportSamples.h"
#include "SecondWorkstation.h"

#include <QTemporaryDir>

using namespace wel;
using namespace wel::test;
namespace EI = wel::EmployeeImport;

namespace {

// Sheet columns of the personnel office's layout.
enum { B = 2, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z };
constexpr int AA = 27, AB = 28, AC = 29, AD = 30;

using Cells = QMap<int, QString>;

Cells goodRow(const QString& empId, const QString& ssn)
{
    return {{B, empId},       {C, QStringLiteral("นาย")},        {D, QStringLiteral("สมชาย")},
            {E, QStringLiteral("ใจดี")},  {F, QStringLiteral("อาจารย์")},   {G, QStringLiteral("7")},
            {I, QStringLiteral("ภาควิชาเคมี")}, {J, QStringLiteral("01/06/2560")}, {K, ssn},
            {L, QStringLiteral("2")},  {N, QStringLiteral("3100000000111")}, {O, QStringLiteral("นาย")},
            {P, QStringLiteral("บุญมี")}, {Q, QStringLiteral("ใจดี")},  {Z, QString()},
            {AA, QStringLiteral("เด็กหญิง")}, {AB, QStringLiteral("ใจงาม")}, {AC, QStringLiteral("ใจดี")},
            {AD, QStringLiteral("15/03/2558")}};
}

excel::SheetData sheetWith(const QList<Cells>& rows)
{
    excel::SheetData s;
    for (int i = 0; i < rows.size(); ++i)
        for (auto it = rows[i].begin(); it != rows[i].end(); ++it)
            s.set(5 + i, it.key(), it.value());
    return s;
}

const QMap<int, QString> kFixtureRefusals = {
    {7, imports::reasonBadType(QStringLiteral("4"))},
    {8, QStringLiteral("ไม่มีชื่อหรือนามสกุลพนักงาน")},
    {9, imports::reasonBadDate(QStringLiteral("วันที่บรรจุ"), QStringLiteral("31/02/2560"))},
    {10, imports::reasonDuplicate(5)},
    {12, imports::reasonBadDate(QStringLiteral("วันเดือปีเกิด บุตรลำดับที่ 1"), QStringLiteral("2555-06-05"))},
    {13, QStringLiteral("เลขประจำตัวประชาชนต้องเป็นตัวเลข 13 หลัก (\"310000000013\")")},
};

// The employee import of the fixture into a database that already has the
// employee of sheet row 11 (and his father).
struct Imported {
    EI::Result result;
    QString first; // KV_ID of sheet row 5
};

void addKnownEmployee(Database& db)
{
    addEmployee(db, QStringLiteral("KV2560/000777"), QStringLiteral("SC5900000103"), QStringLiteral("3100000000103"),
                QStringLiteral("อนุชา"), QStringLiteral("ศรีสุข"), QStringLiteral("SC"), QStringLiteral("2"));
    db.exec(QStringLiteral("INSERT INTO T_Emp_Folk (KV_ID, Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name) "
                           "VALUES ('KV2560/000777', '1', 'นาย', 'สมศักดิ์เดิม', 'ศรีสุข')"));
}

} // namespace

TEST(EmployeeImport, EachBadRowIsRefusedWithItsReason)
{
    struct Case {
        const char* what;
        Cells change;
        QString reason; // "" when the row is accepted
    };
    auto ssnReason = [](const char* text) {
        return QStringLiteral("เลขประจำตัวประชาชนต้องเป็นตัวเลข 13 หลัก (\"%1\")").arg(QString::fromLatin1(text));
    };
    const QList<Case> cases = {
        {"good", {}, {}},
        {"blank staff number", {{B, QStringLiteral("   ")}}, QStringLiteral("ไม่มีรหัสประจำตัวพนักงาน (Emp ID)")},
        {"no given name", {{D, QString()}}, QStringLiteral("ไม่มีชื่อหรือนามสกุลพนักงาน")},
        {"no family name", {{E, QStringLiteral("  ")}}, QStringLiteral("ไม่มีชื่อหรือนามสกุลพนักงาน")},
        {"right type 4", {{L, QStringLiteral("4")}}, imports::reasonBadType(QStringLiteral("4"))},
        {"no right type", {{L, QString()}}, imports::reasonBadType(QString())},
        {"L and M both filled", {{M, QStringLiteral("1")}}, imports::reasonBadType(QStringLiteral("21"))},
        {"type in M only", {{L, QString()}, {M, QStringLiteral("3")}}, {}},
        {"31 February", {{J, QStringLiteral("31/02/2560")}},
         imports::reasonBadDate(QStringLiteral("วันที่บรรจุ"), QStringLiteral("31/02/2560"))},
        {"short date is made whole", {{J, QStringLiteral("1/6/2560")}}, {}},
        {"no appointment date", {{J, QString()}}, {}},
        {"12-digit identity number", {{K, QStringLiteral("310000000010")}}, ssnReason("310000000010")},
        {"identity number with an exponent", {{K, QStringLiteral("3.1E+12")}}, ssnReason("3.1E+12")},
        {"level too long", {{G, QStringLiteral("123")}}, imports::reasonTooLong(QStringLiteral("ระดับ(P)"), 2)},
        {"staff number too long", {{B, QStringLiteral("SC59000001011")}},
         imports::reasonTooLong(QStringLiteral("Emp ID"), 12)},
        {"child's birth date", {{AD, QStringLiteral("30/02/2555")}},
         imports::reasonBadDate(QStringLiteral("วันเดือปีเกิด บุตรลำดับที่ 1"), QStringLiteral("30/02/2555"))},
        {"child without a given name is not checked", {{AB, QString()}, {AD, QStringLiteral("xx")}}, {}},
        {"father's identity number too long", {{N, QStringLiteral("31000000001111")}},
         imports::reasonTooLong(QStringLiteral("Folk1_SSN (1)"), 13)},
    };
    for (const Case& c : cases) {
        Cells row = goodRow(QStringLiteral("SC5900000101"), QStringLiteral("3100000000101"));
        for (auto it = c.change.begin(); it != c.change.end(); ++it)
            row[it.key()] = it.value();
        const EI::Checked checked = EI::check(EI::fromSheet(sheetWith({row}), QStringLiteral("x.xlsx")).rows);
        if (c.reason.isEmpty()) {
            EXPECT_EQ(checked.accepted, QVector<int>{0}) << c.what;
            EXPECT_TRUE(checked.refused.isEmpty()) << c.what << ": " << checked.refused.value(0).reason.toStdString();
        } else {
            ASSERT_EQ(checked.refused.size(), 1) << c.what;
            EXPECT_EQ(checked.refused[0].row, 5) << c.what;
            EXPECT_EQ(checked.refused[0].reason, c.reason) << c.what;
        }
    }

    // The same person twice: by staff number (any letter case), or by identity number.
    const EI::Checked twice = EI::check(
        EI::fromSheet(sheetWith({goodRow(QStringLiteral("SC5900000101"), QStringLiteral("3100000000101")),
                                 goodRow(QStringLiteral(" sc5900000101"), QStringLiteral("3100000000102")),
                                 goodRow(QStringLiteral("SC5900000102"), QStringLiteral("3100000000101")),
                                 goodRow(QStringLiteral("SC5900000103"), QStringLiteral("3100000000103"))}),
                      QStringLiteral("x.xlsx"))
            .rows);
    EXPECT_EQ(twice.accepted, (QVector<int>{0, 3}));
    EXPECT_EQ(reasonsByRow(twice.refused),
              (QMap<int, QString>{{6, imports::reasonDuplicate(5)}, {7, imports::reasonDuplicate(5)}}));
}

TEST(EmployeeImport, RowFiveIsReadEvenWithAnEmptyStaffNumber)
{
    const Cells noStaffNumber = goodRow(QString(), QStringLiteral("3100000000101"));
    const EI::Workbook book = EI::fromSheet(sheetWith({noStaffNumber}), QStringLiteral("/tmp/folder/ชุดที่ 1.xlsx"));
    EXPECT_EQ(book.rows.count(), 1);
    EXPECT_EQ(book.factCode, QString());
    EXPECT_EQ(book.rows.sheetName, QStringLiteral("ชุดที่ 1.xlsx"));
    EXPECT_EQ(book.rows.grid[0].size(), 39);
    EXPECT_EQ(EI::check(book.rows).refused.value(0).reason, QStringLiteral("ไม่มีรหัสประจำตัวพนักงาน (Emp ID)"));

    // The list goes on while the next row has a staff number.
    const EI::Workbook more = EI::fromSheet(
        sheetWith({noStaffNumber, goodRow(QStringLiteral("SC5900000102"), QStringLiteral("3100000000102"))}),
        QStringLiteral("x.xlsx"));
    EXPECT_EQ(more.rows.count(), 2);
    EXPECT_EQ(more.rows.grid[1][EI::RowNo], QStringLiteral("2"));
}

TEST(EmployeeImport, EveryFormatReadsTheSameRows)
{
    const EI::Workbook xlsx = EI::read(fixture("employees.xlsx"));
    EXPECT_EQ(xlsx.factCode, QStringLiteral("SC"));
    ASSERT_EQ(xlsx.rows.count(), 10) << "rows 5 to 14; row 16 comes after the gap";
    EXPECT_EQ(xlsx.rows.sheetRows.last(), 14);
    const QStringList& first = xlsx.rows.grid[0];
    EXPECT_EQ(first[EI::RowNo], QStringLiteral("1"));
    EXPECT_EQ(first[EI::EmpId], QStringLiteral("SC5900000101"));
    EXPECT_EQ(first[EI::Level], QStringLiteral("7"));
    EXPECT_EQ(first[EI::InDate], QStringLiteral("01/06/2560")) << "a date cell reads as a Buddhist-Era date";
    EXPECT_EQ(first[EI::Ssn], QStringLiteral("3100000000101")) << "a 13-digit number reads as its digits";
    EXPECT_EQ(first[EI::RightType], QStringLiteral("2"));
    EXPECT_EQ(first[EI::personColumn(1)], QStringLiteral("3100000000111"));
    EXPECT_EQ(first[EI::personColumn(4) + 4], QStringLiteral("15/03/2558"));
    EXPECT_EQ(xlsx.rows.grid[1][EI::InDate], QStringLiteral("01/10/2561")) << "a short date text is made whole";
    EXPECT_EQ(xlsx.rows.grid[1][EI::RightType], QStringLiteral("3")) << "columns L and M joined";
    EXPECT_EQ(reasonsByRow(EI::check(xlsx.rows).refused), kFixtureRefusals);

    for (const char* name : {"employees.xls", "employees.ods"}) {
        const EI::Workbook other = EI::read(fixture(name));
        EXPECT_EQ(other.factCode, xlsx.factCode) << name;
        EXPECT_EQ(other.rows.sheetRows, xlsx.rows.sheetRows) << name;
        for (int r = 0; r < xlsx.rows.count() && r < other.rows.count(); ++r)
            EXPECT_EQ(other.rows.grid[r], xlsx.rows.grid[r]) << name << " grid row " << r;
    }
}

TEST(EmployeeImport, ImportsTheAcceptedRowsOnceFromEveryFormat)
{
    WELMORA_NEED_DB();
    for (const char* name : {"employees.xlsx", "employees.xls", "employees.ods"}) {
        TestDb t;
        Database& db = t.db();
        const LoginContext login = adminLogin(db);
        addKnownEmployee(db);
        const qint64 employeesBefore = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));
        const EI::Workbook book = EI::read(fixture(name));

        const EI::Result r = EI::run(db, login, book.rows, book.factCode);
        EXPECT_EQ(reasonsByRow(r.refused), kFixtureRefusals) << name;
        ASSERT_EQ(r.rows.size(), 4) << name;
        EXPECT_EQ(r.employeesAdded(), 3) << name;
        EXPECT_EQ(r.employeesFound(), 1) << name;
        EXPECT_EQ(r.familyAdded(), 6) << name;
        EXPECT_EQ(r.familyKept(), 1) << name;
        EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employeesBefore + 3) << name;

        // Sheet row 11: the staff number in lower case with blanks finds the recorded employee,
        // whose father stays as recorded and whose first child is added.
        EXPECT_EQ(r.rows[2].sheetRow, 11);
        EXPECT_EQ(r.rows[2].KV_ID, QStringLiteral("KV2560/000777")) << name;
        EXPECT_FALSE(r.rows[2].added);
        const Rows known = db.select(QStringLiteral("SELECT Emp_Folk, EF_F_Name, EF_Birthday FROM T_Emp_Folk "
                                                    "WHERE KV_ID = 'KV2560/000777' ORDER BY Emp_Folk"));
        ASSERT_EQ(known.count(), 2) << name;
        EXPECT_EQ(known.text(0, QStringLiteral("EF_F_Name")), QStringLiteral("สมศักดิ์เดิม"));
        EXPECT_EQ(known.text(1, QStringLiteral("Emp_Folk")), QStringLiteral("4"));
        EXPECT_EQ(known.text(1, QStringLiteral("EF_Birthday")), QStringLiteral("05/06/2555"));

        // Sheet row 5, a new employee with a new key of the calendar year.
        const QString kvId = r.rows[0].KV_ID;
        EXPECT_EQ(kvId, QStringLiteral("KV%1/000001").arg(login.Cur_Date.right(4))) << name;
        const Rows e = db.select(QStringLiteral("SELECT * FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {kvId});
        const QMap<QString, QString> expected = {
            {QStringLiteral("EMP_ID"), QStringLiteral("SC5900000101")}, {QStringLiteral("Emp_SSN"), QStringLiteral("3100000000101")},
            {QStringLiteral("Emp_Surname"), QStringLiteral("นาย")}, {QStringLiteral("Emp_F_Name"), QStringLiteral("สมชาย")},
            {QStringLiteral("Emp_L_Name"), QStringLiteral("ใจดี")}, {QStringLiteral("Emp_Position"), QStringLiteral("อาจารย์")},
            {QStringLiteral("Emp_Level"), QStringLiteral("7")}, {QStringLiteral("Emp_Dept_Name"), QStringLiteral("ภาควิชาเคมี")},
            {QStringLiteral("Emp_In_date2"), QStringLiteral("01/06/2560")}, {QStringLiteral("Emp_H_Type"), QStringLiteral("2")},
            {QStringLiteral("Fact_code"), QStringLiteral("SC")}, {QStringLiteral("Emp_Status"), QStringLiteral("A")},
            {QStringLiteral("Bank_Account_No"), QString()}};
        for (auto it = expected.begin(); it != expected.end(); ++it)
            EXPECT_EQ(e.text(0, it.key()), it.value()) << name << " " << it.key().toStdString();
        const Rows family = db.select(QStringLiteral("SELECT Emp_Folk, EF_F_Name, EF_Birthday, EF_SSN FROM T_Emp_Folk "
                                                     "WHERE KV_ID = ? ORDER BY Emp_Folk"),
                                      {kvId});
        QStringList codes;
        for (int i = 0; i < family.count(); ++i)
            codes << family.text(i, QStringLiteral("Emp_Folk"));
        EXPECT_EQ(codes, QStringList({"1", "2", "3", "4"})) << name << ": no own row, and no nameless second child";
        EXPECT_EQ(family.text(0, QStringLiteral("EF_SSN")), QStringLiteral("3100000000111"));
        EXPECT_EQ(family.text(0, QStringLiteral("EF_Birthday")), QString());
        EXPECT_EQ(family.text(3, QStringLiteral("EF_Birthday")), QStringLiteral("15/03/2558"));
        EXPECT_EQ(countOf(db, QStringLiteral("T_Year_Cur_Health WHERE KV_ID = ?"), {kvId}), 0);

        // The same workbook again adds nothing.
        const qint64 family0 = countOf(db, QStringLiteral("T_Emp_Folk"));
        const EI::Result again = EI::run(db, login, book.rows, book.factCode);
        EXPECT_EQ(again.employeesAdded(), 0) << name;
        EXPECT_EQ(again.familyAdded(), 0) << name;
        EXPECT_EQ(again.familyKept(), 7) << name;
        EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employeesBefore + 3) << name;
        EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Folk")), family0) << name;
    }
}

TEST(EmployeeImport, AFailureAtTheLastRowLeavesTheDatabaseUnchanged)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const EI::Workbook book = EI::read(fixture("employees.xlsx"));
    // Everyone but the last accepted row (sheet row 14) is recorded already,
    // without family: the import adds their family members in the block
    // whose last row takes a key that a record restored behind the counter's
    // back holds.
    addKnownEmployee(db);
    addEmployee(db, QStringLiteral("KV2560/000701"), QStringLiteral("SC5900000101"), QStringLiteral("3100000000101"),
                QStringLiteral("สมชาย"), QStringLiteral("ใจดี"), QStringLiteral("SC"), QStringLiteral("2"));
    addEmployee(db, QStringLiteral("KV2560/000702"), QStringLiteral("SC5900000102"), QStringLiteral("3100000000102"),
                QStringLiteral("วราภรณ์"), QStringLiteral("ทองดี"), QStringLiteral("SC"), QStringLiteral("3"));
    const QString year = login.Cur_Date.right(4);
    addEmployee(db, QStringLiteral("KV%1/000001").arg(year), QStringLiteral("EN5900000001"), QStringLiteral("3999999999999"),
                QStringLiteral("มีอยู่"), QStringLiteral("ก่อนแล้ว"), QStringLiteral("EN"), QStringLiteral("1"));
    const qint64 employees = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));
    const qint64 family = countOf(db, QStringLiteral("T_Emp_Folk"));

    int rowsDone = 0;
    try {
        EI::run(db, login, book.rows, book.factCode, [&](const EI::ImportedRow&, int, int) { ++rowsDone; });
        ADD_FAILURE() << "the repeated key was written";
    } catch (const DbError&) {
    }
    EXPECT_EQ(rowsDone, 0) << "the progress moves a block at a time, and the rows' block failed";
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Folk")), family);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_RunNo WHERE Emp_Year = ? AND Run_No = 1"), {year}), 1)
        << "the number taken is given back";

    // Without a counter row of the calendar year (October to December) the row is made.
    db.exec(QStringLiteral("DELETE FROM T_Emp_Gov_Histry WHERE EMP_ID = 'EN5900000001'"));
    db.exec(QStringLiteral("DELETE FROM T_Emp_RunNo WHERE Emp_Year = ?"), {year});
    const EI::Result r = EI::run(db, login, book.rows, book.factCode);
    EXPECT_EQ(r.rows.last().KV_ID, QStringLiteral("KV%1/000001").arg(year));
}

TEST(EmployeeImport, DryRunReportsWithoutWritingAndTheFacultyMustExist)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const EI::Workbook book = EI::read(fixture("employees.xlsx"));
    const qint64 employees = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));

    const EI::Result dry = EI::run(db, login, book.rows, book.factCode, {}, true);
    EXPECT_EQ(dry.employeesAdded(), 4);
    EXPECT_EQ(dry.familyAdded(), 7);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_RunNo WHERE Emp_Year = ? AND Run_No = 1"), {login.Cur_Date.right(4)}), 1)
        << "no number was used up";

    EXPECT_EQ(errorOf([&] { EI::run(db, login, book.rows, QStringLiteral("  ")); }),
              QStringLiteral("กรุณาใส่ข้อมูลคณะด้วย"));
    EXPECT_EQ(errorOf([&] { EI::run(db, login, book.rows, QStringLiteral("zz")); }),
              QStringLiteral("ไม่พบรหัสคณะ ZZ ในตาราง T_Fact"));
    const EI::Result lower = EI::run(db, login, book.rows, QStringLiteral("sc"));
    EXPECT_EQ(db.select(QStringLiteral("SELECT Fact_code FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {lower.rows[0].KV_ID})
                  .text(0, QStringLiteral("Fact_code")),
              QStringLiteral("SC"));
}

TEST(EmployeeImport, BankAccountsComeFromPerHistryForEveryStatus)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    addEmployee(db, QStringLiteral("KV2560/000801"), QStringLiteral("SC5900000801"), QStringLiteral("3100000000801"),
                QStringLiteral("ก"), QStringLiteral("ข"), QStringLiteral("SC"), QStringLiteral("1"));
    addEmployee(db, QStringLiteral("KV2560/000802"), QStringLiteral("SC5900000802"), QStringLiteral("3100000000801"),
                QStringLiteral("ก"), QStringLiteral("ข"), QStringLiteral("EN"), QStringLiteral("1"), QStringLiteral("O"));
    addEmployee(db, QStringLiteral("KV2560/000803"), QStringLiteral("SC5900000803"), QStringLiteral("3100000000803"),
                QStringLiteral("ค"), QStringLiteral("ง"), QStringLiteral("SC"), QStringLiteral("1"));
    db.exec(QStringLiteral("INSERT INTO PerHistry (PersonId, Bank_Account_No) VALUES ('3100000000801', '111-1-11111'), "
                           "('3999999999999', '999-9-99999')"));

    const EI::BankCopy copy = EI::copyBankAccounts(db, adminLogin(db));
    EXPECT_EQ(copy.personnelRows, 2);
    EXPECT_EQ(copy.employeesUpdated, 2);
    const Rows rows = db.select(QStringLiteral("SELECT KV_ID, Bank_Account_No FROM T_Emp_Gov_Histry "
                                               "WHERE KV_ID LIKE 'KV2560/0008%' ORDER BY KV_ID"));
    EXPECT_EQ(rows.text(0, QStringLiteral("Bank_Account_No")), QStringLiteral("111-1-11111"));
    EXPECT_EQ(rows.text(1, QStringLiteral("Bank_Account_No")), QStringLiteral("111-1-11111"));
    EXPECT_EQ(rows.text(2, QStringLiteral("Bank_Account_No")), QString());
}

TEST(EmployeeImport, TheSampleWorkbookOfTheBenchmarkImportsWhole)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Reference);
    Database& db = t.db();
    db.exec(QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES ('SC', 'คณะวิทยาศาสตร์')"));
    const LoginContext login = adminLogin(db);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.xlsx"));
    ImportSamples::writeEmployees(path, 120);

    const EI::Workbook book = EI::read(path);
    EXPECT_EQ(book.rows.count(), 120);
    const EI::Result r = EI::run(db, login, book.rows, book.factCode);
    EXPECT_TRUE(r.refused.isEmpty()) << imports::refusalLine(r.refused.value(0)).toStdString();
    EXPECT_EQ(r.employeesAdded(), 120);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Fact_code = 'SC'")), 120);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Folk")), r.familyAdded());
}

// Two workstations import the same workbook at once: the second waits for
// the first, then finds every person present and adds none twice.
TEST(EmployeeImport, TwoWorkstationsImportingOneWorkbookAddEachPersonOnce)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const EI::Workbook book = EI::fromSheet(sheetWith({goodRow(QStringLiteral("SC5900000201"), QStringLiteral("3100000000201")),
                                                       goodRow(QStringLiteral("SC5900000202"), QStringLiteral("3100000000202")),
                                                       goodRow(QStringLiteral("SC5900000203"), QStringLiteral("3100000000203"))}),
                                            QStringLiteral("new-staff.xlsx"));
    const qint64 before = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));

    SecondWorkstation second;
    EI::Result secondResult;
    {
        Transaction first(db); // the first import's transaction, held open
        const EI::Result r = EI::run(db, login, book.rows, QStringLiteral("SC"));
        ASSERT_EQ(r.employeesAdded(), 3);
        second.start(t, [&](Database& other) { secondResult = EI::run(other, login, book.rows, QStringLiteral("SC")); });
        EXPECT_TRUE(second.stillWaiting());
        first.commit();
    }
    second.join();
    EXPECT_EQ(second.error, QString());
    EXPECT_EQ(secondResult.employeesAdded(), 0);
    ASSERT_EQ(secondResult.rows.size(), 3);
    for (const EI::ImportedRow& row : secondResult.rows)
        EXPECT_FALSE(row.added) << row.EMP_ID.toStdString() << " is told as already present";
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), before + 3);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Emp_SSN = '3100000000201'")), 1);
}

// A row whose staff or identity number is another active employee's would
// record one person twice: it is refused with the holder, the rest are written.
TEST(EmployeeImport, ANumberOfAnotherActiveEmployeeIsRefused)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    addKnownEmployee(db); // SC5900000103, 3100000000103
    const EI::Workbook book = EI::fromSheet(sheetWith({goodRow(QStringLiteral("SC5900000103"), QStringLiteral("3100000000301")),
                                                       goodRow(QStringLiteral("SC5900000302"), QStringLiteral("3100000000103")),
                                                       goodRow(QStringLiteral("SC5900000303"), QStringLiteral("3100000000303"))}),
                                            QStringLiteral("new-staff.xlsx"));
    const EI::Result r = EI::run(db, login, book.rows, QStringLiteral("SC"));
    EXPECT_EQ(reasonsByRow(r.refused),
              (QMap<int, QString>{{5, QStringLiteral("รหัสประจำตัวพนักงานนี้เป็นของพนักงาน KV_ID KV2560/000777 อยู่แล้ว")},
                                  {6, QStringLiteral("เลขประจำตัวประชาชนนี้เป็นของพนักงาน KV_ID KV2560/000777 อยู่แล้ว")}}));
    EXPECT_EQ(r.employeesAdded(), 1);
}

// Names arrive with tabs, zero-width spaces and sara am in two characters:
// they are stored clean, so that a search typed by a clerk finds them.
// Dates of an impossible year are refused with the value shown.
TEST(EmployeeImport, TextsAreStoredCleanAndImplausibleDatesRefused)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    Cells dirty = goodRow(QStringLiteral("SC5900000401"), QStringLiteral("3100000000401"));
    dirty[D] = QString::fromUtf16(u"\u0E19\u0E49\u0E4D\u0E32\u200B\u0E1D\u0E19\t");
    dirty[E] = QString::fromUtf16(u"\u0E43\u0E08\u00AD\u0E14\u0E35\n");
    Cells gregorian = goodRow(QStringLiteral("SC5900000402"), QStringLiteral("3100000000402"));
    gregorian[J] = QStringLiteral("15/01/2019");
    Cells far = goodRow(QStringLiteral("SC5900000403"), QStringLiteral("3100000000403"));
    far[J] = QStringLiteral("31/12/9999");
    Cells child = goodRow(QStringLiteral("SC5900000404"), QStringLiteral("3100000000404"));
    child[AD] = QStringLiteral("01/01/2300");
    const EI::Workbook book = EI::fromSheet(sheetWith({dirty, gregorian, far, child}), QStringLiteral("new-staff.xlsx"));

    const EI::Result r = EI::run(db, login, book.rows, QStringLiteral("SC"));
    const int nextYear = QDate::currentDate().year() + 544;
    const QString range = QStringLiteral(" ปี พ.ศ. ต้องอยู่ระหว่าง 2400 ถึง %1").arg(nextYear);
    EXPECT_EQ(reasonsByRow(r.refused),
              (QMap<int, QString>{
                  {6, QStringLiteral("วันที่บรรจุ ไม่ถูกต้อง (\"15/01/2019\")") + range},
                  {7, QStringLiteral("วันที่บรรจุ ไม่ถูกต้อง (\"31/12/9999\")") + range},
                  {8, QStringLiteral("วันเดือปีเกิด บุตรลำดับที่ 1 ไม่ถูกต้อง (\"01/01/2300\")") + range}}));
    ASSERT_EQ(r.employeesAdded(), 1);
    const Rows found = db.select(QStringLiteral("SELECT Emp_F_Name, Emp_L_Name FROM T_Emp_Gov_Histry WHERE Emp_F_Name = ?"),
                                 {QString::fromUtf16(u"น้ำฝน")});
    ASSERT_EQ(found.count(), 1) << "the typed name finds the stored one";
    EXPECT_EQ(found.text(0, QStringLiteral("Emp_L_Name")), QString::fromUtf16(u"ใจดี"));
}

// A workbook of several blocks of rows: rows refused by the check lie in
// every block, a row refused for another active employee's identity number
// ends the first block and an employee already recorded starts the second.
// Every accepted row is written as one by one: new keys in sheet order,
// every column, every family member, the progress told once per row in order.
TEST(EmployeeImport, AWorkbookOfSeveralBlocksIsWrittenWhole)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("many.xlsx"));
    ImportSamples::writeEmployees(path, 450, QStringLiteral("SC"), 1, true);
    const EI::Workbook book = EI::read(path);
    const EI::Checked checked = EI::check(book.rows);
    ASSERT_GT(checked.refused.size(), 50);
    ASSERT_GT(checked.accepted.size(), 300);
    auto grid = [&](int sheetRow) -> const QStringList& { return book.rows.grid[sheetRow - 5]; };
    auto accepted = [&](int k) -> const QStringList& { return book.rows.grid[checked.accepted[k]]; };
    addEmployee(db, QStringLiteral("KV2550/000001"), QStringLiteral("XX0099999999"), accepted(199)[EI::Ssn],
                QStringLiteral("ถือ"), QStringLiteral("เลขอยู่"), QStringLiteral("SC"), QStringLiteral("1"));
    addEmployee(db, QStringLiteral("KV2550/000002"), accepted(200)[EI::EmpId], accepted(200)[EI::Ssn],
                QStringLiteral("พบ"), QStringLiteral("แล้ว"), QStringLiteral("SC"), QStringLiteral("2"));
    db.exec(QStringLiteral("INSERT INTO T_Emp_Folk (KV_ID, Emp_Folk, EF_F_Name) VALUES ('KV2550/000002', '1', 'บิดาเดิม')"));

    QVector<std::tuple<int, int, int>> progress; // sheet row, done, total
    const EI::Result r = EI::run(db, login, book.rows, book.factCode, [&](const EI::ImportedRow& row, int done, int total) {
        progress.push_back({row.sheetRow, done, total});
    });

    QMap<int, QString> refusals = reasonsByRow(checked.refused);
    refusals.insert(book.rows.sheetRows[checked.accepted[199]],
                    QStringLiteral("เลขประจำตัวประชาชนนี้เป็นของพนักงาน KV_ID KV2550/000001 อยู่แล้ว"));
    EXPECT_EQ(reasonsByRow(r.refused), refusals);
    ASSERT_EQ(r.rows.size(), checked.accepted.size() - 1);
    ASSERT_EQ(progress.size(), r.rows.size());

    QHash<QString, QStringList> employees; // KV_ID -> the columns compared
    const Rows e = db.select(QStringLiteral("SELECT KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, Emp_L_Name, "
                                            "Emp_Level, Emp_In_date2, Emp_H_Type, Fact_code, Emp_Status FROM T_Emp_Gov_Histry"));
    for (int i = 0; i < e.count(); ++i) {
        QStringList v;
        for (int c = 1; c < e.columns().size(); ++c)
            v << e.value(i, c).toString();
        employees.insert(e.text(i, QStringLiteral("KV_ID")), v);
    }
    QHash<QString, QStringList> family; // KV_ID -> "code given family birthday identity" in code order
    const Rows f = db.select(QStringLiteral("SELECT KV_ID, Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday, EF_SSN "
                                            "FROM T_Emp_Folk ORDER BY KV_ID, Emp_Folk"));
    for (int i = 0; i < f.count(); ++i) {
        QStringList v;
        for (int c = 1; c < f.columns().size(); ++c)
            v << f.value(i, c).toString();
        family[f.text(i, QStringLiteral("KV_ID"))] << v.join(QLatin1Char('|'));
    }

    const QString year = login.Cur_Date.right(4);
    int nextKey = 0;
    for (int i = 0; i < r.rows.size(); ++i) {
        const EI::ImportedRow& row = r.rows[i];
        const QStringList& g = grid(row.sheetRow);
        EXPECT_EQ(progress[i], std::make_tuple(row.sheetRow, i + 1, int(r.rows.size())));
        QStringList members;
        for (int person = 1; person <= 6; ++person) {
            const int base = EI::personColumn(person);
            if (!g[base + 2].isEmpty())
                members << QStringList{QString::number(person), g[base + 1], g[base + 2], g[base + 3],
                                       person >= 4 ? *imports::storedDate(g[base + 4]) : QString(), g[base]}
                               .join(QLatin1Char('|'));
        }
        if (row.sheetRow == book.rows.sheetRows[checked.accepted[200]]) {
            EXPECT_FALSE(row.added);
            EXPECT_EQ(row.KV_ID, QStringLiteral("KV2550/000002"));
            EXPECT_EQ(row.familyKept, 1);
            EXPECT_EQ(row.familyAdded, members.size() - 1);
            EXPECT_EQ(family.value(row.KV_ID).value(0), QStringLiteral("1||บิดาเดิม|||")) << "the father stays as recorded";
            EXPECT_EQ(family.value(row.KV_ID).mid(1), members.mid(1));
            continue;
        }
        ASSERT_TRUE(row.added) << row.sheetRow;
        EXPECT_EQ(row.KV_ID, QStringLiteral("KV%1/%2").arg(year).arg(++nextKey, 6, 10, QLatin1Char('0')));
        EXPECT_EQ(employees.value(row.KV_ID),
                  (QStringList{g[EI::EmpId], g[EI::Ssn], g[EI::Title], g[EI::FirstName], g[EI::LastName], g[EI::Level],
                               *imports::storedDate(g[EI::InDate]), g[EI::RightType], QStringLiteral("SC"),
                               QStringLiteral("A")}))
            << row.sheetRow;
        EXPECT_EQ(family.value(row.KV_ID), members) << row.sheetRow;
        EXPECT_EQ(row.familyAdded, members.size());
    }
    EXPECT_EQ(r.employeesAdded(), nextKey);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_RunNo WHERE Emp_Year = ? AND Run_No = ?"), {year, nextKey + 1}), 1)
        << "the counter holds the next key";
}
