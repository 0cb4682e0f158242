#include "EmployeeSearch.h"
#include "common/LikePattern.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/LoginContext.h"

namespace wel {

namespace {

const QString kColumns = QStringLiteral(
    "SELECT KV_ID, EMP_ID, Emp_SSN, Emp_Surname, Emp_F_Name, Emp_L_Name, Emp_H_Type, Emp_Position, "
    "Fact_code, Emp_Status FROM T_Emp_Gov_Histry ");

QVector<EmployeeSummary> summaries(const Rows& rows)
{
    QVector<EmployeeSummary> list;
    for (int r = 0; r < rows.count(); ++r) {
        auto t = [&](const char* c) { return rows.text(r, QString::fromLatin1(c)); };
        list.push_back({t("KV_ID"), t("EMP_ID"), t("Emp_SSN"), t("Emp_Surname"), t("Emp_F_Name"), t("Emp_L_Name"),
                        t("Emp_H_Type"), t("Emp_Position"), t("Fact_code"), t("Emp_Status")});
    }
    return list;
}

} // namespace

QString EmployeeSummary::fullName(const QString& separator) const
{
    return Emp_Surname + Emp_F_Name + separator + Emp_L_Name;
}

QString facultyScope(const LoginContext& login)
{
    // Only the finance division works for every faculty; a command that left
    // the mode empty (the hospital menu) keeps the clerk to his own.
    return login.Cur_Mode == QLatin1String("KV") ? QString() : login.Cur_Fact_Code;
}

QVector<EmployeeSummary> searchActiveEmployees(Database& db, const EmployeeQuery& query)
{
    QString sql = kColumns + (query.anyStatus ? QStringLiteral("WHERE KV_ID IS NOT NULL") : QStringLiteral("WHERE Emp_Status = 'A'"));
    QVariantList params;
    const QString text = TrimBlanks(query.text);
    switch (query.by) {
    case EmployeeSearchBy::Name:
        sql += QStringLiteral(" AND Emp_F_Name LIKE ? ESCAPE '!'");
        params << likePrefix(text);
        if (!TrimBlanks(query.lastName).isEmpty()) {
            sql += QStringLiteral(" AND Emp_L_Name LIKE ? ESCAPE '!'");
            params << likePrefix(TrimBlanks(query.lastName));
        }
        break;
    case EmployeeSearchBy::EmpId:
        sql += QStringLiteral(" AND ") + db.ciLike(QStringLiteral("EMP_ID"), QLatin1Char('!'));
        params << likePrefix(text);
        break;
    case EmployeeSearchBy::Ssn:
        sql += QStringLiteral(" AND Emp_SSN LIKE ? ESCAPE '!'");
        params << likePrefix(text);
        break;
    }
    if (!query.factCode.isEmpty()) {
        sql += QStringLiteral(" AND ") + db.ciEquals(QStringLiteral("Fact_code"));
        params << query.factCode;
    }
    sql += QStringLiteral(" ORDER BY ") + db.thaiOrder(QStringLiteral("Emp_F_Name"));
    if (query.orderByLastName)
        sql += QStringLiteral(", ") + db.thaiOrder(QStringLiteral("Emp_L_Name"));
    sql += QStringLiteral(", KV_ID");
    return summaries(db.select(sql, params));
}

std::optional<EmployeeSummary> findEmployeeInScope(Database& db, const LoginContext& login, const QString& kvId)
{
    QString sql = kColumns + QStringLiteral("WHERE KV_ID = ?");
    QVariantList params{kvId};
    const QString scope = facultyScope(login);
    if (!scope.isEmpty()) {
        sql += QStringLiteral(" AND ") + db.ciEquals(QStringLiteral("Fact_code"));
        params << scope;
    }
    const auto list = summaries(db.select(sql, params));
    if (list.isEmpty())
        return std::nullopt;
    return list.first();
}

} // namespace wel
