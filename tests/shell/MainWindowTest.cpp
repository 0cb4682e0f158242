#include "MessageLog.h"
#include "PasswordChecks.h"
#include "TestDb.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Screen.h"
#include "common/widgets/ScreenRegistry.h"
#include "common/widgets/ScreenWindow.h"
#include "shell/MenuTable.h"
#include "shell/LoginService.h"
#include "admin/UserService.h"
#include "shell/UChange_Password.h"
#include "shell/UFirst_Admin.h"
#include "shell/UMain_Welmora.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace wel;
using wel::test::TestDb;

namespace {

// Stands in for the outpatient entry screen: remembers the mode it was made in.
class ProbeScreen : public Screen {
public:
    using Screen::Screen;
};

void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void pressEnter()
{
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, Qt::Key_Return);
}

QStringList visibleTopMenus(TfrmMain_Welmora& w)
{
    QStringList shown;
    for (const MenuEntry& e : menuTable())
        if (e.parent.isEmpty() && w.menuAction(e.name)->isVisible())
            shown << e.name;
    return shown;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ScreenRegistry::instance().has(QStringLiteral("TfrmEntry_Health")))
            ScreenRegistry::instance().add(QStringLiteral("TfrmEntry_Health"),
                                           [](const ScreenContext& c) { return new ProbeScreen(c); });
    }
    test::MessageLog messages;
};

} // namespace

TEST_F(MainWindowTest, ClerkLogsInWithTheKeyboard)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.setToday(2008, 11, 5);
    TfrmMain_Welmora w(t.db());
    ASSERT_TRUE(w.FormCreate());
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    EXPECT_FALSE(w.statusBar()->isVisible());
    EXPECT_TRUE(visibleTopMenus(w).isEmpty());
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("L_Cdate"))->text(), QStringLiteral("วันที่ปัจจุบัน : 05/11/2551"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LblVersion"))->text(), QStringLiteral("Program Version :24.00"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text(), QStringLiteral("คณะ"));
    auto* user = w.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"));
    EXPECT_EQ(QApplication::focusWidget(), user);

    // a wrong password leaves the panel for another try
    typeText(QApplication::focusWidget(), QStringLiteral("clerk"));
    pressEnter();
    typeText(QApplication::focusWidget(), QStringLiteral("wrong"));
    pressEnter();
    pressEnter();
    EXPECT_EQ(messages.texts, QStringList{QStringLiteral("ชื่อหรือรหัสผ่านผิด กรุณาใส่ใหม่")});
    EXPECT_FALSE(w.isLoggedIn());

    auto* password = w.findChild<QLineEdit*>(QStringLiteral("edtPassword"));
    password->clear();
    password->setFocus();
    typeText(QApplication::focusWidget(), QStringLiteral("clerk"));
    pressEnter();
    pressEnter();
    ASSERT_TRUE(w.isLoggedIn());

    EXPECT_TRUE(w.statusBar()->isVisible());
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Panel1"))->isVisible());
    const QStringList expected = {QStringLiteral("SC"), QStringLiteral("คณะวิทยาศาสตร์"),
                                  QStringLiteral("ชื่อผู้ใช้งาน : นางสาวมาลี ใจดี"), QStringLiteral("วันที่ : 05/11/2551")};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i))->text(), expected[i]) << i;
    EXPECT_TRUE(w.findChild<QLabel*>(QStringLiteral("StatusPanel4"))->text().startsWith(QStringLiteral("IP ADDRESS : ")));
    EXPECT_TRUE(w.findChild<QLabel*>(QStringLiteral("StatusPanel5"))->text().startsWith(QStringLiteral("Data True Server:")));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("StatusPanel6"))->text(), QStringLiteral("ปีงบประมาณ 2552"));
    EXPECT_EQ(visibleTopMenus(w), (QStringList{QStringLiteral("N2"), QStringLiteral("HR1"), QStringLiteral("N3"),
                                               QStringLiteral("N4")}));
}

