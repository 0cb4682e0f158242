#include "EmployeeImport.h"
#include "common/Audit.h"
#include "common/CleanText.h"
#include "common/Faculties.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/db/SqlText.h"
#include "common/excel/WorkbookReader.h"

#include <QHash>
#include <QSet>

namespace wel::EmployeeImport {

namespace {

constexpr int kColumns = 39;
constexpr int kFirstRow = 5;

QString u(const char* s) { return QString::fromUtf8(s); }

// Sheet column of a grid column; the right type is columns L and M joined.
int sheetColumnOf(int gridColumn) { return gridColumn <= 10 ? gridColumn + 1 : gridColumn + 2; }

bool isChild(int person) { return person >= 4; }
QString personCode(int person) { return QString::number(person); }

bool thirteenDigits(const QString& text)
{
    if (text.size() != 13)
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// How the import recognises an employee already recorded.
QString lookupKey(const QString& empId, const QString& ssn)
{
    return TrimBlanks(empId).toUpper().mid(4, 8) + QLatin1Char('|') + TrimBlanks(ssn);
}

struct Width {
    int column;
    int width;
};
// Column widths of T_Emp_Gov_Histry and T_Emp_Folk: a server refuses a
// longer value, and that would fail the whole import at its last row.
const Width kEmployeeWidths[] = {{EmpId, 12}, {Title, 35}, {FirstName, 40}, {LastName, 40},
                                 {Position, 250}, {Level, 2}, {Dept, 250}};
const int kPersonWidths[] = {13, 35, 40, 40}; // identity number, title, given name, family name

QString personReason(const QStringList& g, int person)
{
    const QStringList headings = gridHeadings();
    const int base = personColumn(person);
    for (int i = 0; i < 4; ++i)
        if (TrimBlanks(g[base + i]).size() > kPersonWidths[i])
            return imports::reasonTooLong(headings[base + i] + QStringLiteral(" (%1)").arg(person),
                                          kPersonWidths[i]);
    if (isChild(person) && !imports::storedDate(g[base + 4]))
        return imports::reasonBadDate(headings[base + 4], g[base + 4]);
    return {};
}

// The first reason the row cannot be written, "" when it can.
QString rowReason(const QStringList& g)
{
    const QStringList headings = gridHeadings();
    if (TrimBlanks(g[EmpId]).isEmpty())
        return imports::reasonMissing(u("รหัสประจำตัวพนักงาน (Emp ID)"));
    if (TrimBlanks(g[FirstName]).isEmpty() || TrimBlanks(g[LastName]).isEmpty())
        return imports::reasonMissing(u("ชื่อหรือนามสกุลพนักงาน"));
    if (!thirteenDigits(TrimBlanks(g[Ssn])))
        return u("เลขประจำตัวประชาชนต้องเป็นตัวเลข 13 หลัก (\"") + g[Ssn] + u("\")");
    if (!imports::isRightType(g[RightType]))
        return imports::reasonBadType(g[RightType]);
    if (!imports::storedDate(g[InDate]))
        return imports::reasonBadDate(headings[InDate], g[InDate]);
    for (const Width& w : kEmployeeWidths)
        if (TrimBlanks(g[w.column]).size() > w.width)
            return imports::reasonTooLong(headings[w.column], w.width);
    for (int person = 1; person <= 6; ++person)
        if (!TrimBlanks(g[personColumn(person) + 2]).isEmpty()) {
            const QString reason = personReason(g, person);
            if (!reason.isEmpty())
                return reason;
        }
    return {};
}

// Rows written in one exchange with the server; the progress moves a block
// at a time.
constexpr int kRowsPerBlock = 200;

const QStringList kEmployeeColumns = {
    QStringLiteral("KV_ID"),         QStringLiteral("EMP_ID"),       QStringLiteral("Emp_SSN"),
    QStringLiteral("Emp_Surname"),   QStringLiteral("Emp_F_Name"),   QStringLiteral("Emp_L_Name"),
    QStringLiteral("Emp_Position"),  QStringLiteral("Emp_Level"),    QStringLiteral("Emp_Dept_Name"),
    QStringLiteral("Emp_In_date2"),  QStringLiteral("Emp_H_Type"),   QStringLiteral("Fact_code"),
    QStringLiteral("Emp_Status")};
const QStringList kFamilyColumns = {QStringLiteral("KV_ID"),     QStringLiteral("Emp_Folk"),
                                    QStringLiteral("EF_Surname"), QStringLiteral("EF_F_Name"),
                                    QStringLiteral("EF_L_Name"), QStringLiteral("EF_Birthday"),
                                    QStringLiteral("EF_SSN")};

// An accepted row as it will be written.
struct Planned {
    int index; // into the grid
    ImportedRow row;
};

// "KV_ID|Emp_Folk" of the family members recorded for the employees.
QSet<QString> familyCodesOf(Database& db, const QStringList& kvIds)
{
    QSet<QString> codes;
    constexpr int kKeysPerRead = 500;
    for (int first = 0; first < kvIds.size(); first += kKeysPerRead) {
        QVariantList params;
        const Rows r = db.select(QStringLiteral("SELECT KV_ID, Emp_Folk FROM T_Emp_Folk WHERE ")
                                     + sql::in(QStringLiteral("KV_ID"), kvIds.mid(first, kKeysPerRead), params),
                                 params);
        for (int i = 0; i < r.count(); ++i)
            codes.insert(r.text(i, QStringLiteral("KV_ID")) + QLatin1Char('|') + r.text(i, QStringLiteral("Emp_Folk")).trimmed());
    }
    return codes;
}

} // namespace

QStringList gridHeadings()
{
    QStringList h = {u("No. "),     u("Emp ID"),   u("คำนำหน้า"), u("ชื่อ"),        u("นามสกุล"),
                     u("ตำแหน่ง"),  u("ระดับ(P)"), u("สังกัด"),   u("ภาควิชา"),     u("วันที่บรรจุ"),
                     u("เลขประจำตัวประชาชน"), u("รูปแบบที่เลือก")};
    const char* adults[3][2] = {{"ชื่อบิดา", "นามสกุลบิดา"}, {"ชื่อมารดา", "นามสกุลมารดา"},
                                {"ชื่อคู่สมรส", "นามสกุลคู่สมรส"}};
    for (int n = 1; n <= 3; ++n)
        h << QStringLiteral("Folk%1_SSN").arg(n) << u("คำนำหน้า") << u(adults[n - 1][0]) << u(adults[n - 1][1]);
    for (int n = 4; n <= 6; ++n)
        h << QStringLiteral("Folk%1_SSN").arg(n) << u("คำนำหน้า") << u("ชื่อ บุตรลำดับที่ %1").arg(n - 3)
          << u("นามสกุลบุตรลำดับที่ %1").arg(n - 3) << u("วันเดือปีเกิด บุตรลำดับที่ %1").arg(n - 3);
    return h;
}

QVector<int> gridWidths()
{
    QVector<int> w = {30, 90, 70, 70, 80, 140, 40, 100, 100, 100, 100, 100};
    w.resize(kColumns); // the rest: the grid's default
    return w;
}

int personColumn(int person) { return person <= 3 ? 12 + 4 * (person - 1) : 24 + 5 * (person - 4); }

Workbook fromSheet(const excel::SheetData& sheet, const QString& path)
{
    Workbook book;
    book.rows.sheetName = imports::sheetNameOf(path);
    book.factCode = TrimBlanks(sheet.cell(kFirstRow, 2)).left(2).toUpper();
    QSet<int> dateColumns = {InDate};
    for (int person = 4; person <= 6; ++person)
        dateColumns << personColumn(person) + 4;
    // Row 5 is always read, even with an empty staff number.
    for (int r = kFirstRow; r == kFirstRow || !sheet.cell(r, 2).isEmpty(); ++r) {
        QStringList g;
        g << QString::number(r - kFirstRow + 1);
        for (int c = 1; c < kColumns; ++c) {
            QString text = CleanText(c == RightType ? TrimBlanks(sheet.cell(r, 12) + sheet.cell(r, 13))
                                                    : sheet.cell(r, sheetColumnOf(c)));
            if (dateColumns.contains(c))
                text = imports::shownDate(text);
            g << text;
        }
        book.rows.grid << g;
        book.rows.sheetRows << r;
    }
    return book;
}

Workbook read(const QString& path) { return fromSheet(excel::readFirstSheet(path), path); }

Checked check(const imports::SheetRows& rows)
{
    Checked result;
    QHash<QString, int> firstByEmpId, firstBySsn; // -> sheet row
    for (int i = 0; i < rows.count(); ++i) {
        const QStringList& g = rows.grid[i];
        const int sheetRow = rows.sheetRows[i];
        QString reason = rowReason(g);
        if (reason.isEmpty()) {
            const QString empId = TrimBlanks(g[EmpId]).toUpper();
            const QString ssn = TrimBlanks(g[Ssn]);
            if (firstByEmpId.contains(empId))
                reason = imports::reasonDuplicate(firstByEmpId.value(empId));
            else if (firstBySsn.contains(ssn))
                reason = imports::reasonDuplicate(firstBySsn.value(ssn));
            firstByEmpId.insert(empId, firstByEmpId.value(empId, sheetRow));
            firstBySsn.insert(ssn, firstBySsn.value(ssn, sheetRow));
        }
        if (reason.isEmpty())
            result.accepted << i;
        else
            result.refused << imports::Refusal{sheetRow, TrimBlanks(g[EmpId]), reason, i + 1};
    }
    return result;
}

int Result::employeesAdded() const
{
    return int(std::count_if(rows.begin(), rows.end(), [](const ImportedRow& r) { return r.added; }));
}

int Result::employeesFound() const { return int(rows.size()) - employeesAdded(); }

int Result::familyAdded() const
{
    int n = 0;
    for (const ImportedRow& r : rows)
        n += r.familyAdded;
    return n;
}

int Result::familyKept() const
{
    int n = 0;
    for (const ImportedRow& r : rows)
        n += r.familyKept;
    return n;
}

Result run(Database& db, const LoginContext& login, const imports::SheetRows& rows, const QString& factCode,
           const RowDone& rowDone, bool dryRun)
{
    const QString fact = TrimBlanks(factCode).toUpper();
    if (fact.isEmpty())
        throw AppError(u("กรุณาใส่ข้อมูลคณะด้วย"));
    if (Faculties::nameOf(db, fact).isEmpty())
        throw AppError(u("ไม่พบรหัสคณะ ") + fact + u(" ในตาราง T_Fact"));

    const Checked checked = check(rows);
    Result result;
    result.refused = checked.refused;

    Transaction tx(db);
    // Taken before the look-up: a second workstation importing the same
    // workbook waits here, then finds every person the first one added.
    RunningNumbers::lockEmployeeNumbers(db, login.Cur_Date);
    // One read of the keys instead of a search per row: the look-up trims and
    // ignores letter case, which no index would serve.
    QHash<QString, QString> known; // lookup key -> KV_ID
    // Staff and identity numbers of active employees -> KV_ID: one person is
    // never recorded active twice.
    QHash<QString, QString> activeEmpIds, activeSsns;
    // Read as it streams in, in no order (an index walk costs more than the
    // table): every employee of the installation passes here. Of two rows of
    // one person the smallest KV_ID is the one found, the largest the active
    // holder named.
    db.forEachRow(QStringLiteral("SELECT KV_ID, EMP_ID, Emp_SSN, Emp_Status FROM T_Emp_Gov_Histry"), {},
                  [&](const QVector<QVariant>& v) {
                      const QString kvId = v[0].toString();
                      const QString empId = TrimBlanks(v[1].toString()).toUpper();
                      const QString ssn = TrimBlanks(v[2].toString());
                      QString& found = known[lookupKey(empId, ssn)];
                      if (found.isEmpty() || kvId < found)
                          found = kvId;
                      if (TrimBlanks(v[3].toString()) == QLatin1String("A")) {
                          for (auto* holders : {&activeEmpIds, &activeSsns}) {
                              QString& holder = (*holders)[holders == &activeEmpIds ? empId : ssn];
                              if (kvId > holder)
                                  holder = kvId;
                          }
                      }
                  });

    // Which rows add an employee, which find one already recorded: decided
    // in memory first, so that the new rows can be written in blocks. The
    // check above refused repeated staff and identity numbers, so no two of
    // the accepted rows can be the same person.
    QVector<Planned> plan;
    int fresh = 0;
    for (const int index : checked.accepted) {
        const QStringList& g = rows.grid[index];
        Planned p{index, {}};
        ImportedRow& row = p.row;
        row.sheetRow = rows.sheetRows[index];
        row.EMP_ID = TrimBlanks(g[EmpId]).toUpper();
        row.name = TrimBlanks(g[FirstName]) + QLatin1Char(' ') + TrimBlanks(g[LastName]);
        const QString ssn = TrimBlanks(g[Ssn]);
        row.KV_ID = known.value(lookupKey(row.EMP_ID, ssn));
        if (row.KV_ID.isEmpty()) {
            const QString holder = activeEmpIds.value(row.EMP_ID, activeSsns.value(ssn));
            if (!holder.isEmpty()) {
                result.refused << imports::Refusal{row.sheetRow, row.EMP_ID,
                                                   (activeEmpIds.contains(row.EMP_ID) ? u("รหัสประจำตัวพนักงาน")
                                                                                      : u("เลขประจำตัวประชาชน"))
                                                       + u("นี้เป็นของพนักงาน KV_ID %1 อยู่แล้ว").arg(holder),
                                                   index + 1};
                continue;
            }
            row.added = true;
            ++fresh;
        }
        plan << p;
    }

    // The counter is keyed by the calendar year, the log-in makes the budget
    // year's: from October to December it may be missing, and is made.
    const QStringList keys = RunningNumbers::takeEmployeeKeys(db, login.Cur_Date, fresh, RunningNumbers::WhenMissing::CreateRow);
    QStringList foundIds;
    int nextKey = 0;
    for (Planned& p : plan) {
        if (p.row.added)
            p.row.KV_ID = keys[nextKey++];
        else
            foundIds << p.row.KV_ID;
    }
    const QSet<QString> recorded = familyCodesOf(db, foundIds);

    int done = 0;
    for (int first = 0; first < plan.size(); first += kRowsPerBlock) {
        const QVector<Planned> block = plan.mid(first, kRowsPerBlock);
        QVector<QVariantList> employees, family;
        for (const Planned& p : block) {
            ImportedRow& row = result.rows.emplace_back(p.row);
            const QStringList& g = rows.grid[p.index];
            auto t = [&](int column) { return TrimBlanks(g[column]); };
            if (row.added)
                employees.push_back({row.KV_ID, row.EMP_ID, t(Ssn), t(Title), t(FirstName), t(LastName), t(Position),
                                     t(Level), t(Dept), *imports::storedDate(g[InDate]), t(RightType), fact,
                                     QStringLiteral("A")});
            for (int person = 1; person <= 6; ++person) {
                const int base = personColumn(person);
                if (t(base + 2).isEmpty())
                    continue;
                row.lastFolkCode = personCode(person);
                row.lastFolkName = t(base + 2) + QStringLiteral("  ") + t(base + 3);
                const QVariantList member{row.KV_ID, personCode(person), t(base + 1), t(base + 2), t(base + 3),
                                          isChild(person) ? *imports::storedDate(g[base + 4]) : QString(), t(base)};
                if (row.added) {
                    family.push_back(member);
                    ++row.familyAdded;
                } else if (recorded.contains(row.KV_ID + QLatin1Char('|') + personCode(person))) {
                    ++row.familyKept;
                } else {
                    // An employee found: another workstation may add the
                    // same member meanwhile, and then that row is kept.
                    const bool added = db.insertIfAbsent(QStringLiteral("T_Emp_Folk"), kFamilyColumns, member, 2);
                    ++(added ? row.familyAdded : row.familyKept);
                }
            }
        }
        QVector<Database::Statement> writes;
        sql::insertInChunks(writes, QStringLiteral("T_Emp_Gov_Histry"), kEmployeeColumns, employees);
        sql::insertInChunks(writes, QStringLiteral("T_Emp_Folk"), kFamilyColumns, family);
        db.execBatch(writes);
        if (rowDone)
            for (qsizetype i = result.rows.size() - block.size(); i < result.rows.size(); ++i)
                rowDone(result.rows[i], ++done, int(plan.size()));
    }
    // One row for the workbook, with its counts; each employee's record
    // keeps the import's faculty.
    audit::record(db, login, audit::Op::Import, fact,
                  QStringLiteral("เพิ่มพนักงาน %1 คน พบแล้ว %2 คน เพิ่มครอบครัว %3 คน ปฏิเสธ %4 แถว")
                      .arg(result.employeesAdded()).arg(result.employeesFound()).arg(result.familyAdded())
                      .arg(result.refused.size()));
    if (!dryRun)
        tx.commit();
    return result;
}

BankCopy copyBankAccounts(Database& db, const LoginContext& login, const imports::Progress& progress)
{
    BankCopy copy;
    Transaction tx(db);
    // In PersonId order, so that of two rows for one person the later wins.
    const Rows personnel = db.select(QStringLiteral("SELECT PersonId, Bank_Account_No FROM PerHistry ORDER BY PersonId"));
    copy.personnelRows = personnel.count();
    for (int i = 0; i < personnel.count(); ++i) {
        copy.employeesUpdated += db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Bank_Account_No = ? WHERE Emp_SSN = ?"),
                                         {personnel.text(i, QStringLiteral("Bank_Account_No")),
                                          TrimBlanks(personnel.text(i, QStringLiteral("PersonId")))});
        if (progress)
            progress(i + 1, personnel.count());
    }
    audit::record(db, login, audit::Op::BulkUpdate, QStringLiteral("Bank_Account_No"),
                  QStringLiteral("PerHistry %1 แถว ปรับปรุงพนักงาน %2 คน").arg(copy.personnelRows).arg(copy.employeesUpdated));
    tx.commit();
    return copy;
}

} // namespace wel::EmployeeImport
