#include "EmployeeService.h"
#include "common/Audit.h"
#include "common/CleanText.h"
#include "common/EmployeeSearch.h"
#include "PersonnelCommon.h"
#include "common/RunningNumbers.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/LoginContext.h"
#include "common/InputChecks.h"

#include <QHash>

namespace wel::EmployeeService {

const QString kTypeRefused = QStringLiteral("ไม่สามารถเลือกสิทธิประเภทนี้ได้ โปรดตรวจสอบ");
const QString kTypeInUse =
    QStringLiteral("พนักงานคนนี้มีการเบิกค่ารักษาพยาบาลแล้ว\rไม่สามารถเปลี่ยนประเภทได้");
const QString kNotFoundForEdit = QStringLiteral("ไม่พบข้อมูลที่ต้องการแก้ไข");
const QString kHasClaims = QStringLiteral("พนักงานนี้มีการเบิกค่ารักษาพยาบาลแล้วไม่สามารถลบข้อมูลได้");
const QString kConfirmDelete = QStringLiteral("ยืนยันการลบข้อมูล ");
const QString kDeleted = QStringLiteral("ทำการลบข้อมูลเรียบร้อยแล้ว");
const QString kApptDateCaption = QStringLiteral("วันที่บรรจุเป็นพนักงาน");

namespace {

// The caption of a field of the add/edit screen, for the messages about it.
QString fieldCaption(const QString& column)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("EMP_ID"), QStringLiteral("รหัสประจำตัวพนักงาน")},
        {QStringLiteral("Emp_SSN"), QStringLiteral("เลขบัตรประจำตัวประชาชน")},
        {QStringLiteral("Emp_Surname"), QStringLiteral("คำนำหน้าชื่อ")},
        {QStringLiteral("Emp_F_Name"), QStringLiteral("ชื่อ")},
        {QStringLiteral("Emp_L_Name"), QStringLiteral("นามสกุล")},
        {QStringLiteral("Emp_Position"), QStringLiteral("ตำแหน่ง")},
        {QStringLiteral("Emp_Level"), QStringLiteral("ระดับ")},
        {QStringLiteral("Emp_Dept_Name"), QStringLiteral("หน่วยงาน")},
        {QStringLiteral("Fact_code"), QStringLiteral("คณะ")},
        {QStringLiteral("Bank_Account_No"), QStringLiteral("เลขที่บัญชีธนาคาร")},
    };
    return captions.value(column, column);
}

// Typed text must fit its column; a value kept as stored (an installation
// whose column is wider than this program's) is left alone.
void checkLengths(const EmployeeRecord& r, const EmployeeRecord* stored)
{
    const std::pair<QString EmployeeRecord::*, const char*> fields[] = {
        {&EmployeeRecord::EMP_ID, "EMP_ID"},           {&EmployeeRecord::Emp_SSN, "Emp_SSN"},
        {&EmployeeRecord::Emp_Surname, "Emp_Surname"}, {&EmployeeRecord::Emp_F_Name, "Emp_F_Name"},
        {&EmployeeRecord::Emp_L_Name, "Emp_L_Name"},   {&EmployeeRecord::Emp_Position, "Emp_Position"},
        {&EmployeeRecord::Emp_Level, "Emp_Level"},     {&EmployeeRecord::Emp_Dept_Name, "Emp_Dept_Name"},
        {&EmployeeRecord::Fact_code, "Fact_code"},     {&EmployeeRecord::Bank_Account_No, "Bank_Account_No"},
    };
    for (const auto& [field, column] : fields)
        if (!stored || r.*field != stored->*field)
            InputChecks::checkLength(QStringLiteral("T_Emp_Gov_Histry"), QString::fromLatin1(column), r.*field,
                                     fieldCaption(QString::fromLatin1(column)));
}

const QString kEmpIdLine = QStringLiteral("รหัสประจำตัวพนักงาน : ");
const QString kSsnLine = QStringLiteral("รหัสประจำประชาชน : ");

bool isFC(const LoginContext& login) { return login.Cur_Mode == QLatin1String("FC"); }

void normalise(EmployeeRecord& r)
{
    for (QString* f : {&r.EMP_ID, &r.Emp_SSN, &r.Emp_Surname, &r.Emp_F_Name, &r.Emp_L_Name, &r.Emp_Position,
                       &r.Emp_Level, &r.Emp_Dept_Name, &r.Emp_H_Type, &r.Fact_code, &r.Bank_Account_No})
        *f = TrimBlanks(CleanText(*f));
    // A staff number keeps its letters as typed: searches and the duplicate
    // tests ignore their case, so nothing is gained by rewriting them.
    r.Fact_code = r.Fact_code.toUpper();
}

