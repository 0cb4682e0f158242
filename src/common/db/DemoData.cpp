#include "Database.h"
#include "Schema.h"
#include "common/Limits.h"
#include "common/Passwords.h"

#include <QDate>
#include <random>

namespace wel {

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
QString beText(const QDate& d)
{
    return QStringLiteral("%1/%2/%3").arg(d.day(), 2, 10, QLatin1Char('0')).arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year() + 543);
}
int budgetYear(const QDate& d) { return d.year() + 543 + (d.month() >= 10 ? 1 : 0); }

struct Fact { const char* code; const char* name; };
const Fact kFacts[] = {
    {"AG", "คณะเกษตรศาสตร์"},
    {"ED", "คณะศึกษาศาสตร์"},
    {"EN", "คณะวิศวกรรมศาสตร์"},
    {"HO", "โรงพยาบาลมหาวิทยาลัย"},
    {"HS", "คณะมนุษยศาสตร์และสังคมศาสตร์"},
    {"MD", "คณะแพทยศาสตร์"},
    {"OP", "สำนักงานอธิการบดี (กองคลัง)"},
    {"SC", "คณะวิทยาศาสตร์"},
};

struct User {
    const char* name; const char* password; int section; const char* fact;
    const char* title; const char* first; const char* last; const char* position;
};
// One user for each section, numbered from 1.
const User kUsers[] = {
    {"admin", "admin", 9, "OP", "นาย", "สมชาย", "ผู้ดูแล", "นักวิชาการคอมพิวเตอร์"},
    {"clerk", "clerk", 4, "SC", "นางสาว", "มาลี", "ใจดี", "เจ้าหน้าที่บริหารงานทั่วไป"},
    {"hospital", "hospital", 1, "HO", "นาง", "สุดา", "รักษาดี", "พยาบาลวิชาชีพ"},
    {"medfac", "medfac", 2, "MD", "นาย", "ประเสริฐ", "แพทย์ไทย", "เจ้าหน้าที่การเงิน"},
    {"engfac", "engfac", 3, "EN", "นาง", "วันเพ็ญ", "ช่างคิด", "เจ้าหน้าที่การเงิน"},
    {"hr", "hr", 5, "ED", "นางสาว", "ปราณี", "บุคคลดี", "นักทรัพยากรบุคคล"},
    {"finquery", "finquery", 6, "OP", "นาย", "ธนพล", "คลังสอบ", "นักวิชาการเงินและบัญชี"},
    {"finance", "finance", 7, "OP", "นาง", "อรุณี", "คลังดี", "นักวิชาการเงินและบัญชี"},
    {"suspended", "suspended", 8, "AG", "นาย", "วิชัย", "พักงาน", "เจ้าหน้าที่บริหารงานทั่วไป"},
};

const char* kMaleFirst[] = {"สมศักดิ์", "ประยุทธ", "วีระ", "อนุชา", "ธีรวัฒน์", "กิตติ", "สุรชัย", "ชัยวัฒน์",
                            "พิชิต", "ณัฐพล", "ศุภชัย", "อำนาจ", "ไพโรจน์", "เอกชัย", "บุญมี"};
const char* kFemaleFirst[] = {"สมหญิง", "วราภรณ์", "กาญจนา", "ปิยะนุช", "สุภาพร", "นงลักษณ์", "จันทร์เพ็ญ",
                              "ศิริพร", "อัญชลี", "รัตนา", "พรทิพย์", "ดวงใจ", "ลัดดา", "เพ็ญศรี", "อรวรรณ"};
const char* kLast[] = {"ศรีสุข", "วงศ์ใหญ่", "แก้วมณี", "ทองดี", "บุญประเสริฐ", "สายสุวรรณ", "มั่นคง", "รุ่งเรือง",
                       "พรหมมา", "จันทร์หอม", "สุขสวัสดิ์", "ใจงาม", "ปัญญาดี", "ศักดิ์ศรี", "เพชรรัตน์",
                       "นาคสวัสดิ์", "อินทร์แก้ว", "ชัยมงคล", "ธรรมรักษ์", "สมบูรณ์"};
