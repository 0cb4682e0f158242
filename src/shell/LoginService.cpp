#include "LoginService.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::LoginService {

const QString kProgramVersion = QStringLiteral("24.00");
const QString kWrongLoginMessage = QStringLiteral("ชื่อหรือรหัสผ่านผิด กรุณาใส่ใหม่");
const QString kConnectFailMessage = QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้");

QString Startup::versionMessage() const
{
    return QStringLiteral("โปรแกรมมีการเปลี่ยนแปลง Version แล้ว \rVersion นี้ไม่สามารถใช้งานได้\rVersion โปรแกรมคือ  ")
        + kProgramVersion + QStringLiteral("\r") + QStringLiteral("Version Data คือ") + versionNo;
}

QString Startup::caption() const
{
    return QStringLiteral("ระบบสวัสดิการพนักงาน Version : ") + versionNo;
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
    const Today today = todayFrom(db.serverNow());
    s.Cur_Date = today.Cur_Date;
    s.Cur_Bud_Year = today.Cur_Bud_Year;
    return s;
}

std::optional<LoginContext> login(Database& db, const Startup& startup, const QString& userName,
                                  const QString& password)
{
    if (userName.isEmpty())
        return std::nullopt;
    const Rows r = db.select(QStringLiteral("SELECT T_USER.ID, T_USER.Username, T_USER.Password, T_USER.Fact_Code, "
                                            "T_USER.User_Type, T_USER.section, T_USER.U_Surname, T_USER.U_F_Name, "
                                            "T_USER.U_L_Name, T_Fact.Fact_Name "
                                            "FROM T_USER LEFT OUTER JOIN T_Fact ON T_USER.Fact_Code = T_Fact.Fact_Code "
                                            "WHERE T_USER.Username = ?"),
                             {userName});
    for (int i = 0; i < r.count(); ++i) {
        // Compared here rather than in SQL: a server collation that ignores
        // letter case must not make passwords case-blind.
        if (r.text(i, QStringLiteral("Username")) != userName || r.text(i, QStringLiteral("Password")) != password)
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
        RunningNumbers::ensureYearRows(db, c.Cur_Bud_Year, c.Cur_Fact_Code);
        return c;
    }
    return std::nullopt;
}

} // namespace wel::LoginService
