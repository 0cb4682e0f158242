#include "reports/UReport.h"

#include "common/AppError.h"
#include "common/excel/Address.h"
#include "common/excel/ExportFiles.h"
#include "common/widgets/Grids.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"

#include <QButtonGroup>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace wel {

using namespace reports;

std::function<QString(QWidget*, const QString&)> TfrmReport::s_chooseSavePath = [](QWidget* parent,
                                                                                    const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึกแฟ้ม MS Excel"), suggested,
                                        QStringLiteral("MS Excel (*.xlsx)"));
};
std::function<void(const QString&)> TfrmReport::s_openWorkbook = [](const QString& path) {
    excel::openWithDesktop(path);
};

namespace {

constexpr int kMaxGridWidth = 1100;

} // namespace

QVector<int> amountColumnsOf(const ReportDescriptor& report)
{
    QVector<int> columns;
    for (const QString& span : report.numericColumns) {
        const excel::ColumnSpan s = excel::ColumnSpan::parse(span);
        for (int c = qMax(s.first, 2); c <= s.last; ++c) // "No" stays where it is
            columns << c - 1;
    }
    return columns;
}

TfrmReport::TfrmReport(const ScreenContext& context, const QString& screenName)
    : Screen(context), m_screenName(screenName)
{
    setObjectName(screenName);
    for (const ReportDescriptor* r : reportsOfScreen(screenName))
        m_pages.push_back(Page{r, {}, nullptr, nullptr, {}, {}});
    if (m_pages.isEmpty())
        throw AppError(QStringLiteral("ไม่พบรายงาน ") + screenName);

    auto* outer = new QVBoxLayout(this);
    m_main = new QWidget(this);
    m_main->setObjectName(QStringLiteral("pnlMain"));
    auto* mainLayout = new QVBoxLayout(m_main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(titleLabel(m_pages.size() > 1 ? QStringLiteral("รายงานสรุปค่ารักษาแยกตามประเภทและเดือน")
                                                        : m_pages.first().report->title,
                                     m_main));
    if (m_pages.size() > 1) {
        m_tabs = new QTabWidget(m_main);
        m_tabs->setObjectName(QStringLiteral("PageControl1"));
        for (Page& p : m_pages)
            m_tabs->addTab(buildPage(p), p.report->title);
        mainLayout->addWidget(m_tabs, 1);
    } else {
        mainLayout->addWidget(buildPage(m_pages.first()), 1);
    }
    auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), m_main);
    connect(exit, &QPushButton::clicked, this, &TfrmReport::closeScreen);
    mainLayout->addLayout(buttonRow({exit}));
    outer->addWidget(m_main, 1);

    QList<QWidget*> panels{m_main};
    if (m_pages.first().report->details) {
        Panel d = namedPanel(QStringLiteral("pnlDetail"), this);
        m_detail = d.widget;
        d.layout->addWidget(titleLabel(QStringLiteral("รายละเอียดเลขที่ควบคุมใบเบิก"), m_detail));
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("เลขที่คุมใบเบิก"), m_detail));
        m_detailNumber = namedReadOnly(QStringLiteral("edtSent_KV_Doc_ID"), m_detail, QStringLiteral("KV2551/000001SC"));
        row->addWidget(m_detailNumber);
        if (m_pages.first().report->printDetails) {
            row->addSpacing(20);
            row->addWidget(new QLabel(QStringLiteral("วันที่ประมวลผลเลขที่ควบคุมใบเบิก"), m_detail));
            m_detailDate = namedReadOnly(QStringLiteral("edtSent_Date"), m_detail, longest::date);
            row->addWidget(m_detailDate);
        }
        row->addStretch(1);
        d.layout->addLayout(row);
        m_detailGrid = new QTableWidget(m_detail);
        m_detailGrid->setObjectName(QStringLiteral("StringGrid2"));
        d.layout->addWidget(m_detailGrid, 1);
        auto* totalRow = new QHBoxLayout;
        totalRow->addWidget(new QLabel(QStringLiteral("ยอดเงินรวม"), m_detail));
        m_detailTotal = namedReadOnly(QStringLiteral("edtDetail_Total"), m_detail, longest::amount);
        m_detailTotal->setAlignment(Qt::AlignRight);
        totalRow->addWidget(m_detailTotal);
        totalRow->addWidget(new QLabel(QStringLiteral("บาท"), m_detail));
        totalRow->addStretch(1);
        d.layout->addLayout(totalRow);
        auto* close = namedButton(QStringLiteral("btnClose"), QStringLiteral("ออก"), m_detail);
        connect(close, &QPushButton::clicked, this, [this] {
            m_detail->hide();
            m_main->show();
        });
        QHBoxLayout* buttons = buttonRow({close});
        if (m_pages.first().report->printDetails) {
            auto* print = namedButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"), m_detail);
            connect(print, &QPushButton::clicked, this, [this] { guard([this] { printDetails(); }); });
            buttons->insertWidget(0, print);
        }
        d.layout->addLayout(buttons);
        outer->addWidget(m_detail, 1);
        m_detail->hide();
        panels << m_detail;
    }
    setPanels(panels);
    setOpensMaximised();
}

