#include "AdminCommands.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Screen.h"
#include "common/widgets/ScreenRegistry.h"
#include "shell/DatabaseSetup.h"
#include "shell/LoginService.h"
#include "shell/MenuTable.h"
#include "shell/UMain_Welmora.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QTextStream>

namespace wel::admin {

namespace {

// The desktop the program is drawn for: its main window opens maximised.
const QSize kDesktop(1280, 800);

// Message boxes would wait for a click that never comes: note them instead.
struct QuietMessages : msg::Recorder {
    QStringList seen;
    void shown(const QString& kind, const QString& text) override { seen << kind + QStringLiteral(": ") + text; }
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// The password is checked once, not for every window: a check costs a
// tenth of a second on purpose.
std::unique_ptr<TfrmMain_Welmora> loggedInWindow(Database& db, const LoginContext& login)
{
    auto w = std::make_unique<TfrmMain_Welmora>(db);
    w->resize(kDesktop);
    if (!w->FormCreate())
        return nullptr;
    w->show();
    w->completeLogin(login);
    settle();
    return w;
}

bool save(QWidget* w, const QString& path, QTextStream& out)
{
    settle();
    const bool ok = w->grab().save(path);
    out << (ok ? "wrote " : "could not write ") << path << "\n";
    return ok;
}

} // namespace

int screenshots(const QStringList& args)
{
    QTextStream out(stdout), err(stderr);
    const QString user = option(args, QStringLiteral("user"));
    const QString password = option(args, QStringLiteral("password"));
    const QString dir = option(args, QStringLiteral("out"));
    if (user.isEmpty())
        return missingArgument(QStringLiteral("--user NAME"), QStringLiteral("screenshots"));
    if (dir.isEmpty())
        return missingArgument(QStringLiteral("--out DIR"), QStringLiteral("screenshots"));
    QDir().mkpath(dir);
    QuietMessages quiet;
    msg::setRecorder(&quiet);
    registerAllScreens();
    std::unique_ptr<Database> db;
    try {
        db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))));
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
    // An empty database would stop at the first-administrator dialog, which
    // nobody answers here.
    if (db->select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")) == 0) {
        err << "the database has no users yet: run `welmora-admin init --db URL --demo` first\n";
        return 1;
    }
    bool ok = true;
    {
        TfrmMain_Welmora before(*db);
        before.resize(kDesktop);
        if (!before.FormCreate()) {
            err << "start-up refused: " << quiet.seen.join(QLatin1Char('\n')) << "\n";
            return 1;
        }
        before.show();
        ok &= save(&before, dir + QStringLiteral("/login.png"), out);
    }
    std::optional<LoginContext> login;
    try {
        login = LoginService::login(*db, LoginService::start(*db), user, password);
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
    if (!login) {
        err << "log-in failed for " << user << "\n";
        return 1;
    }
    // Its dialog would wait for an answer that never comes.
    if (login->mustChangePassword) {
        err << user << " must first replace the password of his letter: log in once with welmora\n";
        return 1;
    }
    {
        auto w = loggedInWindow(*db, *login);
        if (!w)
            return 1;
        ok &= save(w.get(), dir + QStringLiteral("/main.png"), out);
    }

    // One picture per registered screen, mode its commands set and panel
    // state, opened by one of those commands exactly as the menu would and
    // brought into each state through the screen's own buttons: each window
    // is drawn at the size the program gives it.
    QMap<QString, QMap<QString, QString>> shots; // screen -> mode suffix -> menu item
    for (const MenuEntry& e : menuTable()) {
        if (e.kind != MenuEntry::Command || e.disabled || !ScreenRegistry::instance().has(e.screen))
            continue;
        const QString suffix = e.mode == MenuEntry::Unchanged ? QStringLiteral("none") : modeText(e.mode);
        if (!shots[e.screen].contains(suffix))
            shots[e.screen].insert(suffix, e.name);
    }
    for (auto it = shots.begin(); it != shots.end(); ++it) {
        QMap<QString, QString> modes = it.value();
        if (modes.size() > 1)
            modes.remove(QStringLiteral("none"));
        for (auto m = modes.begin(); m != modes.end(); ++m) {
            auto w = loggedInWindow(*db, *login);
            if (!w)
                return 1;
            auto* screen = qobject_cast<Screen*>(w->runMenuCommand(m.value()));
            if (!screen) {
                err << "could not open " << it.key() << "\n";
                ok = false;
                continue;
            }
            for (const QString& state : screen->panelStates()) {
                screen->showPanelState(state);
                const QString name = state == Screen::kOpened ? QStringLiteral("%1-%2").arg(it.key(), m.key())
                                                              : QStringLiteral("%1-%2-%3").arg(it.key(), m.key(), state);
                ok &= save(w.get(), QStringLiteral("%1/%2.png").arg(dir, name), out);
            }
        }
    }
    msg::setRecorder(nullptr);
    if (!quiet.seen.isEmpty())
        out << "messages shown while rendering:\n  " << quiet.seen.join(QStringLiteral("\n  ")) << "\n";
    return ok ? 0 : 1;
}

} // namespace wel::admin
