#include "Installation.h"
#include "BulkInsert.h"
#include "People.h"
#include "common/AppError.h"
#include "common/Money.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/db/Schema.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <optional>

namespace wel::bench {

namespace {

const char* const kHospitals[] = {"โรงพยาบาลมหาวิทยาลัย", "โรงพยาบาลศูนย์เชียงใหม่", "โรงพยาบาลนครพิงค์",
                                  "โรงพยาบาลลานนา", "โรงพยาบาลแมคคอร์มิค", "คลินิกเวชกรรมใกล้บ้าน",
                                  "คลินิกทันตกรรมยิ้มสวย", "โรงพยาบาลสวนดอก", "โรงพยาบาลเทพปัญญา",
                                  "คลินิกกุมารเวช", "โรงพยาบาลราชเวช", "คลินิกตาสุขใจ"};
const char* const kSchools[] = {"โรงเรียนสาธิตมหาวิทยาลัย", "โรงเรียนยุพราชวิทยาลัย", "โรงเรียนวัฒโนทัยพายัพ",
                                "โรงเรียนมงฟอร์ตวิทยาลัย", "โรงเรียนเรยีนา", "โรงเรียนอนุบาลเชียงใหม่",
                                "โรงเรียนดาราวิทยาลัย", "โรงเรียนพระหฤทัย"};
const char* const kEduLevels[] = {"อนุบาล 2", "อนุบาล 3", "ป.1", "ป.2", "ป.3", "ป.4", "ป.5", "ป.6",
                                  "ม.1", "ม.2", "ม.3", "ม.4", "ม.5", "ม.6"};
const char* const kOtherDetails[] = {"ค่าช่วยเหลือตามมติคณะกรรมการกองทุนสวัสดิการ",
                                     "ช่วยเหลือครอบครัวพนักงานตามระเบียบกองทุน",
                                     "ค่าชดเชยตามประกาศมหาวิทยาลัย"};

// Claim kinds as the entry screens write them.
enum Kind { FAE, HPE, COP, OVM, OTH, EDU };
const char* const kKindCode[] = {"FAE", "HPE", "COP", "OVM", "OTH", "EDU"};
// control-number type of each kind: the in-patient summary writes "FAE"
const char* const kSentType[] = {"FAE", "FAE", "COP", "OVM", "OTH", "EDU"};

Money limitOf(const QString& hType)
{
    return Money::fromBaht(hType == QLatin1String("1") ? 200000 : hType == QLatin1String("2") ? 20000 : 2000000000);
}
Money copayLimitOf(const QString& hType) { return Money::fromBaht(hType == QLatin1String("2") ? 25000 : 0); }

struct Receipt {
    QString folk, date, hospital, eduLevel, eduTerm, eduYear, school;
    Money amount;
};
struct Line {
    QString folk;
    Money amount, payable;
};
struct Claim {
    int emp = 0;
    Kind kind = FAE;
    QString inOut, fact, user;
    QDate dateEnt, dateBerg;
    QTime timeEnt;
    int payYear = 0;
    Money total, payable;
    std::optional<Money> before;
    QVector<Receipt> receipts;
    QVector<Line> lines;
    QString status;
    QDate sendDate;
    QString id;
    QString docNo, docDate, matiNo, matiDate, detail; // other welfare
};

struct Usage {
    Money fact, kv, copay, kvCopay;
};

struct Member {
    QString claimId, inOut;
    Money payable;
};
struct Batch {
    QString fact, sentType;
    QDate sendDate;
    QTime sendTime;
    QString user;
    bool cancelled = false;
    QVector<Member> members;
    QString id, status;
    QDate voucherDate;
};

QString money(Money m) { return m.toPlain(); }

QDate weekdayOnOrBefore(QDate d)
{
    while (d.dayOfWeek() > 5)
        d = d.addDays(-1);
    return d;
}
QDate weekdayOnOrAfter(QDate d)
{
    while (d.dayOfWeek() > 5)
        d = d.addDays(1);
    return d;
}

// Faculties send their open claims twice a month: on the 15th and on the last
// working day.
QDate nextSendDay(const QDate& from)
{
    for (QDate month(from.year(), from.month(), 1);; month = month.addMonths(1)) {
        for (const QDate& slot : {weekdayOnOrBefore(QDate(month.year(), month.month(), 15)),
                                  weekdayOnOrBefore(QDate(month.year(), month.month(), month.daysInMonth()))})
            if (slot >= from)
                return slot;
    }
}

// The finance division gathers a month's control numbers of a faculty into
// a payment voucher around the 20th of the next month; until then they are
// open ("A").
QDate voucherDayFor(const QDate& sent)
{
    const QDate next = QDate(sent.year(), sent.month(), 1).addMonths(1);
    return weekdayOnOrAfter(QDate(next.year(), next.month(), 20));
}

QTime officeTime(Random& rnd) { return QTime(8, 30).addSecs(rnd.between(0, 8 * 3600)); }

Money billAmount(Random& rnd, double median, double spread, double low, double high)
{
    const double baht = std::clamp(rnd.logNormal(median, spread), low, high);
    if (rnd.chance(0.7))
        return Money::fromBaht(qint64(std::llround(baht)));
    return Money::fromSatang(qint64(std::llround(baht * 4)) * 25);
}

class Generator {
public:
    Generator(Database& db, const GenerateOptions& o, QTextStream& progress)
        : m_db(db), m_opt(o), m_out(progress), m_rnd(o.seed)
    {
        m_lastYear = budgetYear(o.today);
        m_firstYear = m_lastYear - o.years + 1;
    }

