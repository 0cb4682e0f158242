#include "AuditLog.h"
#include "common/AppError.h"
#include "common/Audit.h"
#include "common/LikePattern.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"
#include "common/db/Schema.h"

namespace wel::AuditLog {

namespace {

// Audit_Time is Gregorian "yyyy-MM-dd HH:mm:ss", so that days compare as text.
QString storedDay(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

std::optional<QDate> dayOf(const QString& text, const QString& caption)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto d = parseBEText(text);
    if (!d)
        throw AppError(QStringLiteral("%1 \"%2\" ไม่ใช่วันที่ กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)").arg(caption, text.trimmed()));
    return d;
}

QString shownTime(const QString& stored)
{
    const QDateTime t = QDateTime::fromString(stored, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return t.isValid() ? toBEText(t.date()) + QLatin1Char(' ') + t.time().toString(QStringLiteral("HH:mm:ss")) : stored;
}

// Columns on a terminal: Thai vowel and tone marks above and below take none.
int columnsOf(const QString& text)
{
    int n = 0;
    for (const QChar c : text)
        n += c.category() != QChar::Mark_NonSpacing;
    return n;
}

} // namespace

QVector<Entry> find(Database& db, const Filter& f)
{
    const auto since = dayOf(f.since, QStringLiteral("ตั้งแต่วันที่"));
    const auto until = dayOf(f.until, QStringLiteral("ถึงวันที่"));
    if (since && until && *until < *since)
        throw AppError(QStringLiteral("ถึงวันที่ต้องไม่ก่อนตั้งแต่วันที่"));
    QStringList where{QStringLiteral("1 = 1")};
    QVariantList params;
    if (since) {
        where << QStringLiteral("Audit_Time >= ?");
        params << storedDay(*since);
    }
    if (until) {
        where << QStringLiteral("Audit_Time < ?");
        params << storedDay(until->addDays(1));
    }
    if (!f.user.trimmed().isEmpty()) {
        where << db.ciEquals(QStringLiteral("Audit_User"));
        params << f.user.trimmed();
    }
    if (!f.op.trimmed().isEmpty()) {
        where << QStringLiteral("Audit_Op = ?");
        params << f.op.trimmed().toUpper();
    }
    if (!f.key.trimmed().isEmpty()) {
        where << db.ciLike(QStringLiteral("Audit_Key"), kLikeEscape);
        params << likePrefix(f.key.trimmed());
    }
    const Rows r = db.select(QStringLiteral("SELECT Audit_ID, Audit_Time, Audit_User, Workstation, Audit_Op, Audit_Key, "
                                            "Audit_Detail FROM %1 WHERE %2 ORDER BY Audit_ID")
                                 .arg(kAuditTable, where.join(QStringLiteral(" AND "))),
                             params);
    QVector<Entry> entries;
    entries.reserve(r.count());
    for (int i = 0; i < r.count(); ++i) {
        auto t = [&](const char* c) { return r.text(i, QString::fromLatin1(c)); };
        entries.push_back({r.integer(i, QStringLiteral("Audit_ID")), shownTime(t("Audit_Time")), t("Audit_User"),
                           t("Workstation"), t("Audit_Op"), audit::labelOf(t("Audit_Op")), t("Audit_Key"),
                           t("Audit_Detail")});
    }
    return entries;
}

QStringList users(Database& db)
{
    const Rows r = db.select(QStringLiteral("SELECT DISTINCT Audit_User FROM %1 ORDER BY Audit_User").arg(kAuditTable));
    QStringList names;
    for (int i = 0; i < r.count(); ++i)
        names << r.text(i, QStringLiteral("Audit_User"));
    return names;
}

QStringList headings()
{
    return {QStringLiteral("ลำดับ"),        QStringLiteral("วันที่ เวลา"), QStringLiteral("ผู้ใช้งาน"),
            QStringLiteral("เครื่อง"),       QStringLiteral("รายการ"),     QStringLiteral("เลขที่เอกสาร / KV_ID"),
            QStringLiteral("รายละเอียด")};
}

QVector<QStringList> cells(const QVector<Entry>& entries)
{
    QVector<QStringList> rows;
    rows.reserve(entries.size());
    for (const Entry& e : entries)
        rows.push_back({QString::number(e.id), e.time, e.user, e.workstation, e.opLabel, e.key, e.detail});
    return rows;
}

excel::GridTable gridTable(const QVector<Entry>& entries)
{
    excel::GridTable g;
    g.headings << headings();
    for (QStringList row : cells(entries)) {
        row[1] = QLatin1Char('\'') + row[1]; // a date and time stays text
        row[5] = QLatin1Char('\'') + row[5];
        g.rows << row;
    }
    return g;
}

excel::GridExportParams exportParams(const Filter& f)
{
    excel::GridExportParams p;
    p.sheetName = QStringLiteral("ประวัติการทำรายการ");
    p.lastColumn = QStringLiteral("G");
    p.title1 = QStringLiteral("ประวัติการทำรายการ");
    QStringList filter;
    if (!f.since.trimmed().isEmpty() || !f.until.trimmed().isEmpty())
        filter << QStringLiteral("วันที่ %1 - %2").arg(f.since.trimmed(), f.until.trimmed());
    if (!f.user.trimmed().isEmpty())
        filter << QStringLiteral("ผู้ใช้งาน %1").arg(f.user.trimmed());
    if (!f.op.trimmed().isEmpty())
        filter << QStringLiteral("รายการ %1").arg(audit::labelOf(f.op.trimmed().toUpper()));
    if (!f.key.trimmed().isEmpty())
        filter << QStringLiteral("เลขที่ %1").arg(f.key.trimmed());
    p.title2 = filter.isEmpty() ? QStringLiteral("ทุกรายการ") : filter.join(QStringLiteral("  "));
    p.headingStyle = excel::HeadingStyle::Coloured;
    p.orientation = excel::Orientation::Landscape;
    p.reportCode = QStringLiteral("(Audit01)");
    p.centreColumns = {QStringLiteral("A")};
    p.columnWidths = {{QStringLiteral("A"), 8}, {QStringLiteral("B"), 19}, {QStringLiteral("C"), 14},
                      {QStringLiteral("D"), 16}, {QStringLiteral("E"), 30}, {QStringLiteral("F"), 20},
                      {QStringLiteral("G"), 80}};
    return p;
}

QString textTable(const QVector<Entry>& entries)
{
    const QStringList head = headings();
    const QVector<QStringList> rows = cells(entries);
    // Every column but the last as wide as its longest text.
    QVector<int> width(head.size(), 0);
    for (int c = 0; c < head.size(); ++c)
        width[c] = columnsOf(head[c]);
    for (const QStringList& r : rows)
        for (int c = 0; c < r.size(); ++c)
            width[c] = qMax(width[c], columnsOf(r[c]));
    auto line = [&](const QStringList& r) {
        QString s;
        for (int c = 0; c < r.size(); ++c)
            s += c + 1 < r.size() ? r[c] + QString(width[c] - columnsOf(r[c]) + 2, QLatin1Char(' ')) : r[c];
        return s + QLatin1Char('\n');
    };
    QString text = line(head);
    for (const QStringList& r : rows)
        text += line(r);
    return text;
}

} // namespace wel::AuditLog
