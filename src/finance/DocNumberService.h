#pragma once
#include "common/Money.h"

#include <QString>
#include <QVector>

namespace wel {
class Database;
struct LoginContext;
} // namespace wel

namespace wel::finance {

inline const QString kChooseProperRow = QStringLiteral("กรุณาเลือกข้อมูลให้ถูกต้อง");
inline const QString kNeedSubUnitNo = QStringLiteral("กรุณาใส่เลขที่หน่วยงานย่อยด้วย");
inline const QString kNeedFinanceNo = QStringLiteral("กรุณาใส่เลขที่กองคลังด้วย");
inline const QString kNeedPaymentNo = QStringLiteral("กรุณาใส่เลขที่จ่าย (PV) ด้วย");
inline const QString kConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
// A date typed in part, or one the calendar does not have.
inline const QString kBadDate = QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง (วัน/เดือน/ปี พ.ศ.)");
QString voucherNotFoundText(const QString& pvrNo);

// A voucher summary with its document numbers and stored figures.
struct VoucherDocs {
    QString pvrNo;
    QString sentDate;
    QString status;
    QString factCode;
    QString factName;   // of the summary's own faculty
    QString subUnitNo;  // Dep_Sub_Doc_No
    QString financeNo;  // FN_Doc_No
    QString financeDate; // FN_Doc_Date
    QString paymentNo;  // PV_Doc_No
    QString paymentDate; // PV_date
    int eduCount = 0, outCount = 0, inCount = 0, othCount = 0;
    Money edu, out, in, oth;
    Money total() const { return edu + out + in + oth; }
};

// Which voucher summaries of a faculty the document-number screens list.
struct DocFilter {
    enum Kind { All, SentMonth, SentYear, SubUnitNo, FinanceNo, PvrPrefix };
    Kind kind = All;
    QString value;
};

namespace DocNumbers {

// Summaries of every status, by number.
QVector<VoucherDocs> list(Database& db, const QString& factCode, const DocFilter& filter);
// The first faculty (by code) with a summary of any status; "" when there is none.
QString firstFaculty(Database& db);
// Throws AppError "ไม่พบข้อมูลที่เลือก ==>" + number + "<==" when there is none.
VoucherDocs read(Database& db, const QString& pvrNo);

// Each write one statement on one summary; the numbers are free text. A date
// may be left empty; one typed must be a calendar date "dd/mm/yyyy". Empty
// required numbers stop with the system's message.
void saveSubUnit(Database& db, const LoginContext& login, const QString& pvrNo, const QString& subUnitNo, const QString& financeNo,
                 const QString& financeDate);
void checkSubUnit(const QString& subUnitNo, const QString& financeNo, const QString& financeDate);
void savePayment(Database& db, const LoginContext& login, const QString& pvrNo, const QString& paymentNo, const QString& paymentDate);
void checkPayment(const QString& paymentNo, const QString& paymentDate);

} // namespace DocNumbers
} // namespace wel::finance
