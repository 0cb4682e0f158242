#include "ScreenWindow.h"
#include "Keyboard.h"
#include "Messages.h"
#include "Screen.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QScrollArea>
#include <QStyle>

namespace wel {

ScreenWindow::ScreenWindow(QWidget* screen, QWidget* parent)
    : QMdiSubWindow(parent), m_screen(screen), m_scroll(new QScrollArea)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_scroll->setObjectName(QStringLiteral("ScreenScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    // The scroll area is a frame, not a stop for Tab: the focus goes to the
    // screen's own controls.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(screen);
    setWidget(m_scroll);
    setWindowTitle(screen->windowTitle());
    screen->installEventFilter(this);
}

void ScreenWindow::closeForGood()
{
    m_closing = true;
    close();
}

void ScreenWindow::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    event->ignore();
    showMinimized();
}

void ScreenWindow::open(QMdiArea* area)
{
    m_area = area;
    area->addSubWindow(this);
    prepareForKeyboard(m_screen);
    auto* screen = qobject_cast<Screen*>(m_screen);
    if (screen && screen->opensMaximised()) {
        showMaximized();
    } else {
        const QSize need = screen ? screen->fullestSizeHint() : m_screen->sizeHint();
        show();
        growTo(need);
    }
    // Unless the screen already put the focus on an input of its own. Qt
    // activating the window gives it to the first control that takes Tab,
    // a read-only field or a button as often as not.
    const QWidget* focus = m_screen->focusWidget();
    if (!focus || !m_screen->isAncestorOf(focus) || !focus->isVisible() || !isInput(focus))
        focusFirstInput(m_screen);
}

// The window takes the room the screen asks for, never more than the area
// shows, and moves back into view when it would run past the area's edge.
void ScreenWindow::growTo(const QSize& screenSize)
{
    if (!m_area || isMaximized() || isMinimized())
        return;
    const QMargins frame = contentsMargins();
    const QMargins inner = layout() ? layout()->contentsMargins() : QMargins();
    const QSize extra(frame.left() + frame.right() + inner.left() + inner.right(),
                      frame.top() + frame.bottom() + inner.top() + inner.bottom());
    const QSize room = m_area->viewport()->size();
    // A screen taller than the room scrolls, and its scroll bar takes width
    // from it (and the other way round).
    const int bar = m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    QSize need = screenSize + extra;
    if (need.height() > room.height())
        need.rwidth() += bar;
    if (need.width() > room.width())
        need.rheight() += bar;
    const QSize wanted = size().expandedTo(need).boundedTo(room);
    if (wanted != size())
        resize(wanted);
    QPoint p = pos();
    p.setX(qBound(0, p.x(), qMax(0, room.width() - width())));
    p.setY(qBound(0, p.y(), qMax(0, room.height() - height())));
    if (p != pos())
        move(p);
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A panel shown, or a field grown, asks the screen's layout again.
    if (watched == m_screen && event->type() == QEvent::LayoutRequest)
        growTo(m_screen->sizeHint());
    return QMdiSubWindow::eventFilter(watched, event);
}

ScreenWindow* openScreen(QMdiArea* area, const QString& className, const ScreenContext& context,
                         const QString& caption)
{
    QWidget* screen = nullptr;
    try {
        screen = ScreenRegistry::instance().create(className, context);
    } catch (const DbError& error) {
        // A screen that cannot read what it opens with stays closed.
        msg::error(area, error.message(), QStringLiteral("คำสั่งที่ผิดพลาด (statement):\n") + error.statement());
        return nullptr;
    } catch (const AppError& error) {
        msg::error(area, error.message());
        return nullptr;
    } catch (const std::exception& error) {
        msg::error(area, QString::fromLocal8Bit(error.what()));
        return nullptr;
    }
    if (!screen)
        return nullptr;
    if (screen->windowTitle().isEmpty())
        screen->setWindowTitle(caption);
    auto* window = new ScreenWindow(screen);
    window->open(area);
    return window;
}

} // namespace wel
