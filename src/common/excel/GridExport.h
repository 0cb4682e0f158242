#pragma once
#include "common/excel/Worksheet.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace wel::excel {

// A screen's grid as plain texts: its heading row (two for the pivot
// reports) and its data rows, cell by cell as shown. A text that must stay
// text in the workbook (citizen number, date) starts with an apostrophe.
struct GridTable {
    QList<QStringList> headings;
    QList<QStringList> rows;
    int columnCount() const;
};

enum class HeadingStyle { Plain, Coloured };
enum class Closing { Thin, Double };

struct ColumnFormat {
    QString columns; // "D:J", "K"
    QString format;  // amountFormat(), countFormat()
};

// How one report lays its grid out. Column spans are written "D:J" or "K".
struct GridExportParams {
    QString sheetName;
    QString lastColumn = QStringLiteral("L"); // end of the heading and border ranges
    QString titleRange;                       // empty: "A1:" + lastColumn + "1"
    QString title1, title2, title3;           // cells A1, A2, A3
    // Further texts on the title rows (e.g. {"D2", "วันที่เบิก : ..."}), unformatted.
    QList<QPair<QString, QString>> titleCells;
    HeadingStyle headingStyle = HeadingStyle::Plain;
    bool headingInnerHorizontals = false;
    QString headingCentreRange;      // empty: the heading rows as a whole are centred
    QStringList headingCentreAcross; // pair headings of a two-row heading: "C4:D4"
    Orientation orientation = Orientation::Portrait;
    QString reportCode = QStringLiteral("(Emp001)");
    QList<ColumnFormat> numberFormats;
    QStringList rightColumns, centreColumns;
    QList<QPair<QString, double>> columnWidths; // {"A", 4.5}, {"D:J", 11.5}
    QString repeatRows = QStringLiteral("$1:$5");
    Closing closing = Closing::Double;
    QStringList lastRowBottomLines; // further thin lines under the last row: "G:I"
};

// Colours of the export layout.
constexpr ExcelColor kTitleColour = excelRgb(12, 5, 143);
constexpr ExcelColor kHeadingFill = excelRgb(155, 205, 230);
constexpr ExcelColor kWhite = excelRgb(255, 255, 255);

// The worksheet of the grid export: titles in rows 1 to 3, the heading
// rows from row 4, the data below them, ruled and formatted as the report
// asks, with its page set-up. Does not write anything.
Worksheet buildGridSheet(const GridTable& grid, const GridExportParams& params);

// Writes the grid in its layout to path (a new file in the default export
// folder when empty), row by row through GridWriter (GridWriter.h), which
// also takes rows one at a time from a model or a query. Returns the path
// written. Throws AppError.
QString exportGrid(const GridTable& grid, const GridExportParams& params, const QString& path = {});

} // namespace wel::excel
