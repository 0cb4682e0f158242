#pragma once
#include "ScreenRegistry.h"

#include <QMdiSubWindow>

class QMdiArea;
class QScrollArea;

namespace wel {

// A screen's child window inside the main window. Its close box only
// minimises it; the screen's own exit button closes it for good.
//
// The window is readable as it opens and as its panels appear: it opens at
// the size of the screen's fullest panel (or maximised when the screen asks
// for it) and grows when the screen needs more room, within the main
// window's area; beyond that the screen scrolls inside the window, so that
// no field or caption is ever squeezed.
class ScreenWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ScreenWindow(QWidget* screen, QWidget* parent = nullptr);

    QWidget* screen() const { return m_screen; }
    QScrollArea* scrollArea() const { return m_scroll; }
    void closeForGood();

    // Adds the window to the area and shows it at the size the screen needs.
    void open(QMdiArea* area);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void growTo(const QSize& screenSize);

    QWidget* m_screen;
    QScrollArea* m_scroll;
    QMdiArea* m_area = nullptr;
    bool m_closing = false;
};

// Creates a registered screen and opens it in the area, as every menu
// command does. When the screen cannot read what it opens with, it is not
// opened: the error is shown and nullptr returned.
ScreenWindow* openScreen(QMdiArea* area, const QString& className, const ScreenContext& context,
                         const QString& caption);

} // namespace wel
