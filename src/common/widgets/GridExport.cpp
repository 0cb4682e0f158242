#include "common/widgets/GridExport.h"

#include "common/excel/ExportFiles.h"

#include <QTableWidget>

namespace wel {

namespace {

QString textAt(const QTableWidget& grid, int row, int column)
{
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text() : QString();
}

} // namespace

excel::GridTable gridTableOf(const QTableWidget& grid, int headingRows)
{
    excel::GridTable table;
    const int columns = grid.columnCount();
    QStringList heading;
    for (int c = 0; c < columns; ++c) {
        const QTableWidgetItem* item = grid.horizontalHeaderItem(c);
        heading << (item ? item->text() : QString());
    }
    table.headings << heading;
    const int extraHeadings = qBound(0, headingRows - 1, grid.rowCount());
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < columns; ++c)
            texts << textAt(grid, r, c);
        if (r < extraHeadings)
            table.headings << texts;
        else
            table.rows << texts;
    }
    return table;
}

QString exportGridToExcel(const QTableWidget& grid, const excel::GridExportParams& params,
                          int headingRows)
{
    const QString path = excel::exportGrid(gridTableOf(grid, headingRows), params);
    return excel::openWithDesktop(path);
}

} // namespace wel