TEST_F(MainWindowTest, EachCommandOpensANewScreenInItsOwnMode)
{
    WELMORA_NEED_DB();
    TestDb t;
    TfrmMain_Welmora w(t.db());
    ASSERT_TRUE(w.FormCreate());
    w.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("admin"));
    w.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("admin"));
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("btnOK")), Qt::LeftButton);
    ASSERT_TRUE(w.isLoggedIn());
    EXPECT_EQ(visibleTopMenus(w).size(), 10);

    w.menuAction(QStringLiteral("N6"))->trigger();  // faculty menu: FC
    w.menuAction(QStringLiteral("N211"))->trigger(); // finance submenu: KV
    const auto windows = w.mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    auto screenOf = [](QMdiSubWindow* w) { return static_cast<Screen*>(static_cast<ScreenWindow*>(w)->screen()); };
    EXPECT_EQ(screenOf(windows[0])->mode(), QStringLiteral("FC"));
    EXPECT_EQ(screenOf(windows[1])->mode(), QStringLiteral("KV"));
    EXPECT_EQ(w.loginContext().Cur_Mode, QStringLiteral("KV"));

    // the close box only minimises; the screen's exit button closes it
    windows[0]->close();
    QApplication::processEvents();
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(windows[0]->isMinimized());
    screenOf(windows[1])->closeScreen();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 1);

    for (const char* off : {"N68", "N69", "N70", "N4311"})
        EXPECT_FALSE(w.menuAction(QString::fromLatin1(off))->isEnabled()) << off;
    for (const MenuEntry& e : menuTable())
        if (e.kind == MenuEntry::Command && !e.disabled && !ScreenRegistry::instance().has(e.screen)) {
            EXPECT_FALSE(w.menuAction(e.name)->isEnabled()) << e.name.toStdString();
            EXPECT_EQ(w.menuAction(e.name)->toolTip(), QStringLiteral("ยังไม่เปิดให้ใช้งาน"));
        }
}

TEST_F(MainWindowTest, SectionSixHidesTheFinanceWorkItems)
{
    WELMORA_NEED_DB();
    TestDb t;
    TfrmMain_Welmora w(t.db());
    ASSERT_TRUE(w.FormCreate());
    w.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("finquery"));
    w.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("finquery"));
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("btnOK")), Qt::LeftButton);
    ASSERT_TRUE(w.isLoggedIn());
    EXPECT_EQ(visibleTopMenus(w), (QStringList{QStringLiteral("N41"), QStringLiteral("N4")}));
    EXPECT_FALSE(w.menuAction(QStringLiteral("d1"))->isVisible());
    EXPECT_FALSE(w.menuAction(QStringLiteral("FA1"))->isVisible());
    EXPECT_TRUE(w.menuAction(QStringLiteral("N42"))->isVisible());
}

TEST_F(MainWindowTest, OtherVersionEndsTheProgram)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.db().exec(QStringLiteral("UPDATE T_Version SET Version_NO = '24.0'"));
    TfrmMain_Welmora w(t.db());
    EXPECT_FALSE(w.FormCreate());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(QStringLiteral("โปรแกรมมีการเปลี่ยนแปลง Version แล้ว")));
}

