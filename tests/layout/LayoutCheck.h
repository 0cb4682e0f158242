#pragma once
#include <QStringList>

class QMdiArea;
class QTableView;
class QWidget;

namespace wel {
class ScreenWindow;
}

namespace wel::test {

// What a clerk would find unreadable in a screen's window as it stands: a
// control smaller than its minimum size, a caption or a field's text (its
// current one and the longest it is made for) wider than its room, a panel
// whose contents run past its edge, a grid heading cut, and a window that
// leaves the main window's area or scrolls although the area has room.
// Each fault names the control by its path of object names. The keyboard
// and the look are checked too: a grid that keeps Tab, an amount column
// not aligned to the right, a read-only field drawn as one to type in, a
// radio group whose unchosen buttons are stops for Tab.
QStringList layoutFaults(const ScreenWindow* window, const QMdiArea* area);

// A screen that does not open with the focus on its first input (or, with
// none, on one of its own controls rather than the window's frame).
QStringList focusFaults(const ScreenWindow* window);

// A result grid that shows fewer rows than asked at the window's size, and
// a total that is not in view.
QStringList resultRoomFaults(const ScreenWindow* window, const QTableView* grid, const QWidget* total, int rows);

// Lets posted layout requests and resizes run, as the event loop would.
void settle();

} // namespace wel::test
