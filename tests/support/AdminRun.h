#pragma once
#include <QByteArray>
#include <QProcess>
#include <QStringList>

// For test programs only: WELMORA_ADMIN is the path of the welmora-admin
// they are built with.
namespace wel::test {

// What a run of welmora-admin printed (standard output and error merged) and
// its exit status, -1 when it crashed or did not end in time.
struct AdminRun {
    int code = -1;
    QString output;
};

// Runs welmora-admin with the arguments in the environment; input, when
// given, is typed on its standard input, which is then closed.
inline AdminRun adminWith(const QProcessEnvironment& env, const QStringList& args, const QByteArray& input = {},
                          int timeoutMs = 120000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(WELMORA_ADMIN), args);
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    const bool ended = p.waitForFinished(timeoutMs);
    return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

inline AdminRun admin(const QStringList& args, const QByteArray& input = {}, int timeoutMs = 120000)
{
    return adminWith(QProcessEnvironment::systemEnvironment(), args, input, timeoutMs);
}

} // namespace wel::test
