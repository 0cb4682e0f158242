#include "EntryParts.h"
#include "claims/ClaimKind.h"
#include "common/EmployeeSearch.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace wel::claims {

EmployeeFields EmployeeFields::create(QWidget* parent)
{
    EmployeeFields f;
    f.edtEMP_ID3 = namedReadOnly(QStringLiteral("edtEMP_ID3"), parent, longestValue(FieldKind::Code, 12));
    f.edtEmp_SSN3 = namedReadOnly(QStringLiteral("edtEmp_SSN3"), parent, longestValue(FieldKind::Digits, 13));
    f.edtEmp_F_Name3 = namedReadOnly(QStringLiteral("edtEmp_F_Name3"), parent);
    f.edtEmp_H_Type3 = namedReadOnly(QStringLiteral("edtEmp_H_Type3"), parent, longestValue(FieldKind::Digits, 1));
    f.edtKV_ID3 = namedReadOnly(QStringLiteral("edtKV_ID3"), parent, longest::KV_ID);
    f.edtEmp_Position3 = namedReadOnly(QStringLiteral("edtEmp_Position3"), parent);
    return f;
}

void EmployeeFields::show(const EmployeeSummary& e) const
{
    edtEMP_ID3->setText(e.EMP_ID);
    edtEmp_SSN3->setText(e.Emp_SSN);
    edtEmp_F_Name3->setText(e.fullName());
    edtEmp_H_Type3->setText(e.Emp_H_Type);
    edtKV_ID3->setText(e.KV_ID);
    edtEmp_Position3->setText(e.Emp_Position);
}

PersonAmountsGroup::PersonAmountsGroup(const QString& title, int firstCode, int count, QWidget* parent)
    : QGroupBox(title, parent), m_firstCode(firstCode)
{
    auto* g = new QGridLayout(this);
    for (int i = 0; i < count; ++i) {
        const int code = firstCode + i;
        auto* check = new QCheckBox(patientCheckCaption(code), this);
        check->setObjectName(QStringLiteral("CheckBox%1").arg(code));
        // Not disabled, so that the captions stay readable.
        check->setAttribute(Qt::WA_TransparentForMouseEvents);
        check->setFocusPolicy(Qt::NoFocus);
        QLineEdit* money = amountField(QStringLiteral("edtP_Money%1").arg(code), this);
        m_checks << check;
        m_amounts << money;
        g->addWidget(check, i, 0);
        g->addWidget(money, i, 1);
        g->addWidget(new QLabel(QStringLiteral("บาท"), this), i, 2);
    }
    edtSum_Berg = amountField(QStringLiteral("edtSum_Berg"), this);
    g->addWidget(new QLabel(QStringLiteral("รวมจำนวนเงินที่เบิก"), this), count, 0);
    g->addWidget(edtSum_Berg, count, 1);
    g->addWidget(new QLabel(QStringLiteral("บาท"), this), count, 2);
    g->setRowStretch(count + 1, 1);
}

Money PersonAmountsGroup::showLines(const QVector<std::pair<int, Money>>& lines)
{
    QVector<Money> byPerson(m_checks.size());
    QVector<bool> has(m_checks.size());
    Money total;
    for (const auto& [code, amount] : lines) {
        total += amount;
        const int i = code - m_firstCode;
        if (i >= 0 && i < m_checks.size()) {
            byPerson[i] += amount;
            has[i] = true;
        }
    }
    for (int i = 0; i < m_checks.size(); ++i) {
        m_checks[i]->setChecked(has[i]);
        m_amounts[i]->setText(byPerson[i].toDisplay());
    }
    edtSum_Berg->setText(total.toDisplay());
    return total;
}

QGroupBox* claimOpenRow(QWidget* parent, BEDateEdit*& date, const QString& choiceCaption, QComboBox* choice,
                        QPushButton* open)
{
    auto* box = new QGroupBox(parent);
    date = new BEDateEdit(box);
    date->setObjectName(QStringLiteral("cmbDate_Berg1"));
    date->setEnabled(false);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(QStringLiteral("วันที่เบิก"), box));
    row->addWidget(date);
    row->addSpacing(16);
    row->addWidget(new QLabel(choiceCaption, box));
    row->addWidget(choice);
    row->addSpacing(16);
    row->addWidget(open);
    row->addStretch();
    return box;
}

} // namespace wel::claims
