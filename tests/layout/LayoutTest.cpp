#include "LayoutCheck.h"
#include "MessageLog.h"
#include "TestDb.h"
#include "common/widgets/Named.h"
#include "common/widgets/Screen.h"
#include "common/widgets/ScreenRegistry.h"
#include "common/widgets/ScreenWindow.h"
#include "reports/UReport.h"
#include "shell/MenuTable.h"
#include "shell/UMain_Welmora.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QRadioButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTableView>
#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace wel;
using namespace wel::test;

namespace {

// The desktop the program is drawn for; its main window opens maximised.
const QSize kDesktop(1280, 800);

struct LoggedIn {
    std::unique_ptr<TfrmMain_Welmora> window;
    QMdiArea* area() const { return window->mdiArea(); }
};

LoggedIn logIn(Database& db)
{
    LoggedIn l{std::make_unique<TfrmMain_Welmora>(db)};
    l.window->resize(kDesktop);
    EXPECT_TRUE(l.window->FormCreate());
    l.window->show();
    l.window->findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(QStringLiteral("admin"));
    l.window->findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("admin"));
    l.window->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    EXPECT_TRUE(l.window->isLoggedIn());
    settle();
    return l;
}

// The modes a screen is opened in: those its commands set, and any a
// command that leaves the mode unchanged may find.
QMap<QString, QString> modesOf(const QString& screen) // mode -> caption
{
    QMap<QString, QString> modes;
    for (const MenuEntry& e : menuTable()) {
        if (e.kind != MenuEntry::Command || e.disabled || e.screen != screen)
            continue;
        const QStringList set = e.mode == MenuEntry::Unchanged
            ? QStringList{QString(), QStringLiteral("FC"), QStringLiteral("KV")}
            : QStringList{modeText(e.mode)};
        for (const QString& m : set)
            if (!modes.contains(m))
                modes.insert(m, e.caption.trimmed());
    }
    return modes;
}

void closeWindow(ScreenWindow* w)
{
    w->closeForGood();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A screen made for the checks below: a row of buttons, and panels that
// its tests show or make grow.
class ProbeScreen : public Screen {
public:
    ProbeScreen(const ScreenContext& c, int fields) : Screen(c)
    {
        auto* root = new QVBoxLayout(this);
        root->addWidget(namedButton(QStringLiteral("btnOne"), QStringLiteral("เพิ่มข้อมูล"), this));
        late = new QWidget(this);
        late->setObjectName(QStringLiteral("late"));
        auto* form = new QVBoxLayout(late);
        for (int i = 0; i < fields; ++i) {
            QLineEdit* e = namedEdit(QStringLiteral("edt%1").arg(i), 13, late, FieldKind::Digits);
            e->setText(QStringLiteral("1234567890123"));
            form->addWidget(e);
        }
        form->addWidget(namedReadOnly(QStringLiteral("edtWide"), late, QString(120, QLatin1Char('0'))));
        root->addWidget(late);
        late->hide();
    }
    QWidget* late;
};

// A report screen gives its result grid the rest of the window: at the
// desktop's size at least this many rows, and its total in view.
constexpr int kReportRows = 18;

QStringList reportRoomFaults(const ScreenWindow* window)
{
    const QTableView* grid = nullptr;
    for (const QTableView* g : window->screen()->findChildren<QTableView*>(QStringLiteral("StringGrid1")))
        if (g->isVisible())
            grid = g;
    const QWidget* total = nullptr;
    for (const QWidget* t : window->screen()->findChildren<QWidget*>(QStringLiteral("edtTotal")))
        if (t->isVisibleTo(window->screen()))
            total = t;
    if (!grid)
        return {QStringLiteral("no result grid in view")};
    QStringList faults = resultRoomFaults(window, grid, total, kReportRows);
    // Every column in view: a long text is cut short with its tool tip
    // rather than push the others out of sight. Only headings that cannot
    // all show whole side by side (a list of 39 columns) may scroll.
    int headings = 0;
    for (int c = 0; c < grid->horizontalHeader()->count(); ++c)
        if (!grid->isColumnHidden(c))
            headings += grid->horizontalHeader()->sectionSizeHint(c);
    if (grid->horizontalScrollBar()->maximum() > 0 && headings <= grid->viewport()->width())
        faults << QStringLiteral("the result grid scrolls sideways by %1 pixels, although its headings fit")
                      .arg(grid->horizontalScrollBar()->maximum());
    return faults;
}

} // namespace

