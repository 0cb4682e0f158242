#include "reports/Overview.h"

#include "claims/ClaimKind.h"
#include "common/AppError.h"
#include "common/Faculties.h"
#include "common/LoginContext.h"
#include "common/db/Database.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace wel::reports {

namespace {

const QString kOtherKinds = QStringLiteral("ประเภทอื่น");

// The name a chart gives a kind: the title of its entry screen without the
// menu number, the verb and a closing note in brackets ("2.1 บันทึกการเบิก
// ค่ารักษาพยาบาล" gives "ค่ารักษาพยาบาล"). The one place that reads a kind's name.
QString kindName(const claims::ClaimKind& k)
{
    static const QRegularExpression lead(QStringLiteral("^[0-9.\\s]*(การบันทึกข้อมูล|บันทึกการเบิก|บันทึก)?\\s*"));
    static const QRegularExpression note(QStringLiteral("\\s*\\([^)]*\\)$"));
    QString name = k.entry.title;
    name.remove(lead);
    name.remove(note);
    return name.isEmpty() ? k.identity.typeCode : name;
}

// "10/2568" ... "09/2569": the months of budget year y as Date_Ent holds them.
QStringList monthKeysOf(const QString& year)
{
    const int y = year.toInt();
    QStringList keys;
    for (int i = 0; i < kBudgetMonths; ++i) {
        const int month = (i + 9) % 12 + 1;
        keys << QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(month >= 10 ? y - 1 : y);
    }
    return keys;
}

QString monthLabel(const QString& key)
{
    static const QStringList names = {QStringLiteral("ม.ค."), QStringLiteral("ก.พ."), QStringLiteral("มี.ค."),
                                      QStringLiteral("เม.ย."), QStringLiteral("พ.ค."), QStringLiteral("มิ.ย."),
                                      QStringLiteral("ก.ค."), QStringLiteral("ส.ค."), QStringLiteral("ก.ย."),
                                      QStringLiteral("ต.ค."), QStringLiteral("พ.ย."), QStringLiteral("ธ.ค.")};
    return names.value(key.left(2).toInt() - 1) + u' ' + key.right(2);
}

// The conditions every claim figure shares: the year's entry months and the
// faculty of the employee. The month keys are bound one by one.
struct ClaimScope {
    QString join;  // the employee, when a faculty is chosen
    QString where;
    QVariantList params;
};

ClaimScope claimScope(Database& db, const OverviewScope& scope)
{
    ClaimScope s;
    const QStringList keys = monthKeysOf(scope.year);
    QStringList marks;
    for (const QString& k : keys) {
        marks << QStringLiteral("?");
        s.params << k;
    }
    s.where = QStringLiteral(" WHERE p.Berg_Doc_ID IS NOT NULL AND %1 IN (%2)")
                  .arg(db.substr(QStringLiteral("p.Date_Ent"), 4, 7), marks.join(u','));
    if (!scope.faculty.isEmpty()) {
        s.join = QStringLiteral(" INNER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID");
        s.where += QStringLiteral(" AND ") + db.ciEquals(QStringLiteral("h.Fact_code"));
        s.params << scope.faculty;
    }
    return s;
}

// The year's payable amounts by entry month, claim type, claim status and
// whether the claim's control number is in a voucher: what the month chart
// and the money chain are both made of, in one pass over the claims. Only a
// claim handed over looks its control number up (by the claim's index).
Rows claimGroups(Database& db, const OverviewScope& scope)
{
    const ClaimScope s = claimScope(db, scope);
    return db.select(
        QStringLiteral("SELECT M_Y, Berg_Type_Code, Berg_Doc_Status, In_Voucher, SUM(M_Can_Berg) AS Amount FROM "
                       "(SELECT %1 AS M_Y, p.Berg_Type_Code, p.Berg_Doc_Status, p.M_Can_Berg, "
                       "CASE WHEN p.Berg_Doc_Status = 'KV' AND EXISTS (SELECT 1 FROM T_Sent_KV s "
                       "INNER JOIN T_Sent_KV_Detail d ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                       "WHERE s.Berg_Doc_ID = p.Berg_Doc_ID AND d.Sent_Doc_Status = 'P') THEN 'P' ELSE 'N' END AS In_Voucher "
                       "FROM T_PAY_Health p%2%3) x GROUP BY M_Y, Berg_Type_Code, Berg_Doc_Status, In_Voucher")
            .arg(db.substr(QStringLiteral("p.Date_Ent"), 4, 7), s.join, s.where),
        s.params);
}

// As the claims-by-month report leaves them out ("<> 'NO'").
bool cancelledStatus(const QString& status) { return status == u"NO"; }

