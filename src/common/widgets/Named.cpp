#include "Named.h"
#include "common/CleanText.h"
#include "Messages.h"
#include "common/AppError.h"
#include "common/Money.h"
#include "common/Utility.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <QVBoxLayout>

namespace wel {

namespace {

const char* const kLongestValue = "longestValue";
const char* const kStretch = "stretchesFreely";

// The width a line edit needs to show this text whole, computed as Qt
// computes a line edit's size hint (QLineEdit keeps two pixels of margin on
// either side of its text, and one for the cursor).
int widthToShow(const QLineEdit* e, const QString& text)
{
    const QFontMetrics fm = e->fontMetrics();
    const QMargins tm = e->textMargins();
    const QMargins cm = e->contentsMargins();
    const int inner = fm.horizontalAdvance(text) + 2 * 2 + 1 + tm.left() + tm.right() + cm.left() + cm.right();
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    return e->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(inner, fm.height()), e).width();
}

void applyWidth(QLineEdit* e)
{
    const QString value = e->property(kLongestValue).toString();
    const int need = qMax(widthToShow(e, value), e->minimumSizeHint().width());
    e->setMinimumWidth(need);
    if (e->property(kStretch).toBool())
        e->setMaximumWidth(QWIDGETSIZE_MAX);
    else
        e->setMaximumWidth(need + 2 * e->fontMetrics().averageCharWidth());
}

// A field's width follows its font and style, which a parent or a style
// sheet may change after the field was made.
class FieldSizer : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            applyWidth(static_cast<QLineEdit*>(watched));
            break;
        default:
            break;
        }
        return false;
    }
};

class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit* e, int limit) : QValidator(e), m_edit(e), m_limit(limit), m_shown(int(e->text().size()))
    {
        connect(e, &QLineEdit::textChanged, this, [this](const QString& t) { m_shown = int(t.size()); });
    }
    State validate(QString& input, int&) const override
    {
        // setText() empties the undo history before it asks: a text set by
        // the program passes whole. An edit is refused only when it would
        // make the text longer than both the limit and what it was before.
        if (!m_edit->isUndoAvailable())
            return Acceptable;
        return input.size() > m_limit && input.size() > m_shown ? Invalid : Acceptable;
    }

private:
    QLineEdit* m_edit;
    int m_limit;
    int m_shown;
};

} // namespace

QString longestValue(FieldKind kind, int length)
{
    switch (kind) {
    case FieldKind::Digits: return QString(length, QLatin1Char('0'));
    case FieldKind::Code: return QString(length, QLatin1Char('M'));
    case FieldKind::Text: break;
    }
    return QString(qMin(length, kLongText), QChar(0x0E01)); // "ก", a consonant of ordinary width
}

void fitToValue(QLineEdit* e, const QString& value, bool stretch)
{
    if (e->property(kLongestValue).isNull())
        e->installEventFilter(new FieldSizer(e));
    e->setProperty(kLongestValue, value);
    e->setProperty(kStretch, stretch);
    applyWidth(e);
}

void setTypingLimit(QLineEdit* e, int limit)
{
    e->setValidator(new TypingLimit(e, limit));
}

QLineEdit* namedEdit(const QString& name, int maxLength, QWidget* parent, FieldKind kind)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0) {
        setTypingLimit(e, maxLength);
        fitToValue(e, longestValue(kind, maxLength), kind == FieldKind::Text && maxLength > kLongText);
    }
    // Pasted text may bring tabs and invisible characters, and Thai typed
    // as nikhahit and sara aa: the field shows what will be stored.
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] {
        const QString clean = CleanText(e->text());
        if (clean != e->text())
            e->setText(clean);
    });
    return e;
}

QLineEdit* namedReadOnly(const QString& name, QWidget* parent, const QString& longest)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    // Shown, not typed: Tab passes it by, a click still selects to copy.
    e->setFocusPolicy(Qt::ClickFocus);
    if (longest.isEmpty())
        fitToValue(e, longestValue(FieldKind::Text, kLongText), true);
    else
        fitToValue(e, longest);
    return e;
}

QLineEdit* amountField(const QString& name, QWidget* parent)
{
    QLineEdit* e = namedReadOnly(name, parent, longest::amount);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QLineEdit* typedAmountEdit(const QString& name, QWidget* parent)
{
    QLineEdit* e = namedEdit(name, 16, parent, FieldKind::Digits);
    e->setAlignment(Qt::AlignRight);
    // Enter and leaving the field both finish an edit: a refused value is
    // told once, however it was left. Text that is no amount at all is left
    // for the command's own check.
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] {
        Money m;
        if (!Money::parse(CleanAmount(e->text()), &m))
            return;
        try {
            e->setText(Money::fromTyped(e->text()).toDisplay());
        } catch (const AppError& error) {
            if (e->property("refusedText").toString() == e->text())
                return;
            e->setProperty("refusedText", e->text());
            msg::warning(e->window(), error.message());
        }
    });
    return e;
}

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}

QPushButton* mainButton(const QString& name, const QString& caption, QWidget* parent)
{
    QPushButton* b = namedButton(name, caption, parent);
    // Outside a dialog Qt takes the default mark from an auto-default
    // button as the focus leaves it; the main button keeps it for good and
    // still takes Enter while focused.
    b->setAutoDefault(false);
    b->setDefault(true);
    return b;
}

QLabel* titleLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    l->setFont(f);
    return l;
}

Panel namedPanel(const QString& name, QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    return {w, layout};
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* b : buttons)
        row->addWidget(b);
    row->addStretch();
    return row;
}

void addTotal(QHBoxLayout* row, const QString& caption, QLineEdit* amount, QWidget* parent)
{
    addTotals(row, {{caption, amount}}, parent);
}

void addTotals(QHBoxLayout* row, std::initializer_list<TotalField> totals, QWidget* parent)
{
    row->addStretch(1);
    bool first = true;
    for (const TotalField& t : totals) {
        if (!first)
            row->addSpacing(24);
        first = false;
        row->addWidget(new QLabel(t.caption, parent));
        t.amount->setAlignment(Qt::AlignRight);
        row->addWidget(t.amount);
        row->addWidget(new QLabel(QStringLiteral("บาท"), parent));
    }
}

} // namespace wel
