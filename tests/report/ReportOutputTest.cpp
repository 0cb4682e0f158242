#include "MessageLog.h"
#include "common/report/Report.h"
#include "common/AppError.h"
#include "common/widgets/Messages.h"
#include "common/widgets/ReportPreview.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>

#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace wel;

namespace {

// Four landscape pages of Thai text, framed boxes and rules.
Report fourPages()
{
    ReportLayout l;
    l.documentName = QStringLiteral("สรุปใบเบิก");
    l.page.orientation = Orientation::Landscape;
    l.pageHeader.heightMm = 12;
    l.pageHeader.add(ReportItem::caption({}, {0, 0, 200, 10},
                                         QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย"))
                         .size(20).bold().withFrame());
    l.pageHeader.add(ReportItem::line({}, 0, 11, 277, 11));
    l.detail.heightMm = 60;
    l.detail.framed = true;
    l.detail.add(ReportItem::expression({}, {5, 5, 150, 8}, QStringLiteral("[Name]  ผู้ป่วยชำระเงินเอง"))
                     .face(QStringLiteral("Angsana New")).wrap());
    l.pageFooter.heightMm = 8;
    l.pageFooter.add(ReportItem::pageNumber({}, {0, 0, 277, 8}, QStringLiteral("หน้า %1 / %2"))
                         .align(Align::Right));
    QVector<QVector<QVariant>> data;
    for (int i = 0; i < 7; ++i) // 190 - 20 of body holds two 60 mm rows a page
        data.append(QVector<QVariant>{QStringLiteral("นางสาวมะลิ  ใจดี %1").arg(i)});
    return Report(l, Rows({QStringLiteral("Name")}, data), QDateTime(QDate(2008, 11, 5), QTime(14, 3, 9)));
}

struct PdfFacts {
    int pageObjects = -1;
    QString pdfinfo;
};

PdfFacts readPdf(const QString& path)
{
    PdfFacts facts;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return facts;
    const QByteArray bytes = f.readAll();
    if (!bytes.startsWith("%PDF-"))
        return facts;
    facts.pageObjects = int(QString::fromLatin1(bytes)
                                .count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (info.waitForFinished(10000))
        facts.pdfinfo = QString::fromUtf8(info.readAllStandardOutput());
    return facts;
}

} // namespace

TEST(ReportOutput, WritesPdfWithOnePagePerLaidOutPage)
{
    const Report report = fourPages();
    ASSERT_EQ(report.pageCount(), 4);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("summary.pdf"));
    report.writePdf(path);

    const PdfFacts pdf = readPdf(path);
    EXPECT_EQ(pdf.pageObjects, 4);
    if (!pdf.pdfinfo.isEmpty()) {
        EXPECT_TRUE(pdf.pdfinfo.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))))
            << pdf.pdfinfo.toStdString();
        EXPECT_TRUE(pdf.pdfinfo.contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595"))))
            << pdf.pdfinfo.toStdString();
    }
    EXPECT_THROW(report.writePdf(dir.filePath(QStringLiteral("missing/folder/x.pdf"))), AppError);
}

// A file that cannot be written to its end (here: the file-size limit, as a
// full disk would) is an error, and the document that was there stays whole.
TEST(ReportOutput, PdfThatCannotBeFinishedIsAnError)
{
    const Report report = fourPages();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("summary.pdf"));
    report.writePdf(path);
    const qint64 whole = QFileInfo(path).size();
    ASSERT_GT(whole, 4096);

    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool failed = false;
    try {
        report.writePdf(path);
    } catch (const AppError&) {
        failed = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(QFileInfo(path).size(), whole);
    EXPECT_EQ(readPdf(path).pageObjects, 4);
}

TEST(ReportOutput, PrinterKeepsToTheChosenPages)
{
    const Report report = fourPages();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setFromTo(2, 3);
        report.print(&printer);
    }
    EXPECT_EQ(readPdf(path).pageObjects, 2);
}

TEST(ReportOutput, PreviewShowsEveryPageAndSavesPdf)
{
    const Report report = fourPages();
    ReportPreview preview(report);
    preview.show();
    QCoreApplication::processEvents();
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->pageCount(), 4);
    EXPECT_EQ(pages->orientation(), QPageLayout::Landscape);

    // The button sits on the dialog's tool bar, right after its print button.
    QAction* save = preview.savePdfAction();
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), QStringLiteral("บันทึกเป็น PDF"));
    auto* bar = preview.findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> actions = bar->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions.last(), save);
    EXPECT_TRUE(actions[actions.size() - 2]->text().contains(QStringLiteral("Print"), Qt::CaseInsensitive))
        << actions[actions.size() - 2]->text().toStdString();

    QTemporaryDir dir;
    QString suggested;
    QString answer = dir.filePath(QStringLiteral("saved"));
    preview.askFileName = [&](QWidget*, const QString& s) { suggested = s; return answer; };
    save->trigger();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("สรุปใบเบิก.pdf"))) << suggested.toStdString();
    EXPECT_EQ(readPdf(answer + QStringLiteral(".pdf")).pageObjects, 4);

    {
        test::MessageLog boxes;
        answer = dir.filePath(QStringLiteral("no/such/dir/x.pdf"));
        save->trigger();
        EXPECT_EQ(boxes.texts.size(), 1);
    }
    preview.close();
}

TEST(ReportOutput, ScreenTestsReceiveTheReportInsteadOfAWindow)
{
    const Report report = fourPages();
    int pagesSeen = 0;
    setPreviewRecorder([&](const Report& r) { pagesSeen = r.pageCount(); });
    previewReport(report);
    setPreviewRecorder({});
    EXPECT_EQ(pagesSeen, 4);
}
