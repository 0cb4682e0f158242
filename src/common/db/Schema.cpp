#include "Schema.h"
#include "Database.h"
#include "common/Audit.h"

#include <QHash>
#include <QSet>

namespace wel {

namespace {

ColumnDef txt(const char* name, int width) { return {QString::fromLatin1(name), ColumnDef::Text, width}; }
ColumnDef num(const char* name) { return {QString::fromLatin1(name), ColumnDef::Int, 0}; }
ColumnDef amt(const char* name) { return {QString::fromLatin1(name), ColumnDef::Money, 0}; }
ColumnDef autoId(const char* name) { return {QString::fromLatin1(name), ColumnDef::AutoId, 0}; }
QStringList cols(std::initializer_list<const char*> names)
{
    QStringList l;
    for (const char* n : names)
        l << QString::fromLatin1(n);
    return l;
}

KeyPart plain(const char* c) { return {QString::fromLatin1(c), KeyPart::Column}; }
KeyPart folded(const char* c) { return {QString::fromLatin1(c), KeyPart::CaseFolded}; }
KeyPart part(const char* c, int start, int length) { return {QString::fromLatin1(c), KeyPart::Part, start, length}; }
KeyPart prefix(const char* c) { return {QString::fromLatin1(c), KeyPart::Prefix}; }
KeyPart foldedPrefix(const char* c) { return {QString::fromLatin1(c), KeyPart::CaseFoldedPrefix}; }

// The searches and listings of many thousand rows: the employee search by
// name, staff number or identity number within a faculty (codes compared
// without case), and a faculty's claims by status and kind or by the day,
// month or year of entry (the dialect's substr of the date text).
QVector<ConditionIndex> defineConditionIndexes()
{
    const QString emp = QStringLiteral("T_Emp_Gov_Histry");
    const QString claims = QStringLiteral("T_PAY_Health");
    const QString sent = QStringLiteral("T_Sent_KV_Detail");
    return {
        {emp, {folded("Fact_code"), prefix("Emp_F_Name")}},
        {emp, {prefix("Emp_F_Name")}},
        {emp, {foldedPrefix("EMP_ID")}},
        {emp, {prefix("Emp_SSN")}},
        {claims, {folded("Fact_Code"), plain("Berg_Doc_Status"), plain("Berg_Type_Code")}},
        {claims, {folded("Fact_Code"), part("Date_Ent", 4, 7)}},
        {claims, {folded("Fact_Code"), part("Date_Ent", 7, 4)}},
        {claims, {folded("Fact_Code"), plain("Date_Ent")}},
        // The claim register by the year a claim was made, of one faculty or
        // of all: without them it reads the claims of every year.
        {claims, {folded("Fact_Code"), part("Date_berg", 7, 4)}},
        {claims, {part("Date_berg", 7, 4)}},
        // The overview's months of a budget year over every faculty.
        {claims, {part("Date_Ent", 4, 7)}},
        {sent, {folded("Fact_Code"), plain("Sent_Doc_Status")}},
        {sent, {folded("Fact_Code"), plain("Sent_Date")}},
    };
}

// Widths are at least the entry limits of the screens; columns the screens
// leave open get room for what the personnel office delivers.
QVector<TableDef> defineTables()
{
    QVector<TableDef> t;
    t.push_back({QStringLiteral("T_Emp_Gov_Histry"),
                 {txt("KV_ID", 13), txt("EMP_ID", 12), txt("Emp_SSN", 13), txt("Emp_Surname", 35),
                  txt("Emp_F_Name", 40), txt("Emp_L_Name", 40), txt("Emp_Position", 250),
                  txt("Emp_Level", 2), txt("Emp_Dept_Name", 250), txt("Emp_In_date2", 10),
                  txt("Emp_In_date", 10), txt("Emp_Fact", 250), txt("Emp_H_Type", 1),
                  txt("Fact_code", 2), txt("Bank_Account_No", 30), txt("Emp_Status", 1),
                  txt("USER_E_Del", 50), txt("Emp_Out_date", 10), txt("Exit_Reason", 250),
                  txt("Exit_doc", 100), txt("USER_E_Exit", 50)},
                 {cols({"KV_ID"})},
                 {cols({"EMP_ID"}), cols({"Emp_SSN"}), cols({"Fact_code", "Emp_Status"}),
                  cols({"Emp_F_Name"})}});
    t.push_back({QStringLiteral("T_Emp_Folk"),
                 {txt("KV_ID", 13), txt("Emp_Folk", 1), txt("EF_Surname", 35), txt("EF_F_Name", 40),
                  txt("EF_L_Name", 40), txt("EF_Birthday", 10), txt("EF_Base_Right1", 100),
                  txt("EF_Base_Right2", 100), txt("EF_Base_Right3", 100), txt("EF_SSN", 13)},
                 {cols({"KV_ID", "Emp_Folk"})},
                 {}});
    t.push_back({QStringLiteral("Tr_Folk"), {txt("Emp_Folk", 1), txt("Folk_name", 50)}, {cols({"Emp_Folk"})}, {}});
    t.push_back({QStringLiteral("T_Fact"), {txt("Fact_Code", 2), txt("Fact_Name", 250)}, {cols({"Fact_Code"})}, {}});
    // Password holds a password hash (Passwords.h); Password_Change is 1 while
    // the user still has the password someone else gave him.
    t.push_back({QStringLiteral("T_USER"),
                 {num("ID"), txt("Username", 50), txt("Password", 128), txt("Fact_Code", 2),
                  txt("User_Type", 10), num("section"), txt("U_Surname", 35), txt("U_F_Name", 40),
                  txt("U_L_Name", 40), txt("U_Position", 250), txt("U_Tel_No", 50), num("Password_Change")},
                 {cols({"ID"}), cols({"Username"})},
                 {}});
    t.push_back({QStringLiteral("TR_Section"), {num("section"), txt("Section_Name", 100)}, {cols({"section"})}, {}});
    t.push_back({QStringLiteral("T_Version"), {txt("Version_NO", 20)}, {}, {}});
    // Facts about the installation itself, such as "DEMO" on a demo database.
    t.push_back({QStringLiteral("T_Setting"), {txt("Set_Key", 50), txt("Set_Value", 250)}, {cols({"Set_Key"})}, {}});
    t.push_back({QStringLiteral("TR_main_msg"),
                 {txt("main_msg1", 250), txt("main_msg2", 250), txt("main_msg3", 250)}, {}, {}});
    t.push_back({QStringLiteral("TR_Heal_Type"),
                 {txt("Health_In_Out_t", 2), txt("Health_Desc", 250), txt("Health_Other_Code", 1)},
                 {cols({"Health_In_Out_t"})},
                 {}});
    t.push_back({QStringLiteral("TR_Select_Year_Bud"), {txt("Sel_Year_BudDate", 4)}, {cols({"Sel_Year_BudDate"})}, {}});
    t.push_back({QStringLiteral("PerHistry"), {txt("PersonId", 13), txt("Bank_Account_No", 30)}, {}, {cols({"PersonId"})}});

    t.push_back({QStringLiteral("T_Emp_RunNo"), {txt("Emp_Year", 4), num("Run_No")}, {cols({"Emp_Year"})}, {}});
    t.push_back({QStringLiteral("T_Berg_Runno"), {txt("Fact_Code", 2), txt("Berg_Year", 4), num("Run_No")},
                 {cols({"Fact_Code", "Berg_Year"})}, {}});
    t.push_back({QStringLiteral("T_Berg_Edu_Runno"), {txt("Fact_Code", 2), txt("Berg_Year", 4), num("Run_No")},
                 {cols({"Fact_Code", "Berg_Year"})}, {}});
    t.push_back({QStringLiteral("T_Sent_KV_RunNo"), {txt("Sent_Year", 4), num("Run_No")}, {cols({"Sent_Year"})}, {}});
    t.push_back({QStringLiteral("T_PVR_Runno"), {txt("Sent_Year", 4), num("Run_No")}, {cols({"Sent_Year"})}, {}});

    t.push_back({QStringLiteral("T_PAY_Health"),
                 {txt("Berg_Doc_ID", 20), txt("KV_ID", 13), txt("Pay_Year", 4), txt("Date_berg", 10),
                  amt("T_M_Berg"), amt("M_Can_Berg"), amt("Vong_M_Befor"), txt("Date_Ent", 10),
                  txt("Time_Ent", 8), txt("Berg_Doc_Status", 2), txt("User_Type", 10), txt("Ent_From", 3),
                  txt("Health_In_Out_t", 2), txt("Fact_Code", 2), txt("Berg_Type_Code", 3),
                  txt("Ent_User", 50), txt("Doc_No", 100), txt("Doc_Date", 10), txt("Mati_No", 100),
                  txt("Mati_date", 10), txt("Doc_Detail", 500)},
                 {cols({"Berg_Doc_ID"})},
                 {cols({"KV_ID", "Pay_Year"}), cols({"Fact_Code", "Berg_Doc_Status", "Berg_Type_Code"}),
                  cols({"Berg_Type_Code", "Berg_Doc_Status"})}});
    t.push_back({QStringLiteral("T_Pay_Health_Detail"),
                 {txt("Berg_Doc_ID", 20), txt("Emp_Folk", 1), txt("KV_ID", 13), txt("Health_In_Out_t", 2),
                  amt("M_Berg"), amt("HM_Can_Berg")},
                 {cols({"Berg_Doc_ID", "Emp_Folk"})},
                 {cols({"KV_ID"})}});
    t.push_back({QStringLiteral("T_Reciept"),
                 {txt("Berg_Doc_ID", 20), num("Order_Doc"), txt("Emp_Folk", 1), txt("Date_Doc", 10),
                  amt("P_money"), txt("Hospital_Name", 250), txt("EF_Surname", 35), txt("EF_F_Name", 40),
                  txt("EF_L_Name", 40), txt("EF_Birthday", 10), txt("Edu_Type", 50), txt("Edu_Level", 100),
                  txt("Edu_Term", 20), txt("Edu_Year", 20), txt("School_Name", 250)},
                 {cols({"Berg_Doc_ID", "Order_Doc"})},
                 {}});
    t.push_back({QStringLiteral("T_Year_Cur_Health"),
                 {txt("KV_ID", 13), txt("Pay_Year", 4), amt("Fact_T_H_Money"), amt("Fact_T_U_H"),
                  amt("KV_T_H_Money"), amt("KV_T_U_H"), amt("Fact_T_Copay"), amt("Fact_U_Copay"),
                  amt("Kv_T_Copay"), amt("Kv_U_Copay"), amt("M_Flexben"), txt("Year_Remark", 250)},
                 {cols({"KV_ID", "Pay_Year"})},
                 {}});
    t.push_back({QStringLiteral("T_Sent_KV_Detail"),
                 {txt("Sent_KV_Doc_ID", 20), txt("Sent_Date", 10), txt("Sent_Time", 8),
                  txt("Sent_Doc_Status", 1), txt("Sent_Doc_Type", 3), txt("Fact_Code", 2), txt("Sent_User", 50)},
                 {cols({"Sent_KV_Doc_ID"})},
                 {cols({"Fact_Code", "Sent_Doc_Status"})}});
    t.push_back({QStringLiteral("T_Sent_KV"),
                 {txt("Berg_Doc_ID", 20), txt("Sent_KV_Doc_ID", 20), num("Order_No")},
                 {cols({"Sent_KV_Doc_ID", "Berg_Doc_ID"})},
                 {cols({"Berg_Doc_ID"})}});
    t.push_back({QStringLiteral("T_PV"),
                 {txt("PVR_NO", 20), txt("Sent_Date", 10), txt("Sent_Time", 8), txt("Sent_Doc_Status", 1),
                  txt("Fact_Code", 2), txt("Sent_User", 50), num("EDU_Count"), amt("EDU_Money"),
                  num("He_In_Count"), amt("He_In_Money"), num("He_Out_Count"), amt("He_Out_Money"),
                  num("Oth_Count"), amt("Oth_Money"), txt("Oth_Detail1", 250), txt("Oth_Detail2", 250),
                  txt("Oth_Detail3", 250), txt("Oth_Detail4", 250), txt("Oth_Detail5", 250),
                  txt("Pay_For_Per", 100), txt("Dep_Sub_Doc_No", 50), txt("FN_Doc_No", 50),
                  txt("FN_Doc_Date", 10), txt("PV_Doc_No", 50), txt("PV_date", 10)},
                 {cols({"PVR_NO"})},
                 {cols({"Fact_Code", "Sent_Doc_Status"})}});
    t.push_back({QStringLiteral("T_PV_Detail"),
                 {txt("PVR_NO", 20), txt("Sent_KV_Doc_ID", 20), num("Order_No")},
                 {cols({"PVR_NO", "Sent_KV_Doc_ID"})},
                 {cols({"Sent_KV_Doc_ID"})}});
    // Who changed what, when and where (Audit.h). Audit_Time is the server's
    // "yyyy-MM-dd HH:mm:ss" (Gregorian, so that it sorts as text); Audit_Key
    // the document or employee; Audit_Detail the fields changed, old -> new.
    t.push_back({kAuditTable,
                 {autoId("Audit_ID"), txt("Audit_Time", 19), txt("Audit_User", 50), txt("Workstation", 100),
                  txt("Audit_Op", 12), txt("Audit_Key", 100), txt("Audit_Detail", 4000)},
                 {},
                 {cols({"Audit_Key", "Audit_Op"}), cols({"Audit_Time"}), cols({"Audit_User", "Audit_Time"})}});
    return t;
}

QString columnType(const ColumnDef& c, DbKind kind)
{
    switch (c.type) {
    case ColumnDef::AutoId:
        switch (kind) {
        case DbKind::SQLite: return QStringLiteral("INTEGER PRIMARY KEY");
        case DbKind::PostgreSQL: return QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        case DbKind::SqlServer: return QStringLiteral("BIGINT IDENTITY(1,1) PRIMARY KEY");
        }
        break;
    case ColumnDef::Int: return kind == DbKind::SqlServer ? QStringLiteral("INT") : QStringLiteral("INTEGER");
    case ColumnDef::Money: return QStringLiteral("NUMERIC(15,2)");
    case ColumnDef::Text:
        break;
    }
    const int w = c.width > 0 ? c.width : 255;
    return kind == DbKind::SqlServer ? QStringLiteral("NVARCHAR(%1)").arg(w)
                                     : QStringLiteral("VARCHAR(%1)").arg(w);
}

QSet<QString> existingColumns(Database& db, const QString& table)
{
    QSet<QString> names;
    const Rows r = db.select(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table));
    for (const QString& c : r.columns())
        names.insert(c.toLower());
    return names;
}

bool tableExists(Database& db, const QString& table)
{
    switch (db.kind()) {
    case DbKind::SQLite:
        return !db.select(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND lower(name) = lower(?)"),
                          {table}).isEmpty();
    case DbKind::PostgreSQL:
        return !db.select(QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
                                         "AND table_name = lower(?)"),
                          {table}).isEmpty();
    case DbKind::SqlServer:
        return !db.select(QStringLiteral("SELECT 1 FROM sys.tables WHERE name = ?"), {table}).isEmpty();
    }
    return false;
}

