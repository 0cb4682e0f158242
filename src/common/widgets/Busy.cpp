#include "Busy.h"

#include <QApplication>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <exception>

namespace wel {

int BusyWork::s_delayMs = 1000;

BusyWork::BusyWork(QWidget* parent, const QString& caption) : m_parent(parent), m_caption(caption)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_clock.start();
    // The cursor changes only once the event loop has run.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

BusyWork::~BusyWork()
{
    delete m_dialog;
    QApplication::restoreOverrideCursor();
}

void BusyWork::step(int done, int total)
{
    if (!m_dialog && m_clock.elapsed() >= s_delayMs) {
        m_dialog = new QProgressDialog(m_caption, QString(), 0, 0, m_parent);
        m_dialog->setObjectName(QStringLiteral("dlgProgress"));
        m_dialog->setWindowTitle(QStringLiteral("ระบบสวัสดิการพนักงาน"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    if (m_dialog) {
        m_dialog->setMaximum(qMax(0, total));
        if (total > 0)
            m_dialog->setValue(qMin(done, total));
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void runInBackground(QWidget* parent, const QString& caption, const std::function<void()>& work)
{
    BusyWork busy(parent, caption);
    std::exception_ptr failure;
    std::atomic<bool> finished{false};
    QThread* worker = QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    worker->start();
    while (!finished) {
        busy.step(0, 0);
        worker->wait(QDeadlineTimer(50));
    }
    worker->wait();
    delete worker;
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace wel
