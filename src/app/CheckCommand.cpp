#include "AdminCommands.h"
#include "check/IntegrityCheck.h"
#include "shell/DatabaseSetup.h"

#include <QFileInfo>
#include <QTextStream>

namespace wel::admin {

int check(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    try {
        // Opened as it is: openDatabase would bring an embedded file up to
        // this version's tables first, and the check must not write.
        DbUrl url = DbUrl::parse(chooseDatabaseUrl(option(args, QStringLiteral("db"))));
        url.timeZone = installationTimeZone();
        if (url.kind == DbKind::SQLite && !QFileInfo::exists(url.path)) {
            err << "no database at " << url.path << "\n";
            return 1;
        }
        auto db = Database::open(url);
        const check::Report report = check::run(*db);
        out << check::format(report);
        return report.consistent() ? 0 : 1;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

} // namespace wel::admin
