#pragma once
#include <QComboBox>
#include <QVector>

namespace wel {

// A choice of a code from a list of "code name" items (faculties, claim
// kinds, patients) that the clerk can type into: typing filters the list by
// any part of the item, and the value is always the code, never the text.
class CodeListCombo : public QComboBox {
    Q_OBJECT
public:
    struct Item {
        QString code;
        QString text; // "SC คณะวิทยาศาสตร์"
    };
    explicit CodeListCombo(QWidget* parent = nullptr);

    void setItems(const QVector<Item>& items);
    // The chosen code: the item shown, a code typed on its own ("sc"), or
    // the one item whose text holds what was typed; anything else is
    // returned as typed, upper-cased, so that the report finds nothing
    // rather than something else.
    QString code() const;
    // Shows the item of the code; false when the list has none.
    bool setCode(const QString& code);
};

} // namespace wel
