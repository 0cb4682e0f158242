#pragma once
#include "common/Money.h"

#include <QObject>
#include <QVector>

class QTableWidget;

namespace wel {

// Marks rows of a list grid for an operation (the summaries): a mark column
// shows "X" on a marked row, and the total of an amount column over the
// marked rows is kept as rows are marked and unmarked, by double-click or by
// the four marking buttons of the screen.
class MarkingGrid : public QObject {
    Q_OBJECT
public:
    MarkingGrid(QTableWidget* grid, int markColumn, int amountColumn, QObject* parent = nullptr);

    // The grid has been refilled: nothing is marked.
    void reset();
    void toggle(int row);
    void markCurrent();
    void unmarkCurrent();
    void markAll();
    void unmarkAll();

    bool isMarked(int row) const;
    QVector<int> markedRows() const; // top to bottom
    Money total() const { return m_total; }

signals:
    void totalChanged(wel::Money total);

private:
    void setMark(int row, bool on);
    Money amountOf(int row) const;

    QTableWidget* m_grid;
    int m_markColumn;
    int m_amountColumn;
    Money m_total;
};

} // namespace wel
