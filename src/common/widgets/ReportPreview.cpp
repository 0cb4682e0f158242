#include "ReportPreview.h"
#include "Messages.h"
#include "common/AppError.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QPrintPreviewWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

namespace wel {

namespace {

std::function<void(const Report&)>& recorder()
{
    static std::function<void(const Report&)> r;
    return r;
}

QString askWithDialog(QWidget* parent, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึกเป็น PDF"), suggested,
                                        QStringLiteral("PDF (*.pdf)"));
}

} // namespace

ReportPreview::ReportPreview(const Report& report, QWidget* parent)
    : QPrintPreviewDialog(parent), askFileName(askWithDialog), m_report(report)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(report.documentName());
    printer()->setFullPage(true);
    printer()->setDocName(report.documentName());
    printer()->setPageOrientation(report.pageSetup().orientation == Orientation::Portrait
                                      ? QPageLayout::Portrait
                                      : QPageLayout::Landscape);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreview::paintOn);

    m_savePdf = new QAction(QStringLiteral("บันทึกเป็น PDF"), this);
    m_savePdf->setObjectName(QStringLiteral("actSavePdf"));
    connect(m_savePdf, &QAction::triggered, this, &ReportPreview::saveAsPdf);
    // The dialog's own tool bar ends with its print button; ours goes right after it.
    if (QToolBar* bar = findChild<QToolBar*>()) {
        bar->addAction(m_savePdf);
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(m_savePdf))) {
            button->setObjectName(QStringLiteral("btnSavePdf"));
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
    } else {
        addAction(m_savePdf);
    }
    openReadable();
}

// Not maximised: a desktop without a window manager ignores that and the
// dialog opened at its tiny natural size, the page at a few percent. A
// size of its own and the page fitted to the width read the same anywhere.
void ReportPreview::openReadable()
{
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        resize(room.width() * 9 / 10, room.height() * 9 / 10);
        move(room.center() - QPoint(width() / 2, height() / 2));
    }
    // The dialog's own "fit width" button, so that its tool bar shows it chosen.
    if (auto* fitWidth = findChild<QAction*>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
    else if (auto* view = findChild<QPrintPreviewWidget*>())
        view->fitToWidth();
}

void ReportPreview::paintOn(QPrinter* printer)
{
    try {
        m_report.print(printer);
    } catch (const AppError& e) {
        msg::error(this, e.message());
    }
}

void ReportPreview::saveAsPdf()
{
    const QString name = m_report.documentName().isEmpty() ? QStringLiteral("report")
                                                           : m_report.documentName();
    QString path = askFileName(this, QDir::home().filePath(name + QStringLiteral(".pdf")));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    try {
        m_report.writePdf(path);
    } catch (const AppError& e) {
        msg::error(this, e.message());
    }
}

void previewReport(const Report& report, QWidget* parent)
{
    if (recorder()) {
        recorder()(report);
        return;
    }
    ReportPreview dialog(report, parent);
    dialog.exec();
}

void setPreviewRecorder(std::function<void(const Report&)> r) { recorder() = std::move(r); }

} // namespace wel
