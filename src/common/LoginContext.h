#pragma once
#include <QString>

namespace wel {

// What the log-in knows about the clerk, read by every screen. A screen takes
// a copy when it is created, so the mode it was opened in stays its own.
struct LoginContext {
    QString Cur_Date;      // today, "dd/mm/yyyy" Buddhist Era, from the server clock
    QString Cur_Bud_Year;  // budget year, 4 digits Buddhist Era
    QString Cur_Fact_Code; // the user's faculty
    QString Cur_User_Type;
    QString Cur_Username;
    QString Cur_Mode;      // "FC", "KV" or empty, set by the menu command

    // Also known after log-in, for the status bar and the menus.
    int section = 0;
    int userId = 0;
    QString factName;
    QString displayName; // title + given name, a blank, family name
    // He still has the password someone else gave him (a user letter): he
    // sets his own before he may work.
    bool mustChangePassword = false;
};

} // namespace wel
