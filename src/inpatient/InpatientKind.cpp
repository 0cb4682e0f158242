#include "claims/ClaimKind.h"

namespace wel::claims {

namespace {

// The outpatient claim with the hospital's differences: any faculty's
// employee, filed under the hospital clerk's own faculty, always in-patient.
ClaimKind makeInpatient()
{
    ClaimKind k = outpatient();
    k.identity.typeCode = QStringLiteral("HPE");
    k.identity.listedTypes = {QStringLiteral("HPE")};
    // Its control numbers are medical ones: the outpatient reprint and the
    // finance screens treat them alike.
    k.identity.sentDocType = QStringLiteral("FAE");
    k.limit.gate = LimitGate::BelowLimit;

    k.entry.title = QStringLiteral("2.1 บันทึกค่ารักษาพยาบาลคนไข้ใน");
    k.entry.searchColumns = {{QStringLiteral("No"), 50, QStringLiteral("No")},
                       {QStringLiteral("รหัสประจำตัวประชาชน"), 90, QStringLiteral("Emp_SSN")},
                       {QStringLiteral("รหัสประจำตัวพนักงาน"), 90, QStringLiteral("EMP_ID")},
                       {QStringLiteral("คำนำหน้า"), 70, QStringLiteral("Emp_Surname")},
                       {QStringLiteral("ชื่อ"), 80, QStringLiteral("Emp_F_Name")},
                       {QStringLiteral("นามสกุล"), 80, QStringLiteral("Emp_L_Name")},
                       {QStringLiteral("ปรเภท"), 40, QStringLiteral("Emp_H_Type")},
                       {QStringLiteral("KV_ID"), 40, QStringLiteral("KV_ID")},
                       {QStringLiteral("ตำแหน่ง"), 140, QStringLiteral("Emp_Position")}};
    k.entry.patientCount = 7;
    k.entry.folkColumnShown = false;
    k.entry.exitCloses = false;
    k.faculty.claim = FacultySource::Clerk;
    // Its summary lists the hospital's own claims, under the clerk's faculty.
    k.faculty.list = FacultySource::Clerk;
    k.identity.numberWhenMissing = RunningNumbers::WhenMissing::MessageB;

    k.form.titleAfterSave = QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย (โรงพยาบาลบันทึก)");
    k.form.titleReprint = QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย(โรงพยาบาลบันทึก)");
    k.form.footerHeading = QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล");
    k.form.footerHeadingHasYear = false;
    // Reprinted from the outpatient listing, with its footer heading.
    k.form.footerHeadingReprint = QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล ปีงบประมาณ ");
    k.form.footerHeadingReprintHasYear = true;

    k.summary.title = QStringLiteral("2.3 สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล");
    const QString doc = QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล");
    // Right after sending; a reprint goes by the control number's type "FAE".
    k.summaryDocument.outpatientTitle = doc + QStringLiteral("-คนไข้นอก");
    k.summaryDocument.inpatientTitle = doc + QStringLiteral("-คนไข้ใน");

    k.entry.objectName = QStringLiteral("frmHospital_Entry");
    k.faculty.searchAll = true;
    k.entry.patientType = PatientTypeChoice::Inpatient;
    k.entry.claimDateFixed = true;
    // Kept as the hospital summary always sent: the amount claimed, not the
    // payable one, goes to the finance side (cancelling the control number
    // gives back the same amount).
    k.summary.amountClaimed = true;
    k.summary.orderIsGridRow = true;
    k.summary.objectName = QStringLiteral("frmSum_Hospital");
    return k;
}

} // namespace

const ClaimKind& inpatient()
{
    static const ClaimKind k = makeInpatient();
    return k;
}

} // namespace wel::claims
