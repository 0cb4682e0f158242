#pragma once
#include <QString>
#include <QVector>

namespace wel {
class Database;
}

namespace wel::reports {

// The lists of codes that report filters offer as "code name".
enum class CodeList {
    None,
    Faculties,  // T_Fact by Fact_Code
    ClaimKinds, // TR_Heal_Type by Health_In_Out_t
    Patients,   // Tr_Folk by Emp_Folk
};

struct CodeItem {
    QString code;
    QString text; // code, a blank, the name
};

QVector<CodeItem> codeList(Database& db, CodeList list);

} // namespace wel::reports
