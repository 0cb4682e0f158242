#include "common/excel/Address.h"

#include "common/AppError.h"

#include <QRegularExpression>

namespace wel::excel {

namespace {

[[noreturn]] void badAddress(const QString& text)
{
    throw AppError(QStringLiteral("ตำแหน่งเซลล์ไม่ถูกต้อง: %1").arg(text));
}

int positiveNumber(const QString& digits, const QString& whole)
{
    bool ok = false;
    const int n = digits.toInt(&ok);
    if (!ok || n < 1)
        badAddress(whole);
    return n;
}

} // namespace

QString columnLetters(int column)
{
    QString letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.prepend(QChar(u'A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

int columnNumber(const QString& letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (QChar ch : letters) {
        const QChar up = ch.toUpper();
        if (up < u'A' || up > u'Z')
            return 0;
        n = n * 26 + (up.unicode() - u'A' + 1);
    }
    return n;
}

QString cellAddress(int row, int column)
{
    return columnLetters(column) + QString::number(row);
}

CellRange::CellRange(int t, int l, int b, int r)
    : top(qMin(t, b)), left(qMin(l, r)), bottom(qMax(t, b)), right(qMax(l, r))
{
}

CellRange::CellRange(const QString& a1)
{
    static const QRegularExpression re(
        QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?(\\d+)(?::\\$?([A-Za-z]{1,3})\\$?(\\d+))?$"));
    const auto m = re.match(a1.trimmed());
    if (!m.hasMatch())
        badAddress(a1);
    const int c1 = columnNumber(m.captured(1));
    const int r1 = positiveNumber(m.captured(2), a1);
    int c2 = c1, r2 = r1;
    if (m.lastCapturedIndex() >= 3 && !m.captured(3).isEmpty()) {
        c2 = columnNumber(m.captured(3));
        r2 = positiveNumber(m.captured(4), a1);
    }
    if (c1 == 0 || c2 == 0)
        badAddress(a1);
    *this = CellRange(r1, c1, r2, c2);
}

QString CellRange::toString() const
{
    const QString first = cellAddress(top, left);
    return isSingleCell() ? first : first + u':' + cellAddress(bottom, right);
}

ColumnSpan ColumnSpan::parse(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\$?([A-Za-z]{1,3})(?::\\$?([A-Za-z]{1,3}))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        badAddress(text);
    const int a = columnNumber(m.captured(1));
    const int b = m.captured(2).isEmpty() ? a : columnNumber(m.captured(2));
    if (a == 0 || b == 0)
        badAddress(text);
    return {qMin(a, b), qMax(a, b)};
}

RowSpan RowSpan::parse(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\$?(\\d+)(?::\\$?(\\d+))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        badAddress(text);
    const int a = positiveNumber(m.captured(1), text);
    const int b = m.captured(2).isEmpty() ? a : positiveNumber(m.captured(2), text);
    return {qMin(a, b), qMax(a, b)};
}

} // namespace wel::excel
