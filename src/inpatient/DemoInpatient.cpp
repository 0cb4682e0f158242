#include "DemoInpatient.h"
#include "claims/ClaimCancelService.h"
#include "claims/DemoClaims.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimSummaryService.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::claims {

namespace {

const char* const kHospital = "HO";

// The hospital's clerk (or another user entering for the hospital) has no
// operating mode of his own.
LoginContext hospitalOn(const QDate& day, const char* fact = kHospital, const char* user = "hospital")
{
    return demoLogin({fact, user}, day, QString());
}

// A stay of the employee or of one of his family: two or three receipts.
QVector<ClaimReceipt> stay(Database& db, const QString& kvId, const QDate& claimDate, const QDate& yearStart, int seed,
                           Money total)
{
    const Rows f = db.select(QStringLiteral("SELECT Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday "
                                            "FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk <> '7' ORDER BY Emp_Folk"),
                             {kvId});
    const int row = f.isEmpty() ? 0 : seed % f.count();
    const int parts = 2 + seed % 2;
    QVector<ClaimReceipt> receipts;
    Money rest = total;
    for (int i = 0; i < parts; ++i) {
        ClaimReceipt r;
        if (!f.isEmpty()) {
            r.folk = int(f.integer(row, QStringLiteral("Emp_Folk")));
            r.title = f.text(row, QStringLiteral("EF_Surname"));
            r.given = f.text(row, QStringLiteral("EF_F_Name"));
            r.family = f.text(row, QStringLiteral("EF_L_Name"));
            r.birthday = f.text(row, QStringLiteral("EF_Birthday"));
        }
        r.dateDoc = toBEText(qMax(yearStart, claimDate.addDays(-(parts - i))));
        r.amount = i + 1 == parts ? rest : Money::fromSatang(total.satang() / parts);
        rest -= r.amount;
        r.hospital = QStringLiteral("โรงพยาบาลมหาวิทยาลัย");
        receipts.push_back(r);
    }
    return receipts;
}

} // namespace

void loadDemoInpatient(Database& db)
{
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health WHERE Berg_Type_Code = 'HPE'"))
            .integer(0, QStringLiteral("n"))
        > 0)
        return;
    const QDate today = db.serverNow().date();
    const int thisYear = budgetYearOf(today).toInt();
    // Patients of every faculty, those with some limit left.
    const Rows staff = db.select(QStringLiteral("SELECT e.KV_ID FROM T_Emp_Gov_Histry e "
                                                "WHERE e.Emp_Status = 'A' ORDER BY e.Fact_code, e.KV_ID"));
    for (int year : {thisYear - 1, thisYear}) {
        db.insertIfAbsent(QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                          {QString::number(year), 1}, 1);
        // The in-patient entry never makes its number series itself.
        db.insertIfAbsent(QStringLiteral("T_Berg_Runno"),
                          {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")},
                          {QString::fromLatin1(kHospital), QString::number(year), 1}, 2);
        const QDate yearStart(year - 544, 10, 1);
        const QDate lastDay = year == thisYear ? today : QDate(year - 543, 9, 30);
        const LoginContext clerk = hospitalOn(lastDay);
        QStringList saved;
        for (int i = 0, taken = 0; i < staff.count() && taken < 6; i += 7) {
            const QString kvId = staff.text(i, QStringLiteral("KV_ID"));
            ClaimDraft d;
            d.kvId = kvId;
            d.payYear = QString::number(year);
            d.claimDate = toBEText(year == thisYear ? qMax(yearStart, lastDay.addDays(-taken)) : yearStart.addDays(40 + 50 * taken));
            d.inOut = QStringLiteral("1");
            d.receipts = stay(db, kvId, *parseBEText(d.claimDate), yearStart, i + year,
                              Money::fromSatang(qint64(850000 + ((i + year) * 104729) % 2400000)));
            try {
                saved << ClaimEntry::save(db, hospitalOn(*parseBEText(d.claimDate)), inpatient(), d).claimNo;
                ++taken;
            } catch (const AppError&) { // a limit used up by the faculty's own claims: the next patient
            }
        }
        if (saved.size() >= 4) {
            ClaimCancel::cancel(db, clerk, outpatient(), QString(), saved[1]);
            ClaimSummary::send(db, clerk, inpatient(), QString(), {saved[0], saved[2]});
        }
    }
    // The administrator, who has the hospital menu too, entered one for the
    // finance office's own faculty.
    db.insertIfAbsent(QStringLiteral("T_Berg_Runno"),
                      {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")},
                      {QStringLiteral("OP"), QString::number(thisYear), 1}, 2);
    for (int i = 3; i < staff.count(); i += 11) {
        ClaimDraft d;
        d.kvId = staff.text(i, QStringLiteral("KV_ID"));
        d.payYear = QString::number(thisYear);
        d.claimDate = toBEText(today);
        d.inOut = QStringLiteral("1");
        d.receipts = stay(db, d.kvId, today, QDate(thisYear - 544, 10, 1), i, Money::fromBaht(4280));
        try {
            ClaimEntry::save(db, hospitalOn(today, "OP", "admin"), inpatient(), d);
            break;
        } catch (const AppError&) {
        }
    }

    // A type "2" employee with a flexible benefit, whose limit this year is
    // nearly used up by a stay.
    const QString year = QString::number(thisYear);
    const Rows two = db.select(QStringLiteral("SELECT e.KV_ID FROM T_Emp_Gov_Histry e JOIN T_Year_Cur_Health y "
                                              "ON e.KV_ID = y.KV_ID AND y.Pay_Year = ? WHERE e.Emp_H_Type = '2' "
                                              "AND e.Emp_Status = 'A' AND e.Fact_code = 'ED' ORDER BY e.KV_ID"),
                               {year});
    if (two.isEmpty())
        return;
    const QString kvId = two.text(0, QStringLiteral("KV_ID"));
    const Money flex = Money::fromBaht(3000);
    db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET M_Flexben = ? WHERE KV_ID = ? AND Pay_Year = ?"),
            {flex.toSql(), kvId, year});
    const Rows y = db.select(QStringLiteral("SELECT Fact_T_H_Money, Fact_T_U_H FROM T_Year_Cur_Health "
                                            "WHERE KV_ID = ? AND Pay_Year = ?"),
                             {kvId, year});
    const Money left = y.money(0, QStringLiteral("Fact_T_H_Money")) - y.money(0, QStringLiteral("Fact_T_U_H")) - flex;
    if (left <= Money::fromBaht(1000))
        return;
    ClaimDraft d;
    d.kvId = kvId;
    d.payYear = year;
    d.claimDate = toBEText(today);
    d.inOut = QStringLiteral("1");
    d.receipts = stay(db, kvId, today, QDate(thisYear - 544, 10, 1), 0, left - Money::fromBaht(850));
    ClaimEntry::save(db, hospitalOn(today), inpatient(), d);
}

} // namespace wel::claims
