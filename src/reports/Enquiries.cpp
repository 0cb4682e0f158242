#include "reports/Enquiries.h"
#include "claims/ClaimKind.h"
#include "common/db/SqlText.h"
#include "reports/ReportSql.h"

#include "common/AppError.h"
#include "common/LikePattern.h"
#include "common/Limits.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "personnel/PersonnelCommon.h"

namespace wel::reports {

namespace {

QString valueOf(const Filters& f, const QString& key)
{
    const Choice c = Choice::of(f.value(key));
    return c.value.isEmpty() ? c.kind : c.value;
}

QString statusText(const QString& status)
{
    const QString s = status.trimmed().toUpper();
    if (s == u"FC")
        return QStringLiteral("คณะ");
    if (s == u"KV")
        return QStringLiteral("มหาวิทยาลัย");
    return {};
}

// The employee a history is asked for, with his title facts. Without one the
// history is the empty grid a screen opens with.
void employeeFacts(Database& db, const QString& kvId, ReportResult& r)
{
    if (kvId.isEmpty())
        return;
    const Rows e = db.select(QStringLiteral("SELECT EMP_ID, Emp_Surname, Emp_F_Name, Emp_L_Name, Emp_Position "
                                            "FROM T_Emp_Gov_Histry WHERE KV_ID = ?"),
                             {kvId});
    if (e.isEmpty())
        throw AppError(kNotFound);
    r.titleFacts.insert(kFactEmpId, e.text(0, QStringLiteral("EMP_ID")));
    r.titleFacts.insert(kFactName, e.text(0, QStringLiteral("Emp_Surname")) + e.text(0, QStringLiteral("Emp_F_Name")) +
                                       u' ' + e.text(0, QStringLiteral("Emp_L_Name")));
    r.titleFacts.insert(kFactPosition, e.text(0, QStringLiteral("Emp_Position")));
}

// The twelve columns of a medical or co-pay history and its two closing rows.
ReportResult claimLineHistory(Database& db, const Filters& f, const QStringList& types)
{
    const QString kvId = valueOf(f, QStringLiteral("employee"));
    const QString year = valueOf(f, QStringLiteral("year"));
    ReportResult r;
    employeeFacts(db, kvId, r);
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่เบิก"), QStringLiteral("ประเภทคนไข้"), QStringLiteral("ตนเอง"),
                   QStringLiteral("บิดา"), QStringLiteral("มารดา"), QStringLiteral("คู่สมรส"), QStringLiteral("บุตรลำดับ 1"),
                   QStringLiteral("บุตรลำดับ 2"), QStringLiteral("บุตรลำดับ 3"), QStringLiteral("วันที่เบิก"),
                   QStringLiteral("สถานะใบเบิก")}};
    const QString d = QStringLiteral("h.Date_berg");
    QVariantList params{kvId, year};
    const QString typeCondition = sql::in(QStringLiteral("h.Berg_Type_Code"), types, params);
    // Claims in the order they were dated: year, month and day of the text.
    const Rows rows = db.select(
        QStringLiteral("SELECT h.Berg_Doc_ID, h.Health_In_Out_t, h.Date_berg, h.Berg_Doc_Status, d.Emp_Folk, "
                       "d.HM_Can_Berg FROM T_PAY_Health h INNER JOIN T_Pay_Health_Detail d "
                       "ON h.Berg_Doc_ID = d.Berg_Doc_ID "
                       "WHERE h.KV_ID = ? AND h.Pay_Year = ? AND h.Berg_Doc_Status IN ('FC', 'KV') AND %1 "
                       "ORDER BY %2, %3, %4, h.Berg_Doc_ID, d.Emp_Folk")
            .arg(typeCondition, db.substr(d, 7, 4), db.substr(d, 4, 2), db.substr(d, 1, 2)),
        params);
    // Self, father, mother, spouse, then the children together.
    Money persons[4], children, grand;
    for (int i = 0; i < rows.count(); ++i) {
        QStringList row(12, QStringLiteral("0"));
        row[0] = QString::number(i + 1);
        row[1] = rows.text(i, QStringLiteral("Berg_Doc_ID"));
        row[2] = TrimBlanks(rows.text(i, QStringLiteral("Health_In_Out_t"))) == u"0" ? QStringLiteral("คนไข้นอก")
                                                                                   : QStringLiteral("คนไข้ใน");
        const Money amount = rows.money(i, QStringLiteral("HM_Can_Berg"));
        bool ok = false;
        const int folk = TrimBlanks(rows.text(i, QStringLiteral("Emp_Folk"))).toInt(&ok);
        // The fourth child is the third child's twin: shown with the third.
        const int column = !ok || folk < 0 || folk > 7 ? -1 : 3 + qMin(folk, 6);
        if (column >= 0)
            row[column] = amountText(amount);
        if (ok && folk >= 0 && folk <= 3)
            persons[folk] += amount;
        else if (ok && folk >= 4 && folk <= 7)
            children += amount;
        grand += amount;
        row[10] = rows.text(i, QStringLiteral("Date_berg"));
        row[11] = statusText(rows.text(i, QStringLiteral("Berg_Doc_Status")));
        r.rows.push_back(row);
    }
    r.empty = r.rows.isEmpty();
    QStringList total(12);
    total[2] = QStringLiteral("รวม");
    for (int k = 0; k < 4; ++k)
        total[3 + k] = amountText(persons[k]);
    total[7] = amountText(children);
    QStringList all(12);
    all[6] = QStringLiteral("รวมทั้งสิ้น");
    all[7] = amountText(grand);
    r.rows << total << all;
    r.total = grand;
    return r;
}

} // namespace

