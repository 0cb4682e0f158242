#pragma once
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <deque>
#include <functional>
#include <memory>

class QPainter;

namespace wel {

// The design of a printed document as a plain value: page setup, bands and
// the items on them. Positions and sizes are in millimetres; an item's
// rectangle is relative to the top-left corner of its band, whose left edge
// is the left page margin. See Report.h for how a layout is filled and shown.

enum class Orientation { Portrait, Landscape };

struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10}; // left, top, right, bottom
    // A4 only: every document of the office goes on A4.
    double widthMm() const { return orientation == Orientation::Portrait ? 210 : 297; }
    double heightMm() const { return orientation == Orientation::Portrait ? 297 : 210; }
    double bodyWidthMm() const { return widthMm() - marginsMm.left() - marginsMm.right(); }
};

// Documents print in the TLWG face "Laksaman" whatever the layout names
// ("AngsanaUPC", "Angsana New", "Cordia New" ... are not on our machines);
// see documentFamily().
struct ReportFont {
    QString family = QStringLiteral("Laksaman");
    double pointSize = 14;
    bool bold = false;
    bool underline = false;
    bool operator==(const ReportFont&) const = default;
};

enum class Align { Left, Centre, Right };

enum class ItemKind {
    Text,          // fixed caption (the one a screen may change by name)
    Field,         // one column of the current row, through the mask
    Expression,    // column texts joined: "[Emp_Surname][Emp_F_Name]  [Emp_L_Name]"
    Sum,           // a money column summed over the band's group or the report
    PageNumber,    // template: %1 the page, %2 the number of pages
    PrintDateTime, // template: %1 the date (Buddhist Era dd/mm/yyyy), %2 HH:MM:SS
    Frame,         // an empty framed rectangle
    Line,          // a rule from the rectangle's top-left to its bottom-right
    Drawing,       // a picture the layout's maker draws (a chart), as lines and text
};

// Draws into target, the item's rectangle in the painter's device units, as
// often as the document is painted (preview, printer, PDF); what it draws
// stays vector graphics on paper and in the PDF.
using ReportDrawing = std::function<void(QPainter& painter, const QRectF& target)>;

enum class SumScope { Group, Report };

// The smallest size a name is printed at before it wraps: below it a
// printed name is hard to read on the office's copies.
constexpr double kNameFloorPt = 10;

// One item of a band. Built with the factory functions and refined with the
// chained setters:  ReportItem::field("QRDBText5", {150, 0, 40, 7}, "P_money")
//                       .withMask("#,###.00").align(Align::Right)
struct ReportItem {
    ItemKind kind = ItemKind::Text;
    QString name;          // the layout's own name ("QRLabel3"); may be empty
    QRectF rectMm;         // in the band
    QString text;          // caption, expression or page/date template
    QString column;        // Field and Sum
    QString mask;          // "#,###.00", "%n"; empty prints the text as read
    SumScope scope = SumScope::Group;
    ReportFont font;
    Align alignment = Align::Left;
    bool wordWrap = false;
    bool framed = false;   // a frame around the item's rectangle
    double penMm = 0.2;    // frames and rules
    bool visible = true;
    // A one-line text wider than its item prints smaller, down to this share
    // of its size, rather than be cut (0: printed at its size whatever it holds).
    double shrinkToFit = 0;
    std::shared_ptr<const ReportDrawing> drawing; // ItemKind::Drawing
    // A text that must print whole (names, positions, faculties): wider than
    // its item it prints smaller down to this size in points, and beyond that
    // it wraps onto as many lines as it needs; its band grows to hold them and
    // what lies below moves down (0: not used).
    double fitFloorPt = 0;
    // Keeps its place when a text above it grows: a box beside the growing
    // rows rather than below them.
    bool staysPut = false;

