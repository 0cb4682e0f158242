#include "claims/ClaimKind.h"
#include "common/db/SqlText.h"
#include "reports/ReportServices.h"
#include "reports/ReportSql.h"

#include "common/LikePattern.h"
#include "common/db/Database.h"
#include "personnel/PersonnelCommon.h"

#include <QHash>

namespace wel::reports {

namespace {

QString claimStatusText(const QString& status)
{
    const QString s = status.trimmed().toUpper();
    if (s == u"KV")
        return QStringLiteral("Velmarn");
    if (s == u"FC")
        return QStringLiteral("คณะ");
    if (s == u"NO")
        return QStringLiteral("ยกเลิก");
    return {};
}

QString yearOfFilter(const Filters& f, const QString& key)
{
    const Choice c = Choice::of(f.value(key));
    return c.kind == u"year" ? c.value : c.kind == u"all" ? QString() : c.kind;
}

QStringList withTotal(int columns, int labelColumn, const QString& label, int amountColumn, Money total)
{
    QStringList row(columns);
    row[labelColumn] = label;
    row[amountColumn] = amountText(total);
    return row;
}

} // namespace

ReportResult employeeRights(Database& db, const Filters& f)
{
    Where w;
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(QStringLiteral("Fact_code = ?"), {fact});
    const QString type = Choice::of(f.value(QStringLiteral("type"))).kind;
    if (type == u"1" || type == u"2" || type == u"3")
        w.add(QStringLiteral("Emp_H_Type = ?"), {type});
    const Rows rows = db.select(QStringLiteral("SELECT * FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A'%1 "
                                               "ORDER BY Fact_code, EMP_ID").arg(w.sql),
                                w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("รหัสประจำตัวประชาชน"), QStringLiteral("รหัสประจำตัวพนักงาน"),
                   QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"), QStringLiteral("ตำแหน่ง"),
                   QStringLiteral("ระดับ"), QStringLiteral("วันที่บรรจุ"), QStringLiteral("รูปแบบที่เลือก"),
                   QStringLiteral("วงเงินค่ารักษา"), QStringLiteral("สถานะพนักงาน")}};
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        r.rows.push_back({QString::number(i + 1), t("Emp_SSN"), t("EMP_ID"), t("Emp_Surname"), t("Emp_F_Name"),
                          t("Emp_L_Name"), t("Emp_Position"), t("Emp_Level"), t("Emp_In_date2"), t("Emp_H_Type"),
                          personnel::limitTextOf(t("Emp_H_Type")),
                          t("Emp_Status") == u"A" ? QStringLiteral("ปฎิบัติงานอยู่") : QStringLiteral("ออก")});
    }
    finishEmpty(r);
    return r;
}