MonthlyClaims monthsOf(const Rows& rows, const QString& year)
{
    MonthlyClaims m;
    m.monthKeys = monthKeysOf(year);
    for (const QString& k : m.monthKeys)
        m.monthLabels << monthLabel(k);
    QHash<QString, int> kindOfType;
    for (const claims::ClaimKind* k : claims::claimKinds()) {
        kindOfType.insert(k->identity.typeCode.toUpper(), int(m.kinds.size()));
        m.kinds.push_back({kindName(*k), {}});
    }
    const int other = int(m.kinds.size());
    m.kinds.push_back({kOtherKinds, {}});
    for (int i = 0; i < rows.count(); ++i) {
        if (cancelledStatus(rows.text(i, QStringLiteral("Berg_Doc_Status"))))
            continue;
        const int month = int(m.monthKeys.indexOf(rows.text(i, QStringLiteral("M_Y"))));
        if (month < 0)
            continue;
        const int kind = kindOfType.value(rows.text(i, QStringLiteral("Berg_Type_Code")).trimmed().toUpper(), other);
        m.kinds[kind].months[size_t(month)] += rows.money(i, QStringLiteral("Amount"));
    }
    if (m.kinds.last().total().isZero())
        m.kinds.removeLast();
    return m;
}

MoneyChain chainOf(const Rows& rows)
{
    MoneyChain c;
    for (int i = 0; i < rows.count(); ++i) {
        const QString status = rows.text(i, QStringLiteral("Berg_Doc_Status"));
        const Money amount = rows.money(i, QStringLiteral("Amount"));
        if (cancelledStatus(status))
            c.cancelled += amount;
        else if (rows.text(i, QStringLiteral("In_Voucher")) == u"P")
            c.paid += amount;
        else if (status.compare(u"KV", Qt::CaseInsensitive) == 0)
            c.sent += amount;
        else
            c.open += amount;
    }
    return c;
}

// Active employees' yearly rows of the year, each with its faculty and right type.
Rows yearlyRows(Database& db, const OverviewScope& scope)
{
    QString sql = QStringLiteral("SELECT h.Fact_code, h.Emp_H_Type, y.Fact_T_H_Money, y.Fact_T_U_H, y.M_Flexben "
                                 "FROM T_Year_Cur_Health y INNER JOIN T_Emp_Gov_Histry h ON y.KV_ID = h.KV_ID "
                                 "WHERE y.Pay_Year = ? AND h.Emp_Status = 'A'");
    QVariantList params{scope.year};
    if (!scope.faculty.isEmpty()) {
        sql += QStringLiteral(" AND ") + db.ciEquals(QStringLiteral("h.Fact_code"));
        params << scope.faculty;
    }
    return db.select(sql, params);
}

QVector<FacultyLimit> facultiesOf(Database& db, const Rows& rows)
{
    QHash<QString, QString> names;
    for (const Faculties::Faculty& f : Faculties::all(db))
        names.insert(f.code.trimmed().toUpper(), f.name);
    QHash<QString, int> index;
    QVector<FacultyLimit> list;
    for (int i = 0; i < rows.count(); ++i) {
        const QString code = rows.text(i, QStringLiteral("Fact_code")).trimmed().toUpper();
        auto found = index.constFind(code);
        if (found == index.constEnd()) {
            found = index.insert(code, int(list.size()));
            list.push_back({code, names.value(code), 0, {}, {}, {}});
        }
        FacultyLimit& f = list[*found];
        ++f.employees;
        f.limit += rows.money(i, QStringLiteral("Fact_T_H_Money"));
        f.used += rows.money(i, QStringLiteral("Fact_T_U_H"));
        f.flex += rows.money(i, QStringLiteral("M_Flexben"));
    }
    std::sort(list.begin(), list.end(), [](const FacultyLimit& a, const FacultyLimit& b) {
        const double sa = a.shareUsed(), sb = b.shareUsed();
        return sa != sb ? sa > sb : a.code < b.code;
    });
    return list;
}

// The band of what is gone of a limit, in exact satang: a quarter is 25 %.
int bandOf(Money limit, Money gone)
{
    if (limit.satang() <= 0 || gone >= limit)
        return LimitProgress::kBands - 1;
    if (gone.satang() <= 0)
        return 0;
    return int(gone.satang() * 4 / limit.satang());
}

LimitProgress progressOf(const Rows& rows)
{
    LimitProgress p;
    for (int i = 0; i < rows.count(); ++i) {
        const QString type = rows.text(i, QStringLiteral("Emp_H_Type")).trimmed();
        const int t = type == u"1" ? 0 : type == u"2" ? 1 : 2;
        const Money gone = rows.money(i, QStringLiteral("Fact_T_U_H")) + rows.money(i, QStringLiteral("M_Flexben"));
        ++p.counts[size_t(t)][size_t(bandOf(rows.money(i, QStringLiteral("Fact_T_H_Money")), gone))];
    }
    return p;
}

} // namespace

OverviewScope overviewScope(const LoginContext& login, const QString& year, const QString& chosenFaculty)
{
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    const QString y = year.trimmed();
    if (!fourDigits.match(y).hasMatch())
        throw AppError(QStringLiteral("กรุณาระบุปีงบประมาณให้ถูกต้อง"));
    const bool finance = login.Cur_Mode == u"KV";
    return {y, (finance ? chosenFaculty : login.Cur_Fact_Code).trimmed().toUpper()};
}

