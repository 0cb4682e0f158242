#pragma once
// Inside the workbook reader: one function per file family, and the way
// numbers and dates are shown as text. Each returns nothing for a file it
// cannot read, so that the caller shows one message for all of them.
#include "common/excel/WorkbookReader.h"

#include <optional>

class QDate;

namespace wel::excel::detail {

// Thrown by the readers for a sheet beyond WorkbookLimits: not a
// std::exception, so that it passes the readers' own catch of library
// errors and readFirstSheet names the file in its message.
struct SheetTooLarge {
    int lastRow = 0, lastColumn = 0; // 1-based, of the farthest cell
    qint64 cells = 0;
};
// Throws SheetTooLarge when the last row or the number of filled cells
// passes the limits.
void checkSheetBounds(int lastRow, int lastColumn, qint64 cells);

std::optional<SheetData> readPackageFirstSheet(const QByteArray& bytes, bool ods);
std::optional<SheetData> readXlsFirstSheet(const QString& path);

// An .xlsx whose workbook names its parts by absolute paths, rewritten so
// that orcus finds them; any other package is returned as it is.
QByteArray readableByOrcus(const QByteArray& bytes);
// The inline-text cells of the first worksheet, which orcus leaves empty.
void addInlineStrings(const QByteArray& bytes, SheetData& data);

// 12 -> "12", 1234.5 -> "1234.5", 0.1 + 0.2 -> "0.3": up to 15 significant
// digits, as the spreadsheet shows them, never with an exponent.
QString numberText(double value);
// dd/mm/yyyy with the Buddhist-Era year. A year already past 2400 was typed
// in the Buddhist Era and is kept.
QString dateText(const QDate& date);

} // namespace wel::excel::detail
