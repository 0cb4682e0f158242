#include "ClaimKind.h"
#include "common/Limits.h"

// The kinds charged against no limit: medical claims above the limit, other
// welfare payments and the children's education allowance.

namespace wel::claims {

namespace {

QStringList one(const char* code) { return {QString::fromLatin1(code)}; }

// The entry's "สิทธิ": the yearly limit without decimals, "0" for no limit.
QString entryEntitlement(const RightTypeLimit* limit)
{
    return !limit ? QString() : limit->unlimited ? QStringLiteral("0") : limit->listText;
}

// The printed form's entitlement: "200,000", "20,000" or "ไม่จำกัดวงเงิน".
QString formEntitlement(const RightTypeLimit* limit) { return limit ? limit->listText : QString(); }

// The cancellation grid's "วงเงิน(บาท)": type "1" its limit, any other "20,000".
QString cancelLimit(const QString& hType)
{
    return rightTypeLimit(hType.trimmed() == QLatin1String("1") ? hType : QStringLiteral("2"))->listText;
}

QVector<SearchColumn> employeeColumns()
{
    return {{QStringLiteral("No"), 50, QStringLiteral("No")},
            {QStringLiteral("รหัสประจำตัวประชาชน"), 90, QStringLiteral("Emp_SSN")},
            {QStringLiteral("รหัสประจำตัวพนักงาน"), 90, QStringLiteral("EMP_ID")},
            {QStringLiteral("คำนำหน้า"), 70, QStringLiteral("Emp_Surname")},
            {QStringLiteral("ชื่อ"), 80, QStringLiteral("Emp_F_Name")},
            {QStringLiteral("นามสกุล"), 80, QStringLiteral("Emp_L_Name")},
            {QStringLiteral("ปรเภท"), 40, QStringLiteral("Emp_H_Type")},
            {QStringLiteral("KV_ID"), 40, QStringLiteral("KV_ID")},
            {QStringLiteral("ตำแหน่ง"), 140, QStringLiteral("Emp_Position")}};
}

const QString kSendMedical = QStringLiteral("ส่งข้อมูลไปให้มหาวิทยาลัย และพิมพ์สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล");

ClaimKind makeOverLimit()
{
    ClaimKind k;
    k.identity.typeCode = QStringLiteral("OVM");
    k.identity.listedTypes = one("OVM");
    k.identity.sentDocType = k.identity.typeCode;
    k.identity.sentDocTypesListed = one("OVM");
    // The yearly row is read for the gate and the remaining-limit panel only.
    k.limit = {LimitPolicy::None, QStringLiteral("Fact_T_H_Money"), QStringLiteral("Fact_T_U_H"), QString(), QString(),
               QString(), {}};
    k.limit.gate = LimitGate::LimitUsedUp;
    k.entry.objectName = QStringLiteral("frmEntry_Health_Over_Vong_Money");
    k.cancel.objectName = QStringLiteral("frmCancel_Berg_Over_Vong_Money");
    k.summary.objectName = QStringLiteral("frmSum_Berg_Over_Vong_Money");
    k.identity.voucherLabel = QStringLiteral("ค่ารักษาเกินวงเงิน");
    k.identity.listingLabel = QStringLiteral("OVER MONEY");
    k.entry.budgetYearPreset = true;
    k.entry.remainingShowsFlex = false;

    k.entry.title = QStringLiteral("การบันทึกข้อมูลค่ารักษาพยาบาลเกินวงเงิน (ไม่หักวงเงิน)");
    k.entry.searchTitle = QStringLiteral("1. การค้นหาข้อมูล");
    k.entry.gridTitle = QStringLiteral("2. คลิกเลือกชื่อที่ต้องการ");
    k.entry.searchColumns = employeeColumns();
    k.entry.patientCount = 7;
    k.entry.flexibleBenefitShown = false;
    k.entry.exitCloses = false;
    k.entry.entitlementText = entryEntitlement;

    const QString title = QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลกรณีเกินวงเงิน (ไม่ตัดวงเงิน)");
    k.form.titleAfterSave = title;
    k.form.titleReprint = title;
    k.form.footerHeadingHasYear = false;
    k.form.footerHeading = QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล");
    k.form.lineCaptions = {QStringLiteral("1. วงเงินคงเหลือก่อนหักครั้งนี้"), QStringLiteral("2. หักเบิกครั้งนี้"),
                           QStringLiteral("3. วงเงินคงเหลือหลังหักครั้งนี้"), QStringLiteral("4. จำนวนที่เกินวงเงิน")};
    k.form.columnHeadings = {QStringLiteral("ลำดับ"), QStringLiteral("ชื่อ-นามสกุล"), QStringLiteral("สถานะ"),
                             QStringLiteral("วันที่ในใบเสร็จรับเงิน"), QStringLiteral("จำนวนเงิน")};
    k.form.limitNotCharged = true;
    k.form.flexibleBenefitLine = false;
    k.form.entitlementText = formEntitlement;

    k.cancel.title = QStringLiteral("การยกเลิกใบเบิกค่ารักษาพยาบาล กรณีเกินวงเงินค่ารักษา (ไม่หักวงเงิน)");
    k.cancel.gridTitle = QStringLiteral("2. เลือกใบเบิกค่ารักษาพยาบาล");
    k.cancel.limitText = cancelLimit;

    k.summary.title = QStringLiteral("3 สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลเกินวงเงินที่กำหนด");
    k.summary.sendCaption = kSendMedical;
    k.summary.reprintTitle = QStringLiteral("3.1 ขอพิมพ์ใบสรุปอีกครั้ง");
    const QString sum = QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล(เกินวงเงิน)");
    k.summaryDocument = {sum + QStringLiteral("-คนไข้นอก"), sum + QStringLiteral("-คนไข้ใน"),
                         sum + QStringLiteral(" -คนไข้นอก"), sum + QStringLiteral(" -คนไข้ใน")};
    k.entry.reprintTitle = QStringLiteral("1.1  ขอพิมพ์ใบเบิกค่ารักษาพยาบาลเกินวงเงินที่กำหนดใหม่");
    return k;
}

// What other welfare and education share: nothing charged, the summary of
// every open claim of the faculty whatever its year, the claimed amounts.
ClaimKind makeUncharged(const char* type)
{
    ClaimKind k;
    k.identity.typeCode = QString::fromLatin1(type);
    k.identity.listedTypes = one(type);
    k.identity.sentDocType = k.identity.typeCode;
    k.identity.sentDocTypesListed = one(type);
    k.limit.policy = LimitPolicy::None;
    k.limit.gate = LimitGate::None;
    k.identity.numberWhenMissing = RunningNumbers::WhenMissing::MessageB;
    k.entry.searchTitle = QStringLiteral("การค้นหา");
    k.entry.entitlementText = entryEntitlement;
    k.cancel.limitText = cancelLimit;
    k.cancel.startPanel = false;
    k.cancel.patientType = false;
    k.cancel.showsPayYear = false;
    k.cancel.searchesAgain = true;
    k.summary.byYearAndPatientType = false;
    k.summary.amountClaimed = true;
    k.summaryDocument.idHeading = QStringLiteral("รหัสประจำตัว");
    k.summaryDocument.secondCertificationItem = false;
    return k;
}

ClaimKind makeOtherWelfare()
{
    ClaimKind k = makeUncharged("OTH");
    k.entry.title = QStringLiteral("บันทึกการเบิกสวัสดิการอื่น ๆ");
    k.entry.searchColumns = employeeColumns();
    k.faculty.claim = FacultySource::Typed;
    // Filed under the faculty typed, numbered in the clerk's own series.
    k.identity.numberSeries = NumberSeries::ClerkFaculty;
    k.entry.objectName = QStringLiteral("frmEntry_Other_Health");
    k.cancel.objectName = QStringLiteral("frmCancel_Other_Health");
    k.summary.objectName = QStringLiteral("frmRep_Oth_Sent_Kv");
    k.identity.voucherLabel = QStringLiteral("สวัสดิการอื่น ๆ");
    k.faculty.list = FacultySource::Typed;
    k.cancel.title = QStringLiteral("การยกเลิกใบเบิกสวัสดิการอื่น ๆ");
    k.cancel.gridTitle = QStringLiteral("2. เลือกใบเบิก");
    k.cancel.showsKind = true;
    k.summary.title = QStringLiteral("สรุปใบเบิกสวัสดิการอื่น ๆ");
    k.faculty.summaryByEmployee = true;
    k.summary.facultyCaption = QStringLiteral("รหัสคณะ");
    k.summary.sendCaption = QStringLiteral("ส่งข้อมูลไปให้มหาวิทยาลัย และพิมพ์สรุปใบเบิกสวัสดิการอื่น ๆ");
    k.summary.reprintTitle = QStringLiteral("ขอพิมพ์ใบสรุปสวัสดิการอื่น ๆ อีกครั้ง");
    k.summaryDocument.fixedTitle = QStringLiteral("สรุปใบเบิกสวัสดิการอื่น ๆ พนักงานมหาวิทยาลัย");
    k.summaryDocument.showsKindDescription = true;
    k.summaryDocument.certification = QStringLiteral("ข้าพเจ้าได้ตรวจสอบใบเบิกเงินสวัสดิการ ข้างต้นแล้ว ขอรับรองว่า");
    return k;
}

ClaimKind makeEducation()
{
    ClaimKind k = makeUncharged("EDU");
    k.limit.gate = LimitGate::EducationRight;
    k.entry.title = QStringLiteral("บันทึกการเบิกค่าเล่าเรียนบุตร");
    k.entry.nameRequired = false;
    k.entry.searchColumns = {{QStringLiteral("No"), 30, QStringLiteral("No")},
                       {QStringLiteral("รหัสประจำตัวประชาชน"), 0, QStringLiteral("Emp_SSN")},
                       {QStringLiteral("รหัสประจำตัวพนักงาน"), 90, QStringLiteral("EMP_ID")},
                       {QStringLiteral("คำนำหน้า"), 70, QStringLiteral("Emp_Surname")},
                       {QStringLiteral("ชื่อ"), 80, QStringLiteral("Emp_F_Name")},
                       {QStringLiteral("นามสกุล"), 80, QStringLiteral("Emp_L_Name")},
                       {QStringLiteral("ปรเภท"), 40, QStringLiteral("Emp_H_Type")},
                       {QStringLiteral("KV_ID"), 0, QStringLiteral("KV_ID")},
                       {QStringLiteral("สิทธิค่าเล่าเรียนบุตร"), 110, QStringLiteral("EduRight")},
                       {QStringLiteral("ตำแหน่ง"), 140, QStringLiteral("Emp_Position")}};
    k.faculty.claim = FacultySource::Clerk;
    k.faculty.list = FacultySource::Clerk;
    k.identity.voucherLabel = k.identity.cancelLabel = QStringLiteral("ค่าเล่าเรียนบุตร");
    k.entry.objectName = QStringLiteral("frmEntry_Son_Stu");
    k.cancel.objectName = QStringLiteral("frmCancel_Son_Stu");
    k.summary.objectName = QStringLiteral("frmRep_Edu_Sent_Kv");
    k.cancel.title = QStringLiteral("3.2 ยกเลิกใบเบิกค่าเล่าเรียนบุตร");
    k.cancel.gridTitle = QStringLiteral("2. เลือกใบเบิกค่ารักษาพยาบาล");
    k.faculty.cancelByEmployee = true;
    k.cancel.facultyField = false;
    k.cancel.firstPatient = 4;
    k.cancel.patientCount = 4;
    k.cancel.patientsNote = QStringLiteral("ค่าเล่าเรียนบุตร");
    k.summary.title = QStringLiteral("3.3 สรุปใบเบิกสวัสดิการค่าเล่าเรียนบุตร");
    k.summary.emptyKeepsResults = true;
    k.summary.sendCaption = QStringLiteral("ส่งข้อมูลไปให้มหาวิทยาลัย และพิมพ์สรุปใบเบิกสวัสดิการค่าศึกษาบุตร");
    k.summary.reprintTitle = QStringLiteral("3.3.1 ขอพิมพ์ใบสรุปอีกครั้ง");
    k.summaryDocument.fixedTitle = QStringLiteral("สรุปใบเบิกสวัสดิการการศึกษาบุตรพนักงานมหาวิทยาลัย");
    k.summaryDocument.certification =
        QStringLiteral("ข้าพเจ้าได้ตรวจสอบใบเบิกเงินสวัสดิการค่าศึกษาบุตร ข้างต้นแล้ว ขอรับรองว่า");
    // This document's sizes are prescribed as they stand.
    k.summaryDocument.sizes = {.title = 20, .heading = 16, .pageNumber = 16, .text = 14, .total = 14, .detail = 12,
                               .printedAt = 14};
    k.summaryDocument.columns = {0, 14, 54, 82, 113, 155, 190}; // the headings at 14 points
    return k;
}

} // namespace

const ClaimKind& overLimit()
{
    static const ClaimKind k = makeOverLimit();
    return k;
}

const ClaimKind& otherWelfare()
{
    static const ClaimKind k = makeOtherWelfare();
    return k;
}

const ClaimKind& education()
{
    static const ClaimKind k = makeEducation();
    return k;
}

} // namespace wel::claims
