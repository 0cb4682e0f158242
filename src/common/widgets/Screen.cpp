#include "Screen.h"
#include "Messages.h"
#include "common/db/ErrorLog.h"
#include "ScreenWindow.h"

namespace wel {

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

bool Screen::guard(const std::function<void()>& operation) { return guardOperation(this, operation); }

bool guardOperation(QWidget* parent, const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const DbError& e) {
        msg::error(parent, e.message(),
                   QStringLiteral("คำสั่งที่ผิดพลาด (statement):\n") + e.statement()
                       + QStringLiteral("\n\nบันทึกไว้ใน ") + ErrorLog::path());
    } catch (const AppError& e) {
        msg::warning(parent, e.message());
    } catch (const std::exception& e) {
        msg::error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace wel
