#include "MessageLog.h"
#include "ReportFixture.h"
#include "ScreenFixture.h"

#include "claims/ClaimKind.h"
#include "common/ThaiDate.h"
#include "common/widgets/ReportPreview.h"
#include "reports/Overview.h"
#include "reports/ReportServices.h"
#include "reports/UOverview.h"
#include "reports/widgets/OverviewCharts.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::reports;
using namespace wel::test;

namespace {

Money baht(const char* text)
{
    Money m;
    Money::parse(QString::fromLatin1(text), &m);
    return m;
}

void exec(Database& db, const QString& sql, const QVariantList& values) { db.exec(sql, values); }

// The report fixture (claims of budget years 2551 and 2552), with the yearly
// rows of every employee, receipts with hospitals and limits at the edges of
// the bands.
void loadOverviewFixture(Database& db)
{
    loadReportFixture(db);
    const QString yearly = QStringLiteral("INSERT INTO T_Year_Cur_Health (KV_ID, Pay_Year, Fact_T_H_Money, Fact_T_U_H, "
                                          "M_Flexben) VALUES (?, ?, ?, ?, ?)");
    const struct { const char* kv; const char* year; const char* limit; const char* used; const char* flex; } rows[] = {
        {"KV2550/000003", "2551", "20000", "20000", "0"},         // EN, no type: used up
        {"KV2550/000004", "2551", "200000", "150000", "0"},       // EN, has left: not counted
        {"KV2550/000005", "2551", "2000000000", "300.25", "0"},   // EN, type 3
        {"KV2550/000001", "2552", "200000", "50000", "0"},        // exactly a quarter: 25-50 %
        {"KV2550/000002", "2552", "20000", "15000", "5000"},      // exactly all of it: used up
        {"KV2550/000005", "2552", "2000000000", "0", "0"},
    };
    for (const auto& r : rows)
        exec(db, yearly, {QString::fromLatin1(r.kv), QString::fromLatin1(r.year), QString::fromLatin1(r.limit),
                          QString::fromLatin1(r.used), QString::fromLatin1(r.flex)});
    const QString receipt = QStringLiteral("INSERT INTO T_Reciept (Berg_Doc_ID, Order_Doc, Emp_Folk, P_money, Hospital_Name) "
                                           "VALUES (?, ?, '0', ?, ?)");
    const struct { const char* claim; int order; const char* amount; QString hospital; } receipts[] = {
        {"SC2551/0000001", 1, "1000", QStringLiteral("โรงพยาบาลศูนย์")},
        {"SC2551/0000001", 2, "500", QStringLiteral(" โรงพยาบาลศูนย์ ")},
        {"SC2551/0000002", 1, "3000", QStringLiteral("โรงพยาบาลมหาวิทยาลัย")},
        {"SC2551/0000003", 1, "400", QStringLiteral("คลินิกใกล้บ้าน")}, // cancelled
        {"EN2551/0000001", 1, "300.25", QStringLiteral("คลินิกใกล้บ้าน")},
        {"SC2551/0000004", 1, "100", QString()},
    };
    for (const auto& r : receipts)
        exec(db, receipt, {QString::fromLatin1(r.claim), r.order, QString::fromLatin1(r.amount),
                           r.hospital.isNull() ? QVariant() : QVariant(r.hospital)});
    // eleven clinics in 2552: the smallest is the eleventh
    for (int i = 1; i <= 11; ++i)
        exec(db, receipt, {QStringLiteral("SC2552/0000001"), i, QString::number(i * 10),
                           QStringLiteral("คลินิก %1").arg(i, 2, 10, QLatin1Char('0'))});
}

class Overviews : public ::testing::Test {
protected:
    void SetUp() override
    {
        WELMORA_NEED_DB();
        t = std::make_unique<TestDb>(TestDb::Reference);
        loadOverviewFixture(t->db());
    }
    Database& db() { return t->db(); }
    std::unique_ptr<TestDb> t;
};

int kindIndex(const claims::ClaimKind& k) { return int(claims::claimKinds().indexOf(&k)); }

// The "รวม" amount of a month's row of the claims-by-month report ("" when it has none).
QString reportMonthTotal(Database& db, const QString& monthKey)
{
    const ReportResult r = claimsByMonth(db, {{QStringLiteral("year"), QStringLiteral("year:") + monthKey.right(4)},
                                              {QStringLiteral("status"), QStringLiteral("normal")}});
    for (const QStringList& row : r.rows)
        if (row.value(1) == monthKey)
            return row.value(11);
    return {};
}

} // namespace

