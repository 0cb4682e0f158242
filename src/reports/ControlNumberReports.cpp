#include "claims/ClaimKind.h"
#include "common/db/SqlText.h"
#include "reports/ReportServices.h"
#include "reports/ReportSql.h"

#include "common/db/Database.h"

namespace wel::reports {

namespace {

QString claimStatusText(const QString& status)
{
    const QString s = status.trimmed().toUpper();
    if (s == u"KV")
        return QStringLiteral("มหาวิทยาลัย");
    if (s == u"FC")
        return QStringLiteral("คณะ");
    if (s == u"NO")
        return QStringLiteral("ยกเลิก");
    return {};
}

QString personName(const Rows& rows, int i, const QString& separator = QStringLiteral(" "))
{
    return rows.text(i, QStringLiteral("Emp_Surname")) + rows.text(i, QStringLiteral("Emp_F_Name")) + separator +
           rows.text(i, QStringLiteral("Emp_L_Name"));
}

} // namespace

ReportResult facultySent(Database& db, const Filters& f)
{
    Where w;
    addDateScope(w, db, QStringLiteral("d.Sent_Date"), f.value(QStringLiteral("sent")));
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(db.substr(QStringLiteral("s.Sent_KV_Doc_ID"), 14, 2) + QStringLiteral(" = ?"), {fact});
    const Rows rows = db.select(
        QStringLiteral("SELECT s.Sent_KV_Doc_ID, d.Sent_Date, d.Sent_Doc_Status, SUM(p.T_M_Berg) AS sum_M_Berg "
                       "FROM T_Sent_KV s LEFT OUTER JOIN T_PAY_Health p ON s.Berg_Doc_ID = p.Berg_Doc_ID "
                       "LEFT OUTER JOIN T_Sent_KV_Detail d ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                       "WHERE s.Sent_KV_Doc_ID IS NOT NULL%1 "
                       "GROUP BY d.Sent_Date, d.Sent_Doc_Status, s.Sent_KV_Doc_ID ORDER BY s.Sent_KV_Doc_ID")
            .arg(w.sql),
        w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ใบคุมใบเบิก"), QStringLiteral("วันทีส่งข้อมูล"),
                   QStringLiteral("จำนวนเงิน")}};
    for (int i = 0; i < rows.count(); ++i) {
        const Money m = rows.money(i, QStringLiteral("sum_M_Berg"));
        r.total += m;
        r.rows.push_back({QString::number(i + 1), rows.text(i, QStringLiteral("Sent_KV_Doc_ID")),
                          rows.text(i, QStringLiteral("Sent_Date")), amountText(m)});
    }
    finishEmpty(r);
    return r;
}

ReportResult facultySentMembers(Database& db, const QString& sentKvDocId)
{
    const Rows rows = db.select(
        QStringLiteral("SELECT p.Berg_Doc_ID, p.Date_berg, p.T_M_Berg, h.EMP_ID, h.Emp_Surname, h.Emp_F_Name, h.Emp_L_Name "
                       "FROM T_Sent_KV s LEFT OUTER JOIN T_PAY_Health p ON p.Berg_Doc_ID = s.Berg_Doc_ID "
                       "LEFT OUTER JOIN T_Emp_Gov_Histry h ON h.KV_ID = p.KV_ID "
                       "WHERE s.Sent_KV_Doc_ID = ? ORDER BY s.Berg_Doc_ID"),
        {sentKvDocId});
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("วันที่เบิก"),
                   QStringLiteral("รหัสประจำตัวพนักงาน"), QStringLiteral("ชื่อ-นามสกุล"), QStringLiteral("จำนวนเงินที่เบิก")}};
    for (int i = 0; i < rows.count(); ++i) {
        const Money m = rows.money(i, QStringLiteral("T_M_Berg"));
        r.total += m;
        r.rows.push_back({QString::number(i + 1), rows.text(i, QStringLiteral("Berg_Doc_ID")),
                          rows.text(i, QStringLiteral("Date_berg")), rows.text(i, QStringLiteral("EMP_ID")),
                          personName(rows, i), amountText(m)});
    }
    finishEmpty(r);
    return r;
}

