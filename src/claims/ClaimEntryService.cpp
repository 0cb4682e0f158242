#include "ClaimEntryService.h"
#include "ClaimSql.h"
#include "common/AppError.h"
#include "common/InputChecks.h"
#include "common/Limits.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/ThaiDate.h"
#include "common/Utility.h"
#include "common/db/Database.h"

#include <QMap>

namespace wel::claims {

namespace {

const QString kYearWhere = QStringLiteral("KV_ID = ? AND Pay_Year = ?");

// At most this many receipts go into one INSERT, which keeps every server
// below its limit of parameters per statement (SQL Server: 2,100).
constexpr int kReceiptsPerInsert = 100;

std::optional<YearFigures> lockedYear(Database& db, const LimitRule& rule, const QString& kvId, const QString& year)
{
    const QString columns = rule.flexColumn.isEmpty()
        ? QStringLiteral("%1 AS H, %2 AS U, 0 AS F").arg(rule.limitColumn, rule.usedColumn)
        : QStringLiteral("%1 AS H, %2 AS U, %3 AS F").arg(rule.limitColumn, rule.usedColumn, rule.flexColumn);
    const Rows r = db.selectLocked(columns, QStringLiteral("T_Year_Cur_Health"), kYearWhere, {kvId, year});
    if (r.isEmpty())
        return std::nullopt;
    return YearFigures{r.money(0, QStringLiteral("H")), r.money(0, QStringLiteral("U")),
                       r.money(0, QStringLiteral("F"))};
}

std::optional<YearFigures> readYear(Database& db, const LimitRule& rule, const QString& kvId, const QString& year)
{
    const QString flex = rule.flexColumn.isEmpty() ? QStringLiteral("0") : rule.flexColumn;
    const Rows r = db.select(QStringLiteral("SELECT %1 AS H, %2 AS U, %3 AS F FROM T_Year_Cur_Health WHERE %4")
                                 .arg(rule.limitColumn, rule.usedColumn, flex, kYearWhere),
                             {kvId, year});
    if (r.isEmpty())
        return std::nullopt;
    return YearFigures{r.money(0, QStringLiteral("H")), r.money(0, QStringLiteral("U")),
                       r.money(0, QStringLiteral("F"))};
}

CopayFigures copayFigures(Database& db, const LimitRule& rule, const QString& kvId, const QString& year, bool locked)
{
    CopayFigures f;
    const Rows e = db.select(QStringLiteral("SELECT Emp_H_Type FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {kvId});
    f.hType = e.isEmpty() ? QString() : e.text(0, QStringLiteral("Emp_H_Type")).trimmed();
    const QString columns = QStringLiteral("Fact_T_H_Money AS H, Fact_T_U_H AS U, M_Flexben AS F, %1 AS T, %2 AS C")
                                .arg(rule.limitColumn, rule.usedColumn);
    const Rows r = locked ? db.selectLocked(columns, QStringLiteral("T_Year_Cur_Health"), kYearWhere, {kvId, year})
                          : db.select(QStringLiteral("SELECT %1 FROM T_Year_Cur_Health WHERE %2").arg(columns, kYearWhere),
                                      {kvId, year});
    if (r.isEmpty())
        return f;
    f.hasRow = true;
    f.medical = {r.money(0, QStringLiteral("H")), r.money(0, QStringLiteral("U")), r.money(0, QStringLiteral("F"))};
    f.limit = r.money(0, QStringLiteral("T"));
    f.used = r.money(0, QStringLiteral("C"));
    return f;
}

std::optional<UsedUpFigures> usedUpFigures(Database& db, const QString& kvId, const QString& year, bool lock)
{
    const QString columns = QStringLiteral("Fact_T_H_Money AS H, Fact_T_U_H AS U, M_Flexben AS F, "
                                           "Fact_T_Copay AS CT, Fact_U_Copay AS CU");
    const Rows r = lock ? db.selectLocked(columns, QStringLiteral("T_Year_Cur_Health"), kYearWhere, {kvId, year})
                        : db.select(QStringLiteral("SELECT %1 FROM T_Year_Cur_Health WHERE %2").arg(columns, kYearWhere),
                                    {kvId, year});
    if (r.isEmpty())
        return std::nullopt;
    return UsedUpFigures{r.money(0, QStringLiteral("H")), r.money(0, QStringLiteral("U")), r.money(0, QStringLiteral("F")),
                         r.money(0, QStringLiteral("CT")), r.money(0, QStringLiteral("CU"))};
}

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

void checkLimitUsedUp(const std::optional<UsedUpFigures>& row, const QString& payYear)
{
    if (!row)
        throw AppError(QStringLiteral("ต้องเบิค่ารักษาเต็มวงเงินก่อน จึงจะสามารถเบิกเกินวงเงินได้\n"
                                      "Error 1 (Not Have A Record Data)"));
    // Used in full or beyond: a flexible benefit raised (or a limit lowered)
    // after the claims were made leaves the sum above the limit.
    if (row->used + row->flex < row->limit)
        throw AppError(QStringLiteral("ต้องเบิกใช้วงเงินเต็มจำนวนก่อน จึงจะสามารถเบิกเกินวงเงินได้\nปี %1\n"
                                      "วงเงินค่ารักษา %2\nวงเงินที่ใช้ไป %3")
                           .arg(payYear.trimmed(), row->limit.toDisplay(), row->used.toDisplay()));
    if (row->copayUsed < row->copayLimit)
        throw AppError(QStringLiteral("ต้องเบิกใช้วงเงิน CO-PAY เต็มจำนวนก่อน จึงจะสามารถเบิกเกินวงเงินได้\nปี %1\n"
                                      "วงเงิน CO-PAY %2\nวงเงิน CO-PAY ที่ใช้ไป %3")
                           .arg(payYear.trimmed(), row->copayLimit.toDisplay(), row->copayUsed.toDisplay()));
}

std::optional<Charge> chargeMedical(const YearFigures& row, Money total)
{
    if (row.limit <= row.used + row.flex)
        return std::nullopt;
    Charge c;
    c.before = row.limit - row.used - row.flex;
    const Money usable = row.limit - row.flex;
    c.newUsed = row.used + total;
    if (c.newUsed > usable) {
        c.excess = total - c.before;
        c.payable = c.before;
        c.newUsed = usable;
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
    const int last = receipts.isEmpty() ? -1 : receipts.last().folk;
    QVector<ClaimLine> lines;
    for (auto it = byPatient.cbegin(); it != byPatient.cend(); ++it)
        lines.push_back({it.key(), it.value(), it.key() == last ? it.value() - excess : it.value()});
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
    if (kind.limit.policy == LimitPolicy::Copay) {
        const QString refused =
            copayGate(kind.limit.copay, copayFigures(db, kind.limit, kvId.trimmed(), payYear.trimmed(), false), false);
        if (!refused.isEmpty())
            throw AppError(refused);
        return Money();
    }
    if (kind.requiresLimitUsedUp)
        checkLimitUsedUp(usedUpFigures(db, kvId, payYear, false), payYear);
    if (kind.limit.policy == LimitPolicy::None)
        return Money();
    const auto row = readYear(db, kind.limit, kvId, payYear);
    if (!row)
        return Money();
    if (!chargeMedical(*row, Money()))
        throw AppError(kind.limit.usedUpMessage);
    return row->flex;
}

RemainingLimit remainingLimit(Database& db, const ClaimKind& kind, const QString& kvId, const QString& payYear,
                              const QString& hType)
{
    const RightTypeLimit* type = rightTypeLimit(hType);
    RemainingLimit r;
    if (kind.limit.policy == LimitPolicy::Copay) {
        // Without a row: the co-pay limit of the right types that have one.
        const CopayFigures f = copayFigures(db, kind.limit, kvId.trimmed(), payYear.trimmed(), false);
        r.hasRow = f.hasRow;
        r.entitled = f.hasRow ? f.limit : rightTypeLimit(QStringLiteral("2"))->copay;
        r.used = f.used;
        r.remaining = r.entitled - r.used;
        return r;
    }
    if (type && type->unlimited)
        throw AppError(kNoLimitText);
    if (const auto row = readYear(db, kind.limit, kvId, payYear)) {
        r.hasRow = true;
        r.entitled = row->limit;
        r.used = row->used;
        r.flex = row->flex;
        r.remaining = row->limit - row->used - row->flex;
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

void validate(const ClaimKind& kind, const ClaimDraft& d)
{
    if (TrimBlanks(d.payYear).toInt() <= 2550)
        throw AppError(QStringLiteral("กรุณาใส่ปีที่ตัดเงินให้ถูกต้อง"));
    if (!parseBEText(d.claimDate))
        throw AppError(QStringLiteral("กรุณาใส่วันที่เบิกด้วย"));
    Money total;
    QMap<int, Money> byPatient;
    for (const ClaimReceipt& r : d.receipts) {
        if (r.folk < 0 || r.folk >= kind.patientCount || !parseBEText(r.dateDoc))
            throw AppError(QStringLiteral("รายการใบเสร็จไม่ถูกต้อง"));
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

SavedClaim save(Database& db, const LoginContext& login, const ClaimKind& kind, const ClaimDraft& d)
{
    validate(kind, d);
    const QString fact = facultyFor(login, kind.claimFaculty, d.factCode);
    if (fact.size() != 2)
        throw AppError(QStringLiteral("กรุณาใส่รหัสส่วนงานให้ถูกต้อง"));
    InputChecks::checkFaculty(db, fact);
    const QString kvId = d.kvId.trimmed();
    const QString year = d.payYear.trimmed();
    const QString inOut = kind.fixedInOut.isEmpty() ? d.inOut : kind.fixedInOut;
    Money total;
    for (const ClaimReceipt& r : d.receipts)
        total += r.amount;

    Transaction tx(db);
    QVector<Database::Statement> writes;
    const LimitRule& rule = kind.limit;
    std::optional<Charge> charge;
    std::optional<YearFigures> row;
    if (rule.policy == LimitPolicy::Copay) {
        // Every gate again, on the row locked for the rest of the save.
        const CopayFigures f = copayFigures(db, rule, kvId, year, true);
        const QString refused = copayGate(rule.copay, f, true);
        if (!refused.isEmpty())
            throw AppError(refused);
        charge = chargeCopay(f.limit, f.used, total);
        writes.push_back({QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ? WHERE %2").arg(rule.usedColumn, kYearWhere),
                          {charge->newUsed.toSql(), kvId, year}});
    } else if (rule.policy == LimitPolicy::None) {
        // Checked again on the locked row: a cancellation elsewhere may have
        // given part of the limit back since the entry was opened.
        if (kind.requiresLimitUsedUp)
            checkLimitUsedUp(usedUpFigures(db, kvId, year, true), year);
        charge = Charge{Money(), total, Money(), Money()};
    } else {
        row = lockedYear(db, rule, kvId, year);
    }
    if (!row && rule.policy == LimitPolicy::Medical) {
        const Rows e = db.select(QStringLiteral("SELECT Emp_H_Type FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {kvId});
        if (e.isEmpty())
            throw AppError(QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ") + kvId);
        const QString hType = e.text(0, QStringLiteral("Emp_H_Type"));
        const RightTypeLimit* type = rightTypeLimit(hType);
        if (!type)
            throw AppError(QStringLiteral("ไม่พบวงเงินประจำปี %1 ของพนักงาน และประเภทสิทธิ \"%2\" ไม่ใช่ 1, 2 หรือ 3\r"
                                          "ไม่สามารถบันทึกได้ กรุณาแจ้งฝ่ายการเจ้าหน้าที่")
                               .arg(year, hType.trimmed()));
        charge = chargeNewRow(*type, total);
        const bool inserted = db.insertIfAbsent(
            QStringLiteral("T_Year_Cur_Health"),
            {QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Fact_T_H_Money"),
             QStringLiteral("Fact_T_U_H"), QStringLiteral("KV_T_H_Money"), QStringLiteral("KV_T_U_H"),
             QStringLiteral("Fact_T_Copay"), QStringLiteral("Fact_U_Copay"), QStringLiteral("Kv_T_Copay"),
             QStringLiteral("Kv_U_Copay"), QStringLiteral("M_Flexben")},
            {kvId, year, type->medical.toSql(), charge->payable.toSql(), type->medical.toSql(), Money().toSql(),
             type->copay.toSql(), Money().toSql(), type->copay.toSql(), Money().toSql(), Money().toSql()},
            2);
        if (!inserted) // another workstation made the row meanwhile: charge it as it now stands
            row = lockedYear(db, rule, kvId, year);
    }
    if (row && rule.policy == LimitPolicy::Medical) {
        charge = chargeMedical(*row, total);
        if (!charge)
            throw AppError(rule.usedUpMessage);
        writes.push_back({QStringLiteral("UPDATE T_Year_Cur_Health SET %1 = ? WHERE %2").arg(rule.usedColumn, kYearWhere),
                          {charge->newUsed.toSql(), kvId, year}});
    }

    SavedClaim saved;
    saved.claimNo = RunningNumbers::takeClaimNumber(db, fact, login.Cur_Bud_Year, kind.numberWhenMissing);
    saved.total = total;
    saved.before = charge->before;
    saved.payable = charge->payable;
    saved.excess = charge->excess;
    saved.lines = linesOf(d.receipts, charge->excess);
    const QString time = nowTimeText(db.serverNow());

    writes.push_back(sql::insertRows(
        QStringLiteral("T_PAY_Health"),
        {QStringLiteral("Berg_Doc_ID"), QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Date_berg"),
         QStringLiteral("T_M_Berg"), QStringLiteral("Date_Ent"), QStringLiteral("Vong_M_Befor"),
         QStringLiteral("M_Can_Berg"), QStringLiteral("Time_Ent"), QStringLiteral("Berg_Doc_Status"),
         QStringLiteral("User_Type"), QStringLiteral("Ent_From"), QStringLiteral("Health_In_Out_t"),
         QStringLiteral("Fact_Code"), QStringLiteral("Berg_Type_Code"), QStringLiteral("Ent_User")},
        {{saved.claimNo, kvId, year, d.claimDate.trimmed(), total.toSql(), login.Cur_Date, saved.before.toSql(),
          saved.payable.toSql(), time, QStringLiteral("FC"), login.Cur_User_Type, QStringLiteral("HRR"), inOut,
          fact, kind.typeCode, login.Cur_Username}}));

    QVector<QVariantList> lineRows;
    for (const ClaimLine& l : saved.lines)
        lineRows.push_back({saved.claimNo, QString::number(l.folk), kvId, inOut, l.claimed.toSql(), l.payable.toSql()});
    writes.push_back(sql::insertRows(QStringLiteral("T_Pay_Health_Detail"),
                                {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("KV_ID"),
                                 QStringLiteral("Health_In_Out_t"), QStringLiteral("M_Berg"),
                                 QStringLiteral("HM_Can_Berg")},
                                lineRows));

    const QStringList receiptColumns = {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Order_Doc"),
                                        QStringLiteral("Emp_Folk"), QStringLiteral("Date_Doc"),
                                        QStringLiteral("P_money"), QStringLiteral("Hospital_Name"),
                                        QStringLiteral("EF_Surname"), QStringLiteral("EF_F_Name"),
                                        QStringLiteral("EF_L_Name"), QStringLiteral("EF_Birthday")};
    QVector<QVariantList> receiptRows;
    for (int i = 0; i < d.receipts.size(); ++i) {
        const ClaimReceipt& r = d.receipts[i];
        receiptRows.push_back({saved.claimNo, i + 1, QString::number(r.folk), r.dateDoc.trimmed(), r.amount.toSql(),
                               r.hospital, r.title, r.given, r.family, r.birthday});
        if (receiptRows.size() == kReceiptsPerInsert || i + 1 == d.receipts.size()) {
            writes.push_back(sql::insertRows(QStringLiteral("T_Reciept"), receiptColumns, receiptRows));
            receiptRows.clear();
        }
    }
    db.execBatch(writes);
    tx.commit();
    return saved;
}

} // namespace ClaimEntry
} // namespace wel::claims
