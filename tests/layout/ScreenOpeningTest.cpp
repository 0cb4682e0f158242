#include "LayoutCheck.h"
#include "MessageLog.h"
#include "TestDb.h"
#include "common/widgets/Screen.h"
#include "common/widgets/ScreenRegistry.h"
#include "common/widgets/ScreenWindow.h"
#include "shell/MenuTable.h"
#include "shell/UMain_Welmora.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

using namespace wel;
using namespace wel::test;

// A screen whose opening queries fail shows the error and stays closed; it
// never opens half set up. Every registered screen is opened in each mode
// on a database without tables, where every query fails.
TEST(ScreenOpening, AFailedOpeningQueryShowsTheErrorAndOpensNothing)
{
    WELMORA_NEED_DB();
    TestDb t;
    TestDb broken(TestDb::Empty);
    registerAllScreens();
    TfrmMain_Welmora main(t.db());
    ASSERT_TRUE(main.FormCreate());
    main.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("admin"));
    main.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("admin"));
    main.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    ASSERT_TRUE(main.isLoggedIn());
    MessageLog messages;
    for (const QString& name : ScreenRegistry::instance().names())
        for (const QString& mode : {QString(), QStringLiteral("FC"), QStringLiteral("KV")}) {
            messages.seen.clear();
            LoginContext context = main.loginContext();
            context.Cur_Mode = mode;
            ScreenWindow* window = openScreen(main.mdiArea(), name, ScreenContext{broken.db(), context}, name);
            if (!messages.seen.isEmpty()) {
                EXPECT_EQ(window, nullptr) << name.toStdString() << " opened after " << messages.last().toStdString();
                EXPECT_TRUE(messages.last().startsWith(QStringLiteral("error: "))) << messages.last().toStdString();
            }
            if (window) {
                window->closeForGood();
                QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }

    // the employee screen reads the faculty list as it opens: from its menu
    // command, it does not open when the list cannot be read
    t.db().exec(QStringLiteral("ALTER TABLE T_Fact RENAME TO T_Fact_Gone"));
    messages.seen.clear();
    EXPECT_EQ(main.runMenuCommand(QStringLiteral("N29")), nullptr);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 0);
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].startsWith(QStringLiteral("error: ")));
}
