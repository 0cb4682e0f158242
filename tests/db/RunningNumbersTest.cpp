#include "TestDb.h"
#include "common/RunningNumbers.h"
#include "shell/LoginService.h"

#include <QSet>
#include <atomic>
#include <thread>

using namespace wel;
using namespace wel::RunningNumbers;
using wel::test::TestDb;

TEST(RunningNumbers, FirstNumbersOfNewRows)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    ensureYearRows(db, QStringLiteral("2551"), QStringLiteral("AB"));
    EXPECT_EQ(takeEmployeeKey(db, QStringLiteral("15/11/2551"), WhenMissing::MessageA), QStringLiteral("KV2551/000001"));
    EXPECT_EQ(takeClaimNumber(db, QStringLiteral("AB"), QStringLiteral("2551"), WhenMissing::MessageB),
              QStringLiteral("AB2551/0000001"));
    EXPECT_EQ(takeClaimNumber(db, QStringLiteral("AB"), QStringLiteral("2551"), WhenMissing::MessageB),
              QStringLiteral("AB2551/0000002"));
    EXPECT_EQ(takeControlNumber(db, QStringLiteral("AB"), QStringLiteral("2551")), QStringLiteral("KV2551/000001AB"));
    EXPECT_EQ(takeVoucherNumber(db, QStringLiteral("ab"), QStringLiteral("2551")), QStringLiteral("PVR2551/00001AB"));
}

TEST(RunningNumbers, ZeroFillAndOverflow)
{
    EXPECT_EQ(zeroFill(1234567, 7), QStringLiteral("1234567"));
    EXPECT_EQ(zeroFill(12, 7), QStringLiteral("0000012"));
    EXPECT_EQ(zeroFill(7, 5), QStringLiteral("00007"));
    EXPECT_THROW(zeroFill(1000000, 6), AppError);
    EXPECT_THROW(zeroFill(100000, 5), AppError);
}

TEST(RunningNumbers, MissingRowsGiveTheScreensMessagesOrAreCreated)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    const QString y = QStringLiteral("2552");
    struct Case { std::function<void()> take; QString message; };
    const Case cases[] = {
        {[&] { takeEmployeeKey(db, QStringLiteral("01/01/2552"), WhenMissing::MessageA); }, kMessageA},
        {[&] { takeClaimNumber(db, QStringLiteral("CD"), y, WhenMissing::MessageB); }, kMessageB},
        {[&] { takeControlNumber(db, QStringLiteral("CD"), y); }, kMessageC},
        {[&] { takeVoucherNumber(db, QStringLiteral("CD"), y); }, kMessageD},
    };
    for (const Case& c : cases) {
        try {
            c.take();
            ADD_FAILURE() << "no message for " << c.message.toStdString();
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
    // the outpatient screen creates the faculty's row instead
    EXPECT_EQ(takeClaimNumber(db, QStringLiteral("CD"), y, WhenMissing::CreateRow), QStringLiteral("CD2552/0000001"));
    EXPECT_EQ(takeEmployeeKey(db, QStringLiteral("15/11/2551"), WhenMissing::CreateRow), QStringLiteral("KV2551/000001"));
}

TEST(RunningNumbers, OutgrownCounterStopsWithoutUsingTheNumber)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    db.exec(QStringLiteral("INSERT INTO T_PVR_Runno (Sent_Year, Run_No) VALUES ('2551', 100000)"));
    EXPECT_THROW(takeVoucherNumber(db, QStringLiteral("AB"), QStringLiteral("2551")), AppError);
    EXPECT_EQ(db.select(QStringLiteral("SELECT Run_No FROM T_PVR_Runno")).integer(0, QStringLiteral("Run_No")), 100000);
}

