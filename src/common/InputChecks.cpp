#include "InputChecks.h"
#include "common/AppError.h"
#include "common/db/Database.h"
#include "common/db/Schema.h"

namespace wel::InputChecks {

void checkLength(const QString& table, const QString& column, const QString& value, const QString& caption)
{
    for (const TableDef& t : schemaTables()) {
        if (t.name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        for (const ColumnDef& c : t.columns)
            if (c.name.compare(column, Qt::CaseInsensitive) == 0 && c.type == ColumnDef::Text && c.width > 0
                && value.size() > c.width)
                throw AppError(QStringLiteral("ข้อความในช่อง %1 ยาวเกิน %2 ตัวอักษร กรุณาแก้ไขแล้วบันทึกใหม่")
                                   .arg(caption)
                                   .arg(c.width));
        return;
    }
}

void checkLengths(const QString& table, std::initializer_list<TypedText> texts)
{
    for (const TypedText& t : texts)
        checkLength(table, QString::fromLatin1(t.column), t.value, QString::fromUtf8(t.caption));
}

void checkFaculty(Database& db, const QString& factCode)
{
    const QString code = factCode.trimmed().toUpper();
    if (code.isEmpty()
        || db.select(QStringLiteral("SELECT Fact_Code FROM T_Fact WHERE ") + db.ciEquals(QStringLiteral("Fact_Code")),
                     {code})
               .isEmpty())
        throw AppError(QStringLiteral("ไม่พบรหัสส่วนงาน %1 กรุณาใส่รหัสส่วนงานให้ถูกต้อง").arg(code));
}

void checkEmployee(Database& db, const QString& kvId)
{
    const QString key = kvId.trimmed();
    if (db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {key}).isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ") + key);
}

void checkAmount(Money amount)
{
    if (amount > kLargestAmount || amount < -kLargestAmount)
        throw AppError(QStringLiteral("จำนวนเงิน %1 เกินกว่าที่บันทึกได้").arg(amount.toDisplay()));
}

} // namespace wel::InputChecks
