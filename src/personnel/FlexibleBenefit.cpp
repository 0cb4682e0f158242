#include "FlexibleBenefit.h"
#include "common/Audit.h"
#include "YearRows.h"
#include "common/LoginContext.h"
#include "common/RunningNumbers.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/excel/WorkbookReader.h"

#include <QHash>

namespace wel::FlexibleBenefit {

const QString kUniversityEmployee = QStringLiteral("พนักงานมหาวิทยาลัย");

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// Applicant grid columns.
enum { Ssn = 1, Title = 2, First = 3, Last = 4, Position = 5, Fact = 6, Dept = 7, InDate = 8, Type = 9, PersonType = 10 };
// Result grid columns after the ten applicant columns.
enum { Remark = 10, FoundKvId = 11, NameSsn = 12, NameStatus = 13 };

struct Width {
    int column;
    int width;
    const char* caption;
};
const Width kWidths[] = {{Ssn, 13, "เลขบัตรประชาชน"}, {Title, 35, "คำนำหน้า"}, {First, 40, "ชื่อ"},
                         {Last, 40, "นามสกุล"},       {Position, 250, "ตำแหน่ง"}, {Dept, 250, "ภาควิชา"}};

// What is wrong with the row itself, "" when nothing.
QString rowReason(const QStringList& g)
{
    if (TrimBlanks(g[Ssn]).isEmpty())
        return imports::reasonMissing(u("เลขบัตรประชาชน"));
    if (TrimBlanks(g[Fact]).isEmpty())
        return imports::reasonMissing(u("Dept_Code"));
    if (!imports::isRightType(TrimBlanks(g[Type])))
        return imports::reasonBadType(g[Type]);
    if (!imports::storedDate(g[InDate]))
        return imports::reasonBadDate(u("วันที่บรรจุ"), g[InDate]);
    for (const Width& w : kWidths)
        if (TrimBlanks(g[w.column]).size() > w.width)
            return imports::reasonTooLong(u(w.caption), w.width);
    return {};
}

QString notEnoughRemark(Money limit, Money used)
{
    return u("1.1 จำนวนเงินไม่พอใช้ Flex ben F_H=(") + limit.toDisplay() + u(" F_U=") + used.toDisplay()
        + u(" Flex=5,000)");
}

// An applicant not found in his faculty who is an active employee of
// another: a second active record of one person cannot be made.
QString activeElsewhere(Database& db, const QString& ssn)
{
    const Rows r = db.select(QStringLiteral("SELECT KV_ID, Fact_code FROM T_Emp_Gov_Histry "
                                            "WHERE Emp_SSN = ? AND Emp_Status = 'A' ORDER BY KV_ID"),
                             {ssn});
    if (r.isEmpty())
        return {};
    return u("เลขประจำตัวประชาชนนี้เป็นของพนักงานคณะ %1 (KV_ID %2) อยู่แล้ว")
        .arg(TrimBlanks(r.text(0, QStringLiteral("Fact_code"))), TrimBlanks(r.text(0, QStringLiteral("KV_ID"))));
}

} // namespace

QStringList applicantHeadings()
{
    return {u("No. "),    u("เลขบัตรประชาชน"), u("คำนำหน้า"),  u("ชื่อ"),           u("นามสกุล"), u("ตำแหน่ง"),
            u("Dept_Code"), u("ภาควิชา"),      u("วันที่บรรจุ"), u("รูปแบบที่เลือก"), u("ประเภทบุคคลากร")};
}

QVector<int> applicantWidths() { return {30, 90, 100, 100, 100, 100, 70, 140, 80, 80, 120}; }

imports::SheetRows applicantRows(const excel::SheetData& sheet, const QString& path)
{
    imports::SheetRows rows = imports::rowsFromRow2(sheet, path, 10, [](const QStringList& cells) {
        return TrimBlanks(cells[9]) == kUniversityEmployee;
    });
    for (QStringList& g : rows.grid)
        g[InDate] = imports::shownDate(g[InDate]);
    return rows;
}

imports::SheetRows readApplicants(const QString& path) { return applicantRows(excel::readFirstSheet(path), path); }

QStringList resultHeadings()
{
    QStringList h = applicantHeadings().mid(0, 10);
    h << u("หมายเหตุ") << u("I_KV_ID") << u("Emp_SSN") << u("Emp_Status");
    return h;
}

QVector<int> resultWidths() { return {30, 90, 100, 100, 100, 100, 200, 200, 80, 60, 330, 110, 110, 80}; }

