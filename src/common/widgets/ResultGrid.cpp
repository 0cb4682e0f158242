#include "common/widgets/ResultGrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTextBoundaryFinder>
#include <QToolTip>

#include <algorithm>

namespace wel {

namespace {
constexpr int kMinimumRows = 5;
constexpr int kRowPadding = 6;
// The widest a column grows for what it lists.
constexpr int kWidestByContent = 150;
} // namespace

void setGridLook(QTableView* grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    // Tab leaves the grid for the next control; arrows move within it.
    grid->setTabKeyNavigation(false);
    // Headings look alike on every screen, whatever row is chosen.
    grid->horizontalHeader()->setHighlightSections(false);
    // Rows as tall as the text with its marks above and below, no more: a
    // list shows as many rows as the window has room for.
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + kRowPadding);
}

ResultGrid::ResultGrid(const QString& name, QWidget* parent) : QTableView(parent), m_model(new ResultModel(this))
{
    setObjectName(name);
    setModel(m_model);
    setGridLook(this);
    setTextElideMode(Qt::ElideRight);
    setWordWrap(false);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
}

ResultGrid::ResultGrid(const QString& name, const QStringList& headings, const QVector<int>& widths, QWidget* parent)
    : ResultGrid(name, parent)
{
    setColumns(headings, widths);
}

void ResultGrid::setSortable(bool sortable)
{
    m_model->setSortable(sortable);
    setSortingEnabled(sortable);
    horizontalHeader()->setSectionsClickable(sortable);
}

void ResultGrid::alignRight(const QVector<int>& columns)
{
    for (int c : columns)
        if (!m_right.contains(c))
            m_right << c;
    m_model->alignRight(columns);
}

int ResultGrid::headingWidth(int column) const
{
    return horizontalHeader()->sectionSizeHint(column);
}

int ResultGrid::oneLineHeadingWidth(int column) const
{
    const QString shown = m_model->headerData(column, Qt::Horizontal).toString();
    const QString heading = m_model->headings().value(column);
    if (shown == heading)
        return headingWidth(column);
    // Shown on two lines by the last fit: as wide as on one line again.
    const QFontMetrics metrics(horizontalHeader()->font());
    auto widest = [&](const QString& text) {
        int w = 0;
        for (const QString& line : text.split(u'\n'))
            w = qMax(w, metrics.horizontalAdvance(line));
        return w;
    };
    return headingWidth(column) - widest(shown) + widest(heading);
}

void ResultGrid::setColumns(const QStringList& headings, const QVector<int>& widths)
{
    // The same report asked again keeps its columns: no second reset and
    // relayout of a grid about to receive its new rows.
    if (headings == m_model->headings() && widths == m_widthsAsked)
        return;
    m_widthsAsked = widths;
    m_model->setResult(headings, {});
    m_right.clear();
    m_drawn.clear();
    for (int c = 0; c < headings.size(); ++c)
        m_drawn << (widths.isEmpty() ? 1 : widths.value(c, 1));
    m_content = QVector<int>(headings.size(), 0);
    m_keepWhole = QVector<bool>(headings.size(), false);
    m_natural = QVector<int>(headings.size(), 0);
    int floors = 0;
    for (int c = 0; c < headings.size(); ++c) {
        setColumnHidden(c, m_drawn[c] == 0);
        if (m_drawn[c] > 0) {
            m_natural[c] = qMax(m_drawn[c], headingWidth(c));
            floors += headingWidth(c);
        }
    }
    // Never narrower than its headings nor lower than a few rows.
    const int frame = 2 * frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setMinimumWidth(floors + frame + scrollBar);
    setMinimumHeight(horizontalHeader()->sizeHint().height() + kMinimumRows * verticalHeader()->defaultSectionSize()
                     + frame + scrollBar);
    fitColumns();
}

void ResultGrid::showRows(QVector<QStringList> rows, int fixedRows, int totalRows)
{
    // A new result shows in the order its service gave.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_model->setResult(m_model->headings(), std::move(rows), fixedRows, totalRows);
    m_model->alignRight(m_right);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (isColumnHidden(c))
            continue;
        m_content[c] = contentWidth(c);
        const int drawn = m_drawn.value(c, 1);
        const int heading = oneLineHeadingWidth(c);
        const int limit = qMax(drawn, qMax(heading, kWidestByContent));
        m_natural[c] = qMax(qMax(drawn, heading), qMin(m_content[c], limit));
    }
    fitColumns();
}

