#include "YearRows.h"
#include "common/Audit.h"
#include "common/Limits.h"
#include "common/LoginContext.h"
#include "common/Utility.h"
#include "common/db/Database.h"

namespace wel::YearRows {

std::optional<Limits> limitsOf(const QString& rightType)
{
    if (const RightTypeLimit* l = rightTypeLimit(TrimBlanks(rightType)))
        return Limits{l->medical, l->copay};
    return std::nullopt;
}

bool insertIfAbsent(Database& db, const QString& kvId, const QString& year, const Limits& limits,
                    const QString& remark, Money flexben)
{
    const QVariant zero = Money().toSql();
    return db.insertIfAbsent(
        QStringLiteral("T_Year_Cur_Health"),
        {QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Fact_T_H_Money"),
         QStringLiteral("Fact_T_U_H"), QStringLiteral("KV_T_H_Money"), QStringLiteral("KV_T_U_H"),
         QStringLiteral("Fact_T_Copay"), QStringLiteral("Fact_U_Copay"), QStringLiteral("Kv_T_Copay"),
         QStringLiteral("Kv_U_Copay"), QStringLiteral("M_Flexben"), QStringLiteral("Year_Remark")},
        {kvId, year, limits.health.toSql(), zero, limits.health.toSql(), zero, limits.copay.toSql(), zero,
         limits.copay.toSql(), zero, flexben.toSql(), remark},
        2);
}

Generated generate(Database& db, const LoginContext& login, const QString& yearText,
                   const imports::Progress& progress, bool dryRun)
{
    const QString year = imports::checkedYear(yearText);
    const QString remark = QStringLiteral("A") + login.Cur_Date;
    Generated g;
    Transaction tx(db);
    const Rows employees = db.select(QStringLiteral("SELECT KV_ID, Emp_H_Type FROM T_Emp_Gov_Histry "
                                                    "WHERE Emp_Status = 'A' ORDER BY KV_ID"));
    for (int i = 0; i < employees.count(); ++i) {
        const QString kvId = employees.text(i, QStringLiteral("KV_ID"));
        const QString type = employees.text(i, QStringLiteral("Emp_H_Type"));
        if (const auto limits = limitsOf(type)) {
            if (insertIfAbsent(db, kvId, year, *limits, remark))
                ++g.added;
            else
                ++g.existing;
        } else {
            g.refused << imports::Refusal{0, kvId, imports::reasonBadType(type)};
        }
        if (progress)
            progress(i + 1, employees.count());
    }
    audit::record(db, login, audit::Op::YearRows, year,
                  QStringLiteral("เพิ่ม %1 คน มีอยู่แล้ว %2 คน ปฏิเสธ %3 คน").arg(g.added).arg(g.existing).arg(g.refused.size()));
    if (!dryRun)
        tx.commit();
    return g;
}

} // namespace wel::YearRows
