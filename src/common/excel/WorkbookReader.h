#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace wel::excel {

// What a file holds, judged from its bytes and never from its name: a
// wrong or cut-short file would otherwise read as an empty workbook.
enum class WorkbookFormat { NotWorkbook, Damaged, Xlsx, Ods, Xls };
WorkbookFormat detectWorkbookFormat(const QByteArray& bytes);

// The cell texts of one worksheet as a clerk sees them: text as written,
// numbers in plain digits ("12", "1234.5"), date cells as dd/mm/yyyy in the
// Buddhist Era; empty cells read as empty text. Rows and columns 1-based.
class SheetData {
public:
    QString name;

    QString cell(int row, int column) const { return m_cells.value(key(row, column)); }
    QString cell(const QString& a1) const; // "B5"
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }

    // The rows from firstRow on, columns firstColumn to lastColumn, up to
    // (not including) the first row whose keyColumn cell is empty.
    QList<QStringList> rowsUntilEmptyKey(int firstRow, int keyColumn, int lastColumn,
                                         int firstColumn = 1) const;

    void set(int row, int column, const QString& text);

private:
    static quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }
    QHash<quint64, QString> m_cells;
    int m_rows = 0, m_columns = 0;
};

// Reads the first worksheet of an .xlsx, .ods or .xls file. The file is only
// read, never changed. A missing, unreadable, damaged or foreign file throws
// AppError with a Thai message, and nothing is returned.
SheetData readFirstSheet(const QString& path);

} // namespace wel::excel
