#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

namespace wel {
class Database;
} // namespace wel

namespace wel::check {

// One thing the stored data says that its own history does not bear out.
struct Difference {
    QString rule;       // short name of the broken rule, e.g. "usage", "claim-in-two-controls"
    QString text;       // what is wrong, in one line
    QStringList rows;   // the rows involved, each "table key=value ..."
};

struct Report {
    QVector<Difference> differences;
    // How much was read, for the closing line.
    int claims = 0, controls = 0, vouchers = 0, yearRows = 0;
    bool consistent() const { return differences.isEmpty(); }
    // How many differences broke each rule.
    int count(const QString& rule) const;
};

// Reads the claims, their lines and receipts, the control numbers, the
// voucher summaries, the yearly rows and the running-number rows, and tells
// every place where they disagree:
//  - each yearly used amount recomputed from the claims that charge it (the
//    claim kinds' limit rules name the columns: what a saved claim raises,
//    what a summary raises);
//  - a claim in "KV" under exactly one control number in force, any other
//    claim under none; a control number in "P" in exactly one voucher
//    summary in force, any other in none; members of the right kind and faculty;
//  - the lines and the receipts of a claim adding up to its header, and
//    no claim paying more than it claims;
//  - no used amount above its limit (less the flexible benefit) where a
//    claim kind's limit rule charges it;
//  - the counts and amounts of a voucher summary in force agreeing with the
//    claims of its control numbers;
//  - one active employee per staff number and per identity number;
//  - no claim, control, voucher or employee number twice;
//  - every running-number row ahead of the numbers taken from it;
//  - every claim, control number and voucher summary with the audit row of
//    its making.
// Only reads, inside one read transaction so that a busy database is seen
// as of one moment. The database joins and adds up; rows pass one at a time
// and only differences are kept, so memory does not grow with the data.
Report run(Database& db);

// The report as printed by "welmora-admin check": one block per difference,
// then a closing line.
QString format(const Report& report);

} // namespace wel::check
