#include "Workload.h"
#include "BareSql.h"
#include "ClaimSave.h"
#include "Random.h"
#include "People.h"
#include "Written.h"
#include "claims/ClaimKind.h"
#include "claims/ClaimSummaryService.h"
#include "common/AppError.h"
#include "common/DateFilter.h"
#include "common/LoginContext.h"
#include "common/EmployeeSearch.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

#include <algorithm>
#include <QDate>
#include <QHash>
#include <memory>

namespace wel::bench {

namespace {

QString thaiOrder(DbKind kind, const QString& column)
{
    return column + (kind == DbKind::SQLite ? QStringLiteral(" COLLATE THAI") : QStringLiteral(" COLLATE \"th-TH-x-icu\""));
}

QString fingerprint(const QStringList& keys, Money total = Money())
{
    return QStringLiteral("%1 rows %2 total %3").arg(keys.size()).arg(keys.join(QLatin1Char(','))).arg(total.toPlain());
}

// ---- employee search ------------------------------------------------------

QVector<EmployeeSummary> bareSearch(BareSql& sql, const EmployeeQuery& q)
{
    QString where;
    QVariantList params;
    switch (q.by) {
    case EmployeeSearchBy::Name:
        where = QStringLiteral(" AND Emp_F_Name LIKE ? ESCAPE '!'");
        params << q.text + QLatin1Char('%');
        if (!q.lastName.isEmpty()) {
            where += QStringLiteral(" AND Emp_L_Name LIKE ? ESCAPE '!'");
            params << q.lastName + QLatin1Char('%');
        }
        break;
    case EmployeeSearchBy::EmpId:
        // SQLite's LIKE ignores the case of Latin letters by itself
        where = sql.kind() == DbKind::SQLite ? QStringLiteral(" AND EMP_ID LIKE ? ESCAPE '!'")
                                             : QStringLiteral(" AND UPPER(EMP_ID) LIKE ? ESCAPE '!'");
        params << q.text.toUpper() + QLatin1Char('%');
        break;
    case EmployeeSearchBy::Ssn:
        where = QStringLiteral(" AND Emp_SSN LIKE ? ESCAPE '!'");
        params << q.text + QLatin1Char('%');
        break;
    }
    if (!q.factCode.isEmpty()) {
        where += QStringLiteral(" AND UPPER(Fact_code) = ?");
        params << q.factCode.toUpper();
    }
    QString order = thaiOrder(sql.kind(), QStringLiteral("Emp_F_Name"));
    if (q.orderByLastName)
        order += QStringLiteral(", ") + thaiOrder(sql.kind(), QStringLiteral("Emp_L_Name"));
    QVector<EmployeeSummary> list;
    sql.each(QStringLiteral("SELECT KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, Emp_L_Name, Emp_H_Type, "
                            "Emp_Position, Fact_code, Emp_Status FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A'")
                 + where + QStringLiteral(" ORDER BY ") + order + QStringLiteral(", KV_ID"),
             params, [&](QSqlQuery& r) {
                 list.push_back({r.value(0).toString(), r.value(1).toString(), r.value(2).toString(),
                                 r.value(3).toString(), r.value(4).toString(), r.value(5).toString(),
                                 r.value(6).toString(), r.value(7).toString(), r.value(8).toString(),
                                 r.value(9).toString()});
             });
    return list;
}

QString searchFingerprint(const QVector<QVector<EmployeeSummary>>& results)
{
    QStringList keys;
    for (const auto& list : results)
        for (const EmployeeSummary& e : list)
            keys << e.KV_ID + e.Emp_F_Name + e.Fact_code;
    return fingerprint(keys);
}

// ---- listings -------------------------------------------------------------

struct ListedClaim {
    QString Berg_Doc_ID, EMP_ID, name, date;
    Money amount;
};

QString listingFingerprint(const QVector<QVector<ListedClaim>>& results)
{
    QStringList keys;
    Money total;
    for (const auto& list : results)
        for (const ListedClaim& c : list) {
            keys << c.Berg_Doc_ID + c.EMP_ID + c.date;
            total += c.amount;
        }
    return fingerprint(keys, total);
}

QString fullName(const QString& title, const QString& first, const QString& last)
{
    return title + first + QStringLiteral("  ") + last;
}

struct MonthCase {
    QString fact, month; // "mm/yyyy"
};

// A finance clerk (mode "KV") working on the faculty typed into the screen.
LoginContext financeClerk(const QString& today, const QString& budYear)
{
    LoginContext l;
    l.Cur_Date = today;
    l.Cur_Bud_Year = budYear;
    l.Cur_Fact_Code = QStringLiteral("KV");
    l.Cur_Mode = QStringLiteral("KV");
    l.Cur_Username = QStringLiteral("bench");
    return l;
}

// A faculty's outpatient and in-patient claims entered in a month, as the
// reprint screen lists them.
QVector<ListedClaim> reprintMonthProject(Database& db, const MonthCase& c)
{
    const auto rows = claims::ClaimListings::claimsForReprint(db, financeClerk(QString(), QString()), claims::outpatient(),
                                                              c.fact, {DateFilter::Month, c.month});
    QVector<ListedClaim> list;
    for (const claims::ReprintRow& r : rows)
        list.push_back({r.claimNo, r.empId, r.name, r.dateEnt, r.payable});
    return list;
}

QVector<ListedClaim> reprintMonthBare(BareSql& sql, const MonthCase& c)
{
    QVector<ListedClaim> list;
    sql.each(QStringLiteral("SELECT h.Berg_Doc_ID, e.EMP_ID, e.Emp_Surname, e.Emp_F_Name, e.Emp_L_Name, h.M_Can_Berg, "
                            "h.Date_Ent FROM T_PAY_Health h LEFT OUTER JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                            "WHERE UPPER(h.Fact_Code) = UPPER(?) AND h.Berg_Type_Code IN ('FAE', 'HPE') "
                            "AND h.Berg_Doc_Status <> 'NO' "
                            "AND SUBSTR(h.Date_Ent, 4, 7) = ? ORDER BY h.Date_Ent, h.Berg_Doc_ID"),
             {c.fact.toUpper(), c.month}, [&](QSqlQuery& r) {
                 list.push_back({r.value(0).toString(), r.value(1).toString(),
                                 fullName(r.value(2).toString(), r.value(3).toString(), r.value(4).toString()),
                                 r.value(6).toString(), Money::fromVariant(r.value(5))});
             });
    return list;
}

struct SummaryCase {
    QString fact, type, year, inOut;
};

// A faculty's open claims of one kind, year and patient type, as the summary
// screen lists them for marking.
QVector<ListedClaim> summaryProject(Database& db, const SummaryCase& c)
{
    const auto rows = claims::ClaimSummary::listOpen(db, financeClerk(QString(), c.year), claims::outpatient(), c.fact,
                                                     c.year, c.inOut);
    QVector<ListedClaim> list;
    for (const claims::SummaryRow& r : rows)
        list.push_back({r.claimNo, r.empId, r.name, r.dateBerg, r.payable});
    return list;
}

QVector<ListedClaim> summaryBare(BareSql& sql, const SummaryCase& c)
{
    QVector<ListedClaim> list;
    sql.each(QStringLiteral("SELECT h.Berg_Doc_ID, h.Date_berg, h.M_Can_Berg, h.T_M_Berg, h.KV_ID, h.Pay_Year, e.EMP_ID, "
                            "e.Emp_Surname, e.Emp_F_Name, e.Emp_L_Name FROM T_PAY_Health h LEFT OUTER JOIN "
                            "T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID WHERE h.Berg_Doc_Status = 'FC' "
                            "AND UPPER(h.Fact_Code) = UPPER(?) "
                            "AND h.Pay_Year = ? AND h.Ent_From = 'HRR' AND h.Berg_Type_Code = ? "
                            "AND h.Health_In_Out_t = ? ORDER BY h.Berg_Doc_ID"),
             {c.fact.toUpper(), c.year, c.type, c.inOut}, [&](QSqlQuery& r) {
                 list.push_back({r.value(0).toString(), r.value(6).toString(),
                                 fullName(r.value(7).toString(), r.value(8).toString(), r.value(9).toString()),
                                 r.value(1).toString(), Money::fromVariant(r.value(2))});
             });
    return list;
}

// ---- the cases --------------------------------------------------------------

struct Cases {
    QString budYear, today;
    QVector<EmployeeQuery> searches;
    QVector<MonthCase> months;
    QVector<SummaryCase> summaries;
    // The same listings of a unit of fixed headcount: their rows do not grow
    // with the installation (empty on a database without such a unit).
    QVector<MonthCase> fixedMonths;
    QVector<SummaryCase> fixedSummaries;
    QVector<ClaimInput> claims; // a pool; each save takes the next
    int nextClaim = 0;
    int nextInpatient = 0;
    QVector<ClaimInput> copayClaims; // right type "2", medical limit used up
    int nextCopay = 0;
    QStringList saved;
};

// A save line's calls of one side in a sample, six saves each. Between two
// give-backs (Comparison::betweenSamples) a line makes at most one sample's
// calls on both sides.
constexpr int kMostSaveCalls = 15;
constexpr int kSavesBetweenGiveBacks = 2 * 6 * kMostSaveCalls;
constexpr int kMostReceipts = 6;
// The receipts of a claim are 150.00 to 1,800.25 baht; a co-pay claim's a
// tenth of that, one baht at least.
constexpr qint64 kMostReceiptSatang = 180025;
constexpr Money kLargestClaim = Money::fromSatang(kMostReceipts * kMostReceiptSatang);
constexpr Money kLargestCopayClaim = Money::fromSatang(kMostReceipts * kMostReceiptSatang / 10 + kMostReceipts);

Money copayAmountOf(Money outpatient) { return Money::fromSatang(std::max<qint64>(100, outpatient.satang() / 10)); }

void pickClaimPool(Database& db, Cases& c, const QDate& today, Random& rnd);

int fixedUnitHeadcount(const QString& code)
{
    for (const Faculty& f : standardFaculties())
        if (f.code == code)
            return f.headcount;
    return 0;
}

const QString kHospitals[] = {QStringLiteral("โรงพยาบาลมหาวิทยาลัย"), QStringLiteral("โรงพยาบาลนครพิงค์"),
                              QStringLiteral("คลินิกเวชกรรมใกล้บ้าน")};

void pickCases(Database& db, Cases& c)
{
    Random rnd(7);
    try {
        c.budYear = db.select(QStringLiteral("SELECT MAX(Berg_Year) AS y FROM T_Berg_Runno")).text(0, QStringLiteral("y"));
    } catch (const DbError&) {
        // no tables: not a database of this program yet
    }
    if (c.budYear.isEmpty())
        throw AppError(QStringLiteral("no claims: run welmora-bench generate first"));

    // busiest faculties by open outpatient claims of the year
    const Rows open = db.select(QStringLiteral("SELECT Fact_Code, COUNT(*) AS n FROM T_PAY_Health WHERE Pay_Year = ? "
                                               "AND Berg_Doc_Status = 'FC' AND Berg_Type_Code = 'FAE' "
                                               "GROUP BY Fact_Code ORDER BY n DESC, Fact_Code"),
                                {c.budYear});
    QStringList busiest;
    for (int i = 0; i < open.count() && busiest.size() < 3; ++i)
        busiest << open.text(i, QStringLiteral("Fact_Code"));
    if (busiest.isEmpty())
        throw AppError(QStringLiteral("no open claims in %1: generate again").arg(c.budYear));

    // the last entry date of the busiest faculty's series stands for today
    const Rows last = db.select(QStringLiteral("SELECT Date_Ent FROM T_PAY_Health WHERE Berg_Doc_ID = "
                                               "(SELECT MAX(Berg_Doc_ID) FROM T_PAY_Health WHERE Berg_Doc_ID LIKE ?)"),
                                {busiest.first() + c.budYear + QStringLiteral("/%")});
    c.today = last.text(0, QStringLiteral("Date_Ent"));
    const auto today = parseBEText(c.today);
    if (!today)
        throw AppError(QStringLiteral("cannot read the entry date %1").arg(c.today));
    const QString month = monthYearOf(toBEText(today->addMonths(-1)));
    for (const QString& f : busiest)
        c.months.push_back({f, month});
    c.months.push_back({open.text(open.count() - 1, QStringLiteral("Fact_Code")), month});

    for (const QString& f : busiest)
        c.summaries.push_back({f, QStringLiteral("FAE"), c.budYear, QStringLiteral("0")});
    c.summaries.push_back({busiest.first(), QStringLiteral("FAE"), c.budYear, QStringLiteral("1")});

    for (const Faculty& f : standardFaculties()) {
        if (f.headcount <= 0)
            continue;
        for (int i = 0; i < open.count(); ++i) {
            if (open.text(i, QStringLiteral("Fact_Code")) != f.code)
                continue;
            // its busiest month: about as many claims at every scale
            const Rows busiestMonth = db.select(
                QStringLiteral("SELECT SUBSTR(Date_Ent, 4, 7) AS m, COUNT(*) AS n FROM T_PAY_Health "
                               "WHERE Fact_Code = ? AND Berg_Type_Code IN ('FAE', 'HPE') AND Berg_Doc_Status <> 'NO' "
                               "GROUP BY SUBSTR(Date_Ent, 4, 7) ORDER BY n DESC, m DESC"),
                {f.code});
            c.fixedMonths.push_back({f.code, busiestMonth.isEmpty() ? month : busiestMonth.text(0, QStringLiteral("m"))});
            c.fixedSummaries.push_back({f.code, QStringLiteral("FAE"), c.budYear, QStringLiteral("0")});
        }
    }

    // employees to search for, as clerks type them
    const Rows staff = db.select(QStringLiteral("SELECT KV_ID, EMP_ID, Emp_SSN, Emp_F_Name, Emp_L_Name, Fact_code, "
                                                "Emp_H_Type FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A' ORDER BY KV_ID"));
    auto someone = [&] { return rnd.between(0, staff.count() - 1); };
    auto t = [&](int row, const char* column) { return staff.text(row, QString::fromLatin1(column)); };
    for (int i = 0; i < 12; ++i) {
        const int p = someone();
        EmployeeQuery q;
        if (i < 4) { // a faculty clerk types the first characters of the given name
            q.text = t(p, "Emp_F_Name").left(2);
            q.factCode = t(p, "Fact_code");
        } else if (i < 6) {
            q.text = t(p, "Emp_F_Name").left(3);
            q.lastName = t(p, "Emp_L_Name").left(2);
            q.factCode = t(p, "Fact_code");
        } else if (i < 8) { // the finance division, all faculties, the whole given name
            q.text = t(p, "Emp_F_Name");
        } else if (i < 10) {
            q.by = EmployeeSearchBy::EmpId;
            q.text = t(p, "EMP_ID").left(5).toLower();
            q.factCode = t(p, "Fact_code");
        } else {
            q.by = EmployeeSearchBy::Ssn;
            q.text = t(p, "Emp_SSN");
        }
        c.searches.push_back(q);
    }

    pickClaimPool(db, c, *today, rnd);
}

// The largest number of candidates (their room in descending order) that can
// each take their share of the saves made between two give-backs, every
// claim at most `largest`: the n-th candidate must have room for
// ceil(kSavesBetweenGiveBacks / n) claims. At most `most`.
int poolSize(const QVector<Money>& roomDescending, Money largest, int most)
{
    int best = 0;
    for (int n = 1; n <= std::min<int>(most, roomDescending.size()); ++n) {
        const int share = (kSavesBetweenGiveBacks + n - 1) / n;
        if (roomDescending[n - 1] >= Money::fromSatang(largest.satang() * share))
            best = n;
    }
    return best;
}

// The KV_IDs of the n candidates with the most room (ties by KV_ID), in
// KV_ID order so that the saves go round the faculties.
QStringList mostRoom(QVector<std::pair<Money, QString>> candidates, Money largest, int most)
{
    std::sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QVector<Money> room;
    for (const auto& c : candidates)
        room << c.first;
    QStringList chosen;
    for (int i = 0; i < poolSize(room, largest, most); ++i)
        chosen << candidates[i].second;
    chosen.sort();
    return chosen;
}

// Employees of right type "1" with room left this year, and their families.
// However small the installation, every one of them can take his share of a
// sample's saves (the saves are given back between samples).
void pickClaimPool(Database& db, Cases& c, const QDate& today, Random& rnd)
{
    const Rows room = db.select(QStringLiteral("SELECT y.KV_ID, y.Fact_T_H_Money, y.Fact_T_U_H, y.M_Flexben, e.Fact_code "
                                               "FROM T_Year_Cur_Health y INNER JOIN T_Emp_Gov_Histry e "
                                               "ON e.KV_ID = y.KV_ID WHERE y.Pay_Year = ? AND e.Emp_Status = 'A' "
                                               "AND e.Emp_H_Type = '1' ORDER BY y.KV_ID"),
                                {c.budYear});
    QVector<std::pair<Money, QString>> candidates;
    QHash<QString, QString> factOf;
    for (int i = 0; i < room.count(); ++i) {
        const QString kvId = room.text(i, QStringLiteral("KV_ID"));
        candidates.push_back({room.money(i, QStringLiteral("Fact_T_H_Money")) - room.money(i, QStringLiteral("Fact_T_U_H"))
                                  - room.money(i, QStringLiteral("M_Flexben")),
                              kvId});
        factOf.insert(kvId, room.text(i, QStringLiteral("Fact_code")));
    }
    // Receipts within the budget year of the claim, as the entry accepts them.
    const QDate yearStart(c.budYear.toInt() - 544, 10, 1);
    for (const QString& kvId : mostRoom(candidates, kLargestClaim, 400)) {
        ClaimInput in;
        in.kvId = kvId;
        in.fact = factOf.value(kvId);
        in.payYear = c.budYear;
        in.budYear = c.budYear;
        in.dateEnt = c.today;
        in.dateBerg = c.today;
        in.user = in.fact.toLower() + QStringLiteral("clerk");
        in.userType = QStringLiteral("U");
        in.inOut = QStringLiteral("0");
        // The in-patient and co-pay saves reuse the pool: patients every
        // medical kind takes (not a fourth child).
        const Rows folk = db.select(QStringLiteral("SELECT Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday "
                                                   "FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk <> '7' "
                                                   "ORDER BY Emp_Folk"),
                                    {in.kvId});
        const int receipts = int(c.claims.size() % kMostReceipts) + 1;
        for (int k = 0; k < receipts; ++k) {
            const int f = k == 0 ? 0 : rnd.between(0, folk.count() - 1);
            const QDate day = std::max(yearStart, today.addDays(-rnd.between(1, 60)));
            in.receipts.push_back({folk.text(f, QStringLiteral("Emp_Folk")), toBEText(day), kHospitals[k % 3],
                                   folk.text(f, QStringLiteral("EF_Surname")), folk.text(f, QStringLiteral("EF_F_Name")),
                                   folk.text(f, QStringLiteral("EF_L_Name")), folk.text(f, QStringLiteral("EF_Birthday")),
                                   Money::fromSatang(rnd.between(150, 1800) * 100 + (k % 2) * 25)});
        }
        c.claims.push_back(in);
    }
    if (c.claims.size() < 2)
        throw AppError(QStringLiteral("too few employees of right type 1 with room left in %1 to save claims for")
                           .arg(c.budYear));
    // The hospital saves in-patient claims for the same employees, from the
    // other end of the pool.
    c.nextInpatient = int(c.claims.size()) / 2;
}

// Co-pay claims need employees of right type "2" whose medical limit is used
// up and whose co-pay limit has room. The generated year has few, so the
// medical limit of some is used up first by an outpatient claim saved through
// the program (the usage stays consistent with the claims).
void prepareCopayPool(Database& db, Cases& c)
{
    const Rows staff = db.select(QStringLiteral("SELECT y.KV_ID, y.Fact_T_H_Money, y.Fact_T_U_H, y.M_Flexben, "
                                                "y.Fact_T_Copay, y.Fact_U_Copay, e.Fact_code "
                                                "FROM T_Year_Cur_Health y INNER JOIN T_Emp_Gov_Histry e "
                                                "ON e.KV_ID = y.KV_ID WHERE y.Pay_Year = ? AND e.Emp_Status = 'A' "
                                                "AND e.Emp_H_Type = '2' ORDER BY y.KV_ID"),
                                 {c.budYear});
    QVector<std::pair<Money, QString>> candidates;
    QHash<QString, int> rowOf;
    for (int i = 0; i < staff.count(); ++i) {
        const QString kvId = staff.text(i, QStringLiteral("KV_ID"));
        candidates.push_back(
            {staff.money(i, QStringLiteral("Fact_T_Copay")) - staff.money(i, QStringLiteral("Fact_U_Copay")), kvId});
        rowOf.insert(kvId, i);
    }
    for (const QString& kvId : mostRoom(candidates, kLargestCopayClaim, 600)) {
        const int i = rowOf.value(kvId);
        const ClaimInput& model = c.claims[c.copayClaims.size() % c.claims.size()];
        ClaimInput in = model;
        in.kvId = kvId;
        in.fact = staff.text(i, QStringLiteral("Fact_code"));
        in.user = in.fact.toLower() + QStringLiteral("clerk");
        in.typeCode = QStringLiteral("COP");
        // The co-pay claims are the employee's own receipts, a tenth of the
        // outpatient amounts, so that the co-pay limits of the pool last.
        for (ClaimInput::Receipt& r : in.receipts)
            r = {QStringLiteral("0"), r.date, r.hospital, QStringLiteral("นาย"), QStringLiteral("ผู้เบิก"),
                 QStringLiteral("ร่วมจ่าย"), QString(), copayAmountOf(r.amount)};
        const Money left = staff.money(i, QStringLiteral("Fact_T_H_Money")) - staff.money(i, QStringLiteral("Fact_T_U_H"))
            - staff.money(i, QStringLiteral("M_Flexben"));
        if (left > Money()) {
            ClaimInput useUp = in;
            useUp.typeCode = QStringLiteral("FAE");
            useUp.receipts.resize(1);
            useUp.receipts.first().amount = left;
            saveClaimProject(db, useUp);
        }
        c.copayClaims.push_back(in);
    }
    if (c.copayClaims.size() < 2)
        throw AppError(QStringLiteral("too few employees of right type 2 with co-pay room in %1").arg(c.budYear));
}

int cancelClaims(Database& db, const QStringList& ids)
{
    const QString lock = db.kind() == DbKind::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
    int cancelled = 0;
    Transaction tx(db);
    for (const QString& id : ids) {
        const Rows claim = db.select(QStringLiteral("SELECT KV_ID, Pay_Year, M_Can_Berg, Berg_Type_Code FROM T_PAY_Health "
                                                    "WHERE Berg_Doc_ID = ? AND Berg_Doc_Status = 'FC'"),
                                     {id});
        if (claim.isEmpty())
            continue;
        // A co-pay claim gives back to the co-pay limit, the others to the medical one.
        const QString column = claim.text(0, QStringLiteral("Berg_Type_Code")).trimmed() == QLatin1String("COP")
                                   ? QStringLiteral("Fact_U_Copay")
                                   : QStringLiteral("Fact_T_U_H");
        const QVariantList year{claim.text(0, QStringLiteral("KV_ID")), claim.text(0, QStringLiteral("Pay_Year"))};
        const Rows used = db.select(QStringLiteral("SELECT %1 AS u FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?")
                                            .arg(column)
                                        + lock,
                                    year);
        if (used.isEmpty())
            continue;
        db.exec(QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'NO' WHERE Berg_Doc_ID = ? AND Berg_Doc_Status = 'FC'"),
                {id});
        const Money back = used.money(0, QStringLiteral("u")) - claim.money(0, QStringLiteral("M_Can_Berg"));
        db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ? WHERE KV_ID = ? AND Pay_Year = ?").arg(column),
                QVariantList{back.toSql()} + year);
        ++cancelled;
    }
    tx.commit();
    return cancelled;
}

// What a save wrote: the claim (its number and time aside), its lines and
// receipts, and the yearly row it charged.
QString saveWritten(const RowReader& read, const QString& id, const ClaimInput& in)
{
    return writtenSummary(QStringLiteral("claim"),
                          read(QStringLiteral("SELECT M_Can_Berg, KV_ID, Pay_Year, Date_berg, T_M_Berg, Date_Ent, "
                                              "Vong_M_Befor, Berg_Doc_Status, User_Type, Ent_From, Health_In_Out_t, "
                                              "Fact_Code, Berg_Type_Code, Ent_User FROM T_PAY_Health WHERE Berg_Doc_ID = ?"),
                               {id}),
                          0)
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("lines"),
                         read(QStringLiteral("SELECT HM_Can_Berg, Emp_Folk, KV_ID, Health_In_Out_t, M_Berg "
                                             "FROM T_Pay_Health_Detail WHERE Berg_Doc_ID = ? ORDER BY Emp_Folk"),
                              {id}),
                         0)
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("receipts"),
                         read(QStringLiteral("SELECT P_money, Order_Doc, Emp_Folk, Date_Doc, Hospital_Name, EF_Surname, "
                                             "EF_F_Name, EF_L_Name, EF_Birthday FROM T_Reciept WHERE Berg_Doc_ID = ? "
                                             "ORDER BY Order_Doc"),
                              {id}),
                         0)
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("yearly row"),
                         read(QStringLiteral("SELECT Fact_T_U_H, Fact_U_Copay FROM T_Year_Cur_Health "
                                             "WHERE KV_ID = ? AND Pay_Year = ?"),
                              {in.kvId, in.payYear}),
                         0)
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("audit row"), read(newestAuditRowQuery(QStringLiteral("CLAIM_ADD")), {id}));
}

