#pragma once
#include "Money.h"

#include <QString>

namespace wel {

// The yearly limits an employee's medical right type (Emp_H_Type) entitles
// him to, and the texts the screens and documents show for them. This is the
// one place these amounts are written down: the claim screens, the personnel
// screens, the yearly generation and the demo data all read them from here.
struct RightTypeLimit {
    QString hType;          // "1", "2", "3"
    Money medical;          // Fact_T_H_Money and KV_T_H_Money of a new yearly row
    Money copay;            // Fact_T_Copay and Kv_T_Copay of a new yearly row
    bool unlimited = false; // type "3": the medical amount only stands for "no limit"
    QString entryText;      // the entry screen's field "สิทธิ": "200,000.00", "20,000.00", "0"
    QString formText;       // claim forms: "200,000.00", "20,000.00", "ไม่จำกัดวงเงิน"
    QString listText;       // grids and personnel screens: "200,000", "20,000", "ไม่จำกัดวงเงิน"
};

inline const QString kNoLimitText = QStringLiteral("ไม่จำกัดวงเงิน");

// The row of a right type; nullptr for any type other than "1", "2" or "3".
const RightTypeLimit* rightTypeLimit(const QString& hType);

// The row the older screens show: they tell only type "1" from the rest, and
// show every other value (type "3" included) as type "2".
const RightTypeLimit& typeOneOrTwo(const QString& hType);

// The row of a known type, type "2"'s for any other value.
const RightTypeLimit& knownOrTypeTwo(const QString& hType);

// Type "2": the one right type with a co-pay limit, whose amount also stands
// for an employee who has no yearly row yet.
const RightTypeLimit& typeTwo();

// An amount in whole baht as the lists show limits: "25,000".
QString wholeBahtText(Money amount);

// Whether a yearly row's limit is the amount that stands for "no limit". A
// row keeps the limit it was made with: an employee whose right type became
// "3" afterwards still has a finite row for that year.
bool isUnlimitedAmount(Money limit);

} // namespace wel
