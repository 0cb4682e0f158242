#include "Generator.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

#include <algorithm>
#include <cmath>

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

Money billAmount(Random& rnd, double median, double spread, double low, double high)
{
    const double baht = std::clamp(rnd.logNormal(median, spread), low, high);
    if (rnd.chance(0.7))
        return Money::fromBaht(qint64(std::llround(baht)));
    return Money::fromSatang(qint64(std::llround(baht * 4)) * 25);
}

} // namespace

// Medical limit (outpatient and in-patient together): the remaining limit is
// cut off at the limit less the flexible benefit, and the excess is taken
// from the line of the patient of the last receipt.
void Generator::chargeMedical(Claim& c, Usage& u)
{
    const Employee& e = m_staff[c.emp];
    const Money h = limitOf(e.hType), f = flexOf(e, c.payYear);
    if (h <= u.fact + f) {
        c.refused = true;
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
        c.refused = true;
        return;
    }
    const Money v = t - u.copay;
    c.before = v;
    c.payable = min(c.total, v);
    u.copay += c.payable;
}

void Generator::makeClaim(Claim& c, Usage& usage)
{
    const Employee& e = m_staff[c.emp];
    const QDate claimDay = c.dateBerg;
    const QDate payStart = budgetYearStart(c.payYear), payEnd = budgetYearEnd(c.payYear);
    const QDate receiptFrom = std::max(payStart, claimDay.addYears(-1)), receiptTo = std::min(payEnd, claimDay);
    auto receiptDay = [&] {
        return receiptFrom.addDays(m_rnd.between64(0, std::max<qint64>(0, receiptFrom.daysTo(receiptTo))));
    };
    // A fourth child is an outpatient's patient only: the other kinds' entry
    // offers the employee, parents, spouse and three children.
    auto patient = [&]() -> const Person& {
        static const double outpatient[] = {55, 7, 8, 10, 8, 6, 4, 2};
        static const double others[] = {55, 7, 8, 10, 8, 6, 4, 0};
        for (;;) {
            const Person* p = e.member(QString::number(m_rnd.weighted(c.kind == FAE ? outpatient : others)));
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
        chargeMedical(c, usage);
    else if (c.kind == COP)
        chargeCopay(c, usage);
    else if (c.kind == OVM)
        c.before = Money();
    if (c.refused)
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
void Generator::settle(Claim& c, Usage& usage)
{
    if (m_rnd.chance(c.kind == OTH || c.kind == EDU ? 0.02 : 0.03)) {
        c.status = QStringLiteral("NO");
        if (c.kind == FAE || c.kind == HPE)
            usage.fact -= c.payable;
        else if (c.kind == COP)
            usage.copay -= c.payable;
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
        usage.kv += c.payable;
    else if (c.kind == HPE)
        usage.kv += c.total; // the in-patient summary hands over the amount claimed
    else if (c.kind == COP)
        usage.kvCopay += c.payable;
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
            // early in a budget year, receipts of the year before are still
            // charged to it, when the employee was with the university then
            if (c.dateBerg.month() >= 10 && c.dateBerg.month() <= 11 && year > m_firstYear
                && (c.kind == FAE || c.kind == COP || c.kind == OVM) && m_rnd.chance(0.3)
                && e.inDate <= budgetYearEnd(year - 1))
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
            makeClaim(c, usage);
            if (c.refused)
                continue;
            settle(c, usage);
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

} // namespace wel::bench
