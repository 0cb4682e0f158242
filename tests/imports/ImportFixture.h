#pragma once
#include "ErrorOf.h"
#include "MessageLog.h"
#include "TestDb.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/excel/WorkbookReader.h"
#include "personnel/ImportCommon.h"

#include <QDir>
#include <functional>

namespace wel::test {

inline QString fixture(const char* name)
{
    return QDir(QStringLiteral(WELMORA_TEST_FIXTURES)).filePath(QString::fromUtf8(name));
}

// The administrator on the database's today, with the employee counter of
// the calendar year in place (the log-in makes only the budget year's).
inline LoginContext adminLogin(Database& db)
{
    const Today today = todayFrom(db.serverNow());
    LoginContext c;
    c.Cur_Date = today.Cur_Date;
    c.Cur_Bud_Year = today.Cur_Bud_Year;
    c.Cur_Fact_Code = QStringLiteral("OP");
    c.Cur_Username = QStringLiteral("admin");
    c.Cur_Mode = QStringLiteral("KV");
    db.insertIfAbsent(QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year"), QStringLiteral("Run_No")},
                      {c.Cur_Date.right(4), 1}, 1);
    return c;
}

inline void addEmployee(Database& db, const QString& kvId, const QString& empId, const QString& ssn,
                        const QString& first, const QString& last, const QString& fact, const QString& type,
                        const QString& status = QStringLiteral("A"))
{
    db.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, "
                           "Emp_L_Name, Emp_H_Type, Fact_code, Emp_Status) VALUES (?, ?, ?, 'นาย', ?, ?, ?, ?, ?)"),
            {kvId, empId, ssn, first, last, type, fact, status});
}

inline void addYearRow(Database& db, const QString& kvId, const QString& year, qint64 limit, qint64 used)
{
    db.exec(QStringLiteral("INSERT INTO T_Year_Cur_Health (KV_ID, Pay_Year, Fact_T_H_Money, Fact_T_U_H, "
                           "KV_T_H_Money, KV_T_U_H, Fact_T_Copay, Fact_U_Copay, Kv_T_Copay, Kv_U_Copay, M_Flexben) "
                           "VALUES (?, ?, ?, ?, ?, ?, 0, 0, 0, 0, 0)"),
            {kvId, year, limit, used, limit, used});
}

inline qint64 countOf(Database& db, const QString& sql, const QVariantList& params = {})
{
    return db.select(QStringLiteral("SELECT COUNT(*) AS n FROM ") + sql, params).integer(0, QStringLiteral("n"));
}

// A worksheet built in memory: rows of texts placed from (row, column 1).
inline excel::SheetData sheetOf(const QList<std::pair<int, QStringList>>& rows)
{
    excel::SheetData s;
    for (const auto& [row, texts] : rows)
        for (int c = 0; c < texts.size(); ++c)
            s.set(row, c + 1, texts[c]);
    return s;
}

// Reasons of the refused rows by sheet row.
inline QMap<int, QString> reasonsByRow(const QVector<imports::Refusal>& refused)
{
    QMap<int, QString> m;
    for (const imports::Refusal& r : refused)
        m.insert(r.row, r.reason);
    return m;
}

} // namespace wel::test
