#include "ClaimsFixture.h"
#include "claims/DemoClaims.h"
#include "common/ThaiDate.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

TEST(DemoClaims, EveryStateForSeveralFacultiesAndBothYearsWithConsistentUsage)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims); // the demo employees with their claims, as "welmora-admin init --demo" makes them
    Database& db = t.db();
    const qint64 claims = db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health")).integer(0, QStringLiteral("n"));
    loadDemoClaims(db);
    EXPECT_EQ(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health")).integer(0, QStringLiteral("n")), claims)
        << "loaded once";

    const int year = budgetYearOf(db.serverNow().date()).toInt();
    for (const QString& y : {QString::number(year - 1), QString::number(year)}) {
        for (const char* status : {"FC", "KV", "NO"}) {
            const Rows r = db.select(QStringLiteral("SELECT COUNT(DISTINCT Fact_Code) AS n FROM T_PAY_Health "
                                                    "WHERE Pay_Year = ? AND Berg_Doc_Status = ?"),
                                     {y, QString::fromLatin1(status)});
            EXPECT_GE(r.integer(0, QStringLiteral("n")), 2) << status << " " << y.toStdString();
        }
    }
    EXPECT_GE(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Sent_KV_Detail")).integer(0, QStringLiteral("n")), 4);
    EXPECT_GE(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health h JOIN T_Emp_Gov_Histry e "
                                       "ON h.KV_ID = e.KV_ID WHERE e.Emp_H_Type = '3'"))
                  .integer(0, QStringLiteral("n")),
              1);

    // The yearly rows hold exactly what the claims charged and sent: the
    // medical claims their payable amounts (the hospital's summary sends the
    // amount claimed), the co-pay claims theirs on the co-pay columns.
    const Rows years = db.select(QStringLiteral("SELECT KV_ID, Pay_Year, Fact_T_H_Money, Fact_T_U_H, KV_T_U_H, "
                                                "M_Flexben, Fact_T_Copay, Fact_U_Copay, Kv_U_Copay "
                                                "FROM T_Year_Cur_Health"));
    int usedUp = 0, copayUsedUp = 0, nearlyUsedUpWithFlex = 0;
    for (int i = 0; i < years.count(); ++i) {
        const QVariantList key{years.text(i, QStringLiteral("KV_ID")), years.text(i, QStringLiteral("Pay_Year"))};
        Money charged, sent, copayCharged, copaySent;
        // Above-limit, other-welfare and education claims charge no limit.
        const Rows c = db.select(QStringLiteral("SELECT Berg_Doc_Status, Berg_Type_Code, M_Can_Berg, T_M_Berg "
                                                "FROM T_PAY_Health WHERE KV_ID = ? AND Pay_Year = ? "
                                                "AND Berg_Type_Code IN ('FAE', 'HPE', 'COP')"),
                                 key);
        for (int j = 0; j < c.count(); ++j) {
            const QString s = c.text(j, QStringLiteral("Berg_Doc_Status"));
            const QString type = c.text(j, QStringLiteral("Berg_Type_Code"));
            const Money payable = c.money(j, QStringLiteral("M_Can_Berg"));
            const bool isCopay = type == QLatin1String("COP");
            if (s != QLatin1String("NO"))
                (isCopay ? copayCharged : charged) += payable;
            if (s == QLatin1String("KV"))
                (isCopay ? copaySent : sent) += type == QLatin1String("HPE") ? c.money(j, QStringLiteral("T_M_Berg")) : payable;
        }
        EXPECT_EQ(years.money(i, QStringLiteral("Fact_T_U_H")), charged) << key[0].toString().toStdString();
        EXPECT_EQ(years.money(i, QStringLiteral("KV_T_U_H")), sent) << key[0].toString().toStdString();
        EXPECT_EQ(years.money(i, QStringLiteral("Fact_U_Copay")), copayCharged) << key[0].toString().toStdString();
        EXPECT_EQ(years.money(i, QStringLiteral("Kv_U_Copay")), copaySent) << key[0].toString().toStdString();
        const Money h = years.money(i, QStringLiteral("Fact_T_H_Money")), f = years.money(i, QStringLiteral("M_Flexben"));
        const Money left = h - years.money(i, QStringLiteral("Fact_T_U_H")) - f;
        if (left.isZero())
            ++usedUp;
        if (f > Money() && left > Money() && left < Money::fromBaht(1000))
            ++nearlyUsedUpWithFlex;
        if (years.money(i, QStringLiteral("Fact_T_Copay")) > Money()
            && years.money(i, QStringLiteral("Fact_U_Copay")) == years.money(i, QStringLiteral("Fact_T_Copay")))
            ++copayUsedUp;
    }
    EXPECT_GE(usedUp, 1) << "an employee's limit is used up";
    EXPECT_EQ(copayUsedUp, 1) << "an employee's co-pay is used up";
    EXPECT_EQ(nearlyUsedUpWithFlex, 1) << "an employee with a flexible benefit has little left";

    // The co-pay and in-patient claims in every state, this year at least.
    for (const char* type : {"COP", "HPE"})
        for (const char* status : {"FC", "KV", "NO"})
            EXPECT_GE(db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health WHERE Pay_Year = ? "
                                               "AND Berg_Type_Code = ? AND Berg_Doc_Status = ?"),
                                {QString::number(year), QString::fromLatin1(type), QString::fromLatin1(status)})
                          .integer(0, QStringLiteral("n")),
                      1)
                << type << " " << status;
}
