#include "Screen.h"
#include "Messages.h"
#include "common/db/Database.h"
#include "common/db/ErrorLog.h"
#include "ScreenWindow.h"

namespace wel {

const QString Screen::kOpened = QStringLiteral("opened");

Screen::Screen(const ScreenContext& context, QWidget* parent)
    : QWidget(parent), m_db(context.db), m_login(context.login)
{
    setAttribute(Qt::WA_DeleteOnClose);
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
    } catch (const std::exception& e) {
        msg::error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace wel
