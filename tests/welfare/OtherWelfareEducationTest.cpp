#include "ReportChecks.h"
#include "WelfareFixture.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimForm.h"
#include "claims/ClaimSummaryService.h"
#include "claims/SummaryDocument.h"
#include "education/EducationService.h"
#include "otherwelfare/OtherWelfareService.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

const QDateTime kPrinted(QDate(2024, 11, 20), QTime(9, 30, 0));

OtherWelfare::Draft payment(const QString& kv, const QString& fact, const QString& amount = QStringLiteral("10,000.00"))
{
    OtherWelfare::Draft d;
    d.kvId = kv;
    d.claimDate = QStringLiteral("15/11/2567");
    d.kindCode = QStringLiteral("M");
    d.factCode = fact;
    d.beneficiary = QStringLiteral("0");
    d.amountText = amount;
    d.docNo = QStringLiteral("ศธ 0513/1");
    d.docDate = QStringLiteral("01/11/2567");
    d.matiNo = QStringLiteral("3/2568");
    d.matiDate = QStringLiteral("  /  /    ");
    return d;
}

Education::Line tuition(Database& db, const QString& kv, int index, const QString& amount, const QString& term)
{
    Education::Line l;
    l.child = Education::findChild(db, kv, index, QStringLiteral("15/11/2567"));
    l.amountText = amount;
    l.term = term;
    l.year = QStringLiteral("2567");
    l.level = QStringLiteral("ประถมศึกษาปีที่ 2");
    l.school = QStringLiteral("โรงเรียนสาธิต");
    return l;
}

} // namespace

TEST(OtherWelfareSave, BareBeneficiaryTypedFacultyAndTheClerksNumberSeries)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("1"));
    const LoginContext sc = f.login();
    const QString no = OtherWelfare::save(f.db, sc, payment(kv, QStringLiteral("en")));
    EXPECT_EQ(no, QStringLiteral("SC2568/0000001")) << "the clerk's own series";
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Fact_Code")), QStringLiteral("EN")) << "the faculty typed, upper-cased";
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Berg_Type_Code")), QStringLiteral("OTH"));
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Health_In_Out_t")), QStringLiteral("M"));
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Pay_Year")), QStringLiteral("2568"));
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Doc_Date")), QStringLiteral("01/11/2567"));
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Mati_date")), QString()) << "an empty date stays empty";
    EXPECT_EQ(Money::fromTyped(f.claimValue(no, QStringLiteral("M_Can_Berg"))), baht(10000));
    const Rows line = f.db.select(QStringLiteral("SELECT Emp_Folk, Health_In_Out_t, M_Berg, HM_Can_Berg FROM T_Pay_Health_Detail"));
    ASSERT_EQ(line.count(), 1);
    EXPECT_EQ(line.text(0, QStringLiteral("Emp_Folk")), QStringLiteral("0")) << "\"0\", not \"0 \"";
    EXPECT_EQ(line.money(0, QStringLiteral("HM_Can_Berg")), baht(10000));
    const Rows receipt = f.db.select(QStringLiteral("SELECT Order_Doc, Emp_Folk, P_money, Date_Doc, School_Name FROM T_Reciept"));
    ASSERT_EQ(receipt.count(), 1);
    EXPECT_EQ(receipt.text(0, QStringLiteral("Emp_Folk")), QStringLiteral("0"));
    EXPECT_EQ(receipt.text(0, QStringLiteral("Date_Doc")), QString());

    // Refusals before anything is written.
    const struct {
        const char* name;
        std::function<void(OtherWelfare::Draft&)> change;
        QString message;
    } refusals[] = {
        {"unknown faculty", [](auto& d) { d.factCode = QStringLiteral("zz"); },
         QStringLiteral("ไม่พบรหัสคณะ \"zz\" ในระบบ กรุณาตรวจสอบรหัสคณะ")},
        {"no faculty", [](auto& d) { d.factCode.clear(); }, QStringLiteral("ไม่พบรหัสคณะ \"\" ในระบบ กรุณาตรวจสอบรหัสคณะ")},
        {"zero amount", [](auto& d) { d.amountText = QStringLiteral("0.00"); }, QStringLiteral("กรุณาใส่จำนวนเงินด้วย")},
        {"negative amount", [](auto& d) { d.amountText = QStringLiteral("-5"); }, QStringLiteral("กรุณาใส่จำนวนเงินด้วย")},
        {"not an amount", [](auto& d) { d.amountText = QStringLiteral("1O0"); }, QStringLiteral("กรุณาใส่จำนวนเงินด้วย")},
        {"no such date", [](auto& d) { d.docDate = QStringLiteral("31/04/2567"); },
         QStringLiteral("กรุณาใส่ลงวันที่ให้ถูกต้อง (วว/ดด/ปปปป พ.ศ.) หรือเว้นว่างไว้")},
        {"half a date", [](auto& d) { d.matiDate = QStringLiteral("12/  /    "); },
         QStringLiteral("กรุณาใส่วันที่อนุมัติให้ถูกต้อง (วว/ดด/ปปปป พ.ศ.) หรือเว้นว่างไว้")},
    };
    for (const auto& r : refusals) {
        OtherWelfare::Draft d = payment(kv, QStringLiteral("EN"));
        r.change(d);
        EXPECT_EQ(errorOf([&] { OtherWelfare::save(f.db, sc, d); }), r.message) << r.name;
    }
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), 1);

    // A faculty without a claim-number row for the year: the system error, nothing written.
    EXPECT_TRUE(errorOf([&] { OtherWelfare::save(f.db, f.login(QStringLiteral("FC"), QStringLiteral("ED")),
                                                 payment(kv, QStringLiteral("EN"))); })
                    .startsWith(QStringLiteral("ไม่พบข้อมูล ในตารางใบเบิก")));
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), 1);
}

