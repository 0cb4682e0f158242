#include "Audit.h"
#include "common/LoginContext.h"
#include "common/Money.h"
#include "common/Utility.h"
#include "common/db/Schema.h"

#include <QSysInfo>

namespace wel::audit {

namespace {

// Column widths of the table; a longer text is cut rather than refused, so
// that the trail never stops an operation.
constexpr int kKeyWidth = 100;
constexpr int kDetailWidth = 4000;
constexpr int kUserWidth = 50;
// Six values a row: SQL Server takes at most 2,100 parameters a statement.
constexpr int kRowsPerInsert = 300;

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// The row's time: the server's clock in the statement itself, so that
// stamping it costs no exchange of its own. SQLite has no server (the
// workstation's clock in the installation's zone stands in), and a clock a
// test fixed is bound as it is.
QString timeTerm(Database& db, QVariantList& params)
{
    if (db.kind() == DbKind::SQLite || db.hasFixedClock()) {
        params << db.serverNow().toString(kTimeFormat);
        return QStringLiteral("?");
    }
    if (db.kind() == DbKind::PostgreSQL)
        return QStringLiteral("to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS')");
    return QStringLiteral("CONVERT(VARCHAR(19), GETDATE(), 120)");
}

QString trimmed(const QString& s) { return TrimBlanks(s); }

} // namespace

const QString kClaimMade = QStringLiteral("CLAIM_ADD");
const QString kSummaryMade = QStringLiteral("SENT_ADD");
const QString kVoucherMade = QStringLiteral("PV_ADD");
const QString kBaseline = QStringLiteral("BASE");
const QString kSecretChanged = QStringLiteral("(เปลี่ยน)");

const QVector<OpInfo>& operations()
{
    static const QVector<OpInfo> all = {
        {Op::Baseline, kBaseline, QStringLiteral("มีอยู่ก่อนเริ่มบันทึกประวัติการทำรายการ")},
        {Op::EmployeeAdd, QStringLiteral("EMP_ADD"), QStringLiteral("เพิ่มข้อมูลพนักงาน")},
        {Op::EmployeeEdit, QStringLiteral("EMP_EDIT"), QStringLiteral("แก้ไขข้อมูลพนักงาน")},
        {Op::EmployeeDelete, QStringLiteral("EMP_DEL"), QStringLiteral("ลบข้อมูลพนักงาน")},
        {Op::EmployeeResign, QStringLiteral("EMP_EXIT"), QStringLiteral("บันทึกพนักงานลาออก")},
        {Op::FamilyEdit, QStringLiteral("FOLK_EDIT"), QStringLiteral("แก้ไขข้อมูลครอบครัวและสิทธิ")},
        {Op::BulkUpdate, QStringLiteral("EMP_BULK"), QStringLiteral("ปรับปรุงข้อมูลพนักงานทั้งชุด")},
        {Op::Import, QStringLiteral("EMP_IMPORT"), QStringLiteral("นำเข้าข้อมูลพนักงานจาก MS Excel")},
        {Op::YearRows, QStringLiteral("YEAR_ROWS"), QStringLiteral("สร้างวงเงินประจำปีงบประมาณ")},
        {Op::FlexBenefit, QStringLiteral("FLEXBEN"), QStringLiteral("ปรับปรุงข้อมูล Flexible Benefit")},
        {Op::ClaimSave, kClaimMade, QStringLiteral("บันทึกการเบิก")},
        {Op::ClaimCancel, QStringLiteral("CLAIM_CANCEL"), QStringLiteral("ยกเลิกการเบิก")},
        {Op::SummaryMake, kSummaryMade, QStringLiteral("ออกเลขที่ควบคุมใบเบิก")},
        {Op::SummaryCancel, QStringLiteral("SENT_CANCEL"), QStringLiteral("ยกเลิกเลขที่ควบคุมใบเบิก")},
        {Op::VoucherMake, kVoucherMade, QStringLiteral("สรุปใบสำคัญจ่าย")},
        {Op::VoucherCancel, QStringLiteral("PV_CANCEL"), QStringLiteral("ยกเลิกใบสำคัญจ่าย")},
        {Op::DocNumbers, QStringLiteral("PV_DOCNO"), QStringLiteral("บันทึกเลขที่เอกสารใบสำคัญจ่าย")},
        {Op::UserAdd, QStringLiteral("USER_ADD"), QStringLiteral("เพิ่มผู้ใช้งานระบบ")},
        {Op::UserEdit, QStringLiteral("USER_EDIT"), QStringLiteral("แก้ไขผู้ใช้งานระบบ")},
        {Op::PasswordReset, QStringLiteral("PWD_RESET"), QStringLiteral("กำหนดรหัสผ่านใหม่ให้ผู้ใช้งาน")},
        {Op::PasswordChange, QStringLiteral("PWD_CHANGE"), QStringLiteral("เปลี่ยนรหัสผ่านของตนเอง")},
    };
    return all;
}

QString codeOf(Op op) { return operations().at(int(op)).code; }

QString labelOf(const QString& code)
{
    for (const OpInfo& i : operations())
        if (i.code == code)
            return i.label;
    return code;
}

void compare(QVector<Change>& changes, const QString& field, const QString& before, const QString& after)
{
    if (trimmed(before) != trimmed(after))
        changes.push_back({field, trimmed(before), trimmed(after)});
}

void compare(QVector<Change>& changes, const QString& field, const Money& before, const Money& after)
{
    if (before != after)
        changes.push_back({field, before.toPlain(), after.toPlain()});
}

QString describe(const QVector<Change>& changes)
{
    QStringList parts;
    for (const Change& c : changes)
        parts << QStringLiteral("%1: %2 -> %3").arg(c.field, c.before, c.after);
    return parts.join(QStringLiteral("; "));
}

QString workstation()
{
    static const QString name = QSysInfo::machineHostName();
    return name;
}

Trail::Trail(const LoginContext& login) : m_user(login.Cur_Username) {}

Trail::Trail(QString user) : m_user(std::move(user)) {}

Trail& Trail::add(Op op, const QString& key, const QString& detail)
{
    m_rows.push_back({codeOf(op), trimmed(key), detail});
    return *this;
}

Trail& Trail::add(Op op, const QString& key, const QVector<Change>& changes, const QString& detail)
{
    const QString described = describe(changes);
    return add(op, key, detail.isEmpty() ? described : described.isEmpty() ? detail : detail + QStringLiteral("; ") + described);
}

void Trail::appendTo(Database& db, QVector<Database::Statement>& batch) const
{
    for (int first = 0; first < m_rows.size(); first += kRowsPerInsert) {
        Database::Statement s;
        QStringList values;
        for (const Row& r : m_rows.mid(first, kRowsPerInsert)) {
            const QString time = timeTerm(db, s.params);
            s.params << m_user.left(kUserWidth) << workstation().left(kKeyWidth) << r.op << r.key.left(kKeyWidth)
                     << r.detail.left(kDetailWidth);
            values << QStringLiteral("(%1, ?, ?, ?, ?, ?)").arg(time);
        }
        s.sql = QStringLiteral("INSERT INTO %1 (Audit_Time, Audit_User, Workstation, Audit_Op, Audit_Key, Audit_Detail) "
                               "VALUES %2")
                    .arg(kAuditTable, values.join(QStringLiteral(", ")));
        batch.push_back(s);
    }
}

void Trail::write(Database& db) const
{
    QVector<Database::Statement> batch;
    appendTo(db, batch);
    for (const Database::Statement& s : batch)
        db.exec(s.sql, s.params);
}

void record(Database& db, const LoginContext& login, Op op, const QString& key, const QString& detail)
{
    Trail(login).add(op, key, detail).write(db);
}

void record(Database& db, const LoginContext& login, Op op, const QString& key, const QVector<Change>& changes,
            const QString& detail)
{
    Trail(login).add(op, key, changes, detail).write(db);
}

void recordBaseline(Database& db)
{
    struct Documents {
        QString table, key, made;
    };
    const Documents all[] = {{QStringLiteral("T_PAY_Health"), QStringLiteral("Berg_Doc_ID"), kClaimMade},
                             {QStringLiteral("T_Sent_KV_Detail"), QStringLiteral("Sent_KV_Doc_ID"), kSummaryMade},
                             {QStringLiteral("T_PV"), QStringLiteral("PVR_NO"), kVoucherMade}};
    const QString now = db.serverNow().toString(kTimeFormat);
    for (const Documents& d : all)
        db.exec(QStringLiteral("INSERT INTO %1 (Audit_Time, Audit_User, Workstation, Audit_Op, Audit_Key, Audit_Detail) "
                               "SELECT ?, ?, ?, '%2', d.%3, ? FROM %4 d WHERE NOT EXISTS "
                               "(SELECT 1 FROM %1 a WHERE a.Audit_Key = d.%3 AND a.Audit_Op IN ('%2', '%5'))")
                    .arg(kAuditTable, kBaseline, d.key, d.table, d.made),
                {now, QStringLiteral("(ระบบ)"), workstation(), d.table});
}

} // namespace wel::audit
