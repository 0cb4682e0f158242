#include "UMain_Welmora.h"
#include "MenuTable.h"
#include "UChange_Password.h"
#include "UFirst_Admin.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Screen.h"
#include "common/widgets/ScreenRegistry.h"
#include "common/widgets/ScreenWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QGroupBox>
#include <QIcon>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QVBoxLayout>

// The picture is compiled into the widgets library; a static library's
// resources must be registered by hand.
static void initResources() { Q_INIT_RESOURCE(welmora); }

namespace wel {

namespace {
const int kPanelWidths[7] = {50, 200, 220, 120, 200, 200, 20};
const char* kPanelTexts[7] = {"คณะ", "ชื่อคณะ", "ชื่อผู้ใช้งาน", "วันที่", "IP Address", "", "BG Year"};
const QString kNotAvailable = QStringLiteral("ยังไม่เปิดให้ใช้งาน");
} // namespace

std::unique_ptr<Database> openAtStartup(const QString& url, Opening how)
{
    QWidget notice;
    notice.setObjectName(QStringLiteral("frmConnecting"));
    notice.setWindowTitle(QStringLiteral("ระบบสวัสดิการพนักงาน"));
    auto* text = new QLabel(&notice);
    text->setObjectName(QStringLiteral("L_Connecting"));
    text->setMargin(24);
    try {
        text->setText(QStringLiteral("กำลังติดต่อฐานข้อมูล %1 ...").arg(DbUrl::parse(url).display()));
        (new QVBoxLayout(&notice))->addWidget(text);
        notice.show();
        QApplication::processEvents();
        return openDatabase(url, how);
    } catch (const AppError& e) {
        notice.hide();
        showFailure(nullptr, e);
    } catch (const std::exception& e) {
        notice.hide();
        msg::error(nullptr, LoginService::kConnectFailMessage, QString::fromLocal8Bit(e.what()));
    }
    return nullptr;
}

TfrmMain_Welmora::TfrmMain_Welmora(Database& db, QWidget* parent) : QMainWindow(parent), m_db(db)
{
    setObjectName(QStringLiteral("frmMain_Welmora"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("Image1"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->viewport()->installEventFilter(this);
    setCentralWidget(m_mdi);
    initResources();
    m_picture.load(QStringLiteral(":/background.jpg"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/welmora.png")));

    L_Cdate = new QLabel(m_mdi->viewport());
    L_Cdate->setObjectName(QStringLiteral("L_Cdate"));
    QFont f = L_Cdate->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    L_Cdate->setFont(f);
    L_Cdate->setStyleSheet(QStringLiteral("color: #1f3b5a; background: transparent;"));

    buildLoginPanel();
    buildStatusBar();
    buildMenus();
    // F10 opens the menu bar as on the clerks' other desktops (Alt still
    // does). Watched for at the application, not as a shortcut: a desktop
    // without a window manager never makes the window active, and
    // shortcuts wait for that.
    QApplication::instance()->installEventFilter(this);
    resize(1280, 800);
}

void TfrmMain_Welmora::buildLoginPanel()
{
    Panel1 = new QFrame(m_mdi->viewport());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setFixedWidth(520);
    auto* outer = new QVBoxLayout(Panel1);

    auto* groupTitle = new QGroupBox(Panel1);
    groupTitle->setObjectName(QStringLiteral("GroupBox1"));
    auto* title = new QLabel(QStringLiteral("โปรแกรมค่ารักษาพยาบาล พนักงานมหาวิทยาลัย"), groupTitle);
    title->setObjectName(QStringLiteral("Label1"));
    QFont tf = title->font();
    tf.setPointSize(tf.pointSize() + 5);
    tf.setBold(true);
    title->setFont(tf);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: #0b3d91;"));
    (new QVBoxLayout(groupTitle))->addWidget(title);
    outer->addWidget(groupTitle);

    auto* groupLogin = new QGroupBox(Panel1);
    groupLogin->setObjectName(QStringLiteral("GroupBox2"));
    auto* grid = new QGridLayout(groupLogin);
    edtUser_Name = new QLineEdit(groupLogin);
    edtUser_Name->setObjectName(QStringLiteral("edtUser_Name"));
    edtPassword = new QLineEdit(groupLogin);
    edtPassword->setObjectName(QStringLiteral("edtPassword"));
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    btnOK = new QPushButton(QStringLiteral("ตกลง"), groupLogin);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAutoDefault(true);
    btnCancel = new QPushButton(QStringLiteral("ยกเลิก"), groupLogin);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(true);
    grid->addWidget(new QLabel(QStringLiteral("User Name"), groupLogin), 0, 0);
    grid->addWidget(edtUser_Name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Password"), groupLogin), 1, 0);
    grid->addWidget(edtPassword, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    outer->addWidget(groupLogin);
    setTabOrder(edtUser_Name, edtPassword);
    setTabOrder(edtPassword, btnOK);
    setTabOrder(btnOK, btnCancel);
    installEnterAsTab(groupLogin);

    auto* groupNotes = new QGroupBox(QStringLiteral("หมายเหตุ"), Panel1);
    groupNotes->setObjectName(QStringLiteral("GroupBox3"));
    auto* notes = new QVBoxLayout(groupNotes);
    for (int i = 0; i < 3; ++i) {
        L_main_msg[i] = new QLabel(groupNotes);
        L_main_msg[i]->setObjectName(QStringLiteral("L_main_msg%1").arg(i + 1));
        L_main_msg[i]->setWordWrap(true);
        L_main_msg[i]->setStyleSheet(QStringLiteral("color: #8b0000;"));
        notes->addWidget(L_main_msg[i]);
    }
    outer->addWidget(groupNotes);

    auto* groupVersion = new QGroupBox(Panel1);
    groupVersion->setObjectName(QStringLiteral("GroupBox4"));
    auto* ver = new QHBoxLayout(groupVersion);
    LblVersion = new QLabel(groupVersion);
    LblVersion->setObjectName(QStringLiteral("LblVersion"));
    auto* internal = new QLabel(QStringLiteral("Internal Version 2.0"), groupVersion);
    internal->setObjectName(QStringLiteral("Label5"));
    ver->addWidget(LblVersion);
    ver->addStretch();
    ver->addWidget(internal);
    outer->addWidget(groupVersion);

    connect(btnOK, &QPushButton::clicked, this, &TfrmMain_Welmora::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmMain_Welmora::btnCancelClick);
}

void TfrmMain_Welmora::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 7; ++i) {
        m_panels[i] = new QLabel(QString::fromUtf8(kPanelTexts[i]), bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        m_panels[i]->setMinimumWidth(kPanelWidths[i]);
        if (i < 6)
            m_panels[i]->setFixedWidth(kPanelWidths[i]);
        bar->addWidget(m_panels[i], i == 6 ? 1 : 0);
    }
    m_panels[5]->setText(QStringLiteral("Data True Server:") + m_db.serverLabel());
    bar->hide();
}

void TfrmMain_Welmora::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuEntry& e : menuTable()) {
        QMenu* parent = e.parent.isEmpty() ? nullptr : m_menus.value(e.parent);
        QAction* action = nullptr;
        switch (e.kind) {
        case MenuEntry::Menu: {
            QMenu* menu = parent ? parent->addMenu(e.caption) : bar->addMenu(e.caption);
            menu->setObjectName(e.name);
            menu->setToolTipsVisible(true);
            m_menus.insert(e.name, menu);
            action = menu->menuAction();
            break;
        }
        case MenuEntry::Separator:
            action = parent->addSeparator();
            break;
        case MenuEntry::Logout:
            action = bar->addAction(e.caption);
            connect(action, &QAction::triggered, this, [this] {
                emit logoutRequested();
                close();
            });
            break;
        case MenuEntry::NoCommand:
            action = parent->addAction(e.caption);
            break;
        case MenuEntry::Command:
            action = parent->addAction(e.caption);
            if (e.disabled) {
                action->setEnabled(false);
            } else if (!ScreenRegistry::instance().has(e.screen)) {
                action->setEnabled(false);
                action->setToolTip(kNotAvailable);
            } else {
                const QString name = e.name;
                connect(action, &QAction::triggered, this, [this, name] { runMenuCommand(name); });
            }
            break;
        }
        action->setObjectName(e.name);
        m_actions.insert(e.name, action);
        if (e.parent.isEmpty())
            action->setVisible(false);
    }
}

bool TfrmMain_Welmora::FormCreate()
{
    edtUser_Name->clear();
    edtPassword->clear();
    try {
        m_startup = LoginService::start(m_db);
    } catch (const AppError& e) {
        showFailure(this, e);
        return false;
    }
    for (int i = 0; i < 3; ++i)
        L_main_msg[i]->setText(m_startup.notices[i]);
    LblVersion->setText(QStringLiteral("Program Version :") + LoginService::kProgramVersion);
    if (!m_startup.versionMatches()) {
        msg::error(this, m_startup.versionMessage());
        return false;
    }
    setWindowTitle(m_startup.caption());
    if (m_startup.demo) {
        m_panels[5]->setText(m_panels[5]->text() + QStringLiteral("  ") + LoginService::kDemoMark);
        m_panels[5]->setFixedWidth(qMax(kPanelWidths[5], m_panels[5]->sizeHint().width()));
    }
    if (m_startup.noUserYet) {
        TfrmFirst_Admin first(m_db, this);
        if (first.exec() != QDialog::Accepted)
            return false;
    }
    m_ctx.Cur_Date = m_startup.Cur_Date;
    m_ctx.Cur_Bud_Year = m_startup.Cur_Bud_Year;
    L_Cdate->setText(QStringLiteral("วันที่ปัจจุบัน : ") + m_ctx.Cur_Date);
    L_Cdate->adjustSize();
    edtUser_Name->setFocus();
    placeOverlays();
    return true;
}

void TfrmMain_Welmora::btnOKClick()
{
    std::optional<LoginContext> ctx;
    try {
        ctx = LoginService::login(m_db, m_startup, edtUser_Name->text(), edtPassword->text());
    } catch (const AppError& e) {
        msg::error(this, e.message());
        return;
    }
    if (!ctx) {
        msg::warning(this, LoginService::kWrongLoginMessage);
        return;
    }
    if (ctx->mustChangePassword) {
        TfrmChange_Password change(m_db, *ctx, this);
        if (change.exec() != QDialog::Accepted) {
            edtPassword->clear();
            edtPassword->setFocus();
            return;
        }
        ctx->mustChangePassword = false;
    }
    completeLogin(*ctx);
}

void TfrmMain_Welmora::completeLogin(const LoginContext& ctx)
{
    m_ctx = ctx;
    m_loggedIn = true;
    m_panels[0]->setText(m_ctx.Cur_Fact_Code);
    m_panels[1]->setText(m_ctx.factName);
    m_panels[2]->setText(QStringLiteral("ชื่อผู้ใช้งาน : ") + m_ctx.displayName);
    m_panels[3]->setText(QStringLiteral("วันที่ : ") + m_ctx.Cur_Date);
    m_panels[4]->setText(QStringLiteral("IP ADDRESS : ") + WorkstationIP());
    m_panels[6]->setText(QStringLiteral("ปีงบประมาณ ") + m_ctx.Cur_Bud_Year);
    revealMenus();
    statusBar()->show();
    Panel1->hide();
}

void TfrmMain_Welmora::btnCancelClick()
{
    emit logoutRequested();
    close();
}

void TfrmMain_Welmora::revealMenus()
{
    const QSet<QString> top = visibleTopMenus(m_ctx.section, m_ctx.Cur_Fact_Code);
    const QSet<QString> hidden = hiddenMenuItems(m_ctx.section);
    for (const MenuEntry& e : menuTable()) {
        QAction* a = m_actions.value(e.name);
        if (e.parent.isEmpty())
            a->setVisible(top.contains(e.name));
        else if (hidden.contains(e.name))
            a->setVisible(false);
    }
}

QWidget* TfrmMain_Welmora::runMenuCommand(const QString& itemName)
{
    const MenuEntry* e = findMenuEntry(itemName);
    if (!e || e->kind != MenuEntry::Command || e->disabled)
        return nullptr;
    if (e->mode != MenuEntry::Unchanged)
        m_ctx.Cur_Mode = modeText(e->mode);
    ScreenWindow* window = openScreen(m_mdi, e->screen, ScreenContext{m_db, m_ctx}, e->caption.trimmed());
    return window ? window->screen() : nullptr;
}

void TfrmMain_Welmora::placeOverlays()
{
    const QRect area = m_mdi->viewport()->rect();
    L_Cdate->move(12, 8);
    Panel1->adjustSize();
    Panel1->move(area.center() - QPoint(Panel1->width() / 2, Panel1->height() / 2));
}

void TfrmMain_Welmora::updateBackground()
{
    const QSize size = m_mdi->viewport()->size();
    if (m_picture.isNull() || size.isEmpty())
        return;
    m_mdi->setBackground(QBrush(m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TfrmMain_Welmora::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    placeOverlays();
}

bool TfrmMain_Welmora::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F10
        && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && openMenuBar())
            return true;
    }
    if (watched == m_mdi->viewport() && event->type() == QEvent::Resize) {
        updateBackground();
        placeOverlays();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain_Welmora::openMenuBar()
{
    for (QAction* a : menuBar()->actions())
        if (a->isVisible() && a->isEnabled() && a->menu()) {
            menuBar()->setActiveAction(a);
            return true;
        }
    return false;
}

} // namespace wel
