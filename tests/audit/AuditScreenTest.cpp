#include "../claims/ClaimsFixture.h"
#include "MessageLog.h"
#include "ScreenFixture.h"
#include "audit/UAudit_Log.h"
#include "common/Audit.h"
#include "common/widgets/CodeListCombo.h"

#include <QTableView>

using namespace wel;
using namespace wel::test;

// The administrator finds a clerk's claim by user and key; a filter that
// matches nothing says so and empties the grid.
TEST(AuditScreen, FiltersTheTrailIntoTheGrid)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), {});
    const QString claim =
        claims::ClaimEntry::save(f.db, f.login(), claims::outpatient(), draft(kv, {receipt(0, baht(99.5))})).claimNo;
    LoginContext admin = f.login(QStringLiteral(""), QStringLiteral("OP"));
    admin.Cur_Username = QStringLiteral("admin");
    MessageLog messages;

    TfrmAudit_Log screen(ScreenContext{f.db, admin});
    screen.show();
    EXPECT_EQ(textOf(&screen, "edtDate_From"), QStringLiteral("15/11/2567")) << "today's work first";
    ASSERT_TRUE(control<CodeListCombo>(&screen, "cmbUser")->setCode(QStringLiteral("clerk")));
    type(&screen, "edtKey", claim);
    press(&screen, "btnShow");
    EXPECT_TRUE(messages.seen.isEmpty()) << messages.last().toStdString();
    ASSERT_EQ(rowsIn(&screen, "StringGrid1"), 1);
    EXPECT_EQ(cell(&screen, "StringGrid1", 0, 2), QStringLiteral("clerk"));
    EXPECT_EQ(cell(&screen, "StringGrid1", 0, 4), audit::labelOf(audit::kClaimMade));
    EXPECT_EQ(cell(&screen, "StringGrid1", 0, 5), claim);
    EXPECT_TRUE(cell(&screen, "StringGrid1", 0, 6).contains(QStringLiteral("99.50")));

    ASSERT_TRUE(control<CodeListCombo>(&screen, "cmbOperation")->setCode(QStringLiteral("CLAIM_CANCEL")));
    press(&screen, "btnShow");
    EXPECT_EQ(messages.texts.value(0), QStringLiteral("ไม่พบข้อมูล"));
    EXPECT_EQ(rowsIn(&screen, "StringGrid1"), 0);
}
