#include "DateFilterBox.h"
#include "BEDateEdit.h"
#include "common/ThaiDate.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace wel {

DateFilterBox::DateFilterBox(const QString& title, QWidget* parent) : QGroupBox(title, parent)
{
    m_day = new QRadioButton(QStringLiteral("วันเดือนปี"), this);
    m_month = new QRadioButton(QStringLiteral("เดือนปี"), this);
    m_year = new QRadioButton(QStringLiteral("ปี"), this);
    m_day->setObjectName(QStringLiteral("rbSel_date"));
    m_month->setObjectName(QStringLiteral("rbSel_month"));
    m_year->setObjectName(QStringLiteral("rbSel_Year"));
    m_dayEdit = new BEDateEdit(this);
    m_dayEdit->setObjectName(QStringLiteral("edtSel_date"));
    m_monthEdit = new QLineEdit(this);
    m_monthEdit->setObjectName(QStringLiteral("edtSel_month"));
    m_monthEdit->setInputMask(QStringLiteral("99/9999;_"));
    m_yearEdit = new QLineEdit(this);
    m_yearEdit->setObjectName(QStringLiteral("edtSel_Year"));
    m_yearEdit->setInputMask(QStringLiteral("9999;_"));
    for (QLineEdit* e : {static_cast<QLineEdit*>(m_dayEdit), m_monthEdit, m_yearEdit})
        e->setFixedWidth(m_dayEdit->maximumWidth());
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_day, 0, 0);
    grid->addWidget(m_dayEdit, 0, 1);
    grid->addWidget(m_month, 1, 0);
    grid->addWidget(m_monthEdit, 1, 1);
    grid->addWidget(m_year, 2, 0);
    grid->addWidget(m_yearEdit, 2, 1);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    for (QRadioButton* rb : {m_day, m_month, m_year})
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                modeChanged();
        });
}

void DateFilterBox::reset(const QString& curDate)
{
    m_dayEdit->setText(curDate);
    m_monthEdit->setText(monthYearOf(curDate));
    m_yearEdit->setText(yearOf(curDate));
    m_day->setChecked(true);
    modeChanged();
}

void DateFilterBox::choose(DateFilter::Kind kind)
{
    (kind == DateFilter::Month ? m_month : kind == DateFilter::Year ? m_year : m_day)->setChecked(true);
}

void DateFilterBox::modeChanged()
{
    m_dayEdit->setEnabled(m_day->isChecked());
    m_monthEdit->setEnabled(m_month->isChecked());
    m_yearEdit->setEnabled(m_year->isChecked());
}

DateFilter DateFilterBox::filter() const
{
    if (m_month->isChecked())
        return {DateFilter::Month, m_monthEdit->text()};
    if (m_year->isChecked())
        return {DateFilter::Year, m_yearEdit->text()};
    return {DateFilter::Day, m_dayEdit->text()};
}

} // namespace wel
