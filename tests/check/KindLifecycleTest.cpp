#include "../claims/ClaimsFixture.h"
#include "check/IntegrityCheck.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimSummaryService.h"
#include "common/widgets/ScreenRegistry.h"
#include "education/EducationService.h"
#include "finance/CancelService.h"
#include "finance/VoucherService.h"
#include "otherwelfare/OtherWelfareService.h"

#include <QMap>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

// How the lifecycle makes an employee who may claim the kind, and a claim of
// it through the service its entry screen calls.
struct KindSetup {
    std::function<QString(ClaimsDb&, int n)> employee;
    std::function<QString(ClaimsDb&, const LoginContext&, const QString& kv)> save;
};

QString medicalSave(const ClaimKind& kind, ClaimsDb& f, const LoginContext& login, const QString& kv)
{
    return ClaimEntry::save(f.db, login, kind, draft(kv, {receipt(0, baht(700.25)), receipt(1, baht(300))})).claimNo;
}

// An employee with a yearly row and nothing claimed yet; a medical limit of
// 0 stands for one used up (the check recomputes the used amounts from the
// claims, so none may be set by hand).
// Limits below a claim's 1,000.25 cut it, so that what a kind gives back
// (payable or claimed) shows in the used amounts.
QString withRow(ClaimsDb& f, int n, Money limit, Money copayLimit)
{
    const QString kv = f.addEmployee(n, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), limit, {});
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = ? WHERE KV_ID = ?"), {copayLimit.toSql(), kv});
    return kv;
}

const QMap<const ClaimKind*, KindSetup>& setups()
{
    static const QMap<const ClaimKind*, KindSetup> s = {
        {&outpatient(),
         {[](ClaimsDb& f, int n) { return withRow(f, n, baht(800), baht(25000)); },
          [](ClaimsDb& f, const LoginContext& l, const QString& kv) { return medicalSave(outpatient(), f, l, kv); }}},
        {&inpatient(),
         {[](ClaimsDb& f, int n) { return withRow(f, n, baht(800), baht(25000)); },
          [](ClaimsDb& f, const LoginContext& l, const QString& kv) { return medicalSave(inpatient(), f, l, kv); }}},
        {&copay(),
         {[](ClaimsDb& f, int n) { return withRow(f, n, {}, baht(900)); },
          [](ClaimsDb& f, const LoginContext& l, const QString& kv) { return medicalSave(copay(), f, l, kv); }}},
        {&overLimit(),
         {[](ClaimsDb& f, int n) { return withRow(f, n, {}, {}); },
          [](ClaimsDb& f, const LoginContext& l, const QString& kv) { return medicalSave(overLimit(), f, l, kv); }}},
        {&otherWelfare(),
         {[](ClaimsDb& f, int n) { return f.addEmployee(n, QStringLiteral("SC"), QStringLiteral("2")); },
          [](ClaimsDb& f, const LoginContext& l, const QString& kv) {
              OtherWelfare::Draft d;
              d.kvId = kv;
              d.claimDate = l.Cur_Date;
              d.kindCode = QStringLiteral("N");
              d.factCode = QStringLiteral("SC");
              d.beneficiary = QStringLiteral("0");
              d.amountText = QStringLiteral("5000.50");
              return OtherWelfare::save(f.db, l, d);
          }}},
        {&education(),
         {[](ClaimsDb& f, int n) {
              const QString kv = f.addEmployee(n, QStringLiteral("SC"), QStringLiteral("1"));
              f.addFolk(kv, 4, QStringLiteral("เด็กชาย"), QStringLiteral("หนึ่ง"), QStringLiteral("ใจดี"),
                        QStringLiteral("01/06/2560"));
              return kv;
          },
          [](ClaimsDb& f, const LoginContext& l, const QString& kv) {
              Education::Line line;
              line.child = Education::findChild(f.db, kv, 0, l.Cur_Date);
              line.amountText = QStringLiteral("1500");
              line.term = QStringLiteral("1");
              line.year = QStringLiteral("2567");
              line.level = QStringLiteral("อนุบาล 2");
              line.school = QStringLiteral("โรงเรียนอนุบาล");
              return Education::save(f.db, l, kv, l.Cur_Date, {line});
          }}},
    };
    return s;
}

::testing::AssertionResult consistentAfter(Database& db, const ClaimKind& kind, const char* step)
{
    const check::Report r = check::run(db);
    if (r.consistent())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << kind.identity.typeCode.toStdString() << " after " << step << ":\n"
                                         << check::format(r).toStdString();
}

} // namespace

