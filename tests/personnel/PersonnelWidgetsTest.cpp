#include "common/widgets/BEDateEdit.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Named.h"

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

    // a stored text the mask cannot hold is shown as it is, not rearranged
    e.setText(QStringLiteral("5/1/2560"));
    EXPECT_EQ(e.text(), QStringLiteral("5/1/2560"));
    e.setText(QStringLiteral("05/01/2560"));
    EXPECT_EQ(e.text(), QStringLiteral("05/01/2560"));
    e.clear();
    QTest::keyClicks(&e, QStringLiteral("1a2"));
    EXPECT_EQ(e.text(), QStringLiteral("12/  /    ")) << "the mask is back for typing";
}

// The limit is on typing: a longer stored value shows whole, may be
// shortened, and is never lengthened.
TEST(NamedEdit, TypingLimitLimitsTypingOnly)
{
    QWidget parent;
    QLineEdit* e = namedEdit(QStringLiteral("edtEmp_Level3"), 2, &parent, FieldKind::Code);
    QTest::keyClicks(e, QStringLiteral("123"));
    EXPECT_EQ(e->text(), QStringLiteral("12"));
    e->setText(QStringLiteral("C10"));
    EXPECT_EQ(e->text(), QStringLiteral("C10"));
    e->end(false);
    QTest::keyClicks(e, QStringLiteral("4"));
    EXPECT_EQ(e->text(), QStringLiteral("C10"));
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, QStringLiteral("45"));
    EXPECT_EQ(e->text(), QStringLiteral("C1")) << "shortened to the limit, it takes no more";
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

// A pasted name with a tab, a zero-width space and sara am in two
// characters: the field holds it as it will be stored once the clerk
// leaves it.
TEST(NamedEdit, LeavingTheFieldCleansWhatWasPasted)
{
    QLineEdit* e = namedEdit(QStringLiteral("edtEmp_F_Name3"), 40, nullptr);
    e->setText(QString::fromUtf16(u"\u0E19\u0E49\u0E4D\u0E32\u200B\u0E1D\u0E19\t"));
    emit e->editingFinished();
    EXPECT_EQ(e->text(), QString::fromUtf16(u"\u0E19\u0E49\u0E33\u0E1D\u0E19 "));
    delete e;
}