// Every registered screen, in each mode its commands give it and each state
// its buttons lead to, as a clerk meets it in a main window of 1280x800.
TEST(Layout, EveryScreenIsReadableInEveryModeAndPanelState)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims); // the claim screens' panels need claims to show
    registerAllScreens();
    LoggedIn main = logIn(t.db());
    ASSERT_EQ(main.window->size(), kDesktop);
    MessageLog messages;
    int states = 0;
    QStringList faults;
    const QStringList screens = ScreenRegistry::instance().names();
    ASSERT_FALSE(screens.isEmpty());
    for (const QString& name : screens) {
        const QMap<QString, QString> modes = modesOf(name);
        EXPECT_FALSE(modes.isEmpty()) << name.toStdString() << " is reached by no menu command";
        for (auto m = modes.begin(); m != modes.end(); ++m) {
            LoginContext context = main.window->loginContext();
            context.Cur_Mode = m.key();
            const QString where = QStringLiteral("%1 in mode \"%2\"").arg(name, m.key());
            ScreenWindow* window = openScreen(main.area(), name, ScreenContext{t.db(), context}, m.value());
            if (!window) {
                faults << where + QStringLiteral(" does not open: ") + messages.seen.join(QStringLiteral("; "));
                continue;
            }
            settle();
            for (const QString& f : focusFaults(window))
                faults << QStringLiteral("%1: %2").arg(where, f);
            auto* screen = qobject_cast<Screen*>(window->screen());
            const QStringList names = screen ? screen->panelStates() : QStringList{Screen::kOpened};
            EXPECT_EQ(names.value(0), Screen::kOpened) << where.toStdString();
            for (const QString& state : names) {
                messages.seen.clear();
                if (screen)
                    screen->showPanelState(state);
                settle();
                ++states;
                for (const QString& f : layoutFaults(window, main.area()))
                    faults << QStringLiteral("%1, %2: %3").arg(where, state, f);
                if (qobject_cast<TfrmReport*>(screen) && state == u"result")
                    for (const QString& f : reportRoomFaults(window))
                        faults << QStringLiteral("%1, %2: %3").arg(where, state, f);
                if (!messages.seen.isEmpty())
                    faults << QStringLiteral("%1, %2 was not reached: %3")
                                  .arg(where, state, messages.seen.join(QStringLiteral("; ")));
            }
            closeWindow(window);
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(states, int(screens.size()));
}

// The check itself finds each kind of fault it is there for.
TEST(Layout, CheckFindsSqueezedFieldsCutCaptionsAndClippedPanels)
{
    WELMORA_NEED_DB();
    TestDb t;
    LoggedIn main = logIn(t.db());
    auto* screen = new ProbeScreen(ScreenContext{t.db(), main.window->loginContext()}, 1);
    auto* narrow = new QLineEdit(QStringLiteral("KV2569/000002"), screen);
    narrow->setObjectName(QStringLiteral("edtKV_ID3"));
    narrow->setFixedWidth(40);
    screen->layout()->addWidget(narrow);
    auto* squeezed = namedButton(QStringLiteral("btnSqueezed"), QStringLiteral("บันทึกข้อมูล"), screen->late);
    auto* caption = new QLabel(QStringLiteral("บุตรลำดับที่ 4"), screen);
    caption->setObjectName(QStringLiteral("lblCut"));
    caption->setFixedWidth(30);
    screen->layout()->addWidget(caption);
    auto* stray = new QLabel(QStringLiteral("x"), screen->late);
    stray->setObjectName(QStringLiteral("lblStray"));
    screen->late->show();
    auto* window = new ScreenWindow(screen);
    window->open(main.area());
    settle();
    stray->move(5000, 0);
    squeezed->setGeometry(0, 0, 10, 10);
    const QString faults = layoutFaults(window, main.area()).join(QLatin1Char('\n'));
    EXPECT_TRUE(faults.contains(QStringLiteral("late/btnSqueezed is 10x10, smaller than its minimum"))) << faults.toStdString();
    EXPECT_TRUE(faults.contains(QStringLiteral("edtKV_ID3: \"KV2569/000002\" does not fit"))) << faults.toStdString();
    EXPECT_TRUE(faults.contains(QStringLiteral("lblCut: caption \"บุตรลำดับที่ 4\" is cut"))) << faults.toStdString();
    EXPECT_TRUE(faults.contains(QStringLiteral("late/lblStray runs past the edge of late"))) << faults.toStdString();

    window->resize(200, 100);
    settle();
    EXPECT_TRUE(layoutFaults(window, main.area()).join(QLatin1Char('\n')).contains(QStringLiteral("scrolls sideways")));
    closeWindow(window);
}

// The keyboard and look faults: the window sets every control right as it
// opens, and the check finds each one undone.
TEST(Layout, CheckFindsKeyboardAndLookFaults)
{
    WELMORA_NEED_DB();
    TestDb t;
    LoggedIn main = logIn(t.db());
    auto* screen = new ProbeScreen(ScreenContext{t.db(), main.window->loginContext()}, 0);
    auto* grid = new QTableWidget(1, 2, screen);
    grid->setObjectName(QStringLiteral("StringGrid1"));
    grid->setHorizontalHeaderLabels({QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("จำนวนเงิน")});
    grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("SC2568/0000001")));
    grid->setItem(0, 1, new QTableWidgetItem(QStringLiteral("1,234.50")));
    screen->layout()->addWidget(grid);
    QLineEdit* shown = namedReadOnly(QStringLiteral("edtFact_Code"), screen, longest::factCode);
    screen->layout()->addWidget(shown);
    auto* all = new QRadioButton(QStringLiteral("ทั้งหมด"), screen);
    auto* one = new QRadioButton(QStringLiteral("เฉพาะคณะ"), screen);
    screen->layout()->addWidget(all);
    screen->layout()->addWidget(one);
    one->setChecked(true);
    auto* window = new ScreenWindow(screen);
    window->open(main.area());
    settle();
    EXPECT_EQ(focusFaults(window), QStringList()) << "the first input has the focus";
    const QString none = layoutFaults(window, main.area()).join(QLatin1Char('\n'));
    EXPECT_FALSE(none.contains(QStringLiteral("keeps Tab"))) << none.toStdString();
    EXPECT_FALSE(none.contains(QStringLiteral("read-only"))) << none.toStdString();

    grid->setTabKeyNavigation(true);
    shown->setPalette(QApplication::palette(shown));
    all->setFocusPolicy(Qt::StrongFocus);
    screen->findChild<QPushButton*>(QStringLiteral("btnOne"))->setFocus();
    const QString faults = layoutFaults(window, main.area()).join(QLatin1Char('\n'));
    EXPECT_TRUE(faults.contains(QStringLiteral("StringGrid1 keeps Tab"))) << faults.toStdString();
    EXPECT_TRUE(faults.contains(QStringLiteral("StringGrid1: amount column \"จำนวนเงิน\" is not aligned to the right")))
        << faults.toStdString();
    EXPECT_TRUE(faults.contains(QStringLiteral("edtFact_Code is read-only but drawn like a field to type in")))
        << faults.toStdString();
    EXPECT_TRUE(faults.contains(QStringLiteral("Tab stops at \"ทั้งหมด\", not only at the chosen \"เฉพาะคณะ\"")))
        << faults.toStdString();
    EXPECT_TRUE(focusFaults(window).join(QString()).contains(QStringLiteral("not on its first input")));

    const QString room = resultRoomFaults(window, grid, shown, 100).join(QLatin1Char('\n'));
    EXPECT_TRUE(room.contains(QStringLiteral("fewer than 100"))) << room.toStdString();
    closeWindow(window);
}

