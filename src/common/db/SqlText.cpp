#include "SqlText.h"

namespace wel::sql {

QString marks(int n)
{
    QStringList m;
    for (int i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return QLatin1Char('(') + m.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString in(const QString& column, const QStringList& values, QVariantList& params)
{
    for (const QString& v : values)
        params << v;
    return column + QStringLiteral(" IN ") + marks(int(values.size()));
}

Database::Statement insertRows(const QString& table, const QStringList& columns, const QVector<QVariantList>& rows)
{
    Database::Statement s;
    QStringList values;
    for (const QVariantList& r : rows) {
        values << marks(int(columns.size()));
        s.params += r;
    }
    s.sql = QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                .arg(table, columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    return s;
}

void insertInChunks(QVector<Database::Statement>& writes, const QString& table, const QStringList& columns,
                    const QVector<QVariantList>& rows)
{
    constexpr int kRowsPerInsert = 100;
    for (int first = 0; first < rows.size(); first += kRowsPerInsert)
        writes.push_back(insertRows(table, columns, rows.mid(first, kRowsPerInsert)));
}

Database::Statement insertRow(const QString& table, const QStringList& columns, const QVariantList& values,
                              const QHash<QString, QString>& computed)
{
    QStringList terms;
    for (const QString& c : columns)
        terms << computed.value(c, QStringLiteral("?"));
    return {QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(table, columns.join(QStringLiteral(", ")), terms.join(QStringLiteral(", "))),
            values};
}

} // namespace wel::sql
