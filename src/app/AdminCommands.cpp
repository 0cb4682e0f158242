#include "AdminCommands.h"
#include "admin/UserLetter.h"
#include "admin/UserService.h"
#include "common/ThaiDate.h"
#include "shell/DatabaseSetup.h"

#include <QTextStream>

namespace wel::admin {

const QVector<Command>& commands()
{
    static const QVector<Command> list = {
        {QStringLiteral("init"), QStringLiteral("init --db URL [--demo]"), init},
        {QStringLiteral("print"),
         QStringLiteral("print user-letters --db URL --from N --to M --pdf FILE"), print},
        {QStringLiteral("import"), QStringLiteral("import employees FILE --db URL [--dry-run]"), importData},
        {QStringLiteral("generate-year"), QStringLiteral("generate-year YYYY --db URL [--dry-run]"), generateYear},
        {QStringLiteral("screenshots"),
         QStringLiteral("screenshots --db URL --user NAME --password PW --out DIR"), screenshots},
    };
    return list;
}

QString usage()
{
    QString u = QStringLiteral("usage: welmora-admin COMMAND [options]\n");
    for (const Command& c : commands())
        u += QStringLiteral("  welmora-admin ") + c.synopsis + QLatin1Char('\n');
    return u;
}

QString option(const QStringList& args, const QString& name)
{
    const int i = args.indexOf(QStringLiteral("--") + name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

bool flag(const QStringList& args, const QString& name) { return args.contains(QStringLiteral("--") + name); }

int init(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    const QString url = chooseDatabaseUrl(option(args, QStringLiteral("db")));
    try {
        auto db = Database::open(DbUrl::parse(url));
        initDatabase(*db, flag(args, QStringLiteral("demo")));
        out << "database ready: " << DbUrl::parse(url).display() << "\n";
        return 0;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

int print(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    if (args.value(0) != QLatin1String("user-letters") || option(args, QStringLiteral("pdf")).isEmpty()) {
        err << usage();
        return 2;
    }
    try {
        const auto [from, to] =
            UserService::parseRange(option(args, QStringLiteral("from")), option(args, QStringLiteral("to")));
        auto db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))));
        const QString pdf = option(args, QStringLiteral("pdf"));
        const Report letters = userLetters(*db, from, to, todayFrom(db->serverNow()).Cur_Date);
        letters.writePdf(pdf);
        out << "wrote " << pdf << " (" << letters.pageCount() << " pages)\n";
        return 0;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

} // namespace wel::admin