ReportResult employeeFamilies(Database& db, const Filters& f)
{
    Where w;
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(QStringLiteral("h.Fact_code = ?"), {fact});
    const Choice name = Choice::of(f.value(QStringLiteral("name")));
    if (name.kind == u"name" && !name.value.isEmpty())
        w.add(QStringLiteral("h.Emp_F_Name LIKE ? ESCAPE '!'"), {likePrefix(name.value)});
    const QString order = Choice::of(f.value(QStringLiteral("order"))).kind;
    const QString orderBy = order == u"empid" ? QStringLiteral("h.EMP_ID")
                            : order == u"ssn" ? QStringLiteral("h.Emp_SSN")
                                              : db.thaiOrder(QStringLiteral("h.Emp_F_Name")) + QStringLiteral(", ") +
                                                    db.thaiOrder(QStringLiteral("h.Emp_L_Name"));
    const Rows emps = db.select(
        QStringLiteral("SELECT h.KV_ID, h.EMP_ID, h.Emp_Surname, h.Emp_F_Name, h.Emp_L_Name, h.Emp_Position, h.Emp_Level, "
                       "h.Emp_Fact, h.Emp_Dept_Name, h.Emp_In_date, h.Emp_SSN, h.Emp_H_Type "
                       "FROM T_Emp_Gov_Histry h WHERE h.KV_ID IS NOT NULL%1 ORDER BY %2, h.KV_ID").arg(w.sql, orderBy),
        w.params);
    // The members of every listed employee in one statement, not six per employee.
    const Rows folk = db.select(
        QStringLiteral("SELECT e.KV_ID, e.Emp_Folk, e.EF_SSN, e.EF_Surname, e.EF_F_Name, e.EF_L_Name, e.EF_Birthday "
                       "FROM T_Emp_Folk e INNER JOIN T_Emp_Gov_Histry h ON e.KV_ID = h.KV_ID "
                       "WHERE e.Emp_Folk IN ('1','2','3','4','5','6')%1").arg(w.sql),
        w.params);
    QHash<QString, int> member; // KV_ID + code -> row of folk
    for (int i = 0; i < folk.count(); ++i)
        member.insert(folk.text(i, QStringLiteral("KV_ID")) + u'|' + folk.text(i, QStringLiteral("Emp_Folk")), i);

    ReportResult r;
    QStringList h = {QStringLiteral("No. "), QStringLiteral("Emp ID"), QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"),
                     QStringLiteral("นามสกุล"), QStringLiteral("ตำแหน่ง"), QStringLiteral("ระดับ(P)"), QStringLiteral("สังกัด"),
                     QStringLiteral("ภาควิชา"), QStringLiteral("วันที่บรรจุ"), QStringLiteral("เลขประจำตัวประชาชน"),
                     QStringLiteral("รูปแบบที่เลือก")};
    const char* who[] = {"บิดา", "มารดา", "คู่สมรส"};
    for (int k = 1; k <= 3; ++k)
        h << QStringLiteral("Folk%1_SSN").arg(k) << QStringLiteral("คำนำหน้า")
          << QStringLiteral("ชื่อ") + QString::fromUtf8(who[k - 1]) << QStringLiteral("นามสกุล") + QString::fromUtf8(who[k - 1]);
    for (int k = 4; k <= 6; ++k) {
        const QString child = QStringLiteral("บุตรลำดับที่ %1").arg(k - 3);
        h << QStringLiteral("Folk%1_SSN").arg(k) << QStringLiteral("คำนำหน้า") << QStringLiteral("ชื่อ ") + child
          << QStringLiteral("นามสกุล") + child << QStringLiteral("วันเดือปีเกิด ") + child;
    }
    r.headings = {h};
    for (int i = 0; i < emps.count(); ++i) {
        auto t = [&](const char* c) { return emps.text(i, QString::fromLatin1(c)); };
        QStringList row = {QString::number(i + 1), t("EMP_ID"), t("Emp_Surname"), t("Emp_F_Name"), t("Emp_L_Name"),
                           t("Emp_Position"), t("Emp_Level"), t("Emp_Fact"), t("Emp_Dept_Name"), t("Emp_In_date"),
                           t("Emp_SSN"), t("Emp_H_Type")};
        for (int k = 1; k <= 6; ++k) {
            const int m = member.value(t("KV_ID") + u'|' + QString::number(k), -1);
            auto ft = [&](const char* c) { return m < 0 ? QString() : folk.text(m, QString::fromLatin1(c)); };
            row << ft("EF_SSN") << ft("EF_Surname") << ft("EF_F_Name") << ft("EF_L_Name");
            if (k >= 4)
                row << ft("EF_Birthday").trimmed(); // shown as stored, valid or not
        }
        r.rows.push_back(row);
    }
    finishEmpty(r);
    return r;
}

