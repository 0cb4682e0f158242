#include "AdminCommands.h"
#include "check/IntegrityCheck.h"
#include "shell/DatabaseSetup.h"

#include <QTextStream>

namespace wel::admin {

int check(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    try {
        // The check must not write, not even this version's new tables.
        auto db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))), Opening::Unchanged);
        const check::Report report = check::run(*db);
        out << check::format(report);
        return report.consistent() ? 0 : 1;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

} // namespace wel::admin
