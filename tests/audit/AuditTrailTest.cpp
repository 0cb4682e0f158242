#include "../claims/ClaimsFixture.h"
#include "../personnel/PersonnelFixture.h"
#include "AdminRun.h"
#include "admin/UserService.h"
#include "audit/AuditLog.h"
#include "check/IntegrityCheck.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimSummaryService.h"
#include "common/Audit.h"
#include "finance/CancelService.h"
#include "finance/DocNumberService.h"
#include "finance/VoucherService.h"
#include "personnel/FamilyService.h"
#include "personnel/ResignationService.h"
#include "personnel/YearRows.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

struct Expected {
    QString op, key, user;
    QStringList detailHolds; // parts the detail must contain
};

QVector<AuditLog::Entry> trail(Database& db) { return AuditLog::find(db, {}); }

AuditLog::Filter filter(const QString& since, const QString& until = {}, const QString& user = {},
                        const QString& op = {}, const QString& key = {})
{
    AuditLog::Filter f;
    f.since = since;
    f.until = until;
    f.user = user;
    f.op = op;
    f.key = key;
    return f;
}

// The fixture's employees and vouchers with the counters the check expects.
QString claimant(ClaimsDb& f)
{
    f.db.insertIfAbsent(QStringLiteral("T_PVR_Runno"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                        {QStringLiteral("2568"), 1}, 1);
    f.db.insertIfAbsent(QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year"), QStringLiteral("Run_No")},
                        {QStringLiteral("2560"), 2}, 1);
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), {});
    return kv;
}

} // namespace

