#include "Period.h"
#include "common/db/Database.h"

namespace wel::finance {

QString Period::andCondition(const Database& db, const QString& column, QVariantList& params) const
{
    if (kind == All)
        return {};
    params << value.trimmed();
    switch (kind) {
    case Month: return QStringLiteral(" AND ") + db.substr(column, 4, 7) + QStringLiteral(" = ?");
    case Year: return QStringLiteral(" AND ") + db.substr(column, 7, 4) + QStringLiteral(" = ?");
    case Day:
    case All: break;
    }
    return QStringLiteral(" AND ") + column + QStringLiteral(" = ?");
}

} // namespace wel::finance
