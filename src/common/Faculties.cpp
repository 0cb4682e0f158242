#include "Faculties.h"
#include "Utility.h"
#include "db/Database.h"

namespace wel::Faculties {

QVector<Faculty> all(Database& db)
{
    const Rows rows = db.select(QStringLiteral("SELECT Fact_Code, Fact_Name FROM T_Fact ORDER BY Fact_Code"));
    QVector<Faculty> list;
    for (int r = 0; r < rows.count(); ++r)
        list.push_back({rows.text(r, QStringLiteral("Fact_Code")), rows.text(r, QStringLiteral("Fact_Name"))});
    return list;
}

QString itemText(const Faculty& f) { return f.code + QStringLiteral("  ") + f.name; }

QString codeOfItem(const QString& item) { return TrimBlanks(TrimBlanks(item).left(2)).toUpper(); }

QString nameOf(Database& db, const QString& code)
{
    const Rows rows = db.select(QStringLiteral("SELECT Fact_Name FROM T_Fact WHERE ") + db.ciEquals(QStringLiteral("Fact_Code")),
                                {TrimBlanks(code)});
    return rows.isEmpty() ? QString() : rows.text(0, QStringLiteral("Fact_Name"));
}

} // namespace wel::Faculties
