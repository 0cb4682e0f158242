#include "Report.h"
#include "common/AppError.h"
#include "common/ThaiDate.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace wel {

namespace {

constexpr double kEpsilonMm = 1e-6;

QString bandName(BandKind kind)
{
    switch (kind) {
    case BandKind::Title: return QStringLiteral("Title");
    case BandKind::PageHeader: return QStringLiteral("PageHeader");
    case BandKind::ColumnHeader: return QStringLiteral("ColumnHeader");
    case BandKind::GroupHeader: return QStringLiteral("GroupHeader");
    case BandKind::Detail: return QStringLiteral("Detail");
    case BandKind::GroupFooter: return QStringLiteral("GroupFooter");
    case BandKind::Summary: return QStringLiteral("Summary");
    case BandKind::PageFooter: return QStringLiteral("PageFooter");
    }
    return {};
}

// "[Emp_F_Name]  [Emp_L_Name]": bracketed identifiers are columns, the rest is literal.
const QRegularExpression& columnRef()
{
    static const QRegularExpression re(QStringLiteral("\\[([A-Za-z_][A-Za-z0-9_]*)\\]"));
    return re;
}

QStringList expressionColumns(const QString& expr)
{
    QStringList cols;
    for (const auto& m : columnRef().globalMatch(expr))
        cols << m.captured(1);
    return cols;
}

QString evaluate(const QString& expr, const Rows& rows, int row)
{
    QString out;
    qsizetype from = 0;
    for (const auto& m : columnRef().globalMatch(expr)) {
        out += expr.mid(from, m.capturedStart() - from);
        if (row >= 0)
            out += rows.text(row, m.captured(1));
        from = m.capturedEnd();
    }
    return out + expr.mid(from);
}

class Engine {
public:
    Engine(const ReportLayout& layout, const Rows& rows, const QDateTime& printedAt)
        : L(layout), R(rows), m_printedAt(printedAt),
          m_top(layout.page.marginsMm.top()),
          m_pageBottom(layout.page.heightMm() - layout.page.marginsMm.bottom()),
          m_bodyBottom(m_pageBottom - layout.pageFooter.heightMm)
    {
    }

    QVector<ReportPage> run()
    {
        validate();
        computeBreaks();
        const int n = R.count();
        const int levels = int(L.groups.size());
        m_rowInHand = n > 0 ? 0 : -1;
        startPage(true);
        for (int r = 0; r < n; ++r) {
            m_rowInHand = r;
            placeGroupHeaders(r);
            if (L.detail.present())
                placeWithRoom(BandKind::Detail, L.detail, levels - 1, r);
            const int closing = r + 1 < n ? m_break[r + 1] : 0;
            for (int g = levels - 1; g >= closing; --g) {
                const Band& footer = L.groups[g].footer;
                if (!footer.present())
                    continue;
                m_open = g + 1; // inner groups are closed; this one goes on to its footer
                placeWithRoom(BandKind::GroupFooter, footer, g, r);
            }
            m_open = closing;
        }
        if (L.summary.present())
            placeWithRoom(BandKind::Summary, L.summary, -1, m_rowInHand);
        finishPage();
        fillPageNumbers();
        return m_pages;
    }

private:
    void validate() const
    {
        // A Rows() with no columns at all stands for "no query": every field prints empty.
        const bool checkColumns = !R.columns().isEmpty();
        auto require = [&](const QString& column) {
            if (checkColumns && R.columnIndex(column) < 0)
                throw AppError(QStringLiteral("ไม่พบคอลัมน์ %1 ในผลลัพธ์ของแบบฟอร์ม %2")
                                   .arg(column, L.documentName));
        };
        for (const ReportGroup& g : L.groups)
            for (const QString& c : expressionColumns(g.key))
                require(c);
        for (const auto& [kind, band] : L.allBands()) {
            for (const ReportItem& it : band->items) {
                if (it.kind == ItemKind::Field || it.kind == ItemKind::Sum)
                    require(it.column);
                if (it.kind == ItemKind::Expression)
                    for (const QString& c : expressionColumns(it.text))
                        require(c);
                if (!it.mask.isEmpty())
                    applyMask(Money(), it.mask); // throws for a mask we cannot print
            }
        }
    }

