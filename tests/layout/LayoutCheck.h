#pragma once
#include <QStringList>

class QMdiArea;

namespace wel {
class ScreenWindow;
}

namespace wel::test {

// What a clerk would find unreadable in a screen's window as it stands: a
// control smaller than its minimum size, a caption or a field's text (its
// current one and the longest it is made for) wider than its room, a panel
// whose contents run past its edge, a grid heading cut, and a window that
// leaves the main window's area or scrolls although the area has room.
// Each fault names the control by its path of object names.
QStringList layoutFaults(const ScreenWindow* window, const QMdiArea* area);

// Lets posted layout requests and resizes run, as the event loop would.
void settle();

} // namespace wel::test
