#include "reports/UOverview.h"

#include "common/Faculties.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"
#include "common/db/Database.h"
#include "reports/widgets/OverviewCharts.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

using namespace reports;

namespace {

const QString kAllFaculties = QStringLiteral("ทุกคณะ");

} // namespace

TfrmOverview::TfrmOverview(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmOverview"));
    setWindowTitle(QStringLiteral("ภาพรวมการเบิกสวัสดิการ"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(QStringLiteral("ภาพรวมการเบิกสวัสดิการ"), this));
    root->addWidget(buildChoices());

    auto* grid = new QGridLayout;
    for (const OverviewChartInfo& c : overviewCharts()) {
        auto* box = new QGroupBox(c.title, this);
        box->setObjectName(QStringLiteral("grp_") + c.name);
        auto* layout = new QVBoxLayout(box);
        auto* view = new QChartView(box);
        view->setObjectName(c.name);
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(260, 200);
        auto* none = new QLabel(kNoChartData, box);
        none->setObjectName(c.name + QStringLiteral("_NoData"));
        none->setAlignment(Qt::AlignCenter);
        layout->addWidget(view, 1);
        layout->addWidget(none, 1);
        m_views << view;
        m_noData << none;
        switch (c.chart) {
        case OverviewChart::Months: grid->addWidget(box, 0, 0, 1, 2); break;
        case OverviewChart::Hospitals: grid->addWidget(box, 0, 2); break;
        case OverviewChart::Faculties: grid->addWidget(box, 1, 0); break;
        case OverviewChart::Progress: grid->addWidget(box, 1, 1); break;
        case OverviewChart::Chain: grid->addWidget(box, 1, 2); break;
        }
    }
    for (int c = 0; c < 3; ++c)
        grid->setColumnStretch(c, 1);
    root->addLayout(grid, 1);
    setOpensMaximised();
    installEnterAsTab(this);

    btnShowClick();
}

QWidget* TfrmOverview::buildChoices()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlChoices"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    edtBud_Year = namedEdit(QStringLiteral("edtBud_Year"), 4, panel, FieldKind::Digits);
    edtBud_Year->setText(login().Cur_Bud_Year);
    row->addWidget(new QLabel(QStringLiteral("ปีงบประมาณ"), panel));
    row->addWidget(edtBud_Year);
    row->addSpacing(20);
    row->addWidget(new QLabel(QStringLiteral("หน่วยงาน"), panel));
    if (mode() == u"KV") {
        cmbFact_Code = new QComboBox(panel);
        cmbFact_Code->setObjectName(QStringLiteral("cmbFact_Code"));
        cmbFact_Code->setEditable(true);
        cmbFact_Code->setInsertPolicy(QComboBox::NoInsert);
        cmbFact_Code->addItem(kAllFaculties);
        for (const Faculties::Faculty& f : Faculties::all(db()))
            cmbFact_Code->addItem(Faculties::itemText(f));
        cmbFact_Code->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        row->addWidget(cmbFact_Code);
    } else {
        // It never changes while the screen is open: as wide as what it shows.
        const QString own = Faculties::itemText({login().Cur_Fact_Code, Faculties::nameOf(db(), login().Cur_Fact_Code)});
        edtFact_Code = namedReadOnly(QStringLiteral("edtFact_Code"), panel, own);
        edtFact_Code->setText(own);
        row->addWidget(edtFact_Code);
    }
    row->addSpacing(20);
    auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงผล"), panel);
    show->setDefault(true);
    auto* print = namedButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"), panel);
    auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    connect(print, &QPushButton::clicked, this, [this] { guard([this] { btnPrintClick(); }); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
    row->addWidget(show);
    row->addWidget(print);
    row->addWidget(exit);
    row->addStretch(1);
    return panel;
}

void TfrmOverview::btnShowClick()
{
    QString chosen;
    if (cmbFact_Code) {
        const QString text = cmbFact_Code->currentText().trimmed();
        chosen = text == kAllFaculties ? QString() : Faculties::codeOfItem(text);
    }
    m_shown = readOverview(db(), overviewScope(login(), edtBud_Year->text(), chosen));
    showCharts();
}

void TfrmOverview::showCharts()
{
    for (int i = 0; i < m_views.size(); ++i) {
        const OverviewChart which = overviewCharts()[i].chart;
        const bool any = hasData(m_shown, which);
        QChart* old = m_views[i]->chart();
        m_views[i]->setChart(makeChart(m_shown, which));
        delete old;
        m_views[i]->setVisible(any);
        m_noData[i]->setVisible(!any);
    }
}

void TfrmOverview::btnPrintClick()
{
    const Report doc = overviewDocument(m_shown, db().serverNow());
    previewReport(doc, this);
}

} // namespace wel
