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

// What a workbook may hold. Beyond them the reader refuses the file with a
// message naming the limit, instead of filling the memory or working for
// minutes (a few kilobytes of zip can unpack to gigabytes).
struct WorkbookLimits {
    static constexpr qint64 fileBytes = 200LL * 1024 * 1024;
    static constexpr qint64 unpackedBytes = 200LL * 1024 * 1024; // all parts of an .xlsx or .ods
    static constexpr int rows = 100000;                         // the last row holding a value
    static constexpr qint64 cells = 5000000;                    // cells holding a value
};

// Reads the first worksheet of an .xlsx, .ods or .xls file. The file is only
// read, never changed. A missing, unreadable, damaged, foreign or too large
// file throws AppError with a Thai message naming the file, and nothing is
// returned; so does a file the memory of the workstation cannot hold.
SheetData readFirstSheet(const QString& path);

} // namespace wel::excel