// Every listed kind goes through its whole life through the services, and the
// integrity check of "welmora-admin check" finds the database consistent
// after each step.
TEST(KindLifecycle, EveryListedKindStaysConsistentThroughItsLife)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    for (const char* fact : {"SC", "HO"})
        f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES (?, '2568', 1)"),
                  {QString::fromLatin1(fact)});
    f.db.exec(QStringLiteral("INSERT INTO T_PVR_Runno (Sent_Year, Run_No) VALUES ('2568', 1)"));
    f.db.exec(QStringLiteral("INSERT INTO T_Emp_RunNo (Emp_Year, Run_No) VALUES ('2560', 99)"));
    const LoginContext clerk = f.login();
    const QString sc = QStringLiteral("SC");
    int n = 0;
    for (const ClaimKind* kind : claimKinds()) {
        const auto setup = setups().constFind(kind);
        if (setup == setups().cend()) {
            ADD_FAILURE() << "no lifecycle for the listed kind " << kind->identity.typeCode.toStdString();
            continue;
        }
        const QString kv = setup->employee(f, ++n);
        const QString cancelled = setup->save(f, clerk, kv);
        EXPECT_TRUE(consistentAfter(f.db, *kind, "saving"));
        ClaimCancel::cancel(f.db, clerk, *kind, sc, cancelled);
        EXPECT_TRUE(consistentAfter(f.db, *kind, "cancelling a claim"));
        // The limit the cancellation gave back takes the next claim.
        const QString sent = setup->save(f, clerk, kv);
        const QString first = ClaimSummary::send(f.db, clerk, *kind, sc, {sent}, {1});
        EXPECT_TRUE(consistentAfter(f.db, *kind, "summarising"));
        finance::ControlCancel::cancel(f.db, clerk, first);
        EXPECT_TRUE(consistentAfter(f.db, *kind, "cancelling the control number"));
        const QString again = ClaimSummary::send(f.db, clerk, *kind, sc, {sent}, {1});
        const QString voucher = finance::Vouchers::make(f.db, clerk, {}, {again}, QStringLiteral("ผู้รับเงิน"));
        EXPECT_TRUE(consistentAfter(f.db, *kind, "making a voucher"));
        finance::VoucherCancel::cancel(f.db, clerk, voucher);
        EXPECT_TRUE(consistentAfter(f.db, *kind, "cancelling the voucher"));
        EXPECT_EQ(f.claimValue(cancelled, QStringLiteral("Berg_Doc_Status")), QStringLiteral("NO"));
        EXPECT_EQ(f.claimValue(sent, QStringLiteral("Berg_Doc_Status")), QStringLiteral("KV"));
    }
}

// What a kind must declare to be listed: the registry test of "Adding a
// claim kind" in the README.
TEST(KindRegistry, EveryListedKindDeclaresWhatTheSharedPartsNeed)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    registerAllScreens();
    QStringList types, screens;
    for (const ClaimKind* kind : claimKinds()) {
        const std::string name = kind->identity.typeCode.toStdString();
        EXPECT_FALSE(kind->identity.typeCode.isEmpty());
        EXPECT_FALSE(types.contains(kind->identity.typeCode)) << name << " listed twice";
        types << kind->identity.typeCode;
        EXPECT_EQ(kindOfType(QLatin1Char(' ') + kind->identity.typeCode.toLower() + QLatin1Char(' ')), kind) << name;
        EXPECT_TRUE(kind->identity.listedTypes.contains(kind->identity.typeCode)) << name;
        const ClaimKind* sentAs = kindOfSentDocType(kind->identity.sentDocType);
        ASSERT_NE(sentAs, nullptr) << name << " sends control numbers of a type no kind owns";
        EXPECT_TRUE(kind->identity.sentDocTypesListed.contains(kind->identity.sentDocType)) << name;
        EXPECT_TRUE(typesSentAs(kind->identity.sentDocType).contains(kind->identity.typeCode)) << name;
        for (const QString& label : {kind->identity.voucherLabel, kind->identity.cancelLabel, kind->identity.listingLabel})
            EXPECT_FALSE(label.isEmpty()) << name;
        // Its screens: the classes named after their windows are registered;
        // each kind has an entry and a summary of its own (the hospital's
        // claims are cancelled on the outpatient screen).
        for (const QString& window : {kind->entry.objectName, kind->cancel.objectName, kind->summary.objectName})
            EXPECT_TRUE(ScreenRegistry::instance().has(QLatin1Char('T') + window)) << name << " " << window.toStdString();
        for (const QString& window : {kind->entry.objectName, kind->summary.objectName}) {
            EXPECT_FALSE(screens.contains(window)) << name << " shares " << window.toStdString();
            screens << window;
        }
        // A charged kind names the yearly-row columns it raises and gives back.
        const finance::UsageGiveBack back = finance::giveBackFor(kind->identity.typeCode, baht(1), baht(2));
        if (kind->limit.policy == LimitPolicy::None) {
            EXPECT_TRUE(back.column.isEmpty()) << name;
            continue;
        }
        for (const QString& column : {kind->limit.limitColumn, kind->limit.usedColumn, kind->limit.sentColumn}) {
            ASSERT_FALSE(column.isEmpty()) << name;
            EXPECT_NO_THROW(f.db.select(QStringLiteral("SELECT %1 FROM T_Year_Cur_Health WHERE 1 = 0").arg(column)))
                << name << " " << column.toStdString();
        }
        EXPECT_EQ(back.column, kind->limit.sentColumn) << name;
        EXPECT_EQ(back.amount, kind->summary.amountClaimed ? baht(2) : baht(1)) << name;
    }
    EXPECT_EQ(kindOfType(QStringLiteral("XYZ")), nullptr);
}
