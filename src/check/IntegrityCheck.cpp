#include "IntegrityCheck.h"
#include "AuditCheck.h"
#include "common/db/ReadSnapshot.h"
#include "claims/ClaimKind.h"
#include "common/Money.h"
#include "common/db/Database.h"
#include "finance/VoucherService.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <memory>

namespace wel::check {

namespace {

// The usage columns of the yearly row; a column no claim kind charges must
// stay at zero.
const QStringList kUsageColumns = {QStringLiteral("Fact_T_U_H"), QStringLiteral("KV_T_U_H"),
                                   QStringLiteral("Fact_U_Copay"), QStringLiteral("Kv_U_Copay")};

// At most this many rows are named under one difference; the rest are counted.
constexpr int kRowsShown = 12;

QString code(const QString& s) { return s.trimmed().toUpper(); }

struct Claim {
    QString no, kvId, payYear, type, status, fact;
    Money claimed, payable;
};

struct Control {
    QString no, status, type, fact;
};

using YearKey = std::pair<QString, QString>; // KV_ID, Pay_Year

// The columns a Claim is read from, in this order, by every statement
// that hands claims over (alias h).
const QString kClaimColumns = QStringLiteral("h.Berg_Doc_ID, h.KV_ID, h.Pay_Year, h.Berg_Type_Code, h.Berg_Doc_Status, "
                                             "h.Fact_Code, h.T_M_Berg, h.M_Can_Berg");
constexpr int kClaimWidth = 8;
// The control number's columns (alias d), in Control's order.
const QString kControlColumns = QStringLiteral("d.Sent_KV_Doc_ID, d.Sent_Doc_Status, d.Sent_Doc_Type, d.Fact_Code");
constexpr int kControlWidth = 4;

QString text(const QVector<QVariant>& v, int i)
{
    return v[i].isNull() ? QString() : v[i].toString();
}

Claim claimOf(const QVector<QVariant>& v, int at = 0)
{
    return {text(v, at).trimmed(), text(v, at + 1).trimmed(), text(v, at + 2).trimmed(), code(text(v, at + 3)),
            code(text(v, at + 4)), code(text(v, at + 5)), Money::fromVariant(v[at + 6]), Money::fromVariant(v[at + 7])};
}

Control controlOf(const QVector<QVariant>& v, int at = 0)
{
    return {text(v, at).trimmed(), code(text(v, at + 1)), code(text(v, at + 2)), code(text(v, at + 3))};
}

QString yearRow(const YearKey& k)
{
    return QStringLiteral("T_Year_Cur_Health KV_ID=%1 Pay_Year=%2").arg(k.first, k.second);
}
QString claimRow(const Claim& c)
{
    return QStringLiteral("T_PAY_Health Berg_Doc_ID=%1 status=%2 type=%3 KV_ID=%4 Pay_Year=%5 T_M_Berg=%6 M_Can_Berg=%7")
        .arg(c.no, c.status, c.type, c.kvId, c.payYear, c.claimed.toPlain(), c.payable.toPlain());
}
QString controlRow(const Control& c)
{
    return QStringLiteral("T_Sent_KV_Detail Sent_KV_Doc_ID=%1 status=%2 type=%3 Fact_Code=%4")
        .arg(c.no, c.status, c.type, c.fact);
}

QStringList shown(const QStringList& rows)
{
    if (rows.size() <= kRowsShown)
        return rows;
    QStringList r = rows.mid(0, kRowsShown);
    r << QStringLiteral("... and %1 more").arg(rows.size() - kRowsShown);
    return r;
}

// The rows named under one difference that may involve any number of them:
// the first few are kept and the others only counted, as shown() prints them.
struct Listing {
    QStringList rows;
    int count = 0;
    void add(const QString& row)
    {
        if (++count <= kRowsShown + 1)
            rows << row;
    }
    QStringList shown() const
    {
        if (count <= kRowsShown)
            return rows;
        return rows.mid(0, kRowsShown) << QStringLiteral("... and %1 more").arg(count - kRowsShown);
    }
};

// A code as SQL reads it for comparing: blanks and letter case aside.
QString folded(const QString& column)
{
    return QStringLiteral("UPPER(TRIM(COALESCE(%1, '')))").arg(column);
}

// The program's own codes go into the statement's text (they are no input).
QString codeList(const QStringList& codes)
{
    QStringList quoted;
    for (const QString& c : codes)
        quoted << QLatin1Char('\'') + c + QLatin1Char('\'');
    return quoted.join(QStringLiteral(", "));
}

// Reads the database rule by rule. Each rule reads what it needs with
// statements of its own whose rows pass one at a time (the database joins
// and adds up), keeping only the differences it finds, so the memory it
// takes does not grow with the database. A new rule is a method that calls
// add() for each difference, listed in run().
class Checker {
public:
    explicit Checker(Database& db) : m_db(db)
    {
        for (const claims::ClaimKind* k : claims::claimKinds())
            m_kinds.insert(code(k->identity.typeCode), k);
    }

    Report run()
    {
        ReadSnapshot snapshot(m_db);
        count();
        checkIdentifiers();
        checkPersons();
        checkUsage();
        checkLimits();
        checkLines();
        checkMembership();
        checkVouchers();
        checkVoucherTotals();
        checkRunningNumbers();
        m_report.differences += documentsWithoutTheirMaking(m_db);
        return m_report;
    }

private:
    void add(const QString& rule, const QString& text, const QStringList& rows = {})
    {
        m_report.differences.push_back({rule, text, shown(rows)});
    }

