#include "PersonnelFixture.h"
#include "personnel/FamilyService.h"

using namespace wel;
using namespace wel::test;
namespace FS = wel::FamilyService;

namespace {

FamilyMember person(const QString& first, const QString& birthday = QString())
{
    return {QStringLiteral("นาง"), first, QStringLiteral("ครอบครัว"), birthday, QStringLiteral("ประกันสังคม"),
            QStringLiteral("บัตรทอง"), QString()};
}

Rows folk(Database& db, const QString& kvId, int slot)
{
    return db.select(QStringLiteral("SELECT * FROM T_Emp_Folk WHERE KV_ID = ? AND Emp_Folk = ?"),
                     {kvId, QString::number(slot)});
}

// A new employee without any family row.
QString bareEmployee(Database& db, const QString& empId)
{
    return EmployeeService::add(db, loginAs(db, QStringLiteral("KV")),
                                newEmployee(empId, QStringLiteral("7") + empId.rightJustified(12, QLatin1Char('0')),
                                            QStringLiteral("SC")));
}

} // namespace

TEST(FamilyService, SaveInsertsOrUpdatesEachTickedSlot)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext fc = loginAs(db, QStringLiteral("FC"));
    const QString id = bareEmployee(db, QStringLiteral("F1"));

    FS::save(db, fc, id, {{3, person(QStringLiteral("คู่"))}, {4, person(QStringLiteral("ลูกหนึ่ง"), QStringLiteral("05/01/2560"))},
                          {5, person(QStringLiteral("ลูกสอง"))}});
    ASSERT_EQ(folk(db, id, 3).count(), 1);
    EXPECT_EQ(folk(db, id, 3).text(0, QStringLiteral("EF_Base_Right1")), QStringLiteral("ประกันสังคม"));
    EXPECT_EQ(folk(db, id, 4).text(0, QStringLiteral("EF_Birthday")), QStringLiteral("05/01/2560"));
    EXPECT_EQ(folk(db, id, 5).text(0, QStringLiteral("EF_Birthday")), QString());
    EXPECT_TRUE(folk(db, id, 1).isEmpty()) << "unticked slots are not written";

    FS::save(db, fc, id, {{3, person(QStringLiteral("คู่ใหม่"))}, {4, person(QStringLiteral("ลูกหนึ่ง"))}});
    EXPECT_EQ(folk(db, id, 3).count(), 1);
    EXPECT_EQ(folk(db, id, 3).text(0, QStringLiteral("EF_F_Name")), QStringLiteral("คู่ใหม่"));
    EXPECT_EQ(folk(db, id, 4).text(0, QStringLiteral("EF_Birthday")), QString()) << "an emptied birth date is stored empty";
    EXPECT_EQ(folk(db, id, 5).text(0, QStringLiteral("EF_F_Name")), QStringLiteral("ลูกสอง"));

    const auto loaded = FS::load(db, fc, id);
    EXPECT_EQ(loaded.keys(), (QList<int>{3, 4, 5}));
    EXPECT_EQ(loaded.value(3).EF_F_Name, QStringLiteral("คู่ใหม่"));
}

