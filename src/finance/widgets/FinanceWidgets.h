#pragma once
#include "finance/Period.h"

#include <QString>

class QLineEdit;
class QWidget;

namespace wel {
class ChoiceBox;
}

namespace wel::finance {

// The period chosen in a box whose buttons are, in order, the kinds given.
Period periodOf(const ChoiceBox* box, const QVector<Period::Kind>& kinds);

// A shown-only amount field, right-aligned, wide enough for 2,000,000,000.00.
QLineEdit* amountField(const QString& name, QWidget* parent);
// A shown-only field wide enough for values like sample.
QLineEdit* shownField(const QString& name, const QString& sample, QWidget* parent);

} // namespace wel::finance
