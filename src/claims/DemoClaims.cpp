#include "DemoClaims.h"
#include "ClaimCancelService.h"
#include "ClaimEntryService.h"
#include "ClaimSummaryService.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::claims {

namespace {

// The demo users who enter claims, one per faculty that has claims (the
// finance division's own office, OP, included).
const DemoClerk kClerks[] = {{"SC", "clerk"}, {"EN", "engfac"}, {"MD", "medfac"}, {"HO", "hospital"},
                                 {"OP", "finance"}};

const char* const kHospitals[] = {"โรงพยาบาลมหาวิทยาลัย", "โรงพยาบาลศูนย์", "คลินิกเวชกรรมใกล้บ้าน", "โรงพยาบาลเอกชน"};

struct Employee {
    QString kvId, hType;
};

QVector<Employee> employeesOf(Database& db, const QString& fact)
{
    const Rows r = db.select(QStringLiteral("SELECT KV_ID, Emp_H_Type FROM T_Emp_Gov_Histry WHERE Fact_code = ? "
                                            "AND Emp_Status = 'A' ORDER BY KV_ID"),
                             {fact});
    QVector<Employee> list;
    for (int i = 0; i < r.count(); ++i)
        list.push_back({r.text(i, QStringLiteral("KV_ID")), r.text(i, QStringLiteral("Emp_H_Type"))});
    return list;
}

// Receipts for the employee and up to two of his family, dated in the
// budget year on or before the claim date.
QVector<ClaimReceipt> receiptsFor(Database& db, const QString& kvId, const QDate& claimDate, const QDate& yearStart,
                                  int seed)
{
    const Rows folk = db.select(QStringLiteral("SELECT Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday "
                                               "FROM T_Emp_Folk WHERE KV_ID = ? ORDER BY Emp_Folk"),
                                {kvId});
    QVector<ClaimReceipt> receipts;
    for (int i = 0; i < folk.count() && receipts.size() < 1 + seed % 3; ++i) {
        if (i > 0 && (seed + i) % 2 == 0)
            continue;
        ClaimReceipt r;
        r.folk = int(folk.integer(i, QStringLiteral("Emp_Folk")));
        r.dateDoc = toBEText(qMax(yearStart, claimDate.addDays(-7 * (i + 1))));
        r.amount = Money::fromSatang(qint64(35000 + (seed * 7919 + i * 104729) % 420000));
        r.hospital = QString::fromUtf8(kHospitals[(seed + i) % 4]);
        r.title = folk.text(i, QStringLiteral("EF_Surname"));
        r.given = folk.text(i, QStringLiteral("EF_F_Name"));
        r.family = folk.text(i, QStringLiteral("EF_L_Name"));
        r.birthday = folk.text(i, QStringLiteral("EF_Birthday"));
        receipts.push_back(r);
    }
    return receipts;
}

} // namespace

QStringList demoEmployees(Database& db, const QString& fact, const QString& condition)
{
    const Rows r = db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry e WHERE Fact_code = ? AND Emp_Status = 'A' AND ")
                                 + condition + QStringLiteral(" ORDER BY KV_ID"),
                             {fact});
    QStringList list;
    for (int i = 0; i < r.count(); ++i)
        list << r.text(i, QStringLiteral("KV_ID"));
    return list;
}

ClaimReceipt demoSelfReceipt(Database& db, const QString& kvId, const QDate& day, Money amount, const char* hospital)
{
    const Rows f = db.select(QStringLiteral("SELECT EF_Surname, EF_F_Name, EF_L_Name FROM T_Emp_Folk "
                                            "WHERE KV_ID = ? AND Emp_Folk = '0'"),
                             {kvId});
    ClaimReceipt r;
    r.dateDoc = toBEText(day);
    r.amount = amount;
    r.hospital = QString::fromUtf8(hospital);
    if (!f.isEmpty()) {
        r.title = f.text(0, QStringLiteral("EF_Surname"));
        r.given = f.text(0, QStringLiteral("EF_F_Name"));
        r.family = f.text(0, QStringLiteral("EF_L_Name"));
    }
    return r;
}

void demoCancelAndGather(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& fact,
                         const QStringList& saved)
{
    if (saved.size() < 4)
        return;
    ClaimCancel::cancel(db, login, kind, fact, saved[1]);
    ClaimSummary::send(db, login, kind, fact, {saved[0], saved[2]});
}

LoginContext demoLogin(const DemoClerk& c, const QDate& day, const QString& mode)
{
    LoginContext login;
    login.Cur_Date = toBEText(day);
    login.Cur_Bud_Year = budgetYearOf(day);
    login.Cur_Fact_Code = QString::fromLatin1(c.fact);
    login.Cur_Username = QString::fromLatin1(c.user);
    login.Cur_User_Type = QStringLiteral("U");
    login.Cur_Mode = mode;
    return login;
}

void loadDemoClaims(Database& db)
{
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health")).integer(0, QStringLiteral("n")) > 0)
        return;
    const QDate today = db.serverNow().date();
    const int thisYear = budgetYearOf(today).toInt();
    const ClaimKind& kind = outpatient();
    for (int year : {thisYear - 1, thisYear}) {
        db.insertIfAbsent(QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                          {QString::number(year), 1}, 1);
        // Last year's claims spread over its months; this year's over its last weeks up to today.
        const QDate yearStart(year - 544, 10, 1);
        const QDate lastDay = year == thisYear ? today : QDate(year - 543, 9, 30);
        int seed = year;
        for (const DemoClerk& c : kClerks) {
            const QString fact = QString::fromLatin1(c.fact);
            QStringList saved;
            const QVector<Employee> staff = employeesOf(db, fact);
            for (int i = 0; i < staff.size() && i < 6; ++i) {
                const QDate day = year == thisYear ? qMax(yearStart, lastDay.addDays(-(i % 3) * 3))
                                                   : qMin(lastDay, yearStart.addDays(20 + 45 * i));
                ClaimDraft d;
                d.kvId = staff[i].kvId;
                d.payYear = QString::number(year);
                d.claimDate = toBEText(day);
                d.inOut = i == 5 ? QStringLiteral("1") : QStringLiteral("0");
                d.factCode = fact;
                d.receipts = receiptsFor(db, d.kvId, day, yearStart, ++seed);
                if (d.receipts.isEmpty())
                    continue;
                saved << ClaimEntry::save(db, demoLogin(c, day), kind, d).claimNo;
            }
            if (saved.size() < 4)
                continue;
            // One cancelled, two gathered under a control number, the rest open.
            const LoginContext last = demoLogin(c, lastDay);
            ClaimCancel::cancel(db, last, kind, fact, saved[1]);
            ClaimSummary::send(db, last, kind, fact, {saved[0], saved[2]});
        }
    }
    // An employee of right type "2" whose limit this year is used up by a
    // claim above it, so the entry refuses him.
    for (const Employee& e : employeesOf(db, QStringLiteral("SC"))) {
        if (e.hType != QLatin1String("2"))
            continue;
        ClaimDraft d;
        d.kvId = e.kvId;
        d.payYear = QString::number(thisYear);
        d.claimDate = toBEText(today);
        d.inOut = QStringLiteral("0");
        d.factCode = QStringLiteral("SC");
        d.receipts = receiptsFor(db, e.kvId, today, QDate(thisYear - 544, 10, 1), 1);
        d.receipts.first().amount = Money::fromBaht(21500);
        ClaimEntry::save(db, demoLogin(kClerks[0], today), kind, d);
        break;
    }
}

} // namespace wel::claims
