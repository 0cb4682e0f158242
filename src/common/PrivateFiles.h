#pragma once
#include <QString>

namespace wel {

// Data and logs are read by their owner only: folders this program makes
// are 0700, files 0600, whatever the user's umask.

// Makes the folder and its missing parents; folders that exist are left as
// they are. False when it cannot.
bool makePrivateFolder(const QString& dir);

// Makes an empty file (and its folder) unless it exists. False when it cannot.
bool createPrivateFile(const QString& path);

} // namespace wel
