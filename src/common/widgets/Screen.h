#pragma once
#include "ScreenRegistry.h"
#include "common/AppError.h"

#include <QList>
#include <QWidget>
#include <functional>

namespace wel {

// What Screen::guard does, for widgets that sit inside a screen (the employee
// search panel): runs the operation and shows a failure in the standard box.
bool guardOperation(QWidget* parent, const std::function<void()>& operation);

// Shows a failure in the standard box: a database error with the server's
// text, the statement and where it was logged under "Show Details".
void showFailure(QWidget* parent, const AppError& error);

// Base of every screen: holds the connection and the log-in context captured
// at creation, closes itself from its exit button, and runs button handlers
// through guard() so that any failure is shown and nothing half-done remains.
//
// A screen sets its panels and mode-dependent controls before it runs any
// query, and runs the queries it opens with unguarded in its constructor:
// when one fails the screen is not opened and the error is shown
// (openScreen in ScreenWindow.h).
class Screen : public QWidget {
    Q_OBJECT
public:
    explicit Screen(const ScreenContext& context, QWidget* parent = nullptr);

    Database& db() const { return m_db; }
    const LoginContext& login() const { return m_login; }
    const QString& mode() const { return m_login.Cur_Mode; }

    // Exit button ("กลับสู่เมนูหลัก"): really closes the child window.
    void closeScreen();

    // A screen whose layout fills the desktop opens maximised; any other
    // opens at the size of its fullest panel.
    bool opensMaximised() const { return m_maximised; }
    // The panels the screen shows in turn, at most one at a time.
    const QList<QWidget*>& panels() const { return m_panels; }
    // The size the screen asks for with each of its panels shown in turn:
    // what its window needs so that no panel appears squeezed. Only for a
    // screen not shown yet, since it shows and hides the panels to measure.
    QSize fullestSizeHint();

    // The states a clerk brings the screen into with its buttons, for the
    // screenshots and the layout check. The first, kOpened, is the screen as
    // it opens; by default each panel follows, shown on its own.
    static const QString kOpened;
    virtual QStringList panelStates() const;
    // Brings the screen into a state of panelStates() from whatever state it
    // is in, through its own handlers as a clerk's clicks would; failures
    // are shown as the clerk would see them.
    virtual void showPanelState(const QString& name);

protected:
    // A panel hidden while it held the focus hands it to the screen's first
    // input, so the clerk's next key goes somewhere he can see.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Enter that no control used (a grid's chosen row, a field of a screen
    // without Enter-as-Tab) presses the shown panel's main button.
    void keyPressEvent(QKeyEvent* event) override;

    // Runs an operation; an AppError (the system's message) or DbError (the
    // server's text) is shown in the standard box. Returns true on success.
    bool guard(const std::function<void()>& operation);

    void setOpensMaximised(bool on = true) { m_maximised = on; }
    void setPanels(const QList<QWidget*>& panels);
    // A maximised screen of a search panel and an entry panel under one
    // title: the entry panel waits hidden until an employee is chosen.
    void setSearchAndEntry(const QString& title, QWidget* search, QWidget* entry);

private:
    Database& m_db;
    LoginContext m_login;
    bool m_maximised = false;
    QList<QWidget*> m_panels;
};

} // namespace wel
