// welmora-admin import employees / generate-year: the employee import and
// the yearly-limit generation of the import screen, without a window.
#include "AdminCommands.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "personnel/EmployeeImport.h"
#include "personnel/YearRows.h"
#include "shell/DatabaseSetup.h"

#include <QTextStream>

namespace wel::admin {

namespace {

// What the log-in would give: today from the server's clock.
LoginContext commandLogin(Database& db)
{
    const Today today = todayFrom(db.serverNow());
    LoginContext login;
    login.Cur_Date = today.Cur_Date;
    login.Cur_Bud_Year = today.Cur_Bud_Year;
    login.Cur_Username = QStringLiteral("welmora-admin");
    login.Cur_Mode = QStringLiteral("KV");
    return login;
}

void printRefused(QTextStream& out, const QVector<imports::Refusal>& refused)
{
    for (const imports::Refusal& r : refused)
        out << "refused " << imports::refusalLine(r) << "\n";
}

} // namespace

int importData(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    const QString file = positional(args, 1);
    if (args.value(0) != QLatin1String("employees"))
        return missingArgument(QStringLiteral("employees"), QStringLiteral("import"));
    if (file.isEmpty())
        return missingArgument(QStringLiteral("FILE"), QStringLiteral("import"));
    const bool dryRun = flag(args, QStringLiteral("dry-run"));
    try {
        auto db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))),
                               dryRun ? Opening::Unchanged : Opening::Existing);
        const EmployeeImport::Workbook book = EmployeeImport::read(file);
        const EmployeeImport::Result r =
            EmployeeImport::run(*db, commandLogin(*db), book.rows, book.factCode, {}, dryRun);
        printRefused(out, r.refused);
        for (const EmployeeImport::ImportedRow& row : r.rows) {
            out << (row.added ? "added   " : "present ") << row.KV_ID << "  " << row.EMP_ID << "  " << row.name
                << "  family added " << row.familyAdded << ", kept " << row.familyKept << "\n";
        }
        out << "employees added: " << r.employeesAdded() << ", already present: " << r.employeesFound()
            << ", family members added: " << r.familyAdded() << ", already present: " << r.familyKept()
            << ", rows refused: " << r.refused.size() << "\n";
        if (dryRun)
            out << "dry run: nothing was written\n";
        return 0;
    } catch (const AppError& e) {
        err << QString(e.message()).replace(QLatin1Char('\r'), QLatin1Char('\n')) << "\n";
        return 1;
    }
}

int generateYear(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    const QString year = positional(args, 0);
    if (year.isEmpty())
        return missingArgument(QStringLiteral("YYYY"), QStringLiteral("generate-year"));
    const bool dryRun = flag(args, QStringLiteral("dry-run"));
    try {
        auto db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))),
                               dryRun ? Opening::Unchanged : Opening::Existing);
        const YearRows::Generated g = YearRows::generate(*db, commandLogin(*db), year, {}, dryRun);
        printRefused(out, g.refused);
        out << "year " << year << ": yearly rows added: " << g.added << ", already present: " << g.existing
            << ", employees refused: " << g.refused.size() << "\n";
        if (dryRun)
            out << "dry run: nothing was written\n";
        return 0;
    } catch (const AppError& e) {
        err << QString(e.message()).replace(QLatin1Char('\r'), QLatin1Char('\n')) << "\n";
        return 1;
    }
}

} // namespace wel::admin
