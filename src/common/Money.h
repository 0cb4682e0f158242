#pragma once
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <compare>

namespace wel {

// An amount of baht held exactly, in satang. Never a binary double.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromSatang(qint64 s) { Money m; m.m_satang = s; return m; }
    static constexpr Money fromBaht(qint64 b) { return fromSatang(b * 100); }

    // Decimal text as typed or stored: "1234.5", "-0.25", "1,234.50" (commas
    // are dropped), blanks around it allowed. More than two decimals are
    // rounded half away from zero. Returns false for anything else.
    static bool parse(const QString& text, Money* out);
    // Text typed into an amount field: cleaned of "," first, empty counts as 0.
    // Throws AppError with a Thai message when it is not an amount.
    static Money fromTyped(const QString& text);
    // A value read from the database: NUMERIC as text (high precision),
    // integer, or floating point (SQLite), rounded to the satang. NULL is 0.
    static Money fromVariant(const QVariant& v);

    constexpr qint64 satang() const { return m_satang; }
    // "1234.50": for binding to SQL and for plain output.
    QString toPlain() const;
    // "%n": "1,234.50", "0.00", "-1,234.50".
    QString toDisplay() const;
    QVariant toSql() const { return toPlain(); }
    double toDouble() const { return double(m_satang) / 100.0; }

    constexpr bool isZero() const { return m_satang == 0; }
    constexpr Money operator+(Money o) const { return fromSatang(m_satang + o.m_satang); }
    constexpr Money operator-(Money o) const { return fromSatang(m_satang - o.m_satang); }
    constexpr Money operator-() const { return fromSatang(-m_satang); }
    Money& operator+=(Money o) { m_satang += o.m_satang; return *this; }
    Money& operator-=(Money o) { m_satang -= o.m_satang; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 m_satang = 0;
};

inline constexpr Money min(Money a, Money b) { return a < b ? a : b; }
inline constexpr Money max(Money a, Money b) { return a < b ? b : a; }

} // namespace wel
