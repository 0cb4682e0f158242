#include "Grids.h"

#include <QHeaderView>
#include <QTableWidget>

namespace wel {

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
}

void fillListGrid(QTableWidget* grid, const QVector<QStringList>& rows)
{
    grid->setRowCount(0);
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
}

void alignRight(QTableWidget* grid, const QVector<int>& columns)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c : columns)
            if (QTableWidgetItem* item = grid->item(r, c))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void widenToContents(QTableWidget* grid)
{
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (grid->isColumnHidden(c))
            continue;
        const int wanted = qMax(static_cast<QAbstractItemView*>(grid)->sizeHintForColumn(c), grid->horizontalHeader()->sectionSizeHint(c));
        if (wanted > grid->columnWidth(c))
            grid->setColumnWidth(c, wanted);
    }
}

} // namespace wel
