#pragma once
#include <QStringList>

namespace wel {
class Database;

// welmora-admin commands that work on this database as it stands, with
// numbers it really holds: a printable claim form and summary document, a
// voucher in force and a cancelled one, an employee's limit statement and
// the claim register of a month with claims. The demo's numbers depend on
// the day it was made, so init --demo shows these rather than the README
// promising numbers. Only reads; a kind of document the database lacks is
// left out.
QStringList demoExamples(Database& db);

} // namespace wel