QString keyPart(const Database& db, const KeyPart& p)
{
    if (db.kind() == DbKind::SqlServer)
        return p.column;
    const bool pg = db.kind() == DbKind::PostgreSQL;
    switch (p.form) {
    case KeyPart::Column: return p.column;
    case KeyPart::CaseFolded: return QStringLiteral("UPPER(%1)").arg(p.column);
    case KeyPart::Part: return db.substr(p.column, p.start, p.length);
    case KeyPart::Prefix:
        return p.column + (pg ? QStringLiteral(" varchar_pattern_ops") : QStringLiteral(" COLLATE NOCASE"));
    case KeyPart::CaseFoldedPrefix:
        return pg ? QStringLiteral("UPPER(%1) text_pattern_ops").arg(p.column)
                  : p.column + QStringLiteral(" COLLATE NOCASE");
    }
    return p.column;
}

// An older database's text columns that this version defines wider are
// widened (SQLite does not hold text to a width).
void widenTextColumns(Database& db)
{
    if (db.kind() == DbKind::SQLite)
        return;
    const bool pg = db.kind() == DbKind::PostgreSQL;
    const Rows have = db.select(
        pg ? QStringLiteral("SELECT table_name AS t, column_name AS c, character_maximum_length AS w "
                            "FROM information_schema.columns WHERE table_schema = current_schema() "
                            "AND character_maximum_length IS NOT NULL")
           : QStringLiteral("SELECT TABLE_NAME AS t, COLUMN_NAME AS c, CHARACTER_MAXIMUM_LENGTH AS w "
                            "FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_SCHEMA = SCHEMA_NAME() "
                            "AND CHARACTER_MAXIMUM_LENGTH > 0"));
    QHash<QString, qint64> width; // "table.column" in lower case
    for (int i = 0; i < have.count(); ++i)
        width.insert((have.text(i, QStringLiteral("t")) + QLatin1Char('.') + have.text(i, QStringLiteral("c"))).toLower(),
                     have.integer(i, QStringLiteral("w")));
    for (const TableDef& t : schemaTables())
        for (const ColumnDef& c : t.columns) {
            const qint64 now = width.value((t.name + QLatin1Char('.') + c.name).toLower(), 0);
            if (c.type == ColumnDef::Text && now > 0 && now < (c.width > 0 ? c.width : 255))
                db.exec(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 %3%4")
                            .arg(t.name, c.name, pg ? QStringLiteral("TYPE ") : QString(), columnType(c, db.kind())));
        }
}

