#pragma once
#include "common/RunningNumbers.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace wel {
struct LoginContext;
struct RightTypeLimit;
} // namespace wel

namespace wel::claims {

// Everything in which one kind of claim differs from another, as a value.
// The claim components (entry, writer, claim form, cancellation, summary,
// reprint listings, summary document) are written once and read their
// captions, codes, columns and rules from the kind they are given; a new kind
// of claim is a new ClaimKind, not a copied screen.

// How a claim is charged against the employee's yearly row.
enum class LimitPolicy {
    // A claim is cut down to the remaining limit H - U - F of the charged
    // year; the used amount is raised by what is payable and never passes
    // H - F. With no yearly row, one is created from the right-type table.
    Medical,
    // The co-pay limit T of a right-type "2" employee whose medical limit is
    // used up to the last satang: a claim above T - U pays T - U, and the
    // co-pay used amount is raised by what is payable. Never creates a row.
    Copay,
    // Nothing is charged: the yearly row is neither read for the amount nor
    // changed, the whole claim is payable and nothing is given back or
    // raised later (above-limit, other welfare, education).
    None,
};

// What must hold before a claim of the kind may be entered and saved; one
// function (claimGate) applies it, for the entry, the save and the stress run.
enum class LimitGate {
    // Something of the charged limit is left: H > U + F (or no row yet).
    LimitLeft,
    // The used amount is below the limit, U < H on exact money (or no row
    // yet): the hospital's claim is recorded even when the flexible benefit
    // has taken the rest, with nothing payable.
    BelowLimit,
    // The co-pay gates of CopayGateTexts, in their order.
    Copay,
    // The year's medical and co-pay limits are both used in full.
    LimitUsedUp,
    // The right to the children's education allowance: the yearly row's
    // limit is not right type "2"'s, or, with no row, the right type is not "2".
    EducationRight,
    // Nothing is checked.
    None,
};

// The texts of the co-pay gates, in the order they are checked.
struct CopayGateTexts {
    QString refusedType;       // the right type that has no co-pay ("1")
    QString typeRefused;
    QString noRowOpen;         // no yearly row, opening the entry
    QString medicalNotUsedUp;
    QString usedUpOpen;
    QString noRowSave;         // no yearly row, saving
    QString usedUpSave;
};

// The yearly-row columns a kind charges, and the messages of its limit.
struct LimitRule {
    LimitPolicy policy = LimitPolicy::Medical;
    QString limitColumn;        // H: "Fact_T_H_Money"
    QString usedColumn;         // U: "Fact_T_U_H", raised at saving, lowered at cancelling
    QString flexColumn;         // F: "M_Flexben" taken out of the limit; empty for none
    QString sentColumn;         // "KV_T_U_H", raised when a summary gathers the claim, lowered
                                // when its control number is cancelled; empty for none
    QString usedUpMessage;      // the limit is used up (opening the entry and saving)
    CopayGateTexts copay;       // LimitGate::Copay only
    LimitGate gate = LimitGate::LimitLeft;
};

// The patient type a claim records.
enum class PatientTypeChoice {
    Clerk,     // the clerk's choice
    Inpatient, // always "1", fixed and disabled
};

// Whose series of claim numbers a kind's claims take their numbers from.
enum class NumberSeries {
    ClaimFaculty, // the faculty the claim is filed under
    ClerkFaculty, // the clerk's own faculty, wherever the claim is filed
};

// Where an operation takes its faculty code from.
enum class FacultySource {
    Field, // the faculty field of the screen (editable in mode "KV" only)
    Clerk, // Cur_Fact_Code, whatever the mode
    Typed, // the field as typed, in any mode (other welfare)
};

// Captions of the claim form (one layout for every medical kind).
struct ClaimFormTexts {
    QString titleAfterSave;          // printed from the entry screen
    QString titleReprint;            // printed from the reprint listing
    bool footerHeadingHasYear = true;
    QString footerHeading;           // followed by Pay_Year when footerHeadingHasYear
    QStringList lineCaptions;        // the four lines of the footer
    QStringList columnHeadings;      // order, name, relationship, receipt date, amount
    bool limitLines = true;          // the entitlement and flexible-benefit lines
    QString shareText;               // a line below the title band's lines ("" for none)
    bool noteBeforeProcessing = false; // the bold note above the processing line
    bool unlimitedTexts = true;      // right type "3" prints "ไม่จำกัดวงเงิน" for the limits
    // The reprint's footer heading when it differs from the one after saving.
    QString footerHeadingReprint;
    bool footerHeadingReprintHasYear = true;
    // A claim charged nowhere prints "ไม่ตัดวงเงิน" for the limits before and
    // after it, and no flexible-benefit line.
    bool limitNotCharged = false;
    bool flexibleBenefitLine = true;
    // The entitlement printed for a right type ("สิทธิในการเบิกวงเงิน").
    QString (*entitlementText)(const RightTypeLimit* limit) = nullptr;
};

// Point sizes of the summary document's texts. The medical family's keep
// the old forms' Angsana sizes (20, 16, 14) scaled down, because those print
// far wider in our document face.
struct SummaryTextSizes {
    double title = 17;      // the university and the document's title
    double heading = 13;    // the faculty and control-number lines
    double pageNumber = 11;
    double text = 11;       // headings, claims, certification, signatures
    double total = 13;      // "รวมทั้งสิ้น"
    double detail = 10.5;   // the lines under each claim
    double printedAt = 12;  // the page footer
};

// Captions of the summary document (one layout for the medical family).
struct SummaryDocumentTexts {
    QString outpatientTitle;         // by the patient type summarised
    QString inpatientTitle;
    QString outpatientReprintTitle;  // by Health_In_Out_t of the first row
    QString inpatientReprintTitle;
    // Kinds outside the medical family print one title whatever the patient
    // type, list the claimed amounts (T_M_Berg, M_Berg) and certify item 1
    // only; empty for the medical layout.
    QString fixedTitle;
    QString idHeading = QStringLiteral("รหัสประจำตัวพนง.");
    bool showsKindDescription = false; // Health_Desc before each line (other welfare)
    QString certification;
    bool secondCertificationItem = true;
    SummaryTextSizes sizes;
    // Left edges of the columns order, claim number, claim date, id, name,
    // amount, and the right edge of the last, in mm from the left margin.
    QVector<double> columns{0, 12, 45, 68, 101, 158, 190};
};

// A column of the employee grid of an entry screen: its heading, its width
// (0 hides it) and the employee field it shows, named as the column of
// T_Emp_Gov_Histry ("Emp_SSN", ...) or "No" for the row number.
struct SearchColumn {
    QString heading;
    int width = 0;
    QString field;
};

// The entry screen of a kind (and its claim reprint listing).
struct EntryRules {
    QString objectName = QStringLiteral("frmEntry_Health");
    QString title;
    QString searchTitle;
    QString gridTitle;
    bool nameRequired = true;        // an empty given name refuses the search
    QVector<SearchColumn> searchColumns;
    int patientCount = 8;            // patient codes 0..patientCount-1
    bool folkColumnShown = true;     // the receipts grid's "Folk" column
    bool flexibleBenefitShown = true;
    bool exitCloses = true;          // "ออก" on the entry panel closes the window (else back to the search)
    // The entitlement field "สิทธิ" of the entry screen for a right type.
    QString (*entitlementText)(const RightTypeLimit* limit) = nullptr;
    PatientTypeChoice patientType = PatientTypeChoice::Clerk;
    bool claimDateFixed = false;     // the claim date is today's, in every mode
    bool budgetYearPreset = false;   // the budget-year box opens on its last value
    // The remaining-limit panel: entitled, flexible benefit, used, remaining.
    QStringList limitCaptions{QStringLiteral("สิทธิในการเบิกวงเงิน"), QStringLiteral("Flexible Benefit"),
                              QStringLiteral("วงเงินที่ใช้ไปแล้ว"), QStringLiteral("วงเงินคงเหลือก่อนหักครั้งนี้")};
    bool remainingShowsFlex = true;  // the remaining-limit panel's flexible-benefit line
    QString reprintTitle;            // the claim reprint listing's caption
};

// The cancellation screen of a kind.
struct CancelRules {
    QString objectName = QStringLiteral("frmCancel_Berg");
    QString title;
    QString gridTitle;
    int patientCount = 7;
    // The claims grid's column "วงเงิน(บาท)" for a right type.
    QString (*limitText)(const QString& hType) = nullptr;
    bool hrrOnly = false;            // lists only claims entered here (Ent_From "HRR")
    QVector<int> columnWidths;       // the claims grid's ten columns
    bool startPanel = true;          // a start panel before the search
    bool facultyField = true;        // "รหัสส่วนงาน" shown
    int firstPatient = 0;            // the claim panel's first patient code
    bool patientType = true;         // each patient's type shown
    bool showsKind = false;          // welfare kind column and fields
    bool showsPayYear = true;
    bool searchesAgain = false;      // after a cancellation the search runs again
    QString patientsCaption = QStringLiteral("ผู้ป่วย");
    QString patientsNote;            // beside the patients ("ค่าเล่าเรียนบุตร")
};

// The summary screen of a kind and its reprint.
struct SummaryRules {
    QString objectName = QStringLiteral("frmSum_Berg_FC");
    QString title;
    QString sendCaption;
    QString reprintTitle;
    QString facultyCaption = QStringLiteral("รหัสส่วนงาน");
    // A listing that finds nothing leaves the result panel as it was (still
    // showing the emptied grid when it was open) instead of hiding it.
    bool emptyKeepsResults = false;
    // Lists claims entered through the claim screens (Ent_From "HRR") of
    // one charged year and patient type.
    bool byYearAndPatientType = true;
    // The grid and total show T_M_Berg instead of M_Can_Berg, and the
    // summary adds T_M_Berg to limit.sentColumn (the usage check counts the same).
    bool amountClaimed = false;
    // Order_No of a control number's member: the claim's row in the summary
    // grid (the hospital's summary), else its place among the marked rows.
    bool orderIsGridRow = false;
};

// Which faculty a kind's operations take and list by.
struct FacultyRules {
    FacultySource claim = FacultySource::Field;  // the faculty a claim is filed under
    bool searchAll = false;                      // the entry's employee search has no faculty condition
    // Where the cancellation, summary and reprint screens take the faculty
    // from, and which faculty a claim is listed by: the claim's own
    // (T_PAY_Health.Fact_Code) or its employee's (T_Emp_Gov_Histry.Fact_code).
    FacultySource list = FacultySource::Field;
    bool cancelByEmployee = false;
    bool summaryByEmployee = false;
};

// What a kind is called and how its documents are numbered and sorted.
struct KindIdentity {
    QString typeCode;                // Berg_Type_Code written: "FAE"
    QStringList listedTypes;         // types the reprint and cancellation screens list
    QString sentDocType;             // Sent_Doc_Type of its control numbers
    QStringList sentDocTypesListed;  // types the summary reprint lists
    // How the finance screens and reports name the kind: the voucher
    // summary's type of a control number, the control-number cancellation's
    // type, and the "Co-Pay/Normal/Over Money" column of claim listings.
    QString voucherLabel = QStringLiteral("ค่ารักษา");
    QString cancelLabel = QStringLiteral("ค่ารักษา");
    QString listingLabel = QStringLiteral("Normal");
    NumberSeries numberSeries = NumberSeries::ClaimFaculty;
    RunningNumbers::WhenMissing numberWhenMissing = RunningNumbers::WhenMissing::CreateRow;
};

struct ClaimKind {
    KindIdentity identity;
    LimitRule limit;
    EntryRules entry;
    CancelRules cancel;
    SummaryRules summary;
    FacultyRules faculty;
    ClaimFormTexts form;                  // the claim form
    SummaryDocumentTexts summaryDocument; // the summary document
};

// The outpatient medical claim, charged against the yearly medical limit.
const ClaimKind& outpatient();
// The co-pay claim ("COP"), charged against the yearly co-pay limit.
const ClaimKind& copay();
// The in-patient claim the hospital enters ("HPE"), charged against the
// yearly medical limit like an outpatient claim.
const ClaimKind& inpatient();
// Medical claims above the limit ("OVM"), charged nowhere.
const ClaimKind& overLimit();
// Other welfare payments ("OTH") and the children's education allowance
// ("EDU"): their entries have screens of their own, the rest is shared.
const ClaimKind& otherWelfare();
const ClaimKind& education();

// Every kind of claim this program enters, one entry each. The usage check
// and the stress run take their rules from here, so a kind added to this
// list is checked and exercised without changing either.
const QVector<const ClaimKind*>& claimKinds();

// The kind of claimKinds() that writes a stored Berg_Type_Code (any letter
// case, blanks around); nullptr for a type no listed kind writes.
const ClaimKind* kindOfType(const QString& typeCode);

// The first listed kind whose control numbers carry the Sent_Doc_Type;
// nullptr for none.
const ClaimKind* kindOfSentDocType(const QString& sentDocType);

// The type codes of the listed kinds whose control numbers carry the
// Sent_Doc_Type: the medical ones ("FAE") are the outpatient and the
// hospital's claims.
QStringList typesSentAs(const QString& sentDocType);

// The patient type a claim of the kind records: the clerk's choice, or the
// one the kind fixes.
QString patientTypeOf(const ClaimKind& kind, const QString& chosen);

// The number series a claim of the kind filed under the faculty takes its
// number from.
QString numberFacultyOf(const LoginContext& login, const ClaimKind& kind, const QString& claimFaculty);

// The cancellation grid's "วงเงิน(บาท)" of the medical kinds: type "1" with
// its limit and every other type with type "2"'s, the unlimited "3" included.
QString medicalCancelLimit(const QString& hType);

// Patient codes ("0" self ... "7" fourth child) and their captions.
QString patientChoiceCaption(int code);   // "ตนเอง", ..., "บุตรลำดับที่1"
QString patientGridLabel(int code);       // "ตนเอง", ..., "บุตร 1"
QString patientMissingLabel(int code);    // "ตนเอง", ..., "บุตรลำดับที่ 1"
QString patientCheckCaption(int code);    // "ตนเอง", ..., "บุตร ลำดับที่ 1"

// The faculty an operation files under or lists: the screen's field in mode
// "KV" when the kind takes it from the field, the clerk's own otherwise.
// Upper-cased, as every faculty code is stored.
QString facultyFor(const LoginContext& login, FacultySource source, const QString& field);

// Shared messages of the claim screens.
inline const QString kNotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ");
inline const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
inline const QString kConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString kChooseEmployee = QStringLiteral("กรุณาเลือกชื่อพนักงานด้วย");
inline const QString kNoYearRow = QStringLiteral("ระบบเกิดการผิดพลาด\rไม่พบข้อมูล ในตาราง T_Year_Cur_Health");

} // namespace wel::claims
