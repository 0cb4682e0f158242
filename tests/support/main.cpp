#include "TestDb.h"
#include "common/Passwords.h"
#include "common/db/ErrorLog.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <gtest/gtest.h>

// Exit status that CTest reports as "skipped" (SKIP_RETURN_CODE).
constexpr int kSkipped = 77;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (!wel::test::backendAvailable()) {
        std::printf("no PostgreSQL server (run the tests with scripts/test): skipped\n");
        return kSkipped;
    }
    // Every demo database of a test hashes its users' passwords.
    wel::Passwords::useMinimumLimitsForTests();
    // The failures tests provoke on purpose go to a log of their own.
    wel::ErrorLog::setPath(QDir::tempPath() + QStringLiteral("/welmora-tests-%1.log").arg(QCoreApplication::applicationPid()));
    const int result = RUN_ALL_TESTS();
    QFile::remove(wel::ErrorLog::path());
    return result;
}
