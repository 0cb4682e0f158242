#include "AuditCheck.h"
#include "common/Audit.h"
#include "common/db/Database.h"
#include "common/db/Schema.h"

namespace wel::check {

QVector<Difference> documentsWithoutTheirMaking(Database& db)
{
    struct Documents {
        const char* what;
        QString table, key, made;
    };
    const Documents all[] = {
        {"claim", QStringLiteral("T_PAY_Health"), QStringLiteral("Berg_Doc_ID"), audit::kClaimMade},
        {"control number", QStringLiteral("T_Sent_KV_Detail"), QStringLiteral("Sent_KV_Doc_ID"), audit::kSummaryMade},
        {"voucher summary", QStringLiteral("T_PV"), QStringLiteral("PVR_NO"), audit::kVoucherMade},
    };
    QVector<Difference> found;
    for (const Documents& d : all) {
        const Rows r = db.select(QStringLiteral("SELECT d.%1 AS k FROM %2 d WHERE NOT EXISTS (SELECT 1 FROM %3 a "
                                                "WHERE a.Audit_Key = d.%1 AND a.Audit_Op IN ('%4', '%5')) ORDER BY d.%1")
                                     .arg(d.key, d.table, kAuditTable, d.made, audit::kBaseline));
        for (int i = 0; i < r.count(); ++i) {
            const QString key = r.text(i, QStringLiteral("k"));
            found.push_back({QStringLiteral("audit-missing"),
                             QStringLiteral("%1 %2 has no audit row of its making (%3)")
                                 .arg(QLatin1String(d.what), key, d.made),
                             {QStringLiteral("%1 %2=%3").arg(d.table, d.key, key)}});
        }
    }
    return found;
}

} // namespace wel::check
