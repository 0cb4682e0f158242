#include "reports/ReportCatalog.h"

#include "reports/Enquiries.h"
#include "reports/ReportServices.h"
#include "reports/ReportSql.h"

#include "claims/SummaryDocument.h"
#include "common/AppError.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/Utility.h"
#include "common/excel/Address.h"
#include "common/excel/ExportFiles.h"
#include "common/excel/GridWriter.h"

namespace wel::reports {

using excel::ColumnFormat;
using excel::GridExportParams;
using excel::HeadingStyle;

QString titleDate(const QString& beDate)
{
    const QStringList p = beDate.split(u'/');
    if (p.size() != 3)
        return beDate;
    return QStringLiteral("%1 %2 พ.ศ.%3").arg(p[0].toInt()).arg(ThaiMonthName(p[1].toInt()), p[2]);
}

namespace {

const QString kUniversity = QStringLiteral("มหาวิทยาลัยVelmarn");

QString monthOf(const QString& beDate) { return beDate.mid(3, 7); }
QString yearOf(const QString& beDate) { return beDate.mid(6, 4); }

FilterOption opt(const QString& value, const QString& caption) { return {value, caption, 0, {}, {}}; }
FilterOption field(const QString& value, const QString& caption, int maxLength, const QString& text,
                   const QString& mask = {})
{
    return {value, caption, maxLength, text, mask};
}

// Date, month and year choices with their fields, optionally "ทั้งหมด".
FilterSpec dateScope(const QString& key, const QString& title, const QStringList& captions, const LoginContext& l,
                     bool withAll, const QString& initial = QStringLiteral("date"))
{
    FilterSpec s{key, title, {}, initial, FacultyLock::None};
    s.options << field(QStringLiteral("date"), captions[0], 10, l.Cur_Date, QStringLiteral("99/99/0000"))
              << field(QStringLiteral("month"), captions[1], 7, monthOf(l.Cur_Date), QStringLiteral("99/0000"))
              << field(QStringLiteral("year"), captions[2], 4, yearOf(l.Cur_Date), QStringLiteral("0000"));
    if (withAll)
        s.options << opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด"));
    return s;
}

FilterSpec yearChoice(const QString& key, const QString& title, const QString& caption, const QString& year,
                      bool withAll)
{
    FilterSpec s{key, title, {field(QStringLiteral("year"), caption, 4, year, QStringLiteral("0000"))},
                 QStringLiteral("year"), FacultyLock::None};
    if (withAll)
        s.options << opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด"));
    return s;
}

FilterOption fromList(const QString& value, const QString& caption, CodeList list, const QString& initial)
{
    FilterOption o = field(value, caption, 2, initial);
    o.list = list;
    return o;
}

// The faculty choice: a list of faculties, or where the screen offers a
// two-letter code field, that field.
FilterSpec faculty(const LoginContext& l, FacultyLock lock, const QString& initial = QStringLiteral("one"),
                   const QString& title = QStringLiteral("หน่วยงาน"),
                   const QString& allCaption = QStringLiteral("ทั้งหมด"), bool asList = true)
{
    return {QStringLiteral("faculty"), title,
            {opt(QStringLiteral("all"), allCaption),
             fromList(QStringLiteral("one"), QStringLiteral("เฉพาะคณะ"), asList ? CodeList::Faculties : CodeList::None,
                      l.Cur_Fact_Code)},
            initial, lock};
}

// "ทั้งหมด" or one kind of TR_Heal_Type from its list.
FilterSpec claimKind()
{
    return {QStringLiteral("kind"), QStringLiteral("ชนิดใบเบิก"),
            {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")),
             fromList(QStringLiteral("one"), QStringLiteral("เฉพาะ"), CodeList::ClaimKinds, QStringLiteral("0"))},
            QStringLiteral("all"), FacultyLock::None};
}

FilterSpec choices(const QString& key, const QString& title, const QVector<FilterOption>& options,
                   const QString& initial)
{
    return {key, title, options, initial, FacultyLock::None};
}

QList<QPair<QString, double>> widths(std::initializer_list<std::pair<const char*, double>> list)
{
    QList<QPair<QString, double>> out;
    for (const auto& [c, w] : list)
        out.append({QString::fromLatin1(c), w});
    return out;
}

QString scopeText(const QString& filter, const QString& date, const QString& month, const QString& year,
                  const QString& all)
{
    const Choice c = Choice::of(filter);
    if (c.kind == u"date")
        return date + c.value;
    if (c.kind == u"month")
        return month + c.value;
    if (c.kind == u"year")
        return year + c.value;
    return all;
}

// The layouts of the management summaries: two heading rows, pairs of
// count and amount columns.
GridExportParams pairLayout(const LoginContext& l, bool byFaculty, const QString& title2)
{
    GridExportParams p;
    p.sheetName = QStringLiteral("พนักงาน");
    p.title1 = kUniversity;
    p.title2 = title2;
    p.title3 = QStringLiteral("ข้อมูล ณ วันที่ ") + titleDate(l.Cur_Date);
    p.headingStyle = HeadingStyle::Plain;
    p.headingInnerHorizontals = true;
    const int lead = byFaculty ? 4 : 2;
    const int last = lead + 10;
    p.lastColumn = excel::columnLetters(last);
    p.titleRange = QStringLiteral("A1:%1").arg(p.lastColumn + u'1');
    p.headingCentreRange = QStringLiteral("A4:%1").arg(p.lastColumn + u'5');
    for (int c = lead + 1; c < last; c += 2) {
        p.headingCentreAcross << QStringLiteral("%1:%2").arg(excel::columnLetters(c) + u'4', excel::columnLetters(c + 1) + u'4');
        p.numberFormats << ColumnFormat{excel::columnLetters(c), excel::countFormat()}
                        << ColumnFormat{excel::columnLetters(c + 1), excel::amountFormat()};
    }
    p.rightColumns = {excel::columnLetters(lead + 1) + u':' + p.lastColumn};
    p.orientation = byFaculty ? excel::Orientation::Landscape : excel::Orientation::Portrait;
    if (byFaculty) {
        p.centreColumns = {QStringLiteral("A:C")};
        p.columnWidths = widths({{"A", 4.5}, {"B", 7.7}, {"C", 6.2}, {"D", 48}, {"E", 7}, {"F", 12}, {"G", 7},
                                 {"H", 12}, {"I", 7}, {"J", 12}, {"K", 7}, {"L", 12}, {"M", 7}, {"N", 13.3}});
        p.repeatRows = QStringLiteral("$1:$5");
    } else {
        p.centreColumns = {QStringLiteral("A:B")};
        p.columnWidths = widths({{"A", 4.5}, {"B", 8.9}, {"C", 8}, {"D", 13.3}, {"E", 8}, {"F", 13.3}, {"G", 8},
                                 {"H", 13.3}, {"I", 8}, {"J", 13.3}, {"K", 8}, {"L", 13.3}});
        p.repeatRows = QStringLiteral("$1:$4");
    }
    return p;
}

// The list reports' layout: one coloured heading row, rows 1 to 4 repeated,
// a thin closing line.
GridExportParams listLayout(const QString& sheet, const QString& lastColumn, const QString& titleRange,
                            const QString& title1)
{
    GridExportParams p;
    p.sheetName = sheet;
    p.lastColumn = lastColumn;
    p.titleRange = titleRange;
    p.title1 = title1;
    p.headingStyle = HeadingStyle::Coloured;
    p.repeatRows = QStringLiteral("$1:$4");
    p.closing = excel::Closing::Thin;
    return p;
}

QStringList amountColumns(const QString& columns)
{
    return {QStringLiteral("A"), columns};
}

// The employee enquiries: an employee's histories (exported from their
// own screens) and the employee list.
void addEnquiries(QVector<ReportDescriptor>& c)
{
    auto history = [](const QString& id, const QString& screen, const QString& title, bool budgetYear,
                      std::function<ReportResult(Database&, const Filters&)> run) {
        ReportDescriptor r;
        r.id = id;
        r.screen = screen;
        r.title = title;
        r.filters = [budgetYear](const LoginContext& l) {
            return QVector<FilterSpec>{
                {QStringLiteral("employee"), QStringLiteral("พนักงาน"), {field(QStringLiteral("kv"), QStringLiteral("KV_ID"), 13, {})},
                 QStringLiteral("kv"), FacultyLock::None},
                yearChoice(QStringLiteral("year"), QStringLiteral("ปี"), budgetYear ? QStringLiteral("ปีที่ตัดเงิน") : QStringLiteral("ปีที่บันทึกการเบิก"),
                           budgetYear ? l.Cur_Bud_Year : yearOf(l.Cur_Date), false)};
        };
        r.run = std::move(run);
        r.enquiry = true;
        return r;
    };
    auto employeeLine = [](const Filters& f, bool withPosition) {
        QString line = QStringLiteral("รหัสประจำตัวพนักงาน : ") + f.value(kFactEmpId) + QStringLiteral("  ชื่อ-นามสกุล :") +
                       f.value(kFactName);
        if (withPosition)
            line += QStringLiteral("  ตำแหน่ง :") + f.value(kFactPosition);
        return line;
    };
    auto historyLayout = [](const QString& sheet, const QString& lastColumn, const QString& title2,
                            const QString& title3) {
        GridExportParams p;
        p.sheetName = sheet;
        p.lastColumn = lastColumn;
        p.title1 = kUniversity;
        p.title2 = title2;
        p.title3 = title3;
        p.headingStyle = HeadingStyle::Plain;
        p.headingInnerHorizontals = true;
        p.orientation = excel::Orientation::Landscape;
        p.rightColumns = {QStringLiteral("D:J")};
        p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("K")};
        p.columnWidths = widths({{"A", 4.5}, {"B", 13}, {"C", 12}, {"D:J", 11.5}, {"K", 11}, {"L", 11}});
        p.repeatRows = QStringLiteral("$1:$5");
        p.closing = excel::Closing::Double;
        return p;
    };