    // m_break[r]: the outermost group level whose key changes at row r
    // (0 for the first row, the number of levels when none changes).
    void computeBreaks()
    {
        const int levels = int(L.groups.size());
        QVector<QStringList> keys(R.count());
        for (int r = 0; r < R.count(); ++r)
            for (const ReportGroup& g : L.groups)
                keys[r] << evaluate(g.key, R, r);
        m_break.resize(R.count());
        for (int r = 0; r < R.count(); ++r) {
            int b = r == 0 ? 0 : levels;
            for (int g = 0; r > 0 && g < levels; ++g)
                if (keys[r][g] != keys[r - 1][g]) {
                    b = g;
                    break;
                }
            m_break[r] = b;
        }
    }

    void placeGroupHeaders(int r)
    {
        const int levels = int(L.groups.size());
        // The headers go together with the first detail band, never alone at a
        // page's foot; a header kept together with its group takes all of it.
        double need = L.detail.present() ? layOut(BandKind::Detail, L.detail, levels - 1, r).heightMm : 0;
        double whole = need;
        bool forceNewPage = false;
        for (int g = m_break[r]; g < levels; ++g) {
            const Band& header = L.groups[g].header;
            const double h = header.present() ? layOut(BandKind::GroupHeader, header, g, r).heightMm : 0;
            need += h;
            whole += h;
            if (header.present() && header.keepTogether)
                whole = qMax(whole, need + restOfGroup(g, r));
            forceNewPage = forceNewPage || (header.present() && header.newPageBefore);
        }
        const bool keep = whole > need && !fits(whole) && whole <= freshPageRoom();
        if (m_bodyUsed && (forceNewPage || !fits(need) || keep))
            newPage();
        for (int g = m_break[r]; g < levels; ++g) {
            m_open = g;
            const Band& header = L.groups[g].header;
            if (header.present())
                placeWithRoom(BandKind::GroupHeader, header, g, r, false);
        }
        m_open = levels;
    }

    // The detail bands after row r that belong to group g, and its footer.
    double restOfGroup(int g, int r)
    {
        const int levels = int(L.groups.size());
        double h = 0;
        int last = r;
        while (last + 1 < R.count() && m_break[last + 1] > g) {
            ++last;
            if (L.detail.present())
                h += layOut(BandKind::Detail, L.detail, levels - 1, last).heightMm;
        }
        for (int inner = levels - 1; inner >= g; --inner)
            if (L.groups[inner].footer.present())
                h += layOut(BandKind::GroupFooter, L.groups[inner].footer, inner, last).heightMm;
        return h;
    }

    // What a page holds below its headings.
    double freshPageRoom() const
    {
        return m_bodyBottom - m_top - L.pageHeader.heightMm - L.columnHeader.heightMm;
    }

    bool fits(double h) const { return m_y + h <= m_bodyBottom + kEpsilonMm; }

    void placeWithRoom(BandKind kind, const Band& band, int group, int row, bool ownNewPage = true)
    {
        const LaidBand laid = layOut(kind, band, group, row);
        if (m_bodyUsed && ((ownNewPage && band.newPageBefore) || !fits(laid.heightMm)))
            newPage();
        requireFit(kind, laid.heightMm);
        commit(kind, laid, group, row);
    }

    // On a page that holds nothing but its headings a band that still does
    // not fit never will: a fault of the layout, not of the data.
    void requireFit(BandKind kind, double h) const
    {
        if (!fits(h))
            throw AppError(QStringLiteral("แถบ %1 ของแบบฟอร์ม %2 สูงเกินหน้ากระดาษ")
                               .arg(bandName(kind), L.documentName));
    }

