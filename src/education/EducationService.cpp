#include "EducationService.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimKind.h"
#include "claims/ClaimWriter.h"
#include "common/AppError.h"
#include "common/InputChecks.h"
#include "common/Limits.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/Utility.h"
#include "common/db/Database.h"

#include <QMap>

namespace wel::claims::Education {

void checkRight(const std::optional<Money>& yearLimit, const QString& hType)
{
    GateFigures f;
    f.hType = hType;
    f.hasRow = yearLimit.has_value();
    if (yearLimit)
        f.medical.limit = *yearLimit;
    const QString refused = claimGate(education(), f, false, QString());
    if (!refused.isEmpty())
        throw AppError(refused);
}

void checkRight(Database& db, const QString& kvId, const QString& payYear, const QString& hType)
{
    const Rows r = db.select(QStringLiteral("SELECT Fact_T_H_Money FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?"),
                             {kvId.trimmed(), payYear.trimmed()});
    checkRight(r.isEmpty() ? std::nullopt : std::optional<Money>(r.money(0, QStringLiteral("Fact_T_H_Money"))), hType);
}

QString rightText(const QString& hType)
{
    return hType.trimmed() == QLatin1String("2") ? QStringLiteral("ไม่มี") : QStringLiteral("มี");
}

std::optional<int> ageOf(const QString& birthday, const QString& today)
{
    const auto born = parseBEText(birthday);
    const auto now = parseBEText(today);
    if (!born || !now)
        return std::nullopt;
    return now->year() - born->year();
}

QString budgetYearOfClaim(const QString& claimDate)
{
    const auto d = parseBEText(claimDate);
    return d ? budgetYearOf(*d) : QString();
}

QString Child::displayName() const { return title + given + QStringLiteral("  ") + family; }

Child findChild(Database& db, const QString& kvId, int index, const QString& today)
{
    const int code = index + 4;
    const Rows r = db.select(QStringLiteral("SELECT EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday FROM T_Emp_Folk "
                                            "WHERE KV_ID = ? AND Emp_Folk = ?"),
                             {kvId.trimmed(), QString::number(code)});
    if (r.isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลบุตรลำดับที่ : %1\nให้แจ้งฝ่ายการเจ้าหน้าที่คณะ บันทึกข้อมูลเพิ่มเติม")
                           .arg(index + 1));
    Child c;
    c.folk = code;
    c.title = r.text(0, QStringLiteral("EF_Surname"));
    c.given = r.text(0, QStringLiteral("EF_F_Name"));
    c.family = r.text(0, QStringLiteral("EF_L_Name"));
    const QString birthday = r.text(0, QStringLiteral("EF_Birthday")).trimmed();
    // A birth date that is no date is neither shown nor counted: the child
    // can be claimed for all the same.
    if (parseBEText(birthday)) {
        c.birthday = birthday;
        c.age = ageOf(birthday, today);
    }
    return c;
}

void checkLine(Line& l)
{
    if (TrimBlanks(l.term).isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่ข้อมูลภาคเรียนด้วย"));
    if (TrimBlanks(l.year).isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่ข้อมูลปีการศึกษาด้วย"));
    if (TrimBlanks(l.level).isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่ข้อมูลชั้นที่ศึกษาด้วย"));
    if (TrimBlanks(l.school).isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่ข้อมูลสถานที่ศึกษาด้วย"));
    Money m;
    if (!Money::parse(CleanAmount(l.amountText), &m) || m < Money())
        throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินที่เบิกให้ถูกต้องด้วย"));
    if (m.isZero())
        throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินที่เบิกด้วย"));
    // A typed satang fraction would be rounded away unseen, and an amount or
    // a text beyond its column would reach the server.
    m = Money::fromTyped(l.amountText);
    InputChecks::checkAmount(m);
    InputChecks::checkLengths(QStringLiteral("T_Reciept"), {{TrimBlanks(l.term), "Edu_Term", "ภาคเรียนที่"},
                                                            {TrimBlanks(l.year), "Edu_Year", "ปีการศึกษา"},
                                                            {TrimBlanks(l.level), "Edu_Level", "ชั้นที่ศึกษา"},
                                                            {TrimBlanks(l.school), "School_Name", "สถานที่ศึกษา"}});
    l.amount = m;
}

QString save(Database& db, const LoginContext& login, const QString& kvId, const QString& claimDate,
             const QVector<Line>& lines)
{
    Money total;
    QMap<int, Money> byChild;
    for (Line l : lines) {
        checkLine(l);
        total += l.amount;
        byChild[l.child.folk] += l.amount;
    }
    if (total < Money::fromSatang(1))
        throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินด้วย"));
    InputChecks::checkAmount(total);
    if (kvId.trimmed().isEmpty())
        throw AppError(kChooseEmployee);
    InputChecks::checkEmployee(db, kvId);
    const QString payYear = budgetYearOfClaim(claimDate);
    if (payYear.isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่วันที่เบิกด้วย"));

    const ClaimKind& kind = education();
    const QString kv = kvId.trimmed();
    const QString fact = login.Cur_Fact_Code.trimmed().toUpper();
    ClaimRecord r;
    r.kvId = kv;
    r.claimDate = claimDate;
    r.payYear = payYear;
    r.inOut = QStringLiteral("E");
    r.factCode = fact;
    r.claimed = r.payable = total;
    for (auto it = byChild.cbegin(); it != byChild.cend(); ++it)
        r.lines.push_back({QString::number(it.key()), it.value(), it.value()});
    r.detail = ReceiptDetail::Tuition;
    for (Line l : lines) {
        checkLine(l);
        StoredReceipt s;
        s.folk = QString::number(l.child.folk);
        s.amount = l.amount;
        s.title = l.child.title;
        s.given = l.child.given;
        s.family = l.child.family;
        s.birthday = l.child.birthday;
        s.eduLevel = TrimBlanks(l.level);
        s.eduTerm = TrimBlanks(l.term);
        s.eduYear = TrimBlanks(l.year);
        s.school = TrimBlanks(l.school);
        r.receipts.push_back(s);
    }
    Transaction tx(db);
    const QString claimNo = writeClaim(db, login, kind, r);
    tx.commit();
    return claimNo;
}

} // namespace wel::claims::Education
