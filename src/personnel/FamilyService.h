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
    QString EF_Birthday; // children only: "dd/mm/yyyy", "" for no date, or a stored text that is no date
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
// A child's birth date is the stored text, "" when it holds no date at all
// ("" or "  /  /    "); a text that is not a valid date comes as it is.
QMap<int, FamilyMember> load(Database& db, const LoginContext& login, const QString& kvId);

// Checks the ticked slots before the confirmation: at least one, names of
// the parents and spouse, a child's given name, and the children's birth
// dates that differ from the ones shown (loaded). Throws AppError.
void validate(const QMap<int, FamilyMember>& ticked, const QMap<int, FamilyMember>& shown = {});

// Writes the ticked slots: updates a stored person, inserts a new one. A
// birth date left as stored is written back as stored, even when it is no
// valid date: it was only shown, not entered.
void save(Database& db, const LoginContext& login, const QString& kvId, const QMap<int, FamilyMember>& ticked);

} // namespace FamilyService
} // namespace wel
