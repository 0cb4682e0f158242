#include "TestDb.h"
#include "common/db/SqlText.h"

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

// More values than one exchange carries (SQL Server takes 2,100 a batch;
// the others are capped too): the batch goes in several, all inside the
// caller's transaction, and a failing last part still leaves none of it.
TEST(DatabaseBatch, ABatchLargerThanOneExchangeIsWrittenWholeOrNotAtAll)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    QVector<QVariantList> rows;
    for (int i = 0; i < 7000; ++i)
        rows.push_back({QStringLiteral("AB2568/%1").arg(i / 100, 7, 10, QLatin1Char('0')), i % 100 + 1, QStringLiteral("0"),
                        QStringLiteral("01/11/2567"), QStringLiteral("%1.25").arg(i), QStringLiteral("โรงพยาบาล"),
                        QStringLiteral("นาย"), QStringLiteral("สมชาย"), QStringLiteral("ใจดี"), QString(), QString::number(i)});
    const QStringList columns = {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Order_Doc"),  QStringLiteral("Emp_Folk"),
                                 QStringLiteral("Date_Doc"),    QStringLiteral("P_money"),    QStringLiteral("Hospital_Name"),
                                 QStringLiteral("EF_Surname"),  QStringLiteral("EF_F_Name"),  QStringLiteral("EF_L_Name"),
                                 QStringLiteral("EF_Birthday"), QStringLiteral("Edu_Year")};
    QVector<Database::Statement> writes;
    sql::insertInChunks(writes, QStringLiteral("T_Reciept"), columns, rows);
    ASSERT_EQ(writes.size(), 70); // 77,000 values
    {
        Transaction tx(db);
        QVector<Database::Statement> failing = writes;
        failing.push_back(writes.first()); // the first hundred again: a key violation
        EXPECT_THROW(db.execBatch(failing), DbError);
    }
    EXPECT_EQ(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Reciept")).integer(0, QStringLiteral("n")), 0);
    {
        Transaction tx(db);
        db.execBatch(writes);
        tx.commit();
    }
    const Rows r = db.select(QStringLiteral("SELECT COUNT(*) AS n, SUM(P_money) AS m FROM T_Reciept"));
    EXPECT_EQ(r.integer(0, QStringLiteral("n")), 7000);
    EXPECT_EQ(r.money(0, QStringLiteral("m")), Money::fromSatang(7000LL * 6999 / 2 * 100 + 7000 * 25));
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
