#include "Grids.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

namespace wel {

namespace {
constexpr int kMinimumRows = 5;
}

void setupListGrid(QTableWidget* grid, const QStringList& headings, const QVector<int>& widths)
{
    grid->setColumnCount(int(headings.size()));
    grid->setHorizontalHeaderLabels(headings);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    QHeaderView* header = grid->horizontalHeader();
    for (int c = 0; c < headings.size(); ++c) {
        const int width = widths.value(c, header->defaultSectionSize());
        grid->setColumnHidden(c, width == 0);
        if (width > 0)
            grid->setColumnWidth(c, qMax(width, header->sectionSizeHint(c)));
    }
    // Every column in view without scrolling sideways, and a few rows.
    const int frame = 2 * grid->frameWidth();
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    int columns = 0;
    for (int c = 0; c < headings.size(); ++c)
        if (!grid->isColumnHidden(c))
            columns += grid->columnWidth(c);
    grid->setMinimumWidth(columns + frame + scrollBar);
    grid->setMinimumHeight(header->sizeHint().height() + kMinimumRows * grid->verticalHeader()->defaultSectionSize()
                           + frame + scrollBar);
}

void fillListGrid(QTableWidget* grid, const QVector<QStringList>& rows)
{
    grid->setRowCount(0);
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    // A column drawn narrower than what it lists widens to show it whole.
    for (int c = 0; c < grid->columnCount(); ++c)
        if (!grid->isColumnHidden(c)) {
            const int drawn = grid->columnWidth(c);
            grid->resizeColumnToContents(c);
            if (grid->columnWidth(c) < drawn)
                grid->setColumnWidth(c, drawn);
        }
}

void alignRight(QTableWidget* grid, const QVector<int>& columns)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c : columns)
            if (QTableWidgetItem* item = grid->item(r, c))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace wel
