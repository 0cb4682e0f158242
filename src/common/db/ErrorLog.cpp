#include "ErrorLog.h"
#include "common/PrivateFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QTextStream>

namespace wel::ErrorLog {

namespace {
QMutex g_mutex;
QString g_path;

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" / "));
    text.replace(QLatin1Char('\n'), QLatin1String(" / "));
    text.replace(QLatin1Char('\r'), QLatin1String(" / "));
    return text;
}
} // namespace

QString defaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/welmora/welmora.log");
}

QString path()
{
    QMutexLocker lock(&g_mutex);
    return g_path.isEmpty() ? defaultPath() : g_path;
}

void setPath(const QString& p)
{
    QMutexLocker lock(&g_mutex);
    g_path = p;
}

QString describeParameters(const QString& sql, const QVariantList& params)
{
    const bool secret = sql.contains(QLatin1String("password"), Qt::CaseInsensitive);
    QStringList shown;
    for (const QVariant& v : params) {
        if (secret)
            shown << QStringLiteral("***");
        else if (v.isNull())
            shown << QStringLiteral("NULL");
        else
            shown << QLatin1Char('\'') + oneLine(v.toString()) + QLatin1Char('\'');
    }
    return QLatin1Char('[') + shown.join(QStringLiteral(", ")) + QLatin1Char(']');
}

void write(const QString& message, const QString& sql, const QVariantList& params, const QString& user,
           const QString& database)
{
    const QString file = path();
    QMutexLocker lock(&g_mutex);
    // The log names users and holds the values of failed statements.
    createPrivateFile(file);
    QFile f(file);
    if (!f.open(QIODevice::Append | QIODevice::Text))
        return;
    QTextStream out(&f);
    out << QDateTime::currentDateTime().toString(Qt::ISODate) << " user="
        << (user.isEmpty() ? QStringLiteral("-") : user) << " os-user=" << qEnvironmentVariable("USER")
        << " db=" << database << "\n"
        << "  error: " << oneLine(message) << "\n"
        << "  statement: " << oneLine(sql) << "\n";
    if (!params.isEmpty())
        out << "  parameters: " << describeParameters(sql, params) << "\n";
}

} // namespace wel::ErrorLog
