#include "audit/UAudit_Log.h"

#include "common/AppError.h"
#include "common/Audit.h"
#include "common/excel/ExportFiles.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/Busy.h"
#include "common/widgets/CodeListCombo.h"
#include "common/widgets/FilterBand.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

namespace {

const QString kNothingFound = QStringLiteral("ไม่พบข้อมูล");
const QString kShown = QStringLiteral("shown");

} // namespace

TfrmAudit_Log::TfrmAudit_Log(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmAudit_Log"));
    auto* outer = new QVBoxLayout(this);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel(QStringLiteral("ประวัติการทำรายการ"), this));
    titleRow->addStretch(1);
    auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    connect(exit, &QPushButton::clicked, this, &TfrmAudit_Log::closeScreen);
    titleRow->addWidget(exit);
    outer->addLayout(titleRow);

    auto* dates = new QGroupBox(QStringLiteral("วันที่ทำรายการ"), this);
    dates->setObjectName(QStringLiteral("grpDate"));
    edtDate_From = new BEDateEdit(dates);
    edtDate_From->setObjectName(QStringLiteral("edtDate_From"));
    edtDate_To = new BEDateEdit(dates);
    edtDate_To->setObjectName(QStringLiteral("edtDate_To"));
    layOutChoices(dates, {{new QLabel(QStringLiteral("ตั้งแต่"), dates), edtDate_From},
                          {new QLabel(QStringLiteral("ถึง"), dates), edtDate_To}});

    auto* who = new QGroupBox(QStringLiteral("ผู้ใช้งาน"), this);
    who->setObjectName(QStringLiteral("grpUser"));
    cmbUser = new CodeListCombo(who);
    cmbUser->setObjectName(QStringLiteral("cmbUser"));
    layOutChoices(who, {{cmbUser}});

    auto* what = new QGroupBox(QStringLiteral("รายการ"), this);
    what->setObjectName(QStringLiteral("grpOperation"));
    cmbOperation = new CodeListCombo(what);
    cmbOperation->setObjectName(QStringLiteral("cmbOperation"));
    QVector<CodeListCombo::Item> ops{{QString(), QStringLiteral("ทุกรายการ")}};
    for (const audit::OpInfo& o : audit::operations())
        ops.push_back({o.code, o.code + QLatin1Char(' ') + o.label});
    cmbOperation->setItems(ops);
    layOutChoices(what, {{cmbOperation}});

    auto* key = new QGroupBox(QStringLiteral("เลขที่เอกสาร / KV_ID"), this);
    key->setObjectName(QStringLiteral("grpKey"));
    edtKey = namedEdit(QStringLiteral("edtKey"), 20, key, FieldKind::Code);
    layOutChoices(key, {{edtKey}});

    btnShow = mainButton(QStringLiteral("btnShow"), QStringLiteral("แสดงผล"), this);
    connect(btnShow, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    btnExcel = namedButton(QStringLiteral("btnExcel"), QStringLiteral("พิมพ์ออกทาง MS Excel"), this);
    connect(btnExcel, &QPushButton::clicked, this, [this] { guard([this] { btnExcelClick(); }); });
    outer->addWidget(filterBand(this, {dates, who, what, key}, {btnShow, btnExcel}, kBandWidth));

    StringGrid1 = new ResultGrid(QStringLiteral("StringGrid1"), AuditLog::headings(), {50, 130, 80, 90, 160, 110, 400},
                                 this);
    outer->addWidget(StringGrid1, 1);
    setOpensMaximised();

    // Today's work by default: the trail of a busy office is long.
    edtDate_From->setText(login().Cur_Date);
    edtDate_To->setText(login().Cur_Date);
    QVector<CodeListCombo::Item> users{{QString(), QStringLiteral("ทุกคน")}};
    for (const QString& u : AuditLog::users(db()))
        users.push_back({u, u});
    cmbUser->setItems(users);
}

AuditLog::Filter TfrmAudit_Log::filter() const
{
    return {edtDate_From->text(), edtDate_To->text(), cmbUser->code(), cmbOperation->code(), edtKey->text()};
}

void TfrmAudit_Log::btnShowClick()
{
    const AuditLog::Filter f = filter();
    BusyWork busy(this, QStringLiteral("กำลังแสดงผล ..."));
    m_entries = AuditLog::find(db(), f);
    m_shownWith = f;
    StringGrid1->showRows(AuditLog::cells(m_entries));
    if (m_entries.isEmpty())
        throw AppError(kNothingFound);
}

void TfrmAudit_Log::btnExcelClick()
{
    if (m_entries.isEmpty())
        throw AppError(kNothingFound);
    // In the order the grid shows them.
    QVector<AuditLog::Entry> shown;
    shown.reserve(m_entries.size());
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        shown << m_entries.value(StringGrid1->result()->sourceRow(r));
    const QString path = excel::exportGrid(AuditLog::gridTable(shown), AuditLog::exportParams(m_shownWith));
    excel::openWithDesktop(path);
}

QStringList TfrmAudit_Log::panelStates() const { return {kOpened, kShown}; }

void TfrmAudit_Log::showPanelState(const QString& name)
{
    if (name == kShown) {
        edtDate_From->setText({});
        edtDate_To->setText({});
        guard([this] { btnShowClick(); });
    }
}

} // namespace wel
