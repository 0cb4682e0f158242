#include "FinanceWidgets.h"
#include "ChoiceBox.h"
#include "common/AppError.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QLineEdit>

namespace wel::finance {

Period periodOf(const ChoiceBox* box, const QVector<Period::Kind>& kinds)
{
    return {kinds.value(box->chosen(), Period::All), box->value()};
}

QLineEdit* shownField(const QString& name, const QString& sample, QWidget* parent)
{
    return namedReadOnly(name, parent, sample);
}

ListingHead addListingHead(QVBoxLayout* layout, QWidget* panel, ChoiceBox* choices, const QString& factCode,
                           const QString& showName, const QString& showCaption)
{
    ListingHead head;
    auto* unit = new QGroupBox(QStringLiteral("หน่วยงาน"), panel);
    head.factCode = new FactCodeEdit(unit);
    head.factCode->setObjectName(QStringLiteral("edtFact_Code"));
    head.factCode->setText(factCode);
    auto* unitRow = new QHBoxLayout(unit);
    unitRow->addWidget(new QLabel(QStringLiteral("รหัสคณะ"), unit));
    unitRow->addWidget(head.factCode);
    unitRow->addStretch();
    head.show = namedButton(showName, showCaption, panel);
    head.exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
    auto* top = new QHBoxLayout;
    top->addWidget(choices, 0, Qt::AlignTop);
    top->addWidget(unit, 0, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(head.show);
    buttons->addWidget(head.exit);
    buttons->addStretch();
    top->addLayout(buttons);
    top->addStretch();
    layout->addLayout(top);
    return head;
}

ResultGrid* listGrid(const QString& name, const QStringList& headings, const QVector<int>& widths, int rows,
                     QWidget* parent)
{
    auto* grid = new ResultGrid(name, headings, widths, parent);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height()
                           + grid->verticalHeader()->defaultSectionSize() * rows + 4);
    return grid;
}

bool anythingTo(const std::function<QString()>& whatToList)
{
    try {
        return !whatToList().isEmpty();
    } catch (const AppError&) {
        return false;
    }
}

ResultGrid* voucherMemberGrid(const QString& name, QWidget* parent)
{
    ResultGrid* grid = listGrid(name,
                                {QStringLiteral("No"), QStringLiteral("ลำดับ"), QStringLiteral("เลขที่ควบคุมใบเบิก"),
                                 QStringLiteral("รหัสคณะ"), QStringLiteral("ประเภท"), QStringLiteral("จำนวนเงิน"),
                                 QStringLiteral("วันที่ส่งข้อมูล")},
                                {50, 50, 140, 60, 120, 120, 110}, 8, parent);
    grid->alignRight({5});
    return grid;
}

Money fillVoucherMembers(ResultGrid* grid, const QVector<VoucherMember>& members)
{
    QVector<QStringList> cells;
    Money total;
    for (int i = 0; i < members.size(); ++i) {
        const VoucherMember& m = members[i];
        cells.push_back({QString::number(i + 1), QString::number(m.orderNo), m.controlNo, m.factCode,
                         categoryLabel(m.category), m.amount.toDisplay(), m.sentDate});
        total += m.amount;
    }
    grid->showRows(std::move(cells));
    return total;
}

} // namespace wel::finance
