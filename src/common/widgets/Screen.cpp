#include "Screen.h"
#include "Messages.h"
#include "common/db/Database.h"
#include "common/db/ErrorLog.h"
#include "Keyboard.h"
#include "Named.h"
#include "ScreenWindow.h"

#include <algorithm>
#include <new>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QPushButton>
#include <QLabel>
#include <QVBoxLayout>

namespace wel {

const QString Screen::kOpened = QStringLiteral("opened");

Screen::Screen(const ScreenContext& context, QWidget* parent)
    : QWidget(parent), m_db(context.db), m_login(context.login)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void Screen::setPanels(const QList<QWidget*>& panels)
{
    for (QWidget* p : std::as_const(m_panels))
        p->removeEventFilter(this);
    m_panels = panels;
    for (QWidget* p : std::as_const(m_panels))
        p->installEventFilter(this);
}

bool Screen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && m_panels.contains(static_cast<QWidget*>(watched))) {
        QTimer::singleShot(0, this, [this] {
            if (!isVisible())
                return;
            QWidget* f = QApplication::focusWidget();
            // Qt hands the focus of a hidden panel to the next control in
            // the chain, often the window's scroll area: the screen lost it.
            const bool lost = !f || (f->window() == window() && (!isAncestorOf(f) || !f->isVisible()));
            if (lost)
                focusFirstInput(this);
        });
    }
    return QWidget::eventFilter(watched, event);
}

void Screen::setSearchAndEntry(const QString& title, QWidget* search, QWidget* entry)
{
    setWindowTitle(title);
    setOpensMaximised();
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(title, this));
    root->addWidget(search, 1);
    root->addWidget(entry, 1);
    entry->hide();
    setPanels({search, entry});
}

void Screen::closeScreen()
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* sw = qobject_cast<ScreenWindow*>(w)) {
            sw->closeForGood();
            return;
        }
    }
    close();
}

QSize Screen::fullestSizeHint()
{
    QSize need = sizeHint();
    QList<bool> hidden;
    for (QWidget* p : m_panels)
        hidden << p->isHidden();
    for (QWidget* shown : m_panels) {
        for (QWidget* p : m_panels)
            p->setVisible(p == shown);
        need = need.expandedTo(sizeHint());
    }
    for (int i = 0; i < m_panels.size(); ++i)
        m_panels[i]->setHidden(hidden[i]);
    return need;
}

QStringList Screen::panelStates() const
{
    QStringList states{kOpened};
    for (const QWidget* p : m_panels)
        states << p->objectName();
    return states;
}

void Screen::showPanelState(const QString& name)
{
    for (QWidget* p : m_panels)
        if (p->objectName() == name) {
            for (QWidget* other : m_panels)
                if (other != p)
                    other->hide();
            p->show();
        }
}

void Screen::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & ~Qt::KeypadModifier)) {
        for (QPushButton* b : findChildren<QPushButton*>())
            if (b->isDefault() && b->isVisible() && b->isEnabled()) {
                b->click();
                return;
            }
    }
    QWidget::keyPressEvent(event);
}

bool Screen::guard(const std::function<void()>& operation) { return guardOperation(this, operation); }

void showFailure(QWidget* parent, const AppError& error)
{
    const auto* db = dynamic_cast<const DbError*>(&error);
    if (!db) {
        msg::warning(parent, error.message());
        return;
    }
    const QString server = db->serverText().isEmpty()
        ? QString()
        : QStringLiteral("ข้อความจากฐานข้อมูล:\n") + db->serverText() + QStringLiteral("\n\n");
    msg::error(parent, db->message(),
               server + QStringLiteral("คำสั่งที่ผิดพลาด (statement):\n") + db->statement()
                   + QStringLiteral("\n\nบันทึกไว้ใน ") + ErrorLog::path());
}

bool guardOperation(QWidget* parent, const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const AppError& e) {
        showFailure(parent, e);
    } catch (const std::bad_alloc&) {
        msg::error(parent, QStringLiteral("หน่วยความจำของเครื่องไม่พอสำหรับงานนี้ ระบบไม่ได้บันทึกข้อมูลของรายการนี้"));
    } catch (const std::exception& e) {
        msg::error(parent, QStringLiteral("เกิดข้อผิดพลาดภายในโปรแกรม ระบบไม่ได้บันทึกข้อมูลของรายการนี้"),
                   QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace wel
