#pragma once
#include <QString>
#include <stdexcept>

namespace wel {

// An error that stops an operation and is shown to the clerk as it stands.
// Services throw it with the system's Thai message; screens catch it at the
// button handler and show it in a message box (see widgets/Guard.h).
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace wel
