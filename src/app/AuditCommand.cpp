#include "AdminCommands.h"
#include "audit/AuditLog.h"
#include "common/Audit.h"
#include "shell/DatabaseSetup.h"

#include <QTextStream>

namespace wel::admin {

int audit(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    for (int i = 0; i < args.size(); ++i) {
        static const QStringList known = {QStringLiteral("--db"),   QStringLiteral("--since"), QStringLiteral("--until"),
                                          QStringLiteral("--user"), QStringLiteral("--key"),   QStringLiteral("--op"),
                                          QStringLiteral("--xlsx")};
        if (!known.contains(args[i])) {
            err << "unknown argument: " << args[i] << "\n";
            for (const Command& c : commands())
                if (c.name == QLatin1String("audit"))
                    err << "usage: welmora-admin " << c.synopsis << "\n";
            return 2;
        }
        ++i; // its value
    }
    AuditLog::Filter filter{option(args, QStringLiteral("since")), option(args, QStringLiteral("until")),
                            option(args, QStringLiteral("user")), option(args, QStringLiteral("op")),
                            option(args, QStringLiteral("key"))};
    if (!filter.op.isEmpty() && audit::labelOf(filter.op.toUpper()) == filter.op.toUpper()) {
        QStringList codes;
        for (const audit::OpInfo& o : audit::operations())
            codes << o.code;
        err << "unknown operation: " << filter.op << " (one of " << codes.join(u' ') << ")\n";
        return 2;
    }
    try {
        // Reading the trail changes nothing, not even an older file's tables.
        auto db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))), Opening::Unchanged);
        const QVector<AuditLog::Entry> entries = AuditLog::find(*db, filter);
        const QString xlsx = option(args, QStringLiteral("xlsx"));
        if (xlsx.isEmpty()) {
            out << AuditLog::textTable(entries);
            out << entries.size() << " rows\n";
            return 0;
        }
        if (entries.isEmpty()) {
            out << "no rows, " << xlsx << " was not written\n";
            return 0;
        }
        excel::exportGrid(AuditLog::gridTable(entries), AuditLog::exportParams(filter), xlsx);
        out << "wrote " << xlsx << " (" << entries.size() << " rows)\n";
        return 0;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

} // namespace wel::admin
