#include "ClaimKind.h"
#include "common/Limits.h"
#include "common/LoginContext.h"

namespace wel::claims {

namespace {

QString medicalEntitlement(const RightTypeLimit* limit) { return limit ? limit->entryText : QString(); }

ClaimKind makeOutpatient()
{
    ClaimKind k;
    k.identity.typeCode = QStringLiteral("FAE");
    k.identity.listedTypes = {QStringLiteral("FAE"), QStringLiteral("HPE")};
    k.identity.sentDocType = QStringLiteral("FAE");
    k.identity.sentDocTypesListed = {QStringLiteral("FAE"), QStringLiteral("HPE")};
    k.limit = {LimitPolicy::Medical, QStringLiteral("Fact_T_H_Money"), QStringLiteral("Fact_T_U_H"),
               QStringLiteral("M_Flexben"), QStringLiteral("KV_T_U_H"),
               QStringLiteral("วงเงินมีค่าเป็น 0 บาทแล้ว ไม่สามารถเบิกได้อีก"), {}};

    k.entry.title = QStringLiteral("2.1 บันทึกการเบิกค่ารักษาพยาบาล");
    k.entry.searchTitle = QStringLiteral("1. การค้นหาข้อมูล");
    k.entry.gridTitle = QStringLiteral("2. คลิกเลือกชื่อที่ต้องการ");
    k.entry.searchColumns = {{QStringLiteral("No"), 50, QStringLiteral("No")},
                       {QStringLiteral("รหัสประจำตัวประชาชน"), 90, QStringLiteral("Emp_SSN")},
                       {QStringLiteral("รหัสประจำตัวพนักงาน"), 90, QStringLiteral("EMP_ID")},
                       {QStringLiteral("คำนำหน้า"), 100, QStringLiteral("Emp_Surname")},
                       {QStringLiteral("ชื่อ"), 100, QStringLiteral("Emp_F_Name")},
                       {QStringLiteral("นามสกุล"), 80, QStringLiteral("Emp_L_Name")},
                       {QStringLiteral("ปรเภท"), 50, QStringLiteral("Emp_H_Type")},
                       {QStringLiteral("KV_ID"), 40, QStringLiteral("KV_ID")},
                       {QStringLiteral("ตำแหน่ง"), 140, QStringLiteral("Emp_Position")}};
    k.entry.entitlementText = medicalEntitlement;
    k.form.titleAfterSave = QStringLiteral("ใบเบิกสวัสดิการพนักงาน");
    k.form.titleReprint = QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย");
    k.form.footerHeading = QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล ปีงบประมาณ ");
    k.form.lineCaptions = {QStringLiteral("1. วงเงินคงเหลือก่อนหักครั้งนี้"), QStringLiteral("2. หักเบิกครั้งนี้"),
                           QStringLiteral("3. วงเงินคงเหลือหลังหักครั้งนี้"), QStringLiteral("4. จำนวนที่เกินวงเงิน")};
    k.form.columnHeadings = {QStringLiteral("ลำดับ"), QStringLiteral("ชื่อ-นามสกุล"), QStringLiteral("สถานะ"),
                             QStringLiteral("วันที่ในใบเสร็จรับเงิน"), QStringLiteral("จำนวนเงิน")};

    k.cancel.title = QStringLiteral("2.2 ยกเลิกใบเบิกค่ารักษาพยาบาล");
    k.cancel.gridTitle = QStringLiteral("2. เลือกใบเบิกค่ารักษาพยาบาล");
    k.cancel.limitText = medicalCancelLimit;

    k.summary.title = QStringLiteral("2.3 สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล");
    k.summary.sendCaption = QStringLiteral("ส่งข้อมูลไปให้มหาวิทยาลัย และพิมพ์สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล");
    k.summary.reprintTitle = QStringLiteral("2.3.1 ขอพิมพ์ใบสรุปอีกครั้ง");
    const QString title = QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาลพนักงานมหาวิทยาลัย");
    k.summaryDocument = {title + QStringLiteral("-คนไข้นอก"), title + QStringLiteral("-คนไข้ใน"),
                         title + QStringLiteral(" -คนไข้นอก"), title + QStringLiteral(" -คนไข้ใน")};

    k.entry.reprintTitle = QStringLiteral("     2.1.1  ขอพิมพ์ใบเบิกค่ารักษาพยาบาลใหม่");
    k.entry.remainingShowsFlex = true;
    k.cancel.columnWidths = {30, 100, 140, 70, 80, 90, 90, 40, 40, 40};
    return k;
}

const char* const kChoice[] = {"ตนเอง", "บิดา", "มารดา", "คู่สมรส", "บุตรลำดับที่1", "บุตรลำดับที่2", "บุตรลำดับที่3",
                               "บุตรลำดับที่4"};
const char* const kGrid[] = {"ตนเอง", "บิดา", "มารดา", "คู่สมรส", "บุตร 1", "บุตร 2", "บุตร 3", "บุตร 4"};
const char* const kMissing[] = {"ตนเอง", "บิดา", "มารดา", "คู่สมรส", "บุตรลำดับที่ 1", "บุตรลำดับที่ 2",
                                "บุตรลำดับที่ 3", "บุตรลำดับที่ 4"};
const char* const kCheck[] = {"ตนเอง", "บิดา", "มารดา", "คู่สมรส", "บุตร ลำดับที่ 1", "บุตร ลำดับที่ 2",
                              "บุตร ลำดับที่ 3", "บุตร ลำดับที่ 4"};

QString pick(const char* const (&list)[8], int code)
{
    return code >= 0 && code < 8 ? QString::fromUtf8(list[code]) : QString();
}

} // namespace

const ClaimKind& outpatient()
{
    static const ClaimKind k = makeOutpatient();
    return k;
}

const QVector<const ClaimKind*>& claimKinds()
{
    static const QVector<const ClaimKind*> kinds = {
        &outpatient(),
        &copay(),
        &inpatient(),
        &overLimit(),
        &otherWelfare(),
        &education(),
    };
    return kinds;
}

namespace {

// The first listed kind whose code of the member is the one given, in any
// letter case and with blanks around.
const ClaimKind* firstWith(QString KindIdentity::*member, const QString& code)
{
    const QString c = code.trimmed().toUpper();
    for (const ClaimKind* k : claimKinds())
        if (k->identity.*member == c)
            return k;
    return nullptr;
}

} // namespace

const ClaimKind* kindOfType(const QString& typeCode) { return firstWith(&KindIdentity::typeCode, typeCode); }

const ClaimKind* kindOfSentDocType(const QString& sentDocType)
{
    return firstWith(&KindIdentity::sentDocType, sentDocType);
}

QStringList typesSentAs(const QString& sentDocType)
{
    QStringList types;
    for (const ClaimKind* k : claimKinds())
        if (k->identity.sentDocType == sentDocType.trimmed().toUpper())
            types << k->identity.typeCode;
    return types;
}

QString patientTypeOf(const ClaimKind& kind, const QString& chosen)
{
    return kind.entry.patientType == PatientTypeChoice::Inpatient ? QStringLiteral("1") : chosen;
}

QString numberFacultyOf(const LoginContext& login, const ClaimKind& kind, const QString& claimFaculty)
{
    return kind.identity.numberSeries == NumberSeries::ClerkFaculty ? login.Cur_Fact_Code.trimmed().toUpper()
                                                           : claimFaculty.trimmed().toUpper();
}

QString medicalCancelLimit(const QString& hType)
{
    return rightTypeLimit(hType.trimmed() == QLatin1String("1") ? hType : QStringLiteral("2"))->listText;
}

QString facultyFor(const LoginContext& login, FacultySource source, const QString& field)
{
    if (source == FacultySource::Typed)
        return field.trimmed().toUpper();
    if (source == FacultySource::Clerk || login.Cur_Mode != QLatin1String("KV"))
        return login.Cur_Fact_Code.trimmed().toUpper();
    return field.trimmed().toUpper();
}

QString patientChoiceCaption(int code) { return pick(kChoice, code); }
QString patientGridLabel(int code) { return pick(kGrid, code); }
QString patientMissingLabel(int code) { return pick(kMissing, code); }
QString patientCheckCaption(int code) { return pick(kCheck, code); }

} // namespace wel::claims
