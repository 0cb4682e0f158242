#include "claims/ClaimKind.h"
#include "common/Limits.h"

namespace wel::claims {

namespace {

// The co-pay entry shows the medical entitlement without decimals, and every
// type other than "1" as type "2"'s.
QString copayEntitlement(const RightTypeLimit* limit)
{
    return typeOneOrTwo(limit ? limit->hType : QString()).listText;
}

ClaimKind makeCopay()
{
    ClaimKind k;
    k.identity.typeCode = QStringLiteral("COP");
    k.identity.listedTypes = {QStringLiteral("COP")};
    k.identity.sentDocType = QStringLiteral("COP");
    k.identity.sentDocTypesListed = {QStringLiteral("COP")};
    k.identity.voucherLabel = k.identity.cancelLabel = k.identity.listingLabel = QStringLiteral("CO-PAY");
    k.limit.policy = LimitPolicy::Copay;
    k.limit.gate = LimitGate::Copay;
    k.limit.limitColumn = QStringLiteral("Fact_T_Copay");
    k.limit.usedColumn = QStringLiteral("Fact_U_Copay");
    k.limit.sentColumn = QStringLiteral("Kv_U_Copay");
    k.limit.usedUpMessage = QStringLiteral("วงเงินมีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก");
    k.limit.copay = {
        QStringLiteral("1"),
        QStringLiteral("ไม่สามารถเบิกค่ารักษาแบบ Co-Pay ได้ \rเนื่องจากพนักงานเลือกสิทธิแบบ 1(วงเงิน 200,000 บาท)"),
        QStringLiteral("ต้องเบิกค่ารักษาพบาบาลก่อนให้เต็มวงเงินก่อน\r จึงจะสามารถเบิก Co-Pay ได้"),
        QStringLiteral("ต้องเบิกค่ารักษาพบาบาลให้เต็มวงเงินก่อน\r จึงจะสามารถเบิก Co-Pay ได้"),
        QStringLiteral("วงเงินมีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก"),
        QStringLiteral("ก่อนใช้ Co-Pay ต้องเบิกเงินในส่วนสวัสดิการก่อน"),
        QStringLiteral("วงเงิน Co-Pay มีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก"),
    };

    k.entry.title = QStringLiteral("4.1 บันทึก Co-Pay");
    k.entry.searchTitle = QStringLiteral("1. การค้นหาพนักงาน");
    k.entry.gridTitle = QStringLiteral("2. คลิกเลือกชื่อพนักงาน");
    k.entry.nameRequired = false;
    k.entry.searchColumns = {{QStringLiteral("No"), 30, QStringLiteral("No")},
                       {QStringLiteral("รหัสประจำตัวประชาชน"), 0, QStringLiteral("Emp_SSN")},
                       {QStringLiteral("รหัสประจำตัวพนักงาน"), 90, QStringLiteral("EMP_ID")},
                       {QStringLiteral("คำนำหน้า"), 70, QStringLiteral("Emp_Surname")},
                       {QStringLiteral("ชื่อ"), 80, QStringLiteral("Emp_F_Name")},
                       {QStringLiteral("นามสกุล"), 80, QStringLiteral("Emp_L_Name")},
                       {QStringLiteral("ปรเภท"), 40, QStringLiteral("Emp_H_Type")},
                       {QStringLiteral("KV_ID"), 0, QStringLiteral("KV_ID")},
                       {QStringLiteral("สิทธิการเบิก CO-PAY"), 110, QStringLiteral("CopayRight")},
                       {QStringLiteral("ตำแหน่ง"), 140, QStringLiteral("Emp_Position")}};
    k.entry.patientCount = 7;
    k.entry.folkColumnShown = false;
    k.entry.flexibleBenefitShown = false;
    k.identity.numberWhenMissing = RunningNumbers::WhenMissing::MessageB;
    k.entry.entitlementText = copayEntitlement;

    const QString title = QStringLiteral("ใบเบิกค่ารักษาแบบ CO-PAY พนักงานมหาวิทยาลัย");
    k.form.titleAfterSave = title;
    k.form.titleReprint = title;
    k.form.footerHeading = QStringLiteral("สรุปการเบิกค่ารักษาพยาบาลสำหรับ CO-Pay เฉพาะส่วนมหาวิทยาลัยร่วมจ่าย ปีงบประมาณ ");
    k.form.lineCaptions = {QStringLiteral("1. วงเงิน CO-Pay คงเหลือก่อนหักครั้งนี้"), QStringLiteral("2. หักเบิกครั้งนี้"),
                           QStringLiteral("3. วงเงิน CO-Pay คงเหลือหลังหักครั้งนี้"),
                           QStringLiteral("4. จำนวนที่เกินวงเงิน")};
    k.form.columnHeadings = {QStringLiteral("ลำดับ"), QStringLiteral("ชื่อ-นามสกุล ผู้ป่วย"), QStringLiteral("สถานะ"),
                             QStringLiteral("วันที่ในใบเสร็จ"), QStringLiteral("จำนวนเงิน")};
    k.form.limitLines = false;
    k.form.shareText = QStringLiteral("เป็นสัดส่วนร้อยละ 50 ในวงเงินไม่เกิน 50,000 บาท/ปี (มหาวิทยาลัยจ่ายร่วมเป็นเงิน "
                                      "25,000 บาท และ  บุคลากรร่วมจ่ายอีก 25,000 บาท)");
    k.form.noteBeforeProcessing = true;
    k.form.unlimitedTexts = false;

    k.cancel.title = QStringLiteral("4.2 ยกเลิก Co-Pay");
    k.cancel.gridTitle = QStringLiteral("2. เลือกใบเบิก Co-Pay");
    k.cancel.limitText = medicalCancelLimit;
    k.cancel.columnWidths = {30, 100, 140, 70, 80, 90, 90, 90, 40, 40};

    k.summary.title = QStringLiteral("4.3 สรุปใบปะหน้าค่ารักษาพยาบาล แบบ CO-PAY");
    k.summary.sendCaption = QStringLiteral("ส่งข้อมูลไปให้มหาวิทยาลัย และพิมพ์สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล");
    k.summary.reprintTitle = QStringLiteral("4.3.1 ขอพิมพ์ใบสรุป CO-PAY อีกครั้ง");
    const QString doc = QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย(CO-PAY)");
    k.summaryDocument = {doc + QStringLiteral("-คนไข้นอก"), doc + QStringLiteral("-คนไข้ใน"),
                         doc + QStringLiteral(" -คนไข้นอก"), doc + QStringLiteral(" -คนไข้ใน")};
    k.entry.reprintTitle = QStringLiteral("      4.1.1  ขอพิมพ์ใบเบิก  Co-Pay  ใหม่");

    k.entry.objectName = QStringLiteral("frmCo_Pay_Entry");
    k.entry.limitCaptions = {QStringLiteral("สิทธิในการเบิกวงเงิน Co-Pay"), QString(), QStringLiteral("วงเงินที่ใช้ไปแล้ว"),
                       QStringLiteral("วงเงินคงเหลือก่อนหักครั้งนี้")};
    k.entry.remainingShowsFlex = false;
    // Kept as the co-pay screens always listed: by the employee's present
    // faculty, so the claims of a moved employee follow him.
    k.faculty.cancelByEmployee = true;
    k.faculty.summaryByEmployee = true;
    k.cancel.hrrOnly = true;
    k.cancel.objectName = QStringLiteral("frmCancel_Berg_COP");
    k.summary.objectName = QStringLiteral("frmRep_COP_Sent_Kv");
    return k;
}

} // namespace

const ClaimKind& copay()
{
    static const ClaimKind k = makeCopay();
    return k;
}

} // namespace wel::claims