QWidget* TfrmReport::buildPage(Page& page)
{
    const ReportDescriptor& r = *page.report;
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("tab_") + r.id);
    auto* layout = new QVBoxLayout(w);

    auto* groups = new QGridLayout;
    int slot = 0;
    for (const FilterSpec& spec : r.filters(login())) {
        Group g;
        g.spec = spec;
        g.locked = facultyLocked(spec.lock, login());
        auto* box = new QGroupBox(spec.title, w);
        box->setObjectName(QStringLiteral("grp_") + spec.key);
        auto* boxLayout = new QGridLayout(box);
        g.buttons = new QButtonGroup(box);
        for (int i = 0; i < spec.options.size(); ++i) {
            const FilterOption& o = spec.options[i];
            auto* rb = new QRadioButton(o.caption, box);
            rb->setObjectName(QStringLiteral("rb_%1_%2").arg(spec.key, o.value));
            g.buttons->addButton(rb, i);
            boxLayout->addWidget(rb, i, 0);
            QLineEdit* field = nullptr;
            if (o.maxLength > 0) {
                field = namedEdit(QStringLiteral("edt_%1_%2").arg(spec.key, o.value), o.maxLength, box,
                                  o.maxLength <= 2 ? FieldKind::Code : o.maxLength <= 10 ? FieldKind::Digits : FieldKind::Text);
                if (!o.inputMask.isEmpty())
                    field->setInputMask(o.inputMask);
                field->setText(o.initialText);
                boxLayout->addWidget(field, i, 1);
            }
            g.fields << field;
            rb->setChecked(o.value == spec.initial);
        }
        boxLayout->setColumnStretch(2, 1);
        auto enableFields = [g]() {
            for (int i = 0; i < g.fields.size(); ++i)
                if (g.fields[i])
                    g.fields[i]->setEnabled(g.buttons->checkedId() == i);
        };
        connect(g.buttons, &QButtonGroup::idToggled, box, enableFields);
        enableFields();
        if (g.locked) {
            // The faculty is the clerk's own in this mode.
            for (int i = 0; i < spec.options.size(); ++i)
                if (spec.options[i].value == u"one") {
                    g.buttons->button(i)->setChecked(true);
                    g.fields[i]->setText(login().Cur_Fact_Code);
                }
            box->setEnabled(false);
        }
        groups->addWidget(box, slot / 3, slot % 3, Qt::AlignTop);
        ++slot;
        page.groups << g;
    }
    groups->setColumnStretch(3, 1);
    layout->addLayout(groups);

    auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงผล"), w);
    QList<QPushButton*> buttons{show};
    const int tab = int(&page - m_pages.data());
    connect(show, &QPushButton::clicked, this, [this, tab] { guard([&] { showReport(tab); }); });
    if (r.exportParams) {
        auto* excelButton = namedButton(QStringLiteral("btnExcel"), QStringLiteral("พิมพ์ออกทาง MS Excel"), w);
        connect(excelButton, &QPushButton::clicked, this, [this, tab] { guard([&] { exportShown(tab); }); });
        buttons << excelButton;
    }
    if (r.details) {
        auto* detail = namedButton(QStringLiteral("btnDetail"), QStringLiteral("แสดงรายละเอียด"), w);
        // Outside the finance division only the faculty's own list is seen,
        // without opening its control numbers.
        detail->setEnabled(r.id != u"control-number-summary" || login().Cur_Mode == u"KV");
        connect(detail, &QPushButton::clicked, this, [this] { guard([&] { showDetails(); }); });
        buttons << detail;
    }
    auto* row = new QHBoxLayout;
    for (QPushButton* b : buttons)
        row->addWidget(b);
    row->addStretch(1);
    if (!r.totalCaption.isEmpty()) {
        row->addWidget(new QLabel(r.totalCaption, w));
        page.total = namedReadOnly(QStringLiteral("edtTotal"), w, longest::amount);
        page.total->setAlignment(Qt::AlignRight);
        page.total->setText(QStringLiteral("0.00"));
        row->addWidget(page.total);
        row->addWidget(new QLabel(QStringLiteral("บาท"), w));
    }
    layout->addLayout(row);

    page.grid = new QTableWidget(w);
    page.grid->setObjectName(QStringLiteral("StringGrid1"));
    layout->addWidget(page.grid, 1);
    page.result = ReportResult();
    return w;
}

Filters TfrmReport::filters(int tab) const
{
    Filters f;
    for (const Group& g : m_pages[tab].groups) {
        const int i = g.buttons->checkedId();
        if (i < 0)
            continue;
        const FilterOption& o = g.spec.options[i];
        f.insert(g.spec.key, g.fields[i] ? o.value + u':' + g.fields[i]->text().trimmed() : o.value);
    }
    return f;
}

