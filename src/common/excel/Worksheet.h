#pragma once
#include "common/excel/Address.h"

#include <QList>
#include <QString>
#include <map>
#include <vector>
#include <optional>

namespace wel::excel {

class XlsxOut;

// Colours as the office's layouts write them: RGB(r, g, b) with red in the
// low byte (0x00BBGGRR), the way the spreadsheet's object model takes them.
using ExcelColor = quint32;
constexpr ExcelColor excelRgb(int r, int g, int b)
{
    return quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16);
}

// The format an amount typed with thousands separators gets.
inline QString amountFormat() { return QStringLiteral("#,##0.00_);(#,##0.00)"); }
inline QString countFormat() { return QStringLiteral("#,##0;(#,##0)"); }

enum class HAlign : quint8 { General, Left, Centre, Right, CentreAcross };
enum class VAlign : quint8 { Bottom, Top, Centre };
enum class Line : quint8 { None, Thin, Double };
enum class Orientation : quint8 { Portrait, Landscape };

// Which lines of a range one border call draws, as the spreadsheet's
// Borders(7 to 12) do: the four edges of the block and the lines inside it.
enum Edge : unsigned {
    EdgeLeft = 1, EdgeTop = 2, EdgeBottom = 4, EdgeRight = 8,
    InsideVertical = 16, InsideHorizontal = 32,
    Outline = EdgeLeft | EdgeTop | EdgeBottom | EdgeRight,
    AllLines = Outline | InsideVertical | InsideHorizontal,
};

// Everything a cell's look is made of. Default-constructed means the
// workbook's default look.
struct CellStyle {
    double fontSize = 0; // 0: the workbook's default size
    std::optional<ExcelColor> fontColor;
    bool bold = false;
    std::optional<ExcelColor> fill;
    HAlign hAlign = HAlign::General;
    VAlign vAlign = VAlign::Bottom;
    QString numberFormat; // empty: General
    Line left = Line::None, top = Line::None, bottom = Line::None, right = Line::None;

    bool operator==(const CellStyle&) const = default;
    bool isDefault() const { return *this == CellStyle(); }
};

// What a text becomes when it is typed into a cell: a number when it reads
// as one (an amount with thousands separators also brings amountFormat()),
// otherwise text; a leading apostrophe forces text and is not kept. Dates
// such as "05/01/2551" stay text.
struct TypedValue {
    enum Kind : quint8 { Empty, Text, Number };
    Kind kind = Empty;
    QString text;
    double number = 0;
    bool amount = false; // written with thousands separators
};
TypedValue interpretTyped(const QString& typed);

// The widths columns need so that no value is cut, measured cell by cell as
// rows are written (an export need not keep its rows to size its columns).
// A text with nothing written to its right runs on over the neighbour and
// asks for no width, except in the sheet's last column.
class WidthMeter {
public:
    void measure(int column, const TypedValue& value, const CellStyle& style, bool valueOnRight);
    // Widens each column of widths (missing: the default width) that a
    // measured value would overflow; never narrows one.
    void widen(std::map<int, double>& widths, int lastColumn) const;

private:
    std::vector<double> m_need, m_lonely; // by column - 1
};

struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    int paperSize = 9; // the spreadsheet's paper numbering: 9 is A4
    // Header and footer sections; "&P", "&N", "&D", "&T" are page codes.
    QString leftHeader, centerHeader, rightHeader;
    QString leftFooter, centerFooter, rightFooter;
    // Margins in points; negative keeps the spreadsheet's default.
    double leftMargin = -1, rightMargin = -1, topMargin = -1, bottomMargin = -1;
    double headerMargin = -1, footerMargin = -1;
    int firstPageNumber = 0; // 0: automatic
    bool overThenDown = false; // false: pages ordered down, then over
    int firstTitleRow = 0, lastTitleRow = 0; // repeated on every page; 0: none
    int fitPagesWide = 0; // > 0: printed scaled to this many pages across, as many down as it takes

    void setPrintTitleRows(const QString& rows); // "$1:$5"
};

