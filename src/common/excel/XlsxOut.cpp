#include "common/excel/XlsxOut.h"

#include "common/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <xlsxwriter.h>

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

} // namespace

double rowHeightFor(double largestFont)
{
    return largestFont > kDefaultFontSize ? largestFont * 1.4 + 2 : LXW_DEF_ROW_HEIGHT;
}

XlsxOut::XlsxOut(const QString& path, const QString& sheetName, bool rowByRow) : m_path(path)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        failed(QStringLiteral("สร้างโฟลเดอร์ไม่ได้"));
    const QByteArray nativePath = QFile::encodeName(info.absoluteFilePath());
    lxw_workbook_options options = {};
    options.constant_memory = rowByRow ? LXW_TRUE : LXW_FALSE;
    m_wb = workbook_new_opt(nativePath.constData(), &options);
    if (!m_wb)
        failed(QStringLiteral("เปิดแฟ้มเพื่อเขียนไม่ได้"));
    m_ws = workbook_add_worksheet(m_wb, sheetName.toUtf8().constData());
    if (!m_ws)
        failed(QStringLiteral("ชื่อแผ่นงานใช้ไม่ได้: %1").arg(sheetName));
}

XlsxOut::~XlsxOut()
{
    if (m_wb) {
        workbook_close(m_wb);
        QFile::remove(m_path);
    }
}

void XlsxOut::failed(const QString& why)
{
    if (m_wb) {
        workbook_close(m_wb);
        m_wb = nullptr;
        QFile::remove(m_path);
    }
    throw AppError(QStringLiteral("ไม่สามารถบันทึกแฟ้ม Excel ได้ : %1\r%2").arg(m_path, why));
}

void XlsxOut::note(int error)
{
    if (m_firstError == LXW_NO_ERROR)
        m_firstError = error;
}

lxw_format* XlsxOut::format(const CellStyle& s)
{
    if (s.isDefault())
        return nullptr;
    const StyleKey key{s.fontSize, s.fontColor ? qint64(*s.fontColor) : -1, s.bold, s.fill ? qint64(*s.fill) : -1,
                       int(s.hAlign), int(s.vAlign), int(s.left), int(s.top), int(s.bottom), int(s.right), s.numberFormat};
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

void XlsxOut::startRow(int row, const CellStyle* rowStyle, double largestFont)
{
    lxw_format* rowFormat = rowStyle ? format(*rowStyle) : nullptr;
    const double height = rowHeightFor(largestFont);
    if (rowFormat || height != LXW_DEF_ROW_HEIGHT)
        note(worksheet_set_row(m_ws, lxw_row_t(row - 1), height, rowFormat));
}

void XlsxOut::merge(const CellRange& m, const CellStyle& firstCell)
{
    note(worksheet_merge_range(m_ws, lxw_row_t(m.top - 1), lxw_col_t(m.left - 1), lxw_row_t(m.bottom - 1),
                               lxw_col_t(m.right - 1), "", format(firstCell)));
}

void XlsxOut::cell(int row, int column, const TypedValue& value, lxw_format* f)
{
    const lxw_row_t r = lxw_row_t(row - 1);
    const lxw_col_t c = lxw_col_t(column - 1);
    switch (value.kind) {
    case TypedValue::Number:
        note(worksheet_write_number(m_ws, r, c, value.number, f));
        break;
    case TypedValue::Text:
        note(worksheet_write_string(m_ws, r, c, value.text.left(32767).toUtf8().constData(), f));
        break;
    case TypedValue::Empty:
        if (f)
            note(worksheet_write_blank(m_ws, r, c, f));
        break;
    }
}

void XlsxOut::columnWidth(int column, double width)
{
    note(worksheet_set_column(m_ws, lxw_col_t(column - 1), lxw_col_t(column - 1), width, nullptr));
}

void XlsxOut::close(const PageSetup& p)
{
    if (p.orientation == Orientation::Landscape)
        worksheet_set_landscape(m_ws);
    else
        worksheet_set_portrait(m_ws);
    if (p.paperSize > 0)
        worksheet_set_paper(m_ws, uint8_t(p.paperSize));
    worksheet_set_margins(m_ws, inches(p.leftMargin, 0.7), inches(p.rightMargin, 0.7), inches(p.topMargin, 0.75),
                          inches(p.bottomMargin, 0.75));
    lxw_header_footer_options headerOptions = {};
    headerOptions.margin = inches(p.headerMargin, 0.3);
    lxw_header_footer_options footerOptions = {};
    footerOptions.margin = inches(p.footerMargin, 0.3);
    const QByteArray header = headerFooter(p.leftHeader, p.centerHeader, p.rightHeader);
    const QByteArray footer = headerFooter(p.leftFooter, p.centerFooter, p.rightFooter);
    if (!header.isEmpty())
        note(worksheet_set_header_opt(m_ws, header.constData(), &headerOptions));
    if (!footer.isEmpty())
        note(worksheet_set_footer_opt(m_ws, footer.constData(), &footerOptions));
    if (p.firstPageNumber > 0)
        worksheet_set_start_page(m_ws, uint16_t(p.firstPageNumber));
    if (p.overThenDown)
        worksheet_print_across(m_ws);
    if (p.fitPagesWide > 0)
        worksheet_fit_to_pages(m_ws, uint16_t(p.fitPagesWide), 0);
    if (p.firstTitleRow > 0)
        note(worksheet_repeat_rows(m_ws, lxw_row_t(p.firstTitleRow - 1), lxw_row_t(qMax(p.firstTitleRow, p.lastTitleRow) - 1)));

    const lxw_error closed = workbook_close(m_wb);
    m_wb = nullptr;
    const int error = m_firstError != LXW_NO_ERROR ? m_firstError : closed;
    if (error != LXW_NO_ERROR) {
        QFile::remove(m_path);
        throw AppError(QStringLiteral("ไม่สามารถบันทึกแฟ้ม Excel ได้ : %1\r%2")
                           .arg(m_path, QString::fromUtf8(lxw_strerror(lxw_error(error)))));
    }
}

} // namespace wel::excel
