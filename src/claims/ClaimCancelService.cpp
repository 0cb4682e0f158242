#include "ClaimCancelService.h"
#include "common/Audit.h"
#include "common/AppError.h"
#include "common/LikePattern.h"
#include "common/LoginContext.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/db/SqlText.h"

namespace wel::claims::ClaimCancel {

namespace {

// The condition that a claim (alias h) belongs to the faculty: filed under it,
// or, for kinds listed by the employee's faculty, of one of its employees; and
// for kinds that cancel only their own entries, entered through this screen.
QString facultyCondition(const ClaimKind& kind, const QString& alias)
{
    const QString p = alias.isEmpty() ? QString() : alias + QLatin1Char('.');
    QString c = kind.faculty.cancelByEmployee
        ? p + QStringLiteral("KV_ID IN (SELECT KV_ID FROM T_Emp_Gov_Histry WHERE Fact_code = ?)")
        : p + QStringLiteral("Fact_Code = ?");
    if (kind.cancel.hrrOnly)
        c += QStringLiteral(" AND ") + p + QStringLiteral("Ent_From = 'HRR'");
    return c;
}

} // namespace

QVector<OpenClaimRow> search(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
                             ClaimSearchBy by, const QString& text)
{
    QVariantList params{facultyFor(login, kind.faculty.list, factField)};
    QString where = facultyCondition(kind, QStringLiteral("h")) + QStringLiteral(" AND h.Berg_Doc_Status = 'FC' AND ")
        + sql::in(QStringLiteral("h.Berg_Type_Code"), kind.identity.listedTypes, params);
    switch (by) {
    case ClaimSearchBy::ClaimNo: where += QStringLiteral(" AND UPPER(h.Berg_Doc_ID) LIKE UPPER(?) ESCAPE '!'"); break;
    case ClaimSearchBy::Name: where += QStringLiteral(" AND e.Emp_F_Name LIKE ? ESCAPE '!'"); break;
    case ClaimSearchBy::EmpId: where += QStringLiteral(" AND UPPER(e.EMP_ID) LIKE UPPER(?) ESCAPE '!'"); break;
    }
    params << likePrefix(TrimBlanks(text));
    const Rows r = db.select(
        QStringLiteral("SELECT h.Berg_Doc_ID, h.Date_berg, h.T_M_Berg, h.KV_ID, e.Emp_Surname, e.Emp_F_Name, "
                       "e.Emp_L_Name, e.EMP_ID, e.Emp_SSN, e.Emp_H_Type, t.Health_Desc "
                       "FROM T_PAY_Health h INNER JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                       "LEFT JOIN TR_Heal_Type t ON h.Health_In_Out_t = t.Health_In_Out_t WHERE ")
            + where + QStringLiteral(" ORDER BY h.Berg_Doc_ID"),
        params);
    QVector<OpenClaimRow> rows;
    for (int i = 0; i < r.count(); ++i) {
        auto t = [&](const char* c) { return r.text(i, QString::fromLatin1(c)); };
        rows.push_back({t("Berg_Doc_ID"), t("Emp_Surname") + t("Emp_F_Name") + QLatin1Char(' ') + t("Emp_L_Name"),
                        t("Date_berg"), r.money(i, QStringLiteral("T_M_Berg")), t("EMP_ID"), t("Emp_SSN"), t("KV_ID"),
                        t("Emp_H_Type"), t("Health_Desc")});
    }
    return rows;
}

OpenClaim load(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
               const QString& claimNo)
{
    QVariantList params{claimNo.trimmed(), facultyFor(login, kind.faculty.list, factField)};
    const QString types = sql::in(QStringLiteral("h.Berg_Type_Code"), kind.identity.listedTypes, params);
    const Rows r = db.select(
        QStringLiteral("SELECT h.Berg_Doc_ID, h.KV_ID, h.Date_berg, h.Pay_Year, h.M_Can_Berg, d.Emp_Folk, "
                       "d.Health_In_Out_t, d.M_Berg, h.Health_In_Out_t AS Kind_Code, t.Health_Desc "
                       "FROM T_PAY_Health h "
                       "LEFT JOIN T_Pay_Health_Detail d ON h.Berg_Doc_ID = d.Berg_Doc_ID "
                       "LEFT JOIN TR_Heal_Type t ON h.Health_In_Out_t = t.Health_In_Out_t "
                       "WHERE h.Berg_Doc_ID = ? AND h.Berg_Doc_Status = 'FC' AND ")
            + facultyCondition(kind, QStringLiteral("h")) + QStringLiteral(" AND ")
            + types + QStringLiteral(" ORDER BY d.Emp_Folk"),
        params);
    if (r.isEmpty())
        throw AppError(kNotFound);
    OpenClaim c{r.text(0, QStringLiteral("Berg_Doc_ID")), r.text(0, QStringLiteral("KV_ID")),
                r.text(0, QStringLiteral("Date_berg")), r.text(0, QStringLiteral("Pay_Year")),
                r.money(0, QStringLiteral("M_Can_Berg")), {}, r.text(0, QStringLiteral("Kind_Code")),
                r.text(0, QStringLiteral("Health_Desc"))};
    for (int i = 0; i < r.count(); ++i) {
        if (r.value(i, QStringLiteral("Emp_Folk")).isNull())
            continue;
        c.lines.push_back({int(r.integer(i, QStringLiteral("Emp_Folk"))), r.text(i, QStringLiteral("Health_In_Out_t")),
                           r.money(i, QStringLiteral("M_Berg"))});
    }
    return c;
}

void cancel(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
            const QString& claimNo)
{
    const QString no = claimNo.trimmed();
    Transaction tx(db);
    QVariantList params{no, facultyFor(login, kind.faculty.list, factField)};
    const QString types = sql::in(QStringLiteral("Berg_Type_Code"), kind.identity.listedTypes, params);
    // The status changes only while the claim is still open; the row stays
    // locked until the end, so a summary cannot take it in between.
    if (db.exec(QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'NO' "
                               "WHERE Berg_Doc_ID = ? AND Berg_Doc_Status = 'FC' AND ")
                    + facultyCondition(kind, QString()) + QStringLiteral(" AND ") + types,
                params)
        != 1)
        throw AppError(kNotFound);
    audit::record(db, login, audit::Op::ClaimCancel, no, kind.identity.typeCode);
    if (kind.limit.policy == LimitPolicy::None) { // nothing was charged, nothing is given back
        tx.commit();
        return;
    }
    const Rows h = db.select(QStringLiteral("SELECT KV_ID, Pay_Year, M_Can_Berg FROM T_PAY_Health WHERE Berg_Doc_ID = ?"),
                             {no});
    const QString kvId = h.text(0, QStringLiteral("KV_ID"));
    const QString year = h.text(0, QStringLiteral("Pay_Year"));
    const LimitRule& rule = kind.limit;
    const Rows y = db.selectLocked(rule.usedColumn + QStringLiteral(" AS U"), QStringLiteral("T_Year_Cur_Health"),
                                   QStringLiteral("KV_ID = ? AND Pay_Year = ?"), {kvId, year});
    if (y.isEmpty())
        throw AppError(kNoYearRow);
    const Money used = y.money(0, QStringLiteral("U")) - h.money(0, QStringLiteral("M_Can_Berg"));
    db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ? WHERE KV_ID = ? AND Pay_Year = ?").arg(rule.usedColumn),
            {used.toSql(), kvId, year});
    tx.commit();
}

QString confirmText(const QString& claimNo)
{
    return QStringLiteral("ยืนยันการบันทึก การยกเลิกใบเบิก เลขที่ ((") + claimNo + QStringLiteral("))");
}

QString doneText(const QString& claimNo)
{
    return QStringLiteral("ทำการยกเลิกใบเบิกเลขที่ ") + claimNo + QStringLiteral("  เรียบร้อยแล้วครับ");
}

} // namespace wel::claims::ClaimCancel