bool TestResult::canSave() const
{
    return std::none_of(rows.begin(), rows.end(), [](const Tested& t) { return t.blocking(); });
}

TestResult test(Database& db, const imports::SheetRows& rows, const QString& yearText, const imports::Progress& progress)
{
    const QString year = imports::checkedYear(yearText);
    TestResult result;
    QHash<QString, int> firstRow;
    const QString sameFact = db.ciEquals(QStringLiteral("Fact_code"));
    for (int i = 0; i < rows.count(); ++i) {
        const QStringList& g = rows.grid[i];
        const QString ssn = TrimBlanks(g[Ssn]);
        const QString fact = TrimBlanks(g[Fact]).toUpper();
        Tested t;
        t.cells = g.mid(0, 10);
        t.cells[Ssn] = QLatin1Char('\'') + g[Ssn];
        t.cells << QString() << QString() << QString() << QString();
        QString reason = rowReason(g);
        const QString key = ssn + QLatin1Char('|') + fact;
        if (reason.isEmpty() && firstRow.contains(key))
            reason = imports::reasonDuplicate(firstRow.value(key));
        firstRow.insert(key, firstRow.value(key, rows.sheetRows[i]));

        const Rows found = reason.isEmpty()
            ? db.select(QStringLiteral("SELECT KV_ID, Emp_H_Type FROM T_Emp_Gov_Histry "
                                       "WHERE Emp_SSN = ? AND Emp_Status = 'A' AND ")
                            + sameFact + QStringLiteral(" ORDER BY KV_ID"),
                        {ssn, fact})
            : Rows();
        if (!reason.isEmpty()) {
            t.kind = Kind::Refused;
        } else if (found.isEmpty() && !(reason = activeElsewhere(db, ssn)).isEmpty()) {
            t.kind = Kind::Refused;
        } else if (found.isEmpty()) {
            t.kind = Kind::NotFound;
            t.rightType = TrimBlanks(g[Type]);
            t.cells[Remark] = u("2. ไม่พบในข้อมูลประวัติ");
            const Rows byName = db.select(QStringLiteral("SELECT Emp_SSN, Emp_Status FROM T_Emp_Gov_Histry "
                                                         "WHERE Emp_F_Name = ? AND Emp_L_Name = ? AND ")
                                              + sameFact + QStringLiteral(" AND Emp_Status = 'A' ORDER BY KV_ID"),
                                          {TrimBlanks(g[First]), TrimBlanks(g[Last]), fact});
            if (!byName.isEmpty()) {
                t.cells[NameSsn] = QLatin1Char('\'') + byName.text(0, QStringLiteral("Emp_SSN"));
                t.cells[NameStatus] = QLatin1Char('\'') + byName.text(0, QStringLiteral("Emp_Status"));
                ++result.nameMatches;
            }
        } else {
            t.KV_ID = found.text(0, QStringLiteral("KV_ID"));
            t.rightType = TrimBlanks(found.text(0, QStringLiteral("Emp_H_Type")));
            t.cells[FoundKvId] = t.KV_ID;
            const Rows yearRow = db.select(QStringLiteral("SELECT Fact_T_H_Money, Fact_T_U_H FROM T_Year_Cur_Health "
                                                          "WHERE KV_ID = ? AND Pay_Year = ?"),
                                           {t.KV_ID, year});
            if (yearRow.isEmpty()) {
                // The yearly row will be made from the type recorded for him.
                if (imports::isRightType(t.rightType)) {
                    t.kind = Kind::NoYearRow;
                    t.cells[Remark] = u("1.3 ยังไม่มีการเบิกค่ารักษาพยาบาล");
                } else {
                    reason = u("รูปแบบค่ารักษาพยาบาลในข้อมูลประวัติต้องเป็น 1, 2 หรือ 3 (\"") + t.rightType + u("\")");
                }
            } else {
                const Money limit = yearRow.money(0, QStringLiteral("Fact_T_H_Money"));
                const Money used = yearRow.money(0, QStringLiteral("Fact_T_U_H"));
                if (limit - (used + kAmount) >= Money()) {
                    t.kind = Kind::Claimed;
                    t.cells[Remark] = u("1.2 มีการเบิกค่ารักษาแล้ว");
                } else {
                    t.kind = Kind::NotEnough;
                    t.cells[Remark] = notEnoughRemark(limit, used);
                }
            }
        }
        if (!reason.isEmpty()) {
            t.kind = Kind::Refused;
            t.cells[Remark] = u("3. ") + reason;
        }
        result.rows << t;
        if (progress)
            progress(i + 1, rows.count());
    }
    return result;
}