Money claimRegisterRows(Database& db, const Filters& f, const RowSink& sink)
{
    Where w;
    addDateScope(w, db, QStringLiteral("p.Date_berg"), f.value(QStringLiteral("claimed")));
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(db.ciEquals(QStringLiteral("p.Fact_Code")), {fact});
    const QString status = Choice::of(f.value(QStringLiteral("status"))).kind;
    if (status == u"normal")
        w.add(QStringLiteral("p.Berg_Doc_Status <> 'NO'"));
    else if (status == u"cancelled")
        w.add(QStringLiteral("p.Berg_Doc_Status = 'NO'"));
    addDateScope(w, db, QStringLiteral("p.Date_Ent"), f.value(QStringLiteral("entered")));
    const Choice kind = Choice::of(f.value(QStringLiteral("kind")));
    if (kind.kind == u"one")
        w.add(QStringLiteral("p.Health_In_Out_t = ?"), {kind.value});
    const QString special = Choice::of(f.value(QStringLiteral("special"))).kind;
    if (special == u"cop")
        w.add(QStringLiteral("p.Berg_Type_Code = ?"), {claims::copay().identity.typeCode});
    else if (special == u"ovm")
        w.add(QStringLiteral("p.Berg_Type_Code = ?"), {claims::overLimit().identity.typeCode});
    sink.headings({{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("รหัสประจำตัวพนักงาน"),
                    QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"), QStringLiteral("วันที่เบิก"),
                    QStringLiteral("จำนวนเงินที่เบิก"), QStringLiteral("สถานะใบเบิก"), QStringLiteral("ประเภทใบเบิก"),
                    QStringLiteral("วันที่บันทึกข้อมูล"), QStringLiteral("Co-Pay/Normal/Over Money")}});
    Money total;
    int n = 0;
    // Read row by row: the register of every year is most of the database.
    db.forEachRow(
        QStringLiteral("SELECT p.Berg_Doc_ID, p.Date_berg, p.Date_Ent, p.M_Can_Berg, p.Berg_Doc_Status, p.Berg_Type_Code, "
                       "h.Emp_Surname, h.Emp_F_Name, h.Emp_L_Name, h.EMP_ID, t.Health_Desc "
                       "FROM T_PAY_Health p INNER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID "
                       "LEFT OUTER JOIN TR_Heal_Type t ON p.Health_In_Out_t = t.Health_In_Out_t "
                       "WHERE p.Berg_Doc_ID IS NOT NULL%1 ORDER BY %2, %3, %4, p.Berg_Doc_ID")
            .arg(w.sql, db.substr(QStringLiteral("p.Date_Ent"), 7, 4), db.substr(QStringLiteral("p.Date_Ent"), 4, 2),
                 db.substr(QStringLiteral("p.Date_Ent"), 1, 2)),
        w.params, [&](const QVector<QVariant>& v) {
            auto t = [&](int i) { return v[i].isNull() ? QString() : v[i].toString(); };
            const Money m = Money::fromVariant(v[3]);
            total += m;
            const claims::ClaimKind* kind = claims::kindOfType(t(5));
            sink.row({QString::number(++n), t(0), t(9), t(6), t(7), t(8), t(1), amountText(m),
                      claimStatusText(t(4)), t(10), t(2), (kind ? kind : &claims::outpatient())->identity.listingLabel});
        });
    if (n > 0) {
        QStringList closing(12);
        closing[6] = QStringLiteral("รวมจำนวนเงิน");
        closing[7] = amountText(total);
        sink.row(closing);
    }
    return total;
}

ReportResult claimRegister(Database& db, const Filters& f)
{
    ReportResult r;
    r.total = claimRegisterRows(db, f, {[&](const QList<QStringList>& h) { r.headings = h; },
                                        [&](const QStringList& row) { r.rows.push_back(row); }});
    finishEmpty(r);
    return r;
}