// Named <kind>_<table>_<n>: "ux" unique keys, "ix" plain indexes, "cx"
// indexes of conditionIndexes().
void createIndex(Database& db, const TableDef& t, const QStringList& columns, bool unique, int n,
                 const char* kind = nullptr)
{
    const QString name =
        QStringLiteral("%1_%2_%3").arg(kind ? kind : unique ? "ux" : "ix", t.name.toLower()).arg(n);
    const QString kw = unique ? QStringLiteral("UNIQUE INDEX") : QStringLiteral("INDEX");
    const QString list = columns.join(QStringLiteral(", "));
    if (db.kind() == DbKind::SqlServer) {
        db.exec(QStringLiteral("IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = '%1' AND object_id = OBJECT_ID('%2')) "
                               "CREATE %3 %1 ON %2 (%4)")
                    .arg(name, t.name, kw, list));
    } else {
        db.exec(QStringLiteral("CREATE %1 IF NOT EXISTS %2 ON %3 (%4)").arg(kw, name, t.name, list));
    }
}

// One active employee per staff number and per identity number, so that two
// workstations importing or adding the same person at once cannot both
// insert him. A filtered unique index (SQLite, PostgreSQL and SQL Server
// write it alike); staff numbers left empty (the flexible-benefit insert)
// are not keys. Made only when the data already allows it: while old rows
// hold such a pair, the index waits and welmora-admin check lists them.
void createActivePersonKeys(Database& db)
{
    const QString table = QStringLiteral("T_Emp_Gov_Histry");
    for (const QString& column : {QStringLiteral("EMP_ID"), QStringLiteral("Emp_SSN")}) {
        const QString name = QStringLiteral("ax_%1_%2").arg(table, column).toLower();
        const QString filter = QStringLiteral("Emp_Status = 'A' AND %1 <> ''").arg(column);
        const bool duplicates =
            !db.select(QStringLiteral("SELECT %1 FROM %2 WHERE %3 GROUP BY %1 HAVING COUNT(*) > 1").arg(column, table, filter))
                 .isEmpty();
        if (duplicates)
            continue;
        if (db.kind() == DbKind::SqlServer)
            db.exec(QStringLiteral("IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = '%1' AND object_id = OBJECT_ID('%2')) "
                                   "CREATE UNIQUE INDEX %1 ON %2 (%3) WHERE %4")
                        .arg(name, table, column, filter));
        else
            db.exec(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1 ON %2 (%3) WHERE %4").arg(name, table, column, filter));
    }
}

} // namespace

