#include "MenuTable.h"

namespace wel {

namespace {

using K = MenuEntry::Kind;
using M = MenuEntry::Mode;

struct Row {
    const char* parent;
    const char* name;
    const char* caption;
    K kind;
    M mode;
    const char* screen;
    bool disabled;
};

#define TOP(name, caption) {"", name, caption, K::Menu, M::Unchanged, "", false}
#define SUB(parent, name, caption) {parent, name, caption, K::Menu, M::Unchanged, "", false}
#define CMD(parent, name, caption, mode, screen) {parent, name, caption, K::Command, M::mode, screen, false}
#define OFF(parent, name, caption, screen) {parent, name, caption, K::Command, M::Unchanged, screen, true}
#define SEP(parent, name) {parent, name, "-", K::Separator, M::Unchanged, "", false}
#define NOP(parent, name, caption) {parent, name, caption, K::NoCommand, M::Unchanged, "", false}

const Row kRows[] = {
    TOP("N1", "ข้อมูลอ้างอิง"),
    TOP("N2", "บันทึกข้อมูล FA"),
    TOP("HR1", "บันทึกข้อมูล HR"),
    TOP("N3", "สอบถาม / รายงาน"),
    TOP("N21", "โรงพยาบาล"),
    TOP("N41", "กองคลัง สอบถาม/รายงาน"),
    TOP("N10", "กองคลัง"),
    TOP("AdministratorTool1", "Administrator Tool"),
    TOP("Utilities", "Utilities"),
    {"", "N4", "ออกจากระบบ", K::Logout, M::Unchanged, "", false},

    // บันทึกข้อมูล FA
    CMD("N2", "N6", "2.1 บันทึกการเบิกค่ารักษาพยาบาล", FC, "TfrmEntry_Health"),
    CMD("N2", "N2111", "     2.1.1  ขอพิมพ์ใบเบิกค่ารักษาพยาบาลใหม่", FC, "TfrmRe_Print_Berg_HL"),
    CMD("N2", "N16", "2.2 ยกเลิกใบเบิกค่ารักษาพยาบาล", FC, "TfrmCancel_Berg"),
    CMD("N2", "N15", "2.3 สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล", FC, "TfrmSum_Berg_FC"),
    CMD("N2", "N24", "     2.3.1 ขอพิมพ์ใบสรุปอีกครั้ง", FC, "TfrmRe_Print_Docontrol"),
    SEP("N2", "N18"),
    CMD("N2", "N19", "3.1 บันทึกข้อมูลค่าเล่าเรียนบุตร", Unchanged, "TfrmEntry_Son_Stu"),
    CMD("N2", "N321", "3.2 ยกเลิกใบเบิกค่าเล่าเรียนบุตร ", Unchanged, "TfrmCancel_Son_Stu"),
    CMD("N2", "N27", "3.3 สรุปใบเบิกสวัสดิการค่าเล่าเรียนบุตร", Unchanged, "TfrmRep_Edu_Sent_Kv"),
    CMD("N2", "N341", "     3.3.1 ขอพิมพ์ใบสรุปอีกครั้ง", Unchanged, "TfrmRe_Print_Doc_Edu"),
    SEP("N2", "N14"),
    CMD("N2", "CoPay1", "4.1 บันทึก Co-Pay", FC, "TfrmCo_Pay_Entry"),
    CMD("N2", "N41CoPay1", "      4.1.1  ขอพิมพ์ใบเบิก  Co-Pay  ใหม่", FC, "TfrmRe_Print_Berg_Cop"),
    CMD("N2", "CoPay4", "4.2 ยกเลิก Co-Pay", FC, "TfrmCancel_Berg_COP"),
    CMD("N2", "N43COPAY1", "4.3 สรุปใบปะหน้าค่ารักษาพยาบาล แบบ CO-PAY", FC, "TfrmRep_COP_Sent_Kv"),
    CMD("N2", "N441", "     4.3.1 ขอพิมพ์ใบสรุป CO-PAY อีกครั้ง", FC, "TfrmRe_Print_Doc_Cop"),
    SEP("N2", "N53"),
    CMD("N2", "N54", "5.1 สรุปเพื่อจัดทำใบสำคัญจ่าย", FC, "TfrmSum_PV"),
    CMD("N2", "N5111", "     5.1.1 ขอพิมพ์ใบสำคัญจ่ายอีกครั้ง", Unchanged, "TfrmRe_Print_Sum_PV"),

    // บันทึกข้อมูล HR
    CMD("HR1", "N29", "บันทึกพนักงานเพิ่ม/แก้ไข", FC, "TfrmAdd_Edit_Emp_His"),
    CMD("HR1", "N30", "บันทึกบุคคลในครอบครัว และสิทธิพื้นฐาน", FC, "TfrmEmp_Histry"),
    SEP("HR1", "N31"),
    CMD("HR1", "N32", "บันทึกพนักงานลาออก", FC, "TfrmEmp_Exit"),

    // สอบถาม / รายงาน
    CMD("N3", "N7", "รายงานประเภทสิทธิการรักษาพยาบาล", FC, "TfrmRep_Emp_Histry"),
    SEP("N3", "N8"),
    CMD("N3", "N9", "สอบถามประวัติการเบิกค่ารักษารายบุคคล", FC, "TfrmQuery_Health"),
    CMD("N3", "N81", "สอบถามประวัติการเบิกค่าเล่าเรียนบุตรรายบุคคล", FC, "TfrmQuery_Edu_Son"),
    CMD("N3", "COPAY2", "สอบถามประวัติการเบิกค่ารักษารายบุคคล(กรณี CO-PAY)", FC, "TfrmQuery_Health_COPAY"),
    CMD("N3", "N33", "รายงานเลขทะเบียนคุมใบเบิก", FC, "TfrmRep_Berg_Doc_ID"),
    SEP("N3", "N57"),
    CMD("N3", "N58", "รายบุคคลในครอบครัว", FC, "TfrmRep_Emp_Folk"),
    CMD("N3", "N411", "4.1 รายงานสวัสดิการพนักงาน", FC, "TfrmRep_Berg_Doc_ID"),
    CMD("N3", "N452", "4.5 รายงงานสวัสดิการพนักงาน - แยกตามใบเสร็จ ญาติ", FC, "TfrmRep_BergDocID_Folk"),
    CMD("N3", "N46FlexibleBenifet1", "4.6 รายงานรายชื่อผู้สมัคร Flexible Benifet", FC, "TfrmRep_Flexible_Benifit"),
    SEP("N3", "Overview1Sep"),
    CMD("N3", "Overview1", "ภาพรวมการเบิกสวัสดิการ", FC, "TfrmOverview"),

    // โรงพยาบาล
    CMD("N21", "N22", "สอบถามยอดวงเงินคงเหลือ", Unchanged, "TfrmQ_Hospital"),
    CMD("N21", "N38", "รายงานเลขทะเบียนคุมใบเบิก", FC, "TfrmRep_Berg_Doc_ID"),
    SEP("N21", "N26"),
    CMD("N21", "N25", "2.1 บันทึกค่ารักษาพยาบาลคนไข้ใน", Unchanged, "TfrmHospital_Entry"),
    CMD("N21", "N52", "     2.1.1 ขอพิมพ์ใบเบิกค่ารักษาพยาบาลใหม่", Unchanged, "TfrmRe_Print_Berg_HL"),
    CMD("N21", "N221", "2.2 ยกเลิกใบเบิกค่ารักษาพยาบาล", Unchanged, "TfrmCancel_Berg"),
    CMD("N21", "N37", "2.3 สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล", Unchanged, "TfrmSum_Hospital"),
    CMD("N21", "N241", "     2.3.1 ขอพิมพ์ใบสรุปอีกครั้ง", Unchanged, "TfrmRe_Print_Docontrol"),

    // กองคลัง สอบถาม/รายงาน
    CMD("N41", "N42", "1.1 สอบถามประวัติพนักงาน", Unchanged, "TfrmQuery_Emp_Histry"),
    CMD("N41", "N59", "1.2 รายงานบุคคลในครอบครัว", KV, "TfrmRep_Emp_Folk"),
    CMD("N41", "N46", "1.3 รายงานประเภทสิทธิการรักษาพยาบาล", KV, "TfrmRep_Emp_Histry"),
    SEP("N41", "N71"),
    CMD("N41", "N43", "2.1 สอบถามยอดวงเงินคงเหลือ", Unchanged, "TfrmQ_Hospital"),
    CMD("N41", "N44", "2.2 สอบถามการส่งข้อมูลจากคณะมายังกองคลัง", Unchanged, "TfrmRep_Fact_Sent_Kv"),
    CMD("N41", "N45", "2.3 สอบถามประวัติการเบิกค่ารักษารายบุคคล", KV, "TfrmQuery_Health"),
    SEP("N41", "N61"),
    CMD("N41", "N62", "3.1 สอบถามประวัติการเบิกค่าเล่าเรียนบุตรรายบุคคล", KV, "TfrmQuery_Edu_Son"),
    CMD("N41", "N60", "3.2 รายงานสวัสดิการค่าเล่าเรียนบุตร", KV, "TfrmRep_Edu_Son"),
    CMD("N41", "N33COPAY1", "3.3 สอบถามประวัติการเบิกค่ารักษารายบุคคล(กรณี CO-PAY)", KV, "TfrmQuery_Health_COPAY"),
    SEP("N41", "N74"),
    SUB("N41", "FA1", "บันทึกข้อมูล FA"),
    SUB("N41", "N77", "ค่ารักษาพยาบาลเกินวงเงินที่กำหนด(ไม่หักวงเงิน)"),
    SEP("N41", "N47"),
    CMD("N41", "N48", "4.1 รายงานสวัสดิการพนักงาน", KV, "TfrmRep_Berg_Doc_ID"),
    CMD("N41", "N49", "4.2 รายงานสรุปใบเบิก", KV, "TfrmRep_Sum_Doc_Con"),
    CMD("N41", "N431", "4.3 รายงานใบสำคัญจ่าย", Unchanged, "TfrmRep_PVR"),
    CMD("N41", "N442", "4.4 รายงานรายละเอียดใบสำคัญจ่าย", Unchanged, "TfrmRep_Pvr_Detail"),
    CMD("N41", "N451", "4.5 รายงงานสวัสดิการพนักงาน - แยกตามใบเสร็จ ญาติ", KV, "TfrmRep_BergDocID_Folk"),
    CMD("N41", "N46FlexibleBenifet2", "4.6 รายงานรายชื่อผู้สมัคร Flexible Benifet", KV, "TfrmRep_Flexible_Benifit"),
    CMD("N41", "N471", "4.7 รายงานแยกตามประเภทสวัสดิการ", Unchanged, "TfrmRep_Type_Berg_Brelok"),
    SEP("N41", "N55"),
    SUB("N41", "N76", "5. สวัสดิการอื่น ๆ (ไม่หักจากวงเงิน)"),
    SEP("N41", "N72"),
    CMD("N41", "d1", "6.1 สรุปเพื่อจัดทำใบสำคัญจ่าย", KV, "TfrmSum_PV"),
    CMD("N41", "N56", "6.2 บันทึกเลขที่หน่วยงานย่อย", Unchanged, "TfrmEntry_Depart_DocNo"),
    CMD("N41", "PV1", "6.3 บันทึกเลขที่จ่าย (PV)", Unchanged, "TfrmEntry_PV_Doc"),
    SEP("N41", "N63"),
    CMD("N41", "N64", "7.1 รายงานสรุปพนง.เลือกประเภทค่ารักษาพยาบาล", Unchanged, "TfrmRep_Fact_H_Type"),
    CMD("N41", "N65", "7.2 รายงานสรุปค่ารักษาแยกตามประเภทและเดือน", Unchanged, "TfrmRep_Berg_Heal_Type"),
    CMD("N41", "N66", "7.3 รายงานขั้นสรุปส่งกองคลัง แยกตามเดือน", Unchanged, "TfrmRep_MY_Sent_Kv"),
    SEP("N41", "N73"),
    CMD("N41", "N81ImportExcel1", "8.1 ข้อมูลด้านรับ(Import Excel)", Unchanged, "TfrmImp_Excel_Income"),
    CMD("N41", "N821", "8.2 ยกเลิกใบสำคัญจ่าย", Unchanged, "TfrmCancel_Sum_PV"),
    SEP("N41", "Overview2Sep"),
    CMD("N41", "Overview2", "ภาพรวมการเบิกสวัสดิการ", KV, "TfrmOverview"),

    // กองคลัง สอบถาม/รายงาน > บันทึกข้อมูล FA
    CMD("FA1", "N211", "2.1 บันทึกการเบิกค่ารักษาพยาบาล", KV, "TfrmEntry_Health"),
    CMD("FA1", "N2112", "     2.1.1  ขอพิมพ์ใบเบิกค่ารักษาพยาบาลใหม่", KV, "TfrmRe_Print_Berg_HL"),
    CMD("FA1", "N222", "2.2 ยกเลิกใบเบิกค่ารักษาพยาบาล", KV, "TfrmCancel_Berg"),
    CMD("FA1", "N231", "2.3 สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล", KV, "TfrmSum_Berg_FC"),
    CMD("FA1", "N2311", "     2.3.1 ขอพิมพ์ใบสรุปอีกครั้ง", KV, "TfrmRe_Print_Docontrol"),
    SEP("FA1", "N75"),
    CMD("FA1", "N41CoPay2", "4.1 บันทึก Co-Pay", KV, "TfrmCo_Pay_Entry"),
    CMD("FA1", "N411CoPay1", "      4.1.1  ขอพิมพ์ใบเบิก  Co-Pay  ใหม่", KV, "TfrmRe_Print_Berg_Cop"),
    CMD("FA1", "N42CoPay1", "4.2 ยกเลิก Co-Pay", KV, "TfrmCancel_Berg_COP"),
    CMD("FA1", "N43COPAY2", "4.3 สรุปใบปะหน้าค่ารักษาพยาบาล แบบ CO-PAY", KV, "TfrmRep_COP_Sent_Kv"),
    CMD("FA1", "N4312", "     4.3.1 ขอพิมพ์ใบสรุปอีกครั้ง", KV, "TfrmRe_Print_Doc_Cop"),

    // กองคลัง สอบถาม/รายงาน > ค่ารักษาพยาบาลเกินวงเงินที่กำหนด
    CMD("N77", "N78", "1. บันทึกค่ารักษาพยาบาลเกินวงเงินที่กำหนด", KV, "TfrmEntry_Health_Over_Vong_Money"),
    CMD("N77", "N111", "     1.1  ขอพิมพ์ใบเบิกค่ารักษาพยาบาลเกินวงเงินที่กำหนดใหม่", KV, "TfrmRe_Print_Over_Vong_Money"),
    CMD("N77", "N210", "2 ยกเลิกใบเบิกค่ารักษาพยาบาลเกินวงเงินที่กำหนด", KV, "TfrmCancel_Berg_Over_Vong_Money"),
    CMD("N77", "N310", "3 สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลเกินวงเงินที่กำหนด", KV, "TfrmSum_Berg_Over_Vong_Money"),
    CMD("N77", "N311", "     3.1 ขอพิมพ์ใบสรุปอีกครั้ง", KV, "TfrmRe_Print_Sum_Over_Vong_Money"),

    // กองคลัง สอบถาม/รายงาน > สวัสดิการอื่น ๆ
    CMD("N76", "N511", "5.1 บันทึกสวัสดิการอื่น ๆ (ไม่หักจากวงเงิน)", Unchanged, "TfrmEntry_Other_Health"),
    CMD("N76", "N521", "5.2 ยกเลิกใบเบิกสวัสดิการอื่น ๆ", Unchanged, "TfrmCancel_Other_Health"),
    CMD("N76", "N531", "5.3 สรุปใบเบิกสวัสดิการอื่น ๆ", Unchanged, "TfrmRep_Oth_Sent_Kv"),
    CMD("N76", "N5311", "     5.3.1 ขอพิมพ์ใบสรุปอีกครั้ง", Unchanged, "TfrmRe_Print_Doc_Oth"),

    // กองคลัง
    CMD("N10", "N12", "1.1 เพิ่ม/แก้ไขประวัติพนักงาน", KV, "TfrmAdd_Edit_Emp_His"),
    CMD("N10", "N1111", "1.1-1 บันทึกบุคคลในครอบครัว และสิทธิพื้นฐาน", KV, "TfrmEmp_Histry"),
    CMD("N10", "N23", "1.2 บันทึกการลาออกของพนักงาน", KV, "TfrmEmp_Exit"),
    CMD("N10", "N51", "1.3 ยกเลิกเลขที่ควบคุมใบเบิก", Unchanged, "TfrmCancel_Sent_KV_Doc"),
    CMD("N10", "N141", "1.4  การยกเลิกใบสำคัญจ่าย", Unchanged, "TfrmCancel_Sum_PV"),
    SEP("N10", "N13"),
    NOP("N10", "N11", "2.1 รายงานประวัติพนักงาน"),
    CMD("N10", "N39", "2.2 สอบถามยอดวงเงินคงเหลือ", Unchanged, "TfrmQ_Hospital"),
    CMD("N10", "N17", "2.3 สอบถามการส่งข้อมูลจากคณะมายังกองคลัง", Unchanged, "TfrmRep_Fact_Sent_Kv"),
    CMD("N10", "N40", "2.4 สอบถามประวัติการเบิกค่ารักษารายบุคคล", KV, "TfrmQuery_Health"),
    CMD("N10", "N20", "2.5 รายงานประเภทสิทธิการรักษาพยาบาล", KV, "TfrmRep_Emp_Histry"),
    SEP("N10", "N67"),
    OFF("N10", "N68", "3.1 บันทึกสวัสดิการอื่น ๆ", "TfrmEntry_Other_Health"),
    OFF("N10", "N69", "3.2 ยกเลิกใบเบิกสวัสดิการอื่น ๆ", "TfrmCancel_Other_Health"),
    OFF("N10", "N70", "3.3 สรุปใบเบิกสวัสดิการอื่น ๆ", "TfrmRep_Oth_Sent_Kv"),
    OFF("N10", "N4311", "     3.3.1 ขอพิมพ์ใบสรุปอีกครั้ง", "TfrmRe_Print_Doc_Oth"),

    // Administrator Tool
    NOP("AdministratorTool1", "MSExcel1", "ดึงข้อมูลจาก MS Excel อัตราพนักงาน"),
    NOP("AdministratorTool1", "Clear1", "Clear ข้อมูลในระบบ"),
    SEP("AdministratorTool1", "N5"),
    CMD("AdministratorTool1", "N28", "รายงานเลขที่ควบคุมใบเบิก", Unchanged, "TfrmRep_Sum_Doc_Con"),
    SEP("AdministratorTool1", "N34"),
    CMD("AdministratorTool1", "N35", "ผู้ใช้งานระบบ", Unchanged, "TfrmNew_User"),
    CMD("AdministratorTool1", "N36", "พิมพ์ผู้ใช้งานระบบ", Unchanged, "TfrmPrint_User"),
    SEP("AdministratorTool1", "N50"),
    CMD("AdministratorTool1", "MSExcel2", "นำเข้าข้อมูลพนักงานใหม่ในรูปแบบ MS Excel", Unchanged, "TfrmImp_Emp_Histry_Excel"),
    SEP("AdministratorTool1", "N79"),
    CMD("AdministratorTool1", "N80", "ปรับปรุง่ข้อมูล", Unchanged, "TfrmUpdate_data"),
    SEP("AdministratorTool1", "N82"),
    CMD("AdministratorTool1", "UpdateFlexBen1", "Update ข้อมูล Flexible Benefit", Unchanged, "TfrmUpdate_Flexible_Benefit"),
    SEP("AdministratorTool1", "N83"),
    CMD("AdministratorTool1", "AuditLog1", "ประวัติการทำรายการ", Unchanged, "TfrmAudit_Log"),
};

QVector<MenuEntry> build()
{
    QVector<MenuEntry> v;
    for (const Row& r : kRows)
        v.push_back({QString::fromUtf8(r.parent), QString::fromUtf8(r.name), QString::fromUtf8(r.caption), r.kind,
                     r.mode, QString::fromUtf8(r.screen), r.disabled});
    return v;
}

QSet<QString> set(std::initializer_list<const char*> names)
{
    QSet<QString> s;
    for (const char* n : names)
        s.insert(QString::fromLatin1(n));
    return s;
}

} // namespace

const QVector<MenuEntry>& menuTable()
{
    static const QVector<MenuEntry> table = build();
    return table;
}

const MenuEntry* findMenuEntry(const QString& name)
{
    for (const MenuEntry& e : menuTable())
        if (e.name == name)
            return &e;
    return nullptr;
}

QSet<QString> visibleTopMenus(int section, const QString& factCode)
{
    QSet<QString> shown;
    switch (section) {
    case 1: shown = set({"N21", "N4"}); break;
    case 2: shown = set({"N2", "HR1", "N3", "N4", "N21"}); break;
    case 3: shown = set({"N2", "N3", "N4"}); break;
    case 4: shown = set({"N2", "HR1", "N3", "N4"}); break;
    case 5: shown = set({"HR1", "N3", "N4"}); break;
    case 6: shown = set({"N41", "N4"}); break;
    case 7: shown = set({"N1", "N2", "N3", "Utilities", "N4", "N10"}); break;
    case 9: shown = set({"N1", "N2", "HR1", "N3", "Utilities", "N4", "N10", "AdministratorTool1", "N21", "N41"}); break;
    default: break;
    }
    if (factCode == QLatin1String("OP"))
        shown.insert(QStringLiteral("N41"));
    return shown;
}

QSet<QString> hiddenMenuItems(int section)
{
    if (section == 6)
        return set({"FA1", "N77", "N76", "d1", "N56", "PV1", "N81ImportExcel1", "N821"});
    return {};
}

QString modeText(MenuEntry::Mode mode)
{
    switch (mode) {
    case MenuEntry::FC: return QStringLiteral("FC");
    case MenuEntry::KV: return QStringLiteral("KV");
    case MenuEntry::Unchanged: break;
    }
    return {};
}

} // namespace wel
