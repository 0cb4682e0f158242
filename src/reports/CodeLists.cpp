#include "reports/CodeLists.h"

#include "common/Faculties.h"
#include "common/db/Database.h"

namespace wel::reports {

namespace {

QVector<CodeItem> read(Database& db, const QString& sql, const QString& code, const QString& name)
{
    const Rows rows = db.select(sql);
    QVector<CodeItem> list;
    for (int r = 0; r < rows.count(); ++r) {
        const QString c = rows.text(r, code).trimmed();
        list.push_back({c, c + u' ' + rows.text(r, name).trimmed()});
    }
    return list;
}

} // namespace

QVector<CodeItem> codeList(Database& db, CodeList list)
{
    switch (list) {
    case CodeList::None:
        break;
    case CodeList::Faculties: {
        QVector<CodeItem> out;
        for (const Faculties::Faculty& f : Faculties::all(db))
            out.push_back({f.code.trimmed(), f.code.trimmed() + u' ' + f.name.trimmed()});
        return out;
    }
    case CodeList::ClaimKinds:
        return read(db, QStringLiteral("SELECT Health_In_Out_t, Health_Desc FROM TR_Heal_Type ORDER BY Health_In_Out_t"),
                    QStringLiteral("Health_In_Out_t"), QStringLiteral("Health_Desc"));
    case CodeList::Patients:
        return read(db, QStringLiteral("SELECT Emp_Folk, Folk_name FROM Tr_Folk ORDER BY Emp_Folk"), QStringLiteral("Emp_Folk"),
                    QStringLiteral("Folk_name"));
    }
    return {};
}

} // namespace wel::reports
