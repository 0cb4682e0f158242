#include "LayoutCheck.h"
#include "common/widgets/Grids.h"
#include "common/widgets/Keyboard.h"
#include "common/widgets/ScreenWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QTableWidget>

namespace wel::test {

namespace {

QString nameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

QString pathOf(const QWidget* w, const QWidget* top)
{
    QStringList names;
    for (; w && w != top; w = w->parentWidget())
        names.prepend(nameOf(w));
    return names.join(QLatin1Char('/'));
}

QString sizeText(const QSize& s) { return QStringLiteral("%1x%2").arg(s.width()).arg(s.height()); }

// The inner parts of scroll areas, grids and combo boxes are their owners'
// business; the check looks at the owners.
bool insideComposite(const QWidget* w, const QWidget* top)
{
    for (const QWidget* p = w->parentWidget(); p && p != top; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(p) || qobject_cast<const QComboBox*>(p))
            return true;
    return false;
}

// The width in which a line edit draws its text, from the style's own
// rectangle for the text (less the two pixels Qt keeps on either side).
int textRoom(const QLineEdit* e)
{
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->rect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
    const QMargins m = e->textMargins();
    return r.width() - m.left() - m.right() - 2 * 2;
}

int comboRoom(const QComboBox* c)
{
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.rect = c->rect();
    opt.editable = c->isEditable();
    opt.frame = c->hasFrame();
    return c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c).width();
}

// Keyboard and look: a grid that keeps Tab, an amount column not aligned
// to the right, a read-only field drawn white like an editable one, and a
// radio group whose unchosen buttons are stops for Tab and Shift+Tab.
void checkKeyboardAndLook(const QWidget* w, const QString& where, QStringList& faults)
{
    if (const auto* view = qobject_cast<const QAbstractItemView*>(w); view && view->tabKeyNavigation())
        faults << QStringLiteral("%1 keeps Tab: Tab walks its cells instead of leaving it").arg(where);
    if (const auto* grid = qobject_cast<const QTableView*>(w); grid && grid->model()) {
        // Items or a model alike: what a cell shows and how it is aligned.
        const QAbstractItemModel* model = grid->model();
        for (int c = 0; c < model->columnCount(); ++c) {
            if (grid->isColumnHidden(c))
                continue;
            bool amounts = false, others = false, left = false;
            for (int r = 0; r < model->rowCount(); ++r) {
                const QModelIndex i = model->index(r, c);
                const QString text = i.data().toString();
                if (text.isEmpty())
                    continue;
                (looksLikeAmount(text) ? amounts : others) = true;
                left = left || !(Qt::Alignment(i.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight);
            }
            if (amounts && !others && left)
                faults << QStringLiteral("%1: amount column \"%2\" is not aligned to the right")
                              .arg(where, model->headerData(c, Qt::Horizontal).toString());
        }
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(w); edit && edit->isReadOnly() && edit->isEnabled()
        && edit->palette().color(QPalette::Active, QPalette::Base)
               == QApplication::palette(edit).color(QPalette::Active, QPalette::Base))
        faults << QStringLiteral("%1 is read-only but drawn like a field to type in").arg(where);
    if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && b->isCheckable() && b->isChecked()) {
        QList<QAbstractButton*> members;
        if (b->group())
            members = b->group()->buttons();
        else if (qobject_cast<const QRadioButton*>(b) && b->parentWidget())
            for (QRadioButton* s : b->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
                members << s;
        for (const QAbstractButton* m : members)
            if (m != b && m->isVisible() && (m->focusPolicy() & Qt::TabFocus))
                faults << QStringLiteral("%1: Tab stops at \"%2\", not only at the chosen \"%3\"")
                              .arg(where, m->text(), b->text());
    }
}

void checkControl(const QWidget* w, const QWidget* screen, QStringList& faults)
{
    const QString where = pathOf(w, screen);
    checkKeyboardAndLook(w, where, faults);
    QSize minimum = w->minimumSizeHint();
    if (w->minimumWidth() > 0)
        minimum.setWidth(w->minimumWidth());
    if (w->minimumHeight() > 0)
        minimum.setHeight(w->minimumHeight());
    if ((minimum.width() > 0 && w->width() < minimum.width()) || (minimum.height() > 0 && w->height() < minimum.height()))
        faults << QStringLiteral("%1 is %2, smaller than its minimum %3").arg(where, sizeText(w->size()), sizeText(minimum));

    if (const QWidget* p = w->parentWidget(); p && !p->rect().contains(w->geometry()))
        faults << QStringLiteral("%1 runs past the edge of %2").arg(where, nameOf(p));

    if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty()) {
        const bool cut = label->wordWrap()
            ? label->heightForWidth(label->width()) > label->height()
            : (label->sizeHint().width() > label->width() || label->sizeHint().height() > label->height());
        if (cut)
            faults << QStringLiteral("%1: caption \"%2\" is cut").arg(where, label->text());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w); button && !button->text().isEmpty()) {
        if (button->sizeHint().width() > button->width() || button->sizeHint().height() > button->height())
            faults << QStringLiteral("%1: caption \"%2\" is cut").arg(where, button->text());
    } else if (const auto* box = qobject_cast<const QGroupBox*>(w); box && !box->title().isEmpty()) {
        if (box->fontMetrics().horizontalAdvance(box->title()) > box->width())
            faults << QStringLiteral("%1: title \"%2\" is cut").arg(where, box->title());
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
        QStringList values{edit->displayText()};
        const QString longest = edit->property("longestValue").toString();
        if (!longest.isEmpty())
            values << longest;
        else if (edit->maxLength() < 32767)
            values << QString(qMin(edit->maxLength(), 40), QLatin1Char('0'));
        const int room = textRoom(edit);
        for (const QString& v : values)
            if (edit->fontMetrics().horizontalAdvance(v) > room)
                faults << QStringLiteral("%1: \"%2\" does not fit its %3 pixels").arg(where, v).arg(room);
    } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
        const int room = comboRoom(combo);
        for (int i = 0; i < combo->count(); ++i)
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > room)
                faults << QStringLiteral("%1: \"%2\" does not fit its %3 pixels").arg(where, combo->itemText(i)).arg(room);
    } else if (const auto* table = qobject_cast<const QTableView*>(w)) {
        const QHeaderView* header = table->horizontalHeader();
        for (int c = 0; c < header->count(); ++c)
            if (!header->isSectionHidden(c) && header->sectionSize(c) < header->sectionSizeHint(c))
                faults << QStringLiteral("%1: heading %2 is cut").arg(where).arg(c);
    }
}

} // namespace

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

