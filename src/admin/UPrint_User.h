#pragma once
#include "common/widgets/Screen.h"

class QLineEdit;
class QPushButton;

namespace wel {

class ResultGrid;

// "พิมพ์ผู้ใช้งานระบบ": the list of users and their notification letters.
class TfrmPrint_User : public Screen {
    Q_OBJECT
public:
    explicit TfrmPrint_User(const ScreenContext& context, QWidget* parent = nullptr);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    void btnShow_dataClick();
    void btnPrint_PreviewClick();

    QLineEdit* edtU_ID1 = nullptr;
    QLineEdit* edtU_ID2 = nullptr;
    QPushButton* btnShow_data = nullptr;
    QPushButton* btnPrint_Preview = nullptr;
    QPushButton* btnExit = nullptr;
    ResultGrid* StringGrid1 = nullptr;
};

} // namespace wel
