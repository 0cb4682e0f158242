#include "DateFilter.h"
#include "db/Database.h"

namespace wel {

QString DateFilter::condition(const Database& db, const QString& column, QVariantList& params) const
{
    params << value.trimmed();
    switch (kind) {
    case Month: return db.substr(column, 4, 7) + QStringLiteral(" = ?");
    case Year: return db.substr(column, 7, 4) + QStringLiteral(" = ?");
    case Day: break;
    }
    return column + QStringLiteral(" = ?");
}

} // namespace wel
