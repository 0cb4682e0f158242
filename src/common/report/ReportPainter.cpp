#include "Report.h"
#include "common/AppError.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <functional>

namespace wel {

namespace {

// Text inside a frame keeps clear of its lines.
constexpr double kFramePaddingMm = 1.0;

QPageLayout pageLayoutOf(const PageSetup& page)
{
    // Items carry absolute paper positions, so the device gets no margins of its own.
    return QPageLayout(QPageSize(QPageSize::A4),
                       page.orientation == Orientation::Portrait ? QPageLayout::Portrait
                                                                 : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

class PagePainter {
public:
    explicit PagePainter(QPainter& p)
        : m_p(p), m_sx(p.device()->logicalDpiX() / 25.4), m_sy(p.device()->logicalDpiY() / 25.4)
    {
    }

    void paint(const ReportPage& page)
    {
        for (const PlacedItem& it : page.items) {
            m_p.setPen(QPen(Qt::black, qMax(1.0, it.penMm * m_sx)));
            m_p.setBrush(Qt::NoBrush);
            const QRectF r = toDevice(it.rectMm);
            switch (it.shape) {
            case PlacedItem::Shape::Rect:
                m_p.drawRect(r);
                break;
            case PlacedItem::Shape::Line:
                m_p.drawLine(r.topLeft(), r.bottomRight());
                break;
            case PlacedItem::Shape::Text:
                paintText(it, r);
                break;
            case PlacedItem::Shape::Drawing:
                if (it.drawing) {
                    m_p.save();
                    (*it.drawing)(m_p, r);
                    m_p.restore();
                }
                break;
            }
        }
    }

private:
    QRectF toDevice(const QRectF& mm) const
    {
        return QRectF(mm.x() * m_sx, mm.y() * m_sy, mm.width() * m_sx, mm.height() * m_sy);
    }

    void paintText(const PlacedItem& it, QRectF r)
    {
        if (it.framed) {
            m_p.drawRect(r);
            r.adjust(kFramePaddingMm * m_sx, 0, -kFramePaddingMm * m_sx, 0);
        }
        if (it.text.isEmpty())
            return;
        QFont font(it.font.family);
        font.setPointSizeF(it.font.pointSize);
        font.setBold(it.font.bold);
        font.setUnderline(it.font.underline);
        // Hinting would make widths differ between the preview and the paper.
        font.setHintingPreference(QFont::PreferNoHinting);
        m_p.setFont(font);
        int flags = it.alignment == Align::Left    ? Qt::AlignLeft
                  : it.alignment == Align::Centre ? Qt::AlignHCenter
                                                  : Qt::AlignRight;
        flags |= it.wordWrap ? (Qt::AlignTop | Qt::TextWordWrap) : Qt::AlignVCenter;
        // Too long a text is cut at the item's sides, as on the old forms, but
        // Thai marks above and below a tight line keep their room.
        m_p.save();
        m_p.setClipRect(r.adjusted(0, -r.height(), 0, r.height()));
        if (it.lines.isEmpty()) {
            m_p.drawText(r, flags | Qt::TextDontClip, it.text);
        } else {
            // The engine broke the text where it measured it; each line is
            // drawn as it stands so that paper and model agree.
            const double step = it.lineMm * m_sy, top = r.y() + it.linesTopMm * m_sy;
            for (int i = 0; i < it.lines.size(); ++i)
                m_p.drawText(QRectF(r.x(), top + i * step, r.width(), step), flags | Qt::TextDontClip,
                             it.lines[i]);
        }
        m_p.restore();
    }

    QPainter& m_p;
    const double m_sx;
    const double m_sy;
};

void paintPages(QPagedPaintDevice* device, QPainter& painter, const QVector<ReportPage>& pages,
                const std::function<bool(int)>& wanted)
{
    PagePainter pp(painter);
    bool first = true;
    for (int i = 0; i < pages.size(); ++i) {
        if (!wanted(i + 1))
            continue;
        if (!first)
            device->newPage();
        first = false;
        pp.paint(pages[i]);
    }
}

} // namespace

void Report::paint(QPagedPaintDevice* device) const
{
    device->setPageLayout(pageLayoutOf(m_page));
    QPainter painter;
    if (!painter.begin(device))
        throw AppError(QStringLiteral("ไม่สามารถพิมพ์เอกสาร %1 ได้").arg(m_documentName));
    paintPages(device, painter, m_pages, [](int) { return true; });
}

void Report::print(QPrinter* printer) const
{
    printer->setFullPage(true);
    printer->setPageLayout(pageLayoutOf(m_page));
    if (printer->docName().isEmpty())
        printer->setDocName(m_documentName);
    const QPageRanges ranges = printer->pageRanges();
    QPainter painter;
    if (!painter.begin(printer))
        throw AppError(QStringLiteral("ไม่สามารถพิมพ์เอกสาร %1 ได้").arg(m_documentName));
    paintPages(printer, painter, m_pages,
               [&](int n) { return ranges.isEmpty() || ranges.contains(n); });
}

void Report::writePdf(const QString& path) const
{
    // The document is made in memory and then saved in one piece: QPdfWriter
    // says nothing when its file cannot be written to the end, and a cut-off
    // PDF must not pass for a document.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(m_documentName);
        writer.setCreator(QStringLiteral("Welmora"));
        writer.setResolution(600);
        writer.setPageLayout(pageLayoutOf(m_page));
        QPainter painter;
        if (!painter.begin(&writer))
            throw AppError(QStringLiteral("ไม่สามารถสร้างเอกสาร %1 ได้").arg(m_documentName));
        paintPages(&writer, painter, m_pages, [](int) { return true; });
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() || !file.commit())
        throw AppError(QStringLiteral("ไม่สามารถบันทึกไฟล์ %1 ได้: %2").arg(path, file.errorString()));
}

} // namespace wel
