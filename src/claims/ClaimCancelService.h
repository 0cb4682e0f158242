#pragma once
#include "ClaimKind.h"
#include "common/Money.h"

#include <QString>
#include <QVector>

namespace wel {
class Database;
struct LoginContext;
} // namespace wel

namespace wel::claims {

// An open claim as the cancellation grid lists it.
struct OpenClaimRow {
    QString claimNo;
    QString name;      // title, given name, one blank, family name
    QString dateBerg;
    Money claimed;     // T_M_Berg
    QString empId, ssn, kvId, hType;
    QString kindDesc;  // Health_Desc of the claim's kind (other welfare)
};

// The claim panel of the cancellation screen.
struct OpenClaim {
    QString claimNo, kvId, dateBerg, payYear;
    Money payable;     // M_Can_Berg, what cancelling gives back
    struct Line {
        int folk = 0;
        QString inOut;
        Money claimed;
    };
    QVector<Line> lines; // in patient order
    QString kindCode, kindDesc; // Health_In_Out_t and its Health_Desc
};

enum class ClaimSearchBy { ClaimNo, Name, EmpId };

namespace ClaimCancel {

// Open ("FC") claims of the kind filed under the faculty whose claim number,
// given name or staff number begins with text (empty matches all).
QVector<OpenClaimRow> search(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
                             ClaimSearchBy by, const QString& text);

// The claim with its lines; "ไม่พบข้อมูลที่ต้องการ" when it is no longer open.
OpenClaim load(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
               const QString& claimNo);

// Cancels an open claim: status "NO" only if it is still "FC", and its stored
// payable amount given back to the used amount of its yearly row, in one
// transaction. "ไม่พบข้อมูลที่ต้องการ" when another workstation cancelled or
// summarised it meanwhile; nothing is written then.
void cancel(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
            const QString& claimNo);

QString confirmText(const QString& claimNo);  // "ยืนยันการบันทึก การยกเลิกใบเบิก เลขที่ ((...))"
QString doneText(const QString& claimNo);     // "ทำการยกเลิกใบเบิกเลขที่ ...  เรียบร้อยแล้วครับ"

} // namespace ClaimCancel
} // namespace wel::claims
