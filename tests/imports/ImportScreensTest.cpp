#include "ImportFixture.h"
#include "ScreenFixture.h"
#include "common/excel/Worksheet.h"
#include "personnel/BulkUpdates.h"
#include "personnel/UImp_Emp_Histry_Excel.h"
#include "personnel/UUpdate_Flexible_Benefit.h"
#include "personnel/UUpdate_data.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace wel;
using namespace wel::test;

namespace {

// The screens remember the last workbook folder in the user's settings:
// keep the tests' own apart.
struct ScreenTest : ::testing::Test {
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
};

// Chooses a file in a screen's file panel as a user does.
void openFile(QWidget* screen, const char* button, const char* panelName, const QString& path)
{
    press(screen, button);
    QWidget* panel = control(screen, panelName);
    ASSERT_TRUE(panel->isVisible()) << panelName;
    type(panel, "edtFile_Name", path);
    press(panel, "btnOpen");
    EXPECT_FALSE(panel->isVisible()) << panelName;
}

QStringList lines(QWidget* screen, const char* list)
{
    QStringList l;
    auto* w = control<QListWidget>(screen, list);
    for (int i = 0; i < w->count(); ++i)
        l << w->item(i)->text();
    return l;
}

} // namespace

TEST_F(ScreenTest, ImportScreenShowsTheRefusedRowsImportsTheRestAndMakesTheYear)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    MessageLog log;
    const LoginContext login = adminLogin(db);
    TfrmImp_Emp_Histry_Excel s(ScreenContext{db, login});
    s.resize(1280, 760);
    s.show();
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    EXPECT_EQ(textOf(&s, "edtGen_Year_Health"), login.Cur_Bud_Year);

    openFile(&s, "btnSelect", "Panel2", fixture("employees.xlsx"));
    auto* grid = control<QTableView>(&s, "StringGrid1");
    EXPECT_EQ(grid->model()->columnCount(), 39);
    ASSERT_EQ(grid->model()->rowCount(), 10);
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 10), QStringLiteral("3100000000101"));
    for (int column : {1, 10, 12})
        EXPECT_GT(grid->columnWidth(column), grid->fontMetrics().horizontalAdvance(cell(&s, "StringGrid1", 0, column)))
            << "column " << column << " cuts its values";
    EXPECT_EQ(textOf(&s, "edtFact_code"), QStringLiteral("SC"));
    const QStringList refused = lines(&s, "lstRefused");
    ASSERT_EQ(refused.size(), 6);
    EXPECT_EQ(refused[0], QStringLiteral("แถวที่ 7 ในแฟ้ม (No. 3, SC5900000105) : ") + imports::reasonBadType(QStringLiteral("4")));
    auto shade = [&](int row) { return grid->model()->index(row, 1).data(Qt::BackgroundRole); };
    EXPECT_NE(shade(2), shade(0)) << "refused rows are marked";
    // The mark stays with the refused row when the clerk sorts by a heading.
    const QString refusedId = cell(&s, "StringGrid1", 2, 10), acceptedId = cell(&s, "StringGrid1", 0, 10);
    grid->sortByColumn(10, Qt::DescendingOrder);
    auto shadeOf = [&](const QString& id) {
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (cell(&s, "StringGrid1", row, 10) == id)
                return shade(row);
        return QVariant();
    };
    ASSERT_NE(cell(&s, "StringGrid1", 2, 10), refusedId) << "the sort moved the row";
    EXPECT_TRUE(shadeOf(refusedId).isValid());
    EXPECT_FALSE(shadeOf(acceptedId).isValid());
    EXPECT_TRUE(log.seen.isEmpty()) << log.seen.join(QLatin1Char('\n')).toStdString();

    const qint64 employees = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));
    log.ok = false;
    press(&s, "btnUpd_Data");
    EXPECT_TRUE(log.last().startsWith(QStringLiteral("confirm: มีแถวที่นำเข้าไม่ได้ 6 แถว"))) << log.last().toStdString();
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees) << "Cancel stops";
    log.ok = true;
    press(&s, "btnUpd_Data");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees + 4);
    EXPECT_EQ(control<QLabel>(&s, "L_Order")->text(), QStringLiteral("ลำดับที่ 4 : Emp_ID = SC5900000104"));
    EXPECT_EQ(textOf(&s, "edtEmp_Name_G"), QStringLiteral("เอกชัย บุญประเสริฐ"));
    EXPECT_EQ(control<QProgressBar>(&s, "ProgressBar1")->value(), 4);

    // "Update วันที่บรรจุ" only asks.
    const int shown = int(log.seen.size());
    press(&s, "btnUpd_Date");
    EXPECT_EQ(log.seen.size(), shown + 1);
    EXPECT_EQ(log.last(), QStringLiteral("confirm: ยืนยันการปรับปรุงข้อมูล "));

    db.exec(QStringLiteral("INSERT INTO PerHistry (PersonId, Bank_Account_No) VALUES ('3100000000101', '123-4-56789')"));
    press(&s, "btnUpdate_Account");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการปรับปรุงข้อมูลเรียบร้อยแล้ว"));
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Bank_Account_No = '123-4-56789'")), 1);

    type(&s, "edtGen_Year_Health", QStringLiteral("2590"));
    press(&s, "btnGen_Health_Current_year");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว "));
    const qint64 active = countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Emp_Status = 'A'"));
    EXPECT_EQ(countOf(db, QStringLiteral("T_Year_Cur_Health WHERE Pay_Year = '2590'")), active);
    EXPECT_EQ(control<QProgressBar>(&s, "ProgressBar2")->value(), active);

    // A file that is no workbook: the message, and an empty grid.
    openFile(&s, "btnSelect", "Panel2", fixture("make_fixtures.py"));
    EXPECT_TRUE(log.last().startsWith(QStringLiteral("warning: แฟ้ม "))) << log.last().toStdString();
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(ScreenTest, UpdateDataScreenAlignsNamesAndAppliesBothWorkbooks)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    MessageLog log;
    const LoginContext login = adminLogin(db);
    for (int n = 1; n <= 4; ++n)
        addEmployee(db, QStringLiteral("KV2567/00090%1").arg(n), QString(), QStringLiteral("320000000090%1").arg(n),
                    QStringLiteral("ก"), QStringLiteral("ข"), QStringLiteral("SC"), QStringLiteral("2"));
    addYearRow(db, QStringLiteral("KV2567/000902"), login.Cur_Bud_Year, 20000, 0);
    const QString own = db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Folk WHERE Emp_Folk = '0' ORDER BY KV_ID"))
                            .text(0, QStringLiteral("KV_ID"));
    db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_F_Name = 'ชื่อเก่า' WHERE KV_ID = ? AND Emp_Folk = '0'"), {own});

    TfrmUpdate_data s(ScreenContext{db, login});
    s.resize(1280, 760);
    s.show();
    EXPECT_FALSE(control(&s, "Panel2")->isVisible());
    EXPECT_FALSE(control(&s, "Panel3")->isVisible());
    EXPECT_EQ(textOf(&s, "edtLeave_Year"), login.Cur_Bud_Year);
    EXPECT_EQ(textOf(&s, "edtUpdate_year4"), login.Cur_Bud_Year);

    press(&s, "btnUpdate_Folk");
    EXPECT_EQ(log.texts.mid(log.texts.size() - 3),
              QStringList({QStringLiteral("ยืนยันการบันทึกข้อมูล "), QStringLiteral("จำนวนรายการ = 1 รายการ "),
                           QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว")}));
    ASSERT_EQ(lines(&s, "ListBox1").size(), 1);
    EXPECT_TRUE(lines(&s, "ListBox1")[0].contains(QStringLiteral("ชื่อ ชื่อเก่า")));

    openFile(&s, "btnImport_Leave", "Panel2", fixture("leaving.xlsx"));
    EXPECT_EQ(rowsIn(&s, "StringGrid1"), 6);
    press(&s, "btnUpdate_Leave");
    ASSERT_GE(log.seen.size(), 2);
    const QString warning = log.seen[log.seen.size() - 2];
    EXPECT_EQ(warning.count(BulkUpdates::kHasClaims), 1) << warning.toStdString();
    EXPECT_TRUE(warning.startsWith(QStringLiteral("warning: แถวที่ 3 ในแฟ้ม (No. 2, KV2567/000902) : "))) << warning.toStdString();
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    EXPECT_EQ(lines(&s, "lstRefused").size(), 4);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Emp_Status = 'O' AND KV_ID LIKE 'KV2567/0009%'")), 2);

    openFile(&s, "btnImport_Type", "Panel3", fixture("righttypes.xlsx"));
    EXPECT_EQ(rowsIn(&s, "StringGrid2"), 5);
    press(&s, "btnUpdate_Type");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    EXPECT_EQ(db.select(QStringLiteral("SELECT Emp_H_Type FROM T_Emp_Gov_Histry WHERE KV_ID = 'KV2567/000902'"))
                  .text(0, QStringLiteral("Emp_H_Type")),
              QStringLiteral("3"));
    EXPECT_EQ(db.select(QStringLiteral("SELECT Fact_T_H_Money FROM T_Year_Cur_Health WHERE KV_ID = 'KV2567/000902'"))
                  .money(0, QStringLiteral("Fact_T_H_Money")),
              Money::fromBaht(2000000000));
}

TEST_F(ScreenTest, FlexibleBenefitSaveWaitsForAPassedTestOfTheLoadedWorkbook)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    MessageLog log;
    const LoginContext login = adminLogin(db);
    addEmployee(db, QStringLiteral("KV2567/000951"), QString(), QStringLiteral("3300000000001"), QStringLiteral("ก"),
                QStringLiteral("ข"), QStringLiteral("SC"), QStringLiteral("2"));
    addYearRow(db, QStringLiteral("KV2567/000951"), login.Cur_Bud_Year, 20000, 1000);

    // A workbook of one applicant whom the test passes.
    QTemporaryDir dir;
    const QString passing = dir.filePath(QStringLiteral("applicants.xlsx"));
    excel::Worksheet sheet;
    const QStringList row = {"'3300000000001", "นาย", "ก", "ข", "อาจารย์", "SC", "เคมี", "01/06/2558", "2",
                             "พนักงานมหาวิทยาลัย"};
    for (int c = 0; c < row.size(); ++c) {
        sheet.setText(1, c + 1, QStringLiteral("h%1").arg(c));
        sheet.setText(2, c + 1, row[c]);
    }
    sheet.save(passing);

    TfrmUpdate_Flexible_Benefit s(ScreenContext{db, login});
    s.resize(1280, 760);
    s.show();
    EXPECT_EQ(textOf(&s, "edtYear_Flexben"), login.Cur_Bud_Year);
    EXPECT_FALSE(control(&s, "Panel3")->isVisible());
    EXPECT_FALSE(control(&s, "btnSave")->isEnabled());
    EXPECT_FALSE(control(&s, "btnUpdate_Limit")->isEnabled());
    EXPECT_FALSE(control(&s, "btnUpdate_Status")->isEnabled());

    openFile(&s, "btnImport", "Panel2", fixture("flexben.xlsx"));
    EXPECT_EQ(rowsIn(&s, "StringGrid1"), 5);
    press(&s, "btnTest");
    ASSERT_TRUE(control(&s, "Panel3")->isVisible());
    press(&s, "btnTest_Update");
    EXPECT_EQ(rowsIn(&s, "StringGrid2"), 5);
    EXPECT_EQ(control<QLabel>(&s, "Label8")->text(), QStringLiteral("จำนวนคนที่ ชื่อ-นามสกุล ตรง แต่ SSN ไม่ตรง : 0 คน "));
    EXPECT_FALSE(control(&s, "btnSave")->isEnabled()) << "a refused row blocks the save";

    openFile(&s, "btnImport", "Panel2", passing);
    press(&s, "btnTest_Update");
    EXPECT_EQ(cell(&s, "StringGrid2", 0, 10), QStringLiteral("1.2 มีการเบิกค่ารักษาแล้ว"));
    EXPECT_TRUE(control(&s, "btnSave")->isEnabled());
    type(&s, "edtYear_Flexben", QStringLiteral("2590"));
    EXPECT_FALSE(control(&s, "btnSave")->isEnabled()) << "tested for another year";
    type(&s, "edtYear_Flexben", login.Cur_Bud_Year);
    press(&s, "btnTest_Update");
    openFile(&s, "btnImport", "Panel2", passing);
    EXPECT_FALSE(control(&s, "btnSave")->isEnabled()) << "a workbook loaded again must be tested again";
    press(&s, "btnTest_Update");
    press(&s, "btnSave");
    EXPECT_EQ(log.last(), QStringLiteral("info: ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
    EXPECT_EQ(db.select(QStringLiteral("SELECT M_Flexben FROM T_Year_Cur_Health WHERE KV_ID = 'KV2567/000951'"))
                  .money(0, QStringLiteral("M_Flexben")),
              Money::fromBaht(5000));
    EXPECT_FALSE(control(&s, "btnSave")->isEnabled());

    qputenv("WELMORA_EXPORT_DIR", dir.filePath(QStringLiteral("exports")).toUtf8());
    const QString exported = s.exportGrid(true);
    qunsetenv("WELMORA_EXPORT_DIR");
    EXPECT_TRUE(exported.startsWith(dir.filePath(QStringLiteral("exports"))));
    EXPECT_GT(QFileInfo(exported).size(), 1000);
}
