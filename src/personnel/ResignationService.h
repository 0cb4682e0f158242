#pragma once
#include <QString>

namespace wel {

class Database;
struct LoginContext;

struct Resignation {
    QString KV_ID;
    QString Emp_Out_date; // "dd/mm/yyyy" or "" (the date may be left empty)
    QString Exit_Reason;  // at most 100 characters
    QString Exit_doc;     // number of the leaving order, at most 20 characters
};

// Marks an active employee as left ("O"). Claims and yearly rows stay.
namespace ResignationService {

extern const QString kOutDateCaption; // "วันที่ลาออก"

// The leaving date, when filled, must be a real date. Throws AppError.
void validate(const Resignation& r);
void record(Database& db, const LoginContext& login, const Resignation& r);

} // namespace ResignationService
} // namespace wel
