#pragma once
#include "ClaimKind.h"
#include "common/Money.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>
#include <utility>

namespace wel {
class Database;
struct LoginContext;
struct RightTypeLimit;
} // namespace wel

namespace wel::claims {

// One receipt of a claim as the entry screen's grid holds it.
struct ClaimReceipt {
    int folk = 0;          // patient code, Emp_Folk
    QString dateDoc;       // receipt date "dd/mm/yyyy" (Buddhist Era)
    Money amount;          // may be negative (a correction)
    QString hospital;
    QString title, given, family, birthday; // the patient as T_Emp_Folk holds him
};

// What a clerk has put together for one claim, before it is saved.
struct ClaimDraft {
    QString kvId;
    QString payYear;       // budget year whose limit is charged
    QString claimDate;     // Date_berg, "dd/mm/yyyy"
    QString inOut;         // Health_In_Out_t: "0" outpatient, "1" in-patient
    QString factCode;      // faculty of the list the employee was picked from (mode "KV")
    QVector<ClaimReceipt> receipts; // in grid order; the last one's patient bears the excess
};

// One claim line: a patient and his amounts.
struct ClaimLine {
    int folk = 0;
    Money claimed;         // M_Berg
    Money payable;         // HM_Can_Berg
};

struct SavedClaim {
    QString claimNo;
    Money total;           // S, T_M_Berg
    Money before;          // V, Vong_M_Befor
    Money payable;         // P, M_Can_Berg
    Money excess;          // X = S - P
    QVector<ClaimLine> lines;
};

// The yearly row's figures a medical claim is charged against.
struct YearFigures {
    Money limit;           // H
    Money used;            // U
    Money flex;            // F
};

// The outcome of charging a claim of total S against a yearly row.
struct Charge {
    Money before;          // V
    Money payable;         // P
    Money excess;          // X
    Money newUsed;         // the yearly row's used amount afterwards
};

// The medical rule on an existing row: V = H - U - F, and a claim above V
// pays V and raises U to H - F. A row the gate let through with nothing left
// (U + F >= H, U < H: the hospital's claim) pays 0 and leaves U as it is.
Charge chargeMedical(const YearFigures& row, Money total);
// The medical rule for an employee without a row: the right type's limit
// stands for V, and the new row's used amount is what is payable.
Charge chargeNewRow(const RightTypeLimit& limit, Money total);

// The employee's yearly row of the charged year as every gate and charge
// reads it, with his right type.
struct GateFigures {
    QString hType;         // read only where a gate or a new row needs it
    bool hasRow = false;
    YearFigures medical;   // H, U, F of the medical limit
    Money limit;           // T, Fact_T_Copay
    Money used;            // Fact_U_Copay
};
using CopayFigures = GateFigures;

// The kind's gate (LimitGate) on the figures: the message of its refusal,
// "" when the employee may claim. The entry, the save (on the locked row)
// and the stress run ask this one function.
QString claimGate(const ClaimKind& kind, const GateFigures& figures, bool saving, const QString& payYear);
// The message of the first co-pay gate the employee does not pass, "" when
// he may claim: not right type "1", a yearly row, the medical limit used up
// (U + F >= H) and co-pay left (used < T). The same gates open the entry and
// save, with the messages of each.
QString copayGate(const CopayGateTexts& texts, const CopayFigures& figures, bool saving);
// The co-pay rule for an employee the gates admitted: V = T - U, a claim
// above V pays V, and the co-pay used amount is raised by what is payable.
Charge chargeCopay(Money limit, Money used, Money total);

// Lines of a claim: one per patient with receipts, in code order, each with
// the sum of his receipts. The excess is taken from the line of the patient
// of the last receipt down to zero, then from the patients of the earlier
// receipts in reverse order: every line stays between 0 and its claimed
// amount, and the lines add up to the payable amount.
QVector<ClaimLine> linesOf(const QVector<ClaimReceipt>& receipts, Money excess);

// The year row's figures the above-limit gate looks at.
struct UsedUpFigures {
    Money limit, used, flex;     // H, U, F
    Money copayLimit, copayUsed; // Fact_T_Copay, Fact_U_Copay
};
// Claims above the limit are taken only when the year's medical limit is used
// in full (U + F = H) and so is the co-pay limit; otherwise, or without a
// year row, refused with the message that says which and by how much.
void checkLimitUsedUp(const std::optional<UsedUpFigures>& row, const QString& payYear);
QString limitUsedUpRefusal(const std::optional<UsedUpFigures>& row, const QString& payYear);
// The education allowance's refusal of an employee without the right, "" when he has it.
QString educationRightRefusal(const GateFigures& figures);

namespace ClaimEntry {

// The budget years a claim may be charged to (TR_Select_Year_Bud), in order.
QStringList budgetYears(Database& db);

// Opening the entry panel for an employee and a charged year: refused with
// the kind's message when the year's limit is used up. Returns the yearly
// row's flexible benefit (0 without a row).
Money openEntry(Database& db, const ClaimKind& kind, const QString& kvId, const QString& payYear);

struct RemainingLimit {
    bool hasRow = false;
    Money entitled, flex, used, remaining;
};
// The figures of the remaining-limit panel; without a row the right type's
// entitlement with nothing used. Throws "ไม่จำกัดวงเงิน" when the row holds
// the unlimited amount, or without a row for an unlimited right type; a
// finite row shows its figures whatever the right type is now.
RemainingLimit remainingLimit(Database& db, const ClaimKind& kind, const QString& kvId, const QString& payYear,
                              const QString& hType);

// The patient of a receipt. A family member without a T_Emp_Folk row is
// refused with the missing-family message; the employee himself gets his own
// row, made from his names, the first time he is a patient.
struct Patient {
    QString title, given, family, birthday;
    QString displayName;   // as the receipts grid shows him
};
struct EmployeeNames {
    QString title, given, family;
};
Patient findPatient(Database& db, const QString& kvId, int code, const EmployeeNames& employee);

// Receipts of a claim charged to budget year payYear must lie in it:
// 1 October of the year before to 30 September (Gregorian dates).
std::pair<QDate, QDate> receiptRange(const QString& payYear);
// The one-year rule: the receipt date plus one year and one day must not be
// earlier than the claim date; otherwise the Thai message naming both dates.
// A receipt dated after the claim date (today's) is refused as well.
void checkReceiptAge(const QDate& receipt, const QDate& claim);

// The rules of a receipt of a claim charged to payYear: dated within that
// budget year and not more than a year and a day before the claim date.
// The entry screen asks them when a receipt is added, the save again.
void checkReceipt(const QString& payYear, const QDate& receipt, const QDate& claim);

// The checks of saving, in the order the clerk meets them.
void validate(const ClaimKind& kind, const ClaimDraft& draft);

// Saves a claim in one transaction: the employee's yearly row is locked and
// the limit applied to the values read there, the claim number is taken
// from the faculty's series, and header, lines and receipts are written.
// Six round trips on a server, however many receipts the claim has.
SavedClaim save(Database& db, const LoginContext& login, const ClaimKind& kind, const ClaimDraft& draft);

} // namespace ClaimEntry
} // namespace wel::claims