// "ข้อมูลพนักงาน ชื่อ : <name>\r<lines>\r<closing>" for the first active
// employee other than r itself that matches the condition.
void refuseDuplicate(Database& db, const EmployeeRecord& r, const QString& condition, QVariantList params,
                     bool withEmpId, bool withSsn, const QString& closing)
{
    QString sql = QStringLiteral("SELECT Emp_Surname, Emp_F_Name, Emp_L_Name, EMP_ID, Emp_SSN "
                                 "FROM T_Emp_Gov_Histry WHERE Emp_Status = 'A' AND ")
        + condition;
    if (!r.KV_ID.isEmpty()) {
        sql += QStringLiteral(" AND KV_ID <> ?");
        params << r.KV_ID;
    }
    const Rows rows = db.select(sql + QStringLiteral(" ORDER BY KV_ID"), params);
    if (rows.isEmpty())
        return;
    auto t = [&](const char* c) { return rows.text(0, QString::fromLatin1(c)); };
    QString text = QStringLiteral("ข้อมูลพนักงาน ชื่อ : ") + t("Emp_Surname") + t("Emp_F_Name") + QStringLiteral("  ")
        + t("Emp_L_Name") + QLatin1Char('\r');
    if (withEmpId)
        text += kEmpIdLine + t("EMP_ID") + QLatin1Char('\r');
    if (withSsn)
        text += kSsnLine + t("Emp_SSN") + QLatin1Char('\r');
    throw AppError(text + closing);
}

// Active staff numbers and identity numbers are unique (the database keeps
// them so with unique indexes; this names the employee who has it).
void checkDuplicates(Database& db, const EmployeeRecord& r)
{
    const QString fact = db.ciEquals(QStringLiteral("Fact_code"));
    const QString empId = db.ciEquals(QStringLiteral("EMP_ID"));
    refuseDuplicate(db, r, fact + QStringLiteral(" AND ") + empId + QStringLiteral(" AND Emp_SSN = ?"),
                    {r.Fact_code, r.EMP_ID, r.Emp_SSN}, true, true,
                    QStringLiteral("นี้มีในระบบแล้ว ไม่สามารถเพิ่มในระบบได้ กรุณาตรวจสอบ"));
    refuseDuplicate(db, r, empId, {r.EMP_ID}, true, false,
                    QStringLiteral("รหัสประจำตัวพนักงานนี้ มีในระบบแล้ว ไม่สามารถเพิ่มในระบบได้ กรุณาตรวจสอบ"));
    refuseDuplicate(db, r, QStringLiteral("Emp_SSN = ?"), {r.Emp_SSN}, false, true,
                    QStringLiteral("รหัสประจำตัวประชาชน นี้มีในระบบแล้ว ไม่สามารถเพิ่มในระบบได้ กรุณาตรวจสอบ"));
}

QString requireSelected(const QString& kvId)
{
    const QString id = TrimBlanks(kvId);
    if (id.isEmpty())
        throw AppError(personnel::kNoneSelected);
    return id;
}

} // namespace

void validate(const EmployeeRecord& record)
{
    EmployeeRecord r = record;
    normalise(r);
    const std::pair<const QString*, const char*> required[] = {
        {&r.EMP_ID, "กรุณาใส่รหัสประจำตัวพนักงานด้วย"},   {&r.Emp_SSN, "กรุณาใส่เลขบัตรประจำตัวประชาชนด้วย"},
        {&r.Emp_Surname, "กรุณาใส่คำนำหน้าชื่อพนักงานด้วย"}, {&r.Emp_F_Name, "กรุณาใส่ชื่อพนักงานด้วย"},
        {&r.Emp_L_Name, "กรุณาใส่นามสกุลพนักงานด้วย"},      {&r.Fact_code, "กรุณาใส่ข้อมูลคณะด้วย"},
    };
    for (const auto& [field, message] : required)
        if (field->isEmpty())
            throw AppError(QString::fromUtf8(message));
    personnel::checkedDate(r.Emp_In_date2, kApptDateCaption, true);
}

