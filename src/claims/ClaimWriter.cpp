#include "ClaimWriter.h"
#include "common/Audit.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/SqlText.h"

namespace wel::claims {

namespace {

QStringList receiptColumns(ReceiptDetail detail)
{
    const QStringList common = {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Order_Doc"),  QStringLiteral("Emp_Folk"),
                                QStringLiteral("Date_Doc"),    QStringLiteral("P_money"),    QStringLiteral("EF_Surname"),
                                QStringLiteral("EF_F_Name"),   QStringLiteral("EF_L_Name"),  QStringLiteral("EF_Birthday")};
    if (detail == ReceiptDetail::Hospital)
        return common + QStringList{QStringLiteral("Hospital_Name")};
    return common + QStringList{QStringLiteral("Edu_Type"), QStringLiteral("Edu_Level"), QStringLiteral("Edu_Term"),
                                QStringLiteral("Edu_Year"), QStringLiteral("School_Name")};
}

QVariantList receiptRow(const QString& claimNo, int order, ReceiptDetail detail, const StoredReceipt& r)
{
    QVariantList row{claimNo, order, r.folk, r.dateDoc.trimmed(), r.amount.toSql(), r.title, r.given, r.family,
                     r.birthday};
    if (detail == ReceiptDetail::Hospital)
        return row + QVariantList{r.hospital};
    return row + QVariantList{r.eduType, r.eduLevel, r.eduTerm, r.eduYear, r.school};
}

} // namespace

QString writeClaim(Database& db, const LoginContext& login, const ClaimKind& kind, const ClaimRecord& r,
                   QVector<Database::Statement> writes)
{
    const QString claimNo = RunningNumbers::takeClaimNumber(db, numberFacultyOf(login, kind, r.factCode),
                                                            login.Cur_Bud_Year, kind.identity.numberWhenMissing);
    const QStringList headerColumns =
        QStringList{QStringLiteral("Berg_Doc_ID"),     QStringLiteral("KV_ID"),     QStringLiteral("Date_berg"),
                    QStringLiteral("T_M_Berg"),        QStringLiteral("M_Can_Berg"), QStringLiteral("Date_Ent"),
                    QStringLiteral("Time_Ent"),        QStringLiteral("Berg_Doc_Status"), QStringLiteral("Pay_Year"),
                    QStringLiteral("Health_In_Out_t"), QStringLiteral("Fact_Code"), QStringLiteral("Berg_Type_Code"),
                    QStringLiteral("Ent_User")}
        + r.extraColumns;
    // The server's clock is read by the insert itself where there is one:
    // reading it first would cost the save an exchange with the server.
    QHash<QString, QString> computed;
    QVariantList header{claimNo, r.kvId, r.claimDate.trimmed(), r.claimed.toSql(), r.payable.toSql(), login.Cur_Date};
    if (const QString time = db.serverTimeOfDaySql(); !time.isEmpty())
        computed.insert(QStringLiteral("Time_Ent"), time);
    else
        header << nowTimeText(db.serverNow());
    header << QStringLiteral("FC") << r.payYear << r.inOut << r.factCode << kind.identity.typeCode << login.Cur_Username;
    header += r.extra;
    writes.push_back(sql::insertRow(QStringLiteral("T_PAY_Health"), headerColumns, header, computed));

    QVector<QVariantList> lines;
    for (const StoredLine& l : r.lines)
        lines.push_back({claimNo, l.folk, r.kvId, r.inOut, l.claimed.toSql(), l.payable.toSql()});
    sql::insertInChunks(writes, QStringLiteral("T_Pay_Health_Detail"),
                   {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("KV_ID"),
                    QStringLiteral("Health_In_Out_t"), QStringLiteral("M_Berg"), QStringLiteral("HM_Can_Berg")},
                   lines);

    QVector<QVariantList> receipts;
    for (int i = 0; i < r.receipts.size(); ++i)
        receipts.push_back(receiptRow(claimNo, i + 1, r.detail, r.receipts[i]));
    sql::insertInChunks(writes, QStringLiteral("T_Reciept"), receiptColumns(r.detail), receipts);
    audit::Trail(login)
        .add(audit::Op::ClaimSave, claimNo,
             QStringLiteral("%1 %2 เบิก %3 จ่าย %4").arg(kind.identity.typeCode, r.kvId, r.claimed.toPlain(), r.payable.toPlain()))
        .appendTo(db, writes);
    db.execBatch(writes);
    return claimNo;
}

} // namespace wel::claims
