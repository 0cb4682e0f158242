#pragma once
#include "ClaimKind.h"
#include "common/report/Report.h"

#include <QDateTime>
#include <optional>

namespace wel {
class Database;
}

namespace wel::claims {

// The summary document of a control number ("สรุปใบเบิก"): its claims with
// their patients and payable amounts, the grand total and the faculty's
// certification. One layout for the medical family of claims.
ReportLayout summaryDocumentLayout();
// The layout of a kind's control numbers: other welfare and education list
// the claimed amounts with their own title and certification.
ReportLayout summaryDocumentLayout(const ClaimKind& kind);

// The document of a stored control number. Right after a summary the title
// follows the patient type that was summarised (inOut "0" or "1"); on a
// reprint (nullopt) it follows the first claim's patient type. The titles
// are those of the kind that summarised (titledAs), or else of the kind of
// the control number's type. Throws AppError for an unknown control number.
Report summaryDocument(Database& db, const QString& controlNo, const std::optional<QString>& inOut,
                       const QDateTime& printedAt, const ClaimKind* titledAs = nullptr);

} // namespace wel::claims