    ReportDescriptor medical = history(QStringLiteral("medical-history"), QStringLiteral("TfrmQuery_Health"),
                                       QStringLiteral("สอบถามประวัติการเบิกค่ารักษารายบุคคล"), true, medicalHistory);
    medical.exportParams = [=](const Filters& f, const LoginContext& l) {
        GridExportParams p = historyLayout(QStringLiteral("พนักงาน"), QStringLiteral("L"),
                                           QStringLiteral("รายงานประวัติการเบิกค่ารักษาพยาบาล ณ วันที่ ") + titleDate(l.Cur_Date),
                                           employeeLine(f, true));
        p.numberFormats = {{QStringLiteral("D:J"), excel::amountFormat()}};
        return p;
    };
    medical.numericColumns = {QStringLiteral("A"), QStringLiteral("D:J")};
    c.push_back(medical);

    ReportDescriptor copay = history(QStringLiteral("copay-history"), QStringLiteral("TfrmQuery_Health_COPAY"),
                                     QStringLiteral("สอบถามประวัติการเบิกค่ารักษา กรณี CO-PAY"), false, copayHistory);
    copay.exportParams = [=](const Filters& f, const LoginContext& l) {
        GridExportParams p = historyLayout(
            QStringLiteral("COPAY"), QStringLiteral("L"),
            QStringLiteral("รายงานประวัติการเบิกค่ารักษาพยาบาล(กรณี CO-PAY) ณ วันที่ ") + titleDate(l.Cur_Date),
            employeeLine(f, false));
        p.numberFormats = {{QStringLiteral("D:J"), excel::amountFormat()}};
        return p;
    };
    copay.numericColumns = {QStringLiteral("A"), QStringLiteral("D:J")};
    c.push_back(copay);

    ReportDescriptor education = history(QStringLiteral("education-history"), QStringLiteral("TfrmQuery_Edu_Son"),
                                         QStringLiteral("สอบถามประวัติการเบิกค่าเล่าเรียนบุตร"), false, educationHistory);
    education.exportParams = [=](const Filters& f, const LoginContext& l) {
        GridExportParams p = historyLayout(QStringLiteral("ค่าเล่าเรียนบุตร"), QStringLiteral("I"),
                                           QStringLiteral("รายงานประวัติการเบิกค่าเล่าเรียนบุตร ณ วันที่ ") + titleDate(l.Cur_Date),
                                           employeeLine(f, false));
        p.numberFormats = {{QStringLiteral("D"), excel::amountFormat()}};
        // No total rows: a double closing line would rule off the last two
        // receipts as if they were totals.
        p.closing = excel::Closing::Thin;
        return p;
    };
    education.numericColumns = {QStringLiteral("A"), QStringLiteral("D")};
    c.push_back(education);

