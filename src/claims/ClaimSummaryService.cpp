#include "ClaimSummaryService.h"
#include "common/Audit.h"
#include "common/AppError.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/db/SqlText.h"

#include <QHash>
#include <QMap>

namespace wel::claims {

namespace {

// Members go into T_Sent_KV this many rows per INSERT (three parameters each).
constexpr int kMembersPerInsert = 300;

const QString kSummaryColumns = QStringLiteral(
    "SELECT h.Berg_Doc_ID, h.Date_berg, h.M_Can_Berg, h.T_M_Berg, h.KV_ID, h.Pay_Year, e.EMP_ID, e.Emp_Surname, "
    "e.Emp_F_Name, e.Emp_L_Name ");

QVector<SummaryRow> summaryRows(const Rows& r)
{
    // Read by place in kSummaryColumns: a long list reads every cell.
    QVector<SummaryRow> rows;
    rows.reserve(r.count());
    for (int i = 0; i < r.count(); ++i)
        rows.push_back({r.text(i, 0), r.text(i, 1), Money::fromVariant(r.value(i, 2)),
                        Money::fromVariant(r.value(i, 3)), r.text(i, 6),
                        r.text(i, 7) + r.text(i, 8) + QLatin1Char(' ') + r.text(i, 9), r.text(i, 4), r.text(i, 5)});
    return rows;
}

struct Member {
    QString status, type, entFrom, fact, kvId, payYear;
    Money payable, claimed;
};

} // namespace

namespace ClaimSummary {

QVector<SummaryRow> listOpen(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
                             const QString& payYear, const QString& inOut)
{
    QVariantList params{facultyFor(login, kind.faculty.list, factField), kind.identity.typeCode};
    QString where = db.ciEquals(kind.faculty.summaryByEmployee ? QStringLiteral("e.Fact_code") : QStringLiteral("h.Fact_Code"));
    where += QStringLiteral(" AND h.Berg_Doc_Status = 'FC' AND h.Berg_Type_Code = ?");
    // Medical kinds are summarised by charged year and patient type; the
    // others list every open claim of the faculty together.
    if (kind.summary.byYearAndPatientType) {
        where += QStringLiteral(" AND h.Pay_Year = ? AND h.Ent_From = 'HRR' AND h.Health_In_Out_t = ?");
        params << payYear.trimmed() << patientTypeOf(kind, inOut);
    }
    return summaryRows(db.select(kSummaryColumns
                                     + QStringLiteral("FROM T_PAY_Health h LEFT JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                                                      "WHERE ")
                                     + where + QStringLiteral(" ORDER BY h.Berg_Doc_ID"),
                                 params));
}

QString send(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& factField,
             const QStringList& claimNos, const QVector<int>& gridRows)
{
    if (claimNos.isEmpty())
        throw AppError(kNothingMarked);
    const QString fact = facultyFor(login, kind.faculty.list, factField);
    Transaction tx(db);

    // Lock the claims and check each is still what the clerk saw.
    QVariantList params;
    const QString where = sql::in(QStringLiteral("Berg_Doc_ID"), claimNos, params);
    const Rows c = db.selectLocked(QStringLiteral("Berg_Doc_ID, Berg_Doc_Status, Berg_Type_Code, Ent_From, Fact_Code, "
                                                  "KV_ID, Pay_Year, M_Can_Berg, T_M_Berg"),
                                   QStringLiteral("T_PAY_Health"), where, params);
    // Kinds listed by the employee's faculty are checked by it too.
    QHash<QString, QString> employeeFaculty;
    if (kind.faculty.summaryByEmployee) {
        QVariantList ep;
        const Rows e = db.select(QStringLiteral("SELECT h.Berg_Doc_ID, e.Fact_code FROM T_PAY_Health h "
                                                "INNER JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID WHERE ")
                                     + sql::in(QStringLiteral("h.Berg_Doc_ID"), claimNos, ep),
                                 ep);
        for (int i = 0; i < e.count(); ++i)
            employeeFaculty.insert(e.text(i, QStringLiteral("Berg_Doc_ID")).trimmed(),
                                   e.text(i, QStringLiteral("Fact_code")).trimmed().toUpper());
    }
    QHash<QString, Member> members;
    for (int i = 0; i < c.count(); ++i) {
        auto t = [&](const char* col) { return c.text(i, QString::fromLatin1(col)).trimmed(); };
        members.insert(t("Berg_Doc_ID"), {t("Berg_Doc_Status").toUpper(), t("Berg_Type_Code").toUpper(),
                                          t("Ent_From").toUpper(), t("Fact_Code").toUpper(), t("KV_ID"), t("Pay_Year"),
                                          c.money(i, QStringLiteral("M_Can_Berg")),
                                          c.money(i, QStringLiteral("T_M_Berg"))});
    }
    Money total;
    QMap<std::pair<QString, QString>, Money> sentByYear;
    for (const QString& no : claimNos) {
        const auto it = members.constFind(no.trimmed());
        if (it == members.cend() || it->type != kind.identity.typeCode
            || (kind.summary.byYearAndPatientType && it->entFrom != QLatin1String("HRR"))
            || (kind.faculty.summaryByEmployee ? employeeFaculty.value(it.key()) : it->fact) != fact)
            throw AppError(kNotFound + QStringLiteral(" (") + no + QLatin1Char(')'));
        if (it->status == QLatin1String("NO"))
            throw AppError(QStringLiteral("ใบเบิกเลขที่ %1 ถูกยกเลิกแล้ว กรุณาคลิก ปุ่มแสดงผลใหม่").arg(no));
        if (it->status != QLatin1String("FC"))
            throw AppError(kAlreadySent);
        const Money sent = kind.summary.amountClaimed ? it->claimed : it->payable;
        total += sent;
        sentByYear[{it->kvId, it->payYear}] += sent;
    }
    if (total.isZero())
        throw AppError(kBadAmount);

    // Lock the yearly rows the summary raises, in key order.
    // (None for a kind charged nowhere.)
    QStringList pairs;
    QVariantList yearParams;
    for (auto it = sentByYear.cbegin(); it != sentByYear.cend(); ++it) {
        pairs << QStringLiteral("(KV_ID = ? AND Pay_Year = ?)");
        yearParams << it.key().first << it.key().second;
    }
    const LimitRule& rule = kind.limit;
    const bool charged = rule.policy != LimitPolicy::None;
    const Rows y = !charged ? Rows() : db.selectLocked(QStringLiteral("KV_ID, Pay_Year, %1 AS S").arg(rule.sentColumn),
                                   QStringLiteral("T_Year_Cur_Health"), pairs.join(QStringLiteral(" OR ")), yearParams,
                                   QStringLiteral("KV_ID, Pay_Year"));
    if (charged && y.count() != sentByYear.size())
        throw AppError(kNoYearRow);

    const QString controlNo = RunningNumbers::takeControlNumber(db, fact, login.Cur_Bud_Year);
    const QString time = nowTimeText(db.serverNow());
    QVector<Database::Statement> writes;
    QVariantList statusParams;
    const QString statusWhere = sql::in(QStringLiteral("Berg_Doc_ID"), claimNos, statusParams);
    writes.push_back({QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'KV' WHERE ") + statusWhere,
                      statusParams});
    writes.push_back(sql::insertRows(QStringLiteral("T_Sent_KV_Detail"),
                                     {QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Sent_Date"),
                                      QStringLiteral("Sent_Time"), QStringLiteral("Sent_Doc_Status"),
                                      QStringLiteral("Sent_Doc_Type"), QStringLiteral("Fact_Code"),
                                      QStringLiteral("Sent_User")},
                                     {{controlNo, login.Cur_Date, time, QStringLiteral("A"), kind.identity.sentDocType, fact,
                                       login.Cur_Username}}));
    QVector<QVariantList> memberRows;
    for (int i = 0; i < claimNos.size(); ++i) {
        const bool byGridRow = kind.summary.orderIsGridRow && gridRows.size() == claimNos.size();
        memberRows.push_back({claimNos[i].trimmed(), controlNo, byGridRow ? gridRows[i] : i + 1});
        if (memberRows.size() == kMembersPerInsert || i + 1 == claimNos.size()) {
            writes.push_back(sql::insertRows(QStringLiteral("T_Sent_KV"),
                                             {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Sent_KV_Doc_ID"),
                                              QStringLiteral("Order_No")},
                                             memberRows));
            memberRows.clear();
        }
    }
    for (int i = 0; i < y.count(); ++i) {
        const QString kvId = y.text(i, QStringLiteral("KV_ID")), year = y.text(i, QStringLiteral("Pay_Year"));
        const Money sent = y.money(i, QStringLiteral("S")) + sentByYear.value({kvId, year});
        writes.push_back({QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ? WHERE KV_ID = ? AND Pay_Year = ?")
                              .arg(rule.sentColumn),
                          {sent.toSql(), kvId, year}});
    }
    audit::Trail(login)
        .add(audit::Op::SummaryMake, controlNo,
             QStringLiteral("%1 %2 ใบ %3: %4")
                 .arg(kind.identity.typeCode).arg(claimNos.size()).arg(total.toPlain(), claimNos.join(QStringLiteral(", "))))
        .appendTo(db, writes);
    db.execBatch(writes);
    tx.commit();
    return controlNo;
}

} // namespace ClaimSummary

namespace ClaimListings {

QVector<ReprintRow> claimsForReprint(Database& db, const LoginContext& login, const ClaimKind& kind,
                                     const QString& factField, const DateFilter& when)
{
    QVariantList params{facultyFor(login, kind.faculty.list, factField)};
    // One statement per condition: the parameters must follow the text's order.
    // Written as the faculty indexes are made (folded), so that one faculty's
    // month is read through them rather than every claim of the month.
    QString where = db.ciEquals(QStringLiteral("h.Fact_Code")) + QStringLiteral(" AND ");
    where += sql::in(QStringLiteral("h.Berg_Type_Code"), kind.identity.listedTypes, params);
    where += QStringLiteral(" AND h.Berg_Doc_Status <> 'NO' AND ");
    where += when.condition(db, QStringLiteral("h.Date_Ent"), params);
    const Rows r = db.select(
        QStringLiteral("SELECT h.Berg_Doc_ID, h.M_Can_Berg, h.Date_Ent, e.EMP_ID, e.Emp_Surname, e.Emp_F_Name, "
                       "e.Emp_L_Name FROM T_PAY_Health h LEFT JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID WHERE ")
            + where + QStringLiteral(" ORDER BY h.Date_Ent, h.Berg_Doc_ID"),
        params);
    QVector<ReprintRow> rows;
    rows.reserve(r.count());
    for (int i = 0; i < r.count(); ++i)
        rows.push_back({r.text(i, 0), r.text(i, 3), r.text(i, 4) + r.text(i, 5) + QStringLiteral("  ") + r.text(i, 6),
                        Money::fromVariant(r.value(i, 1)), r.text(i, 2)});
    return rows;
}

QVector<ControlRow> controlNumbers(Database& db, const LoginContext& login, const ClaimKind& kind,
                                   const QString& factField, const DateFilter& when)
{
    QVariantList params{facultyFor(login, kind.faculty.list, factField)};
    QString where = db.ciEquals(QStringLiteral("Fact_Code")) + QStringLiteral(" AND ");
    where += sql::in(QStringLiteral("Sent_Doc_Type"), kind.identity.sentDocTypesListed, params);
    where += QStringLiteral(" AND ") + when.condition(db, QStringLiteral("Sent_Date"), params);
    const Rows r = db.select(QStringLiteral("SELECT Sent_KV_Doc_ID, Sent_Date, Sent_Doc_Status, Fact_Code "
                                            "FROM T_Sent_KV_Detail WHERE ")
                                 + where + QStringLiteral(" ORDER BY Sent_Date, Sent_KV_Doc_ID"),
                             params);
    QVector<ControlRow> rows;
    for (int i = 0; i < r.count(); ++i)
        rows.push_back({r.text(i, QStringLiteral("Sent_KV_Doc_ID")), r.text(i, QStringLiteral("Sent_Date")),
                        r.text(i, QStringLiteral("Sent_Doc_Status")), r.text(i, QStringLiteral("Fact_Code"))});
    return rows;
}

QVector<SummaryRow> claimsOfControl(Database& db, const QString& controlNo)
{
    return summaryRows(db.select(kSummaryColumns
                                     + QStringLiteral("FROM T_Sent_KV s "
                                                      "LEFT JOIN T_PAY_Health h ON s.Berg_Doc_ID = h.Berg_Doc_ID "
                                                      "LEFT JOIN T_Emp_Gov_Histry e ON h.KV_ID = e.KV_ID "
                                                      "WHERE s.Sent_KV_Doc_ID = ? ORDER BY s.Berg_Doc_ID"),
                                 {controlNo.trimmed()}));
}

} // namespace ClaimListings
} // namespace wel::claims
