#include "ClerkSupport.h"
#include "Fingerprint.h"
#include "TestDb.h"
#include "check/IntegrityCheck.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimEntryService.h"
#include "claims/ClaimSummaryService.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "education/EducationService.h"
#include "finance/CancelService.h"
#include "finance/DemoVouchers.h"
#include "finance/VoucherService.h"
#include "otherwelfare/OtherWelfareService.h"
#include "personnel/EmployeeService.h"

#include <QRegularExpression>

#include <functional>

using namespace wel;
using namespace wel::test;

namespace {

const QString kInjection = QStringLiteral("x' OR '1'='1'; DELETE FROM T_PAY_Health; --");

} // namespace

// Typed values that cannot be saved, at every entry point the screens call:
// each is refused with a Thai message saying what is wrong, and nothing in
// the database changes.
TEST(BadInput, EveryEntryPointRefusesWithAThaiMessageAndWritesNothing)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims);
    Database& db = t.db();
    finance::loadDemoVouchers(db);
    const LoginContext sc = clerkOf(db, QStringLiteral("SC"), QStringLiteral("FC"));
    const LoginContext kv = clerkOf(db, QStringLiteral("OP"), QStringLiteral("KV"));
    const auto& kind = claims::outpatient();
    const QString kvId = first(db, QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE Fact_code = 'SC' AND "
                                                  "Emp_Status = 'A' AND Emp_H_Type = '1' ORDER BY KV_ID"));
    const QString controlSC = first(db, QStringLiteral("SELECT Sent_KV_Doc_ID FROM T_Sent_KV_Detail WHERE "
                                                       "Sent_Doc_Status = 'A' AND Fact_Code = 'SC' ORDER BY 1"));
    ASSERT_FALSE(kvId.isEmpty() || controlSC.isEmpty());

    auto good = [&] {
        claims::ClaimDraft d;
        d.kvId = kvId;
        d.payYear = sc.Cur_Bud_Year;
        d.claimDate = sc.Cur_Date;
        d.inOut = QStringLiteral("0");
        d.factCode = QStringLiteral("SC");
        claims::ClaimReceipt r;
        r.dateDoc = sc.Cur_Date;
        r.amount = Money::fromBaht(500);
        r.hospital = QStringLiteral("โรงพยาบาลมหาวิทยาลัย");
        d.receipts = {r};
        return d;
    };
    auto save = [&](const LoginContext& login, const std::function<void(claims::ClaimDraft&)>& change) {
        return [&, login, change] {
            claims::ClaimDraft d = good();
            change(d);
            claims::ClaimEntry::save(db, login, kind, d);
        };
    };
    auto employee = [] {
        EmployeeRecord e;
        e.EMP_ID = QStringLiteral("9990001");
        e.Emp_SSN = QStringLiteral("3100099990001");
        e.Emp_Surname = QStringLiteral("นาย");
        e.Emp_F_Name = QStringLiteral("ทดสอบ");
        e.Emp_L_Name = QStringLiteral("ระบบ");
        e.Emp_In_date2 = QStringLiteral("01/10/2567");
        e.Emp_H_Type = QStringLiteral("2");
        e.Fact_code = QStringLiteral("SC");
        return e;
    };
    auto add = [&](const std::function<void(EmployeeRecord&)>& change) {
        return [&, change] {
            EmployeeRecord e = employee();
            change(e);
            EmployeeService::add(db, kv, e);
        };
    };

    // Other welfare and education have entries of their own.
    auto welfare = [&](const std::function<void(claims::OtherWelfare::Draft&)>& change) {
        return [&, change] {
            claims::OtherWelfare::Draft d;
            d.kvId = kvId;
            d.claimDate = sc.Cur_Date;
            d.kindCode = claims::OtherWelfare::welfareKinds(db).value(0).code;
            d.factCode = QStringLiteral("SC");
            d.beneficiary = QStringLiteral("0");
            d.amountText = QStringLiteral("1,500.00");
            change(d);
            claims::OtherWelfare::save(db, sc, d);
        };
    };
    const QString withChild = first(db, QStringLiteral("SELECT e.KV_ID FROM T_Emp_Gov_Histry e JOIN T_Emp_Folk f "
                                                       "ON f.KV_ID = e.KV_ID AND f.Emp_Folk = '4' WHERE "
                                                       "e.Fact_code = 'SC' AND e.Emp_H_Type = '1' ORDER BY e.KV_ID"));
    ASSERT_FALSE(withChild.isEmpty());
    auto tuition = [&](const std::function<void(QString& kv, QString& date, claims::Education::Line&)>& change) {
        return [&, change] {
            QString kv = withChild, date = sc.Cur_Date;
            claims::Education::Line l = tuitionLine(db, kv, sc);
            change(kv, date, l);
            claims::Education::save(db, sc, kv, date, {l});
        };
    };

    struct Case {
        const char* what;
        std::function<void()> op;
        QString message; // the refusal begins with it
    };
    const QString bigAmount = QStringLiteral("จำนวนเงิน 10,000,000,000,000.00 เกินกว่าที่บันทึกได้");
    const QVector<Case> cases = {
        // claim entry
        {"injection as the employee", save(sc, [](auto& d) { d.kvId = kInjection; }),
         QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ") + kInjection},
        {"overlong employee key", save(sc, [](auto& d) { d.kvId = QString(300, QChar(0x0E01)); }),
         QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ")},
        {"injection as the budget year", save(sc, [](auto& d) { d.payYear = kInjection; }),
         QStringLiteral("กรุณาใส่ปีที่ตัดเงินให้ถูกต้อง")},
        {"no budget year", save(sc, [](auto& d) { d.payYear.clear(); }), QStringLiteral("กรุณาใส่ปีที่ตัดเงินให้ถูกต้อง")},
        {"30 February", save(sc, [](auto& d) { d.claimDate = QStringLiteral("30/02/2567"); }),
         QStringLiteral("กรุณาใส่วันที่เบิกด้วย")},
        {"a date in the wrong layout", save(sc, [](auto& d) { d.claimDate = QStringLiteral("2024-11-15"); }),
         QStringLiteral("กรุณาใส่วันที่เบิกด้วย")},
        {"a cut receipt date", save(sc, [](auto& d) { d.receipts[0].dateDoc = QStringLiteral("1/11/67"); }),
         QStringLiteral("รายการใบเสร็จไม่ถูกต้อง")},
        {"a patient code out of range", save(sc, [](auto& d) { d.receipts[0].folk = 9; }),
         QStringLiteral("รายการใบเสร็จไม่ถูกต้อง")},
        {"a zero amount", save(sc, [](auto& d) { d.receipts[0].amount = Money(); }),
         QStringLiteral("กรุณาใส่จำนวนเงินให้ถูกต้องด้วย")},
        {"a negative amount", save(sc, [](auto& d) { d.receipts[0].amount = Money::fromBaht(-100); }),
         QStringLiteral("กรุณาใส่จำนวนเงินให้ถูกต้องด้วย")},
        {"an amount no column holds",
         save(sc, [](auto& d) { d.receipts[0].amount = Money::fromBaht(10'000'000'000'000LL); }), bigAmount},
        {"an overlong hospital name", save(sc, [](auto& d) { d.receipts[0].hospital = QString(251, QChar(0x0E01)); }),
         QStringLiteral("ข้อความในช่อง สถานพยาบาล ยาวเกิน 250 ตัวอักษร")},
        {"an unknown faculty", save(kv, [](auto& d) { d.factCode = QStringLiteral("ZZ"); }),
         QStringLiteral("ไม่พบรหัสส่วนงาน ZZ")},
        {"an apostrophe as the faculty", save(kv, [](auto& d) { d.factCode = QStringLiteral("s'"); }),
         QStringLiteral("ไม่พบรหัสส่วนงาน S'")},
        {"a three-letter faculty", save(kv, [](auto& d) { d.factCode = QStringLiteral("SCX"); }),
         QStringLiteral("กรุณาใส่รหัสส่วนงานให้ถูกต้อง")},
        // other welfare
        {"other welfare: an unknown faculty", welfare([](auto& d) { d.factCode = QStringLiteral("ZZ"); }),
         QStringLiteral("ไม่พบรหัสคณะ \"ZZ\"")},
        {"other welfare: injection as the faculty", welfare([](auto& d) { d.factCode = kInjection; }),
         QStringLiteral("ไม่พบรหัสคณะ")},
        {"other welfare: injection as the employee", welfare([](auto& d) { d.kvId = kInjection; }),
         QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ")},
        {"other welfare: three decimals", welfare([](auto& d) { d.amountText = QStringLiteral("1,234.505"); }),
         QStringLiteral("จำนวนเงิน \"1,234.505\" มีทศนิยมเกิน 2 ตำแหน่ง")},
        {"other welfare: a zero amount", welfare([](auto& d) { d.amountText = QStringLiteral("0.00"); }),
         QStringLiteral("กรุณาใส่จำนวนเงินด้วย")},
        {"other welfare: a negative amount", welfare([](auto& d) { d.amountText = QStringLiteral("-100"); }),
         QStringLiteral("กรุณาใส่จำนวนเงินด้วย")},
        {"other welfare: an amount no column holds",
         welfare([](auto& d) { d.amountText = QStringLiteral("10,000,000,000,000.00"); }), bigAmount},
        {"other welfare: an approval on 31 April", welfare([](auto& d) { d.matiDate = QStringLiteral("31/04/2567"); }),
         QStringLiteral("กรุณาใส่วันที่อนุมัติให้ถูกต้อง")},
        {"other welfare: an overlong document number", welfare([](auto& d) { d.docNo = QString(101, QChar(0x0E01)); }),
         QStringLiteral("ข้อความในช่อง เลขที่เอกสารสิทธิ ยาวเกิน 100 ตัวอักษร")},
        {"other welfare: an overlong detail", welfare([](auto& d) { d.detail = QString(501, QChar(0x0E01)); }),
         QStringLiteral("ข้อความในช่อง รายละเอียด ยาวเกิน 500 ตัวอักษร")},
        // education
        {"education: injection as the employee", tuition([](auto& kv, auto&, auto&) { kv = kInjection; }),
         QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID ")},
        {"education: a claim on 30 February", tuition([](auto&, auto& date, auto&) { date = QStringLiteral("30/02/2567"); }),
         QStringLiteral("กรุณาใส่วันที่เบิกด้วย")},
        {"education: three decimals",
         tuition([](auto&, auto&, auto& l) { l.amountText = QStringLiteral("1,234.505"); }),
         QStringLiteral("จำนวนเงิน \"1,234.505\" มีทศนิยมเกิน 2 ตำแหน่ง")},
        {"education: a negative amount", tuition([](auto&, auto&, auto& l) { l.amountText = QStringLiteral("-100"); }),
         QStringLiteral("กรุณาใส่จำนวนเงินที่เบิกให้ถูกต้องด้วย")},
        {"education: an amount no column holds",
         tuition([](auto&, auto&, auto& l) { l.amountText = QStringLiteral("10,000,000,000,000.00"); }), bigAmount},
        {"education: an overlong school", tuition([](auto&, auto&, auto& l) { l.school = QString(251, QChar(0x0E01)); }),
         QStringLiteral("ข้อความในช่อง สถานที่ศึกษา ยาวเกิน 250 ตัวอักษร")},
        {"education: an overlong term", tuition([](auto&, auto&, auto& l) { l.term = QString(21, QLatin1Char('1')); }),
         QStringLiteral("ข้อความในช่อง ภาคเรียนที่ ยาวเกิน 20 ตัวอักษร")},
        // cancellation, summary, vouchers
        {"injection as the claim to cancel", [&] { claims::ClaimCancel::cancel(db, sc, kind, {}, kInjection); },
         claims::kNotFound},
        {"no claim to cancel", [&] { claims::ClaimCancel::cancel(db, sc, kind, {}, {}); }, claims::kNotFound},
        {"nothing marked for a summary", [&] { claims::ClaimSummary::send(db, sc, kind, {}, {}); },
         claims::ClaimSummary::kNothingMarked},
        {"injection as a claim of a summary", [&] { claims::ClaimSummary::send(db, sc, kind, {}, {kInjection}); },
         claims::kNotFound},
        {"nothing marked for a voucher", [&] { finance::Vouchers::make(db, kv, QStringLiteral("SC"), {}, {}); },
         finance::kSelectData},
        {"injection as a control number of a voucher",
         [&] { finance::Vouchers::make(db, kv, QStringLiteral("SC"), {kInjection}, {}); },
         finance::kListAgain.arg(kInjection)},
        {"a voucher for an unknown faculty",
         [&] { finance::Vouchers::make(db, kv, QStringLiteral("ZZ"), {controlSC}, {}); },
         finance::kListAgain.arg(controlSC)},
        {"injection as the control number to cancel", [&] { finance::ControlCancel::cancel(db, kv, kInjection); },
         finance::kControlGone.arg(kInjection)},
        {"no voucher to cancel", [&] { finance::VoucherCancel::cancel(db, kv, {}); }, finance::kVoucherGone.arg(QString())},
        // employees
        {"an overlong given name", add([](auto& e) { e.Emp_F_Name = QString(41, QChar(0x0E01)); }),
         QStringLiteral("ข้อความในช่อง ชื่อ ยาวเกิน 40 ตัวอักษร")},
        {"an overlong identity number", add([](auto& e) { e.Emp_SSN = QStringLiteral("31000999900012"); }),
         QStringLiteral("ข้อความในช่อง เลขบัตรประจำตัวประชาชน ยาวเกิน 13 ตัวอักษร")},
        {"an employee of an unknown faculty", add([](auto& e) { e.Fact_code = QStringLiteral("zz"); }),
         QStringLiteral("ไม่พบรหัสส่วนงาน ZZ")},
        {"an appointment on 31 April", add([](auto& e) { e.Emp_In_date2 = QStringLiteral("31/04/2567"); }),
         EmployeeService::kApptDateCaption + QStringLiteral(" ไม่ถูกต้อง กรุณาใส่เป็น วว/ดด/ปปปป (พ.ศ.)")},
        {"injection as the employee to correct",
         [&] {
             EmployeeRecord e = employee();
             e.KV_ID = kInjection;
             EmployeeService::edit(db, sc, e);
         },
         QStringLiteral("ไม่พบข้อมูลที่ต้องการ")},
        // amounts as typed
        {"three decimals", [] { Money::fromTyped(QStringLiteral("1,234.505")); },
         QStringLiteral("จำนวนเงิน \"1,234.505\" มีทศนิยมเกิน 2 ตำแหน่ง")},
        {"letters in an amount", [] { Money::fromTyped(QStringLiteral("12,3a")); },
         QStringLiteral("จำนวนเงิน \"12,3a\" ไม่ถูกต้อง")},
        {"an exponent", [] { Money::fromTyped(QStringLiteral("1e5")); }, QStringLiteral("จำนวนเงิน \"1e5\" ไม่ถูกต้อง")},
        {"two signs", [] { Money::fromTyped(QStringLiteral("--5")); }, QStringLiteral("จำนวนเงิน \"--5\" ไม่ถูกต้อง")},
    };

    static const QRegularExpression thai(QStringLiteral("[\u0E01-\u0E5B]"));
    QString before = fingerprint(db);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString message;
        bool database = false;
        try {
            c.op();
            ADD_FAILURE() << "accepted";
        } catch (const DbError& e) {
            database = true;
            message = e.message();
        } catch (const AppError& e) {
            message = e.message();
        }
        EXPECT_FALSE(database) << "the server's own text: " << message.toStdString();
        EXPECT_TRUE(message.startsWith(c.message)) << message.toStdString();
        EXPECT_TRUE(message.contains(thai)) << message.toStdString();
        // Against the state before this case, so that a write shows once.
        const QString after = fingerprint(db);
        EXPECT_TRUE(after == before) << "the database changed";
        before = after;
    }
    EXPECT_TRUE(check::run(db).consistent());
}

// Quotes, Thai and mixed scripts are data like any other: saved and read
// back exactly, and nothing else is touched.
TEST(BadInput, QuotesAndMixedScriptsAreStoredAsTyped)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Demo);
    Database& db = t.db();
    const LoginContext sc = clerkOf(db, QStringLiteral("SC"), QStringLiteral("FC"));
    const QString kvId = first(db, QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry WHERE Fact_code = 'SC' AND "
                                                  "Emp_Status = 'A' ORDER BY KV_ID"));
    const QString hospital = QStringLiteral("คลินิก O'Brien's \"ดร.สมชาย\" '); DROP TABLE T_Reciept; -- Ωμ 医院");
    claims::ClaimDraft d;
    d.kvId = kvId;
    d.payYear = sc.Cur_Bud_Year;
    d.claimDate = sc.Cur_Date;
    d.inOut = QStringLiteral("0");
    claims::ClaimReceipt r;
    r.dateDoc = sc.Cur_Date;
    r.amount = Money::fromTyped(QStringLiteral("1,234.50"));
    r.hospital = hospital;
    r.given = QStringLiteral("แอ'นนา");
    d.receipts = {r};
    const QString no = claims::ClaimEntry::save(db, sc, claims::outpatient(), d).claimNo;
    const Rows back = db.select(QStringLiteral("SELECT Hospital_Name, EF_F_Name, P_money FROM T_Reciept WHERE Berg_Doc_ID = ?"),
                                {no});
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back.text(0, QStringLiteral("Hospital_Name")), hospital);
    EXPECT_EQ(back.text(0, QStringLiteral("EF_F_Name")), QStringLiteral("แอ'นนา"));
    EXPECT_EQ(back.money(0, QStringLiteral("P_money")), Money::fromSatang(123450));

    auto e = EmployeeService::load(db, sc, kvId);
    ASSERT_TRUE(e.has_value());
    e->Emp_Position = QStringLiteral("นัก'วิจัย (R&D) \\ 100%_");
    EmployeeService::edit(db, sc, *e);
    EXPECT_EQ(EmployeeService::load(db, sc, kvId)->Emp_Position, QStringLiteral("นัก'วิจัย (R&D) \\ 100%_"));
    const check::Report report = check::run(db);
    EXPECT_TRUE(report.consistent()) << check::format(report).toStdString();
}
