#include "shell/MenuTable.h"

#include <gtest/gtest.h>

using namespace wel;

namespace {
QSet<QString> names(std::initializer_list<const char*> list)
{
    QSet<QString> s;
    for (const char* n : list)
        s.insert(QString::fromLatin1(n));
    return s;
}
} // namespace

TEST(Menus, TopMenusBySectionAndTheOPRule)
{
    const struct { int section; const char* fact; QSet<QString> shown; } cases[] = {
        {1, "HO", names({"N21", "N4"})},
        {2, "MD", names({"N2", "HR1", "N3", "N4", "N21"})},
        {3, "EN", names({"N2", "N3", "N4"})},
        {3, "OP", names({"N2", "N3", "N4", "N41"})},
        {4, "SC", names({"N2", "HR1", "N3", "N4"})},
        {5, "ED", names({"HR1", "N3", "N4"})},
        {6, "SC", names({"N41", "N4"})},
        {7, "OP", names({"N1", "N2", "N3", "Utilities", "N4", "N10", "N41"})},
        {8, "AG", names({})},
        {8, "OP", names({"N41"})},
        {9, "OP", names({"N1", "N2", "HR1", "N3", "Utilities", "N4", "N10", "AdministratorTool1", "N21", "N41"})},
        {0, "SC", names({})},
        {12, "SC", names({})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(visibleTopMenus(c.section, QString::fromLatin1(c.fact)), c.shown) << c.section << " " << c.fact;
}

TEST(Menus, SectionSixSeesOnlyEnquiriesOfFinance)
{
    EXPECT_EQ(hiddenMenuItems(6), names({"FA1", "N77", "N76", "d1", "N56", "PV1", "N81ImportExcel1", "N821"}));
    EXPECT_TRUE(hiddenMenuItems(9).isEmpty());
}

TEST(Menus, TableIsConsistent)
{
    QSet<QString> seen, menus;
    int top = 0;
    for (const MenuEntry& e : menuTable()) {
        EXPECT_FALSE(seen.contains(e.name)) << "duplicate item " << e.name.toStdString();
        seen.insert(e.name);
        if (e.kind == MenuEntry::Menu)
            menus.insert(e.name);
        if (e.parent.isEmpty()) {
            ++top;
        } else {
            EXPECT_TRUE(menus.contains(e.parent)) << e.name.toStdString() << " before its menu";
        }
        if (e.kind == MenuEntry::Command) {
            EXPECT_TRUE(e.screen.startsWith(QLatin1String("Tfrm"))) << e.name.toStdString();
        }
    }
    EXPECT_EQ(top, 10);
    // the captions keep their leading blanks
    EXPECT_EQ(findMenuEntry(QStringLiteral("N2111"))->caption, QStringLiteral("     2.1.1  ขอพิมพ์ใบเบิกค่ารักษาพยาบาลใหม่"));
    EXPECT_EQ(findMenuEntry(QStringLiteral("N6"))->mode, MenuEntry::FC);
    EXPECT_EQ(findMenuEntry(QStringLiteral("N211"))->mode, MenuEntry::KV);
    EXPECT_EQ(findMenuEntry(QStringLiteral("N22"))->mode, MenuEntry::Unchanged);
    for (const char* off : {"N68", "N69", "N70", "N4311"})
        EXPECT_TRUE(findMenuEntry(QString::fromLatin1(off))->disabled) << off;
    EXPECT_EQ(findMenuEntry(QStringLiteral("Clear1"))->kind, MenuEntry::NoCommand);
    EXPECT_EQ(findMenuEntry(QStringLiteral("N11"))->kind, MenuEntry::NoCommand);
}