std::optional<EmployeeRecord> load(Database& db, const LoginContext& login, const QString& kvId)
{
    if (!findEmployeeInScope(db, login, TrimBlanks(kvId)))
        return std::nullopt;
    const Rows rows = db.select(QStringLiteral("SELECT T_Emp_Gov_Histry.*, T_Fact.Fact_Name "
                                               "FROM T_Emp_Gov_Histry LEFT OUTER JOIN T_Fact "
                                               "ON T_Emp_Gov_Histry.Fact_code = T_Fact.Fact_Code "
                                               "WHERE T_Emp_Gov_Histry.KV_ID = ?"),
                                {TrimBlanks(kvId)});
    if (rows.isEmpty())
        return std::nullopt;
    auto t = [&](const char* c) { return rows.text(0, QString::fromLatin1(c)); };
    return EmployeeRecord{t("KV_ID"),         t("EMP_ID"),       t("Emp_SSN"),     t("Emp_Surname"),
                          t("Emp_F_Name"),    t("Emp_L_Name"),   t("Emp_Position"), t("Emp_Level"),
                          t("Emp_Dept_Name"), t("Emp_In_date2"), t("Emp_H_Type"),   t("Fact_code"),
                          t("Bank_Account_No"), t("Fact_Name"),    t("Emp_Status")};
}

QString add(Database& db, const LoginContext& login, EmployeeRecord r)
{
    normalise(r);
    r.KV_ID.clear();
    if (isFC(login)) {
        r.Fact_code = login.Cur_Fact_Code.toUpper();
        r.Emp_H_Type = QStringLiteral("2");
        r.Bank_Account_No.clear();
    }
    validate(r);
    const QString inDate = personnel::checkedDate(r.Emp_In_date2, kApptDateCaption, true);
    if (r.Emp_H_Type != QLatin1String("2") && r.Emp_H_Type != QLatin1String("3"))
        throw AppError(kTypeRefused);
    checkLengths(r, nullptr);
    if (!isFC(login)) // a clerk's own faculty needs no look-up
        InputChecks::checkFaculty(db, r.Fact_code);

    Transaction tx(db);
    RunningNumbers::lockEmployeeNumbers(db, login.Cur_Date);
    checkDuplicates(db, r);
    r.KV_ID = RunningNumbers::takeEmployeeKey(db, login.Cur_Date, RunningNumbers::WhenMissing::CreateRow);
    db.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, "
                           "Emp_L_Name, Emp_Position, Emp_Level, Emp_Dept_Name, Emp_In_date2, Emp_H_Type, "
                           "Fact_code, Bank_Account_No, Emp_Status) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'A')"),
            {r.KV_ID, r.EMP_ID, r.Emp_SSN, r.Emp_Surname, r.Emp_F_Name, r.Emp_L_Name, r.Emp_Position, r.Emp_Level,
             r.Emp_Dept_Name, inDate, r.Emp_H_Type, r.Fact_code, r.Bank_Account_No});
    audit::record(db, login, audit::Op::EmployeeAdd, r.KV_ID,
                  QStringLiteral("%1 %2%3 %4 %5 Emp_H_Type: %6")
                      .arg(r.EMP_ID, r.Emp_Surname, r.Emp_F_Name, r.Emp_L_Name, r.Fact_code, r.Emp_H_Type));
    tx.commit();
    return r.KV_ID;
}

namespace {

// The fields an edit changed, as stored before and after.
QVector<audit::Change> changesOf(const EmployeeRecord& was, const EmployeeRecord& now, const QString& inDate)
{
    QVector<audit::Change> c;
    audit::compare(c, QStringLiteral("EMP_ID"), was.EMP_ID, now.EMP_ID);
    audit::compare(c, QStringLiteral("Emp_SSN"), was.Emp_SSN, now.Emp_SSN);
    audit::compare(c, QStringLiteral("Emp_Surname"), was.Emp_Surname, now.Emp_Surname);
    audit::compare(c, QStringLiteral("Emp_F_Name"), was.Emp_F_Name, now.Emp_F_Name);
    audit::compare(c, QStringLiteral("Emp_L_Name"), was.Emp_L_Name, now.Emp_L_Name);
    audit::compare(c, QStringLiteral("Emp_Position"), was.Emp_Position, now.Emp_Position);
    audit::compare(c, QStringLiteral("Emp_Level"), was.Emp_Level, now.Emp_Level);
    audit::compare(c, QStringLiteral("Emp_Dept_Name"), was.Emp_Dept_Name, now.Emp_Dept_Name);
    audit::compare(c, QStringLiteral("Emp_In_date2"), was.Emp_In_date2, inDate);
    audit::compare(c, QStringLiteral("Fact_code"), was.Fact_code, now.Fact_code);
    audit::compare(c, QStringLiteral("Emp_H_Type"), was.Emp_H_Type, now.Emp_H_Type);
    audit::compare(c, QStringLiteral("Bank_Account_No"), was.Bank_Account_No, now.Bank_Account_No);
    return c;
}

} // namespace

