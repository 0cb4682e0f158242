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
#include <QSet>

#include <algorithm>
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

class Checker {
public:
    explicit Checker(Database& db) : m_db(db) {}

    Report run()
    {
        ReadSnapshot snapshot(m_db);
        readClaims();
        readControls();
        checkIdentifiers();
        checkPersons();
        checkUsage();
        checkLimits();
        checkLines();
        checkPayable();
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

    void readClaims()
    {
        const Rows r = m_db.select(QStringLiteral("SELECT Berg_Doc_ID, KV_ID, Pay_Year, Berg_Type_Code, "
                                                  "Berg_Doc_Status, Fact_Code, T_M_Berg, M_Can_Berg FROM T_PAY_Health "
                                                  "ORDER BY Berg_Doc_ID"));
        for (int i = 0; i < r.count(); ++i) {
            Claim c{r.text(i, QStringLiteral("Berg_Doc_ID")).trimmed(), r.text(i, QStringLiteral("KV_ID")).trimmed(),
                    r.text(i, QStringLiteral("Pay_Year")).trimmed(), code(r.text(i, QStringLiteral("Berg_Type_Code"))),
                    code(r.text(i, QStringLiteral("Berg_Doc_Status"))), code(r.text(i, QStringLiteral("Fact_Code"))),
                    r.money(i, QStringLiteral("T_M_Berg")), r.money(i, QStringLiteral("M_Can_Berg"))};
            m_claimIndex.insert(code(c.no), int(m_claims.size()));
            m_claims.push_back(c);
        }
        m_report.claims = int(m_claims.size());
        for (const claims::ClaimKind* k : claims::claimKinds())
            m_kinds.insert(code(k->identity.typeCode), k);
    }

    void readControls()
    {
        const Rows r = m_db.select(QStringLiteral("SELECT Sent_KV_Doc_ID, Sent_Doc_Status, Sent_Doc_Type, Fact_Code "
                                                  "FROM T_Sent_KV_Detail ORDER BY Sent_KV_Doc_ID"));
        for (int i = 0; i < r.count(); ++i) {
            Control c{r.text(i, QStringLiteral("Sent_KV_Doc_ID")).trimmed(),
                      code(r.text(i, QStringLiteral("Sent_Doc_Status"))), code(r.text(i, QStringLiteral("Sent_Doc_Type"))),
                      code(r.text(i, QStringLiteral("Fact_Code")))};
            m_controlIndex.insert(code(c.no), int(m_controls.size()));
            m_controls.push_back(c);
        }
        m_report.controls = int(m_controls.size());
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
            const Rows y = m_db.select(QStringLiteral("SELECT KV_ID, Pay_Year, %1 AS h, %2 AS u, %3 AS f FROM T_Year_Cur_Health "
                                                      "ORDER BY KV_ID, Pay_Year")
                                           .arg(rule.limit, rule.used, flex));
            for (int i = 0; i < y.count(); ++i) {
                const Money limit = y.money(i, QStringLiteral("h")), used = y.money(i, QStringLiteral("u")),
                            taken = y.money(i, QStringLiteral("f"));
                if (used <= limit - taken)
                    continue;
                const YearKey key{y.text(i, QStringLiteral("KV_ID")).trimmed(), y.text(i, QStringLiteral("Pay_Year")).trimmed()};
                add(QStringLiteral("over-limit"),
                    QStringLiteral("%1 of %2 %3 is %4, above its limit %5 = %6%7")
                        .arg(rule.used, key.first, key.second, used.toPlain(), rule.limit, limit.toPlain(),
                             rule.flex.isEmpty() ? QString()
                                                 : QStringLiteral(" less %1 = %2").arg(rule.flex, taken.toPlain())),
                    {yearRow(key) + QStringLiteral(" %1=%2 %3=%4").arg(rule.limit, limit.toPlain(), rule.used, used.toPlain())});
            }
        }
    }

    void checkPayable()
    {
        for (const Claim& c : m_claims)
            if (c.payable > c.claimed)
                add(QStringLiteral("payable-above-claimed"),
                    QStringLiteral("claim %1 pays %2, more than the %3 claimed").arg(c.no, c.payable.toPlain(), c.claimed.toPlain()),
                    {claimRow(c)});
    }

