#include "DemoExamples.h"
#include "claims/ClaimForm.h"
#include "claims/SummaryDocument.h"
#include "common/AppError.h"
#include "common/db/Database.h"

namespace wel {

namespace {

// The first of the numbers whose document prints; empty when none does.
template<class Print>
QString firstPrintable(const Rows& rows, const QString& column, Print print)
{
    for (int i = 0; i < rows.count() && i < 200; ++i) {
        const QString no = rows.text(i, column).trimmed();
        try {
            print(no);
            return no;
        } catch (const AppError&) {
            // a kind without this document, or a cancelled one: try the next
        }
    }
    return {};
}

} // namespace

QStringList demoExamples(Database& db)
{
    QStringList out;
    const QDateTime now = db.serverNow();
    const Rows claims = db.select(QStringLiteral("SELECT Berg_Doc_ID, KV_ID, Pay_Year, Date_berg, Fact_Code "
                                                 "FROM T_PAY_Health WHERE Berg_Doc_Status <> 'NO' ORDER BY Berg_Doc_ID"));
    const QString claim = firstPrintable(claims, QStringLiteral("Berg_Doc_ID"), [&](const QString& no) {
        claims::claimForm(db, no, claims::FormOccasion::Reprint, now);
    });
    if (!claim.isEmpty()) {
        out << QStringLiteral("print claim-form %1").arg(claim);
        for (int i = 0; i < claims.count(); ++i) {
            if (claims.text(i, QStringLiteral("Berg_Doc_ID")).trimmed() != claim)
                continue;
            const QString kv = claims.text(i, QStringLiteral("KV_ID")).trimmed();
            const QString year = claims.text(i, QStringLiteral("Pay_Year")).trimmed();
            out << QStringLiteral("print limit-statement %1 --year %2").arg(kv, year)
                << QStringLiteral("export claim-register entered=all claimed=month:%1 faculty=one:%2")
                       .arg(claims.text(i, QStringLiteral("Date_berg")).trimmed().mid(3, 7),
                            claims.text(i, QStringLiteral("Fact_Code")).trimmed())
                << QStringLiteral("export medical-history employee=kv:%1 year=%2").arg(kv, year);
            break;
        }
    }
    const QString control = firstPrintable(
        db.select(QStringLiteral("SELECT Sent_KV_Doc_ID FROM T_Sent_KV_Detail ORDER BY Sent_KV_Doc_ID")),
        QStringLiteral("Sent_KV_Doc_ID"),
        [&](const QString& no) { claims::summaryDocument(db, no, std::nullopt, now); });
    if (!control.isEmpty())
        out << QStringLiteral("print control-summary %1").arg(control);
    for (const auto& [status, note] : {std::pair{"A", ""}, std::pair{"C", "   (cancelled)"}}) {
        const Rows v = db.select(QStringLiteral("SELECT PVR_NO FROM T_PV WHERE Sent_Doc_Status = ? ORDER BY PVR_NO"),
                                 {QString::fromLatin1(status)});
        if (!v.isEmpty())
            out << QStringLiteral("print voucher %1%2").arg(v.text(0, QStringLiteral("PVR_NO")).trimmed(),
                                                            QString::fromLatin1(note));
    }
    return out;
}

} // namespace wel
