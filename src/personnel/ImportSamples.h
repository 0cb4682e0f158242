#pragma once
#include <QString>

namespace wel {

// Workbooks of made-up people in the layouts the imports read, for trials,
// the screens' pictures and the import benchmark.
namespace ImportSamples {

// The personnel office's layout with employees rows of faculty factCode
// (staff numbers factCode + "59" + 8 digits from firstNumber on). With
// refusals, every seventh row has right type "4" and every eleventh no
// given name.
void writeEmployees(const QString& path, int employees, const QString& factCode = QStringLiteral("SC"),
                    int firstNumber = 1, bool refusals = false);
// The leaving tool's and the right-type tool's sheets.
void writeLeaving(const QString& path);
void writeRightTypes(const QString& path);
// The flexible-benefit applicants, two of them not university employees.
void writeApplicants(const QString& path);

} // namespace ImportSamples
} // namespace wel
