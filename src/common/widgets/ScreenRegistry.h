#pragma once
#include "common/db/Database.h"
#include "common/LoginContext.h"

#include <QMap>
#include <QStringList>
#include <functional>

class QWidget;

namespace wel {

// What a screen is created with: the connection and a copy of the log-in
// context taken at that moment (Cur_Mode included).
struct ScreenContext {
    Database& db;
    LoginContext login;
};

using ScreenFactory = std::function<QWidget*(const ScreenContext&)>;

// Screen class name ("TfrmEmp_Exit") -> factory. Menu commands whose screen is
// not registered stay visible but disabled.
class ScreenRegistry {
public:
    static ScreenRegistry& instance();
    void add(const QString& className, ScreenFactory factory);
    bool has(const QString& className) const { return m_factories.contains(className); }
    QWidget* create(const QString& className, const ScreenContext& context) const;
    QStringList names() const { return m_factories.keys(); }

private:
    QMap<QString, ScreenFactory> m_factories;
};

// Registers every screen the program has (src/shell/RegisterScreens.cpp).
void registerAllScreens();

} // namespace wel
