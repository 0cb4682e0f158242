// The management overview's figures against the bare SQL they need: the
// claims of the budget year by month, type and state, the active employees'
// yearly rows, and the hospitals' receipts, each reduced in memory.
#include "BareSql.h"
#include "Workload.h"
#include "common/Money.h"
#include "reports/Overview.h"

#include <QHash>
#include <algorithm>

namespace wel::bench {

namespace {

struct Figures {
    Money months, chain;
    int faculties = 0, employees = 0, hospitals = 0;
    Money hospitalsTotal;
    QString text() const
    {
        return QStringLiteral("months %1, chain %2, faculties %3, employees %4, hospitals %5 (%6)")
            .arg(months.toDisplay(), chain.toDisplay())
            .arg(faculties)
            .arg(employees)
            .arg(hospitals)
            .arg(hospitalsTotal.toDisplay());
    }
};

Figures programFigures(Database& db, const reports::OverviewScope& scope)
{
    const reports::Overview o = reports::readOverview(db, scope);
    Figures f{o.months.total(), o.chain.total(), int(o.faculties.size()), o.progress.total(), int(o.hospitals.size()), {}};
    for (const reports::HospitalAmount& h : o.hospitals)
        f.hospitalsTotal += h.amount;
    return f;
}

QStringList monthKeys(const QString& year)
{
    QStringList keys;
    for (int i = 0; i < 12; ++i) {
        const int month = (i + 9) % 12 + 1;
        keys << QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(month >= 10 ? year.toInt() - 1 : year.toInt());
    }
    return keys;
}

Figures bareFigures(BareSql& sql, const reports::OverviewScope& scope)
{
    QVariantList params;
    for (const QString& k : monthKeys(scope.year))
        params << k;
    QString join, where = QStringLiteral(" WHERE p.Berg_Doc_ID IS NOT NULL AND SUBSTR(p.Date_Ent, 4, 7) IN (?,?,?,?,?,?,?,?,?,?,?,?)");
    if (!scope.faculty.isEmpty()) {
        join = QStringLiteral(" INNER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID");
        where += QStringLiteral(" AND UPPER(h.Fact_code) = ?");
        params << scope.faculty;
    }
    Figures f;
    sql.each(QStringLiteral("SELECT Berg_Doc_Status, In_Voucher, SUM(M_Can_Berg) FROM (SELECT SUBSTR(p.Date_Ent, 4, 7) AS M_Y, "
                            "p.Berg_Type_Code, p.Berg_Doc_Status, p.M_Can_Berg, CASE WHEN p.Berg_Doc_Status = 'KV' AND EXISTS "
                            "(SELECT 1 FROM T_Sent_KV s INNER JOIN T_Sent_KV_Detail d ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                            "WHERE s.Berg_Doc_ID = p.Berg_Doc_ID AND d.Sent_Doc_Status = 'P') THEN 'P' ELSE 'N' END AS In_Voucher "
                            "FROM T_PAY_Health p%1%2) x GROUP BY M_Y, Berg_Type_Code, Berg_Doc_Status, In_Voucher")
                 .arg(join, where),
             params, [&](QSqlQuery& q) {
                 const Money m = Money::fromVariant(q.value(2));
                 f.chain += m;
                 if (q.value(0).toString() != QLatin1String("NO"))
                     f.months += m;
             });
    QVariantList yearParams{scope.year};
    QString yearWhere;
    if (!scope.faculty.isEmpty()) {
        yearWhere = QStringLiteral(" AND UPPER(h.Fact_code) = ?");
        yearParams << scope.faculty;
    }
    // per faculty its name and sums; per right type and band a count
    QHash<QString, std::pair<QString, std::array<Money, 3>>> faculties;
    std::array<std::array<int, 5>, 3> bands{};
    sql.each(QStringLiteral("SELECT h.Fact_code, f.Fact_Name, h.Emp_H_Type, y.Fact_T_H_Money, y.Fact_T_U_H, y.M_Flexben "
                            "FROM T_Year_Cur_Health y INNER JOIN T_Emp_Gov_Histry h ON y.KV_ID = h.KV_ID "
                            "LEFT OUTER JOIN T_Fact f ON h.Fact_code = f.Fact_Code "
                            "WHERE y.Pay_Year = ? AND h.Emp_Status = 'A'")
                 + yearWhere,
             yearParams, [&](QSqlQuery& q) {
                 const Money limit = Money::fromVariant(q.value(3)), used = Money::fromVariant(q.value(4)),
                             flex = Money::fromVariant(q.value(5));
                 auto& fac = faculties[q.value(0).toString().toUpper()];
                 fac.first = q.value(1).toString();
                 fac.second[0] += limit;
                 fac.second[1] += used;
                 fac.second[2] += flex;
                 const Money gone = used + flex;
                 const int band = limit.satang() <= 0 || gone >= limit ? 4 : int(std::max<qint64>(gone.satang(), 0) * 4 / limit.satang());
                 const QString type = q.value(2).toString().trimmed();
                 ++bands[type == QLatin1String("1") ? 0 : type == QLatin1String("2") ? 1 : 2][size_t(band)];
                 ++f.employees;
             });
    f.faculties = int(faculties.size());
    QVector<std::pair<Money, QString>> hospitals;
    sql.each(QStringLiteral("SELECT r.Hospital_Name, SUM(r.P_money) FROM T_Reciept r "
                            "INNER JOIN T_PAY_Health p ON r.Berg_Doc_ID = p.Berg_Doc_ID%1%2 "
                            "AND p.Berg_Doc_Status <> 'NO' AND r.Hospital_Name IS NOT NULL GROUP BY r.Hospital_Name")
                 .arg(join, where),
             params, [&](QSqlQuery& q) {
                 hospitals.push_back({Money::fromVariant(q.value(1)), q.value(0).toString()});
             });
    std::sort(hospitals.begin(), hospitals.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    hospitals.resize(std::min<qsizetype>(hospitals.size(), reports::kTopHospitals));
    f.hospitals = int(hospitals.size());
    for (const auto& h : hospitals)
        f.hospitalsTotal += h.first;
    return f;
}

} // namespace

Comparison overviewComparison(Database& db, BareSql& bare, const QString& budYear)
{
    const QString busiest = db.select(QStringLiteral("SELECT Fact_code, COUNT(*) AS n FROM T_Emp_Gov_Histry "
                                                     "GROUP BY Fact_code ORDER BY n DESC, Fact_code"))
                                .text(0, QStringLiteral("Fact_code"))
                                .toUpper();
    const QVector<reports::OverviewScope> scopes = {{budYear, QString()}, {budYear, busiest}};
    Database* pdb = &db;
    BareSql* psql = &bare;
    auto print = [](const QVector<Figures>& all) {
        QStringList out;
        for (const Figures& f : all)
            out << f.text();
        return out.join(QStringLiteral("; "));
    };
    return {QStringLiteral("overview"),
            QStringLiteral("budget year %1, every faculty and %2").arg(budYear, busiest),
            sideOf(scopes, [pdb](const reports::OverviewScope& s) { return programFigures(*pdb, s); }, print),
            sideOf(scopes, [psql](const reports::OverviewScope& s) { return bareFigures(*psql, s); }, print),
            true, nullptr, 101};
}

} // namespace wel::bench
