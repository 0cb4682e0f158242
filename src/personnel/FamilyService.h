#pragma once
#include <QMap>
#include <QString>

namespace wel {

class Database;
struct LoginContext;

// One person of an employee's family (a row of T_Emp_Folk).
struct FamilyMember {
    QString EF_Surname;
    QString EF_F_Name;
    QString EF_L_Name;
    QString EF_Birthday; // children only: "dd/mm/yyyy" or "" for no date
    QString EF_Base_Right1;
    QString EF_Base_Right2;
    QString EF_Base_Right3;
};

// The family screen's person slots are the Emp_Folk codes 1 (father) to 7
// (fourth child); the employee himself (code 0) is kept elsewhere.
namespace FamilyService {

constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 7;
inline bool isChildSlot(int slot) { return slot >= 4; }
QString slotCaption(int slot); // "บิดา" ... "บุตรลำดับที่ 4"

extern const QString kNothingTicked;

// The stored persons of slots 1 to 7, by slot; a slot without a row is absent.
// A child's birth date is "" unless a real date is stored.
QMap<int, FamilyMember> load(Database& db, const LoginContext& login, const QString& kvId);

// Checks the ticked slots before the confirmation: at least one, names of
// the parents and spouse, children's birth dates. Throws AppError.
void validate(const QMap<int, FamilyMember>& ticked);

// Writes the ticked slots: updates a stored person, inserts a new one.
void save(Database& db, const LoginContext& login, const QString& kvId, const QMap<int, FamilyMember>& ticked);

} // namespace FamilyService
} // namespace wel
