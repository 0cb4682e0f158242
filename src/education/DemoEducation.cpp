#include "DemoEducation.h"
#include "EducationService.h"
#include "claims/ClaimKind.h"
#include "common/AppError.h"
#include "common/LoginContext.h"
#include "common/ThaiDate.h"
#include "common/db/Database.h"

namespace wel::claims {

void loadDemoEducation(Database& db, const DemoClerk& c, const QDate& today)
{
    const QString fact = QString::fromLatin1(c.fact);
    const LoginContext login = demoLogin(c, today, QStringLiteral("FC"));
    // Employees entitled to the allowance with a first child recorded.
    const QStringList staff = demoEmployees(db, fact, QStringLiteral("Emp_H_Type <> '2' AND EXISTS (SELECT 1 FROM T_Emp_Folk f "
                                                                 "WHERE f.KV_ID = e.KV_ID AND f.Emp_Folk = '4')"));
    if (staff.isEmpty())
        return;
    // One child's birth date was never recorded: he is claimed for all the same.
    if (staff.size() > 1)
        db.exec(QStringLiteral("UPDATE T_Emp_Folk SET EF_Birthday = '' WHERE KV_ID = ? AND Emp_Folk = '4'"),
                {staff.last()});
    const char* const schools[] = {"โรงเรียนสาธิตมหาวิทยาลัย", "โรงเรียนอนุบาลเมือง", "โรงเรียนมัธยมประจำจังหวัด"};
    QStringList saved;
    for (int i = 0; i < 4; ++i) {
        const QString kv = staff[i % staff.size()];
        QVector<Education::Line> lines;
        for (int index = 0; index < 2; ++index) {
            Education::Line l;
            try {
                l.child = Education::findChild(db, kv, index, login.Cur_Date);
            } catch (const AppError&) {
                continue; // an employee with one child
            }
            l.term = QString::number(1 + (i + index) % 2);
            l.year = yearOf(login.Cur_Date);
            l.level = l.child.age && *l.child.age < 6 ? QStringLiteral("อนุบาล %1").arg(qMax(1, *l.child.age - 2))
                                                     : QStringLiteral("ประถมศึกษาปีที่ %1").arg(1 + i);
            l.school = QString::fromUtf8(schools[(i + index) % 3]);
            l.amountText = QString::number(8000 + 1250 * i + 500 * index);
            lines << l;
        }
        saved << Education::save(db, login, kv, login.Cur_Date, lines);
    }
    demoCancelAndGather(db, login, education(), fact, saved);
}

} // namespace wel::claims
