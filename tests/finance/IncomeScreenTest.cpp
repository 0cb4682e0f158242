#include "MessageLog.h"
#include "QtPrint.h"
#include "ScreenFixture.h"
#include "TestDb.h"
#include "common/excel/Worksheet.h"
#include "finance/UImp_Excel_Income.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel;

namespace {

// The income workbooks the workbook reader is tested on.
QString excelFixture(const char* name)
{
    return QDir::cleanPath(QStringLiteral(WELMORA_TEST_FIXTURES "/../../excel/fixtures/") + QString::fromLatin1(name));
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList row(QWidget* screen, int r, int columns)
{
    QStringList l;
    for (int c = 0; c < columns; ++c)
        l << test::cell(screen, "StringGrid1", r, c);
    return l;
}

// Chooses the file in the screen's file panel as the clerk does.
void open(QWidget* screen, const QString& path)
{
    test::press(screen, "btnSelect");
    ASSERT_TRUE(test::control<QWidget>(screen, "FileListBox1")->isVisible());
    test::type(screen, "edtFile_Name", path);
    test::press(screen, "btnOpen");
}

} // namespace

TEST(ImpExcelIncomeScreen, ShowsTheRowsOfEachKindOfWorkbookWithoutChangingIt)
{
    test::TestDb t(test::TestDb::Schema);
    test::MessageLog messages;
    LoginContext login;
    login.Cur_Date = QStringLiteral("20/01/2568");
    TfrmImp_Excel_Income screen(ScreenContext{t.db(), login});
    screen.resize(1280, 760);
    screen.show();
    auto* grid = test::control<QTableView>(&screen, "StringGrid1")->model();
    EXPECT_EQ(grid->columnCount(), 11);
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());

    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("รายรับ มกราคม.xlsx"));
    excel::Worksheet sheet(QStringLiteral("Sheet1"));
    sheet.setText(1, 1, QStringLiteral("รายงานเงินรับ"));
    const QStringList first{QStringLiteral("1"),    QStringLiteral("คณะวิทยาศาสตร์"), QStringLiteral("40"),
                            QStringLiteral("900000"), QStringLiteral("35000"),      QStringLiteral("27000"),
                            QStringLiteral("962000"), QStringLiteral("96200"),      QStringLiteral("27000"),
                            QStringLiteral("838800")};
    for (int c = 0; c < first.size(); ++c)
        sheet.setText(5, c + 1, first[c]);
    sheet.setText(7, 1, QStringLiteral("3")); // after the gap in column A: not read
    sheet.save(xlsx);

    for (const QString& path : {excelFixture("income.xls"), excelFixture("income.ods")}) {
        const QByteArray before = bytesOf(path);
        const QDateTime modified = QFileInfo(path).lastModified();
        ASSERT_FALSE(before.isEmpty()) << path.toStdString();
        open(&screen, path);
        EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());
        ASSERT_EQ(grid->rowCount(), 2) << path.toStdString();
        EXPECT_EQ(row(&screen, 0, 6), (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("คณะแพทยศาสตร์"),
                                                   QStringLiteral("12"), QStringLiteral("1234.5"),
                                                   QStringLiteral("15/01/2551")}));
        EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 0), QStringLiteral("2"));
        EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 2), QStringLiteral("คณะวิศวกรรมศาสตร์"));
        EXPECT_EQ(bytesOf(path), before);
        EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    }

    // A second workbook replaces the rows of the first.
    open(&screen, xlsx);
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(row(&screen, 0, 11), QStringList{QStringLiteral("1")} + first);
    EXPECT_EQ(test::control<QLabel>(&screen, "lblFile_Name")->text(), QStringLiteral("รายรับ มกราคม.xlsx"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("รายรับ มกราคม.xlsx")});

    const QString notes = dir.filePath(QStringLiteral("notes.xls"));
    QFile text(notes);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("1,SC,40\n");
    text.close();
    open(&screen, notes);
    EXPECT_EQ(grid->rowCount(), 0);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(notes)) << messages.texts[0].toStdString();

    test::press(&screen, "btnSelect");
    test::press(&screen, "btnCancel");
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());
    EXPECT_FALSE(test::control<QWidget>(&screen, "btnSave")->isEnabled());
}
