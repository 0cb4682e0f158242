#include "FactCodeEdit.h"
#include "Named.h"

#include <QValidator>

namespace wel {

namespace {
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};
} // namespace

FactCodeEdit::FactCodeEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(2);
    setValidator(new UpperCase(this));
    fitToValue(this, longest::factCode);
}

void FactCodeEdit::setMode(const QString& mode) { setReadOnly(mode != QLatin1String("KV")); }

QString FactCodeEdit::code() const { return QLineEdit::text().trimmed().toUpper(); }

} // namespace wel