    static ReportItem caption(const QString& name, QRectF rectMm, const QString& text);
    static ReportItem field(const QString& name, QRectF rectMm, const QString& column);
    static ReportItem expression(const QString& name, QRectF rectMm, const QString& expr);
    static ReportItem sum(const QString& name, QRectF rectMm, const QString& column,
                          SumScope scope = SumScope::Group);
    static ReportItem pageNumber(const QString& name, QRectF rectMm,
                                 const QString& templ = QStringLiteral("%1"));
    static ReportItem printDateTime(const QString& name, QRectF rectMm,
                                    const QString& templ = QStringLiteral("%1 %2"));
    static ReportItem frame(const QString& name, QRectF rectMm);
    // A rule from (x1, y1) to (x2, y2); a horizontal rule has y1 == y2.
    static ReportItem line(const QString& name, double x1, double y1, double x2, double y2);
    static ReportItem picture(const QString& name, QRectF rectMm, ReportDrawing draw);

    ReportItem& size(double points) { font.pointSize = points; return *this; }
    ReportItem& bold(bool on = true) { font.bold = on; return *this; }
    ReportItem& underline(bool on = true) { font.underline = on; return *this; }
    ReportItem& face(const QString& family) { font.family = family; return *this; }
    ReportItem& align(Align a) { alignment = a; return *this; }
    ReportItem& wrap(bool on = true) { wordWrap = on; return *this; }
    ReportItem& withMask(const QString& m) { mask = m; return *this; }
    ReportItem& withFrame(bool on = true) { framed = on; return *this; }
    ReportItem& pen(double mm) { penMm = mm; return *this; }
    ReportItem& shrinking(double leastShare = 0.7) { shrinkToFit = leastShare; return *this; }
    ReportItem& fitting(double floorPoints = kNameFloorPt) { fitFloorPt = floorPoints; return *this; }
    ReportItem& stayingPut(bool on = true) { staysPut = on; return *this; }
};

enum class BandKind {
    Title, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter
};

// A band of fixed height across the body width. A band of height 0 is absent.
struct Band {
    double heightMm = 0;
    bool framed = false;        // a frame around the whole band
    bool newPageBefore = false; // start on a fresh page (not for page header/footer)
    bool repeatOnNewPage = false; // group headers: again on each page their group goes on to
    // Group headers: the group's bands go to the next page together rather
    // than leave its lines on a page without their header (a group longer
    // than a page still breaks).
    bool keepTogether = false;
    QVector<ReportItem> items;

    Band& add(const ReportItem& item) { items.append(item); return *this; }
    bool present() const { return heightMm > 0; }
};

// A group breaks whenever its key, an expression over the row's columns such
// as "[Berg_Doc_ID]", changes from one row to the next (or an outer group breaks).
struct ReportGroup {
    QString key;
    Band header;
    Band footer;
};

struct ReportLayout {
    QString documentName; // window title, PDF title and suggested file name
    PageSetup page;
    Band title;          // once, on the first page below the page header
    Band pageHeader;     // top of every page
    Band columnHeader;   // below the page header (and the title) on every page
    std::deque<ReportGroup> groups; // outermost first; deque keeps references valid
    Band detail;         // once per row
    Band summary;        // once after the last row
    Band pageFooter;     // bottom of every page

    ReportGroup& addGroup(const QString& keyExpression);

    // Screens change the layout by item name before showing the document.
    // Both throw AppError when no item has that name: a mistyped name would
    // otherwise leave the old text on paper without anyone noticing.
    void setCaption(const QString& itemName, const QString& text);
    void setVisible(const QString& itemName, bool visible);
    ReportItem* item(const QString& itemName); // nullptr when absent

    // Bands in printing order with their kind, for walking the whole layout.
    QVector<std::pair<BandKind, const Band*>> allBands() const;
};

// The line that lets a loose page of a document be matched to it: what the
// document is (the identity item, e.g. "ใบเบิกเลขที่ [Berg_Doc_ID]") at the
// left and "หน้า n / m" (named pageNumberName) at the right, added below
// what the page header already holds. Every page opens with it.
void addPageHeading(ReportLayout& layout, ReportItem identity, const QString& pageNumberName, double points);

} // namespace wel
