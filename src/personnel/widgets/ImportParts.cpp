#include "ImportParts.h"
#include "common/widgets/ResultGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QProgressBar>
#include <QSet>

namespace wel {

namespace {
const QColor kRefusedRow(255, 214, 214);
constexpr int kWidestGrid = 560; // two grids side by side on the desktop
}

void repaintNow() { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

imports::Progress progressOn(QProgressBar* bar)
{
    bar->setRange(0, 1);
    bar->setValue(0);
    return [bar](int done, int total) {
        if (bar->maximum() != total)
            bar->setRange(0, qMax(total, 1));
        bar->setValue(done);
        // Repainting every row would cost more than the row itself.
        if (done == total || done % 25 == 0)
            repaintNow();
    };
}

ResultGrid* workbookGrid(const QString& name, const QStringList& headings, const QVector<int>& widths,
                         QWidget* parent)
{
    auto* grid = new ResultGrid(name, parent);
    QVector<int> shown = widths;
    for (int& w : shown)
        if (w == 0)
            w = grid->horizontalHeader()->defaultSectionSize();
    grid->setColumns(headings, shown);
    // A workbook has more columns than a screen is wide: the grid scrolls
    // sideways within its panel instead of widening the window.
    grid->setMinimumWidth(qMin(grid->minimumWidth(), kWidestGrid));
    return grid;
}

void fillWorkbookGrid(ResultGrid* grid, const imports::SheetRows& rows)
{
    grid->showRows(rows.grid);
}

void shadeRefused(ResultGrid* grid, const QSet<int>& rows)
{
    grid->result()->shadeRows(rows, kRefusedRow);
}

void shortList(QListWidget* list)
{
    // Takes the height left over by the grids, and asks for a few lines only.
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    list->setMinimumHeight(list->fontMetrics().height() * 4 + 2 * list->frameWidth());
}

QListWidget* refusalList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("lstRefused"));
    list->setWordWrap(true);
    list->setResizeMode(QListView::Adjust);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    shortList(list);
    return list;
}

QString refusalSummary(const QVector<imports::Refusal>& refused)
{
    constexpr int kShown = 12;
    QStringList lines;
    for (int i = 0; i < refused.size() && i < kShown; ++i)
        lines << imports::refusalLine(refused[i]);
    if (refused.size() > kShown)
        lines << QStringLiteral("และอีก %1 แถว (ดูรายการทั้งหมดด้านล่าง)").arg(refused.size() - kShown);
    return lines.join(QLatin1Char('\r'));
}

void showRefusals(QListWidget* list, const QVector<imports::Refusal>& refused, ResultGrid* grid,
                  const imports::SheetRows* rows)
{
    list->clear();
    QSet<int> sheetRows;
    for (const imports::Refusal& r : refused) {
        list->addItem(imports::refusalLine(r));
        sheetRows << r.row;
    }
    if (!grid || !rows)
        return;
    QSet<int> shaded;
    for (int i = 0; i < rows->count() && i < grid->rowCount(); ++i)
        if (sheetRows.contains(rows->sheetRows[i]))
            shaded << i;
    shadeRefused(grid, shaded);
}

} // namespace wel