// A child's birth date shows as stored, and saving the slot for another
// reason writes it back as stored, even when it is no valid date.
TEST(FamilyService, BirthDateStaysAsStoredUnlessChanged)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext kv = loginAs(db, QStringLiteral("KV"));
    const QString id = bareEmployee(db, QStringLiteral("F2"));
    const char* stored[] = {"", "  /  /    ", "31/02/2551", "05/01/2560"};
    for (int i = 0; i < 4; ++i)
        db.exec(QStringLiteral("INSERT INTO T_Emp_Folk (KV_ID, Emp_Folk, EF_F_Name, EF_Birthday) VALUES (?, ?, ?, ?)"),
                {id, QString::number(4 + i), QStringLiteral("ลูก"), QString::fromLatin1(stored[i])});
    const auto family = FS::load(db, kv, id);
    EXPECT_EQ(family.value(4).EF_Birthday, QString());
    EXPECT_EQ(family.value(5).EF_Birthday, QString());
    EXPECT_EQ(family.value(6).EF_Birthday, QStringLiteral("31/02/2551"));
    EXPECT_EQ(family.value(7).EF_Birthday, QStringLiteral("05/01/2560"));

    QMap<int, FamilyMember> ticked = family;
    for (FamilyMember& m : ticked)
        m.EF_Base_Right1 = QStringLiteral("บัตรทอง");
    FS::validate(ticked, family);
    FS::save(db, kv, id, ticked);
    for (int i = 0; i < 4; ++i) {
        const Rows row = folk(db, id, 4 + i);
        EXPECT_EQ(row.text(0, QStringLiteral("EF_Birthday")), QString::fromLatin1(stored[i])) << 4 + i;
        EXPECT_EQ(row.text(0, QStringLiteral("EF_Base_Right1")), QStringLiteral("บัตรทอง")) << 4 + i;
    }

    // a date typed anew is checked
    ticked[6].EF_Birthday = QStringLiteral("30/02/2551");
    const QString refused = QStringLiteral("วันเดือนปีเกิดของบุตรลำดับที่ 3 ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)");
    EXPECT_EQ(errorOf([&] { FS::validate(ticked, family); }), refused);
    EXPECT_EQ(errorOf([&] { FS::save(db, kv, id, ticked); }), refused);
    ticked[6].EF_Birthday = QStringLiteral("28/02/2551");
    FS::save(db, kv, id, ticked);
    EXPECT_EQ(folk(db, id, 6).text(0, QStringLiteral("EF_Birthday")), QStringLiteral("28/02/2551"));
}

TEST(FamilyService, RefusalsWriteNothing)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext fc = loginAs(db, QStringLiteral("FC"));
    const QString id = bareEmployee(db, QStringLiteral("F3"));
    auto without = [](int slot, auto change) {
        FamilyMember m = person(QStringLiteral("ชื่อ"));
        change(m);
        return QMap<int, FamilyMember>{{4, person(QStringLiteral("ลูก"))}, {slot, m}};
    };
    struct Case {
        QMap<int, FamilyMember> ticked;
        QString message;
    };
    const Case cases[] = {
        {{}, FS::kNothingTicked},
        {without(1, [](FamilyMember& m) { m.EF_Surname = QStringLiteral(" "); }), QStringLiteral("กรุณาใส่คำนำหน้าชื่อ ด้วย")},
        {without(2, [](FamilyMember& m) { m.EF_F_Name.clear(); }), QStringLiteral("กรุณาใส่ชื่อด้วย")},
        {without(3, [](FamilyMember& m) { m.EF_L_Name.clear(); }), QStringLiteral("กรุณาใส่นามสกุลด้วย")},
        {without(6, [](FamilyMember& m) { m.EF_Birthday = QStringLiteral("30/02/2560"); }),
         QStringLiteral("วันเดือนปีเกิดของบุตรลำดับที่ 3 ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)")},
        // a nameless child would be offered as a patient by the claim screens
        {{{7, FamilyMember{}}}, QStringLiteral("กรุณาใส่ชื่อด้วย")},
        {without(5, [](FamilyMember& m) { m.EF_F_Name = QStringLiteral("  "); }), QStringLiteral("กรุณาใส่ชื่อด้วย")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf([&] { FS::save(db, fc, id, c.ticked); }), c.message);
    EXPECT_TRUE(db.select(QStringLiteral("SELECT KV_ID FROM T_Emp_Folk WHERE KV_ID = ?"), {id}).isEmpty());

    // a child needs no more than a given name
    FS::save(db, fc, id, {{7, {QString(), QStringLiteral("ลูก"), QString(), QString(), QString(), QString(), QString()}}});
    EXPECT_EQ(folk(db, id, 7).count(), 1);

    // nor may a clerk write another faculty's family
    const QString other = firstActiveOf(db, QStringLiteral("EN"));
    EXPECT_EQ(errorOf([&] { FS::save(db, fc, other, {{1, person(QStringLiteral("พ่อ"))}}); }),
              QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
    EXPECT_EQ(errorOf([&] { FS::load(db, fc, QString()); }), QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย"));
}
