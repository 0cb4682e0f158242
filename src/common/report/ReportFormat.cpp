#include "Report.h"
#include "common/AppError.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTextLayout>

namespace wel {

QString documentFamily(const QString& family)
{
    // The TLWG faces are installed with the program; anything else a layout
    // names (the Windows Thai faces of the old forms) would be replaced by
    // whatever fontconfig picks, so it is pinned to the document face.
    static const QStringList tlwg{
        QStringLiteral("Laksaman"), QStringLiteral("Garuda"), QStringLiteral("Kinnari"),
        QStringLiteral("Loma"), QStringLiteral("Norasi"), QStringLiteral("Purisa"),
        QStringLiteral("Sawasdee"), QStringLiteral("Umpush"), QStringLiteral("Waree"),
        QStringLiteral("Tlwg Mono"), QStringLiteral("Tlwg Typewriter"),
        QStringLiteral("Tlwg Typist"), QStringLiteral("Tlwg Typo")};
    for (const QString& f : tlwg)
        if (f.compare(family.trimmed(), Qt::CaseInsensitive) == 0)
            return f;
    return QStringLiteral("Laksaman");
}

namespace {
// Measured at ten pixels per point, so the screen's resolution plays no part.
constexpr double kPixelsPerPoint = 10;

QFont measuringFont(const ReportFont& f)
{
    QFont font(documentFamily(f.family));
    font.setPixelSize(qRound(f.pointSize * kPixelsPerPoint));
    font.setBold(f.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double pixelsToMm(double px) { return px / kPixelsPerPoint * 25.4 / 72.0; }
} // namespace

double printedWidthMm(const QString& text, const ReportFont& f)
{
    return pixelsToMm(QFontMetricsF(measuringFont(f)).horizontalAdvance(text));
}

double printedLineMm(const ReportFont& f) { return pixelsToMm(QFontMetricsF(measuringFont(f)).lineSpacing()); }

QStringList wrapToWidth(const QString& text, const ReportFont& f, double widthMm)
{
    QTextLayout layout(text, measuringFont(f));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const double widthPx = widthMm / 25.4 * 72.0 * kPixelsPerPoint;
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthPx);
        const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
        if (!part.isEmpty())
            lines << part;
    }
    layout.endLayout();
    return lines;
}

namespace {

struct NumericMask {
    bool thousands = false;
    int minDecimals = 0;
    int maxDecimals = 0;
};

NumericMask parseMask(const QString& mask)
{
    NumericMask m;
    const int point = mask.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? mask : mask.left(point);
    const QString decimals = point < 0 ? QString() : mask.mid(point + 1);
    bool ok = !whole.isEmpty() || !decimals.isEmpty();
    for (QChar c : whole)
        ok = ok && (c == QLatin1Char('#') || c == QLatin1Char('0') || c == QLatin1Char(','));
    for (QChar c : decimals) {
        ok = ok && (c == QLatin1Char('#') || c == QLatin1Char('0'));
        if (c == QLatin1Char('0'))
            m.minDecimals = m.maxDecimals + 1; // a '0' forces every decimal before it
        ++m.maxDecimals;
    }
    if (!ok)
        throw AppError(QStringLiteral("รูปแบบตัวเลข \"%1\" ไม่ถูกต้อง").arg(mask));
    m.thousands = whole.contains(QLatin1Char(','));
    return m;
}

QString groupThousands(const QString& digits)
{
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

} // namespace

QString applyMask(const Money& amount, const QString& mask)
{
    if (mask == QLatin1String("%n"))
        return amount.toDisplay();
    const NumericMask m = parseMask(mask);

    // Satang are exact; fewer than two decimals round half away from zero.
    qint64 satang = amount.satang();
    const bool negative = satang < 0;
    qint64 abs = negative ? -satang : satang;
    if (m.maxDecimals < 2) {
        const qint64 unit = m.maxDecimals == 1 ? 10 : 100;
        abs = (abs + unit / 2) / unit * unit;
    }
    QString frac = QStringLiteral("%1").arg(abs % 100, 2, 10, QLatin1Char('0'));
    frac = (frac + QString(qMax(0, m.maxDecimals - 2), QLatin1Char('0'))).left(m.maxDecimals);
    while (frac.size() > m.minDecimals && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);

    QString whole = QString::number(abs / 100);
    if (m.thousands)
        whole = groupThousands(whole);
    QString text = frac.isEmpty() ? whole : whole + QLatin1Char('.') + frac;
    if (negative && abs != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString applyMask(const QVariant& value, const QString& mask)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (mask.isEmpty())
        return value.toString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return applyMask(Money::fromVariant(value), mask);
    default:
        break;
    }
    const QString text = value.toString();
    Money amount;
    if (!Money::parse(text, &amount))
        return text; // a masked column that holds words prints its words
    return applyMask(amount, mask);
}

} // namespace wel
