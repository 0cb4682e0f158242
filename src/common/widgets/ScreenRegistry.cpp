#include "ScreenRegistry.h"

#include <QWidget>

namespace wel {

ScreenRegistry& ScreenRegistry::instance()
{
    static ScreenRegistry registry;
    return registry;
}

void ScreenRegistry::add(const QString& className, ScreenFactory factory)
{
    m_factories.insert(className, std::move(factory));
}

QWidget* ScreenRegistry::create(const QString& className, const ScreenContext& context) const
{
    const auto it = m_factories.find(className);
    if (it == m_factories.end())
        return nullptr;
    QWidget* w = (*it)(context);
    if (w && w->objectName().isEmpty())
        w->setObjectName(className);
    return w;
}

} // namespace wel
