#include "../excel/XlsxReadBack.h"
#include "MessageLog.h"
#include "ReportFixture.h"
#include "ScreenFixture.h"

#include "common/db/Database.h"
#include "reports/Enquiries.h"
#include "reports/ReportCatalog.h"
#include "reports/UQuery.h"
#include "reports/UReport.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::reports;
using namespace wel::test;

namespace {

const QString kSomchai = QStringLiteral("KV2550/000001"); // SC, type 1
const QString kSomsri = QStringLiteral("KV2550/000002");  // SC, type 2
const QString kPrayut = QStringLiteral("KV2550/000003");  // EN, no type
const QString kManee = QStringLiteral("KV2550/000005");   // EN, type 3

void exec(Database& db, const char* sql, const QVariantList& values)
{
    db.exec(QString::fromUtf8(sql), values);
}

// Beside the report fixture: a fourth child's line, a line of no known
// patient, a cancelled claim, and the receipts of an education claim.
void addEnquiryClaims(Database& db)
{
    Transaction tx(db);
    const char* header = "INSERT INTO T_PAY_Health (Berg_Doc_ID, KV_ID, Pay_Year, Date_berg, Date_Ent, M_Can_Berg, "
                         "Berg_Doc_Status, Health_In_Out_t, Fact_Code, Berg_Type_Code) VALUES (?,?,?,?,?,?,?,?,?,?)";
    const char* line = "INSERT INTO T_Pay_Health_Detail (Berg_Doc_ID, Emp_Folk, KV_ID, M_Berg, HM_Can_Berg) VALUES (?,?,?,?,?)";
    exec(db, header, {"SC2551/0000010", kSomchai, "2551", "02/10/2550", "02/10/2550", "700", "FC", "0", "SC", "FAE"});
    exec(db, line, {"SC2551/0000010", "7", kSomchai, "300", "300"});
    exec(db, line, {"SC2551/0000010", "9", kSomchai, "400", "400"});
    exec(db, header, {"SC2551/0000011", kSomchai, "2551", "03/10/2550", "03/10/2550", "900", "NO", "0", "SC", "FAE"});
    exec(db, line, {"SC2551/0000011", "0", kSomchai, "900", "900"});
    const char* receipt = "INSERT INTO T_Reciept (Berg_Doc_ID, Order_Doc, Emp_Folk, EF_Surname, EF_F_Name, EF_L_Name, "
                          "EF_Birthday, P_money, Edu_Level, Edu_Term, Edu_Year, School_Name) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)";
    exec(db, receipt, {"EN2552/0000001", 2, "5", "ด.ญ.", "มะลิ", "บุญมา", "01/05/2545", "2000", "ประถม", "2", "2551", "โรงเรียนวัด"});
    exec(db, receipt, {"EN2552/0000001", 1, "4", "ด.ช.", "มานะ", "บุญมา", "05/03/2543", "3000", "มัธยม", "2", "2551", "โรงเรียนเมือง"});
    tx.commit();
}

class Enquiry : public ::testing::Test {
protected:
    void SetUp() override
    {
        WELMORA_NEED_DB();
        db = std::make_unique<TestDb>(TestDb::Reference);
        loadReportFixture(db->db());
        addEnquiryClaims(db->db());
        TfrmReport::s_chooseSavePath = [this](QWidget*, const QString&) { return answer; };
        TfrmReport::s_openWorkbook = [this](const QString& path) { opened << path; };
    }
    Database& d() { return db->db(); }
    std::unique_ptr<TfrmQuery> open(const QString& screen, const QString& mode)
    {
        for (const EnquirySpec& s : enquirySpecs())
            if (s.screen == screen)
                return std::make_unique<TfrmQuery>(ScreenContext{d(), fixtureLogin(mode)}, s);
        ADD_FAILURE() << "no enquiry " << screen.toStdString();
        return nullptr;
    }
    std::unique_ptr<TestDb> db;
    MessageLog messages;
    QTemporaryDir dir;
    QString answer;
    QStringList opened;
};

Filters of(const QString& kv, const char* year)
{
    return {{QStringLiteral("employee"), QStringLiteral("kv:") + kv}, {QStringLiteral("year"), QString::fromLatin1(year)}};
}

QStringList row(std::initializer_list<const char*> cells)
{
    QStringList r;
    for (const char* c : cells)
        r << QString::fromUtf8(c);
    return r;
}

} // namespace

