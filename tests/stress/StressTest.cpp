#include "../check/CheckSupport.h"
#include "TestDb.h"
#include "check/IntegrityCheck.h"
#include "claims/ClaimKind.h"
#include "stress/StressRun.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <cstdio>

using namespace wel;
using namespace wel::test;


// Four workstations of three faculties and the finance division, 200
// operations each, on one database: no number twice, no usage update lost,
// nothing the check objects to.
TEST(Stress, FourWorkstationsTwoHundredOperationsEach)
{
    WELMORA_NEED_DB();
    // The demo's claims of every kind: employees whose limits are used up
    // (the co-pay and above-limit gates let them through) and open claims
    // to cancel and summarise from the first operation on.
    TestDb t(TestDb::DemoWithClaims);
    stress::Options o;
    o.url = urlText(t.url());
    o.workstations = 4;
    o.operations = 200;
    o.seed = 14;
    o.maxPauseMs = 5;
    const stress::Figures f = stress::run(o);
    std::printf("%s", qPrintable(stress::format(f)));

    EXPECT_EQ(f.operationsRun, 800);
    EXPECT_EQ(f.duplicateIdentifiers, 0);
    EXPECT_EQ(f.overspentLimits, 0);
    EXPECT_EQ(f.lostUpdates(), 0);
    EXPECT_TRUE(f.report.consistent()) << check::format(f.report).toStdString();
    EXPECT_EQ(f.unaudited, 0) << "every operation done has its one audit row";
    // The run must have done each kind of work, not only been refused: every
    // kind of claim saved and summarised, the co-pay and above-limit entries
    // past their gates included.
    QStringList work = {QStringLiteral("voucher"), QStringLiteral("cancel FAE"), QStringLiteral("edit employee")};
    for (const claims::ClaimKind* k : claims::claimKinds())
        work << QStringLiteral("enter ") + k->identity.typeCode << QStringLiteral("summarise ") + k->identity.typeCode;
    for (const QString& a : work)
        EXPECT_GT(f.actions.value(a).done, 0) << a.toStdString();
    for (auto it = f.actions.cbegin(); it != f.actions.cend(); ++it)
        EXPECT_EQ(it.value().failed, 0) << it.key().toStdString();
    EXPECT_GT(f.identifiersIssued, 100);
}

// A workstation killed outright (SIGKILL: no rollback by the program, no
// closing of the connection) in the middle of saves, cancellations,
// summaries and vouchers leaves each operation wholly written or not at all.
TEST(Stress, KilledWorkstationsLeaveNoHalfWrittenOperation)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Demo);
    const QString url = urlText(t.url());
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        const qint64 claimsBefore = rowCount(t.db(), QStringLiteral("T_PAY_Health"));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(WELMORA_STRESS),
                {QStringLiteral("--db"), url, QStringLiteral("--workstations"), QStringLiteral("3"),
                 QStringLiteral("--operations"), QStringLiteral("100000"), QStringLiteral("--seconds"),
                 QStringLiteral("120"), QStringLiteral("--pause-ms"), QStringLiteral("0"), QStringLiteral("--seed"),
                 QString::number(round + 1)});
        ASSERT_TRUE(p.waitForStarted());
        // Wait until the workstations are at it, then let them write a while.
        QElapsedTimer waited;
        waited.start();
        QByteArray out;
        while (!out.contains("workstations x") && waited.elapsed() < 60000 && p.state() == QProcess::Running) {
            p.waitForReadyRead(200);
            out += p.readAll();
        }
        ASSERT_TRUE(out.contains("workstations x")) << out.toStdString();
        while (rowCount(t.db(), QStringLiteral("T_PAY_Health")) < claimsBefore + 20 && waited.elapsed() < 90000)
            QThread::msleep(50);
        QThread::msleep(137 * round);
        ASSERT_EQ(p.state(), QProcess::Running) << (out + p.readAll()).toStdString();
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);

        auto after = t.connectAgain();
        EXPECT_GT(rowCount(*after, QStringLiteral("T_PAY_Health")), claimsBefore);
        const check::Report r = check::run(*after);
        EXPECT_TRUE(r.consistent()) << check::format(r).toStdString();
    }
}
