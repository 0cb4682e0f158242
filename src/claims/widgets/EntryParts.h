#pragma once
#include "common/Money.h"

#include <QGroupBox>
#include <QVector>
#include <utility>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace wel {
class BEDateEdit;
struct EmployeeSummary;
} // namespace wel

namespace wel::claims {

// The shown-only employee fields of an entry panel's "ประวัติพนักงาน"
// group. Each screen lays them out its own way; all fill them alike.
struct EmployeeFields {
    QLineEdit* edtEMP_ID3 = nullptr;
    QLineEdit* edtEmp_SSN3 = nullptr;
    QLineEdit* edtEmp_F_Name3 = nullptr;
    QLineEdit* edtEmp_H_Type3 = nullptr;
    QLineEdit* edtKV_ID3 = nullptr;
    QLineEdit* edtEmp_Position3 = nullptr;

    static EmployeeFields create(QWidget* parent);
    void show(const EmployeeSummary& e) const;
};

// The summary beside a lines grid ("สรุปจำนวนเงินแยกตามผู้ป่วย", "... บุตร"):
// per person a check box and the amount claimed for him, then the total.
// The lines decide them; the clerk never changes them by hand.
class PersonAmountsGroup : public QGroupBox {
public:
    // Persons firstCode .. firstCode + count - 1 (family-member codes).
    PersonAmountsGroup(const QString& title, int firstCode, int count, QWidget* parent);

    // Shows the sums of the (person code, amount) lines; returns the total.
    Money showLines(const QVector<std::pair<int, Money>>& lines);

private:
    int m_firstCode;
    QVector<QCheckBox*> m_checks;
    QVector<QLineEdit*> m_amounts;
    QLineEdit* edtSum_Berg = nullptr;
};

// The row under an entry screen's employee search: the claim date (shown
// only), a chosen value with its caption, and the button that opens the
// claim for the chosen employee.
QGroupBox* claimOpenRow(QWidget* parent, BEDateEdit*& date, const QString& choiceCaption, QComboBox* choice,
                        QPushButton* open);

} // namespace wel::claims
