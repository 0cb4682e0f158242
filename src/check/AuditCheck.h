#pragma once
#include "IntegrityCheck.h"

namespace wel::check {

// Every claim, control number and voucher summary has the audit row of the
// operation that made it (or the row that marks it as older than the
// trail): a document without one was written past the program's services.
QVector<Difference> documentsWithoutTheirMaking(Database& db);

} // namespace wel::check
