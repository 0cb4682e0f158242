#include "EnterAsTab.h"

#include <QAbstractItemView>
#include <algorithm>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWidget>

namespace wel {

namespace {

// A radio button of a group whose choice is another one: Tab passes it by,
// and so does Enter.
bool passedRadio(const QWidget* w, const QWidget* from)
{
    auto* radio = qobject_cast<const QRadioButton*>(w);
    if (!radio || !radio->autoExclusive())
        return false;
    if (from && qobject_cast<const QRadioButton*>(from) && from->parentWidget() == w->parentWidget())
        return true; // still the group Enter leaves
    if (radio->isChecked())
        return false;
    const auto siblings = w->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(siblings.cbegin(), siblings.cend(), [](const QRadioButton* r) { return r->isChecked(); });
}

class EnterFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w)
            return false;
        if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget()); combo && combo->isEditable())
            w = combo;
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->view()->isVisible())
            return false; // Enter chooses in an open list
        // The field sees its Enter as finished, as it would without us.
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            emit edit->editingFinished();
        QWidget* next = w->nextInFocusChain();
        while (next && next != w && (!next->isEnabled() || !next->isVisible()
                                     || !(next->focusPolicy() & Qt::TabFocus) || passedRadio(next, w)))
            next = next->nextInFocusChain();
        if (next && next != w)
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
};
} // namespace

void installEnterAsTab(QWidget* root)
{
    EnterFilter* filter = nullptr;
    for (QObject* child : root->children())
        if ((filter = dynamic_cast<EnterFilter*>(child)))
            break;
    if (!filter)
        filter = new EnterFilter(root);
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
            || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            w->removeEventFilter(filter);
            w->installEventFilter(filter);
        }
    }
}

} // namespace wel