ReportResult controlNumberSummary(Database& db, const Filters& f)
{
    Where w;
    addDateScope(w, db, QStringLiteral("d.Sent_Date"), f.value(QStringLiteral("sent")));
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(db.ciEquals(QStringLiteral("d.Fact_Code")), {fact});
    const QString status = Choice::of(f.value(QStringLiteral("status"))).kind;
    if (status == u"normal")
        w.add(QStringLiteral("d.Sent_Doc_Status = 'A'"));
    else if (status == u"cancelled")
        w.add(QStringLiteral("d.Sent_Doc_Status = 'C'"));
    else if (status == u"voucher")
        w.add(QStringLiteral("d.Sent_Doc_Status = 'P'"));
    else if (status == u"open-or-voucher")
        w.add(QStringLiteral("d.Sent_Doc_Status = 'A' OR d.Sent_Doc_Status = 'P'"));
    const Choice kind = Choice::of(f.value(QStringLiteral("kind")));
    if (kind.kind == u"one")
        w.add(QStringLiteral("p.Health_In_Out_t = ?"), {kind.value});
    const Rows rows = db.select(
        QStringLiteral("SELECT d.Sent_KV_Doc_ID, d.Fact_Code, d.Sent_Doc_Type, d.Sent_Doc_Status, d.Sent_Time, d.Sent_Date, "
                       "SUM(p.M_Can_Berg) AS Sum_M, f.Fact_Name, p.Health_In_Out_t, t.Health_Desc "
                       "FROM T_Sent_KV s INNER JOIN T_Sent_KV_Detail d ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                       "INNER JOIN T_PAY_Health p ON s.Berg_Doc_ID = p.Berg_Doc_ID "
                       "INNER JOIN T_Fact f ON d.Fact_Code = f.Fact_Code "
                       "LEFT OUTER JOIN TR_Heal_Type t ON p.Health_In_Out_t = t.Health_In_Out_t "
                       "WHERE d.Sent_KV_Doc_ID IS NOT NULL%1 "
                       "GROUP BY d.Sent_KV_Doc_ID, d.Fact_Code, d.Sent_Doc_Type, d.Sent_Doc_Status, d.Sent_Time, "
                       "d.Sent_Date, f.Fact_Name, p.Health_In_Out_t, t.Health_Desc "
                       "ORDER BY d.Sent_KV_Doc_ID, p.Health_In_Out_t")
            .arg(w.sql),
        w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ควบคุมใบเบิก"), QStringLiteral("รหัสคณะ"),
                   QStringLiteral("ชื่อคณะ"), QStringLiteral("ประเภท"), QStringLiteral("จำนวนเงิน"),
                   QStringLiteral("วันทีส่งข้อมูล"), QStringLiteral("สถานะ"), QStringLiteral("คำอธิบายสถานะ")}};
    for (int i = 0; i < rows.count(); ++i) {
        const Money m = rows.money(i, QStringLiteral("Sum_M"));
        r.total += m;
        const QString s = rows.text(i, QStringLiteral("Sent_Doc_Status"));
        r.rows.push_back({QString::number(i + 1), rows.text(i, QStringLiteral("Sent_KV_Doc_ID")),
                          rows.text(i, QStringLiteral("Fact_Code")), rows.text(i, QStringLiteral("Fact_Name")),
                          rows.text(i, QStringLiteral("Health_Desc")), amountText(m),
                          rows.text(i, QStringLiteral("Sent_Date")), s,
                          s == u"P" ? QStringLiteral("ทำใบสำคัญจ่ายแล้ว") : s == u"C" ? QStringLiteral("ยกเลิก") : QString()});
    }
    finishEmpty(r);
    return r;
}

ReportResult controlNumberMembers(Database& db, const QString& sentKvDocId)
{
    const Rows rows = db.select(
        QStringLiteral("SELECT s.Berg_Doc_ID, p.Date_berg, p.M_Can_Berg, p.KV_ID, p.Pay_Year, h.EMP_ID, h.Emp_Surname, "
                       "h.Emp_F_Name, h.Emp_L_Name FROM T_Sent_KV s "
                       "LEFT OUTER JOIN T_Sent_KV_Detail d ON s.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                       "LEFT OUTER JOIN T_PAY_Health p ON s.Berg_Doc_ID = p.Berg_Doc_ID "
                       "LEFT OUTER JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID "
                       "WHERE d.Sent_KV_Doc_ID = ? ORDER BY s.Berg_Doc_ID"),
        {sentKvDocId});
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("สถานะ"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("วันที่เบิก"),
                   QStringLiteral("จำนวนเงินที่เบิก"), QStringLiteral("รหัสประจำตัวพนักงาน"), QStringLiteral("ชื่อ-นามสกุล"),
                   QStringLiteral("KV_ID"), QStringLiteral("Pay_Year")}};
    for (int i = 0; i < rows.count(); ++i) {
        const Money m = rows.money(i, QStringLiteral("M_Can_Berg"));
        r.total += m;
        r.rows.push_back({QString::number(i + 1), QString(), rows.text(i, QStringLiteral("Berg_Doc_ID")),
                          rows.text(i, QStringLiteral("Date_berg")), amountText(m), rows.text(i, QStringLiteral("EMP_ID")),
                          personName(rows, i), rows.text(i, QStringLiteral("KV_ID")), rows.text(i, QStringLiteral("Pay_Year"))});
    }
    finishEmpty(r);
    return r;
}

