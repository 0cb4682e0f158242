#include "BEDateEdit.h"
#include "common/ThaiDate.h"

namespace wel {

BEDateEdit::BEDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99/99/9999;_"));
    setPlaceholderText(QStringLiteral("วว/ดด/ปปปป"));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
}

QString BEDateEdit::text() const
{
    QString t = displayText();
    t.replace(QLatin1Char('_'), QLatin1Char(' '));
    return isBlankDate(t) ? QString() : t;
}

void BEDateEdit::setText(const QString& beText)
{
    if (isBlankDate(beText))
        QLineEdit::clear();
    else
        QLineEdit::setText(beText.trimmed());
}

std::optional<QDate> BEDateEdit::date() const { return parseBEText(text()); }

} // namespace wel
