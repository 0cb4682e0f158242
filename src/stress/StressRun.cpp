#include "StressRun.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimSummaryService.h"
#include "common/Audit.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/db/Schema.h"
#include "demo/DemoSetup.h"
#include "education/EducationService.h"
#include "finance/CancelService.h"
#include "finance/DemoVouchers.h"
#include "finance/VoucherService.h"
#include "otherwelfare/OtherWelfareService.h"
#include "personnel/EmployeeService.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <optional>
#include <random>
#include <thread>

namespace wel::stress {

namespace {

// The faculties whose clerks work in the run; two clerks share a faculty as
// soon as there are more than four workstations (every third is the finance
// division), so they race for the same claims and counters.
const QStringList kFaculties = {QStringLiteral("SC"), QStringLiteral("EN"), QStringLiteral("MD")};
const QString kFinanceFaculty = QStringLiteral("OP");

enum class Role { Faculty, Finance };

struct Shared {
    QMutex mutex;
    Figures figures;
    QSet<QString> issued;
    std::atomic<bool> timeUp{false};
};

// One clerk at one workstation: his own connection, log-in and dice.
struct Workstation {
    std::unique_ptr<Database> db;
    LoginContext login;
    Role role = Role::Faculty;
    QString fact;                         // his faculty; the finance division acts for all
    QMap<QString, QStringList> employees; // active employees by faculty
    std::mt19937_64 rng;
    int maxPauseMs = 0;
    Shared* shared = nullptr;

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    template <typename T>
    const T& pick(const QList<T>& list) { return list[uniform(0, int(list.size()) - 1)]; }
    // The clerk reading the screen, marking rows, reaching for the button.
    void pause()
    {
        if (maxPauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(uniform(0, maxPauseMs)));
    }
    QString anyFaculty() { return role == Role::Finance ? pick(kFaculties) : fact; }
    // Some of the marked rows, in the order listed.
    QStringList someOf(const QStringList& all, int most)
    {
        QStringList chosen = all;
        std::shuffle(chosen.begin(), chosen.end(), rng);
        chosen = chosen.mid(0, uniform(1, qMin(most, int(all.size()))));
        std::sort(chosen.begin(), chosen.end());
        return chosen;
    }
    void issue(const QString& id)
    {
        QMutexLocker lock(&shared->mutex);
        ++shared->figures.identifiersIssued;
        if (shared->issued.contains(id))
            ++shared->figures.duplicateIdentifiers;
        shared->issued.insert(id);
    }
};

// An operation: true when it acted, false when there was nothing to act on
// (no open claim to cancel, ...). A refusal throws AppError as the screen
// would show it.
using Operation = std::function<bool(Workstation&)>;

struct Action {
    QString name;
    Role role;
    int weight;
    Operation run;
};

LoginContext loginOf(const Today& today, Role role, const QString& fact, const QString& user)
{
    LoginContext c;
    c.Cur_Date = today.Cur_Date;
    c.Cur_Bud_Year = today.Cur_Bud_Year;
    c.Cur_Fact_Code = fact;
    c.Cur_Username = user;
    c.Cur_User_Type = QStringLiteral("U");
    c.Cur_Mode = role == Role::Finance ? QStringLiteral("KV") : QStringLiteral("FC");
    c.section = role == Role::Finance ? 7 : 4;
    return c;
}

// ---- claims, by kind ----

// An employee of a faculty as the entry screens' grid lists him, with the
// yearly row of the current budget year the clerk looks at before choosing.
struct StaffRow {
    QString kvId, hType;
    bool hasRow = false;
    Money limit, used, flex, copayLimit, copayUsed;
    bool hasChild = false;
};

QVector<StaffRow> staffOf(Workstation& w, const QString& fact)
{
    const Rows r = w.db->select(
        QStringLiteral("SELECT e.KV_ID, e.Emp_H_Type, y.KV_ID AS Row_KV, y.Fact_T_H_Money, y.Fact_T_U_H, y.M_Flexben, "
                       "y.Fact_T_Copay, y.Fact_U_Copay, "
                       "(SELECT COUNT(*) FROM T_Emp_Folk f WHERE f.KV_ID = e.KV_ID "
                       "AND f.Emp_Folk IN ('4', '5', '6', '7')) AS Children "
                       "FROM T_Emp_Gov_Histry e LEFT JOIN T_Year_Cur_Health y "
                       "ON y.KV_ID = e.KV_ID AND y.Pay_Year = ? "
                       "WHERE e.Emp_Status = 'A' AND e.Fact_code = ? ORDER BY e.KV_ID"),
        {w.login.Cur_Bud_Year, fact});
    QVector<StaffRow> staff;
    for (int i = 0; i < r.count(); ++i) {
        StaffRow s;
        s.kvId = r.text(i, QStringLiteral("KV_ID")).trimmed();
        s.hType = r.text(i, QStringLiteral("Emp_H_Type")).trimmed();
        s.hasRow = !r.text(i, QStringLiteral("Row_KV")).trimmed().isEmpty();
        s.limit = r.money(i, QStringLiteral("Fact_T_H_Money"));
        s.used = r.money(i, QStringLiteral("Fact_T_U_H"));
        s.flex = r.money(i, QStringLiteral("M_Flexben"));
        s.copayLimit = r.money(i, QStringLiteral("Fact_T_Copay"));
        s.copayUsed = r.money(i, QStringLiteral("Fact_U_Copay"));
        s.hasChild = r.integer(i, QStringLiteral("Children")) > 0;
        staff.push_back(s);
    }
    return staff;
}

// Whether the gates of the kind's entry would let the employee through, as
// the clerk can tell from the grid and the limit panel before choosing him.
bool admits(const claims::ClaimKind& kind, const StaffRow& s)
{
    if (&kind == &claims::education() && !s.hasChild)
        return false;
    claims::GateFigures f;
    f.hType = s.hType;
    f.hasRow = s.hasRow;
    f.medical = {s.limit, s.used, s.flex};
    f.limit = s.copayLimit;
    f.used = s.copayUsed;
    return claims::claimGate(kind, f, false, QString()).isEmpty();
}

// An active employee of the faculty: mostly one the kind's gates admit; one
// time in ten whoever is at hand, as a clerk who did not look at the limits
// first, so that the refusals of every gate are met too. Nothing when the
// gates admit nobody: the clerk has nothing to enter.
std::optional<StaffRow> chooseEmployee(Workstation& w, const claims::ClaimKind& kind, const QString& fact)
{
    const QVector<StaffRow> staff = staffOf(w, fact);
    if (staff.isEmpty())
        return std::nullopt;
    if (w.uniform(0, 9) == 0)
        return staff[w.uniform(0, int(staff.size()) - 1)];
    QVector<const StaffRow*> fit;
    for (const StaffRow& s : staff)
        if (admits(kind, s))
            fit << &s;
    if (fit.isEmpty())
        return std::nullopt;
    return *w.pick(fit);
}

// The faculty whose employee the clerk looks for: his own, any for the
// finance division and for entries that search every faculty.
QString searchedFaculty(Workstation& w, const claims::ClaimKind& kind)
{
    return kind.faculty.searchAll ? w.pick(kFaculties) : w.anyFaculty();
}

// The amount of one receipt, by how the kind is charged: co-pay bills are
// larger than outpatient ones, yet an employee's co-pay limit lasts a few of
// them; claims above the limit are the large ones.
Money receiptAmount(Workstation& w, const claims::ClaimKind& kind)
{
    if (kind.limit.policy == claims::LimitPolicy::Copay)
        return Money::fromSatang(w.uniform(50000, 600000));
    if (kind.limit.gate == claims::LimitGate::LimitUsedUp)
        return Money::fromSatang(w.uniform(50000, 3000000));
    return Money::fromSatang(w.uniform(5000, 600000));
}

// The kinds entered through the claim entry service (outpatient, co-pay,
// in-patient, above the limit): open the entry for the employee, then save.
bool enterClaim(Workstation& w, const claims::ClaimKind& kind)
{
    const QString fact = searchedFaculty(w, kind);
    const std::optional<StaffRow> chosen = chooseEmployee(w, kind, fact);
    if (!chosen)
        return false;
    claims::ClaimDraft d;
    d.kvId = chosen->kvId;
    d.payYear = w.login.Cur_Bud_Year;
    d.claimDate = w.login.Cur_Date;
    d.inOut = claims::patientTypeOf(kind, QStringLiteral("0"));
    d.factCode = fact;
    w.pause();
    claims::ClaimEntry::openEntry(*w.db, kind, d.kvId, d.payYear);
    const int receipts = w.uniform(1, 3);
    for (int i = 0; i < receipts; ++i) {
        claims::ClaimReceipt r;
        r.folk = i == 0 ? 0 : w.uniform(0, 3);
        r.dateDoc = w.login.Cur_Date;
        r.amount = receiptAmount(w, kind);
        r.hospital = QStringLiteral("โรงพยาบาลมหาวิทยาลัย");
        r.title = QStringLiteral("นาย");
        r.given = QStringLiteral("ผู้ป่วย");
        r.family = QStringLiteral("ทดสอบ");
        d.receipts.push_back(r);
    }
    w.pause();
    w.issue(claims::ClaimEntry::save(*w.db, w.login, kind, d).claimNo);
    return true;
}

// Other welfare: one payment of a welfare kind the fund's meeting decided,
// entered for the faculty the clerk types.
bool enterOtherWelfare(Workstation& w, const claims::ClaimKind& kind)
{
    const QString fact = searchedFaculty(w, kind);
    const std::optional<StaffRow> chosen = chooseEmployee(w, kind, fact);
    if (!chosen)
        return false;
    const auto kinds = claims::OtherWelfare::welfareKinds(*w.db);
    const auto folk = claims::OtherWelfare::beneficiaries(*w.db);
    if (kinds.isEmpty() || folk.isEmpty())
        return false;
    claims::OtherWelfare::Draft d;
    d.kvId = chosen->kvId;
    d.claimDate = w.login.Cur_Date;
    d.kindCode = w.pick(kinds).code;
    d.factCode = fact;
    d.beneficiary = w.pick(folk).code;
    d.amountText = Money::fromBaht(w.uniform(5, 200) * 100).toDisplay();
    d.docNo = QStringLiteral("ศธ 0513/%1").arg(w.uniform(1, 9999));
    d.docDate = w.login.Cur_Date;
    d.matiNo = QStringLiteral("%1/%2").arg(w.uniform(1, 30)).arg(w.login.Cur_Bud_Year);
    d.matiDate = w.login.Cur_Date;
    d.detail = QStringLiteral("ตามมติคณะกรรมการกองทุนสวัสดิการ");
    w.pause();
    claims::OtherWelfare::validate(*w.db, d);
    w.issue(claims::OtherWelfare::save(*w.db, w.login, d));
    return true;
}

// The children's education allowance: the right checked when the employee
// is chosen, one or two lines of tuition for his children.
bool enterEducation(Workstation& w, const claims::ClaimKind& kind)
{
    const QString fact = w.login.Cur_Fact_Code;
    const std::optional<StaffRow> chosen = chooseEmployee(w, kind, fact);
    if (!chosen)
        return false;
    const QString kvId = chosen->kvId;
    w.pause();
    claims::Education::checkRight(*w.db, kvId, w.login.Cur_Bud_Year, chosen->hType);
    QVector<claims::Education::Line> lines;
    const int count = w.uniform(1, 2);
    static const QStringList levels = {QStringLiteral("ประถมศึกษาปีที่ 3"), QStringLiteral("มัธยมศึกษาปีที่ 2"),
                                       QStringLiteral("อนุบาล 2")};
    for (int i = 0; i < count; ++i) {
        claims::Education::Line l;
        l.amountText = Money::fromSatang(w.uniform(50000, 2500000)).toDisplay();
        l.term = QString::number(w.uniform(1, 2));
        l.year = w.login.Cur_Bud_Year;
        l.level = w.pick(levels);
        l.school = QStringLiteral("โรงเรียนสาธิตมหาวิทยาลัย");
        claims::Education::checkLine(l);
        // Mostly the first child, whom every employee with children has.
        l.child = claims::Education::findChild(*w.db, kvId, w.uniform(0, 3) == 0 ? 1 : 0, w.login.Cur_Date);
        lines.push_back(l);
    }
    w.pause();
    w.issue(claims::Education::save(*w.db, w.login, kvId, w.login.Cur_Date, lines));
    return true;
}

bool enter(Workstation& w, const claims::ClaimKind& kind)
{
    if (&kind == &claims::otherWelfare())
        return enterOtherWelfare(w, kind);
    if (&kind == &claims::education())
        return enterEducation(w, kind);
    return enterClaim(w, kind);
}

bool cancelClaim(Workstation& w, const claims::ClaimKind& kind)
{
    const QString fact = w.anyFaculty();
    const auto open = claims::ClaimCancel::search(*w.db, w.login, kind, fact, claims::ClaimSearchBy::ClaimNo, {});
    if (open.isEmpty())
        return false;
    const QString no = open[w.uniform(0, int(open.size()) - 1)].claimNo;
    w.pause();
    claims::ClaimCancel::load(*w.db, w.login, kind, fact, no);
    w.pause();
    claims::ClaimCancel::cancel(*w.db, w.login, kind, fact, no);
    return true;
}

bool summarise(Workstation& w, const claims::ClaimKind& kind)
{
    const QString fact = w.anyFaculty();
    const QString inOut = claims::patientTypeOf(kind, QStringLiteral("0"));
    const auto open = claims::ClaimSummary::listOpen(*w.db, w.login, kind, fact, w.login.Cur_Bud_Year, inOut);
    if (open.isEmpty())
        return false;
    QStringList nos;
    for (const auto& r : open)
        nos << r.claimNo;
    w.pause();
    w.issue(claims::ClaimSummary::send(*w.db, w.login, kind, fact, w.someOf(nos, 6)));
    return true;
}

// ---- vouchers ----

bool makeVoucher(Workstation& w)
{
    const QString fact = w.anyFaculty();
    const auto open = finance::Vouchers::listOpenControls(*w.db, fact, finance::Period::all());
    if (open.isEmpty())
        return false;
    QStringList nos;
    for (const auto& c : open)
        nos << c.controlNo;
    w.pause();
    w.issue(finance::Vouchers::make(*w.db, w.login, fact, w.someOf(nos, 3), QStringLiteral("นางสาวมาลี ใจดี")));
    return true;
}

bool cancelControl(Workstation& w)
{
    const auto open = finance::Vouchers::listOpenControls(*w.db, w.anyFaculty(), finance::Period::all());
    if (open.isEmpty())
        return false;
    const QString no = open[w.uniform(0, int(open.size()) - 1)].controlNo;
    w.pause();
    finance::ControlCancel::cancel(*w.db, w.login, no);
    return true;
}

bool cancelVoucher(Workstation& w)
{
    const auto vouchers = finance::Vouchers::listInForce(*w.db, w.anyFaculty(), finance::Period::all());
    if (vouchers.isEmpty())
        return false;
    const QString no = vouchers[w.uniform(0, int(vouchers.size()) - 1)].pvrNo;
    w.pause();
    finance::VoucherCancel::cancel(*w.db, w.login, no);
    return true;
}

// ---- personnel ----

bool editEmployee(Workstation& w)
{
    const QStringList& staff = w.employees[w.fact];
    if (staff.isEmpty())
        return false;
    auto record = EmployeeService::load(*w.db, w.login, w.pick(staff));
    if (!record)
        return false;
    static const QStringList positions = {QStringLiteral("นักวิชาการศึกษา"), QStringLiteral("นักวิชาการเงินและบัญชี"),
                                          QStringLiteral("เจ้าหน้าที่บริหารงานทั่วไป"), QStringLiteral("นักวิจัย")};
    record->Emp_Position = w.pick(positions);
    w.pause();
    EmployeeService::edit(*w.db, w.login, *record);
    return true;
}

// How often a clerk enters a claim of the kind, against the outpatient
// claims that are the bulk of the work; a kind not named here is entered as
// often as other welfare.
int entryWeight(const claims::ClaimKind& kind)
{
    static const QMap<const claims::ClaimKind*, int> weights = {
        {&claims::outpatient(), 30}, {&claims::copay(), 10},       {&claims::inpatient(), 8},
        {&claims::overLimit(), 5},   {&claims::otherWelfare(), 6}, {&claims::education(), 6}};
    return weights.value(&kind, 6);
}

// What the clerks do, and how often. Every kind of claimKinds() is entered,
// cancelled and summarised through the services its screens call; the
// finance division enters the kinds it may file for any faculty.
QVector<Action> actions()
{
    QVector<Action> list;
    for (const claims::ClaimKind* k : claims::claimKinds()) {
        const QString t = k->identity.typeCode;
        const int weight = entryWeight(*k);
        list.push_back({QStringLiteral("enter ") + t, Role::Faculty, weight, [k](Workstation& w) { return enter(w, *k); }});
        list.push_back({QStringLiteral("cancel ") + t, Role::Faculty, qMax(1, weight / 5),
                        [k](Workstation& w) { return cancelClaim(w, *k); }});
        list.push_back({QStringLiteral("summarise ") + t, Role::Faculty, qMax(2, weight / 3),
                        [k](Workstation& w) { return summarise(w, *k); }});
        // Kinds filed under the clerk's own faculty stay with the faculties.
        if (k->faculty.claim != claims::FacultySource::Clerk)
            list.push_back({QStringLiteral("enter ") + t + QStringLiteral(" (finance)"), Role::Finance,
                            qMax(2, weight / 3), [k](Workstation& w) { return enter(w, *k); }});
    }
    list.push_back({QStringLiteral("edit employee"), Role::Faculty, 6, editEmployee});
    list.push_back({QStringLiteral("voucher (faculty)"), Role::Faculty, 4, makeVoucher});
    list.push_back({QStringLiteral("voucher"), Role::Finance, 40, makeVoucher});
    list.push_back({QStringLiteral("cancel control number"), Role::Finance, 15, cancelControl});
    list.push_back({QStringLiteral("cancel voucher"), Role::Finance, 15, cancelVoucher});
    return list;
}

// The clerk's message without the numbers in it, so that refusals group by reason.
QString reasonOf(const QString& message)
{
    static const QRegularExpression numbers(QStringLiteral("[A-Z]{2,3}\\d{4}/\\d+[A-Z]*|\\d+(\\.\\d+)?"));
    QString m = message.section(QLatin1Char('\r'), 0, 0).section(QLatin1Char('\n'), 0, 0).trimmed();
    m.replace(numbers, QStringLiteral("#"));
    return m.left(90);
}

void work(const Options& o, int index, const Today& today, const QMap<QString, QStringList>& employees,
          Shared& shared, const QElapsedTimer& clock)
{
    Workstation w;
    w.shared = &shared;
    w.maxPauseMs = o.maxPauseMs;
    w.rng.seed(o.seed * 1000003u + quint64(index));
    w.role = index % 3 == 2 ? Role::Finance : Role::Faculty;
    w.fact = w.role == Role::Finance ? kFinanceFaculty : kFaculties[(index - index / 3) % kFaculties.size()];
    w.employees = employees;
    w.login = loginOf(today, w.role, w.fact,
                      QStringLiteral("stress%1").arg(index + 1));
    try {
        w.db = Database::open(DbUrl::parse(o.url));
    } catch (const AppError& e) {
        QMutexLocker lock(&shared.mutex);
        ++shared.figures.failedBy[QStringLiteral("connect: ") + reasonOf(e.message())];
        return;
    }
    w.db->setUserName(w.login.Cur_Username);

    QVector<Action> mine;
    int total = 0;
    for (const Action& a : actions())
        if (a.role == w.role) {
            mine.push_back(a);
            total += a.weight;
        }
    for (int n = 0; n < o.operations; ++n) {
        if (clock.elapsed() > qint64(o.seconds) * 1000) {
            shared.timeUp = true;
            break;
        }
        w.pause();
        int roll = w.uniform(0, total - 1);
        const Action* a = mine.data();
        while (roll >= a->weight) {
            roll -= a->weight;
            ++a;
        }
        QElapsedTimer t;
        t.start();
        bool acted = true;
        QString refused, failed;
        try {
            acted = a->run(w);
        } catch (const DbError& e) {
            failed = reasonOf(e.message());
        } catch (const AppError& e) {
            refused = reasonOf(e.message());
        }
        const int ms = int(t.elapsed());
        QMutexLocker lock(&shared.mutex);
        ActionFigures& f = shared.figures.actions[a->name];
        ++shared.figures.operationsRun;
        if (!failed.isEmpty()) {
            ++f.failed;
            ++shared.figures.failedBy[a->name + QStringLiteral(": ") + failed];
        } else if (!refused.isEmpty()) {
            ++f.refused;
            ++shared.figures.refusedBy[a->name + QStringLiteral(": ") + refused];
        } else if (!acted) {
            ++f.idle;
            continue;
        } else {
            ++f.done;
        }
        f.ms.push_back(ms);
    }
}

QMap<QString, QStringList> activeEmployees(Database& db)
{
    QMap<QString, QStringList> byFaculty;
    const Rows r = db.select(QStringLiteral("SELECT KV_ID, Fact_code FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A' "
                                            "ORDER BY KV_ID"));
    for (int i = 0; i < r.count(); ++i)
        byFaculty[r.text(i, QStringLiteral("Fact_code")).trimmed().toUpper()] << r.text(i, QStringLiteral("KV_ID")).trimmed();
    return byFaculty;
}

// The audit operation an action's success writes, by the action's name.
QString auditedAs(const QString& action)
{
    if (action.startsWith(QLatin1String("enter ")))
        return audit::kClaimMade;
    if (action == QLatin1String("cancel control number"))
        return audit::codeOf(audit::Op::SummaryCancel);
    if (action == QLatin1String("cancel voucher"))
        return audit::codeOf(audit::Op::VoucherCancel);
    if (action.startsWith(QLatin1String("cancel ")))
        return audit::codeOf(audit::Op::ClaimCancel);
    if (action.startsWith(QLatin1String("summarise ")))
        return audit::kSummaryMade;
    if (action.startsWith(QLatin1String("voucher")))
        return audit::kVoucherMade;
    if (action == QLatin1String("edit employee"))
        return audit::codeOf(audit::Op::EmployeeEdit);
    return action;
}

qint64 lastAuditId(Database& db)
{
    return db.select(QStringLiteral("SELECT MAX(Audit_ID) AS m FROM %1").arg(kAuditTable)).integer(0, QStringLiteral("m"));
}

// Compares the rows the run added to the trail with the operations done.
int unaudited(Database& db, qint64 since, const QMap<QString, ActionFigures>& actions)
{
    QMap<QString, int> expected;
    for (auto it = actions.cbegin(); it != actions.cend(); ++it)
        expected[auditedAs(it.key())] += it->done;
    const Rows r = db.select(QStringLiteral("SELECT Audit_Op, COUNT(*) AS n FROM %1 WHERE Audit_ID > ? GROUP BY Audit_Op")
                                 .arg(kAuditTable),
                             {since});
    QMap<QString, int> found;
    for (int i = 0; i < r.count(); ++i)
        found[r.text(i, QStringLiteral("Audit_Op"))] = int(r.integer(i, QStringLiteral("n")));
    int differ = 0;
    for (const QString& op : QSet<QString>(expected.keyBegin(), expected.keyEnd()) + QSet<QString>(found.keyBegin(), found.keyEnd()))
        differ += qAbs(expected.value(op) - found.value(op));
    return differ;
}

int overspent(Database& db)
{
    // Claim entry never lets the used amount pass the limit less the flexible
    // benefit, and the run changes neither.
    const Rows r = db.select(QStringLiteral("SELECT Fact_T_H_Money AS h, Fact_T_U_H AS u, M_Flexben AS f, "
                                            "Fact_T_Copay AS ch, Fact_U_Copay AS cu FROM T_Year_Cur_Health"));
    int n = 0;
    for (int i = 0; i < r.count(); ++i)
        n += r.money(i, QStringLiteral("u")) > r.money(i, QStringLiteral("h")) - r.money(i, QStringLiteral("f"))
            || r.money(i, QStringLiteral("cu")) > r.money(i, QStringLiteral("ch"));
    return n;
}

int percentile(QVector<int> v, int p)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[qMin(int(v.size()) - 1, int(v.size()) * p / 100)];
}

} // namespace