Saved save(Database& db, const LoginContext& login, const imports::SheetRows& rows, const QString& yearText,
           const imports::Progress& progress)
{
    const QString year = imports::checkedYear(yearText);
    Saved saved;
    Transaction tx(db);
    RunningNumbers::lockEmployeeNumbers(db, login.Cur_Date);
    // Another workstation may have claimed or changed records since the test.
    const TestResult tested = test(db, rows, year);
    if (!tested.canSave())
        throw AppError(u("ข้อมูลเปลี่ยนไปหลังการทดสอบ มีรายการที่ไม่ผ่านการทดสอบ\r"
                         "กรุณากด \"ทดสอบการ Update ข้อมูล\" อีกครั้ง"));
    audit::Trail trail(login);
    for (int i = 0; i < rows.count(); ++i) {
        const QStringList& g = rows.grid[i];
        const Tested& t = tested.rows[i];
        QString kvId = t.KV_ID;
        switch (t.kind) {
        case Kind::NotFound: {
            kvId = RunningNumbers::takeEmployeeKey(db, login.Cur_Date, RunningNumbers::WhenMissing::CreateRow);
            auto c = [&](int column) { return TrimBlanks(g[column]); };
            db.exec(QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, "
                                   "Emp_L_Name, Emp_Position, Emp_Level, Emp_Dept_Name, Emp_In_date2, Emp_H_Type, "
                                   "Fact_code, Bank_Account_No, Emp_Status) "
                                   "VALUES (?, '', ?, ?, ?, ?, ?, '', ?, ?, ?, ?, '', 'A')"),
                    {kvId, c(Ssn), c(Title), c(First), c(Last), c(Position), c(Dept), *imports::storedDate(g[InDate]),
                     c(Type), c(Fact).toUpper()});
            ++saved.employeesAdded;
            trail.add(audit::Op::EmployeeAdd, kvId, QStringLiteral("Flexible Benefit %1").arg(c(Ssn)));
            [[fallthrough]];
        }
        case Kind::NoYearRow:
            if (YearRows::insertIfAbsent(db, kvId, year, *YearRows::limitsOf(t.rightType), QString(), kAmount)) {
                ++saved.yearRowsAdded;
                break;
            }
            [[fallthrough]]; // made meanwhile by another workstation
        case Kind::Claimed:
            // Only while the limit has room: the used amount may have grown. The
            // amount is cast, since SQLite takes bound text as greater than any number.
            if (db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET M_Flexben = ? "
                                       "WHERE KV_ID = ? AND Pay_Year = ? AND Fact_T_H_Money - Fact_T_U_H >= CAST(? AS NUMERIC)"),
                        {kAmount.toSql(), kvId, year, kAmount.toSql()})
                != 1)
                throw AppError(u("1.1 จำนวนเงินไม่พอใช้ Flex ben : ") + kvId);
            ++saved.yearRowsUpdated;
            break;
        case Kind::NotEnough:
        case Kind::Refused:
            break; // not reached: the test above stopped the save
        }
        if (t.kind != Kind::NotEnough && t.kind != Kind::Refused)
            trail.add(audit::Op::FlexBenefit, kvId, QStringLiteral("Pay_Year %1 M_Flexben %2").arg(year, kAmount.toPlain()));
        if (progress)
            progress(i + 1, rows.count());
    }
    trail.write(db);
    tx.commit();
    return saved;
}

excel::Worksheet exportSheet(const excel::GridTable& grid, bool results)
{
    excel::GridExportParams p;
    p.sheetName = u("พนักงาน");
    p.lastColumn = results ? QStringLiteral("N") : QStringLiteral("K");
    p.title1 = u("รายงานสถานภาพพนักงาน");
    p.headingStyle = excel::HeadingStyle::Coloured;
    p.repeatRows = QStringLiteral("$1:$4");
    p.closing = excel::Closing::Thin;
    if (!results)
        p.numberFormats = {{QStringLiteral("K"), excel::amountFormat()}};
    excel::Worksheet sheet = excel::buildGridSheet(grid, p);
    sheet.pageSetup().centerFooter = u("หน้า&P");
    return sheet;
}

} // namespace wel::FlexibleBenefit
