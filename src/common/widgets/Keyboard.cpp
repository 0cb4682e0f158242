#include "Keyboard.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTextEdit>

namespace wel {

namespace {

bool reachable(const QWidget* w)
{
    return w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus);
}

// The buttons a checked one excludes: its button group, or the radio
// buttons beside it (a screen may lift their exclusion for a moment to
// clear them all, so it is not asked).
QList<QAbstractButton*> groupOf(QAbstractButton* b)
{
    if (b->group())
        return b->group()->buttons();
    QList<QAbstractButton*> members;
    if (qobject_cast<QRadioButton*>(b) && b->parentWidget())
        for (QRadioButton* s : b->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            members << s;
    return members;
}

// Qt leaves every button of a group in the Tab chain until one of them has
// had the focus, so Shift+Tab reached the last one; the chosen one is the
// group's only stop.
void tabStopOnChecked(QAbstractButton* checked)
{
    for (QAbstractButton* m : groupOf(checked)) {
        // A choice a screen shows only (it takes no focus at all) stays out
        // of the chain whichever way it is set.
        if (m->focusPolicy() == Qt::NoFocus)
            m->setProperty("shownOnly", true);
        if (m->property("shownOnly").toBool())
            continue;
        const Qt::FocusPolicy p = m->focusPolicy();
        m->setFocusPolicy(m == checked ? Qt::FocusPolicy(p | Qt::TabFocus) : Qt::FocusPolicy(p & ~Qt::TabFocus));
    }
}

void applyReadOnlyLook(QLineEdit* e)
{
    QPalette p = e->palette();
    const QPalette plain = QApplication::palette(e);
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
        p.setColor(g, QPalette::Base, e->isReadOnly() ? plain.color(g, QPalette::Window) : plain.color(g, QPalette::Base));
    e->setPalette(p);
}

class ReadOnlyLook : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ReadOnlyChange)
            applyReadOnlyLook(static_cast<QLineEdit*>(watched));
        return false;
    }
};

} // namespace

bool isInput(const QWidget* w)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return !e->isReadOnly();
    if (const auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return !t->isReadOnly();
    if (const auto* t = qobject_cast<const QTextEdit*>(w))
        return !t->isReadOnly();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->isCheckable();
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

void prepareForKeyboard(QWidget* root)
{
    for (QAbstractItemView* v : root->findChildren<QAbstractItemView*>()) {
        v->setTabKeyNavigation(false);
        if (auto* t = qobject_cast<QTableView*>(v))
            t->horizontalHeader()->setHighlightSections(false);
    }
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        if (!b->isCheckable() || groupOf(b).size() < 2)
            continue;
        if (b->isChecked())
            tabStopOnChecked(b);
        if (b->property("tabStopOnChecked").toBool())
            continue;
        b->setProperty("tabStopOnChecked", true);
        QObject::connect(b, &QAbstractButton::toggled, b, [b](bool on) {
            if (on)
                tabStopOnChecked(b);
        });
    }
    for (QLineEdit* e : root->findChildren<QLineEdit*>()) {
        // The edit fields inside choice lists and spin boxes are theirs.
        if (qobject_cast<QComboBox*>(e->parentWidget()) || qobject_cast<QAbstractSpinBox*>(e->parentWidget()))
            continue;
        applyReadOnlyLook(e);
        if (!e->findChild<ReadOnlyLook*>(QString(), Qt::FindDirectChildrenOnly))
            e->installEventFilter(new ReadOnlyLook(e));
    }
}

QWidget* focusFirstInput(QWidget* root)
{
    QWidget* first = nullptr;
    QWidget* input = nullptr;
    for (QWidget* w = root->nextInFocusChain(); w && w != root && !input; w = w->nextInFocusChain()) {
        if (!root->isAncestorOf(w) || !reachable(w))
            continue;
        if (!first)
            first = w;
        if (isInput(w))
            input = w;
    }
    QWidget* target = input ? input : first;
    if (target)
        target->setFocus(Qt::TabFocusReason);
    return target;
}

} // namespace wel
