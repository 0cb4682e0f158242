#include "Named.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

namespace {
// So that a two-letter code does not stretch across the screen.
void fitWidth(QLineEdit* e, int chars)
{
    chars = qMax(chars, 4) + 2;
    e->setMaximumWidth(e->fontMetrics().averageCharWidth() * chars * 3 / 2 + 12);
}
} // namespace

QLineEdit* namedEdit(const QString& name, int maxLength, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0) {
        e->setMaxLength(maxLength);
        if (maxLength <= 60)
            fitWidth(e, maxLength);
    }
    return e;
}

QLineEdit* namedReadOnly(const QString& name, QWidget* parent, int widthChars)
{
    QLineEdit* e = namedEdit(name, 0, parent);
    e->setReadOnly(true);
    if (widthChars > 0)
        fitWidth(e, widthChars);
    return e;
}

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* titleLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    l->setFont(f);
    return l;
}

Panel namedPanel(const QString& name, QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    return {w, layout};
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* b : buttons)
        row->addWidget(b);
    row->addStretch();
    return row;
}

} // namespace wel
