#include "AdminCommands.h"
#include "common/db/Database.h"
#include "maintenance/Backup.h"
#include "maintenance/DatabaseCopy.h"
#include "shell/DatabaseSetup.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstdlib>

namespace wel::admin {

namespace {

DbUrl parsedUrl(const QString& text)
{
    DbUrl url = DbUrl::parse(text);
    url.timeZone = installationTimeZone();
    return url;
}

// The source is opened as it is: nothing may be written to it, not even an
// upgrade of its tables.
std::unique_ptr<Database> openExisting(const DbUrl& url)
{
    if (url.kind == DbKind::SQLite && !QFileInfo::exists(url.path))
        throw AppError(QStringLiteral("ไม่พบฐานข้อมูล %1").arg(url.path));
    return Database::open(url);
}

void showProgress(QTextStream& out, const QString& table, qint64 rows)
{
    out << table << ": " << rows << " rows\n";
    out.flush();
}

} // namespace

int copy(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    const QString fromText = option(args, QStringLiteral("from"));
    const QString toText = option(args, QStringLiteral("to"));
    if (fromText.isEmpty() || toText.isEmpty()) {
        err << "copy: --from URL and --to URL are both needed\n";
        return 2;
    }
    try {
        const DbUrl fromUrl = parsedUrl(fromText);
        const DbUrl toUrl = parsedUrl(toText);
        if (fromUrl.display() == toUrl.display() && fromUrl.path == toUrl.path)
            throw AppError(QStringLiteral("ฐานข้อมูลต้นทางและปลายทางเป็นฐานข้อมูลเดียวกัน"));
        auto from = openExisting(fromUrl);
        auto to = Database::open(toUrl);
        out << "copy " << fromUrl.display() << " -> " << toUrl.display() << "\n";
        maintenance::CopyOptions o;
        o.replace = flag(args, QStringLiteral("replace"));
        o.progress = [&out](const QString& table, qint64 rows) { showProgress(out, table, rows); };
        // Lets a test stop the program outright (no rollback by the program,
        // as when the machine is switched off) once this table is written.
        const QString stopAfter = qEnvironmentVariable("WELMORA_TEST_STOP_COPY_AFTER");
        if (!stopAfter.isEmpty())
            o.tableDone = [stopAfter](const QString& table) {
                if (table == stopAfter)
                    std::_Exit(9);
            };
        const maintenance::CopyResult r = maintenance::copyDatabase(*from, *to, o);
        out << maintenance::format(r);
        if (!r.targetCheck.consistent())
            out << "the target's data disagrees with its own history as the source's did:\n"
                << check::format(r.targetCheck);
        if (!r.equal()) {
            err << "copy differs from the source\n";
            return 1;
        }
        out << "copy complete: every table of the target equals the source\n";
        return 0;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

int backup(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    const QString file = option(args, QStringLiteral("to"));
    if (file.isEmpty()) {
        err << "backup: --to FILE is needed\n";
        return 2;
    }
    try {
        const DbUrl source = parsedUrl(chooseDatabaseUrl(option(args, QStringLiteral("db"))));
        maintenance::backup(source, file,
                            [&out](const QString& table, qint64 rows) { showProgress(out, table, rows); });
        DbUrl copyUrl;
        copyUrl.path = QFileInfo(file).absoluteFilePath();
        copyUrl.timeZone = source.timeZone;
        auto copy = Database::open(copyUrl);
        const check::Report report = check::run(*copy);
        out << "backup written: " << copyUrl.path << "\n" << check::format(report);
        return report.consistent() ? 0 : 1;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

} // namespace wel::admin
