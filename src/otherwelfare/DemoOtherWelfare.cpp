#include "DemoOtherWelfare.h"
#include "OtherWelfareService.h"
#include "claims/ClaimKind.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"

namespace wel::claims {

void loadDemoOtherWelfare(Database& db, const DemoClerk& c, const QDate& today)
{
    const QString fact = QString::fromLatin1(c.fact);
    const LoginContext login = demoLogin(c, today, QStringLiteral("FC"));
    const QStringList staff = demoEmployees(db, fact, QStringLiteral("1 = 1"));
    const QVector<OtherWelfare::Choice> kinds = OtherWelfare::welfareKinds(db);
    if (staff.isEmpty() || kinds.isEmpty())
        return;
    const struct {
        const char* folk;
        const char* amount;
        const char* matiNo;
        const char* detail;
    } payments[] = {{"0", "10,000.00", "2/", "เงินช่วยเหลือตามมติที่ประชุม"},
                    {"3", "50,000.00", "3/", "คู่สมรสรับแทน"},
                    {"0", "7,500.50", "4/", "ประสบอันตรายระหว่างปฏิบัติงาน"},
                    {"4", "20,000.00", "5/", "บุตรรับแทน"}};
    QStringList saved;
    for (int i = 0; i < 4; ++i) {
        OtherWelfare::Draft d;
        d.kvId = staff[i % staff.size()];
        d.claimDate = login.Cur_Date;
        d.kindCode = kinds[i % kinds.size()].code;
        d.factCode = fact;
        d.beneficiary = QString::fromLatin1(payments[i].folk);
        d.amountText = QString::fromLatin1(payments[i].amount);
        d.docNo = QStringLiteral("ศธ 0513/%1").arg(400 + i);
        d.docDate = toBEText(today.addDays(-20));
        d.matiNo = QString::fromLatin1(payments[i].matiNo) + login.Cur_Bud_Year;
        d.matiDate = i == 2 ? QString() : toBEText(today.addDays(-10));
        d.detail = QString::fromUtf8(payments[i].detail);
        saved << OtherWelfare::save(db, login, d);
    }
    demoCancelAndGather(db, login, otherWelfare(), fact, saved);
}

} // namespace wel::claims
