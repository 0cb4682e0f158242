#pragma once
#include "common/db/Database.h"

#include <QString>
#include <QVector>

namespace wel {
struct LoginContext;
class Money;
}

// The audit trail: every operation that writes appends who did it, when, on
// which workstation, what and on which document or employee, in its own
// transaction, so that a rolled-back operation leaves no row and a committed
// one always has its row. Nothing in the program updates or deletes it.
namespace wel::audit {

enum class Op {
    Baseline,        // a document recorded before the trail began
    EmployeeAdd,
    EmployeeEdit,
    EmployeeDelete,
    EmployeeResign,
    FamilyEdit,
    BulkUpdate,      // one correction applied to many employees
    Import,          // one workbook import, with its counts
    YearRows,        // the yearly-limit rows of a budget year made
    FlexBenefit,
    ClaimSave,
    ClaimCancel,
    SummaryMake,     // a control number made over claims
    SummaryCancel,
    VoucherMake,
    VoucherCancel,
    DocNumbers,      // the finance documents' numbers of a voucher
    UserAdd,
    UserEdit,
    PasswordReset,   // a password someone else gave (user screen, letters)
    PasswordChange,  // the user's own
};

struct OpInfo {
    Op op;
    QString code;  // stored in Audit_Op
    QString label; // as the clerk reads it
};
// Every operation, in the order of the enumeration.
const QVector<OpInfo>& operations();
QString codeOf(Op op);
// The Thai label of a stored code; the code itself when unknown.
QString labelOf(const QString& code);
// The operations that make a document: a claim, a control number, a voucher.
extern const QString kClaimMade, kSummaryMade, kVoucherMade, kBaseline;

// One field of an edit, old and new value as text.
struct Change {
    QString field;
    QString before;
    QString after;
};
// What a password field shows: never the password, nor its hash.
extern const QString kSecretChanged;

// Appends field to changes when before and after differ (blanks around
// them ignored).
void compare(QVector<Change>& changes, const QString& field, const QString& before, const QString& after);
void compare(QVector<Change>& changes, const QString& field, const Money& before, const Money& after);
// "field: old -> new; ..." as stored in Audit_Detail.
QString describe(const QVector<Change>& changes);

// The rows of one operation, gathered while it runs and written by one
// multi-row INSERT before its transaction commits.
class Trail {
public:
    explicit Trail(const LoginContext& login);
    explicit Trail(QString user);

    Trail& add(Op op, const QString& key, const QString& detail = {});
    Trail& add(Op op, const QString& key, const QVector<Change>& changes, const QString& detail = {});
    bool isEmpty() const { return m_rows.isEmpty(); }

    // The INSERT, appended to the operation's batch of writes (nothing when
    // no row was added). The server's clock stamps the rows.
    void appendTo(Database& db, QVector<Database::Statement>& batch) const;
    // Runs the INSERT now; inside the operation's transaction.
    void write(Database& db) const;

private:
    struct Row {
        QString op, key, detail;
    };
    QString m_user;
    QVector<Row> m_rows;
};

// One row written at once: for an operation that records one thing.
void record(Database& db, const LoginContext& login, Op op, const QString& key, const QString& detail = {});
void record(Database& db, const LoginContext& login, Op op, const QString& key, const QVector<Change>& changes,
            const QString& detail = {});

// The workstation as the trail names it (its host name).
QString workstation();

// A Baseline row for every claim, control number and voucher that has no
// creating row: what the schema upgrade does once when the trail begins on
// a database that already holds documents, and what a generator of
// many documents written without their services does at its end.
void recordBaseline(Database& db);

} // namespace wel::audit
