#include "common/excel/WorkbookReader.h"

#include "common/AppError.h"
#include "common/excel/Address.h"
#include "common/excel/ReadCells.h"
#include "common/excel/ZipPackage.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QXmlStreamReader>

#include <new>

namespace wel::excel {

namespace {

const QByteArray kOle2Signature = QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void cannotOpen(const QString& path)
{
    throw AppError(QStringLiteral("ไม่สามารถเปิดแฟ้ม %1 ได้").arg(shown(path)));
}

[[noreturn]] void notWorkbook(const QString& path)
{
    throw AppError(QStringLiteral("แฟ้ม %1 ไม่ใช่แฟ้ม Excel (.xlsx, .xls) หรือแฟ้ม .ods จึงอ่านข้อมูลไม่ได้")
                       .arg(shown(path)));
}

[[noreturn]] void damaged(const QString& path)
{
    throw AppError(QStringLiteral("แฟ้ม %1 เสียหายหรือไม่สมบูรณ์ อ่านข้อมูลไม่ได้").arg(shown(path)));
}

QString counted(qint64 n) { return QLocale(QLocale::English).toString(n); }

[[noreturn]] void tooLarge(const QString& path, const QString& what)
{
    throw AppError(QStringLiteral("แฟ้ม %1 %2 จึงไม่อ่านแฟ้มนี้").arg(shown(path), what));
}

[[noreturn]] void sheetTooLarge(const QString& path, const detail::SheetTooLarge& t)
{
    if (t.lastRow > WorkbookLimits::rows)
        tooLarge(path, QStringLiteral("มีข้อมูลถึงแถวที่ %1 (เซลล์ %2) เกินจำนวนแถวที่อ่านได้ (ไม่เกิน %3 แถว) "
                                      "กรุณาลบข้อมูลที่อยู่เกินตารางออกก่อน")
                           .arg(counted(t.lastRow), cellAddress(t.lastRow, t.lastColumn), counted(WorkbookLimits::rows)));
    tooLarge(path, QStringLiteral("มีเซลล์ที่มีข้อมูล %1 เซลล์ เกินจำนวนที่อ่านได้ (ไม่เกิน %2 เซลล์)")
                       .arg(counted(t.cells), counted(WorkbookLimits::cells)));
}

bool wellFormedXml(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

// The importer takes a sheet cut short as far as it goes without a word, so
// the parts that hold the cells are checked to be whole first.
bool cellPartsWhole(const ZipPackage& zip, WorkbookFormat format)
{
    QStringList parts;
    if (format == WorkbookFormat::Ods) {
        parts << QStringLiteral("content.xml");
    } else {
        parts << QStringLiteral("xl/workbook.xml");
        for (const QString& name : zip.entryNames())
            if (name.startsWith(QLatin1String("xl/worksheets/")) && name.endsWith(QLatin1String(".xml")))
                parts << name;
        if (zip.contains(QStringLiteral("xl/sharedStrings.xml")))
            parts << QStringLiteral("xl/sharedStrings.xml");
    }
    for (const QString& part : parts) {
        const QByteArray xml = zip.entry(part);
        if (xml.isEmpty() || !wellFormedXml(xml))
            return false;
    }
    return true;
}

} // namespace

WorkbookFormat detectWorkbookFormat(const QByteArray& bytes)
{
    if (bytes.startsWith(kOle2Signature))
        return WorkbookFormat::Xls;
    if (!ZipPackage::hasZipSignature(bytes))
        return WorkbookFormat::NotWorkbook;
    const ZipPackage zip(bytes);
    if (!zip.isValid())
        return WorkbookFormat::Damaged;
    if (zip.contains(QStringLiteral("mimetype"))) {
        const QByteArray mime = zip.entry(QStringLiteral("mimetype")).trimmed();
        return mime == "application/vnd.oasis.opendocument.spreadsheet" ? WorkbookFormat::Ods
                                                                        : WorkbookFormat::NotWorkbook;
    }
    if (zip.contains(QStringLiteral("[Content_Types].xml"))) {
        const QByteArray types = zip.entry(QStringLiteral("[Content_Types].xml"));
        if (types.isEmpty())
            return WorkbookFormat::Damaged;
        return types.contains("spreadsheetml.sheet.main+xml") ? WorkbookFormat::Xlsx
                                                              : WorkbookFormat::NotWorkbook;
    }
    return WorkbookFormat::NotWorkbook;
}

QString SheetData::cell(const QString& a1) const
{
    const CellRange at(a1);
    return cell(at.top, at.left);
}

void SheetData::set(int row, int column, const QString& text)
{
    if (text.isEmpty())
        return;
    m_cells.insert(key(row, column), text);
    m_rows = qMax(m_rows, row);
    m_columns = qMax(m_columns, column);
}

QList<QStringList> SheetData::rowsUntilEmptyKey(int firstRow, int keyColumn, int lastColumn,
                                                int firstColumn) const
{
    QList<QStringList> rows;
    for (int r = firstRow; !cell(r, keyColumn).isEmpty(); ++r) {
        QStringList texts;
        for (int c = firstColumn; c <= lastColumn; ++c)
            texts << cell(r, c);
        rows << texts;
    }
    return rows;
}

namespace detail {

void checkSheetBounds(int lastRow, int lastColumn, qint64 cells)
{
    if (lastRow > WorkbookLimits::rows || cells > WorkbookLimits::cells)
        throw SheetTooLarge{lastRow, lastColumn, cells};
}

} // namespace detail

namespace {

SheetData readBounded(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        cannotOpen(path);
    if (file.size() > WorkbookLimits::fileBytes)
        tooLarge(path, QStringLiteral("มีขนาด %1 MB เกินขนาดที่อ่านได้ (ไม่เกิน %2 MB)")
                           .arg(counted(file.size() / (1024 * 1024)), counted(WorkbookLimits::fileBytes / (1024 * 1024))));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        cannotOpen(path);
    file.close();

    const WorkbookFormat format = detectWorkbookFormat(bytes);
    std::optional<SheetData> sheet;
    switch (format) {
    case WorkbookFormat::NotWorkbook:
        notWorkbook(path);
    case WorkbookFormat::Damaged:
        damaged(path);
    case WorkbookFormat::Xls:
        sheet = detail::readXlsFirstSheet(path);
        break;
    case WorkbookFormat::Xlsx:
    case WorkbookFormat::Ods: {
        const ZipPackage zip(bytes);
        const qint64 unpacked = zip.declaredUnpackedSize();
        if (unpacked < 0 || unpacked > WorkbookLimits::unpackedBytes)
            tooLarge(path, QStringLiteral("เมื่อคลายการบีบอัดแล้วมีข้อมูลเกิน %1 MB ซึ่งเกินขนาดที่อ่านได้")
                               .arg(counted(WorkbookLimits::unpackedBytes / (1024 * 1024))));
        if (!cellPartsWhole(zip, format))
            damaged(path);
        sheet = detail::readPackageFirstSheet(bytes, format == WorkbookFormat::Ods);
        break;
    }
    }
    if (!sheet)
        damaged(path);
    return *sheet;
}

} // namespace

SheetData readFirstSheet(const QString& path)
{
    try {
        return readBounded(path);
    } catch (const detail::SheetTooLarge& t) {
        sheetTooLarge(path, t);
    } catch (const std::bad_alloc&) {
        throw AppError(QStringLiteral("หน่วยความจำของเครื่องไม่พอสำหรับอ่านแฟ้ม %1 (ข้อมูลในแฟ้มมากเกินไป)")
                           .arg(shown(path)));
    }
}

} // namespace wel::excel