const QString kAuditTable = QStringLiteral("T_Audit_Log");

void continueAutoIds(Database& db, const TableDef& t)
{
    for (const ColumnDef& c : t.columns) {
        if (c.type != ColumnDef::AutoId || db.kind() != DbKind::PostgreSQL)
            continue; // SQLite takes the largest plus one; SQL Server moves its identity on an explicit value
        db.select(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), COALESCE(MAX(%2), 0) + 1, false) "
                                 "FROM %1")
                      .arg(t.name.toLower(), c.name.toLower()));
    }
}

const QVector<TableDef>& schemaTables()
{
    static const QVector<TableDef> tables = defineTables();
    return tables;
}

const QVector<ConditionIndex>& conditionIndexes()
{
    static const QVector<ConditionIndex> list = defineConditionIndexes();
    return list;
}

QStringList missingSchema(Database& db)
{
    QStringList missing;
    for (const TableDef& t : schemaTables()) {
        if (!tableExists(db, t.name)) {
            missing << t.name;
            continue;
        }
        const QSet<QString> have = existingColumns(db, t.name);
        for (const ColumnDef& c : t.columns)
            if (!have.contains(c.name.toLower()))
                missing << t.name + QLatin1Char('.') + c.name;
    }
    return missing;
}

void createSchema(Database& db)
{
    Transaction tx(db);
    bool trailBegins = false;
    for (const TableDef& t : schemaTables()) {
        if (!tableExists(db, t.name)) {
            QStringList defs;
            for (const ColumnDef& c : t.columns)
                defs << c.name + QLatin1Char(' ') + columnType(c, db.kind());
            db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(t.name, defs.join(QStringLiteral(", "))));
            trailBegins = trailBegins || t.name == kAuditTable;
        } else {
            // An older database: add the columns it does not have yet.
            const QSet<QString> have = existingColumns(db, t.name);
            for (const ColumnDef& c : t.columns)
                if (!have.contains(c.name.toLower()))
                    db.exec(QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(t.name, c.name, columnType(c, db.kind())));
        }
        int n = 0;
        QSet<QString> made;
        for (const QStringList& key : t.uniqueKeys) {
            createIndex(db, t, key, true, ++n);
            made.insert(key.join(QLatin1Char(',')).toLower());
        }
        for (const QStringList& index : t.indexes) {
            createIndex(db, t, index, false, ++n);
            made.insert(index.join(QLatin1Char(',')).toLower());
        }
        n = 0;
        for (const ConditionIndex& index : conditionIndexes()) {
            if (index.table != t.name)
                continue;
            QStringList parts;
            for (const KeyPart& p : index.key)
                parts << keyPart(db, p);
            ++n;
            if (made.contains(parts.join(QLatin1Char(',')).toLower()))
                continue;
            createIndex(db, t, parts, false, n, "cx");
            made.insert(parts.join(QLatin1Char(',')).toLower());
        }
    }
    widenTextColumns(db);
    createActivePersonKeys(db);
    // A database older than the trail: its documents are recorded as made
    // before it began, so that the check can ask every document for its
    // creating row.
    if (trailBegins)
        audit::recordBaseline(db);
    tx.commit();
}

} // namespace wel
