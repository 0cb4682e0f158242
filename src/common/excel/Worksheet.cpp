#include "common/excel/Worksheet.h"

#include "common/AppError.h"
#include "common/excel/XlsxOut.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace wel::excel {

namespace {

// Digits from i on; returns where they end.
qsizetype digitsFrom(const QString& t, qsizetype i)
{
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
        ++i;
    return i;
}

qsizetype afterSign(const QString& t)
{
    return t.startsWith(u'+') || t.startsWith(u'-') ? 1 : 0;
}

// "12", "-1.5", ".5", "1e3", as the spreadsheet reads a typed number.
bool isPlainNumber(const QString& t)
{
    const qsizetype i = afterSign(t);
    const qsizetype whole = digitsFrom(t, i);
    qsizetype end = whole;
    if (end < t.size() && t[end] == u'.') {
        end = digitsFrom(t, end + 1);
        if (whole == i && end == whole + 1)
            return false; // a point without a digit on either side
    } else if (whole == i) {
        return false;
    }
    if (end < t.size() && (t[end] == u'e' || t[end] == u'E')) {
        qsizetype e = end + 1;
        if (e < t.size() && (t[e] == u'+' || t[e] == u'-'))
            ++e;
        end = digitsFrom(t, e);
        if (end == e)
            return false;
    }
    return end == t.size();
}

// "1,234.50": one to three digits, then groups of three.
bool isGroupedNumber(const QString& t)
{
    const qsizetype i = afterSign(t);
    const qsizetype lead = digitsFrom(t, i);
    if (lead == i || lead - i > 3)
        return false;
    qsizetype end = lead;
    int groups = 0;
    while (end < t.size() && t[end] == u',') {
        if (digitsFrom(t, end + 1) != end + 4)
            return false;
        end += 4;
        ++groups;
    }
    if (groups == 0)
        return false;
    if (end < t.size() && t[end] == u'.')
        end = digitsFrom(t, end + 1);
    return end == t.size();
}

bool parseNumber(const QString& digits, double* out)
{
    bool ok = false;
    *out = QLocale::c().toDouble(digits, &ok);
    return ok;
}

} // namespace

// Every cell of an export passes here, so the two number forms are read by
// hand rather than by regular expressions.
TypedValue interpretTyped(const QString& typed)
{
    TypedValue v;
    if (typed.isEmpty())
        return v;
    if (typed.startsWith(u'\'')) {
        v.text = typed.mid(1);
        v.kind = v.text.isEmpty() ? TypedValue::Empty : TypedValue::Text;
        return v;
    }
    // Blanks around a number do not stop the spreadsheet from reading it.
    const QString t = typed.trimmed();
    double n = 0;
    if (isPlainNumber(t) && parseNumber(t, &n)) {
        v.kind = TypedValue::Number;
        v.number = n;
    } else if (isGroupedNumber(t) && parseNumber(QString(t).remove(u','), &n)) {
        v.kind = TypedValue::Number;
        v.number = n;
        v.amount = true;
    } else {
        v.kind = TypedValue::Text;
        v.text = typed;
    }
    return v;
}

void PageSetup::setPrintTitleRows(const QString& rows)
{
    if (rows.trimmed().isEmpty()) {
        firstTitleRow = lastTitleRow = 0;
        return;
    }
    const RowSpan span = RowSpan::parse(rows);
    firstTitleRow = span.first;
    lastTitleRow = span.last;
}

Worksheet::Worksheet(const QString& name)
{
    setName(name);
}

void Worksheet::setName(const QString& name)
{
    QString n = name;
    static const QRegularExpression refused(QStringLiteral("[\\[\\]:*?/\\\\]"));
    n.replace(refused, QStringLiteral("_"));
    n = n.left(31).trimmed();
    while (n.startsWith(u'\''))
        n.remove(0, 1);
    while (n.endsWith(u'\''))
        n.chop(1);
    m_name = n.isEmpty() ? QStringLiteral("Sheet1") : n;
}

Worksheet::Cell& Worksheet::cellAt(int row, int column)
{
    if (row < 1 || column < 1 || row > 1048576 || column > 16384)
        throw AppError(QStringLiteral("ตำแหน่งเซลล์ไม่ถูกต้อง: แถว %1 คอลัมน์ %2").arg(row).arg(column));
    if (size_t(row) > m_rows.size())
        m_rows.resize(size_t(row));
    std::vector<Slot>& cells = m_rows[size_t(row) - 1];
    if (size_t(column) > cells.size())
        cells.resize(size_t(column));
    Slot& slot = cells[size_t(column) - 1];
    if (!slot.used) {
        slot.used = true;
        // A cell that comes into being in a formatted row takes the row's look.
        if (auto rs = m_rowStyles.find(row); rs != m_rowStyles.end())
            slot.cell.style = rs->second;
    }
    return slot.cell;
}