// Three claims of the pool saved by each side in turn, each read back and
// cancelled again (its amount given back) before the other side saves it.
std::function<std::pair<QString, QString>()> savesWritten(Database& db, BareSql& bare,
                                                          std::function<ClaimInput()> next)
{
    Database* pdb = &db;
    BareSql* psql = &bare;
    return [pdb, psql, next] {
        QStringList program, plain;
        for (int i = 0; i < 3; ++i) {
            const ClaimInput in = next();
            for (const bool own : {true, false}) {
                const QString id = own ? saveClaimProject(*pdb, in) : saveClaimBare(*psql, in);
                (own ? program : plain) << saveWritten(readerOf(*pdb), id, in);
                cancelClaims(*pdb, {id});
            }
        }
        return std::pair{program.join(QStringLiteral("; ")), plain.join(QStringLiteral("; "))};
    };
}

// The exchanges with the server of one save of 1 and of 6 receipts, each side.
std::function<QString()> saveRoundTrips(std::shared_ptr<Cases> c, Database& db, BareSql& bare,
                                        std::function<ClaimInput()> next)
{
    Database* pdb = &db;
    BareSql* psql = &bare;
    return [c, pdb, psql, next] {
        QStringList counts;
        for (int receipts : {1, 6}) {
            ClaimInput in = next();
            while (in.receipts.size() < receipts)
                in.receipts.push_back(in.receipts.first());
            in.receipts.resize(receipts);
            const quint64 p0 = pdb->roundTrips();
            c->saved << saveClaimProject(*pdb, in);
            const quint64 p1 = pdb->roundTrips();
            const quint64 b0 = psql->roundTrips();
            c->saved << saveClaimBare(*psql, in);
            const quint64 b1 = psql->roundTrips();
            counts << QStringLiteral("%1 receipt%2: program %3, bare SQL %4")
                          .arg(receipts)
                          .arg(receipts == 1 ? "" : "s")
                          .arg(p1 - p0)
                          .arg(b1 - b0);
        }
        return QStringLiteral("round trips of one save, begin and commit included - ") + counts.join(QStringLiteral("; "));
    };
}

} // namespace

