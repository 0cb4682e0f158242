#pragma once
#include "ClaimKind.h"
#include "common/DateFilter.h"
#include "common/Money.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace wel {
class Database;
struct LoginContext;
} // namespace wel

namespace wel::claims {

// A claim as the summary grids list it (the summary screen's open claims and
// the claims of a control number on the reprint screen).
struct SummaryRow {
    QString claimNo;
    QString dateBerg;
    Money payable;   // M_Can_Berg, the grid's amount
    Money claimed;   // T_M_Berg
    QString empId;
    QString name;    // title, given name, one blank, family name
    QString kvId;
    QString payYear;
};

// A control number as the summary reprint lists it.
struct ControlRow {
    QString controlNo;
    QString sentDate;
    QString status;
    QString factCode;
};

// A claim as the claim-form reprint lists it.
struct ReprintRow {
    QString claimNo;
    QString empId;
    QString name;    // title, given name, two blanks, family name
    Money payable;   // M_Can_Berg
    QString dateEnt;
};

namespace ClaimSummary {

// Open claims of the kind entered through the claim screens, of one faculty,
// charged year and patient type, by claim number.
QVector<SummaryRow> listOpen(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
                             const QString& payYear, const QString& inOut);

// Gathers the claims, in the order given, under a new control number of the
// faculty, in one transaction: every claim must still be open ("FC"), of the
// kind and of the faculty, otherwise nothing is written and the message says
// why; each moves to "KV" with a member row, and its stored payable amount is
// added to the finance-side usage of its yearly row. Returns the number.
// gridRows are the claims' row numbers in the summary grid (from 1), their
// Order_No where the kind numbers members so; without them, or for other
// kinds, members are numbered 1, 2, 3 in the order given.
QString send(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
             const QStringList& claimNos, const QVector<int>& gridRows = {});

inline const QString kNothingMarked = QStringLiteral("โปรดเลือกข้อมูลที่จะส่งด้วยครับ");
inline const QString kBadAmount = QStringLiteral("จำนวนเงินที่ส่งไม่ถูกต้อง");
inline const QString kAlreadySent =
    QStringLiteral("มีการสรุปส่งข้อมูลไปมหาวิทยาลัย บางส่วนแล้ว กรุณาคลิก ปุ่มแสดงผลใหม่ ");

} // namespace ClaimSummary

namespace ClaimListings {

// Claims of the kind's listed types filed under the faculty, entered on the
// day, month or year chosen (Date_Ent), except cancelled ones.
QVector<ReprintRow> claimsForReprint(Database& db, const LoginContext& login, const ClaimKind& kind,
                                     const QString& factField, const DateFilter& when);

// Control numbers of the kind's summary types sent by the faculty on the
// day, month or year chosen (Sent_Date), in every status.
QVector<ControlRow> controlNumbers(Database& db, const LoginContext& login, const ClaimKind& kind,
                                   const QString& factField, const DateFilter& when);

// The claims gathered under a control number, by claim number.
QVector<SummaryRow> claimsOfControl(Database& db, const QString& controlNo);

} // namespace ClaimListings
} // namespace wel::claims
