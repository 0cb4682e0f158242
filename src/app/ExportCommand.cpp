#include "AdminCommands.h"

#include "common/ThaiDate.h"
#include "reports/ReportCatalog.h"
#include "shell/DatabaseSetup.h"

#include <QTextStream>

namespace wel::admin {

namespace {

// The finance division's view: no faculty fixed by the mode.
LoginContext exportLogin(Database& db)
{
    LoginContext login;
    const Today today = todayFrom(db.serverNow());
    login.Cur_Date = today.Cur_Date;
    login.Cur_Bud_Year = today.Cur_Bud_Year;
    login.Cur_Mode = QStringLiteral("KV");
    return login;
}

void list(QTextStream& out)
{
    LoginContext sample;
    sample.Cur_Date = QStringLiteral("dd/mm/yyyy");
    sample.Cur_Bud_Year = QStringLiteral("yyyy");
    sample.Cur_Mode = QStringLiteral("KV");
    for (const reports::ReportDescriptor& r : reports::reportCatalog()) {
        if (!r.exportParams)
            continue;
        out << r.id << "  (" << r.screen << ": " << r.title << ")\n";
        for (const reports::FilterSpec& s : r.filters(sample)) {
            out << "    " << s.key << "=" << reports::allowedValues(s) << "   (" << s.title << ", at start " << s.initial << ")\n";
            for (const reports::FilterOption& o : s.options)
                if (o.extraMaxLength > 0)
                    out << "    " << o.extraKey << "=" << o.extraKey << ":VALUE   (" << o.extraCaption << ", with " << s.key
                        << "=" << o.value << ")\n";
        }
    }
}

} // namespace

int exportReport(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    if (flag(args, QStringLiteral("list"))) {
        list(out);
        return 0;
    }
    const reports::ReportDescriptor* report = reports::findReport(args.value(0));
    const QString xlsx = option(args, QStringLiteral("xlsx"));
    if (positional(args, 0).isEmpty())
        return missingArgument(QStringLiteral("REPORT (export --list names them)"), QStringLiteral("export"));
    if (!report || !report->exportParams) {
        err << QStringLiteral("unknown report: %1 (export --list names them)\n").arg(args.value(0));
        return 2;
    }
    if (xlsx.isEmpty())
        return missingArgument(QStringLiteral("--xlsx FILE"), QStringLiteral("export"));
    try {
        auto db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))));
        const LoginContext login = exportLogin(*db);
        reports::Filters filters = reports::initialFilters(*report, login);
        QStringList keys;
        for (const reports::FilterSpec& s : report->filters(login)) {
            keys << s.key;
            for (const reports::FilterOption& o : s.options)
                if (o.extraMaxLength > 0)
                    keys << o.extraKey;
        }
        for (int i = 1; i < args.size(); ++i) {
            if (args[i].startsWith(QStringLiteral("--"))) {
                ++i; // an option's value
                continue;
            }
            const qsizetype eq = args[i].indexOf(u'=');
            const QString key = args[i].left(eq);
            if (eq < 0 || !keys.contains(key)) {
                err << "unknown filter: " << args[i] << " (filters of " << report->id << ": " << keys.join(u' ') << ")\n";
                return 2;
            }
            reports::checkFilterValue(*report, login, key, args[i].mid(eq + 1));
            filters[key] = args[i].mid(eq + 1);
        }
        if (report->rows) {
            const int written = reports::exportReportRows(*report, *db, filters, login, xlsx);
            if (written == 0)
                out << reports::kNotFound << ": no rows, " << xlsx << " was not written\n";
            else
                out << "wrote " << xlsx << " (" << written << " rows)\n";
            return 0;
        }
        const reports::ReportResult result = report->run(*db, filters);
        // As the screen refuses to export an empty grid: no workbook of headings only.
        if (result.empty || result.rows.isEmpty()) {
            out << reports::kNotFound << ": no rows, " << xlsx << " was not written\n";
            return 0;
        }
        reports::exportReport(*report, result, filters, login, xlsx);
        out << "wrote " << xlsx << " (" << (result.empty ? 0 : result.rows.size()) << " rows)\n";
        return 0;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

} // namespace wel::admin