QStringList layoutFaults(const ScreenWindow* window, const QMdiArea* area)
{
    QStringList faults;
    const QWidget* screen = window->screen();
    const QRect room = area->viewport()->rect();
    if (!room.contains(window->geometry()))
        faults << QStringLiteral("the window %1 leaves the main window's area %2")
                      .arg(sizeText(window->size()), sizeText(room.size()));
    const QWidget* view = window->scrollArea()->viewport();
    if (screen->width() > view->width() && window->width() < room.width())
        faults << QStringLiteral("the screen scrolls sideways in a window of %1 although the area is %2 wide")
                      .arg(sizeText(window->size()))
                      .arg(room.width());
    if (screen->height() > view->height() && window->height() < room.height())
        faults << QStringLiteral("the screen scrolls down in a window of %1 although the area is %2 high")
                      .arg(sizeText(window->size()))
                      .arg(room.height());
    for (const QWidget* w : screen->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisible() || insideComposite(w, screen))
            continue;
        checkControl(w, screen, faults);
    }
    return faults;
}

QStringList focusFaults(const ScreenWindow* window)
{
    const QWidget* screen = window->screen();
    const QWidget* focus = screen->focusWidget();
    if (!focus || !screen->isAncestorOf(focus) || !focus->isVisible())
        return {QStringLiteral("opens with the focus on %1, not on a control of the screen")
                    .arg(focus ? nameOf(focus) : window->focusWidget() ? nameOf(window->focusWidget()) : QStringLiteral("nothing"))};
    if (isInput(focus))
        return {};
    for (const QWidget* w : screen->findChildren<QWidget*>())
        if (isInput(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            return {QStringLiteral("opens with the focus on %1, not on its first input %2").arg(pathOf(focus, screen), pathOf(w, screen))};
    return {};
}

QStringList resultRoomFaults(const ScreenWindow* window, const QTableView* grid, const QWidget* total, int rows)
{
    QStringList faults;
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    const int shown = grid->viewport()->height() / qMax(1, rowHeight);
    if (shown < rows)
        faults << QStringLiteral("%1 shows %2 rows of %3 pixels in %4 pixels, fewer than %5")
                      .arg(pathOf(grid, window->screen()))
                      .arg(shown)
                      .arg(rowHeight)
                      .arg(grid->viewport()->height())
                      .arg(rows);
    if (total) {
        const QWidget* view = window->scrollArea()->viewport();
        const QRect where(total->mapTo(view, QPoint(0, 0)), total->size());
        if (!total->isVisible() || !view->rect().contains(where))
            faults << QStringLiteral("the total %1 is not in view").arg(pathOf(total, window->screen()));
    }
    return faults;
}

} // namespace wel::test