ReportResult educationClaims(Database& db, const Filters& f)
{
    Where w;
    w.add(QStringLiteral("p.Pay_Year = ?"), {yearOfFilter(f, QStringLiteral("year"))});
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(db.ciEquals(QStringLiteral("p.Fact_Code")), {fact});
    const QString order = Choice::of(f.value(QStringLiteral("order"))).kind;
    const QString orderBy = order == u"name" ? db.thaiOrder(QStringLiteral("h.Emp_F_Name")) + QStringLiteral(", ") +
                                                   db.thaiOrder(QStringLiteral("h.Emp_L_Name")) + QStringLiteral(", p.Berg_Doc_ID")
                            : order == u"empid" ? QStringLiteral("h.EMP_ID, p.Berg_Doc_ID")
                                                : QStringLiteral("p.Berg_Doc_ID");
    const Rows rows = db.select(
        QStringLiteral("SELECT h.EMP_ID, h.Emp_Surname, h.Emp_F_Name, h.Emp_L_Name, p.Berg_Doc_ID, p.Date_berg, "
                       "p.M_Can_Berg, p.Berg_Doc_Status, p.Fact_Code FROM T_PAY_Health p "
                       "LEFT OUTER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID "
                       "WHERE p.Health_In_Out_t = 'E' AND p.Berg_Doc_Status <> 'NO'%1 ORDER BY %2")
            .arg(w.sql, orderBy),
        w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("รหัสประจำตัวพนักงาน"),
                   QStringLiteral("ชื่อ-นามสกุล"), QStringLiteral("วันที่เบิก"), QStringLiteral("จำนวนเงิน"),
                   QStringLiteral("สถานภาพใบเบิก"), QStringLiteral("รหัสคณะ")}};
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        const Money m = rows.money(i, QStringLiteral("M_Can_Berg"));
        r.total += m;
        r.rows.push_back({QString::number(i + 1), t("Berg_Doc_ID"), t("EMP_ID"),
                          t("Emp_Surname") + t("Emp_F_Name") + QStringLiteral("  ") + t("Emp_L_Name"), t("Date_berg"),
                          amountText(m), claimStatusText(t("Berg_Doc_Status")), t("Fact_Code")});
    }
    if (!r.rows.isEmpty())
        r.rows.push_back(withTotal(8, 4, QStringLiteral("รวมทั้งสิ้น "), 5, r.total));
    finishEmpty(r);
    return r;
}

ReportResult flexibleBenefit(Database& db, const Filters& f)
{
    Where w;
    w.add(QStringLiteral("y.Pay_Year = ?"), {yearOfFilter(f, QStringLiteral("year"))});
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(QStringLiteral("h.Fact_code = ?"), {fact});
    w.add(QStringLiteral("y.M_Flexben > 0"));
    const Rows rows = db.select(
        QStringLiteral("SELECT h.KV_ID, h.EMP_ID, h.Emp_Surname, h.Emp_F_Name, h.Emp_L_Name, h.Emp_Dept_Name "
                       "FROM T_Emp_Gov_Histry h INNER JOIN T_Year_Cur_Health y ON h.KV_ID = y.KV_ID "
                       "WHERE 1 = 1%1 ORDER BY h.Fact_code, %2, %3, %4")
            .arg(w.sql, db.thaiOrder(QStringLiteral("h.Emp_Dept_Name")), db.thaiOrder(QStringLiteral("h.Emp_F_Name")),
                 db.thaiOrder(QStringLiteral("h.Emp_L_Name"))),
        w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("KV ID"), QStringLiteral("รหัสประจำตัวพนักงาน"),
                   QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"), QStringLiteral("ภาควิชา")}};
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        r.rows.push_back({QString::number(i + 1), t("KV_ID"), t("EMP_ID"), t("Emp_Surname"), t("Emp_F_Name"),
                          t("Emp_L_Name"), t("Emp_Dept_Name")});
    }
    finishEmpty(r);
    return r;
}

