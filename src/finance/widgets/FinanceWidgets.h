#pragma once
#include "finance/Period.h"
#include "finance/VoucherService.h"
#include "common/widgets/Named.h"

#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace wel {
class ChoiceBox;
class FactCodeEdit;
class ResultGrid;
}

namespace wel::finance {

// The period chosen in a box whose buttons are, in order, the kinds given.
Period periodOf(const ChoiceBox* box, const QVector<Period::Kind>& kinds);

using wel::amountField; // common/widgets/Named.h
// A shown-only field wide enough for values like sample.
QLineEdit* shownField(const QString& name, const QString& sample, QWidget* parent);
// A listing at least rows rows high, its last column taking the width left.
ResultGrid* listGrid(const QString& name, const QStringList& headings, const QVector<int>& widths, int rows,
                     QWidget* parent);

// The head of a finance listing panel: the choice of period, the box
// "หน่วยงาน" with its faculty code (the clerk's at first), and the show and
// "กลับสู่เมนูหลัก" buttons at the right.
struct ListingHead {
    FactCodeEdit* factCode = nullptr;
    QPushButton* show = nullptr;
    QPushButton* exit = nullptr;
};
ListingHead addListingHead(QVBoxLayout* layout, QWidget* panel, ChoiceBox* choices, const QString& factCode,
                           const QString& showName, const QString& showCaption);

// Whether a screen's list would find something: what to list is not empty,
// and reading it did not fail (a failure is shown when the list is asked for).
bool anythingTo(const std::function<QString()>& whatToList);

// The grid of a voucher summary's control numbers and its filling; returns their total.
ResultGrid* voucherMemberGrid(const QString& name, QWidget* parent);
Money fillVoucherMembers(ResultGrid* grid, const QVector<VoucherMember>& members);

} // namespace wel::finance
