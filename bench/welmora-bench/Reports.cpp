// The heaviest reports against the bare SQL they need, and the grid export
// against the raw workbook writer.
#include "BareSql.h"
#include "Workload.h"
#include "common/AppError.h"
#include "common/excel/GridExport.h"
#include "common/db/Database.h"
#include "reports/ReportServices.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <xlsxwriter.h>
#include <memory>

namespace wel::bench {

namespace {

using reports::Filters;
using reports::ReportResult;

// Numbered rows of a report (its groups or its claims), leaving out the
// subtotal, blank and total rows of the control break.
int numberedRows(const ReportResult& r)
{
    int n = 0;
    for (const QStringList& row : r.rows) {
        bool ok = false;
        row.value(0).toInt(&ok);
        n += ok ? 1 : 0;
    }
    return n;
}

Side reportSide(std::function<ReportResult()> f)
{
    auto last = std::make_shared<QString>();
    return {[f, last] { *last = QString::number(numberedRows(f())) + QStringLiteral(" rows"); }, [last] { return *last; }};
}

Side bareSide(std::function<int()> f)
{
    auto last = std::make_shared<QString>();
    return {[f, last] { *last = QString::number(f()) + QStringLiteral(" rows"); }, [last] { return *last; }};
}

// Claims by month and faculty over every year: one grouped query; the groups
// are the (year, month, faculty) keys.
int monthFacultyBare(BareSql& sql)
{
    QSet<QString> groups;
    sql.each(QStringLiteral("SELECT SUBSTR(p.Date_Ent, 7, 4), SUBSTR(p.Date_Ent, 4, 2), h.Fact_code, f.Fact_Name, "
                            "COUNT(p.Berg_Doc_ID), SUM(p.M_Can_Berg), t.Health_Other_Code "
                            "FROM T_PAY_Health p LEFT OUTER JOIN TR_Heal_Type t ON p.Health_In_Out_t = t.Health_In_Out_t "
                            "LEFT OUTER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID "
                            "LEFT OUTER JOIN T_Fact f ON h.Fact_code = f.Fact_Code "
                            "WHERE p.Berg_Doc_Status <> 'NO' "
                            "GROUP BY SUBSTR(p.Date_Ent, 7, 4), SUBSTR(p.Date_Ent, 4, 2), h.Fact_code, f.Fact_Name, "
                            "t.Health_Other_Code ORDER BY 1, 2, 3"),
             {}, [&](QSqlQuery& q) {
                 groups.insert(q.value(0).toString() + q.value(1).toString() + QLatin1Char('|') + q.value(2).toString()
                               + QLatin1Char('|') + q.value(3).toString());
             });
    return int(groups.size());
}

struct RegisterRow {
    QString id, empId, title, first, last, date, status, kind, entered, type;
    Money amount;
};

// A faculty's claims of a budget year's claim dates, every column the grid shows.
int registerBare(BareSql& sql, const QString& fact, const QString& year)
{
    QVector<RegisterRow> rows;
    sql.each(QStringLiteral("SELECT p.Berg_Doc_ID, p.Date_berg, p.Date_Ent, p.M_Can_Berg, p.Berg_Doc_Status, "
                            "p.Berg_Type_Code, h.Emp_Surname, h.Emp_F_Name, h.Emp_L_Name, h.EMP_ID, t.Health_Desc "
                            "FROM T_PAY_Health p INNER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID "
                            "LEFT OUTER JOIN TR_Heal_Type t ON p.Health_In_Out_t = t.Health_In_Out_t "
                            "WHERE SUBSTR(p.Date_berg, 7, 4) = ? AND UPPER(p.Fact_Code) = UPPER(?) "
                            "ORDER BY SUBSTR(p.Date_Ent, 7, 4), SUBSTR(p.Date_Ent, 4, 2), SUBSTR(p.Date_Ent, 1, 2), "
                            "p.Berg_Doc_ID"),
             {year, fact}, [&](QSqlQuery& q) {
                 rows.push_back({q.value(0).toString(), q.value(9).toString(), q.value(6).toString(),
                                 q.value(7).toString(), q.value(8).toString(), q.value(1).toString(),
                                 q.value(4).toString(), q.value(10).toString(), q.value(2).toString(),
                                 q.value(5).toString(), Money::fromVariant(q.value(3))});
             });
    return int(rows.size());
}

// Every employee with his six family members in 39 columns: the employees
// in one query, the members in another, matched in memory.
int familiesBare(BareSql& sql)
{
    // the employees in the report's order, then their members, each fetched
    // whole before the rows are put together, as the report does
    QVector<QVector<QVariant>> emps;
    sql.each(QStringLiteral("SELECT KV_ID, EMP_ID, Emp_Surname, Emp_F_Name, Emp_L_Name, Emp_Position, Emp_Level, Emp_Fact, "
                            "Emp_Dept_Name, Emp_In_date, Emp_SSN, Emp_H_Type FROM T_Emp_Gov_Histry h "
                            "WHERE h.KV_ID IS NOT NULL ORDER BY ")
                 + (sql.kind() == DbKind::SQLite ? QStringLiteral("h.Emp_F_Name COLLATE THAI, h.Emp_L_Name COLLATE THAI")
                                                 : QStringLiteral("h.Emp_F_Name COLLATE \"th-TH-x-icu\", "
                                                                  "h.Emp_L_Name COLLATE \"th-TH-x-icu\""))
                 + QStringLiteral(", h.KV_ID"),
             {}, [&](QSqlQuery& q) {
                 QVector<QVariant> row(12);
                 for (int c = 0; c < 12; ++c)
                     row[c] = q.value(c);
                 emps.push_back(std::move(row));
             });
    QVector<QVector<QVariant>> folk;
    QHash<QString, int> member;
    sql.each(QStringLiteral("SELECT e.KV_ID, e.Emp_Folk, e.EF_SSN, e.EF_Surname, e.EF_F_Name, e.EF_L_Name, e.EF_Birthday "
                            "FROM T_Emp_Folk e INNER JOIN T_Emp_Gov_Histry h ON e.KV_ID = h.KV_ID "
                            "WHERE e.Emp_Folk IN ('1','2','3','4','5','6')"),
             {}, [&](QSqlQuery& q) {
                 QVector<QVariant> row(7);
                 for (int c = 0; c < 7; ++c)
                     row[c] = q.value(c);
                 member.insert(row[0].toString() + QLatin1Char('|') + row[1].toString(), int(folk.size()));
                 folk.push_back(std::move(row));
             });
    QVector<QStringList> rows;
    rows.reserve(emps.size());
    for (const QVector<QVariant>& e : emps) {
        QStringList row{QString::number(rows.size() + 1)};
        for (int c = 1; c < 12; ++c)
            row << e[c].toString();
        const QString kv = e[0].toString();
        for (int k = 1; k <= 6; ++k) {
            const int m = member.value(kv + QLatin1Char('|') + QString::number(k), -1);
            for (int c = 2; c < (k >= 4 ? 7 : 6); ++c)
                row << (m < 0 ? QString() : folk[m][c].toString());
        }
        rows.push_back(row);
    }
    return int(rows.size());
}

// ---- the export --------------------------------------------------------------

constexpr int kExportRows = 50000;

excel::GridTable exportGrid()
{
    excel::GridTable g;
    g.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("รหัสประจำตัวพนักงาน"),
                   QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"), QStringLiteral("วันที่เบิก"),
                   QStringLiteral("จำนวนเงินที่เบิก"), QStringLiteral("สถานะใบเบิก"), QStringLiteral("ประเภทใบเบิก"),
                   QStringLiteral("วันที่บันทึกข้อมูล"), QStringLiteral("Co-Pay/Normal/Over Money")}};
    for (int i = 0; i < kExportRows; ++i) {
        const QString day = QStringLiteral("%1/%2/2569").arg(i % 28 + 1, 2, 10, QLatin1Char('0')).arg(i % 12 + 1, 2, 10, QLatin1Char('0'));
        g.rows.push_back({QString::number(i + 1), QStringLiteral("MD2569/%1").arg(i + 1, 7, 10, QLatin1Char('0')),
                          QStringLiteral("'MD59%1").arg(i, 8, 10, QLatin1Char('0')), QStringLiteral("นาง"),
                          QStringLiteral("สมหญิง"), QStringLiteral("ใจงาม"), QLatin1Char('\'') + day,
                          QStringLiteral("%L1.%2").arg(100 + i % 9000).arg(i % 100, 2, 10, QLatin1Char('0')),
                          QStringLiteral("ปกติ"), QStringLiteral("ค่ารักษาพยาบาลผู้ป่วยนอก"), QLatin1Char('\'') + day,
                          QStringLiteral("Normal")});
    }
    return g;
}

