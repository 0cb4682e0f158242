#include "CleanText.h"

#include <QRegularExpression>

namespace wel {

QString CleanText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || c == QChar::Nbsp || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            out += QLatin1Char(' ');
        else if (category != QChar::Other_Format)
            out += c;
    }
    out = out.normalized(QString::NormalizationForm_C);
    // NFC leaves the two-character spelling of sara am alone.
    static const QRegularExpression saraAm(QStringLiteral("\\x{0E4D}([\\x{0E48}-\\x{0E4B}]?)\\x{0E32}"));
    out.replace(saraAm, QStringLiteral("\\1") + QChar(0x0E33));
    return out;
}

} // namespace wel