ReportResult claimsByWelfareKind(Database& db, const Filters& f)
{
    Where w;
    const Choice payYear = Choice::of(f.value(QStringLiteral("payyear")));
    if (payYear.kind == u"year")
        w.add(QStringLiteral("p.Pay_Year = ?"), {payYear.value});
    addBefore(w, db, QStringLiteral("p.Date_berg"), f.value(QStringLiteral("before")));
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(QStringLiteral("h.Fact_code = ?"), {fact});
    // Each welfare kind: the right type and the claim types it covers.
    const QString kind = Choice::of(f.value(QStringLiteral("kind"))).kind.left(1);
    const auto covers = [&](const QString& hType, const QStringList& types) {
        QVariantList params{hType};
        const QString in = sql::in(QStringLiteral("p.Berg_Type_Code"), types, params);
        w.add(QStringLiteral("h.Emp_H_Type = ? AND ") + in, params);
    };
    if (kind == u"1" || kind == u"2")
        covers(kind, claims::typesSentAs(claims::outpatient().identity.sentDocType));
    else if (kind == u"3")
        covers(QStringLiteral("2"), {claims::copay().identity.typeCode});
    else if (kind == u"4")
        covers(QStringLiteral("1"), {claims::education().identity.typeCode});
    const Rows rows = db.select(
        QStringLiteral("SELECT p.Berg_Doc_ID, h.EMP_ID, h.Emp_Surname, h.Emp_F_Name, h.Emp_L_Name, p.Date_berg, "
                       "p.M_Can_Berg, p.Berg_Doc_Status, p.Berg_Type_Code, p.Date_Ent, p.Pay_Year, h.Fact_code, "
                       "p.Health_In_Out_t FROM T_Emp_Gov_Histry h INNER JOIN T_PAY_Health p ON h.KV_ID = p.KV_ID "
                       "WHERE h.KV_ID IS NOT NULL AND p.Berg_Doc_Status <> 'NO'%1 ORDER BY p.Berg_Doc_ID")
            .arg(w.sql),
        w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("รหัสประจำตัวพนักงาน"),
                   QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"), QStringLiteral("วันที่เบิก"),
                   QStringLiteral("จำนวนเงินที่เบิก"), QStringLiteral("Berg_Doc_Status"), QStringLiteral("ประเภทใบเบิก"),
                   QStringLiteral("วันที่บันทึกข้อมูล"), QStringLiteral("Pay Year"), QStringLiteral("Fact Code"),
                   QStringLiteral("Health_In_Out_t")}};
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        const Money m = rows.money(i, QStringLiteral("M_Can_Berg"));
        r.total += m;
        r.rows.push_back({QString::number(i + 1), t("Berg_Doc_ID"), t("EMP_ID"), t("Emp_Surname"), t("Emp_F_Name"),
                          t("Emp_L_Name"), t("Date_berg"), amountText(m), t("Berg_Doc_Status"), t("Berg_Type_Code"),
                          t("Date_Ent"), t("Pay_Year"), t("Fact_code"), t("Health_In_Out_t")});
    }
    if (!r.rows.isEmpty())
        r.rows.push_back(withTotal(14, 6, QStringLiteral("รวมจำนวนเงิน"), 7, r.total));
    finishEmpty(r);
    return r;
}

namespace {

Where voucherWhere(Database& db, const Filters& f)
{
    Where w;
    addDateScope(w, db, QStringLiteral("v.Sent_Date"), f.value(QStringLiteral("recorded")));
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(db.ciEquals(QStringLiteral("v.Fact_Code")), {fact});
    const QString status = Choice::of(f.value(QStringLiteral("status"))).kind;
    if (status == u"normal")
        w.add(QStringLiteral("v.Sent_Doc_Status = 'A'"));
    else if (status == u"cancelled")
        w.add(QStringLiteral("v.Sent_Doc_Status = 'C'"));
    return w;
}

const QString kVoucherJoins = QStringLiteral(
    " FROM T_PV v LEFT OUTER JOIN T_PV_Detail pd ON v.PVR_NO = pd.PVR_NO "
    "LEFT OUTER JOIN T_Sent_KV s ON pd.Sent_KV_Doc_ID = s.Sent_KV_Doc_ID "
    "LEFT OUTER JOIN T_Sent_KV_Detail kd ON s.Sent_KV_Doc_ID = kd.Sent_KV_Doc_ID "
    "LEFT OUTER JOIN T_PAY_Health p ON s.Berg_Doc_ID = p.Berg_Doc_ID "
    "LEFT OUTER JOIN TR_Heal_Type t ON p.Health_In_Out_t = t.Health_In_Out_t WHERE v.PVR_NO IS NOT NULL");

const QString kVoucherColumns = QStringLiteral(
    "v.PVR_NO, v.Sent_Date, v.Dep_Sub_Doc_No, v.FN_Doc_No, v.FN_Doc_Date, v.PV_Doc_No, v.PV_date, v.Fact_Code, "
    "v.Sent_Doc_Status");

// An empty amount for a voucher summary without members, as listed.
QString sumText(const Rows& rows, int i)
{
    return rows.value(i, QStringLiteral("SUm_Mon")).isNull() ? QString() : amountText(rows.money(i, QStringLiteral("SUm_Mon")));
}

} // namespace

