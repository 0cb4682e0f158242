#include "CancelService.h"
#include "common/Audit.h"
#include "claims/ClaimKind.h"
#include "common/AppError.h"
#include "common/db/Database.h"

#include <QMap>

#include <tuple>

namespace wel::finance {

QString controlCancelledText(const QString& controlNo)
{
    return QStringLiteral("ทำการยกเลิกเลขที่ใบควบคุมใบเบิก\r เลขที่ : ") + controlNo + QStringLiteral("\r")
        + QStringLiteral("เรียบร้อยแล้ว");
}

QString voucherCancelledText(const QString& pvrNo)
{
    return QStringLiteral("ทำการยกเลิกเลขที่ใบสำคัญจ่าย(PVR)\r เลขที่ : ") + pvrNo + QStringLiteral("\r")
        + QStringLiteral("เรียบร้อยแล้ว");
}

UsageGiveBack giveBackFor(const QString& bergTypeCode, Money payable, Money claimed)
{
    // Exactly what the kind's summary added, to the column it raised.
    const claims::ClaimKind* kind = claims::kindOfType(bergTypeCode);
    if (!kind || kind->limit.policy == claims::LimitPolicy::None || kind->limit.sentColumn.isEmpty())
        return {};
    return {kind->limit.sentColumn, kind->summary.amountClaimed ? claimed : payable};
}

namespace ControlCancel {

QVector<ControlClaim> claims(Database& db, const QString& controlNo)
{
    const Rows r = db.select(QStringLiteral("SELECT h.Berg_Doc_ID, h.Date_berg, h.M_Can_Berg, h.KV_ID, h.Pay_Year, "
                                            "e.EMP_ID, e.Emp_Surname, e.Emp_F_Name, e.Emp_L_Name "
                                            "FROM T_Sent_KV m "
                                            "INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
                                            "LEFT JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                                            "WHERE m.Sent_KV_Doc_ID = ? ORDER BY m.Berg_Doc_ID"),
                             {controlNo.trimmed()});
    QVector<ControlClaim> list;
    for (int i = 0; i < r.count(); ++i) {
        auto t = [&](const char* c) { return r.text(i, QString::fromLatin1(c)); };
        list.push_back({t("Berg_Doc_ID"), t("Date_berg"), r.money(i, QStringLiteral("M_Can_Berg")), t("EMP_ID"),
                        t("Emp_Surname") + t("Emp_F_Name") + QStringLiteral(" ") + t("Emp_L_Name"), t("KV_ID"),
                        t("Pay_Year")});
    }
    return list;
}

void cancel(Database& db, const LoginContext& login, const QString& controlNo)
{
    const QString no = controlNo.trimmed();
    Transaction tx(db);
    // The status changes only while the control number is still open; the
    // row stays locked until the end, so no voucher can take it in between.
    if (db.exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Status = 'C' "
                               "WHERE Sent_KV_Doc_ID = ? AND Sent_Doc_Status = 'A'"),
                {no})
        != 1) {
        const Rows s = db.select(QStringLiteral("SELECT Sent_Doc_Status FROM T_Sent_KV_Detail WHERE Sent_KV_Doc_ID = ?"),
                                 {no});
        const bool inVoucher = !s.isEmpty() && s.text(0, QStringLiteral("Sent_Doc_Status")).trimmed().toUpper()
                                                   == QLatin1String("P");
        throw AppError((inVoucher ? kControlInVoucher : kControlGone).arg(no));
    }
    const Rows members = db.select(QStringLiteral("SELECT h.Berg_Doc_ID, h.KV_ID, h.Pay_Year, h.Berg_Type_Code, "
                                                  "h.M_Can_Berg, h.T_M_Berg "
                                                  "FROM T_Sent_KV m "
                                                  "INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
                                                  "WHERE m.Sent_KV_Doc_ID = ? ORDER BY m.Berg_Doc_ID"),
                                   {no});
    // The yearly rows are changed after all the claims and in key order, as
    // a summary locks them: taken in claim order, two workstations could each
    // hold the row the other waits for.
    QMap<std::tuple<QString, QString, QString>, Money> giveBack; // KV_ID, Pay_Year, column
    for (int i = 0; i < members.count(); ++i) {
        const QString claimNo = members.text(i, QStringLiteral("Berg_Doc_ID"));
        if (db.exec(QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'FC' "
                                   "WHERE Berg_Doc_ID = ? AND UPPER(Berg_Doc_Status) = 'KV'"),
                    {claimNo})
            != 1)
            throw AppError(kClaimNotSent.arg(claimNo));
        const UsageGiveBack back = giveBackFor(members.text(i, QStringLiteral("Berg_Type_Code")),
                                               members.money(i, QStringLiteral("M_Can_Berg")),
                                               members.money(i, QStringLiteral("T_M_Berg")));
        if (back.column.isEmpty())
            continue;
        giveBack[{members.text(i, QStringLiteral("KV_ID")).trimmed(), members.text(i, QStringLiteral("Pay_Year")).trimmed(),
                  back.column}] += back.amount;
    }
    for (auto it = giveBack.cbegin(); it != giveBack.cend(); ++it) {
        const auto& [kvId, year, column] = it.key();
        // One statement changes the used amount where it stands, so a
        // concurrent claim entry of the same employee is never overwritten.
        // A missing yearly row changes nothing.
        db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ROUND(%1 - ?, 2) WHERE KV_ID = ? AND Pay_Year = ?")
                    .arg(column),
                {it.value().toSql(), kvId, year});
    }
    audit::record(db, login, audit::Op::SummaryCancel, no, QStringLiteral("%1 ใบ").arg(members.count()));
    tx.commit();
}

} // namespace ControlCancel

namespace VoucherCancel {

int cancel(Database& db, const LoginContext& login, const QString& pvrNo)
{
    const QString no = pvrNo.trimmed();
    Transaction tx(db);
    if (db.exec(QStringLiteral("UPDATE T_PV SET Sent_Doc_Status = 'C' WHERE PVR_NO = ? AND Sent_Doc_Status = 'A'"),
                {no})
        != 1)
        throw AppError(kVoucherGone.arg(no));
    const int freed = db.exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Status = 'A' WHERE Sent_Doc_Status = 'P' "
                                             "AND Sent_KV_Doc_ID IN (SELECT Sent_KV_Doc_ID FROM T_PV_Detail WHERE PVR_NO = ?)"),
                              {no});
    audit::record(db, login, audit::Op::VoucherCancel, no, QStringLiteral("คืนเลขที่ควบคุม %1 ใบ").arg(freed));
    tx.commit();
    return freed;
}

} // namespace VoucherCancel
} // namespace wel::finance
