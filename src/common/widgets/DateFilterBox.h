#pragma once
#include "common/DateFilter.h"

#include <QGroupBox>

class QLineEdit;
class QRadioButton;

namespace wel {

class BEDateEdit;

// The choice of a listing's day ("วันเดือนปี", the default), month
// ("เดือนปี") or year ("ปี"), each with its own field (edtSel_date,
// edtSel_month, edtSel_Year) enabled only while it is chosen.
class DateFilterBox : public QGroupBox {
    Q_OBJECT
public:
    DateFilterBox(const QString& title, QWidget* parent = nullptr);

    // Day chosen, the fields preset from today's "dd/mm/yyyy".
    void reset(const QString& curDate);
    // Chooses a day, month or year as the clerk's click would.
    void choose(DateFilter::Kind kind);
    // The chosen field's text as typed.
    DateFilter filter() const;

private:
    void modeChanged();

    QRadioButton* m_day = nullptr;
    QRadioButton* m_month = nullptr;
    QRadioButton* m_year = nullptr;
    BEDateEdit* m_dayEdit = nullptr;
    QLineEdit* m_monthEdit = nullptr;
    QLineEdit* m_yearEdit = nullptr;
};

} // namespace wel
