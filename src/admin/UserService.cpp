#include "UserService.h"
#include "common/Audit.h"
#include "common/AppError.h"
#include "common/Passwords.h"
#include "common/db/Database.h"

namespace wel::UserService {

namespace {
const QString kSelect = QStringLiteral(
    "SELECT T_USER.ID, T_USER.Username, T_USER.Password, T_USER.Fact_Code, T_USER.User_Type, T_USER.section, "
    "T_USER.U_Surname, T_USER.U_F_Name, T_USER.U_L_Name, T_USER.U_Position, T_USER.U_Tel_No, "
    "T_Fact.Fact_Name, TR_Section.Section_Name "
    "FROM T_USER LEFT OUTER JOIN TR_Section ON T_USER.section = TR_Section.section "
    "LEFT OUTER JOIN T_Fact ON T_USER.Fact_Code = T_Fact.Fact_Code ");
} // namespace

Rows listUsers(Database& db)
{
    return db.select(kSelect + QStringLiteral("WHERE T_USER.ID < ? ORDER BY T_USER.ID"), {kFirstHiddenId});
}

QVector<UserLine> userLines(Database& db)
{
    const Rows r = listUsers(db);
    QVector<UserLine> lines;
    for (int i = 0; i < r.count(); ++i) {
        auto t = [&](const char* column) { return r.text(i, QString::fromLatin1(column)); };
        lines.push_back({t("ID"), t("Username"), t("U_Position"), t("U_Tel_No"), t("Section_Name"),
                         t("U_F_Name") + QLatin1Char(' ') + t("U_L_Name"),
                         QStringLiteral("(") + t("Fact_Code") + QStringLiteral(")") + t("Fact_Name")});
    }
    return lines;
}

Rows usersInRange(Database& db, int fromId, int toId)
{
    return db.select(kSelect + QStringLiteral("WHERE T_USER.ID BETWEEN ? AND ? AND T_USER.ID < ? ORDER BY T_USER.ID"),
                     {fromId, toId, kFirstHiddenId});
}

std::pair<int, int> parseRange(const QString& from, const QString& to)
{
    bool ok1 = false, ok2 = false;
    const int a = from.trimmed().toInt(&ok1);
    const int b = to.trimmed().toInt(&ok2);
    if (!ok1 || !ok2)
        throw AppError(QStringLiteral("กรุณาใส่ลำดับที่เป็นตัวเลขจำนวนเต็ม"));
    return {a, b};
}

UserRecord load(Database& db, int id)
{
    const Rows r = db.select(kSelect + QStringLiteral("WHERE T_USER.ID = ?"), {id});
    if (r.isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลผู้ใช้งานลำดับที่ %1").arg(id));
    UserRecord u;
    u.id = id;
    u.userName = r.text(0, QStringLiteral("Username"));
    u.title = r.text(0, QStringLiteral("U_Surname"));
    u.firstName = r.text(0, QStringLiteral("U_F_Name"));
    u.lastName = r.text(0, QStringLiteral("U_L_Name"));
    u.position = r.text(0, QStringLiteral("U_Position"));
    u.userType = r.text(0, QStringLiteral("User_Type"));
    u.telephone = r.text(0, QStringLiteral("U_Tel_No"));
    u.factCode = r.text(0, QStringLiteral("Fact_Code"));
    u.section = int(r.integer(0, QStringLiteral("section")));
    return u;
}

Rows sections(Database& db)
{
    return db.select(QStringLiteral("SELECT section, Section_Name FROM TR_Section ORDER BY section"));
}

int save(Database& db, const UserRecord& u, PasswordFrom from, const QString& actor)
{
    const QString name = u.userName.trimmed();
    if (name.isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่รหัสผู้ใช้ (User Name)"));
    if (u.firstName.trimmed().isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่ชื่อผู้ใช้งาน"));
    if (u.id == 0 && u.password.isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่รหัสผ่าน (Password)"));
    if (u.password != u.passwordAgain)
        throw AppError(QStringLiteral("รหัสผ่านทั้งสองช่องไม่ตรงกัน กรุณาใส่ใหม่"));
    // Hashed before the transaction, which must not wait on it.
    const QString hash = u.password.isEmpty() ? QString() : Passwords::hash(u.password);
    const int toChange = from == PasswordFrom::Administrator ? 1 : 0;
    Transaction tx(db);
    if (db.select(QStringLiteral("SELECT 1 FROM T_Fact WHERE Fact_Code = ?"), {u.factCode}).isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกคณะ"));
    if (db.select(QStringLiteral("SELECT 1 FROM TR_Section WHERE section = ?"), {u.section}).isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกส่วน"));
    if (!db.select(QStringLiteral("SELECT 1 FROM T_USER WHERE ") + db.ciEquals(QStringLiteral("Username"))
                       + QStringLiteral(" AND ID <> ?"),
                   {name, u.id})
             .isEmpty())
        throw AppError(QStringLiteral("รหัสผู้ใช้ %1 มีอยู่แล้ว กรุณาใช้ชื่ออื่น").arg(name));
    const QVariantList values = {name,        u.factCode,          u.userType.trimmed(),  u.section,
                                 u.title.trimmed(), u.firstName.trimmed(), u.lastName.trimmed(),
                                 u.position.trimmed(), u.telephone.trimmed()};
    int id = u.id;
    audit::Trail trail(actor.isEmpty() ? name : actor);
    if (id == 0) {
        // The next number below the system's own accounts; the unique key on
        // ID stops two administrators who add at the same moment.
        id = int(db.select(QStringLiteral("SELECT MAX(ID) AS m FROM T_USER WHERE ID < ?"), {kFirstHiddenId})
                     .integer(0, QStringLiteral("m")))
            + 1;
        if (id >= kFirstHiddenId)
            throw AppError(QStringLiteral("ลำดับผู้ใช้งานเต็มแล้ว ไม่สามารถเพิ่มผู้ใช้งานได้"));
        QVariantList params = {id};
        params += values;
        params << hash << toChange;
        db.exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Fact_Code, User_Type, section, U_Surname, U_F_Name, "
                               "U_L_Name, U_Position, U_Tel_No, Password, Password_Change) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                params);
        trail.add(audit::Op::UserAdd, name,
                  QStringLiteral("ID %1 section %2 Fact_Code %3 Password: %4")
                      .arg(id).arg(u.section).arg(u.factCode, audit::kSecretChanged));
    } else {
        const UserRecord was = load(db, id);
        QVector<audit::Change> c;
        audit::compare(c, QStringLiteral("Username"), was.userName, name);
        audit::compare(c, QStringLiteral("Fact_Code"), was.factCode, u.factCode);
        audit::compare(c, QStringLiteral("User_Type"), was.userType, u.userType);
        audit::compare(c, QStringLiteral("section"), QString::number(was.section), QString::number(u.section));
        audit::compare(c, QStringLiteral("U_Surname"), was.title, u.title);
        audit::compare(c, QStringLiteral("U_F_Name"), was.firstName, u.firstName);
        audit::compare(c, QStringLiteral("U_L_Name"), was.lastName, u.lastName);
        audit::compare(c, QStringLiteral("U_Position"), was.position, u.position);
        audit::compare(c, QStringLiteral("U_Tel_No"), was.telephone, u.telephone);
        if (!hash.isEmpty()) // the password itself, nor its hash, is never written down
            c.push_back({QStringLiteral("Password"), {}, audit::kSecretChanged});
        trail.add(hash.isEmpty() ? audit::Op::UserEdit : audit::Op::PasswordReset, name, c);
        QVariantList params = values;
        if (!hash.isEmpty())
            params << hash << toChange;
        params << id;
        if (db.exec(QStringLiteral("UPDATE T_USER SET Username = ?, Fact_Code = ?, User_Type = ?, section = ?, "
                                   "U_Surname = ?, U_F_Name = ?, U_L_Name = ?, U_Position = ?, U_Tel_No = ?")
                        + (hash.isEmpty() ? QString() : QStringLiteral(", Password = ?, Password_Change = ?"))
                        + QStringLiteral(" WHERE ID = ?"),
                    params)
            != 1)
            throw AppError(QStringLiteral("ไม่พบข้อมูลผู้ใช้งานลำดับที่ %1").arg(id));
    }
    trail.write(db);
    tx.commit();
    return id;
}

Rows issueInitialPasswords(Database& db, int fromId, int toId, const QString& actor)
{
    const Rows users = usersInRange(db, fromId, toId);
    if (users.isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลผู้ใช้งานลำดับที่ %1 ถึง %2").arg(fromId).arg(toId));
    QStringList issued, hashes;
    for (int i = 0; i < users.count(); ++i) {
        issued << Passwords::randomInitial();
        hashes << Passwords::hash(issued.last());
    }
    Transaction tx(db);
    audit::Trail trail(actor);
    for (int i = 0; i < users.count(); ++i) {
        const qint64 id = users.integer(i, QStringLiteral("ID"));
        trail.add(audit::Op::PasswordReset, users.text(i, QStringLiteral("Username")),
                  {{QStringLiteral("Password"), {}, audit::kSecretChanged}}, QStringLiteral("จดหมายแจ้งผู้ใช้งาน"));
        if (db.exec(QStringLiteral("UPDATE T_USER SET Password = ?, Password_Change = 1 WHERE ID = ?"),
                    {hashes[i], id})
            != 1)
            throw AppError(QStringLiteral("ไม่พบข้อมูลผู้ใช้งานลำดับที่ %1 กรุณาแสดงข้อมูลใหม่").arg(id));
    }
    trail.write(db);
    tx.commit();

    const int passwordColumn = users.columnIndex(QStringLiteral("Password"));
    const int width = int(users.columns().size());
    QVector<QVariant> cells;
    cells.reserve(users.count() * width);
    for (int i = 0; i < users.count(); ++i)
        for (int c = 0; c < width; ++c)
            cells << (c == passwordColumn ? QVariant(issued[i]) : users.value(i, c));
    return Rows(users.columns(), std::move(cells), users.count());
}

void changeOwnPassword(Database& db, const LoginContext& login, const QString& password,
                       const QString& passwordAgain)
{
    if (password.isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่รหัสผ่าน (Password)"));
    if (password != passwordAgain)
        throw AppError(QStringLiteral("รหัสผ่านทั้งสองช่องไม่ตรงกัน กรุณาใส่ใหม่"));
    const Rows r = db.select(QStringLiteral("SELECT Password FROM T_USER WHERE ID = ?"), {login.userId});
    if (r.isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลผู้ใช้งานลำดับที่ %1").arg(login.userId));
    const QString stored = r.text(0, QStringLiteral("Password"));
    if (Passwords::matches(stored, password))
        throw AppError(QStringLiteral("รหัสผ่านใหม่ต้องไม่ซ้ำกับรหัสผ่านเดิม กรุณาใส่ใหม่"));
    const QString hash = Passwords::hash(password);
    Transaction tx(db);
    // The password he logged in with must still be the one stored: an
    // administrator may have issued another meanwhile.
    if (db.exec(QStringLiteral("UPDATE T_USER SET Password = ?, Password_Change = 0 WHERE ID = ? AND Password = ?"),
                {hash, login.userId, stored})
        != 1)
        throw AppError(QStringLiteral("รหัสผ่านของท่านถูกเปลี่ยนจากเครื่องอื่นระหว่างนี้ กรุณาเข้าสู่ระบบใหม่"));
    audit::record(db, login, audit::Op::PasswordChange, login.Cur_Username,
                  {{QStringLiteral("Password"), {}, audit::kSecretChanged}});
    tx.commit();
}

int hashPlainPasswords(Database& db)
{
    const Rows users = db.select(QStringLiteral("SELECT ID, Password FROM T_USER"));
    QVector<Database::Statement> updates;
    for (int i = 0; i < users.count(); ++i) {
        const QString stored = users.text(i, QStringLiteral("Password"));
        if (!stored.isEmpty() && !Passwords::isHash(stored))
            updates.push_back({QStringLiteral("UPDATE T_USER SET Password = ? WHERE ID = ? AND Password = ?"),
                               {Passwords::hash(stored), users.integer(i, QStringLiteral("ID")), stored}});
    }
    int replaced = 0;
    Transaction tx(db);
    for (const Database::Statement& u : updates)
        replaced += db.exec(u.sql, u.params);
    tx.commit();
    return replaced;
}

} // namespace wel::UserService
