#include "common/AppError.h"
#include "common/db/ErrorLog.h"
#include "stress/StressRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char kUsage[] =
    "usage: welmora-stress --db URL [--workstations N] [--operations M] [--seed S] [--seconds T] [--pause-ms P]\n"
    "  N workstations (default 4) each run M operations (default 200) on the database at once: faculty\n"
    "  clerks enter, cancel and summarise claims of every kind and edit employees, the finance division\n"
    "  enters claims for any faculty, makes and cancels vouchers and control numbers. Seeded (default 1), stopped after T seconds (default 600),\n"
    "  with pauses of up to P ms (default 20). Then welmora-admin check runs on the result.\n"
    "  Exit status 0 when the database is consistent afterwards, 1 when not, 2 when it could not run.\n"
    "  It writes claims into the database: use a copy or a throw-away database, never the office's.\n";

QString option(const QStringList& args, const QString& name, const QString& fallback = {})
{
    const int i = args.indexOf(QStringLiteral("--") + name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
}

bool number(const QStringList& args, const QString& name, qint64 fallback, qint64 least, qint64* out)
{
    bool ok = true;
    *out = option(args, name, QString::number(fallback)).toLongLong(&ok);
    return ok && *out >= least;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("welmora"));
    QTextStream out(stdout), err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    wel::stress::Options o;
    o.url = option(args, QStringLiteral("db"));
    qint64 n = 0, m = 0, s = 0, t = 0, p = 0;
    if (o.url.isEmpty() || !number(args, QStringLiteral("workstations"), 4, 1, &n)
        || !number(args, QStringLiteral("operations"), 200, 0, &m) || !number(args, QStringLiteral("seed"), 1, 0, &s)
        || !number(args, QStringLiteral("seconds"), 600, 1, &t) || !number(args, QStringLiteral("pause-ms"), 20, 0, &p)) {
        err << kUsage;
        return 2;
    }
    o.workstations = int(n);
    o.operations = int(m);
    o.seed = quint64(s);
    o.seconds = int(t);
    o.maxPauseMs = int(p);
    // The errors the run provokes (refusals aside) are logged apart from the program's.
    wel::ErrorLog::setPath(QDir::tempPath() + QStringLiteral("/welmora-stress-%1.log").arg(QCoreApplication::applicationPid()));
    try {
        const auto figures = wel::stress::run(o, [&](const QString& line) { out << line << "\n" << Qt::flush; });
        out << wel::stress::format(figures) << Qt::flush;
        if (QFileInfo::exists(wel::ErrorLog::path()))
            out << "database errors written to " << wel::ErrorLog::path() << "\n";
        return figures.clean() ? 0 : 1;
    } catch (const wel::AppError& e) {
        err << e.message() << "\n";
        return 2;
    }
}
