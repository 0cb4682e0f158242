#include "Passwords.h"
#include "AppError.h"

#include <sodium.h>

#include <atomic>

namespace wel::Passwords {

namespace {
// Interactive limits: a log-in costs about a tenth of a second and 64 MiB.
std::atomic<unsigned long long> g_opsLimit{crypto_pwhash_OPSLIMIT_INTERACTIVE};
std::atomic<size_t> g_memLimit{crypto_pwhash_MEMLIMIT_INTERACTIVE};

void ensureSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw AppError(QStringLiteral("ไม่สามารถเริ่มระบบเข้ารหัสรหัสผ่านได้"));
}

// The password's bytes, wiped when no longer needed.
struct Secret {
    QByteArray bytes;
    explicit Secret(const QString& text) : bytes(text.toUtf8()) {}
    ~Secret() { sodium_memzero(bytes.data(), size_t(bytes.size())); }
};
} // namespace

QString hash(const QString& password)
{
    ensureSodium();
    const Secret secret(password);
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, secret.bytes.constData(), size_t(secret.bytes.size()), g_opsLimit, g_memLimit) != 0)
        throw AppError(QStringLiteral("หน่วยความจำของเครื่องไม่พอสำหรับเข้ารหัสรหัสผ่าน กรุณาปิดโปรแกรมอื่นแล้วทำรายการใหม่"));
    return QString::fromLatin1(out);
}

bool isHash(const QString& stored)
{
    // Both Argon2 forms libsodium verifies.
    return stored.startsWith(QLatin1String(crypto_pwhash_argon2id_STRPREFIX))
        || stored.startsWith(QLatin1String(crypto_pwhash_argon2i_STRPREFIX));
}

bool matches(const QString& stored, const QString& typed)
{
    if (stored.isEmpty())
        return false;
    if (!isHash(stored))
        return stored == typed;
    ensureSodium();
    const QByteArray h = stored.toLatin1();
    const Secret secret(typed);
    return crypto_pwhash_str_verify(h.constData(), secret.bytes.constData(), size_t(secret.bytes.size())) == 0;
}

bool needsRehash(const QString& stored)
{
    if (!isHash(stored))
        return true;
    ensureSodium();
    const QByteArray h = stored.toLatin1();
    // 1: other limits; -1: another algorithm (Argon2i) or not readable.
    return crypto_pwhash_str_needs_rehash(h.constData(), g_opsLimit, g_memLimit) != 0;
}

QString randomInitial()
{
    ensureSodium();
    // No 0/O, 1/l/I: the letter is read from paper and typed.
    static const char kAlphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789";
    constexpr uint32_t kSize = sizeof kAlphabet - 1;
    QString p;
    for (int i = 0; i < 10; ++i) // 10 of 56 characters: 58 bits
        p += QLatin1Char(kAlphabet[randombytes_uniform(kSize)]);
    return p;
}

void useMinimumLimitsForTests()
{
    g_opsLimit = crypto_pwhash_OPSLIMIT_MIN;
    g_memLimit = crypto_pwhash_MEMLIMIT_MIN;
}

} // namespace wel::Passwords