int ResultGrid::contentWidth(int column)
{
    // Measuring every cell through the delegate costs more than the query of
    // a long result. The widest text is among the longest ones, or, where
    // many are as long (claim numbers), among rows spread over the result.
    constexpr int kMeasured = 8;
    constexpr int kSpread = 64;
    QVector<int> longest; // row numbers, longest text first
    const QVector<QStringList>& rows = m_model->rows();
    for (int r = 0; r < rows.size(); ++r) {
        const qsizetype length = rows[r].value(column).size();
        if (longest.size() == kMeasured && length <= rows[longest.last()].value(column).size())
            continue;
        auto at = std::find_if(longest.begin(), longest.end(),
                               [&](int o) { return rows[o].value(column).size() < length; });
        longest.insert(at, r);
        if (longest.size() > kMeasured)
            longest.removeLast();
    }
    const QFontMetrics metrics(font());
    int widest = -1, widestRow = -1;
    auto measure = [&](int r) {
        const int w = metrics.horizontalAdvance(rows[r].value(column));
        if (w > widest) {
            widest = w;
            widestRow = r;
        }
    };
    for (int r : longest)
        measure(r);
    const qsizetype step = qMax<qsizetype>(1, rows.size() / kSpread);
    for (qsizetype r = 0; r < rows.size(); r += step)
        measure(int(r));
    // Numbers, codes and dates are read whole or not at all.
    const QString sample = longest.isEmpty() ? QString() : rows[longest.first()].value(column);
    m_keepWhole[column] = std::any_of(sample.begin(), sample.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
    if (widestRow < 0)
        return 0;
    // The delegate's own padding around the text, and the grid line.
    return sizeHintForIndex(m_model->index(widestRow, column)).width() + (showGrid() ? 1 : 0);
}

namespace {

// A heading broken onto two lines where the two halves are most even, at a
// place a line may break (between Thai words too).
QString onTwoLines(const QString& heading, const QFontMetrics& metrics)
{
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, heading);
    QString best = heading;
    int bestWidth = metrics.horizontalAdvance(heading);
    while (lines.toNextBoundary() != -1) {
        const qsizetype at = lines.position();
        if (at <= 0 || at >= heading.size())
            continue;
        const QString first = heading.left(at).trimmed(), second = heading.mid(at).trimmed();
        const int width = qMax(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (width < bestWidth) {
            bestWidth = width;
            best = first + u'\n' + second;
        }
    }
    return best;
}

} // namespace

void ResultGrid::fitColumns()
{
    const int columns = int(m_natural.size());
    // The room beside a vertical scroll bar, whether a long result shows one or not.
    const int room = maximumViewportSize().width() - verticalScrollBar()->sizeHint().width();
    // The same report asked again in the same window fits as it did.
    if (room == m_fittedRoom && m_natural == m_fittedNatural && m_content == m_fittedContent
        && m_model->sortable() == m_fittedSortable)
        return;
    m_fittedRoom = room;
    m_fittedSortable = m_model->sortable();
    m_fittedNatural = m_natural;
    m_fittedContent = m_content;
    m_model->setShownHeadings({});
    QVector<int> widths;
    int excess = 0;
    // Takes the excess from the columns above their floor, in proportion.
    auto giveUp = [&](auto floorOf) {
        if (excess <= 0)
            return;
        qint64 slack = 0;
        for (int c = 0; c < columns; ++c)
            if (!isColumnHidden(c))
                slack += qMax(0, widths[c] - floorOf(c));
        if (slack == 0)
            return;
        const int take = int(qMin<qint64>(excess, slack));
        int taken = 0;
        for (int c = 0; c < columns; ++c) {
            if (isColumnHidden(c))
                continue;
            const int cut = int(qint64(qMax(0, widths[c] - floorOf(c))) * take / slack);
            widths[c] -= cut;
            taken += cut;
        }
        for (int c = 0; c < columns && taken < take; ++c)
            if (!isColumnHidden(c) && widths[c] > floorOf(c)) {
                --widths[c];
                ++taken;
            }
        excess -= taken;
    };
    const auto whole = [&](int c) { return qMax(m_content[c], headingWidth(c)); };
    const auto leastOf = [&](int c) {
        return m_model->isRightAligned(c) || m_keepWhole.value(c) ? whole(c) : headingWidth(c);
    };
    auto fit = [&](bool cutTexts) {
        widths = m_natural;
        int total = 0;
        for (int c = 0; c < columns; ++c)
            if (!isColumnHidden(c))
                total += widths[c];
        excess = total - room;
        giveUp(whole);
        // Amounts, codes and dates are never cut; a long text is, down to
        // its heading.
        if (cutTexts)
            giveUp(leastOf);
    };
    // Each way to find room costs the clerk more than the one before: the
    // sort arrows, then headings on two lines, then texts cut short.
    horizontalHeader()->setSortIndicatorShown(m_model->sortable());
    fit(false);
    if (excess > 0 && horizontalHeader()->isSortIndicatorShown()) {
        // The arrow's room is kept beside every heading; a wide result sorts
        // by its headings all the same without it.
        horizontalHeader()->setSortIndicatorShown(false);
        fit(false);
    }
    if (excess > 0) {
        // Headings wider than their column's texts go onto two lines.
        QHash<int, QString> shown;
        const QFontMetrics metrics(horizontalHeader()->font());
        for (int c = 0; c < columns; ++c) {
            const QString heading = m_model->headings().value(c);
            if (!isColumnHidden(c) && headingWidth(c) > m_content[c] && !heading.contains(u'\n'))
                shown.insert(c, onTwoLines(heading, metrics));
        }
        m_model->setShownHeadings(shown);
        fit(false);
    }
    // Cutting texts only where it brings every column into view: a list
    // too wide for that (39 columns) scrolls with its texts whole.
    int least = 0;
    for (int c = 0; c < columns; ++c)
        if (!isColumnHidden(c))
            least += leastOf(c);
    if (excess > 0 && least <= room)
        fit(true);
    for (int c = 0; c < columns; ++c)
        if (!isColumnHidden(c) && columnWidth(c) != widths[c])
            setColumnWidth(c, widths[c]);
}

int ResultGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

QString ResultGrid::cutText(int row, int column) const
{
    const QString t = m_model->text(row, column);
    if (t.isEmpty()
        || sizeHintForIndex(m_model->index(row, column)).width() + (showGrid() ? 1 : 0) <= columnWidth(column))
        return {};
    return t;
}

void ResultGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}

bool ResultGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex i = indexAt(help->pos());
        const QString whole = i.isValid() ? cutText(i.row(), i.column()) : QString();
        if (whole.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), whole, viewport(), visualRect(i));
        return true;
    }
    return QTableView::viewportEvent(event);
}

} // namespace wel
