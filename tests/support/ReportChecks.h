#pragma once
#include "common/report/Report.h"

#include <QStringList>

namespace wel::test {

// Texts printed wider than their items, which the paper would cut; a text
// the engine wrapped is cut when a line of it is too wide, when its lines
// are not the whole text or when they run below the item.
inline QStringList cutTexts(const Report& r)
{
    QStringList cut;
    auto tooWide = [](const QString& text, const PlacedItem& i) {
        return printedWidthMm(text, i.font) > i.rectMm.width() - (i.framed ? 2 : 0) + 0.01;
    };
    auto squeezed = [](const QString& s) { return QString(s).remove(u' '); };
    for (const ReportPage& p : r.pages())
        for (const PlacedItem& i : p.items) {
            if (i.shape != PlacedItem::Shape::Text || i.wordWrap)
                continue;
            if (i.lines.isEmpty()) {
                if (tooWide(i.text, i))
                    cut << i.text;
                continue;
            }
            bool whole = squeezed(i.lines.join(QString())) == squeezed(i.text)
                         && i.linesTopMm + i.lines.size() * i.lineMm <= i.rectMm.height() + 0.01;
            for (const QString& line : i.lines)
                whole = whole && !tooWide(line, i);
            if (!whole)
                cut << QStringLiteral("%1 (%2 lines)").arg(i.name).arg(i.lines.size());
        }
    return cut;
}

// Wrapped texts whose box runs into another text of the page: a grown name
// must push what lies below it down.
inline QStringList overlappingTexts(const Report& r)
{
    QStringList hit;
    for (const ReportPage& p : r.pages())
        for (const PlacedItem& a : p.items) {
            if (a.lines.isEmpty())
                continue;
            for (const PlacedItem& b : p.items) {
                if (&a == &b || b.shape != PlacedItem::Shape::Text || b.text.isEmpty())
                    continue;
                const QRectF both = a.rectMm.intersected(b.rectMm);
                if (both.width() > 0.01 && both.height() > 0.01)
                    hit << QStringLiteral("%1 (%2 lines, %3-%4 mm) over %5 (%6-%7 mm)")
                               .arg(a.name).arg(a.lines.size()).arg(a.rectMm.top()).arg(a.rectMm.bottom())
                               .arg(b.name).arg(b.rectMm.top()).arg(b.rectMm.bottom());
            }
        }
    return hit;
}

} // namespace wel::test
