#include "Schema.h"
#include "Database.h"

namespace wel {

const QVector<TableDef>& schemaTables()
{
    static const QVector<TableDef> tables;
    return tables;
}
void createSchema(Database&) {}
void loadReferenceData(Database&) {}
void loadDemoData(Database&) {}

} // namespace wel