excel::GridExportParams exportParams()
{
    excel::GridExportParams p;
    p.sheetName = QStringLiteral("ใบเบิก");
    p.title1 = QStringLiteral("ทะเบียนใบเบิก");
    p.lastColumn = QStringLiteral("L");
    p.orientation = excel::Orientation::Landscape;
    p.numberFormats = {{QStringLiteral("H"), excel::amountFormat()}, {QStringLiteral("A"), excel::countFormat()}};
    p.rightColumns = {QStringLiteral("H")};
    p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("G"), QStringLiteral("K")};
    p.columnWidths = {{QStringLiteral("A"), 6}, {QStringLiteral("B"), 16}, {QStringLiteral("C"), 14}, {QStringLiteral("D:F"), 12},
                      {QStringLiteral("G"), 11}, {QStringLiteral("H"), 12}, {QStringLiteral("I:L"), 14}};
    return p;
}

// The same workbook with libxlsxwriter called directly, row by row in its
// constant-memory mode as the program writes it: the titles, the heading,
// each cell a number or a text as its column wants, with the formats and
// row heights the program's layout gives (12-point rows on a white fill,
// ruled, the first row's top line, the line above the totals and the
// closing double line), the widths, landscape, one page across and the
// print titles. Only measuring the values for the widths is left to the
// program.
void exportRaw(const excel::GridTable& g, const QString& path)
{
    const QByteArray file = path.toUtf8();
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(file.constData(), &options);
    lxw_worksheet* ws = workbook_add_worksheet(wb, "ใบเบิก");
    auto titleFormat = [&](double size) {
        lxw_format* f = workbook_add_format(wb);
        format_set_font_size(f, size);
        format_set_font_color(f, 0x0C058F);
        return f;
    };
    lxw_format* titles[3] = {titleFormat(16), titleFormat(14), titleFormat(14)};
    format_set_align(titles[0], LXW_ALIGN_CENTER_ACROSS);
    lxw_format* across = workbook_add_format(wb);
    format_set_align(across, LXW_ALIGN_CENTER_ACROSS);
    lxw_format* twelve = workbook_add_format(wb);
    format_set_font_size(twelve, 12);
    lxw_format* headRow = workbook_add_format(wb);
    format_set_font_size(headRow, 12);
    format_set_align(headRow, LXW_ALIGN_CENTER);
    lxw_format* head = workbook_add_format(wb);
    format_set_font_size(head, 12);
    format_set_align(head, LXW_ALIGN_CENTER);
    format_set_border(head, LXW_BORDER_THIN);
    // Four looks of a column (text, centred, count, amount), each in four
    // places (first row, middle, above the totals, last row).
    enum Look { Text, Centre, Count, Amount };
    const Look lookOf[12] = {Count, Centre, Centre, Text, Text, Text, Centre, Amount, Text, Text, Centre, Text};
    lxw_format* data[4][4];
    for (int look = 0; look < 4; ++look)
        for (int place = 0; place < 4; ++place) {
            lxw_format* f = workbook_add_format(wb);
            format_set_font_size(f, 12);
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, LXW_COLOR_WHITE);
            format_set_left(f, LXW_BORDER_THIN);
            format_set_right(f, LXW_BORDER_THIN);
            if (place == 0)
                format_set_top(f, LXW_BORDER_THIN);
            if (place == 2)
                format_set_bottom(f, LXW_BORDER_THIN);
            if (place == 3)
                format_set_bottom(f, LXW_BORDER_DOUBLE);
            if (look == Centre || look == Count)
                format_set_align(f, LXW_ALIGN_CENTER);
            if (look == Amount)
                format_set_align(f, LXW_ALIGN_RIGHT);
            if (look == Count)
                format_set_num_format(f, "#,##0;(#,##0)");
            if (look == Amount)
                format_set_num_format(f, "#,##0.00_);(#,##0.00)");
            data[look][place] = f;
        }
    const double widths[12] = {6, 16, 14, 12, 12, 12, 11, 12, 14, 14, 14, 14};
    for (int c = 0; c < 12; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    worksheet_write_string(ws, 0, 0, "ทะเบียนใบเบิก", titles[0]);
    for (int c = 1; c < 12; ++c)
        worksheet_write_blank(ws, 0, lxw_col_t(c), across);
    worksheet_set_row(ws, 3, 18.8, headRow);
    const QStringList& h = g.headings.first();
    for (int c = 0; c < h.size(); ++c)
        worksheet_write_string(ws, 3, lxw_col_t(c), h[c].toUtf8().constData(), head);
    const int n = int(g.rows.size());
    for (int r = 0; r < n; ++r) {
        const QStringList& row = g.rows[r];
        const lxw_row_t at = lxw_row_t(r + 4);
        const int place = r == n - 1 ? 3 : r == n - 3 ? 2 : r == 0 ? 0 : 1;
        worksheet_set_row(ws, at, 18.8, twelve);
        for (int c = 0; c < row.size(); ++c) {
            QString v = row[c];
            lxw_format* f = data[lookOf[c]][place];
            if (c == 0)
                worksheet_write_number(ws, at, 0, v.toDouble(), f);
            else if (c == 7)
                worksheet_write_number(ws, at, 7, v.remove(QLatin1Char(',')).toDouble(), f);
            else {
                if (v.startsWith(QLatin1Char('\'')))
                    v.remove(0, 1);
                worksheet_write_string(ws, at, lxw_col_t(c), v.toUtf8().constData(), f);
            }
        }
    }
    worksheet_set_landscape(ws);
    worksheet_set_paper(ws, 9);
    worksheet_set_margins(ws, 20 / 72.0, 20 / 72.0, 70 / 72.0, 45 / 72.0);
    worksheet_set_header(ws, "&LPage &P From &N&R(Emp001)");
    worksheet_set_footer(ws, "&R&D &T");
    worksheet_fit_to_pages(ws, 1, 0);
    worksheet_repeat_rows(ws, 0, 4);
    if (workbook_close(wb) != LXW_NO_ERROR)
        throw AppError(QStringLiteral("cannot write %1").arg(path));
}

} // namespace