    void newPage()
    {
        finishPage();
        startPage(false);
    }

    void startPage(bool first)
    {
        m_pages.append(ReportPage());
        m_y = m_top;
        m_bodyUsed = false;
        m_lastRowOnPage = -1;
        if (L.pageHeader.present())
            place(BandKind::PageHeader, L.pageHeader, -1, m_rowInHand);
        if (first && L.title.present())
            placeHeading(BandKind::Title, L.title, -1, false);
        if (L.columnHeader.present())
            placeHeading(BandKind::ColumnHeader, L.columnHeader, -1, true);
        for (int g = 0; !first && g < m_open; ++g) {
            const Band& header = L.groups[g].header;
            if (header.present() && header.repeatOnNewPage)
                placeHeading(BandKind::GroupHeader, header, g, true);
        }
    }

    // A band that opens a page; a page holding only its repeated headings is still empty.
    void placeHeading(BandKind kind, const Band& band, int group, bool repeated)
    {
        const bool used = m_bodyUsed;
        const LaidBand laid = layOut(kind, band, group, m_rowInHand);
        requireFit(kind, laid.heightMm);
        commit(kind, laid, group, m_rowInHand);
        if (repeated)
            m_bodyUsed = used;
    }

    void finishPage()
    {
        if (!L.pageFooter.present())
            return;
        m_y = m_bodyBottom;
        place(BandKind::PageFooter, L.pageFooter, -1,
              m_lastRowOnPage >= 0 ? m_lastRowOnPage : m_rowInHand);
    }

    static double room(const PlacedItem& p) { return p.rectMm.width() - (p.framed ? 2 : 0); }

    static void shrinkToFit(PlacedItem& p, double least)
    {
        const double wide = printedWidthMm(p.text, p.font);
        if (wide <= room(p))
            return;
        // Widths grow in step with the size; the half-step rounding keeps it
        // a size a printer offers, and the loop makes sure it then fits.
        double size = std::floor(p.font.pointSize * room(p) / wide * 2) / 2;
        ReportFont f = p.font;
        for (f.pointSize = qMax(size, least); f.pointSize > least && printedWidthMm(p.text, f) > room(p);)
            f.pointSize = qMax(f.pointSize - 0.5, least);
        p.font.pointSize = f.pointSize;
    }

    // Shrinks to the floor, then wraps; returns how much taller the item must be.
    static double fitWhole(PlacedItem& p, double floorPt)
    {
        shrinkToFit(p, qMin(floorPt, p.font.pointSize));
        if (printedWidthMm(p.text, p.font) <= room(p))
            return 0;
        p.lines = wrapToWidth(p.text, p.font, room(p));
        p.lineMm = printedLineMm(p.font);
        p.linesTopMm = qMax(0.0, (p.rectMm.height() - p.lineMm) / 2);
        return qMax(0.0, p.lines.size() * p.lineMm + 2 * p.linesTopMm - p.rectMm.height());
    }

    // A band's items at their places relative to the band, after their texts
    // are known and any wrapped text has made room for itself.
    struct LaidBand {
        QVector<PlacedItem> items;
        QVector<bool> pageNumber;
        QVector<bool> staysPut;
        double heightMm = 0;
    };

