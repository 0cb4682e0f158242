#pragma once
#include "common/Money.h"

#include <QString>
#include <QVector>

namespace wel {
class Database;
}

namespace wel::bench {

class BareSql;

// A claim as the entry screen hands it to the save: the employee, the charged
// year, and the receipts in grid order. The type says which entry: "FAE"
// outpatient, "HPE" in-patient (both charged to the medical limit), "COP"
// co-pay (charged to the co-pay limit once the medical one is used up).
struct ClaimInput {
    QString kvId, fact, payYear, budYear, dateEnt, dateBerg, user, userType, inOut;
    QString typeCode = QStringLiteral("FAE");
    struct Receipt {
        QString folk, date, hospital, title, first, last, birthday;
        Money amount;
    };
    QVector<Receipt> receipts;
};

// What the limit rule makes of a claim, from the yearly row read inside the
// save's transaction: refused when nothing is left, otherwise the remaining
// limit before the claim, the payable amount, the new used amount and one
// line per patient, the excess taken from the patient of the last receipt.
struct ClaimCharge {
    bool refused = false;
    Money total, before, payable, used;
    struct Line {
        QString folk;
        Money amount, payable;
    };
    QVector<Line> lines;
};
ClaimCharge chargeClaim(const ClaimInput& in, Money limit, Money used, Money flexBenefit);

// The co-pay rule on the locked yearly row: refused for right type "1", when
// the medical limit is not used up or nothing of the co-pay limit is left;
// otherwise the payable amount is what is left at most.
struct CopayRow {
    QString hType;
    Money medicalLimit, medicalUsed, flexBenefit, limit, used;
};
ClaimCharge chargeCopayClaim(const ClaimInput& in, const CopayRow& row);

// The save written with the bare SQL it needs: lock and read the yearly row,
// write the used amount, take the number with UPDATE ... RETURNING, insert
// header, lines and receipts (one multi-row INSERT each), in one transaction.
QString saveClaimBare(BareSql& sql, const ClaimInput& in);

// The same save through the program's claim service, as the entry screen of
// the claim's type calls it: a faculty or hospital clerk's claim.
QString saveClaimProject(Database& db, const ClaimInput& in);

} // namespace wel::bench