    c.push_back({QStringLiteral("employee-list"), QStringLiteral("TfrmQuery_Emp_Histry"), QStringLiteral("สอบถามประวัติพนักงาน"),
                 [](const LoginContext& l) {
                     FilterOption name = field(QStringLiteral("name"), QStringLiteral("เฉพาะชื่อ"), 40, {});
                     name.extraKey = QStringLiteral("surname");
                     name.extraCaption = QStringLiteral("นามสกุล");
                     name.extraMaxLength = 40;
                     return QVector<FilterSpec>{
                         choices(QStringLiteral("type"), QStringLiteral("รูปแบบ"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("1"), QStringLiteral("รูปแบบที่ 1")),
                                  opt(QStringLiteral("2"), QStringLiteral("รูปแบบที่ 2")), opt(QStringLiteral("3"), QStringLiteral("รูปแบบที่ 3"))},
                                 QStringLiteral("all")),
                         faculty(l, FacultyLock::InFC, QStringLiteral("one"), QStringLiteral("เลือกหน่วยงาน")),
                         choices(QStringLiteral("name"), QStringLiteral("เลือกชื่อ"), {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), name},
                                 QStringLiteral("all"))};
                 },
                 employeeList,
                 [](const Filters&, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("L"), QStringLiteral("A1:L1"),
                                                     QStringLiteral("รายงานสถานภาพพนักงาน"));
                     p.numberFormats = {{QStringLiteral("K"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("K")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("H:J")};
                     p.columnWidths = widths({{"A", 4}, {"B", 15.3}, {"C", 14.6}, {"D", 6.9}, {"E", 9.8}, {"F", 11}, {"G", 20.3},
                                              {"H", 3.9}, {"I", 8}, {"J", 8.9}, {"K", 9.5}, {"L", 6}});
                     return p;
                 },
                 amountColumns(QStringLiteral("K")), {}, {40, 110, 100, 70, 90, 100, 160, 45, 80, 90, 100, 60}});
}

