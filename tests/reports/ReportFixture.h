#pragma once
#include "TestDb.h"

#include "common/LoginContext.h"

namespace wel::test {

// Claims of every kind and state, control numbers in each status and two
// voucher summaries, written directly into the tables, so that the reports
// are checked against figures worked out by hand:
//   SC: สมชาย (000123, type 1), สมศรี (000456, type 2); EN: ประยุทธ (000789,
//   no type), มานี (000555, type 3); วิชัย (000999, EN) has left.
//   Claims: FAE/HPE/COP/OVM(cancelled)/EDU/OTH and one of an unknown kind,
//   entered in 11/2550, 01/2551, 11/2551, 12/2551 and 01/2552.
void loadReportFixture(Database& db);

// The finance division's clerk on 20/01/2551.
LoginContext fixtureLogin(const QString& mode = QStringLiteral("KV"));

} // namespace wel::test
