#pragma once

class QLineEdit;
class QWidget;

namespace wel {

// Enter in any edit field, choice box or date field under root moves the
// focus to the next control, as Tab would. Buttons keep Enter for clicking.
void installEnterAsTab(QWidget* root);

} // namespace wel
