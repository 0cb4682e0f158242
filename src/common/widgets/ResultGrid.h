#pragma once
#include "common/widgets/ResultModel.h"

#include <QTableView>

namespace wel {

// The look every list grid shares: whole rows selected, read-only, no row
// numbers, plain headings, Tab leaving the grid, rows as tall as their text.
void setGridLook(QTableView* grid);

// A result grid: the rows a report, an enquiry or a listing returned, shown
// through a model (no item per cell, so a long result shows as fast as its
// query returns), sorted by a heading click and exported in the order shown.
class ResultGrid : public QTableView {
    Q_OBJECT
public:
    explicit ResultGrid(const QString& name, QWidget* parent = nullptr);
    // A listing: the grid with its columns set (see setColumns).
    ResultGrid(const QString& name, const QStringList& headings, const QVector<int>& widths, QWidget* parent = nullptr);

    // The headings and the drawn widths in pixels: 0 hides a column (it
    // carries a key); no widths: as wide as the headings. New columns clear
    // the rows; the same columns again change nothing.
    void setColumns(const QStringList& headings, const QVector<int>& widths = {});
    // Shows these rows under the headings; the first fixedRows (a second
    // heading row) stay on top and the last totalRows at the bottom when
    // sorted. A column widens to what it holds, up to a limit past which a
    // long text is cut short and shown whole in its tool tip.
    void showRows(QVector<QStringList> rows, int fixedRows = 0, int totalRows = 0);
    // Counts and amounts the caller knows of, besides the amounts found; kept
    // for the rows shown until the columns change.
    void alignRight(const QVector<int>& columns);
    void setSortable(bool sortable);

    ResultModel* result() const { return m_model; }
    int rowCount() const { return m_model->rowCount(); }
    int currentRow() const;
    // The place of the current row in the rows given to showRows, whatever
    // order the clerk sorted them into: the index into the screen's own list
    // of what it showed. -1 for none.
    int currentSourceRow() const { return m_model->sourceRow(currentRow()); }
    QString text(int row, int column) const { return m_model->text(row, column); }
    // The whole text of a cell drawn cut short, as its tool tip shows it;
    // empty for a cell that shows whole.
    QString cutText(int row, int column) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // The widths asked for, the content allows and the headings need, fitted
    // into the width the grid has: columns give up room their texts do not
    // fill first, then long texts are cut short; a heading always shows whole.
    void fitColumns();
    int headingWidth(int column) const;
    int oneLineHeadingWidth(int column) const;
    int contentWidth(int column);

    ResultModel* m_model;
    QVector<int> m_widthsAsked;
    QVector<int> m_drawn;   // as asked; 0 for a hidden column
    QVector<int> m_natural; // after the content, before fitting
    QVector<int> m_content;
    QVector<int> m_right;
    // What the columns were last fitted to.
    int m_fittedRoom = -1;
    bool m_fittedSortable = false;
    QVector<int> m_fittedNatural, m_fittedContent;
    QVector<bool> m_keepWhole; // by column: codes and numbers, never cut
};

} // namespace wel