    LaidBand layOut(BandKind kind, const Band& band, int group, int row)
    {
        LaidBand out;
        out.heightMm = band.heightMm;
        QVector<std::pair<int, double>> grown; // item index, extra height
        for (const ReportItem& it : band.items) {
            if (!it.visible)
                continue;
            PlacedItem p;
            p.band = kind;
            p.name = it.name;
            p.rectMm = it.rectMm;
            p.font = it.font;
            p.font.family = documentFamily(it.font.family);
            p.alignment = it.alignment;
            p.wordWrap = it.wordWrap;
            p.framed = it.framed;
            p.penMm = it.penMm;
            if (it.kind == ItemKind::Frame) {
                p.shape = PlacedItem::Shape::Rect;
            } else if (it.kind == ItemKind::Line) {
                p.shape = PlacedItem::Shape::Line;
            } else if (it.kind == ItemKind::Drawing) {
                p.shape = PlacedItem::Shape::Drawing;
                p.drawing = it.drawing;
            } else {
                p.text = itemText(it, group, row);
            }
            if (!p.text.isEmpty() && !p.wordWrap) {
                if (it.fitFloorPt > 0) {
                    const double extra = fitWhole(p, it.fitFloorPt);
                    if (extra > kEpsilonMm)
                        grown.append({int(out.items.size()), extra});
                } else if (it.shrinkToFit > 0) {
                    shrinkToFit(p, p.font.pointSize * it.shrinkToFit);
                }
            }
            out.pageNumber.append(it.kind == ItemKind::PageNumber);
            out.staysPut.append(it.staysPut);
            out.items.append(p);
        }
        out.heightMm += stretch(out.items, out.staysPut, grown);
        return out;
    }

    // What lies below a grown item moves down by its growth; frames and rules
    // reaching past its foot grow with it, texts beside it stay on their line.
    // Items grown on one row (one foot) move what is below by the most of
    // them; rows grown one below the other add up.
    static double stretch(QVector<PlacedItem>& items, const QVector<bool>& staysPut,
                          const QVector<std::pair<int, double>>& grown)
    {
        QMap<double, double> growthAtFoot;
        for (const auto& [i, extra] : grown) {
            double& most = growthAtFoot[items[i].rectMm.bottom()];
            most = qMax(most, extra);
        }
        auto below = [&](double y) {
            double d = 0;
            for (auto it = growthAtFoot.cbegin(); it != growthAtFoot.cend() && it.key() <= y + kEpsilonMm; ++it)
                d += it.value();
            return d;
        };
        for (int j = 0; j < items.size(); ++j) {
            if (staysPut[j])
                continue;
            PlacedItem& p = items[j];
            const QRectF r = p.rectMm;
            const bool stretches = p.shape != PlacedItem::Shape::Text || p.framed || !p.lines.isEmpty();
            const double top = r.top() + below(r.top());
            const double bottom = stretches ? r.bottom() + below(r.bottom()) : top + r.height();
            p.rectMm = QRectF(r.left(), top, r.width(), bottom - top);
        }
        return below(std::numeric_limits<double>::max());
    }

    void place(BandKind kind, const Band& band, int group, int row)
    {
        commit(kind, layOut(kind, band, group, row), group, row);
    }

    void commit(BandKind kind, const LaidBand& laid, int group, int row)
    {
        ReportPage& page = m_pages.last();
        const double left = L.page.marginsMm.left();
        const QRectF bandRect(left, m_y, L.page.bodyWidthMm(), laid.heightMm);
        page.bands.append(PlacedBand{kind, group, row, bandRect});
        const Band* band = bandOf(kind, group);
        if (band && band->framed) {
            PlacedItem frame;
            frame.shape = PlacedItem::Shape::Rect;
            frame.band = kind;
            frame.rectMm = bandRect;
            frame.framed = true;
            page.items.append(frame);
        }
        for (int i = 0; i < laid.items.size(); ++i) {
            PlacedItem p = laid.items[i];
            p.rectMm.translate(left, m_y);
            if (laid.pageNumber[i])
                m_pageNumberItems.append({int(m_pages.size()) - 1, int(page.items.size())});
            page.items.append(p);
        }
        m_y += laid.heightMm;
        if (kind != BandKind::PageHeader && kind != BandKind::PageFooter)
            m_bodyUsed = true;
        if (row >= 0 && (kind == BandKind::Detail || kind == BandKind::GroupHeader
                         || kind == BandKind::GroupFooter))
            m_lastRowOnPage = row;
    }