TEST_F(Overviews, FiguresOfEachYearAndFaculty)
{
    const struct {
        const char* year;
        const char* faculty;
        std::map<int, const char*> months; // month index from October, total
        MoneyChain chain;
        QVector<HospitalAmount> hospitals;
    } cases[] = {
        {"2551", "", {{1, "1500"}, {3, "2900.25"}}, {baht("2900.25"), {}, baht("1500"), baht("400")},
         {{QStringLiteral("โรงพยาบาลมหาวิทยาลัย"), baht("3000")}, {QStringLiteral("โรงพยาบาลศูนย์"), baht("1500")},
          {QStringLiteral("คลินิกใกล้บ้าน"), baht("300.25")}}},
        {"2551", "sc", {{1, "1500"}, {3, "2600"}}, {baht("2600"), {}, baht("1500"), baht("400")},
         {{QStringLiteral("โรงพยาบาลมหาวิทยาลัย"), baht("3000")}, {QStringLiteral("โรงพยาบาลศูนย์"), baht("1500")}}},
        {"2551", "EN", {{3, "300.25"}}, {baht("300.25"), {}, {}, {}}, {{QStringLiteral("คลินิกใกล้บ้าน"), baht("300.25")}}},
        {"2552", "", {{1, "5000"}, {2, "800"}, {3, "2000"}}, {baht("2000"), baht("5000"), baht("800"), {}}, {}},
        {"2540", "", {}, {}, {}},
    };
    for (const auto& c : cases) {
        const QString label = QStringLiteral("%1 %2").arg(QString::fromLatin1(c.year), QString::fromLatin1(c.faculty));
        const Overview o = readOverview(db(), {QString::fromLatin1(c.year), QString::fromLatin1(c.faculty).toUpper()});
        for (int m = 0; m < kBudgetMonths; ++m) {
            const auto found = c.months.find(m);
            EXPECT_EQ(o.months.monthTotal(m), found == c.months.end() ? Money() : baht(found->second))
                << label.toStdString() << " month " << m;
        }
        EXPECT_EQ(o.chain.parts(), c.chain.parts()) << label.toStdString();
        if (QString::fromLatin1(c.year) == u"2552")
            continue; // its eleven clinics are checked below
        ASSERT_EQ(o.hospitals.size(), c.hospitals.size()) << label.toStdString();
        for (int i = 0; i < c.hospitals.size(); ++i) {
            EXPECT_EQ(o.hospitals[i].name, c.hospitals[i].name) << label.toStdString();
            EXPECT_EQ(o.hospitals[i].amount, c.hospitals[i].amount) << label.toStdString();
        }
    }
    // January 2551 by kind: the hospital's in-patient claim and two outpatient
    // ones (one of a patient type without a category still counts).
    const MonthlyClaims m = claimsPerMonth(db(), {QStringLiteral("2551"), QString()});
    EXPECT_EQ(m.monthKeys.first(), QStringLiteral("10/2550"));
    EXPECT_EQ(m.monthKeys.last(), QStringLiteral("09/2551"));
    EXPECT_EQ(m.kinds[kindIndex(claims::inpatient())].months[3], baht("2500"));
    EXPECT_EQ(m.kinds[kindIndex(claims::outpatient())].months[3], baht("400.25"));
    EXPECT_EQ(m.kinds[kindIndex(claims::overLimit())].total(), Money()); // cancelled

    const QVector<HospitalAmount> top = topHospitals(db(), {QStringLiteral("2552"), QString()});
    ASSERT_EQ(top.size(), kTopHospitals);
    EXPECT_EQ(top.first().name, QStringLiteral("คลินิก 11"));
    EXPECT_EQ(top.last().name, QStringLiteral("คลินิก 02"));
}