const char* kPositions[] = {"อาจารย์", "ผู้ช่วยศาสตราจารย์", "นักวิชาการศึกษา", "เจ้าหน้าที่บริหารงานทั่วไป",
                            "นักวิทยาศาสตร์", "พยาบาลวิชาชีพ", "นักวิชาการเงินและบัญชี", "วิศวกร"};
const char* kDepts[] = {"ภาควิชาเคมี", "ภาควิชาฟิสิกส์", "ภาควิชาคณิตศาสตร์", "งานบริหารทั่วไป", "งานคลังและพัสดุ",
                        "ภาควิชาวิศวกรรมโยธา", "งานบริการการศึกษา", "หอผู้ป่วยอายุรกรรม"};
const char* kRights[] = {"ประกันสังคม", "บัตรทอง", "ข้าราชการ", "ประกันสุขภาพเอกชน", "ไม่มี"};

template <size_t N>
QString pick(const char* const (&list)[N], std::mt19937& rng)
{
    return u(list[std::uniform_int_distribution<size_t>(0, N - 1)(rng)]);
}

QString digits(std::mt19937& rng, int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += QChar(u'0' + std::uniform_int_distribution<int>(i == 0 ? 1 : 0, 9)(rng));
    return s;
}

void addEmployees(Database& db, const QDate& today)
{
    std::mt19937 rng(2551);
    const int entryYear = today.year() + 543 - 1; // calendar year the demo staff were keyed in
    const int budYear = budgetYear(today);
    const char* facts[] = {"SC", "SC", "SC", "EN", "EN", "ED", "MD", "MD", "HO", "HO", "OP", "AG", "HS"};
    const int count = 60;
    for (int i = 1; i <= count; ++i) {
        const QString kvId = QStringLiteral("KV%1/%2").arg(entryYear).arg(i, 6, 10, QLatin1Char('0'));
        const bool male = i % 2 == 1;
        const QString title = male ? u("นาย") : (i % 4 == 0 ? u("นาง") : u("นางสาว"));
        const QString first = male ? pick(kMaleFirst, rng) : pick(kFemaleFirst, rng);
        const QString last = pick(kLast, rng);
        const QString fact = u(facts[(i - 1) % (sizeof facts / sizeof *facts)]);
        const QString hType = QString::number(i % 10 == 0 ? 3 : (i % 3 == 0 ? 2 : 1));
        const QDate inDate = today.addDays(-std::uniform_int_distribution<int>(200, 9000)(rng));
        db.exec(QStringLiteral(
                    "INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, Emp_L_Name, "
                    "Emp_Position, Emp_Level, Emp_Dept_Name, Emp_In_date2, Emp_H_Type, Fact_code, Bank_Account_No, "
                    "Emp_Status) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {kvId, QStringLiteral("%1%2").arg(5000 + entryYear % 100).arg(i, 4, 10, QLatin1Char('0')),
                 QStringLiteral("3") + digits(rng, 12), title, first, last, pick(kPositions, rng),
                 QString::number(std::uniform_int_distribution<int>(1, 9)(rng)), pick(kDepts, rng),
                 beText(inDate), hType, fact, QStringLiteral("%1-%2-%3").arg(digits(rng, 3), digits(rng, 1), digits(rng, 5)),
                 QStringLiteral("A")});

        auto folk = [&](const QString& code, const QString& t, const QString& f, const QString& l,
                        const QString& birthday) {
            db.exec(QStringLiteral("INSERT INTO T_Emp_Folk (KV_ID, Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, "
                                   "EF_Birthday, EF_Base_Right1, EF_Base_Right2, EF_Base_Right3) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {kvId, code, t, f, l, birthday, code == QLatin1String("0") ? u("") : pick(kRights, rng),
                     u(""), u("")});
        };
        folk(QStringLiteral("0"), title, first, last, u(""));
        if (i % 3 != 0)
            folk(QStringLiteral("1"), u("นาย"), pick(kMaleFirst, rng), last, u(""));
        if (i % 4 != 0)
            folk(QStringLiteral("2"), u("นาง"), pick(kFemaleFirst, rng), last, u(""));
        if (i % 2 == 0) {
            folk(QStringLiteral("3"), male ? u("นาง") : u("นาย"),
                 male ? pick(kFemaleFirst, rng) : pick(kMaleFirst, rng), last, u(""));
            const int children = i % 6 == 0 ? 3 : (i % 4 == 0 ? 2 : 1);
            for (int c = 0; c < children; ++c) {
                const QDate born = today.addDays(-std::uniform_int_distribution<int>(365, 365 * 18)(rng));
                const bool boy = (i + c) % 2 == 0;
                folk(QString::number(4 + c), boy ? u("เด็กชาย") : u("เด็กหญิง"),
                     boy ? pick(kMaleFirst, rng) : pick(kFemaleFirst, rng), last, beText(born));
            }
        }

        // Yearly limits of last and this budget year.
        const RightTypeLimit* rt = rightTypeLimit(hType);
        const QVariant limit = rt->medical.toSql(), copay = rt->copay.toSql();
        for (int y : {budYear - 1, budYear})
            db.exec(QStringLiteral("INSERT INTO T_Year_Cur_Health (KV_ID, Pay_Year, Fact_T_H_Money, Fact_T_U_H, "
                                   "KV_T_H_Money, KV_T_U_H, Fact_T_Copay, Fact_U_Copay, Kv_T_Copay, Kv_U_Copay, "
                                   "M_Flexben, Year_Remark) VALUES (?, ?, ?, 0, ?, 0, ?, 0, ?, 0, 0, ?)"),
                    {kvId, QString::number(y), limit, limit, copay, copay, u("ข้อมูลตัวอย่าง")});
    }
    db.insertIfAbsent(QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year"), QStringLiteral("Run_No")},
                      {QString::number(entryYear), count + 1}, 1);
}
} // namespace

