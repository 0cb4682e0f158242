#include "common/widgets/GridExport.h"

#include "common/excel/ExportFiles.h"

#include <QTableView>

namespace wel {

excel::GridTable gridTableOf(const QTableView& grid, int headingRows)
{
    excel::GridTable table;
    const QAbstractItemModel* model = grid.model();
    if (!model)
        return table;
    const int columns = model->columnCount();
    const int rows = model->rowCount();
    QStringList heading;
    for (int c = 0; c < columns; ++c)
    {
        // A result grid's heading as given, not as wrapped to fit the screen.
        const QVariant given = model->headerData(c, Qt::Horizontal, Qt::UserRole);
        heading << (given.isValid() ? given : model->headerData(c, Qt::Horizontal)).toString();
    }
    table.headings << heading;
    const int extraHeadings = qBound(0, headingRows - 1, rows);
    table.rows.reserve(rows - extraHeadings);
    for (int r = 0; r < rows; ++r) {
        QStringList texts;
        for (int c = 0; c < columns; ++c)
            texts << model->index(r, c).data().toString();
        if (r < extraHeadings)
            table.headings << texts;
        else
            table.rows << texts;
    }
    return table;
}

QString exportGridToExcel(const QTableView& grid, const excel::GridExportParams& params,
                          int headingRows)
{
    const QString path = excel::exportGrid(gridTableOf(grid, headingRows), params);
    return excel::openWithDesktop(path);
}

} // namespace wel
