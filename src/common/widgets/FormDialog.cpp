#include "FormDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

FormDialog::FormDialog(const QString& objectName, const QString& title, const QString& intro, int introWidth,
                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(title);
    auto* outer = new QVBoxLayout(this);
    auto* label = new QLabel(intro, this);
    label->setWordWrap(true);
    label->setMinimumWidth(introWidth);
    outer->addWidget(label);
    m_form = new QFormLayout;
    outer->addLayout(m_form);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton(QStringLiteral("บันทึก"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("ยกเลิก"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    outer->addLayout(buttons);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace wel
