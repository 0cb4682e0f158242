#include "Written.h"
#include "BareSql.h"
#include "common/db/Database.h"

#include <QCryptographicHash>
#include <QSqlRecord>

namespace wel::bench {

RowReader readerOf(Database& db)
{
    return [&db](const QString& sql, const QVariantList& params) {
        const Rows r = db.select(sql, params);
        QVector<QVector<QVariant>> rows;
        for (int i = 0; i < r.count(); ++i) {
            QVector<QVariant> row;
            for (int k = 0; k < r.columns().size(); ++k)
                row << r.value(i, k);
            rows << row;
        }
        return rows;
    };
}

RowReader readerOf(BareSql& bare)
{
    return [&bare](const QString& sql, const QVariantList& params) {
        QVector<QVector<QVariant>> rows;
        bare.each(sql, params, [&](QSqlQuery& q) {
            QVector<QVariant> row;
            for (int k = 0; k < q.record().count(); ++k)
                row << q.value(k);
            rows << row;
        });
        return rows;
    };
}

QString writtenSummary(const QString& what, const QVector<QVector<QVariant>>& rows, int moneyColumn)
{
    QCryptographicHash hash(QCryptographicHash::Md5);
    Money sum;
    for (const QVector<QVariant>& row : rows) {
        for (int k = 0; k < row.size(); ++k) {
            // money as satang: SQLite hands a REAL, a server an exact decimal
            const QString text = k == moneyColumn ? Money::fromVariant(row[k]).toPlain() : row[k].toString().trimmed();
            hash.addData(text.toUtf8());
            hash.addData(QByteArrayView("\x1f"));
        }
        hash.addData(QByteArrayView("\x1e"));
        if (moneyColumn >= 0)
            sum += Money::fromVariant(row.value(moneyColumn));
    }
    QString s = QStringLiteral("%1 %2").arg(rows.size()).arg(what);
    if (moneyColumn >= 0)
        s += QStringLiteral(" of %1").arg(sum.toPlain());
    return s + QStringLiteral(" (digest %1)").arg(QString::fromLatin1(hash.result().toHex().left(12)));
}

} // namespace wel::bench
