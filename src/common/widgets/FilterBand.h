#pragma once
#include <QList>
#include <QVector>

class QGroupBox;
class QPushButton;
class QWidget;

namespace wel {

// The filters of a report or enquiry screen as one compact band across the
// top of the window, so that the result grid gets the rest: the groups side
// by side, starting a new line only when the width is used up, and the
// screen's commands in a column at the band's right end.
//
// Each choice is a row of widgets (a radio button with its field); a group
// lays its choices out in at most two rows.
void layOutChoices(QGroupBox* group, const QVector<QList<QWidget*>>& choices);

// The band of the groups and commands, as wide as `width` at most.
QWidget* filterBand(QWidget* parent, const QList<QGroupBox*>& groups, const QList<QPushButton*>& commands,
                    int width);

// The width a band has in a screen that fills the main window of the
// desktop the program is drawn for (1280 pixels wide).
constexpr int kBandWidth = 1220;

} // namespace wel
