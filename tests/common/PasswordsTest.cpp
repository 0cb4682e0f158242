#include "common/Passwords.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace wel;

TEST(Passwords, HashedWithAFreshSaltAndCheckedExactly)
{
    const QString typed = QStringLiteral("รหัส ลับ1");
    const QString h = Passwords::hash(typed);
    EXPECT_NE(h, Passwords::hash(typed)) << "every hash has its own salt";
    EXPECT_TRUE(Passwords::isHash(h));
    EXPECT_FALSE(h.contains(typed));
    EXPECT_FALSE(Passwords::needsRehash(h));

    const struct { QString stored, typed; bool matches; } cases[] = {
        {h, typed, true},
        {h, typed + QLatin1Char(' '), false},
        {h, QStringLiteral("รหัส ลับ2"), false},
        {h, QString(), false},
        {h, h, false}, // the hash itself is no password
        {QStringLiteral("Old pw"), QStringLiteral("Old pw"), true}, // kept as typed by an older version
        {QStringLiteral("Old pw"), QStringLiteral("old pw"), false},
        {QString(), QString(), false},
        {QStringLiteral("$argon2id$v=19$broken"), QStringLiteral("$argon2id$v=19$broken"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Passwords::matches(c.stored, c.typed), c.matches)
            << c.stored.toStdString() << " / " << c.typed.toStdString();
    EXPECT_TRUE(Passwords::needsRehash(QStringLiteral("Old pw")));
}

TEST(Passwords, InitialPasswordsAreRandomAndReadableFromPaper)
{
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString p = Passwords::randomInitial();
        EXPECT_EQ(p.size(), 10) << p.toStdString();
        for (const QChar c : p) {
            EXPECT_TRUE(c.isLetterOrNumber() && c.unicode() < 128) << p.toStdString();
            EXPECT_FALSE(QStringLiteral("0O1lI").contains(c)) << p.toStdString();
        }
        seen.insert(p);
    }
    EXPECT_EQ(seen.size(), 200);
}