Money MonthlyClaims::Kind::total() const
{
    Money t;
    for (const Money& m : months)
        t += m;
    return t;
}

Money MonthlyClaims::monthTotal(int month) const
{
    Money t;
    for (const Kind& k : kinds)
        t += k.months[size_t(month)];
    return t;
}

Money MonthlyClaims::total() const
{
    Money t;
    for (const Kind& k : kinds)
        t += k.total();
    return t;
}

double FacultyLimit::shareUsed() const
{
    return limit.satang() > 0 ? double((used + flex).satang()) / double(limit.satang()) : 0.0;
}

const QStringList& LimitProgress::bandLabels()
{
    static const QStringList labels = {QStringLiteral("0–25 %"), QStringLiteral("25–50 %"), QStringLiteral("50–75 %"),
                                       QStringLiteral("75–100 %"), QStringLiteral("ใช้หมดแล้ว")};
    return labels;
}

const QStringList& LimitProgress::typeLabels()
{
    static const QStringList labels = {QStringLiteral("ประเภท 1"), QStringLiteral("ประเภท 2"), QStringLiteral("ประเภท 3")};
    return labels;
}

int LimitProgress::total() const
{
    int n = 0;
    for (const auto& type : counts)
        for (int c : type)
            n += c;
    return n;
}

const QStringList& MoneyChain::labels()
{
    static const QStringList labels = {QStringLiteral("ที่คณะ (FC)"), QStringLiteral("ส่งกองคลัง (KV)"),
                                       QStringLiteral("ใบสำคัญจ่าย (P)"), QStringLiteral("ยกเลิก")};
    return labels;
}

MonthlyClaims claimsPerMonth(Database& db, const OverviewScope& scope)
{
    return monthsOf(claimGroups(db, scope), scope.year);
}

MoneyChain moneyChain(Database& db, const OverviewScope& scope)
{
    return chainOf(claimGroups(db, scope));
}

QVector<FacultyLimit> limitsByFaculty(Database& db, const OverviewScope& scope)
{
    return facultiesOf(db, yearlyRows(db, scope));
}

LimitProgress limitProgress(Database& db, const OverviewScope& scope)
{
    return progressOf(yearlyRows(db, scope));
}

QVector<HospitalAmount> topHospitals(Database& db, const OverviewScope& scope)
{
    const ClaimScope s = claimScope(db, scope);
    const Rows rows = db.select(QStringLiteral("SELECT r.Hospital_Name, SUM(r.P_money) AS Amount FROM T_Reciept r "
                                               "INNER JOIN T_PAY_Health p ON r.Berg_Doc_ID = p.Berg_Doc_ID%1%2 "
                                               "AND p.Berg_Doc_Status <> 'NO' AND r.Hospital_Name IS NOT NULL "
                                               "GROUP BY r.Hospital_Name")
                                    .arg(s.join, s.where),
                                s.params);
    // Names typed with blanks around them are the same hospital.
    QHash<QString, Money> byName;
    for (int i = 0; i < rows.count(); ++i) {
        const QString name = rows.text(i, QStringLiteral("Hospital_Name")).simplified();
        if (!name.isEmpty())
            byName[name] += rows.money(i, QStringLiteral("Amount"));
    }
    QVector<HospitalAmount> list;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        list.push_back({it.key(), it.value()});
    std::sort(list.begin(), list.end(), [](const HospitalAmount& a, const HospitalAmount& b) {
        return a.amount != b.amount ? a.amount > b.amount : a.name < b.name;
    });
    if (list.size() > kTopHospitals)
        list.resize(kTopHospitals);
    return list;
}

Overview readOverview(Database& db, const OverviewScope& scope)
{
    Transaction tx(db);
    Overview o;
    o.scope = scope;
    if (!scope.faculty.isEmpty()) {
        o.facultyName = Faculties::nameOf(db, scope.faculty);
        if (o.facultyName.isEmpty())
            throw AppError(QStringLiteral("ไม่พบรหัสส่วนงาน %1 กรุณาใส่รหัสส่วนงานให้ถูกต้อง").arg(scope.faculty));
    }
    const Rows claims = claimGroups(db, scope);
    o.months = monthsOf(claims, scope.year);
    o.chain = chainOf(claims);
    const Rows yearly = yearlyRows(db, scope);
    o.faculties = facultiesOf(db, yearly);
    o.progress = progressOf(yearly);
    o.hospitals = topHospitals(db, scope);
    tx.commit();
    return o;
}

QString scopeText(const Overview& o)
{
    return o.scope.faculty.isEmpty() ? QStringLiteral("ทุกคณะ")
                                     : Faculties::itemText({o.scope.faculty, o.facultyName});
}

} // namespace wel::reports
