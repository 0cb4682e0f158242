#include "ClaimSave.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimKind.h"
#include "common/LoginContext.h"
#include "BareSql.h"
#include "common/AppError.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

#include <QSysInfo>

namespace wel::bench {

namespace {

const QString kHeaderColumns = QStringLiteral(
    "INSERT INTO T_PAY_Health (Berg_Doc_ID, KV_ID, Pay_Year, Date_berg, T_M_Berg, Date_Ent, Vong_M_Befor, "
    "M_Can_Berg, Time_Ent, Berg_Doc_Status, User_Type, Ent_From, Health_In_Out_t, Fact_Code, Berg_Type_Code, "
    "Ent_User) VALUES ");

QString tuples(int rows, int columns)
{
    QStringList marks;
    for (int i = 0; i < columns; ++i)
        marks << QStringLiteral("?");
    const QString one = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    QStringList all;
    for (int r = 0; r < rows; ++r)
        all << one;
    return all.join(QStringLiteral(", "));
}

QString linesInsert(int rows)
{
    return QStringLiteral("INSERT INTO T_Pay_Health_Detail (Berg_Doc_ID, Emp_Folk, KV_ID, Health_In_Out_t, M_Berg, "
                          "HM_Can_Berg) VALUES ")
        + tuples(rows, 6);
}

QString receiptsInsert(int rows)
{
    return QStringLiteral("INSERT INTO T_Reciept (Berg_Doc_ID, Order_Doc, Emp_Folk, Date_Doc, P_money, Hospital_Name, "
                          "EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday) VALUES ")
        + tuples(rows, 10);
}

// time: "?" for a bound Time_Ent, or an SQL expression of the server's clock
QString headerInsert(const QString& time)
{
    QStringList marks;
    for (int i = 0; i < 16; ++i)
        marks << (i == 8 ? time : QStringLiteral("?"));
    return kHeaderColumns + QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// Without a time when the statement reads the server's clock itself.
QVariantList headerValues(const QString& id, const ClaimInput& in, const ClaimCharge& c, const QString& time)
{
    QVariantList v{id, in.kvId, in.payYear, in.dateBerg, c.total.toSql(), in.dateEnt, c.before.toSql(),
                   c.payable.toSql()};
    if (!time.isNull())
        v << time;
    v << QStringLiteral("FC") << in.userType << QStringLiteral("HRR") << in.inOut << in.fact << in.typeCode
      << in.user;
    return v;
}

QVariantList lineValues(const QString& id, const ClaimInput& in, const ClaimCharge& c)
{
    QVariantList v;
    for (const ClaimCharge::Line& l : c.lines)
        v << id << l.folk << in.kvId << in.inOut << l.amount.toSql() << l.payable.toSql();
    return v;
}

QVariantList receiptValues(const QString& id, const ClaimInput& in)
{
    QVariantList v;
    int order = 0;
    for (const ClaimInput::Receipt& r : in.receipts)
        v << id << ++order << r.folk << r.date << r.amount.toSql() << r.hospital << r.title << r.first << r.last
          << r.birthday;
    return v;
}

// One line per patient; the excess comes off the patient of the last receipt.
QVector<ClaimCharge::Line> linesOf(const ClaimInput& in, Money excess)
{
    QVector<ClaimCharge::Line> lines;
    const QString last = in.receipts.isEmpty() ? QString() : in.receipts.last().folk;
    for (int code = 0; code <= 7; ++code) {
        const QString folk = QString::number(code);
        ClaimCharge::Line line{folk, Money(), Money()};
        bool any = false;
        for (const ClaimInput::Receipt& r : in.receipts)
            if (r.folk == folk) {
                line.amount += r.amount;
                any = true;
            }
        if (!any)
            continue;
        line.payable = folk == last ? line.amount - excess : line.amount;
        lines.push_back(line);
    }
    return lines;
}

const QString kRefused = QStringLiteral("วงเงินมีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก");

} // namespace

ClaimCharge chargeClaim(const ClaimInput& in, Money limit, Money used, Money flexBenefit)
{
    ClaimCharge c;
    for (const ClaimInput::Receipt& r : in.receipts)
        c.total += r.amount;
    if (limit <= used + flexBenefit) {
        c.refused = true;
        return c;
    }
    c.before = limit - used - flexBenefit;
    const Money usable = limit - flexBenefit;
    Money excess;
    if (used + c.total > usable) {
        c.payable = c.before;
        excess = c.total - c.payable;
        c.used = usable;
    } else {
        c.payable = c.total;
        c.used = used + c.total;
    }
    c.lines = linesOf(in, excess);
    return c;
}

ClaimCharge chargeCopayClaim(const ClaimInput& in, const CopayRow& row)
{
    ClaimCharge c;
    for (const ClaimInput::Receipt& r : in.receipts)
        c.total += r.amount;
    if (row.hType == QLatin1String("1") || row.medicalUsed + row.flexBenefit < row.medicalLimit
        || row.used >= row.limit) {
        c.refused = true;
        return c;
    }
    c.before = row.limit - row.used;
    c.payable = qMin(c.total, c.before);
    c.used = row.used + c.payable;
    c.lines = linesOf(in, c.total - c.payable);
    return c;
}

QString saveClaimBare(BareSql& sql, const ClaimInput& in)
{
    const bool pg = sql.kind() == DbKind::PostgreSQL;
    sql.begin();
    try {
        const QString lock = pg ? QStringLiteral(" FOR UPDATE") : QString();
        const bool copay = in.typeCode == QLatin1String("COP");
        ClaimCharge c;
        bool found = false;
        if (copay) {
            CopayRow row;
            sql.each(QStringLiteral("SELECT Emp_H_Type FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {in.kvId},
                     [&](QSqlQuery& q) { row.hType = q.value(0).toString().trimmed(); });
            sql.each(QStringLiteral("SELECT Fact_T_H_Money, Fact_T_U_H, M_Flexben, Fact_T_Copay, Fact_U_Copay "
                                    "FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?")
                         + lock,
                     {in.kvId, in.payYear}, [&](QSqlQuery& q) {
                         row.medicalLimit = Money::fromVariant(q.value(0));
                         row.medicalUsed = Money::fromVariant(q.value(1));
                         row.flexBenefit = Money::fromVariant(q.value(2));
                         row.limit = Money::fromVariant(q.value(3));
                         row.used = Money::fromVariant(q.value(4));
                         found = true;
                     });
            if (found)
                c = chargeCopayClaim(in, row);
        } else {
            Money limit, used, flex;
            sql.each(QStringLiteral("SELECT Fact_T_H_Money, Fact_T_U_H, M_Flexben FROM T_Year_Cur_Health "
                                    "WHERE KV_ID = ? AND Pay_Year = ?")
                         + lock,
                     {in.kvId, in.payYear}, [&](QSqlQuery& q) {
                         limit = Money::fromVariant(q.value(0));
                         used = Money::fromVariant(q.value(1));
                         flex = Money::fromVariant(q.value(2));
                         found = true;
                     });
            if (found)
                c = chargeClaim(in, limit, used, flex);
        }
        if (!found)
            throw AppError(QStringLiteral("no yearly row for %1 %2").arg(in.kvId, in.payYear));
        if (c.refused)
            throw AppError(kRefused);
        sql.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ? WHERE KV_ID = ? AND Pay_Year = ?")
                     .arg(copay ? QStringLiteral("Fact_U_Copay") : QStringLiteral("Fact_T_U_H")),
                 {c.used.toSql(), in.kvId, in.payYear});
        qint64 next = 0;
        sql.each(QStringLiteral("UPDATE T_Berg_Runno SET Run_No = Run_No + 1 WHERE Fact_Code = ? AND Berg_Year = ? "
                                "RETURNING Run_No"),
                 {in.fact, in.budYear}, [&](QSqlQuery& q) { next = q.value(0).toLongLong(); });
        if (next == 0)
            throw AppError(RunningNumbers::kMessageB);
        const QString id = in.fact + in.budYear + QLatin1Char('/') + RunningNumbers::zeroFill(next - 1, 7);
        // the server's clock, read by the insert itself
        const QString time = pg ? QStringLiteral("TO_CHAR(LOCALTIMESTAMP, 'HH24:MI:SS')")
                                : QStringLiteral("STRFTIME('%H:%M:%S', 'now', 'localtime')");
        sql.exec(headerInsert(time), headerValues(id, in, c, QString()));
        sql.exec(linesInsert(int(c.lines.size())), lineValues(id, in, c));
        sql.exec(receiptsInsert(int(in.receipts.size())), receiptValues(id, in));
        writeAuditRow(sql, in.user, QStringLiteral("CLAIM_ADD"), id,
                      QStringLiteral("%1 %2 เบิก %3 จ่าย %4").arg(in.typeCode, in.kvId, c.total.toPlain(), c.payable.toPlain()));
        sql.commit();
        return id;
    } catch (...) {
        sql.rollback();
        throw;
    }
}

QString saveClaimProject(Database& db, const ClaimInput& in)
{
    LoginContext clerk;
    clerk.Cur_Date = in.dateEnt;
    clerk.Cur_Bud_Year = in.budYear;
    clerk.Cur_Fact_Code = in.fact;
    clerk.Cur_Username = in.user;
    clerk.Cur_User_Type = in.userType;
    clerk.Cur_Mode = QStringLiteral("FC");
    claims::ClaimDraft draft;
    draft.kvId = in.kvId;
    draft.payYear = in.payYear;
    draft.claimDate = in.dateBerg;
    draft.inOut = in.inOut;
    draft.factCode = in.fact;
    for (const ClaimInput::Receipt& r : in.receipts)
        draft.receipts.push_back({r.folk.toInt(), r.date, r.amount, r.hospital, r.title, r.first, r.last, r.birthday});
    const claims::ClaimKind* kind = claims::kindOfType(in.typeCode);
    if (!kind)
        throw AppError(QStringLiteral("no claim entry for the type ") + in.typeCode);
    return claims::ClaimEntry::save(db, clerk, *kind, draft).claimNo;
}

} // namespace wel::bench
