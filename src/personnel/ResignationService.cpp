#include "ResignationService.h"
#include "common/Audit.h"
#include "common/EmployeeSearch.h"
#include "PersonnelCommon.h"
#include "common/AppError.h"
#include "common/Utility.h"
#include "common/db/Database.h"
#include "common/LoginContext.h"

namespace wel::ResignationService {

const QString kOutDateCaption = QStringLiteral("วันที่ลาออก");

void validate(const Resignation& r) { personnel::checkedDate(r.Emp_Out_date, kOutDateCaption, false); }

void record(Database& db, const LoginContext& login, const Resignation& r)
{
    const QString id = TrimBlanks(r.KV_ID);
    if (id.isEmpty())
        throw AppError(personnel::kNoneSelected);
    const QString outDate = personnel::checkedDate(r.Emp_Out_date, kOutDateCaption, false);
    Transaction tx(db);
    if (!findEmployeeInScope(db, login, id))
        throw AppError(personnel::kNotFound);
    // Only an active employee: another workstation may have recorded it first.
    if (db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Out_date = ?, Exit_Reason = ?, Exit_doc = ?, "
                               "Emp_Status = 'O', USER_E_Exit = ? WHERE KV_ID = ? AND Emp_Status = 'A'"),
                {outDate, TrimBlanks(r.Exit_Reason).left(100), TrimBlanks(r.Exit_doc).left(20), login.Cur_Username, id})
        != 1)
        throw AppError(personnel::kNotFound);
    audit::record(db, login, audit::Op::EmployeeResign, id,
                  {{QStringLiteral("Emp_Status"), QStringLiteral("A"), QStringLiteral("O")},
                   {QStringLiteral("Emp_Out_date"), {}, outDate}},
                  TrimBlanks(r.Exit_Reason).left(100));
    tx.commit();
}

} // namespace wel::ResignationService
