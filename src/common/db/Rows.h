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
    Rows(QStringList columns, QVector<QVector<QVariant>> data)
        : m_columns(std::move(columns)), m_data(std::move(data)) {}

    int count() const { return int(m_data.size()); }
    bool isEmpty() const { return m_data.isEmpty(); }
    const QStringList& columns() const { return m_columns; }
    int columnIndex(const QString& name) const; // -1 when absent

    // Throws AppError when the column does not exist (a programming fault).
    QVariant value(int row, const QString& column) const;
    QVariant value(int row, int column) const { return m_data.at(row).at(column); }
    QString text(int row, const QString& column) const;   // NULL reads as ""
    qint64 integer(int row, const QString& column) const;  // NULL reads as 0
    Money money(int row, const QString& column) const;     // rounded to satang


private:
    QStringList m_columns;
    QVector<QVector<QVariant>> m_data;
};

} // namespace wel
