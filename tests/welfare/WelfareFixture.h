#pragma once
#include "../claims/ClaimsFixture.h"
#include "common/report/Report.h"

namespace wel::test {

// The texts the report placed for an item name, over all pages.
inline QStringList placed(const Report& r, const QString& name)
{
    QStringList texts;
    for (const ReportPage& p : r.pages())
        for (const PlacedItem& i : p.items)
            if (i.name == name)
                texts << i.text;
    return texts;
}

inline QString placedOnce(const Report& r, const QString& name)
{
    const QStringList t = placed(r, name);
    return t.size() == 1 ? t.first() : QStringLiteral("<%1 placed %2 times>").arg(name).arg(t.size());
}

// The claims database with the claim-number series of SC and EN for the
// log-in year, as a new installation's log-in makes them.
struct WelfareDb : ClaimsDb {
    WelfareDb()
    {
        for (const char* f : {"SC", "EN"})
            db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES (?, '2568', 1)"),
                    {QString::fromLatin1(f)});
    }

    void setCopay(const QString& kv, const QString& year, Money limit, Money used)
    {
        db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = ?, Fact_U_Copay = ? "
                               "WHERE KV_ID = ? AND Pay_Year = ?"),
                {limit.toSql(), used.toSql(), kv, year});
    }
};

} // namespace wel::test
