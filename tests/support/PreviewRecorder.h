#pragma once
#include "common/report/Report.h"
#include "common/widgets/ReportPreview.h"

#include <QStringList>
#include <functional>

namespace wel::test {

// While it lives, each report a screen opens in its print preview goes to
// `see` instead of a window; the preview is back to normal when the test
// ends, even on a failed ASSERT.
class PreviewRecorder {
public:
    explicit PreviewRecorder(std::function<void(const Report&)> see) { setPreviewRecorder(std::move(see)); }
    ~PreviewRecorder() { setPreviewRecorder({}); }
    PreviewRecorder(const PreviewRecorder&) = delete;
    PreviewRecorder& operator=(const PreviewRecorder&) = delete;
};

// The texts of the items of that name on the report's first page.
inline QStringList placedTexts(const Report& r, const char* name)
{
    QStringList texts;
    for (const PlacedItem& it : r.pages().value(0).items)
        if (it.name == QLatin1String(name))
            texts << it.text;
    return texts;
}

// The titles ("QRLabelTitle") of every report previewed, in order.
struct PreviewTitles {
    QStringList titles;
    PreviewRecorder recorder{[this](const Report& r) { titles << placedTexts(r, "QRLabelTitle"); }};
};

} // namespace wel::test
