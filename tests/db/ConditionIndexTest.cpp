#include "TestDb.h"
#include "common/db/Schema.h"

using namespace wel;
using wel::test::TestDb;

namespace {

// Two faculties' claims over ten years in every state and kind, their
// control numbers and staff, with the servers' statistics of them: enough for
// a planner to tell the indexes apart.
void fillFaculties(Database& db)
{
    const char* const states[] = {"KV", "KV", "KV", "KV", "NO", "FC"};
    const char* const kinds[] = {"FAE", "FAE", "FAE", "HPE", "COP", "EDU", "OTH"};
    const char* const names[] = {"สม", "ประ", "วี", "อนุ", "ธีร", "กิตติ", "สุร", "ชัย", "พิ", "ณัฐ",
                                 "ศุภ", "อำ", "ไพ", "เอก", "บุญ", "ปิย", "นิ", "จิร", "ศิริ", "รัตน"};
    const int rows = 300;
    QVariantList claims, sent, staff;
    for (int i = 0; i < rows; ++i) {
        const QString date = QStringLiteral("%1/%2/%3")
                                 .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(i / 10 % 12 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(2560 + i % 10);
        const QString fact = i % 5 ? QStringLiteral("SC") : QStringLiteral("EN");
        claims << QStringLiteral("%1/%2").arg(fact).arg(i, 7, 10, QLatin1Char('0')) << fact
               << QString::fromLatin1(states[i % 6]) << QString::fromLatin1(kinds[i % 7]) << date;
        sent << QStringLiteral("KV2569/%1%2").arg(i, 6, 10, QLatin1Char('0')).arg(fact) << fact << date;
        staff << QStringLiteral("KV2569/%1").arg(i, 6, 10, QLatin1Char('0'))
              << (i % 10 ? QString() : QStringLiteral("T")) + QString::number(100000 + i * 37)
              << QStringLiteral("3") + QString::number(100000000000LL + i * 104729LL)
              << QString::fromUtf8(names[i % 20]) + QString::number(i) << fact;
    }
    auto rowsOf = [&](int columns) {
        QStringList marks(columns, QStringLiteral("?"));
        return QStringList(rows, QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')'))
            .join(QStringLiteral(", "));
    };
    Transaction tx(db);
    db.exec(QStringLiteral("INSERT INTO T_PAY_Health (Berg_Doc_ID, Fact_Code, Berg_Doc_Status, Berg_Type_Code, Date_Ent) "
                           "VALUES ")
                + rowsOf(5),
            claims);
    db.exec(QStringLiteral("INSERT INTO T_Sent_KV_Detail (Sent_KV_Doc_ID, Fact_Code, Sent_Date) VALUES ") + rowsOf(3),
            sent);
    db.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_F_Name, Fact_code) VALUES ")
                + rowsOf(5),
            staff);
    db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Status = 'A'"));
    tx.commit();
    for (const char* table : {"T_PAY_Health", "T_Sent_KV_Detail", "T_Emp_Gov_Histry"})
        db.exec(QStringLiteral("ANALYZE %1").arg(QLatin1String(table)));
}

// The server's plan of a statement, as one text. PostgreSQL prepares no
// EXPLAIN, so there the test's own constants are written into the text, and
// reading a table whole is forbidden, as such small tables are read whole
// anyway: the plan shows which index serves the condition best.
QString planOf(Database& db, const QString& sql, const QStringList& values)
{
    QStringList lines;
    if (db.kind() == DbKind::SQLite) {
        QVariantList params;
        for (const QString& v : values)
            params << v;
        const Rows r = db.select(QStringLiteral("EXPLAIN QUERY PLAN ") + sql, params);
        for (int i = 0; i < r.count(); ++i)
            lines << r.text(i, QStringLiteral("detail"));
        return lines.join(QLatin1Char('\n'));
    }
    QString text = sql;
    for (const QString& v : values)
        text.replace(text.indexOf(QLatin1Char('?')), 1, QLatin1Char('\'') + v + QLatin1Char('\''));
    db.exec(QStringLiteral("SET enable_seqscan = off"));
    const Rows r = db.select(QStringLiteral("EXPLAIN ") + text);
    db.exec(QStringLiteral("SET enable_seqscan = on"));
    for (int i = 0; i < r.count(); ++i)
        lines << r.value(i, 0).toString();
    return lines.join(QLatin1Char('\n'));
}

QStringList conditionIndexNames(Database& db)
{
    const Rows r = db.kind() == DbKind::SQLite
        ? db.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE 'cx!_%' ESCAPE '!' "
                                   "ORDER BY name"))
        : db.select(QStringLiteral("SELECT indexname AS name FROM pg_indexes WHERE schemaname = current_schema() "
                                   "AND indexname LIKE 'cx!_%' ESCAPE '!' ORDER BY indexname"));
    QStringList names;
    for (int i = 0; i < r.count(); ++i)
        names << r.text(i, QStringLiteral("name"));
    return names;
}

} // namespace