QVector<ReportDescriptor> build()
{
    QVector<ReportDescriptor> c;
    const QString title2 = QStringLiteral("สรุปรายการเบิกเงินกองทุนสวัสดิการพนักงานมหาวิทยาลัย");
    const QString title2ByFaculty = title2 + QStringLiteral(" แยกตามเดือนและคณะ");
    auto claimStatus = [] {
        return choices(QStringLiteral("status"), QStringLiteral("สถานะใบเบิก"),
                       {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("normal"), QStringLiteral("ปกติ")),
                        opt(QStringLiteral("cancelled"), QStringLiteral("ยกเลิก")), opt(QStringLiteral("fc"), QStringLiteral("Fact")),
                        opt(QStringLiteral("kv"), QStringLiteral("KV"))},
                       QStringLiteral("normal"));
    };
    auto entryYear = [claimStatus](const LoginContext& l) {
        return QVector<FilterSpec>{yearChoice(QStringLiteral("year"), QStringLiteral("วันที่บันทึก"),
                                              QStringLiteral("ปีที่บันทึก"), yearOf(l.Cur_Date), true),
                                   claimStatus()};
    };
    const QStringList pairNumbers2 = {QStringLiteral("A"), QStringLiteral("C:L")};
    const QStringList pairNumbers4 = {QStringLiteral("A"), QStringLiteral("E:N")};
    const QStringList facultyMerges = {QStringLiteral("A4:A5"), QStringLiteral("B4:B5"), QStringLiteral("C4:C5"),
                                       QStringLiteral("D4:D5")};

    c.push_back({QStringLiteral("claims-by-month"), QStringLiteral("TfrmRep_Berg_Heal_Type"), QStringLiteral("ทั้ง KV"),
                 entryYear, claimsByMonth,
                 [title2](const Filters&, const LoginContext& l) { return pairLayout(l, false, title2); },
                 pairNumbers2, {}, {}});
    c.push_back({QStringLiteral("claims-by-month-faculty"), QStringLiteral("TfrmRep_Berg_Heal_Type"),
                 QStringLiteral("แยกตามเดือนคณะ"), entryYear, claimsByMonthFaculty,
                 [title2ByFaculty](const Filters&, const LoginContext& l) { return pairLayout(l, true, title2ByFaculty); },
                 pairNumbers4, facultyMerges, {}});
    c.push_back({QStringLiteral("claims-by-year"), QStringLiteral("TfrmRep_Berg_Heal_Type"), QStringLiteral("ทั้ง KV แยกเป็นปี"),
                 [claimStatus](const LoginContext&) { return QVector<FilterSpec>{claimStatus()}; }, claimsByYear,
                 [title2ByFaculty](const Filters&, const LoginContext& l) { return pairLayout(l, true, title2ByFaculty); },
                 pairNumbers4, facultyMerges, {}});
    c.push_back({QStringLiteral("sent-by-month"), QStringLiteral("TfrmRep_MY_Sent_Kv"),
                 QStringLiteral("รายงานขั้นสรุปส่งกองคลัง แยกตามเดือน"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         yearChoice(QStringLiteral("year"), QStringLiteral("วันที่ส่งข้อมูล"), QStringLiteral("ปีที่บันส่งข้อมูล"),
                                    yearOf(l.Cur_Date), true),
                         choices(QStringLiteral("status"), QStringLiteral("สถานะใบเบิก"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("normal"), QStringLiteral("ปกติ")),
                                  opt(QStringLiteral("cancelled"), QStringLiteral("ยกเลิก"))},
                                 QStringLiteral("normal"))};
                 },
                 sentByMonth,
                 [title2](const Filters&, const LoginContext& l) {
                     GridExportParams p = pairLayout(l, false, title2);
                     p.closing = excel::Closing::Thin;
                     return p;
                 },
                 pairNumbers2, {}, {}});
    c.push_back({QStringLiteral("employees-by-right-type"), QStringLiteral("TfrmRep_Fact_H_Type"),
                 QStringLiteral("รายงานแสดงจำนวนพนักงานที่เลือกประเภทค่ารักษา"),
                 [](const LoginContext&) { return QVector<FilterSpec>{}; }, employeesByRightType,
                 [](const Filters&, const LoginContext& l) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("G"), QStringLiteral("A1:G1"), kUniversity);
                     p.title2 = QStringLiteral("สรุปสมาชิกกองทุนสวัสดิการพนักงานมหาวิทยาลัย");
                     p.title3 = QStringLiteral("ข้อมูล ณ วันที่ ") + titleDate(l.Cur_Date);
                     p.numberFormats = {{QStringLiteral("D:G"), excel::countFormat()}};
                     p.rightColumns = {QStringLiteral("D:G")};
                     p.centreColumns = {QStringLiteral("A:B")};
                     p.columnWidths = widths({{"A", 4.5}, {"B", 7}, {"C", 48}, {"D:G", 11}});
                     return p;
                 },
                 {QStringLiteral("A"), QStringLiteral("D:G")}, {}, {}});

    c.push_back({QStringLiteral("faculty-sent"), QStringLiteral("TfrmRep_Fact_Sent_Kv"),
                 QStringLiteral("สอบถามการส่งข้อมูลจากคณะมายังกองคลัง"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         dateScope(QStringLiteral("sent"), QStringLiteral("เลือกข้อมูล"),
                                   {QStringLiteral("วันที่ส่งข้อมูล"), QStringLiteral("เดือน ปี ที่ส่งข้อมูล"), QStringLiteral("ปี ที่ส่งข้อมูล")},
                                   l, false),
                         faculty(l, FacultyLock::None, QStringLiteral("all"), QStringLiteral("หน่วยงาน"),
                                 QStringLiteral("ทั้งหมด"), false)};
                 },
                 facultySent, {}, {QStringLiteral("A"), QStringLiteral("D")}, {}, {50, 110, 110, 100}, QStringLiteral("รวมจำนวนเงิน"), facultySentMembers});

    c.push_back({QStringLiteral("claim-register"), QStringLiteral("TfrmRep_Berg_Doc_ID"), QStringLiteral("รายงานเลขทะเบียนคุมใบเบิก"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         dateScope(QStringLiteral("entered"), QStringLiteral("วันที่บันทึก"),
                                   {QStringLiteral("วันที่บันทึกข้อมูล"), QStringLiteral("เดือน ปี ที่ บันทึก"), QStringLiteral("ปีที่บันทึก")}, l, true),
                         dateScope(QStringLiteral("claimed"), QStringLiteral("เลือกข้อมูล"),
                                   {QStringLiteral("วันที่เบิก"), QStringLiteral("เดือน ปี ที่เบิก"), QStringLiteral("ปี ที่เบิก")}, l, true),
                         faculty(l, FacultyLock::InFC),
                         choices(QStringLiteral("status"), QStringLiteral("สถานะใบเบิก"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("normal"), QStringLiteral("ปกติ")),
                                  opt(QStringLiteral("cancelled"), QStringLiteral("ยกเลิก"))},
                                 QStringLiteral("all")),
                         claimKind(),
                         choices(QStringLiteral("special"), QStringLiteral("ประเภทการเบิก"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("cop"), QStringLiteral("เฉพาะ CO-PAY")),
                                  opt(QStringLiteral("ovm"), QStringLiteral("เฉพาะเกินวงเงิน"))},
                                 QStringLiteral("all"))};
                 },
                 claimRegister,
                 [](const Filters& f, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("L"), QStringLiteral("A1:H1"),
                                                     QStringLiteral("รายงานใบเบิกสวัสดิการ ฯ"));
                     p.title2 = scopeText(f.value(QStringLiteral("entered")), QStringLiteral("วันที่บันทึกข้อมูล : "),
                                          QStringLiteral("เดือนปีที่บันทึกข้อมูล : "), QStringLiteral("ปีที่บันทึกข้อมูล : "),
                                          QStringLiteral("วันที่บันทึกข้อมูล : ทั้งหมด"));
                     const QString status = Choice::of(f.value(QStringLiteral("status"))).kind;
                     const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
                     const Choice kind = Choice::of(f.value(QStringLiteral("kind")));
                     p.title3 = fact.isEmpty() ? QStringLiteral("หน่วยงาน : ทั้งหมด") : QStringLiteral("หน่วยงาน : ") + fact;
                     p.titleCells = {
                         {QStringLiteral("D2"), scopeText(f.value(QStringLiteral("claimed")), QStringLiteral("วันที่เบิก : "),
                                                          QStringLiteral("เดือนที่เบิก : "), QStringLiteral("ปีที่เบิก : "),
                                                          QStringLiteral("วันที่ที่เบิก : ทั้งหมด"))},
                         {QStringLiteral("H2"), status == u"normal"      ? QStringLiteral("สถานะใบเบิก : ปกติ")
                                                : status == u"cancelled" ? QStringLiteral("สถานะใบเบิก : ยกเลิก")
                                                                         : QStringLiteral("สถานะใบเบิก : ทั้งหมด")},
                         {QStringLiteral("H3"), kind.kind == u"one" ? QStringLiteral("ชนิดใบเบิก : ") + kind.value
                                                                    : QStringLiteral("ชนิดใบเบิก : ทั้งหมด")}};
                     p.numberFormats = {{QStringLiteral("H"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("H")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("G")};
                     p.columnWidths = widths({{"A", 4}, {"B", 12.2}, {"C", 14.6}, {"D", 6.9}, {"E", 9.8}, {"F", 11}, {"G", 8},
                                              {"H", 10.5}, {"I", 9.3}, {"J", 10.5}, {"K", 9.5}, {"L", 14}});
                     return p;
                 },
                 amountColumns(QStringLiteral("H")), {}, {50, 110, 90, 70, 80, 80, 100, 90, 90, 90, 100, 100}});

    c.push_back({QStringLiteral("control-number-summary"), QStringLiteral("TfrmRep_Sum_Doc_Con"), QStringLiteral("รายงานสรุปใบเบิก"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         dateScope(QStringLiteral("sent"), QStringLiteral("เลือกข้อมูล"),
                                   {QStringLiteral("วันที่ส่งข้อมูล"), QStringLiteral("เดือน ปี ที่ส่งข้อมูล"), QStringLiteral("ปี ที่ส่งข้อมูล")}, l, true),
                         faculty(l, FacultyLock::UnlessKV, QStringLiteral("all"), QStringLiteral("หน่วยงาน"),
                                 QStringLiteral("ทั้งหมด"), false),
                         choices(QStringLiteral("status"), QStringLiteral("ประเภทใบเบิก"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("normal"), QStringLiteral("ปกติ")),
                                  opt(QStringLiteral("cancelled"), QStringLiteral("ยกเลิก")), opt(QStringLiteral("voucher"), QStringLiteral("ใบสำคัญจ่าย")),
                                  opt(QStringLiteral("open-or-voucher"), QStringLiteral("ปกติ และใบสำคัญจ่าย"))},
                                 QStringLiteral("all")),
                         claimKind()};
                 },
                 controlNumberSummary,
                 [](const Filters& f, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("I"), QStringLiteral("A1:H1"),
                                                     QStringLiteral("รายงานสรุปใบเบิกสวัสดิการ ฯ"));
                     p.title2 = scopeText(f.value(QStringLiteral("sent")), QStringLiteral("วันที่ส่งข้อมูล :"),
                                          QStringLiteral("เดือน ปี ที่ ส่งข้อมูล :"), QStringLiteral("ปี ที่ ส่งข้อมูล :"),
                                          QStringLiteral("วัน เดือน ปี ที่ ส่งข้อมูล : ทั้งหมด "));
                     const QString status = Choice::of(f.value(QStringLiteral("status"))).kind;
                     p.title3 = status == u"normal"            ? QStringLiteral("ประเภทใบเบิก : ปกติ")
                                : status == u"cancelled"       ? QStringLiteral("ประเภทใบเบิก : ยกเลิก")
                                : status == u"voucher"         ? QStringLiteral("ประเภทใบเบิก : ใบสำคัญจ่าย")
                                : status == u"open-or-voucher" ? QStringLiteral("ประเภทใบเบิก : ปกติและใบสำคัญจ่าย")
                                                               : QStringLiteral("ประเภทใบเบิก : ทังหมด");
                     const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
                     const Choice kind = Choice::of(f.value(QStringLiteral("kind")));
                     p.titleCells = {{QStringLiteral("E2"), fact.isEmpty() ? QStringLiteral("หนวยงาน : ทั้งหมด") : QStringLiteral("รหัสคณะ : ") + fact},
                                     {QStringLiteral("E3"), kind.kind == u"one" ? QStringLiteral("ชนิดใบเบิก : ") + kind.value
                                                                                : QStringLiteral("ชนิดใบเบิก : ทั้งหมด ")}};
                     p.numberFormats = {{QStringLiteral("F"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("F")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("E"), QStringLiteral("G:H")};
                     p.columnWidths = widths({{"A", 4}, {"B", 14}, {"C", 10}, {"D", 30}, {"E", 10}, {"F", 11}, {"G", 10},
                                              {"H", 4.9}, {"I", 14}});
                     return p;
                 },
                 amountColumns(QStringLiteral("F")), {}, {50, 110, 50, 130, 80, 80, 80, 50, 110}, QStringLiteral("รวมจำนวนเงิน"),
                 controlNumberMembers});

    c.push_back({QStringLiteral("claim-lines"), QStringLiteral("TfrmRep_BergDocID_Folk"),
                 QStringLiteral("รายงงานสวัสดิการพนักงาน - แยกตามใบเสร็จ ญาติ"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         yearChoice(QStringLiteral("year"), QStringLiteral("เลือกข้อมูล"), QStringLiteral("ปี ที่ตัดเงิน"),
                                    yearOf(l.Cur_Date), true),
                         faculty(l, FacultyLock::InFC),
                         choices(QStringLiteral("type"), QStringLiteral("รูปแบบที่เลือกสวัสดิการ"),
                                 {opt(QStringLiteral("0"), QStringLiteral("0.ทั้งหมด")), opt(QStringLiteral("1"), QStringLiteral("1.วงเงิน 200,000 บาท")),
                                  opt(QStringLiteral("2"), QStringLiteral("2.วงเงิน 20,000 บาท")),
                                  opt(QStringLiteral("3"), QStringLiteral("3.ข้าราชการเปลี่ยนสถานภาพ"))},
                                 QStringLiteral("0")),
                         choices(QStringLiteral("folk"), QStringLiteral("ญาติ"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")),
                                  fromList(QStringLiteral("one"), QStringLiteral("เฉพาะ"), CodeList::Patients, QStringLiteral("0"))},
                                 QStringLiteral("all")),
                         choices(QStringLiteral("claimtype"), QStringLiteral("ประเภทการเบิก"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("one:FAE"), QStringLiteral("FAE HPEค่ารักษาพยาบาล")),
                                  opt(QStringLiteral("one:COP"), QStringLiteral("COP CO-PAY")), opt(QStringLiteral("one:EDU"), QStringLiteral("EDU ค่าเล่าเรียนบุตร")),
                                  opt(QStringLiteral("one:OVM"), QStringLiteral("OVM เบิกเกินวงเงิน")), opt(QStringLiteral("one:OTH"), QStringLiteral("OTH อื่น ๆ"))},
                                 QStringLiteral("all"))};
                 },
                 claimLinesByPatient,
                 [](const Filters&, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("Receipt"), QStringLiteral("P"), QStringLiteral("A1:F1"),
                                                     QStringLiteral("รายงานค่ารักษาพยาบาลแยกตามญาติ "));
                     p.orientation = excel::Orientation::Landscape;
                     p.numberFormats = {{QStringLiteral("O:P"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("I")};
                     p.lastRowBottomLines = {QStringLiteral("G:I")};
                     p.columnWidths = widths({{"A", 7.5}, {"B", 12}, {"C", 14}, {"D", 18}, {"E", 10}, {"F", 16}, {"G", 13.5},
                                              {"H", 15}, {"I", 15}, {"J", 15}, {"K", 19}});
                     return p;
                 },
                 amountColumns(QStringLiteral("O:P")), {}, {50, 110, 90, 110, 70, 80, 100, 90, 60, 90, 80, 80, 110, 110, 110, 140},
                 QStringLiteral("รวมเงินที่สามารถเบิกได้")});

    c.push_back({QStringLiteral("employee-rights"), QStringLiteral("TfrmRep_Emp_Histry"), QStringLiteral("รายงานประเภทสิทธิการรักษาพยาบาล"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         choices(QStringLiteral("type"), QStringLiteral("รูปแบบ"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("1"), QStringLiteral("รูปแบบที่ 1")),
                                  opt(QStringLiteral("2"), QStringLiteral("รูปแบบที่ 2")), opt(QStringLiteral("3"), QStringLiteral("รูปแบบที่ 3"))},
                                 QStringLiteral("all")),
                         faculty(l, FacultyLock::InFC, QStringLiteral("one"), QStringLiteral("เลือกหน่วยงาน"))};
                 },
                 employeeRights,
                 [](const Filters&, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("L"), QStringLiteral("A1:K1"),
                                                     QStringLiteral("รายงานสถานภาพพนักงาน"));
                     p.numberFormats = {{QStringLiteral("K"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("K")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("H:J")};
                     p.columnWidths = widths({{"A", 4}, {"B", 15.3}, {"C", 14.6}, {"D", 6.9}, {"E", 9.8}, {"F", 11}, {"G", 20.3},
                                              {"H", 3.9}, {"I", 8}, {"J", 8.9}, {"K", 9.5}, {"L", 12}});
                     return p;
                 },
                 amountColumns(QStringLiteral("K")), {}, {}});

    c.push_back({QStringLiteral("employee-families"), QStringLiteral("TfrmRep_Emp_Folk"), QStringLiteral("รายงานบุคคลในครอบครัว"),
                 [](const LoginContext& l) {
                     FilterSpec fact{QStringLiteral("faculty"), QStringLiteral("หน่วยงาน"),
                                     {field(QStringLiteral("one"), QStringLiteral("รหัสคณะ"), 2, l.Cur_Fact_Code)},
                                     QStringLiteral("one"), FacultyLock::InFC};
                     return QVector<FilterSpec>{
                         fact,
                         choices(QStringLiteral("order"), QStringLiteral("การเรียงลำดับข้อมูล"),
                                 {opt(QStringLiteral("name"), QStringLiteral("เรียงตามชื่อ พนักงาน")),
                                  opt(QStringLiteral("empid"), QStringLiteral("เรียงตามรหัสพนักงาน")),
                                  opt(QStringLiteral("ssn"), QStringLiteral("เรียงตามเลขบัตรประชาชน"))},
                                 QStringLiteral("name")),
                         choices(QStringLiteral("name"), QStringLiteral("เลือกชื่อ"),
                                 {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), field(QStringLiteral("name"), QStringLiteral("เฉพาะชื่อ"), 40, {})},
                                 QStringLiteral("all"))};
                 },
                 employeeFamilies,
                 [](const Filters&, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("AM"), QStringLiteral("A1:H1"),
                                                     QStringLiteral("รายงานบุคคลในครอบครัวของพนักงาน"));
                     p.columnWidths = widths({{"A", 4}, {"B", 10.5}, {"C", 6.8}, {"D", 13}, {"E", 13}, {"F", 15}, {"G", 6},
                                              {"H", 25}, {"I", 25}, {"J", 8.9}, {"K", 15}});
                     return p;
                 },
                 {QStringLiteral("A")}, {}, {}});

    c.push_back({QStringLiteral("education-claims"), QStringLiteral("TfrmRep_Edu_Son"), QStringLiteral("รายงานสวัสดิการค่าเล่าเรียนบุตร"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         yearChoice(QStringLiteral("year"), QStringLiteral("ปีที่บันทึกการเบิก"), QStringLiteral("ปี"), yearOf(l.Cur_Date), false),
                         choices(QStringLiteral("order"), QStringLiteral("การเรียงลำดับข้อมูล"),
                                 {opt(QStringLiteral("doc"), QStringLiteral("เลขที่ใบเบิก")), opt(QStringLiteral("name"), QStringLiteral("ชื่อ - นามสกุล")),
                                  opt(QStringLiteral("empid"), QStringLiteral("รหัสประจำตัวพนักงาน"))},
                                 QStringLiteral("doc")),
                         faculty(l, FacultyLock::UnlessKV, QStringLiteral("one"), QStringLiteral("หน่วยงาน"),
                                 QStringLiteral("ทุกคณะ"), false)};
                 },
                 educationClaims,
                 [](const Filters& f, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("H"), QStringLiteral("A1:H1"),
                                                     QStringLiteral("รายงานใบเบิกสวัสดิการค่าเล่าเรียนบุตร ปีที่เบิก : ") +
                                                         Choice::of(f.value(QStringLiteral("year"))).value);
                     const QString order = Choice::of(f.value(QStringLiteral("order"))).kind;
                     p.title2 = order == u"name"    ? QStringLiteral("เรียงข้อมูลตาม : ชื่อ-นามสกุล")
                                : order == u"empid" ? QStringLiteral("เรียงข้อมูลตาม : รหัสประจำตัวพนักงาน")
                                                    : QStringLiteral("เรียงข้อมูลตาม : เลขที่ใบเบิก");
                     const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
                     p.title3 = fact.isEmpty() ? QStringLiteral("หน่วยงาน : ทั้งหมด") : QStringLiteral("หน่วยงาน : ") + fact;
                     p.numberFormats = {{QStringLiteral("F"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("F")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("E"), QStringLiteral("G:H")};
                     p.columnWidths = widths({{"A", 4}, {"B", 12.2}, {"C", 14.6}, {"D", 21.6}, {"E", 9.8}, {"F", 11}, {"G", 10.6}, {"H", 10.5}});
                     return p;
                 },
                 amountColumns(QStringLiteral("F")), {}, {}});

    c.push_back({QStringLiteral("flexible-benefit"), QStringLiteral("TfrmRep_Flexible_Benifit"),
                 QStringLiteral("รายงานรายชื่อผู้สมัคร Flexible Benifet"),
                 [](const LoginContext& l) {
                     return QVector<FilterSpec>{
                         yearChoice(QStringLiteral("year"), QStringLiteral("ปีที่ตัดเงิน"), QStringLiteral("ปี"), l.Cur_Bud_Year, false),
                         faculty(l, FacultyLock::InFC)};
                 },
                 flexibleBenefit,
                 [](const Filters&, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("Receipt"), QStringLiteral("G"), QStringLiteral("A1:F1"),
                                                     QStringLiteral("รายงานค่ารักษาพยาบาลแยกตามญาติ "));
                     p.orientation = excel::Orientation::Landscape;
                     p.lastRowBottomLines = {QStringLiteral("G:I")};
                     p.columnWidths = widths({{"A", 4}, {"B", 18}, {"C", 21}, {"D", 12}, {"E", 18}, {"F", 18}, {"G", 20},
                                              {"H", 10.5}, {"I", 9.3}, {"J", 10.5}, {"K", 9.5}});
                     return p;
                 },
                 {QStringLiteral("A")}, {}, {}});

    const QStringList welfareKinds = {QStringLiteral("1. ค่ารักษา พม.รูปแบบที่ 1 (หักเงินเดือน 10%)"),
                                      QStringLiteral("2. ค่ารักษา พม.รูปแบบที่ 2 (หักประกันสังคม)"),
                                      QStringLiteral("3. ค่ารักษา พม.รูปแบบที่ 2 Co-pay (25,000 บ.)"),
                                      QStringLiteral("4. เงินช่วยเหลือการศึกษาบุตร (กรณีพม.รูปแบบที่ 1)")};
    c.push_back({QStringLiteral("claims-by-welfare-kind"), QStringLiteral("TfrmRep_Type_Berg_Brelok"),
                 QStringLiteral("รายงานแยกตามประเภทสวัสดิการ"),
                 [welfareKinds](const LoginContext& l) {
                     QVector<FilterOption> kinds{opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด"))};
                     for (int i = 0; i < welfareKinds.size(); ++i)
                         kinds << opt(QString::number(i + 1), welfareKinds[i]);
                     return QVector<FilterSpec>{
                         dateScope(QStringLiteral("before"), QStringLiteral("เลือกข้อมูล"),
                                   {QStringLiteral("เบิกถึงวันที่"), QStringLiteral("เบิกถึง เดือน ปี"), QStringLiteral("เบิกถึง ปี")}, l, true),
                         yearChoice(QStringLiteral("payyear"), QStringLiteral("ปีที่ตัดยอดเงิน"), QStringLiteral("เฉพาะปี"),
                                    yearOf(l.Cur_Date), true),
                         choices(QStringLiteral("kind"), QStringLiteral("ชนิดใบเบิก"), kinds, QStringLiteral("all")),
                         faculty(l, FacultyLock::None, QStringLiteral("all"))};
                 },
                 claimsByWelfareKind,
                 [welfareKinds](const Filters& f, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("พนักงาน"), QStringLiteral("N"), QStringLiteral("A1:N1"),
                                                     QStringLiteral("รายงานใบเบิกสวัสดิการ ฯ"));
                     const int kind = Choice::of(f.value(QStringLiteral("kind"))).kind.toInt();
                     if (kind >= 1 && kind <= welfareKinds.size())
                         p.title2 = welfareKinds[kind - 1];
                     p.title3 = scopeText(f.value(QStringLiteral("before")), QStringLiteral("เบิกถึงวันที่ : "),
                                          QStringLiteral("เบิกถึงเดือนที่ : "), QStringLiteral("เบิกถึงปี : "),
                                          QStringLiteral("เบิกถึงวันที่ : ทั้งหมด"));
                     p.rightColumns = {QStringLiteral("H")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("G")};
                     p.columnWidths = widths({{"A", 4}, {"B", 12.2}, {"C", 14.6}, {"D", 6.9}, {"E", 9.8}, {"F", 11}, {"G", 8},
                                              {"H", 10.5}, {"I", 9.3}, {"J", 10.5}, {"K", 9.5}});
                     return p;
                 },
                 amountColumns(QStringLiteral("H")), {}, {}, QStringLiteral("ยอดเงินรวม")});

    auto voucherFilters = [](const LoginContext& l) {
        return QVector<FilterSpec>{
            dateScope(QStringLiteral("recorded"), QStringLiteral("วันที่บันทึก"),
                      {QStringLiteral("วันที่บันทึกข้อมูล"), QStringLiteral("เดือน ปี ที่ บันทึก"), QStringLiteral("ปีที่บันทึก")}, l, true),
            faculty(l, FacultyLock::InFC),
            choices(QStringLiteral("status"), QStringLiteral("สถานะใบเบิก"),
                    {opt(QStringLiteral("all"), QStringLiteral("ทั้งหมด")), opt(QStringLiteral("normal"), QStringLiteral("ปกติ")),
                     opt(QStringLiteral("cancelled"), QStringLiteral("ยกเลิก"))},
                    QStringLiteral("all"))};
    };
    c.push_back({QStringLiteral("vouchers"), QStringLiteral("TfrmRep_PVR"), QStringLiteral("รายงานใบสำคัญจ่าย"), voucherFilters,
                 voucherSummaries,
                 [](const Filters&, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("ใบสำคัญ"), QStringLiteral("K"), QStringLiteral("A1:K1"),
                                                     QStringLiteral("รายงานสรุปใบสำคัญจ่าย (PV) "));
                     p.numberFormats = {{QStringLiteral("D"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("D")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("E"), QStringLiteral("G")};
                     p.columnWidths = widths({{"A", 4}, {"B", 12.5}, {"C", 10.5}, {"D", 14}, {"E", 12}, {"F", 7}, {"G", 7},
                                              {"H", 8}, {"I", 6.9}, {"J", 9}, {"K", 6}});
                     return p;
                 },
                 amountColumns(QStringLiteral("D")), {}, {}});
    c.push_back({QStringLiteral("voucher-details"), QStringLiteral("TfrmRep_Pvr_Detail"), QStringLiteral("รายงานรายละเอียดใบสำคัญจ่าย"),
                 voucherFilters, voucherDetails,
                 [](const Filters&, const LoginContext&) {
                     GridExportParams p = listLayout(QStringLiteral("ใบสำคัญ"), QStringLiteral("O"), QStringLiteral("A1:O1"),
                                                     QStringLiteral("รายงานสรุปรายละเอียดใบสำคัญจ่าย (PV) "));
                     p.orientation = excel::Orientation::Landscape;
                     p.numberFormats = {{QStringLiteral("O"), excel::amountFormat()}};
                     p.rightColumns = {QStringLiteral("O")};
                     p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("E"), QStringLiteral("G")};
                     p.columnWidths = widths({{"A", 4}, {"B", 5.6}, {"C", 12.5}, {"D", 10.5}, {"E", 12.2}, {"F", 7.5}, {"G", 7},
                                              {"H", 9.5}, {"I", 6.9}, {"J", 8.72}, {"K", 3.5}, {"L", 14}, {"M", 16.9}, {"N", 16.9},
                                              {"O", 10}});
                     return p;
                 },
                 {QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("O")}, {}, {}});
    for (ReportDescriptor& r : c) {
        if (r.id == u"control-number-summary") {
            r.printDetails = [](Database& db, const QString& number) {
                return claims::summaryDocument(db, number, std::nullopt, db.serverNow());
            };
            r.orderNote = QStringLiteral("ข้อมูลเรียงตามเลขที่ควบคุมใบเบิก");
        } else if (r.id == u"claim-register") {
            r.orderNote = QStringLiteral("ข้อมูลเรียงตามวันที่บันทึกข้อมูล");
            r.rows = claimRegisterRows;
        } else if (r.id == u"flexible-benefit") {
            r.orderNote = QStringLiteral("ข้อมูลเรียงตาม ภาควิชา และชื่อ-นามสกุล");
        }
    }
    addEnquiries(c);
    return c;
}

