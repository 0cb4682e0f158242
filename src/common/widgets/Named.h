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
// Fields of up to 60 characters are drawn about as wide as what they take.
QLineEdit* namedEdit(const QString& name, int maxLength, QWidget* parent);
// A shown-only field; widthChars > 0 sizes it for values of that length.
QLineEdit* namedReadOnly(const QString& name, QWidget* parent, int widthChars = 0);
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
