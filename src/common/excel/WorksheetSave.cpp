// Worksheet::save: the in-memory sheet written through libxlsxwriter.
#include "common/excel/Worksheet.h"

#include "common/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <xlsxwriter.h>

#include <map>
#include <tuple>

namespace wel::excel {

namespace {

constexpr double kDefaultFontSize = 11.0;
constexpr double kPointsPerInch = 72.0;

lxw_color_t toLxw(ExcelColor c)
{
    const lxw_color_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    // 0 means "no colour" to the library; black has its own value.
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : rgb;
}

uint8_t toLxw(Line line)
{
    switch (line) {
    case Line::Thin: return LXW_BORDER_THIN;
    case Line::Double: return LXW_BORDER_DOUBLE;
    case Line::None: break;
    }
    return LXW_BORDER_NONE;
}

uint8_t toLxw(HAlign a)
{
    switch (a) {
    case HAlign::Left: return LXW_ALIGN_LEFT;
    case HAlign::Centre: return LXW_ALIGN_CENTER;
    case HAlign::Right: return LXW_ALIGN_RIGHT;
    case HAlign::CentreAcross: return LXW_ALIGN_CENTER_ACROSS;
    case HAlign::General: break;
    }
    return LXW_ALIGN_NONE;
}

// Everything a cell format is made of, compared field by field: a format is
// looked up for every cell written.
using StyleKey = std::tuple<double, qint64, bool, qint64, int, int, int, int, int, int, QString>;

StyleKey styleKey(const CellStyle& s)
{
    return {s.fontSize, s.fontColor ? qint64(*s.fontColor) : -1, s.bold, s.fill ? qint64(*s.fill) : -1,
            int(s.hAlign), int(s.vAlign), int(s.left), int(s.top), int(s.bottom), int(s.right), s.numberFormat};
}

// Cell formats shared by every cell with the same look.
class Formats {
public:
    explicit Formats(lxw_workbook* wb) : m_wb(wb) {}

    lxw_format* of(const CellStyle& s)
    {
        if (s.isDefault())
            return nullptr;
        const StyleKey key = styleKey(s);
        auto it = m_formats.find(key);
        if (it != m_formats.end())
            return it->second;
        lxw_format* f = workbook_add_format(m_wb);
        if (s.fontSize > 0)
            format_set_font_size(f, s.fontSize);
        if (s.fontColor)
            format_set_font_color(f, toLxw(*s.fontColor));
        if (s.bold)
            format_set_bold(f);
        if (s.fill) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, toLxw(*s.fill));
        }
        if (s.hAlign != HAlign::General)
            format_set_align(f, toLxw(s.hAlign));
        if (s.vAlign == VAlign::Centre)
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        else if (s.vAlign == VAlign::Top)
            format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        if (!s.numberFormat.isEmpty())
            format_set_num_format(f, s.numberFormat.toUtf8().constData());
        format_set_left(f, toLxw(s.left));
        format_set_top(f, toLxw(s.top));
        format_set_bottom(f, toLxw(s.bottom));
        format_set_right(f, toLxw(s.right));
        m_formats.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* m_wb;
    std::map<StyleKey, lxw_format*> m_formats;
};

QByteArray headerFooter(const QString& left, const QString& center, const QString& right)
{
    QString text;
    if (!left.isEmpty())
        text += QStringLiteral("&L") + left;
    if (!center.isEmpty())
        text += QStringLiteral("&C") + center;
    if (!right.isEmpty())
        text += QStringLiteral("&R") + right;
    return text.toUtf8();
}

double inches(double points, double fallbackInches)
{
    return points < 0 ? fallbackInches : points / kPointsPerInch;
}

[[noreturn]] void failed(const QString& path, const QString& why)
{
    throw AppError(QStringLiteral("ไม่สามารถบันทึกแฟ้ม Excel ได้ : %1\r%2").arg(path, why));
}

void check(lxw_error err, const QString& path)
{
    if (err != LXW_NO_ERROR)
        failed(path, QString::fromUtf8(lxw_strerror(err)));
}

} // namespace