void edit(Database& db, const LoginContext& login, EmployeeRecord r)
{
    normalise(r);
    r.KV_ID = TrimBlanks(r.KV_ID);
    validate(r);
    const QString inDate = personnel::checkedDate(r.Emp_In_date2, kApptDateCaption, true);

    Transaction tx(db);
    const auto stored = load(db, login, r.KV_ID);
    if (!stored || stored->Emp_Status != QLatin1String("A"))
        throw AppError(personnel::kNotFound);
    // A stored type outside "1" to "3" shows no choice; saving without a new
    // one keeps it.
    if (r.Emp_H_Type.isEmpty())
        r.Emp_H_Type = stored->Emp_H_Type;
    if (isFC(login)) {
        r.Fact_code = stored->Fact_code;
        r.Emp_H_Type = stored->Emp_H_Type;
        r.Bank_Account_No = stored->Bank_Account_No;
    } else if (r.Fact_code.compare(stored->Fact_code, Qt::CaseInsensitive) == 0) {
        r.Fact_code = stored->Fact_code;
    } else {
        InputChecks::checkFaculty(db, r.Fact_code);
    }
    checkLengths(r, &*stored);
    if (r.Emp_H_Type != stored->Emp_H_Type
        && !db.select(QStringLiteral("SELECT KV_ID FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?"),
                      {r.KV_ID, login.Cur_Bud_Year})
                .isEmpty())
        throw AppError(kTypeInUse);
    checkDuplicates(db, r);
    // Another workstation may have marked him left or moved him to another
    // faculty since he was loaded: the statement itself checks.
    QString sql = QStringLiteral("UPDATE T_Emp_Gov_Histry SET EMP_ID = ?, Emp_SSN = ?, Emp_Surname = ?, "
                                 "Emp_F_Name = ?, Emp_L_Name = ?, Emp_Position = ?, Emp_Level = ?, "
                                 "Emp_Dept_Name = ?, Emp_In_date2 = ?, Fact_code = ?, Emp_H_Type = ?, "
                                 "Bank_Account_No = ? WHERE KV_ID = ? AND Emp_Status = 'A'");
    QVariantList params{r.EMP_ID,       r.Emp_SSN,    r.Emp_Surname, r.Emp_F_Name,   r.Emp_L_Name,
                        r.Emp_Position, r.Emp_Level,  r.Emp_Dept_Name, inDate,       r.Fact_code,
                        r.Emp_H_Type,   r.Bank_Account_No, r.KV_ID};
    const QString scope = facultyScope(login);
    if (!scope.isEmpty()) {
        sql += QStringLiteral(" AND ") + db.ciEquals(QStringLiteral("Fact_code"));
        params << scope;
    }
    if (db.exec(sql, params) != 1)
        throw AppError(personnel::kNotFound);
    db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_Surname = ?, EF_F_Name = ?, EF_L_Name = ? "
                           "WHERE Emp_Folk = '0' AND KV_ID = ?"),
            {r.Emp_Surname, r.Emp_F_Name, r.Emp_L_Name, r.KV_ID});
    audit::record(db, login, audit::Op::EmployeeEdit, r.KV_ID, changesOf(*stored, r, inDate));
    tx.commit();
}

EmployeeSummary checkDeletable(Database& db, const LoginContext& login, const QString& kvId)
{
    const QString id = requireSelected(kvId);
    const auto e = findEmployeeInScope(db, login, id);
    if (!e || e->Emp_Status != QLatin1String("A"))
        throw AppError(personnel::kNotFound);
    if (!db.select(QStringLiteral("SELECT Berg_Doc_ID FROM T_PAY_Health WHERE KV_ID = ?"), {id}).isEmpty())
        throw AppError(kHasClaims);
    return *e;
}

QString deleteConfirmation(const EmployeeSummary& e)
{
    return kConfirmDelete + e.EMP_ID + QLatin1Char(' ') + e.fullName();
}

void remove(Database& db, const LoginContext& login, const QString& kvId)
{
    Transaction tx(db);
    checkDeletable(db, login, kvId);
    // Only an active record: another workstation may have marked him meanwhile.
    if (db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Status = 'D', USER_E_Del = ? "
                               "WHERE KV_ID = ? AND Emp_Status = 'A'"),
                {login.Cur_Username, TrimBlanks(kvId)})
        != 1)
        throw AppError(personnel::kNotFound);
    audit::record(db, login, audit::Op::EmployeeDelete, kvId);
    tx.commit();
}

} // namespace wel::EmployeeService
