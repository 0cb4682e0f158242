// Identity numbers are written as numbers, as the offices' sheets hold
// them; dates as "d/m/yyyy" texts.
#include "ImportSamples.h"
#include "EmployeeImport.h"
#include "FlexibleBenefit.h"
#include "common/excel/Worksheet.h"

#include <QStringList>

namespace wel::ImportSamples {

using namespace EmployeeImport;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

const char* kFirst[] = {"สมชาย", "สมหญิง", "วีระ", "กาญจนา", "อนุชา", "ปิยะนุช", "กิตติ", "ศิริพร", "พิชิต", "รัตนา"};
const char* kLast[] = {"ศรีสุข", "วงศ์ใหญ่", "แก้วมณี", "ทองดี", "มั่นคง", "รุ่งเรือง", "ใจงาม", "ปัญญาดี"};
const char* kPositions[] = {"อาจารย์", "นักวิชาการศึกษา", "เจ้าหน้าที่บริหารงานทั่วไป", "นักวิทยาศาสตร์"};
const char* kDepts[] = {"ภาควิชาเคมี", "ภาควิชาฟิสิกส์", "งานบริหารทั่วไป", "งานคลังและพัสดุ"};

template <size_t N>
QString pick(const char* const (&list)[N], int i)
{
    return u(list[size_t(i) % N]);
}

QString ssn(int n, int person) { return QStringLiteral("3%1%2").arg(n, 10, 10, QLatin1Char('0')).arg(person, 2, 10, QLatin1Char('0')); }

} // namespace

void writeEmployees(const QString& path, int employees, const QString& factCode, int firstNumber, bool refusals)
{
    excel::Worksheet sheet(QStringLiteral("Sheet1"));
    sheet.setText(1, 1, u("ข้อมูลพนักงานมหาวิทยาลัย บรรจุใหม่"));
    const QStringList headings = gridHeadings();
    for (int c = 1; c < headings.size(); ++c)
        sheet.setText(4, c <= RightType ? c + 1 : c + 2, headings[c]);
    for (int i = 0; i < employees; ++i) {
        const int n = firstNumber + i;
        const int row = 5 + i;
        auto put = [&](int gridColumn, const QString& text) {
            sheet.setText(row, gridColumn <= 10 ? gridColumn + 1 : gridColumn + 2, text);
        };
        const QString last = pick(kLast, n);
        put(EmpId, QStringLiteral("%1%2%3").arg(factCode, QStringLiteral("59")).arg(n, 8, 10, QLatin1Char('0')));
        put(Title, n % 2 ? u("นาย") : u("นางสาว"));
        put(FirstName, refusals && n % 11 == 0 ? QString() : pick(kFirst, n));
        put(LastName, last);
        put(Position, pick(kPositions, n));
        put(Level, QString::number(1 + n % 9));
        put(Affiliation, factCode);
        put(Dept, pick(kDepts, n));
        put(InDate, QStringLiteral("%1/%2/25%3").arg(1 + n % 28).arg(1 + n % 12).arg(40 + n % 27));
        put(Ssn, ssn(n, 0));
        sheet.setText(row, 12, refusals && n % 7 == 0 ? QStringLiteral("4") : QString::number(1 + n % 3)); // column L
        auto person = [&](int p, const QString& title, const QString& first, const QString& birthday) {
            const int base = personColumn(p);
            put(base, ssn(n, p));
            put(base + 1, title);
            put(base + 2, first);
            put(base + 3, last);
            if (p >= 4)
                put(base + 4, birthday);
        };
        person(1, u("นาย"), pick(kFirst, n + 2), {});
        person(2, u("นาง"), pick(kFirst, n + 3), {});
        if (n % 2 == 0) {
            person(3, u("นาง"), pick(kFirst, n + 5), {});
            person(4, u("เด็กชาย"), pick(kFirst, n + 6), QStringLiteral("%1/%2/2560").arg(1 + n % 28).arg(1 + n % 12));
        }
        if (n % 4 == 0)
            person(5, u("เด็กหญิง"), pick(kFirst, n + 7), QStringLiteral("15/3/2563"));
    }
    sheet.save(path);
}

namespace {

// A sheet with the headings in row 1 and the rows from row 2.
void writeRows(const QString& path, const QStringList& headings, const QList<QStringList>& rows)
{
    excel::Worksheet sheet(QStringLiteral("Sheet1"));
    for (int c = 0; c < headings.size(); ++c)
        sheet.setText(1, c + 1, headings[c]);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            sheet.setText(r + 2, c + 1, rows[r][c]);
    sheet.save(path);
}

QString kvId(int n) { return QStringLiteral("KV2568/%1").arg(800 + n, 6, 10, QLatin1Char('0')); }

} // namespace

void writeLeaving(const QString& path)
{
    const char* reasons[] = {"ลาออกเพื่อศึกษาต่อ", "ย้ายไปรับราชการ", "เกษียณอายุ", "ลาออกเพื่อประกอบอาชีพอื่น"};
    QList<QStringList> rows;
    for (int n = 1; n <= 8; ++n)
        rows << QStringList{kvId(n), ssn(800 + n, 0), pick(kFirst, n), pick(kLast, n), u(reasons[n % 4]),
                            QStringLiteral("%1/9/2568").arg(n + 10)};
    writeRows(path, {u("KV_ID"), u("SSN"), u("ชื่อ"), u("นามสกุล"), u("เหตุผลที่ออก"), u("วันที่ออก")}, rows);
}

void writeRightTypes(const QString& path)
{
    QList<QStringList> rows;
    for (int n = 1; n <= 8; ++n)
        rows << QStringList{ssn(800 + n, 0), pick(kFirst, n), pick(kLast, n), QString::number(1 + n % 3),
                            n % 3 ? QStringLiteral("SC") : QStringLiteral("EN")};
    writeRows(path, {u("SSN"), u("ชื่อ"), u("นามสกุล"), u("รูปแบบที่เลือก"), u("รหัสคณะ")}, rows);
}

void writeApplicants(const QString& path)
{
    QList<QStringList> rows;
    for (int n = 1; n <= 10; ++n)
        rows << QStringList{ssn(900 + n, 0), n % 2 ? u("นาย") : u("นางสาว"), pick(kFirst, n), pick(kLast, n),
                            pick(kPositions, n), QStringLiteral("SC"), pick(kDepts, n),
                            QStringLiteral("1/%1/25%2").arg(1 + n % 12).arg(50 + n),
                            n == 7 ? QStringLiteral("4") : QString::number(1 + n % 3),
                            n % 5 ? FlexibleBenefit::kUniversityEmployee : u("ข้าราชการ")};
    QStringList headings = FlexibleBenefit::applicantHeadings();
    headings.removeFirst();
    writeRows(path, headings, rows);
}

} // namespace wel::ImportSamples
