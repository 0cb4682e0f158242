#include "MarkingGrid.h"
#include "ResultGrid.h"

#include <algorithm>

namespace wel {

MarkingGrid::MarkingGrid(ResultGrid* grid, int markColumn, int amountColumn, QObject* parent)
    : QObject(parent ? parent : grid), m_grid(grid), m_markColumn(markColumn), m_amountColumn(amountColumn)
{
    grid->result()->alignCentre({markColumn});
    connect(grid, &ResultGrid::doubleClicked, this, [this](const QModelIndex& i) { toggle(i.row()); });
}

void MarkingGrid::reset()
{
    m_grid->result()->alignCentre({m_markColumn});
    m_total = Money();
    emit totalChanged(m_total);
}

Money MarkingGrid::amountOf(int row) const
{
    Money m;
    if (!Money::parse(m_grid->text(row, m_amountColumn), &m))
        return Money();
    return m;
}

bool MarkingGrid::isMarked(int row) const
{
    return m_grid->text(row, m_markColumn) == QLatin1String("X");
}

void MarkingGrid::setMark(int row, bool on)
{
    // A row without a claim (the empty row of an empty listing) is never marked.
    if (row < 0 || row >= m_grid->rowCount() || isMarked(row) == on || m_grid->text(row, m_amountColumn).isEmpty())
        return;
    m_grid->result()->setText(row, m_markColumn, on ? QStringLiteral("X") : QString());
    m_total += on ? amountOf(row) : -amountOf(row);
}

void MarkingGrid::toggle(int row)
{
    setMark(row, !isMarked(row));
    emit totalChanged(m_total);
}

void MarkingGrid::markCurrent()
{
    setMark(m_grid->currentRow(), true);
    emit totalChanged(m_total);
}

void MarkingGrid::unmarkCurrent()
{
    setMark(m_grid->currentRow(), false);
    emit totalChanged(m_total);
}

void MarkingGrid::markAll()
{
    for (int r = 0; r < m_grid->rowCount(); ++r)
        setMark(r, true);
    emit totalChanged(m_total);
}

void MarkingGrid::unmarkAll()
{
    for (int r = 0; r < m_grid->rowCount(); ++r)
        setMark(r, false);
    m_total = Money();
    emit totalChanged(m_total);
}

QVector<int> MarkingGrid::markedRows() const
{
    QVector<int> rows;
    for (int r = 0; r < m_grid->rowCount(); ++r)
        if (isMarked(r))
            rows << m_grid->result()->sourceRow(r);
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace wel