ReportResult voucherSummaries(Database& db, const Filters& f)
{
    const Where w = voucherWhere(db, f);
    const Rows rows = db.select(QStringLiteral("SELECT SUM(p.M_Can_Berg) AS SUm_Mon, %1%2%3 GROUP BY %1 ORDER BY v.PVR_NO")
                                    .arg(kVoucherColumns, kVoucherJoins, w.sql),
                                w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ PVR"), QStringLiteral("วันที่บันทึก PVR"), QStringLiteral("ยอดเงิน"),
                   QStringLiteral("เลขที่หน่วยงานย่อย"), QStringLiteral("เลขที่คลัง"), QStringLiteral("วันเดือนปี"),
                   QStringLiteral("เลขที่จ่าย"), QStringLiteral("วันที่จ่าย"), QStringLiteral("สถานะใบเบิก"), QStringLiteral("ส่วนงาน")}};
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        r.total += rows.money(i, QStringLiteral("SUm_Mon"));
        r.rows.push_back({QString::number(i + 1), t("PVR_NO"), t("Sent_Date"), sumText(rows, i), t("Dep_Sub_Doc_No"),
                          t("FN_Doc_No"), t("FN_Doc_Date"), t("PV_Doc_No"), t("PV_date"),
                          t("Sent_Doc_Status") == u"C" ? QStringLiteral("ยกเลิก") : QString(), t("Fact_Code").toUpper()});
    }
    if (!r.rows.isEmpty())
        r.rows.push_back(withTotal(11, 1, QStringLiteral("รวมจำนวนเงิน"), 3, r.total));
    finishEmpty(r);
    return r;
}

ReportResult voucherDetails(Database& db, const Filters& f)
{
    const Where w = voucherWhere(db, f);
    const QString group = kVoucherColumns + QStringLiteral(", pd.Sent_KV_Doc_ID, kd.Sent_Date, t.Health_Desc");
    const Rows rows = db.select(
        QStringLiteral("SELECT SUM(p.M_Can_Berg) AS SUm_Mon, %1, pd.Sent_KV_Doc_ID, kd.Sent_Date AS KV_Sent_Date, "
                       "t.Health_Desc%2%3 GROUP BY %4 ORDER BY v.PVR_NO, pd.Sent_KV_Doc_ID, t.Health_Desc")
            .arg(kVoucherColumns, kVoucherJoins, w.sql, group),
        w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("ส่วนงาน"), QStringLiteral("เลขที่ PVR"), QStringLiteral("วันที่บันทึก PVR"),
                   QStringLiteral("เลขที่หน่วยงานย่อย"), QStringLiteral("เลขที่คลัง"), QStringLiteral("วันเดือนปี"),
                   QStringLiteral("เลขที่จ่าย"), QStringLiteral("วันที่จ่าย"), QStringLiteral("สถานะใบเบิก"), QStringLiteral("No1"),
                   QStringLiteral("เลขที่ควบคุมใบเบิก"), QStringLiteral("ประเภทใบเบิก"),
                   QStringLiteral("วันที่สร้างใบควบคุมใบเบิก"), QStringLiteral("ยอดเงิน")}};
    QString current;
    int number = 0, within = 0;
    Money pvrTotal;
    auto closePvr = [&] {
        if (!current.isEmpty())
            r.rows.push_back(withTotal(15, 11, QStringLiteral("รวมใน PVR"), 14, pvrTotal));
    };
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        QStringList row(15);
        if (t("PVR_NO") != current || current.isEmpty()) {
            closePvr();
            current = t("PVR_NO");
            pvrTotal = Money();
            within = 0;
            row[0] = QString::number(++number);
            row[1] = t("Fact_Code").toUpper();
            row[2] = current;
            row[3] = t("Sent_Date");
            row[4] = t("Dep_Sub_Doc_No");
            row[5] = t("FN_Doc_No");
            row[6] = t("FN_Doc_Date");
            row[7] = t("PV_Doc_No");
            row[8] = t("PV_date");
            row[9] = t("Sent_Doc_Status") == u"C" ? QStringLiteral("ยกเลิก") : QString();
        }
        const Money m = rows.money(i, QStringLiteral("SUm_Mon"));
        pvrTotal += m;
        r.total += m;
        row[10] = QString::number(++within);
        row[11] = t("Sent_KV_Doc_ID");
        row[12] = t("Health_Desc");
        row[13] = t("KV_Sent_Date");
        row[14] = sumText(rows, i);
        r.rows.push_back(row);
    }
    closePvr();
    if (!r.rows.isEmpty())
        r.rows.push_back(withTotal(15, 11, QStringLiteral("รวมจำนวนเงิน"), 14, r.total));
    finishEmpty(r);
    return r;
}

} // namespace wel::reports
