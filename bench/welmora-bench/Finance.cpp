// The finance division's lines: the open control numbers a voucher summary
// is made from, and the voucher summary itself.
#include "BareSql.h"
#include "Workload.h"
#include "Written.h"
#include "common/AppError.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "finance/CancelService.h"
#include "finance/VoucherService.h"

#include <QHash>
#include <QSet>
#include <memory>

namespace wel::bench {

namespace {

struct OpenCase {
    QString fact; // empty: every faculty
};

struct VoucherCase {
    QString fact, month; // the faculty's month with the most open control numbers
    QStringList controls;
    QString budYear, today;
};

QString openFingerprint(const QVector<QVector<std::pair<QString, Money>>>& results)
{
    QStringList keys;
    Money total;
    for (const auto& list : results)
        for (const auto& [no, amount] : list) {
            keys << no;
            total += amount;
        }
    return QStringLiteral("%1 control numbers, %2: %3").arg(keys.size()).arg(total.toPlain(), keys.join(QLatin1Char(',')));
}

QVector<std::pair<QString, Money>> openProject(Database& db, const OpenCase& c)
{
    QVector<std::pair<QString, Money>> list;
    for (const finance::ControlRow& r : finance::Vouchers::listOpenControls(db, c.fact, finance::Period::all()))
        list.push_back({r.controlNo, r.amount});
    return list;
}

QVector<std::pair<QString, Money>> openBare(BareSql& sql, const OpenCase& c)
{
    QVariantList params;
    QString text = QStringLiteral(
        "SELECT c.Sent_KV_Doc_ID, c.Fact_Code, c.Sent_Doc_Type, c.Sent_Time, c.Sent_Date, SUM(h.M_Can_Berg), f.Fact_Name "
        "FROM T_Sent_KV m INNER JOIN T_Sent_KV_Detail c ON m.Sent_KV_Doc_ID = c.Sent_KV_Doc_ID "
        "INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
        "LEFT JOIN T_Fact f ON c.Fact_Code = f.Fact_Code WHERE c.Sent_Doc_Status = 'A'");
    if (!c.fact.isEmpty()) {
        text += QStringLiteral(" AND c.Fact_Code = ?");
        params << c.fact;
    }
    text += QStringLiteral(" GROUP BY c.Sent_KV_Doc_ID, c.Fact_Code, c.Sent_Doc_Type, c.Sent_Time, c.Sent_Date, "
                           "f.Fact_Name ORDER BY c.Sent_KV_Doc_ID");
    // every column the list shows, as the program's listing reads them
    QVector<finance::ControlRow> rows;
    sql.each(text, params, [&](QSqlQuery& q) {
        rows.push_back({q.value(0).toString(), q.value(1).toString(), q.value(6).toString(), q.value(2).toString(),
                        q.value(4).toString(), q.value(3).toString(), Money::fromVariant(q.value(5))});
    });
    QVector<std::pair<QString, Money>> list;
    for (const finance::ControlRow& r : rows)
        list.push_back({r.controlNo, r.amount});
    return list;
}

LoginContext financeClerk(const VoucherCase& c)
{
    LoginContext l;
    l.Cur_Date = c.today;
    l.Cur_Bud_Year = c.budYear;
    l.Cur_Fact_Code = QStringLiteral("KV");
    l.Cur_Mode = QStringLiteral("KV");
    l.Cur_Username = QStringLiteral("bench");
    return l;
}

const QString kPayee = QStringLiteral("นายทดสอบ  ความเร็ว");

// What a voucher summary wrote: its row (number and time aside) and its
// members.
QString voucherWritten(const RowReader& read, const QString& pvr)
{
    return writtenSummary(QStringLiteral("voucher rows"),
                          read(QStringLiteral("SELECT He_Out_Money, Sent_Date, Sent_Doc_Status, Fact_Code, Sent_User, "
                                              "EDU_Count, EDU_Money, He_In_Count, He_In_Money, He_Out_Count, Oth_Count, "
                                              "Oth_Money, Oth_Detail1, Oth_Detail2, Oth_Detail3, Oth_Detail4, "
                                              "Oth_Detail5, Pay_For_Per FROM T_PV WHERE PVR_NO = ?"),
                               {pvr}),
                          0)
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("members"),
                         read(QStringLiteral("SELECT d.Order_No, d.Sent_KV_Doc_ID, c.Sent_Doc_Status FROM T_PV_Detail d "
                                             "INNER JOIN T_Sent_KV_Detail c ON c.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                                             "WHERE d.PVR_NO = ? ORDER BY d.Order_No"),
                              {pvr}))
        + QStringLiteral(", ") + writtenSummary(QStringLiteral("audit row"), read(newestAuditRowQuery(QStringLiteral("PV_ADD")), {pvr}));
}

// What the cancellation wrote: the voucher's status and its audit row.
QString cancellationWritten(const RowReader& read, const QString& pvr)
{
    return QStringLiteral(", cancelled: ")
        + writtenSummary(QStringLiteral("voucher rows"),
                         read(QStringLiteral("SELECT Sent_Doc_Status FROM T_PV WHERE PVR_NO = ?"), {pvr}))
        + QStringLiteral(", ")
        + writtenSummary(QStringLiteral("audit row"), read(newestAuditRowQuery(QStringLiteral("PV_CANCEL")), {pvr}));
}

// The voucher summary as the screen makes it, then cancelled again so that
// the next call finds the same control numbers open. With wrote, what it
// wrote is read back before the cancellation.
QString voucherProject(Database& db, const VoucherCase& c, QString* wrote = nullptr)
{
    const QString pvr = finance::Vouchers::make(db, financeClerk(c), c.fact, c.controls, kPayee);
    if (wrote)
        *wrote = voucherWritten(readerOf(db), pvr);
    finance::VoucherCancel::cancel(db, financeClerk(c), pvr);
    if (wrote)
        *wrote += cancellationWritten(readerOf(db), pvr);
    return pvr;
}

QString marks(int n)
{
    QStringList m;
    for (int i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

// The same with the bare SQL it needs: the number, the control numbers
// locked and checked (open, the faculty's), moved in one statement, their
// claims added up by category in one query, the voucher row and its members
// in one multi-row INSERT; the cancellation in two statements.
QString voucherBare(BareSql& sql, const VoucherCase& c, QString* wrote = nullptr)
{
    const int n = int(c.controls.size());
    QVariantList ids;
    for (const QString& id : c.controls)
        ids << id;
    QString pvr;
    sql.begin();
    try {
        qint64 next = 0;
        sql.each(QStringLiteral("UPDATE T_PVR_Runno SET Run_No = Run_No + 1 WHERE Sent_Year = ? RETURNING Run_No"),
                 {c.budYear}, [&](QSqlQuery& q) { next = q.value(0).toLongLong(); });
        if (next == 0)
            throw AppError(QStringLiteral("no voucher counter for %1").arg(c.budYear));
        pvr = QStringLiteral("PVR") + c.budYear + QLatin1Char('/') + RunningNumbers::zeroFill(next - 1, 5) + c.fact;
        QSet<QString> open;
        sql.each(QStringLiteral("SELECT Sent_KV_Doc_ID, Sent_Doc_Status, Fact_Code FROM T_Sent_KV_Detail "
                                "WHERE Sent_KV_Doc_ID IN (")
                     + marks(n) + QLatin1Char(')') + (sql.kind() == DbKind::PostgreSQL ? " FOR UPDATE" : ""),
                 ids, [&](QSqlQuery& q) {
                     if (q.value(1).toString().trimmed() == QLatin1String("A")
                         && q.value(2).toString().trimmed().toUpper() == c.fact)
                         open.insert(q.value(0).toString().trimmed());
                 });
        for (const QString& id : c.controls)
            if (!open.contains(id))
                throw AppError(QStringLiteral("control number %1 no longer open").arg(id));
        if (sql.exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Status = 'P' WHERE Sent_Doc_Status = 'A' "
                                    "AND Fact_Code = ? AND Sent_KV_Doc_ID IN (")
                         + marks(n) + QLatin1Char(')'),
                     QVariantList{c.fact} + ids)
            != n)
            throw AppError(QStringLiteral("control numbers no longer open"));
        int counts[4] = {};
        Money sums[4];
        QStringList other; // "kind (n ราย ) จำนวนเงิน x บาท", as the voucher document prints it
        sql.each(QStringLiteral("SELECT t.Health_Other_Code, h.Health_In_Out_t, t.Health_Desc, COUNT(*), SUM(h.M_Can_Berg) "
                                "FROM T_Sent_KV m INNER JOIN T_PAY_Health h ON m.Berg_Doc_ID = h.Berg_Doc_ID "
                                "LEFT JOIN TR_Heal_Type t ON h.Health_In_Out_t = t.Health_In_Out_t "
                                "WHERE m.Sent_KV_Doc_ID IN (")
                     + marks(n)
                     + QStringLiteral(") GROUP BY t.Health_Other_Code, h.Health_In_Out_t, t.Health_Desc "
                                      "ORDER BY h.Health_In_Out_t"),
                 ids, [&](QSqlQuery& q) {
                     const QString cat = q.value(0).toString().trimmed().toUpper();
                     const int k = cat == QLatin1String("E") ? 0 : cat == QLatin1String("1") ? 1
                                 : cat == QLatin1String("0") ? 2 : cat == QLatin1String("O") ? 3 : -1;
                     if (k < 0)
                         return; // a claim type without a category is in no total
                     counts[k] += q.value(3).toInt();
                     sums[k] += Money::fromVariant(q.value(4));
                     if (k == 3)
                         other << q.value(2).toString() + QStringLiteral(" (") + q.value(3).toString()
                                      + QStringLiteral("ราย ) จำนวนเงิน ")
                                      + Money::fromVariant(q.value(4)).toPlain() + QStringLiteral(" บาท");
                 });
        QString time;
        sql.each(sql.kind() == DbKind::PostgreSQL ? QStringLiteral("SELECT TO_CHAR(LOCALTIMESTAMP, 'HH24:MI:SS')")
                                                  : QStringLiteral("SELECT STRFTIME('%H:%M:%S', 'now', 'localtime')"),
                 {}, [&](QSqlQuery& q) { time = q.value(0).toString(); });
        sql.exec(QStringLiteral("INSERT INTO T_PV (PVR_NO, Sent_Date, Sent_Time, Sent_Doc_Status, Fact_Code, Sent_User, "
                                "EDU_Count, EDU_Money, He_In_Count, He_In_Money, He_Out_Count, He_Out_Money, Oth_Count, "
                                "Oth_Money, Oth_Detail1, Oth_Detail2, Oth_Detail3, Oth_Detail4, Oth_Detail5, Pay_For_Per) "
                                "VALUES (?, ?, ?, 'A', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {pvr, c.today, time, c.fact, QStringLiteral("bench"), counts[0], sums[0].toSql(), counts[1],
                  sums[1].toSql(), counts[2], sums[2].toSql(), counts[3], sums[3].toSql(), other.value(0),
                  other.value(1), other.value(2), other.value(3), other.value(4), kPayee});
        QStringList rows;
        QVariantList values;
        for (int k = 0; k < n; ++k) {
            rows << QStringLiteral("(?, ?, ?)");
            values << pvr << c.controls[k] << k + 1;
        }
        sql.exec(QStringLiteral("INSERT INTO T_PV_Detail (PVR_NO, Sent_KV_Doc_ID, Order_No) VALUES ")
                     + rows.join(QStringLiteral(", ")),
                 values);
        writeAuditRow(sql, QStringLiteral("bench"), QStringLiteral("PV_ADD"), pvr,
                      QStringLiteral("%1 เลขที่ควบคุม %2 ใบ: %3").arg(c.fact).arg(n).arg(c.controls.join(QStringLiteral(", "))));
        sql.commit();
        if (wrote)
            *wrote = voucherWritten(readerOf(sql), pvr);

        sql.begin();
        if (sql.exec(QStringLiteral("UPDATE T_PV SET Sent_Doc_Status = 'C' WHERE PVR_NO = ? AND Sent_Doc_Status = 'A'"),
                     {pvr})
            != 1)
            throw AppError(QStringLiteral("voucher gone"));
        const int freed = sql.exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Status = 'A' WHERE "
                                                  "Sent_Doc_Status = 'P' AND Sent_KV_Doc_ID IN "
                                                  "(SELECT Sent_KV_Doc_ID FROM T_PV_Detail WHERE PVR_NO = ?)"),
                                   {pvr});
        writeAuditRow(sql, QStringLiteral("bench"), QStringLiteral("PV_CANCEL"), pvr,
                      QStringLiteral("คืนเลขที่ควบคุม %1 ใบ").arg(freed));
        sql.commit();
        if (wrote)
            *wrote += cancellationWritten(readerOf(sql), pvr);
    } catch (...) {
        sql.rollback();
        throw;
    }
    return pvr;
}

} // namespace

