// The one place that talks to libxlsxwriter: a one-sheet workbook written
// row by row. Used by Worksheet::save and by the streamed grid export.
#pragma once
#include "common/excel/Worksheet.h"

#include <map>
#include <tuple>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace wel::excel {

class XlsxOut {
public:
    // Rows must then come in order, each finished before the next starts:
    // the library keeps one row in memory and writes the finished ones to a
    // temporary file. A sheet with blocks merged over several rows cannot be
    // written that way (the library writes a merged block at once) and is
    // held in memory instead; only heading layouts merge, and they are small.
    XlsxOut(const QString& path, const QString& sheetName, bool rowByRow);
    // A workbook not closed (an exception on the way) is closed and its file removed.
    ~XlsxOut();
    XlsxOut(const XlsxOut&) = delete;
    XlsxOut& operator=(const XlsxOut&) = delete;

    // The format of a look, shared by every cell of that look; null for the default.
    lxw_format* format(const CellStyle& style);
    // The row's own look for cells never written, and a height that fits
    // its largest font (the file keeps no automatic heights). Before its cells.
    void startRow(int row, const CellStyle* rowStyle, double largestFont);
    void merge(const CellRange& range, const CellStyle& firstCell);
    void cell(int row, int column, const TypedValue& value, lxw_format* format);
    void columnWidth(int column, double width);
    // Page set-up, then the file is written. Throws AppError.
    void close(const PageSetup& page);

private:
    void note(int error);
    [[noreturn]] void failed(const QString& why);

    QString m_path;
    lxw_workbook* m_wb = nullptr;
    lxw_worksheet* m_ws = nullptr;
    int m_firstError = 0;
    using StyleKey = std::tuple<double, qint64, bool, qint64, int, int, int, int, int, int, QString>;
    std::map<StyleKey, lxw_format*> m_formats;
};

// The spreadsheet's default row height and font, and the height a row
// with a larger font needs.
double rowHeightFor(double largestFont);

} // namespace wel::excel
