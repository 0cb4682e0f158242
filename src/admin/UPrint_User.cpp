#include "UPrint_User.h"
#include "UserLetter.h"
#include "UserService.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace wel {

TfrmPrint_User::TfrmPrint_User(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(QStringLiteral("พิมพ์ผู้ใช้งานระบบ"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(QStringLiteral("พิมพ์ผู้ใช้งานระบบ"), this));

    auto* range = new QHBoxLayout;
    edtU_ID1 = namedEdit(QStringLiteral("edtU_ID1"), 5, this, FieldKind::Digits);
    edtU_ID2 = namedEdit(QStringLiteral("edtU_ID2"), 5, this, FieldKind::Digits);
    for (QLineEdit* e : {edtU_ID1, edtU_ID2})
        e->setAlignment(Qt::AlignRight);
    btnShow_data = namedButton(QStringLiteral("btnShow_data"), QStringLiteral("แสดงข้อมูล"), this);
    btnPrint_Preview = namedButton(QStringLiteral("btnPrint_Preview"), QStringLiteral("พิมพ์"), this);
    btnExit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    range->addWidget(new QLabel(QStringLiteral("ใส่ลำดับที่"), this));
    range->addWidget(edtU_ID1);
    range->addWidget(new QLabel(QStringLiteral("ถึง"), this));
    range->addWidget(edtU_ID2);
    range->addSpacing(16);
    range->addWidget(btnShow_data);
    range->addWidget(btnPrint_Preview);
    range->addStretch();
    range->addWidget(btnExit);
    layout->addLayout(range);

    StringGrid1 = new ResultGrid(QStringLiteral("StringGrid1"), this);
    StringGrid1->setColumns({QStringLiteral("No"), QStringLiteral("ลำดับ"), QStringLiteral("ชื่อ - นามสกุล"),
                             QStringLiteral("ตำแหน่ง"), QStringLiteral("เบอร์โทรศัพท์"), QStringLiteral("หน่วยงาน"),
                             QStringLiteral("ฝ่าย")},
                            {40, 40, 150, 100, 100, 200, 100});
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(StringGrid1, 1);

    edtU_ID1->setText(QStringLiteral("1"));
    edtU_ID2->setText(QStringLiteral("5"));
    installEnterAsTab(this);

    connect(btnShow_data, &QPushButton::clicked, this, [this] { guard([this] { btnShow_dataClick(); }); });
    connect(btnPrint_Preview, &QPushButton::clicked, this, [this] { guard([this] { btnPrint_PreviewClick(); }); });
    connect(btnExit, &QPushButton::clicked, this, &Screen::closeScreen);
    setOpensMaximised();
}

QStringList TfrmPrint_User::panelStates() const { return {kOpened, QStringLiteral("shown")}; }

void TfrmPrint_User::showPanelState(const QString& name)
{
    if (name == QLatin1String("shown"))
        guard([this] { btnShow_dataClick(); });
}

void TfrmPrint_User::btnShow_dataClick()
{
    QVector<QStringList> rows;
    for (const UserService::UserLine& u : UserService::userLines(db()))
        rows.push_back({QString::number(rows.size() + 1), u.id, u.name, u.position, u.telephone, u.unit,
                        u.sectionName});
    StringGrid1->showRows(std::move(rows));
}

void TfrmPrint_User::btnPrint_PreviewClick()
{
    const auto [from, to] = UserService::parseRange(edtU_ID1->text(), edtU_ID2->text());
    if (!msg::confirm(this, QStringLiteral("หนังสือแจ้งจะกำหนดรหัสผ่านใหม่ให้ผู้ใช้งานลำดับที่ %1 ถึง %2 "
                                           "รหัสผ่านเดิมของผู้ใช้งานเหล่านี้จะใช้ไม่ได้อีก "
                                           "ต้องการพิมพ์หนังสือแจ้งหรือไม่")
                                .arg(from)
                                .arg(to)))
        return;
    const Report letters = [&] {
        // Each new password is hashed slowly on purpose.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        return userLetters(db(), from, to, login().Cur_Date, login().Cur_Username);
    }();
    previewReport(letters, this);
}

} // namespace wel