TEST_F(Overviews, LimitsOfTheActiveEmployeesByFacultyAndBand)
{
    const QVector<FacultyLimit> f2551 = limitsByFaculty(db(), {QStringLiteral("2551"), QString()});
    ASSERT_EQ(f2551.size(), 2);
    // by share used: SC has 12,100 of 220,000 gone, EN next to nothing of two billion
    EXPECT_EQ(f2551[0].code, QStringLiteral("SC"));
    EXPECT_EQ(f2551[0].name, QStringLiteral("คณะวิทยาศาสตร์"));
    EXPECT_EQ(f2551[0].employees, 2);
    EXPECT_EQ(f2551[0].limit, baht("220000"));
    EXPECT_EQ(f2551[0].used, baht("7100"));
    EXPECT_EQ(f2551[0].flex, baht("5000"));
    EXPECT_DOUBLE_EQ(f2551[0].shareUsed(), 0.055);
    EXPECT_EQ(f2551[1].code, QStringLiteral("EN"));
    EXPECT_EQ(f2551[1].employees, 2); // the one who left is not counted
    EXPECT_EQ(f2551[1].limit, baht("2000020000"));
    EXPECT_EQ(f2551[1].used, baht("20300.25"));

    using Counts = std::array<std::array<int, LimitProgress::kBands>, 3>;
    const struct { const char* year; const char* faculty; Counts counts; } cases[] = {
        // type 1 at 2 %, type 2 at 40 %; no type (counted as 3) used up, type 3 at nothing
        {"2551", "", {{{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {1, 0, 0, 0, 1}}}},
        {"2551", "EN", {{{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {1, 0, 0, 0, 1}}}},
        // exactly a quarter is in 25-50 %; the limit and flexible benefit together used up
        {"2552", "", {{{0, 1, 0, 0, 0}, {0, 0, 0, 0, 1}, {1, 0, 0, 0, 0}}}},
        {"2540", "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(limitProgress(db(), {QString::fromLatin1(c.year), QString::fromLatin1(c.faculty)}).counts, c.counts)
            << c.year << " " << c.faculty;
}

// The month totals are the claims-by-month report's, on the demo's claims of
// every kind, and the faculty's those of the report by month and faculty.
TEST(OverviewAgainstReports, MonthTotalsAreTheReportsTotals)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims);
    const QString year = todayFrom(t.db().serverNow()).Cur_Bud_Year;
    const MonthlyClaims m = claimsPerMonth(t.db(), {year, QString()});
    ASSERT_FALSE(m.total().isZero()) << "the demo has no claims in " << year.toStdString();
    for (int i = 0; i < kBudgetMonths; ++i) {
        const QString fromReport = reportMonthTotal(t.db(), m.monthKeys[i]);
        EXPECT_EQ(m.monthTotal(i).toDisplay(), fromReport.isEmpty() ? QStringLiteral("0.00") : fromReport)
            << m.monthKeys[i].toStdString();
    }

    TestDb f(TestDb::Reference);
    loadReportFixture(f.db());
    const MonthlyClaims sc = claimsPerMonth(f.db(), {QStringLiteral("2551"), QStringLiteral("SC")});
    int checked = 0;
    for (const char* calendarYear : {"2550", "2551"})
        for (const QStringList& row : claimsByMonthFaculty(f.db(), {{QStringLiteral("year"), QStringLiteral("year:") + QLatin1String(calendarYear)}}).rows) {
            const int month = int(sc.monthKeys.indexOf(row.value(1)));
            if (row.value(2) != u"SC" || month < 0)
                continue;
            EXPECT_EQ(sc.monthTotal(month).toDisplay(), row.value(13)) << row.value(1).toStdString();
            ++checked;
        }
    EXPECT_EQ(checked, 2); // November 2550 and January 2551
}

TEST_F(Overviews, ScopeAndRefusals)
{
    EXPECT_EQ(overviewScope(fixtureLogin(QStringLiteral("FC")), QStringLiteral("2551"), QStringLiteral("EN")).faculty,
              QStringLiteral("SC"));
    EXPECT_EQ(overviewScope(fixtureLogin(QStringLiteral("KV")), QStringLiteral(" 2551 "), QStringLiteral("en")).faculty,
              QStringLiteral("EN"));
    EXPECT_EQ(overviewScope(fixtureLogin(QStringLiteral("KV")), QStringLiteral("2551"), QString()).faculty, QString());
    const struct { const char* year; const char* faculty; QString message; } refused[] = {
        {"25x1", "", QStringLiteral("กรุณาระบุปีงบประมาณให้ถูกต้อง")},
        {"", "", QStringLiteral("กรุณาระบุปีงบประมาณให้ถูกต้อง")},
        {"2551", "ZZ", QStringLiteral("ไม่พบรหัสส่วนงาน ZZ กรุณาใส่รหัสส่วนงานให้ถูกต้อง")},
    };
    for (const auto& r : refused) {
        try {
            readOverview(db(), overviewScope(fixtureLogin(QStringLiteral("KV")), QString::fromLatin1(r.year),
                                             QString::fromLatin1(r.faculty)));
            ADD_FAILURE() << "accepted " << r.year << " " << r.faculty;
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), r.message);
        }
    }
}

