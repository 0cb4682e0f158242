#include "FinanceWidgets.h"
#include "ChoiceBox.h"
#include "common/widgets/Named.h"

#include <QLineEdit>

namespace wel::finance {

Period periodOf(const ChoiceBox* box, const QVector<Period::Kind>& kinds)
{
    return {kinds.value(box->chosen(), Period::All), box->value()};
}

QLineEdit* shownField(const QString& name, const QString& sample, QWidget* parent)
{
    QLineEdit* e = namedReadOnly(name, parent);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(sample) + 24);
    e->setMaximumWidth(e->minimumWidth() + 40);
    return e;
}

QLineEdit* amountField(const QString& name, QWidget* parent)
{
    QLineEdit* e = shownField(name, QStringLiteral("2,000,000,000.00"), parent);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace wel::finance