bool inColumns(const QStringList& spans, int column)
{
    for (const QString& s : spans) {
        const excel::ColumnSpan span = excel::ColumnSpan::parse(s);
        if (column >= span.first && column <= span.last)
            return true;
    }
    return false;
}

} // namespace

const QVector<ReportDescriptor>& reportCatalog()
{
    static const QVector<ReportDescriptor> catalog = build();
    return catalog;
}

const ReportDescriptor* findReport(const QString& id)
{
    for (const ReportDescriptor& r : reportCatalog())
        if (r.id == id)
            return &r;
    return nullptr;
}

QVector<const ReportDescriptor*> reportsOfScreen(const QString& screen)
{
    QVector<const ReportDescriptor*> out;
    for (const ReportDescriptor& r : reportCatalog())
        if (r.screen == screen)
            out << &r;
    return out;
}

bool facultyLocked(FacultyLock lock, const LoginContext& login)
{
    return (lock == FacultyLock::InFC && login.Cur_Mode == u"FC") ||
           (lock == FacultyLock::UnlessKV && login.Cur_Mode != u"KV");
}

Filters initialFilters(const ReportDescriptor& report, const LoginContext& login)
{
    Filters f;
    for (const FilterSpec& s : report.filters(login)) {
        if (facultyLocked(s.lock, login)) {
            f.insert(s.key, QStringLiteral("one:") + login.Cur_Fact_Code);
            continue;
        }
        for (const FilterOption& o : s.options)
            if (o.value == s.initial)
                f.insert(s.key, o.maxLength > 0 ? o.value + u':' + o.initialText : o.value);
    }
    return f;
}

