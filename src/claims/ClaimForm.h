#pragma once
#include "ClaimKind.h"
#include "common/report/Report.h"

#include <QDateTime>

namespace wel {
class Database;
}

namespace wel::claims {

// The claim form ("ใบเบิก"): the claim's receipts and how it was charged
// against the yearly limit. Printed right after saving, and again from the
// reprint listing marked "Re-Print" with the date of printing.
enum class FormOccasion { AfterSave, Reprint };

// The layout with the kind's captions; the claim-dependent texts are set by
// claimForm().
ReportLayout claimFormLayout(const ClaimKind& kind);

// The four footer figures of a claim: the remaining limit before it (V), the
// amount claimed (S), what remains after it and what lies above the limit.
// Right type "3" prints "ไม่จำกัดวงเงิน" for the limits and nothing above them.
QStringList footerLines(Money before, Money claimed, bool unlimited);
// What a form of a claim charged nowhere prints for the limits.
inline const QString kNotChargedText = QStringLiteral("ไม่ตัดวงเงิน");

// The form of a stored claim, from its header as saved (so the figures are
// always those of this claim). Throws AppError for an unknown claim number
// and for a cancelled claim.
Report claimForm(Database& db, const QString& claimNo, FormOccasion occasion, const QDateTime& printedAt);

} // namespace wel::claims
