#include "reports/UReport.h"

#include "common/AppError.h"
#include "common/excel/Address.h"
#include "common/excel/ExportFiles.h"
#include "common/widgets/Busy.h"
#include "common/widgets/CodeListCombo.h"
#include "common/widgets/FilterBand.h"
#include "common/widgets/ResultGrid.h"
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
    mainLayout->setSpacing(4);
    // The way back sits on the title line, so that the grid keeps the height.
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel(m_pages.size() > 1 ? QStringLiteral("รายงานสรุปค่ารักษาแยกตามประเภทและเดือน")
                                                      : m_pages.first().report->title,
                                   m_main));
    titleRow->addStretch(1);
    auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), m_main);
    connect(exit, &QPushButton::clicked, this, &TfrmReport::closeScreen);
    titleRow->addWidget(exit);
    mainLayout->addLayout(titleRow);
    if (m_pages.size() > 1) {
        m_tabs = new QTabWidget(m_main);
        m_tabs->setObjectName(QStringLiteral("PageControl1"));
        for (Page& p : m_pages)
            m_tabs->addTab(buildPage(p), p.report->title);
        mainLayout->addWidget(m_tabs, 1);
    } else {
        mainLayout->addWidget(buildPage(m_pages.first()), 1);
    }
    outer->addWidget(m_main, 1);

    QList<QWidget*> panels{m_main};
    if (m_pages.first().report->details) {
        buildDetailPanel();
        outer->addWidget(m_detail, 1);
        m_detail->hide();
        panels << m_detail;
    }
    setPanels(panels);
    setOpensMaximised();
}

void TfrmReport::buildDetailPanel()
{
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
    m_detailGrid = new ResultGrid(QStringLiteral("StringGrid2"), m_detail);
    d.layout->addWidget(m_detailGrid, 1);
    auto* close = namedButton(QStringLiteral("btnClose"), QStringLiteral("ออก"), m_detail);
    connect(close, &QPushButton::clicked, this, [this] {
        m_detail->hide();
        m_main->show();
    });
    QHBoxLayout* buttons = buttonRow({close});
    if (m_pages.first().report->printDetails) {
        auto* print = mainButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"), m_detail);
        connect(print, &QPushButton::clicked, this, [this] { guard([this] { printDetails(); }); });
        buttons->insertWidget(0, print);
    }
    m_detailTotal = amountField(QStringLiteral("edtDetail_Total"), m_detail);
    addTotal(buttons, QStringLiteral("ยอดเงินรวม"), m_detailTotal, m_detail);
    d.layout->addLayout(buttons);
}

QWidget* TfrmReport::buildPage(Page& page)
{
    const ReportDescriptor& r = *page.report;
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("tab_") + r.id);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);

    QList<QGroupBox*> boxes;
    for (const FilterSpec& spec : r.filters(login())) {
        auto* box = new QGroupBox(spec.title, w);
        box->setObjectName(QStringLiteral("grp_") + spec.key);
        page.groups << buildGroup(spec, box);
        boxes << box;
    }

    auto* show = mainButton(QStringLiteral("btnShow"), QStringLiteral("แสดงผล"), w);
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
    layout->addWidget(filterBand(w, boxes, buttons, kBandWidth));

    page.grid = new ResultGrid(QStringLiteral("StringGrid1"), w);
    layout->addWidget(page.grid, 1);

    if (!r.orderNote.isEmpty() || !r.totalCaption.isEmpty()) {
        auto* row = new QHBoxLayout;
        if (!r.orderNote.isEmpty()) {
            auto* note = new QLabel(r.orderNote, w);
            note->setObjectName(QStringLiteral("lblOrder"));
            row->addWidget(note);
        }
        if (!r.totalCaption.isEmpty()) {
            page.total = amountField(QStringLiteral("edtTotal"), w);
            page.total->setText(QStringLiteral("0.00"));
            addTotal(row, r.totalCaption, page.total, w);
        } else {
            row->addStretch(1);
        }
        layout->addLayout(row);
    }
    page.result = ReportResult();
    return w;
}

TfrmReport::Group TfrmReport::buildGroup(const FilterSpec& spec, QGroupBox* box)
{
    Group g;
    g.spec = spec;
    g.locked = facultyLocked(spec.lock, login());
    g.buttons = new QButtonGroup(box);
    QVector<QList<QWidget*>> choices;
    for (int i = 0; i < spec.options.size(); ++i) {
        const FilterOption& o = spec.options[i];
        auto* rb = new QRadioButton(o.caption, box);
        rb->setObjectName(QStringLiteral("rb_%1_%2").arg(spec.key, o.value));
        g.buttons->addButton(rb, i);
        QList<QWidget*> choice{rb};
        QWidget* field = nullptr;
        if (o.list != CodeList::None) {
            auto* combo = new CodeListCombo(box);
            combo->setObjectName(QStringLiteral("cmb_%1_%2").arg(spec.key, o.value));
            QVector<CodeListCombo::Item> items;
            for (const CodeItem& c : codeList(db(), o.list))
                items.push_back({c.code, c.text});
            combo->setItems(items);
            field = combo;
        } else if (o.maxLength > 0) {
            QLineEdit* e = namedEdit(QStringLiteral("edt_%1_%2").arg(spec.key, o.value), o.maxLength, box,
                                     o.maxLength <= 2    ? FieldKind::Code
                                     : o.maxLength <= 10 ? FieldKind::Digits
                                                         : FieldKind::Text);
            if (!o.inputMask.isEmpty())
                e->setInputMask(o.inputMask);
            field = e;
        }
        if (field) {
            setValue(field, o.initialText);
            choice << field;
        }
        g.fields << field;
        QLineEdit* extra = nullptr;
        if (o.extraMaxLength > 0) {
            extra = namedEdit(QStringLiteral("edt_%1").arg(o.extraKey), o.extraMaxLength, box);
            choice << new QLabel(o.extraCaption, box) << extra;
        }
        g.extraFields << extra;
        choices << choice;
        rb->setChecked(o.value == spec.initial);
    }
    layOutChoices(box, choices);
    auto enableFields = [g]() {
        for (int i = 0; i < g.fields.size(); ++i)
            for (QWidget* f : {g.fields[i], static_cast<QWidget*>(g.extraFields[i])})
                if (f)
                    f->setEnabled(g.buttons->checkedId() == i);
    };
    connect(g.buttons, &QButtonGroup::idToggled, box, enableFields);
    enableFields();
    if (g.locked) {
        // The faculty is the clerk's own in this mode.
        for (int i = 0; i < spec.options.size(); ++i)
            if (spec.options[i].value == u"one") {
                g.buttons->button(i)->setChecked(true);
                setValue(g.fields[i], login().Cur_Fact_Code);
            }
        box->setEnabled(false);
    }
    return g;
}

