#include "ImportFixture.h"
#include "personnel/BulkUpdates.h"

using namespace wel;
using namespace wel::test;

namespace {

QString field(Database& db, const QString& kvId, const char* column)
{
    return db.select(QStringLiteral("SELECT * FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {kvId})
        .text(0, QString::fromLatin1(column));
}

// The four employees the leaving and right-type workbooks name.
void addListedEmployees(Database& db)
{
    for (int n = 1; n <= 4; ++n)
        addEmployee(db, QStringLiteral("KV2567/00090%1").arg(n), QStringLiteral("SC590000090%1").arg(n),
                    QStringLiteral("320000000090%1").arg(n), QStringLiteral("ชื่อ%1").arg(n),
                    QStringLiteral("สกุล%1").arg(n), QStringLiteral("SC"), QStringLiteral("2"));
}

} // namespace

TEST(BulkUpdates, OwnFamilyRowsTakeTheEmployeesNames)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const BulkUpdates::Alignment none = BulkUpdates::alignSelfNames(db, adminLogin(db));
    EXPECT_EQ(none.count, 0) << "the demo family rows agree with the records";
    EXPECT_TRUE(none.lines.isEmpty());

    const Rows selfRows = db.select(QStringLiteral("SELECT f.KV_ID, e.Emp_F_Name, e.Emp_L_Name, f.EF_Surname "
                                                   "FROM T_Emp_Folk f JOIN T_Emp_Gov_Histry e ON e.KV_ID = f.KV_ID "
                                                   "WHERE f.Emp_Folk = '0' ORDER BY f.KV_ID"));
    const QString a = selfRows.text(0, QStringLiteral("KV_ID"));
    const QString b = selfRows.text(1, QStringLiteral("KV_ID"));
    db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_F_Name = 'ชื่อเก่า', EF_Surname = 'ดร.' WHERE KV_ID = ? AND Emp_Folk = '0'"), {a});
    db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_L_Name = NULL WHERE KV_ID = ? AND Emp_Folk = '0'"), {b});
    db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_F_Name = 'บิดา' WHERE KV_ID = ? AND Emp_Folk = '1'"), {a});

    const BulkUpdates::Alignment fixed = BulkUpdates::alignSelfNames(db, adminLogin(db));
    ASSERT_EQ(fixed.count, 2);
    const QString first = selfRows.text(0, QStringLiteral("Emp_F_Name"));
    const QString last = selfRows.text(0, QStringLiteral("Emp_L_Name"));
    EXPECT_EQ(fixed.lines[0], QStringLiteral("1: ชื่อ ") + first + QStringLiteral(" นามสกุล  ") + last
                                  + QStringLiteral(" KV ID =") + a + QStringLiteral("  ชื่อ ชื่อเก่า  นามสกุล ") + last);
    const Rows after = db.select(QStringLiteral("SELECT EF_Surname, EF_F_Name, EF_L_Name FROM T_Emp_Folk "
                                                "WHERE KV_ID = ? AND Emp_Folk = '0'"),
                                 {a});
    EXPECT_EQ(after.text(0, QStringLiteral("EF_F_Name")), first);
    EXPECT_EQ(after.text(0, QStringLiteral("EF_Surname")), QStringLiteral("ดร.")) << "the title stays";
    EXPECT_EQ(db.select(QStringLiteral("SELECT EF_L_Name FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk = '0'"), {b})
                  .text(0, QStringLiteral("EF_L_Name")),
              selfRows.text(1, QStringLiteral("Emp_L_Name")));
    EXPECT_EQ(db.select(QStringLiteral("SELECT EF_F_Name FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk = '1'"), {a})
                  .text(0, QStringLiteral("EF_F_Name")),
              QStringLiteral("บิดา"))
        << "other family rows are not touched";
    EXPECT_EQ(BulkUpdates::alignSelfNames(db, adminLogin(db)).count, 0);
}

TEST(BulkUpdates, LeavingSkipsThoseWithAYearlyRowOfTheChosenYear)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    addListedEmployees(db);
    addYearRow(db, QStringLiteral("KV2567/000902"), QStringLiteral("2570"), 20000, 0);
    const imports::SheetRows rows = BulkUpdates::readLeaving(fixture("leaving.xlsx"));
    ASSERT_EQ(rows.count(), 6);
    EXPECT_EQ(rows.grid[0], QStringList({"1", "KV2567/000901", "3200000000901", "สมชาย", "ลาออก",
                                         "ลาออกเพื่อศึกษาต่อ", "30/09/2567"}));

