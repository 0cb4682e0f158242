#pragma once
#include "ClaimKind.h"
#include "common/db/Database.h"

#include <QStringList>
#include <QVector>

namespace wel {
struct LoginContext;
}

namespace wel::claims {

// What a claim of a kind without receipts grid (other welfare, education)
// writes, column by column; the claim number goes first in every row.
struct ClaimRecord {
    QString numberFaculty;                // whose series the number comes from
    QStringList headerColumns;            // T_PAY_Health
    QVariantList header;
    QStringList lineColumns;              // T_Pay_Health_Detail
    QVector<QVariantList> lines;
    QStringList receiptColumns;           // T_Reciept
    QVector<QVariantList> receipts;
};

// Takes the next claim number of the faculty's series (the kind says what a
// missing series row means) and writes header, lines and receipts, inside
// the caller's transaction. Returns the claim number.
QString writeClaim(Database& db, const LoginContext& login, const ClaimKind& kind, const ClaimRecord& record);

// The header columns every claim carries after its number: Berg_Doc_ID,
// KV_ID, Date_berg, T_M_Berg, M_Can_Berg, Date_Ent, Time_Ent,
// Berg_Doc_Status, Pay_Year, Health_In_Out_t, Fact_Code, Berg_Type_Code,
// Ent_User; the values in that order for an open claim of the kind.
QStringList basicHeaderColumns();
QVariantList basicHeader(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& kvId,
                         const QString& claimDate, Money amount, const QString& payYear, const QString& inOut,
                         const QString& factCode);

} // namespace wel::claims
