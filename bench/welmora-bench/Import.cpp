// The personnel office's import of new employees from a workbook.
#include "BareSql.h"
#include "Workload.h"
#include "Written.h"
#include "common/AppError.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/db/Database.h"
#include "personnel/EmployeeImport.h"
#include "personnel/ImportCommon.h"
#include "personnel/ImportSamples.h"

#include <QDir>
#include <QSet>
#include <memory>

namespace wel::bench {

namespace {

constexpr int kEmployees = 3000;
// rows per multi-row INSERT, below every server's limit on parameters
constexpr int kRowsPerInsert = 200;

QString trimmed(const QString& s) { return s.trimmed(); }

// What an import wrote: the employees from the counter's next key on, and
// their families, and the audit trail's row of the import.
QString importWritten(const RowReader& read, const QString& firstKey, const QString& fact)
{
    const QVariantList from{firstKey, firstKey.left(7) + QLatin1Char('%')};
    return writtenSummary(QStringLiteral("employees"),
                          read(QStringLiteral("SELECT KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, Emp_L_Name, "
                                              "Emp_Position, Emp_Level, Emp_Dept_Name, Emp_In_date2, Emp_H_Type, "
                                              "Fact_code, Emp_Status FROM T_Emp_Gov_Histry WHERE KV_ID >= ? "
                                              "AND KV_ID LIKE ? ORDER BY KV_ID"),
                               from))
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("family members"),
                         read(QStringLiteral("SELECT KV_ID, Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday, "
                                             "EF_SSN FROM T_Emp_Folk WHERE KV_ID >= ? AND KV_ID LIKE ? "
                                             "ORDER BY KV_ID, Emp_Folk"),
                              from))
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("audit row"), read(newestAuditRowQuery(QStringLiteral("EMP_IMPORT")), {fact}));
}

// The bare work of the import: the rows checked as the program checks them,
// the employee counter locked, one read of the stored keys, the employee
// numbers taken in one statement, employees and family members in multi-row
// INSERTs; rolled back, as the program's dry run is. With wrote, what was
// written is read back first.
int importBare(BareSql& sql, const imports::SheetRows& rows, const QString& fact, const QString& today,
               QString* wrote = nullptr, const QString& firstKey = {})
{
    using namespace EmployeeImport;
    bool factKnown = false;
    sql.each(QStringLiteral("SELECT Fact_Name FROM T_Fact WHERE Fact_Code = ?"), {fact},
             [&](QSqlQuery&) { factKnown = true; });
    if (!factKnown)
        throw AppError(QStringLiteral("no faculty %1").arg(fact));
    const auto checked = check(rows);
    const QVector<int>& accepted = checked.accepted;
    const QString year = today.right(4);
    sql.begin();
    int written = 0;
    try {
        const QString lock = sql.kind() == DbKind::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
        sql.each(QStringLiteral("SELECT Run_No FROM T_Emp_RunNo WHERE Emp_Year = ?") + lock, {year}, [](QSqlQuery&) {});
        QSet<QString> known, activeIds, activeSsns;
        sql.each(QStringLiteral("SELECT EMP_ID, Emp_SSN, Emp_Status FROM T_Emp_Gov_Histry"), {}, [&](QSqlQuery& q) {
            const QString id = trimmed(q.value(0).toString()).toUpper();
            const QString ssn = trimmed(q.value(1).toString());
            known.insert(id.mid(4, 8) + QLatin1Char('|') + ssn);
            if (trimmed(q.value(2).toString()) == QLatin1String("A")) {
                activeIds.insert(id);
                activeSsns.insert(ssn);
            }
        });
        QVector<int> fresh;
        int found = 0;
        qsizetype refused = checked.refused.size();
        for (const int i : accepted) {
            const QStringList& g = rows.grid[i];
            const QString id = trimmed(g[EmpId]).toUpper();
            if (known.contains(id.mid(4, 8) + QLatin1Char('|') + trimmed(g[Ssn])))
                ++found;
            else if (activeIds.contains(id) || activeSsns.contains(trimmed(g[Ssn])))
                ++refused;
            else
                fresh << i;
        }
        qint64 last = 0;
        sql.each(QStringLiteral("UPDATE T_Emp_RunNo SET Run_No = Run_No + ? WHERE Emp_Year = ? RETURNING Run_No"),
                 {int(fresh.size()), year}, [&](QSqlQuery& q) { last = q.value(0).toLongLong(); });
        if (last == 0)
            throw AppError(QStringLiteral("no employee counter for %1").arg(year));
        qint64 next = last - fresh.size();

        int family = 0;
        QStringList empRows, folkRows;
        QVariantList empValues, folkValues;
        auto flush = [&](bool all) {
            if (empRows.size() >= kRowsPerInsert || (all && !empRows.isEmpty())) {
                written += sql.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_Surname, "
                                                   "Emp_F_Name, Emp_L_Name, Emp_Position, Emp_Level, Emp_Dept_Name, "
                                                   "Emp_In_date2, Emp_H_Type, Fact_code, Emp_Status) VALUES ")
                                        + empRows.join(QStringLiteral(", ")),
                                    empValues);
                empRows.clear();
                empValues.clear();
            }
            if (folkRows.size() >= kRowsPerInsert || (all && !folkRows.isEmpty())) {
                written += sql.exec(QStringLiteral("INSERT INTO T_Emp_Folk (KV_ID, Emp_Folk, EF_Surname, EF_F_Name, "
                                                   "EF_L_Name, EF_Birthday, EF_SSN) VALUES ")
                                        + folkRows.join(QStringLiteral(", ")),
                                    folkValues);
                folkRows.clear();
                folkValues.clear();
            }
        };
        for (const int i : fresh) {
            const QStringList& g = rows.grid[i];
            auto t = [&](int column) { return trimmed(g[column]); };
            const QString kv = QStringLiteral("KV") + year + QLatin1Char('/') + RunningNumbers::zeroFill(next++, 6);
            empRows << QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'A')");
            empValues << kv << t(EmpId).toUpper() << t(Ssn) << t(Title) << t(FirstName) << t(LastName) << t(Position)
                      << t(Level) << t(Dept) << imports::storedDate(g[InDate]).value_or(QString()) << t(RightType)
                      << fact;
            for (int person = 1; person <= 6; ++person) {
                const int base = personColumn(person);
                if (t(base + 2).isEmpty())
                    continue;
                folkRows << QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
                ++family;
                folkValues << kv << QString::number(person) << t(base + 1) << t(base + 2) << t(base + 3)
                           << (person >= 4 ? imports::storedDate(g[base + 4]).value_or(QString()) : QString())
                           << t(base);
            }
            flush(false);
        }
        flush(true);
        writeAuditRow(sql, QStringLiteral("bench"), QStringLiteral("EMP_IMPORT"), fact,
                      QStringLiteral("เพิ่มพนักงาน %1 คน พบแล้ว %2 คน เพิ่มครอบครัว %3 คน ปฏิเสธ %4 แถว")
                          .arg(fresh.size())
                          .arg(found)
                          .arg(family)
                          .arg(refused));
        if (wrote)
            *wrote = importWritten(readerOf(sql), firstKey, fact);
    } catch (...) {
        sql.rollback();
        throw;
    }
    sql.rollback();
    return written;
}

} // namespace

