#include "Rows.h"
#include "common/AppError.h"

namespace wel {

int Rows::columnIndex(const QString& name) const
{
    // Called for every cell a caller reads by name: the length rules out
    // most columns before the slower comparison that ignores case.
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].size() == name.size() && m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Rows::Rows(QStringList columns, const QVector<QVector<QVariant>>& data)
    : m_columns(std::move(columns)), m_rowCount(int(data.size()))
{
    m_cells.reserve(data.size() * m_columns.size());
    for (const QVector<QVariant>& row : data)
        for (int c = 0; c < m_columns.size(); ++c)
            m_cells.push_back(row.value(c));
}

const QVariant& Rows::cell(int row, const QString& column) const
{
    const int c = columnIndex(column);
    if (c < 0)
        throw AppError(QStringLiteral("ไม่พบคอลัมน์ %1 ในผลลัพธ์").arg(column));
    return m_cells.at(row * m_columns.size() + c);
}

QString Rows::text(int row, const QString& column) const
{
    const QVariant& v = cell(row, column);
    return v.isNull() ? QString(QLatin1String("")) : v.toString();
}

qint64 Rows::integer(int row, const QString& column) const
{
    const QVariant& v = cell(row, column);
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
    return Money::fromVariant(cell(row, column));
}

} // namespace wel