namespace {

// What a chart draws: the sum of every bar of every series.
double seriesTotal(QWidget* screen, const char* name)
{
    auto* view = control<QChartView>(screen, name);
    double total = 0;
    for (QAbstractSeries* s : view->chart()->series())
        for (QBarSet* set : static_cast<QAbstractBarSeries*>(s)->barSets())
            total += set->sum();
    return total;
}

bool showsChart(QWidget* screen, const char* name)
{
    return control<QChartView>(screen, name)->isVisible()
        && !control<QLabel>(screen, (QByteArray(name) + "_NoData").constData())->isVisible();
}

} // namespace

TEST_F(Overviews, ScreenInBothModesDrawsTheFigures)
{
    MessageLog messages;
    std::optional<QStringList> printed;
    setPreviewRecorder([&](const Report& r) {
        printed = r.pages().value(0).texts();
        EXPECT_EQ(r.pageCount(), 1);
        EXPECT_EQ(r.pageSetup().orientation, Orientation::Landscape);
    });

    TfrmOverview kv(ScreenContext{db(), fixtureLogin(QStringLiteral("KV"))});
    kv.show();
    EXPECT_EQ(textOf(&kv, "edtBud_Year"), QStringLiteral("2551"));
    const struct { const char* chart; double total; } all[] = {
        {"chtMonths", 4400.25},
        {"chtChain", 4800.25},               // open 2,900.25, paid 1,500, cancelled 400
        {"chtFaculties", 2000240000.0},      // the limits: used, flexible benefit and what is left
        {"chtProgress", 4},                  // employees
        {"chtHospitals", 4800.25},
    };
    for (const auto& c : all) {
        EXPECT_DOUBLE_EQ(seriesTotal(&kv, c.chart), c.total) << c.chart;
        EXPECT_TRUE(showsChart(&kv, c.chart)) << c.chart;
    }
    // the mouse on January's outpatient bar tells the month's total
    auto* months = static_cast<QAbstractBarSeries*>(control<QChartView>(&kv, "chtMonths")->chart()->series().first());
    emit months->hovered(true, 3, months->barSets().first());
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("รวมทั้งเดือน 2,900.25 บาท"))) << QToolTip::text().toStdString();

    auto* faculty = control<QComboBox>(&kv, "cmbFact_Code");
    EXPECT_EQ(faculty->currentText(), QStringLiteral("ทุกคณะ"));
    faculty->setCurrentText(QStringLiteral("EN  คณะวิศวกรรมศาสตร์"));
    press(&kv, "btnShow");
    EXPECT_DOUBLE_EQ(seriesTotal(&kv, "chtMonths"), 300.25);
    EXPECT_DOUBLE_EQ(seriesTotal(&kv, "chtProgress"), 2);

    type(&kv, "edtBud_Year", QStringLiteral("2540"));
    press(&kv, "btnShow");
    for (const auto& c : all)
        EXPECT_FALSE(showsChart(&kv, c.chart)) << c.chart;
    EXPECT_TRUE(messages.seen.isEmpty()) << messages.last().toStdString();

    TfrmOverview fc(ScreenContext{db(), fixtureLogin(QStringLiteral("FC"))});
    fc.show();
    EXPECT_EQ(fc.findChild<QComboBox*>(QStringLiteral("cmbFact_Code")), nullptr);
    EXPECT_EQ(textOf(&fc, "edtFact_Code"), QStringLiteral("SC  คณะวิทยาศาสตร์"));
    EXPECT_DOUBLE_EQ(seriesTotal(&fc, "chtMonths"), 4100);
    EXPECT_DOUBLE_EQ(seriesTotal(&fc, "chtFaculties"), 220000);
    press(&fc, "btnPrint");
    ASSERT_TRUE(printed.has_value());
    EXPECT_TRUE(printed->contains(QStringLiteral("ภาพรวมการเบิกสวัสดิการ ปีงบประมาณ 2551")));
    EXPECT_TRUE(printed->contains(QStringLiteral("หน่วยงาน : SC  คณะวิทยาศาสตร์")));
    setPreviewRecorder(nullptr);
}

