#include "ReportFixture.h"

#include "common/db/Database.h"

namespace wel::test {

namespace {

void insert(Database& db, const QString& table, const QStringList& columns, const QVariantList& values)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u','), marks.join(u',')), values);
}

void employee(Database& db, const QString& kv, const QString& id, const QString& ssn, const QString& title,
              const QString& first, const QString& last, const QString& type, const QString& fact,
              const QString& status)
{
    insert(db, QStringLiteral("T_Emp_Gov_Histry"),
           {QStringLiteral("KV_ID"), QStringLiteral("EMP_ID"), QStringLiteral("Emp_SSN"), QStringLiteral("Emp_Surname"),
            QStringLiteral("Emp_F_Name"), QStringLiteral("Emp_L_Name"), QStringLiteral("Emp_H_Type"),
            QStringLiteral("Fact_code"), QStringLiteral("Emp_Status"), QStringLiteral("Emp_Position"),
            QStringLiteral("Emp_Level"), QStringLiteral("Emp_In_date2"), QStringLiteral("Emp_Dept_Name")},
           {kv, id, ssn, title, first, last, type, fact, status, QStringLiteral("อาจารย์"), QStringLiteral("7"),
            QStringLiteral("01/06/2540"), QStringLiteral("ฟิสิกส์")});
}

void claim(Database& db, const QString& doc, const QString& kv, const QString& payYear, const QString& date,
           const char* claimed, const char* payable, const QString& status, const QString& kind, const QString& fact,
           const QString& type)
{
    insert(db, QStringLiteral("T_PAY_Health"),
           {QStringLiteral("Berg_Doc_ID"), QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Date_berg"),
            QStringLiteral("Date_Ent"), QStringLiteral("T_M_Berg"), QStringLiteral("M_Can_Berg"),
            QStringLiteral("Berg_Doc_Status"), QStringLiteral("Health_In_Out_t"), QStringLiteral("Fact_Code"),
            QStringLiteral("Berg_Type_Code")},
           {doc, kv, payYear, date, date, QString::fromLatin1(claimed), QString::fromLatin1(payable), status, kind, fact, type});
}

void line(Database& db, const QString& doc, const QString& kv, const QString& folk, const char* claimed,
          const char* payable)
{
    insert(db, QStringLiteral("T_Pay_Health_Detail"),
           {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("KV_ID"), QStringLiteral("M_Berg"),
            QStringLiteral("HM_Can_Berg")},
           {doc, folk, kv, QString::fromLatin1(claimed), QString::fromLatin1(payable)});
}

void control(Database& db, const QString& id, const QString& date, const QString& status, const QString& fact,
             const QStringList& claims)
{
    insert(db, QStringLiteral("T_Sent_KV_Detail"),
           {QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Sent_Date"), QStringLiteral("Sent_Time"),
            QStringLiteral("Sent_Doc_Status"), QStringLiteral("Fact_Code")},
           {id, date, QStringLiteral("10:00:00"), status, fact});
    for (int i = 0; i < claims.size(); ++i)
        insert(db, QStringLiteral("T_Sent_KV"),
               {QStringLiteral("Berg_Doc_ID"), QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Order_No")},
               {claims[i], id, i + 1});
}

} // namespace

