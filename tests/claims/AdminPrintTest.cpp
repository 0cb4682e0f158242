#include "ClaimsFixture.h"
#include "AdminRun.h"
#include "claims/ClaimSummaryService.h"

#include <QFile>
#include <QTemporaryDir>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

bool isPdf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
}
} // namespace

TEST(AdminPrint, ClaimFormAndControlSummaryWithoutAWindow)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(kv, QStringLiteral("2568"), baht(200000), {});
    const QString claim = ClaimEntry::save(f.db, f.login(), outpatient(), draft(kv, {receipt(0, baht(100))})).claimNo;
    const QString control = ClaimSummary::send(f.db, f.login(), outpatient(), {}, {claim});
    const QString url = f.t.url().display();
    QTemporaryDir out;

    const struct {
        const char* what;
        QString number;
        int code;
        QString says;
    } runs[] = {
        {"claim-form", claim, 0, QStringLiteral("(1 page)")},
        {"control-summary", control, 0, QStringLiteral("(1 page)")},
        {"claim-form", QStringLiteral("SC2568/0000099"), 1, QStringLiteral("ไม่พบใบเบิกเลขที่ SC2568/0000099")},
        {"control-summary", QStringLiteral("KV2568/000099SC"), 1, QStringLiteral("ไม่พบเลขที่ควบคุมใบเบิก KV2568/000099SC")},
    };
    for (const auto& r : runs) {
        const QString pdf = out.filePath(QStringLiteral("%1-%2.pdf").arg(QString::fromLatin1(r.what)).arg(r.code));
        const AdminRun run = admin({QStringLiteral("print"), QString::fromLatin1(r.what), r.number, QStringLiteral("--db"),
                                    url, QStringLiteral("--pdf"), pdf});
        EXPECT_EQ(run.code, r.code) << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(r.says)) << run.output.toStdString();
        EXPECT_EQ(isPdf(pdf), r.code == 0) << r.what;
    }
    EXPECT_EQ(admin({QStringLiteral("print"), QStringLiteral("claim-form"), QStringLiteral("--db"), url}).code, 2);
}

TEST(AdminPrint, CopayFormAndLimitStatementWithoutAWindow)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(20000));
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = 25000"));
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 1)"));
    const QString claim = ClaimEntry::save(f.db, f.login(), copay(), draft(kv, {receipt(0, baht(100))})).claimNo;
    const QString url = f.t.url().display();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("x.pdf"));

    const struct {
        QStringList args;
        int code;
        QString says;
    } runs[] = {
        {{QStringLiteral("claim-form"), claim}, 0, QStringLiteral("(1 page)")},
        {{QStringLiteral("limit-statement"), kv, QStringLiteral("--year"), QStringLiteral("2568")}, 0,
         QStringLiteral("(1 page)")},
        {{QStringLiteral("limit-statement"), QStringLiteral("KV2560/999999"), QStringLiteral("--year"),
          QStringLiteral("2568")},
         1, QStringLiteral("ไม่พบข้อมูลพนักงาน KV_ID KV2560/999999")},
        {{QStringLiteral("limit-statement"), kv}, 2, QStringLiteral("missing argument: --year YYYY")},
    };
    for (const auto& r : runs) {
        QFile::remove(pdf);
        const AdminRun run = admin(QStringList{QStringLiteral("print")} + r.args
                                   + QStringList{QStringLiteral("--db"), url, QStringLiteral("--pdf"), pdf});
        EXPECT_EQ(run.code, r.code) << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(r.says)) << run.output.toStdString();
        EXPECT_EQ(isPdf(pdf), r.code == 0) << r.args.join(QLatin1Char(' ')).toStdString();
    }
}