QString TfrmReport::valueOf(const QWidget* field)
{
    if (const auto* combo = qobject_cast<const CodeListCombo*>(field))
        return combo->code();
    if (const auto* e = qobject_cast<const QLineEdit*>(field))
        return e->text().trimmed();
    return {};
}

void TfrmReport::setValue(QWidget* field, const QString& value)
{
    if (auto* combo = qobject_cast<CodeListCombo*>(field)) {
        if (!combo->setCode(value))
            combo->setEditText(value);
    } else if (auto* e = qobject_cast<QLineEdit*>(field)) {
        e->setText(value);
    }
}

Filters TfrmReport::filters(int tab) const
{
    Filters f;
    for (const Group& g : m_pages[tab].groups) {
        const int i = g.buttons->checkedId();
        if (i < 0)
            continue;
        const FilterOption& o = g.spec.options[i];
        f.insert(g.spec.key, g.fields[i] ? o.value + u':' + valueOf(g.fields[i]) : o.value);
        if (g.extraFields[i])
            f.insert(o.extraKey, o.extraKey + u':' + g.extraFields[i]->text().trimmed());
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
    QVector<QStringList> rows;
    // A second heading row is the grid's first row, as the summaries show it.
    const int headingRows = r.headings.size() > 1 ? 1 : 0;
    if (headingRows)
        rows << r.headings[1];
    rows += r.rows;
    // Without drawn widths a column is as wide as its heading or its values.
    page.grid->setColumns(r.headings.value(0), page.report->widths);
    page.grid->setMinimumWidth(qMin(page.grid->minimumWidth(), kMaxGridWidth));
    // A list sorts by its headings, its total rows (no running number) kept
    // at the end; a summary's subtotal and blank rows would lose their place.
    int totalRows = 0;
    while (totalRows < r.rows.size() && r.rows[r.rows.size() - 1 - totalRows].value(0).isEmpty())
        ++totalRows;
    bool numbered = true;
    for (int i = 0; i < r.rows.size() - totalRows; ++i)
        numbered = numbered && !r.rows[i].value(0).isEmpty();
    page.grid->setSortable(numbered && !r.empty);
    page.grid->alignRight(amountColumnsOf(*page.report));
    page.grid->showRows(std::move(rows), headingRows, totalRows);
    if (page.total)
        page.total->setText(r.total.toDisplay());
}

void TfrmReport::showReport(int tab)
{
    Page& page = m_pages[tab];
    page.shownWith = filters(tab);
    {
        BusyWork busy(this, QStringLiteral("กำลังแสดงผล ..."));
        page.result = page.report->run(db(), page.shownWith);
    }
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
    QString written;
    runInBackground(parent, QStringLiteral("กำลังสร้างแฟ้ม MS Excel ..."),
                    [&] { written = exportReport(report, result, filters, login, path); });
    TfrmReport::s_openWorkbook(written);
    return written;
}

QString TfrmReport::exportShown(int tab)
{
    const Page& page = m_pages[tab];
    ReportResult shown = page.result;
    // The rows as the grid shows them, sorted or not; a second heading row
    // stays a heading.
    const ResultModel* model = page.grid->result();
    if (model->rowCount() == page.result.rows.size() + model->fixedRows())
        shown.rows = model->rows().mid(model->fixedRows());
    return saveAndOpenReport(this, *page.report, shown, page.shownWith, login());
}

int TfrmReport::currentTab() const
{
    return m_tabs ? m_tabs->currentIndex() : 0;
}

void TfrmReport::showDetails()
{
    Page& page = m_pages[currentTab()];
    const int row = page.grid->currentRow();
    const QString number = row >= 0 ? page.grid->text(row, 1) : QString();
    if (number.isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกเลขที่ควบคุมใบเบิกด้วย"));
    const ReportResult members = page.report->details(db(), number);
    if (members.empty)
        throw AppError(kNotFound);
    m_detailNumber->setText(number);
    if (m_detailDate)
        m_detailDate->setText(page.grid->text(row, 6));
    m_detailGrid->setColumns(members.headings.value(0));
    m_detailGrid->showRows(members.rows);
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