// Every family of writing operations appends exactly one row in its own
// transaction, naming the operation, the document or employee, the user who
// did it and, for an edit, the fields with their old and new values.
// Passwords are never written, not even as hashes.
TEST(AuditTrail, EachOperationAppendsItsRow)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const LoginContext clerk = f.login();
    const LoginContext finance = f.login(QStringLiteral("KV"));
    const QString kv = claimant(f);
    QString added, claim, cancelled, control, voucher;
    int userId = 0;
    const QString secret = QStringLiteral("Secret-Pw-1");

    struct Step {
        const char* name;
        std::function<Expected()> run;
    };
    const Step steps[] = {
        {"employee added", [&] {
             added = EmployeeService::add(f.db, finance, newEmployee(QStringLiteral("A1"), QStringLiteral("8000000000011"),
                                                                     QStringLiteral("SC")));
             return Expected{QStringLiteral("EMP_ADD"), added, QStringLiteral("finance"), {QStringLiteral("A1")}};
         }},
        {"right type changed", [&] {
             EmployeeRecord r = *EmployeeService::load(f.db, finance, added);
             r.Emp_H_Type = QStringLiteral("2");
             r.Bank_Account_No = QStringLiteral("999-9");
             EmployeeService::edit(f.db, finance, r);
             return Expected{QStringLiteral("EMP_EDIT"), added, QStringLiteral("finance"),
                             {QStringLiteral("Emp_H_Type: 3 -> 2"), QStringLiteral("Bank_Account_No: 123-4-56789 -> 999-9")}};
         }},
        {"family member added", [&] {
             FamilyService::save(f.db, finance, added,
                                 {{3, {QStringLiteral("นาง"), QStringLiteral("สมศรี"), QStringLiteral("ระบบงาน"), {}, {}, {}, {}}}});
             return Expected{QStringLiteral("FOLK_EDIT"), added, QStringLiteral("finance"),
                             {QStringLiteral("3.EF_F_Name:  -> สมศรี")}};
         }},
        {"resigned", [&] {
             ResignationService::record(f.db, finance, {added, QStringLiteral("01/11/2567"), QStringLiteral("ลาออก"), {}});
             return Expected{QStringLiteral("EMP_EXIT"), added, QStringLiteral("finance"),
                             {QStringLiteral("Emp_Status: A -> O"), QStringLiteral("01/11/2567")}};
         }},
        {"yearly rows made", [&] {
             YearRows::generate(f.db, finance, QStringLiteral("2569"));
             return Expected{QStringLiteral("YEAR_ROWS"), QStringLiteral("2569"), QStringLiteral("finance"),
                             {QStringLiteral("เพิ่ม 1 คน")}};
         }},
        {"claim saved", [&] {
             claim = ClaimEntry::save(f.db, clerk, outpatient(), draft(kv, {receipt(0, baht(700.25)), receipt(1, baht(300))}))
                         .claimNo;
             return Expected{QStringLiteral("CLAIM_ADD"), claim, QStringLiteral("clerk"),
                             {QStringLiteral("FAE"), kv, QStringLiteral("1000.25")}};
         }},
        {"claim cancelled", [&] {
             cancelled = ClaimEntry::save(f.db, clerk, outpatient(), draft(kv, {receipt(0, baht(50))})).claimNo;
             ClaimCancel::cancel(f.db, clerk, outpatient(), QStringLiteral("SC"), cancelled);
             return Expected{QStringLiteral("CLAIM_CANCEL"), cancelled, QStringLiteral("clerk"), {QStringLiteral("FAE")}};
         }},
        {"control number made", [&] {
             control = ClaimSummary::send(f.db, clerk, outpatient(), QStringLiteral("SC"), {claim}, {1});
             return Expected{QStringLiteral("SENT_ADD"), control, QStringLiteral("clerk"), {claim, QStringLiteral("1000.25")}};
         }},
        {"control number cancelled", [&] {
             finance::ControlCancel::cancel(f.db, finance, control);
             return Expected{QStringLiteral("SENT_CANCEL"), control, QStringLiteral("finance"), {}};
         }},
        {"voucher made", [&] {
             control = ClaimSummary::send(f.db, clerk, outpatient(), QStringLiteral("SC"), {claim}, {1});
             voucher = finance::Vouchers::make(f.db, clerk, {}, {control}, QStringLiteral("ผู้รับเงิน"));
             return Expected{QStringLiteral("PV_ADD"), voucher, QStringLiteral("clerk"), {control}};
         }},
        {"document numbers", [&] {
             finance::DocNumbers::saveSubUnit(f.db, finance, voucher, QStringLiteral("A-1"), QStringLiteral("F-1"),
                                              QStringLiteral("15/11/2567"));
             return Expected{QStringLiteral("PV_DOCNO"), voucher, QStringLiteral("finance"),
                             {QStringLiteral("Dep_Sub_Doc_No:  -> A-1"), QStringLiteral("FN_Doc_Date:  -> 15/11/2567")}};
         }},
        {"voucher cancelled", [&] {
             finance::VoucherCancel::cancel(f.db, finance, voucher);
             return Expected{QStringLiteral("PV_CANCEL"), voucher, QStringLiteral("finance"), {}};
         }},
        {"user added", [&] {
             UserService::UserRecord u;
             u.userName = QStringLiteral("auditor");
             u.password = u.passwordAgain = secret;
             u.firstName = QStringLiteral("ผู้ตรวจ");
             u.factCode = QStringLiteral("SC");
             u.section = 4;
             userId = UserService::save(f.db, u, UserService::PasswordFrom::Administrator, QStringLiteral("admin"));
             return Expected{QStringLiteral("USER_ADD"), QStringLiteral("auditor"), QStringLiteral("admin"),
                             {audit::kSecretChanged}};
         }},
        {"password given by the administrator", [&] {
             UserService::UserRecord u = UserService::load(f.db, userId);
             u.password = u.passwordAgain = secret + QStringLiteral("x");
             u.position = QStringLiteral("ผู้ตรวจสอบ");
             UserService::save(f.db, u, UserService::PasswordFrom::Administrator, QStringLiteral("admin"));
             return Expected{QStringLiteral("PWD_RESET"), QStringLiteral("auditor"), QStringLiteral("admin"),
                             {QStringLiteral("Password:  -> ") + audit::kSecretChanged, QStringLiteral("U_Position:  -> ผู้ตรวจสอบ")}};
         }},
        {"own password changed", [&] {
             LoginContext self = clerk;
             self.Cur_Username = QStringLiteral("auditor");
             self.userId = userId;
             UserService::changeOwnPassword(f.db, self, secret + QStringLiteral("y"), secret + QStringLiteral("y"));
             return Expected{QStringLiteral("PWD_CHANGE"), QStringLiteral("auditor"), QStringLiteral("auditor"),
                             {audit::kSecretChanged}};
         }},
    };
    for (const Step& s : steps) {
        const qsizetype before = trail(f.db).size();
        const Expected e = s.run();
        const QVector<AuditLog::Entry> after = trail(f.db);
        // the cancelled claim was saved first, the voucher's control number made first
        const qsizetype made = QByteArray(s.name) == "claim cancelled" || QByteArray(s.name) == "voucher made" ? 2 : 1;
        ASSERT_EQ(after.size(), before + made) << s.name;
        const AuditLog::Entry& row = after.last();
        EXPECT_EQ(row.op, e.op) << s.name;
        EXPECT_EQ(row.key, e.key) << s.name;
        EXPECT_EQ(row.user, e.user) << s.name;
        EXPECT_EQ(row.workstation, QSysInfo::machineHostName()) << s.name;
        EXPECT_EQ(row.opLabel, audit::labelOf(e.op)) << s.name;
        EXPECT_NE(row.opLabel, e.op) << s.name << ": every code has its Thai label";
        for (const QString& part : e.detailHolds)
            EXPECT_TRUE(row.detail.contains(part)) << s.name << ": " << row.detail.toStdString() << " lacks " << part.toStdString();
    }
    const Rows stored = f.db.select(QStringLiteral("SELECT Password FROM T_USER WHERE Username = 'auditor'"));
    for (const AuditLog::Entry& e : trail(f.db)) {
        EXPECT_FALSE(e.detail.contains(secret)) << e.detail.toStdString();
        EXPECT_FALSE(e.detail.contains(stored.text(0, QStringLiteral("Password")))) << e.detail.toStdString();
        EXPECT_FALSE(e.time.isEmpty());
    }
    // every document the steps made has the row of its making
    EXPECT_TRUE(check::run(f.db).consistent()) << check::format(check::run(f.db)).toStdString();
}

