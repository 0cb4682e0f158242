#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

namespace wel::excel {
class SheetData;
}

namespace wel::imports {

// Reports how far a long run has got, after each row: rows done of total.
using Progress = std::function<void(int done, int total)>;

// A row that is not written, and why. row is the worksheet's row number
// (0 for a row that does not come from a workbook); key names the person;
// no is the running number the grid shows for the row.
struct Refusal {
    int row = 0;
    QString key;
    QString reason;
    int no = 0;
};
// "แถวที่ 7 ในแฟ้ม (No. 3, <key>) : <reason>": the sheet row to correct in the
// workbook and the grid row to find on the screen; "<key> : <reason>" when
// the row does not come from a workbook.
QString refusalLine(const Refusal& r);

// A workbook as a tool's grid shows it: one list of cell texts per data
// row, the first cell the running number "1", "2", ...
struct SheetRows {
    QString sheetName; // the file name without its folder
    QVector<QStringList> grid;
    QVector<int> sheetRows; // the worksheet row of each grid row
    int count() const { return int(grid.size()); }
};

// The file name without its folder, blanks trimmed, at most 50 characters:
// the name the workbook's first sheet is shown under.
QString sheetNameOf(const QString& path);

// The rows from row 2 on, columns A to lastColumn, up to the row whose
// column A is empty; keep decides which rows are taken. Each grid row is the
// running number followed by the cells.
SheetRows rowsFromRow2(const excel::SheetData& sheet, const QString& path, int lastColumn,
                       const std::function<bool(const QStringList& cells)>& keep = {});

// Right types are "1", "2" or "3"; nothing else is guessed.
bool isRightType(const QString& type);

// A Buddhist-Era date cell as it is stored: "" for an empty cell, otherwise
// "dd/mm/yyyy" after the day and month are made two digits. nullopt when the
// text is no calendar date, or no plausible one (personnel::plausibleDate:
// "31/12/9999", or "15/01/2019" typed in the Christian Era).
std::optional<QString> storedDate(const QString& cell);

// A date cell as the grid shows it: made whole ("1/6/2560" -> "01/06/2560")
// when it is a date, otherwise as it stands, so that a refusal shows what
// the workbook holds.
QString shownDate(const QString& cell);

// A 4-digit Buddhist-Era year as typed into a year field. Throws AppError.
QString checkedYear(const QString& text);

// Reasons shared by the imports.
QString reasonMissing(const QString& caption);
QString reasonTooLong(const QString& caption, int width);
// The date's text shown; a calendar date of an implausible year says so.
QString reasonBadDate(const QString& caption, const QString& text);
QString reasonBadType(const QString& type);
QString reasonDuplicate(int firstRow);

} // namespace wel::imports
