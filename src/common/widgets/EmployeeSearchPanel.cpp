#include "EmployeeSearchPanel.h"
#include "FactCodeEdit.h"
#include "Named.h"
#include "ResultGrid.h"
#include "Screen.h"
#include "common/AppError.h"
#include "common/Utility.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace wel {

const QString EmployeeSearchPanel::kNameRequired = QStringLiteral("กรุณาใส่ชื่อที่ต้องการค้นหาด้วย");

QVector<EmployeeGridColumn> employeeGridColumns()
{
    return {{QStringLiteral("No"), 50, EmployeeColumn::RowNo},
            {QStringLiteral("รหัสประจำตัวประชาชน"), 90, EmployeeColumn::Emp_SSN},
            {QStringLiteral("รหัสประจำตัวพนักงาน"), 90, EmployeeColumn::EMP_ID},
            {QStringLiteral("คำนำหน้า"), 70, EmployeeColumn::Emp_Surname},
            {QStringLiteral("ชื่อ"), 80, EmployeeColumn::Emp_F_Name},
            {QStringLiteral("นามสกุล"), 80, EmployeeColumn::Emp_L_Name},
            {QStringLiteral("ปรเภท"), 40, EmployeeColumn::Emp_H_Type}};
}

EmployeeSearchPanel::EmployeeSearchPanel(Database& db, const LoginContext& login, EmployeeSearchOptions options,
                                         QWidget* parent)
    : QWidget(parent), m_db(db), m_login(login), m_options(std::move(options))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* searchBox = new QGroupBox(m_options.searchTitle, this);
    auto* form = new QGridLayout;
    m_byName = new QRadioButton(QStringLiteral("ชื่อ"), searchBox);
    m_byEmpId = new QRadioButton(QStringLiteral("รหัสประจำตัวพนักงาน"), searchBox);
    m_bySsn = new QRadioButton(QStringLiteral("รหัสประจำตัวประชาชน"), searchBox);
    m_byName->setObjectName(QStringLiteral("RadioButton1"));
    m_byEmpId->setObjectName(QStringLiteral("RadioButton2"));
    m_bySsn->setObjectName(QStringLiteral("RadioButton3"));
    m_firstName = namedEdit("edtEmp_F_Name", 40, searchBox);
    m_empId = namedEdit("edtEMP_ID", 12, searchBox, FieldKind::Code);
    m_ssn = namedEdit("edtEmp_SSN", 13, searchBox, FieldKind::Digits);
    form->addWidget(m_byName, 0, 0);
    form->addWidget(m_firstName, 0, 1);
    if (m_options.withLastName) {
        m_lastName = namedEdit("edtEmp_L_Name", 40, searchBox);
        form->addWidget(new QLabel(QStringLiteral("นามสกุล"), searchBox), 0, 2);
        form->addWidget(m_lastName, 0, 3);
    }
    form->addWidget(m_byEmpId, 1, 0);
    form->addWidget(m_empId, 1, 1);
    form->addWidget(m_bySsn, 2, 0);
    form->addWidget(m_ssn, 2, 1);
    if (m_options.faculty == SearchFaculty::Field) {
        m_fact = new FactCodeEdit(searchBox);
        m_fact->setObjectName(QStringLiteral("edtFact_Code"));
        m_fact->setText(m_login.Cur_Fact_Code);
        m_fact->setMode(m_login.Cur_Mode);
        auto* factLabel = new QLabel(m_options.factCaption, searchBox);
        factLabel->setObjectName(QStringLiteral("lblFact_Code"));
        form->addWidget(factLabel, 3, 0);
        form->addWidget(m_fact, 3, 1);
    }
    form->setColumnStretch(4, 1);
    for (QRadioButton* rb : {m_byName, m_byEmpId, m_bySsn})
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                modeChanged();
        });

    auto* select = namedButton("btnSelect", m_options.selectCaption, searchBox);
    connect(select, &QPushButton::clicked, this, [this] { guardOperation(this, [this] { search(); }); });
    m_buttons = new QHBoxLayout;
    m_buttons->addWidget(select);
    m_buttons->addStretch();
    auto* searchLayout = new QVBoxLayout(searchBox);
    searchLayout->addLayout(form);
    searchLayout->addLayout(m_buttons);
    layout->addWidget(searchBox);

    auto* gridBox = new QGroupBox(m_options.gridTitle, this);
    QStringList headings;
    QVector<int> widths;
    for (const EmployeeGridColumn& c : m_options.columns) {
        headings << c.heading;
        widths << c.width;
    }
    m_grid = new ResultGrid(m_options.gridName, headings, widths, gridBox);
    auto* gridLayout = new QVBoxLayout(gridBox);
    gridLayout->addWidget(m_grid);
    layout->addWidget(gridBox, 1);

    reset();
}

