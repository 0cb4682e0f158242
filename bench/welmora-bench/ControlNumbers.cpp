#include "Generator.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

#include <algorithm>

namespace wel::bench {

namespace {

// The finance division gathers a month's control numbers of a faculty into
// a payment voucher around the 20th of the next month; until then they are
// open ("A").
QDate voucherDayFor(const QDate& sent)
{
    const QDate next = QDate(sent.year(), sent.month(), 1).addMonths(1);
    return weekdayOnOrAfter(QDate(next.year(), next.month(), 20));
}

} // namespace

void Generator::writeControlNumbers()
{
    // A few control numbers were cancelled and their claims sent again a few
    // days later: the cancelled one keeps its members.
    const int sent = int(m_batches.size());
    for (int i = 0; i < sent; ++i)
        if (m_rnd.chance(0.015)) {
            Batch cancelled = m_batches[i];
            cancelled.cancelled = true;
            cancelled.sendDate = weekdayOnOrBefore(cancelled.sendDate.addDays(-m_rnd.between(2, 7)));
            m_batches.push_back(cancelled);
        }
    std::sort(m_batches.begin(), m_batches.end(), [](const Batch& a, const Batch& b) {
        return std::tie(a.sendDate, a.sendTime, a.fact) < std::tie(b.sendDate, b.sendTime, b.fact);
    });
    QHash<int, int> numbers;
    QVector<Batch*> paid;
    Transaction tx(m_db);
    BulkInsert head(m_db, QStringLiteral("T_Sent_KV_Detail"),
                    {QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Sent_Date"), QStringLiteral("Sent_Time"),
                     QStringLiteral("Sent_Doc_Status"), QStringLiteral("Sent_Doc_Type"), QStringLiteral("Fact_Code"),
                     QStringLiteral("Sent_User")});
    BulkInsert members(m_db, QStringLiteral("T_Sent_KV"),
                       {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Order_No")});
    for (Batch& b : m_batches) {
        const int year = budgetYear(b.sendDate);
        b.id = QStringLiteral("KV%1/%2%3").arg(year).arg(++numbers[year], 6, 10, QLatin1Char('0')).arg(b.fact);
        b.voucherDate = voucherDayFor(b.sendDate);
        b.status = b.cancelled ? QStringLiteral("C") : b.voucherDate <= m_opt.today ? QStringLiteral("P")
                                                                                      : QStringLiteral("A");
        if (b.status == QLatin1String("P"))
            paid.push_back(&b);
        head.add({b.id, toBEText(b.sendDate), b.sendTime.toString(QStringLiteral("HH:mm:ss")), b.status, b.sentType,
                  b.fact, b.user});
        std::sort(b.members.begin(), b.members.end(),
                  [](const Member& x, const Member& y) { return x.claimId < y.claimId; });
        int order = 0;
        for (const Member& m : b.members)
            members.add({m.claimId, b.id, ++order});
    }
    head.finish();
    members.finish();
    for (auto it = numbers.cbegin(); it != numbers.cend(); ++it)
        m_db.exec(QStringLiteral("INSERT INTO T_Sent_KV_RunNo (Sent_Year, Run_No) VALUES (?, ?)"),
                  {QString::number(it.key()), it.value() + 1});
    writeVouchers(paid);
    tx.commit();
    m_totals.controlNumbers = head.rowsWritten();
    m_totals.members = members.rowsWritten();
    note(QStringLiteral("%1 control numbers, %2 members, %3 vouchers").arg(m_totals.controlNumbers)
             .arg(m_totals.members).arg(m_totals.vouchers));
}

void Generator::writeVouchers(const QVector<Batch*>& paid)
{
    QMap<QPair<QDate, QString>, QVector<Batch*>> byVoucher;
    for (Batch* b : paid)
        byVoucher[{b->voucherDate, b->fact}].push_back(b);
    BulkInsert pv(m_db, QStringLiteral("T_PV"),
                  {QStringLiteral("PVR_NO"), QStringLiteral("Sent_Date"), QStringLiteral("Sent_Time"),
                   QStringLiteral("Sent_Doc_Status"), QStringLiteral("Fact_Code"), QStringLiteral("Sent_User"),
                   QStringLiteral("EDU_Count"), QStringLiteral("EDU_Money"), QStringLiteral("He_In_Count"),
                   QStringLiteral("He_In_Money"), QStringLiteral("He_Out_Count"), QStringLiteral("He_Out_Money"),
                   QStringLiteral("Oth_Count"), QStringLiteral("Oth_Money"), QStringLiteral("Oth_Detail1"),
                   QStringLiteral("Oth_Detail2"), QStringLiteral("Oth_Detail3"), QStringLiteral("Oth_Detail4"),
                   QStringLiteral("Oth_Detail5"), QStringLiteral("Pay_For_Per"), QStringLiteral("Dep_Sub_Doc_No"),
                   QStringLiteral("FN_Doc_No"), QStringLiteral("FN_Doc_Date"), QStringLiteral("PV_Doc_No"),
                   QStringLiteral("PV_date")});
    BulkInsert detail(m_db, QStringLiteral("T_PV_Detail"),
                      {QStringLiteral("PVR_NO"), QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Order_No")});
    QHash<int, int> numbers;
    for (auto it = byVoucher.cbegin(); it != byVoucher.cend(); ++it) {
        const QDate day = it.key().first;
        const QString fact = it.key().second;
        const int year = budgetYear(day);
        const QString id = QStringLiteral("PVR%1/%2%3").arg(year).arg(++numbers[year], 5, 10, QLatin1Char('0')).arg(fact);
        int counts[4] = {0, 0, 0, 0}; // education, in-patient, outpatient, other
        Money sums[4];
        QStringList others;
        int order = 0;
        for (const Batch* b : it.value()) {
            detail.add({id, b->id, ++order});
            for (const Member& m : b->members) {
                const int k = m.inOut == QLatin1String("E") ? 0 : m.inOut == QLatin1String("1") ? 1
                                                              : m.inOut == QLatin1String("0") ? 2 : 3;
                ++counts[k];
                sums[k] += m.payable;
                if (k == 3 && !others.contains(m_kindNames.value(m.inOut)) && others.size() < 5)
                    others << m_kindNames.value(m.inOut);
            }
        }
        while (others.size() < 5)
            others << QString();
        const bool numbered = day.daysTo(m_opt.today) > 20;
        const QDate paidOn = weekdayOnOrAfter(day.addDays(12));
        pv.add({id, toBEText(day), officeTime(m_rnd).toString(QStringLiteral("HH:mm:ss")), QStringLiteral("A"), fact,
                QStringLiteral("finance"), counts[0], money(sums[0]), counts[1], money(sums[1]), counts[2],
                money(sums[2]), counts[3], money(sums[3]), others[0], others[1], others[2], others[3], others[4],
                QStringLiteral("เจ้าหน้าที่การเงินส่วนงาน %1").arg(fact),
                numbered ? QVariant(QStringLiteral("%1 %2/%3").arg(fact).arg(m_rnd.between(1, 900)).arg(year)) : QVariant(),
                numbered ? QVariant(QStringLiteral("กค %1/%2").arg(m_rnd.between(1, 5000)).arg(year)) : QVariant(),
                numbered ? QVariant(toBEText(day.addDays(7))) : QVariant(),
                numbered ? QVariant(QStringLiteral("PV%1").arg(m_rnd.digits(6))) : QVariant(),
                numbered ? QVariant(toBEText(paidOn)) : QVariant()});
    }
    pv.finish();
    detail.finish();
    for (auto it = numbers.cbegin(); it != numbers.cend(); ++it)
        m_db.exec(QStringLiteral("INSERT INTO T_PVR_Runno (Sent_Year, Run_No) VALUES (?, ?)"),
                  {QString::number(it.key()), it.value() + 1});
    m_totals.vouchers = pv.rowsWritten();
}

} // namespace wel::bench