// Claims in the order they were dated across the turn of the year; a fourth
// child's line under the third child and in the children's total; a line
// of no known patient in the grand total only; cancelled claims left out.
TEST_F(Enquiry, MedicalHistoryIsChronologicalWithItsClosingRows)
{
    const ReportResult r = medicalHistory(d(), of(kSomchai, "2551"));
    const QVector<QStringList> expected = {
        row({"1", "SC2551/0000010", "คนไข้นอก", "0", "0", "0", "0", "0", "0", "300.00", "02/10/2550", "คณะ"}),
        row({"2", "SC2551/0000010", "คนไข้นอก", "0", "0", "0", "0", "0", "0", "0", "02/10/2550", "คณะ"}),
        row({"3", "SC2551/0000001", "คนไข้นอก", "1,500.00", "0", "0", "0", "0", "0", "0", "15/11/2550", "มหาวิทยาลัย"}),
        row({"4", "SC2551/0000002", "คนไข้ใน", "1,000.00", "0", "0", "0", "0", "0", "0", "20/01/2551", "คณะ"}),
        row({"5", "SC2551/0000002", "คนไข้ใน", "0", "0", "0", "0", "1,500.00", "0", "0", "20/01/2551", "คณะ"}),
        row({"6", "SC2551/0000004", "คนไข้ใน", "0", "100.00", "0", "0", "0", "0", "0", "20/01/2551", "คณะ"}),
        row({"", "", "รวม", "2,500.00", "100.00", "0.00", "0.00", "1,800.00", "", "", "", ""}),
        row({"", "", "", "", "", "", "รวมทั้งสิ้น", "4,800.00", "", "", "", ""}),
    };
    EXPECT_EQ(r.rows, expected);
    EXPECT_EQ(r.titleFacts.value(kFactEmpId), QStringLiteral("000123"));

    // Co-pay claims only, and an empty year still closes with zero totals.
    const ReportResult copay = copayHistory(d(), of(kSomsri, "2552"));
    ASSERT_EQ(copay.rows.size(), 3);
    EXPECT_EQ(copay.rows[0].mid(1, 3), row({"SC2552/0000001", "คนไข้นอก", "800.00"}));
    const ReportResult none = copayHistory(d(), of(kSomsri, "2551"));
    EXPECT_TRUE(none.empty);
    EXPECT_EQ(none.rows.value(1).value(7), QStringLiteral("0.00"));
}

TEST_F(Enquiry, EducationHistoryListsTheReceiptsOfTheYear)
{
    const ReportResult r = educationHistory(d(), of(kPrayut, "2552"));
    const QVector<QStringList> expected = {
        row({"1", "EN2552/0000001", "ด.ช.มานะ  บุญมา", "3,000.00", "05/03/2543", "มัธยม", "2", "2551", "โรงเรียนเมือง"}),
        row({"2", "EN2552/0000001", "ด.ญ.มะลิ  บุญมา", "2,000.00", "01/05/2545", "ประถม", "2", "2551", "โรงเรียนวัด"}),
    };
    EXPECT_EQ(r.rows, expected);
    EXPECT_TRUE(educationHistory(d(), of(kPrayut, "2551")).empty);
}

