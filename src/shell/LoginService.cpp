#include "LoginService.h"
#include "admin/UserService.h"
#include "common/Passwords.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::LoginService {

const QString kProgramVersion = QStringLiteral("24.00");
const QString kWrongLoginMessage = QStringLiteral("ชื่อหรือรหัสผ่านผิด กรุณาใส่ใหม่");
const QString kConnectFailMessage = QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้");
const QString kDemoMark = QStringLiteral("ฐานข้อมูลตัวอย่าง (demo)");

QString Startup::versionMessage() const
{
    return QStringLiteral("โปรแกรมมีการเปลี่ยนแปลง Version แล้ว \rVersion นี้ไม่สามารถใช้งานได้\rVersion โปรแกรมคือ  ")
        + kProgramVersion + QStringLiteral("\r") + QStringLiteral("Version Data คือ") + versionNo;
}

QString Startup::caption() const
{
    return QStringLiteral("ระบบสวัสดิการพนักงาน Version : ") + versionNo
        + (demo ? QStringLiteral("  -  ") + kDemoMark : QString());
}

Startup start(Database& db)
{
    Startup s;
    const Rows msg = db.select(QStringLiteral("SELECT main_msg1, main_msg2, main_msg3 FROM TR_main_msg"));
    if (!msg.isEmpty()) {
        s.notices[0] = msg.text(0, QStringLiteral("main_msg1"));
        s.notices[1] = msg.text(0, QStringLiteral("main_msg2"));
        s.notices[2] = msg.text(0, QStringLiteral("main_msg3"));
    }
    const Rows ver = db.select(QStringLiteral("SELECT Version_NO FROM T_Version"));
    if (!ver.isEmpty())
        s.versionNo = ver.text(0, QStringLiteral("Version_NO"));
    s.demo = !db.select(QStringLiteral("SELECT Set_Value FROM T_Setting WHERE Set_Key = ?"), {QStringLiteral("DEMO")})
                   .isEmpty();
    s.noUserYet = db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")) == 0;
    const Today today = todayFrom(db.serverNow());
    s.Cur_Date = today.Cur_Date;
    s.Cur_Bud_Year = today.Cur_Bud_Year;
    return s;
}

std::optional<LoginContext> login(Database& db, const Startup& startup, const QString& userName,
                                  const QString& password)
{
    const QString name = userName.trimmed();
    if (name.isEmpty() || password.isEmpty())
        return std::nullopt;
    const Rows r = db.select(QStringLiteral("SELECT T_USER.ID, T_USER.Username, T_USER.Password, T_USER.Fact_Code, "
                                            "T_USER.User_Type, T_USER.section, T_USER.U_Surname, T_USER.U_F_Name, "
                                            "T_USER.U_L_Name, T_USER.Password_Change, T_Fact.Fact_Name "
                                            "FROM T_USER LEFT OUTER JOIN T_Fact ON T_USER.Fact_Code = T_Fact.Fact_Code "
                                            "WHERE UPPER(LTRIM(RTRIM(T_USER.Username))) = UPPER(?)"),
                             {name});
    for (int i = 0; i < r.count(); ++i) {
        const QString stored = r.text(i, QStringLiteral("Password"));
        if (r.text(i, QStringLiteral("Username")).trimmed().compare(name, Qt::CaseInsensitive) != 0
            || !Passwords::matches(stored, password))
            continue;
        LoginContext c;
        c.Cur_Date = startup.Cur_Date;
        c.Cur_Bud_Year = startup.Cur_Bud_Year;
        c.Cur_Fact_Code = r.text(i, QStringLiteral("Fact_Code"));
        c.Cur_User_Type = r.text(i, QStringLiteral("User_Type"));
        c.Cur_Username = r.text(i, QStringLiteral("Username"));
        c.section = int(r.integer(i, QStringLiteral("section")));
        c.userId = int(r.integer(i, QStringLiteral("ID")));
        c.factName = r.text(i, QStringLiteral("Fact_Name"));
        c.displayName = r.text(i, QStringLiteral("U_Surname")) + r.text(i, QStringLiteral("U_F_Name"))
            + QLatin1Char(' ') + r.text(i, QStringLiteral("U_L_Name"));
        c.mustChangePassword = r.integer(i, QStringLiteral("Password_Change")) != 0;
        // Hashed before the transaction, which must not wait on it.
        const QString rehashed = Passwords::needsRehash(stored) ? Passwords::hash(password) : QString();
        Transaction tx(db);
        if (!rehashed.isEmpty()) // unless someone set another password since it was read
            db.exec(QStringLiteral("UPDATE T_USER SET Password = ? WHERE ID = ? AND Password = ?"),
                    {rehashed, c.userId, stored});
        RunningNumbers::ensureYearRows(db, c.Cur_Bud_Year, c.Cur_Fact_Code);
        tx.commit();
        db.setUserName(c.Cur_Username);
        return c;
    }
    return std::nullopt;
}

int createFirstAdministrator(Database& db, const FirstAdministrator& admin)
{
    Transaction tx(db);
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")) > 0)
        throw AppError(QStringLiteral("ฐานข้อมูลนี้มีผู้ใช้งานแล้ว กรุณาเข้าสู่ระบบด้วยผู้ดูแลระบบ"));
    const QString fact = admin.factCode.trimmed().toUpper();
    if (fact.size() != 2)
        throw AppError(QStringLiteral("กรุณาใส่รหัสคณะ 2 ตัวอักษร"));
    if (db.select(QStringLiteral("SELECT 1 FROM T_Fact WHERE Fact_Code = ?"), {fact}).isEmpty()) {
        if (admin.factName.trimmed().isEmpty())
            throw AppError(QStringLiteral("กรุณาใส่ชื่อคณะ"));
        db.insertIfAbsent(QStringLiteral("T_Fact"), {QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name")},
                          {fact, admin.factName.trimmed()}, 1);
    }
    UserService::UserRecord u;
    u.userName = admin.userName;
    u.password = admin.password;
    u.passwordAgain = admin.passwordAgain;
    u.firstName = admin.firstName;
    u.lastName = admin.lastName;
    u.factCode = fact;
    u.userType = QStringLiteral("U");
    u.position = QStringLiteral("ผู้ดูแลระบบ");
    u.section = 9;
    const int id = UserService::save(db, u);
    tx.commit();
    return id;
}

} // namespace wel::LoginService
