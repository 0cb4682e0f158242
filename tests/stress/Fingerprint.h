#pragma once
#include "common/db/Database.h"

#include <QStringList>

namespace wel::test {

// Every row of the tables an operation may write, as one text: equal before
// and after means the operation wrote nothing.
inline QString fingerprint(Database& db)
{
    QString all;
    for (const char* table : {"T_PAY_Health", "T_Pay_Health_Detail", "T_Reciept", "T_Year_Cur_Health", "T_Sent_KV",
                              "T_Sent_KV_Detail", "T_PV", "T_PV_Detail", "T_Berg_Runno", "T_Sent_KV_RunNo",
                              "T_PVR_Runno", "T_Emp_RunNo", "T_Emp_Gov_Histry", "T_Emp_Folk", "T_Fact"}) {
        const Rows r = db.select(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
        QStringList rows;
        for (int i = 0; i < r.count(); ++i) {
            QStringList cells;
            for (int c = 0; c < r.columns().size(); ++c)
                cells << r.value(i, c).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        rows.sort();
        all += QLatin1String(table) + QLatin1Char('\n') + rows.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    return all;
}

} // namespace wel::test