const Worksheet::Cell* Worksheet::find(int row, int column) const
{
    if (row < 1 || column < 1 || size_t(row) > m_rows.size())
        return nullptr;
    const std::vector<Slot>& cells = m_rows[size_t(row) - 1];
    if (size_t(column) > cells.size() || !cells[size_t(column) - 1].used)
        return nullptr;
    return &cells[size_t(column) - 1].cell;
}

template<class F> void Worksheet::forEachCell(const CellRange& range, F apply)
{
    for (int r = range.top; r <= range.bottom; ++r)
        for (int c = range.left; c <= range.right; ++c)
            apply(cellAt(r, c).style, r, c);
}

template<class F> void Worksheet::forRow(int row, F apply)
{
    apply(m_rowStyles[row]);
    if (row >= 1 && size_t(row) <= m_rows.size())
        for (Slot& slot : m_rows[size_t(row) - 1])
            if (slot.used)
                apply(slot.cell.style);
}

void Worksheet::setText(int row, int column, const QString& typed)
{
    Cell& cell = cellAt(row, column);
    cell.value = interpretTyped(typed);
    // As when typing: a General cell takes the amount format, a cell that
    // already has a format keeps it.
    if (cell.value.amount && cell.style.numberFormat.isEmpty())
        cell.style.numberFormat = amountFormat();
}

TypedValue Worksheet::value(int row, int column) const
{
    const Cell* cell = find(row, column);
    return cell ? cell->value : TypedValue();
}

CellStyle Worksheet::style(int row, int column) const
{
    if (const Cell* cell = find(row, column))
        return cell->style;
    auto rs = m_rowStyles.find(row);
    return rs == m_rowStyles.end() ? CellStyle() : rs->second;
}

void Worksheet::setFontSize(const CellRange& range, double points)
{
    forEachCell(range, [&](CellStyle& s, int, int) { s.fontSize = points; });
}

void Worksheet::setFontColor(const CellRange& range, ExcelColor color)
{
    forEachCell(range, [&](CellStyle& s, int, int) { s.fontColor = color; });
}

void Worksheet::setBold(const CellRange& range, bool bold)
{
    forEachCell(range, [&](CellStyle& s, int, int) { s.bold = bold; });
}

void Worksheet::setFill(const CellRange& range, ExcelColor color)
{
    forEachCell(range, [&](CellStyle& s, int, int) { s.fill = color; });
}

void Worksheet::setHorizontalAlignment(const CellRange& range, HAlign align)
{
    forEachCell(range, [&](CellStyle& s, int, int) { s.hAlign = align; });
}

void Worksheet::setVerticalAlignment(const CellRange& range, VAlign align)
{
    forEachCell(range, [&](CellStyle& s, int, int) { s.vAlign = align; });
}

void Worksheet::setNumberFormat(const CellRange& range, const QString& format)
{
    forEachCell(range, [&](CellStyle& s, int, int) { s.numberFormat = format; });
}

void Worksheet::setBorders(const CellRange& range, unsigned edges, Line line)
{
    const CellRange& b = range;
    forEachCell(range, [&](CellStyle& s, int r, int c) {
        if ((edges & EdgeLeft) && c == b.left)
            s.left = line;
        if ((edges & EdgeRight) && c == b.right)
            s.right = line;
        if ((edges & EdgeTop) && r == b.top)
            s.top = line;
        if ((edges & EdgeBottom) && r == b.bottom)
            s.bottom = line;
        // A line inside the block belongs to both cells it separates.
        if (edges & InsideVertical) {
            if (c > b.left)
                s.left = line;
            if (c < b.right)
                s.right = line;
        }
        if (edges & InsideHorizontal) {
            if (r > b.top)
                s.top = line;
            if (r < b.bottom)
                s.bottom = line;
        }
    });
}

void Worksheet::merge(const CellRange& range)
{
    if (range.isSingleCell())
        return;
    for (const CellRange& m : std::as_const(m_merges)) {
        const bool apart = m.right < range.left || m.left > range.right
                           || m.bottom < range.top || m.top > range.bottom;
        if (!apart)
            throw AppError(QStringLiteral("ช่วงเซลล์ที่ผสานซ้อนกัน: %1 กับ %2")
                               .arg(m.toString(), range.toString()));
    }
    forEachCell(range, [&](CellStyle&, int r, int c) {
        if (r != range.top || c != range.left)
            cellAt(r, c).value = TypedValue();
    });
    m_merges.append(range);
}

void Worksheet::setRowFontSize(int row, double points)
{
    forRow(row, [&](CellStyle& s) { s.fontSize = points; });
}

void Worksheet::setRowAlignment(int row, HAlign align)
{
    forRow(row, [&](CellStyle& s) { s.hAlign = align; });
}

void Worksheet::setColumnWidth(const QString& columns, double width)
{
    const ColumnSpan span = ColumnSpan::parse(columns);
    setColumnWidth(span.first, span.last, width);
}

void Worksheet::setColumnWidth(int first, int last, double width)
{
    for (int c = first; c <= last; ++c)
        m_widths[c] = width;
}

