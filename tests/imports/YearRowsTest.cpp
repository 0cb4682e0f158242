#include "ImportFixture.h"
#include "personnel/YearRows.h"

using namespace wel;
using namespace wel::test;

namespace {

struct YearRow {
    Money health, healthUsed, kvHealth, kvUsed, copay, copayUsed, kvCopay, kvCopayUsed, flexben;
    QString remark;
};

std::optional<YearRow> yearRow(Database& db, const QString& kvId, const QString& year)
{
    const Rows r = db.select(QStringLiteral("SELECT * FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?"),
                             {kvId, year});
    if (r.isEmpty())
        return std::nullopt;
    auto m = [&](const char* c) { return r.money(0, QString::fromLatin1(c)); };
    return YearRow{m("Fact_T_H_Money"), m("Fact_T_U_H"),   m("KV_T_H_Money"), m("KV_T_U_H"),  m("Fact_T_Copay"),
                   m("Fact_U_Copay"),   m("Kv_T_Copay"),   m("Kv_U_Copay"),   m("M_Flexben"),
                   r.text(0, QStringLiteral("Year_Remark"))};
}

} // namespace

TEST(YearRows, EveryActiveEmployeeGetsTheLimitsOfHisRightTypeOnce)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    t.setToday(2025, 3, 15);
    const LoginContext login = adminLogin(db);
    const QString year = QStringLiteral("2590"); // a year without demo rows
    struct Case {
        const char* kvId;
        const char* type;
        qint64 health, copay; // -1: refused
    };
    const Case cases[] = {
        {"KV2568/000901", "1", 200000, 0},          {"KV2568/000902", "2", 20000, 25000},
        {"KV2568/000903", "3", 2000000000, 0},      {"KV2568/000904", "0", -1, -1},
        {"KV2568/000905", "4", -1, -1},             {"KV2568/000906", "", -1, -1},
    };
    // Staff and identity numbers of their own: one person is never active twice.
    for (const Case& c : cases)
        addEmployee(db, QString::fromLatin1(c.kvId), QString::fromLatin1(c.kvId).right(6),
                    QString::fromLatin1(c.kvId).right(6), QStringLiteral("ก"), QStringLiteral("ข"), QStringLiteral("SC"),
                    QString::fromLatin1(c.type));
    addEmployee(db, QStringLiteral("KV2568/000907"), QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("ก"),
                QStringLiteral("ข"), QStringLiteral("SC"), QStringLiteral("1"), QStringLiteral("O"));
    addYearRow(db, QStringLiteral("KV2568/000901"), login.Cur_Bud_Year, 200000, 1234);
    const qint64 active = countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Emp_Status = 'A'"));

    int lastDone = 0, lastTotal = 0;
    const YearRows::Generated g = YearRows::generate(db, login, year, [&](int done, int total) {
        lastDone = done;
        lastTotal = total;
    });
    EXPECT_EQ(lastTotal, active);
    EXPECT_EQ(lastDone, active);
    EXPECT_EQ(g.added, active - 3);
    EXPECT_EQ(g.existing, 0);
    ASSERT_EQ(g.refused.size(), 3);
    EXPECT_EQ(g.refused[0].key, QStringLiteral("KV2568/000904"));
    EXPECT_EQ(g.refused[1].key, QStringLiteral("KV2568/000905"));
    EXPECT_EQ(g.refused[1].reason, imports::reasonBadType(QStringLiteral("4")));
    EXPECT_EQ(g.refused[2].key, QStringLiteral("KV2568/000906"));

    for (const Case& c : cases) {
        const auto row = yearRow(db, QString::fromLatin1(c.kvId), year);
        if (c.health < 0) {
            EXPECT_FALSE(row) << c.kvId << ": a bad right type gets no row";
            continue;
        }
        ASSERT_TRUE(row) << c.kvId;
        EXPECT_EQ(row->health, Money::fromBaht(c.health)) << c.kvId;
        EXPECT_EQ(row->kvHealth, Money::fromBaht(c.health)) << c.kvId;
        EXPECT_EQ(row->copay, Money::fromBaht(c.copay)) << c.kvId;
        EXPECT_EQ(row->kvCopay, Money::fromBaht(c.copay)) << c.kvId;
        for (Money used : {row->healthUsed, row->kvUsed, row->copayUsed, row->kvCopayUsed, row->flexben})
            EXPECT_EQ(used, Money()) << c.kvId;
        EXPECT_EQ(row->remark, QStringLiteral("A15/03/2568")) << c.kvId;
    }
    EXPECT_FALSE(yearRow(db, QStringLiteral("KV2568/000907"), year)) << "left employees get no row";
    EXPECT_EQ(yearRow(db, QStringLiteral("KV2568/000901"), login.Cur_Bud_Year)->healthUsed, Money::fromBaht(1234))
        << "another year's row is untouched";

    // Again, from another workstation: nothing is added twice.
    auto other = t.connectAgain();
    const qint64 rows = countOf(db, QStringLiteral("T_Year_Cur_Health"));
    const YearRows::Generated again = YearRows::generate(*other, login, year);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.existing, active - 3);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Year_Cur_Health")), rows);
}

TEST(YearRows, AYearIsFourBuddhistEraDigits)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const qint64 rows = countOf(db, QStringLiteral("T_Year_Cur_Health"));
    for (const char* year : {"", "256", "25681", "2025", "๒๕๖๘", "25a8"})
        EXPECT_EQ(errorOf([&] { YearRows::generate(db, login, QString::fromUtf8(year)); }),
                  QStringLiteral("ปีไม่ถูกต้อง กรุณาใส่ปี พ.ศ. 4 หลัก"))
            << year;
    const YearRows::Generated dry = YearRows::generate(db, login, QStringLiteral(" 2599 "), {}, true);
    EXPECT_GT(dry.added, 0);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Year_Cur_Health")), rows);
}
