#include "Grids.h"
#include "ResultGrid.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

namespace wel {

namespace {
constexpr int kMinimumRows = 5;
// The widest a column grows for what it lists.
constexpr int kWidestByContent = 150;
}

void setupListGrid(QTableWidget* grid, const QStringList& headings, const QVector<int>& widths)
{
    grid->setColumnCount(int(headings.size()));
    grid->setHorizontalHeaderLabels(headings);
    setGridLook(grid);
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

bool looksLikeAmount(const QString& text)
{
    // "-1,234.50": digits in groups of three after the first, two decimals.
    // Scanned by hand: a result grid asks this of every cell it shows.
    int i = text.startsWith(u'-') ? 1 : 0;
    const int point = int(text.size()) - 3;
    if (point <= i || text[point] != u'.' || !text[point + 1].isDigit() || !text[point + 2].isDigit()
        || text[point + 1] > u'9' || text[point + 2] > u'9')
        return false;
    int group = 0;
    bool grouped = false;
    for (; i < point; ++i) {
        if (text[i] == u',') {
            if (group == 0 || group > 3 || (grouped && group != 3))
                return false;
            grouped = true;
            group = 0;
        } else if (text[i] >= u'0' && text[i] <= u'9') {
            ++group;
        } else {
            return false;
        }
    }
    return group > 0 && group <= 3 && (!grouped || group == 3);
}

void fillListGrid(QTableWidget* grid, const QVector<QStringList>& rows)
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
