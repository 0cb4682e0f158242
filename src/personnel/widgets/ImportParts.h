#pragma once
#include "personnel/ImportCommon.h"

#include <QSet>

class QListWidget;
class QProgressBar;
class QWidget;

namespace wel {

class ResultGrid;

// Pieces the import screens share.

// A progress report that moves the bar and repaints the screen while a long
// run holds the one thread (clicks wait until the run is over).
imports::Progress progressOn(QProgressBar* bar);
void repaintNow();

// A grid of workbook rows: named, read only, headings and widths as given
// (0: the grid's default width).
ResultGrid* workbookGrid(const QString& name, const QStringList& headings, const QVector<int>& widths,
                         QWidget* parent);
void fillWorkbookGrid(ResultGrid* grid, const imports::SheetRows& rows);
// Rows drawn as refused, by their place in the rows the grid was given.
void shadeRefused(ResultGrid* grid, const QSet<int>& rows);

// A list that shows a few lines at least and otherwise takes what room is left.
void shortList(QListWidget* list);

// The list of refused rows, "lstRefused": long reasons wrap instead of being cut.
QListWidget* refusalList(QWidget* parent);

// The refusals for a message box: the first lines, and how many more the
// list holds, so that the box stays on the screen.
QString refusalSummary(const QVector<imports::Refusal>& refused);

// Lists the refused rows, one line each, and marks them in the grid.
void showRefusals(QListWidget* list, const QVector<imports::Refusal>& refused, ResultGrid* grid = nullptr,
                  const imports::SheetRows* rows = nullptr);

} // namespace wel
