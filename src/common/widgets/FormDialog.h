#pragma once
#include <QDialog>

class QFormLayout;
class QPushButton;

namespace wel {

// A small dialog that asks for a few values: a wrapped explanation on top,
// the fields in a form, and "บันทึก" (btnOK) and "ยกเลิก" (btnCancel, which
// rejects) at the bottom right. A subclass adds its rows to form(), then
// calls installEnterAsTab(this) and connects btnOK.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    FormDialog(const QString& objectName, const QString& title, const QString& intro, int introWidth,
               QWidget* parent);
    QFormLayout* form() const { return m_form; }

private:
    QFormLayout* m_form = nullptr;
};

} // namespace wel
