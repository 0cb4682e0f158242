#include "reports/ControlBreak.h"
#include "reports/ReportServices.h"
#include "reports/ReportSql.h"

#include "common/db/Database.h"

namespace wel::reports {

namespace {

const QStringList kPairs = {QStringLiteral("คนไข้นอก"), QStringLiteral("คนไข้ใน"), QStringLiteral("ค่าเล่าเรียนบุตร"),
                            QStringLiteral("สวัสดิการอื่น ๆ"), QStringLiteral("รวม")};

// The category column of a claim kind's group ('0', '1', 'E', 'O').
int categoryOf(const QString& otherCode)
{
    static const QStringList codes = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("E"),
                                      QStringLiteral("O")};
    return int(codes.indexOf(otherCode.trimmed().toUpper()));
}

// Two heading rows: the leading headings and each pair's name over its
// "จำนวนคน" / "จำนวนเงิน " cells.
void pairHeadings(ReportResult& r, const QStringList& leading)
{
    QStringList top = leading, sub;
    for (int i = 0; i < leading.size(); ++i)
        sub << QString();
    for (const QString& p : kPairs) {
        top << p << QString();
        sub << QStringLiteral("จำนวนคน") << QStringLiteral("จำนวนเงิน ");
    }
    r.headings = {top, sub};
}

QStringList pairCells(const PairTotals& t)
{
    QStringList cells;
    for (int i = 0; i <= 4; ++i)
        cells << countText(t.counts[size_t(i)]) << amountText(t.amounts[size_t(i)]);
    return cells;
}

void addClaimStatus(Where& w, const QString& status)
{
    const QString s = Choice::of(status).kind;
    if (s == u"normal")
        w.add(QStringLiteral("p.Berg_Doc_Status <> 'NO'"));
    else if (s == u"cancelled")
        w.add(QStringLiteral("p.Berg_Doc_Status = 'NO'"));
    else if (s == u"fc")
        w.add(QStringLiteral("p.Berg_Doc_Status = 'FC'"));
    else if (s == u"kv")
        w.add(QStringLiteral("p.Berg_Doc_Status = 'KV'"));
}

// "mm/yyyy" of a (year, month) key "yyyy/mm".
QString monthLabel(const QString& key)
{
    return key.mid(5, 2) + u'/' + key.left(4);
}

QString yearFilterValue(const QString& filter)
{
    const Choice c = Choice::of(filter);
    return c.kind == u"year" ? c.value : QString();
}

} // namespace

ReportResult claimsByMonth(Database& db, const Filters& f)
{
    Where w;
    addClaimStatus(w, f.value(QStringLiteral("status"), QStringLiteral("normal")));
    const QString year = yearFilterValue(f.value(QStringLiteral("year")));
    if (!year.isEmpty())
        w.add(db.substr(QStringLiteral("p.Date_Ent"), 7, 4) + QStringLiteral(" = ?"), {year});
    const QString y = db.substr(QStringLiteral("p.Date_Ent"), 7, 4), m = db.substr(QStringLiteral("p.Date_Ent"), 4, 2);
    const Rows rows = db.select(
        QStringLiteral("SELECT %1 AS Year_1, %2 AS M_Heal, t.Health_Other_Code, COUNT(p.KV_ID) AS NO_Per, "
                       "SUM(p.M_Can_Berg) AS Sum_Money FROM T_PAY_Health p LEFT OUTER JOIN TR_Heal_Type t "
                       "ON p.Health_In_Out_t = t.Health_In_Out_t WHERE p.Berg_Doc_ID IS NOT NULL%3 "
                       "GROUP BY %1, %2, t.Health_Other_Code ORDER BY 1, 2")
            .arg(y, m, w.sql),
        w.params);
    QVector<BreakInput> in;
    for (int i = 0; i < rows.count(); ++i)
        in.push_back({{rows.text(i, QStringLiteral("Year_1")) + u'/' + rows.text(i, QStringLiteral("M_Heal"))},
                      categoryOf(rows.text(i, QStringLiteral("Health_Other_Code"))),
                      rows.integer(i, QStringLiteral("NO_Per")), rows.money(i, QStringLiteral("Sum_Money"))});
    ReportResult r;
    pairHeadings(r, {QStringLiteral("No"), QStringLiteral("เดือนปี")});
    for (const BreakRow& b : controlBreak(in, {}))
        switch (b.kind) {
        case BreakRow::Group: r.rows.push_back(QStringList{QString::number(b.number), monthLabel(b.keys[0])} + pairCells(b.totals)); break;
        case BreakRow::Blank: r.rows.push_back(QStringList(12)); break;
        case BreakRow::GrandTotal: r.rows.push_back(QStringList{QString(), QStringLiteral("รวมทั้งสิ้น")} + pairCells(b.totals)); break;
        case BreakRow::Subtotal: break;
        }
    finishEmpty(r);
    return r;
}

