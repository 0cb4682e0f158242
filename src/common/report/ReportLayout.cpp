#include "ReportLayout.h"
#include "Report.h"
#include "common/AppError.h"

namespace wel {

namespace {

ReportItem make(ItemKind kind, const QString& name, QRectF rectMm)
{
    ReportItem item;
    item.kind = kind;
    item.name = name;
    item.rectMm = rectMm;
    return item;
}

} // namespace

ReportItem ReportItem::caption(const QString& name, QRectF rectMm, const QString& text)
{
    ReportItem item = make(ItemKind::Text, name, rectMm);
    item.text = text;
    return item;
}

ReportItem ReportItem::field(const QString& name, QRectF rectMm, const QString& column)
{
    ReportItem item = make(ItemKind::Field, name, rectMm);
    item.column = column;
    return item;
}

ReportItem ReportItem::expression(const QString& name, QRectF rectMm, const QString& expr)
{
    ReportItem item = make(ItemKind::Expression, name, rectMm);
    item.text = expr;
    return item;
}

ReportItem ReportItem::sum(const QString& name, QRectF rectMm, const QString& column,
                           SumScope scope)
{
    ReportItem item = make(ItemKind::Sum, name, rectMm);
    item.column = column;
    item.scope = scope;
    return item;
}

ReportItem ReportItem::pageNumber(const QString& name, QRectF rectMm, const QString& templ)
{
    ReportItem item = make(ItemKind::PageNumber, name, rectMm);
    item.text = templ;
    return item;
}

ReportItem ReportItem::printDateTime(const QString& name, QRectF rectMm, const QString& templ)
{
    ReportItem item = make(ItemKind::PrintDateTime, name, rectMm);
    item.text = templ;
    return item;
}

ReportItem ReportItem::frame(const QString& name, QRectF rectMm)
{
    ReportItem item = make(ItemKind::Frame, name, rectMm);
    item.framed = true;
    return item;
}

ReportItem ReportItem::line(const QString& name, double x1, double y1, double x2, double y2)
{
    return make(ItemKind::Line, name, QRectF(QPointF(x1, y1), QPointF(x2, y2)));
}

ReportItem ReportItem::picture(const QString& name, QRectF rectMm, ReportDrawing draw)
{
    ReportItem item = make(ItemKind::Drawing, name, rectMm);
    item.drawing = std::make_shared<const ReportDrawing>(std::move(draw));
    return item;
}

ReportGroup& ReportLayout::addGroup(const QString& keyExpression)
{
    groups.push_back(ReportGroup{keyExpression, {}, {}});
    return groups.back();
}

ReportItem* ReportLayout::item(const QString& itemName)
{
    if (itemName.isEmpty())
        return nullptr;
    for (const auto& entry : allBands()) {
        Band* band = const_cast<Band*>(entry.second);
        for (ReportItem& it : band->items)
            if (it.name == itemName)
                return &it;
    }
    return nullptr;
}

void ReportLayout::setCaption(const QString& itemName, const QString& text)
{
    ReportItem* it = item(itemName);
    if (!it || it->kind != ItemKind::Text)
        throw AppError(QStringLiteral("ไม่พบข้อความ %1 ในแบบฟอร์ม %2").arg(itemName, documentName));
    it->text = text;
}

void ReportLayout::setVisible(const QString& itemName, bool visible)
{
    ReportItem* it = item(itemName);
    if (!it)
        throw AppError(QStringLiteral("ไม่พบรายการ %1 ในแบบฟอร์ม %2").arg(itemName, documentName));
    it->visible = visible;
}

QVector<std::pair<BandKind, const Band*>> ReportLayout::allBands() const
{
    QVector<std::pair<BandKind, const Band*>> bands{
        {BandKind::PageHeader, &pageHeader}, {BandKind::Title, &title},
        {BandKind::ColumnHeader, &columnHeader}};
    for (const ReportGroup& g : groups)
        bands.append({BandKind::GroupHeader, &g.header});
    bands.append({BandKind::Detail, &detail});
    for (auto g = groups.rbegin(); g != groups.rend(); ++g)
        bands.append({BandKind::GroupFooter, &g->footer});
    bands.append({BandKind::Summary, &summary});
    bands.append({BandKind::PageFooter, &pageFooter});
    return bands;
}

void addPageHeading(ReportLayout& layout, ReportItem identity, const QString& pageNumberName, double points)
{
    Band& header = layout.pageHeader;
    const double w = layout.page.bodyWidthMm();
    ReportFont font;
    font.pointSize = points;
    const double y = header.heightMm;
    const double h = qMax(7.0, printedLineMm(font));
    const double pageW = printedWidthMm(QStringLiteral("หน้า 000 / 000"), font) + 2;
    identity.rectMm = {0, y, w - pageW - 2, h};
    header.add(identity.size(points).bold().fitting());
    header.add(ReportItem::pageNumber(pageNumberName, {w - pageW, y, pageW, h}, QStringLiteral("หน้า %1 / %2"))
                   .size(points)
                   .align(Align::Right));
    header.heightMm = y + h + 1;
}

} // namespace wel
