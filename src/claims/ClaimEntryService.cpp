#include "ClaimEntryService.h"
#include "ClaimWriter.h"
#include "common/AppError.h"
#include "common/InputChecks.h"
#include "common/Limits.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/db/SqlText.h"

#include <QMap>

namespace wel::claims {

namespace {

const QString kYearWhere = QStringLiteral("KV_ID = ? AND Pay_Year = ?");

// The employee's right type; nothing for an employee not on file.
std::optional<QString> rightTypeOf(Database& db, const QString& kvId)
{
    const Rows e = db.select(QStringLiteral("SELECT Emp_H_Type FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {kvId});
    if (e.isEmpty())
        return std::nullopt;
    return e.text(0, QStringLiteral("Emp_H_Type")).trimmed();
}

// What a save asks beside the yearly row, read by the same statement: on a
// server each statement is an exchange over the network, and a save waits
// for every one of them.
struct AlsoRead {
    QString fact;           // does the faculty exist?
    bool rightType = false; // the employee's right type into GateFigures::hType
    bool factKnown = false; // the answer, when the row was found
};

// The one reader of the yearly row: locked for the rest of a save, or as it
// stands for the entry and its panels.
GateFigures readYearRow(Database& db, const QString& kvId, const QString& year, bool lock, AlsoRead* also = nullptr)
{
    QString columns = QStringLiteral("Fact_T_H_Money AS H, Fact_T_U_H AS U, M_Flexben AS F, "
                                     "Fact_T_Copay AS CT, Fact_U_Copay AS CU");
    QVariantList params;
    if (also) {
        columns += QStringLiteral(", (SELECT COUNT(*) FROM T_Fact WHERE %1) AS FK").arg(db.ciEquals(QStringLiteral("Fact_Code")));
        params << also->fact;
        if (also->rightType) {
            columns += QStringLiteral(", (SELECT Emp_H_Type FROM T_Emp_Gov_Histry WHERE KV_ID = ?) AS HT");
            params << kvId;
        }
    }
    params << kvId << year;
    const Rows r = lock ? db.selectLocked(columns, QStringLiteral("T_Year_Cur_Health"), kYearWhere, params)
                        : db.select(QStringLiteral("SELECT %1 FROM T_Year_Cur_Health WHERE %2").arg(columns, kYearWhere),
                                    params);
    GateFigures f;
    if (r.isEmpty())
        return f;
    f.hasRow = true;
    if (also) {
        also->factKnown = r.integer(0, QStringLiteral("FK")) > 0;
        if (also->rightType)
            f.hType = r.text(0, QStringLiteral("HT")).trimmed();
    }
    f.medical = {r.money(0, QStringLiteral("H")), r.money(0, QStringLiteral("U")), r.money(0, QStringLiteral("F"))};
    f.limit = r.money(0, QStringLiteral("CT"));
    f.used = r.money(0, QStringLiteral("CU"));
    return f;
}

// The yearly row as the kind's gate needs it: the co-pay gate looks at the
// right type too.
GateFigures gateFigures(Database& db, const ClaimKind& kind, const QString& kvId, const QString& year, bool lock)
{
    GateFigures f = readYearRow(db, kvId, year, lock);
    if (kind.limit.gate == LimitGate::Copay)
        f.hType = rightTypeOf(db, kvId).value_or(QString());
    return f;
}

std::optional<UsedUpFigures> usedUpOf(const GateFigures& f)
{
    if (!f.hasRow)
        return std::nullopt;
    return UsedUpFigures{f.medical.limit, f.medical.used, f.medical.flex, f.limit, f.used};
}

// The figures of the kind's own limit: the medical one, or nothing taken out
// for the co-pay limit and the kinds that only read the row.
YearFigures chargedFigures(const ClaimKind& kind, const GateFigures& f)
{
    if (kind.limit.policy == LimitPolicy::Copay)
        return {f.limit, f.used, Money()};
    return {f.medical.limit, f.medical.used, kind.limit.flexColumn.isEmpty() ? Money() : f.medical.flex};
}

Database::Statement setUsed(const LimitRule& rule, Money used, const QString& kvId, const QString& year)
{
    return {QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ? WHERE %2").arg(rule.usedColumn, kYearWhere),
            {used.toSql(), kvId, year}};
}

// The medical policy: the locked row charged, or a new row made from the
// right type for an employee without one.
Charge chargeMedicalLimit(Database& db, const ClaimKind& kind, const GateFigures& locked, const QString& kvId,
                          const QString& year, Money total, QVector<Database::Statement>& writes)
{
    GateFigures row = locked;
    if (!row.hasRow) {
        const std::optional<QString> hType = rightTypeOf(db, kvId);
        if (!hType)
            throw AppError(QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ") + kvId);
        const RightTypeLimit* type = rightTypeLimit(*hType);
        if (!type)
            throw AppError(QStringLiteral("ไม่พบวงเงินประจำปี %1 ของพนักงาน และประเภทสิทธิ \"%2\" ไม่ใช่ 1, 2 หรือ 3\r"
                                          "ไม่สามารถบันทึกได้ กรุณาแจ้งฝ่ายการเจ้าหน้าที่")
                               .arg(year, *hType));
        const Charge charge = chargeNewRow(*type, total);
        const bool inserted = db.insertIfAbsent(
            QStringLiteral("T_Year_Cur_Health"),
            {QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Fact_T_H_Money"),
             QStringLiteral("Fact_T_U_H"), QStringLiteral("KV_T_H_Money"), QStringLiteral("KV_T_U_H"),
             QStringLiteral("Fact_T_Copay"), QStringLiteral("Fact_U_Copay"), QStringLiteral("Kv_T_Copay"),
             QStringLiteral("Kv_U_Copay"), QStringLiteral("M_Flexben")},
            {kvId, year, type->medical.toSql(), charge.payable.toSql(), type->medical.toSql(), Money().toSql(),
             type->copay.toSql(), Money().toSql(), type->copay.toSql(), Money().toSql(), Money().toSql()},
            2);
        if (inserted)
            return charge;
        // Another workstation made the row meanwhile: charge it as it now
        // stands, behind its gate.
        row = readYearRow(db, kvId, year, true);
        const QString refused = claimGate(kind, row, true, year);
        if (!refused.isEmpty())
            throw AppError(refused);
    }
    const Charge charge = chargeMedical(chargedFigures(kind, row), total);
    writes.push_back(setUsed(kind.limit, charge.newUsed, kvId, year));
    return charge;
}

Charge chargeCopayLimit(const ClaimKind& kind, const GateFigures& locked, const QString& kvId, const QString& year,
                        Money total, QVector<Database::Statement>& writes)
{
    const Charge charge = chargeCopay(locked.limit, locked.used, total);
    writes.push_back(setUsed(kind.limit, charge.newUsed, kvId, year));
    return charge;
}

// Charged nowhere: the whole claim is payable and the row stays as it is.
Charge chargeNothing(Money total) { return Charge{Money(), total, Money(), Money()}; }

} // namespace

QString copayGate(const CopayGateTexts& t, const CopayFigures& f, bool saving)
{
    if (f.hType == t.refusedType)
        return t.typeRefused;
    if (!f.hasRow)
        return saving ? t.noRowSave : t.noRowOpen;
    if (f.medical.used + f.medical.flex < f.medical.limit)
        return t.medicalNotUsedUp;
    if (f.used >= f.limit)
        return saving ? t.usedUpSave : t.usedUpOpen;
    return {};
}

Charge chargeCopay(Money limit, Money used, Money total)
{
    Charge c;
    c.before = limit - used;
    if (total > c.before) {
        c.excess = total - c.before;
        c.payable = c.before;
    } else {
        c.payable = total;
    }
    c.newUsed = used + c.payable;
    return c;
}

QString claimGate(const ClaimKind& kind, const GateFigures& f, bool saving, const QString& payYear)
{
    switch (kind.limit.gate) {
    case LimitGate::LimitLeft:
        return f.hasRow && f.medical.limit <= f.medical.used + f.medical.flex ? kind.limit.usedUpMessage : QString();
    case LimitGate::BelowLimit:
        return f.hasRow && f.medical.used >= f.medical.limit ? kind.limit.usedUpMessage : QString();
    case LimitGate::Copay:
        return copayGate(kind.limit.copay, f, saving);
    case LimitGate::LimitUsedUp:
        return limitUsedUpRefusal(usedUpOf(f), payYear);
    case LimitGate::EducationRight:
        return educationRightRefusal(f);
    case LimitGate::None:
        break;
    }
    return {};
}

// The row decides when there is one: an employee whose row was made at
// right type "2"'s limit has no right, whatever his right type says now.
QString educationRightRefusal(const GateFigures& f)
{
    const QString because = QStringLiteral("พนักงานคนนี้ ไม่มีสิทธิในการเบิกค่าเล่าเรียนบุตร\nเนื่องจากเลือกสิทธิประเภท : ")
        + f.hType.trimmed();
    if (f.hasRow && f.medical.limit == typeTwo().medical)
        return QStringLiteral("(2)") + because;
    if (!f.hasRow && f.hType.trimmed() == QLatin1String("2"))
        return because;
    return {};
}

void checkLimitUsedUp(const std::optional<UsedUpFigures>& row, const QString& payYear)
{
    const QString refused = limitUsedUpRefusal(row, payYear);
    if (!refused.isEmpty())
        throw AppError(refused);
}

QString limitUsedUpRefusal(const std::optional<UsedUpFigures>& row, const QString& payYear)
{
    if (!row)
        return QStringLiteral("ต้องเบิค่ารักษาเต็มวงเงินก่อน จึงจะสามารถเบิกเกินวงเงินได้\n"
                              "Error 1 (Not Have A Record Data)");
    // Used in full or beyond: a flexible benefit raised (or a limit lowered)
    // after the claims were made leaves the sum above the limit.
    if (row->used + row->flex < row->limit)
        return (QStringLiteral("ต้องเบิกใช้วงเงินเต็มจำนวนก่อน จึงจะสามารถเบิกเกินวงเงินได้\nปี %1\n"
                                      "วงเงินค่ารักษา %2\nวงเงินที่ใช้ไป %3")
                           .arg(payYear.trimmed(), row->limit.toDisplay(), row->used.toDisplay()));
    if (row->copayUsed < row->copayLimit)
        return (QStringLiteral("ต้องเบิกใช้วงเงิน CO-PAY เต็มจำนวนก่อน จึงจะสามารถเบิกเกินวงเงินได้\nปี %1\n"
                                      "วงเงิน CO-PAY %2\nวงเงิน CO-PAY ที่ใช้ไป %3")
                           .arg(payYear.trimmed(), row->copayLimit.toDisplay(), row->copayUsed.toDisplay()));
    return {};
}

Charge chargeMedical(const YearFigures& row, Money total)
{
    Charge c;
    const Money usable = row.limit - row.flex;
    c.before = qMax(Money(), usable - row.used);
    c.newUsed = row.used + total;
    if (c.newUsed > usable) {
        c.excess = total - c.before;
        c.payable = c.before;
        c.newUsed = qMax(row.used, usable);
    } else {
        c.payable = total;
    }
    return c;
}

Charge chargeNewRow(const RightTypeLimit& limit, Money total)
{
    Charge c;
    c.before = limit.medical;
    if (limit.medical < total) {
        c.excess = total - limit.medical;
        c.payable = limit.medical;
    } else {
        c.payable = total;
    }
    c.newUsed = c.payable;
    return c;
}

QVector<ClaimLine> linesOf(const QVector<ClaimReceipt>& receipts, Money excess)
{
    QMap<int, Money> byPatient;
    for (const ClaimReceipt& r : receipts)
        byPatient[r.folk] += r.amount;
    QMap<int, Money> payable = byPatient;
    // The patients from the last receipt backwards, each once.
    Money left = excess;
    QVector<int> seen;
    for (auto r = receipts.crbegin(); r != receipts.crend() && left > Money(); ++r) {
        if (seen.contains(r->folk))
            continue;
        seen << r->folk;
        const Money taken = qMin(left, qMax(Money(), payable[r->folk]));
        payable[r->folk] -= taken;
        left -= taken;
    }
    QVector<ClaimLine> lines;
    for (auto it = byPatient.cbegin(); it != byPatient.cend(); ++it)
        lines.push_back({it.key(), it.value(), payable.value(it.key())});
    return lines;
}

namespace ClaimEntry {

QStringList budgetYears(Database& db)
{
    const Rows r = db.select(QStringLiteral("SELECT Sel_Year_BudDate FROM TR_Select_Year_Bud ORDER BY Sel_Year_BudDate"));
    QStringList years;
    for (int i = 0; i < r.count(); ++i)
        years << r.text(i, QStringLiteral("Sel_Year_BudDate")).trimmed();
    return years;
}

Money openEntry(Database& db, const ClaimKind& kind, const QString& kvId, const QString& payYear)
{
    const GateFigures f = gateFigures(db, kind, kvId.trimmed(), payYear.trimmed(), false);
    const QString refused = claimGate(kind, f, false, payYear);
    if (!refused.isEmpty())
        throw AppError(refused);
    return kind.limit.policy == LimitPolicy::Medical ? f.medical.flex : Money();
}

RemainingLimit remainingLimit(Database& db, const ClaimKind& kind, const QString& kvId, const QString& payYear,
                              const QString& hType)
{
    const RightTypeLimit* type = rightTypeLimit(hType);
    const GateFigures f = readYearRow(db, kvId.trimmed(), payYear.trimmed(), false);
    RemainingLimit r;
    r.hasRow = f.hasRow;
    if (kind.limit.policy == LimitPolicy::Copay) {
        // Without a row: the co-pay limit of the right types that have one.
        r.entitled = f.hasRow ? f.limit : rightTypeLimit(QStringLiteral("2"))->copay;
        r.used = f.used;
        r.remaining = r.entitled - r.used;
        return r;
    }
    if (f.hasRow ? isUnlimitedAmount(f.medical.limit) : type && type->unlimited)
        throw AppError(kNoLimitText);
    if (f.hasRow) {
        const YearFigures row = chargedFigures(kind, f);
        r.entitled = row.limit;
        r.used = row.used;
        r.flex = row.flex;
        r.remaining = row.limit - row.used - row.flex;
    } else if (type) {
        r.entitled = type->medical;
        r.remaining = type->medical;
    }
    return r;
}

Patient findPatient(Database& db, const QString& kvId, int code, const EmployeeNames& employee)
{
    const Rows r = db.select(QStringLiteral("SELECT EF_Surname, EF_F_Name, EF_L_Name, EF_Birthday FROM T_Emp_Folk "
                                            "WHERE KV_ID = ? AND Emp_Folk = ?"),
                             {kvId, QString::number(code)});
    Patient p;
    if (!r.isEmpty()) {
        p.title = r.text(0, QStringLiteral("EF_Surname"));
        p.given = r.text(0, QStringLiteral("EF_F_Name"));
        p.family = r.text(0, QStringLiteral("EF_L_Name"));
        p.birthday = r.text(0, QStringLiteral("EF_Birthday"));
        p.displayName = p.title + p.given + QLatin1Char(' ') + p.family;
        return p;
    }
    if (code != 0)
        throw AppError(QStringLiteral("ไม่พบข้อมูล") + patientMissingLabel(code)
                       + QStringLiteral("\rให้แจ้งฝ่ายการเจ้าหน้าที่คณะ บันทึกข้อมูลเพิ่มเติม"));
    Transaction tx(db);
    db.insertIfAbsent(QStringLiteral("T_Emp_Folk"),
                      {QStringLiteral("KV_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("EF_Surname"),
                       QStringLiteral("EF_F_Name"), QStringLiteral("EF_L_Name")},
                      {kvId, QStringLiteral("0"), employee.title, employee.given, employee.family}, 2);
    tx.commit();
    p.title = employee.title;
    p.given = employee.given;
    p.family = employee.family;
    p.displayName = p.title + p.given + QStringLiteral("  ") + p.family;
    return p;
}

std::pair<QDate, QDate> receiptRange(const QString& payYear)
{
    const int year = payYear.trimmed().toInt() - 543;
    return {QDate(year - 1, 10, 1), QDate(year, 9, 30)};
}

void checkReceiptAge(const QDate& receipt, const QDate& claim)
{
    if (receipt > claim)
        throw AppError(QStringLiteral("วันที่ใบเสร็จ(") + toBEText(receipt) + QStringLiteral(")เลยวันที่เบิก(")
                       + toBEText(claim) + QStringLiteral(")\rไม่สามารถนำมาเบิกได้"));
    if (receipt.addYears(1).addDays(1) < claim)
        throw AppError(QStringLiteral("วันที่ใบเสร็จ(") + toBEText(receipt) + QStringLiteral(")เกิน หนึ่งปี จากวันที่เบิก(")
                       + toBEText(claim) + QStringLiteral(")\rไม่สามารถนำมาเบิกได้"));
}

void checkReceipt(const QString& payYear, const QDate& receipt, const QDate& claim)
{
    const auto [first, last] = receiptRange(payYear);
    // A typed date replaces the picker that offered only the charged year.
    if (receipt < first || receipt > last)
        throw AppError(QStringLiteral("วันที่ในใบเสร็จต้องอยู่ในปีงบประมาณ %1 (%2 - %3)")
                           .arg(payYear.trimmed(), toBEText(first), toBEText(last)));
    checkReceiptAge(receipt, claim);
}

void validate(const ClaimKind& kind, const ClaimDraft& d)
{
    if (TrimBlanks(d.payYear).toInt() <= 2550)
        throw AppError(QStringLiteral("กรุณาใส่ปีที่ตัดเงินให้ถูกต้อง"));
    const auto claimDate = parseBEText(d.claimDate);
    if (!claimDate)
        throw AppError(QStringLiteral("กรุณาใส่วันที่เบิกด้วย"));
    Money total;
    QMap<int, Money> byPatient;
    for (const ClaimReceipt& r : d.receipts) {
        const auto date = parseBEText(r.dateDoc);
        if (r.folk < 0 || r.folk >= kind.entry.patientCount || !date)
            throw AppError(QStringLiteral("รายการใบเสร็จไม่ถูกต้อง"));
        checkReceipt(d.payYear, *date, *claimDate);
        InputChecks::checkAmount(r.amount);
        InputChecks::checkLength(QStringLiteral("T_Reciept"), QStringLiteral("Hospital_Name"), r.hospital,
                                 QStringLiteral("สถานพยาบาล"));
        byPatient[r.folk] += r.amount;
        total += r.amount;
    }
    InputChecks::checkAmount(total);
    for (int code : {0, 1})
        if (byPatient.contains(code) && byPatient[code] < Money::fromSatang(1))
            throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินให้ถูกต้องด้วย"));
    if (total < Money::fromSatang(1))
        throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินด้วย"));
}

namespace {

// The kind's limit policy on the row locked by the gate step.
Charge chargeFor(Database& db, const ClaimKind& kind, const GateFigures& locked, const QString& kvId,
                 const QString& year, Money total, QVector<Database::Statement>& writes)
{
    switch (kind.limit.policy) {
    case LimitPolicy::Medical: return chargeMedicalLimit(db, kind, locked, kvId, year, total, writes);
    case LimitPolicy::Copay: return chargeCopayLimit(kind, locked, kvId, year, total, writes);
    case LimitPolicy::None: break;
    }
    return chargeNothing(total);
}

// The gate again, on the row locked for the rest of the save: another
// workstation may have charged or given back part of the limit since the
// entry was opened.
GateFigures passGate(Database& db, const ClaimKind& kind, const QString& kvId, const QString& year,
                     const QString& fact)
{
    AlsoRead also{fact, kind.limit.gate == LimitGate::Copay};
    GateFigures f = readYearRow(db, kvId, year, true, &also);
    if (!f.hasRow || !also.factKnown)
        InputChecks::checkFaculty(db, fact); // its message, before any about the limit
    if (!f.hasRow && also.rightType)
        f.hType = rightTypeOf(db, kvId).value_or(QString());
    const QString refused = claimGate(kind, f, true, year);
    if (!refused.isEmpty())
        throw AppError(refused);
    return f;
}

} // namespace

SavedClaim save(Database& db, const LoginContext& login, const ClaimKind& kind, const ClaimDraft& d)
{
    validate(kind, d);
    const QString fact = facultyFor(login, kind.faculty.claim, d.factCode);
    if (fact.size() != 2)
        throw AppError(QStringLiteral("กรุณาใส่รหัสส่วนงานให้ถูกต้อง"));
    const QString kvId = d.kvId.trimmed();
    const QString year = d.payYear.trimmed();
    const QString inOut = patientTypeOf(kind, d.inOut);
    Money total;
    for (const ClaimReceipt& r : d.receipts)
        total += r.amount;

    Transaction tx(db);
    QVector<Database::Statement> writes;
    // The faculty is checked by the yearly row's read, inside the transaction.
    const GateFigures locked = passGate(db, kind, kvId, year, fact);
    const Charge charge = chargeFor(db, kind, locked, kvId, year, total, writes);

    SavedClaim saved;
    saved.total = total;
    saved.before = charge.before;
    saved.payable = charge.payable;
    saved.excess = charge.excess;
    saved.lines = linesOf(d.receipts, charge.excess);

    ClaimRecord record;
    record.kvId = kvId;
    record.claimDate = d.claimDate;
    record.payYear = year;
    record.inOut = inOut;
    record.factCode = fact;
    record.claimed = total;
    record.payable = saved.payable;
    record.extraColumns = {QStringLiteral("Vong_M_Befor"), QStringLiteral("User_Type"), QStringLiteral("Ent_From")};
    record.extra = {saved.before.toSql(), login.Cur_User_Type, QStringLiteral("HRR")};
    for (const ClaimLine& l : saved.lines)
        record.lines.push_back({QString::number(l.folk), l.claimed, l.payable});
    for (const ClaimReceipt& r : d.receipts)
        record.receipts.push_back(
            {QString::number(r.folk), r.dateDoc, r.amount, r.title, r.given, r.family, r.birthday, r.hospital});
    saved.claimNo = writeClaim(db, login, kind, record, writes);
    tx.commit();
    return saved;
}

} // namespace ClaimEntry
} // namespace wel::claims
