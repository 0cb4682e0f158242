#include "DemoSetup.h"
#include "claims/DemoClaims.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "copay/DemoCopay.h"
#include "education/DemoEducation.h"
#include "inpatient/DemoInpatient.h"
#include "otherwelfare/DemoOtherWelfare.h"
#include "overlimit/DemoOverLimit.h"

namespace wel::demo {

namespace {
const claims::DemoClerk kWelfareClerks[] = {{"OP", "finance"}, {"SC", "clerk"}};
}

void loadDemoWelfareClaims(Database& db)
{
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health WHERE Berg_Type_Code IN ('OVM', 'OTH', 'EDU')"))
            .integer(0, QStringLiteral("n"))
        > 0)
        return;
    const QDate today = db.serverNow().date();
    db.insertIfAbsent(QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                      {budgetYearOf(today), 1}, 1);
    for (const claims::DemoClerk& c : kWelfareClerks) {
        db.insertIfAbsent(QStringLiteral("T_Berg_Runno"),
                          {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")},
                          {QString::fromLatin1(c.fact), budgetYearOf(today), 1}, 2);
        // Kind by kind within a faculty, so that each faculty's claim numbers
        // run through the three kinds in this order.
        claims::loadDemoOverLimit(db, c, today);
        claims::loadDemoOtherWelfare(db, c, today);
        claims::loadDemoEducation(db, c, today);
    }
}

void loadDemoClaimsOfEveryKind(Database& db)
{
    claims::loadDemoClaims(db);
    claims::loadDemoCopay(db);
    claims::loadDemoInpatient(db);
    loadDemoWelfareClaims(db);
}

} // namespace wel::demo
