#include "QtPrint.h"
#include "StoredZip.h"
#include "common/AppError.h"
#include "common/excel/WorkbookReader.h"
#include "common/excel/Worksheet.h"
#include "common/excel/ZipPackage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel::excel;

namespace {

QString fixture(const char* name)
{
    return QDir(QStringLiteral(WELMORA_TEST_FIXTURES)).filePath(QString::fromUtf8(name));
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The message readFirstSheet gives for path, or "" when it reads.
QString readError(const QString& path)
{
    try {
        readFirstSheet(path);
    } catch (const wel::AppError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(ExcelReader, ReadsXlsAndOdsUntilTheKeyCellIsEmpty)
{
    const QList<QStringList> expected = {
        {QStringLiteral("1"), QStringLiteral("คณะแพทยศาสตร์"), QStringLiteral("12"),
         QStringLiteral("1234.5"), QStringLiteral("15/01/2551")},
        {QStringLiteral("2"), QStringLiteral("คณะวิศวกรรมศาสตร์"), QStringLiteral("3"),
         QStringLiteral("250000"), QStringLiteral("15/01/2551")},
    };
    for (const char* name : {"income.xls", "income.ods"}) {
        const QString path = fixture(name);
        const QByteArray before = fileBytes(path);
        const QDateTime modified = QFileInfo(path).lastModified();
        ASSERT_FALSE(before.isEmpty()) << name;

        const SheetData sheet = readFirstSheet(path);
        EXPECT_EQ(sheet.name, QStringLiteral("รายรับ")) << name;
        EXPECT_EQ(sheet.cell("A1"), QStringLiteral("รายงานเงินรับ")) << name;
        EXPECT_EQ(sheet.cell("B4"), QStringLiteral("หน่วยงาน")) << name;
        // Row 7's key cell is empty: row 8 is there but not read.
        EXPECT_EQ(sheet.cell("B8"), QStringLiteral("หลังช่องว่าง")) << name;
        EXPECT_EQ(sheet.rowsUntilEmptyKey(5, 1, 5), expected) << name;
        EXPECT_TRUE(sheet.rowsUntilEmptyKey(7, 1, 5).isEmpty()) << name;

        EXPECT_EQ(fileBytes(path), before) << name;
        EXPECT_EQ(QFileInfo(path).lastModified(), modified) << name;
    }
}

TEST(ExcelReader, RefusesWhatIsNotAWholeWorkbook)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.xlsx"));
    Worksheet sheet(QStringLiteral("Sheet1"));
    for (int r = 1; r <= 200; ++r)
        sheet.setText(r, 1, QStringLiteral("แถวที่ %1").arg(r));
    sheet.save(good);
    const QByteArray xlsx = fileBytes(good);
    ASSERT_EQ(detectWorkbookFormat(xlsx), WorkbookFormat::Xlsx);

    const QString cut = dir.filePath(QStringLiteral("cut.xlsx"));
    writeBytes(cut, xlsx.left(xlsx.size() / 2));
    const QString text = dir.filePath(QStringLiteral("notes.xlsx"));
    writeBytes(text, QByteArrayLiteral("ลำดับที่,หน่วยงาน\n1,คณะ\n"));
    const QString cutXls = dir.filePath(QStringLiteral("cut.xls"));
    writeBytes(cutXls, fileBytes(fixture("income.xls")).left(1500));
    // The archive is whole but the sheet inside it stops half-way.
    const ZipPackage package(xlsx);
    QList<QPair<QString, QByteArray>> parts, cutParts;
    for (const QString& name : package.entryNames()) {
        const QByteArray data = package.entry(name);
        parts.append({name, data});
        // Cut after a whole row, where a parser may simply stop.
        const qsizetype rowEnd = data.indexOf("</row>", data.size() / 2) + 6;
        cutParts.append({name, name == u"xl/worksheets/sheet1.xml" ? data.left(rowEnd) : data});
    }
    const QString repacked = dir.filePath(QStringLiteral("repacked.xlsx"));
    writeBytes(repacked, wel::test::storedZip(parts));
    ASSERT_EQ(readFirstSheet(repacked).rowsUntilEmptyKey(1, 1, 1).size(), 200);
    const QString cutSheet = dir.filePath(QStringLiteral("cut-sheet.xlsx"));
    writeBytes(cutSheet, wel::test::storedZip(cutParts));
    const QString empty = dir.filePath(QStringLiteral("empty.xlsx"));
    writeBytes(empty, QByteArray());

    struct Case { QString path; QString message; };
    const Case cases[] = {
        {cut, QStringLiteral("แฟ้ม %1 เสียหายหรือไม่สมบูรณ์ อ่านข้อมูลไม่ได้").arg(cut)},
        {cutSheet, QStringLiteral("แฟ้ม %1 เสียหายหรือไม่สมบูรณ์ อ่านข้อมูลไม่ได้").arg(cutSheet)},
        {cutXls, QStringLiteral("แฟ้ม %1 เสียหายหรือไม่สมบูรณ์ อ่านข้อมูลไม่ได้").arg(cutXls)},
        {text, QStringLiteral("แฟ้ม %1 ไม่ใช่แฟ้ม Excel (.xlsx, .xls) หรือแฟ้ม .ods จึงอ่านข้อมูลไม่ได้").arg(text)},
        {empty, QStringLiteral("แฟ้ม %1 ไม่ใช่แฟ้ม Excel (.xlsx, .xls) หรือแฟ้ม .ods จึงอ่านข้อมูลไม่ได้").arg(empty)},
        {dir.filePath(QStringLiteral("missing.xlsx")),
         QStringLiteral("ไม่สามารถเปิดแฟ้ม %1 ได้").arg(dir.filePath(QStringLiteral("missing.xlsx")))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readError(c.path), c.message);
    EXPECT_EQ(fileBytes(text), QByteArrayLiteral("ลำดับที่,หน่วยงาน\n1,คณะ\n"));
}

// Tools other than the spreadsheet program name the sheet by an absolute
// path and keep cell texts inline; orcus alone read such a sheet as empty.
TEST(ExcelReader, ReadsSheetsNamedByAbsolutePathsAndInlineTexts)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base.xlsx"));
    Worksheet sheet(QStringLiteral("Sheet1"));
    sheet.setText(1, 1, QStringLiteral("x"));
    sheet.save(base);
    const QByteArray cells = QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>KV2567/000901</t></is></c>"
        "<c r=\"B1\" t=\"n\"><v>3200000000901</v></c></row>"
        "<row r=\"2\"><c r=\"C2\" t=\"inlineStr\"><is><r><t>\xE0\xB8\xAA\xE0\xB8\xA1</t></r>"
        "<r><t>\xE0\xB8\x8A\xE0\xB8\xB2\xE0\xB8\xA2</t></r></is></c></row>"
        "</sheetData></worksheet>");
    const ZipPackage package(fileBytes(base));
    QList<QPair<QString, QByteArray>> parts;
    bool renamed = false;
    for (const QString& name : package.entryNames()) {
        QByteArray data = package.entry(name);
        if (name == u"xl/_rels/workbook.xml.rels" && data.contains("Target=\"worksheets/sheet1.xml\"")) {
            data.replace("Target=\"worksheets/sheet1.xml\"", "Target=\"/xl/worksheets/sheet1.xml\"");
            renamed = true;
        }
        parts.append({name, name == u"xl/worksheets/sheet1.xml" ? cells : data});
    }
    ASSERT_TRUE(renamed);
    const QString path = dir.filePath(QStringLiteral("inline.xlsx"));
    writeBytes(path, wel::test::storedZip(parts));

    const SheetData read = readFirstSheet(path);
    EXPECT_EQ(read.cell("A1"), QStringLiteral("KV2567/000901"));
    EXPECT_EQ(read.cell("B1"), QStringLiteral("3200000000901"));
    EXPECT_EQ(read.cell("C2"), QStringLiteral("สมชาย"));
}

namespace {

// The parts of a one-cell workbook of the writer, to build others from.
QList<QPair<QString, QByteArray>> writerParts(const QTemporaryDir& dir)
{
    const QString base = dir.filePath(QStringLiteral("base.xlsx"));
    Worksheet sheet(QStringLiteral("Sheet1"));
    sheet.setText(1, 1, QStringLiteral("x"));
    sheet.save(base);
    const ZipPackage package(fileBytes(base));
    QList<QPair<QString, QByteArray>> parts;
    for (const QString& part : package.entryNames())
        parts.append({part, package.entry(part)});
    return parts;
}

// An .xlsx of the writer whose first sheet holds the given cells instead.
QString xlsxWithSheet(const QTemporaryDir& dir, const QString& name, const QByteArray& sheetData)
{
    QList<QPair<QString, QByteArray>> parts = writerParts(dir);
    for (auto& [part, data] : parts)
        if (part == u"xl/worksheets/sheet1.xml")
            data = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                   "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                + sheetData + "</sheetData></worksheet>";
    const QString path = dir.filePath(name);
    writeBytes(path, wel::test::storedZip(parts));
    return path;
}

// An .ods whose first table is the given rows.
QString odsWithRows(const QTemporaryDir& dir, const QString& name, const QByteArray& rows)
{
    const QByteArray content =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" office:version=\"1.2\">"
        "<office:body><office:spreadsheet><table:table table:name=\"Sheet1\">"
        + rows + "</table:table></office:spreadsheet></office:body></office:document-content>";
    const QString path = dir.filePath(name);
    writeBytes(path, wel::test::storedZip({{QStringLiteral("mimetype"),
                                            QByteArrayLiteral("application/vnd.oasis.opendocument.spreadsheet")},
                                           {QStringLiteral("content.xml"), content}}));
    return path;
}

} // namespace

// One stray cell far down used to make the reader visit every cell of the
// range (ten minutes): past the rows a workbook may have it is refused at
// once, naming the cell; within them only the filled cells are read.
TEST(ExcelReaderBounds, AStrayFarCellCostsNoTime)
{
    QTemporaryDir dir;
    const QString beyond = xlsxWithSheet(dir, QStringLiteral("beyond.xlsx"),
                                         "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                                         "<row r=\"1048576\"><c r=\"XFD1048576\"><v>3</v></c></row>");
    EXPECT_EQ(readError(beyond),
              QStringLiteral("แฟ้ม %1 มีข้อมูลถึงแถวที่ 1,048,576 (เซลล์ XFD1048576) เกินจำนวนแถวที่อ่านได้ "
                             "(ไม่เกิน 100,000 แถว) กรุณาลบข้อมูลที่อยู่เกินตารางออกก่อน จึงไม่อ่านแฟ้มนี้")
                  .arg(beyond));

    // 100,000 rows by 16,384 columns: 1.6 billion cells in the range, three filled.
    const QString within = xlsxWithSheet(dir, QStringLiteral("within.xlsx"),
                                         "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2</v></c></row>"
                                         "<row r=\"100000\"><c r=\"XFD100000\"><v>3</v></c></row>");
    const SheetData sheet = readFirstSheet(within);
    EXPECT_EQ(sheet.cell("A1"), QStringLiteral("1"));
    EXPECT_EQ(sheet.cell("B1"), QStringLiteral("2"));
    EXPECT_EQ(sheet.cell("XFD100000"), QStringLiteral("3"));
    EXPECT_EQ(sheet.rowCount(), 100000);
    EXPECT_EQ(sheet.rowsUntilEmptyKey(1, 1, 2), (QList<QStringList>{{QStringLiteral("1"), QStringLiteral("2")}}));
}

// Files that would fill the memory: each is refused before it is unpacked
// or spread out, with the limit in the message.
TEST(ExcelReaderBounds, RefusesWhatWouldFillTheMemory)
{
    QTemporaryDir dir;
    const QList<QPair<QString, QByteArray>> parts = writerParts(dir);
    // About 1.6 MB of zip holding 258 MB of zeros.
    const QString bomb = dir.filePath(QStringLiteral("bomb.xlsx"));
    writeBytes(bomb, wel::test::zipWithZeros(parts, QStringLiteral("xl/media/image1.bin"), 1000000));
    ASSERT_LT(QFileInfo(bomb).size(), 2 * 1024 * 1024);
    // The sheet itself unpacking to 258 MB while the directory claims 1,000 bytes.
    QList<QPair<QString, QByteArray>> withoutSheet = parts;
    withoutSheet.removeIf([](const QPair<QString, QByteArray>& p) { return p.first == u"xl/worksheets/sheet1.xml"; });
    ASSERT_EQ(withoutSheet.size(), parts.size() - 1);
    const QString lying = dir.filePath(QStringLiteral("lying.xlsx"));
    writeBytes(lying, wel::test::zipWithZeros(withoutSheet, QStringLiteral("xl/worksheets/sheet1.xml"), 1000000, 1000));
    // A few hundred bytes that a reader would spread over a million rows, or six million cells.
    const QString rows = odsWithRows(dir, QStringLiteral("rows.ods"),
                                     "<table:table-row table:number-rows-repeated=\"1000000\">"
                                     "<table:table-cell office:value-type=\"float\" office:value=\"1\"/></table:table-row>");
    const QString cells = odsWithRows(dir, QStringLiteral("cells.ods"),
                                      "<table:table-row table:number-rows-repeated=\"60000\">"
                                      "<table:table-cell office:value-type=\"float\" office:value=\"1\" "
                                      "table:number-columns-repeated=\"100\"/></table:table-row>");

    struct Case { QString path; QString message; };
    const Case cases[] = {
        {bomb, QStringLiteral("แฟ้ม %1 เมื่อคลายการบีบอัดแล้วมีข้อมูลเกิน 200 MB ซึ่งเกินขนาดที่อ่านได้ จึงไม่อ่านแฟ้มนี้").arg(bomb)},
        {lying, QStringLiteral("แฟ้ม %1 เสียหายหรือไม่สมบูรณ์ อ่านข้อมูลไม่ได้").arg(lying)},
        {rows, QStringLiteral("แฟ้ม %1 มีข้อมูลถึงแถวที่ 1,000,000 (เซลล์ A1000000) เกินจำนวนแถวที่อ่านได้ (ไม่เกิน 100,000 แถว) "
                              "กรุณาลบข้อมูลที่อยู่เกินตารางออกก่อน จึงไม่อ่านแฟ้มนี้").arg(rows)},
        {cells, QStringLiteral("แฟ้ม %1 มีเซลล์ที่มีข้อมูล 6,000,000 เซลล์ เกินจำนวนที่อ่านได้ (ไม่เกิน 5,000,000 เซลล์) "
                               "จึงไม่อ่านแฟ้มนี้").arg(cells)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readError(c.path), c.message);
}