    const Band* bandOf(BandKind kind, int group) const
    {
        switch (kind) {
        case BandKind::Title: return &L.title;
        case BandKind::PageHeader: return &L.pageHeader;
        case BandKind::ColumnHeader: return &L.columnHeader;
        case BandKind::GroupHeader: return &L.groups[group].header;
        case BandKind::Detail: return &L.detail;
        case BandKind::GroupFooter: return &L.groups[group].footer;
        case BandKind::Summary: return &L.summary;
        case BandKind::PageFooter: return &L.pageFooter;
        }
        return nullptr;
    }

    QString itemText(const ReportItem& it, int group, int row)
    {
        switch (it.kind) {
        case ItemKind::Text:
            return it.text;
        case ItemKind::Field:
            return row >= 0 ? applyMask(R.value(row, it.column), it.mask) : QString();
        case ItemKind::Expression:
            return evaluate(it.text, R, row);
        case ItemKind::Sum: {
            const bool inGroup = it.scope == SumScope::Group && group >= 0 && row >= 0;
            const Money total = inGroup ? groupSum(it.column, group, row) : reportSum(it.column);
            return applyMask(total, it.mask.isEmpty() ? QStringLiteral("%n") : it.mask);
        }
        case ItemKind::PageNumber:
            return it.text; // filled once the number of pages is known
        case ItemKind::PrintDateTime: {
            QString s = it.text;
            s.replace(QLatin1String("%1"), toBEText(m_printedAt.date()));
            s.replace(QLatin1String("%2"), nowTimeText(m_printedAt));
            return s;
        }
        case ItemKind::Frame:
        case ItemKind::Line:
        case ItemKind::Drawing:
            break;
        }
        return {};
    }

    Money sumRange(const QString& column, int first, int last)
    {
        const QString key = QStringLiteral("%1|%2|%3").arg(column.toLower()).arg(first).arg(last);
        auto found = m_sums.constFind(key);
        if (found != m_sums.constEnd())
            return *found;
        Money total;
        for (int r = first; r <= last; ++r)
            total += R.money(r, column);
        m_sums.insert(key, total);
        return total;
    }

    Money reportSum(const QString& column)
    {
        return R.count() == 0 || R.columns().isEmpty() ? Money()
                                                       : sumRange(column, 0, R.count() - 1);
    }

    Money groupSum(const QString& column, int group, int row)
    {
        int first = row;
        while (m_break[first] > group)
            --first;
        int last = row;
        while (last + 1 < R.count() && m_break[last + 1] > group)
            ++last;
        return sumRange(column, first, last);
    }

    void fillPageNumbers()
    {
        const QString total = QString::number(m_pages.size());
        for (const auto& [page, index] : m_pageNumberItems) {
            QString& text = m_pages[page].items[index].text;
            text.replace(QLatin1String("%1"), QString::number(page + 1));
            text.replace(QLatin1String("%2"), total);
        }
    }

    const ReportLayout& L;
    const Rows& R;
    const QDateTime m_printedAt;
    const double m_top;
    const double m_pageBottom;
    const double m_bodyBottom;
    QVector<int> m_break;
    QVector<ReportPage> m_pages;
    QVector<std::pair<int, int>> m_pageNumberItems;
    QHash<QString, Money> m_sums;
    double m_y = 0;
    bool m_bodyUsed = false;
    int m_rowInHand = -1;
    int m_lastRowOnPage = -1;
    int m_open = 0; // group levels whose header has printed and footer not yet
};

} // namespace

Report::Report(const ReportLayout& layout, const Rows& rows, const QDateTime& printedAt)
    : m_documentName(layout.documentName), m_page(layout.page)
{
    m_pages = Engine(layout, rows, printedAt).run();
}

QStringList ReportPage::texts() const
{
    QStringList out;
    for (const PlacedItem& it : items)
        if (it.shape == PlacedItem::Shape::Text)
            out << it.text;
    return out;
}

} // namespace wel
