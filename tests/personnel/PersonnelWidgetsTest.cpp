#include "common/widgets/BEDateEdit.h"
#include "common/widgets/FactCodeEdit.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace wel;

TEST(BEDateEdit, EmptyMaskIsNoDateAndTypedDigitsGiveTheText)
{
    BEDateEdit e;
    EXPECT_EQ(e.text(), QString());
    EXPECT_FALSE(e.date());

    QTest::keyClicks(&e, QStringLiteral("05012560"));
    EXPECT_EQ(e.text(), QStringLiteral("05/01/2560"));
    EXPECT_EQ(e.date(), QDate(2017, 1, 5));

    e.setText(QStringLiteral("  /  /    "));
    EXPECT_EQ(e.text(), QString());
    e.setText(QStringLiteral("31/12/2551"));
    EXPECT_EQ(e.text(), QStringLiteral("31/12/2551"));
    e.setText(QString());
    EXPECT_EQ(e.text(), QString());

    QTest::keyClicks(&e, QStringLiteral("12"));
    EXPECT_EQ(e.text(), QStringLiteral("12/  /    ")) << "a half-filled date is kept so that checking refuses it";
    EXPECT_FALSE(e.date());
    e.clear();
    QTest::keyClicks(&e, QStringLiteral("31022551"));
    EXPECT_EQ(e.text(), QStringLiteral("31/02/2551"));
    EXPECT_FALSE(e.date());
}

TEST(FactCodeEdit, UpperCasedTwoCharactersEditableOnlyInKV)
{
    FactCodeEdit e;
    e.setMode(QStringLiteral("KV"));
    EXPECT_FALSE(e.isReadOnly());
    QTest::keyClicks(&e, QStringLiteral("scx"));
    EXPECT_EQ(e.text(), QStringLiteral("SC"));
    EXPECT_EQ(e.code(), QStringLiteral("SC"));
    for (const char* mode : {"FC", ""}) {
        e.setMode(QString::fromLatin1(mode));
        EXPECT_TRUE(e.isReadOnly()) << mode;
    }
}
