#pragma once
#include "Money.h"

#include <QString>
#include <QStringList>

namespace wel {

// Small text helpers shared by many screens. Each returns a new text and
// changes nothing else. "Blank" means the space character only: tabs and other
// white space are kept, because typed fields and fixed-width columns only ever
// pad with spaces.

// The amount in Thai words for payment documents, e.g. 1,234.56 gives
// "หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบหกสตางค์" and 0 gives "บาทถ้วน".
// Satang come from the exact amount, so there is no rounding.
// A negative amount is written as its absolute value behind "ลบ".
// Amounts of 10,000,000,000,000 baht or more (either sign) cannot be written
// with the words of the system and throw AppError.
QString BahtText(Money amount);

// "มกราคม" for 1 to "ธันวาคม" for 12; "ไม่พบเดือนที่ต้องการ" for anything else.
QString ThaiMonthName(int month);

// An amount field's text without its "," characters, "0" when nothing is left,
// so that an empty field reads as zero. Blanks stay.
QString CleanAmount(const QString& text);

QString TrimLeftBlanks(const QString& text);
QString TrimRightBlanks(const QString& text);
QString TrimBlanks(const QString& text);

// The last n characters of the text; the whole text when it is shorter, and an
// empty text for n <= 0. With a run of zeros in front this zero-fills:
// RightChars("000000" + TrimBlanks(number), 6).
QString RightChars(const QString& text, int n);

// Day and month of a "d/m/yyyy" text made two digits: "1/2/2551" gives
// "01/02/2551", " 5 / 3 /2550" gives "05/03/2550", a blank text gives "".
// Nothing is validated. The month and year are read from a window of at most
// 10 characters after the first "/", and the year is the at most 10 characters
// after the next "/" in that window, taken as they are. A text without "/"
// gives "0/0/" followed by its first 10 characters.
QString NormalizeDate(const QString& text);

// The workstation's IPv4 address as dotted decimal, for the status bar, or ""
// when none is known. The host name is looked up first (no length limit on the
// name); since Linux hosts usually map their own name to 127.0.1.1, a loopback
// answer gives way to the first non-loopback address of a network interface.
QString WorkstationIP();

namespace detail {
// The choice WorkstationIP makes, given the addresses the host name resolved
// to and the IPv4 addresses of the network interfaces, in the order found:
// the first non-loopback host address, else the first non-loopback interface
// address, else the first host address (even loopback), else "".
QString chooseWorkstationAddress(const QStringList& hostAddresses,
                                 const QStringList& interfaceAddresses);
} // namespace detail

} // namespace wel
