#include "ScreenWindow.h"

#include <QCloseEvent>

namespace wel {

ScreenWindow::ScreenWindow(QWidget* parent) : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
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

} // namespace wel
