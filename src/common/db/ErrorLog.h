#pragma once
#include <QString>
#include <QVariantList>

namespace wel::ErrorLog {

// Where database failures are written: ~/.local/state/welmora/welmora.log
// ($XDG_STATE_HOME when set). A clerk's message box shows the server's text;
// the log keeps the statement for whoever has to find out why.
QString defaultPath();
QString path();
void setPath(const QString& path); // empty restores the default

// The parameters as the log shows them: all masked when the statement
// touches a password.
QString describeParameters(const QString& sql, const QVariantList& params);

// Appends one entry: time, user, database, message, statement, parameters.
// A log that cannot be written never stops the program.
void write(const QString& message, const QString& sql, const QVariantList& params, const QString& user,
           const QString& database);

} // namespace wel::ErrorLog
