#include "common/excel/GridExport.h"

#include "common/excel/ExportFiles.h"
#include "common/excel/GridWriter.h"

namespace wel::excel {

namespace {

CellRange columnsOf(const QString& columns, int firstRow, int lastRow)
{
    const ColumnSpan span = ColumnSpan::parse(columns);
    return CellRange(firstRow, span.first, lastRow, span.last);
}

} // namespace

int GridTable::columnCount() const
{
    qsizetype n = 0;
    for (const QStringList& row : headings)
        n = qMax(n, row.size());
    for (const QStringList& row : rows)
        n = qMax(n, row.size());
    return int(n);
}

Worksheet buildGridSheet(const GridTable& grid, const GridExportParams& p)
{
    Worksheet sheet(p.sheetName);
    const int last = ColumnSpan::parse(p.lastColumn).last;
    const int headingRows = int(qMax<qsizetype>(1, grid.headings.size()));
    const int firstHeading = 4;
    const int lastHeading = firstHeading + headingRows - 1;
    const int firstData = lastHeading + 1;
    const int n = int(grid.rows.size());
    const int lastRow = lastHeading + n; // E

    // Titles.
    const QString titleRange = p.titleRange.isEmpty() ? QStringLiteral("A1:%1").arg(columnLetters(last) + u'1')
                                                      : p.titleRange;
    sheet.setHorizontalAlignment(titleRange, HAlign::CentreAcross);
    const QString titles[3] = {p.title1, p.title2, p.title3};
    const double titleSizes[3] = {16, 14, 14};
    for (int i = 0; i < 3; ++i) {
        sheet.setText(i + 1, 1, titles[i]);
        sheet.setFontSize(CellRange(i + 1, 1, i + 1, 1), titleSizes[i]);
        sheet.setFontColor(CellRange(i + 1, 1, i + 1, 1), kTitleColour);
    }
    for (const auto& [address, text] : p.titleCells)
        sheet.setText(address, text);

    // Heading rows.
    const CellRange headingBlock(firstHeading, 1, lastHeading, last);
    for (int h = 0; h < headingRows; ++h) {
        const int row = firstHeading + h;
        sheet.setRowFontSize(row, 12);
        if (p.headingCentreRange.isEmpty())
            sheet.setRowAlignment(row, HAlign::Centre);
        const QStringList texts = h < grid.headings.size() ? grid.headings[h] : QStringList();
        for (int c = 0; c < texts.size(); ++c)
            sheet.setText(row, c + 1, texts[c]);
    }
    if (!p.headingCentreRange.isEmpty())
        sheet.setHorizontalAlignment(p.headingCentreRange, HAlign::Centre);
    for (const QString& pair : p.headingCentreAcross)
        sheet.setHorizontalAlignment(pair, HAlign::CentreAcross);
    if (p.headingStyle == HeadingStyle::Coloured) {
        sheet.setFontColor(headingBlock, kTitleColour);
        sheet.setFill(headingBlock, kHeadingFill);
    }

    // Data, one cell at a time; white fill so the sheet's grid lines do not
    // show through the report.
    for (int r = 0; r < n; ++r) {
        const int row = firstData + r;
        const QStringList& texts = grid.rows[r];
        for (int c = 0; c < texts.size(); ++c) {
            sheet.setText(row, c + 1, texts[c]);
            sheet.setFill(CellRange(row, c + 1, row, c + 1), kWhite);
        }
        sheet.setRowFontSize(row, 12);
    }

    // Page set-up.
    PageSetup& page = sheet.pageSetup();
    page.leftHeader = QStringLiteral("Page &P From &N");
    page.rightHeader = p.reportCode;
    page.rightFooter = QStringLiteral("&D &T");
    page.leftMargin = 20;
    page.rightMargin = 20;
    page.topMargin = 70;
    page.bottomMargin = 45;
    page.headerMargin = 20;
    page.footerMargin = 20;
    page.orientation = p.orientation;
    page.paperSize = 9;
    page.overThenDown = false;

    // Borders.
    sheet.setBorders(headingBlock,
                     Outline | InsideVertical | (p.headingInnerHorizontals ? InsideHorizontal : 0u));
    if (n > 0) {
        const CellRange data(firstData, 1, lastRow, last);
        sheet.setBorders(data, EdgeLeft | EdgeRight | EdgeTop | InsideVertical);
        if (p.closing == Closing::Double) {
            // The two closing rows are totals: a thin line above them and a
            // double line under the grand total.
            if (lastRow - 2 >= firstHeading)
                sheet.setBorders(CellRange(lastRow - 2, 1, lastRow - 2, last), EdgeBottom);
            sheet.setBorders(data, EdgeBottom, Line::Thin);
            sheet.setBorders(data, EdgeBottom, Line::Double);
        } else {
            sheet.setBorders(CellRange(lastRow, 1, lastRow, last), EdgeBottom);
        }
    }
    for (const QString& columns : p.lastRowBottomLines)
        sheet.setBorders(columnsOf(columns, lastRow, lastRow), EdgeBottom);

    // Formats and alignments of the data columns, one row past the data.
    for (const ColumnFormat& f : p.numberFormats)
        sheet.setNumberFormat(columnsOf(f.columns, firstData, lastRow + 1), f.format);
    for (const QString& columns : p.rightColumns)
        sheet.setHorizontalAlignment(columnsOf(columns, firstData, lastRow + 1), HAlign::Right);
    for (const QString& columns : p.centreColumns)
        sheet.setHorizontalAlignment(columnsOf(columns, firstData, lastRow + 1), HAlign::Centre);

    for (const auto& [columns, width] : p.columnWidths)
        sheet.setColumnWidth(columns, width);
    // The report's widths are where a column starts; its values are never cut,
    // and the sheet prints one page across however wide that makes it.
    sheet.widenColumnsToContent(firstData, lastRow);
    page.fitPagesWide = 1;
    page.setPrintTitleRows(p.repeatRows);
    return sheet;
}

QString exportGrid(const GridTable& grid, const GridExportParams& params, const QString& path)
{
    const QString target = path.isEmpty() ? uniqueExportPath(Worksheet(params.sheetName).name()) : path;
    GridWriter writer(grid.headings, params, target);
    for (const QStringList& row : grid.rows)
        writer.addRow(row);
    writer.finish();
    return target;
}

} // namespace wel::excel
