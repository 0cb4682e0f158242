#pragma once
#include <QString>

namespace wel::excel {

// Where exported workbooks go: $WELMORA_EXPORT_DIR when set, otherwise the
// folder "Welmora" in the user's documents folder (home when there is none).
// The folder is created when missing.
QString defaultExportFolder();

// A file name that does not exist yet in folder (the default one when
// empty): base name made safe for a file name, the date and time, and a
// counter if needed: "พนักงาน_20080105_143012.xlsx".
QString uniqueExportPath(const QString& baseName, const QString& folder = {});

// Opens the file with the desktop's program for it and returns its path,
// for the screen to tell the user where the workbook is.
QString openWithDesktop(const QString& path);

} // namespace wel::excel