TEST(OtherWelfareCancelSummary, ClaimFacultyToCancelEmployeeFacultyToSummarise)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("1"));
    const LoginContext sc = f.login();
    const ClaimKind& k = otherWelfare();
    QStringList saved;
    for (const char* amount : {"100", "200", "300"})
        saved << OtherWelfare::save(f.db, sc, payment(kv, QStringLiteral("SC"), QString::fromLatin1(amount)));

    // Filed under SC: cancelled there; the employee is EN's: summarised there.
    const auto listed = ClaimCancel::search(f.db, sc, k, QStringLiteral("sc"), ClaimSearchBy::ClaimNo, {});
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed[0].kindDesc, QStringLiteral("เงินช่วยเหลือพิเศษกรณีพนักงานถึงแก่กรรม"));
    EXPECT_TRUE(ClaimCancel::search(f.db, sc, k, QStringLiteral("EN"), ClaimSearchBy::ClaimNo, {}).isEmpty());
    const OpenClaim c = ClaimCancel::load(f.db, sc, k, QStringLiteral("SC"), saved[0]);
    EXPECT_EQ(c.kindCode, QStringLiteral("M"));
    ASSERT_EQ(c.lines.size(), 1);
    EXPECT_EQ(c.lines[0].folk, 0);
    ClaimCancel::cancel(f.db, sc, k, QStringLiteral("SC"), saved[0]);
    EXPECT_EQ(f.claimValue(saved[0], QStringLiteral("Berg_Doc_Status")), QStringLiteral("NO"));

    EXPECT_TRUE(ClaimSummary::listOpen(f.db, sc, k, QStringLiteral("SC"), {}, {}).isEmpty());
    const auto open = ClaimSummary::listOpen(f.db, sc, k, QStringLiteral("en"), {}, {});
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(open[0].claimed, baht(200));
    EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, sc, k, QStringLiteral("SC"), {saved[1]}); }),
              kNotFound + QStringLiteral(" (") + saved[1] + QLatin1Char(')'));
    const QString no = ClaimSummary::send(f.db, sc, k, QStringLiteral("en"), {saved[2], saved[1]});
    EXPECT_EQ(no, QStringLiteral("KV2568/000001EN"));
    const Rows members = f.db.select(QStringLiteral("SELECT Berg_Doc_ID, Order_No FROM T_Sent_KV ORDER BY Order_No"));
    EXPECT_EQ(members.text(0, QStringLiteral("Berg_Doc_ID")), saved[2]) << "in the order marked";
    EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, sc, k, QStringLiteral("EN"), {saved[1]}); }),
              ClaimSummary::kAlreadySent);
    EXPECT_EQ(errorOf([&] { ClaimCancel::cancel(f.db, sc, k, QStringLiteral("SC"), saved[1]); }), kNotFound);

    const Report doc = summaryDocument(f.db, no, std::nullopt, kPrinted);
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabelTitle")), QStringLiteral("สรุปใบเบิกสวัสดิการอื่น ๆ พนักงานมหาวิทยาลัย"));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabelFact")), QStringLiteral("คณะวิศวกรรมศาสตร์(EN)"));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabelHead3")), QStringLiteral("รหัสประจำตัว"));
    EXPECT_EQ(placed(doc, QStringLiteral("QRDBText7")).first(), QStringLiteral("เงินช่วยเหลือพิเศษกรณีพนักงานถึงแก่กรรม"));
    EXPECT_EQ(placed(doc, QStringLiteral("QRExpr2")).first(), QStringLiteral("ตนเอง - นายสมชาย1  ใจดี"));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRExpr3")), QStringLiteral("500.00"));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabel3")),
              QStringLiteral("ข้าพเจ้าได้ตรวจสอบใบเบิกเงินสวัสดิการ ข้างต้นแล้ว ขอรับรองว่า"));
    EXPECT_TRUE(placed(doc, QStringLiteral("QRLabel5")).isEmpty()) << "item 1 only";
    EXPECT_EQ(errorOf([&] { claimForm(f.db, saved[1], FormOccasion::Reprint, kPrinted); }),
              QStringLiteral("ใบเบิกเลขที่ %1 เป็นประเภท OTH ซึ่งพิมพ์จากหน้าจอนี้ไม่ได้").arg(saved[1]));
}

