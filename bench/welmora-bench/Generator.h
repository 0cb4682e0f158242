#pragma once
// The parts of the installation generator, shared by its source files.
#include "BulkInsert.h"
#include "Installation.h"
#include "People.h"
#include "common/Money.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QTime>
#include <optional>
#include <tuple>

namespace wel::bench {

// Claim kinds as the entry screens write them.
enum Kind { FAE, HPE, COP, OVM, OTH, EDU };
inline const char* const kKindCode[] = {"FAE", "HPE", "COP", "OVM", "OTH", "EDU"};
// control-number type of each kind: the in-patient summary writes "FAE"
inline const char* const kSentType[] = {"FAE", "FAE", "COP", "OVM", "OTH", "EDU"};

Money limitOf(const QString& hType);
Money copayLimitOf(const QString& hType);
QString money(Money m);
QDate weekdayOnOrBefore(QDate d);
QDate weekdayOnOrAfter(QDate d);
QTime officeTime(Random& rnd);

struct Receipt {
    QString folk, date, hospital, eduLevel, eduTerm, eduYear, school;
    Money amount;
};
struct Line {
    QString folk;
    Money amount, payable;
};
struct Claim {
    int emp = 0;
    Kind kind = FAE;
    QString inOut, fact, user;
    QDate dateEnt, dateBerg;
    QTime timeEnt;
    int payYear = 0;
    Money total, payable;
    std::optional<Money> before;
    bool refused = false; // the limit was used up: the entry screen saves nothing
    QVector<Receipt> receipts;
    QVector<Line> lines;
    QString status;
    QDate sendDate;
    QString id;
    QString docNo, docDate, matiNo, matiDate, detail; // other welfare
};

struct Usage {
    Money fact, kv, copay, kvCopay;
};

struct Member {
    QString claimId, inOut;
    Money payable;
};
struct Batch {
    QString fact, sentType;
    QDate sendDate;
    QTime sendTime;
    QString user;
    bool cancelled = false;
    QVector<Member> members;
    QString id, status;
    QDate voucherDate;
};

class Generator {
public:
    Generator(Database& db, const GenerateOptions& o, QTextStream& progress)
        : m_db(db), m_opt(o), m_out(progress), m_rnd(o.seed)
    {
        m_lastYear = budgetYear(o.today);
        m_firstYear = m_lastYear - o.years + 1;
    }

    GenerateTotals run();

private:
    void refuseFilledDatabase();
    void loadFaculties();
    void writeReferenceRows();
    void writeEmployees();
    void generateYear(int year);
    void makeClaim(Claim& c, Usage& usage);
    void chargeMedical(Claim& c, Usage& u);
    void chargeCopay(Claim& c, Usage& u);
    void settle(Claim& c, Usage& usage);
    void writeClaims(QVector<Claim>& claims, int year);
    void writeYearRows(int year);
    void writeControlNumbers();
    void writeVouchers(const QVector<Batch*>& paid);
    void writeCounters();
    QString clerkOf(const QString& fact) const { return fact.toLower() + QStringLiteral("clerk"); }
    Money flexOf(const Employee& e, int year) const
    {
        return e.flexBenefit && year > m_lastYear - 4 ? Money::fromBaht(5000) : Money();
    }
    void note(const QString& what);

    Database& m_db;
    GenerateOptions m_opt;
    QTextStream& m_out;
    Random m_rnd;
    QElapsedTimer m_clock;
    int m_firstYear = 0, m_lastYear = 0;
    QVector<Faculty> m_faculties;
    QString m_hospital;
    QVector<Employee> m_staff;
    QHash<QString, QString> m_kindNames; // Health_In_Out_t -> Health_Desc
    QHash<qint64, Usage> m_usage;         // employee * 10000 + budget year
    QMap<std::tuple<QString, QString, int, QString, QDate>, int> m_openBatch;
    QVector<Batch> m_batches;
    QMap<QPair<QString, int>, int> m_claimCounter; // faculty, budget year -> numbers used
    GenerateTotals m_totals;
};

} // namespace wel::bench
