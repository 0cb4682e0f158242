#include "VoucherService.h"
#include "common/Audit.h"
#include "claims/ClaimKind.h"
#include "common/AppError.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/db/SqlText.h"

#include <QMap>
#include <QSet>

namespace wel::finance {

namespace {

const QString kSlots = QStringLiteral("Oth_Detail%1");
constexpr int kOtherSlots = 5;

QString code(const QString& text) { return text.trimmed().toUpper(); }

} // namespace

// A control number of a type no kind sends is shown as a medical one.
QString voucherTypeLabel(const QString& sentDocType)
{
    const claims::ClaimKind* kind = claims::kindOfSentDocType(sentDocType);
    return kind ? kind->identity.voucherLabel : claims::outpatient().identity.voucherLabel;
}

QString cancelTypeLabel(const QString& sentDocType)
{
    const claims::ClaimKind* kind = claims::kindOfSentDocType(sentDocType);
    return kind ? kind->identity.cancelLabel : claims::outpatient().identity.cancelLabel;
}

QString categoryLabel(const QString& category)
{
    const QString c = code(category);
    if (c == QLatin1String("0") || c == QLatin1String("1"))
        return QStringLiteral("ค่ารักษา");
    if (c == QLatin1String("E"))
        return QStringLiteral("ค่าเล่าเรียนบุตร");
    if (c == QLatin1String("O"))
        return QStringLiteral("อื่น ๆ");
    return {};
}

QString voucherFaculty(const LoginContext& login, const QString& factField)
{
    return login.Cur_Mode == QLatin1String("KV") ? code(factField) : code(login.Cur_Fact_Code);
}

namespace Vouchers {

QVector<ControlRow> listOpenControls(Database& db, const QString& factCode, const Period& period)
{
    QVariantList params;
    QString sql = QStringLiteral(
        "SELECT c.Sent_KV_Doc_ID, c.Fact_Code, c.Sent_Doc_Type, c.Sent_Time, c.Sent_Date, "
        "SUM(h.M_Can_Berg) AS Sum_M, f.Fact_Name "
        "FROM T_Sent_KV m "
        "INNER JOIN T_Sent_KV_Detail c ON m.Sent_KV_Doc_ID = c.Sent_KV_Doc_ID "
        "INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
        "LEFT JOIN T_Fact f ON f.Fact_Code = UPPER(c.Fact_Code) "
        "WHERE c.Sent_Doc_Status = 'A'");
    if (!factCode.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db.ciEquals(QStringLiteral("c.Fact_Code"));
        params << code(factCode);
    }
    sql += period.andCondition(db, QStringLiteral("c.Sent_Date"), params);
    sql += QStringLiteral(" GROUP BY c.Sent_KV_Doc_ID, c.Fact_Code, c.Sent_Doc_Type, c.Sent_Time, c.Sent_Date, "
                          "f.Fact_Name ORDER BY c.Sent_KV_Doc_ID");
    const Rows r = db.select(sql, params);
    QVector<ControlRow> list;
    for (int i = 0; i < r.count(); ++i)
        list.push_back({r.text(i, QStringLiteral("Sent_KV_Doc_ID")), r.text(i, QStringLiteral("Fact_Code")),
                        r.text(i, QStringLiteral("Fact_Name")), r.text(i, QStringLiteral("Sent_Doc_Type")),
                        r.text(i, QStringLiteral("Sent_Date")), r.text(i, QStringLiteral("Sent_Time")),
                        r.money(i, QStringLiteral("Sum_M"))});
    return list;
}

VoucherTally tally(const QVector<VoucherClaim>& claims)
{
    VoucherTally t;
    struct Kind {
        int count = 0;
        Money amount;
    };
    QMap<std::pair<QString, QString>, Kind> others; // (Health_In_Out_t, Health_Desc), sorted as printed
    for (const VoucherClaim& c : claims) {
        const QString cat = code(c.category);
        if (cat == QLatin1String("0")) {
            t.outCount += c.count;
            t.out += c.amount;
        } else if (cat == QLatin1String("1")) {
            t.inCount += c.count;
            t.in += c.amount;
        } else if (cat == QLatin1String("E")) {
            t.eduCount += c.count;
            t.edu += c.amount;
        } else if (cat == QLatin1String("O")) {
            t.othCount += c.count;
            t.oth += c.amount;
            Kind& k = others[{c.inOut, c.kindText}];
            k.count += c.count;
            k.amount += c.amount;
        }
    }
    for (auto it = others.cbegin(); it != others.cend(); ++it)
        t.othDetails << it.key().second + QStringLiteral(" (") + QString::number(it.value().count)
                            + QStringLiteral("ราย ) จำนวนเงิน ") + it.value().amount.toPlain()
                            + QStringLiteral(" บาท");
    return t;
}

namespace {

// The claims of the control numbers added up by the server, one row per
// patient type: a month of a large faculty holds thousands of claims, and
// reading each of them costs more than the voucher's other statements
// together.
QVector<VoucherClaim> claimsOf(Database& db, const QStringList& controlNos)
{
    QVariantList params;
    const Rows r = db.select(QStringLiteral("SELECT h.Health_In_Out_t, t.Health_Other_Code, t.Health_Desc, "
                                            "COUNT(*) AS N, SUM(h.M_Can_Berg) AS M "
                                            "FROM T_Sent_KV m "
                                            "INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
                                            "LEFT JOIN TR_Heal_Type t ON h.Health_In_Out_t = t.Health_In_Out_t "
                                            "WHERE ")
                                 + sql::in(QStringLiteral("m.Sent_KV_Doc_ID"), controlNos, params)
                                 + QStringLiteral(" GROUP BY h.Health_In_Out_t, t.Health_Other_Code, t.Health_Desc"),
                             params);
    QVector<VoucherClaim> claims;
    for (int i = 0; i < r.count(); ++i)
        claims.push_back({r.text(i, QStringLiteral("Health_In_Out_t")), r.text(i, QStringLiteral("Health_Other_Code")),
                          r.text(i, QStringLiteral("Health_Desc")), r.money(i, QStringLiteral("M")),
                          int(r.integer(i, QStringLiteral("N")))});
    return claims;
}

} // namespace

QString make(Database& db, const LoginContext& login, const QString& factField, const QStringList& controlNos,
             const QString& payee)
{
    if (controlNos.isEmpty())
        throw AppError(kSelectData);
    const QString fact = voucherFaculty(login, factField);
    Transaction tx(db);
    const QString pvrNo = RunningNumbers::takeVoucherNumber(db, fact, login.Cur_Bud_Year);
    // The control numbers are locked and checked first: each must still be
    // open and the faculty's, or the first that is not is named and nothing
    // is written. Locked, no other workstation can take or cancel them
    // before the end; then they move in one statement.
    QVariantList params;
    const QString which = sql::in(QStringLiteral("Sent_KV_Doc_ID"), controlNos, params);
    const Rows found = db.selectLocked(QStringLiteral("Sent_KV_Doc_ID, Sent_Doc_Status, Fact_Code"),
                                       QStringLiteral("T_Sent_KV_Detail"), which, params);
    QSet<QString> open;
    for (int i = 0; i < found.count(); ++i)
        if (found.text(i, QStringLiteral("Sent_Doc_Status")).trimmed() == QLatin1String("A")
            && found.text(i, QStringLiteral("Fact_Code")).trimmed().toUpper() == fact)
            open.insert(found.text(i, QStringLiteral("Sent_KV_Doc_ID")).trimmed());
    QSet<QString> seen;
    for (const QString& no : controlNos) {
        if (!open.contains(no.trimmed()) || seen.contains(no.trimmed()))
            throw AppError(kListAgain.arg(no));
        seen.insert(no.trimmed());
    }
    db.exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Status = 'P' WHERE ") + which, params);
    const QVector<VoucherClaim> claims = claimsOf(db, controlNos);
    const VoucherTally t = tally(claims);
    if (t.othDetails.size() > kOtherSlots)
        throw AppError(kTooManyOtherKinds);

    QStringList columns{QStringLiteral("PVR_NO"),       QStringLiteral("Sent_Date"),    QStringLiteral("Sent_Time"),
                        QStringLiteral("Sent_Doc_Status"), QStringLiteral("Fact_Code"), QStringLiteral("Sent_User"),
                        QStringLiteral("EDU_Count"),    QStringLiteral("EDU_Money"),    QStringLiteral("He_In_Count"),
                        QStringLiteral("He_In_Money"),  QStringLiteral("He_Out_Count"), QStringLiteral("He_Out_Money"),
                        QStringLiteral("Oth_Count"),    QStringLiteral("Oth_Money")};
    QVariantList values{pvrNo, login.Cur_Date, nowTimeText(db.serverNow()), QStringLiteral("A"), fact,
                        login.Cur_Username, t.eduCount, t.edu.toSql(), t.inCount, t.in.toSql(), t.outCount,
                        t.out.toSql(), t.othCount, t.oth.toSql()};
    for (int i = 0; i < kOtherSlots; ++i) {
        columns << kSlots.arg(i + 1);
        values << t.othDetails.value(i);
    }
    columns << QStringLiteral("Pay_For_Per");
    values << payee.left(100);
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    db.exec(QStringLiteral("INSERT INTO T_PV (%1) VALUES (%2)")
                .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            values);
    QVector<QVariantList> members;
    for (int k = 0; k < controlNos.size(); ++k)
        members.push_back({pvrNo, controlNos[k], k + 1});
    const auto insert = sql::insertRows(
        QStringLiteral("T_PV_Detail"), {QStringLiteral("PVR_NO"), QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Order_No")},
        members);
    db.exec(insert.sql, insert.params);
    audit::record(db, login, audit::Op::VoucherMake, pvrNo,
                  QStringLiteral("%1 เลขที่ควบคุม %2 ใบ: %3").arg(fact).arg(controlNos.size()).arg(controlNos.join(QStringLiteral(", "))));
    tx.commit();
    return pvrNo;
}

QVector<VoucherRow> listInForce(Database& db, const QString& factCode, const Period& period)
{
    QVariantList params{code(factCode)};
    const QString sql = QStringLiteral("SELECT PVR_NO, Sent_Date FROM T_PV WHERE ")
        + db.ciEquals(QStringLiteral("Fact_Code")) + QStringLiteral(" AND Sent_Doc_Status = 'A'")
        + period.andCondition(db, QStringLiteral("Sent_Date"), params) + QStringLiteral(" ORDER BY PVR_NO");
    const Rows r = db.select(sql, params);
    QVector<VoucherRow> list;
    for (int i = 0; i < r.count(); ++i)
        list.push_back({r.text(i, QStringLiteral("PVR_NO")), r.text(i, QStringLiteral("Sent_Date"))});
    return list;
}

QString firstFacultyInForce(Database& db, const Period& period)
{
    QVariantList params;
    const Rows r = db.select(QStringLiteral("SELECT MIN(Fact_Code) AS F FROM T_PV WHERE Sent_Doc_Status = 'A'")
                                 + period.andCondition(db, QStringLiteral("Sent_Date"), params),
                             params);
    return r.isEmpty() ? QString() : r.text(0, QStringLiteral("F"));
}

QVector<VoucherMember> members(Database& db, const QString& pvrNo)
{
    const Rows r = db.select(
        QStringLiteral("SELECT d.Sent_KV_Doc_ID, d.Order_No, t.Health_Other_Code, c.Fact_Code, c.Sent_Date, "
                       "SUM(h.M_Can_Berg) AS Sum_mon "
                       "FROM T_PV_Detail d "
                       "INNER JOIN T_Sent_KV_Detail c ON d.Sent_KV_Doc_ID = c.Sent_KV_Doc_ID "
                       "INNER JOIN T_Sent_KV m ON d.Sent_KV_Doc_ID = m.Sent_KV_Doc_ID "
                       "INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
                       "LEFT JOIN TR_Heal_Type t ON h.Health_In_Out_t = t.Health_In_Out_t "
                       "WHERE d.PVR_NO = ? "
                       "GROUP BY d.Sent_KV_Doc_ID, d.Order_No, t.Health_Other_Code, c.Fact_Code, c.Sent_Date "
                       "ORDER BY d.Order_No, t.Health_Other_Code"),
        {pvrNo.trimmed()});
    QVector<VoucherMember> list;
    for (int i = 0; i < r.count(); ++i)
        list.push_back({r.text(i, QStringLiteral("Sent_KV_Doc_ID")), int(r.integer(i, QStringLiteral("Order_No"))),
                        r.text(i, QStringLiteral("Health_Other_Code")), r.text(i, QStringLiteral("Fact_Code")),
                        r.text(i, QStringLiteral("Sent_Date")), r.money(i, QStringLiteral("Sum_mon"))});
    return list;
}

} // namespace Vouchers
} // namespace wel::finance
