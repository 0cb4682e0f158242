#include "ClaimWriter.h"
#include "common/Audit.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/SqlText.h"

namespace wel::claims {

namespace {

// At most this many rows go into one INSERT, which keeps every server below
// its limit of parameters per statement (SQL Server: 2,100).
constexpr int kRowsPerInsert = 100;

void insertInChunks(QVector<Database::Statement>& writes, const QString& table, const QStringList& columns,
                    const QVector<QVariantList>& rows)
{
    for (int first = 0; first < rows.size(); first += kRowsPerInsert)
        writes.push_back(sql::insertRows(table, columns, rows.mid(first, kRowsPerInsert)));
}

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
    const QVariantList header =
        QVariantList{claimNo, r.kvId, r.claimDate.trimmed(), r.claimed.toSql(), r.payable.toSql(), login.Cur_Date,
                     nowTimeText(db.serverNow()), QStringLiteral("FC"), r.payYear, r.inOut, r.factCode, kind.identity.typeCode,
                     login.Cur_Username}
        + r.extra;
    writes.push_back(sql::insertRows(QStringLiteral("T_PAY_Health"), headerColumns, {header}));

    QVector<QVariantList> lines;
    for (const StoredLine& l : r.lines)
        lines.push_back({claimNo, l.folk, r.kvId, r.inOut, l.claimed.toSql(), l.payable.toSql()});
    insertInChunks(writes, QStringLiteral("T_Pay_Health_Detail"),
                   {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("KV_ID"),
                    QStringLiteral("Health_In_Out_t"), QStringLiteral("M_Berg"), QStringLiteral("HM_Can_Berg")},
                   lines);

    QVector<QVariantList> receipts;
    for (int i = 0; i < r.receipts.size(); ++i)
        receipts.push_back(receiptRow(claimNo, i + 1, r.detail, r.receipts[i]));
    insertInChunks(writes, QStringLiteral("T_Reciept"), receiptColumns(r.detail), receipts);
    audit::Trail(login)
        .add(audit::Op::ClaimSave, claimNo,
             QStringLiteral("%1 %2 เบิก %3 จ่าย %4").arg(kind.identity.typeCode, r.kvId, r.claimed.toPlain(), r.payable.toPlain()))
        .appendTo(db, writes);
    db.execBatch(writes);
    return claimNo;
}

} // namespace wel::claims
