#pragma once
#include "ClaimKind.h"
#include "common/Money.h"
#include "common/db/Database.h"

#include <QStringList>
#include <QVector>

namespace wel {
struct LoginContext;
}

namespace wel::claims {

// One claim line as stored: a patient (or a child, or the beneficiary of
// other welfare) and his amounts.
struct StoredLine {
    QString folk;          // Emp_Folk
    Money claimed;         // M_Berg
    Money payable;         // HM_Can_Berg
};

// What a receipt row holds beside its patient and amount: the hospital of a
// medical receipt, or the schooling of a tuition line.
enum class ReceiptDetail { Hospital, Tuition };

struct StoredReceipt {
    QString folk;          // Emp_Folk
    QString dateDoc;       // Date_Doc
    Money amount;          // P_money
    QString title, given, family, birthday; // EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday
    QString hospital;      // Hospital_Name (ReceiptDetail::Hospital)
    QString eduType, eduLevel, eduTerm, eduYear, school; // Edu_*, School_Name (ReceiptDetail::Tuition)
};

// A claim of any kind as it is written: header, lines and receipts.
struct ClaimRecord {
    QString kvId;
    QString claimDate;     // Date_berg
    QString payYear;       // Pay_Year
    QString inOut;         // Health_In_Out_t (other welfare: the welfare kind's code)
    QString factCode;      // Fact_Code the claim is filed under
    Money claimed;         // T_M_Berg
    Money payable;         // M_Can_Berg
    // Header columns of the kind's own, after the ones every claim carries.
    QStringList extraColumns;
    QVariantList extra;
    QVector<StoredLine> lines;
    ReceiptDetail detail = ReceiptDetail::Hospital;
    QVector<StoredReceipt> receipts;   // Order_Doc 1, 2, 3 ... in this order
};

// Takes the next claim number from the kind's series (the kind says whose
// series, and what a missing series row means) and writes the claim, inside
// the caller's transaction, in one batch after the statements given (the
// charge of a yearly row). Returns the claim number.
QString writeClaim(Database& db, const LoginContext& login, const ClaimKind& kind, const ClaimRecord& record,
                   QVector<Database::Statement> before = {});

} // namespace wel::claims