Workload buildWorkload(Database& db, BareSql& bare)
{
    auto c = std::make_shared<Cases>();
    pickCases(db, *c);
    Database* pdb = &db;
    BareSql* psql = &bare;
    QVector<Comparison> list;

    list.push_back({QStringLiteral("employee search"),
                    QStringLiteral("%1 searches by name, id and citizen id").arg(c->searches.size()),
                    sideOf(c->searches, [pdb](const EmployeeQuery& q) { return searchActiveEmployees(*pdb, q); },
                           searchFingerprint),
                    sideOf(c->searches, [psql](const EmployeeQuery& q) { return bareSearch(*psql, q); },
                           searchFingerprint),
                    true, nullptr});
    list.push_back({QStringLiteral("reprint listing of a month"),
                    QStringLiteral("%1 faculties, %2").arg(c->months.size()).arg(c->months.first().month),
                    sideOf(c->months, [pdb](const MonthCase& m) { return reprintMonthProject(*pdb, m); },
                           listingFingerprint),
                    sideOf(c->months, [psql](const MonthCase& m) { return reprintMonthBare(*psql, m); },
                           listingFingerprint),
                    true, nullptr});
    list.push_back({QStringLiteral("summary listing"),
                    QStringLiteral("%1 faculties' open claims of %2").arg(c->summaries.size()).arg(c->budYear),
                    sideOf(c->summaries, [pdb](const SummaryCase& s) { return summaryProject(*pdb, s); },
                           listingFingerprint),
                    sideOf(c->summaries, [psql](const SummaryCase& s) { return summaryBare(*psql, s); },
                           listingFingerprint),
                    true, nullptr});

    if (!c->fixedMonths.isEmpty()) {
        list.push_back({QStringLiteral("reprint listing of a fixed-size unit's month"),
                        QStringLiteral("%1, %2 employees at every scale, %3")
                            .arg(c->fixedMonths.first().fact)
                            .arg(fixedUnitHeadcount(c->fixedMonths.first().fact))
                            .arg(c->fixedMonths.first().month),
                        sideOf(c->fixedMonths, [pdb](const MonthCase& m) { return reprintMonthProject(*pdb, m); },
                               listingFingerprint),
                        sideOf(c->fixedMonths, [psql](const MonthCase& m) { return reprintMonthBare(*psql, m); },
                               listingFingerprint),
                        true, nullptr});
        list.push_back({QStringLiteral("summary listing of a fixed-size unit"),
                        QStringLiteral("%1's open claims of %2").arg(c->fixedSummaries.first().fact, c->budYear),
                        sideOf(c->fixedSummaries, [pdb](const SummaryCase& s) { return summaryProject(*pdb, s); },
                               listingFingerprint),
                        sideOf(c->fixedSummaries, [psql](const SummaryCase& s) { return summaryBare(*psql, s); },
                               listingFingerprint),
                        true, nullptr});
    }

    // The claims saved so far cancelled, their amounts given back: the pools
    // need room for one sample only, however long the run.
    const std::function<void()> giveBack = [c, pdb] {
        cancelClaims(*pdb, c->saved);
        c->saved.clear();
    };
    // Six claims of 1 to 6 receipts a call, each for the next employee of the
    // pool.
    auto nextClaim = [c] {
        const ClaimInput in = c->claims[c->nextClaim % c->claims.size()];
        ++c->nextClaim;
        return in;
    };
    // Six saves a call, each of the next claim of a pool.
    auto saves = [c](std::function<ClaimInput()> next, std::function<QString(const ClaimInput&)> save) {
        auto ids = std::make_shared<QStringList>();
        return Side{[c, next, save, ids] {
                        ids->clear();
                        for (int i = 0; i < 6; ++i)
                            ids->push_back(save(next()));
                        c->saved << *ids;
                    },
                    [ids] { return ids->join(QLatin1Char(',')); }};
    };
    Comparison save{QStringLiteral("claim save"), QStringLiteral("6 claims of 1 to 6 receipts"),
                    saves(nextClaim, [pdb](const ClaimInput& in) { return saveClaimProject(*pdb, in); }),
                    saves(nextClaim, [psql](const ClaimInput& in) { return saveClaimBare(*psql, in); }),
                    false, nullptr, kMostSaveCalls};
    save.roundTrips = saveRoundTrips(c, db, bare, nextClaim);
    save.betweenSamples = giveBack;
    save.written = savesWritten(db, bare, nextClaim);
    save.minRepetitions = kMostSaveCalls;
    list.push_back(save);

    // The co-pay and in-patient entries: the same service with the kind's own
    // limit rule, against the bare SQL of that rule.
    prepareCopayPool(db, *c);
    auto nextOf = [c](QVector<ClaimInput> Cases::*pool, int Cases::*next, const QString& typeCode,
                      const QString& inOut) {
        return [c, pool, next, typeCode, inOut] {
            ClaimInput in = ((*c).*pool)[((*c).*next) % ((*c).*pool).size()];
            ++((*c).*next);
            in.typeCode = typeCode;
            in.inOut = inOut;
            return in;
        };
    };
    const auto nextCopay = nextOf(&Cases::copayClaims, &Cases::nextCopay, QStringLiteral("COP"), QStringLiteral("0"));
    list.push_back({QStringLiteral("co-pay save"), QStringLiteral("6 co-pay claims of 1 to 6 receipts"),
                    saves(nextCopay, [pdb](const ClaimInput& in) { return saveClaimProject(*pdb, in); }),
                    saves(nextCopay, [psql](const ClaimInput& in) { return saveClaimBare(*psql, in); }), false,
                    saveRoundTrips(c, db, bare, nextCopay), kMostSaveCalls, giveBack, savesWritten(db, bare, nextCopay),
                    kMostSaveCalls});
    const auto nextInpatient = nextOf(&Cases::claims, &Cases::nextInpatient, QStringLiteral("HPE"), QStringLiteral("1"));
    list.push_back({QStringLiteral("in-patient save"), QStringLiteral("6 in-patient claims of 1 to 6 receipts"),
                    saves(nextInpatient, [pdb](const ClaimInput& in) { return saveClaimProject(*pdb, in); }),
                    saves(nextInpatient, [psql](const ClaimInput& in) { return saveClaimBare(*psql, in); }), false,
                    saveRoundTrips(c, db, bare, nextInpatient), kMostSaveCalls, giveBack,
                    savesWritten(db, bare, nextInpatient), kMostSaveCalls});
    list += financeComparisons(db, bare, c->budYear, c->today);
    list.push_back(importComparison(db, bare, c->today));
    list += reportComparisons(db, bare, c->today.right(4));
    list.push_back(reportScreenComparison(db, c->today, c->budYear));
    list.push_back(overviewComparison(db, bare, c->budYear));
    return {list, [c, pdb] {
                const int n = cancelClaims(*pdb, c->saved);
                c->saved.clear();
                return n;
            }};
}

} // namespace wel::bench
