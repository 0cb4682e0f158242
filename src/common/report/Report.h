#pragma once
#include "ReportLayout.h"
#include "common/db/Rows.h"

#include <QDateTime>

class QPagedPaintDevice;
class QPrinter;

namespace wel {

// The banded report engine: a ReportLayout (ReportLayout.h) bound to one query
// result is laid out into pages of placed items, which are then painted at
// their exact millimetre positions on a printer, a PDF file or the preview
// (widgets/ReportPreview.h).
//
// A screen's document, in short:
//
//     ReportLayout l;
//     l.documentName = QStringLiteral("สรุปใบเบิก");
//     l.pageHeader.heightMm = 8;
//     l.pageHeader.add(ReportItem::pageNumber({}, {150, 0, 40, 7}, QStringLiteral("หน้า  %1"))
//                          .align(Align::Right));
//     l.title.heightMm = 20;
//     l.title.add(ReportItem::caption(QStringLiteral("QRLabel3"), {0, 0, 190, 9}, {})
//                     .size(20).align(Align::Centre));
//     ReportGroup& g = l.addGroup(QStringLiteral("[Berg_Doc_ID]"));
//     g.header.heightMm = 7;
//     g.header.add(ReportItem::field({}, {0, 0, 40, 7}, QStringLiteral("Berg_Doc_ID")));
//     l.detail.heightMm = 7;
//     l.detail.add(ReportItem::expression({}, {10, 0, 100, 7},
//                      QStringLiteral("[EF_Surname][EF_F_Name]  [EF_L_Name]")));
//     l.detail.add(ReportItem::field({}, {150, 0, 40, 7}, QStringLiteral("HM_Can_Berg"))
//                      .withMask(QStringLiteral("#,###.00")).align(Align::Right));
//     l.summary.heightMm = 8;
//     l.summary.add(ReportItem::sum({}, {150, 0, 40, 7}, QStringLiteral("HM_Can_Berg"),
//                                   SumScope::Report).withMask(QStringLiteral("#,###.00"))
//                       .align(Align::Right).bold());
//
//     l.setCaption(QStringLiteral("QRLabel3"), title);   // captions by item name
//     Report report(l, rows);                              // rows: wel::Rows of the query
//     previewReport(report, this);                         // modal; print or save PDF there
//     report.writePdf(path);                               // or straight to a file
//
// Layout rules: the page header opens every page, the title follows it on the
// first page, the column header follows on every page; group headers print
// when their key changes, outermost first, footers innermost first, then the
// summary and, at the bottom of every page, the page footer. A band that does
// not fit above the page footer goes to the next page (a group header takes its
// first detail band with it; a header marked repeatOnNewPage prints again on
// each page its group goes on to). At least one page is printed, even with no rows.
// Fields outside the detail band read the row in hand when the band prints
// (the first row before any detail, the last one after).
//
// Masks: "%n" and numeric masks such as "#,###.00" or "#,##0" print the value
// as an exact amount (wel::Money) with that many decimals, thousands separators
// when the mask has a comma, and always at least one integer digit ("0.00").
// A NULL value prints empty; a text that is not a number prints as it is.

struct PlacedItem {
    enum class Shape { Text, Rect, Line, Drawing };
    Shape shape = Shape::Text;
    BandKind band = BandKind::Detail;
    QString name;      // the layout item's name, empty for band frames
    QString text;      // final text, after fields, masks and page numbers
    QRectF rectMm;     // on the page, from the paper's top-left corner
    ReportFont font;   // family already mapped to the document face
    Align alignment = Align::Left;
    bool wordWrap = false;
    bool framed = false;
    double penMm = 0.2;
    std::shared_ptr<const ReportDrawing> drawing; // Shape::Drawing
    // A text that wrapped: its lines from the top, each lineMm high. Empty
    // for a text printed on one line.
    QStringList lines;
    double lineMm = 0;
    double linesTopMm = 0; // the first line sits where the one-line text would
};

struct PlacedBand {
    BandKind kind = BandKind::Detail;
    int group = -1;    // index into ReportLayout::groups for group bands
    int row = -1;      // the data row the band printed for, -1 without data
    QRectF rectMm;
};

struct ReportPage {
    QVector<PlacedBand> bands;
    QVector<PlacedItem> items;
    QStringList texts() const; // the texts of the page in printing order
};

class Report {
public:
    // Lays the document out at once; throws AppError when the layout names a
    // column the query lacks, has an unknown mask, or a band taller than a page.
    // printedAt feeds the print-date items: the system's clock
    // (Database::serverNow), never the workstation's.
    Report(const ReportLayout& layout, const Rows& rows, const QDateTime& printedAt);

    const QString& documentName() const { return m_documentName; }
    const PageSetup& pageSetup() const { return m_page; }
    const QVector<ReportPage>& pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }

    // Paints every page; the device's page layout is set to this report's.
    void paint(QPagedPaintDevice* device) const;
    // Prints on a printer (or the preview's), keeping to its chosen page range.
    void print(QPrinter* printer) const;
    // Writes a PDF without any window. Throws AppError when the file cannot be
    // written whole (no permission, disk full); a file that was there stays.
    void writePdf(const QString& path) const;

private:
    QString m_documentName;
    PageSetup m_page;
    QVector<ReportPage> m_pages;
};

// The face a layout's font family is printed in (Laksaman for Windows faces).
QString documentFamily(const QString& family);
// How wide a text prints in a report font, in millimetres, so that layouts
// can place a field after its caption and tests can find a text that would
// be cut at its item's sides.
double printedWidthMm(const QString& text, const ReportFont& font);
// The distance from one printed line to the next in a report font, in millimetres.
double printedLineMm(const ReportFont& font);
// The text broken into lines no wider than widthMm: at spaces and Thai word
// boundaries where it can, anywhere where a word alone is wider.
QStringList wrapToWidth(const QString& text, const ReportFont& font, double widthMm);
// A value through a display mask (see above); throws AppError for a mask it does not know.
QString applyMask(const QVariant& value, const QString& mask);
QString applyMask(const Money& amount, const QString& mask);

} // namespace wel