QVector<Comparison> reportComparisons(Database& db, BareSql& bare, const QString& year)
{
    const Rows busiest = db.select(QStringLiteral("SELECT Fact_Code, COUNT(*) AS n FROM T_PAY_Health WHERE ")
                                       + db.substr(QStringLiteral("Date_berg"), 7, 4)
                                       + QStringLiteral(" = ? GROUP BY Fact_Code ORDER BY n DESC, Fact_Code"),
                                   {year});
    if (busiest.isEmpty())
        throw AppError(QStringLiteral("no claims in %1: generate again").arg(year));
    const QString fact = busiest.text(0, QStringLiteral("Fact_Code"));
    Database* pdb = &db;
    BareSql* psql = &bare;
    QVector<Comparison> list;
    list.push_back({QStringLiteral("report: claims by month and faculty"), QStringLiteral("every year, claims not cancelled"),
                    reportSide([pdb] {
                        return reports::claimsByMonthFaculty(*pdb, Filters{{QStringLiteral("status"), QStringLiteral("normal")}});
                    }),
                    bareSide([psql] { return monthFacultyBare(*psql); }), true, nullptr, 101});
    list.push_back({QStringLiteral("report: claim register"), QStringLiteral("faculty %1, claimed in %2").arg(fact, year),
                    reportSide([pdb, fact, year] {
                        return reports::claimRegister(*pdb, Filters{{QStringLiteral("faculty"), QStringLiteral("one:") + fact},
                                                                    {QStringLiteral("claimed"), QStringLiteral("year:") + year},
                                                                    {QStringLiteral("status"), QStringLiteral("all")}});
                    }),
                    bareSide([psql, fact, year] { return registerBare(*psql, fact, year); }), true, nullptr, 101});
    list.push_back({QStringLiteral("report: family list"), QStringLiteral("every employee, 39 columns, by name"),
                    reportSide([pdb] { return reports::employeeFamilies(*pdb, Filters{}); }),
                    bareSide([psql] { return familiesBare(*psql); }), true, nullptr, 101});

    auto grid = std::make_shared<excel::GridTable>(exportGrid());
    const QString dir = QDir::tempPath();
    list.push_back({QStringLiteral("grid export"),
                    QStringLiteral("%1 rows of 12 columns to .xlsx, against libxlsxwriter called directly").arg(kExportRows),
                    Side{[grid, dir] {
                             excel::exportGrid(*grid, exportParams(), dir + QStringLiteral("/welmora-bench-export.xlsx"));
                         },
                         [] { return QString(); }},
                    Side{[grid, dir] { exportRaw(*grid, dir + QStringLiteral("/welmora-bench-raw.xlsx")); },
                         [] { return QString(); }},
                    false, nullptr, 3});
    return list;
}

} // namespace wel::bench