namespace {

QStringList exportRow(const ReportDescriptor& report, const QStringList& row)
{
    QStringList cells;
    cells.reserve(row.size());
    for (int c = 0; c < row.size(); ++c) {
        const QString& v = row[c];
        // Only counts and amounts become numbers: staff, citizen, claim
        // and control numbers keep every digit as text.
        cells << (v.isEmpty() || inColumns(report.numericColumns, c + 1) ? v : u'\'' + v);
    }
    return cells;
}

excel::GridWriter::Layout exportLayout(const ReportDescriptor& report, const excel::GridExportParams& params)
{
    return [params, merges = report.headingMerges](const excel::GridTable& grid) {
        excel::Worksheet sheet = excel::buildGridSheet(grid, params);
        for (const QString& block : merges) {
            const excel::CellRange range = excel::CellRange(block);
            sheet.merge(range);
            sheet.setHorizontalAlignment(range, excel::HAlign::Centre);
            sheet.setVerticalAlignment(range, excel::VAlign::Centre);
        }
        return sheet;
    };
}

QString exportTarget(const excel::GridExportParams& params, const QString& path)
{
    return path.isEmpty() ? excel::uniqueExportPath(excel::Worksheet(params.sheetName).name()) : path;
}

excel::GridExportParams exportParamsOf(const ReportDescriptor& report, const Filters& filters,
                                             const LoginContext& login)
{
    if (!report.exportParams)
        throw AppError(QStringLiteral("รายงานนี้ไม่มีการพิมพ์ออกทาง MS Excel"));
    return report.exportParams(filters, login);
}

} // namespace

