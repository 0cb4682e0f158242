#pragma once
#include <QDate>
#include <QLineEdit>

#include <optional>

namespace wel {

// A Buddhist-Era date typed through the mask "99/99/9999". A field left
// empty reads as no date, not as a text of blanks and slashes.
class BEDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BEDateEdit(QWidget* parent = nullptr);

    // Hides QLineEdit::text(): read the field through this class.
    // "dd/mm/yyyy" as typed, "" when nothing was typed, and for a half-filled
    // field its text with blanks in the empty places ("12/  /    "), so that
    // checking it finds the fault.
    QString text() const;
    // Shows a stored date text; an empty or blank one ("  /  /    ") clears.
    // A stored text that the mask cannot hold ("5/1/2560") is shown as it is,
    // without the mask, so that showing it does not change it.
    void setText(const QString& beText);
    // The date typed, nullopt when empty or not a calendar date.
    std::optional<QDate> date() const;
};

} // namespace wel
