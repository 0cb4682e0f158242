#include "People.h"
#include "common/ThaiDate.h"

#include <QSet>
#include <algorithm>

namespace wel::bench {

namespace {

// Given and family names are made of two parts, as Thai names often are, so
// that a search by the first characters finds a realistic handful.
const char* const kNameStart[] = {"สม", "ประ", "วี", "อนุ", "ธีร", "กิตติ", "สุร", "ชัย", "พิ", "ณัฐ",
                                  "ศุภ", "อำ", "ไพ", "เอก", "บุญ", "ปิย", "สุ", "นิ", "จิร", "ศิริ",
                                  "รัตน", "พร", "ธน", "ภา", "วร", "กมล", "อภิ", "วิ", "ทิพ", "นภ",
                                  "อรุณ", "มาลี", "เพ็ญ", "ลัด", "ดวง", "กัญ", "ปัณ", "เกศ", "ชุติ", "อัญ"};
const char* const kMaleEnd[] = {"ชาย", "ศักดิ์", "พล", "วัฒน์", "ชัย", "พงษ์", "เดช", "สิทธิ์", "ยุทธ", "กร",
                                "ภพ", "ธร", "เกียรติ", "นนท์", "ศิลป์", "วุฒิ", "ราช", "ณรงค์", "บดี", "ภูมิ"};
const char* const kFemaleEnd[] = {"ภรณ์", "นา", "นุช", "ลักษณ์", "ศรี", "ทิพย์", "ดา", "วรรณ", "มาศ", "กานต์",
                                  "นันท์", "ณี", "ยา", "พร", "รัตน์", "ญา", "ฤดี", "จันทร์", "ชนก", "วดี"};
const char* const kLastStart[] = {"ศรี", "วงศ์", "แก้ว", "ทอง", "บุญ", "สาย", "มั่น", "รุ่ง", "พรหม",
                                  "จันทร์", "สุข", "ใจ", "ปัญญา", "ศักดิ์", "เพชร", "นาค", "อินทร์", "ชัย",
                                  "ธรรม", "สม", "เจริญ", "ประเสริฐ", "วิเศษ", "กิจ", "พูล"};
const char* const kLastEnd[] = {"สุข", "ใหญ่", "มณี", "ดี", "ประเสริฐ", "สุวรรณ", "คง", "เรือง", "มา",
                                "หอม", "สวัสดิ์", "งาม", "ศรี", "รัตน์", "แก้ว", "มงคล", "รักษ์", "บูรณ์",
                                "ทอง", "วงศ์", "ชัย", "พันธ์", "กุล", "สกุล", "วัฒนา"};
const char* const kPositions[] = {"อาจารย์", "ผู้ช่วยศาสตราจารย์", "รองศาสตราจารย์", "นักวิชาการศึกษา",
                                  "เจ้าหน้าที่บริหารงานทั่วไป", "นักวิทยาศาสตร์", "พยาบาลวิชาชีพ",
                                  "นักวิชาการเงินและบัญชี", "วิศวกร", "นักวิชาการคอมพิวเตอร์", "บรรณารักษ์",
                                  "นักเทคนิคการแพทย์", "เภสัชกร", "แพทย์", "พนักงานขับรถ", "ช่างเทคนิค"};
const char* const kDepts[] = {"ภาควิชาเคมี", "ภาควิชาฟิสิกส์", "ภาควิชาคณิตศาสตร์", "ภาควิชาชีววิทยา",
                              "งานบริหารทั่วไป", "งานคลังและพัสดุ", "งานบริการการศึกษา", "งานวิจัย",
                              "ภาควิชาวิศวกรรมโยธา", "ภาควิชาวิศวกรรมไฟฟ้า", "หอผู้ป่วยอายุรกรรม",
                              "หอผู้ป่วยศัลยกรรม", "งานเวชระเบียน", "ห้องปฏิบัติการกลาง", "งานอาคารสถานที่",
                              "สำนักงานเลขานุการ"};
const char* const kRights[] = {"ประกันสังคม", "บัตรทอง", "ข้าราชการ", "ประกันสุขภาพเอกชน", "ไม่มี",
                               "รัฐวิสาหกิจ"};
const char* const kExitReasons[] = {"ลาออก", "เกษียณอายุ", "ย้ายไปหน่วยงานอื่น", "ครบสัญญาจ้าง"};

struct Unit { const char* code; const char* name; double weight; int headcount = 0; };
const Unit kUnits[] = {
    {"AG", "คณะเกษตรศาสตร์", 4}, {"AR", "คณะสถาปัตยกรรมศาสตร์", 2}, {"BA", "คณะบริหารธุรกิจ", 3},
    {"DE", "คณะทันตแพทยศาสตร์", 3}, {"ED", "คณะศึกษาศาสตร์", 4}, {"EN", "คณะวิศวกรรมศาสตร์", 6},
    {"FA", "คณะวิจิตรศิลป์", 2}, {"HO", "โรงพยาบาลมหาวิทยาลัย", 14}, {"HS", "คณะมนุษยศาสตร์และสังคมศาสตร์", 4},
    {"LA", "คณะนิติศาสตร์", 1.5}, {"LI", "สำนักหอสมุด", 1.5}, {"MC", "คณะสื่อสารมวลชน", 1.5},
    {"MD", "คณะแพทยศาสตร์", 12}, {"NU", "คณะพยาบาลศาสตร์", 4}, {"OP", "สำนักงานอธิการบดี (กองคลัง)", 6},
    {"PH", "คณะเภสัชศาสตร์", 2.5}, {"PE", "คณะสาธารณสุขศาสตร์", 2}, {"PO", "คณะรัฐศาสตร์", 2},
    {"RI", "สถาบันวิจัยและพัฒนา", 1.5}, {"SC", "คณะวิทยาศาสตร์", 7}, {"SS", "คณะสังคมศาสตร์", 2.5},
    {"TC", "สำนักบริการเทคโนโลยีสารสนเทศ", 1.5}, {"VE", "คณะสัตวแพทยศาสตร์", 2.5}, {"EC", "คณะเศรษฐศาสตร์", 2},
    {"GS", "บัณฑิตวิทยาลัย", 0, 60},
};

// Thai identity numbers carry a check digit over the first twelve.
QString identityNumber(Random& rnd, QSet<QString>& used)
{
    for (;;) {
        QString s = QString::number(rnd.between(1, 5)) + rnd.digits(11);
        int sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += s[i].digitValue() * (13 - i);
        s += QString::number((11 - sum % 11) % 10);
        if (!used.contains(s)) {
            used.insert(s);
            return s;
        }
    }
}

QString givenName(Random& rnd, bool male)
{
    return rnd.pick(kNameStart) + (male ? rnd.pick(kMaleEnd) : rnd.pick(kFemaleEnd));
}

QString familyName(Random& rnd) { return rnd.pick(kLastStart) + rnd.pick(kLastEnd); }

QDate dayBetween(Random& rnd, const QDate& from, const QDate& to)
{
    return from.addDays(rnd.between64(0, std::max<qint64>(0, from.daysTo(to))));
}

} // namespace

const Person* Employee::member(const QString& code) const
{
    for (const Person& p : family)
        if (p.code == code)
            return &p;
    return nullptr;
}

QVector<const Person*> Employee::children() const
{
    QVector<const Person*> list;
    for (const Person& p : family)
        if (p.code >= QLatin1String("4"))
            list << &p;
    return list;
}

bool Employee::employedOn(const QDate& day) const
{
    return status != QLatin1String("D") && day >= inDate && (outDate.isNull() || day <= outDate);
}

int budgetYear(const QDate& d) { return d.year() + 543 + (d.month() >= 10 ? 1 : 0); }
QDate budgetYearStart(int budYear) { return QDate(budYear - 543 - 1, 10, 1); }
QDate budgetYearEnd(int budYear) { return QDate(budYear - 543, 9, 30); }

QVector<Faculty> standardFaculties()
{
    QVector<Faculty> list;
    for (const Unit& u : kUnits)
        list.push_back({QString::fromLatin1(u.code), QString::fromUtf8(u.name), u.weight, u.headcount});
    return list;
}

QVector<Employee> makeEmployees(Random& rnd, int count, const QVector<Faculty>& faculties,
                                const QDate& systemStart, const QDate& firstDay, const QDate& today)
{
    double totalWeight = 0;
    QStringList fixedSeats; // the fixed units' employees, spread evenly through the list
    for (const Faculty& f : faculties) {
        if (f.headcount > 0)
            for (int n = 0; n < f.headcount; ++n)
                fixedSeats << f.code;
        else
            totalWeight += f.weight;
    }
    fixedSeats = fixedSeats.mid(0, count / 5);
    QString lastWeighted;
    for (const Faculty& f : faculties)
        if (f.headcount <= 0)
            lastWeighted = f.code;
    const int stride = fixedSeats.isEmpty() ? 0 : count / int(fixedSeats.size());
    QSet<QString> usedIds;
    QVector<Employee> staff;
    staff.reserve(count);
    for (int i = 0; i < count; ++i) {
        Employee e;
        if (stride > 0 && i % stride == 0 && i / stride < fixedSeats.size()) {
            e.fact = fixedSeats[i / stride];
        } else {
            double x = rnd.unit() * totalWeight;
            e.fact = lastWeighted;
            for (const Faculty& f : faculties) {
                if (f.headcount > 0)
                    continue;
                if (x < f.weight) {
                    e.fact = f.code;
                    break;
                }
                x -= f.weight;
            }
        }
        // Most of the staff was there before the years generated; the rest joined since.
        e.inDate = rnd.chance(0.7) ? dayBetween(rnd, firstDay.addYears(-30), firstDay)
                                   : dayBetween(rnd, firstDay, today.addDays(-30));
        const bool male = rnd.chance(0.45);
        e.first = givenName(rnd, male);
        e.last = familyName(rnd);
        e.title = male ? QStringLiteral("นาย") : (rnd.chance(0.55) ? QStringLiteral("นาง") : QStringLiteral("นางสาว"));
        e.position = rnd.pick(kPositions);
        if (e.position.contains(QStringLiteral("ศาสตราจารย์")))
            e.title = (e.position.startsWith(QStringLiteral("รอง")) ? QStringLiteral("รศ.") : QStringLiteral("ผศ."))
                + (rnd.chance(0.6) ? QStringLiteral("ดร.") : QString());
        e.level = QString::number(rnd.between(1, 9));
        e.dept = rnd.pick(kDepts);
        const int h = rnd.weighted({25.0, 70.0, 5.0});
        e.hType = QString::number(h + 1);
        e.ssn = identityNumber(rnd, usedIds);
        e.bankAccount = QStringLiteral("%1-%2-%3").arg(rnd.digits(3), rnd.digits(1), rnd.digits(5));
        e.flexBenefit = e.hType != QLatin1String("3") && rnd.chance(0.15);
        if (rnd.chance(0.10)) {
            e.status = QStringLiteral("O");
            e.outDate = dayBetween(rnd, std::max(e.inDate, firstDay).addDays(200), today.addDays(-10));
            if (e.outDate <= e.inDate) {
                e.status = QStringLiteral("A");
                e.outDate = QDate();
            } else {
                e.exitReason = rnd.pick(kExitReasons);
            }
        } else if (rnd.chance(0.003)) {
            e.status = QStringLiteral("D"); // keyed by mistake, deleted before any claim
        }

        e.family.push_back({QStringLiteral("0"), e.title, e.first, e.last, QString()});
        const int age = rnd.between(23, 60);
        if (rnd.chance(age < 45 ? 0.7 : 0.35))
            e.family.push_back({QStringLiteral("1"), QStringLiteral("นาย"), givenName(rnd, true), e.last, QString()});
        if (rnd.chance(age < 45 ? 0.8 : 0.45))
            e.family.push_back({QStringLiteral("2"), QStringLiteral("นาง"), givenName(rnd, false), e.last, QString()});
        if (rnd.chance(0.55)) {
            e.family.push_back({QStringLiteral("3"), male ? QStringLiteral("นาง") : QStringLiteral("นาย"),
                                givenName(rnd, !male), male ? familyName(rnd) : e.last, QString()});
            const int children = rnd.weighted({20.0, 35.0, 35.0, 10.0});
            const bool twins = children == 3 && rnd.chance(0.05);
            // the eldest first; twins share the birthday of the third child
            QDate born = today.addDays(-rnd.between(365 * 6, 365 * std::min(25, std::max(7, age - 22))));
            for (int c = 0; c < children + (twins ? 1 : 0); ++c) {
                const bool boy = rnd.chance(0.5);
                e.family.push_back({QString::number(4 + c), boy ? QStringLiteral("เด็กชาย") : QStringLiteral("เด็กหญิง"),
                                    givenName(rnd, boy), e.last, toBEText(born)});
                if (!(twins && c == 2))
                    born = std::min(born.addDays(rnd.between(400, 1500)), today.addDays(-60));
            }
        }
        staff.push_back(std::move(e));
    }

    // Keys in the order the clerks keyed the staff in: the calendar year of
    // appointment, or the year the system started for those already there.
    std::vector<int> order(staff.size());
    for (int i = 0; i < int(order.size()); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return staff[a].inDate < staff[b].inDate; });
    QHash<int, int> lastNumber;
    int empSeq = 0;
    for (int i : order) {
        Employee& e = staff[i];
        const int keyYear = std::max(systemStart, e.inDate).year() + 543;
        e.kvId = QStringLiteral("KV%1/%2").arg(keyYear).arg(++lastNumber[keyYear], 6, 10, QLatin1Char('0'));
        const QString id = QStringLiteral("%1%2").arg((e.inDate.year() + 543) % 100, 2, 10, QLatin1Char('0'))
                               .arg(++empSeq, 5, 10, QLatin1Char('0'));
        // temporary staff carry a letter before the number
        e.empId = rnd.chance(0.03) ? QStringLiteral("T") + id : id;
    }
    return staff;
}

} // namespace wel::bench
