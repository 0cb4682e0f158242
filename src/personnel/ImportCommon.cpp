#include "ImportCommon.h"
#include "PersonnelCommon.h"
#include "common/AppError.h"
#include "common/CleanText.h"
#include "common/ThaiDate.h"
#include "common/Utility.h"
#include "common/excel/WorkbookReader.h"

#include <QFileInfo>

namespace wel::imports {

QString refusalLine(const Refusal& r)
{
    if (r.row <= 0)
        return r.key + QStringLiteral(" : ") + r.reason;
    QStringList where;
    if (r.no > 0)
        where << QStringLiteral("No. %1").arg(r.no);
    if (!r.key.isEmpty())
        where << r.key;
    QString line = QStringLiteral("แถวที่ %1 ในแฟ้ม").arg(r.row);
    if (!where.isEmpty())
        line += QStringLiteral(" (") + where.join(QStringLiteral(", ")) + QLatin1Char(')');
    return line + QStringLiteral(" : ") + r.reason;
}

QString sheetNameOf(const QString& path)
{
    return TrimBlanks(TrimBlanks(QFileInfo(path).fileName()).left(50));
}

SheetRows rowsFromRow2(const excel::SheetData& sheet, const QString& path, int lastColumn,
                       const std::function<bool(const QStringList&)>& keep)
{
    SheetRows rows;
    rows.sheetName = sheetNameOf(path);
    for (int r = 2; !sheet.cell(r, 1).isEmpty(); ++r) {
        QStringList cells;
        for (int c = 1; c <= lastColumn; ++c)
            cells << CleanText(sheet.cell(r, c));
        if (keep && !keep(cells))
            continue;
        cells.prepend(QString::number(rows.count() + 1));
        rows.grid << cells;
        rows.sheetRows << r;
    }
    return rows;
}

bool isRightType(const QString& type)
{
    return type == QLatin1String("1") || type == QLatin1String("2") || type == QLatin1String("3");
}

std::optional<QString> storedDate(const QString& cell)
{
    if (TrimBlanks(cell).isEmpty())
        return QString();
    const auto date = parseBEText(NormalizeDate(TrimBlanks(cell)));
    if (!date || !personnel::plausibleDate(*date))
        return std::nullopt;
    return toBEText(*date);
}

QString shownDate(const QString& cell)
{
    const auto stored = storedDate(cell);
    return stored && !stored->isEmpty() ? *stored : cell;
}

QString checkedYear(const QString& text)
{
    const QString year = TrimBlanks(text);
    bool digits = year.size() == 4;
    for (const QChar c : year)
        digits = digits && c.isDigit() && c.unicode() < 128;
    if (!digits || year.toInt() < 2400)
        throw AppError(QStringLiteral("ปีไม่ถูกต้อง กรุณาใส่ปี พ.ศ. 4 หลัก"));
    return year;
}

QString reasonMissing(const QString& caption) { return QStringLiteral("ไม่มี") + caption; }

QString reasonTooLong(const QString& caption, int width)
{
    return caption + QStringLiteral(" ยาวเกิน %1 ตัวอักษร").arg(width);
}

QString reasonBadDate(const QString& caption, const QString& text)
{
    if (parseBEText(NormalizeDate(TrimBlanks(text))))
        return personnel::implausibleDate(caption, text);
    return caption + QStringLiteral(" ไม่ถูกต้อง (\"") + text + QStringLiteral("\")");
}

QString reasonBadType(const QString& type)
{
    return QStringLiteral("รูปแบบที่เลือกต้องเป็น 1, 2 หรือ 3 (\"") + type + QStringLiteral("\")");
}

QString reasonDuplicate(int firstRow)
{
    return QStringLiteral("ซ้ำกับแถวที่ %1 ในแฟ้ม").arg(firstRow);
}

} // namespace wel::imports
