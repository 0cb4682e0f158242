#pragma once
#include "common/Money.h"

#include <QString>
#include <QVector>

namespace wel {
class Database;
struct LoginContext;
} // namespace wel

namespace wel::claims {

// Other welfare payments ("OTH"): one payment of one welfare kind for an
// employee or one of his family, decided by the welfare fund's meeting and
// charged against no limit.
namespace OtherWelfare {

struct Choice {
    QString code;
    QString text; // as the choice box shows it
};
// The welfare kinds (TR_Heal_Type of group "O"): code, blank, description.
QVector<Choice> welfareKinds(Database& db);
// The beneficiaries (Tr_Folk): code, two blanks, name.
QVector<Choice> beneficiaries(Database& db);

struct Draft {
    QString kvId;
    QString claimDate;    // Date_berg
    QString kindCode;     // Health_In_Out_t: the welfare kind
    QString factCode;     // the faculty typed, written as the claim's Fact_Code
    QString beneficiary;  // Emp_Folk: "0" self ... "7"
    QString amountText;   // as typed
    QString docNo, docDate, matiNo, matiDate, detail;
};

// The amount of the draft: a valid amount above zero, else "กรุณาใส่จำนวนเงินด้วย".
Money amountOf(const Draft& d);

// Everything that refuses a payment before anything is written: the
// amount, the welfare kind, the faculty (which must exist in T_Fact) and
// the two approval dates (valid Buddhist-Era dates, or empty).
void validate(Database& db, const Draft& d);

// Saves the payment in one transaction: a claim number of the clerk's own
// faculty's series (whatever faculty it is entered for), the header with the
// approval data, one line and one receipt row for the beneficiary. Returns
// the claim number.
QString save(Database& db, const LoginContext& login, const Draft& d);

} // namespace OtherWelfare
} // namespace wel::claims
