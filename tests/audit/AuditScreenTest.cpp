#include "../claims/ClaimsFixture.h"
#include "../excel/XlsxReadBack.h"
#include "MessageLog.h"
#include "ScreenFixture.h"
#include "audit/UAudit_Log.h"
#include "common/Audit.h"
#include "common/widgets/CodeListCombo.h"

#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

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

// Sorted by a heading, the grid exports its rows in the order it shows them.
TEST(AuditScreen, ExportsTheRowsInTheOrderShown)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), {});
    for (int i = 0; i < 3; ++i)
        claims::ClaimEntry::save(f.db, f.login(), claims::outpatient(), draft(kv, {receipt(0, baht(10 + i))}));
    LoginContext admin = f.login(QStringLiteral(""), QStringLiteral("OP"));
    admin.Cur_Username = QStringLiteral("admin");
    MessageLog messages;
    QTemporaryDir dir;
    qputenv("WELMORA_EXPORT_DIR", QFile::encodeName(dir.path()));

    TfrmAudit_Log screen(ScreenContext{f.db, admin});
    screen.show();
    ASSERT_TRUE(control<CodeListCombo>(&screen, "cmbUser")->setCode(QStringLiteral("clerk")));
    press(&screen, "btnShow");
    const int rows = rowsIn(&screen, "StringGrid1");
    ASSERT_GE(rows, 3);
    control<QTableView>(&screen, "StringGrid1")->sortByColumn(5, Qt::DescendingOrder);
    QStringList shown;
    for (int r = 0; r < rows; ++r)
        shown << cell(&screen, "StringGrid1", r, 5);
    ASSERT_NE(shown.first(), cell(&screen, "StringGrid1", rows - 1, 5)) << "the sort changed the order";
    press(&screen, "btnExcel");
    qunsetenv("WELMORA_EXPORT_DIR");

    const QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.xlsx")});
    ASSERT_EQ(files.size(), 1);
    const XlsxReadBack book(dir.filePath(files.first()));
    ASSERT_TRUE(book.ok());
    // The rows follow the headings, under the title.
    int heading = 1;
    while (heading < 20 && book.cell(QStringLiteral("F%1").arg(heading)).value != AuditLog::headings().value(5))
        ++heading;
    QStringList exported;
    for (int r = heading + 1; r <= heading + rows; ++r)
        exported << book.cell(QStringLiteral("F%1").arg(r)).value;
    EXPECT_EQ(exported, shown);
}
