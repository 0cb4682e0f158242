#include "TestDb.h"

#include <atomic>
#include <chrono>
#include <thread>

using namespace wel;
using wel::test::TestDb;

TEST(DatabaseBatch, StatementsRunTogetherWithTheirParametersInOrder)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    db.exec(QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES ('AB', 'old')"));
    {
        Transaction tx(db);
        db.execBatch({{QStringLiteral("UPDATE T_Fact SET Fact_Name = ? WHERE Fact_Code = ?"), {QStringLiteral("ก"), QStringLiteral("AB")}},
                      {QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES (?, ?), (?, ?)"),
                       {QStringLiteral("CD"), QStringLiteral("ข"), QStringLiteral("EF"), QStringLiteral("ค")}},
                      {QStringLiteral("INSERT INTO T_Sent_KV_RunNo (Sent_Year, Run_No) VALUES (?, ?)"),
                       {QStringLiteral("2568"), 7}}});
        tx.commit();
    }
    const Rows r = db.select(QStringLiteral("SELECT Fact_Code, Fact_Name FROM T_Fact ORDER BY Fact_Code"));
    ASSERT_EQ(r.count(), 3);
    EXPECT_EQ(r.text(0, QStringLiteral("Fact_Name")), QStringLiteral("ก"));
    EXPECT_EQ(r.text(2, QStringLiteral("Fact_Code")), QStringLiteral("EF"));
    EXPECT_EQ(db.select(QStringLiteral("SELECT Run_No FROM T_Sent_KV_RunNo")).integer(0, QStringLiteral("Run_No")), 7);

    // A failing part leaves none of the batch behind.
    {
        Transaction tx(db);
        EXPECT_THROW(db.execBatch({{QStringLiteral("UPDATE T_Fact SET Fact_Name = ? WHERE Fact_Code = ?"),
                                    {QStringLiteral("ง"), QStringLiteral("AB")}},
                                   {QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES (?, ?)"),
                                    {QStringLiteral("CD"), QStringLiteral("duplicate")}}}),
                     DbError);
    }
    EXPECT_EQ(db.select(QStringLiteral("SELECT Fact_Name FROM T_Fact WHERE Fact_Code = 'AB'")).text(0, QStringLiteral("Fact_Name")),
              QStringLiteral("ก"));
}

TEST(DatabaseLock, ALockedRowWaitsForTheTransactionThatReadIt)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    db.exec(QStringLiteral("INSERT INTO T_Sent_KV_RunNo (Sent_Year, Run_No) VALUES ('2568', 1)"));
    EXPECT_THROW(db.selectLocked(QStringLiteral("Run_No"), QStringLiteral("T_Sent_KV_RunNo"), QStringLiteral("Sent_Year = ?"),
                                 {QStringLiteral("2568")}),
                 AppError)
        << "a lock outside a transaction would be released at once";

    std::atomic<bool> written{false};
    std::thread other;
    {
        Transaction tx(db);
        const Rows r = db.selectLocked(QStringLiteral("Run_No"), QStringLiteral("T_Sent_KV_RunNo"),
                                       QStringLiteral("Sent_Year = ?"), {QStringLiteral("2568")});
        ASSERT_EQ(r.integer(0, QStringLiteral("Run_No")), 1);
        other = std::thread([&] {
            auto second = t.connectAgain();
            second->exec(QStringLiteral("UPDATE T_Sent_KV_RunNo SET Run_No = Run_No * 10"));
            written = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        EXPECT_FALSE(written) << "the second connection wrote the row while it was locked";
        db.exec(QStringLiteral("UPDATE T_Sent_KV_RunNo SET Run_No = ?"), {5});
        tx.commit();
    }
    other.join();
    EXPECT_EQ(db.select(QStringLiteral("SELECT Run_No FROM T_Sent_KV_RunNo")).integer(0, QStringLiteral("Run_No")), 50);
}
