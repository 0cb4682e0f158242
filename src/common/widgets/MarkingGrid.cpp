#include "MarkingGrid.h"

#include <QTableWidget>

namespace wel {

MarkingGrid::MarkingGrid(QTableWidget* grid, int markColumn, int amountColumn, QObject* parent)
    : QObject(parent ? parent : grid), m_grid(grid), m_markColumn(markColumn), m_amountColumn(amountColumn)
{
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { toggle(row); });
}

void MarkingGrid::reset()
{
    m_total = Money();
    emit totalChanged(m_total);
}

Money MarkingGrid::amountOf(int row) const
{
    const QTableWidgetItem* item = m_grid->item(row, m_amountColumn);
    Money m;
    if (!item || !Money::parse(item->text(), &m))
        return Money();
    return m;
}

bool MarkingGrid::isMarked(int row) const
{
    const QTableWidgetItem* item = m_grid->item(row, m_markColumn);
    return item && item->text() == QLatin1String("X");
}

void MarkingGrid::setMark(int row, bool on)
{
    // A row without a claim (the empty row of an empty listing) is never marked.
    if (row < 0 || row >= m_grid->rowCount() || isMarked(row) == on || !m_grid->item(row, m_amountColumn)
        || m_grid->item(row, m_amountColumn)->text().isEmpty())
        return;
    QTableWidgetItem* item = m_grid->item(row, m_markColumn);
    if (!item) {
        item = new QTableWidgetItem;
        m_grid->setItem(row, m_markColumn, item);
    }
    item->setText(on ? QStringLiteral("X") : QString());
    item->setTextAlignment(Qt::AlignCenter);
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
            rows << r;
    return rows;
}

} // namespace wel