ReportResult claimLinesByPatient(Database& db, const Filters& f)
{
    Where w;
    const Choice year = Choice::of(f.value(QStringLiteral("year")));
    if (year.kind == u"year")
        w.add(QStringLiteral("p.Pay_Year = ?"), {year.value});
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(db.ciEquals(QStringLiteral("p.Fact_Code")), {fact});
    const QString type = Choice::of(f.value(QStringLiteral("type"), QStringLiteral("0"))).kind;
    if (!type.isEmpty() && type != u"0" && type != u"all")
        w.add(QStringLiteral("h.Emp_H_Type = ?"), {type});
    const Choice folk = Choice::of(f.value(QStringLiteral("folk")));
    if (folk.kind == u"one")
        w.add(QStringLiteral("d.Emp_Folk = ?"), {folk.value});
    const Choice claimType = Choice::of(f.value(QStringLiteral("claimtype")));
    if (claimType.kind == u"one") {
        // A medical type stands for every kind whose control numbers are
        // medical ones (the outpatient and the hospital's claims).
        const QString code = claimType.value.left(3).toUpper();
        const claims::ClaimKind* chosen = claims::kindOfType(code);
        const QString medical = claims::outpatient().identity.sentDocType;
        const QStringList types =
            chosen && chosen->identity.sentDocType == medical ? claims::typesSentAs(medical) : QStringList{code};
        QVariantList params;
        const QString in = sql::in(QStringLiteral("p.Berg_Type_Code"), types, params);
        w.add(in, params);
    }
    const Rows rows = db.select(
        QStringLiteral("SELECT p.Berg_Doc_ID, p.Berg_Doc_Status, h.KV_ID, p.Pay_Year, h.Emp_Surname, h.Emp_F_Name, "
                       "h.Emp_L_Name, p.Fact_Code, f.Fact_Name, h.Emp_H_Type, d.Emp_Folk, r.Folk_name, p.Berg_Type_Code, "
                       "d.M_Berg, d.HM_Can_Berg FROM T_PAY_Health p "
                       "LEFT JOIN T_Pay_Health_Detail d ON p.Berg_Doc_ID = d.Berg_Doc_ID "
                       "LEFT JOIN T_Fact f ON p.Fact_Code = f.Fact_Code "
                       "LEFT JOIN Tr_Folk r ON d.Emp_Folk = r.Emp_Folk "
                       "LEFT JOIN T_Emp_Gov_Histry h ON p.KV_ID = h.KV_ID "
                       "WHERE p.Berg_Doc_Status <> 'NO'%1 "
                       "ORDER BY p.Pay_Year, p.Fact_Code, %2, %3, p.Berg_Doc_ID, d.Emp_Folk")
            .arg(w.sql, db.thaiOrder(QStringLiteral("h.Emp_F_Name")), db.thaiOrder(QStringLiteral("h.Emp_L_Name"))),
        w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("สถานะใบเบิก"), QStringLiteral("KV ID"),
                   QStringLiteral("ปีที่ตัดเงิน"), QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"),
                   QStringLiteral("รหัสคณะ"), QStringLiteral("ชื่อคณะ"), QStringLiteral("ประเภทสิทธิ"), QStringLiteral("รหัสญาติ"),
                   QStringLiteral("ความหมายรหัสญาติ"), QStringLiteral("ประเภทค่ารักษาที่เบิก"), QStringLiteral("จำนวนเงินที่เบิก"),
                   QStringLiteral("จำนวนเงินที่สามารถเบิกได้")}};
    for (int i = 0; i < rows.count(); ++i) {
        const Money can = rows.money(i, QStringLiteral("HM_Can_Berg"));
        r.total += can;
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        r.rows.push_back({QString::number(i + 1), t("Berg_Doc_ID"), t("Berg_Doc_Status"), t("KV_ID"), t("Pay_Year"),
                          t("Emp_Surname"), t("Emp_F_Name"), t("Emp_L_Name"), t("Fact_Code"), t("Fact_Name"),
                          t("Emp_H_Type"), t("Emp_Folk"), t("Folk_name"), t("Berg_Type_Code"),
                          amountText(rows.money(i, QStringLiteral("M_Berg"))), amountText(can)});
    }
    finishEmpty(r);
    return r;
}

} // namespace wel::reports
