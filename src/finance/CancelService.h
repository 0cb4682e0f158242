#pragma once
#include "common/Money.h"

#include <QString>
#include <QVector>

namespace wel {
class Database;
} // namespace wel

namespace wel {
struct LoginContext;
}

namespace wel::finance {

inline const QString kConfirmCancelControl = QStringLiteral("ยืนยันการยกเลิกเลขที่ใบควบคุมใบเบิก : ");
inline const QString kConfirmCancelVoucher = QStringLiteral("ยืนยันการยกเลิกเลขที่ใบสำคัญจ่าย(PVR) : ");
QString controlCancelledText(const QString& controlNo);
QString voucherCancelledText(const QString& pvrNo);

inline const QString kControlInVoucher = QStringLiteral(
    "เลขที่ควบคุมใบเบิก %1 อยู่ในใบสำคัญจ่ายแล้ว ไม่สามารถยกเลิกได้\rกรุณายกเลิกใบสำคัญจ่ายก่อน แล้วกดปุ่มแสดงผลใหม่");
inline const QString kControlGone =
    QStringLiteral("เลขที่ควบคุมใบเบิก %1 ถูกยกเลิกไปแล้ว ระบบไม่ได้บันทึกข้อมูลใด ๆ\rกรุณากดปุ่มแสดงผลใหม่");
inline const QString kClaimNotSent = QStringLiteral(
    "ใบเบิกเลขที่ %1 ไม่อยู่ในสถานะส่งมหาวิทยาลัย (KV) ระบบไม่ได้บันทึกข้อมูลใด ๆ\rกรุณาแจ้งผู้ดูแลระบบ");
inline const QString kVoucherGone =
    QStringLiteral("ใบสำคัญจ่ายเลขที่ %1 ถูกยกเลิกไปแล้ว ระบบไม่ได้บันทึกข้อมูลใด ๆ\rกรุณากดปุ่มแสดงผลใหม่");

// A claim of a control number as its cancellation panel lists it.
struct ControlClaim {
    QString claimNo;
    QString dateBerg;
    Money payable;  // M_Can_Berg
    QString empId;
    QString name;   // title joined to the given name, a blank, family name
    QString kvId;
    QString payYear;
};

// What the hand-over of a claim added to the finance side of its yearly row,
// and so what cancelling its control number gives back: as its kind's
// summary raised it, the claimed or the payable amount to the kind's
// finance-side column. Kinds charged nowhere, and types no kind writes,
// touch no yearly row (empty column).
struct UsageGiveBack {
    QString column;
    Money amount;
};
UsageGiveBack giveBackFor(const QString& bergTypeCode, Money payable, Money claimed);

namespace ControlCancel {

// The claims of a control number, by claim number.
QVector<ControlClaim> claims(Database& db, const QString& controlNo);

// In one transaction: the control number from "A" to "C", each of its claims
// from "KV" back to "FC", and the finance-side usage given back. A control
// number no longer open (in a voucher, or cancelled) stops it with nothing written.
void cancel(Database& db, const LoginContext& login, const QString& controlNo);

} // namespace ControlCancel

namespace VoucherCancel {

// In one transaction: the voucher summary from "A" to "C" and each of its
// control numbers still in "P" back to "A". Returns how many went back.
int cancel(Database& db, const LoginContext& login, const QString& pvrNo);

} // namespace VoucherCancel
} // namespace wel::finance