    // The counts and amounts a voucher summary in force prints, recomputed
    // from the claims of its control numbers as the summary makes them.
    void checkVoucherTotals()
    {
        const Rows v = m_db.select(QStringLiteral("SELECT PVR_NO, EDU_Count, EDU_Money, He_In_Count, He_In_Money, He_Out_Count, "
                                                  "He_Out_Money, Oth_Count, Oth_Money FROM T_PV WHERE Sent_Doc_Status = 'A' "
                                                  "ORDER BY PVR_NO"));
        const Rows m = m_db.select(QStringLiteral("SELECT d.PVR_NO, h.Health_In_Out_t, t.Health_Other_Code, t.Health_Desc, "
                                                  "h.M_Can_Berg FROM T_PV p "
                                                  "INNER JOIN T_PV_Detail d ON d.PVR_NO = p.PVR_NO "
                                                  "INNER JOIN T_Sent_KV s ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                                                  "INNER JOIN T_PAY_Health h ON h.Berg_Doc_ID = s.Berg_Doc_ID "
                                                  "LEFT JOIN TR_Heal_Type t ON t.Health_In_Out_t = h.Health_In_Out_t "
                                                  "WHERE p.Sent_Doc_Status = 'A'"));
        QHash<QString, QVector<finance::VoucherClaim>> claimsOf;
        for (int i = 0; i < m.count(); ++i)
            claimsOf[code(m.text(i, QStringLiteral("PVR_NO")))].push_back(
                {m.text(i, QStringLiteral("Health_In_Out_t")), m.text(i, QStringLiteral("Health_Other_Code")),
                 m.text(i, QStringLiteral("Health_Desc")), m.money(i, QStringLiteral("M_Can_Berg"))});
        for (int i = 0; i < v.count(); ++i) {
            const QString no = v.text(i, QStringLiteral("PVR_NO")).trimmed();
            const finance::VoucherTally t = finance::Vouchers::tally(claimsOf.value(code(no)));
            struct Figure {
                const char* count;
                int countShould;
                const char* amount;
                Money amountShould;
            };
            const Figure figures[] = {{"EDU_Count", t.eduCount, "EDU_Money", t.edu},
                                      {"He_In_Count", t.inCount, "He_In_Money", t.in},
                                      {"He_Out_Count", t.outCount, "He_Out_Money", t.out},
                                      {"Oth_Count", t.othCount, "Oth_Money", t.oth}};
            QStringList wrong;
            for (const Figure& f : figures) {
                const QString count = QString::fromLatin1(f.count), amount = QString::fromLatin1(f.amount);
                if (v.integer(i, count) != f.countShould)
                    wrong << QStringLiteral("%1=%2 (the claims make %3)").arg(count).arg(v.integer(i, count)).arg(f.countShould);
                if (v.money(i, amount) != f.amountShould)
                    wrong << QStringLiteral("%1=%2 (the claims make %3)")
                                 .arg(amount, v.money(i, amount).toPlain(), f.amountShould.toPlain());
            }
            if (!wrong.isEmpty())
                add(QStringLiteral("voucher-totals"),
                    QStringLiteral("voucher summary %1 disagrees with the claims of its control numbers: %2")
                        .arg(no, wrong.join(QStringLiteral(", "))),
                    {QStringLiteral("T_PV PVR_NO=%1 ").arg(no) + wrong.join(QLatin1Char(' '))});
        }
    }