Figures run(const Options& o, const std::function<void(const QString&)>& progress)
{
    auto say = [&](const QString& s) {
        if (progress)
            progress(s);
    };
    auto db = Database::open(DbUrl::parse(o.url));
    // As welmora-admin init --demo: only what is missing is made. The demo's
    // claims of every kind go only into a database that had no user, never
    // into a copy of the office's.
    createSchema(*db);
    loadReferenceData(*db);
    if (db->select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")) == 0) {
        say(QStringLiteral("empty database: the demo employees and their claims of every kind"));
        loadDemoData(*db);
        demo::loadDemoClaimsOfEveryKind(*db);
        finance::loadDemoVouchers(*db);
    }
    const Today today = todayFrom(db->serverNow());
    for (const QString& f : kFaculties + QStringList{kFinanceFaculty})
        RunningNumbers::ensureYearRows(*db, today.Cur_Bud_Year, f);
    const check::Report before = check::run(*db);
    if (!before.consistent())
        throw AppError(QStringLiteral("the database is inconsistent before the run; welmora-admin check lists why\n")
                       + check::format(before));
    const auto employees = activeEmployees(*db);

    Shared shared;
    shared.figures.server = db->serverLabel();
    shared.figures.workstations = o.workstations;
    shared.figures.operationsAsked = o.workstations * o.operations;
    say(QStringLiteral("%1 workstations x %2 operations on %3, seed %4")
            .arg(o.workstations)
            .arg(o.operations)
            .arg(shared.figures.server)
            .arg(o.seed));
    const qint64 auditedBefore = lastAuditId(*db);
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int i = 0; i < o.workstations; ++i)
        threads.emplace_back([&, i] { work(o, i, today, employees, shared, clock); });
    for (auto& t : threads)
        t.join();
    Figures f = shared.figures;
    f.elapsedMs = clock.elapsed();
    f.stoppedByTime = shared.timeUp;
    f.report = check::run(*db);
    f.overspentLimits = overspent(*db);
    f.unaudited = unaudited(*db, auditedBefore, f.actions);
    return f;
}