    void each(const QString& sql, const std::function<void(const QVector<QVariant>&)>& row, const QVariantList& params = {})
    {
        m_db.forEachRow(sql, params, row);
    }

    int countOf(const QString& table)
    {
        return int(m_db.select(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(table)).integer(0, QStringLiteral("n")));
    }

    void count()
    {
        m_report.claims = countOf(QStringLiteral("T_PAY_Health"));
        m_report.controls = countOf(QStringLiteral("T_Sent_KV_Detail"));
        m_report.vouchers = countOf(QStringLiteral("T_PV"));
        m_report.yearRows = countOf(QStringLiteral("T_Year_Cur_Health"));
    }

    // The same key twice in a table, letter case and blanks aside.
    void duplicates(const QString& table, const QStringList& keyColumns)
    {
        QStringList select, group;
        for (const QString& c : keyColumns) {
            // Numbers are compared as they are; codes without letter case and blanks.
            const bool number = c == QLatin1String("Order_Doc");
            group << (number ? c : QStringLiteral("UPPER(TRIM(%1))").arg(c));
            select << group.last() + QStringLiteral(" AS ") + c;
        }
        const Rows r = m_db.select(QStringLiteral("SELECT %1, COUNT(*) AS n FROM %2 GROUP BY %3 HAVING COUNT(*) > 1")
                                       .arg(select.join(QStringLiteral(", ")), table, group.join(QStringLiteral(", "))));
        for (int i = 0; i < r.count(); ++i) {
            QStringList key;
            for (const QString& c : keyColumns)
                key << c + QLatin1Char('=') + r.text(i, c);
            add(QStringLiteral("duplicate"),
                QStringLiteral("%1 holds %2 %3 times").arg(table, key.join(QLatin1Char(' '))).arg(r.integer(i, QStringLiteral("n"))),
                {table + QLatin1Char(' ') + key.join(QLatin1Char(' '))});
        }
    }