void EmployeeSearchPanel::addButton(QPushButton* button)
{
    m_buttons->insertWidget(m_buttons->count() - 1, button);
}

void EmployeeSearchPanel::reset()
{
    for (QLineEdit* e : {m_firstName, m_lastName, m_empId, m_ssn})
        if (e)
            e->clear();
    m_byName->setChecked(true);
    modeChanged();
    clearResults();
}

void EmployeeSearchPanel::modeChanged()
{
    m_firstName->setEnabled(m_byName->isChecked());
    if (m_lastName)
        m_lastName->setEnabled(m_byName->isChecked());
    m_empId->setEnabled(m_byEmpId->isChecked());
    m_ssn->setEnabled(m_bySsn->isChecked());
}

void EmployeeSearchPanel::clearResults()
{
    m_rows.clear();
    m_searchedFaculty.clear();
    m_grid->showRows({QStringList(m_options.columns.size())});
    m_grid->selectRow(0);
}

void EmployeeSearchPanel::search()
{
    EmployeeQuery q;
    if (m_byEmpId->isChecked()) {
        q.by = EmployeeSearchBy::EmpId;
        q.text = m_empId->text();
    } else if (m_bySsn->isChecked()) {
        q.by = EmployeeSearchBy::Ssn;
        q.text = m_ssn->text();
    } else {
        q.text = m_firstName->text();
        q.lastName = m_lastName ? m_lastName->text() : QString();
        if (m_options.nameRequired && TrimBlanks(q.text).isEmpty())
            throw AppError(kNameRequired);
    }
    switch (m_options.faculty) {
    case SearchFaculty::ByMode: q.factCode = facultyScope(m_login); break;
    case SearchFaculty::Clerk: q.factCode = m_login.Cur_Fact_Code; break;
    case SearchFaculty::Field:
        q.factCode = m_fact->code();
        if (q.factCode.isEmpty()) { // no faculty is not every faculty
            clearResults();
            throw AppError(QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
        }
        break;
    case SearchFaculty::Any: break;
    case SearchFaculty::Chosen:
        try {
            q.factCode = m_options.chosenFaculty();
        } catch (const AppError&) {
            clearResults();
            throw;
        }
        break;
    }
    q.orderByLastName = m_options.orderByLastName;
    q.anyStatus = m_options.anyStatus;
    const QVector<EmployeeSummary> found = searchActiveEmployees(m_db, q);
    clearResults();
    if (found.isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
    m_rows = found;
    m_searchedFaculty = q.factCode;
    QVector<QStringList> rows;
    for (int r = 0; r < found.size(); ++r) {
        QStringList cells;
        for (const EmployeeGridColumn& column : m_options.columns)
            cells << cellText(found[r], r + 1, column.column);
        rows << cells;
    }
    m_grid->showRows(std::move(rows));
    m_grid->selectRow(0);
}

void EmployeeSearchPanel::listAll()
{
    m_empId->clear();
    m_byEmpId->setChecked(true);
    search();
}

QString EmployeeSearchPanel::cellText(const EmployeeSummary& e, int rowNo, EmployeeColumn c) const
{
    switch (c) {
    case EmployeeColumn::RowNo: return QString::number(rowNo);
    case EmployeeColumn::Emp_SSN: return e.Emp_SSN;
    case EmployeeColumn::EMP_ID: return e.EMP_ID;
    case EmployeeColumn::Emp_Surname: return e.Emp_Surname;
    case EmployeeColumn::Emp_F_Name: return e.Emp_F_Name;
    case EmployeeColumn::Emp_L_Name: return e.Emp_L_Name;
    case EmployeeColumn::Emp_H_Type: return e.Emp_H_Type;
    case EmployeeColumn::KV_ID: return e.KV_ID;
    case EmployeeColumn::Emp_Position: return e.Emp_Position;
    case EmployeeColumn::Fact_code: return e.Fact_code;
    case EmployeeColumn::CopayRight:
        return e.Emp_H_Type.trimmed() == QLatin1String("1") ? QStringLiteral("ไม่มี") : QStringLiteral("มี");
    case EmployeeColumn::EduRight:
        return e.Emp_H_Type.trimmed() == QLatin1String("2") ? QStringLiteral("ไม่มี") : QStringLiteral("มี");
    }
    return {};
}

std::optional<EmployeeSummary> EmployeeSearchPanel::selected() const
{
    const int row = m_grid->currentSourceRow();
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    return m_rows.at(row);
}

} // namespace wel