// An import takes the keys of all its new employees in one statement: they
// follow each other and the counter's row; a row missing (October to
// December) is made; a run that would outgrow six digits takes none.
TEST(RunningNumbers, EmployeeKeysTakenTogether)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    const QString today = QStringLiteral("15/11/2551");
    EXPECT_EQ(takeEmployeeKeys(db, today, 3, WhenMissing::CreateRow),
              (QStringList{"KV2551/000001", "KV2551/000002", "KV2551/000003"}));
    EXPECT_EQ(takeEmployeeKeys(db, today, 0, WhenMissing::CreateRow), QStringList());
    EXPECT_EQ(takeEmployeeKey(db, today, WhenMissing::MessageA), QStringLiteral("KV2551/000004"));
    db.exec(QStringLiteral("UPDATE T_Emp_RunNo SET Run_No = 999998"));
    EXPECT_THROW(takeEmployeeKeys(db, today, 3, WhenMissing::MessageA), AppError);
    EXPECT_EQ(takeEmployeeKeys(db, today, 2, WhenMissing::MessageA), (QStringList{"KV2551/999998", "KV2551/999999"}));
}

TEST(RunningNumbers, NumberTakenInAFailedOperationIsGivenBack)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    ensureYearRows(db, QStringLiteral("2551"), QStringLiteral("AB"));
    try {
        Transaction tx(db);
        takeClaimNumber(db, QStringLiteral("AB"), QStringLiteral("2551"), WhenMissing::MessageB);
        throw AppError(QStringLiteral("later step failed"));
    } catch (const AppError&) {
    }
    EXPECT_EQ(takeClaimNumber(db, QStringLiteral("AB"), QStringLiteral("2551"), WhenMissing::MessageB),
              QStringLiteral("AB2551/0000001"));
}

TEST(RunningNumbers, FourWorkstationsNeverShareANumber)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    ensureYearRows(t.db(), QStringLiteral("2551"), QStringLiteral("AB"));
    constexpr int kStations = 4, kEach = 250;
    std::vector<QStringList> taken(kStations);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    const DbUrl url = t.url();
    for (int s = 0; s < kStations; ++s)
        threads.emplace_back([&, s] {
            try {
                auto db = Database::open(url);
                for (int i = 0; i < kEach; ++i) {
                    Transaction tx(*db);
                    taken[s] << takeClaimNumber(*db, QStringLiteral("AB"), QStringLiteral("2551"), WhenMissing::MessageB);
                    tx.commit();
                }
            } catch (const AppError& e) {
                ADD_FAILURE() << e.message().toStdString();
                ++failures;
            }
        });
    for (auto& th : threads)
        th.join();
    ASSERT_EQ(failures.load(), 0);
    QSet<QString> all;
    for (const QStringList& l : taken)
        for (const QString& n : l)
            all.insert(n);
    ASSERT_EQ(all.size(), kStations * kEach);
    for (int n = 1; n <= kStations * kEach; ++n)
        EXPECT_TRUE(all.contains(QStringLiteral("AB2551/%1").arg(n, 7, 10, QLatin1Char('0')))) << n;
}

TEST(RunningNumbers, TwoFirstLogInsMakeOneRowPerKey)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Demo);
    const DbUrl url = t.url();
    std::atomic<int> ready{0};
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int s = 0; s < 2; ++s)
        threads.emplace_back([&] {
            try {
                auto db = Database::open(url);
                db->setClock([] { return QDateTime(QDate(2030, 10, 1), QTime(8, 0)); });
                const auto startup = LoginService::start(*db);
                ++ready;
                while (ready.load() < 2)
                    std::this_thread::yield();
                if (!LoginService::login(*db, startup, QStringLiteral("clerk"), QStringLiteral("clerk")))
                    ++failures;
            } catch (const AppError& e) {
                ADD_FAILURE() << e.message().toStdString();
                ++failures;
            }
        });
    for (auto& th : threads)
        th.join();
    ASSERT_EQ(failures.load(), 0);
    for (const char* table : {"T_Emp_RunNo WHERE Emp_Year = '2574'", "T_Berg_Runno WHERE Berg_Year = '2574'",
                              "T_Berg_Edu_Runno WHERE Berg_Year = '2574'", "T_Sent_KV_RunNo WHERE Sent_Year = '2574'",
                              "T_PVR_Runno WHERE Sent_Year = '2574'"})
        EXPECT_EQ(t.db().select(QStringLiteral("SELECT COUNT(*) AS n FROM ") + QString::fromLatin1(table))
                      .integer(0, QStringLiteral("n")),
                  1)
            << table;
}