// The row belongs to the operation's transaction: an operation rolled back
// (here inside a caller's transaction that is left without commit) leaves
// neither its data nor its row.
TEST(AuditTrail, RolledBackOperationLeavesNoRow)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = claimant(f);
    {
        Transaction outer(f.db);
        ClaimEntry::save(f.db, f.login(), outpatient(), draft(kv, {receipt(0, baht(100))}));
        EXPECT_EQ(trail(f.db).size(), 1) << "inside the transaction the row is there";
    }
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), 0);
    EXPECT_TRUE(trail(f.db).isEmpty());
    // a refused operation writes nothing either
    EXPECT_THROW(finance::VoucherCancel::cancel(f.db, f.login(), QStringLiteral("PVR2568/99999SC")), AppError);
    EXPECT_TRUE(trail(f.db).isEmpty());
}

// The check asks every claim, control number and voucher for the row of its
// making; a database older than the trail gets one "made before the trail"
// row per document when the upgrade creates the table.
TEST(AuditTrail, CheckFindsDocumentsWithoutTheirRowAndTheUpgradeRecordsOldOnes)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = claimant(f);
    const QString claim = ClaimEntry::save(f.db, f.login(), outpatient(), draft(kv, {receipt(0, baht(100))})).claimNo;
    const QString control = ClaimSummary::send(f.db, f.login(), outpatient(), QStringLiteral("SC"), {claim}, {1});
    ASSERT_TRUE(check::run(f.db).consistent()) << check::format(check::run(f.db)).toStdString();

    f.db.exec(QStringLiteral("DELETE FROM T_Audit_Log WHERE Audit_Key = ?"), {claim});
    const check::Report r = check::run(f.db);
    ASSERT_EQ(r.count(QStringLiteral("audit-missing")), 1) << check::format(r).toStdString();
    EXPECT_TRUE(r.differences[0].text.contains(claim));
    EXPECT_EQ(r.differences.size(), 1);

    // As a database made before the trail: no table yet.
    f.db.exec(QStringLiteral("DROP TABLE T_Audit_Log"));
    createSchema(f.db);
    const QVector<AuditLog::Entry> base = trail(f.db);
    ASSERT_EQ(base.size(), 2);
    QStringList keys;
    for (const AuditLog::Entry& e : base) {
        EXPECT_EQ(e.op, audit::kBaseline);
        keys << e.key;
    }
    keys.sort();
    QStringList made{claim, control};
    made.sort();
    EXPECT_EQ(keys, made);
    EXPECT_TRUE(check::run(f.db).consistent());
    // Running the upgrade again adds nothing.
    createSchema(f.db);
    EXPECT_EQ(trail(f.db).size(), 2);
}

