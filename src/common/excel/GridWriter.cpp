#include "common/excel/GridWriter.h"

#include "common/AppError.h"

namespace wel::excel {

namespace {

// Rows of the pattern: three first rows (the first carries the top line),
// one middle row, three closing rows (the line above the totals and the
// closing line). A grid of at most this many rows is laid out as it is.
constexpr int kPatternRows = 7;
constexpr int kMiddleRow = 3, kClosingRows = 3;

} // namespace

GridWriter::GridWriter(const QList<QStringList>& headings, const GridExportParams& params, const QString& path)
    : GridWriter(headings, [params](const GridTable& grid) { return buildGridSheet(grid, params); }, path)
{
}

GridWriter::GridWriter(const QList<QStringList>& headings, Layout layout, const QString& path)
    : m_headings(headings), m_layout(std::move(layout)), m_path(path)
{
    for (const QStringList& h : m_headings)
        m_width = qMax(m_width, int(h.size()));
    m_firstData = 4 + qMax(1, int(m_headings.size()));
}

GridWriter::~GridWriter() = default;

void GridWriter::addRow(const QStringList& cells)
{
    // The closing row under the data is counted before the row goes in.
    const int tail = m_template ? m_template->lastRow() - (m_firstData + m_templateRows - 1) : 0;
    if (m_firstData + rowCount() + tail > kSheetRows)
        throw AppError(QStringLiteral("ข้อมูลมีมากกว่าที่แผ่นงาน Excel หนึ่งแผ่นรับได้ (%L1 แถว) "
                                      "กรุณาเลือกเงื่อนไขให้ข้อมูลน้อยลงแล้วพิมพ์ออกใหม่")
                           .arg(kSheetRows));
    m_pending.push_back(cells);
    if (!m_template && int(m_pending.size()) > kPatternRows)
        begin(kPatternRows);
    if (!m_template)
        return;
    while (int(m_pending.size()) > kClosingRows) {
        writeData(m_pending.front(), qMin(m_written, kMiddleRow));
        m_pending.pop_front();
    }
}

void GridWriter::begin(int placeholderRows)
{
    GridTable pattern;
    pattern.headings = m_headings;
    for (int i = 0; i < placeholderRows; ++i)
        pattern.rows << QStringList(m_width);
    m_template = m_layout(pattern);
    m_templateRows = placeholderRows;
    m_out = std::make_unique<XlsxOut>(m_path, m_template->name(), !m_template->mergesOverRows());
    for (int row = 1; row < m_firstData; ++row)
        m_template->writeRow(*m_out, row, row);
    m_looks.assign(size_t(placeholderRows), {});
}

const GridWriter::Look& GridWriter::lookOf(int templateIndex, int column, bool amount)
{
    std::vector<std::optional<Look>>& row = m_looks[size_t(templateIndex)];
    const size_t at = size_t(column - 1) * 2 + (amount ? 1 : 0);
    if (row.size() <= at)
        row.resize(at + 1);
    if (!row[at]) {
        CellStyle style = m_template->style(m_firstData + templateIndex, column);
        // As typing an amount into a General cell gives it the amount format.
        if (amount && style.numberFormat.isEmpty())
            style.numberFormat = amountFormat();
        row[at] = Look{style, m_out->format(style)};
    }
    return *row[at];
}

void GridWriter::writeData(const QStringList& cells, int templateIndex)
{
    const Worksheet& t = *m_template;
    const int pattern = m_firstData + templateIndex;
    const int at = m_firstData + m_written;
    m_out->startRow(at, t.rowStyle(pattern), t.largestFont(pattern));
    const int columns = qMax(int(cells.size()), m_width);
    m_values.resize(size_t(columns));
    for (int c = 0; c < columns; ++c)
        m_values[size_t(c)] = c < cells.size() ? interpretTyped(cells[c]) : TypedValue();
    for (int c = 0; c < columns; ++c) {
        const TypedValue& v = m_values[size_t(c)];
        if (v.kind == TypedValue::Empty && !t.hasCell(pattern, c + 1))
            continue;
        const Look& look = lookOf(templateIndex, c + 1, v.amount);
        m_out->cell(at, c + 1, v, look.format);
        if (v.kind != TypedValue::Empty)
            m_meter.measure(c + 1, v, look.style, c + 1 < columns && m_values[size_t(c) + 1].kind != TypedValue::Empty);
    }
    m_lastColumn = qMax(m_lastColumn, int(cells.size()));
    ++m_written;
}

void GridWriter::finish()
{
    if (!m_template)
        begin(int(m_pending.size()));
    const int n = rowCount();
    const int shift = n - m_templateRows; // rows the pattern's closing rows move down
    while (!m_pending.empty()) {
        writeData(m_pending.front(), m_written - shift);
        m_pending.pop_front();
    }
    const Worksheet& t = *m_template;
    for (int row = m_firstData + m_templateRows; row <= t.lastRow(); ++row)
        t.writeRow(*m_out, row, row + shift);
    std::map<int, double> widths = t.columnWidths();
    m_meter.widen(widths, qMax(t.lastColumn(), m_lastColumn));
    for (const auto& [column, width] : widths)
        m_out->columnWidth(column, width);
    m_out->close(t.pageSetup());
    m_out.reset();
}

} // namespace wel::excel
