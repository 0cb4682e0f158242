#pragma once
#include "Random.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace wel::bench {

struct Faculty {
    QString code;
    QString name;
    double weight = 1; // share of the staff
    // A unit of this many employees at every scale (weight unused): its
    // month's listings hold the same rows in a small and a large
    // installation, which shows what the installation's size alone costs.
    int headcount = 0;
};

// One row of T_Emp_Folk: the employee himself ("0") or a family member.
struct Person {
    QString code, title, first, last, birthday; // birthday: children only
};

struct Employee {
    QString kvId, empId, ssn, title, first, last, position, level, dept, fact, hType;
    QString status = QStringLiteral("A");
    QString bankAccount;
    QDate inDate, outDate; // outDate: null while employed
    QString exitReason;
    bool flexBenefit = false; // takes 5,000 baht of the medical limit as flexible benefit
    QVector<Person> family;   // "0" first

    const Person* member(const QString& code) const;
    QVector<const Person*> children() const;
    // Employed on that day (and not deleted by a clerk).
    bool employedOn(const QDate& day) const;
};

// The faculties a new installation starts with when T_Fact is empty.
QVector<Faculty> standardFaculties();

// count employees spread over the faculties by weight (a unit of a fixed
// headcount gets it, at most a fifth of count), with families, the
// keys of the calendar year they were keyed in (never before systemStart),
// some who left during [firstDay, today] and a few deleted by a clerk.
QVector<Employee> makeEmployees(Random& rnd, int count, const QVector<Faculty>& faculties,
                                const QDate& systemStart, const QDate& firstDay, const QDate& today);

// Budget year (Buddhist Era) of a day: October to September, named by the year it ends in.
int budgetYear(const QDate& d);
QDate budgetYearStart(int budYear); // 1 October
QDate budgetYearEnd(int budYear);   // 30 September

} // namespace wel::bench
