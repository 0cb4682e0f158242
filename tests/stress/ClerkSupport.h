#pragma once
#include "common/LoginContext.h"
#include "education/EducationService.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::test {

// A clerk of the faculty logged in today by the server's clock: "finance"
// in the finance mode "KV", "clerk" otherwise.
inline LoginContext clerkOf(Database& db, const QString& fact, const QString& mode)
{
    const Today today = todayFrom(db.serverNow());
    LoginContext c;
    c.Cur_Date = today.Cur_Date;
    c.Cur_Bud_Year = today.Cur_Bud_Year;
    c.Cur_Fact_Code = fact;
    c.Cur_Mode = mode;
    c.Cur_Username = mode == QLatin1String("KV") ? QStringLiteral("finance") : QStringLiteral("clerk");
    c.Cur_User_Type = QStringLiteral("U");
    return c;
}

// The first column of the first row, trimmed; empty without rows.
inline QString first(Database& db, const QString& sql, const QVariantList& params = {})
{
    const Rows r = db.select(sql, params);
    return r.isEmpty() ? QString() : r.value(0, 0).toString().trimmed();
}

// One term's tuition for the employee's first child, as a clerk types it.
inline claims::Education::Line tuitionLine(Database& db, const QString& kvId, const LoginContext& clerk)
{
    claims::Education::Line l;
    l.amountText = QStringLiteral("4,200.00");
    l.term = QStringLiteral("1");
    l.year = clerk.Cur_Bud_Year;
    l.level = QStringLiteral("ประถมศึกษาปีที่ 3");
    l.school = QStringLiteral("โรงเรียนสาธิต");
    l.child = claims::Education::findChild(db, kvId, 0, clerk.Cur_Date);
    return l;
}

} // namespace wel::test