// The limit block: limit less used less flexible benefit; no yearly row gives
// the right type's limit; type "3" shows that it has none.
TEST_F(Enquiry, LimitBlocksByRightType)
{
    const struct {
        QString kv, year, type;
        LimitKind kind;
        QStringList texts; // limit, flexible benefit, claimed, remaining
    } cases[] = {
        {kSomsri, "2551", "2", LimitKind::Medical, {"20,000.00", "5,000.00", "3,000.00", "12,000.00"}},
        {kSomchai, "2552", "1", LimitKind::Medical, {"200,000", "0", "0", "200,000"}},
        {kManee, "2551", "3", LimitKind::Medical, {"ไม่จำกัดวงเงิน", "0", "0", "ไม่จำกัดวงเงิน"}},
        {kSomsri, "2551", "2", LimitKind::Copay, {"25,000.00", "", "800.00", "24,200.00"}},
        {kSomsri, "2552", "2", LimitKind::Copay, {"25,000", "", "0", "25,000"}},
    };
    for (const auto& c : cases) {
        const LimitBlock b = limitBlock(d(), c.kv, c.year, c.type, c.kind);
        EXPECT_EQ((QStringList{b.limit, b.flexibleBenefit, b.claimed, b.remaining}), c.texts) << c.kv.toStdString();
    }
    EXPECT_EQ(historyLimitText(QStringLiteral("3")), QStringLiteral("ไม่จำกัดวงเงิน"));
    EXPECT_EQ(educationLimitText(QString()), QStringLiteral("20,000.00"));
}

TEST_F(Enquiry, EmployeeListByTypeFacultyAndLiteralNamePrefixes)
{
    const ReportResult all = employeeList(d(), {{QStringLiteral("faculty"), QStringLiteral("all")}});
    EXPECT_EQ(all.rows.size(), 4); // วิชัย has left
    EXPECT_EQ(all.rows[0].mid(9), row({"3", "ไม่จำกัดวงเงิน", "EN"}));
    const struct {
        Filters f;
        QStringList ids;
    } cases[] = {
        {{{QStringLiteral("faculty"), QStringLiteral("one:SC")}, {QStringLiteral("name"), QStringLiteral("name:สม")}}, {"000123", "000456"}},
        {{{QStringLiteral("faculty"), QStringLiteral("one:sc")}, {QStringLiteral("surname"), QStringLiteral("surname:มี")}}, {"000456"}},
        {{{QStringLiteral("type"), QStringLiteral("1")}}, {"000123"}},
        {{{QStringLiteral("name"), QStringLiteral("name:_")}}, {""}},
    };
    for (const auto& c : cases) {
        QStringList ids;
        for (const QStringList& r : employeeList(d(), c.f).rows)
            ids << r.value(2);
        EXPECT_EQ(ids, c.ids);
    }
}

