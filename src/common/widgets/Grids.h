#pragma once
#include <QStringList>
#include <QVector>

class QTableWidget;

namespace wel {

// A read-only list grid as every screen uses it: whole rows selected, no row
// numbers, the given headings and widths. A width of 0 hides the column (it
// carries a key); other columns are at least as wide as their heading, since
// the layouts' widths were drawn for a narrower face than ours. The grid is
// never narrower than its shown columns nor lower than a few rows.
void setupListGrid(QTableWidget* grid, const QStringList& headings, const QVector<int>& widths);

// Replaces the grid's rows by these texts, one list per row; a shown column
// widens to what it holds.
void fillListGrid(QTableWidget* grid, const QVector<QStringList>& rows);

// Amount columns: their cells, as filled now, aligned to the right.
void alignRight(QTableWidget* grid, const QVector<int>& columns);

} // namespace wel