excel::GridTable exportTable(const ReportDescriptor& report, const ReportResult& result)
{
    excel::GridTable t;
    t.headings = result.headings;
    for (const QStringList& row : result.rows)
        t.rows << exportRow(report, row);
    return t;
}

QString exportReport(const ReportDescriptor& report, const ReportResult& result, const Filters& filters,
                     const LoginContext& login, const QString& path)
{
    Filters withFacts = filters;
    for (auto it = result.titleFacts.begin(); it != result.titleFacts.end(); ++it)
        withFacts.insert(it.key(), it.value());
    const excel::GridExportParams params = exportParamsOf(report, withFacts, login);
    const QString target = exportTarget(params, path);
    excel::GridWriter writer(result.headings, exportLayout(report, params), target);
    for (const QStringList& row : result.rows)
        writer.addRow(exportRow(report, row));
    writer.finish();
    return target;
}

int exportReportRows(const ReportDescriptor& report, Database& db, const Filters& filters, const LoginContext& login,
                     const QString& path)
{
    const excel::GridExportParams params = exportParamsOf(report, filters, login);
    const QString target = exportTarget(params, path);
    QList<QStringList> headings;
    std::unique_ptr<excel::GridWriter> writer; // made with the first row: no rows, no file
    report.rows(db, filters, {[&](const QList<QStringList>& h) { headings = h; },
                              [&](const QStringList& row) {
                                  if (!writer)
                                      writer = std::make_unique<excel::GridWriter>(headings, exportLayout(report, params), target);
                                  writer->addRow(exportRow(report, row));
                              }});
    if (!writer)
        return 0;
    writer->finish();
    return writer->rowCount();
}

