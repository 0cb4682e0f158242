#include "BulkUpdates.h"
#include "common/Audit.h"
#include "YearRows.h"
#include "common/LoginContext.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/excel/WorkbookReader.h"

#include <QHash>

namespace wel::BulkUpdates {

const QString kHasClaims = QStringLiteral("คนนี้มีการเบิกค่ารักษา ไม่สามารถเปลียน เป็นลาออกได้");

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// Leaving grid columns.
enum { LKvId = 1, LSsn = 2, LReason = 5, LDate = 6 };
// Right-type grid columns.
enum { RSsn = 1, RType = 4, RFact = 5 };

// Rows already seen under a key: the second one is refused.
class Duplicates {
public:
    QString reason(const QString& key, int sheetRow)
    {
        if (m_first.contains(key))
            return imports::reasonDuplicate(m_first.value(key));
        m_first.insert(key, sheetRow);
        return {};
    }

private:
    QHash<QString, int> m_first;
};

} // namespace

Alignment alignSelfNames(Database& db, const LoginContext& login, const imports::Progress& progress)
{
    Alignment a;
    Transaction tx(db);
    const Rows rows = db.select(QStringLiteral(
        "SELECT f.KV_ID, f.EF_F_Name, f.EF_L_Name, e.Emp_F_Name, e.Emp_L_Name "
        "FROM T_Emp_Folk f INNER JOIN T_Emp_Gov_Histry e ON e.KV_ID = f.KV_ID "
        "WHERE f.Emp_Folk = '0' AND (COALESCE(f.EF_F_Name, '') <> COALESCE(e.Emp_F_Name, '') "
        "OR COALESCE(f.EF_L_Name, '') <> COALESCE(e.Emp_L_Name, '')) ORDER BY f.KV_ID"));
    a.count = rows.count();
    audit::Trail trail(login);
    for (int i = 0; i < rows.count(); ++i) {
        auto t = [&](const char* c) { return rows.text(i, QString::fromLatin1(c)); };
        a.lines << QString::number(i + 1) + u(": ชื่อ ") + t("Emp_F_Name") + u(" นามสกุล  ") + t("Emp_L_Name")
                + u(" KV ID =") + t("KV_ID") + u("  ชื่อ ") + t("EF_F_Name") + u("  นามสกุล ") + t("EF_L_Name");
        // The title stays: the family screen keeps its own.
        db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_F_Name = ?, EF_L_Name = ? WHERE KV_ID = ? AND Emp_Folk = '0'"),
                {t("Emp_F_Name"), t("Emp_L_Name"), t("KV_ID")});
        QVector<audit::Change> changes;
        audit::compare(changes, QStringLiteral("0.EF_F_Name"), t("EF_F_Name"), t("Emp_F_Name"));
        audit::compare(changes, QStringLiteral("0.EF_L_Name"), t("EF_L_Name"), t("Emp_L_Name"));
        trail.add(audit::Op::BulkUpdate, t("KV_ID"), changes);
        if (progress)
            progress(i + 1, rows.count());
    }
    trail.write(db);
    tx.commit();
    return a;
}

QStringList leavingHeadings()
{
    return {u("No. "), u("KV_ID"), u("SSN"), u("ชื่อ"), u("นามสกุล"), u("เหตุผลที่ออก"), u("วันที่ออก")};
}

QVector<int> leavingWidths() { return {30, 90, 100, 90, 90, 120, 80}; }

imports::SheetRows leavingRows(const excel::SheetData& sheet, const QString& path)
{
    imports::SheetRows rows = imports::rowsFromRow2(sheet, path, 6);
    for (QStringList& g : rows.grid)
        g[LDate] = imports::shownDate(g[LDate]);
    return rows;
}

imports::SheetRows readLeaving(const QString& path) { return leavingRows(excel::readFirstSheet(path), path); }

