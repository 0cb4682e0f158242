#pragma once
#include "common/LoginContext.h"
#include "DatabaseSetup.h"
#include "LoginService.h"

#include <QMainWindow>
#include <QMap>
#include <QPixmap>

class QAction;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QPushButton;
class QFrame;

namespace wel {

class Database;

// Start-up step 1: opens the database behind a small window that names it,
// so that a slow or silent server is seen being dialled rather than the
// program seeming not to start. A failure is shown in Thai, the server's
// text under "Show Details"; the result is then null.
std::unique_ptr<Database> openAtStartup(const QString& url, Opening how);

// The program's one main window: an MDI frame with the log-in panel, the
// status bar and the main menu. It owns the log-in context.
class TfrmMain_Welmora : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain_Welmora(Database& db, QWidget* parent = nullptr);

    // Start-up steps: notices, version check, today's date. Returns false
    // when the program must end (the message has been shown).
    bool FormCreate();

    const LoginContext& loginContext() const { return m_ctx; }
    bool isLoggedIn() const { return m_loggedIn; }
    QMdiArea* mdiArea() const { return m_mdi; }
    // What a successful log-in on the panel does next: the context, the
    // status bar, the menus. For a caller that has checked the user itself
    // (the screenshots open many windows with one log-in).
    void completeLogin(const LoginContext& ctx);
    // Runs a menu command by item name (N6, N29, ...) as if chosen.
    QWidget* runMenuCommand(const QString& itemName);
    QAction* menuAction(const QString& itemName) const { return m_actions.value(itemName); }

signals:
    void logoutRequested();

private slots:
    void btnOKClick();
    void btnCancelClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Opens the first menu of the bar; false when there is none to open.
    bool openMenuBar();

private:
    void buildLoginPanel();
    void buildStatusBar();
    void buildMenus();
    void revealMenus();
    void placeOverlays();
    void updateBackground();

    Database& m_db;
    LoginContext m_ctx;
    LoginService::Startup m_startup;
    bool m_loggedIn = false;

    QMdiArea* m_mdi = nullptr;
    QPixmap m_picture;
    QLabel* L_Cdate = nullptr;
    QFrame* Panel1 = nullptr;
    QLineEdit* edtUser_Name = nullptr;
    QLineEdit* edtPassword = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QLabel* L_main_msg[3] = {};
    QLabel* LblVersion = nullptr;
    QLabel* m_panels[7] = {};
    QMap<QString, QAction*> m_actions;
    QMap<QString, QMenu*> m_menus;
};

} // namespace wel