    void checkUsage()
    {
        QStringList columns = kUsageColumns;
        for (const claims::ClaimKind* k : claims::claimKinds())
            for (const QString& c : {k->limit.usedColumn, k->limit.sentColumn})
                if (k->limit.policy != claims::LimitPolicy::None)
                if (!c.isEmpty() && !columns.contains(c, Qt::CaseInsensitive))
                    columns << c;

        // What the claims say each used amount must be, and which claims say it.
        QMap<YearKey, QMap<QString, Money>> expected;
        QMap<YearKey, QStringList> contributors;
        QStringList unknown;
        for (const Claim& c : m_claims) {
            const auto kind = m_kinds.value(c.type);
            if (!kind) {
                unknown << claimRow(c);
                continue;
            }
            const claims::LimitRule& rule = kind->limit;
            if (rule.policy == claims::LimitPolicy::None)
                continue; // reads the yearly row at most, never changes it
            const YearKey key{c.kvId, c.payYear};
            bool charges = false;
            if ((c.status == QLatin1String("FC") || c.status == QLatin1String("KV")) && !rule.usedColumn.isEmpty()) {
                expected[key][rule.usedColumn.toLower()] += c.payable;
                charges = true;
            }
            if (c.status == QLatin1String("KV") && !rule.sentColumn.isEmpty()) {
                expected[key][rule.sentColumn.toLower()] +=
                    kind->summary.amountClaimed ? c.claimed : c.payable;
                charges = true;
            }
            if (charges)
                contributors[key] << c.no;
        }
        if (!unknown.isEmpty())
            add(QStringLiteral("unknown-kind"),
                QStringLiteral("%1 claims of a type no claim kind describes, so their usage cannot be checked")
                    .arg(unknown.size()),
                unknown);

        QStringList select;
        for (int i = 0; i < columns.size(); ++i)
            select << QStringLiteral("%1 AS u%2").arg(columns[i]).arg(i);
        const Rows y = m_db.select(QStringLiteral("SELECT KV_ID, Pay_Year, %1 FROM T_Year_Cur_Health ORDER BY KV_ID, Pay_Year")
                                       .arg(select.join(QStringLiteral(", "))));
        m_report.yearRows = y.count();
        QSet<YearKey> seen;
        for (int i = 0; i < y.count(); ++i) {
            const YearKey key{y.text(i, QStringLiteral("KV_ID")).trimmed(), y.text(i, QStringLiteral("Pay_Year")).trimmed()};
            seen.insert(key);
            const auto want = expected.value(key);
            for (int c = 0; c < columns.size(); ++c) {
                const Money stored = y.money(i, QStringLiteral("u%1").arg(c));
                const Money should = want.value(columns[c].toLower());
                if (stored == should)
                    continue;
                QStringList rows{yearRow(key) + QStringLiteral(" %1=%2").arg(columns[c], stored.toPlain())};
                for (const QString& no : contributors.value(key))
                    rows << claimRow(m_claims[m_claimIndex.value(code(no))]);
                add(QStringLiteral("usage"),
                    QStringLiteral("%1 of %2 %3 is %4, the claims make it %5 (difference %6)")
                        .arg(columns[c], key.first, key.second, stored.toPlain(), should.toPlain(),
                             (stored - should).toPlain()),
                    rows);
            }
        }
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            if (seen.contains(it.key()))
                continue;
            QStringList rows;
            for (const QString& no : contributors.value(it.key()))
                rows << claimRow(m_claims[m_claimIndex.value(code(no))]);
            add(QStringLiteral("no-year-row"),
                QStringLiteral("claims charge %1 %2, which has no yearly row").arg(it.key().first, it.key().second),
                rows);
        }
    }

    void checkLines()
    {
        struct Sums {
            Money claimed, payable, receipts;
            int lines = 0, receiptCount = 0;
        };
        QHash<QString, Sums> sums;
        const Rows l = m_db.select(QStringLiteral("SELECT Berg_Doc_ID, SUM(M_Berg) AS m, SUM(HM_Can_Berg) AS p, "
                                                  "COUNT(*) AS n FROM T_Pay_Health_Detail GROUP BY Berg_Doc_ID"));
        for (int i = 0; i < l.count(); ++i) {
            Sums& s = sums[code(l.text(i, QStringLiteral("Berg_Doc_ID")))];
            s.claimed = l.money(i, QStringLiteral("m"));
            s.payable = l.money(i, QStringLiteral("p"));
            s.lines = int(l.integer(i, QStringLiteral("n")));
        }
        const Rows r = m_db.select(QStringLiteral("SELECT Berg_Doc_ID, SUM(P_money) AS m, COUNT(*) AS n "
                                                  "FROM T_Reciept GROUP BY Berg_Doc_ID"));
        for (int i = 0; i < r.count(); ++i) {
            Sums& s = sums[code(r.text(i, QStringLiteral("Berg_Doc_ID")))];
            s.receipts = r.money(i, QStringLiteral("m"));
            s.receiptCount = int(r.integer(i, QStringLiteral("n")));
        }
        for (const Claim& c : m_claims) {
            const Sums s = sums.take(code(c.no));
            if (s.lines == 0 || s.claimed != c.claimed || s.payable != c.payable)
                add(QStringLiteral("lines"),
                    QStringLiteral("the %1 lines of claim %2 add up to %3 claimed and %4 payable, its header says %5 and %6")
                        .arg(s.lines)
                        .arg(c.no, s.claimed.toPlain(), s.payable.toPlain(), c.claimed.toPlain(), c.payable.toPlain()),
                    {claimRow(c)});
            if (s.receiptCount == 0 || s.receipts != c.claimed)
                add(QStringLiteral("receipts"),
                    QStringLiteral("the %1 receipts of claim %2 add up to %3, its header says %4")
                        .arg(s.receiptCount)
                        .arg(c.no, s.receipts.toPlain(), c.claimed.toPlain()),
                    {claimRow(c)});
        }
        for (auto it = sums.cbegin(); it != sums.cend(); ++it)
            add(QStringLiteral("orphan"),
                QStringLiteral("lines or receipts of claim %1, which does not exist").arg(it.key()),
                {QStringLiteral("T_Pay_Health_Detail/T_Reciept Berg_Doc_ID=%1").arg(it.key())});
    }

    static bool inForce(const QString& controlStatus)
    {
        return controlStatus == QLatin1String("A") || controlStatus == QLatin1String("P");
    }

    void checkMembership()
    {
        for (const Claim& c : m_claims)
            if (c.status != QLatin1String("FC") && c.status != QLatin1String("KV") && c.status != QLatin1String("NO"))
                add(QStringLiteral("status"), QStringLiteral("claim %1 has the unknown status \"%2\"").arg(c.no, c.status),
                    {claimRow(c)});
        for (const Control& c : m_controls)
            if (!inForce(c.status) && c.status != QLatin1String("C"))
                add(QStringLiteral("status"),
                    QStringLiteral("control number %1 has the unknown status \"%2\"").arg(c.no, c.status), {controlRow(c)});

        QHash<QString, QStringList> controlsOfClaim; // in force only
        QHash<QString, int> membersOfControl;
        const Rows m = m_db.select(QStringLiteral("SELECT Sent_KV_Doc_ID, Berg_Doc_ID FROM T_Sent_KV "
                                                  "ORDER BY Sent_KV_Doc_ID, Berg_Doc_ID"));
        for (int i = 0; i < m.count(); ++i) {
            const QString controlNo = m.text(i, QStringLiteral("Sent_KV_Doc_ID")).trimmed();
            const QString claimNo = m.text(i, QStringLiteral("Berg_Doc_ID")).trimmed();
            const int ci = m_controlIndex.value(code(controlNo), -1);
            const int cl = m_claimIndex.value(code(claimNo), -1);
            const QString member = QStringLiteral("T_Sent_KV Sent_KV_Doc_ID=%1 Berg_Doc_ID=%2").arg(controlNo, claimNo);
            if (ci < 0 || cl < 0) {
                add(QStringLiteral("orphan"),
                    QStringLiteral("member row of %1 names %2, which does not exist")
                        .arg(controlNo, ci < 0 ? QStringLiteral("its control number") : QStringLiteral("claim ") + claimNo),
                    {member});
                continue;
            }
            const Control& control = m_controls[ci];
            const Claim& claim = m_claims[cl];
            ++membersOfControl[code(controlNo)];
            if (!inForce(control.status))
                continue;
            controlsOfClaim[code(claimNo)] << controlNo;
            const auto kind = m_kinds.value(claim.type);
            if ((kind && code(kind->identity.sentDocType) != control.type) || claim.fact != control.fact)
                add(QStringLiteral("wrong-member"),
                    QStringLiteral("claim %1 (type %2, faculty %3) is under control number %4 of type %5, faculty %6")
                        .arg(claim.no, claim.type, claim.fact, control.no, control.type, control.fact),
                    {claimRow(claim), controlRow(control), member});
        }
        for (const Claim& c : m_claims) {
            const QStringList controls = controlsOfClaim.value(code(c.no));
            const bool sent = c.status == QLatin1String("KV");
            if (sent && controls.size() == 1)
                continue;
            if (!sent && controls.isEmpty())
                continue;
            QStringList rows{claimRow(c)};
            for (const QString& no : controls)
                rows << controlRow(m_controls[m_controlIndex.value(code(no))]);
            if (sent)
                add(controls.isEmpty() ? QStringLiteral("sent-claim-without-control")
                                       : QStringLiteral("claim-in-two-controls"),
                    QStringLiteral("claim %1 is in \"KV\" and under %2 control numbers in force")
                        .arg(c.no)
                        .arg(controls.size()),
                    rows);
            else
                add(QStringLiteral("open-claim-in-control"),
                    QStringLiteral("claim %1 is in \"%2\" but under control number %3, which is in force")
                        .arg(c.no, c.status, controls.join(QStringLiteral(", "))),
                    rows);
        }
        for (const Control& c : m_controls)
            if (inForce(c.status) && membersOfControl.value(code(c.no)) == 0)
                add(QStringLiteral("empty-control"), QStringLiteral("control number %1 is in force without claims").arg(c.no),
                    {controlRow(c)});
    }

    void checkVouchers()
    {
        const Rows v = m_db.select(QStringLiteral("SELECT PVR_NO, Sent_Doc_Status, Fact_Code FROM T_PV ORDER BY PVR_NO"));
        struct Voucher {
            QString no, status, fact;
        };
        QHash<QString, Voucher> vouchers;
        for (int i = 0; i < v.count(); ++i) {
            Voucher x{v.text(i, QStringLiteral("PVR_NO")).trimmed(), code(v.text(i, QStringLiteral("Sent_Doc_Status"))),
                      code(v.text(i, QStringLiteral("Fact_Code")))};
            if (x.status != QLatin1String("A") && x.status != QLatin1String("C"))
                add(QStringLiteral("status"), QStringLiteral("voucher summary %1 has the unknown status \"%2\"").arg(x.no, x.status),
                    {QStringLiteral("T_PV PVR_NO=%1").arg(x.no)});
            vouchers.insert(code(x.no), x);
        }
        m_report.vouchers = v.count();
        auto voucherRow = [](const Voucher& x) {
            return QStringLiteral("T_PV PVR_NO=%1 status=%2 Fact_Code=%3").arg(x.no, x.status, x.fact);
        };

        QHash<QString, QStringList> vouchersOfControl; // in force only
        QHash<QString, int> membersOfVoucher;
        const Rows d = m_db.select(QStringLiteral("SELECT PVR_NO, Sent_KV_Doc_ID FROM T_PV_Detail ORDER BY PVR_NO, Order_No"));
        for (int i = 0; i < d.count(); ++i) {
            const QString pvr = d.text(i, QStringLiteral("PVR_NO")).trimmed();
            const QString controlNo = d.text(i, QStringLiteral("Sent_KV_Doc_ID")).trimmed();
            const QString member = QStringLiteral("T_PV_Detail PVR_NO=%1 Sent_KV_Doc_ID=%2").arg(pvr, controlNo);
            const int ci = m_controlIndex.value(code(controlNo), -1);
            if (!vouchers.contains(code(pvr)) || ci < 0) {
                add(QStringLiteral("orphan"),
                    QStringLiteral("voucher member row %1 / %2 names a voucher summary or control number that does not exist")
                        .arg(pvr, controlNo),
                    {member});
                continue;
            }
            const Voucher& x = vouchers[code(pvr)];
            ++membersOfVoucher[code(pvr)];
            if (x.status != QLatin1String("A"))
                continue;
            vouchersOfControl[code(controlNo)] << pvr;
            if (m_controls[ci].fact != x.fact)
                add(QStringLiteral("wrong-member"),
                    QStringLiteral("control number %1 of faculty %2 is in voucher summary %3 of faculty %4")
                        .arg(controlNo, m_controls[ci].fact, pvr, x.fact),
                    {controlRow(m_controls[ci]), voucherRow(x), member});
        }
        for (const Control& c : m_controls) {
            const QStringList in = vouchersOfControl.value(code(c.no));
            const bool paid = c.status == QLatin1String("P");
            if ((paid && in.size() == 1) || (!paid && in.isEmpty()))
                continue;
            QStringList rows{controlRow(c)};
            for (const QString& no : in)
                rows << voucherRow(vouchers[code(no)]);
            if (paid)
                add(in.isEmpty() ? QStringLiteral("paid-control-without-voucher") : QStringLiteral("control-in-two-vouchers"),
                    QStringLiteral("control number %1 is in \"P\" and in %2 voucher summaries in force").arg(c.no).arg(in.size()),
                    rows);
            else
                add(QStringLiteral("open-control-in-voucher"),
                    QStringLiteral("control number %1 is in \"%2\" but in voucher summary %3, which is in force")
                        .arg(c.no, c.status, in.join(QStringLiteral(", "))),
                    rows);
        }
        for (const Voucher& x : vouchers)
            if (x.status == QLatin1String("A") && membersOfVoucher.value(code(x.no)) == 0)
                add(QStringLiteral("empty-voucher"),
                    QStringLiteral("voucher summary %1 is in force without control numbers").arg(x.no), {voucherRow(x)});
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
        const Rows ids = m_db.select(QStringLiteral("SELECT %1 AS id FROM %2").arg(s.idColumn, s.idTable));
        for (int i = 0; i < ids.count(); ++i) {
            const QString id = code(ids.text(i, QStringLiteral("id")));
            const auto m = s.pattern.match(id);
            if (!m.hasMatch())
                continue; // not made by this program's series (imported history)
            QStringList key;
            for (int k = 0; k < s.keyColumns.size(); ++k)
                key << m.captured(k + 1);
            const qint64 n = m.captured(s.keyColumns.size() + 1).toLongLong();
            if (n > highest.value(key, 0)) {
                highest[key] = n;
                highestId[key] = id;
            }
        }
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
    QVector<Claim> m_claims;
    QHash<QString, int> m_claimIndex;
    QVector<Control> m_controls;
    QHash<QString, int> m_controlIndex;
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
