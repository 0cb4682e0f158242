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

// What a field takes, for its width: the widest value of its kind must show
// whole at the field's typing limit.
enum class FieldKind {
    Text,   // words in Thai or Latin letters: titles, names, free text
    Code,   // letters and digits: staff numbers, account and order numbers
    Digits, // identity numbers, levels, years
};

// The longest values of kinds that fields show without a typing limit.
namespace longest {
inline const QString KV_ID = QStringLiteral("KV2569/000002");
inline const QString date = QStringLiteral("00/00/0000");
// Right type "3" has no limit and is held as 2,000,000,000 baht.
inline const QString amount = QStringLiteral("2,000,000,000.00");
// What a limit field says of right type "3".
inline const QString noLimit = QStringLiteral("ไม่จำกัดวงเงิน");
// A faculty code.
inline const QString factCode = QStringLiteral("MM");
} // namespace longest

// The value that a field of this kind and typing limit must show whole.
// Text longer than kLongText characters is free text: its field shows
// kLongText characters and stretches with the window; the rest scrolls.
constexpr int kLongText = 40;
QString longestValue(FieldKind kind, int length);

// Makes a field at least as wide as its longest value, kept as the field's
// "longestValue" property for the layout check. A short value's field
// stretches little, so that a two-letter code does not run across the
// screen; a free-text field stretches freely.
void fitToValue(QLineEdit* e, const QString& longestValue, bool stretch = false);

// Limits what is typed into a field, not what is shown in it: a stored value
// longer than the limit is shown whole and saved back unchanged, and typing
// can shorten it but never lengthen it.
void setTypingLimit(QLineEdit* e, int limit);

// Controls built in code carry their names as objectName, so that tests and
// the screenshot command find them as a user would.
QLineEdit* namedEdit(const QString& name, int maxLength, QWidget* parent, FieldKind kind = FieldKind::Text);
// A shown-only field as wide as the longest value it shows; without one it
// holds free text (a full name, a position).
QLineEdit* namedReadOnly(const QString& name, QWidget* parent, const QString& longestValue = QString());
// A shown-only amount, right-aligned, as wide as the largest amount.
QLineEdit* amountField(const QString& name, QWidget* parent);
// An amount the clerk types, right-aligned. Left with a valid amount, it is
// rewritten "%n" ("1,234.50"); an amount with more than two decimals is
// never rounded: the text stays as typed and the clerk is told why.
QLineEdit* typedAmountEdit(const QString& name, QWidget* parent);
// Enter on a focused button presses it, as Space does.
QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent);
// The button Enter presses from anywhere in its panel where Enter has no
// other use (a grid's chosen row, a field of a screen without Enter-as-Tab):
// the panel's main command, drawn as the default button.
QPushButton* mainButton(const QString& name, const QString& caption, QWidget* parent);
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
// A total as every screen shows it: caption, the amount and "บาท", at the
// right end of the row.
void addTotal(QHBoxLayout* row, const QString& caption, QLineEdit* amount, QWidget* parent);
// Totals side by side ("shown" and "chosen"), placed as addTotal places one.
struct TotalField {
    QString caption;
    QLineEdit* amount;
};
void addTotals(QHBoxLayout* row, std::initializer_list<TotalField> totals, QWidget* parent);

} // namespace wel
