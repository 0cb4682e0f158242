#pragma once
#include "common/Money.h"

#include <QStringList>
#include <QVector>
#include <array>

namespace wel::reports {

// Count and amount per category column plus the "รวม" column, as the
// summaries show them in pairs.
struct PairTotals {
    static constexpr int kMaxCategories = 8;
    std::array<qint64, kMaxCategories + 1> counts{};
    std::array<Money, kMaxCategories + 1> amounts{};
    // category < 0: a record of no category, counted in the total only.
    void add(int category, int categories, qint64 count, Money amount);
    void add(const PairTotals& other);
};

// One aggregated record: its group keys from the outer level inwards, the
// category column it feeds, and its count and amount.
struct BreakInput {
    QStringList keys;
    int category = -1;
    qint64 count = 0;
    Money amount;
};

struct BreakRow {
    enum Kind { Group, Subtotal, Blank, GrandTotal };
    Kind kind = Group;
    int number = 0;   // running number of a group row
    QStringList keys; // of a group row; the outer key of a subtotal row
    PairTotals totals;
};

struct BreakOptions {
    int categories = 4;
    // A subtotal row after each outer group (records with two keys or more);
    // numbers then restart in every outer group.
    bool subtotals = false;
    // An empty row, then the grand total.
    bool grandTotal = true;
};

// The control break of the summaries: records come ordered by their keys;
// each change of the full key starts a group row, each change of the outer
// key closes it with a subtotal. Records of the same key are merged.
QVector<BreakRow> controlBreak(const QVector<BreakInput>& records, const BreakOptions& options);

} // namespace wel::reports