void Worksheet::save(const QString& path) const
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        failed(path, QStringLiteral("สร้างโฟลเดอร์ไม่ได้"));
    const QByteArray nativePath = QFile::encodeName(info.absoluteFilePath());
    lxw_workbook* wb = workbook_new(nativePath.constData());
    if (!wb)
        failed(path, QStringLiteral("เปิดแฟ้มเพื่อเขียนไม่ได้"));
    // From here on the workbook must be closed (and freed) on every path.
    lxw_error firstError = LXW_NO_ERROR;
    auto note = [&](lxw_error e) {
        if (firstError == LXW_NO_ERROR)
            firstError = e;
    };

    lxw_worksheet* ws = workbook_add_worksheet(wb, m_name.toUtf8().constData());
    if (!ws) {
        workbook_close(wb);
        QFile::remove(path);
        failed(path, QStringLiteral("ชื่อแผ่นงานใช้ไม่ได้: %1").arg(m_name));
    }
    Formats formats(wb);

    for (const auto& [column, width] : m_widths)
        note(worksheet_set_column(ws, column - 1, column - 1, width, nullptr));

    // Rows: the row's own look for cells never written, and a height that
    // fits the largest font, since the file keeps no automatic row heights.
    std::map<int, double> largestFont;
    for (const auto& [row, style] : m_rowStyles)
        largestFont[row] = qMax(largestFont[row], style.fontSize);
    forEachStored([&](int row, int, const Cell& cell) { largestFont[row] = qMax(largestFont[row], cell.style.fontSize); });
    for (const auto& [row, font] : largestFont) {
        auto rs = m_rowStyles.find(row);
        lxw_format* rowFormat = rs == m_rowStyles.end() ? nullptr : formats.of(rs->second);
        const double height = font > kDefaultFontSize ? font * 1.4 + 2 : LXW_DEF_ROW_HEIGHT;
        if (rowFormat || height != LXW_DEF_ROW_HEIGHT)
            note(worksheet_set_row(ws, row - 1, height, rowFormat));
    }

    for (const CellRange& m : m_merges) {
        const CellStyle first = style(m.top, m.left);
        note(worksheet_merge_range(ws, m.top - 1, m.left - 1, m.bottom - 1, m.right - 1, "",
                                   formats.of(first)));
    }

    // Every cell after the merges, so each cell of a merged block keeps its
    // own borders and the top-left one its value.
    forEachStored([&](int row, int column, const Cell& cell) {
        const lxw_row_t r = lxw_row_t(row - 1);
        const lxw_col_t c = lxw_col_t(column - 1);
        lxw_format* f = formats.of(cell.style);
        switch (cell.value.kind) {
        case TypedValue::Number:
            note(worksheet_write_number(ws, r, c, cell.value.number, f));
            break;
        case TypedValue::Text:
            note(worksheet_write_string(ws, r, c, cell.value.text.left(32767).toUtf8().constData(), f));
            break;
        case TypedValue::Empty:
            if (f)
                note(worksheet_write_blank(ws, r, c, f));
            break;
        }
    });

    const PageSetup& p = m_page;
    if (p.orientation == Orientation::Landscape)
        worksheet_set_landscape(ws);
    else
        worksheet_set_portrait(ws);
    if (p.paperSize > 0)
        worksheet_set_paper(ws, uint8_t(p.paperSize));
    worksheet_set_margins(ws, inches(p.leftMargin, 0.7), inches(p.rightMargin, 0.7),
                          inches(p.topMargin, 0.75), inches(p.bottomMargin, 0.75));
    lxw_header_footer_options headerOptions = {};
    headerOptions.margin = inches(p.headerMargin, 0.3);
    lxw_header_footer_options footerOptions = {};
    footerOptions.margin = inches(p.footerMargin, 0.3);
    const QByteArray header = headerFooter(p.leftHeader, p.centerHeader, p.rightHeader);
    const QByteArray footer = headerFooter(p.leftFooter, p.centerFooter, p.rightFooter);
    if (!header.isEmpty())
        note(worksheet_set_header_opt(ws, header.constData(), &headerOptions));
    if (!footer.isEmpty())
        note(worksheet_set_footer_opt(ws, footer.constData(), &footerOptions));
    if (p.firstPageNumber > 0)
        worksheet_set_start_page(ws, uint16_t(p.firstPageNumber));
    if (p.overThenDown)
        worksheet_print_across(ws);
    if (p.fitPagesWide > 0)
        worksheet_fit_to_pages(ws, uint16_t(p.fitPagesWide), 0);
    if (p.firstTitleRow > 0)
        note(worksheet_repeat_rows(ws, p.firstTitleRow - 1, qMax(p.firstTitleRow, p.lastTitleRow) - 1));

    const lxw_error closed = workbook_close(wb);
    if (firstError != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        QFile::remove(path);
        check(firstError != LXW_NO_ERROR ? firstError : closed, path);
    }
}

} // namespace wel::excel