namespace {

Rows facultyClaims(Database& db, const Filters& f, bool byMonth)
{
    Where w;
    if (byMonth) {
        const QString year = yearFilterValue(f.value(QStringLiteral("year")));
        if (!year.isEmpty())
            w.add(db.substr(QStringLiteral("p.Date_Ent"), 7, 4) + QStringLiteral(" = ?"), {year});
    }
    addClaimStatus(w, f.value(QStringLiteral("status"), QStringLiteral("normal")));
    const QString y = db.substr(QStringLiteral("p.Date_Ent"), 7, 4), m = db.substr(QStringLiteral("p.Date_Ent"), 4, 2);
    const QString from = QStringLiteral(
        " FROM T_PAY_Health p LEFT OUTER JOIN TR_Heal_Type t ON p.Health_In_Out_t = t.Health_In_Out_t "
        "LEFT OUTER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID "
        "LEFT OUTER JOIN T_Fact f ON h.Fact_code = f.Fact_Code WHERE p.Berg_Doc_ID IS NOT NULL");
    if (byMonth)
        return db.select(QStringLiteral("SELECT %1 AS Year_1, %2 AS M_Heal, h.Fact_code, f.Fact_Name, "
                                        "COUNT(p.Berg_Doc_ID) AS NO_Per, SUM(p.M_Can_Berg) AS Sum_Money, "
                                        "t.Health_Other_Code%3%4 GROUP BY %1, %2, h.Fact_code, f.Fact_Name, "
                                        "t.Health_Other_Code ORDER BY 1, 2, 3")
                             .arg(y, m, from, w.sql),
                         w.params);
    return db.select(QStringLiteral("SELECT %1 AS Year_1, COUNT(p.Berg_Doc_ID) AS NO_Per, SUM(p.M_Can_Berg) AS Sum_Money, "
                                    "t.Health_Other_Code%2%3 GROUP BY %1, t.Health_Other_Code ORDER BY 1")
                         .arg(y, from, w.sql),
                     w.params);
}

} // namespace

ReportResult claimsByMonthFaculty(Database& db, const Filters& f)
{
    const Rows rows = facultyClaims(db, f, true);
    QVector<BreakInput> in;
    for (int i = 0; i < rows.count(); ++i)
        in.push_back({{rows.text(i, QStringLiteral("Year_1")) + u'/' + rows.text(i, QStringLiteral("M_Heal")),
                       rows.text(i, QStringLiteral("Fact_code")), rows.text(i, QStringLiteral("Fact_Name"))},
                      categoryOf(rows.text(i, QStringLiteral("Health_Other_Code"))),
                      rows.integer(i, QStringLiteral("NO_Per")), rows.money(i, QStringLiteral("Sum_Money"))});
    ReportResult r;
    pairHeadings(r, {QStringLiteral("No"), QStringLiteral("เดือนปี"), QStringLiteral("รหัสคณะ"), QStringLiteral("ชื่อคณะ")});
    BreakOptions o;
    o.subtotals = true;
    for (const BreakRow& b : controlBreak(in, o))
        switch (b.kind) {
        case BreakRow::Group:
            r.rows.push_back(QStringList{QString::number(b.number), monthLabel(b.keys[0]), b.keys[1], b.keys[2]} +
                             pairCells(b.totals));
            break;
        case BreakRow::Subtotal:
            r.rows.push_back(QStringList{QString(), QString(), QStringLiteral("รวม "), QString()} + pairCells(b.totals));
            break;
        case BreakRow::Blank: r.rows.push_back(QStringList(14)); break;
        case BreakRow::GrandTotal:
            r.rows.push_back(QStringList{QString(), QString(), QStringLiteral("รวมทั้งสิ้น"), QString()} + pairCells(b.totals));
            break;
        }
    finishEmpty(r);
    return r;
}

ReportResult claimsByYear(Database& db, const Filters& f)
{
    const Rows rows = facultyClaims(db, f, false);
    QVector<BreakInput> in;
    for (int i = 0; i < rows.count(); ++i)
        in.push_back({{rows.text(i, QStringLiteral("Year_1"))},
                      categoryOf(rows.text(i, QStringLiteral("Health_Other_Code"))),
                      rows.integer(i, QStringLiteral("NO_Per")), rows.money(i, QStringLiteral("Sum_Money"))});
    ReportResult r;
    pairHeadings(r, {QStringLiteral("No"), QStringLiteral("ปี"), QStringLiteral("-"), QStringLiteral("-")});
    for (const BreakRow& b : controlBreak(in, {}))
        switch (b.kind) {
        case BreakRow::Group:
            r.rows.push_back(QStringList{QString::number(b.number), b.keys[0], QStringLiteral("-"), QString()} + pairCells(b.totals));
            break;
        case BreakRow::Blank: r.rows.push_back(QStringList(14)); break;
        case BreakRow::GrandTotal:
            r.rows.push_back(QStringList{QString(), QString(), QStringLiteral("รวมทั้งสิ้น"), QString()} + pairCells(b.totals));
            break;
        case BreakRow::Subtotal: break;
        }
    finishEmpty(r);
    return r;
}