QVector<Comparison> financeComparisons(Database& db, BareSql& bare, const QString& budYear, const QString& today)
{
    const Rows busy = db.select(QStringLiteral("SELECT Fact_Code, SUBSTR(Sent_Date, 4, 7) AS m, COUNT(*) AS n "
                                               "FROM T_Sent_KV_Detail WHERE Sent_Doc_Status = 'A' "
                                               "GROUP BY Fact_Code, SUBSTR(Sent_Date, 4, 7) ORDER BY n DESC, Fact_Code"));
    if (busy.isEmpty())
        throw AppError(QStringLiteral("no open control numbers: generate again"));
    QVector<OpenCase> open;
    QStringList seen;
    for (int i = 0; i < busy.count() && seen.size() < 3; ++i)
        if (!seen.contains(busy.text(i, QStringLiteral("Fact_Code"))))
            seen << busy.text(i, QStringLiteral("Fact_Code"));
    for (const QString& f : seen)
        open.push_back({f});
    open.push_back({QString()});

    auto vc = std::make_shared<VoucherCase>();
    vc->fact = busy.text(0, QStringLiteral("Fact_Code"));
    vc->month = busy.text(0, QStringLiteral("m"));
    vc->budYear = budYear;
    vc->today = today;
    for (const finance::ControlRow& r :
         finance::Vouchers::listOpenControls(db, vc->fact, finance::Period::month(vc->month)))
        vc->controls << r.controlNo;
    // a voucher summary has five other-welfare slots; the generated claims stay below
    Database* pdb = &db;
    BareSql* psql = &bare;

    QVector<Comparison> list;
    list.push_back({QStringLiteral("open control numbers"),
                    QStringLiteral("%1 faculties and all faculties").arg(open.size() - 1),
                    sideOf(open, [pdb](const OpenCase& c) { return openProject(*pdb, c); }, openFingerprint),
                    sideOf(open, [psql](const OpenCase& c) { return openBare(*psql, c); }, openFingerprint), true,
                    nullptr});
    auto last = std::make_shared<QString>();
    list.push_back({QStringLiteral("voucher summary"),
                    QStringLiteral("%1 control numbers of %2 in %3, made and cancelled")
                        .arg(vc->controls.size())
                        .arg(vc->fact, vc->month),
                    Side{[pdb, vc, last] { *last = voucherProject(*pdb, *vc); }, [last] { return *last; }},
                    Side{[psql, vc, last] { *last = voucherBare(*psql, *vc); }, [last] { return *last; }}, false,
                    nullptr, 101, nullptr, [pdb, psql, vc] {
                        QString program, plain;
                        voucherProject(*pdb, *vc, &program);
                        voucherBare(*psql, *vc, &plain);
                        return std::pair{program, plain};
                    }});
    return list;
}

} // namespace wel::bench
