#include "FamilyService.h"
#include "common/Audit.h"
#include "common/EmployeeSearch.h"
#include "PersonnelCommon.h"
#include "common/AppError.h"
#include "common/ThaiDate.h"
#include "common/Utility.h"
#include "common/db/Database.h"

namespace wel::FamilyService {

const QString kNothingTicked = QStringLiteral("กรุณาคลิกเลือกรายการที่ต้องการแก้ไขด้วย");

namespace {

QString requireEmployee(Database& db, const LoginContext& login, const QString& kvId)
{
    const QString id = TrimBlanks(kvId);
    if (id.isEmpty())
        throw AppError(personnel::kNoneSelected);
    if (!findEmployeeInScope(db, login, id))
        throw AppError(personnel::kNotFound);
    return id;
}

QString birthdayCaption(int slot) { return QStringLiteral("วันเดือนปีเกิดของ") + slotCaption(slot); }

// Blank texts all mean "no date"; anything else compares as typed.
bool sameBirthday(const QString& a, const QString& b)
{
    if (isBlankDate(a) || isBlankDate(b))
        return isBlankDate(a) && isBlankDate(b);
    return a.trimmed() == b.trimmed();
}

// The persons as stored, birth dates as their raw texts.
QMap<int, FamilyMember> storedFamily(Database& db, const QString& id)
{
    const Rows rows = db.select(QStringLiteral("SELECT Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday, "
                                               "EF_Base_Right1, EF_Base_Right2, EF_Base_Right3 "
                                               "FROM T_Emp_Folk WHERE KV_ID = ? ORDER BY Emp_Folk"),
                                {id});
    QMap<int, FamilyMember> family;
    for (int r = 0; r < rows.count(); ++r) {
        auto t = [&](const char* c) { return rows.text(r, QString::fromLatin1(c)); };
        const int slot = TrimBlanks(t("Emp_Folk")).toInt();
        if (slot < kFirstSlot || slot > kLastSlot)
            continue;
        family.insert(slot, {t("EF_Surname"), t("EF_F_Name"), t("EF_L_Name"), t("EF_Birthday"),
                             t("EF_Base_Right1"), t("EF_Base_Right2"), t("EF_Base_Right3")});
    }
    return family;
}

} // namespace

QString slotCaption(int slot)
{
    switch (slot) {
    case 1: return QStringLiteral("บิดา");
    case 2: return QStringLiteral("มารดา");
    case 3: return QStringLiteral("คู่สมรส");
    default: return QStringLiteral("บุตรลำดับที่ %1").arg(slot - 3);
    }
}

QMap<int, FamilyMember> load(Database& db, const LoginContext& login, const QString& kvId)
{
    QMap<int, FamilyMember> family = storedFamily(db, requireEmployee(db, login, kvId));
    for (auto it = family.begin(); it != family.end(); ++it)
        it->EF_Birthday = isChildSlot(it.key()) && !isBlankDate(it->EF_Birthday) ? it->EF_Birthday.trimmed() : QString();
    return family;
}

void validate(const QMap<int, FamilyMember>& ticked, const QMap<int, FamilyMember>& shown)
{
    if (ticked.isEmpty())
        throw AppError(kNothingTicked);
    for (auto it = ticked.begin(); it != ticked.end(); ++it) {
        if (it.key() < kFirstSlot || it.key() > kLastSlot)
            throw AppError(personnel::kNotFound);
        if (isChildSlot(it.key())) {
            // A nameless child would be offered as a patient by the claim screens.
            if (TrimBlanks(it->EF_F_Name).isEmpty())
                throw AppError(QStringLiteral("กรุณาใส่ชื่อด้วย"));
            const auto was = shown.find(it.key());
            if (was == shown.end() || !sameBirthday(it->EF_Birthday, was->EF_Birthday))
                personnel::checkedDate(it->EF_Birthday, birthdayCaption(it.key()), false);
            continue;
        }
        if (TrimBlanks(it->EF_Surname).isEmpty())
            throw AppError(QStringLiteral("กรุณาใส่คำนำหน้าชื่อ ด้วย"));
        if (TrimBlanks(it->EF_F_Name).isEmpty())
            throw AppError(QStringLiteral("กรุณาใส่ชื่อด้วย"));
        if (TrimBlanks(it->EF_L_Name).isEmpty())
            throw AppError(QStringLiteral("กรุณาใส่นามสกุลด้วย"));
    }
}

void save(Database& db, const LoginContext& login, const QString& kvId, const QMap<int, FamilyMember>& ticked)
{
    Transaction tx(db);
    const QString id = requireEmployee(db, login, kvId);
    const QMap<int, FamilyMember> stored = storedFamily(db, id);
    validate(ticked, stored);
    QVector<audit::Change> changes;
    for (auto it = ticked.begin(); it != ticked.end(); ++it) {
        const QString slot = QString::number(it.key());
        FamilyMember m = *it;
        for (QString* f : {&m.EF_Surname, &m.EF_F_Name, &m.EF_L_Name, &m.EF_Base_Right1, &m.EF_Base_Right2,
                           &m.EF_Base_Right3})
            *f = TrimBlanks(*f);
        const bool child = isChildSlot(it.key());
        const auto was = stored.find(it.key());
        QString birthday;
        if (child)
            birthday = was != stored.end() && sameBirthday(m.EF_Birthday, was->EF_Birthday)
                ? was->EF_Birthday
                : personnel::checkedDate(m.EF_Birthday, birthdayCaption(it.key()), false);
        const FamilyMember before = was != stored.end() ? *was : FamilyMember{};
        const QString who = slot + QLatin1Char('.');
        audit::compare(changes, who + QStringLiteral("EF_Surname"), before.EF_Surname, m.EF_Surname);
        audit::compare(changes, who + QStringLiteral("EF_F_Name"), before.EF_F_Name, m.EF_F_Name);
        audit::compare(changes, who + QStringLiteral("EF_L_Name"), before.EF_L_Name, m.EF_L_Name);
        if (child)
            audit::compare(changes, who + QStringLiteral("EF_Birthday"), before.EF_Birthday, birthday);
        audit::compare(changes, who + QStringLiteral("EF_Base_Right1"), before.EF_Base_Right1, m.EF_Base_Right1);
        audit::compare(changes, who + QStringLiteral("EF_Base_Right2"), before.EF_Base_Right2, m.EF_Base_Right2);
        audit::compare(changes, who + QStringLiteral("EF_Base_Right3"), before.EF_Base_Right3, m.EF_Base_Right3);
        if (was != stored.end()) {
            // A parent's or spouse's row keeps whatever birth date it has.
            db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_Surname = ?, EF_F_Name = ?, EF_L_Name = ?, ")
                        + (child ? QStringLiteral("EF_Birthday = ?, ") : QString())
                        + QStringLiteral("EF_Base_Right1 = ?, EF_Base_Right2 = ?, EF_Base_Right3 = ? "
                                         "WHERE KV_ID = ? AND Emp_Folk = ?"),
                    child ? QVariantList{m.EF_Surname, m.EF_F_Name, m.EF_L_Name, birthday, m.EF_Base_Right1,
                                         m.EF_Base_Right2, m.EF_Base_Right3, id, slot}
                          : QVariantList{m.EF_Surname, m.EF_F_Name, m.EF_L_Name, m.EF_Base_Right1,
                                         m.EF_Base_Right2, m.EF_Base_Right3, id, slot});
        } else {
            db.exec(QStringLiteral("INSERT INTO T_Emp_Folk (KV_ID, Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, "
                                   "EF_Birthday, EF_Base_Right1, EF_Base_Right2, EF_Base_Right3) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {id, slot, m.EF_Surname, m.EF_F_Name, m.EF_L_Name, birthday, m.EF_Base_Right1,
                     m.EF_Base_Right2, m.EF_Base_Right3});
        }
    }
    audit::record(db, login, audit::Op::FamilyEdit, id, changes);
    tx.commit();
}

} // namespace wel::FamilyService