// The read side: dates (Buddhist Era, both days included), user without
// letter case, operation and key prefix, alone and together.
TEST(AuditTrail, FiltersOfTheReadingSide)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    Database& db = t.db();
    struct Row {
        int day;
        const char* user;
        audit::Op op;
        const char* key;
    };
    const Row rows[] = {
        {9, "clerk", audit::Op::ClaimSave, "SC2568/0000001"},
        {10, "clerk", audit::Op::ClaimCancel, "SC2568/0000001"},
        {10, "finance", audit::Op::VoucherMake, "PVR2568/00001SC"},
        {11, "Finance", audit::Op::EmployeeEdit, "KV2560/000001"},
    };
    for (const Row& r : rows) {
        t.setToday(2024, 11, r.day);
        Transaction tx(db);
        audit::Trail(QString::fromLatin1(r.user)).add(r.op, QString::fromLatin1(r.key)).write(db);
        tx.commit();
    }
    auto keysOf = [&](const AuditLog::Filter& f) {
        QStringList k;
        for (const AuditLog::Entry& e : AuditLog::find(db, f))
            k << e.user + QLatin1Char('/') + e.op;
        return k.join(QLatin1Char(' '));
    };
    struct Case {
        AuditLog::Filter filter;
        const char* expected;
    };
    const Case cases[] = {
        {filter({}), "clerk/CLAIM_ADD clerk/CLAIM_CANCEL finance/PV_ADD Finance/EMP_EDIT"},
        {filter(QStringLiteral("10/11/2567"), QStringLiteral("10/11/2567")), "clerk/CLAIM_CANCEL finance/PV_ADD"},
        {filter(QStringLiteral("10/11/2567")), "clerk/CLAIM_CANCEL finance/PV_ADD Finance/EMP_EDIT"},
        {filter({}, QStringLiteral("09/11/2567")), "clerk/CLAIM_ADD"},
        {filter({}, {}, QStringLiteral("FINANCE")), "finance/PV_ADD Finance/EMP_EDIT"},
        {filter({}, {}, {}, QStringLiteral("claim_cancel")), "clerk/CLAIM_CANCEL"},
        {filter({}, {}, {}, {}, QStringLiteral("sc2568/")), "clerk/CLAIM_ADD clerk/CLAIM_CANCEL"},
        {filter(QStringLiteral("10/11/2567"), {}, QStringLiteral("clerk"), {}, QStringLiteral("SC2568/0000001")),
         "clerk/CLAIM_CANCEL"},
        {filter({}, {}, {}, {}, QStringLiteral("SC2568%")), ""}, // typed text is no pattern
    };
    for (const Case& c : cases)
        EXPECT_EQ(keysOf(c.filter), QString::fromUtf8(c.expected))
            << c.filter.since.toStdString() << ".." << c.filter.until.toStdString() << " " << c.filter.user.toStdString()
            << " " << c.filter.op.toStdString() << " " << c.filter.key.toStdString();
    EXPECT_EQ(AuditLog::find(db, {}).first().time, QStringLiteral("09/11/2567 12:00:00"));
    EXPECT_EQ(errorOf([&] { AuditLog::find(db, filter(QStringLiteral("31/02/2567"))); }),
              QStringLiteral("ตั้งแต่วันที่ \"31/02/2567\" ไม่ใช่วันที่ กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)"));
    EXPECT_EQ(errorOf([&] { AuditLog::find(db, filter(QStringLiteral("11/11/2567"), QStringLiteral("10/11/2567"))); }),
              QStringLiteral("ถึงวันที่ต้องไม่ก่อนตั้งแต่วันที่"));

    // The command reads the same rows through the same filters.
    const QString url = t.url().display();
    const AdminRun shown = admin({QStringLiteral("audit"), QStringLiteral("--db"), url, QStringLiteral("--since"),
                                  QStringLiteral("10/11/2567"), QStringLiteral("--user"), QStringLiteral("finance")});
    EXPECT_EQ(shown.code, 0) << shown.output.toStdString();
    EXPECT_TRUE(shown.output.contains(QStringLiteral("PVR2568/00001SC")));
    EXPECT_TRUE(shown.output.contains(audit::labelOf(QStringLiteral("EMP_EDIT"))));
    EXPECT_FALSE(shown.output.contains(QStringLiteral("SC2568/0000001")));
    EXPECT_TRUE(shown.output.endsWith(QStringLiteral("2 rows\n"))) << shown.output.toStdString();
    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("trail.xlsx"));
    const AdminRun written = admin({QStringLiteral("audit"), QStringLiteral("--db"), url, QStringLiteral("--key"),
                                    QStringLiteral("SC2568/"), QStringLiteral("--xlsx"), xlsx});
    EXPECT_EQ(written.code, 0) << written.output.toStdString();
    EXPECT_TRUE(written.output.contains(QStringLiteral("(2 rows)"))) << written.output.toStdString();
    QFile book(xlsx);
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_EQ(book.read(2), QByteArray("PK"));
    const AdminRun badDate = admin({QStringLiteral("audit"), QStringLiteral("--db"), url, QStringLiteral("--until"),
                                    QStringLiteral("2567-11-10")});
    EXPECT_EQ(badDate.code, 1);
    EXPECT_TRUE(badDate.output.contains(QStringLiteral("ถึงวันที่ \"2567-11-10\" ไม่ใช่วันที่"))) << badDate.output.toStdString();
    const AdminRun badOp = admin({QStringLiteral("audit"), QStringLiteral("--db"), url, QStringLiteral("--op"),
                                  QStringLiteral("DELETE")});
    EXPECT_EQ(badOp.code, 2);
    EXPECT_TRUE(badOp.output.contains(QStringLiteral("unknown operation: DELETE"))) << badOp.output.toStdString();
}
