#pragma once
#include "common/report/Report.h"

#include <QPrintPreviewDialog>

#include <functional>

class QAction;

namespace wel {

// The preview window of a printed document: the platform's print preview with
// an extra button "บันทึกเป็น PDF" beside the print button. Screens call
// previewReport(), which shows it modally and returns when it is closed.
class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // The report must outlive the dialog.
    explicit ReportPreview(const Report& report, QWidget* parent = nullptr);

    QAction* savePdfAction() const { return m_savePdf; }
    // Asks for a file name and writes the PDF there; a failure is shown in a message box.
    void saveAsPdf();

    // Where saveAsPdf() gets its file name: a QFileDialog unless a test replaces it.
    // An empty name means the user cancelled.
    std::function<QString(QWidget* parent, const QString& suggested)> askFileName;

private:
    void paintOn(QPrinter* printer);
    void openReadable();

    const Report& m_report;
    QAction* m_savePdf = nullptr;
};

// Shows the report in the preview window and waits until the user closes it.
void previewReport(const Report& report, QWidget* parent = nullptr);

// Screen tests receive the report here instead of a window that waits for a
// click, and check what the document holds through Report::pages().
// An empty function restores the window.
void setPreviewRecorder(std::function<void(const Report&)> recorder);

} // namespace wel