// A new database has no known log-in: the program asks for its first
// administrator before anyone can log in, and ends when the clerk declines.
TEST_F(MainWindowTest, DatabaseWithoutUsersAsksForTheFirstAdministrator)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Reference);
    {
        TfrmMain_Welmora w(t.db());
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TfrmFirst_Admin*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->btnCancel->click();
        });
        EXPECT_FALSE(w.FormCreate());
    }
    TfrmMain_Welmora w(t.db());
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TfrmFirst_Admin*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->edtUser_Name->setText(QStringLiteral("boss"));
        dialog->edtPassword->setText(QStringLiteral("pw"));
        dialog->edtPassword2->setText(QStringLiteral("pw"));
        dialog->edtF_Name->setText(QStringLiteral("สมหญิง"));
        dialog->cmbFact_Code->setEditText(QStringLiteral("hq"));
        dialog->edtFact_Name->setText(QStringLiteral("สำนักงานใหญ่"));
        dialog->btnOK->click();
    });
    ASSERT_TRUE(w.FormCreate());
    w.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("boss"));
    w.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("pw"));
    w.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    EXPECT_TRUE(w.statusBar()->isVisibleTo(&w));
    EXPECT_FALSE(visibleTopMenus(w).isEmpty());
    EXPECT_FALSE(w.windowTitle().contains(LoginService::kDemoMark));
}

// A user with the password of his letter sets his own before any menu opens;
// declining leaves him at the log-in panel with the letter's password.
TEST_F(MainWindowTest, ThePasswordOfALetterIsReplacedAtTheFirstLogIn)
{
    WELMORA_NEED_DB();
    TestDb t;
    const QString given = UserService::issueInitialPasswords(t.db(), 2, 2, QStringLiteral("admin")).text(0, QStringLiteral("Password"));
    auto logIn = [](TfrmMain_Welmora& w, const QString& password) {
        w.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("clerk"));
        w.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(password);
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("btnOK")), Qt::LeftButton);
    };
    {
        TfrmMain_Welmora w(t.db());
        ASSERT_TRUE(w.FormCreate());
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TfrmChange_Password*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->btnCancel->click();
        });
        logIn(w, given);
        EXPECT_FALSE(w.isLoggedIn());
        EXPECT_TRUE(visibleTopMenus(w).isEmpty());
        EXPECT_TRUE(w.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->text().isEmpty());
        EXPECT_TRUE(test::markedToChange(t.db(), QStringLiteral("clerk")));
    }

    TfrmMain_Welmora w(t.db());
    ASSERT_TRUE(w.FormCreate());
    const struct { QString password, again, message; } tries[] = {
        {QString(), QString(), QStringLiteral("กรุณาใส่รหัสผ่าน (Password)")},
        {QStringLiteral("mine1"), QStringLiteral("mine2"), QStringLiteral("รหัสผ่านทั้งสองช่องไม่ตรงกัน กรุณาใส่ใหม่")},
        {given, given, QStringLiteral("รหัสผ่านใหม่ต้องไม่ซ้ำกับรหัสผ่านเดิม กรุณาใส่ใหม่")},
        {QStringLiteral("mine1"), QStringLiteral("mine1"), QStringLiteral("เปลี่ยนรหัสผ่านเรียบร้อยแล้ว")},
    };
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmChange_Password*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        for (const auto& attempt : tries) {
            ASSERT_TRUE(dialog->isVisible()) << "closed before: " << attempt.message.toStdString();
            QTest::keyClicks(dialog->edtNew_Password, attempt.password);
            QTest::keyClicks(dialog->edtNew_Password2, attempt.again);
            QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
        }
    });
    logIn(w, given);
    ASSERT_TRUE(w.isLoggedIn());
    EXPECT_FALSE(visibleTopMenus(w).isEmpty());
    QStringList expected;
    for (const auto& attempt : tries)
        expected << attempt.message;
    EXPECT_EQ(messages.texts, expected);
    EXPECT_FALSE(test::markedToChange(t.db(), QStringLiteral("clerk")));
    EXPECT_FALSE(w.loginContext().mustChangePassword);

    const auto start = LoginService::start(t.db());
    EXPECT_FALSE(LoginService::login(t.db(), start, QStringLiteral("clerk"), given));
    const auto mine = LoginService::login(t.db(), start, QStringLiteral("clerk"), QStringLiteral("mine1"));
    ASSERT_TRUE(mine);
    EXPECT_FALSE(mine->mustChangePassword);
    EXPECT_TRUE(test::usersWithPlainPasswords(t.db()).isEmpty());
}
