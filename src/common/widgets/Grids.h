#pragma once
#include <QStringList>
#include <QVector>

class QTableWidget;

namespace wel {

// The item grid of the few rows a clerk adds and removes on an entry screen
// (receipts, school terms); lists of results are ResultGrids. Whole rows
// selected, no row numbers, the given headings and widths. A width of 0
// hides the column (it carries a key); other columns are at least as wide as their heading, since
// the layouts' widths were drawn for a narrower face than ours. The grid is
// never narrower than its shown columns nor lower than a few rows.
void setupListGrid(QTableWidget* grid, const QStringList& headings, const QVector<int>& widths);

// Replaces the grid's rows by these texts, one list per row. A shown column
// widens to what it holds, up to a limit past which a long text (a claim
// kind's description) is shown whole in its tool tip; its heading always
// shows whole. A column whose every text is an amount ("1,234.50") is
// aligned to the right.
void fillListGrid(QTableWidget* grid, const QVector<QStringList>& rows);

// Whether a cell's text is an amount as the grids show them ("%n").
bool looksLikeAmount(const QString& text);

// Amount columns: their cells, as filled now, aligned to the right.
void alignRight(QTableWidget* grid, const QVector<int>& columns);

} // namespace wel
