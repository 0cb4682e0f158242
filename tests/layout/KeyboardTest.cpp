#include "LayoutCheck.h"
#include "MessageLog.h"
#include "TestDb.h"
#include "common/AppError.h"
#include "common/widgets/Busy.h"
#include "common/widgets/CodeListCombo.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"
#include "common/widgets/Screen.h"
#include "common/widgets/ScreenWindow.h"
#include "shell/UMain_Welmora.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCursor>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

using namespace wel;
using namespace wel::test;

namespace {

// A screen as a clerk meets many: a field, a radio group with its middle
// choice made, a list grid, the panel's main button and another.
class FormScreen : public Screen {
public:
    explicit FormScreen(const ScreenContext& c) : Screen(c)
    {
        auto* root = new QVBoxLayout(this);
        root->addWidget(namedReadOnly(QStringLiteral("edtShown"), this, QStringLiteral("KV2569/000002")));
        field = namedEdit(QStringLiteral("edtName"), 20, this);
        root->addWidget(field);
        auto* box = new QGroupBox(QStringLiteral("สถานะใบเบิก"), this);
        auto* boxLayout = new QVBoxLayout(box);
        auto* group = new QButtonGroup(box);
        for (const char* caption : {"ทั้งหมด", "ปกติ", "ยกเลิก"}) {
            auto* rb = new QRadioButton(QString::fromUtf8(caption), box);
            group->addButton(rb);
            boxLayout->addWidget(rb);
            radios << rb;
        }
        radios[1]->setChecked(true);
        root->addWidget(box);
        grid = new ResultGrid(QStringLiteral("StringGrid1"), {QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก")},
                              {50, 120}, this);
        grid->showRows({{QStringLiteral("1"), QStringLiteral("SC2568/0000001")},
                        {QStringLiteral("2"), QStringLiteral("SC2568/0000002")}});
        root->addWidget(grid);
        print = mainButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"), this);
        other = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
        root->addLayout(buttonRow({print, other}));
    }
    QLineEdit* field;
    QList<QRadioButton*> radios;
    ResultGrid* grid;
    QPushButton* print;
    QPushButton* other;
};

struct ActiveArea {
    QMdiArea area;
    ActiveArea()
    {
        area.resize(1000, 700);
        area.show();
        QApplication::setActiveWindow(&area);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&area));
    }
};

void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(QApplication::focusWidget(), k, m); }

} // namespace

// The clerk's keys on a screen: the first field has the focus, Tab leaves
// the grid in one step, Shift+Tab into a radio group lands on the choice
// made, Enter presses the focused button, and Enter on a grid row the
// panel's main button.
TEST(Keyboard, FocusTabShiftTabAndEnterWalkAScreenAsAClerkTypes)
{
    WELMORA_NEED_DB();
    TestDb t;
    ActiveArea a;
    LoginContext login;
    auto* screen = new FormScreen(ScreenContext{t.db(), login});
    auto* window = new ScreenWindow(screen);
    window->open(&a.area);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), screen->field) << "not the scroll area, nor the read-only field";
    EXPECT_EQ(focusFaults(window), QStringList());

    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), screen->radios[1]) << "Tab into the group lands on the choice made";
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), screen->grid);
    key(Qt::Key_Down);
    EXPECT_EQ(screen->grid->currentRow(), 1) << "arrows move within the grid";
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), screen->print) << "one Tab leaves the grid after a row was picked";
    key(Qt::Key_Backtab);
    key(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), screen->radios[1]) << "Shift+Tab into the group lands on the choice made";

    int printed = 0, left = 0;
    QObject::connect(screen->print, &QPushButton::clicked, [&] { ++printed; });
    QObject::connect(screen->other, &QPushButton::clicked, [&] { ++left; });
    screen->other->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Return);
    EXPECT_EQ(left, 1) << "Enter presses the focused button";
    EXPECT_EQ(printed, 0);
    screen->grid->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), screen->grid);
    key(Qt::Key_Enter);
    EXPECT_EQ(printed, 1) << "Enter on the chosen row presses the main button";
    window->closeForGood();
}

// Enter walks a form as Tab does: from a field into a radio group it lands
// on the choice made, and from the group on to what follows it.
TEST(Keyboard, EnterWalksThroughARadioGroupAsTabDoes)
{
    WELMORA_NEED_DB();
    TestDb t;
    ActiveArea a;
    LoginContext login;
    auto* screen = new FormScreen(ScreenContext{t.db(), login});
    installEnterAsTab(screen);
    auto* window = new ScreenWindow(screen);
    window->open(&a.area);
    settle();
    ASSERT_EQ(QApplication::focusWidget(), screen->field);
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), screen->radios[1]);
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), screen->grid) << "not the group's other choices";
    EXPECT_TRUE(screen->radios[1]->isChecked());
    window->closeForGood();
}

