#pragma once
#include "TestDb.h"
#include "common/AppError.h"
#include "common/db/Database.h"

#include <QDateTime>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace wel::test {

// Two workstations: the first holds its operation's transaction open while
// the second starts the competing operation on its own connection (in its
// own thread, as Qt wants a connection used where it was opened). The second
// must wait for the first and then decide on what the first wrote.
struct SecondWorkstation {
    std::atomic<bool> done{false};
    QString error;
    std::thread thread;

    void start(const TestDb& t, std::function<void(Database&)> operation)
    {
        thread = std::thread([this, &t, operation] {
            try {
                auto db = t.connectAgain();
                db->setClock([] { return QDateTime(QDate(2024, 11, 15), QTime(12, 0, 1)); });
                operation(*db);
            } catch (const AppError& e) {
                error = e.message();
            }
            done = true;
        });
    }
    // Gives the second workstation time to reach the lock; when it is not
    // kept waiting it finishes meanwhile and the caller's check fails.
    bool stillWaiting()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return !done;
    }
    void join() { thread.join(); }
};

} // namespace wel::test
