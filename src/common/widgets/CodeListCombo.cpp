#include "CodeListCombo.h"

#include <QCompleter>
#include <QLineEdit>

namespace wel {

CodeListCombo::CodeListCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    completer()->setCompletionMode(QCompleter::PopupCompletion);
    completer()->setFilterMode(Qt::MatchContains);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
}

void CodeListCombo::setItems(const QVector<Item>& items)
{
    clear();
    for (const Item& i : items)
        addItem(i.text, i.code);
}

QString CodeListCombo::code() const
{
    const QString typed = currentText().trimmed();
    if (typed.isEmpty())
        return {};
    const int shown = currentIndex();
    if (shown >= 0 && itemText(shown) == currentText())
        return itemData(shown).toString();
    int containing = -1;
    int matches = 0;
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).compare(typed, Qt::CaseInsensitive) == 0 || itemData(i).toString().compare(typed, Qt::CaseInsensitive) == 0)
            return itemData(i).toString();
        if (itemText(i).contains(typed, Qt::CaseInsensitive)) {
            containing = i;
            ++matches;
        }
    }
    // Part of one item's name is as good as choosing it.
    if (matches == 1)
        return itemData(containing).toString();
    return typed.section(QLatin1Char(' '), 0, 0).toUpper();
}

bool CodeListCombo::setCode(const QString& code)
{
    for (int i = 0; i < count(); ++i)
        if (itemData(i).toString().compare(code.trimmed(), Qt::CaseInsensitive) == 0) {
            setCurrentIndex(i);
            return true;
        }
    return false;
}

} // namespace wel
