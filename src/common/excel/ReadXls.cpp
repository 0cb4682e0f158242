// Legacy .xls through freexl, which leaves formula cells empty.
#include "common/excel/ReadCells.h"

#include <QDate>
#include <QFile>
#include <freexl.h>

namespace wel::excel::detail {

namespace {

class XlsHandle {
public:
    explicit XlsHandle(const QString& path)
    {
        m_ok = freexl_open(QFile::encodeName(path).constData(), &m_handle) == FREEXL_OK;
    }
    ~XlsHandle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    XlsHandle(const XlsHandle&) = delete;
    XlsHandle& operator=(const XlsHandle&) = delete;

    bool ok() const { return m_ok; }
    const void* get() const { return m_handle; }

private:
    const void* m_handle = nullptr;
    bool m_ok = false;
};

// "2008-01-15" and "2008-01-15 10:30:00" as freexl gives dates.
QString isoDateText(const char* iso)
{
    const QString s = QString::fromLatin1(iso);
    const QString date = dateText(QDate::fromString(s.left(10), Qt::ISODate));
    return s.size() > 10 ? date + s.mid(10) : date;
}

} // namespace

std::optional<SheetData> readXlsFirstSheet(const QString& path)
{
    XlsHandle xls(path);
    if (!xls.ok())
        return std::nullopt;
    unsigned int sheets = 0;
    if (freexl_get_info(xls.get(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
        return std::nullopt;
    if (freexl_select_active_worksheet(xls.get(), 0) != FREEXL_OK)
        return std::nullopt;

    SheetData data;
    const char* name = nullptr;
    if (freexl_get_worksheet_name(xls.get(), 0, &name) == FREEXL_OK && name)
        data.name = QString::fromUtf8(name);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xls.get(), &rows, &columns) != FREEXL_OK)
        return std::nullopt;
    qint64 filled = 0;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(xls.get(), r, c, &v) != FREEXL_OK)
                return std::nullopt;
            QString text;
            switch (v.type) {
            case FREEXL_CELL_INT:
                text = QString::number(v.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                text = numberText(v.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                text = QString::fromUtf8(v.value.text_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                text = isoDateText(v.value.text_value);
                break;
            default:
                break;
            }
            if (!text.isEmpty()) {
                data.set(int(r) + 1, int(c) + 1, text);
                checkSheetBounds(int(r) + 1, int(c) + 1, ++filled);
            }
        }
    }
    return data;
}

} // namespace wel::excel::detail