// The exported history: lines from row 5, the two closing rows, a thin line
// above them and a double one under them; the education history closes thin.
TEST_F(Enquiry, HistoryWorkbooksCloseAsTheirRowsAsk)
{
    const LoginContext login = fixtureLogin();
    const ReportDescriptor* medical = findReport(QStringLiteral("medical-history"));
    ASSERT_NE(medical, nullptr);
    const Filters f = of(kSomsri, "2551");
    // สมศรี's only medical claim is cancelled: add three lines of one claim.
    exec(d(), "INSERT INTO T_PAY_Health (Berg_Doc_ID, KV_ID, Pay_Year, Date_berg, Berg_Doc_Status, Health_In_Out_t, "
              "Fact_Code, Berg_Type_Code) VALUES ('SC2551/0000020', ?, '2551', '05/12/2550', 'FC', '0', 'SC', 'FAE')",
         {kSomsri});
    for (const char* folk : {"0", "3", "5"})
        exec(d(), "INSERT INTO T_Pay_Health_Detail (Berg_Doc_ID, Emp_Folk, KV_ID, M_Berg, HM_Can_Berg) "
                  "VALUES ('SC2551/0000020', ?, ?, 100, 100)",
             {QString::fromLatin1(folk), kSomsri});
    const QString path = dir.filePath(QStringLiteral("medical.xlsx"));
    exportReport(*medical, medical->run(d(), f), f, login, path);
    const XlsxReadBack m(path);
    ASSERT_TRUE(m.ok());
    EXPECT_EQ(m.sheetName(), QStringLiteral("พนักงาน"));
    EXPECT_EQ(m.cell(QStringLiteral("A2")).value, QStringLiteral("รายงานประวัติการเบิกค่ารักษาพยาบาล ณ วันที่ 20 มกราคม พ.ศ.2551"));
    EXPECT_EQ(m.cell(QStringLiteral("A3")).value,
              QStringLiteral("รหัสประจำตัวพนักงาน : 000456  ชื่อ-นามสกุล :นางสมศรี มีสุข  ตำแหน่ง :อาจารย์"));
    EXPECT_EQ(m.cell(QStringLiteral("B7")).value, QStringLiteral("SC2551/0000020"));
    EXPECT_TRUE(m.cell(QStringLiteral("B7")).isText);
    EXPECT_EQ(m.cell(QStringLiteral("C8")).value, QStringLiteral("รวม"));
    EXPECT_EQ(m.cell(QStringLiteral("G9")).value, QStringLiteral("รวมทั้งสิ้น"));
    EXPECT_EQ(m.cell(QStringLiteral("H9")).value.toDouble(), 300);
    EXPECT_EQ(m.cell(QStringLiteral("D7")).bottom, QStringLiteral("thin"));
    EXPECT_EQ(m.cell(QStringLiteral("D9")).bottom, QStringLiteral("double"));
    EXPECT_EQ(m.pageSetup(QStringLiteral("orientation")), QStringLiteral("landscape"));

    const ReportDescriptor* education = findReport(QStringLiteral("education-history"));
    const Filters e = of(kPrayut, "2552");
    const QString edu = dir.filePath(QStringLiteral("education.xlsx"));
    exportReport(*education, education->run(d(), e), e, login, edu);
    const XlsxReadBack x(edu);
    ASSERT_TRUE(x.ok());
    EXPECT_EQ(x.sheetName(), QStringLiteral("ค่าเล่าเรียนบุตร"));
    EXPECT_EQ(x.cell(QStringLiteral("D6")).value.toDouble(), 2000);
    EXPECT_EQ(x.cell(QStringLiteral("E6")).value, QStringLiteral("01/05/2545"));
    EXPECT_EQ(x.cell(QStringLiteral("D5")).bottom, QString());
    EXPECT_EQ(x.cell(QStringLiteral("D6")).bottom, QStringLiteral("thin"));
}

// A faculty clerk: searches only his faculty, an empty search empties the
// grid with the message, the history and limits of the chosen employee,
// his family with a birth date that is no date, and the workbook.
TEST_F(Enquiry, MedicalHistoryScreenFromSearchToFamilyAndWorkbook)
{
    auto s = open(QStringLiteral("TfrmQuery_Health"), QStringLiteral("FC"));
    s->show();
    EXPECT_TRUE(control<QWidget>(s.get(), "pnlHistory")->isVisible());
    press(s.get(), "btnSelect_Name");
    EXPECT_TRUE(control<QLineEdit>(s.get(), "edtFact_Code")->isReadOnly());
    type(s.get(), "edtEmp_F_Name", QStringLiteral("สม"));
    press(s.get(), "btnSelect");
    EXPECT_EQ(cell(s.get(), "StringGrid1", 1, 4), QStringLiteral("สมศรี"));
    type(s.get(), "edtEmp_F_Name", QStringLiteral("มานี")); // of another faculty
    press(s.get(), "btnSelect");
    EXPECT_EQ(messages.texts.value(0), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
    EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 4), QString());
    type(s.get(), "edtEmp_F_Name", QStringLiteral("สมชาย"));
    press(s.get(), "btnSelect");
    press(s.get(), "btnOK");
    EXPECT_TRUE(control<QWidget>(s.get(), "pnlHistory")->isVisible());
    EXPECT_EQ(textOf(s.get(), "edtEmp_Name"), QStringLiteral("นายสมชาย ใจดี"));
    EXPECT_EQ(textOf(s.get(), "edtM_Pay"), QStringLiteral("200,000"));
    EXPECT_EQ(textOf(s.get(), "edtRemain"), QStringLiteral("195,900.00"));
    EXPECT_EQ(cell(s.get(), "StringGrid2", 7, 7), QStringLiteral("4,800.00"));

    press(s.get(), "btnFamily");
    EXPECT_EQ(textOf(s.get(), "edtEF_F_Name1"), QStringLiteral("สมปอง"));
    EXPECT_EQ(textOf(s.get(), "edtEF_Birthday4"), QStringLiteral("31/02/2550"));
    press(s.get(), "btnClose3");

    answer = dir.filePath(QStringLiteral("history.xlsx"));
    press(s.get(), "btnExcel");
    ASSERT_EQ(opened, QStringList{answer});
    EXPECT_EQ(XlsxReadBack(answer).cell(QStringLiteral("B5")).value, QStringLiteral("SC2551/0000010"));
}