void loadDemoData(Database& db)
{
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")) > 0)
        return;
    const QDate today = db.serverNow().date();
    // Hashed before the transaction: each hash takes a noticeable moment.
    QStringList hashes;
    for (const User& us : kUsers)
        hashes << Passwords::hash(u(us.password));
    Transaction tx(db);
    for (const Fact& f : kFacts)
        db.insertIfAbsent(QStringLiteral("T_Fact"), {QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name")},
                          {u(f.code), u(f.name)}, 1);
    for (int i = 0; i < hashes.size(); ++i) {
        const User& us = kUsers[i];
        db.exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, Fact_Code, User_Type, section, "
                               "U_Surname, U_F_Name, U_L_Name, U_Position, U_Tel_No) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {i + 1, u(us.name), hashes[i], u(us.fact), QStringLiteral("U"), us.section, u(us.title),
                 u(us.first), u(us.last), u(us.position), QStringLiteral("0-5394-%1").arg(4101 + i)});
    }
    const int budYear = budgetYear(today);
    for (int y = budYear - 2; y <= budYear + 1; ++y)
        db.insertIfAbsent(QStringLiteral("TR_Select_Year_Bud"), {QStringLiteral("Sel_Year_BudDate")},
                          {QString::number(y)}, 1);
    addEmployees(db, today);
    // Its log-ins are known to everyone: the program says so in its caption.
    db.insertIfAbsent(QStringLiteral("T_Setting"), {QStringLiteral("Set_Key"), QStringLiteral("Set_Value")},
                      {QStringLiteral("DEMO"), QStringLiteral("1")}, 1);
    tx.commit();
}

} // namespace wel
