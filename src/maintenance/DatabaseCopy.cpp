#include "DatabaseCopy.h"
#include "common/AppError.h"
#include "common/Money.h"
#include "common/db/Database.h"
#include "common/db/ReadSnapshot.h"
#include "common/db/Schema.h"

#include <QCryptographicHash>
#include <algorithm>
#include <QtEndian>

namespace wel::maintenance {

namespace {

QString columnList(const TableDef& t)
{
    QStringList names;
    for (const ColumnDef& c : t.columns)
        names << c.name;
    return names.join(QStringLiteral(", "));
}

QString selectAll(const TableDef& t) { return QStringLiteral("SELECT %1 FROM %2").arg(columnList(t), t.name); }

// A value as it is written to the target: the same text, the same whole
// number, the amount as exact decimal text, NULL kept as NULL of its type.
QVariant written(const ColumnDef& c, const QVariant& v)
{
    switch (c.type) {
    case ColumnDef::Text:
        return v.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(v.toString());
    case ColumnDef::Int:
    case ColumnDef::AutoId:
        return v.isNull() ? QVariant(QMetaType::fromType<qlonglong>()) : QVariant(v.toLongLong());
    case ColumnDef::Money:
        return v.isNull() ? QVariant(QMetaType::fromType<QString>()) : Money::fromVariant(v).toSql();
    }
    return v;
}

// Rows to one INSERT: SQL Server takes at most 2,100 parameters and 1,000
// rows a statement.
int rowsPerInsert(const TableDef& t) { return qBound(1, 2000 / int(t.columns.size()), 500); }

class TableWriter {
public:
    TableWriter(Database& db, const TableDef& t) : m_db(db), m_t(t), m_perInsert(rowsPerInsert(t))
    {
        QStringList marks;
        for (int i = 0; i < m_t.columns.size(); ++i)
            marks << QStringLiteral("?");
        m_rowMarks = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    void add(const QVector<QVariant>& row)
    {
        for (int i = 0; i < m_t.columns.size(); ++i)
            m_params << written(m_t.columns[i], row[i]);
        if (++m_pending == m_perInsert)
            flush();
    }
    void flush()
    {
        if (m_pending == 0)
            return;
        QStringList rows;
        for (int i = 0; i < m_pending; ++i)
            rows << m_rowMarks;
        m_db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES %3").arg(m_t.name, columnList(m_t), rows.join(QLatin1Char(','))),
                  m_params);
        m_params.clear();
        m_pending = 0;
    }

private:
    Database& m_db;
    const TableDef& m_t;
    const int m_perInsert;
    QString m_rowMarks;
    QVariantList m_params;
    int m_pending = 0;
};

bool hasAutoId(const TableDef& t)
{
    return std::any_of(t.columns.begin(), t.columns.end(), [](const ColumnDef& c) { return c.type == ColumnDef::AutoId; });
}

// SQL Server takes a value for an identity column only while told so.
void explicitIds(Database& db, const TableDef& t, bool on)
{
    if (db.kind() == DbKind::SqlServer && hasAutoId(t))
        db.exec(QStringLiteral("SET IDENTITY_INSERT %1 %2").arg(t.name, on ? QStringLiteral("ON") : QStringLiteral("OFF")));
}

qint64 rowsIn(Database& db, const TableDef& t)
{
    return db.select(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(t.name)).integer(0, QStringLiteral("n"));
}

} // namespace

quint64 rowDigest(const TableDef& t, const QVector<QVariant>& row)
{
    QByteArray canonical;
    for (int i = 0; i < t.columns.size(); ++i) {
        const QVariant& v = row[i];
        if (v.isNull()) {
            canonical += "\x01N";
        } else {
            switch (t.columns[i].type) {
            case ColumnDef::Text: canonical += 'T' + v.toString().toUtf8(); break;
            case ColumnDef::Int:
            case ColumnDef::AutoId: canonical += 'I' + QByteArray::number(v.toLongLong()); break;
            case ColumnDef::Money: canonical += 'M' + Money::fromVariant(v).toPlain().toLatin1(); break;
            }
        }
        canonical += '\0';
    }
    const QByteArray h = QCryptographicHash::hash(canonical, QCryptographicHash::Sha1);
    return qFromLittleEndian<quint64>(h.constData());
}

QVector<TableFingerprint> fingerprint(Database& db)
{
    ReadSnapshot snapshot(db);
    QVector<TableFingerprint> all;
    for (const TableDef& t : schemaTables()) {
        TableFingerprint f{t.name};
        db.forEachRow(selectAll(t), {}, [&](const QVector<QVariant>& row) {
            ++f.rows;
            f.digest += rowDigest(t, row);
        });
        all << f;
    }
    return all;
}

CopyResult copyDatabase(Database& from, Database& to, const CopyOptions& options)
{
    CopyResult result;
    {
        ReadSnapshot snapshot(from);
        Transaction tx(to);
        createSchema(to);
        for (const TableDef& t : schemaTables()) {
            if (rowsIn(to, t) == 0)
                continue;
            if (!options.replace)
                throw AppError(QStringLiteral("ฐานข้อมูลปลายทางมีข้อมูลอยู่แล้ว (ตาราง %1) "
                                              "หากต้องการเขียนทับทั้งหมดให้สั่งใหม่พร้อม --replace")
                                   .arg(t.name));
            to.exec(QStringLiteral("DELETE FROM %1").arg(t.name));
        }
        for (const TableDef& t : schemaTables()) {
            TableFingerprint f{t.name};
            explicitIds(to, t, true);
            TableWriter writer(to, t);
            from.forEachRow(selectAll(t), {}, [&](const QVector<QVariant>& row) {
                writer.add(row);
                ++f.rows;
                f.digest += rowDigest(t, row);
                if (options.progress && f.rows % 20000 == 0)
                    options.progress(t.name, f.rows);
            });
            writer.flush();
            explicitIds(to, t, false);
            continueAutoIds(to, t);
            if (options.progress)
                options.progress(t.name, f.rows);
            result.source << f;
            if (options.tableDone)
                options.tableDone(t.name);
        }
        tx.commit();
    }
    result.target = fingerprint(to);
    result.targetCheck = check::run(to);
    return result;
}

QString format(const CopyResult& result)
{
    QString text;
    for (int i = 0; i < result.source.size(); ++i) {
        const TableFingerprint& s = result.source[i];
        const bool same = i < result.target.size() && s == result.target[i];
        text += QStringLiteral("%1 %2 rows %3\n")
                    .arg(s.table, -22)
                    .arg(s.rows, 9)
                    .arg(same ? QStringLiteral("equal")
                              : QStringLiteral("DIFFERS (target: %1 rows)").arg(i < result.target.size() ? result.target[i].rows : 0));
    }
    return text;
}

} // namespace wel::maintenance