Comparison importComparison(Database& db, BareSql& bare, const QString& today)
{
    const QString path = QDir::temp().filePath(QStringLiteral("welmora-bench-employees.xlsx"));
    // faculty SC, staff numbers far above the generated ones
    ImportSamples::writeEmployees(path, kEmployees, QStringLiteral("SC"), 900001);
    auto book = std::make_shared<EmployeeImport::Workbook>(EmployeeImport::read(path));
    QFile::remove(path);
    LoginContext clerk;
    clerk.Cur_Date = today;
    clerk.Cur_Fact_Code = book->factCode;
    clerk.Cur_Username = QStringLiteral("bench");
    Database* pdb = &db;
    BareSql* psql = &bare;
    auto program = std::make_shared<QString>();
    auto plain = std::make_shared<QString>();
    return {QStringLiteral("employee import"),
            QStringLiteral("%1 new employees and their families from a workbook, rolled back").arg(book->rows.count()),
            Side{[pdb, book, clerk, program] {
                     const auto r = EmployeeImport::run(*pdb, clerk, book->rows, book->factCode, {}, true);
                     *program = QStringLiteral("%1 employees, %2 family members")
                                    .arg(r.employeesAdded())
                                    .arg(r.familyAdded());
                 },
                 [program] { return *program; }},
            Side{[psql, book, today, plain] {
                     *plain = QStringLiteral("%1 rows").arg(importBare(*psql, book->rows, book->factCode, today));
                 },
                 [plain] { return *plain; }},
            false, nullptr, 3, nullptr,
            [pdb, psql, book, clerk, today] {
                // both sides take the same keys: each rolls its increment back
                const QString year = today.right(4);
                const Rows counter = pdb->select(QStringLiteral("SELECT Run_No FROM T_Emp_RunNo WHERE Emp_Year = ?"), {year});
                const QString firstKey = QStringLiteral("KV") + year + QLatin1Char('/')
                    + RunningNumbers::zeroFill(counter.isEmpty() ? 1 : counter.integer(0, QStringLiteral("Run_No")), 6);
                QString program, plain;
                {
                    Transaction outer(*pdb); // the dry run's rollback then waits for the reading
                    EmployeeImport::run(*pdb, clerk, book->rows, book->factCode, {}, true);
                    program = importWritten(readerOf(*pdb), firstKey, book->factCode);
                }
                importBare(*psql, book->rows, book->factCode, today, &plain, firstKey);
                return std::pair{program, plain};
            }};
}

} // namespace wel::bench