namespace {

bool digits(const QString& text)
{
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return !text.isEmpty();
}

// Why a field's text does not fill its mask; "" when it does.
QString maskProblem(const QString& mask, const QString& text)
{
    const auto beYear = [](const QString& year) {
        return year.size() == 4 && digits(year) && year.toInt() >= kFirstBEYear && year.toInt() <= kLastBEYear;
    };
    if (mask == u"99/99/0000") {
        const auto date = parseBEText(text);
        if (!date || !beYear(text.trimmed().right(4)))
            return QStringLiteral("วันที่ต้องเป็น วว/ดด/ปปปป ปี พ.ศ. ที่มีจริง");
    } else if (mask == u"99/0000") {
        const int month = text.left(2).toInt();
        if (text.size() != 7 || text[2] != u'/' || !digits(text.left(2)) || month < 1 || month > 12 || !beYear(text.mid(3)))
            return QStringLiteral("เดือนต้องเป็น ดด/ปปปป เดือน 01 ถึง 12 ปี พ.ศ.");
    } else if (mask == u"0000") {
        if (!beYear(text))
            return QStringLiteral("ปีต้องเป็น พ.ศ. 4 หลัก");
    }
    return {};
}

[[noreturn]] void badFilter(const QString& key, const QString& value, const QString& why, const QString& allowed)
{
    throw AppError(QStringLiteral("ค่า %1=%2 ไม่ถูกต้อง (%3) ค่าที่ใช้ได้: %1=%4").arg(key, value, why, allowed));
}

} // namespace

QString allowedValues(const FilterSpec& spec)
{
    QStringList choices;
    for (const FilterOption& o : spec.options)
        choices << (o.maxLength > 0 ? o.value + QStringLiteral(":VALUE") : o.value);
    return choices.join(u'|');
}

void checkFilterValue(const ReportDescriptor& report, const LoginContext& login, const QString& key,
                      const QString& value)
{
    const Choice choice = Choice::of(value);
    for (const FilterSpec& s : report.filters(login)) {
        for (const FilterOption& o : s.options) {
            if (o.extraMaxLength > 0 && o.extraKey == key) {
                const QString allowed = o.extraKey + QStringLiteral(":VALUE");
                if (choice.kind != o.extraKey)
                    badFilter(key, value, QStringLiteral("ไม่มีในตัวเลือก"), allowed);
                if (choice.value.size() > o.extraMaxLength)
                    badFilter(key, value, QStringLiteral("ยาวเกิน %1 ตัวอักษร").arg(o.extraMaxLength), allowed);
                return;
            }
        }
        if (s.key != key)
            continue;
        const QString allowed = allowedValues(s);
        for (const FilterOption& o : s.options) {
            if (o.value != choice.kind)
                continue;
            if (o.maxLength == 0 && !choice.value.isEmpty())
                badFilter(key, value, QStringLiteral("ตัวเลือก %1 ไม่มีค่าต่อท้าย").arg(o.value), allowed);
            if (o.maxLength > 0 && choice.value.isEmpty())
                badFilter(key, value, QStringLiteral("ตัวเลือก %1 ต้องมีค่าต่อท้าย").arg(o.value), allowed);
            if (choice.value.size() > o.maxLength && o.maxLength > 0)
                badFilter(key, value, QStringLiteral("ยาวเกิน %1 ตัวอักษร").arg(o.maxLength), allowed);
            const QString problem = maskProblem(o.inputMask, choice.value);
            if (!problem.isEmpty())
                badFilter(key, value, problem, allowed);
            return;
        }
        badFilter(key, value, QStringLiteral("ไม่มีในตัวเลือก"), allowed);
    }
    throw AppError(QStringLiteral("รายงาน %1 ไม่มีตัวกรอง %2").arg(report.id, key));
}

} // namespace wel::reports
