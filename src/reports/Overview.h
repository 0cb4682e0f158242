#pragma once
#include "common/Money.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

namespace wel {
class Database;
struct LoginContext;
} // namespace wel

namespace wel::reports {

// The management overview of a budget year (October to September), read
// from the same rows as the reports: claims are counted by their entry
// month as the claims-by-month report counts them, limits from the yearly
// rows. A faculty is the employee's current faculty, as in the report by
// month and faculty.

struct OverviewScope {
    QString year;    // budget year, Buddhist Era
    QString faculty; // "" for every faculty
};

// The scope a clerk may see: in mode "FC" his own faculty whatever he chose.
// Throws the clerk's message for a year that is not four digits.
OverviewScope overviewScope(const LoginContext& login, const QString& year, const QString& chosenFaculty);

constexpr int kBudgetMonths = 12;

// Payable amounts of the claims not cancelled, month by month from October.
struct MonthlyClaims {
    struct Kind {
        QString name;
        std::array<Money, kBudgetMonths> months{};
        Money total() const;
    };
    QStringList monthLabels;   // "ต.ค. 68" ... "ก.ย. 69"
    QStringList monthKeys;     // "10/2568" ... "09/2569", as Date_Ent holds them
    QVector<Kind> kinds;       // every kind of claimKinds(), then claims of a type none of them has
    Money monthTotal(int month) const;
    Money total() const;
};

// The medical limit of a faculty's active employees with a yearly row.
struct FacultyLimit {
    QString code;
    QString name;
    int employees = 0;
    Money limit;   // Fact_T_H_Money
    Money used;    // Fact_T_U_H
    Money flex;    // M_Flexben, taken out of the limit
    // Share of the limit gone (used and flexible benefit), 0..1 and beyond.
    double shareUsed() const;
};

// Employees by how much of their medical limit is gone, by right type.
struct LimitProgress {
    static constexpr int kBands = 5; // 0-25 %, 25-50 %, 50-75 %, 75-100 %, used up
    static const QStringList& bandLabels();
    static const QStringList& typeLabels(); // right types "1", "2", and "3" with any other
    std::array<std::array<int, kBands>, 3> counts{}; // [type][band]
    int total() const;
};

// Where the payable money of the year's claims stands.
struct MoneyChain {
    Money open;      // claims at the faculty ("FC")
    Money sent;      // under a control number in force, not yet in a voucher
    Money paid;      // under a control number gathered into a voucher ("P")
    Money cancelled; // claims cancelled ("NO")
    static const QStringList& labels();
    QVector<Money> parts() const { return {open, sent, paid, cancelled}; }
    Money total() const { return open + sent + paid + cancelled; }
};

struct HospitalAmount {
    QString name;
    Money amount; // receipts' claimed amounts
};

struct Overview {
    OverviewScope scope;
    QString facultyName; // of scope.faculty
    MonthlyClaims months;
    QVector<FacultyLimit> faculties; // by share used, the largest first
    LimitProgress progress;
    MoneyChain chain;
    QVector<HospitalAmount> hospitals; // the ten largest, the largest first
};

constexpr int kTopHospitals = 10;

MonthlyClaims claimsPerMonth(Database& db, const OverviewScope& scope);
QVector<FacultyLimit> limitsByFaculty(Database& db, const OverviewScope& scope);
LimitProgress limitProgress(Database& db, const OverviewScope& scope);
MoneyChain moneyChain(Database& db, const OverviewScope& scope);
QVector<HospitalAmount> topHospitals(Database& db, const OverviewScope& scope);

// Every figure of the overview, read in one transaction so that the charts
// agree with each other.
Overview readOverview(Database& db, const OverviewScope& scope);

// "ทุกคณะ" or "SC  คณะวิทยาศาสตร์", as the overview's headings name its scope.
QString scopeText(const Overview& o);

} // namespace wel::reports
