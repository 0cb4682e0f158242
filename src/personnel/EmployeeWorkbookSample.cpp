// A made-up workbook in the personnel office's layout, for trials and for
// the import benchmark. Identity numbers are written as numbers, as the
// office's sheets hold them; dates as "d/m/yyyy" texts.
#include "EmployeeImport.h"
#include "common/excel/Worksheet.h"

namespace wel::EmployeeImport {

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

void writeSample(const QString& path, int employees, const QString& factCode, int firstNumber)
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
        put(FirstName, pick(kFirst, n));
        put(LastName, last);
        put(Position, pick(kPositions, n));
        put(Level, QString::number(1 + n % 9));
        put(Affiliation, factCode);
        put(Dept, pick(kDepts, n));
        put(InDate, QStringLiteral("%1/%2/25%3").arg(1 + n % 28).arg(1 + n % 12).arg(40 + n % 27));
        put(Ssn, ssn(n, 0));
        sheet.setText(row, 12, QString::number(1 + n % 3)); // the right type, column L
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

} // namespace wel::EmployeeImport
