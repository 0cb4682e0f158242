#pragma once
#include "ErrorOf.h"
#include "QtPrint.h"
#include "TestDb.h"
#include "common/LoginContext.h"
#include "common/Money.h"
#include "common/db/Database.h"

#include <QStringList>
#include <functional>

namespace wel::test {

// Claims, control numbers and yearly rows written straight into the tables,
// as the claim screens leave them, for the finance services to work on.
class FinanceFixture {
public:
    // On the reference rows alone, with two employees of its own; on the demo
    // data (Demo), with the demo's employees and users instead.
    explicit FinanceFixture(TestDb::Seed seed = TestDb::Reference);

    Database& db() { return t.db(); }

    struct Claim {
        QString type = QStringLiteral("FAE"); // Berg_Type_Code
        QString inOut = QStringLiteral("0");  // Health_In_Out_t
        Money payable;                        // M_Can_Berg
        Money claimed;                        // T_M_Berg; the payable amount when zero
        QString kvId = QStringLiteral("KV2567/000001");
        QString payYear = QStringLiteral("2568");
        QString status = QStringLiteral("KV");
        QString fact = QStringLiteral("SC");
    };
    // A claim of the kind and amount, the rest as above.
    static Claim of(const QString& type, const QString& inOut, Money payable);
    // Returns the claim number.
    QString claim(const Claim& c);
    // A control number over the claims; returns its number.
    QString control(const QStringList& claimNos, const QString& type = QStringLiteral("FAE"),
                    const QString& fact = QStringLiteral("SC"), const QString& sentDate = QStringLiteral("15/01/2568"),
                    const QString& status = QStringLiteral("A"));
    // A control number of one claim per amount, all of one kind.
    QString controlOf(const QString& inOut, const QList<qint64>& baht, const QString& type = QStringLiteral("FAE"),
                      const QString& fact = QStringLiteral("SC"));

    QString controlStatus(const QString& controlNo);
    QString claimStatus(const QString& claimNo);
    Money used(const QString& column, const QString& kvId = QStringLiteral("KV2567/000001"),
               const QString& year = QStringLiteral("2568"));
    qint64 count(const QString& sqlCount, const QVariantList& params = {});

    TestDb t;

private:
    int m_claims = 0;
    int m_controls = 0;
};

// The finance division (mode "KV") and a faculty clerk of SC (mode "FC").
LoginContext financeClerk();
LoginContext facultyClerk();

// Runs op on a connection of its own while another workstation holds the
// rows that holder changes in a transaction not yet committed; the holder
// commits while op waits for it (or before op starts: the outcome is the
// same). Returns op's failure message, "" when op succeeded.
QString raceAgainst(TestDb& t, const std::function<void(Database&)>& holder,
                    const std::function<void(Database&)>& op);

} // namespace wel::test
