#include "DemoOverLimit.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimKind.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"

namespace wel::claims {

void loadDemoOverLimit(Database& db, const DemoClerk& c, const QDate& today)
{
    const QString fact = QString::fromLatin1(c.fact);
    const LoginContext login = demoLogin(c, today, QStringLiteral("KV"));
    const QString year = login.Cur_Bud_Year;
    // Right type "1" has no co-pay limit: an outpatient claim above what is
    // left uses the year's limit up, and then claims above it are taken.
    // One employee of the faculty keeps his limit, so that the outpatient
    // entry of the demo has someone to enter a claim for.
    const QStringList typeOne = demoEmployees(db, fact, QStringLiteral("Emp_H_Type = '1'"));
    QStringList usedUp;
    for (const QString& kv : typeOne) {
        if (usedUp.size() == qMin(2, int(typeOne.size()) - 1))
            break;
        ClaimDraft d{kv, year, toBEText(today), QStringLiteral("1"), fact,
                     {demoSelfReceipt(db, kv, today, Money::fromBaht(215000), "โรงพยาบาลมหาวิทยาลัย")}};
        ClaimEntry::save(db, login, outpatient(), d);
        usedUp << kv;
    }
    if (usedUp.isEmpty())
        return;
    QStringList saved;
    const Money amounts[] = {Money::fromSatang(4850000), Money::fromSatang(1299050), Money::fromSatang(7600025),
                             Money::fromSatang(320000), Money::fromSatang(2500000)};
    for (int i = 0; i < 5; ++i) {
        const QString kv = usedUp[i % usedUp.size()];
        ClaimDraft d{kv, year, toBEText(today), i == 3 ? QStringLiteral("1") : QStringLiteral("0"), fact,
                     {demoSelfReceipt(db, kv, today.addDays(-i), amounts[i], i % 2 ? "โรงพยาบาลเอกชน" : "โรงพยาบาลศูนย์")}};
        saved << ClaimEntry::save(db, login, overLimit(), d).claimNo;
    }
    demoCancelAndGather(db, login, overLimit(), fact, saved);
}

} // namespace wel::claims