ReportResult medicalHistory(Database& db, const Filters& f)
{
    return claimLineHistory(db, f, claims::typesSentAs(claims::outpatient().identity.sentDocType));
}

ReportResult copayHistory(Database& db, const Filters& f)
{
    return claimLineHistory(db, f, {claims::copay().identity.typeCode});
}

ReportResult educationHistory(Database& db, const Filters& f)
{
    const QString kvId = valueOf(f, QStringLiteral("employee"));
    const QString year = valueOf(f, QStringLiteral("year"));
    ReportResult r;
    employeeFacts(db, kvId, r);
    r.headings = {{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("ชื่อ-นามสกุล"),
                   QStringLiteral("จำนวนเงินที่เบิก"), QStringLiteral("วันเดือนปีเกิด"), QStringLiteral("ระดับการศึกษา"),
                   QStringLiteral("ภาคเรียนที่"), QStringLiteral("ปีการศึกษา"), QStringLiteral("ชื่อสถานศึกษา")}};
    const Rows rows = db.select(
        QStringLiteral("SELECT r.Berg_Doc_ID, r.Order_Doc, r.EF_Surname, r.EF_F_Name, r.EF_L_Name, r.P_money, "
                       "r.EF_Birthday, r.Edu_Level, r.Edu_Term, r.Edu_Year, r.School_Name "
                       "FROM T_PAY_Health h INNER JOIN T_Reciept r ON h.Berg_Doc_ID = r.Berg_Doc_ID "
                       "WHERE h.Health_In_Out_t = 'E' AND h.KV_ID = ? AND h.Pay_Year = ? AND h.Berg_Doc_Status <> 'NO' "
                       "ORDER BY r.Berg_Doc_ID, r.Order_Doc"),
        {kvId, year});
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        const Money paid = rows.money(i, QStringLiteral("P_money"));
        r.total += paid;
        r.rows.push_back({QString::number(i + 1), t("Berg_Doc_ID"), t("EF_Surname") + t("EF_F_Name") + QStringLiteral("  ") + t("EF_L_Name"),
                          amountText(paid), t("EF_Birthday").trimmed(), t("Edu_Level"), t("Edu_Term"), t("Edu_Year"),
                          t("School_Name")});
    }
    finishEmpty(r);
    return r;
}

