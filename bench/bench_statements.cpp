// Prepared-statement reuse: the same workload (inserts and keyed look-ups, the
// shape of a claim save and of a grid fill) with the statement cache off and
// on, side by side on each server. Prints times and the ratio.
//
//   build/bench/bench_statements [ROWS]
//   WELMORA_BENCH_PG_URL=postgresql://... adds the PostgreSQL run.
#include "common/db/Database.h"
#include "common/db/Schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace wel;

namespace {

double workload(Database& db, int rows)
{
    db.exec(QStringLiteral("DELETE FROM T_Reciept"));
    QElapsedTimer timer;
    timer.start();
    {
        Transaction tx(db);
        for (int i = 1; i <= rows; ++i)
            db.exec(QStringLiteral("INSERT INTO T_Reciept (Berg_Doc_ID, Order_Doc, Emp_Folk, P_money) VALUES (?, ?, ?, ?)"),
                    {QStringLiteral("AB2551/%1").arg(i / 10, 7, 10, QLatin1Char('0')), i % 10 + 1,
                     QString::number(i % 8), Money::fromSatang(i * 137).toSql()});
        tx.commit();
    }
    Money total;
    for (int i = 1; i <= rows; ++i)
        total += db.select(QStringLiteral("SELECT P_money FROM T_Reciept WHERE Berg_Doc_ID = ? AND Order_Doc = ?"),
                           {QStringLiteral("AB2551/%1").arg(i / 10, 7, 10, QLatin1Char('0')), i % 10 + 1})
                     .money(0, QStringLiteral("P_money"));
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (total.isZero())
        qFatal("workload read nothing back");
    return ms;
}

void compare(QTextStream& out, const QString& label, const DbUrl& url, int rows)
{
    auto db = Database::open(url);
    createSchema(*db);
    workload(*db, rows / 10); // warm up the connection and the file
    double best[2] = {1e300, 1e300};
    for (int round = 0; round < 3; ++round)
        for (int cached = 0; cached < 2; ++cached) {
            db->setStatementCache(cached == 1);
            best[cached] = std::min(best[cached], workload(*db, rows));
        }
    out << label << ": " << rows << " inserts + " << rows << " look-ups, best of 3\n"
        << "  prepared each time  " << QString::number(best[0], 'f', 1) << " ms\n"
        << "  prepared once       " << QString::number(best[1], 'f', 1) << " ms\n"
        << "  ratio               " << QString::number(best[0] / best[1], 'f', 2) << "x\n";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    QTemporaryDir dir;
    DbUrl sqlite;
    sqlite.kind = DbKind::SQLite;
    sqlite.path = dir.path() + QStringLiteral("/bench.db");
    compare(out, QStringLiteral("SQLite"), sqlite, rows);
    const QString pg = qEnvironmentVariable("WELMORA_BENCH_PG_URL");
    if (!pg.isEmpty()) {
        DbUrl url = DbUrl::parse(pg);
        {
            auto admin = Database::open(url);
            admin->exec(QStringLiteral("DROP SCHEMA IF EXISTS bench CASCADE"));
            admin->exec(QStringLiteral("CREATE SCHEMA bench"));
        }
        url.schema = QStringLiteral("bench");
        compare(out, QStringLiteral("PostgreSQL"), url, rows);
    } else {
        out << "(set WELMORA_BENCH_PG_URL to compare on PostgreSQL too)\n";
    }
    return 0;
}
