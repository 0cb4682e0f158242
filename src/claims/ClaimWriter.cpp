#include "ClaimWriter.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/SqlText.h"

namespace wel::claims {

namespace {

QVector<QVariantList> numbered(const QString& claimNo, const QVector<QVariantList>& rows)
{
    QVector<QVariantList> out;
    for (const QVariantList& r : rows)
        out.push_back(QVariantList{claimNo} + r);
    return out;
}

QStringList withNumber(const QStringList& columns) { return QStringList{QStringLiteral("Berg_Doc_ID")} + columns; }

} // namespace

QString writeClaim(Database& db, const LoginContext& login, const ClaimKind& kind, const ClaimRecord& r)
{
    const QString claimNo =
        RunningNumbers::takeClaimNumber(db, r.numberFaculty, login.Cur_Bud_Year, kind.numberWhenMissing);
    QVector<Database::Statement> writes;
    writes.push_back(sql::insertRows(QStringLiteral("T_PAY_Health"), withNumber(r.headerColumns),
                                     numbered(claimNo, {r.header})));
    if (!r.lines.isEmpty())
        writes.push_back(sql::insertRows(QStringLiteral("T_Pay_Health_Detail"), withNumber(r.lineColumns),
                                         numbered(claimNo, r.lines)));
    if (!r.receipts.isEmpty())
        writes.push_back(sql::insertRows(QStringLiteral("T_Reciept"), withNumber(r.receiptColumns),
                                         numbered(claimNo, r.receipts)));
    db.execBatch(writes);
    return claimNo;
}

QStringList basicHeaderColumns()
{
    return {QStringLiteral("KV_ID"),          QStringLiteral("Date_berg"),       QStringLiteral("T_M_Berg"),
            QStringLiteral("M_Can_Berg"),     QStringLiteral("Date_Ent"),        QStringLiteral("Time_Ent"),
            QStringLiteral("Berg_Doc_Status"), QStringLiteral("Pay_Year"),       QStringLiteral("Health_In_Out_t"),
            QStringLiteral("Fact_Code"),      QStringLiteral("Berg_Type_Code"), QStringLiteral("Ent_User")};
}

QVariantList basicHeader(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& kvId,
                         const QString& claimDate, Money amount, const QString& payYear, const QString& inOut,
                         const QString& factCode)
{
    return {kvId,      claimDate.trimmed(), amount.toSql(), amount.toSql(), login.Cur_Date,
            nowTimeText(db.serverNow()), QStringLiteral("FC"), payYear, inOut, factCode, kind.typeCode,
            login.Cur_Username};
}

} // namespace wel::claims