    void checkIdentifiers()
    {
        duplicates(QStringLiteral("T_PAY_Health"), {QStringLiteral("Berg_Doc_ID")});
        duplicates(QStringLiteral("T_Sent_KV_Detail"), {QStringLiteral("Sent_KV_Doc_ID")});
        duplicates(QStringLiteral("T_PV"), {QStringLiteral("PVR_NO")});
        duplicates(QStringLiteral("T_Emp_Gov_Histry"), {QStringLiteral("KV_ID")});
        duplicates(QStringLiteral("T_Year_Cur_Health"), {QStringLiteral("KV_ID"), QStringLiteral("Pay_Year")});
        duplicates(QStringLiteral("T_Pay_Health_Detail"), {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Emp_Folk")});
        duplicates(QStringLiteral("T_Reciept"), {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Order_Doc")});
        duplicates(QStringLiteral("T_Sent_KV"), {QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Berg_Doc_ID")});
        duplicates(QStringLiteral("T_PV_Detail"), {QStringLiteral("PVR_NO"), QStringLiteral("Sent_KV_Doc_ID")});
    }

    // One active employee per staff number and per identity number: two
    // active rows of one person split his yearly limit in two. The unique
    // indexes that keep this waits while old data holds such pairs.
    void checkPersons()
    {
        for (const QString& column : {QStringLiteral("EMP_ID"), QStringLiteral("Emp_SSN")}) {
            const Rows r = m_db.select(QStringLiteral("SELECT UPPER(TRIM(%1)) AS k, KV_ID FROM T_Emp_Gov_Histry "
                                                      "WHERE Emp_Status = 'A' AND TRIM(%1) <> '' AND UPPER(TRIM(%1)) IN "
                                                      "(SELECT UPPER(TRIM(%1)) FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A' "
                                                      "GROUP BY UPPER(TRIM(%1)) HAVING COUNT(*) > 1) ORDER BY k, KV_ID")
                                           .arg(column));
            QMap<QString, QStringList> persons;
            for (int i = 0; i < r.count(); ++i)
                persons[r.text(i, QStringLiteral("k"))]
                    << QStringLiteral("T_Emp_Gov_Histry KV_ID=%1 %2=%3")
                           .arg(r.text(i, QStringLiteral("KV_ID")).trimmed(), column, r.text(i, QStringLiteral("k")));
            for (auto it = persons.cbegin(); it != persons.cend(); ++it)
                add(QStringLiteral("duplicate-person"),
                    QStringLiteral("%1 active employees have %2 %3").arg(it.value().size()).arg(column, it.key()),
                    it.value());
        }
    }

    // A used amount never passes its limit, less the flexible benefit taken
    // out of it, for every kind whose limit rule charges one.
    void checkLimits()
    {
        struct Rule {
            QString limit, used, flex;
        };
        QVector<Rule> rules;
        for (const claims::ClaimKind* k : claims::claimKinds()) {
            const claims::LimitRule& l = k->limit;
            if (l.policy == claims::LimitPolicy::None || l.limitColumn.isEmpty() || l.usedColumn.isEmpty())
                continue;
            const Rule rule{l.limitColumn, l.usedColumn, l.flexColumn};
            if (std::none_of(rules.begin(), rules.end(), [&](const Rule& x) {
                    return x.limit == rule.limit && x.used == rule.used && x.flex == rule.flex;
                }))
                rules << rule;
        }
        for (const Rule& rule : rules) {
            const QString flex = rule.flex.isEmpty() ? QStringLiteral("0") : rule.flex;
            each(QStringLiteral("SELECT KV_ID, Pay_Year, %1, %2, %3 FROM T_Year_Cur_Health ORDER BY KV_ID, Pay_Year")
                     .arg(rule.limit, rule.used, flex),
                 [&](const QVector<QVariant>& v) {
                     const Money limit = Money::fromVariant(v[2]), used = Money::fromVariant(v[3]),
                                 taken = Money::fromVariant(v[4]);
                     if (used <= limit - taken)
                         return;
                     const YearKey key{text(v, 0).trimmed(), text(v, 1).trimmed()};
                     add(QStringLiteral("over-limit"),
                         QStringLiteral("%1 of %2 %3 is %4, above its limit %5 = %6%7")
                             .arg(rule.used, key.first, key.second, used.toPlain(), rule.limit, limit.toPlain(),
                                  rule.flex.isEmpty() ? QString()
                                                      : QStringLiteral(" less %1 = %2").arg(rule.flex, taken.toPlain())),
                         {yearRow(key) + QStringLiteral(" %1=%2 %3=%4").arg(rule.limit, limit.toPlain(), rule.used, used.toPlain())});
                 });
        }
    }

    // The counts and amounts a voucher summary in force prints, recomputed
    // from the claims of its control numbers as the summary makes them. The
    // claims come in voucher order, so only one voucher's are held at a time.
    void checkVoucherTotals()
    {
        const char* columns[] = {"EDU_Count", "EDU_Money", "He_In_Count", "He_In_Money",
                                 "He_Out_Count", "He_Out_Money", "Oth_Count", "Oth_Money"};
        QString no;
        QVector<QVariant> stored;
        QVector<finance::VoucherClaim> claimsOf;
        auto compare = [&] {
            if (no.isEmpty())
                return;
            const finance::VoucherTally t = finance::Vouchers::tally(claimsOf);
            const int counts[] = {t.eduCount, t.inCount, t.outCount, t.othCount};
            const Money amounts[] = {t.edu, t.in, t.out, t.oth};
            QStringList wrong;
            for (int f = 0; f < 4; ++f) {
                const QString count = QString::fromLatin1(columns[2 * f]), amount = QString::fromLatin1(columns[2 * f + 1]);
                const qint64 storedCount = stored[2 * f].toLongLong();
                const Money storedAmount = Money::fromVariant(stored[2 * f + 1]);
                if (storedCount != counts[f])
                    wrong << QStringLiteral("%1=%2 (the claims make %3)").arg(count).arg(storedCount).arg(counts[f]);
                if (storedAmount != amounts[f])
                    wrong << QStringLiteral("%1=%2 (the claims make %3)").arg(amount, storedAmount.toPlain(), amounts[f].toPlain());
            }
            if (!wrong.isEmpty())
                add(QStringLiteral("voucher-totals"),
                    QStringLiteral("voucher summary %1 disagrees with the claims of its control numbers: %2")
                        .arg(no, wrong.join(QStringLiteral(", "))),
                    {QStringLiteral("T_PV PVR_NO=%1 ").arg(no) + wrong.join(QLatin1Char(' '))});
        };
        each(QStringLiteral("SELECT p.PVR_NO, p.EDU_Count, p.EDU_Money, p.He_In_Count, p.He_In_Money, p.He_Out_Count, "
                            "p.He_Out_Money, p.Oth_Count, p.Oth_Money, h.Berg_Doc_ID, h.Health_In_Out_t, "
                            "t.Health_Other_Code, t.Health_Desc, h.M_Can_Berg FROM T_PV p "
                            "LEFT JOIN T_PV_Detail d ON d.PVR_NO = p.PVR_NO "
                            "LEFT JOIN T_Sent_KV s ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                            "LEFT JOIN T_PAY_Health h ON h.Berg_Doc_ID = s.Berg_Doc_ID "
                            "LEFT JOIN TR_Heal_Type t ON t.Health_In_Out_t = h.Health_In_Out_t "
                            "WHERE p.Sent_Doc_Status = 'A' ORDER BY p.PVR_NO"),
             [&](const QVector<QVariant>& v) {
                 const QString pvr = text(v, 0).trimmed();
                 if (code(pvr) != code(no)) {
                     compare();
                     no = pvr;
                     stored = v.mid(1, 8);
                     claimsOf.clear();
                 }
                 if (!v[9].isNull())
                     claimsOf.push_back({text(v, 10), text(v, 11), text(v, 12), Money::fromVariant(v[13])});
             });
        compare();
    }

    // What a claim adds to each usage column of its yearly row, as SQL: per
    // column the sum over the claim kinds that charge it (what a saved claim
    // raises while open or handed over; what a summary raises once handed over).
    struct UsageTerms {
        QStringList columns;
        QStringList sums;  // by column
        QString charges;   // the condition that a claim charges its yearly row
    };

    UsageTerms usageTerms() const
    {
        UsageTerms u;
        u.columns = kUsageColumns;
        for (const claims::ClaimKind* k : claims::claimKinds())
            for (const QString& c : {k->limit.usedColumn, k->limit.sentColumn})
                if (k->limit.policy != claims::LimitPolicy::None && !c.isEmpty()
                    && !u.columns.contains(c, Qt::CaseInsensitive))
                    u.columns << c;
        const QString type = folded(QStringLiteral("Berg_Type_Code")), status = folded(QStringLiteral("Berg_Doc_Status"));
        QVector<QStringList> terms(u.columns.size());
        QStringList charging;
        auto column = [&](const QString& name) {
            for (int i = 0; i < u.columns.size(); ++i)
                if (u.columns[i].compare(name, Qt::CaseInsensitive) == 0)
                    return i;
            return -1;
        };
        for (const claims::ClaimKind* k : claims::claimKinds()) {
            const claims::LimitRule& rule = k->limit;
            if (rule.policy == claims::LimitPolicy::None)
                continue; // reads the yearly row at most, never changes it
            const QString isKind = QStringLiteral("%1 = '%2'").arg(type, code(k->identity.typeCode));
            QStringList when;
            if (!rule.usedColumn.isEmpty()) {
                const QString open = QStringLiteral("%1 AND %2 IN ('FC', 'KV')").arg(isKind, status);
                terms[column(rule.usedColumn)] << QStringLiteral("CASE WHEN %1 THEN M_Can_Berg ELSE 0 END").arg(open);
                when << open;
            }
            if (!rule.sentColumn.isEmpty()) {
                const QString sent = QStringLiteral("%1 AND %2 = 'KV'").arg(isKind, status);
                terms[column(rule.sentColumn)] << QStringLiteral("CASE WHEN %1 THEN %2 ELSE 0 END")
                                                      .arg(sent, k->summary.amountClaimed ? QStringLiteral("T_M_Berg")
                                                                                          : QStringLiteral("M_Can_Berg"));
                when << sent;
            }
            charging << when;
        }
        for (const QStringList& t : terms)
            u.sums << (t.isEmpty() ? QStringLiteral("0") : QStringLiteral("SUM(%1)").arg(t.join(QStringLiteral(" + "))));
        u.charges = charging.isEmpty() ? QStringLiteral("1 = 0") : QLatin1Char('(') + charging.join(QStringLiteral(") OR (")) + QLatin1Char(')');
        return u;
    }

    // The claims that charge a yearly row, as the usage differences name them.
    QStringList contributors(const YearKey& key, const QString& charges)
    {
        QStringList rows;
        each(QStringLiteral("SELECT %1 FROM T_PAY_Health h WHERE h.KV_ID = ? AND h.Pay_Year = ? AND (%2) ORDER BY h.Berg_Doc_ID")
                 .arg(kClaimColumns, charges),
             [&](const QVector<QVariant>& v) { rows << claimRow(claimOf(v)); }, {key.first, key.second});
        return rows;
    }

    void checkUsage()
    {
        Listing unknown;
        QStringList known;
        for (const QString& type : m_kinds.keys())
            known << type;
        each(QStringLiteral("SELECT %1 FROM T_PAY_Health h WHERE %2 NOT IN (%3) ORDER BY h.Berg_Doc_ID")
                 .arg(kClaimColumns, folded(QStringLiteral("h.Berg_Type_Code")), codeList(known)),
             [&](const QVector<QVariant>& v) { unknown.add(claimRow(claimOf(v))); });
        if (unknown.count > 0)
            m_report.differences.push_back(
                {QStringLiteral("unknown-kind"),
                 QStringLiteral("%1 claims of a type no claim kind describes, so their usage cannot be checked").arg(unknown.count),
                 unknown.shown()});

        // Each yearly row beside what its claims add up to, summed by the database.
        const UsageTerms u = usageTerms();
        QStringList stored, should;
        for (int i = 0; i < u.columns.size(); ++i) {
            stored << QStringLiteral("y.%1").arg(u.columns[i]);
            should << QStringLiteral("%1 AS x%2").arg(u.sums[i]).arg(i);
        }
        struct Wrong {
            YearKey key;
            QString column;
            Money stored, should;
        };
        QVector<Wrong> wrong;
        const int n = int(u.columns.size());
        each(QStringLiteral("SELECT y.KV_ID, y.Pay_Year, %1, %2 FROM T_Year_Cur_Health y LEFT JOIN "
                            "(SELECT KV_ID, Pay_Year, %3 FROM T_PAY_Health GROUP BY KV_ID, Pay_Year) e "
                            "ON e.KV_ID = y.KV_ID AND e.Pay_Year = y.Pay_Year ORDER BY y.KV_ID, y.Pay_Year")
                 .arg(stored.join(QStringLiteral(", ")), [&] {
                     QStringList e;
                     for (int i = 0; i < n; ++i)
                         e << QStringLiteral("e.x%1").arg(i);
                     return e.join(QStringLiteral(", "));
                 }(), should.join(QStringLiteral(", "))),
             [&](const QVector<QVariant>& v) {
                 for (int c = 0; c < n; ++c) {
                     const Money s = Money::fromVariant(v[2 + c]), x = Money::fromVariant(v[2 + n + c]);
                     if (s != x)
                         wrong.push_back({{text(v, 0).trimmed(), text(v, 1).trimmed()}, u.columns[c], s, x});
                 }
             });
        for (const Wrong& w : wrong)
            add(QStringLiteral("usage"),
                QStringLiteral("%1 of %2 %3 is %4, the claims make it %5 (difference %6)")
                    .arg(w.column, w.key.first, w.key.second, w.stored.toPlain(), w.should.toPlain(),
                         (w.stored - w.should).toPlain()),
                QStringList{yearRow(w.key) + QStringLiteral(" %1=%2").arg(w.column, w.stored.toPlain())}
                    + contributors(w.key, u.charges));

        QVector<YearKey> missing;
        each(QStringLiteral("SELECT h.KV_ID, h.Pay_Year FROM T_PAY_Health h WHERE (%1) AND NOT EXISTS "
                            "(SELECT 1 FROM T_Year_Cur_Health y WHERE y.KV_ID = h.KV_ID AND y.Pay_Year = h.Pay_Year) "
                            "GROUP BY h.KV_ID, h.Pay_Year ORDER BY h.KV_ID, h.Pay_Year")
                 .arg(u.charges),
             [&](const QVector<QVariant>& v) { missing.push_back({text(v, 0), text(v, 1)}); });
        for (const YearKey& key : missing)
            add(QStringLiteral("no-year-row"),
                QStringLiteral("claims charge %1 %2, which has no yearly row").arg(key.first.trimmed(), key.second.trimmed()),
                contributors(key, u.charges));
    }

    // Each claim beside the sums of its lines and receipts, added up by the
    // database; then lines and receipts without their claim.
    void checkLines()
    {
        QVector<Claim> overpaying;
        each(QStringLiteral("SELECT %1, l.m, l.p, l.n, r.m, r.n FROM T_PAY_Health h "
                            "LEFT JOIN (SELECT Berg_Doc_ID, SUM(M_Berg) AS m, SUM(HM_Can_Berg) AS p, COUNT(*) AS n "
                            "FROM T_Pay_Health_Detail GROUP BY Berg_Doc_ID) l ON l.Berg_Doc_ID = h.Berg_Doc_ID "
                            "LEFT JOIN (SELECT Berg_Doc_ID, SUM(P_money) AS m, COUNT(*) AS n "
                            "FROM T_Reciept GROUP BY Berg_Doc_ID) r ON r.Berg_Doc_ID = h.Berg_Doc_ID "
                            "ORDER BY h.Berg_Doc_ID")
                 .arg(kClaimColumns),
             [&](const QVector<QVariant>& v) {
                 const Claim c = claimOf(v);
                 const int w = kClaimWidth;
                 const Money claimed = Money::fromVariant(v[w]), payable = Money::fromVariant(v[w + 1]),
                             receipts = Money::fromVariant(v[w + 3]);
                 const qint64 lines = v[w + 2].toLongLong(), receiptCount = v[w + 4].toLongLong();
                 if (lines == 0 || claimed != c.claimed || payable != c.payable)
                     add(QStringLiteral("lines"),
                         QStringLiteral("the %1 lines of claim %2 add up to %3 claimed and %4 payable, its header says %5 and %6")
                             .arg(lines)
                             .arg(c.no, claimed.toPlain(), payable.toPlain(), c.claimed.toPlain(), c.payable.toPlain()),
                         {claimRow(c)});
                 if (receiptCount == 0 || receipts != c.claimed)
                     add(QStringLiteral("receipts"),
                         QStringLiteral("the %1 receipts of claim %2 add up to %3, its header says %4")
                             .arg(receiptCount)
                             .arg(c.no, receipts.toPlain(), c.claimed.toPlain()),
                         {claimRow(c)});
                 if (c.payable > c.claimed)
                     overpaying.push_back(c);
             });
        each(QStringLiteral("SELECT UPPER(TRIM(d.Berg_Doc_ID)) AS k FROM T_Pay_Health_Detail d WHERE NOT EXISTS "
                            "(SELECT 1 FROM T_PAY_Health h WHERE h.Berg_Doc_ID = d.Berg_Doc_ID) UNION "
                            "SELECT UPPER(TRIM(r.Berg_Doc_ID)) FROM T_Reciept r WHERE NOT EXISTS "
                            "(SELECT 1 FROM T_PAY_Health h WHERE h.Berg_Doc_ID = r.Berg_Doc_ID) ORDER BY 1"),
             [&](const QVector<QVariant>& v) {
                 add(QStringLiteral("orphan"), QStringLiteral("lines or receipts of claim %1, which does not exist").arg(text(v, 0)),
                     {QStringLiteral("T_Pay_Health_Detail/T_Reciept Berg_Doc_ID=%1").arg(text(v, 0))});
             });
        for (const Claim& c : overpaying)
            add(QStringLiteral("payable-above-claimed"),
                QStringLiteral("claim %1 pays %2, more than the %3 claimed").arg(c.no, c.payable.toPlain(), c.claimed.toPlain()),
                {claimRow(c)});
    }

    static bool inForce(const QString& controlStatus)
    {
        return controlStatus == QLatin1String("A") || controlStatus == QLatin1String("P");
    }

    QVector<Control> controlsInForceOf(const QString& claimNo)
    {
        QVector<Control> found;
        each(QStringLiteral("SELECT %1 FROM T_Sent_KV s INNER JOIN T_Sent_KV_Detail d ON d.Sent_KV_Doc_ID = s.Sent_KV_Doc_ID "
                            "WHERE s.Berg_Doc_ID = ? AND %2 IN ('A', 'P') ORDER BY d.Sent_KV_Doc_ID")
                 .arg(kControlColumns, folded(QStringLiteral("d.Sent_Doc_Status"))),
             [&](const QVector<QVariant>& v) { found.push_back(controlOf(v)); }, {claimNo});
        return found;
    }

    void checkMembership()
    {
        each(QStringLiteral("SELECT %1 FROM T_PAY_Health h WHERE %2 NOT IN ('FC', 'KV', 'NO') ORDER BY h.Berg_Doc_ID")
                 .arg(kClaimColumns, folded(QStringLiteral("h.Berg_Doc_Status"))),
             [&](const QVector<QVariant>& v) {
                 const Claim c = claimOf(v);
                 add(QStringLiteral("status"), QStringLiteral("claim %1 has the unknown status \"%2\"").arg(c.no, c.status),
                     {claimRow(c)});
             });
        each(QStringLiteral("SELECT %1 FROM T_Sent_KV_Detail d WHERE %2 NOT IN ('A', 'P', 'C') ORDER BY d.Sent_KV_Doc_ID")
                 .arg(kControlColumns, folded(QStringLiteral("d.Sent_Doc_Status"))),
             [&](const QVector<QVariant>& v) {
                 const Control c = controlOf(v);
                 add(QStringLiteral("status"),
                     QStringLiteral("control number %1 has the unknown status \"%2\"").arg(c.no, c.status), {controlRow(c)});
             });

        // Every member row with its control number and its claim.
        each(QStringLiteral("SELECT s.Sent_KV_Doc_ID, s.Berg_Doc_ID, %1, %2 FROM T_Sent_KV s "
                            "LEFT JOIN T_Sent_KV_Detail d ON d.Sent_KV_Doc_ID = s.Sent_KV_Doc_ID "
                            "LEFT JOIN T_PAY_Health h ON h.Berg_Doc_ID = s.Berg_Doc_ID "
                            "ORDER BY s.Sent_KV_Doc_ID, s.Berg_Doc_ID")
                 .arg(kControlColumns, kClaimColumns),
             [&](const QVector<QVariant>& v) {
                 const QString controlNo = text(v, 0).trimmed(), claimNo = text(v, 1).trimmed();
                 const QString member = QStringLiteral("T_Sent_KV Sent_KV_Doc_ID=%1 Berg_Doc_ID=%2").arg(controlNo, claimNo);
                 const bool hasControl = !v[2].isNull(), hasClaim = !v[2 + kControlWidth].isNull();
                 if (!hasControl || !hasClaim) {
                     add(QStringLiteral("orphan"),
                         QStringLiteral("member row of %1 names %2, which does not exist")
                             .arg(controlNo, !hasControl ? QStringLiteral("its control number") : QStringLiteral("claim ") + claimNo),
                         {member});
                     return;
                 }
                 const Control control = controlOf(v, 2);
                 const Claim claim = claimOf(v, 2 + kControlWidth);
                 if (!inForce(control.status))
                     return;
                 const auto kind = m_kinds.value(claim.type);
                 if ((kind && code(kind->identity.sentDocType) != control.type) || claim.fact != control.fact)
                     add(QStringLiteral("wrong-member"),
                         QStringLiteral("claim %1 (type %2, faculty %3) is under control number %4 of type %5, faculty %6")
                             .arg(claim.no, claim.type, claim.fact, control.no, control.type, control.fact),
                         {claimRow(claim), controlRow(control), member});
             });

        // A claim in "KV" under exactly one control number in force, any other under none.
        const QString status = folded(QStringLiteral("h.Berg_Doc_Status"));
        QVector<Claim> wrong;
        each(QStringLiteral("SELECT %1 FROM T_PAY_Health h LEFT JOIN "
                            "(SELECT s.Berg_Doc_ID, COUNT(*) AS n FROM T_Sent_KV s "
                            "INNER JOIN T_Sent_KV_Detail d ON d.Sent_KV_Doc_ID = s.Sent_KV_Doc_ID "
                            "WHERE %2 IN ('A', 'P') GROUP BY s.Berg_Doc_ID) c ON c.Berg_Doc_ID = h.Berg_Doc_ID "
                            "WHERE (%3 = 'KV' AND COALESCE(c.n, 0) <> 1) OR (%3 <> 'KV' AND c.n > 0) "
                            "ORDER BY h.Berg_Doc_ID")
                 .arg(kClaimColumns, folded(QStringLiteral("d.Sent_Doc_Status")), status),
             [&](const QVector<QVariant>& v) { wrong.push_back(claimOf(v)); });
        for (const Claim& c : wrong) {
            const QVector<Control> controls = controlsInForceOf(c.no);
            QStringList rows{claimRow(c)}, numbers;
            for (const Control& control : controls) {
                rows << controlRow(control);
                numbers << control.no;
            }
            if (c.status == QLatin1String("KV"))
                add(controls.isEmpty() ? QStringLiteral("sent-claim-without-control") : QStringLiteral("claim-in-two-controls"),
                    QStringLiteral("claim %1 is in \"KV\" and under %2 control numbers in force").arg(c.no).arg(controls.size()),
                    rows);
            else
                add(QStringLiteral("open-claim-in-control"),
                    QStringLiteral("claim %1 is in \"%2\" but under control number %3, which is in force")
                        .arg(c.no, c.status, numbers.join(QStringLiteral(", "))),
                    rows);
        }

        each(QStringLiteral("SELECT %1 FROM T_Sent_KV_Detail d WHERE %2 IN ('A', 'P') AND NOT EXISTS "
                            "(SELECT 1 FROM T_Sent_KV s INNER JOIN T_PAY_Health h ON h.Berg_Doc_ID = s.Berg_Doc_ID "
                            "WHERE s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID) ORDER BY d.Sent_KV_Doc_ID")
                 .arg(kControlColumns, folded(QStringLiteral("d.Sent_Doc_Status"))),
             [&](const QVector<QVariant>& v) {
                 const Control c = controlOf(v);
                 add(QStringLiteral("empty-control"), QStringLiteral("control number %1 is in force without claims").arg(c.no),
                     {controlRow(c)});
             });
    }

    struct Voucher {
        QString no, status, fact;
    };
    static QString voucherRow(const Voucher& x)
    {
        return QStringLiteral("T_PV PVR_NO=%1 status=%2 Fact_Code=%3").arg(x.no, x.status, x.fact);
    }
    static Voucher voucherOf(const QVector<QVariant>& v, int at = 0)
    {
        return {text(v, at).trimmed(), code(text(v, at + 1)), code(text(v, at + 2))};
    }

    void checkVouchers()
    {
        const QString voucherStatus = folded(QStringLiteral("v.Sent_Doc_Status"));
        each(QStringLiteral("SELECT v.PVR_NO, v.Sent_Doc_Status, v.Fact_Code FROM T_PV v WHERE %1 NOT IN ('A', 'C') "
                            "ORDER BY v.PVR_NO")
                 .arg(voucherStatus),
             [&](const QVector<QVariant>& v) {
                 const Voucher x = voucherOf(v);
                 add(QStringLiteral("status"), QStringLiteral("voucher summary %1 has the unknown status \"%2\"").arg(x.no, x.status),
                     {QStringLiteral("T_PV PVR_NO=%1").arg(x.no)});
             });

        each(QStringLiteral("SELECT pd.PVR_NO, pd.Sent_KV_Doc_ID, v.PVR_NO, v.Sent_Doc_Status, v.Fact_Code, %1 "
                            "FROM T_PV_Detail pd LEFT JOIN T_PV v ON v.PVR_NO = pd.PVR_NO "
                            "LEFT JOIN T_Sent_KV_Detail d ON d.Sent_KV_Doc_ID = pd.Sent_KV_Doc_ID "
                            "ORDER BY pd.PVR_NO, pd.Order_No")
                 .arg(kControlColumns),
             [&](const QVector<QVariant>& v) {
                 const QString pvr = text(v, 0).trimmed(), controlNo = text(v, 1).trimmed();
                 const QString member = QStringLiteral("T_PV_Detail PVR_NO=%1 Sent_KV_Doc_ID=%2").arg(pvr, controlNo);
                 if (v[2].isNull() || v[5].isNull()) {
                     add(QStringLiteral("orphan"),
                         QStringLiteral("voucher member row %1 / %2 names a voucher summary or control number that does not exist")
                             .arg(pvr, controlNo),
                         {member});
                     return;
                 }
                 const Voucher x = voucherOf(v, 2);
                 const Control control = controlOf(v, 5);
                 if (x.status == QLatin1String("A") && control.fact != x.fact)
                     add(QStringLiteral("wrong-member"),
                         QStringLiteral("control number %1 of faculty %2 is in voucher summary %3 of faculty %4")
                             .arg(controlNo, control.fact, pvr, x.fact),
                         {controlRow(control), voucherRow(x), member});
             });

        // A control number in "P" in exactly one voucher summary in force, any other in none.
        const QString status = folded(QStringLiteral("d.Sent_Doc_Status"));
        QVector<Control> wrong;
        each(QStringLiteral("SELECT %1 FROM T_Sent_KV_Detail d LEFT JOIN "
                            "(SELECT pd.Sent_KV_Doc_ID, COUNT(*) AS n FROM T_PV_Detail pd "
                            "INNER JOIN T_PV v ON v.PVR_NO = pd.PVR_NO WHERE %2 = 'A' GROUP BY pd.Sent_KV_Doc_ID) x "
                            "ON x.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                            "WHERE (%3 = 'P' AND COALESCE(x.n, 0) <> 1) OR (%3 <> 'P' AND x.n > 0) "
                            "ORDER BY d.Sent_KV_Doc_ID")
                 .arg(kControlColumns, voucherStatus, status),
             [&](const QVector<QVariant>& v) { wrong.push_back(controlOf(v)); });
        for (const Control& c : wrong) {
            QVector<Voucher> in;
            each(QStringLiteral("SELECT v.PVR_NO, v.Sent_Doc_Status, v.Fact_Code FROM T_PV_Detail pd "
                                "INNER JOIN T_PV v ON v.PVR_NO = pd.PVR_NO WHERE pd.Sent_KV_Doc_ID = ? AND %1 = 'A' "
                                "ORDER BY pd.PVR_NO, pd.Order_No")
                     .arg(voucherStatus),
                 [&](const QVector<QVariant>& v) { in.push_back(voucherOf(v)); }, {c.no});
            QStringList rows{controlRow(c)}, numbers;
            for (const Voucher& x : in) {
                rows << voucherRow(x);
                numbers << x.no;
            }
            if (c.status == QLatin1String("P"))
                add(in.isEmpty() ? QStringLiteral("paid-control-without-voucher") : QStringLiteral("control-in-two-vouchers"),
                    QStringLiteral("control number %1 is in \"P\" and in %2 voucher summaries in force").arg(c.no).arg(in.size()),
                    rows);
            else
                add(QStringLiteral("open-control-in-voucher"),
                    QStringLiteral("control number %1 is in \"%2\" but in voucher summary %3, which is in force")
                        .arg(c.no, c.status, numbers.join(QStringLiteral(", "))),
                    rows);
        }

        each(QStringLiteral("SELECT v.PVR_NO, v.Sent_Doc_Status, v.Fact_Code FROM T_PV v WHERE %1 = 'A' AND NOT EXISTS "
                            "(SELECT 1 FROM T_PV_Detail pd INNER JOIN T_Sent_KV_Detail d ON d.Sent_KV_Doc_ID = pd.Sent_KV_Doc_ID "
                            "WHERE pd.PVR_NO = v.PVR_NO) ORDER BY v.PVR_NO")
                 .arg(voucherStatus),
             [&](const QVector<QVariant>& v) {
                 const Voucher x = voucherOf(v);
                 add(QStringLiteral("empty-voucher"),
                     QStringLiteral("voucher summary %1 is in force without control numbers").arg(x.no), {voucherRow(x)});
             });
    }

    // The highest number of each series handed out, by the key of its counter row.
    struct Series {
        QString table;
        QStringList keyColumns;
        QRegularExpression pattern; // captures the key parts, then the number
        QString idTable, idColumn;
    };

    void checkSeries(const Series& s)
    {
        QMap<QStringList, qint64> highest;
        QMap<QStringList, QString> highestId;
        each(QStringLiteral("SELECT %1 FROM %2").arg(s.idColumn, s.idTable), [&](const QVector<QVariant>& v) {
            const QString id = code(text(v, 0));
            const auto m = s.pattern.match(id);
            if (!m.hasMatch())
                return; // not made by this program's series (imported history)
            QStringList key;
            for (int k = 0; k < s.keyColumns.size(); ++k)
                key << m.captured(k + 1);
            const qint64 n = m.captured(s.keyColumns.size() + 1).toLongLong();
            if (n > highest.value(key, 0)) {
                highest[key] = n;
                highestId[key] = id;
            }
        });
        QStringList select;
        for (const QString& c : s.keyColumns)
            select << QStringLiteral("UPPER(TRIM(%1)) AS %1").arg(c);
        const Rows r = m_db.select(QStringLiteral("SELECT %1, Run_No FROM %2").arg(select.join(QStringLiteral(", ")), s.table));
        QMap<QStringList, qint64> next;
        for (int i = 0; i < r.count(); ++i) {
            QStringList key;
            for (const QString& c : s.keyColumns)
                key << r.text(i, c);
            next[key] = r.integer(i, QStringLiteral("Run_No"));
        }
        for (auto it = highest.cbegin(); it != highest.cend(); ++it) {
            QStringList where;
            for (int k = 0; k < s.keyColumns.size(); ++k)
                where << s.keyColumns[k] + QLatin1Char('=') + it.key()[k];
            const QString counter = s.table + QLatin1Char(' ') + where.join(QLatin1Char(' '));
            const QString issued = QStringLiteral("%1 %2=%3").arg(s.idTable, s.idColumn, highestId[it.key()]);
            if (!next.contains(it.key()))
                add(QStringLiteral("running-number"),
                    QStringLiteral("%1 was handed out but %2 has no row for it, so a new row would hand it out again")
                        .arg(highestId[it.key()], s.table),
                    {issued});
            else if (next[it.key()] <= it.value())
                add(QStringLiteral("running-number"),
                    QStringLiteral("%1 would hand out %2 next, but %3 was handed out already")
                        .arg(counter)
                        .arg(next[it.key()])
                        .arg(highestId[it.key()]),
                    {counter + QStringLiteral(" Run_No=%1").arg(next[it.key()]), issued});
        }
    }

    void checkRunningNumbers()
    {
        checkSeries({QStringLiteral("T_Berg_Runno"), {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year")},
                     QRegularExpression(QStringLiteral("^([A-Z0-9]{2})(\\d{4})/(\\d{7})$")), QStringLiteral("T_PAY_Health"),
                     QStringLiteral("Berg_Doc_ID")});
        checkSeries({QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year")},
                     QRegularExpression(QStringLiteral("^KV(\\d{4})/(\\d{6})[A-Z0-9]{2}$")), QStringLiteral("T_Sent_KV_Detail"),
                     QStringLiteral("Sent_KV_Doc_ID")});
        checkSeries({QStringLiteral("T_PVR_Runno"), {QStringLiteral("Sent_Year")},
                     QRegularExpression(QStringLiteral("^PVR(\\d{4})/(\\d{5})[A-Z0-9]{2}$")), QStringLiteral("T_PV"),
                     QStringLiteral("PVR_NO")});
        checkSeries({QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year")},
                     QRegularExpression(QStringLiteral("^KV(\\d{4})/(\\d{6})$")), QStringLiteral("T_Emp_Gov_Histry"),
                     QStringLiteral("KV_ID")});
    }

    Database& m_db;
    Report m_report;
    QHash<QString, const claims::ClaimKind*> m_kinds;
};

} // namespace

int Report::count(const QString& rule) const
{
    int n = 0;
    for (const Difference& d : differences)
        n += d.rule == rule;
    return n;
}

Report run(Database& db) { return Checker(db).run(); }

QString format(const Report& report)
{
    QString out;
    for (const Difference& d : report.differences) {
        out += QStringLiteral("[%1] %2\n").arg(d.rule, d.text);
        for (const QString& row : d.rows)
            out += QStringLiteral("    %1\n").arg(row);
    }
    out += QStringLiteral("%1: %2 claims, %3 control numbers, %4 voucher summaries, %5 yearly rows read; %6 differences\n")
               .arg(report.consistent() ? QStringLiteral("consistent") : QStringLiteral("INCONSISTENT"))
               .arg(report.claims)
               .arg(report.controls)
               .arg(report.vouchers)
               .arg(report.yearRows)
               .arg(report.differences.size());
    return out;
}

} // namespace wel::check
