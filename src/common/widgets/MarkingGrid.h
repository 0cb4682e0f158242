#pragma once
#include "common/Money.h"

#include <QObject>
#include <QVector>

namespace wel {

class ResultGrid;

// Marks rows of a listing for an operation (the summaries): a mark column
// shows "X" on a marked row, and the total of an amount column over the
// marked rows is kept as rows are marked and unmarked, by double-click or by
// the four marking buttons of the screen. The marks are the rows' own texts,
// so they stay with their rows when the clerk sorts by a heading.
class MarkingGrid : public QObject {
    Q_OBJECT
public:
    MarkingGrid(ResultGrid* grid, int markColumn, int amountColumn, QObject* parent = nullptr);

    // The grid has been refilled: nothing is marked.
    void reset();
    // Rows as shown.
    void toggle(int row);
    void markCurrent();
    void unmarkCurrent();
    void markAll();
    void unmarkAll();

    bool isMarked(int row) const; // as shown
    // The marked rows by their place in the rows the screen listed (not as
    // sorted on the screen), in that order: what is done with them does not
    // depend on the order the clerk looked at them in.
    QVector<int> markedRows() const;
    Money total() const { return m_total; }

signals:
    void totalChanged(wel::Money total);

private:
    void setMark(int row, bool on);
    Money amountOf(int row) const;

    ResultGrid* m_grid;
    int m_markColumn;
    int m_amountColumn;
    Money m_total;
};

} // namespace wel
