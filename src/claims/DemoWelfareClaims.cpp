#include "DemoWelfareClaims.h"
#include "ClaimCancelService.h"
#include "DemoClaims.h"
#include "ClaimEntryService.h"
#include "ClaimSummaryService.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "education/EducationService.h"
#include "otherwelfare/OtherWelfareService.h"

namespace wel::claims {

namespace {

const DemoClerk kClerks[] = {{"OP", "finance"}, {"SC", "clerk"}};

QStringList employees(Database& db, const QString& fact, const QString& condition)
{
    const Rows r = db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry e WHERE Fact_code = ? AND Emp_Status = 'A' AND ")
                                 + condition + QStringLiteral(" ORDER BY KV_ID"),
                             {fact});
    QStringList list;
    for (int i = 0; i < r.count(); ++i)
        list << r.text(i, QStringLiteral("KV_ID"));
    return list;
}

ClaimReceipt selfReceipt(Database& db, const QString& kvId, const QDate& day, Money amount, const char* hospital)
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

// One cancelled, two gathered under a control number, the rest open.
void cancelAndGather(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& fact,
                     const QStringList& saved)
{
    if (saved.size() < 4)
        return;
    ClaimCancel::cancel(db, login, kind, fact, saved[1]);
    ClaimSummary::send(db, login, kind, fact, {saved[0], saved[2]});
}

void overLimitClaims(Database& db, const DemoClerk& c, const QDate& today)
{
    const QString fact = QString::fromLatin1(c.fact);
    const LoginContext login = demoLogin(c, today, QStringLiteral("KV"));
    const QString year = login.Cur_Bud_Year;
    // Right type "1" has no co-pay limit: an outpatient claim above what is
    // left uses the year's limit up, and then claims above it are taken.
    // One employee of the faculty keeps his limit, so that the outpatient
    // entry of the demo has someone to enter a claim for.
    const QStringList typeOne = employees(db, fact, QStringLiteral("Emp_H_Type = '1'"));
    QStringList usedUp;
    for (const QString& kv : typeOne) {
        if (usedUp.size() == qMin(2, int(typeOne.size()) - 1))
            break;
        ClaimDraft d{kv, year, toBEText(today), QStringLiteral("1"), fact,
                     {selfReceipt(db, kv, today, Money::fromBaht(215000), "โรงพยาบาลมหาวิทยาลัย")}};
        ClaimEntry::save(db, login, outpatient(), d);
        usedUp << kv;
    }
    if (usedUp.isEmpty())
        return;
    QStringList saved;
    const Money amounts[] = {Money::fromSatang(4850000), Money::fromSatang(1299050), Money::fromSatang(7600025),
                             Money::fromSatang(320000), Money::fromSatang(2500000)};
    for (int i = 0; i < 5; ++i) {
        const QString kv = usedUp[i % usedUp.size()];
        ClaimDraft d{kv, year, toBEText(today), i == 3 ? QStringLiteral("1") : QStringLiteral("0"), fact,
                     {selfReceipt(db, kv, today.addDays(-i), amounts[i], i % 2 ? "โรงพยาบาลเอกชน" : "โรงพยาบาลศูนย์")}};
        saved << ClaimEntry::save(db, login, overLimit(), d).claimNo;
    }
    cancelAndGather(db, login, overLimit(), fact, saved);
}

void otherWelfareClaims(Database& db, const DemoClerk& c, const QDate& today)
{
    const QString fact = QString::fromLatin1(c.fact);
    const LoginContext login = demoLogin(c, today, QStringLiteral("FC"));
    const QStringList staff = employees(db, fact, QStringLiteral("1 = 1"));
    const QVector<OtherWelfare::Choice> kinds = OtherWelfare::welfareKinds(db);
    if (staff.isEmpty() || kinds.isEmpty())
        return;
    const struct {
        const char* folk;
        const char* amount;
        const char* matiNo;
        const char* detail;
    } payments[] = {{"0", "10,000.00", "2/", "เงินช่วยเหลือตามมติที่ประชุม"},
                    {"3", "50,000.00", "3/", "คู่สมรสรับแทน"},
                    {"0", "7,500.50", "4/", "ประสบอันตรายระหว่างปฏิบัติงาน"},
                    {"4", "20,000.00", "5/", "บุตรรับแทน"}};
    QStringList saved;
    for (int i = 0; i < 4; ++i) {
        OtherWelfare::Draft d;
        d.kvId = staff[i % staff.size()];
        d.claimDate = login.Cur_Date;
        d.kindCode = kinds[i % kinds.size()].code;
        d.factCode = fact;
        d.beneficiary = QString::fromLatin1(payments[i].folk);
        d.amountText = QString::fromLatin1(payments[i].amount);
        d.docNo = QStringLiteral("ศธ 0513/%1").arg(400 + i);
        d.docDate = toBEText(today.addDays(-20));
        d.matiNo = QString::fromLatin1(payments[i].matiNo) + login.Cur_Bud_Year;
        d.matiDate = i == 2 ? QString() : toBEText(today.addDays(-10));
        d.detail = QString::fromUtf8(payments[i].detail);
        saved << OtherWelfare::save(db, login, d);
    }
    cancelAndGather(db, login, otherWelfare(), fact, saved);
}

void educationClaims(Database& db, const DemoClerk& c, const QDate& today)
{
    const QString fact = QString::fromLatin1(c.fact);
    const LoginContext login = demoLogin(c, today, QStringLiteral("FC"));
    // Employees entitled to the allowance with a first child recorded.
    const QStringList staff = employees(db, fact, QStringLiteral("Emp_H_Type <> '2' AND EXISTS (SELECT 1 FROM T_Emp_Folk f "
                                                                 "WHERE f.KV_ID = e.KV_ID AND f.Emp_Folk = '4')"));
    if (staff.isEmpty())
        return;
    // One child's birth date was never recorded: he is claimed for all the same.
    if (staff.size() > 1)
        db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_Birthday = '' WHERE KV_ID = ? AND Emp_Folk = '4'"),
                {staff.last()});
    const char* const schools[] = {"โรงเรียนสาธิตมหาวิทยาลัย", "โรงเรียนอนุบาลเมือง", "โรงเรียนมัธยมประจำจังหวัด"};
    QStringList saved;
    for (int i = 0; i < 4; ++i) {
        const QString kv = staff[i % staff.size()];
        QVector<Education::Line> lines;
        for (int index = 0; index < 2; ++index) {
            Education::Line l;
            try {
                l.child = Education::findChild(db, kv, index, login.Cur_Date);
            } catch (const AppError&) {
                continue; // an employee with one child
            }
            l.term = QString::number(1 + (i + index) % 2);
            l.year = yearOf(login.Cur_Date);
            l.level = l.child.age && *l.child.age < 6 ? QStringLiteral("อนุบาล %1").arg(qMax(1, *l.child.age - 2))
                                                     : QStringLiteral("ประถมศึกษาปีที่ %1").arg(1 + i);
            l.school = QString::fromUtf8(schools[(i + index) % 3]);
            l.amountText = QString::number(8000 + 1250 * i + 500 * index);
            lines << l;
        }
        saved << Education::save(db, login, kv, login.Cur_Date, lines);
    }
    cancelAndGather(db, login, education(), fact, saved);
}

} // namespace

void loadDemoWelfareClaims(Database& db)
{
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_PAY_Health WHERE Berg_Type_Code IN ('OVM', 'OTH', 'EDU')"))
            .integer(0, QStringLiteral("n"))
        > 0)
        return;
    const QDate today = db.serverNow().date();
    db.insertIfAbsent(QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                      {budgetYearOf(today), 1}, 1);
    for (const DemoClerk& c : kClerks) {
        db.insertIfAbsent(QStringLiteral("T_Berg_Runno"),
                          {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")},
                          {QString::fromLatin1(c.fact), budgetYearOf(today), 1}, 2);
        overLimitClaims(db, c, today);
        otherWelfareClaims(db, c, today);
        educationClaims(db, c, today);
    }
}

} // namespace wel::claims
