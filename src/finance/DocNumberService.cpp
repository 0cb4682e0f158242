#include "DocNumberService.h"
#include "common/Audit.h"
#include "common/AppError.h"
#include "common/LikePattern.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::finance {

QString voucherNotFoundText(const QString& pvrNo)
{
    return QStringLiteral("ไม่พบข้อมูลที่เลือก ==>") + pvrNo + QStringLiteral("<==");
}

namespace DocNumbers {

namespace {

const QString kSelect = QStringLiteral(
    "SELECT p.PVR_NO, p.Sent_Date, p.Sent_Doc_Status, p.Fact_Code, f.Fact_Name, p.Dep_Sub_Doc_No, p.FN_Doc_No, "
    "p.FN_Doc_Date, p.PV_Doc_No, p.PV_date, p.EDU_Count, p.EDU_Money, p.He_Out_Count, p.He_Out_Money, "
    "p.He_In_Count, p.He_In_Money, p.Oth_Count, p.Oth_Money "
    "FROM T_PV p LEFT JOIN T_Fact f ON f.Fact_Code = UPPER(p.Fact_Code) ");

VoucherDocs docsAt(const Rows& r, int i)
{
    auto t = [&](const char* c) { return r.text(i, QString::fromLatin1(c)); };
    auto n = [&](const char* c) { return int(r.integer(i, QString::fromLatin1(c))); };
    auto m = [&](const char* c) { return r.money(i, QString::fromLatin1(c)); };
    VoucherDocs d;
    d.pvrNo = t("PVR_NO");
    d.sentDate = t("Sent_Date");
    d.status = t("Sent_Doc_Status");
    d.factCode = t("Fact_Code");
    d.factName = t("Fact_Name");
    d.subUnitNo = t("Dep_Sub_Doc_No");
    d.financeNo = t("FN_Doc_No");
    d.financeDate = t("FN_Doc_Date");
    d.paymentNo = t("PV_Doc_No");
    d.paymentDate = t("PV_date");
    d.eduCount = n("EDU_Count");
    d.edu = m("EDU_Money");
    d.outCount = n("He_Out_Count");
    d.out = m("He_Out_Money");
    d.inCount = n("He_In_Count");
    d.in = m("He_In_Money");
    d.othCount = n("Oth_Count");
    d.oth = m("Oth_Money");
    return d;
}

} // namespace

QString firstFaculty(Database& db)
{
    const Rows r = db.select(QStringLiteral("SELECT MIN(Fact_Code) AS F FROM T_PV"));
    return r.isEmpty() ? QString() : r.text(0, QStringLiteral("F"));
}

QVector<VoucherDocs> list(Database& db, const QString& factCode, const DocFilter& filter)
{
    QVariantList params{factCode.trimmed().toUpper()};
    QString sql = kSelect + QStringLiteral("WHERE ") + db.ciEquals(QStringLiteral("p.Fact_Code"));
    switch (filter.kind) {
    case DocFilter::All: break;
    case DocFilter::SentMonth:
        sql += QStringLiteral(" AND ") + db.substr(QStringLiteral("p.Sent_Date"), 4, 7) + QStringLiteral(" = ?");
        params << filter.value.trimmed();
        break;
    case DocFilter::SentYear:
        sql += QStringLiteral(" AND ") + db.substr(QStringLiteral("p.Sent_Date"), 7, 4) + QStringLiteral(" = ?");
        params << filter.value.trimmed();
        break;
    case DocFilter::SubUnitNo:
        sql += QStringLiteral(" AND p.Dep_Sub_Doc_No = ?");
        params << filter.value;
        break;
    case DocFilter::FinanceNo:
        sql += QStringLiteral(" AND p.FN_Doc_No = ?");
        params << filter.value;
        break;
    case DocFilter::PvrPrefix:
        sql += QStringLiteral(" AND UPPER(p.PVR_NO) LIKE ? ESCAPE '!'");
        params << likePrefix(filter.value.trimmed().toUpper());
        break;
    }
    const Rows r = db.select(sql + QStringLiteral(" ORDER BY p.PVR_NO"), params);
    QVector<VoucherDocs> list;
    for (int i = 0; i < r.count(); ++i)
        list.push_back(docsAt(r, i));
    return list;
}

VoucherDocs read(Database& db, const QString& pvrNo)
{
    const Rows r = db.select(kSelect + QStringLiteral("WHERE p.PVR_NO = ?"), {pvrNo.trimmed()});
    if (r.isEmpty())
        throw AppError(voucherNotFoundText(pvrNo));
    return docsAt(r, 0);
}

namespace {
void checkDate(const QString& date)
{
    if (!isBlankDate(date) && !parseBEText(date))
        throw AppError(kBadDate);
}

// An untouched date field is stored as no date.
QString storedDate(const QString& date) { return isBlankDate(date) ? QString() : date.trimmed(); }

// The numbers as they were, for the trail; read inside the transaction.
void recordNumbers(Database& db, const LoginContext& login, const QString& pvrNo, const QStringList& columns,
                   const QStringList& after)
{
    const Rows r = db.select(QStringLiteral("SELECT %1 FROM T_PV WHERE PVR_NO = ?").arg(columns.join(QStringLiteral(", "))),
                             {pvrNo.trimmed()});
    if (r.isEmpty())
        throw AppError(voucherNotFoundText(pvrNo));
    QVector<audit::Change> changes;
    for (int i = 0; i < columns.size(); ++i)
        audit::compare(changes, columns[i], r.text(0, columns[i]), after[i]);
    audit::record(db, login, audit::Op::DocNumbers, pvrNo, changes);
}
} // namespace

void checkSubUnit(const QString& subUnitNo, const QString& financeNo, const QString& financeDate)
{
    if (subUnitNo.trimmed().isEmpty())
        throw AppError(kNeedSubUnitNo);
    if (financeNo.trimmed().isEmpty())
        throw AppError(kNeedFinanceNo);
    checkDate(financeDate);
}

void checkPayment(const QString& paymentNo, const QString& paymentDate)
{
    if (paymentNo.trimmed().isEmpty())
        throw AppError(kNeedPaymentNo);
    checkDate(paymentDate);
}

void saveSubUnit(Database& db, const LoginContext& login, const QString& pvrNo, const QString& subUnitNo, const QString& financeNo,
                 const QString& financeDate)
{
    checkSubUnit(subUnitNo, financeNo, financeDate);
    Transaction tx(db);
    recordNumbers(db, login, pvrNo, {QStringLiteral("Dep_Sub_Doc_No"), QStringLiteral("FN_Doc_No"), QStringLiteral("FN_Doc_Date")},
                  {subUnitNo, financeNo, storedDate(financeDate)});
    if (db.exec(QStringLiteral("UPDATE T_PV SET Dep_Sub_Doc_No = ?, FN_Doc_No = ?, FN_Doc_Date = ? WHERE PVR_NO = ?"),
                {subUnitNo, financeNo, storedDate(financeDate), pvrNo.trimmed()})
        != 1)
        throw AppError(voucherNotFoundText(pvrNo));
    tx.commit();
}

void savePayment(Database& db, const LoginContext& login, const QString& pvrNo, const QString& paymentNo, const QString& paymentDate)
{
    checkPayment(paymentNo, paymentDate);
    Transaction tx(db);
    recordNumbers(db, login, pvrNo, {QStringLiteral("PV_Doc_No"), QStringLiteral("PV_date")},
                  {paymentNo, storedDate(paymentDate)});
    if (db.exec(QStringLiteral("UPDATE T_PV SET PV_Doc_No = ?, PV_date = ? WHERE PVR_NO = ?"),
                {paymentNo, storedDate(paymentDate), pvrNo.trimmed()})
        != 1)
        throw AppError(voucherNotFoundText(pvrNo));
    tx.commit();
}

} // namespace DocNumbers
} // namespace wel::finance
