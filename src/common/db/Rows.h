#pragma once
#include "common/Money.h"

#include <QStringList>
#include <QVariant>
#include <QVector>

namespace wel {

// A query result read completely into memory. Column names are matched
// without regard to letter case (PostgreSQL hands them back in lower case).
class Rows {
public:
    Rows() = default;
    Rows(QStringList columns, const QVector<QVector<QVariant>>& data);
    // The cells row by row, as many to a row as there are columns.
    Rows(QStringList columns, QVector<QVariant> cells, int rowCount)
        : m_columns(std::move(columns)), m_cells(std::move(cells)), m_rowCount(rowCount) {}

    int count() const { return m_rowCount; }
    bool isEmpty() const { return m_rowCount == 0; }
    const QStringList& columns() const { return m_columns; }
    int columnIndex(const QString& name) const; // -1 when absent

    // Throws AppError when the column does not exist (a programming fault).
    QVariant value(int row, const QString& column) const { return cell(row, column); }
    QVariant value(int row, int column) const { return m_cells.at(row * m_columns.size() + column); }
    QString text(int row, const QString& column) const;   // NULL reads as ""
    // By place in the SELECT list: for listings that read every cell.
    QString text(int row, int column) const
    {
        const QVariant& v = m_cells.at(row * m_columns.size() + column);
        return v.isNull() ? QString(QLatin1String("")) : v.toString();
    }
    qint64 integer(int row, const QString& column) const;  // NULL reads as 0
    Money money(int row, const QString& column) const;     // rounded to satang

private:
    const QVariant& cell(int row, const QString& column) const;

    QStringList m_columns;
    QVector<QVariant> m_cells; // one allocation for the whole result
    int m_rowCount = 0;
};

} // namespace wel
