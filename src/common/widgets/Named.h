#pragma once
#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace wel {

// Controls built in code carry their names as objectName, so that tests and
// the screenshot command find them as a user would.
QLineEdit* namedEdit(const QString& name, int maxLength, QWidget* parent);
QLineEdit* namedReadOnly(const QString& name, QWidget* parent);
QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent);
// A screen's or panel's title line.
QLabel* titleLabel(const QString& text, QWidget* parent);

// A panel that a screen shows and hides as a whole, laid out top to bottom.
struct Panel {
    QWidget* widget;
    QVBoxLayout* layout;
};
Panel namedPanel(const QString& name, QWidget* parent);
// Buttons side by side from the left.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

} // namespace wel