    const BulkUpdates::Applied a = BulkUpdates::applyLeaving(db, login, rows, QStringLiteral("2570"));
    EXPECT_EQ(a.updated, 2);
    EXPECT_EQ(reasonsByRow(a.refused),
              (QMap<int, QString>{{3, BulkUpdates::kHasClaims},
                                  {5, imports::reasonBadDate(QStringLiteral("วันที่ออก"), QStringLiteral("32/13/2567"))},
                                  {6, QStringLiteral("ไม่พบพนักงานที่ยังไม่ลาออกตาม KV_ID นี้")},
                                  {7, imports::reasonDuplicate(2)}}));
    const QString left = QStringLiteral("KV2567/000901");
    EXPECT_EQ(field(db, left, "Emp_Status"), QStringLiteral("O"));
    EXPECT_EQ(field(db, left, "Exit_Reason"), QStringLiteral("ลาออกเพื่อศึกษาต่อ"));
    EXPECT_EQ(field(db, left, "Emp_Out_date"), QStringLiteral("30/09/2567"));
    EXPECT_EQ(field(db, left, "USER_E_Exit"), QStringLiteral("admin"));
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000903"), "Emp_Status"), QStringLiteral("O")) << "found in any letter case";
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000903"), "Emp_Out_date"), QString());
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000902"), "Emp_Status"), QStringLiteral("A"));
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000904"), "Emp_Status"), QStringLiteral("A"));

    // In a year without his yearly row the one refused above may leave;
    // those who left already are not found again.
    const BulkUpdates::Applied later = BulkUpdates::applyLeaving(db, login, rows, QStringLiteral("2571"));
    EXPECT_EQ(later.updated, 1);
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000902"), "Emp_Status"), QStringLiteral("O"));
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000902"), "Emp_Out_date"), QStringLiteral("15/08/2567"));

    // An identity number that is not the employee's is not taken for him.
    imports::SheetRows wrong;
    wrong.grid << QStringList({"1", "KV2567/000904", "3999999999999", "", "", "", ""});
    wrong.sheetRows << 2;
    EXPECT_EQ(BulkUpdates::applyLeaving(db, login, wrong, QStringLiteral("2571")).refused.value(0).reason,
              QStringLiteral("เลขประจำตัวประชาชนไม่ตรงกับ KV_ID นี้"));
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000904"), "Emp_Status"), QStringLiteral("A"));
}

TEST(BulkUpdates, RightTypesSetTheTypeAndExactLimitsOfTheYearOnly)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    addListedEmployees(db);
    db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Status = 'O' WHERE KV_ID = 'KV2567/000902'"));
    addYearRow(db, QStringLiteral("KV2567/000901"), QStringLiteral("2570"), 20000, 1500);
    db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = 25000, Fact_U_Copay = 300.25, "
                           "Kv_T_Copay = 25000, Kv_U_Copay = 300.25 WHERE KV_ID = 'KV2567/000901'"));
    addYearRow(db, QStringLiteral("KV2567/000901"), QStringLiteral("2569"), 20000, 700);
    addYearRow(db, QStringLiteral("KV2567/000902"), QStringLiteral("2570"), 200000, 0);

    const imports::SheetRows rows = BulkUpdates::readRightTypes(fixture("righttypes.xlsx"));
    ASSERT_EQ(rows.count(), 5);
    const BulkUpdates::Applied a = BulkUpdates::applyRightTypes(db, adminLogin(db), rows, QStringLiteral("2570"));
    EXPECT_EQ(a.updated, 2);
    EXPECT_EQ(a.yearRows, 2);
    EXPECT_EQ(reasonsByRow(a.refused),
              (QMap<int, QString>{{4, imports::reasonBadType(QStringLiteral("5"))},
                                  {5, QStringLiteral("ไม่พบพนักงานเลขประจำตัวประชาชนนี้ในคณะ EN")},
                                  {6, imports::reasonDuplicate(2)}}));

    EXPECT_EQ(field(db, QStringLiteral("KV2567/000901"), "Emp_H_Type"), QStringLiteral("1"));
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000902"), "Emp_H_Type"), QStringLiteral("3")) << "any status, faculty in any case";
    EXPECT_EQ(field(db, QStringLiteral("KV2567/000903"), "Emp_H_Type"), QStringLiteral("2"));
    const Rows y = db.select(QStringLiteral("SELECT * FROM T_Year_Cur_Health WHERE KV_ID = 'KV2567/000901' ORDER BY Pay_Year"));
    auto money = [&](int row, const char* c) { return y.money(row, QString::fromLatin1(c)); };
    EXPECT_EQ(money(1, "Fact_T_H_Money"), Money::fromBaht(200000));
    EXPECT_EQ(money(1, "KV_T_H_Money"), Money::fromBaht(200000));
    EXPECT_EQ(money(1, "Fact_T_Copay"), Money());
    EXPECT_EQ(money(1, "Kv_T_Copay"), Money());
    EXPECT_EQ(money(1, "Fact_T_U_H"), Money::fromBaht(1500)) << "used amounts stay";
    EXPECT_EQ(money(1, "Fact_U_Copay"), Money::fromSatang(30025));
    EXPECT_EQ(money(0, "Fact_T_H_Money"), Money::fromBaht(20000)) << "another year stays";
    EXPECT_EQ(db.select(QStringLiteral("SELECT Fact_T_H_Money FROM T_Year_Cur_Health WHERE KV_ID = 'KV2567/000902'"))
                  .money(0, QStringLiteral("Fact_T_H_Money")),
              Money::fromBaht(2000000000));
}