namespace {

// Text pulled out of a PDF loses Thai marks or moves them to private code
// points and splits sara am: compare the base letters alone.
QString baseLetters(QString s)
{
    s.replace(QChar(0x0E33), QChar(0x0E32));
    QString out;
    for (const QChar c : s)
        if (!c.isSpace() && c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Other_PrivateUse)
            out += c;
    return out;
}

} // namespace

TEST_F(Overviews, PrintCommandWritesThePage)
{
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("overview.pdf"));
    QProcess admin;
    admin.setProcessChannelMode(QProcess::MergedChannels);
    admin.start(QStringLiteral(WELMORA_ADMIN), {QStringLiteral("print"), QStringLiteral("overview"), QStringLiteral("--year"),
                                                QStringLiteral("2551"), QStringLiteral("--faculty"), QStringLiteral("sc"),
                                                QStringLiteral("--db"), t->url().display(), QStringLiteral("--pdf"), pdf});
    ASSERT_TRUE(admin.waitForFinished(120000));
    EXPECT_EQ(admin.exitCode(), 0) << admin.readAll().toStdString();

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString body = baseLetters(QString::fromUtf8(text.readAllStandardOutput()));
    EXPECT_TRUE(body.contains(baseLetters(QStringLiteral("ภาพรวมการเบิกสวัสดิการ ปีงบประมาณ 2551")))) << body.toStdString();
    EXPECT_TRUE(body.contains(baseLetters(QStringLiteral("คณะวิทยาศาสตร์")))) << body.toStdString();

    admin.start(QStringLiteral(WELMORA_ADMIN), {QStringLiteral("print"), QStringLiteral("overview"), QStringLiteral("--year"),
                                                QStringLiteral("2551"), QStringLiteral("--faculty"), QStringLiteral("ZZ"),
                                                QStringLiteral("--db"), t->url().display(), QStringLiteral("--pdf"), pdf});
    ASSERT_TRUE(admin.waitForFinished(120000));
    EXPECT_EQ(admin.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(admin.readAll()).contains(QStringLiteral("ไม่พบรหัสส่วนงาน ZZ")));
}
