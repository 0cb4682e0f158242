#pragma once
#include <QMdiSubWindow>

namespace wel {

// A screen's child window inside the main window. Its close box only
// minimises it; the screen's own exit button closes it for good.
class ScreenWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ScreenWindow(QWidget* parent = nullptr);
    void closeForGood();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_closing = false;
};

} // namespace wel
