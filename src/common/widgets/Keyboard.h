#pragma once

class QWidget;

namespace wel {

// A control that takes what the clerk types or chooses: an editable field,
// a choice list, a check box or a radio button.
bool isInput(const QWidget* w);

// The keyboard and the look every screen shares, set once on a screen's
// widgets as its window opens:
// - a grid gives Tab back to the form (arrows move within it) and does not
//   draw its headings bold for the selected row;
// - Tab and Shift+Tab into a group of radio buttons land on the chosen one;
// - a field that cannot be typed into is drawn grey, as a disabled one is,
//   also when it becomes read-only later.
void prepareForKeyboard(QWidget* root);

// Gives the focus to the first input of root in Tab order that the clerk
// can reach; a screen without one focuses its first control. Returns it.
QWidget* focusFirstInput(QWidget* root);

} // namespace wel
