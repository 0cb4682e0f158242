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

#include <QThread>

#include <algorithm>
#include <functional>

using namespace wel;
using namespace wel::test;

// The server ends the workstation's backend just before the k-th statement
// of an operation (of every claim kind), for every k the operation reaches: the clerk is told the
// line was lost and nothing was saved, nothing is, and the same connection
// carries the next operation.
TEST(DroppedConnection, EveryOperationCutAtEveryStatementWritesNothing)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims);
    if (t.kind() != DbKind::PostgreSQL)
        GTEST_SKIP() << "an embedded database has no connection to lose";
    finance::loadDemoVouchers(t.db());
    auto other = t.connectAgain(); // reads the state and ends the backend
    Database& db = t.db();
    const LoginContext sc = clerkOf(db, QStringLiteral("SC"), QStringLiteral("FC"));
    const LoginContext finance = clerkOf(db, QStringLiteral("OP"), QStringLiteral("KV"));
    const auto& kind = claims::outpatient();

    const LoginContext hospital = clerkOf(db, QStringLiteral("HO"), QStringLiteral("FC"));
    // Employees of SC as the entry screens' gates want them, this year.
    const QString kRoomLeft = QStringLiteral("y.Fact_T_H_Money - y.Fact_T_U_H - y.M_Flexben > 1000");
    const QString kCopayLeft = QStringLiteral("e.Emp_H_Type = '2' AND y.Fact_T_U_H + y.M_Flexben >= y.Fact_T_H_Money "
                                              "AND y.Fact_U_Copay + 1000 < y.Fact_T_Copay");
    const QString kAllUsedUp = QStringLiteral("y.Fact_T_U_H + y.M_Flexben = y.Fact_T_H_Money "
                                              "AND y.Fact_U_Copay = y.Fact_T_Copay");
    const QString kAnyone = QStringLiteral("1 = 1");
    const QString kWithChild = QStringLiteral("e.Emp_H_Type <> '2' AND y.Fact_T_H_Money <> 20000 AND EXISTS "
                                              "(SELECT 1 FROM T_Emp_Folk f WHERE f.KV_ID = e.KV_ID AND f.Emp_Folk = '4')");
    auto employee = [&](const QString& condition) {
        const QString kvId = first(*other,
                                   QStringLiteral("SELECT e.KV_ID FROM T_Emp_Gov_Histry e JOIN T_Year_Cur_Health y "
                                                  "ON y.KV_ID = e.KV_ID WHERE e.Fact_code = 'SC' AND e.Emp_Status = 'A' "
                                                  "AND y.Pay_Year = ? AND ")
                                       + condition + QStringLiteral(" ORDER BY e.KV_ID"),
                                   {sc.Cur_Bud_Year});
        EXPECT_FALSE(kvId.isEmpty()) << condition.toStdString();
        return kvId;
    };
    auto saveClaim = [&](const claims::ClaimKind& k, const LoginContext& login, const QString& condition) {
        claims::ClaimDraft d;
        d.kvId = employee(condition);
        d.payYear = login.Cur_Bud_Year;
        d.claimDate = login.Cur_Date;
        d.inOut = QStringLiteral("0");
        d.factCode = login.Cur_Fact_Code;
        claims::ClaimReceipt r;
        r.dateDoc = login.Cur_Date;
        r.amount = Money::fromBaht(120);
        d.receipts = {r, r};
        d.receipts[1].folk = 1;
        claims::ClaimEntry::save(db, login, k, d);
    };
    auto summarise = [&](const claims::ClaimKind& k, const LoginContext& login, const QString& inOut) {
        const auto open = claims::ClaimSummary::listOpen(*other, login, k, {}, login.Cur_Bud_Year, inOut);
        ASSERT_GE(open.size(), 1);
        claims::ClaimSummary::send(db, login, k, {}, {open[0].claimNo});
    };

    // Each operation picks its target afresh, as the clerk would from a list.
    struct Operation {
        const char* name;
        std::function<void()> run;
    };
    const QVector<Operation> operations = {
        {"claim saved", [&] { saveClaim(kind, sc, kRoomLeft); }},
        {"claim cancelled",
         [&] {
             claims::ClaimCancel::cancel(db, sc, kind, {},
                                         first(*other, QStringLiteral("SELECT Berg_Doc_ID FROM T_PAY_Health WHERE "
                                                                      "Fact_Code = 'SC' AND Berg_Doc_Status = 'FC' "
                                                                      "ORDER BY Berg_Doc_ID")));
         }},
        {"claims summarised",
         [&] {
             const auto open = claims::ClaimSummary::listOpen(*other, sc, kind, {}, sc.Cur_Bud_Year, QStringLiteral("0"));
             ASSERT_GE(open.size(), 1);
             claims::ClaimSummary::send(db, sc, kind, {}, {open[0].claimNo});
         }},
        {"voucher made",
         [&] {
             const auto open = finance::Vouchers::listOpenControls(*other, QStringLiteral("SC"), finance::Period::all());
             ASSERT_GE(open.size(), 1);
             finance::Vouchers::make(db, finance, QStringLiteral("SC"), {open[0].controlNo}, QStringLiteral("ผู้รับเงิน"));
         }},
        {"voucher cancelled",
         [&] {
             finance::VoucherCancel::cancel(db, finance, first(*other, QStringLiteral("SELECT PVR_NO FROM T_PV WHERE "
                                                                             "Sent_Doc_Status = 'A' ORDER BY PVR_NO")));
         }},
        {"control number cancelled",
         [&] {
             finance::ControlCancel::cancel(db, finance, first(*other, QStringLiteral("SELECT Sent_KV_Doc_ID FROM T_Sent_KV_Detail "
                                                                             "WHERE Sent_Doc_Status = 'A' ORDER BY 1")));
         }},
        // The other kinds' saves: their gates read on the locked row, their
        // own number series and, for co-pay, the co-pay usage.
        {"co-pay claim saved", [&] { saveClaim(claims::copay(), sc, kCopayLeft); }},
        {"in-patient claim saved", [&] { saveClaim(claims::inpatient(), hospital, kRoomLeft); }},
        {"above-limit claim saved", [&] { saveClaim(claims::overLimit(), sc, kAllUsedUp); }},
        {"other welfare saved",
         [&] {
             claims::OtherWelfare::Draft d;
             d.kvId = employee(kAnyone);
             d.claimDate = sc.Cur_Date;
             d.kindCode = claims::OtherWelfare::welfareKinds(*other).value(0).code;
             d.factCode = QStringLiteral("SC");
             d.beneficiary = QStringLiteral("0");
             d.amountText = QStringLiteral("1,500.00");
             claims::OtherWelfare::save(db, sc, d);
         }},
        {"education claim saved",
         [&] {
             const QString kvId = employee(kWithChild);
             const claims::Education::Line l = tuitionLine(*other, kvId, sc);
             claims::Education::save(db, sc, kvId, sc.Cur_Date, {l, l});
         }},
        {"co-pay claim cancelled",
         [&] {
             const auto open = claims::ClaimCancel::search(*other, sc, claims::copay(), {}, claims::ClaimSearchBy::ClaimNo, {});
             ASSERT_GE(open.size(), 1);
             claims::ClaimCancel::cancel(db, sc, claims::copay(), {}, open[0].claimNo);
         }},
        {"co-pay claims summarised", [&] { summarise(claims::copay(), sc, QStringLiteral("0")); }},
        {"in-patient claims summarised", [&] { summarise(claims::inpatient(), hospital, QStringLiteral("1")); }},
        {"employee corrected",
         [&] {
             auto e = EmployeeService::load(db, sc, first(*other, QStringLiteral("SELECT KV_ID FROM T_Emp_Gov_Histry "
                                                                                 "WHERE Fact_code = 'SC' AND Emp_Status = 'A' "
                                                                                 "ORDER BY KV_ID")));
             ASSERT_TRUE(e.has_value());
             e->Emp_Position = e->Emp_Position == QStringLiteral("นักวิจัย") ? QStringLiteral("นักวิชาการศึกษา")
                                                                              : QStringLiteral("นักวิจัย");
             EmployeeService::edit(db, sc, *e);
         }},
    };

    for (const Operation& op : operations) {
        SCOPED_TRACE(op.name);
        int cut = 0;
        for (int k = 1; k < 40; ++k) {
            const qint64 pid = db.select(QStringLiteral("SELECT pg_backend_pid() AS p")).integer(0, QStringLiteral("p"));
            const QString before = fingerprint(*other);
            int sent = 0;
            db.setStatementObserver([&](const QString&, const QVariantList&) {
                if (++sent == k) {
                    other->select(QStringLiteral("SELECT pg_terminate_backend(?)"), {pid});
                    QThread::msleep(50);
                }
            });
            QString message;
            try {
                op.run();
            } catch (const AppError& e) {
                message = e.message();
            }
            db.setStatementObserver({});
            if (sent < k) { // finished before the k-th statement: the whole operation went through
                EXPECT_TRUE(message.isEmpty()) << message.toStdString();
                break;
            }
            ++cut;
            if (message.isEmpty())
                continue; // a read cut outside the transaction was asked again, and the operation done
            EXPECT_TRUE(message.startsWith(QStringLiteral("การเชื่อมต่อกับฐานข้อมูลขาดหายระหว่างทำงาน")))
                << "statement " << k << ": " << message.toStdString();
            EXPECT_EQ(fingerprint(*other), before) << "statement " << k;
        }
        EXPECT_GT(cut, 1);
        const check::Report r = check::run(*other);
        EXPECT_TRUE(r.consistent()) << check::format(r).toStdString();
    }
}