TEST(EducationRules, RightAgeAndBudgetYear)
{
    const struct {
        std::optional<Money> limit;
        const char* hType;
        QString message;
    } rights[] = {
        {std::nullopt, "1", {}},
        {std::nullopt, "3", {}},
        {std::nullopt, "2", QStringLiteral("พนักงานคนนี้ ไม่มีสิทธิในการเบิกค่าเล่าเรียนบุตร\nเนื่องจากเลือกสิทธิประเภท : 2")},
        {baht(20000), "1", QStringLiteral("(2)พนักงานคนนี้ ไม่มีสิทธิในการเบิกค่าเล่าเรียนบุตร\nเนื่องจากเลือกสิทธิประเภท : 1")},
        {baht(200000), "2", {}},
        {baht(19999.99), "2", {}},
    };
    for (const auto& r : rights)
        EXPECT_EQ(errorOf([&] { Education::checkRight(r.limit, QString::fromLatin1(r.hType)); }), r.message)
            << r.hType << " " << (r.limit ? r.limit->toPlain().toStdString() : "no row");

    const struct {
        const char* birthday;
        const char* today;
        std::optional<int> age;
    } ages[] = {
        {"31/12/2545", "01/01/2552", 7}, {"31/12/2545", "31/12/2552", 7}, {"01/01/2552", "31/12/2552", 0},
        {"", "15/11/2567", std::nullopt}, {"  /  /    ", "15/11/2567", std::nullopt}, {"31/02/2550", "15/11/2567", std::nullopt},
    };
    for (const auto& a : ages)
        EXPECT_EQ(Education::ageOf(QString::fromLatin1(a.birthday), QString::fromLatin1(a.today)), a.age) << a.birthday;

    EXPECT_EQ(Education::budgetYearOfClaim(QStringLiteral("30/09/2552")), QStringLiteral("2552"));
    EXPECT_EQ(Education::budgetYearOfClaim(QStringLiteral("01/10/2552")), QStringLiteral("2553"));
    EXPECT_EQ(Education::rightText(QStringLiteral("2")), QStringLiteral("ไม่มี"));
    EXPECT_EQ(Education::rightText(QStringLiteral("3")), QStringLiteral("มี"));

    const struct {
        const char* amount;
        QString message;
    } amounts[] = {{"0.00", QStringLiteral("กรุณาใส่จำนวนเงินที่เบิกด้วย")},
                   {"0", QStringLiteral("กรุณาใส่จำนวนเงินที่เบิกด้วย")},
                   {"-1", QStringLiteral("กรุณาใส่จำนวนเงินที่เบิกให้ถูกต้องด้วย")},
                   {"abc", QStringLiteral("กรุณาใส่จำนวนเงินที่เบิกให้ถูกต้องด้วย")},
                   {"0.01", {}}};
    for (const auto& a : amounts) {
        Education::Line l;
        l.term = QStringLiteral("1");
        l.year = QStringLiteral("2567");
        l.level = QStringLiteral("ป.1");
        l.school = QStringLiteral("โรงเรียน");
        l.amountText = QString::fromLatin1(a.amount);
        EXPECT_EQ(errorOf([&] { Education::checkLine(l); }), a.message) << a.amount;
    }
}