// A claim shown for cancelling draws its patients' types as radio buttons
// that take no focus: Tab passes them by to the fields that follow.
TEST(Keyboard, ChoicesShownOnlyStayOutOfTheTabChain)
{
    WELMORA_NEED_DB();
    TestDb t;
    ActiveArea a;
    LoginContext login;
    auto* screen = new FormScreen(ScreenContext{t.db(), login});
    for (QRadioButton* rb : screen->radios)
        rb->setFocusPolicy(Qt::NoFocus);
    auto* window = new ScreenWindow(screen);
    window->open(&a.area);
    settle();
    ASSERT_EQ(QApplication::focusWidget(), screen->field);
    screen->radios[2]->setChecked(true);
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), screen->grid);
    window->closeForGood();
}

// A screen of panels shown in turn: a start panel with its button, a search
// panel whose exit button goes back to the start.
class PanelScreen : public Screen {
public:
    explicit PanelScreen(const ScreenContext& c) : Screen(c)
    {
        auto* root = new QVBoxLayout(this);
        start = new QWidget(this);
        auto* startLayout = new QVBoxLayout(start);
        open = namedButton(QStringLiteral("btnSearch"), QStringLiteral("1. ค้นหาข้อมูล"), start);
        startLayout->addWidget(open);
        search = new QWidget(this);
        auto* searchLayout = new QVBoxLayout(search);
        field = namedEdit(QStringLiteral("edtBerg_Doc_ID"), 14, search);
        back = namedButton(QStringLiteral("btnExit"), QStringLiteral("ออก"), search);
        searchLayout->addWidget(field);
        searchLayout->addWidget(back);
        root->addWidget(start);
        root->addWidget(search);
        search->hide();
        setPanels({start, search});
        connect(open, &QPushButton::clicked, this, [this] {
            start->hide();
            search->show();
            field->setFocus(Qt::TabFocusReason);
        });
        connect(back, &QPushButton::clicked, this, [this] {
            search->hide();
            start->show();
        });
    }
    QWidget* start;
    QWidget* search;
    QPushButton* open;
    QLineEdit* field;
    QPushButton* back;
};

// Leaving a panel by its own button leaves the focus on the panel shown
// next, not on the window's scroll area where no key does anything.
TEST(Keyboard, AHiddenPanelHandsTheFocusToTheOneShown)
{
    WELMORA_NEED_DB();
    TestDb t;
    ActiveArea a;
    LoginContext login;
    auto* screen = new PanelScreen(ScreenContext{t.db(), login});
    auto* window = new ScreenWindow(screen);
    window->open(&a.area);
    settle();
    ASSERT_EQ(QApplication::focusWidget(), screen->open);
    key(Qt::Key_Return);
    settle();
    ASSERT_EQ(QApplication::focusWidget(), screen->field);
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), screen->back);
    key(Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), screen->open);
    window->closeForGood();
}

// Typed money is never rounded unseen: leaving the field with more than
// two decimals is refused with the program's own message, once, and the
// text stays as typed; a valid amount is rewritten "%n".
TEST(Keyboard, AnAmountWithThreeDecimalsIsRefusedNotRounded)
{
    ActiveArea a;
    auto* form = new QWidget(&a.area);
    auto* layout = new QVBoxLayout(form);
    QLineEdit* amount = typedAmountEdit(QStringLiteral("edtAmount"), form);
    auto* next = new QLineEdit(form);
    layout->addWidget(amount);
    layout->addWidget(next);
    form->show();
    MessageLog log;
    const struct {
        const char* typed;
        const char* shown;
        const char* message;
    } cases[] = {
        {"100.125", "100.125", "จำนวนเงิน \"100.125\" มีทศนิยมเกิน 2 ตำแหน่ง"},
        {"1234.5", "1,234.50", ""},
        {"1,000.100", "1,000.10", ""}, // a trailing zero changes nothing
        {"12a", "12a", ""},            // not an amount: the command's check tells
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        log.texts.clear();
        amount->setFocus();
        amount->selectAll();
        QTest::keyClicks(amount, QString::fromUtf8(c.typed));
        key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), next);
        EXPECT_EQ(amount->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(log.texts, *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
        amount->setFocus();
        key(Qt::Key_Tab); // left again unchanged: told once
        EXPECT_EQ(log.texts.size(), *c.message ? 1 : 0);
    }
    EXPECT_EQ(amount->alignment() & Qt::AlignRight, Qt::AlignRight);
}

