#pragma once
#include "common/excel/GridExport.h"
#include "common/excel/XlsxOut.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace wel::excel {

// The grid export written row by row, so that its memory stays the same
// however many rows pass (up to the 1,048,576 rows of a worksheet; past them
// addRow refuses with a Thai message and no file is left).
//
// The layout (buildGridSheet, and what a report adds to it) is built once
// for a few empty rows, and every data row takes the look of its place:
// the first rows, a middle row, or the closing rows, which are held back
// until finish() knows which rows are last. Columns are widened to the
// values as they pass and their widths written at the end, which the file
// format allows since widths are kept apart from the rows.
class GridWriter {
public:
    using Layout = std::function<Worksheet(const GridTable&)>;

    GridWriter(const QList<QStringList>& headings, const GridExportParams& params, const QString& path);
    GridWriter(const QList<QStringList>& headings, Layout layout, const QString& path);
    ~GridWriter();
    GridWriter(const GridWriter&) = delete;
    GridWriter& operator=(const GridWriter&) = delete;

    // One data row, cells as typed (a leading apostrophe keeps a text).
    void addRow(const QStringList& cells);
    int rowCount() const { return m_written + int(m_pending.size()); }
    // Writes the held rows, the closing lines, the widths and the page
    // set-up. Throws AppError.
    void finish();

    static constexpr int kSheetRows = 1048576;

private:
    struct Look {
        CellStyle style;
        lxw_format* format = nullptr;
    };
    void begin(int placeholderRows);
    void writeData(const QStringList& cells, int templateIndex);
    const Look& lookOf(int templateIndex, int column, bool amount);

    QList<QStringList> m_headings;
    Layout m_layout;
    QString m_path;
    int m_width = 1;     // columns of a placeholder row: the headings'
    int m_firstData = 5; // the layout's first data row
    std::deque<QStringList> m_pending;
    int m_written = 0;
    std::optional<Worksheet> m_template;
    int m_templateRows = 0;
    std::unique_ptr<XlsxOut> m_out;
    WidthMeter m_meter;
    int m_lastColumn = 0;
    std::vector<std::vector<std::optional<Look>>> m_looks; // by template row, then column * 2 + amount
    std::vector<TypedValue> m_values;                       // the row being written
};

} // namespace wel::excel
