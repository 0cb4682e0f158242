#pragma once
#include "common/excel/GridExport.h"

class QTableView;

namespace wel {

// The grid as the export takes it, from its model in the order shown (a
// grid of items or a result grid alike): the column headings as the first
// heading row, then, for a grid with headingRows = 2, its first row as the
// second heading row; the remaining rows as data. Hidden columns are kept,
// since the layouts count columns by their place in the grid.
excel::GridTable gridTableOf(const QTableView& grid, int headingRows = 1);

// "พิมพ์ออกทาง MS Excel": writes the grid to a new workbook in the default
// export folder, opens it with the desktop's spreadsheet program and
// returns its path for the screen to show. Throws AppError.
QString exportGridToExcel(const QTableView& grid, const excel::GridExportParams& params,
                          int headingRows = 1);

} // namespace wel
