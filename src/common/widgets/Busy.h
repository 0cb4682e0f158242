#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

namespace wel {

// Long work never freezes the window without a sign: the busy cursor shows
// at once and, past a second, a progress dialog with a caption.
//
// Work that must stay on this thread (it reads through the database
// connection) advances the dialog with step(); between steps the window
// cannot repaint, so the steps should come often.
class BusyWork {
public:
    BusyWork(QWidget* parent, const QString& caption);
    ~BusyWork();
    BusyWork(const BusyWork&) = delete;
    BusyWork& operator=(const BusyWork&) = delete;

    // done of total, total 0 when unknown.
    void step(int done, int total);

    // How long before the dialog shows; tests shorten it.
    static int s_delayMs;

private:
    QWidget* m_parent;
    QString m_caption;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_dialog;
};

// Work that needs no database connection (writing a workbook) runs on a
// worker thread while the window stays alive under a BusyWork; an exception
// of the work is thrown again here.
void runInBackground(QWidget* parent, const QString& caption, const std::function<void()>& work);

} // namespace wel
