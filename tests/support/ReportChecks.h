#pragma once
#include "common/report/Report.h"

#include <QStringList>

namespace wel::test {

// Texts printed wider than their items, which the paper would cut.
inline QStringList cutTexts(const Report& r)
{
    QStringList cut;
    for (const ReportPage& p : r.pages())
        for (const PlacedItem& i : p.items)
            if (i.shape == PlacedItem::Shape::Text && !i.wordWrap
                && printedWidthMm(i.text, i.font) > i.rectMm.width() - (i.framed ? 2 : 0) + 0.01)
                cut << i.text;
    return cut;
}

} // namespace wel::test
