#pragma once
#include <QSet>
#include <QString>
#include <QVector>

namespace wel {

// The main menu as data: every menu, item, separator, the mode its command
// sets and the screen it opens. The main window builds its menu bar from it.
struct MenuEntry {
    enum Kind {
        Menu,      // a top-level menu or a submenu
        Command,   // opens a screen
        Separator,
        NoCommand, // shown, does nothing when chosen
        Logout,    // ends the program
    };
    enum Mode { Unchanged, FC, KV };

    QString parent; // empty for the top-level menus, in menu-bar order
    QString name;   // N6, FA1, ...
    QString caption;
    Kind kind = Command;
    Mode mode = Unchanged;
    QString screen;        // screen class opened by a command
    bool disabled = false; // shown greyed out
};

const QVector<MenuEntry>& menuTable();
const MenuEntry* findMenuEntry(const QString& name);

// Top-level menus a user sees after log-in, by section and faculty code.
QSet<QString> visibleTopMenus(int section, const QString& factCode);
// Items hidden inside otherwise visible menus (section 6 keeps only enquiries).
QSet<QString> hiddenMenuItems(int section);
// The mode text a command puts into Cur_Mode ("" when it leaves it).
QString modeText(MenuEntry::Mode mode);

} // namespace wel