QString format(const Figures& f)
{
    QString out;
    out += QStringLiteral("%1 workstations, %2 of %3 operations in %4 s on %5%6\n")
               .arg(f.workstations)
               .arg(f.operationsRun)
               .arg(f.operationsAsked)
               .arg(f.elapsedMs / 1000.0, 0, 'f', 1)
               .arg(f.server, f.stoppedByTime ? QStringLiteral(" (stopped: time is up)") : QString());
    // The longest time shows what a stalled workstation costs the others.
    out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
               .arg(QStringLiteral("action"), -26)
               .arg(QStringLiteral("done"), 6)
               .arg(QStringLiteral("refused"), 8)
               .arg(QStringLiteral("failed"), 7)
               .arg(QStringLiteral("idle"), 6)
               .arg(QStringLiteral("p50 ms"), 7)
               .arg(QStringLiteral("p95 ms"), 7)
               .arg(QStringLiteral("max ms"), 7);
    int done = 0, refused = 0, failed = 0;
    for (auto it = f.actions.cbegin(); it != f.actions.cend(); ++it) {
        const ActionFigures& a = it.value();
        done += a.done;
        refused += a.refused;
        failed += a.failed;
        out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
                   .arg(it.key(), -26)
                   .arg(a.done, 6)
                   .arg(a.refused, 8)
                   .arg(a.failed, 7)
                   .arg(a.idle, 6)
                   .arg(percentile(a.ms, 50), 7)
                   .arg(percentile(a.ms, 95), 7)
                   .arg(percentile(a.ms, 100), 7);
    }
    out += QStringLiteral("operations done %1, refused %2, failed %3; %4 operations/s\n")
               .arg(done)
               .arg(refused)
               .arg(failed)
               .arg(f.elapsedMs > 0 ? (done + refused + failed) * 1000.0 / f.elapsedMs : 0.0, 0, 'f', 1);
    if (!f.refusedBy.isEmpty()) {
        out += QStringLiteral("refused, by reason:\n");
        for (auto it = f.refusedBy.cbegin(); it != f.refusedBy.cend(); ++it)
            out += QStringLiteral("  %1  %2\n").arg(it.value(), 5).arg(it.key());
    }
    if (!f.failedBy.isEmpty()) {
        out += QStringLiteral("failed (database errors), by reason:\n");
        for (auto it = f.failedBy.cbegin(); it != f.failedBy.cend(); ++it)
            out += QStringLiteral("  %1  %2\n").arg(it.value(), 5).arg(it.key());
    }
    out += QStringLiteral("identifiers handed out: %1\n").arg(f.identifiersIssued);
    out += QStringLiteral("duplicate identifiers: %1\n").arg(f.duplicateIdentifiers + f.report.count(QStringLiteral("duplicate")));
    out += QStringLiteral("lost usage updates: %1\n").arg(f.lostUpdates());
    out += QStringLiteral("overspent yearly limits: %1\n").arg(f.overspentLimits);
    out += QStringLiteral("inconsistencies: %1\n").arg(f.inconsistencies());
    out += QStringLiteral("operations and audit rows that differ: %1\n").arg(f.unaudited);
    if (!f.report.consistent())
        out += check::format(f.report);
    return out;
}

} // namespace wel::stress
