#include "FinanceFixture.h"
#include "common/AppError.h"

#include <QThread>
#include <thread>

namespace wel::test {

FinanceFixture::FinanceFixture(TestDb::Seed seed) : t(seed)
{
    Database& d = db();
    for (auto [code, name] : {std::pair{"SC", "คณะวิทยาศาสตร์"}, std::pair{"EN", "คณะวิศวกรรมศาสตร์"},
                              std::pair{"OP", "สำนักงานอธิการบดี (กองคลัง)"}})
        d.insertIfAbsent(QStringLiteral("T_Fact"), {QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name")},
                         {QString::fromLatin1(code), QString::fromUtf8(name)}, 1);
    d.insertIfAbsent(QStringLiteral("T_PVR_Runno"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                     {QStringLiteral("2568"), 1}, 1);
    if (seed >= TestDb::Demo)
        return;
    for (const char* kvId : {"KV2567/000001", "KV2567/000002"}) {
        d.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_Surname, Emp_F_Name, Emp_L_Name, "
                              "Emp_H_Type, Fact_code, Emp_Status) VALUES (?, ?, ?, ?, ?, '2', 'SC', 'A')"),
               {QString::fromLatin1(kvId), QStringLiteral("5567") + QString::fromLatin1(kvId).right(4),
                QStringLiteral("นาย"), QStringLiteral("สมชาย"), QStringLiteral("ใจดี")});
        for (const char* year : {"2567", "2568"})
            d.exec(QStringLiteral("INSERT INTO T_Year_Cur_Health (KV_ID, Pay_Year, Fact_T_H_Money, Fact_T_U_H, "
                                  "KV_T_H_Money, KV_T_U_H, Fact_T_Copay, Fact_U_Copay, Kv_T_Copay, Kv_U_Copay, "
                                  "M_Flexben) VALUES (?, ?, 20000, 9000, 20000, 9000, 25000, 3000, 25000, 3000, 0)"),
                   {QString::fromLatin1(kvId), QString::fromLatin1(year)});
    }
}

FinanceFixture::Claim FinanceFixture::of(const QString& type, const QString& inOut, Money payable)
{
    Claim c;
    c.type = type;
    c.inOut = inOut;
    c.payable = payable;
    return c;
}

QString FinanceFixture::claim(const Claim& c)
{
    const QString no = QStringLiteral("%1%2/%3").arg(c.fact, QStringLiteral("2568")).arg(++m_claims, 7, 10, QLatin1Char('0'));
    const Money claimed = c.claimed.isZero() ? c.payable : c.claimed;
    db().exec(QStringLiteral("INSERT INTO T_PAY_Health (Berg_Doc_ID, KV_ID, Pay_Year, Date_berg, T_M_Berg, M_Can_Berg, "
                             "Date_Ent, Berg_Doc_Status, Health_In_Out_t, Fact_Code, Berg_Type_Code, Ent_User) "
                             "VALUES (?, ?, ?, '10/01/2568', ?, ?, '10/01/2568', ?, ?, ?, ?, 'clerk')"),
              {no, c.kvId, c.payYear, claimed.toSql(), c.payable.toSql(), c.status, c.inOut, c.fact, c.type});
    return no;
}

QString FinanceFixture::control(const QStringList& claimNos, const QString& type, const QString& fact,
                                const QString& sentDate, const QString& status)
{
    const QString no = QStringLiteral("KV2568/%1%2").arg(++m_controls, 6, 10, QLatin1Char('0')).arg(fact);
    db().exec(QStringLiteral("INSERT INTO T_Sent_KV_Detail (Sent_KV_Doc_ID, Sent_Date, Sent_Time, Sent_Doc_Status, "
                             "Sent_Doc_Type, Fact_Code, Sent_User) VALUES (?, ?, '09:30:00', ?, ?, ?, 'clerk')"),
              {no, sentDate, status, type, fact});
    for (int i = 0; i < claimNos.size(); ++i)
        db().exec(QStringLiteral("INSERT INTO T_Sent_KV (Berg_Doc_ID, Sent_KV_Doc_ID, Order_No) VALUES (?, ?, ?)"),
                  {claimNos[i], no, i + 1});
    return no;
}

QString FinanceFixture::controlOf(const QString& inOut, const QList<qint64>& baht, const QString& type,
                                  const QString& fact)
{
    QStringList claims;
    for (qint64 b : baht) {
        Claim c = of(type, inOut, Money::fromBaht(b));
        c.fact = fact;
        claims << claim(c);
    }
    return control(claims, type, fact);
}

QString FinanceFixture::controlStatus(const QString& controlNo)
{
    return db()
        .select(QStringLiteral("SELECT Sent_Doc_Status FROM T_Sent_KV_Detail WHERE Sent_KV_Doc_ID = ?"), {controlNo})
        .text(0, QStringLiteral("Sent_Doc_Status"));
}

QString FinanceFixture::claimStatus(const QString& claimNo)
{
    return db()
        .select(QStringLiteral("SELECT Berg_Doc_Status FROM T_PAY_Health WHERE Berg_Doc_ID = ?"), {claimNo})
        .text(0, QStringLiteral("Berg_Doc_Status"));
}

Money FinanceFixture::used(const QString& column, const QString& kvId, const QString& year)
{
    const Rows r = db().select(
        QStringLiteral("SELECT %1 AS U FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?").arg(column),
        {kvId, year});
    if (r.isEmpty()) {
        ADD_FAILURE() << "no yearly row " << kvId.toStdString() << " " << year.toStdString();
        return {};
    }
    return r.money(0, QStringLiteral("U"));
}

qint64 FinanceFixture::count(const QString& sqlCount, const QVariantList& params)
{
    return db().select(sqlCount, params).value(0, 0).toLongLong();
}

LoginContext financeClerk()
{
    LoginContext c;
    c.Cur_Date = QStringLiteral("20/01/2568");
    c.Cur_Bud_Year = QStringLiteral("2568");
    c.Cur_Fact_Code = QStringLiteral("OP");
    c.Cur_Username = QStringLiteral("finance");
    c.Cur_Mode = QStringLiteral("KV");
    c.section = 7;
    return c;
}

LoginContext facultyClerk()
{
    LoginContext c = financeClerk();
    c.Cur_Fact_Code = QStringLiteral("SC");
    c.Cur_Username = QStringLiteral("clerk");
    c.Cur_Mode = QStringLiteral("FC");
    c.section = 4;
    return c;
}

QString raceAgainst(TestDb& t, const std::function<void(Database&)>& holder, const std::function<void(Database&)>& op)
{
    auto other = t.connectAgain();
    QString failure;
    {
        Transaction held(*other);
        holder(*other);
        std::thread station([&] {
            auto mine = t.connectAgain();
            failure = errorOf([&] { op(*mine); });
        });
        // Give the other station time to reach the held rows and wait there.
        QThread::msleep(300);
        held.commit();
        station.join();
    }
    return failure;
}

} // namespace wel::test