std::optional<double> Worksheet::columnWidth(int column) const
{
    auto it = m_widths.find(column);
    if (it == m_widths.end())
        return std::nullopt;
    return it->second;
}

namespace {

// The spreadsheet's width unit is one digit of its 11-point default font; a
// Thai letter is a little wider than a digit, and marks above and below take
// no room of their own.
constexpr double kDefaultPoints = 11, kDefaultWidth = 8.43, kMostWidth = 255;

double widthInCharacters(const QString& shown, double points)
{
    int letters = 0;
    for (const QChar c : shown)
        letters += c.isMark() ? 0 : 1;
    return qMin(kMostWidth, letters * 1.1 * (points > 0 ? points : kDefaultPoints) / kDefaultPoints + 2);
}

QString shownText(const TypedValue& v, const CellStyle& style)
{
    if (v.kind != TypedValue::Number)
        return v.text;
    static const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    if (style.numberFormat.contains(QLatin1String("0.00")))
        return grouped.toString(v.number, 'f', 2);
    if (style.numberFormat.contains(QLatin1String("#,##0")))
        return grouped.toString(v.number, 'f', 0);
    return QString::number(v.number, 'g', 15);
}

} // namespace

void WidthMeter::measure(int column, const TypedValue& value, const CellStyle& style, bool valueOnRight)
{
    if (value.kind == TypedValue::Empty)
        return;
    std::vector<double>& into = value.kind == TypedValue::Text && !valueOnRight ? m_lonely : m_need;
    if (into.size() < size_t(column))
        into.resize(size_t(column), 0);
    double& need = into[size_t(column) - 1];
    need = qMax(need, widthInCharacters(shownText(value, style), style.fontSize));
}

void WidthMeter::widen(std::map<int, double>& widths, int lastColumn) const
{
    for (size_t c = 0; c < qMax(m_need.size(), m_lonely.size()); ++c) {
        const int column = int(c) + 1;
        double need = c < m_need.size() ? m_need[c] : 0;
        // Nothing lies right of the last column for a text to run on over.
        if (column == lastColumn && c < m_lonely.size())
            need = qMax(need, m_lonely[c]);
        auto it = widths.find(column);
        if (need > (it == widths.end() ? kDefaultWidth : it->second))
            widths[column] = need;
    }
}

int Worksheet::lastColumn() const
{
    int last = 0;
    forEachStored([&](int, int column, const Cell&) { last = qMax(last, column); });
    return last;
}

void Worksheet::widenColumnsToContent(int firstRow, int lastRow)
{
    WidthMeter meter;
    forEachStored([&](int row, int column, const Cell& cell) {
        if (row < firstRow || row > lastRow)
            return;
        for (const CellRange& m : m_merges)
            if (m.contains(row, column))
                return;
        const Cell* next = find(row, column + 1);
        meter.measure(column, cell.value, cell.style, next && next->value.kind != TypedValue::Empty);
    });
    meter.widen(m_widths, lastColumn());
}

int Worksheet::lastRow() const
{
    const int styled = m_rowStyles.empty() ? 0 : m_rowStyles.rbegin()->first;
    return qMax(int(m_rows.size()), styled);
}

bool Worksheet::mergesOverRows() const
{
    return std::any_of(m_merges.begin(), m_merges.end(), [](const CellRange& m) { return m.bottom > m.top; });
}

const CellStyle* Worksheet::rowStyle(int row) const
{
    auto it = m_rowStyles.find(row);
    return it == m_rowStyles.end() ? nullptr : &it->second;
}

double Worksheet::largestFont(int row) const
{
    const CellStyle* own = rowStyle(row);
    double largest = own ? own->fontSize : 0;
    if (row >= 1 && size_t(row) <= m_rows.size())
        for (const Slot& slot : m_rows[size_t(row) - 1])
            if (slot.used)
                largest = qMax(largest, slot.cell.style.fontSize);
    return largest;
}

void Worksheet::writeRow(XlsxOut& out, int row, int at) const
{
    out.startRow(at, rowStyle(row), largestFont(row));
    if (at == row)
        for (const CellRange& m : m_merges)
            if (m.top == row)
                out.merge(m, style(m.top, m.left));
    // The cells after the merges, so each cell of a merged block keeps its
    // own borders and the top-left one its value.
    if (row < 1 || size_t(row) > m_rows.size())
        return;
    const std::vector<Slot>& cells = m_rows[size_t(row) - 1];
    for (size_t c = 0; c < cells.size(); ++c)
        if (cells[c].used)
            out.cell(at, int(c) + 1, cells[c].cell.value, out.format(cells[c].cell.style));
}

void Worksheet::save(const QString& path) const
{
    XlsxOut out(path, m_name, !mergesOverRows());
    for (const auto& [column, width] : m_widths)
        out.columnWidth(column, width);
    for (int row = 1; row <= lastRow(); ++row)
        writeRow(out, row, row);
    out.close(m_page);
}

} // namespace wel::excel
