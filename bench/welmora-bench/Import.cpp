// The personnel office's import of new employees from a workbook.
#include "BareSql.h"
#include "Workload.h"
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

// The bare work of the import: one read of the stored keys, the employee
// numbers taken in one statement, employees and family members in multi-row
// INSERTs; rolled back, as the program's dry run is.
int importBare(BareSql& sql, const imports::SheetRows& rows, const QString& fact, const QString& today)
{
    using namespace EmployeeImport;
    sql.begin();
    int written = 0;
    try {
        QSet<QString> known;
        sql.each(QStringLiteral("SELECT EMP_ID, Emp_SSN FROM T_Emp_Gov_Histry"), {}, [&](QSqlQuery& q) {
            known.insert(trimmed(q.value(0).toString()).toUpper().mid(4, 8) + QLatin1Char('|')
                         + trimmed(q.value(1).toString()));
        });
        QVector<int> fresh;
        for (int i = 0; i < rows.count(); ++i) {
            const QStringList& g = rows.grid[i];
            if (!known.contains(trimmed(g[EmpId]).toUpper().mid(4, 8) + QLatin1Char('|') + trimmed(g[Ssn])))
                fresh << i;
        }
        const QString year = today.right(4);
        qint64 last = 0;
        sql.each(QStringLiteral("UPDATE T_Emp_RunNo SET Run_No = Run_No + ? WHERE Emp_Year = ? RETURNING Run_No"),
                 {int(fresh.size()), year}, [&](QSqlQuery& q) { last = q.value(0).toLongLong(); });
        if (last == 0)
            throw AppError(QStringLiteral("no employee counter for %1").arg(year));
        qint64 next = last - fresh.size();

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
                folkValues << kv << QString::number(person) << t(base + 1) << t(base + 2) << t(base + 3)
                           << (person >= 4 ? imports::storedDate(g[base + 4]).value_or(QString()) : QString())
                           << t(base);
            }
            flush(false);
        }
        flush(true);
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
            false, nullptr, 3};
}

} // namespace wel::bench