ReportResult sentByMonth(Database& db, const Filters& f)
{
    Where w;
    const QString status = Choice::of(f.value(QStringLiteral("status"), QStringLiteral("normal"))).kind;
    if (status == u"normal")
        w.add(QStringLiteral("d.Sent_Doc_Status = 'A'"));
    else if (status == u"cancelled")
        w.add(QStringLiteral("d.Sent_Doc_Status = 'C'"));
    const QString year = yearFilterValue(f.value(QStringLiteral("year")));
    if (!year.isEmpty())
        w.add(db.substr(QStringLiteral("d.Sent_Date"), 7, 4) + QStringLiteral(" = ?"), {year});
    const QString y = db.substr(QStringLiteral("d.Sent_Date"), 7, 4), m = db.substr(QStringLiteral("d.Sent_Date"), 4, 2);
    const Rows rows = db.select(
        QStringLiteral("SELECT %1 AS Year_1, %2 AS M_Heal, t.Health_Other_Code, COUNT(DISTINCT s.Sent_KV_Doc_ID) AS NO_Per, "
                       "SUM(p.M_Can_Berg) AS Sum_Money FROM T_Sent_KV s "
                       "INNER JOIN T_Sent_KV_Detail d ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                       "INNER JOIN T_PAY_Health p ON s.Berg_Doc_ID = p.Berg_Doc_ID "
                       "LEFT OUTER JOIN TR_Heal_Type t ON p.Health_In_Out_t = t.Health_In_Out_t "
                       "WHERE d.Sent_KV_Doc_ID IS NOT NULL%3 GROUP BY %1, %2, t.Health_Other_Code ORDER BY 1, 2")
            .arg(y, m, w.sql),
        w.params);
    QVector<BreakInput> in;
    for (int i = 0; i < rows.count(); ++i)
        in.push_back({{rows.text(i, QStringLiteral("Year_1")) + u'/' + rows.text(i, QStringLiteral("M_Heal"))},
                      categoryOf(rows.text(i, QStringLiteral("Health_Other_Code"))),
                      rows.integer(i, QStringLiteral("NO_Per")), rows.money(i, QStringLiteral("Sum_Money"))});
    ReportResult r;
    pairHeadings(r, {QStringLiteral("No"), QStringLiteral("เดือนปี")});
    BreakOptions o;
    o.grandTotal = false;
    for (const BreakRow& b : controlBreak(in, o))
        if (b.kind == BreakRow::Group)
            r.rows.push_back(QStringList{QString::number(b.number), monthLabel(b.keys[0])} + pairCells(b.totals));
    finishEmpty(r);
    return r;
}

ReportResult employeesByRightType(Database& db, const Filters&)
{
    // COUNT(*): an employee whose right type is empty still counts, under type 3.
    const Rows rows = db.select(QStringLiteral(
        "SELECT h.Fact_code, f.Fact_Name, h.Emp_H_Type, COUNT(*) AS C_Emp_H_Type FROM T_Emp_Gov_Histry h "
        "LEFT OUTER JOIN T_Fact f ON h.Fact_code = f.Fact_Code WHERE h.Emp_Status = 'A' "
        "GROUP BY h.Fact_code, h.Emp_H_Type, f.Fact_Name ORDER BY h.Fact_code, h.Emp_H_Type"));
    QVector<BreakInput> in;
    for (int i = 0; i < rows.count(); ++i) {
        const QString type = rows.text(i, QStringLiteral("Emp_H_Type")).trimmed();
        const int category = type == u"1" ? 0 : type == u"2" ? 1 : 2;
        in.push_back({{rows.text(i, QStringLiteral("Fact_code")), rows.text(i, QStringLiteral("Fact_Name"))}, category,
                      rows.integer(i, QStringLiteral("C_Emp_H_Type")), Money()});
    }
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("รหัสคณะ"), QStringLiteral("ชื่อคณะ"), QStringLiteral("เลือกประเภท 1 "),
                   QStringLiteral("เลือกประเภท 2"), QStringLiteral("เลือกประเภท 3"), QStringLiteral("รวม")}};
    BreakOptions o;
    o.categories = 3;
    o.grandTotal = false;
    for (const BreakRow& b : controlBreak(in, o))
        if (b.kind == BreakRow::Group)
            r.rows.push_back({QString::number(b.number), b.keys[0], b.keys[1], countText(b.totals.counts[0]),
                              countText(b.totals.counts[1]), countText(b.totals.counts[2]), countText(b.totals.counts[3])});
    finishEmpty(r);
    return r;
}

} // namespace wel::reports
