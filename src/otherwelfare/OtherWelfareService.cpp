#include "OtherWelfareService.h"
#include "claims/ClaimWriter.h"
#include "common/AppError.h"
#include "common/InputChecks.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/Utility.h"
#include "common/db/Database.h"

namespace wel::claims::OtherWelfare {

namespace {

// A date typed into a masked field: empty (or the bare mask) is no date.
QString typedDate(const QString& text) { return isBlankDate(text) ? QString() : text.trimmed(); }

} // namespace

QVector<Choice> welfareKinds(Database& db)
{
    const Rows r = db.select(QStringLiteral("SELECT Health_In_Out_t, Health_Desc FROM TR_Heal_Type "
                                            "WHERE Health_Other_Code = 'O' ORDER BY Health_In_Out_t"));
    QVector<Choice> list;
    for (int i = 0; i < r.count(); ++i) {
        const QString code = r.text(i, QStringLiteral("Health_In_Out_t")).trimmed();
        list.push_back({code, code + QLatin1Char(' ') + r.text(i, QStringLiteral("Health_Desc"))});
    }
    return list;
}

QVector<Choice> beneficiaries(Database& db)
{
    const Rows r = db.select(QStringLiteral("SELECT Emp_Folk, Folk_name FROM Tr_Folk ORDER BY Emp_Folk"));
    QVector<Choice> list;
    for (int i = 0; i < r.count(); ++i) {
        const QString code = r.text(i, QStringLiteral("Emp_Folk")).trimmed();
        list.push_back({code, code + QStringLiteral("  ") + r.text(i, QStringLiteral("Folk_name"))});
    }
    return list;
}

Money amountOf(const Draft& d)
{
    Money m;
    if (!Money::parse(CleanAmount(d.amountText), &m) || m < Money::fromSatang(1))
        throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินด้วย"));
    // A typed satang fraction would be rounded away unseen, and an amount
    // beyond the columns would reach the server.
    m = Money::fromTyped(d.amountText);
    InputChecks::checkAmount(m);
    return m;
}

void validate(Database& db, const Draft& d)
{
    amountOf(d);
    if (d.kvId.trimmed().isEmpty())
        throw AppError(kChooseEmployee);
    InputChecks::checkEmployee(db, d.kvId);
    if (d.kindCode.trimmed().isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกชนิดสวัสดิการด้วย"));
    if (d.beneficiary.trimmed().isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกผู้ที่เบิกให้ด้วย"));
    const QString fact = d.factCode.trimmed().toUpper();
    if (fact.isEmpty()
        || db.select(QStringLiteral("SELECT Fact_Code FROM T_Fact WHERE UPPER(Fact_Code) = ?"), {fact}).isEmpty())
        throw AppError(QStringLiteral("ไม่พบรหัสคณะ \"%1\" ในระบบ กรุณาตรวจสอบรหัสคณะ").arg(d.factCode.trimmed()));
    const struct {
        const QString& text;
        const char* caption;
    } dates[] = {{d.docDate, "ลงวันที่"}, {d.matiDate, "วันที่อนุมัติ"}};
    for (const auto& date : dates) {
        const QString t = typedDate(date.text);
        if (!t.isEmpty() && !parseBEText(t))
            throw AppError(QStringLiteral("กรุณาใส่%1ให้ถูกต้อง (วว/ดด/ปปปป พ.ศ.) หรือเว้นว่างไว้")
                               .arg(QString::fromUtf8(date.caption)));
    }
    InputChecks::checkLengths(QStringLiteral("T_PAY_Health"),
                              {{TrimBlanks(d.docNo), "Doc_No", "เลขที่เอกสารสิทธิ"},
                               {TrimBlanks(d.matiNo), "Mati_No", "มติที่ประชุมกองทุนสวัสดิการ"},
                               {TrimBlanks(d.detail), "Doc_Detail", "รายละเอียด"}});
}

QString save(Database& db, const LoginContext& login, const Draft& d)
{
    validate(db, d);
    const Money amount = amountOf(d);
    const ClaimKind& kind = otherWelfare();
    const QString kvId = d.kvId.trimmed();
    const QString kindCode = d.kindCode.trimmed();
    // The bare code, whatever blanks the choice box shows after it.
    const QString folk = d.beneficiary.trimmed();
    ClaimRecord r;
    r.kvId = kvId;
    r.claimDate = d.claimDate;
    r.payYear = login.Cur_Bud_Year;
    r.inOut = kindCode;
    r.factCode = d.factCode.trimmed().toUpper();
    r.claimed = r.payable = amount;
    r.extraColumns = {QStringLiteral("Doc_No"), QStringLiteral("Doc_Date"), QStringLiteral("Mati_No"),
                      QStringLiteral("Mati_date"), QStringLiteral("Doc_Detail")};
    r.extra = {TrimBlanks(d.docNo), typedDate(d.docDate), TrimBlanks(d.matiNo), typedDate(d.matiDate),
               TrimBlanks(d.detail)};
    r.lines = {{folk, amount, amount}};
    r.detail = ReceiptDetail::Tuition;
    StoredReceipt receipt;
    receipt.folk = folk;
    receipt.amount = amount;
    r.receipts = {receipt};
    Transaction tx(db);
    const QString claimNo = writeClaim(db, login, kind, r);
    tx.commit();
    return claimNo;
}

} // namespace wel::claims::OtherWelfare
