#include "reports/ReportSql.h"

#include "common/AppError.h"
#include "common/db/Database.h"

#include <QRegularExpression>

namespace wel::reports {

Choice Choice::of(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {text.trimmed(), QString()};
    return {text.left(colon).trimmed(), text.mid(colon + 1).trimmed()};
}

void Where::add(const QString& condition, const QVariantList& values)
{
    sql += QStringLiteral(" AND (") + condition + u')';
    params += values;
}

namespace {

struct Ymd {
    QString year, month, day;
};

// Parts of the typed limit; throws the clerk's message for a malformed one.
Ymd partsOf(const Choice& c)
{
    static const QRegularExpression date(QStringLiteral("^(\\d{2})/(\\d{2})/(\\d{4})$"));
    static const QRegularExpression month(QStringLiteral("^(\\d{2})/(\\d{4})$"));
    static const QRegularExpression year(QStringLiteral("^(\\d{4})$"));
    QRegularExpressionMatch m;
    if (c.kind == u"date" && (m = date.match(c.value)).hasMatch())
        return {m.captured(3), m.captured(2), m.captured(1)};
    if (c.kind == u"month" && (m = month.match(c.value)).hasMatch())
        return {m.captured(2), m.captured(1), {}};
    if (c.kind == u"year" && (m = year.match(c.value)).hasMatch())
        return {m.captured(1), {}, {}};
    throw AppError(QStringLiteral("กรุณาระบุวันที่ให้ถูกต้อง (%1)").arg(c.value));
}

} // namespace

void addDateScope(Where& w, Database& db, const QString& column, const QString& filter)
{
    const Choice c = Choice::of(filter);
    if (c.kind.isEmpty() || c.kind == u"all")
        return;
    const Ymd p = partsOf(c);
    w.add(db.substr(column, 7, 4) + QStringLiteral(" = ?"), {p.year});
    if (!p.month.isEmpty())
        w.add(db.substr(column, 4, 2) + QStringLiteral(" = ?"), {p.month});
    if (!p.day.isEmpty())
        w.add(db.substr(column, 1, 2) + QStringLiteral(" = ?"), {p.day});
}

void addBefore(Where& w, Database& db, const QString& column, const QString& filter)
{
    const Choice c = Choice::of(filter);
    if (c.kind.isEmpty() || c.kind == u"all")
        return;
    const Ymd p = partsOf(c);
    const QString y = db.substr(column, 7, 4), m = db.substr(column, 4, 2), d = db.substr(column, 1, 2);
    if (p.month.isEmpty()) {
        w.add(y + QStringLiteral(" < ?"), {p.year});
    } else if (p.day.isEmpty()) {
        w.add(QStringLiteral("%1 < ? OR (%1 = ? AND %2 < ?)").arg(y, m), {p.year, p.year, p.month});
    } else {
        w.add(QStringLiteral("%1 < ? OR (%1 = ? AND %2 < ?) OR (%1 = ? AND %2 = ? AND %3 < ?)").arg(y, m, d),
              {p.year, p.year, p.month, p.year, p.month, p.day});
    }
}

QString facultyOf(const QString& filter)
{
    const Choice c = Choice::of(filter);
    if (c.kind.isEmpty() || c.kind == u"all")
        return {};
    if (c.kind == u"one")
        return c.value.toUpper(); // "one:" without a code: every faculty
    return (c.value.isEmpty() ? c.kind : c.value).toUpper();
}

QString countText(qint64 n)
{
    return QString::number(n);
}

QString amountText(Money m)
{
    return m.toDisplay();
}

void finishEmpty(ReportResult& r)
{
    r.empty = r.rows.isEmpty();
    if (r.empty)
        r.rows.push_back(QStringList(r.columnCount()));
}

} // namespace wel::reports
