#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>

namespace wel {

// The rows a service returned, as a result grid shows them: display texts,
// read-only, one list per row. Sorting reorders the rows themselves, so
// that what the grid shows and what the export writes are the same rows in
// the same order.
class ResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultModel(QObject* parent = nullptr);

    // Replaces the rows (and the headings). The first fixedRows rows (a second heading row)
    // stay on top and the last totalRows (a total) at the bottom whatever the
    // order. Amount columns (every text "1,234.50") are found here and
    // aligned to the right.
    void setResult(const QStringList& headings, QVector<QStringList> rows, int fixedRows = 0, int totalRows = 0);
    // Columns aligned to the right besides the amounts found (counts).
    void alignRight(const QVector<int>& columns);
    // Columns centred (a mark "X").
    void alignCentre(const QVector<int>& columns);
    // One cell's text changed in place (a row marked); the row keeps its place.
    void setText(int row, int column, const QString& text);
    // Rows drawn on this colour (refused rows of an import), by their place
    // in the rows given, so that the colour stays with its row when sorted.
    // Cleared by the next result.
    void shadeRows(const QSet<int>& sourceRows, const QColor& colour);
    // A list sorts by a heading click; a summary whose subtotal and total
    // rows would lose their place does not.
    void setSortable(bool sortable) { m_sortable = sortable; }
    bool sortable() const { return m_sortable; }

    // Headings shown on two lines where a grid lacks the width; the heading
    // itself (Qt::UserRole, the export's) stays as given. Empty: one line.
    void setShownHeadings(const QHash<int, QString>& shown);

    const QStringList& headings() const { return m_headings; }
    // In the order shown.
    const QVector<QStringList>& rows() const { return m_rows; }
    int fixedRows() const { return m_fixedRows; }
    int totalRows() const { return m_totalRows; }
    QString text(int row, int column) const { return m_rows.value(row).value(column); }
    // The place of a shown row in the rows given to setResult, whatever the
    // order shown: a screen that keeps its own data per row (keys, claims)
    // reads it there. -1 for no row.
    int sourceRow(int row) const { return m_origin.value(row, -1); }
    bool isRightAligned(int column) const { return m_right.contains(column); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Amounts and counts by value, Buddhist-Era dates "dd/mm/yyyy" by date,
    // other texts in Thai dictionary order; empty cells first. Equal rows
    // keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QStringList m_headings;
    QVector<QStringList> m_rows;
    QVector<int> m_origin; // by shown row: its place in the rows given
    QSet<int> m_shaded;    // by place in the rows given
    QColor m_shade;
    int m_fixedRows = 0;
    int m_totalRows = 0;
    QSet<int> m_right;
    QSet<int> m_centred;
    QHash<int, QString> m_shownHeadings;
    bool m_sortable = true;
};

} // namespace wel
