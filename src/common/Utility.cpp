#include "Utility.h"
#include "AppError.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>

namespace wel {

namespace {

const std::array<QString, 10> kDigit = {
    QString(),
    QStringLiteral("หนึ่ง"), QStringLiteral("สอง"), QStringLiteral("สาม"),
    QStringLiteral("สี่"), QStringLiteral("ห้า"), QStringLiteral("หก"),
    QStringLiteral("เจ็ด"), QStringLiteral("แปด"), QStringLiteral("เก้า"),
};

// Position names from 10^2 to 10^6; tens are handled on their own because of
// "ยี่" and "เอ็ด".
const std::array<QString, 7> kPosition = {
    QString(), QString(),
    QStringLiteral("ร้อย"), QStringLiteral("พัน"), QStringLiteral("หมื่น"),
    QStringLiteral("แสน"), QStringLiteral("ล้าน"),
};

const QString kTen = QStringLiteral("สิบ");
const QString kTwenty = QStringLiteral("ยี่");
const QString kOneAfterTens = QStringLiteral("เอ็ด");

QString tensWords(qint64 d)
{
    if (d == 0)
        return QString();
    if (d == 1)
        return kTen;
    if (d == 2)
        return kTwenty + kTen;
    return kDigit[d] + kTen;
}

// Words for 0 <= v < 10,000,000; zero gives no words at all.
QString wordsBelowTenMillion(qint64 v)
{
    QString out;
    qint64 power = 1'000'000;
    for (int n = 6; n >= 2; --n, power /= 10) {
        const qint64 d = v / power;
        if (d > 0) {
            out += kDigit[d] + kPosition[n];
            v -= d * power;
        }
    }
    const qint64 tens = v / 10;
    out += tensWords(tens);
    v -= tens * 10;
    // "เอ็ด" only right after a tens word of the same group: 101 is
    // "หนึ่งร้อยหนึ่ง", 10,000,001 ends in "ล้านหนึ่ง".
    out += (v == 1 && tens > 0) ? kOneAfterTens : kDigit[v];
    return out;
}

// Delphi-style Copy: 1-based start, clipped to the text, never negative.
QString copy1(const QString& s, qsizetype start, qsizetype count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > s.size())
        return QString();
    return s.mid(start - 1, count);
}

// 1-based position of the first "/", 0 when there is none.
qsizetype slashPos(const QString& s)
{
    return s.indexOf(QLatin1Char('/')) + 1;
}

bool isLoopback(const QString& dotted)
{
    return dotted.startsWith(QLatin1String("127."));
}

QString dottedText(const in_addr& a)
{
    char buf[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &a, buf, sizeof buf))
        return QString();
    return QString::fromLatin1(buf);
}

QStringList hostNameAddresses()
{
    QStringList out;
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return out;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM; // one entry per address, not per socket type
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0)
        return out;
    for (addrinfo* p = found; p; p = p->ai_next) {
        if (p->ai_family == AF_INET && p->ai_addr)
            out << dottedText(reinterpret_cast<sockaddr_in*>(p->ai_addr)->sin_addr);
    }
    freeaddrinfo(found);
    out.removeAll(QString());
    return out;
}

QStringList interfaceAddresses()
{
    QStringList out;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return out;
    for (ifaddrs* p = list; p; p = p->ifa_next) {
        if (p->ifa_addr && p->ifa_addr->sa_family == AF_INET)
            out << dottedText(reinterpret_cast<sockaddr_in*>(p->ifa_addr)->sin_addr);
    }
    freeifaddrs(list);
    out.removeAll(QString());
    return out;
}

} // namespace

QString BahtText(Money amount)
{
    // Below this the millions of millions still fit the seven-digit words.
    constexpr qint64 kLimitSatang = 10'000'000'000'000LL * 100;
    qint64 satang = amount.satang();
    if (satang >= kLimitSatang || satang <= -kLimitSatang)
        throw AppError(QStringLiteral("จำนวนเงิน %1 มากเกินกว่าจะเขียนเป็นตัวอักษรได้")
                           .arg(amount.toDisplay()));
    QString out;
    if (satang < 0) {
        out = QStringLiteral("ลบ");
        satang = -satang;
    }
    qint64 whole = satang / 100;
    const qint64 fraction = satang % 100;

    if (whole >= 10'000'000) {
        const qint64 millions = whole / 1'000'000;
        out += wordsBelowTenMillion(millions) + kPosition[6];
        whole -= millions * 1'000'000;
    }
    out += wordsBelowTenMillion(whole) + QStringLiteral("บาท");

    if (fraction == 0)
        return out + QStringLiteral("ถ้วน");
    const qint64 tens = fraction / 10;
    const qint64 units = fraction % 10;
    QString satangText = tensWords(tens);
    if (units == 1)
        satangText += satangText.isEmpty() ? kDigit[1] : kOneAfterTens;
    else
        satangText += kDigit[units];
    return out + satangText + QStringLiteral("สตางค์");
}

QString ThaiMonthName(int month)
{
    static const std::array<QString, 12> names = {
        QStringLiteral("มกราคม"), QStringLiteral("กุมภาพันธ์"), QStringLiteral("มีนาคม"),
        QStringLiteral("เมษายน"), QStringLiteral("พฤษภาคม"), QStringLiteral("มิถุนายน"),
        QStringLiteral("กรกฎาคม"), QStringLiteral("สิงหาคม"), QStringLiteral("กันยายน"),
        QStringLiteral("ตุลาคม"), QStringLiteral("พฤศจิกายน"), QStringLiteral("ธันวาคม"),
    };
    if (month < 1 || month > 12)
        return QStringLiteral("ไม่พบเดือนที่ต้องการ");
    return names[month - 1];
}

QString CleanAmount(const QString& text)
{
    QString out = text;
    out.remove(QLatin1Char(','));
    return out.isEmpty() ? QStringLiteral("0") : out;
}

QString TrimLeftBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

QString TrimRightBlanks(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == QLatin1Char(' '))
        --n;
    return text.left(n);
}

QString TrimBlanks(const QString& text)
{
    return TrimLeftBlanks(TrimRightBlanks(text));
}

QString RightChars(const QString& text, int n)
{
    if (n <= 0)
        return QString();
    return text.right(n);
}

QString NormalizeDate(const QString& text)
{
    if (TrimBlanks(text).isEmpty())
        return QString();
    const QString zero = QStringLiteral("0");
    const QString slash = QStringLiteral("/");
    const qsizetype p = slashPos(text);
    const QString day = RightChars(zero + TrimBlanks(copy1(text, 1, p - 1)), 2);
    const QString rest = copy1(text, p + 1, 10);
    const qsizetype q = slashPos(rest);
    const QString month = RightChars(zero + TrimBlanks(copy1(rest, 1, q - 1)), 2);
    const QString year = copy1(rest, q + 1, 10);
    return day + slash + month + slash + year;
}

QString WorkstationIP()
{
    const QStringList host = hostNameAddresses();
    // Only ask the interfaces when the name gave nothing better.
    for (const QString& a : host)
        if (!isLoopback(a))
            return a;
    return detail::chooseWorkstationAddress(host, interfaceAddresses());
}

namespace detail {

QString chooseWorkstationAddress(const QStringList& hostAddresses,
                                 const QStringList& interfaceAddresses)
{
    for (const QString& a : hostAddresses)
        if (!isLoopback(a))
            return a;
    for (const QString& a : interfaceAddresses)
        if (!isLoopback(a))
            return a;
    return hostAddresses.isEmpty() ? QString() : hostAddresses.first();
}

} // namespace detail

} // namespace wel
