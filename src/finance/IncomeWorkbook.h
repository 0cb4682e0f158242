#pragma once
#include <QList>
#include <QStringList>

namespace wel::finance {

// The rows of an income workbook's first worksheet: from row 5 until the
// first row whose column A is empty, the texts of columns A to J as they
// stand. The file is only read: never renamed, changed or saved. Throws
// AppError for a file that is no readable workbook.
QList<QStringList> readIncomeRows(const QString& path);

} // namespace wel::finance
