#include "common/widgets/ResultModel.h"

#include "common/widgets/Grids.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

namespace wel {

namespace {

bool digit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool twoDigits(const QString& t, int at)
{
    return digit(t[at]) && digit(t[at + 1]);
}

// An amount or a count as the grids show them ("1,234.50", "-12", "3"), in
// hundredths, so that both kinds compare in one column.
std::optional<qint64> numberKey(const QString& text)
{
    qint64 whole = 0, hundredths = 0;
    int i = 0, digits = 0;
    const bool negative = text.startsWith(u'-');
    if (negative)
        ++i;
    for (; i < text.size() && text[i] != u'.'; ++i) {
        if (text[i] == u',')
            continue;
        if (!digit(text[i]) || ++digits > 16)
            return std::nullopt;
        whole = whole * 10 + text[i].digitValue();
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size()) {
        int decimals = 0;
        for (++i; i < text.size(); ++i, ++decimals) {
            if (!digit(text[i]) || decimals >= 2)
                return std::nullopt;
            hundredths = hundredths * 10 + text[i].digitValue();
        }
        if (decimals == 1)
            hundredths *= 10;
    }
    const qint64 value = whole * 100 + hundredths;
    return negative ? -value : value;
}

// A Buddhist-Era date "dd/mm/yyyy" or a month "mm/yyyy" as yyyymmdd.
std::optional<qint64> dateKey(const QString& t)
{
    if (t.size() == 10 && t[2] == u'/' && t[5] == u'/' && twoDigits(t, 0) && twoDigits(t, 3) && twoDigits(t, 6)
        && twoDigits(t, 8))
        return t.mid(6, 4).toLongLong() * 10000 + t.mid(3, 2).toInt() * 100 + t.left(2).toInt();
    if (t.size() == 7 && t[2] == u'/' && twoDigits(t, 0) && twoDigits(t, 3) && twoDigits(t, 5))
        return t.mid(3, 4).toLongLong() * 10000 + t.left(2).toInt() * 100;
    return std::nullopt;
}

} // namespace

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent)
{
}

void ResultModel::setResult(const QStringList& headings, QVector<QStringList> rows, int fixedRows, int totalRows)
{
    beginResetModel();
    // The same columns keep the headings as a grid fitted them.
    if (headings != m_headings) {
        m_shownHeadings.clear();
        m_centred.clear();
    }
    m_headings = headings;
    m_rows = std::move(rows);
    m_origin.resize(m_rows.size());
    std::iota(m_origin.begin(), m_origin.end(), 0);
    m_shaded.clear();
    m_fixedRows = qBound(0, fixedRows, int(m_rows.size()));
    m_totalRows = qBound(0, totalRows, int(m_rows.size()) - m_fixedRows);
    m_right.clear();
    // A column whose every text is an amount; one other text decides, so
    // most columns are settled at their first row.
    for (int c = 0; c < m_headings.size(); ++c) {
        bool amounts = false, others = false;
        for (int r = m_fixedRows; r < m_rows.size() && !others; ++r) {
            const QString& text = m_rows[r].value(c);
            if (!text.isEmpty())
                (looksLikeAmount(text) ? amounts : others) = true;
        }
        if (amounts && !others)
            m_right.insert(c);
    }
    endResetModel();
}

void ResultModel::setShownHeadings(const QHash<int, QString>& shown)
{
    if (shown == m_shownHeadings)
        return;
    m_shownHeadings = shown;
    if (!m_headings.isEmpty())
        emit headerDataChanged(Qt::Horizontal, 0, int(m_headings.size()) - 1);
}

void ResultModel::alignRight(const QVector<int>& columns)
{
    for (int c : columns)
        m_right.insert(c);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::TextAlignmentRole});
}

void ResultModel::alignCentre(const QVector<int>& columns)
{
    for (int c : columns)
        m_centred.insert(c);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::TextAlignmentRole});
}

void ResultModel::setText(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= columnCount())
        return;
    QStringList& cells = m_rows[row];
    while (cells.size() <= column)
        cells << QString();
    if (cells[column] == text)
        return;
    cells[column] = text;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

void ResultModel::shadeRows(const QSet<int>& sourceRows, const QColor& colour)
{
    m_shaded = sourceRows;
    m_shade = colour;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

int ResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant ResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (m_centred.contains(index.column()))
            return int(Qt::AlignCenter);
        return int((m_right.contains(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return m_shaded.contains(sourceRow(index.row())) ? QVariant(m_shade) : QVariant();
    default:
        return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role == Qt::DisplayRole)
        return m_shownHeadings.value(section, m_headings.value(section));
    if (role == Qt::UserRole)
        return m_headings.value(section);
    return {};
}

Qt::ItemFlags ResultModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ResultModel::sort(int column, Qt::SortOrder order)
{
    const int first = m_fixedRows;
    const int end = int(m_rows.size()) - m_totalRows;
    const int n = end - first;
    if (!m_sortable || column < 0 || column >= columnCount() || n < 2)
        return;
    // The column compares as numbers or dates only when every text in it is one.
    bool numbers = true, dates = true;
    for (int r = first; r < end && (numbers || dates); ++r) {
        const QString& t = m_rows[r].value(column);
        if (t.isEmpty())
            continue;
        numbers = numbers && numberKey(t).has_value();
        dates = dates && dateKey(t).has_value();
    }
    QVector<int> shown(n);
    std::iota(shown.begin(), shown.end(), first);
    const bool descending = order == Qt::DescendingOrder;
    if (numbers || dates) {
        QVector<qint64> keys(m_rows.size(), std::numeric_limits<qint64>::min());
        for (int r = first; r < end; ++r) {
            const QString& t = m_rows[r].value(column);
            if (!t.isEmpty())
                keys[r] = *(numbers ? numberKey(t) : dateKey(t));
        }
        std::stable_sort(shown.begin(), shown.end(),
                         [&](int a, int b) { return descending ? keys[b] < keys[a] : keys[a] < keys[b]; });
    } else {
        QCollator thai(QLocale(QLocale::Thai, QLocale::Thailand));
        std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) {
            const int c = thai.compare(m_rows[a].value(column), m_rows[b].value(column));
            return descending ? c > 0 : c < 0;
        });
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QVector<int> newRowOf(m_rows.size());
    QVector<QStringList> sorted;
    sorted.reserve(m_rows.size());
    for (int r = 0; r < first; ++r) {
        newRowOf[r] = r;
        sorted.push_back(std::move(m_rows[r]));
    }
    for (int i = 0; i < n; ++i) {
        newRowOf[shown[i]] = first + i;
        sorted.push_back(std::move(m_rows[shown[i]]));
    }
    for (int r = end; r < m_rows.size(); ++r) {
        newRowOf[r] = r;
        sorted.push_back(std::move(m_rows[r]));
    }
    m_rows = std::move(sorted);
    QVector<int> origin(m_origin.size());
    for (int r = 0; r < m_origin.size(); ++r)
        origin[newRowOf[r]] = m_origin[r];
    m_origin = std::move(origin);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from)
        to << index(newRowOf[i.row()], i.column());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace wel
