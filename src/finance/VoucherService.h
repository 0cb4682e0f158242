#pragma once
#include "Period.h"
#include "common/Money.h"

#include <QMap>
#include <QStringList>
#include <QVector>

namespace wel {
class Database;
struct LoginContext;
} // namespace wel

namespace wel::finance {

inline const QString kNotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");
inline const QString kSelectData = QStringLiteral("กรุณาเลือกข้อมูลด้วย");
inline const QString kConfirmVoucher = QStringLiteral("ยืนยันการสรุปข้อมูลเพื่อทำใบสำคัญจ่าย ");
// Another workstation summarised or cancelled a chosen control number first.
inline const QString kListAgain = QStringLiteral(
    "เลขที่ควบคุมใบเบิก %1 ถูกนำไปสรุปหรือยกเลิกแล้ว ระบบไม่ได้บันทึกข้อมูลใด ๆ\rกรุณากดปุ่มแสดงผลใหม่");
// A voucher has five other-welfare description slots.
inline const QString kTooManyOtherKinds = QStringLiteral(
    "ใบสำคัญจ่ายหนึ่งฉบับมีสวัสดิการอื่น ๆ ได้ไม่เกิน 5 ประเภท ระบบไม่ได้บันทึกข้อมูลใด ๆ\r"
    "กรุณาแยกเลือกเลขที่ควบคุมใบเบิกเป็นหลายใบสำคัญจ่าย");

// An open control number ("A") as the voucher and cancellation lists show it.
struct ControlRow {
    QString controlNo;
    QString factCode;
    QString factName;
    QString docType;  // Sent_Doc_Type as stored
    QString sentDate;
    QString sentTime;
    Money amount;     // the claims' M_Can_Berg added up
};

// A voucher summary in force as the reprint and cancellation lists show it.
struct VoucherRow {
    QString pvrNo;
    QString sentDate;
};

// One control number of a voucher and one voucher category of its claims.
struct VoucherMember {
    QString controlNo;
    int orderNo = 0;
    QString category; // Health_Other_Code: "0", "1", "E", "O" or empty
    QString factCode; // of the control number
    QString sentDate; // of the control number
    Money amount;
};

// Claims under a control number, as the voucher adds them up: one claim, or
// a group of claims of one patient type already added up by the server.
struct VoucherClaim {
    QString inOut;     // Health_In_Out_t
    QString category;  // Health_Other_Code, empty without a TR_Heal_Type row
    QString kindText;  // Health_Desc
    Money amount;      // M_Can_Berg, of all the claims
    int count = 1;     // claims
};

// The per-category figures of T_PV.
struct VoucherTally {
    int eduCount = 0, inCount = 0, outCount = 0, othCount = 0;
    Money edu, in, out, oth;
    QStringList othDetails; // one per other-welfare kind, by Health_In_Out_t
};

// Labels of a control number's type: in the voucher selection grid, and in
// the cancellation list (which names fewer types).
QString voucherTypeLabel(const QString& sentDocType);
QString cancelTypeLabel(const QString& sentDocType);
// Label of a voucher category in the member grids.
QString categoryLabel(const QString& category);

// The faculty a voucher is made for: the clerk's own outside mode "KV", the
// typed code in it; upper-cased either way.
QString voucherFaculty(const LoginContext& login, const QString& factField);

namespace Vouchers {

// Open control numbers of one faculty (all faculties for an empty code) sent
// in the period, by number.
QVector<ControlRow> listOpenControls(Database& db, const QString& factCode, const Period& period);

// Every claim of every category counts, whatever the mix under one control number.
VoucherTally tally(const QVector<VoucherClaim>& claims);

// Gathers the control numbers, in the order given, into a new voucher
// summary of the faculty, in one transaction: the number, the T_PV row with
// its figures, one T_PV_Detail row per control number, and each control
// number from "A" to "P". A control number that is no longer open, or not the
// faculty's, stops it with nothing written. Returns the PVR_NO.
QString make(Database& db, const LoginContext& login, const QString& factField, const QStringList& controlNos,
             const QString& payee);

// Voucher summaries in force of a faculty made in the period, by number.
QVector<VoucherRow> listInForce(Database& db, const QString& factCode, const Period& period);
// The first faculty (by code) with a voucher summary in force made in the
// period; "" when no faculty has one.
QString firstFacultyInForce(Database& db, const Period& period);

// The control numbers of a voucher, one row per control number and category, by order.
QVector<VoucherMember> members(Database& db, const QString& pvrNo);

} // namespace Vouchers
} // namespace wel::finance