// The co-pay search: each mode opens its own field; the finance division
// chooses every faculty and finds those who have left; the education
// history that finds nothing stays on the search.
TEST_F(Enquiry, CopayAndEducationSearchesInTheFinanceDivision)
{
    auto s = open(QStringLiteral("TfrmQuery_Health_COPAY"), QStringLiteral("KV"));
    s->show();
    EXPECT_EQ(textOf(s.get(), "edtPay_Year"), QStringLiteral("2551"));
    press(s.get(), "RadioButton2");
    EXPECT_TRUE(control<QLineEdit>(s.get(), "edtEMP_ID")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(s.get(), "edtEmp_F_Name")->isEnabled());
    press(s.get(), "rbAll_Fact");
    EXPECT_FALSE(control<QLineEdit>(s.get(), "edtFact_Code1")->isEnabled());
    type(s.get(), "edtEMP_ID", QStringLiteral("000999"));
    press(s.get(), "btnSelect");
    EXPECT_EQ(cell(s.get(), "StringGrid1", 0, 4), QStringLiteral("วิชัย"));

    auto fc = open(QStringLiteral("TfrmQuery_Health_COPAY"), QStringLiteral("FC"));
    EXPECT_FALSE(control<QGroupBox>(fc.get(), "grpFaculty")->isEnabled());

    auto e = open(QStringLiteral("TfrmQuery_Edu_Son"), QStringLiteral("KV"));
    e->show();
    press(e.get(), "rbAll_Fact");
    type(e.get(), "edtEmp_F_Name", QStringLiteral("ประยุทธ"));
    press(e.get(), "btnSelect");
    press(e.get(), "btnShow_Detail");
    EXPECT_EQ(messages.texts.value(0), QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
    EXPECT_TRUE(control<QWidget>(e.get(), "pnlSearch")->isVisible());
    type(e.get(), "edtPay_Year", QStringLiteral("2552"));
    press(e.get(), "btnShow_Detail");
    EXPECT_TRUE(control<QWidget>(e.get(), "pnlHistory")->isVisible());
    EXPECT_EQ(textOf(e.get(), "edtFact_Name"), QStringLiteral("คณะวิศวกรรมศาสตร์"));
    EXPECT_EQ(textOf(e.get(), "edtM_Pay"), QStringLiteral("20,000.00"));
    EXPECT_EQ(cell(e.get(), "StringGrid2", 1, 3), QStringLiteral("2,000.00"));
}

// The employee list: "เฉพาะชื่อ" opens the given-name and family-name
// fields together, and both narrow the list.
TEST_F(Enquiry, EmployeeListNameChoiceOpensBothNameFields)
{
    TfrmReport s(ScreenContext{d(), fixtureLogin(QStringLiteral("KV"))}, QStringLiteral("TfrmQuery_Emp_Histry"));
    s.show();
    EXPECT_FALSE(control<QLineEdit>(&s, "edt_surname")->isEnabled());
    press(&s, "rb_name_name");
    EXPECT_TRUE(control<QLineEdit>(&s, "edt_name_name")->isEnabled());
    EXPECT_TRUE(control<QLineEdit>(&s, "edt_surname")->isEnabled());
    type(&s, "edt_name_name", QStringLiteral("สม"));
    type(&s, "edt_surname", QStringLiteral("มี"));
    press(&s, "btnShow");
    EXPECT_EQ(cell(&s, "StringGrid1", 0, 2), QStringLiteral("000456"));
    EXPECT_EQ(control<QTableView>(&s, "StringGrid1")->model()->rowCount(), 1);
}
