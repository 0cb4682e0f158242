#include "Database.h"
#include "Schema.h"

namespace wel {

namespace {
struct Pair { const char* code; const char* text; };
struct Kind { const char* code; const char* desc; const char* group; };

const Pair kFolk[] = {
    {"0", "ตนเอง"}, {"1", "บิดา"}, {"2", "มารดา"}, {"3", "คู่สมรส"},
    {"4", "บุตรลำดับที่1"}, {"5", "บุตรลำดับที่2"}, {"6", "บุตรลำดับที่3"}, {"7", "บุตรลำดับที่4"},
};

// Kinds of claim: outpatient "0", in-patient "1", education "E", and the
// other-welfare kinds of group "O" that the payment voucher prints.
const Kind kHealTypes[] = {
    {"0", "คนไข้นอก", "0"},
    {"1", "คนไข้ใน", "1"},
    {"E", "ค่าเล่าเรียนบุตร", "E"},
    {"M", "เงินช่วยเหลือพิเศษกรณีพนักงานถึงแก่กรรม", "O"},
    {"N", "เงินสงเคราะห์กรณีพนักงานถึงแก่กรรม", "O"},
    {"S", "เงินช่วยเหลือกรณีประสบอันตรายจากการทำงาน", "O"},
    {"D", "เงินชดเชยกรณีพ้นสภาพการเป็นพนักงาน", "O"},
};

const Pair kSections[] = {
    {"1", "โรงพยาบาล"},
    {"2", "คณะและโรงพยาบาล"},
    {"3", "คณะ (บันทึกการเบิก)"},
    {"4", "คณะ (บันทึกการเบิกและข้อมูลบุคคล)"},
    {"5", "งานบุคคล"},
    {"6", "กองคลัง (สอบถามและรายงาน)"},
    {"7", "กองคลัง"},
    {"8", "ระงับการใช้งาน"},
    {"9", "ผู้ดูแลระบบ"},
};

QString u(const char* s) { return QString::fromUtf8(s); }
} // namespace

void loadReferenceData(Database& db)
{
    Transaction tx(db);
    for (const Pair& p : kFolk)
        db.insertIfAbsent(QStringLiteral("Tr_Folk"), {QStringLiteral("Emp_Folk"), QStringLiteral("Folk_name")},
                          {u(p.code), u(p.text)}, 1);
    for (const Kind& k : kHealTypes)
        db.insertIfAbsent(QStringLiteral("TR_Heal_Type"),
                          {QStringLiteral("Health_In_Out_t"), QStringLiteral("Health_Desc"),
                           QStringLiteral("Health_Other_Code")},
                          {u(k.code), u(k.desc), u(k.group)}, 1);
    for (const Pair& p : kSections)
        db.insertIfAbsent(QStringLiteral("TR_Section"), {QStringLiteral("section"), QStringLiteral("Section_Name")},
                          {QString::fromLatin1(p.code).toInt(), u(p.text)}, 1);
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Version")).integer(0, QStringLiteral("n")) == 0)
        db.exec(QStringLiteral("INSERT INTO T_Version (Version_NO) VALUES (?)"), {QStringLiteral("24.00")});
    if (db.select(QStringLiteral("SELECT COUNT(*) AS n FROM TR_main_msg")).integer(0, QStringLiteral("n")) == 0)
        db.exec(QStringLiteral("INSERT INTO TR_main_msg (main_msg1, main_msg2, main_msg3) VALUES (?, ?, ?)"),
                {u("ยินดีต้อนรับสู่ระบบสวัสดิการพนักงานมหาวิทยาลัย"),
                 u("กรุณาส่งสรุปใบเบิกถึงกองคลังภายในวันที่ 25 ของทุกเดือน"),
                 u("สอบถามการใช้งานระบบ โทร. 1234")});
    tx.commit();
}

} // namespace wel