// The preview opens at a real size with the page fitted to its width,
// whether or not a window manager maximises it; Escape closes it.
TEST(Keyboard, PreviewOpensReadableAndEscapeClosesIt)
{
    ReportLayout l;
    l.documentName = QStringLiteral("ใบเบิก");
    l.detail.heightMm = 20;
    l.detail.add(ReportItem::expression({}, {5, 5, 150, 8}, QStringLiteral("[Name]")));
    const Report report(l, Rows({QStringLiteral("Name")}, {{QStringLiteral("นายสมชาย  ใจดี")}}), QDateTime::currentDateTime());
    ReportPreview preview(report);
    preview.show();
    QApplication::setActiveWindow(&preview);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
    const QSize room = preview.screen()->availableGeometry().size();
    EXPECT_GE(preview.width(), room.width() * 85 / 100);
    EXPECT_GE(preview.height(), room.height() * 85 / 100);
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->zoomMode(), QPrintPreviewWidget::FitToWidth);
    QTest::keyClick(&preview, Qt::Key_Escape);
    EXPECT_FALSE(preview.isVisible());
}

// F10 opens the menu bar, as Alt does.
TEST(Keyboard, F10OpensTheMenuBar)
{
    WELMORA_NEED_DB();
    TestDb t;
    TfrmMain_Welmora main(t.db());
    ASSERT_TRUE(main.FormCreate());
    main.show();
    main.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("admin"));
    main.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("admin"));
    main.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    ASSERT_TRUE(main.isLoggedIn());
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    ASSERT_EQ(main.menuBar()->activeAction(), nullptr);
    QTest::keyClick(&main, Qt::Key_F10);
    QAction* opened = main.menuBar()->activeAction();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened, main.menuBar()->actions().value(0));
    EXPECT_TRUE(opened->menu()->isVisible());
    opened->menu()->close();
}

// Long work shows the busy cursor at once and, past the delay, a progress
// dialog with its caption; a failure of the work reaches the caller.
TEST(Keyboard, LongWorkShowsABusyCursorThenProgress)
{
    ActiveArea a;
    const int delay = BusyWork::s_delayMs;
    BusyWork::s_delayMs = 100;
    bool busyCursor = false;
    QString shownCaption;
    QTimer::singleShot(250, [&] {
        busyCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        if (auto* dialog = a.area.findChild<QProgressDialog*>(); dialog && dialog->isVisible())
            shownCaption = dialog->labelText();
    });
    runInBackground(&a.area, QStringLiteral("กำลังสร้างแฟ้ม MS Excel ..."), [] { QThread::msleep(500); });
    EXPECT_TRUE(busyCursor);
    EXPECT_EQ(shownCaption, QStringLiteral("กำลังสร้างแฟ้ม MS Excel ..."));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the cursor is back";
    EXPECT_EQ(a.area.findChild<QProgressDialog*>(), nullptr);

    EXPECT_THROW(runInBackground(&a.area, QStringLiteral("..."), [] { throw AppError(QStringLiteral("เขียนแฟ้มไม่ได้")); }),
                 AppError);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    BusyWork::s_delayMs = delay;
}

// A code list takes the code however the clerk gives it: chosen, typed as
// a code, or as part of one item's name.
TEST(Keyboard, CodeListKeepsTheCodeAsTheValue)
{
    CodeListCombo list;
    list.setItems({{QStringLiteral("EN"), QStringLiteral("EN คณะวิศวกรรมศาสตร์")},
                   {QStringLiteral("SC"), QStringLiteral("SC คณะวิทยาศาสตร์")}});
    EXPECT_TRUE(list.setCode(QStringLiteral("sc")));
    EXPECT_EQ(list.currentText(), QStringLiteral("SC คณะวิทยาศาสตร์"));
    const struct {
        const char* typed;
        const char* code;
    } cases[] = {{"EN คณะวิศวกรรมศาสตร์", "EN"}, {"en", "EN"}, {"วิทยา", "SC"}, {"คณะ", "คณะ"}, {"zz", "ZZ"}, {"", ""}};
    for (const auto& c : cases) {
        list.setEditText(QString::fromUtf8(c.typed));
        EXPECT_EQ(list.code(), QString::fromUtf8(c.code)) << c.typed;
    }
    EXPECT_FALSE(list.setCode(QStringLiteral("ZZ")));
}
