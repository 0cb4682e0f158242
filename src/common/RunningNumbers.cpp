#include "RunningNumbers.h"
#include "AppError.h"
#include "db/Database.h"

namespace wel::RunningNumbers {

const QString kMessageA = QStringLiteral("ระบบเกิดผิดพลาด\rไม่พบข้อมูลในตาราง T_Emp_Runno");
const QString kMessageB =
    QStringLiteral("ไม่พบข้อมูล ในตารางใบเบิก \rเกิดความผิดพลาดในระบบ กรุณาแจ้งผู้ดูแลระบบครับ");
const QString kMessageC =
    QStringLiteral("ระบบเกิดผิดพลาด ไม่พบข้อมูลในตาราง เลขที่ใบส่ง KV (T_Sent_KV_Runno) ");
const QString kMessageD =
    QStringLiteral("ระบบเกิดผิดพลาด ไม่พบข้อมูลในตาราง เลขที่ใบสำคัญจ่าย PV (T_PVR_Runno) ");

QString zeroFill(qint64 n, int width)
{
    QString digits = QString::number(n);
    if (n < 0 || digits.size() > width)
        throw AppError(QStringLiteral("เลขที่เอกสารเกิน %1 หลัก (%2) ไม่สามารถออกเลขที่ใหม่ได้\r"
                                      "กรุณาแจ้งผู้ดูแลระบบ")
                           .arg(width)
                           .arg(n));
    return digits.rightJustified(width, QLatin1Char('0'));
}

namespace {

struct Counter {
    QString table;
    QStringList keyColumns;
    QVariantList keys;
};

QString message(WhenMissing w)
{
    switch (w) {
    case WhenMissing::MessageA: return kMessageA;
    case WhenMissing::MessageB: return kMessageB;
    case WhenMissing::MessageC: return kMessageC;
    case WhenMissing::MessageD: return kMessageD;
    case WhenMissing::CreateRow: break;
    }
    return {};
}

// The first of count numbers taken at once.
qint64 take(Database& db, const Counter& c, WhenMissing whenMissing, int width, int count = 1)
{
    const QString step = QStringLiteral("Run_No = Run_No + ?");
    const QVariantList params = QVariantList{count} + c.keys;
    QStringList where;
    for (const QString& k : c.keyColumns)
        where << k + QStringLiteral(" = ?");
    const QString whereClause = where.join(QStringLiteral(" AND "));
    Transaction tx(db);
    auto next = db.updateReturning(c.table, step, whereClause, params, QStringLiteral("Run_No"));
    if (!next) {
        if (whenMissing != WhenMissing::CreateRow)
            throw AppError(message(whenMissing));
        QStringList columns = c.keyColumns;
        columns << QStringLiteral("Run_No");
        QVariantList values = c.keys;
        values << 1;
        db.insertIfAbsent(c.table, columns, values, c.keyColumns.size());
        next = db.updateReturning(c.table, step, whereClause, params, QStringLiteral("Run_No"));
        if (!next)
            throw AppError(message(WhenMissing::MessageB));
    }
    const qint64 n = next->toLongLong() - count;
    zeroFill(n + count - 1, width); // refuse before the increment is committed
    tx.commit();
    return n;
}

} // namespace

QString takeEmployeeKey(Database& db, const QString& curDate, WhenMissing whenMissing)
{
    const QString year = curDate.right(4);
    const qint64 n = take(db, {QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year")}, {year}}, whenMissing, 6);
    return QStringLiteral("KV") + year + QLatin1Char('/') + zeroFill(n, 6);
}

QStringList takeEmployeeKeys(Database& db, const QString& curDate, int count, WhenMissing whenMissing)
{
    QStringList keys;
    if (count <= 0)
        return keys;
    const QString year = curDate.right(4);
    const qint64 first =
        take(db, {QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year")}, {year}}, whenMissing, 6, count);
    for (qint64 n = first; n < first + count; ++n)
        keys << QStringLiteral("KV") + year + QLatin1Char('/') + zeroFill(n, 6);
    return keys;
}

void lockEmployeeNumbers(Database& db, const QString& curDate)
{
    const QString year = curDate.right(4);
    db.insertIfAbsent(QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year"), QStringLiteral("Run_No")}, {year, 1}, 1);
    db.selectLocked(QStringLiteral("Run_No"), QStringLiteral("T_Emp_RunNo"), QStringLiteral("Emp_Year = ?"), {year});
}

QString takeClaimNumber(Database& db, const QString& factCode, const QString& budYear, WhenMissing whenMissing)
{
    const qint64 n = take(db,
                          {QStringLiteral("T_Berg_Runno"), {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year")},
                           {factCode, budYear}},
                          whenMissing, 7);
    return factCode + budYear + QLatin1Char('/') + zeroFill(n, 7);
}

QString takeControlNumber(Database& db, const QString& factCode, const QString& budYear)
{
    const qint64 n = take(db, {QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year")}, {budYear}},
                          WhenMissing::MessageC, 6);
    return QStringLiteral("KV") + budYear + QLatin1Char('/') + zeroFill(n, 6) + factCode;
}

QString takeVoucherNumber(Database& db, const QString& factCode, const QString& budYear)
{
    const qint64 n = take(db, {QStringLiteral("T_PVR_Runno"), {QStringLiteral("Sent_Year")}, {budYear}},
                          WhenMissing::MessageD, 5);
    return QStringLiteral("PVR") + budYear + QLatin1Char('/') + zeroFill(n, 5) + factCode.toUpper();
}

void ensureYearRows(Database& db, const QString& budYear, const QString& factCode)
{
    Transaction tx(db);
    db.insertIfAbsent(QStringLiteral("T_Emp_RunNo"), {QStringLiteral("Emp_Year"), QStringLiteral("Run_No")},
                      {budYear, 1}, 1);
    db.insertIfAbsent(QStringLiteral("T_Berg_Runno"),
                      {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")},
                      {factCode, budYear, 1}, 2);
    db.insertIfAbsent(QStringLiteral("T_Berg_Edu_Runno"),
                      {QStringLiteral("Fact_Code"), QStringLiteral("Berg_Year"), QStringLiteral("Run_No")},
                      {factCode, budYear, 1}, 2);
    db.insertIfAbsent(QStringLiteral("T_Sent_KV_RunNo"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                      {budYear, 1}, 1);
    db.insertIfAbsent(QStringLiteral("T_PVR_Runno"), {QStringLiteral("Sent_Year"), QStringLiteral("Run_No")},
                      {budYear, 1}, 1);
    tx.commit();
}

} // namespace wel::RunningNumbers
