#include "Generator.h"
#include "common/AppError.h"
#include "common/Audit.h"
#include "common/Limits.h"
#include "common/Passwords.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/db/Schema.h"

#include <algorithm>

namespace wel::bench {

// The generator gives every employee a type of "1", "2" or "3".
Money limitOf(const QString& hType) { return rightTypeLimit(hType)->medical; }
Money copayLimitOf(const QString& hType) { return rightTypeLimit(hType)->copay; }

QString money(Money m) { return m.toPlain(); }

QDate weekdayOnOrBefore(QDate d)
{
    while (d.dayOfWeek() > 5)
        d = d.addDays(-1);
    return d;
}
QDate weekdayOnOrAfter(QDate d)
{
    while (d.dayOfWeek() > 5)
        d = d.addDays(1);
    return d;
}

QTime officeTime(Random& rnd) { return QTime(8, 30).addSecs(rnd.between(0, 8 * 3600)); }

void Generator::note(const QString& what)
{
    m_out << QStringLiteral("  %1 s  ").arg(double(m_clock.elapsed()) / 1000.0, 6, 'f', 1) << what << Qt::endl;
}

void Generator::refuseFilledDatabase()
{
    for (const char* table : {"T_Emp_Gov_Histry", "T_PAY_Health", "T_Sent_KV_Detail"})
        if (m_db.select(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(QLatin1String(table)))
                .integer(0, QStringLiteral("n")) > 0)
            throw AppError(QStringLiteral("%1 already has rows: generate into a new, empty database")
                               .arg(QLatin1String(table)));
}

void Generator::loadFaculties()
{
    const Rows rows = m_db.select(QStringLiteral("SELECT Fact_Code, Fact_Name FROM T_Fact ORDER BY Fact_Code"));
    const QVector<Faculty> standard = standardFaculties();
    if (rows.isEmpty()) {
        m_faculties = standard;
        Transaction tx(m_db);
        BulkInsert facts(m_db, QStringLiteral("T_Fact"), {QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name")});
        for (const Faculty& f : m_faculties)
            facts.add({f.code, f.name});
        facts.finish();
        tx.commit();
    } else {
        for (int r = 0; r < rows.count(); ++r) {
            Faculty f{rows.text(r, QStringLiteral("Fact_Code")), rows.text(r, QStringLiteral("Fact_Name")), 2};
            for (const Faculty& s : standard)
                if (s.code == f.code) {
                    f.weight = s.weight;
                    f.headcount = s.headcount;
                }
            m_faculties.push_back(f);
        }
    }
    m_hospital = m_faculties.first().code;
    double largest = 0;
    for (const Faculty& f : m_faculties) {
        if (f.code == QLatin1String("HO")) {
            m_hospital = f.code;
            break;
        }
        if (f.weight > largest) {
            largest = f.weight;
            m_hospital = f.code;
        }
    }
    const Rows kinds = m_db.select(QStringLiteral("SELECT Health_In_Out_t, Health_Desc FROM TR_Heal_Type"));
    for (int r = 0; r < kinds.count(); ++r)
        m_kindNames[kinds.text(r, QStringLiteral("Health_In_Out_t"))] = kinds.text(r, QStringLiteral("Health_Desc"));
}

void Generator::writeReferenceRows()
{
    Transaction tx(m_db);
    for (int y = m_firstYear; y <= m_lastYear + 1; ++y)
        m_db.insertIfAbsent(QStringLiteral("TR_Select_Year_Bud"), {QStringLiteral("Sel_Year_BudDate")},
                            {QString::number(y)}, 1);
    if (m_db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")) == 0) {
        BulkInsert users(m_db, QStringLiteral("T_USER"),
                         {QStringLiteral("ID"), QStringLiteral("Username"), QStringLiteral("Password"),
                          QStringLiteral("Fact_Code"), QStringLiteral("User_Type"), QStringLiteral("section"),
                          QStringLiteral("U_Surname"), QStringLiteral("U_F_Name"), QStringLiteral("U_L_Name"),
                          QStringLiteral("U_Position"), QStringLiteral("U_Tel_No")});
        int id = 0;
        auto user = [&](const QString& name, const QString& fact, int section, const QString& position) {
            ++id;
            users.add({id, name, Passwords::hash(name), fact, QStringLiteral("U"), section, QStringLiteral("นางสาว"),
                       QStringLiteral("ผู้ใช้%1").arg(id), QStringLiteral("ทดสอบระบบ"), position,
                       QStringLiteral("0-5394-%1").arg(4000 + id)});
        };
        user(QStringLiteral("admin"), QStringLiteral("OP"), 9, QStringLiteral("นักวิชาการคอมพิวเตอร์"));
        user(QStringLiteral("finance"), QStringLiteral("OP"), 7, QStringLiteral("นักวิชาการเงินและบัญชี"));
        for (const Faculty& f : m_faculties)
            user(clerkOf(f.code), f.code, f.code == m_hospital ? 2 : 4, QStringLiteral("เจ้าหน้าที่การเงิน"));
        users.finish();
    }
    tx.commit();
}

void Generator::writeEmployees()
{
    const int count = std::max(50, int(std::lround(20000 * m_opt.scale)));
    const QDate firstDay = budgetYearStart(m_firstYear);
    m_staff = makeEmployees(m_rnd, count, m_faculties, firstDay.addYears(-6), firstDay, m_opt.today);
    QHash<QString, QString> factNames;
    for (const Faculty& f : m_faculties)
        factNames[f.code] = f.name;
    const char* const rights[] = {"ประกันสังคม", "บัตรทอง", "ข้าราชการ", "ประกันสุขภาพเอกชน", "ไม่มี"};

    Transaction tx(m_db);
    BulkInsert emp(m_db, QStringLiteral("T_Emp_Gov_Histry"),
                   {QStringLiteral("KV_ID"), QStringLiteral("EMP_ID"), QStringLiteral("Emp_SSN"),
                    QStringLiteral("Emp_Surname"), QStringLiteral("Emp_F_Name"), QStringLiteral("Emp_L_Name"),
                    QStringLiteral("Emp_Position"), QStringLiteral("Emp_Level"), QStringLiteral("Emp_Dept_Name"),
                    QStringLiteral("Emp_In_date2"), QStringLiteral("Emp_Fact"), QStringLiteral("Emp_H_Type"),
                    QStringLiteral("Fact_code"), QStringLiteral("Bank_Account_No"), QStringLiteral("Emp_Status"),
                    QStringLiteral("USER_E_Del"), QStringLiteral("Emp_Out_date"), QStringLiteral("Exit_Reason"),
                    QStringLiteral("Exit_doc"), QStringLiteral("USER_E_Exit")});
    BulkInsert folk(m_db, QStringLiteral("T_Emp_Folk"),
                    {QStringLiteral("KV_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("EF_Surname"),
                     QStringLiteral("EF_F_Name"), QStringLiteral("EF_L_Name"), QStringLiteral("EF_Birthday"),
                     QStringLiteral("EF_Base_Right1"), QStringLiteral("EF_Base_Right2"),
                     QStringLiteral("EF_Base_Right3"), QStringLiteral("EF_SSN")});
    for (const Employee& e : m_staff) {
        const bool left = e.status == QLatin1String("O");
        const bool deleted = e.status == QLatin1String("D");
        emp.add({e.kvId, e.empId, e.ssn, e.title, e.first, e.last, e.position, e.level, e.dept, toBEText(e.inDate),
                 factNames.value(e.fact), e.hType, e.fact, e.bankAccount, e.status,
                 deleted ? QVariant(clerkOf(e.fact)) : QVariant(),
                 left ? QVariant(toBEText(e.outDate)) : QVariant(), left ? QVariant(e.exitReason) : QVariant(),
                 left ? QVariant(QStringLiteral("มช. %1/%2").arg(m_rnd.between(1, 999)).arg(e.outDate.year() + 543))
                      : QVariant(),
                 left ? QVariant(clerkOf(e.fact)) : QVariant()});
        for (const Person& p : e.family) {
            const bool self = p.code == QLatin1String("0");
            folk.add({e.kvId, p.code, p.title, p.first, p.last, self ? QString() : p.birthday,
                      self ? QVariant() : QVariant(m_rnd.pick(rights)), QVariant(), QVariant(),
                      self ? QVariant() : QVariant(QString::number(m_rnd.between(1, 5)) + m_rnd.digits(12))});
        }
    }
    emp.finish();
    folk.finish();
    tx.commit();
    m_totals.employees = emp.rowsWritten();
    m_totals.familyRows = folk.rowsWritten();
    note(QStringLiteral("%1 employees, %2 family rows").arg(m_totals.employees).arg(m_totals.familyRows));
}

void Generator::writeYearRows(int year)
{
    const QDate start = budgetYearStart(year), end = std::min(budgetYearEnd(year), m_opt.today);
    Transaction tx(m_db);
    BulkInsert rows(m_db, QStringLiteral("T_Year_Cur_Health"),
                    {QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Fact_T_H_Money"),
                     QStringLiteral("Fact_T_U_H"), QStringLiteral("KV_T_H_Money"), QStringLiteral("KV_T_U_H"),
                     QStringLiteral("Fact_T_Copay"), QStringLiteral("Fact_U_Copay"), QStringLiteral("Kv_T_Copay"),
                     QStringLiteral("Kv_U_Copay"), QStringLiteral("M_Flexben"), QStringLiteral("Year_Remark")});
    for (int i = 0; i < m_staff.size(); ++i) {
        const Employee& e = m_staff[i];
        if (e.status == QLatin1String("D") || e.inDate > end || (!e.outDate.isNull() && e.outDate < start))
            continue;
        const Usage u = m_usage.value(qint64(i) * 10000 + year);
        const Money h = limitOf(e.hType), t = copayLimitOf(e.hType);
        rows.add({e.kvId, QString::number(year), money(h), money(u.fact), money(h), money(u.kv), money(t),
                  money(u.copay), money(t), money(u.kvCopay), money(flexOf(e, year)),
                  QStringLiteral("สร้างโดยการประมวลผลประจำปีงบประมาณ %1").arg(year)});
        m_usage.remove(qint64(i) * 10000 + year);
    }
    rows.finish();
    tx.commit();
    m_totals.yearRows += rows.rowsWritten();
}

// Every counter holds the next number to hand out; the log-in has made the
// rows of the current budget year for every faculty.
void Generator::writeCounters()
{
    Transaction tx(m_db);
    QMap<QString, int> empKeys;
    for (const Employee& e : m_staff) {
        const QString year = e.kvId.mid(2, 4);
        empKeys[year] = std::max(empKeys.value(year), e.kvId.mid(7).toInt());
    }
    empKeys.insert(QString::number(m_lastYear), empKeys.value(QString::number(m_lastYear)));
    for (auto it = empKeys.cbegin(); it != empKeys.cend(); ++it)
        m_db.exec(QStringLiteral("INSERT INTO T_Emp_RunNo (Emp_Year, Run_No) VALUES (?, ?)"), {it.key(), it.value() + 1});
    BulkInsert claims(m_db, QStringLiteral("T_Berg_Runno"),
                      {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")});
    BulkInsert edu(m_db, QStringLiteral("T_Berg_Edu_Runno"),
                   {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")});
    for (int year = m_firstYear; year <= m_lastYear; ++year)
        for (const Faculty& f : m_faculties) {
            const int used = m_claimCounter.value({f.code, year});
            if (used > 0 || year == m_lastYear)
                claims.add({f.code, QString::number(year), used + 1});
            edu.add({f.code, QString::number(year), 1});
        }
    claims.finish();
    edu.finish();
    if (m_db.select(QStringLiteral("SELECT 1 FROM T_Sent_KV_RunNo WHERE Sent_Year = ?"),
                    {QString::number(m_lastYear)}).isEmpty())
        m_db.exec(QStringLiteral("INSERT INTO T_Sent_KV_RunNo (Sent_Year, Run_No) VALUES (?, 1)"),
                  {QString::number(m_lastYear)});
    if (m_db.select(QStringLiteral("SELECT 1 FROM T_PVR_Runno WHERE Sent_Year = ?"),
                    {QString::number(m_lastYear)}).isEmpty())
        m_db.exec(QStringLiteral("INSERT INTO T_PVR_Runno (Sent_Year, Run_No) VALUES (?, 1)"),
                  {QString::number(m_lastYear)});
    tx.commit();
}

GenerateTotals Generator::run()
{
    m_clock.start();
    createSchema(m_db);
    loadReferenceData(m_db);
    refuseFilledDatabase();
    loadFaculties();
    writeReferenceRows();
    writeEmployees();
    for (int year = m_firstYear; year <= m_lastYear; ++year) {
        generateYear(year);
        if (year > m_firstYear)
            writeYearRows(year - 1); // claims entered up to November still charged that year
    }
    writeYearRows(m_lastYear);
    writeControlNumbers();
    writeCounters();
    // The documents were written without the services that record their
    // making: they are recorded as made before the trail, as on an
    // installation that upgraded.
    {
        Transaction tx(m_db);
        audit::recordBaseline(m_db);
        tx.commit();
    }
    // the statistics a server in use has: PostgreSQL's autovacuum gathers
    // them, the program's SQLite connections when they close
    m_db.exec(QStringLiteral("ANALYZE"));
    note(QStringLiteral("done"));
    return m_totals;
}

GenerateTotals generateInstallation(Database& db, const GenerateOptions& options, QTextStream& progress)
{
    if (!options.today.isValid() || options.scale <= 0 || options.years < 2)
        throw AppError(QStringLiteral("generate: a scale above 0 and a valid date are needed"));
    Generator g(db, options, progress);
    return g.run();
}

} // namespace wel::bench
