#pragma once
#include "ScreenRegistry.h"

#include <QWidget>
#include <functional>

namespace wel {

// What Screen::guard does, for widgets that sit inside a screen (the employee
// search panel): runs the operation and shows a failure in the standard box.
bool guardOperation(QWidget* parent, const std::function<void()>& operation);

// Base of every screen: holds the connection and the log-in context captured
// at creation, closes itself from its exit button, and runs button handlers
// through guard() so that any failure is shown and nothing half-done remains.
class Screen : public QWidget {
    Q_OBJECT
public:
    explicit Screen(const ScreenContext& context, QWidget* parent = nullptr);

    Database& db() const { return m_db; }
    const LoginContext& login() const { return m_login; }
    const QString& mode() const { return m_login.Cur_Mode; }

    // Exit button ("กลับสู่เมนูหลัก"): really closes the child window.
    void closeScreen();

protected:
    // Runs an operation; an AppError (the system's message) or DbError (the
    // server's text) is shown in the standard box. Returns true on success.
    bool guard(const std::function<void()>& operation);

private:
    Database& m_db;
    LoginContext m_login;
};

} // namespace wel
