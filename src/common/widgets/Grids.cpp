#include "Grids.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QStyle>
#include <QTableWidget>

namespace wel {

namespace {
constexpr int kMinimumRows = 5;
constexpr int kProgressEvery = 500;
constexpr int kRowPadding = 6;
// The widest a column grows for what it lists.
constexpr int kWidestByContent = 150;
}

void setupListGrid(QTableWidget* grid, const QStringList& headings, const QVector<int>& widths)
{
    grid->setColumnCount(int(headings.size()));
    grid->setHorizontalHeaderLabels(headings);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    // Tab leaves the grid for the next control; arrows move within it.
    grid->setTabKeyNavigation(false);
    QHeaderView* header = grid->horizontalHeader();
    // Headings look alike on every screen, whatever row is chosen.
    header->setHighlightSections(false);
    for (int c = 0; c < headings.size(); ++c) {
        const int width = widths.value(c, header->defaultSectionSize());
        grid->setColumnHidden(c, width == 0);
        if (width > 0)
            grid->setColumnWidth(c, qMax(width, header->sectionSizeHint(c)));
    }
    // Rows as tall as the text with its marks above and below, no more: a
    // list shows as many rows as the window has room for.
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + kRowPadding);
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

bool looksLikeAmount(const QString& text)
{
    static const QRegularExpression amount(QStringLiteral("^-?\\d{1,3}(,\\d{3})*\\.\\d\\d$"));
    return amount.match(text).hasMatch();
}

void fillListGrid(QTableWidget* grid, const QVector<QStringList>& rows, const GridProgress& progress)
{
    grid->setRowCount(0);
    grid->setRowCount(int(rows.size()));
    const int columns = grid->columnCount();
    QVector<int> amounts(columns, 0), others(columns, 0);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString& text = rows[r][c];
            grid->setItem(r, c, new QTableWidgetItem(text));
            if (c < columns && !text.isEmpty())
                ++(looksLikeAmount(text) ? amounts : others)[c];
        }
        if (progress && r % kProgressEvery == 0)
            progress(r, int(rows.size()));
    }
    QVector<int> right;
    for (int c = 0; c < columns; ++c)
        if (amounts[c] > 0 && others[c] == 0)
            right << c;
    alignRight(grid, right);
    // A column drawn narrower than what it lists widens to show it, within
    // a limit: one long description must not push the others out of view.
    QHeaderView* header = grid->horizontalHeader();
    for (int c = 0; c < columns; ++c)
        if (!grid->isColumnHidden(c)) {
            const int drawn = grid->columnWidth(c);
            grid->resizeColumnToContents(c);
            const int limit = qMax(drawn, qMax(header->sectionSizeHint(c), kWidestByContent));
            if (grid->columnWidth(c) > limit) {
                grid->setColumnWidth(c, limit);
                for (int r = 0; r < grid->rowCount(); ++r)
                    if (QTableWidgetItem* item = grid->item(r, c))
                        item->setToolTip(item->text());
            } else if (grid->columnWidth(c) < drawn) {
                grid->setColumnWidth(c, drawn);
            }
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
