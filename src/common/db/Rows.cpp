#include "Rows.h"
#include "common/AppError.h"

namespace wel {

int Rows::columnIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Rows::value(int row, const QString& column) const
{
    const int c = columnIndex(column);
    if (c < 0)
        throw AppError(QStringLiteral("ไม่พบคอลัมน์ %1 ในผลลัพธ์").arg(column));
    return m_data.at(row).at(c);
}

QString Rows::text(int row, const QString& column) const
{
    const QVariant v = value(row, column);
    return v.isNull() ? QString(QLatin1String("")) : v.toString();
}

qint64 Rows::integer(int row, const QString& column) const
{
    const QVariant v = value(row, column);
    if (v.isNull())
        return 0;
    bool ok = false;
    qint64 n = v.toLongLong(&ok);
    if (!ok)
        n = qint64(v.toDouble());
    return n;
}

Money Rows::money(int row, const QString& column) const
{
    return Money::fromVariant(value(row, column));
}

} // namespace wel
