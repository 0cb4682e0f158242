// .xlsx and .ods through orcus's spreadsheet model.
#include "common/excel/ReadCells.h"

#include "common/excel/ZipPackage.h"

#include <QDate>
#include <QSet>
#include <QXmlStreamReader>
#include <cmath>

#include <ixion/cell_access.hpp>
#include <ixion/model_context.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/sheet.hpp>
#include <orcus/spreadsheet/styles.hpp>

namespace wel::excel::detail {

namespace {

namespace ss = orcus::spreadsheet;

// Built-in format ids of the file format that show a date.
bool builtinDateFormat(size_t id)
{
    return (id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

// A format code shows a date when it has day, month-with-day or year
// letters outside quotes and brackets.
bool dateFormatCode(std::string_view code)
{
    bool quoted = false, bracket = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char ch = code[i];
        if (ch == '\\') { ++i; continue; }
        if (ch == '"') quoted = !quoted;
        else if (!quoted && ch == '[') bracket = true;
        else if (!quoted && ch == ']') bracket = false;
        else if (!quoted && !bracket && (ch == 'd' || ch == 'D' || ch == 'y' || ch == 'Y'))
            return true;
    }
    return false;
}

class DateFormats {
public:
    DateFormats(const ss::document& doc) : m_styles(doc.get_styles()) {}

    bool isDate(const ss::sheet& sheet, ss::row_t row, ss::col_t col) const
    {
        const ss::cell_format_t* xf = m_styles.get_cell_format(sheet.get_cell_format(row, col));
        if (!xf)
            return false;
        // The cell format holds the file's number-format id, not a position
        // in the list of formats.
        const size_t id = xf->number_format;
        if (builtinDateFormat(id))
            return true;
        for (size_t i = 0; i < m_styles.get_number_format_count(); ++i) {
            const ss::number_format_t* nf = m_styles.get_number_format(i);
            if (nf && nf->identifier == id)
                return dateFormatCode(nf->format_string);
        }
        return false;
    }

private:
    const ss::styles& m_styles;
};

// orcus keeps no number formats of an .ods, so its date cells would read
// as day numbers; the cells the file marks as dates are found here instead.
// Positions are 0-based (row, column) of the first table. The scan also
// measures the cells that hold a value, before orcus spreads a repeated cell
// over a million rows: it throws SheetTooLarge for a table beyond the limits.
QSet<std::pair<int, int>> odsDateCells(const QByteArray& contentXml)
{
    QSet<std::pair<int, int>> dates;
    QXmlStreamReader x(contentXml);
    int tableDepth = 0, row = 0, col = 0, rowRepeat = 1;
    qint64 filled = 0;
    auto repeat = [&](QLatin1String name) {
        const int n = x.attributes().value(name).toInt();
        return n > 0 ? n : 1;
    };
    while (!x.atEnd()) {
        x.readNext();
        const auto name = x.name();
        // Only the first table counts, and not a table inside one of its cells.
        if (x.isStartElement() && name == u"table") {
            ++tableDepth;
        } else if (x.isEndElement() && name == u"table") {
            if (--tableDepth == 0)
                break;
        } else if (tableDepth != 1) {
            continue;
        } else if (x.isStartElement() && name == u"table-row") {
            rowRepeat = repeat(QLatin1String("table:number-rows-repeated"));
            col = 0;
        } else if (x.isEndElement() && name == u"table-row") {
            row += rowRepeat;
        } else if (x.isStartElement() && (name == u"table-cell" || name == u"covered-table-cell")) {
            const int colRepeat = repeat(QLatin1String("table:number-columns-repeated"));
            const auto type = x.attributes().value(QLatin1String("office:value-type"));
            if (!type.isEmpty()) {
                filled += qint64(rowRepeat) * colRepeat;
                checkSheetBounds(row + rowRepeat, col + colRepeat, filled);
            }
            if (type == u"date" && qint64(rowRepeat) * colRepeat <= 10000)
                for (int r = 0; r < rowRepeat; ++r)
                    for (int c = 0; c < colRepeat; ++c)
                        dates.insert({row + r, col + c});
            col += colRepeat;
        }
    }
    return dates;
}

// Cells that hold a value, text, truth value or a formula's kept result.
const ixion::values_t kFilled(ixion::value_numeric | ixion::value_string | ixion::value_boolean);

// Calls read(row) for the cells of column c between first and last that
// hold something. ixion counts a block of cells without visiting its empty
// ones, so halving the rows finds the filled cells and a stray cell far down
// costs no more than a near one.
template <typename Read>
void readFilled(const ixion::model_context& cxt, ixion::col_t c, ixion::row_t first, ixion::row_t last, Read&& read)
{
    const ixion::row_t size = last - first + 1;
    double filled = -1;
    if (size > 32) {
        try {
            filled = cxt.count_range(ixion::abs_range_t(0, first, c, size, 1), kFilled);
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception&) {
            filled = -1; // a formula without a kept result: look closer
        }
    }
    if (filled == 0)
        return;
    if (size <= 32 || filled == size) {
        for (ixion::row_t r = first; r <= last; ++r)
            read(r);
        return;
    }
    const ixion::row_t middle = first + size / 2;
    readFilled(cxt, c, first, middle - 1, read);
    readFilled(cxt, c, middle, last, read);
}

} // namespace

std::optional<SheetData> readPackageFirstSheet(const QByteArray& bytes, bool ods)
{
    try {
        ss::document doc(ss::range_size_t{1048576, 16384});
        ss::import_factory factory(doc);
        const QByteArray package = ods ? bytes : readableByOrcus(bytes);
        const std::string_view stream(package.constData(), size_t(package.size()));
        // Measured before orcus spreads the repeated cells.
        const QSet<std::pair<int, int>> odsDates =
            ods ? odsDateCells(ZipPackage(bytes).entry(QStringLiteral("content.xml"))) : QSet<std::pair<int, int>>();
        if (ods) {
            orcus::orcus_ods filter(&factory);
            filter.read_stream(stream);
        } else {
            orcus::orcus_xlsx filter(&factory);
            filter.read_stream(stream);
        }
        if (doc.get_sheet_count() == 0)
            return std::nullopt;
        const ss::sheet* sheet = doc.get_sheet(0);
        if (!sheet)
            return std::nullopt;

        SheetData data;
        const std::string_view name = doc.get_sheet_name(0);
        data.name = QString::fromUtf8(name.data(), qsizetype(name.size()));

        const ixion::abs_range_t range = sheet->get_data_range();
        if (!range.valid()) {
            if (!ods)
                addInlineStrings(package, data);
            return data;
        }
        const ixion::model_context& cxt = doc.get_model_context();
        double cells = -1;
        try {
            cells = cxt.count_range(range, kFilled);
        } catch (const std::exception&) {
        }
        checkSheetBounds(range.last.row + 1, range.last.column + 1, qint64(cells));
        const DateFormats dates(doc);
        for (ixion::col_t c = range.first.column; c <= range.last.column; ++c) {
            readFilled(cxt, c, range.first.row, range.last.row, [&](ixion::row_t r) {
                QString text;
                // A formula without a kept result cannot be read; it stays empty.
                try {
                    const ixion::cell_access cell = cxt.get_cell_access(ixion::abs_address_t(0, r, c));
                    switch (cell.get_value_type()) {
                    case ixion::cell_value_t::string: {
                        const std::string_view s = cell.get_string_value();
                        text = QString::fromUtf8(s.data(), qsizetype(s.size()));
                        break;
                    }
                    case ixion::cell_value_t::numeric:
                        if (ods ? odsDates.contains({int(r), int(c)}) : dates.isDate(*sheet, r, c)) {
                            const orcus::date_time_t dt = sheet->get_date_time(r, c);
                            text = dateText(QDate(dt.year, dt.month, dt.day));
                        } else {
                            text = numberText(cell.get_numeric_value());
                        }
                        break;
                    case ixion::cell_value_t::boolean:
                        text = cell.get_boolean_value() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                        break;
                    default:
                        break;
                    }
                } catch (const std::bad_alloc&) {
                    throw;
                } catch (const std::exception&) {
                    text.clear();
                }
                data.set(r + 1, c + 1, text);
            });
        }
        if (!ods)
            addInlineStrings(package, data);
        return data;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    // Fifteen significant digits, written out in full.
    const int magnitude = value == 0 ? 0 : int(std::floor(std::log10(std::fabs(value))));
    const int decimals = qBound(0, 14 - magnitude, 30);
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

QString dateText(const QDate& date)
{
    if (!date.isValid())
        return {};
    const int year = date.year() > 2400 ? date.year() : date.year() + 543;
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(year);
}

} // namespace wel::excel::detail
