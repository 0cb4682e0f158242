#include "ImportFixture.h"
#include "AdminRun.h"

#include "common/excel/Worksheet.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace wel;
using namespace wel::test;

// An administrator imports the personnel office's workbook and makes the
// coming year's rows without opening a window.
TEST(AdminImport, ImportEmployeesThenGenerateTheYear)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    adminLogin(db);
    const QString url = t.url().display();
    const QString workbook = fixture("employees.ods");
    const qint64 employees = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));

    const AdminRun dry = admin({QStringLiteral("import"), QStringLiteral("employees"), workbook, QStringLiteral("--db"),
                                url, QStringLiteral("--dry-run")});
    ASSERT_EQ(dry.code, 0) << dry.output.toStdString();
    EXPECT_TRUE(dry.output.contains(QStringLiteral("employees added: 4, already present: 0, family members added: 7")))
        << dry.output.toStdString();
    EXPECT_TRUE(dry.output.contains(QStringLiteral("refused แถวที่ 8 ในแฟ้ม (No. 4, SC5900000106) : ไม่มีชื่อหรือนามสกุลพนักงาน")))
        << dry.output.toStdString();
    EXPECT_TRUE(dry.output.contains(QStringLiteral("dry run")));
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees);

    const AdminRun real = admin({QStringLiteral("import"), QStringLiteral("employees"), workbook, QStringLiteral("--db"), url});
    ASSERT_EQ(real.code, 0) << real.output.toStdString();
    EXPECT_TRUE(real.output.contains(QStringLiteral("rows refused: 6"))) << real.output.toStdString();
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees + 4);
    const AdminRun again = admin({QStringLiteral("import"), QStringLiteral("employees"), workbook, QStringLiteral("--db"), url});
    EXPECT_TRUE(again.output.contains(QStringLiteral("employees added: 0, already present: 4"))) << again.output.toStdString();

    const qint64 active = countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Emp_Status = 'A'"));
    const AdminRun year = admin({QStringLiteral("generate-year"), QStringLiteral("2590"), QStringLiteral("--db"), url});
    ASSERT_EQ(year.code, 0) << year.output.toStdString();
    EXPECT_TRUE(year.output.contains(QStringLiteral("year 2590: yearly rows added: %1, already present: 0").arg(active)))
        << year.output.toStdString();
    EXPECT_EQ(countOf(db, QStringLiteral("T_Year_Cur_Health WHERE Pay_Year = '2590'")), active);

    const AdminRun bad = admin({QStringLiteral("generate-year"), QStringLiteral("2025"), QStringLiteral("--db"), url});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.output.contains(QStringLiteral("ปีไม่ถูกต้อง")));
    const AdminRun missing = admin({QStringLiteral("import"), QStringLiteral("employees"),
                                    fixture("no-such-file.xlsx"), QStringLiteral("--db"), url});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.output.contains(QStringLiteral("ไม่สามารถเปิดแฟ้ม"))) << missing.output.toStdString();
}

// A workbook with a stray cell in the last row used to keep the command
// busy for minutes: it ends at once with the file and the limit named.
TEST(AdminImport, AWorkbookBeyondTheLimitsEndsWithItsMessage)
{
    WELMORA_NEED_DB();
    TestDb t;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stray.xlsx"));
    excel::Worksheet sheet(QStringLiteral("Sheet1"));
    sheet.setText(5, 2, QStringLiteral("SC5900000101"));
    sheet.setText(1048576, 16384, QStringLiteral("x"));
    sheet.save(path);
    const AdminRun run = admin({QStringLiteral("import"), QStringLiteral("employees"), path, QStringLiteral("--db"),
                                t.url().display()});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.output.contains(QStringLiteral("แฟ้ม %1 มีข้อมูลถึงแถวที่ 1,048,576 (เซลล์ XFD1048576)").arg(path)))
        << run.output.toStdString();
}