void TfrmReport::chooseBroadest(int tab)
{
    for (Group& g : m_pages[tab].groups) {
        if (g.locked)
            continue;
        for (int i = 0; i < g.spec.options.size(); ++i)
            if (g.spec.options[i].value == u"all")
                g.buttons->button(i)->setChecked(true);
    }
}

void TfrmReport::fill(Page& page)
{
    const ReportResult& r = page.result;
    QStringList headings = r.headings.value(0);
    QVector<QStringList> rows;
    // A second heading row is the grid's first row, as the summaries show it.
    if (r.headings.size() > 1)
        rows << r.headings[1];
    rows += r.rows;
    // Without drawn widths a column is as wide as its heading or its values.
    const QVector<int> widths = page.report->widths.isEmpty() ? QVector<int>(headings.size(), 1) : page.report->widths;
    setupListGrid(page.grid, headings, widths);
    page.grid->setMinimumWidth(qMin(page.grid->minimumWidth(), kMaxGridWidth));
    fillListGrid(page.grid, rows);
    alignRight(page.grid, amountColumnsOf(*page.report));
    if (page.total)
        page.total->setText(r.total.toDisplay());
}

void TfrmReport::showReport(int tab)
{
    Page& page = m_pages[tab];
    page.shownWith = filters(tab);
    page.result = page.report->run(db(), page.shownWith);
    fill(page);
    if (page.result.empty)
        throw AppError(kNotFound);
}

QString saveAndOpenReport(QWidget* parent, const ReportDescriptor& report, const ReportResult& result,
                          const Filters& filters, const LoginContext& login)
{
    if (result.headings.isEmpty() || result.empty)
        throw AppError(kNotFound);
    if (!report.exportParams)
        throw AppError(QStringLiteral("รายงานนี้ไม่มีการพิมพ์ออกทาง MS Excel"));
    const QString sheet = report.exportParams(filters, login).sheetName;
    const QString suggested = QDir(excel::defaultExportFolder())
                                  .filePath(QStringLiteral("%1_%2.xlsx")
                                                .arg(sheet, QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
    const QString path = TfrmReport::s_chooseSavePath(parent, suggested);
    if (path.isEmpty())
        return {};
    const QString written = exportReport(report, result, filters, login, path);
    TfrmReport::s_openWorkbook(written);
    return written;
}

QString TfrmReport::exportShown(int tab)
{
    const Page& page = m_pages[tab];
    return saveAndOpenReport(this, *page.report, page.result, page.shownWith, login());
}

int TfrmReport::currentTab() const
{
    return m_tabs ? m_tabs->currentIndex() : 0;
}

void TfrmReport::showDetails()
{
    Page& page = m_pages[currentTab()];
    const int row = page.grid->currentRow();
    const QTableWidgetItem* item = row >= 0 ? page.grid->item(row, 1) : nullptr;
    if (!item || item->text().isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกเลขที่ควบคุมใบเบิกด้วย"));
    const ReportResult members = page.report->details(db(), item->text());
    if (members.empty)
        throw AppError(kNotFound);
    m_detailNumber->setText(item->text());
    if (m_detailDate) {
        const QTableWidgetItem* date = page.grid->item(row, 6);
        m_detailDate->setText(date ? date->text() : QString());
    }
    setupListGrid(m_detailGrid, members.headings.value(0), {});
    fillListGrid(m_detailGrid, members.rows);
    m_detailTotal->setText(members.total.toDisplay());
    m_main->hide();
    m_detail->show();
}

void TfrmReport::printDetails()
{
    const Report doc = m_pages[currentTab()].report->printDetails(db(), m_detailNumber->text());
    // The list comes back under the preview, as the panel closes for it.
    m_detail->hide();
    m_main->show();
    previewReport(doc, this);
}

QStringList TfrmReport::panelStates() const
{
    QStringList states{kOpened, QStringLiteral("result")};
    if (m_detail)
        states << QStringLiteral("detail");
    return states;
}

void TfrmReport::showPanelState(const QString& name)
{
    if (m_detail) {
        m_detail->hide();
        m_main->show();
    }
    if (name == kOpened)
        return;
    // The widest result the clerk can ask for; an empty one still shows its
    // grid, as after the message a clerk closes.
    const int tab = currentTab();
    chooseBroadest(tab);
    Page& page = m_pages[tab];
    if (!guard([&] {
            page.shownWith = filters(tab);
            page.result = page.report->run(db(), page.shownWith);
            fill(page);
        }))
        return;
    if (name == u"detail") {
        page.grid->selectRow(page.result.headings.size() > 1 ? 1 : 0);
        if (page.result.empty) {
            // Nothing to open: the panel as it looks before its grid is filled.
            m_main->hide();
            m_detail->show();
            return;
        }
        guard([&] { showDetails(); });
    }
}

} // namespace wel
