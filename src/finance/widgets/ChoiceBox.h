#pragma once
#include <QGroupBox>
#include <QVector>

class QGridLayout;
class QLineEdit;
class QRadioButton;

namespace wel {

// A group of radio buttons, each with the field it needs, if any: the chosen
// button's field is enabled and the others' disabled. The finance listings
// choose a period (every date, a day, a month, a year) or a document number
// with it.
class ChoiceBox : public QGroupBox {
    Q_OBJECT
public:
    enum class Field {
        None,
        Date,   // "dd/mm/yyyy" through the mask 99/99/9999
        Month,  // "mm/yyyy" through the mask 99/9999
        Year,   // "yyyy" through the mask 9999
        Text,   // free text of up to maxLength characters
        Faculty, // a faculty code, upper-cased as typed
    };
    struct Choice {
        Choice(const QString& radio, const QString& text, Field f = Field::None, const QString& fieldObject = {},
               int maxLen = 0)
            : radioName(radio), caption(text), field(f), fieldName(fieldObject), maxLength(maxLen)
        {
        }
        QString radioName;
        QString caption;
        Field field = Field::None;
        QString fieldName;
        int maxLength = 0; // Text only
    };

    ChoiceBox(const QString& title, const QVector<Choice>& choices, QWidget* parent = nullptr);

    int chosen() const;
    void choose(int index);
    // The chosen field's text with blanks for the places not typed, trimmed;
    // "" for a choice without a field.
    QString value() const;
    QLineEdit* field(int index) const { return m_fields.value(index); }
    // Presets the fields from today's "dd/mm/yyyy": the day, its month and its year.
    void presetFrom(const QString& curDate);
    // A line of help under a choice's field.
    void addHint(int index, const QString& text);

private:
    void update();

    QVector<Choice> m_choices;
    QVector<QRadioButton*> m_radios;
    QVector<QLineEdit*> m_fields;
    QGridLayout* m_grid = nullptr;
};

} // namespace wel
