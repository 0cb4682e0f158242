// The layout check of every screen (tests/layout) on the finance screens with
// their lists and panels filled, which the demo data alone does not reach.
#include "../layout/LayoutCheck.cpp"

#include "FinanceFixture.h"
#include "MessageLog.h"
#include "common/widgets/Screen.h"
#include "common/widgets/ScreenWindow.h"
#include "finance/DocNumberService.h"
#include "finance/VoucherService.h"
#include "shell/UMain_Welmora.h"

#include <QPushButton>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

TEST(FinancePanels, EveryStateIsReadableWithItsListsFilled)
{
    WELMORA_NEED_DB();
    FinanceFixture f(test::TestDb::Demo);
    f.t.setToday(2025, 1, 20);
    // Claims of demo employees under control numbers of every kind, for the
    // administrator's own faculty (OP) and another.
    const Rows staff = f.db().select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry ORDER BY KV_ID"));
    auto control = [&](const char* fact, const char* type, const char* inOut, qint64 satang) {
        FinanceFixture::Claim c = FinanceFixture::of(QString::fromLatin1(type), QString::fromLatin1(inOut),
                                                     Money::fromSatang(satang));
        c.kvId = staff.text(int(satang % staff.count()), QStringLiteral("KV_ID"));
        c.fact = QString::fromLatin1(fact);
        return f.control({f.claim(c), f.claim(c)}, QString::fromLatin1(type), QString::fromLatin1(fact),
                         QStringLiteral("18/01/2568"));
    };
    QStringList op;
    for (const char* fact : {"OP", "SC"}) {
        op = {control(fact, "FAE", "0", 199999999), control(fact, "EDU", "E", 4500000), control(fact, "OTH", "M", 1234567),
              control(fact, "COP", "1", 99), control(fact, "OVM", "0", 100000000)};
        const QString pvr = Vouchers::make(f.db(), test::financeClerk(), QString::fromLatin1(fact), op.mid(0, 3),
                                           QStringLiteral("นางสาวมาลี ใจดี"));
        DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr, QString(40, QLatin1Char('0')), QString(40, QLatin1Char('0')),
                                QStringLiteral("22/01/2568"));
        DocNumbers::savePayment(f.db(), test::financeClerk(), pvr, QString(40, QLatin1Char('0')), QStringLiteral("23/01/2568"));
    }

    TfrmMain_Welmora main(f.db());
    main.resize(1280, 800);
    ASSERT_TRUE(main.FormCreate());
    main.show();
    main.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("admin"));
    main.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("admin"));
    main.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    ASSERT_TRUE(main.isLoggedIn());
    test::settle();
    registerAllScreens();
    test::MessageLog messages;

    struct Expect {
        const char* screen;
        const char* mode;
        int states;
    };
    const Expect screens[] = {
        {"TfrmSum_PV", "FC", 2},          {"TfrmSum_PV", "KV", 2},
        {"TfrmRe_Print_Sum_PV", "", 3},   {"TfrmEntry_Depart_DocNo", "", 3},
        {"TfrmEntry_PV_Doc", "", 3},      {"TfrmCancel_Sent_KV_Doc", "", 3},
        {"TfrmCancel_Sum_PV", "", 3},     {"TfrmImp_Excel_Income", "", 2},
    };
    QStringList faults;
    for (const Expect& e : screens) {
        LoginContext context = main.loginContext();
        context.Cur_Mode = QString::fromLatin1(e.mode);
        const QString where = QStringLiteral("%1 in mode \"%2\"").arg(QString::fromLatin1(e.screen), context.Cur_Mode);
        ScreenWindow* window = openScreen(main.mdiArea(), QString::fromLatin1(e.screen), ScreenContext{f.db(), context},
                                          QString::fromLatin1(e.screen));
        ASSERT_NE(window, nullptr) << where.toStdString();
        test::settle();
        auto* screen = qobject_cast<Screen*>(window->screen());
        ASSERT_NE(screen, nullptr);
        const QStringList states = screen->panelStates();
        EXPECT_EQ(states.size(), e.states) << where.toStdString();
        for (const QString& state : states) {
            messages.seen.clear();
            screen->showPanelState(state);
            test::settle();
            for (const QString& fault : test::layoutFaults(window, main.mdiArea()))
                faults << QStringLiteral("%1, %2: %3").arg(where, state, fault);
            if (!messages.seen.isEmpty())
                faults << QStringLiteral("%1, %2 was not reached: %3").arg(where, state, messages.seen.join(QStringLiteral("; ")));
        }
        window->closeForGood();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}
