#include "DemoVouchers.h"
#include "CancelService.h"
#include "DocNumberService.h"
#include "VoucherService.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

#include <QMap>

namespace wel::finance {

void loadDemoVouchers(Database& db)
{
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PV")).integer(0, QStringLiteral("n")) > 0)
        return;
    const auto open = Vouchers::listOpenControls(db, {}, Period::all());
    QMap<QString, QStringList> byFaculty;
    for (const ControlRow& c : open)
        byFaculty[c.factCode.toUpper()] << c.controlNo;
    if (byFaculty.isEmpty())
        return;

    const Today today = todayFrom(db.serverNow());
    LoginContext finance;
    finance.Cur_Date = today.Cur_Date;
    finance.Cur_Bud_Year = today.Cur_Bud_Year;
    finance.Cur_Fact_Code = QStringLiteral("OP");
    finance.Cur_Username = QStringLiteral("finance");
    finance.Cur_Mode = QStringLiteral("KV");
    Transaction tx(db);
    db.insertIfAbsent(QStringLiteral("T_PVR_Runno"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                      {today.Cur_Bud_Year, 1}, 1);

    // The finance division's own office and the demo clerk's faculty first,
    // so that their log-ins find vouchers to reprint; then the faculties with
    // the most open control numbers.
    const QStringList first{QStringLiteral("OP"), QStringLiteral("SC")};
    QStringList faculties = byFaculty.keys();
    std::stable_sort(faculties.begin(), faculties.end(), [&](const QString& a, const QString& b) {
        const int ra = first.contains(a) ? first.indexOf(a) : first.size();
        const int rb = first.contains(b) ? first.indexOf(b) : first.size();
        if (ra != rb)
            return ra < rb;
        return byFaculty[a].size() > byFaculty[b].size();
    });
    enum Kind { InForce, WithNumbers, Cancelled };
    int made = 0;
    for (const QString& fact : faculties) {
        QStringList controls = byFaculty[fact];
        while (controls.size() > 1 && made < 3) {
            const QStringList taken = controls.mid(0, made == InForce ? qMin(2, int(controls.size()) - 1) : 1);
            controls = controls.mid(taken.size());
            const QString pvr = Vouchers::make(db, finance, fact, taken, QStringLiteral("นางสาวมาลี ใจดี"));
            if (made == WithNumbers) {
                DocNumbers::saveSubUnit(db, finance, pvr, fact + QStringLiteral(" 0012/") + today.Cur_Bud_Year,
                                        QStringLiteral("กค 0345/") + today.Cur_Bud_Year, today.Cur_Date);
                DocNumbers::savePayment(db, finance, pvr, QStringLiteral("PV") + today.Cur_Bud_Year + QStringLiteral("/0088"),
                                        today.Cur_Date);
            } else if (made == Cancelled) {
                VoucherCancel::cancel(db, finance, pvr);
            }
            ++made;
        }
        if (made == 3)
            break;
    }
    tx.commit();
}

} // namespace wel::finance
