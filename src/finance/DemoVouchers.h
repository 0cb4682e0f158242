#pragma once

namespace wel {
class Database;
}

namespace wel::finance {

// Voucher summaries over the open control numbers the demonstration has, of
// whatever kinds: one in force, one with its document numbers and one
// cancelled (its control numbers open again); each faculty keeps at least one
// control number open for the summary and cancellation screens. Only when the
// database has no voucher summary yet.
void loadDemoVouchers(Database& db);

} // namespace wel::finance