Applied applyLeaving(Database& db, const LoginContext& login, const imports::SheetRows& rows, const QString& yearText,
                     const imports::Progress& progress)
{
    const QString year = imports::checkedYear(yearText);
    Applied result;
    Duplicates seen;
    Transaction tx(db);
    audit::Trail trail(login);
    for (int i = 0; i < rows.count(); ++i) {
        const QStringList& g = rows.grid[i];
        const int sheetRow = rows.sheetRows[i];
        const QString kvId = TrimBlanks(g[LKvId]).toUpper();
        const QString ssn = TrimBlanks(g[LSsn]);
        const auto outDate = imports::storedDate(g[LDate]);
        QString reason;
        if (kvId.isEmpty())
            reason = imports::reasonMissing(u("KV_ID"));
        else if (!outDate)
            reason = imports::reasonBadDate(u("วันที่ออก"), g[LDate]);
        else if (TrimBlanks(g[LReason]).size() > 250)
            reason = imports::reasonTooLong(u("เหตุผลที่ออก"), 250);
        else
            reason = seen.reason(kvId, sheetRow);
        if (reason.isEmpty()) {
            const Rows e = db.select(QStringLiteral("SELECT Emp_SSN FROM T_Emp_Gov_Histry WHERE KV_ID = ? AND Emp_Status = 'A'"),
                                     {kvId});
            if (e.isEmpty())
                reason = u("ไม่พบพนักงานที่ยังไม่ลาออกตาม KV_ID นี้");
            else if (!ssn.isEmpty() && TrimBlanks(e.text(0, QStringLiteral("Emp_SSN"))) != ssn)
                reason = u("เลขประจำตัวประชาชนไม่ตรงกับ KV_ID นี้");
            else if (!db.select(QStringLiteral("SELECT KV_ID FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?"),
                                {kvId, year}).isEmpty())
                reason = kHasClaims;
        }
        if (reason.isEmpty()) {
            result.updated += db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Status = 'O', Exit_Reason = ?, "
                                                     "Emp_Out_date = ?, USER_E_Exit = ? "
                                                     "WHERE KV_ID = ? AND Emp_Status = 'A'"),
                                      {TrimBlanks(g[LReason]), *outDate, login.Cur_Username, kvId});
            trail.add(audit::Op::EmployeeResign, kvId,
                      {{QStringLiteral("Emp_Status"), QStringLiteral("A"), QStringLiteral("O")},
                       {QStringLiteral("Emp_Out_date"), {}, *outDate}},
                      TrimBlanks(g[LReason]).left(100));
        } else {
            result.refused << imports::Refusal{sheetRow, kvId, reason, i + 1};
        }
        if (progress)
            progress(i + 1, rows.count());
    }
    trail.write(db);
    tx.commit();
    return result;
}

QStringList rightTypeHeadings()
{
    return {u("No. "), u("SSN"), u("ชื่อ"), u("นามสกุล"), u("รูปแบบที่เลือก"), u("รหัสคณะ")};
}

QVector<int> rightTypeWidths() { return {30, 90, 100, 100, 90, 60}; }

imports::SheetRows rightTypeRows(const excel::SheetData& sheet, const QString& path)
{
    return imports::rowsFromRow2(sheet, path, 5);
}

imports::SheetRows readRightTypes(const QString& path) { return rightTypeRows(excel::readFirstSheet(path), path); }

Applied applyRightTypes(Database& db, const LoginContext& login, const imports::SheetRows& rows, const QString& yearText,
                        const imports::Progress& progress)
{
    const QString year = imports::checkedYear(yearText);
    Applied result;
    Duplicates seen;
    Transaction tx(db);
    audit::Trail trail(login);
    for (int i = 0; i < rows.count(); ++i) {
        const QStringList& g = rows.grid[i];
        const int sheetRow = rows.sheetRows[i];
        const QString ssn = TrimBlanks(g[RSsn]);
        const QString type = TrimBlanks(g[RType]);
        const QString fact = TrimBlanks(g[RFact]).toUpper();
        const auto limits = YearRows::limitsOf(type);
        QString reason;
        if (ssn.isEmpty())
            reason = imports::reasonMissing(u("เลขประจำตัวประชาชน (SSN)"));
        else if (!limits)
            reason = imports::reasonBadType(g[RType]);
        else if (fact.isEmpty())
            reason = imports::reasonMissing(u("รหัสคณะ"));
        else
            reason = seen.reason(ssn + QLatin1Char('|') + fact, sheetRow);
        Rows employees;
        if (reason.isEmpty()) {
            employees = db.select(QStringLiteral("SELECT KV_ID, Emp_H_Type FROM T_Emp_Gov_Histry WHERE Emp_SSN = ? AND ")
                                      + db.ciEquals(QStringLiteral("Fact_code")) + QStringLiteral(" ORDER BY KV_ID"),
                                  {ssn, fact});
            if (employees.isEmpty())
                reason = u("ไม่พบพนักงานเลขประจำตัวประชาชนนี้ในคณะ ") + fact;
        }
        if (!reason.isEmpty()) {
            result.refused << imports::Refusal{sheetRow, ssn, reason, i + 1};
        } else {
            for (int e = 0; e < employees.count(); ++e) {
                const QString kvId = employees.text(e, QStringLiteral("KV_ID"));
                result.updated += db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_H_Type = ? WHERE KV_ID = ?"),
                                          {type, kvId});
                result.yearRows += db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_H_Money = ?, "
                                                          "KV_T_H_Money = ?, Fact_T_Copay = ?, Kv_T_Copay = ? "
                                                          "WHERE KV_ID = ? AND Pay_Year = ?"),
                                           {limits->health.toSql(), limits->health.toSql(), limits->copay.toSql(),
                                            limits->copay.toSql(), kvId, year});
                QVector<audit::Change> changes;
                audit::compare(changes, QStringLiteral("Emp_H_Type"), employees.text(e, QStringLiteral("Emp_H_Type")), type);
                trail.add(audit::Op::BulkUpdate, kvId, changes, QStringLiteral("Pay_Year %1").arg(year));
            }
        }
        if (progress)
            progress(i + 1, rows.count());
    }
    trail.write(db);
    tx.commit();
    return result;
}

} // namespace wel::BulkUpdates
