#pragma once
#include <QString>

namespace wel::excel {

// Column letters by 1-based number: 1 -> "A", 26 -> "Z", 27 -> "AA".
QString columnLetters(int column);
// The inverse; 0 for text that is not a column name.
int columnNumber(const QString& letters);
// "D5" from (5, 4).
QString cellAddress(int row, int column);

// A block of cells in A1 notation, rows and columns 1-based and inclusive.
// Built from "A1", "A4:L4" or "$A$1:$B$2"; a bad address throws AppError,
// because addresses come from the program, never from the user.
struct CellRange {
    int top = 1, left = 1, bottom = 1, right = 1;

    CellRange() = default;
    CellRange(int top, int left, int bottom, int right);
    CellRange(const QString& a1);
    CellRange(const char* a1) : CellRange(QString::fromUtf8(a1)) {}

    static CellRange row(int r, int left, int right) { return {r, left, r, right}; }
    bool contains(int r, int c) const { return r >= top && r <= bottom && c >= left && c <= right; }
    bool isSingleCell() const { return top == bottom && left == right; }
    QString toString() const;
    bool operator==(const CellRange&) const = default;
};

// Column spans as the callers write them: "D:J", "K", "$A:$C".
struct ColumnSpan {
    int first = 1, last = 1;
    static ColumnSpan parse(const QString& text);
};

// Row spans of print titles: "$1:$5", "1:4", "3".
struct RowSpan {
    int first = 1, last = 1;
    static RowSpan parse(const QString& text);
};

} // namespace wel::excel