// The conditions of the employee search and of the claim listings, written
// through Database's per-server pieces, seek on the index made for them
// instead of reading every employee or every claim.
TEST(ConditionIndexes, SearchesAndListingsSeekOnTheirIndex)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    fillFaculties(db);
    const QString employees = QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A' AND ");
    const QString claims = QStringLiteral("SELECT Berg_Doc_ID FROM T_PAY_Health WHERE ");
    const QString facultyClaims = claims + db.ciEquals(QStringLiteral("Fact_Code")) + QStringLiteral(" AND ");
    const struct {
        const char* what;
        QString sql;
        QStringList values;
        const char* index;
    } cases[] = {
        {"given name within a faculty",
         employees + QStringLiteral("Emp_F_Name LIKE ? ESCAPE '!' AND ") + db.ciEquals(QStringLiteral("Fact_code")),
         {QStringLiteral("สม%"), QStringLiteral("sc")}, "cx_t_emp_gov_histry_1"},
        {"given name in every faculty", employees + QStringLiteral("Emp_F_Name LIKE ? ESCAPE '!'"),
         {QStringLiteral("สม%")}, "cx_t_emp_gov_histry_2"},
        {"staff number", employees + db.ciLike(QStringLiteral("EMP_ID"), QLatin1Char('!')), {QStringLiteral("t1000%")},
         "cx_t_emp_gov_histry_3"},
        {"identity number", employees + QStringLiteral("Emp_SSN LIKE ? ESCAPE '!'"), {QStringLiteral("31000000%")},
         "cx_t_emp_gov_histry_4"},
        {"open claims of a faculty and kind",
         facultyClaims + QStringLiteral("Berg_Doc_Status = 'FC' AND Berg_Type_Code = ?"),
         {QStringLiteral("sc"), QStringLiteral("FAE")}, "cx_t_pay_health_1"},
        // On a table this small PostgreSQL may as well take the month of every
        // faculty and sift the faculty out: a seek either way.
        {"claims of a faculty entered in a month",
         facultyClaims + db.substr(QStringLiteral("Date_Ent"), 4, 7) + QStringLiteral(" = ?"),
         {QStringLiteral("sc"), QStringLiteral("11/2569")}, "cx_t_pay_health_2|cx_t_pay_health_7"},
        {"claims of every faculty entered in the months of a budget year",
         claims + db.substr(QStringLiteral("Date_Ent"), 4, 7) + QStringLiteral(" IN (?, ?)"),
         {QStringLiteral("10/2569"), QStringLiteral("11/2569")}, "cx_t_pay_health_7"},
        {"claims of a faculty made in a year",
         facultyClaims + db.substr(QStringLiteral("Date_berg"), 7, 4) + QStringLiteral(" = ?"),
         {QStringLiteral("sc"), QStringLiteral("2569")}, "cx_t_pay_health_5|cx_t_pay_health_6"},
        {"claims of a faculty entered in a year",
         facultyClaims + db.substr(QStringLiteral("Date_Ent"), 7, 4) + QStringLiteral(" = ?"),
         {QStringLiteral("sc"), QStringLiteral("2569")}, "cx_t_pay_health_3"},
        {"claims of a faculty entered on a day", facultyClaims + QStringLiteral("Date_Ent = ?"),
         {QStringLiteral("sc"), QStringLiteral("15/11/2569")}, "cx_t_pay_health_4"},
        {"control numbers of a faculty sent on a day",
         QStringLiteral("SELECT Sent_KV_Doc_ID FROM T_Sent_KV_Detail WHERE ") + db.ciEquals(QStringLiteral("Fact_Code"))
             + QStringLiteral(" AND Sent_Date = ?"),
         {QStringLiteral("sc"), QStringLiteral("15/11/2569")}, "cx_t_sent_kv_detail_2"},
    };
    for (const auto& c : cases) {
        const QString plan = planOf(db, c.sql, c.values);
        const QStringList indexes = QString::fromLatin1(c.index).split(u'|');
        EXPECT_TRUE(std::any_of(indexes.begin(), indexes.end(), [&](const QString& i) { return plan.contains(i); }))
            << c.what << ":\n" << plan.toStdString();
    }
}

// welmora-admin init runs createSchema on a database in use: an index this
// version adds is made there, once.
TEST(ConditionIndexes, AnExistingDatabaseGainsThem)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    const QStringList made = conditionIndexNames(db);
    ASSERT_EQ(made.size(), conditionIndexes().size());
    for (const QString& name : made.mid(2))
        db.exec(QStringLiteral("DROP INDEX %1").arg(name));
    ASSERT_EQ(conditionIndexNames(db).size(), 2);
    createSchema(db);
    createSchema(db);
    EXPECT_EQ(conditionIndexNames(db), made);
}

// ciLike ignores the case of Latin letters on every server, and the escape
// character keeps a typed wildcard literal.
TEST(ConditionIndexes, CaseBlindPrefixMatch)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    int n = 0;
    for (const char* id : {"T6100123", "t6100456", "5500123", "55%0001"})
        db.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID) VALUES (?, ?)"),
                {QStringLiteral("KV2569/%1").arg(++n, 6, 10, QLatin1Char('0')), QString::fromLatin1(id)});
    const QString sql = QStringLiteral("SELECT EMP_ID FROM T_Emp_Gov_Histry WHERE ")
        + db.ciLike(QStringLiteral("EMP_ID"), QLatin1Char('!')) + QStringLiteral(" ORDER BY KV_ID");
    const struct {
        const char* pattern;
        QStringList found;
    } cases[] = {
        {"t61%", {QStringLiteral("T6100123"), QStringLiteral("t6100456")}},
        {"T6100456%", {QStringLiteral("t6100456")}},
        {"55%", {QStringLiteral("5500123"), QStringLiteral("55%0001")}},
        {"55!%%", {QStringLiteral("55%0001")}},
        {"x%", {}},
    };
    for (const auto& c : cases) {
        const Rows r = db.select(sql, {QString::fromLatin1(c.pattern)});
        QStringList found;
        for (int i = 0; i < r.count(); ++i)
            found << r.text(i, QStringLiteral("EMP_ID"));
        EXPECT_EQ(found, c.found) << c.pattern;
    }
}