// One worksheet built in memory and written as a one-sheet .xlsx workbook.
// Formatting calls work on ranges and accumulate per cell, in call order, the
// way the spreadsheet's ranges do; save() turns each cell's final look into
// one cell format, since the file format knows formats only per cell.
// Rows and columns are 1-based, as in A1 notation.
class Worksheet {
public:
    explicit Worksheet(const QString& name = QStringLiteral("Sheet1"));

    // Names the file format refuses are made acceptable: at most 31
    // characters, none of []:*?/\ (Thai is fine).
    void setName(const QString& name);
    const QString& name() const { return m_name; }

    void setText(int row, int column, const QString& typed);
    void setText(const CellRange& cell, const QString& typed) { setText(cell.top, cell.left, typed); }
    TypedValue value(int row, int column) const;
    CellStyle style(int row, int column) const;

    void setFontSize(const CellRange& range, double points);
    void setFontColor(const CellRange& range, ExcelColor color);
    void setBold(const CellRange& range, bool bold = true);
    void setFill(const CellRange& range, ExcelColor color);
    void setHorizontalAlignment(const CellRange& range, HAlign align);
    void setVerticalAlignment(const CellRange& range, VAlign align);
    void setNumberFormat(const CellRange& range, const QString& format);
    void setBorders(const CellRange& range, unsigned edges, Line line = Line::Thin);
    // Keeps the top-left value; the other cells of the block are emptied.
    void merge(const CellRange& range);
    const QList<CellRange>& merges() const { return m_merges; }

    // Whole rows: every cell of the row, written now or later.
    void setRowFontSize(int row, double points);
    void setRowAlignment(int row, HAlign align);
    // Column widths in the spreadsheet's character units; "A:A", "D:J".
    void setColumnWidth(const QString& columns, double width);
    void setColumnWidth(int first, int last, double width);
    std::optional<double> columnWidth(int column) const;
    // Widens every column whose values in rows [firstRow, lastRow] would be
    // cut at its width, to show the longest as it prints (its font size and
    // number format counted); never narrows one. Merged cells are left out.
    void widenColumnsToContent(int firstRow, int lastRow);

    PageSetup& pageSetup() { return m_page; }
    const PageSetup& pageSetup() const { return m_page; }
    const std::map<int, double>& columnWidths() const { return m_widths; }

    // Writes the workbook row by row; an existing file is replaced. Throws AppError.
    void save(const QString& path) const;

    // For writers that take rows of this sheet as a pattern (the streamed
    // grid export): the last row written or formatted, the last column
    // written, and row `row` written as row `at` of out (its merges only
    // when it stays in place).
    int lastRow() const;
    int lastColumn() const;
    bool hasCell(int row, int column) const { return find(row, column) != nullptr; }
    bool mergesOverRows() const;
    double largestFont(int row) const;
    const CellStyle* rowStyle(int row) const;
    void writeRow(XlsxOut& out, int row, int at) const;

private:
    struct Cell {
        TypedValue value;
        CellStyle style;
    };
    struct Slot {
        bool used = false;
        Cell cell;
    };

    Cell& cellAt(int row, int column);
    const Cell* find(int row, int column) const;
    template<class F> void forEachCell(const CellRange& range, F apply);
    template<class F> void forRow(int row, F apply);
    // Every cell written, row by row and left to right: visit(row, column, cell).
    template<class F> void forEachStored(F visit) const
    {
        for (size_t r = 0; r < m_rows.size(); ++r)
            for (size_t c = 0; c < m_rows[r].size(); ++c)
                if (m_rows[r][c].used)
                    visit(int(r) + 1, int(c) + 1, m_rows[r][c].cell);
    }

    QString m_name;
    // The cells written so far by row (index row - 1), each row by column
    // (index column - 1): an export passes over a grid of many thousand
    // cells several times, and each pass must find a cell at once.
    std::vector<std::vector<Slot>> m_rows;
    std::map<int, CellStyle> m_rowStyles;
    std::map<int, double> m_widths;
    QList<CellRange> m_merges;
    PageSetup m_page;
};

} // namespace wel::excel
