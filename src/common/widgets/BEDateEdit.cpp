#include "BEDateEdit.h"
#include "Named.h"
#include "common/ThaiDate.h"

#include <QRegularExpression>

namespace wel {

namespace {
const QString kMask = QStringLiteral("99/99/9999;_");

bool maskHolds(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9 ]{2}/[0-9 ]{2}/[0-9 ]{4}$"));
    return shape.match(text).hasMatch();
}
} // namespace

BEDateEdit::BEDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(kMask);
    setPlaceholderText(QStringLiteral("วว/ดด/ปปปป"));
    fitToValue(this, longest::date);
}

QString BEDateEdit::text() const
{
    if (inputMask().isEmpty())
        return QLineEdit::text();
    QString t = displayText();
    t.replace(QLatin1Char('_'), QLatin1Char(' '));
    return isBlankDate(t) ? QString() : t;
}

void BEDateEdit::setText(const QString& beText)
{
    const QString t = beText.trimmed();
    if (isBlankDate(t) || maskHolds(t)) {
        if (inputMask().isEmpty()) {
            setInputMask(kMask);
            fitToValue(this, longest::date);
        }
        if (isBlankDate(t))
            QLineEdit::clear();
        else
            QLineEdit::setText(t);
        return;
    }
    setInputMask(QString());
    QLineEdit::setText(beText);
    fitToValue(this, beText.size() > longest::date.size() ? beText : longest::date);
}

std::optional<QDate> BEDateEdit::date() const { return parseBEText(text()); }

} // namespace wel
