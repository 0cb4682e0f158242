#include "DbFaults.h"

namespace wel::dbfault {

namespace {
const QString kCannotConnect = QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้: ");
const QString kNothingSaved = QStringLiteral(" ข้อมูลของรายการนี้ไม่ถูกบันทึก");

bool mentions(const QString& text, std::initializer_list<const char*> phrases)
{
    for (const char* p : phrases)
        if (text.contains(QLatin1String(p), Qt::CaseInsensitive))
            return true;
    return false;
}
} // namespace

QString connectFailure(const DbUrl& url, const QString& serverText)
{
    const QString server = url.serverName();
    // libpq and the server say what went wrong only in words; these are the
    // words of their English messages (the program runs them untranslated).
    if (url.kind == DbKind::SQLite) {
        if (mentions(serverText, {"not a database", "file is encrypted"}))
            return notADatabase(url.path);
        return kCannotConnect + QStringLiteral("เปิดไฟล์ฐานข้อมูล %1 ไม่ได้ (ไม่มีไฟล์ หรือไม่มีสิทธิ์ใช้ไฟล์)").arg(url.path);
    }
    if (mentions(serverText, {"timeout expired", "timed out"}))
        return kCannotConnect
            + QStringLiteral("เครื่องแม่ข่าย %1 ไม่ตอบภายใน %2 วินาที").arg(server).arg(url.bounds.connect);
    if (mentions(serverText, {"Connection refused"}))
        return kCannotConnect
            + QStringLiteral("เครื่องแม่ข่าย %1 ไม่รับการเชื่อมต่อ (บริการฐานข้อมูลไม่ได้เปิดอยู่ หรือมีไฟร์วอลล์กั้น)")
                  .arg(server);
    if (mentions(serverText, {"could not translate host name", "Name or service not known",
                              "Temporary failure in name resolution", "nodename nor servname"}))
        return kCannotConnect + QStringLiteral("ไม่พบเครื่องแม่ข่ายชื่อ %1").arg(url.host);
    if (mentions(serverText, {"authentication failed", "no pg_hba.conf entry", "role \"", "password"}))
        return kCannotConnect
            + QStringLiteral("เครื่องแม่ข่าย %1 ไม่ยอมรับชื่อผู้ใช้หรือรหัสผ่านของฐานข้อมูล").arg(server);
    if (mentions(serverText, {"database \""}) && mentions(serverText, {"does not exist"}))
        return kCannotConnect + QStringLiteral("ไม่มีฐานข้อมูลชื่อ %1 บนเครื่องแม่ข่าย %2").arg(url.dbName, server);
    if (mentions(serverText, {"closed the connection", "Connection reset", "could not receive data",
                              "could not send", "EOF detected", "terminating connection", "server closed"}))
        return kCannotConnect + QStringLiteral("เครื่องแม่ข่าย %1 ตัดการเชื่อมต่อ").arg(server);
    return kCannotConnect + QStringLiteral("เครื่องแม่ข่าย %1").arg(server);
}

QString busy(const DbBounds& bounds)
{
    return QStringLiteral("เครื่องอื่นกำลังใช้ข้อมูลชุดนี้อยู่ ระบบรอแล้ว %1 วินาทีจึงยกเลิกรายการนี้").arg(bounds.lockWait)
        + kNothingSaved + QStringLiteral(" กรุณาลองใหม่อีกครั้ง");
}

QString statementTooLong(const DbBounds& bounds)
{
    return QStringLiteral("ฐานข้อมูลทำคำสั่งนี้นานเกิน %1 วินาที ระบบจึงยกเลิกคำสั่ง").arg(bounds.statement)
        + kNothingSaved + QStringLiteral(" กรุณาลองใหม่อีกครั้ง หรือเลือกช่วงข้อมูลให้แคบลง");
}

QString idleTransactionEnded(const DbBounds& bounds)
{
    return QStringLiteral("รายการนี้ค้างอยู่นานเกิน %1 วินาที เครื่องแม่ข่ายฐานข้อมูลจึงยกเลิกรายการ")
               .arg(bounds.idleInTransaction)
        + kNothingSaved + QStringLiteral(" กรุณาทำรายการใหม่");
}

QString notADatabase(const QString& path)
{
    return QStringLiteral("ไฟล์ %1 ไม่ใช่ฐานข้อมูลของโปรแกรมนี้").arg(path);
}

} // namespace wel::dbfault