    GenerateTotals run();

private:
    void refuseFilledDatabase();
    void loadFaculties();
    void writeReferenceRows();
    void writeEmployees();
    void generateYear(int year);
    void makeClaim(Claim& c, Usage* usage, Usage* copayUsage);
    void chargeMedical(Claim& c, Usage& u);
    void chargeCopay(Claim& c, Usage& u);
    void settle(Claim& c, Usage* usage);
    void writeClaims(QVector<Claim>& claims, int year);
    void writeYearRows(int year);
    void writeControlNumbers();
    void writeVouchers(const QVector<Batch*>& paid);
    void writeCounters();
    QString clerkOf(const QString& fact) const { return fact.toLower() + QStringLiteral("clerk"); }
    Money flexOf(const Employee& e, int year) const
    {
        return e.flexBenefit && year > m_lastYear - 4 ? Money::fromBaht(5000) : Money();
    }
    void note(const QString& what);

    Database& m_db;
    GenerateOptions m_opt;
    QTextStream& m_out;
    Random m_rnd;
    QElapsedTimer m_clock;
    int m_firstYear = 0, m_lastYear = 0;
    QVector<Faculty> m_faculties;
    QString m_hospital;
    QVector<Employee> m_staff;
    QHash<QString, QString> m_kindNames; // Health_In_Out_t -> Health_Desc
    QHash<qint64, Usage> m_usage;         // employee * 10000 + budget year
    QMap<std::tuple<QString, QString, int, QString, QDate>, int> m_openBatch;
    QVector<Batch> m_batches;
    QMap<QPair<QString, int>, int> m_claimCounter; // faculty, budget year -> numbers used
    GenerateTotals m_totals;
};

void Generator::note(const QString& what)
{
    m_out << QStringLiteral("  %1 s  ").arg(double(m_clock.elapsed()) / 1000.0, 6, 'f', 1) << what << Qt::endl;
}

void Generator::refuseFilledDatabase()
{
    for (const char* table : {"T_Emp_Gov_Histry", "T_PAY_Health", "T_Sent_KV_Detail"})
        if (m_db.select(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(QLatin1String(table)))
                .integer(0, QStringLiteral("n")) > 0)
            throw AppError(QStringLiteral("%1 already has rows: generate into a new, empty database")
                               .arg(QLatin1String(table)));
}

void Generator::loadFaculties()
{
    const Rows rows = m_db.select(QStringLiteral("SELECT Fact_Code, Fact_Name FROM T_Fact ORDER BY Fact_Code"));
    const QVector<Faculty> standard = standardFaculties();
    if (rows.isEmpty()) {
        m_faculties = standard;
        Transaction tx(m_db);
        BulkInsert facts(m_db, QStringLiteral("T_Fact"), {QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name")});
        for (const Faculty& f : m_faculties)
            facts.add({f.code, f.name});
        facts.finish();
        tx.commit();
    } else {
        for (int r = 0; r < rows.count(); ++r) {
            Faculty f{rows.text(r, QStringLiteral("Fact_Code")), rows.text(r, QStringLiteral("Fact_Name")), 2};
            for (const Faculty& s : standard)
                if (s.code == f.code)
                    f.weight = s.weight;
            m_faculties.push_back(f);
        }
    }
    m_hospital = m_faculties.first().code;
    double largest = 0;
    for (const Faculty& f : m_faculties) {
        if (f.code == QLatin1String("HO")) {
            m_hospital = f.code;
            break;
        }
        if (f.weight > largest) {
            largest = f.weight;
            m_hospital = f.code;
        }
    }
    const Rows kinds = m_db.select(QStringLiteral("SELECT Health_In_Out_t, Health_Desc FROM TR_Heal_Type"));
    for (int r = 0; r < kinds.count(); ++r)
        m_kindNames[kinds.text(r, QStringLiteral("Health_In_Out_t"))] = kinds.text(r, QStringLiteral("Health_Desc"));
}

void Generator::writeReferenceRows()
{
    Transaction tx(m_db);
    for (int y = m_firstYear; y <= m_lastYear + 1; ++y)
        m_db.insertIfAbsent(QStringLiteral("TR_Select_Year_Bud"), {QStringLiteral("Sel_Year_BudDate")},
                            {QString::number(y)}, 1);
    if (m_db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")) == 0) {
        BulkInsert users(m_db, QStringLiteral("T_USER"),
                         {QStringLiteral("ID"), QStringLiteral("Username"), QStringLiteral("Password"),
                          QStringLiteral("Fact_Code"), QStringLiteral("User_Type"), QStringLiteral("section"),
                          QStringLiteral("U_Surname"), QStringLiteral("U_F_Name"), QStringLiteral("U_L_Name"),
                          QStringLiteral("U_Position"), QStringLiteral("U_Tel_No")});
        int id = 0;
        auto user = [&](const QString& name, const QString& fact, int section, const QString& position) {
            ++id;
            users.add({id, name, name, fact, QStringLiteral("U"), section, QStringLiteral("นางสาว"),
                       QStringLiteral("ผู้ใช้%1").arg(id), QStringLiteral("ทดสอบระบบ"), position,
                       QStringLiteral("0-5394-%1").arg(4000 + id)});
        };
        user(QStringLiteral("admin"), QStringLiteral("OP"), 9, QStringLiteral("นักวิชาการคอมพิวเตอร์"));
        user(QStringLiteral("finance"), QStringLiteral("OP"), 7, QStringLiteral("นักวิชาการเงินและบัญชี"));
        for (const Faculty& f : m_faculties)
            user(clerkOf(f.code), f.code, f.code == m_hospital ? 2 : 4, QStringLiteral("เจ้าหน้าที่การเงิน"));
        users.finish();
    }
    tx.commit();
}

void Generator::writeEmployees()
{
    const int count = std::max(50, int(std::lround(20000 * m_opt.scale)));
    const QDate firstDay = budgetYearStart(m_firstYear);
    m_staff = makeEmployees(m_rnd, count, m_faculties, firstDay.addYears(-6), firstDay, m_opt.today);
    QHash<QString, QString> factNames;
    for (const Faculty& f : m_faculties)
        factNames[f.code] = f.name;
    const char* const rights[] = {"ประกันสังคม", "บัตรทอง", "ข้าราชการ", "ประกันสุขภาพเอกชน", "ไม่มี"};

    Transaction tx(m_db);
    BulkInsert emp(m_db, QStringLiteral("T_Emp_Gov_Histry"),
                   {QStringLiteral("KV_ID"), QStringLiteral("EMP_ID"), QStringLiteral("Emp_SSN"),
                    QStringLiteral("Emp_Surname"), QStringLiteral("Emp_F_Name"), QStringLiteral("Emp_L_Name"),
                    QStringLiteral("Emp_Position"), QStringLiteral("Emp_Level"), QStringLiteral("Emp_Dept_Name"),
                    QStringLiteral("Emp_In_date2"), QStringLiteral("Emp_Fact"), QStringLiteral("Emp_H_Type"),
                    QStringLiteral("Fact_code"), QStringLiteral("Bank_Account_No"), QStringLiteral("Emp_Status"),
                    QStringLiteral("USER_E_Del"), QStringLiteral("Emp_Out_date"), QStringLiteral("Exit_Reason"),
                    QStringLiteral("Exit_doc"), QStringLiteral("USER_E_Exit")});
    BulkInsert folk(m_db, QStringLiteral("T_Emp_Folk"),
                    {QStringLiteral("KV_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("EF_Surname"),
                     QStringLiteral("EF_F_Name"), QStringLiteral("EF_L_Name"), QStringLiteral("EF_Birthday"),
                     QStringLiteral("EF_Base_Right1"), QStringLiteral("EF_Base_Right2"),
                     QStringLiteral("EF_Base_Right3"), QStringLiteral("EF_SSN")});
    for (const Employee& e : m_staff) {
        const bool left = e.status == QLatin1String("O");
        const bool deleted = e.status == QLatin1String("D");
        emp.add({e.kvId, e.empId, e.ssn, e.title, e.first, e.last, e.position, e.level, e.dept, toBEText(e.inDate),
                 factNames.value(e.fact), e.hType, e.fact, e.bankAccount, e.status,
                 deleted ? QVariant(clerkOf(e.fact)) : QVariant(),
                 left ? QVariant(toBEText(e.outDate)) : QVariant(), left ? QVariant(e.exitReason) : QVariant(),
                 left ? QVariant(QStringLiteral("มช. %1/%2").arg(m_rnd.between(1, 999)).arg(e.outDate.year() + 543))
                      : QVariant(),
                 left ? QVariant(clerkOf(e.fact)) : QVariant()});
        for (const Person& p : e.family) {
            const bool self = p.code == QLatin1String("0");
            folk.add({e.kvId, p.code, p.title, p.first, p.last, self ? QString() : p.birthday,
                      self ? QVariant() : QVariant(m_rnd.pick(rights)), QVariant(), QVariant(),
                      self ? QVariant() : QVariant(QString::number(m_rnd.between(1, 5)) + m_rnd.digits(12))});
        }
    }
    emp.finish();
    folk.finish();
    tx.commit();
    m_totals.employees = emp.rowsWritten();
    m_totals.familyRows = folk.rowsWritten();
    note(QStringLiteral("%1 employees, %2 family rows").arg(m_totals.employees).arg(m_totals.familyRows));
}

// Medical limit (outpatient and in-patient together): the remaining limit is
// cut off at the limit less the flexible benefit, and the excess is taken
// from the line of the patient of the last receipt.
void Generator::chargeMedical(Claim& c, Usage& u)
{
    const Employee& e = m_staff[c.emp];
    const Money h = limitOf(e.hType), f = flexOf(e, c.payYear);
    if (h <= u.fact + f) {
        c.total = Money(); // limit used up: the entry screen refuses the claim
        return;
    }
    const Money v = h - u.fact - f;
    c.before = v;
    if (u.fact + c.total > h - f) {
        c.payable = v;
        u.fact = h - f;
    } else {
        c.payable = c.total;
        u.fact += c.total;
    }
}

void Generator::chargeCopay(Claim& c, Usage& u)
{
    const Money t = copayLimitOf(m_staff[c.emp].hType);
    if (u.copay >= t) {
        c.total = Money();
        return;
    }
    const Money v = t - u.copay;
    c.before = v;
    c.payable = min(c.total, v);
    u.copay += c.payable;
}

void Generator::makeClaim(Claim& c, Usage* usage, Usage* copayUsage)
{
    const Employee& e = m_staff[c.emp];
    const QDate claimDay = c.dateBerg;
    const QDate payStart = budgetYearStart(c.payYear), payEnd = budgetYearEnd(c.payYear);
    const QDate receiptFrom = std::max(payStart, claimDay.addYears(-1)), receiptTo = std::min(payEnd, claimDay);
    auto receiptDay = [&] {
        return receiptFrom.addDays(m_rnd.between64(0, std::max<qint64>(0, receiptFrom.daysTo(receiptTo))));
    };
    auto patient = [&]() -> const Person& {
        static const double weights[] = {55, 7, 8, 10, 8, 6, 4, 2};
        for (;;) {
            const Person* p = e.member(QString::number(m_rnd.weighted(weights)));
            if (p)
                return *p;
        }
    };
    auto medicalReceipts = [&](int count, double median, bool selfOnly) {
        for (int i = 0; i < count; ++i) {
            const Person& p = selfOnly ? e.family.first() : patient();
            Receipt r;
            r.folk = p.code;
            r.date = toBEText(receiptDay());
            r.amount = billAmount(m_rnd, median, 0.9, 40, median * 60);
            r.hospital = m_rnd.pick(kHospitals);
            c.receipts.push_back(r);
        }
    };
    static const double receiptCounts[] = {25, 22, 17, 11, 8, 6, 4, 3, 2, 2};

    switch (c.kind) {
    case FAE:
    case COP:
    case OVM:
        c.inOut = m_rnd.chance(0.92) ? QStringLiteral("0") : QStringLiteral("1");
        medicalReceipts(1 + m_rnd.weighted(receiptCounts), c.kind == FAE ? 450 : c.kind == COP ? 1500 : 6000, false);
        break;
    case HPE:
        c.inOut = QStringLiteral("1");
        medicalReceipts(m_rnd.between(1, 4), 7000, m_rnd.chance(0.7));
        break;
    case OTH: {
        static const char* const kinds[] = {"M", "N", "S", "D"};
        static const double weights[] = {2, 2, 5, 3};
        c.inOut = QString::fromLatin1(kinds[m_rnd.weighted(weights)]);
        Receipt r;
        r.folk = QStringLiteral("0");
        r.amount = Money::fromBaht(c.inOut == QLatin1String("M") ? 50000
                                   : c.inOut == QLatin1String("N") ? 20000
                                                                   : 1000 * m_rnd.between(5, 60));
        c.receipts.push_back(r);
        const int be = claimDay.year() + 543;
        c.docNo = QStringLiteral("มส 0517/%1").arg(m_rnd.between(100, 9999));
        c.docDate = toBEText(claimDay.addDays(-m_rnd.between(5, 40)));
        c.matiNo = QStringLiteral("%1/%2").arg(m_rnd.between(1, 12)).arg(be);
        c.matiDate = toBEText(claimDay.addDays(-m_rnd.between(1, 4)));
        c.detail = m_rnd.pick(kOtherDetails);
        break;
    }
    case EDU: {
        c.inOut = QStringLiteral("E");
        const auto kids = e.children();
        const int academicYear = claimDay.year() + 543 - (claimDay.month() < 5 ? 1 : 0);
        for (const Person* kid : kids) {
            if (c.receipts.size() == 3 || (!c.receipts.isEmpty() && m_rnd.chance(0.4)))
                break;
            Receipt r;
            r.folk = kid->code;
            r.date = QStringLiteral("");
            r.amount = Money::fromBaht(500 * m_rnd.between(2, 30));
            r.eduLevel = m_rnd.pick(kEduLevels);
            r.eduTerm = QString::number(m_rnd.between(1, 2));
            r.eduYear = QString::number(academicYear);
            r.school = m_rnd.pick(kSchools);
            c.receipts.push_back(r);
        }
        break;
    }
    }
    for (const Receipt& r : c.receipts)
        c.total += r.amount;

    c.payable = c.total;
    if (c.kind == FAE || c.kind == HPE)
        chargeMedical(c, *usage);
    else if (c.kind == COP)
        chargeCopay(c, *copayUsage);
    else if (c.kind == OVM)
        c.before = Money();
    if (c.total.isZero())
        return;

    // one line per patient, in patient order; the excess comes off the line
    // of the patient of the last receipt
    const Money excess = c.total - c.payable;
    for (int code = 0; code <= 7; ++code) {
        const QString folk = QString::number(code);
        Line line{folk, Money(), Money()};
        bool any = false;
        for (const Receipt& r : c.receipts)
            if (r.folk == folk) {
                line.amount += r.amount;
                any = true;
            }
        if (!any)
            continue;
        line.payable = folk == c.receipts.last().folk ? line.amount - excess : line.amount;
        c.lines.push_back(line);
    }
}

// What became of the claim by today: cancelled, still open, or sent under a
// control number with the faculty's next batch.
void Generator::settle(Claim& c, Usage* usage)
{
    if (m_rnd.chance(c.kind == OTH || c.kind == EDU ? 0.02 : 0.03)) {
        c.status = QStringLiteral("NO");
        if (c.kind == FAE || c.kind == HPE)
            usage->fact -= c.payable;
        else if (c.kind == COP)
            usage->copay -= c.payable;
        return;
    }
    const QDate send = nextSendDay(c.dateEnt.addDays(m_rnd.between(0, 6)));
    if (send > m_opt.today || m_rnd.chance(0.003)) {
        c.status = QStringLiteral("FC");
        return;
    }
    c.status = QStringLiteral("KV");
    c.sendDate = send;
    if (c.kind == FAE)
        usage->kv += c.payable;
    else if (c.kind == HPE)
        usage->kv += c.total; // the in-patient summary hands over the amount claimed
    else if (c.kind == COP)
        usage->kvCopay += c.payable;
}

void Generator::generateYear(int year)
{
    const QDate start = budgetYearStart(year), end = std::min(budgetYearEnd(year), m_opt.today);
    // about 500,000 claims over ten years of 20,000 employees
    const double claimsPerYear = 3.5;
    QVector<Claim> claims;
    for (int i = 0; i < m_staff.size(); ++i) {
        const Employee& e = m_staff[i];
        if (e.status == QLatin1String("D"))
            continue;
        const QDate from = std::max(start, e.inDate);
        const QDate to = e.outDate.isNull() ? end : std::min(end, e.outDate);
        if (from > to)
            continue;
        const int n = m_rnd.poisson(claimsPerYear * double(from.daysTo(to) + 1) / 365.0);
        QVector<Claim> mine;
        for (int k = 0; k < n; ++k) {
            Claim c;
            c.emp = i;
            QDate day = from.addDays(m_rnd.between64(0, from.daysTo(to)));
            day = day.dayOfWeek() > 5 ? weekdayOnOrBefore(day) : day;
            c.dateEnt = day < from ? weekdayOnOrAfter(from) : day;
            if (c.dateEnt > to)
                continue;
            c.timeEnt = officeTime(m_rnd);
            c.dateBerg = m_rnd.chance(0.05) ? c.dateEnt.addDays(-m_rnd.between(1, 5)) : c.dateEnt;
            const bool hasChildren = !e.children().isEmpty();
            const double weights[] = {84, 5, e.hType == QLatin1String("2") ? 5.0 : 0.0, 1.5, 0.7,
                                      hasChildren ? 6.0 : 0.0};
            c.kind = Kind(m_rnd.weighted(weights));
            c.payYear = year;
            // early in a budget year, receipts of the year before are still charged to it
            if (c.dateBerg.month() >= 10 && c.dateBerg.month() <= 11 && year > m_firstYear
                && (c.kind == FAE || c.kind == COP || c.kind == OVM) && m_rnd.chance(0.3))
                c.payYear = year - 1;
            c.fact = c.kind == HPE ? m_hospital : e.fact;
            c.user = clerkOf(c.fact);
            mine.push_back(std::move(c));
        }
        std::sort(mine.begin(), mine.end(), [](const Claim& a, const Claim& b) {
            return std::tie(a.dateEnt, a.timeEnt) < std::tie(b.dateEnt, b.timeEnt);
        });
        for (Claim& c : mine) {
            Usage& usage = m_usage[qint64(i) * 10000 + c.payYear];
            makeClaim(c, &usage, &usage);
            if (c.total.isZero() || c.total < Money::fromSatang(1))
                continue;
            settle(c, &usage);
            claims.push_back(std::move(c));
        }
    }
    writeClaims(claims, year);
}

void Generator::writeClaims(QVector<Claim>& claims, int year)
{
    // numbers of each faculty's series in the order of entry
    std::sort(claims.begin(), claims.end(), [](const Claim& a, const Claim& b) {
        return std::tie(a.fact, a.dateEnt, a.timeEnt) < std::tie(b.fact, b.dateEnt, b.timeEnt);
    });
    for (Claim& c : claims) {
        const int n = ++m_claimCounter[{c.fact, year}];
        c.id = c.fact + QString::number(year) + QLatin1Char('/') + QStringLiteral("%1").arg(n, 7, 10, QLatin1Char('0'));
    }

    Transaction tx(m_db);
    BulkInsert head(m_db, QStringLiteral("T_PAY_Health"),
                    {QStringLiteral("Berg_Doc_ID"), QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"),
                     QStringLiteral("Date_berg"), QStringLiteral("T_M_Berg"), QStringLiteral("M_Can_Berg"),
                     QStringLiteral("Vong_M_Befor"), QStringLiteral("Date_Ent"), QStringLiteral("Time_Ent"),
                     QStringLiteral("Berg_Doc_Status"), QStringLiteral("User_Type"), QStringLiteral("Ent_From"),
                     QStringLiteral("Health_In_Out_t"), QStringLiteral("Fact_Code"), QStringLiteral("Berg_Type_Code"),
                     QStringLiteral("Ent_User"), QStringLiteral("Doc_No"), QStringLiteral("Doc_Date"),
                     QStringLiteral("Mati_No"), QStringLiteral("Mati_date"), QStringLiteral("Doc_Detail")});
    BulkInsert lines(m_db, QStringLiteral("T_Pay_Health_Detail"),
                     {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("KV_ID"),
                      QStringLiteral("Health_In_Out_t"), QStringLiteral("M_Berg"), QStringLiteral("HM_Can_Berg")});
    BulkInsert receipts(m_db, QStringLiteral("T_Reciept"),
                        {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Order_Doc"), QStringLiteral("Emp_Folk"),
                         QStringLiteral("Date_Doc"), QStringLiteral("P_money"), QStringLiteral("Hospital_Name"),
                         QStringLiteral("EF_Surname"), QStringLiteral("EF_F_Name"), QStringLiteral("EF_L_Name"),
                         QStringLiteral("EF_Birthday"), QStringLiteral("Edu_Type"), QStringLiteral("Edu_Level"),
                         QStringLiteral("Edu_Term"), QStringLiteral("Edu_Year"), QStringLiteral("School_Name")});
    for (const Claim& c : claims) {
        const Employee& e = m_staff[c.emp];
        const bool medical = c.kind <= OVM;
        const bool other = c.kind == OTH;
        head.add({c.id, e.kvId, QString::number(c.payYear), toBEText(c.dateBerg), money(c.total), money(c.payable),
                  c.before ? QVariant(money(*c.before)) : QVariant(), toBEText(c.dateEnt),
                  c.timeEnt.toString(QStringLiteral("HH:mm:ss")), c.status,
                  medical ? QVariant(QStringLiteral("U")) : QVariant(),
                  medical ? QVariant(QStringLiteral("HRR")) : QVariant(), c.inOut, c.fact,
                  QString::fromLatin1(kKindCode[c.kind]), c.user, other ? QVariant(c.docNo) : QVariant(),
                  other ? QVariant(c.docDate) : QVariant(), other ? QVariant(c.matiNo) : QVariant(),
                  other ? QVariant(c.matiDate) : QVariant(), other ? QVariant(c.detail) : QVariant()});
        for (const Line& l : c.lines)
            lines.add({c.id, l.folk, e.kvId, c.inOut, money(l.amount), money(l.payable)});
        int order = 0;
        for (const Receipt& r : c.receipts) {
            const Person* p = e.member(r.folk);
            const bool edu = c.kind == EDU;
            receipts.add({c.id, ++order, r.folk, other ? QVariant() : QVariant(r.date), money(r.amount),
                          medical ? QVariant(r.hospital) : QVariant(), other ? QVariant() : QVariant(p->title),
                          other ? QVariant() : QVariant(p->first), other ? QVariant() : QVariant(p->last),
                          other ? QVariant() : QVariant(p->birthday), other ? QVariant() : QVariant(QStringLiteral("")),
                          edu ? QVariant(r.eduLevel) : QVariant(), edu ? QVariant(r.eduTerm) : QVariant(),
                          edu ? QVariant(r.eduYear) : QVariant(), edu ? QVariant(r.school) : QVariant()});
        }
        if (c.status == QLatin1String("KV")) {
            const auto key = std::make_tuple(c.fact, QString::fromLatin1(kKindCode[c.kind]),
                                             c.kind <= OVM ? c.payYear : 0, c.kind <= OVM ? c.inOut : QString(),
                                             c.sendDate);
            auto it = m_openBatch.find(key);
            if (it == m_openBatch.end()) {
                Batch b;
                b.fact = c.fact;
                b.sentType = QString::fromLatin1(kSentType[c.kind]);
                b.sendDate = c.sendDate;
                b.sendTime = officeTime(m_rnd);
                b.user = clerkOf(c.fact);
                m_batches.push_back(b);
                it = m_openBatch.insert(key, int(m_batches.size() - 1));
            }
            m_batches[*it].members.push_back({c.id, c.inOut, c.payable});
        }
    }
    head.finish();
    lines.finish();
    receipts.finish();
    tx.commit();
    m_totals.claims += head.rowsWritten();
    m_totals.lines += lines.rowsWritten();
    m_totals.receipts += receipts.rowsWritten();
    note(QStringLiteral("budget year %1: %2 claims, %3 receipts").arg(year).arg(head.rowsWritten())
             .arg(receipts.rowsWritten()));
}

void Generator::writeYearRows(int year)
{
    const QDate start = budgetYearStart(year), end = std::min(budgetYearEnd(year), m_opt.today);
    Transaction tx(m_db);
    BulkInsert rows(m_db, QStringLiteral("T_Year_Cur_Health"),
                    {QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Fact_T_H_Money"),
                     QStringLiteral("Fact_T_U_H"), QStringLiteral("KV_T_H_Money"), QStringLiteral("KV_T_U_H"),
                     QStringLiteral("Fact_T_Copay"), QStringLiteral("Fact_U_Copay"), QStringLiteral("Kv_T_Copay"),
                     QStringLiteral("Kv_U_Copay"), QStringLiteral("M_Flexben"), QStringLiteral("Year_Remark")});
    for (int i = 0; i < m_staff.size(); ++i) {
        const Employee& e = m_staff[i];
        if (e.status == QLatin1String("D") || e.inDate > end || (!e.outDate.isNull() && e.outDate < start))
            continue;
        const Usage u = m_usage.value(qint64(i) * 10000 + year);
        const Money h = limitOf(e.hType), t = copayLimitOf(e.hType);
        rows.add({e.kvId, QString::number(year), money(h), money(u.fact), money(h), money(u.kv), money(t),
                  money(u.copay), money(t), money(u.kvCopay), money(flexOf(e, year)),
                  QStringLiteral("สร้างโดยการประมวลผลประจำปีงบประมาณ %1").arg(year)});
        m_usage.remove(qint64(i) * 10000 + year);
    }
    rows.finish();
    tx.commit();
    m_totals.yearRows += rows.rowsWritten();
}

void Generator::writeControlNumbers()
{
    // A few control numbers were cancelled and their claims sent again a few
    // days later: the cancelled one keeps its members.
    const int sent = int(m_batches.size());
    for (int i = 0; i < sent; ++i)
        if (m_rnd.chance(0.015)) {
            Batch cancelled = m_batches[i];
            cancelled.cancelled = true;
            cancelled.sendDate = weekdayOnOrBefore(cancelled.sendDate.addDays(-m_rnd.between(2, 7)));
            m_batches.push_back(cancelled);
        }
    std::sort(m_batches.begin(), m_batches.end(), [](const Batch& a, const Batch& b) {
        return std::tie(a.sendDate, a.sendTime, a.fact) < std::tie(b.sendDate, b.sendTime, b.fact);
    });
    QHash<int, int> numbers;
    QVector<Batch*> paid;
    Transaction tx(m_db);
    BulkInsert head(m_db, QStringLiteral("T_Sent_KV_Detail"),
                    {QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Sent_Date"), QStringLiteral("Sent_Time"),
                     QStringLiteral("Sent_Doc_Status"), QStringLiteral("Sent_Doc_Type"), QStringLiteral("Fact_Code"),
                     QStringLiteral("Sent_User")});
    BulkInsert members(m_db, QStringLiteral("T_Sent_KV"),
                       {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Order_No")});
    for (Batch& b : m_batches) {
        const int year = budgetYear(b.sendDate);
        b.id = QStringLiteral("KV%1/%2%3").arg(year).arg(++numbers[year], 6, 10, QLatin1Char('0')).arg(b.fact);
        b.voucherDate = voucherDayFor(b.sendDate);
        b.status = b.cancelled ? QStringLiteral("C") : b.voucherDate <= m_opt.today ? QStringLiteral("P")
                                                                                      : QStringLiteral("A");
        if (b.status == QLatin1String("P"))
            paid.push_back(&b);
        head.add({b.id, toBEText(b.sendDate), b.sendTime.toString(QStringLiteral("HH:mm:ss")), b.status, b.sentType,
                  b.fact, b.user});
        std::sort(b.members.begin(), b.members.end(),
                  [](const Member& x, const Member& y) { return x.claimId < y.claimId; });
        int order = 0;
        for (const Member& m : b.members)
            members.add({m.claimId, b.id, ++order});
    }
    head.finish();
    members.finish();
    for (auto it = numbers.cbegin(); it != numbers.cend(); ++it)
        m_db.exec(QStringLiteral("INSERT INTO T_Sent_KV_RunNo (Sent_Year, Run_No) VALUES (?, ?)"),
                  {QString::number(it.key()), it.value() + 1});
    writeVouchers(paid);
    tx.commit();
    m_totals.controlNumbers = head.rowsWritten();
    m_totals.members = members.rowsWritten();
    note(QStringLiteral("%1 control numbers, %2 members, %3 vouchers").arg(m_totals.controlNumbers)
             .arg(m_totals.members).arg(m_totals.vouchers));
}

void Generator::writeVouchers(const QVector<Batch*>& paid)
{
    QMap<QPair<QDate, QString>, QVector<Batch*>> byVoucher;
    for (Batch* b : paid)
        byVoucher[{b->voucherDate, b->fact}].push_back(b);
    BulkInsert pv(m_db, QStringLiteral("T_PV"),
                  {QStringLiteral("PVR_NO"), QStringLiteral("Sent_Date"), QStringLiteral("Sent_Time"),
                   QStringLiteral("Sent_Doc_Status"), QStringLiteral("Fact_Code"), QStringLiteral("Sent_User"),
                   QStringLiteral("EDU_Count"), QStringLiteral("EDU_Money"), QStringLiteral("He_In_Count"),
                   QStringLiteral("He_In_Money"), QStringLiteral("He_Out_Count"), QStringLiteral("He_Out_Money"),
                   QStringLiteral("Oth_Count"), QStringLiteral("Oth_Money"), QStringLiteral("Oth_Detail1"),
                   QStringLiteral("Oth_Detail2"), QStringLiteral("Oth_Detail3"), QStringLiteral("Oth_Detail4"),
                   QStringLiteral("Oth_Detail5"), QStringLiteral("Pay_For_Per"), QStringLiteral("Dep_Sub_Doc_No"),
                   QStringLiteral("FN_Doc_No"), QStringLiteral("FN_Doc_Date"), QStringLiteral("PV_Doc_No"),
                   QStringLiteral("PV_date")});
    BulkInsert detail(m_db, QStringLiteral("T_PV_Detail"),
                      {QStringLiteral("PVR_NO"), QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Order_No")});
    QHash<int, int> numbers;
    for (auto it = byVoucher.cbegin(); it != byVoucher.cend(); ++it) {
        const QDate day = it.key().first;
        const QString fact = it.key().second;
        const int year = budgetYear(day);
        const QString id = QStringLiteral("PVR%1/%2%3").arg(year).arg(++numbers[year], 5, 10, QLatin1Char('0')).arg(fact);
        int counts[4] = {0, 0, 0, 0}; // education, in-patient, outpatient, other
        Money sums[4];
        QStringList others;
        int order = 0;
        for (const Batch* b : it.value()) {
            detail.add({id, b->id, ++order});
            for (const Member& m : b->members) {
                const int k = m.inOut == QLatin1String("E") ? 0 : m.inOut == QLatin1String("1") ? 1
                                                              : m.inOut == QLatin1String("0") ? 2 : 3;
                ++counts[k];
                sums[k] += m.payable;
                if (k == 3 && !others.contains(m_kindNames.value(m.inOut)) && others.size() < 5)
                    others << m_kindNames.value(m.inOut);
            }
        }
        while (others.size() < 5)
            others << QString();
        const bool numbered = day.daysTo(m_opt.today) > 20;
        const QDate paidOn = weekdayOnOrAfter(day.addDays(12));
        pv.add({id, toBEText(day), officeTime(m_rnd).toString(QStringLiteral("HH:mm:ss")), QStringLiteral("A"), fact,
                QStringLiteral("finance"), counts[0], money(sums[0]), counts[1], money(sums[1]), counts[2],
                money(sums[2]), counts[3], money(sums[3]), others[0], others[1], others[2], others[3], others[4],
                QStringLiteral("เจ้าหน้าที่การเงินส่วนงาน %1").arg(fact),
                numbered ? QVariant(QStringLiteral("%1 %2/%3").arg(fact).arg(m_rnd.between(1, 900)).arg(year)) : QVariant(),
                numbered ? QVariant(QStringLiteral("กค %1/%2").arg(m_rnd.between(1, 5000)).arg(year)) : QVariant(),
                numbered ? QVariant(toBEText(day.addDays(7))) : QVariant(),
                numbered ? QVariant(QStringLiteral("PV%1").arg(m_rnd.digits(6))) : QVariant(),
                numbered ? QVariant(toBEText(paidOn)) : QVariant()});
    }
    pv.finish();
    detail.finish();
    for (auto it = numbers.cbegin(); it != numbers.cend(); ++it)
        m_db.exec(QStringLiteral("INSERT INTO T_PVR_Runno (Sent_Year, Run_No) VALUES (?, ?)"),
                  {QString::number(it.key()), it.value() + 1});
    m_totals.vouchers = pv.rowsWritten();
}

// Every counter holds the next number to hand out; the log-in has made the
// rows of the current budget year for every faculty.
void Generator::writeCounters()
{
    Transaction tx(m_db);
    QMap<QString, int> empKeys;
    for (const Employee& e : m_staff) {
        const QString year = e.kvId.mid(2, 4);
        empKeys[year] = std::max(empKeys.value(year), e.kvId.mid(7).toInt());
    }
    empKeys.insert(QString::number(m_lastYear), empKeys.value(QString::number(m_lastYear)));
    for (auto it = empKeys.cbegin(); it != empKeys.cend(); ++it)
        m_db.exec(QStringLiteral("INSERT INTO T_Emp_RunNo (Emp_Year, Run_No) VALUES (?, ?)"), {it.key(), it.value() + 1});
    BulkInsert claims(m_db, QStringLiteral("T_Berg_Runno"),
                      {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")});
    BulkInsert edu(m_db, QStringLiteral("T_Berg_Edu_Runno"),
                   {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")});
    for (int year = m_firstYear; year <= m_lastYear; ++year)
        for (const Faculty& f : m_faculties) {
            const int used = m_claimCounter.value({f.code, year});
            if (used > 0 || year == m_lastYear)
                claims.add({f.code, QString::number(year), used + 1});
            edu.add({f.code, QString::number(year), 1});
        }
    claims.finish();
    edu.finish();
    if (m_db.select(QStringLiteral("SELECT 1 FROM T_Sent_KV_RunNo WHERE Sent_Year = ?"),
                    {QString::number(m_lastYear)}).isEmpty())
        m_db.exec(QStringLiteral("INSERT INTO T_Sent_KV_RunNo (Sent_Year, Run_No) VALUES (?, 1)"),
                  {QString::number(m_lastYear)});
    if (m_db.select(QStringLiteral("SELECT 1 FROM T_PVR_Runno WHERE Sent_Year = ?"),
                    {QString::number(m_lastYear)}).isEmpty())
        m_db.exec(QStringLiteral("INSERT INTO T_PVR_Runno (Sent_Year, Run_No) VALUES (?, 1)"),
                  {QString::number(m_lastYear)});
    tx.commit();
}

GenerateTotals Generator::run()
{
    m_clock.start();
    createSchema(m_db);
    loadReferenceData(m_db);
    refuseFilledDatabase();
    loadFaculties();
    writeReferenceRows();
    writeEmployees();
    for (int year = m_firstYear; year <= m_lastYear; ++year) {
        generateYear(year);
        if (year > m_firstYear)
            writeYearRows(year - 1); // claims entered up to November still charged that year
    }
    writeYearRows(m_lastYear);
    writeControlNumbers();
    writeCounters();
    // the statistics a server in use has: PostgreSQL's autovacuum gathers
    // them, the program's SQLite connections when they close
    m_db.exec(QStringLiteral("ANALYZE"));
    note(QStringLiteral("done"));
    return m_totals;
}

} // namespace

GenerateTotals generateInstallation(Database& db, const GenerateOptions& options, QTextStream& progress)
{
    if (!options.today.isValid() || options.scale <= 0 || options.years < 2)
        throw AppError(QStringLiteral("generate: a scale above 0 and a valid date are needed"));
    Generator g(db, options, progress);
    return g.run();
}

} // namespace wel::bench
