#pragma once
#include <QString>

namespace wel {

// Text as it is stored, whether typed, pasted or read from a workbook, so
// that a search typed by a clerk finds it: a tab, line break or other
// control character and a no-break space become a blank; invisible
// characters (zero-width space and joiners, soft hyphen, byte-order mark,
// direction marks) are removed; the text is in Unicode form NFC, with sara
// am as the one character U+0E33 (nikhahit U+0E4D + sara aa U+0E32, a tone
// mark between them kept before it). Blanks are not trimmed.
QString CleanText(const QString& text);

} // namespace wel
