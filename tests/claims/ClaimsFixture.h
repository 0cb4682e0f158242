#pragma once
#include "ErrorOf.h"
#include "MessageLog.h"
#include "TestDb.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimKind.h"
#include "common/LoginContext.h"
#include "common/db/Schema.h"

#include <QDate>
#include <functional>

namespace wel::test {

// A database with reference rows, faculties SC and EN, budget years
// 2567-2569 and the employees each test adds itself. Today is
// 15 November 2024: "15/11/2567", budget year 2568.
struct ClaimsDb {
    TestDb t{TestDb::Reference};
    Database& db = t.db();

    ClaimsDb()
    {
        t.setToday(2024, 11, 15);
        for (const auto& [code, name] : {std::pair{"SC", "คณะวิทยาศาสตร์"}, std::pair{"EN", "คณะวิศวกรรมศาสตร์"},
                                        std::pair{"HO", "โรงพยาบาลมหาวิทยาลัย"}})
            db.exec(QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES (?, ?)"),
                    {QString::fromLatin1(code), QString::fromUtf8(name)});
        for (const char* y : {"2567", "2568", "2569"})
            db.exec(QStringLiteral("INSERT INTO TR_Select_Year_Bud (Sel_Year_BudDate) VALUES (?)"), {QString::fromLatin1(y)});
        db.exec(QStringLiteral("INSERT INTO T_Sent_KV_RunNo (Sent_Year, Run_No) VALUES ('2568', 1)"));
    }

    LoginContext login(const QString& mode = QStringLiteral("FC"), const QString& fact = QStringLiteral("SC")) const
    {
        LoginContext c;
        c.Cur_Date = QStringLiteral("15/11/2567");
        c.Cur_Bud_Year = QStringLiteral("2568");
        c.Cur_Fact_Code = fact;
        c.Cur_Mode = mode;
        c.Cur_Username = mode == QLatin1String("KV") ? QStringLiteral("finance") : QStringLiteral("clerk");
        c.Cur_User_Type = QStringLiteral("U");
        return c;
    }

    // An active employee with his own family row and a father; further
    // members only when asked.
    QString addEmployee(int n, const QString& fact, const QString& hType, bool withFather = true)
    {
        const QString kv = QStringLiteral("KV2560/%1").arg(n, 6, 10, QLatin1Char('0'));
        db.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, "
                               "Emp_L_Name, Emp_Position, Emp_H_Type, Fact_code, Emp_Status) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'A')"),
                {kv, QStringLiteral("6%1").arg(n, 5, 10, QLatin1Char('0')), QStringLiteral("31000%1").arg(n, 8, 10, QLatin1Char('0')),
                 QStringLiteral("นาย"), QStringLiteral("สมชาย%1").arg(n), QStringLiteral("ใจดี"),
                 QStringLiteral("นักวิชาการศึกษา"), hType, fact});
        addFolk(kv, 0, QStringLiteral("นาย"), QStringLiteral("สมชาย%1").arg(n), QStringLiteral("ใจดี"));
        if (withFather)
            addFolk(kv, 1, QStringLiteral("นาย"), QStringLiteral("สมศักดิ์"), QStringLiteral("ใจดี"));
        return kv;
    }

    void addFolk(const QString& kv, int code, const QString& title, const QString& given, const QString& family,
                 const QString& birthday = {})
    {
        db.exec(QStringLiteral("INSERT INTO T_Emp_Folk (KV_ID, Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday) "
                               "VALUES (?, ?, ?, ?, ?, ?)"),
                {kv, QString::number(code), title, given, family, birthday});
    }

    void addYear(const QString& kv, const QString& year, Money limit, Money used, Money flex = {})
    {
        db.exec(QStringLiteral("INSERT INTO T_Year_Cur_Health (KV_ID, Pay_Year, Fact_T_H_Money, Fact_T_U_H, "
                               "KV_T_H_Money, KV_T_U_H, Fact_T_Copay, Fact_U_Copay, Kv_T_Copay, Kv_U_Copay, M_Flexben) "
                               "VALUES (?, ?, ?, ?, ?, 0, 0, 0, 0, 0, ?)"),
                {kv, year, limit.toSql(), used.toSql(), limit.toSql(), flex.toSql()});
    }

    Money yearValue(const QString& kv, const QString& year, const QString& column)
    {
        const Rows r = db.select(QStringLiteral("SELECT %1 FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?")
                                     .arg(column),
                                 {kv, year});
        return r.isEmpty() ? Money::fromSatang(-1) : r.money(0, column);
    }

    QString claimValue(const QString& claimNo, const QString& column)
    {
        const Rows r = db.select(QStringLiteral("SELECT %1 FROM T_PAY_Health WHERE Berg_Doc_ID = ?").arg(column), {claimNo});
        return r.isEmpty() ? QStringLiteral("<no claim>") : r.text(0, column);
    }

    qint64 count(const QString& table)
    {
        return rowCount(db, table);
    }
};

inline Money baht(double b) { return Money::fromSatang(qRound64(b * 100)); }

// A receipt of the patient, dated 1 November 2567 (within budget year 2568).
inline claims::ClaimReceipt receipt(int folk, Money amount, const QString& date = QStringLiteral("01/11/2567"))
{
    claims::ClaimReceipt r;
    r.folk = folk;
    r.amount = amount;
    r.dateDoc = date;
    r.hospital = QStringLiteral("โรงพยาบาลมหาวิทยาลัย");
    r.title = QStringLiteral("นาย");
    r.given = QStringLiteral("ผู้ป่วย%1").arg(folk);
    r.family = QStringLiteral("ใจดี");
    return r;
}

inline claims::ClaimDraft draft(const QString& kv, const QVector<claims::ClaimReceipt>& receipts,
                                const QString& year = QStringLiteral("2568"), const QString& fact = QStringLiteral("SC"))
{
    claims::ClaimDraft d;
    d.kvId = kv;
    d.payYear = year;
    d.claimDate = QStringLiteral("15/11/2567");
    d.inOut = QStringLiteral("0");
    d.factCode = fact;
    d.receipts = receipts;
    return d;
}

// The limit messages as the clerk reads them, written out here so that a
// slip in a kind's texts fails the tests.
inline const QString kUsedUpMessage = QStringLiteral("วงเงินมีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก");
namespace copayMessages {
inline const QString typeRefused =
    QStringLiteral("ไม่สามารถเบิกค่ารักษาแบบ Co-Pay ได้ \rเนื่องจากพนักงานเลือกสิทธิแบบ 1(วงเงิน 200,000 บาท)");
inline const QString noRowOpen = QStringLiteral("ต้องเบิกค่ารักษาพบาบาลก่อนให้เต็มวงเงินก่อน\r จึงจะสามารถเบิก Co-Pay ได้");
inline const QString medicalNotUsedUp = QStringLiteral("ต้องเบิกค่ารักษาพบาบาลให้เต็มวงเงินก่อน\r จึงจะสามารถเบิก Co-Pay ได้");
inline const QString usedUpOpen = kUsedUpMessage;
inline const QString noRowSave = QStringLiteral("ก่อนใช้ Co-Pay ต้องเบิกเงินในส่วนสวัสดิการก่อน");
inline const QString usedUpSave = QStringLiteral("วงเงิน Co-Pay มีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก");
} // namespace copayMessages

} // namespace wel::test