// A panel that appears after the window opened makes the window grow to
// it; a screen taller than the main window's area scrolls in a window that
// fills the area, with nothing squeezed.
TEST(Layout, WindowGrowsWhenAPanelAppearsAndScrollsBeyondTheArea)
{
    WELMORA_NEED_DB();
    TestDb t;
    LoggedIn main = logIn(t.db());
    const LoginContext context = main.window->loginContext();

    auto* small = new ProbeScreen(ScreenContext{t.db(), context}, 3);
    auto* window = new ScreenWindow(small);
    window->open(main.area());
    settle();
    const QSize before = window->size();
    small->late->show();
    settle();
    EXPECT_GT(window->width(), before.width());
    EXPECT_GT(window->height(), before.height());
    EXPECT_EQ(layoutFaults(window, main.area()), QStringList());
    closeWindow(window);

    auto* tall = new ProbeScreen(ScreenContext{t.db(), context}, 60);
    window = new ScreenWindow(tall);
    window->open(main.area());
    tall->late->show();
    settle();
    EXPECT_EQ(window->height(), main.area()->viewport()->height());
    EXPECT_TRUE(window->scrollArea()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(window->scrollArea()->horizontalScrollBar()->isVisible());
    EXPECT_EQ(layoutFaults(window, main.area()), QStringList());
    closeWindow(window);
}
