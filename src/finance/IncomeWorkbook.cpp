#include "IncomeWorkbook.h"
#include "common/excel/WorkbookReader.h"

namespace wel::finance {

QList<QStringList> readIncomeRows(const QString& path)
{
    constexpr int kFirstRow = 5, kKeyColumn = 1, kLastColumn = 10;
    return excel::readFirstSheet(path).rowsUntilEmptyKey(kFirstRow, kKeyColumn, kLastColumn);
}

} // namespace wel::finance