TEST(EducationSave, LinesPerChildYearOfTheClaimDateAndTheEmployeesFaculty)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"), false);
    f.addFolk(kv, 4, QStringLiteral("เด็กชาย"), QStringLiteral("หนึ่ง"), QStringLiteral("ใจดี"), QStringLiteral("31/12/2560"));
    f.addFolk(kv, 5, QStringLiteral("เด็กหญิง"), QStringLiteral("สอง"), QStringLiteral("ใจดี"), QStringLiteral("99/99/9999"));
    EXPECT_EQ(errorOf([&] { Education::findChild(f.db, kv, 2, QStringLiteral("15/11/2567")); }),
              QStringLiteral("ไม่พบข้อมูลบุตรลำดับที่ : 3\nให้แจ้งฝ่ายการเจ้าหน้าที่คณะ บันทึกข้อมูลเพิ่มเติม"));
    const Education::Child first = Education::findChild(f.db, kv, 0, QStringLiteral("15/11/2567"));
    EXPECT_EQ(first.age, 7);
    EXPECT_EQ(first.displayName(), QStringLiteral("เด็กชายหนึ่ง  ใจดี"));
    const Education::Child second = Education::findChild(f.db, kv, 1, QStringLiteral("15/11/2567"));
    EXPECT_EQ(second.birthday, QString()) << "no valid birth date: shown without date or age";
    EXPECT_EQ(second.age, std::nullopt);

    const LoginContext sc = f.login();
    const QString no = Education::save(f.db, sc, kv, QStringLiteral("15/11/2567"),
                                       {tuition(f.db, kv, 0, QStringLiteral("1,000.50"), QStringLiteral("1")),
                                        tuition(f.db, kv, 1, QStringLiteral("700"), QStringLiteral("1")),
                                        tuition(f.db, kv, 0, QStringLiteral("999.50"), QStringLiteral("2"))});
    EXPECT_EQ(no, QStringLiteral("SC2568/0000001"));
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Pay_Year")), QStringLiteral("2568")) << "November belongs to the next year";
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Health_In_Out_t")), QStringLiteral("E"));
    EXPECT_EQ(Money::fromTyped(f.claimValue(no, QStringLiteral("T_M_Berg"))), baht(2700));
    const Rows lines = f.db.select(QStringLiteral("SELECT Emp_Folk, M_Berg, HM_Can_Berg FROM T_Pay_Health_Detail ORDER BY Emp_Folk"));
    ASSERT_EQ(lines.count(), 2) << "one line per child";
    EXPECT_EQ(lines.money(0, QStringLiteral("M_Berg")), baht(2000));
    EXPECT_EQ(lines.money(1, QStringLiteral("HM_Can_Berg")), baht(700));
    const Rows receipts = f.db.select(QStringLiteral("SELECT Order_Doc, Emp_Folk, Edu_Term, EF_Birthday, Edu_Type, Date_Doc "
                                                     "FROM T_Reciept ORDER BY Order_Doc"));
    ASSERT_EQ(receipts.count(), 3);
    EXPECT_EQ(receipts.text(2, QStringLiteral("Edu_Term")), QStringLiteral("2"));
    EXPECT_EQ(receipts.text(0, QStringLiteral("EF_Birthday")), QStringLiteral("31/12/2560"));
    EXPECT_EQ(receipts.text(1, QStringLiteral("EF_Birthday")), QString());
    EXPECT_EQ(receipts.text(0, QStringLiteral("Edu_Type")) + receipts.text(0, QStringLiteral("Date_Doc")), QString());
    EXPECT_EQ(errorOf([&] { Education::save(f.db, sc, kv, QStringLiteral("15/11/2567"), {}); }),
              QStringLiteral("กรุณาใส่จำนวนเงินด้วย"));

    // The employee moves to EN: SC still summarises the claim, only EN cancels it.
    const QString second_ = Education::save(f.db, sc, kv, QStringLiteral("15/11/2567"),
                                            {tuition(f.db, kv, 0, QStringLiteral("50"), QStringLiteral("1"))});
    f.db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Fact_code = 'EN'"));
    const ClaimKind& k = education();
    EXPECT_TRUE(ClaimCancel::search(f.db, sc, k, {}, ClaimSearchBy::ClaimNo, {}).isEmpty());
    EXPECT_EQ(errorOf([&] { ClaimCancel::cancel(f.db, sc, k, {}, no); }), kNotFound);
    const LoginContext en = f.login(QStringLiteral("FC"), QStringLiteral("EN"));
    EXPECT_EQ(ClaimCancel::search(f.db, en, k, {}, ClaimSearchBy::EmpId, QStringLiteral("600001")).size(), 2);
    ClaimCancel::cancel(f.db, en, k, {}, second_);
    const auto open = ClaimSummary::listOpen(f.db, sc, k, {}, {}, {});
    ASSERT_EQ(open.size(), 1);
    EXPECT_EQ(open[0].claimed, baht(2700));
    const QString control = ClaimSummary::send(f.db, sc, k, QStringLiteral("EN"), {no});
    EXPECT_EQ(control, QStringLiteral("KV2568/000001SC")) << "the clerk's faculty, whatever the field says";

    const Report doc = summaryDocument(f.db, control, std::nullopt, kPrinted);
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabelTitle")), QStringLiteral("สรุปใบเบิกสวัสดิการการศึกษาบุตรพนักงานมหาวิทยาลัย"));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRDBText5")), QStringLiteral("2,700.00"));
    EXPECT_EQ(placed(doc, QStringLiteral("QRExpr2")),
              (QStringList{QStringLiteral("บุตรลำดับที่1 - เด็กชายหนึ่ง  ใจดี"), QStringLiteral("บุตรลำดับที่2 - เด็กหญิงสอง  ใจดี")}));
    EXPECT_EQ(placed(doc, QStringLiteral("QRDBText6")), (QStringList{"2,000.00", "700.00"}));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabel3")),
              QStringLiteral("ข้าพเจ้าได้ตรวจสอบใบเบิกเงินสวัสดิการค่าศึกษาบุตร ข้างต้นแล้ว ขอรับรองว่า"));
    // Its own text sizes: the titles 20 points, faculty, control number and
    // page number 16, the children's lines 12, the rest 14.
    const QMap<QString, double> sized = {
        {QStringLiteral("QRLabel1"), 20},   {QStringLiteral("QRLabelTitle"), 20},  {QStringLiteral("QRLabelFact"), 16},
        {QStringLiteral("QRLabelControl"), 16}, {QStringLiteral("QRSysData1"), 16}, {QStringLiteral("QRLabelPageDoc"), 16},
        {QStringLiteral("QRExpr2"), 12},
        {QStringLiteral("QRDBText6"), 12}};
    QStringList wrong;
    int texts = 0;
    for (const ReportPage& p : doc.pages())
        for (const PlacedItem& i : p.items)
            if (i.shape == PlacedItem::Shape::Text && !i.text.isEmpty()) {
                ++texts;
                if (i.font.pointSize != sized.value(i.name, 14))
                    wrong << QStringLiteral("%1 %2 pt").arg(i.name).arg(i.font.pointSize);
            }
    EXPECT_GT(texts, 20);
    EXPECT_EQ(wrong.join(QLatin1Char('|')).toStdString(), "");
    EXPECT_EQ(cutTexts(doc).join(QLatin1Char('|')).toStdString(), "");
}
