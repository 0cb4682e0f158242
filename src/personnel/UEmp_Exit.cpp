#include "UEmp_Exit.h"
#include "PersonnelCommon.h"
#include "ResignationService.h"
#include "common/Faculties.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

namespace {
EmployeeSearchOptions searchOptions()
{
    EmployeeSearchOptions s;
    s.searchTitle = QStringLiteral("1. การค้นหา");
    s.gridTitle = QStringLiteral("2. เลือกพนักงาน");
    s.gridName = QStringLiteral("StringGrid2");
    s.selectCaption = QStringLiteral("ค้นหาชื่อ");
    s.orderByLastName = true;
    s.columns = employeeGridColumns();
    s.columns[1].width = 0; // the identity number is carried, not shown
    s.columns[6].width = 80;
    s.columns.push_back({QStringLiteral("KV_ID"), 0, EmployeeColumn::KV_ID});
    s.columns.push_back({QStringLiteral("Fact"), 0, EmployeeColumn::Fact_code});
    return s;
}
} // namespace

TfrmEmp_Exit::TfrmEmp_Exit(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmEmp_Exit"));
    setWindowTitle(QStringLiteral("บันทึกพนักงานลาออก"));
    auto* root = new QVBoxLayout(this);

    Panel1 = new EmployeeSearchPanel(db(), login(), searchOptions(), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* ok = namedButton("btnOk2", QStringLiteral("3. บันทึกการลาออก"), Panel1);
    auto* exit = namedButton("btnCancel", QStringLiteral("กลับสู่เมนูหลัก"), Panel1);
    Panel1->addButton(ok);
    Panel1->addButton(exit);
    connect(ok, &QPushButton::clicked, this, [this] { guard([this] { btnOk2Click(); }); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
    root->addWidget(Panel1, 1);

    Panel2 = buildLeavingPanel();
    root->addWidget(Panel2, 1);
    edtT_U_H->setText(QStringLiteral("0"));
    Panel2->hide();
    setPanels({Panel1, Panel2});
    installEnterAsTab(this);
}

QStringList TfrmEmp_Exit::panelStates() const
{
    return {kOpened, QStringLiteral("search"), QStringLiteral("leaving")};
}

void TfrmEmp_Exit::showPanelState(const QString& name)
{
    if (name == QLatin1String("search") || name == QLatin1String("leaving")) {
        backToSearch();
        if (guard([this] { Panel1->listAll(); }) && name == QLatin1String("leaving"))
            guard([this] { btnOk2Click(); });
    }
}

QWidget* TfrmEmp_Exit::buildLeavingPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    layout->addWidget(titleLabel(QStringLiteral("การบันทึกข้อมูลการลาออก"), panel));

    auto* record = new QGroupBox(QStringLiteral("ประวัติ"), panel);
    edtEmp_Name = namedReadOnly("edtEmp_Name", record);
    edtEMP_ID3 = namedReadOnly("edtEMP_ID3", record, longestValue(FieldKind::Code, 12));
    edtEmp_H_Type = namedReadOnly("edtEmp_H_Type", record, longestValue(FieldKind::Digits, 1));
    edtKV_ID3 = namedReadOnly("edtKV_ID3", record, longest::KV_ID);
    edtT_U_H = namedReadOnly("edtT_U_H", record, longest::noLimit);
    edtT_U_H->setAlignment(Qt::AlignRight);
    edtFact_Code = new FactCodeEdit(record);
    edtFact_Code->setObjectName(QStringLiteral("edtFact_Code"));
    edtFact_Code->setReadOnly(true); // the employee's own faculty, shown only
    edtFact_Name = namedReadOnly("edtFact_Name", record);
    auto* limit = new QHBoxLayout;
    limit->addWidget(edtT_U_H);
    limit->addWidget(new QLabel(QStringLiteral("บาท"), record));
    auto* recordForm = new QFormLayout(record);
    recordForm->addRow(QStringLiteral("ชื่อ - นามสกุล"), edtEmp_Name);
    recordForm->addRow(QStringLiteral("รหัสประจำตัวพนักงาน"), edtEMP_ID3);
    recordForm->addRow(QStringLiteral("สิทธิค่ารักษาประเภท"), edtEmp_H_Type);
    recordForm->addRow(QStringLiteral("KV_ID"), edtKV_ID3);
    recordForm->addRow(QStringLiteral("ยอดวงเงิน"), limit);
    recordForm->addRow(QStringLiteral("รหัสหน่วยงาน"), edtFact_Code);
    recordForm->addRow(QStringLiteral("ชื่อหน่วยงาน"), edtFact_Name);
    layout->addWidget(record);

    auto* details = new QGroupBox(QStringLiteral("รายละเอียดการลาออก"), panel);
    edtEmp_Out_date = new BEDateEdit(details);
    edtEmp_Out_date->setObjectName(QStringLiteral("edtEmp_Out_date"));
    edtExit_Reason = namedEdit("edtExit_Reason", 100, details);
    edtExit_doc = namedEdit("edtExit_doc", 20, details, FieldKind::Code);
    auto* detailForm = new QFormLayout(details);
    detailForm->addRow(QStringLiteral("วันที่ลาออก"), edtEmp_Out_date);
    detailForm->addRow(QStringLiteral("สาเหตุการลาออก"), edtExit_Reason);
    detailForm->addRow(QStringLiteral("เลขที่คำสั่งลาออก"), edtExit_doc);
    layout->addWidget(details);

    auto* save = namedButton("btnSave", QStringLiteral("บันทึกข้อมูล"), panel);
    auto* cancel = namedButton("btnCancelSave", QStringLiteral("ออก"), panel);
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(cancel, &QPushButton::clicked, this, &TfrmEmp_Exit::backToSearch);
    layout->addLayout(buttonRow({save, cancel}));
    layout->addStretch();
    return panel;
}

void TfrmEmp_Exit::btnOk2Click()
{
    const auto e = Panel1->selected();
    if (!e)
        throw AppError(personnel::kNoneSelected);
    edtEmp_Name->setText(e->fullName(QStringLiteral(" ")));
    edtEMP_ID3->setText(e->EMP_ID);
    edtEmp_H_Type->setText(e->Emp_H_Type);
    edtKV_ID3->setText(e->KV_ID);
    edtFact_Code->setText(e->Fact_code);
    edtT_U_H->setText(personnel::limitTextOf(e->Emp_H_Type));
    edtFact_Name->setText(Faculties::nameOf(db(), e->Fact_code));
    edtEmp_Out_date->setText(QString());
    edtExit_Reason->clear();
    edtExit_doc->clear();
    Panel1->hide();
    Panel2->show();
    edtEmp_Out_date->setFocus();
}

void TfrmEmp_Exit::btnSaveClick()
{
    const Resignation r{edtKV_ID3->text(), edtEmp_Out_date->text(), edtExit_Reason->text(), edtExit_doc->text()};
    ResignationService::validate(r);
    if (!msg::confirm(this, personnel::kConfirmSave))
        return;
    ResignationService::record(db(), login(), r);
    msg::info(this, personnel::kSaved);
    Panel1->clearResults();
    backToSearch();
}

void TfrmEmp_Exit::backToSearch()
{
    Panel2->hide();
    Panel1->show();
}

} // namespace wel