ReportResult employeeList(Database& db, const Filters& f)
{
    Where w;
    const QString fact = facultyOf(f.value(QStringLiteral("faculty")));
    if (!fact.isEmpty())
        w.add(db.ciEquals(QStringLiteral("Fact_code")), {fact});
    const QString type = Choice::of(f.value(QStringLiteral("type"))).kind;
    if (type == u"1" || type == u"2" || type == u"3")
        w.add(QStringLiteral("Emp_H_Type = ?"), {type});
    const Choice first = Choice::of(f.value(QStringLiteral("name")));
    if (first.kind == u"name")
        w.add(QStringLiteral("Emp_F_Name LIKE ? ESCAPE '!'"), {likePrefix(first.value)});
    const Choice last = Choice::of(f.value(QStringLiteral("surname")));
    if (last.kind == u"surname")
        w.add(QStringLiteral("Emp_L_Name LIKE ? ESCAPE '!'"), {likePrefix(last.value)});
    const Rows rows = db.select(QStringLiteral("SELECT * FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A'%1 "
                                               "ORDER BY Fact_code, EMP_ID").arg(w.sql),
                                w.params);
    ReportResult r;
    r.headings = {{QStringLiteral("No"), QStringLiteral("รหัสประจำตัวประชาชน"), QStringLiteral("รหัสประจำตัวพนักงาน"),
                   QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"), QStringLiteral("ตำแหน่ง"),
                   QStringLiteral("ระดับ"), QStringLiteral("วันที่บรรจุ"), QStringLiteral("รูปแบบที่เลือก"),
                   QStringLiteral("วงเงินค่ารักษา"), QStringLiteral("ส่วนงาน")}};
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        r.rows.push_back({QString::number(i + 1), t("Emp_SSN"), t("EMP_ID"), t("Emp_Surname"), t("Emp_F_Name"),
                          t("Emp_L_Name"), t("Emp_Position"), t("Emp_Level"), t("Emp_In_date2"), t("Emp_H_Type"),
                          personnel::limitTextOf(t("Emp_H_Type")), t("Fact_code")});
    }
    finishEmpty(r);
    return r;
}

QString historyLimitText(const QString& hType)
{
    const RightTypeLimit* l = rightTypeLimit(hType);
    return l ? l->listText : QString();
}

QString educationLimitText(const QString& hType)
{
    return knownOrTypeTwo(hType).formText;
}

LimitBlock limitBlock(Database& db, const QString& kvId, const QString& payYear, const QString& hType, LimitKind kind)
{
    const RightTypeLimit* type = rightTypeLimit(hType);
    const Rows y = db.select(QStringLiteral("SELECT Fact_T_H_Money, Fact_T_U_H, M_Flexben, Fact_T_Copay, Fact_U_Copay "
                                            "FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?"),
                             {kvId, payYear});
    LimitBlock b;
    if (kind == LimitKind::Medical) {
        if (y.isEmpty()) {
            b.limit = b.remaining = historyLimitText(hType);
            b.flexibleBenefit = b.claimed = QStringLiteral("0");
        } else {
            const Money h = y.money(0, QStringLiteral("Fact_T_H_Money")), u = y.money(0, QStringLiteral("Fact_T_U_H")),
                        flex = y.money(0, QStringLiteral("M_Flexben"));
            b.limit = amountText(h);
            b.flexibleBenefit = amountText(flex);
            b.claimed = amountText(u);
            b.remaining = amountText(h - u - flex);
        }
    } else if (y.isEmpty()) {
        b.limit = b.remaining = wholeBahtText(typeTwo().copay);
        b.claimed = QStringLiteral("0");
    } else {
        const Money h = y.money(0, QStringLiteral("Fact_T_Copay")), u = y.money(0, QStringLiteral("Fact_U_Copay"));
        b.limit = amountText(h);
        b.claimed = amountText(u);
        b.remaining = amountText(h - u);
    }
    // The amount that stands for "no limit" is no figure to show a clerk. A
    // row keeps the limit it was made with, whatever the right type is now.
    const bool unlimited = kind == LimitKind::Medical
        ? (y.isEmpty() ? type && type->unlimited : isUnlimitedAmount(y.money(0, QStringLiteral("Fact_T_H_Money"))))
        : type && type->unlimited;
    if (unlimited)
        b.limit = b.remaining = kNoLimitText;
    return b;
}

} // namespace wel::reports