void loadReportFixture(Database& db)
{
    Transaction tx(db);
    insert(db, QStringLiteral("T_Fact"), {QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name")},
           {QStringLiteral("SC"), QStringLiteral("คณะวิทยาศาสตร์")});
    insert(db, QStringLiteral("T_Fact"), {QStringLiteral("Fact_Code"), QStringLiteral("Fact_Name")},
           {QStringLiteral("EN"), QStringLiteral("คณะวิศวกรรมศาสตร์")});

    const QString e1 = QStringLiteral("KV2550/000001"), e2 = QStringLiteral("KV2550/000002"),
                  e3 = QStringLiteral("KV2550/000003"), e4 = QStringLiteral("KV2550/000004"),
                  e5 = QStringLiteral("KV2550/000005");
    const QString A = QStringLiteral("A");
    employee(db, e1, QStringLiteral("000123"), QStringLiteral("0123456789012"), QStringLiteral("นาย"), QStringLiteral("สมชาย"),
             QStringLiteral("ใจดี"), QStringLiteral("1"), QStringLiteral("SC"), A);
    employee(db, e2, QStringLiteral("000456"), QStringLiteral("3100000000002"), QStringLiteral("นาง"), QStringLiteral("สมศรี"),
             QStringLiteral("มีสุข"), QStringLiteral("2"), QStringLiteral("SC"), A);
    employee(db, e3, QStringLiteral("000789"), QStringLiteral("3100000000003"), QStringLiteral("นาย"), QStringLiteral("ประยุทธ"),
             QStringLiteral("บุญมา"), QString(), QStringLiteral("EN"), A);
    employee(db, e4, QStringLiteral("000999"), QStringLiteral("3100000000004"), QStringLiteral("นาย"), QStringLiteral("วิชัย"),
             QStringLiteral("ลาออก"), QStringLiteral("3"), QStringLiteral("EN"), QStringLiteral("D"));
    employee(db, e5, QStringLiteral("000555"), QStringLiteral("3100000000005"), QStringLiteral("นางสาว"), QStringLiteral("มานี"),
             QStringLiteral("ดีมาก"), QStringLiteral("3"), QStringLiteral("EN"), A);

    const QString SC = QStringLiteral("SC"), EN = QStringLiteral("EN");
    claim(db, QStringLiteral("SC2551/0000001"), e1, QStringLiteral("2551"), QStringLiteral("15/11/2550"), "1500", "1500",
          QStringLiteral("KV"), QStringLiteral("0"), SC, QStringLiteral("FAE"));
    claim(db, QStringLiteral("SC2551/0000002"), e1, QStringLiteral("2551"), QStringLiteral("20/01/2551"), "3000", "2500",
          QStringLiteral("FC"), QStringLiteral("1"), SC, QStringLiteral("HPE"));
    claim(db, QStringLiteral("SC2552/0000001"), e2, QStringLiteral("2552"), QStringLiteral("31/12/2551"), "800", "800",
          QStringLiteral("KV"), QStringLiteral("0"), SC, QStringLiteral("COP"));
    claim(db, QStringLiteral("SC2551/0000003"), e2, QStringLiteral("2551"), QStringLiteral("20/01/2551"), "400", "400",
          QStringLiteral("NO"), QStringLiteral("0"), SC, QStringLiteral("OVM"));
    claim(db, QStringLiteral("EN2552/0000001"), e3, QStringLiteral("2552"), QStringLiteral("15/11/2551"), "5000", "5000",
          QStringLiteral("KV"), QStringLiteral("E"), EN, QStringLiteral("EDU"));
    claim(db, QStringLiteral("EN2552/0000002"), e3, QStringLiteral("2552"), QStringLiteral("01/01/2552"), "2000", "2000",
          QStringLiteral("FC"), QStringLiteral("M"), EN, QStringLiteral("OTH"));
    claim(db, QStringLiteral("SC2551/0000004"), e1, QStringLiteral("2551"), QStringLiteral("20/01/2551"), "100", "100",
          QStringLiteral("FC"), QStringLiteral("X"), SC, QStringLiteral("FAE"));
    claim(db, QStringLiteral("EN2551/0000001"), e3, QStringLiteral("2551"), QStringLiteral("20/01/2551"), "300.25", "300.25",
          QStringLiteral("FC"), QStringLiteral("0"), EN, QStringLiteral("FAE"));

    line(db, QStringLiteral("SC2551/0000001"), e1, QStringLiteral("0"), "1500", "1500");
    line(db, QStringLiteral("SC2551/0000002"), e1, QStringLiteral("0"), "1000", "1000");
    line(db, QStringLiteral("SC2551/0000002"), e1, QStringLiteral("4"), "2000", "1500");
    line(db, QStringLiteral("SC2552/0000001"), e2, QStringLiteral("0"), "800", "800");
    line(db, QStringLiteral("SC2551/0000003"), e2, QStringLiteral("0"), "400", "400");
    line(db, QStringLiteral("EN2552/0000001"), e3, QStringLiteral("4"), "5000", "5000");
    line(db, QStringLiteral("EN2552/0000002"), e3, QStringLiteral("0"), "2000", "2000");
    line(db, QStringLiteral("SC2551/0000004"), e1, QStringLiteral("1"), "100", "100");
    line(db, QStringLiteral("EN2551/0000001"), e3, QStringLiteral("0"), "300.25", "300.25");

    control(db, QStringLiteral("KV2551/000001SC"), QStringLiteral("16/11/2550"), QStringLiteral("P"), SC,
            {QStringLiteral("SC2551/0000001"), QStringLiteral("SC2552/0000001")});
    control(db, QStringLiteral("KV2552/000002EN"), QStringLiteral("16/11/2551"), QStringLiteral("A"), EN,
            {QStringLiteral("EN2552/0000001")});
    control(db, QStringLiteral("KV2551/000003SC"), QStringLiteral("21/01/2551"), QStringLiteral("C"), SC,
            {QStringLiteral("SC2551/0000002")});

    const QStringList pv = {QStringLiteral("PVR_NO"), QStringLiteral("Sent_Date"), QStringLiteral("Sent_Doc_Status"),
                            QStringLiteral("Fact_Code"), QStringLiteral("FN_Doc_No")};
    insert(db, QStringLiteral("T_PV"), pv,
           {QStringLiteral("PVR2551/00001SC"), QStringLiteral("17/11/2550"), A, QStringLiteral("sc"), QStringLiteral("0012")});
    insert(db, QStringLiteral("T_PV"), pv,
           {QStringLiteral("PVR2552/00002EN"), QStringLiteral("17/11/2551"), QStringLiteral("C"), EN, QString()});
    insert(db, QStringLiteral("T_PV_Detail"), {QStringLiteral("PVR_NO"), QStringLiteral("Sent_KV_Doc_ID"), QStringLiteral("Order_No")},
           {QStringLiteral("PVR2551/00001SC"), QStringLiteral("KV2551/000001SC"), 1});

    const QStringList folk = {QStringLiteral("KV_ID"), QStringLiteral("Emp_Folk"), QStringLiteral("EF_Surname"),
                              QStringLiteral("EF_F_Name"), QStringLiteral("EF_L_Name"), QStringLiteral("EF_Birthday"),
                              QStringLiteral("EF_SSN")};
    insert(db, QStringLiteral("T_Emp_Folk"), folk,
           {e1, QStringLiteral("1"), QStringLiteral("นาย"), QStringLiteral("สมปอง"), QStringLiteral("ใจดี"), QString(),
            QStringLiteral("3100000000010")});
    insert(db, QStringLiteral("T_Emp_Folk"), folk,
           {e1, QStringLiteral("4"), QStringLiteral("ด.ช."), QStringLiteral("สมใจ"), QStringLiteral("ใจดี"),
            QStringLiteral("31/02/2550"), QStringLiteral("0011223344556")});

    const QStringList year = {QStringLiteral("KV_ID"), QStringLiteral("Pay_Year"), QStringLiteral("Fact_T_H_Money"),
                              QStringLiteral("Fact_T_U_H"), QStringLiteral("M_Flexben"), QStringLiteral("Fact_T_Copay"),
                              QStringLiteral("Fact_U_Copay")};
    insert(db, QStringLiteral("T_Year_Cur_Health"), year,
           {e1, QStringLiteral("2551"), QStringLiteral("200000"), QStringLiteral("4100"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0")});
    insert(db, QStringLiteral("T_Year_Cur_Health"), year,
           {e2, QStringLiteral("2551"), QStringLiteral("20000"), QStringLiteral("3000"), QStringLiteral("5000"),
            QStringLiteral("25000"), QStringLiteral("800")});
    tx.commit();
}

LoginContext fixtureLogin(const QString& mode)
{
    LoginContext l;
    l.Cur_Date = QStringLiteral("20/01/2551");
    l.Cur_Bud_Year = QStringLiteral("2551");
    l.Cur_Fact_Code = QStringLiteral("SC");
    l.Cur_Username = QStringLiteral("finance");
    l.Cur_Mode = mode;
    l.section = 9;
    return l;
}

} // namespace wel::test
