#include "DemoCopay.h"
#include "claims/ClaimCancelService.h"
#include "claims/DemoClaims.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimSummaryService.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::claims {

namespace {

const DemoClerk kClerks[] = {{"SC", "clerk"}, {"EN", "engfac"}, {"MD", "medfac"}, {"OP", "finance"}};

// One receipt of the employee himself, or of a family member he has.
ClaimReceipt receiptOf(Database& db, const QString& kvId, int preferred, const QDate& date, Money amount,
                       const char* hospital)
{
    const Rows f = db.select(QStringLiteral("SELECT Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday "
                                            "FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk IN ('0', ?) "
                                            "ORDER BY Emp_Folk DESC"),
                             {kvId, QString::number(preferred)});
    ClaimReceipt r;
    r.folk = f.isEmpty() ? 0 : int(f.integer(0, QStringLiteral("Emp_Folk")));
    r.dateDoc = toBEText(date);
    r.amount = amount;
    r.hospital = QString::fromUtf8(hospital);
    if (!f.isEmpty()) {
        r.title = f.text(0, QStringLiteral("EF_Surname"));
        r.given = f.text(0, QStringLiteral("EF_F_Name"));
        r.family = f.text(0, QStringLiteral("EF_L_Name"));
        r.birthday = f.text(0, QStringLiteral("EF_Birthday"));
    }
    return r;
}

ClaimDraft draftFor(const QString& kvId, const QString& year, const QDate& day, const QString& fact)
{
    ClaimDraft d;
    d.kvId = kvId;
    d.payYear = year;
    d.claimDate = toBEText(day);
    d.inOut = QStringLiteral("0");
    d.factCode = fact;
    return d;
}

} // namespace

void loadDemoCopay(Database& db)
{
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health WHERE Berg_Type_Code = 'COP'"))
            .integer(0, QStringLiteral("n"))
        > 0)
        return;
    const QDate today = db.serverNow().date();
    const QString year = budgetYearOf(today);
    const QDate yearStart(year.toInt() - 544, 10, 1);
    db.insertIfAbsent(QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                      {year, 1}, 1);
    bool usedUpShown = false;
    int seed = 0;
    for (const DemoClerk& c : kClerks) {
        const QString fact = QString::fromLatin1(c.fact);
        const LoginContext clerk = demoLogin(c, today);
        // The co-pay entry never makes its number series itself.
        db.insertIfAbsent(QStringLiteral("T_Berg_Runno"),
                          {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")},
                          {fact, year, 1}, 2);
        const Rows staff = db.select(QStringLiteral("SELECT e.KV_ID, y.Fact_T_H_Money, y.Fact_T_U_H, y.M_Flexben "
                                                    "FROM T_Emp_Gov_Histry e JOIN T_Year_Cur_Health y "
                                                    "ON e.KV_ID = y.KV_ID AND y.Pay_Year = ? "
                                                    "WHERE e.Fact_code = ? AND e.Emp_Status = 'A' "
                                                    "AND e.Emp_H_Type = '2' ORDER BY e.KV_ID"),
                                     {year, fact});
        QStringList saved;
        for (int i = 0; i < staff.count() && i < 3; ++i) {
            const QString kvId = staff.text(i, QStringLiteral("KV_ID"));
            const Money left = staff.money(i, QStringLiteral("Fact_T_H_Money")) - staff.money(i, QStringLiteral("Fact_T_U_H"))
                - staff.money(i, QStringLiteral("M_Flexben"));
            // Co-pay begins where the medical limit ends: a claim above it.
            if (left > Money()) {
                ClaimDraft d = draftFor(kvId, year, today, fact);
                d.receipts = {receiptOf(db, kvId, 3, qMax(yearStart, today.addDays(-30)), left + Money::fromBaht(1850),
                                        "โรงพยาบาลศูนย์")};
                ClaimEntry::save(db, clerk, outpatient(), d);
            }
            const int claims = !usedUpShown && i == 0 ? 1 : 2;
            for (int n = 0; n < claims; ++n) {
                ClaimDraft d = draftFor(kvId, year, today, fact);
                const Money amount = claims == 1 ? Money::fromBaht(26400)
                                                 : Money::fromSatang(qint64(180000 + (++seed * 7919) % 650000));
                d.receipts = {receiptOf(db, kvId, 2, qMax(yearStart, today.addDays(-14 + n)), amount,
                                        "โรงพยาบาลมหาวิทยาลัย"),
                              receiptOf(db, kvId, 0, qMax(yearStart, today.addDays(-7 + n)), Money::fromBaht(640),
                                        "คลินิกเวชกรรมใกล้บ้าน")};
                saved << ClaimEntry::save(db, clerk, copay(), d).claimNo;
            }
            usedUpShown = true;
        }
        if (saved.size() < 2)
            continue;
        // One cancelled, two gathered under a control number, the rest open;
        // a faculty with two claims has one gathered and one open.
        if (saved.size() < 4) {
            ClaimSummary::send(db, clerk, copay(), fact, {saved[0]});
            continue;
        }
        ClaimCancel::cancel(db, clerk, copay(), fact, saved[1]);
        ClaimSummary::send(db, clerk, copay(), fact, {saved[0], saved[2]});
    }
}

} // namespace wel::claims
