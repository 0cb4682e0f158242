#include "WelfareFixture.h"
#include "AdminRun.h"
#include "claims/ClaimSummaryService.h"
#include "education/EducationService.h"
#include "otherwelfare/OtherWelfareService.h"

#include <QFile>
#include <QTemporaryDir>

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

TEST(AdminPrintWelfare, FormsAndSummariesOfTheKindsChargedNowhere)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(kv, QStringLiteral("2568"), baht(200000), baht(200000));
    f.addFolk(kv, 4, QStringLiteral("เด็กชาย"), QStringLiteral("หนึ่ง"), QStringLiteral("ใจดี"), QStringLiteral("01/06/2560"));
    const LoginContext sc = f.login();
    const QString ovm = ClaimEntry::save(f.db, sc, overLimit(), draft(kv, {receipt(0, baht(900))})).claimNo;
    OtherWelfare::Draft d;
    d.kvId = kv;
    d.claimDate = sc.Cur_Date;
    d.kindCode = QStringLiteral("N");
    d.factCode = QStringLiteral("SC");
    d.beneficiary = QStringLiteral("0");
    d.amountText = QStringLiteral("5000");
    const QString oth = OtherWelfare::save(f.db, sc, d);
    Education::Line l;
    l.child = Education::findChild(f.db, kv, 0, sc.Cur_Date);
    l.amountText = QStringLiteral("1500");
    l.term = QStringLiteral("1");
    l.year = QStringLiteral("2567");
    l.level = QStringLiteral("อนุบาล 2");
    l.school = QStringLiteral("โรงเรียนอนุบาล");
    const QString edu = Education::save(f.db, sc, kv, sc.Cur_Date, {l});
    QStringList controls;
    for (const auto& [kind, claim] : {std::pair{&overLimit(), ovm}, std::pair{&otherWelfare(), oth}, std::pair{&education(), edu}})
        controls << ClaimSummary::send(f.db, sc, *kind, QStringLiteral("SC"), {claim});
    const QString url = f.t.url().display();
    QTemporaryDir out;

    const struct {
        const char* what;
        QString number;
        int code;
        QString says;
    } runs[] = {
        {"claim-form", ovm, 0, QStringLiteral("(1 page)")},
        {"claim-form", oth, 1, QStringLiteral("เป็นประเภท OTH ซึ่งพิมพ์จากหน้าจอนี้ไม่ได้")},
        {"control-summary", controls[0], 0, QStringLiteral("(1 page)")},
        {"control-summary", controls[1], 0, QStringLiteral("(1 page)")},
        {"control-summary", controls[2], 0, QStringLiteral("(1 page)")},
    };
    for (const auto& r : runs) {
        const QString pdf = out.filePath(r.number.right(8).remove(QLatin1Char('/')) + QStringLiteral(".pdf"));
        const AdminRun run = admin({QStringLiteral("print"), QString::fromLatin1(r.what), r.number, QStringLiteral("--db"),
                                    url, QStringLiteral("--pdf"), pdf});
        EXPECT_EQ(run.code, r.code) << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(r.says)) << run.output.toStdString();
        EXPECT_EQ(QFile::exists(pdf), r.code == 0) << r.what << " " << r.number.toStdString();
    }
}
