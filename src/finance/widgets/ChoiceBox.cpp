#include "ChoiceBox.h"
#include "common/ThaiDate.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Named.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace wel {

namespace {

QLineEdit* makeField(const ChoiceBox::Choice& c, QWidget* parent)
{
    QLineEdit* e = nullptr;
    switch (c.field) {
    case ChoiceBox::Field::None: return nullptr;
    case ChoiceBox::Field::Date: e = new BEDateEdit(parent); break;
    case ChoiceBox::Field::Month:
        e = new QLineEdit(parent);
        e->setInputMask(QStringLiteral("99/9999;_"));
        fitToValue(e, QStringLiteral("00/0000"));
        break;
    case ChoiceBox::Field::Year:
        e = new QLineEdit(parent);
        e->setInputMask(QStringLiteral("9999;_"));
        fitToValue(e, QStringLiteral("0000"));
        break;
    case ChoiceBox::Field::Faculty: e = new FactCodeEdit(parent); break;
    case ChoiceBox::Field::Text:
        e = new QLineEdit(parent);
        e->setMaxLength(c.maxLength);
        fitToValue(e, longestValue(FieldKind::Code, c.maxLength), c.maxLength > kLongText);
        break;
    }
    e->setObjectName(c.fieldName);
    return e;
}

} // namespace

ChoiceBox::ChoiceBox(const QString& title, const QVector<Choice>& choices, QWidget* parent)
    : QGroupBox(title, parent), m_choices(choices)
{
    auto* grid = m_grid = new QGridLayout(this);
    for (int i = 0; i < choices.size(); ++i) {
        auto* r = new QRadioButton(choices[i].caption, this);
        r->setObjectName(choices[i].radioName);
        m_radios << r;
        m_fields << makeField(choices[i], this);
        grid->addWidget(r, 2 * i, 0);
        if (m_fields.last())
            grid->addWidget(m_fields.last(), 2 * i, 1, Qt::AlignLeft);
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                update();
        });
    }
    grid->setColumnStretch(2, 1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    choose(0);
}

int ChoiceBox::chosen() const
{
    for (int i = 0; i < m_radios.size(); ++i)
        if (m_radios[i]->isChecked())
            return i;
    return 0;
}

void ChoiceBox::choose(int index)
{
    m_radios.value(index)->setChecked(true);
    update();
}

QString ChoiceBox::value() const
{
    const QLineEdit* e = m_fields.value(chosen());
    if (!e)
        return {};
    if (auto* d = qobject_cast<const BEDateEdit*>(e))
        return d->text().trimmed();
    if (auto* f = qobject_cast<const FactCodeEdit*>(e))
        return f->code();
    QString t = e->displayText();
    if (!e->inputMask().isEmpty())
        t.replace(QLatin1Char('_'), QLatin1Char(' '));
    return t.trimmed();
}

void ChoiceBox::presetFrom(const QString& curDate)
{
    for (int i = 0; i < m_fields.size(); ++i) {
        QLineEdit* e = m_fields[i];
        if (!e)
            continue;
        switch (m_choices[i].field) {
        case Field::Date: static_cast<BEDateEdit*>(e)->setText(curDate); break;
        case Field::Month: e->setText(monthYearOf(curDate)); break;
        case Field::Year: e->setText(yearOf(curDate)); break;
        case Field::Text:
        case Field::Faculty:
        case Field::None: break;
        }
    }
}

void ChoiceBox::addHint(int index, const QString& text)
{
    auto* hint = new QLabel(text, this);
    m_grid->addWidget(hint, 2 * index + 1, 1);
}

void ChoiceBox::update()
{
    const int on = chosen();
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i])
            m_fields[i]->setEnabled(i == on);
}

} // namespace wel
